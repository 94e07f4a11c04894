#include "actions/families.h"

namespace zorbel {

namespace {

const ActionFamily* const kFamilies[] = {
    &kRunProgramFamily, &kWindowsFamily, &kKeyboardFamily, &kMenuFamily,     &kMouseFamily,
    &kWaitFamily,       &kPromptFamily,  &kRecordFamily,   &kFilesFamily,    &kInternetFamily,
    &kDatabaseFamily,   &kLoopsFamily,   &kIfFamily,       &kSystemFamily,   &kExternalFamily,
};

}  // namespace

const FamilyTable& action_families() {
    static const FamilyTable table{kFamilies, sizeof(kFamilies) / sizeof(kFamilies[0])};
    return table;
}

int step_not_available(RunContext& context, Step& step) {
    return context.fail("The action \"%s\" is not available in this version of Zorbel", step.action);
}

}  // namespace zorbel
