// The image matcher on 1920 x 1080 screens in memory, in its hardest cases.
#include "bench/image_search_cases.h"

int main() {
    zorbel::image_bench::run_worst_cases();
    return 0;
}
