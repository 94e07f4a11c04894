#include "actions/external/external_family.h"

#include <string>
#include <vector>

#include "actions/external/call_text.h"
#include "actions/external/library_desktop.h"
#include "actions/families.h"
#include "actions/windows/window_desktop.h"
#include "engine/settings_store.h"
#include "engine/variables.h"

namespace zorbel {
namespace {

constexpr uint32_t kForegroundSettleMs = 250;

// Searched after the step's own library, in this order.
constexpr const char* kSystemLibraries[] = {
    "USER32.DLL", "GDI32.DLL", "KERNEL32.DLL", "SHELL32.DLL", "COMCTL32.DLL", "COMDLG32.DLL", "ADVAPI32.DLL",
    "WSOCK32.DLL",
};

// The argument texts as the user variables parameter1 .. parameter8 (no instance prefix).
void write_parameters(RunContext& context, const ParsedCall& call) {
    if (context.services.store == nullptr) return;
    for (int k = 0; k < 8; ++k) {
        const std::string path = format("%s\\parameter%d", kUserVariablesKey, k + 1);
        write_setting_text(*context.services.store, path, field_text(call.slots[static_cast<size_t>(k)].buffer));
    }
}

int call_step(RunContext& context, Step& step) {
    std::string library = context.text_of(step.value[0]);
    if (!library.empty()) library = context.desktop().libraries->resolve_library(library);
    const std::string call = prepare_call_text(context.text_of(step.text));
    const int32_t result = call_external_function(context, call, library);
    // A refused call text has set its message; a function found nowhere has none.
    if (result == kFunctionNotFound) return kStepFailed;
    save_result(context.services, step.options, field_text(step.variable), format("%d", result), nullptr);
    return kStepSucceeded;
}

// Posts to the current window (taking the foreground window when there is none); the
// step succeeds whatever becomes of the message.
int send_message_command(RunContext& context, Step& step) {
    const uint32_t command = static_cast<uint32_t>(text_to_number(context.text_of(step.text))) & 0xffff;
    if (context.run.current_window == 0) {
        context.clock().sleep(kForegroundSettleMs);
        context.run.current_window = context.desktop().windows->foreground_window();
    }
    context.desktop().libraries->post_command(context.run.current_window, command);
    return kStepSucceeded;
}

const ActionRow kActions[] = {
    {"SendMessage", send_message_command},
    {"Win32 API", call_step},
    {"DLL Function", call_step},
};

}  // namespace

int32_t call_external_function(RunContext& context, const std::string& call, const std::string& library) {
    context.run.error_text.clear();
    ParsedCall parsed;
    std::string error;
    if (!parse_call_text(call, &parsed, &error)) {
        context.fail("%s", error.c_str());
        return kFunctionNotFound;
    }
    const std::string exported = exported_name(parsed.name);
    uint32_t numbers[3] = {};
    const std::vector<LibraryArgument> arguments = call_arguments(exported, parsed, numbers);
    std::vector<std::string> search;
    if (!library.empty()) search.push_back(library);
    for (const char* name : kSystemLibraries) search.emplace_back(name);
    uint32_t result = 0;
    bool called = false;
    LibraryDesktop& libraries = *context.desktop().libraries;
    for (const std::string& name : search) {
        if (libraries.call(name, exported, arguments, &result)) {
            called = true;
            break;
        }
    }
    if (called) finish_call(exported, parsed, numbers);
    write_parameters(context, parsed);
    return called ? static_cast<int32_t>(result) : kFunctionNotFound;
}

const ActionFamily kExternalFamily(15, "External Functions", kActions);

}  // namespace zorbel
