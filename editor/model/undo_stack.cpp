#include "editor/model/undo_stack.h"

#include <utility>

namespace zorbel {

void UndoStack::push(std::vector<Step> steps) {
    if (steps.empty()) return;
    if (slots_.size() >= kSlots) slots_.pop_back();
    slots_.push_front(std::move(steps));
}

bool UndoStack::pop(std::vector<Step>* steps) {
    // Slots are never empty, so a restore never empties the script.
    if (slots_.empty()) return false;
    *steps = std::move(slots_.front());
    slots_.pop_front();
    return true;
}

}  // namespace zorbel
