// Auto-Indent and Validate: recomputes every step's indentation from the IF and loop
// blocks and says which block is left unbalanced. Desktop-free.
//
// Blocks are counted, not matched: an IF closed by a NEXT LOOP and a loop closed by an
// END IF (crossed blocks) pass as balanced, and unbalanced scripts may leave negative
// indentation (the grid shows it as none). Only an ELSE is capped, at 16.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/step_record.h"

namespace zorbel {

// The open IF and loop blocks left after the last step; negative for extra closers.
struct BlockDepths {
    int32_t ifs = 0;
    int32_t loops = 0;
};

// Sets `indents` of every step in order. Skipped steps take the indentation of their
// place but open and close nothing.
BlockDepths auto_indent(std::vector<Step>& steps);

// The error box's text for the first unbalanced block kind, "" when all are balanced.
std::string validation_error(const BlockDepths& depths);

// The status-bar text of a validation that found nothing.
std::string validation_complete(int32_t step_count);

}  // namespace zorbel
