#include "engine/run_context.h"

#include <cmath>
#include <cstdio>

#include "engine/expand_text.h"
#include "engine/expansion_environment.h"
#include "engine/run_controller.h"
#include "engine/run_log.h"

namespace zorbel {

std::string RunContext::expand(std::string_view text) {
    if (!services.expander) return std::string(text);
    return services.expander->expanded(text);
}

void RunContext::log(const char* format, ...) {
    if (!services.log) return;
    va_list args;
    va_start(args, format);
    services.log->line_v(services.output, format, args);
    va_end(args);
}

bool RunContext::detailed_log() { return services.log && services.log->detailed(); }

int RunContext::fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    char buffer[1024];
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    run.error_text = buffer;
    return kStepFailed;
}

void RunContext::stop_run(bool quiet) {
    if (controller) controller->stop_run(quiet);
}

uint32_t RunContext::now() { return services.desktop && services.desktop->clock ? services.desktop->clock->now() : 0; }

uint32_t milliseconds_from_text(const std::string& text) {
    const double seconds = decimal_from_text(text);
    if (!(seconds > 0)) return 0;
    const double ms = std::floor(seconds * 1000.0);
    return ms > 4294967295.0 ? 4294967295u : static_cast<uint32_t>(ms);
}

}  // namespace zorbel
