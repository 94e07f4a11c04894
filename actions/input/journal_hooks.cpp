#include "actions/input/journal_hooks.h"

namespace zorbel {

namespace {

JournalHookSupport& found_support() {
    static JournalHookSupport support = JournalHookSupport::kUnknown;
    return support;
}

}  // namespace

JournalHookSupport journal_hook_support() { return found_support(); }

void note_journal_hook_support(JournalHookSupport found) { found_support() = found; }

const char* journal_hook_support_name(JournalHookSupport support) {
    switch (support) {
        case JournalHookSupport::kWorking: return "working";
        case JournalHookSupport::kRefused: return "refused";
        case JournalHookSupport::kSilent: return "silent";
        case JournalHookSupport::kUnknown: break;
    }
    return "unknown";
}

}  // namespace zorbel
