// The editing panes as tables of field specifications: each field's label, the kind
// of control that edits it, the step field it edits (an option bit pattern for checks
// and radio buttons) and its limit; and the loading and writing back of one field.
// The Win32 builder draws a pane from its table. Desktop-free.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/step_record.h"

namespace zorbel {

enum class FieldKind {
    kEdit,       // one-line edit box
    kMultiEdit,  // multi-line edit box (main text, comment: no limit)
    kPassword,   // one-line edit showing the stored rotation turned back
    kCheck,      // check box: checked while (options & mask) == bits; writes both ways
    kRadio,      // radio button: checked while (options & mask) == bits; writes when chosen
    kList,       // drop-down list of `choices` (';'-separated), the field holds the chosen text
    kTextCheck,  // check box over a text field: checked while `test` holds; writes `on` or `off`
};

// When a kTextCheck shows checked, read on its field's text.
enum class CheckTest { kEquals, kNegative, kBelowOne, kEmpty };

enum class StepField { kText, kComment, kTimeout, kValue, kVariable, kOnfailMode, kOnfailLabel, kOnfailLog,
                       kOnfailImage, kOptions, kAction };

struct FieldSpec {
    const char* label;
    FieldKind kind;
    StepField field;
    int value_index = 0;    // 0..7 for kValue
    uint32_t mask = 0;      // kCheck, kRadio
    uint32_t bits = 0;
    const char* choices = "";
    const char* on = "";   // kTextCheck: written when checked (kEquals compares with it)
    const char* off = "";  // kTextCheck: written when unchecked
    CheckTest test = CheckTest::kEquals;
};

// The most characters a field holds: 259 for values, 63 for time-out, On Failure
// mode and label, 62 for the variable name (its "%" makes 63), 0 for no limit.
size_t field_limit(StepField field);

constexpr int kPaneCount = 16;  // 0 is "Nothing Selected"

struct PaneSpec {
    int code;
    const char* name;
    std::vector<FieldSpec> fields;  // own fields, then comment, On Failure and result fields
};

// The pane for a pane code; codes outside 1..15 give the empty pane (code 0).
const PaneSpec& pane_spec(int32_t code);

extern const char kFailureModes[];  // the nine On Failure modes, ';'-separated
extern const char kKeyboardMethods[];
extern const char kSpecialCharactersWarning[];

// The control's value for the step: the text, "1"/"0" for checks and radios.
std::string load_field(const Step& step, const FieldSpec& spec);
// Writes a control's value back, bounded by the field's limit. A radio writes only
// when chosen ("1"). Renaming the action takes its family and icon from the catalogue.
void write_field(Step& step, const FieldSpec& spec, std::string_view value);

// Stored passwords: each ASCII letter rotated three places forward within its case.
std::string rotate_password(std::string_view plain);
std::string unrotate_password(std::string_view stored);

// The keyboard pane's rename on a text edit: "Simulate Keypress" becomes
// "Text + System Keys" when the text holds both braces, and back when it no longer
// does; every other action keeps its name.
std::string keyboard_action_for_text(std::string_view action, std::string_view text);
// The warning line under the keyboard pane's text ("" for none).
std::string keyboard_warning(std::string_view action, std::string_view text);
// Whether the On Failure extra field is shown for the mode, and its caption.
const char* failure_extra_caption(std::string_view mode);

bool steps_equal(const Step& a, const Step& b);

// A colour picked from the screen (0x00BBGGRR) as the pixel steps read it: "#RRGGBB".
std::string picked_colour_text(uint32_t colorref);

}  // namespace zorbel
