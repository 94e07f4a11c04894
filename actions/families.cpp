#include "actions/families.h"

namespace zorbel {

namespace {

// Families whose actions come later: every step fails as not available.
const ActionFamily kRecordFamily(8, "Record Actions", {}, step_not_available);

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
