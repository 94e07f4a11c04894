// The undo stack of the open script: 50 snapshots of the whole step array, slot 0
// the newest. Desktop-free.
#pragma once
#include <deque>
#include <vector>

#include "core/step_record.h"

namespace zorbel {

class UndoStack {
public:
    static constexpr size_t kSlots = 50;

    // Takes `steps` (already a deep copy) as the newest slot; the oldest falls out
    // when all 50 are taken. An empty snapshot is never stored.
    void push(std::vector<Step> steps);
    // A snapshot that could not be taken: the older slots no longer lead back to the
    // script as it is, so the whole stack goes.
    void fail() { clear(); }
    // Hands slot 0 over to the caller; false (and `steps` untouched) when the stack is empty.
    bool pop(std::vector<Step>* steps);
    void clear() { slots_.clear(); }
    bool empty() const { return slots_.empty(); }
    size_t size() const { return slots_.size(); }

private:
    std::deque<std::vector<Step>> slots_;
};

}  // namespace zorbel
