#include "actions/input/journal_hooks.h"

namespace zorbel {

bool journal_hooks_work(uint32_t) {
    if (journal_hook_support() == JournalHookSupport::kUnknown) note_journal_hook_support(JournalHookSupport::kRefused);
    return journal_hook_support() == JournalHookSupport::kWorking;
}

}  // namespace zorbel
