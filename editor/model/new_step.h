// A new step made from the Actions tree: where it goes, its On Failure mode and the
// per-action sample parameters it starts with. Desktop-free: the caller passes what
// the settings and the file associations say.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/step_record.h"

namespace zorbel {

// What a new step takes from the settings and the machine.
struct NewStepSettings {
    std::string failure_mode;   // DefaultFailureMode ("" reads as "Display Error and Stop")
    std::string failure_jump;   // DefaultFailureMode_Jump
    std::string browser;        // the program registered for ".htm" files, else IEXPLORE.EXE's path
    std::string mail_program;   // the program registered for "MAIL", else for ".eml" files
};

extern const char kSampleWebAddress[];
extern const char kSampleMailServer[];
extern const char kSampleFtpPath[];

// The row a new step goes to for the InsertNewStep setting: only 1 means "after the
// selected row"; any other value means "at it". `selected` -1 (no row) gives -1
// (append) or, for 1, 0 (first). -1 as a result appends.
int32_t new_step_position(int32_t selected, int32_t insert_new_step);

// Builds the step for the tree action `name` (matched ignoring case); false, and
// `step` untouched, when the name is not an action of the tree.
bool make_new_step(std::string_view name, const NewStepSettings& settings, Step* step);

// The per-action sample parameters (the first matching row of the defaults table).
void apply_new_step_defaults(Step& step, const NewStepSettings& settings);

}  // namespace zorbel
