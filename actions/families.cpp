#include "actions/families.h"

namespace zorbel {

namespace {

// Families whose actions come later: every step fails as not available.
constexpr ActionFamily unbuilt_family(uint32_t code, const char* name) {
    ActionFamily family;
    family.code = code;
    family.name = name;
    family.otherwise = step_not_available;
    return family;
}

const ActionFamily kPromptFamily = unbuilt_family(7, "User Prompt");
const ActionFamily kRecordFamily = unbuilt_family(8, "Record Actions");
const ActionFamily kInternetFamily = unbuilt_family(10, "Internet");
const ActionFamily kDatabaseFamily = unbuilt_family(11, "Database");
const ActionFamily kExternalFamily = unbuilt_family(15, "External Functions");

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
