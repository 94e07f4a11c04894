#include "editor/model/pane_fields.h"

#include <cstdio>

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {

const char kFailureModes[] =
    "Display Error and Stop;Display Error and Continue;Ignore/Continue;Retry the Step x Times;Stop Silently;"
    "Ask to Continue;Jump to Label;Increment Variable;Restart Run";
const char kKeyboardMethods[] =
    "Simulate Keypress;Buffered Virtual Keys;Text via Clipboard;Direct Window Entry;Text + System Keys";
const char kSpecialCharactersWarning[] =
    "You have special characters in the text that may not work with the \"Simulate Keystrokes\" method.  "
    "\"Buffered Virtual Keys\" or \"Via Clipboard\" are the recommended methods.";

namespace {

using K = FieldKind;
using F = StepField;

FieldSpec text(const char* label, FieldKind kind = K::kMultiEdit) { return {label, kind, F::kText}; }
FieldSpec value(const char* label, int index, FieldKind kind = K::kEdit) { return {label, kind, F::kValue, index}; }
FieldSpec timeout(const char* label) { return {label, K::kEdit, F::kTimeout}; }
FieldSpec check(const char* label, uint32_t mask, uint32_t bits) { return {label, K::kCheck, F::kOptions, 0, mask, bits}; }
FieldSpec radio(const char* label, uint32_t mask, uint32_t bits) { return {label, K::kRadio, F::kOptions, 0, mask, bits}; }
FieldSpec text_check(const char* label, StepField field, int index, CheckTest test, const char* on, const char* off) {
    return {label, K::kTextCheck, field, index, 0, 0, "", on, off, test};
}
FieldSpec list(const char* label, StepField field, int index, const char* choices) {
    return {label, K::kList, field, index, 0, 0, choices};
}
constexpr uint32_t kToFile = kOptionResultToClipboard << 2;  // bit 22: the result goes to a file

constexpr uint32_t kResultMask = kOptionResultToClipboard | kOptionResultToVariable;

enum Shared { kC = 1, kF = 2, kR = 4 };

PaneSpec pane(int code, const char* name, std::vector<FieldSpec> own, int shared,
              const char* no_result = "Don't Save Result") {
    own.push_back({"&Comment:", K::kMultiEdit, F::kComment});
    if (shared & kF) {
        own.push_back({"On Fail&ure:", K::kList, F::kOnfailMode, 0, 0, 0, kFailureModes});
        own.push_back({"JUMP", K::kEdit, F::kOnfailLabel});
        own.push_back({"Write to &Log", K::kCheck, F::kOnfailLog, 0, 1, 1});
        own.push_back({"Save Screen &Image", K::kCheck, F::kOnfailImage, 0, 1, 1});
    }
    if (shared & kR) {
        own.push_back(radio(no_result, kResultMask, 0));
        own.push_back(radio("Save Result to Clipboard", kResultMask, kOptionResultToClipboard));
        own.push_back(radio("Save Result to Variable:", kResultMask, kOptionResultToVariable));
        own.push_back({"", K::kEdit, F::kVariable});
    }
    return {code, name, std::move(own)};
}

std::vector<PaneSpec> build() {
    std::vector<PaneSpec> panes;
    panes.push_back({0, "Nothing Selected", {}});
    panes.push_back(pane(1, "Run Program",
                         {text("&Program:"), radio("Start && Return Immediately", 2, 0),
                          radio("Wait for Program to Exit", 2, 2), timeout("Ma&x Wait:"),
                          text_check("Wait Indefinitely", F::kTimeout, 0, CheckTest::kNegative, "-1", "60"),
                          check("Run Hidden", 1, 1), list("Startup Type:", F::kValue, 0, "Automatic;Manual;Disabled")},
                         kC | kF | kR));
    panes.push_back(pane(2, "Windows/Controls",
                         {text("Window:"), check("Title", 1, 1), check("Class", 2, 2), check("ID", 4, 4),
                          check("Userdata", 8, 8), check("Bitmap", 16, 16), value("Style:", 0),
                          timeout("Ma&x Wait:"), value("Left:", 0), value("Top:", 1)},
                         kC | kF | kR));
    panes.push_back(pane(3, "Keyboard",
                         {text("Type Text:"), check("Expand special formatting (\"%\", {shift}, etc)", 1, 0),
                          {"Method:", K::kList, F::kAction, 0, 0, 0, kKeyboardMethods}},
                         kC));
    panes.push_back(pane(4, "Menu",
                         {text("Menu Text:"), radio("Normal Program Menu", 1, 0), radio("System Menu", 1, 1)},
                         kC | kF | kR));
    panes.push_back(pane(5, "Mouse",
                         {text("Coordinates:"), check("Title", 1, 1), check("Class", 2, 2), check("ID", 4, 4),
                          check("Userdata", 8, 8), value("X:", 0), value("Y:", 1), check("Show Movement", 16, 16),
                          check("Stay at Current Position", 128, 128), radio("Relative to Screen", 96, 0),
                          radio("Relative to Window", 96, 32), radio("Relative to Current Position", 96, 64)},
                         kC | kF));
    panes.push_back(pane(6, "Wait",
                         {text("Window Title:"), value("Color:", 0), timeout("&Delay:"),
                          text_check("Any Key", F::kText, 0, CheckTest::kEmpty, "", "{Esc}")},
                         kC | kF));
    panes.push_back(pane(7, "User Prompt",
                         {text("Message:"), timeout("Ma&x Wait:"),
                          text_check("Required Response", F::kTimeout, 0, CheckTest::kBelowOne, "", "5"),
                          check("Always on Top", 1, 1)},
                         kC | kR));
    panes.push_back(pane(8, "Record Actions",
                         {radio("Play Fast", 3, 1), radio("Play Normal  (Recorded Speed)", 3, 0),
                          radio("Play Slow", 3, 2)},  // "Minimize Zorbel while recording" is a setting
                         kC));
    panes.push_back(pane(9, "Files/Folders",
                         {value("Folder Name:", 0), value("Start Position:", 1),
                          text_check("Start of File", F::kValue, 1, CheckTest::kEquals, "0", ""),
                          text_check("Append", F::kValue, 1, CheckTest::kEquals, "-1", ""), value("Stop Position:", 2),
                          text_check("End of File", F::kValue, 2, CheckTest::kEquals, "0", ""), text("Data to Write:")},
                         kC | kF | kR));
    // The numbered fields are relabelled per action (pane_layout.h).
    panes.push_back(pane(10, "Internet",
                         {text("1:"), value("2:", 2), value("3:", 3), value("4:", 4), value("5:", 5),
                          value("Password:", 1, K::kPassword), check("Save Result to File:", kToFile, kToFile),
                          value("", 6)},
                         kC | kF | kR));
    panes.push_back(pane(11, "Database",
                         {text("SQL Query:"), value("Data Source:", 0), value("Login User:", 1),
                          value("Password:", 2, K::kPassword), timeout("Ma&x Rows:"),
                          text_check("Retrieve All Rows", F::kTimeout, 0, CheckTest::kNegative, "-1", "1000"),
                          check("Export Results to File:", kToFile, kToFile), value("", 4)},
                         kC | kF | kR, "Don't Save Result  (Execute Only)"));
    panes.push_back(pane(12, "Loops / Flow", {text("1:"), timeout("2:"), value("3:", 0), value("(4)", 1)}, kC));
    panes.push_back(pane(13, "IF", {text("1:"), value("2:", 0), value("3:", 1), value("(4)", 2)}, kC));
    panes.push_back(pane(14, "System",
                         {text("1:"), value("2:", 0), value("3:", 1), value("4:", 2), timeout("5:")}, kC | kF | kR));
    panes.push_back(pane(15, "External Functions", {text("Function:"), value("Module:", 0)}, kC | kF | kR));
    return panes;
}

std::string bounded(std::string_view value, size_t limit) {
    return std::string(limit && value.size() > limit ? value.substr(0, limit) : value);
}

bool is_checked(std::string_view value) { return value == "1"; }

}  // namespace

size_t field_limit(StepField field) {
    switch (field) {
        case F::kValue: return kValueFieldSize - 1;
        case F::kTimeout:
        case F::kOnfailMode:
        case F::kOnfailLabel:
        case F::kAction: return kNameFieldSize - 1;
        case F::kVariable: return kNameFieldSize - 2;
        default: return 0;
    }
}

const PaneSpec& pane_spec(int32_t code) {
    static const std::vector<PaneSpec> panes = build();
    return panes[code >= 1 && code < kPaneCount ? static_cast<size_t>(code) : 0];
}

namespace {

bool check_holds(const FieldSpec& spec, const std::string& text) {
    switch (spec.test) {
        case CheckTest::kEquals: return text == spec.on;
        case CheckTest::kNegative: return !text.empty() && text_to_number(text) < 0;
        case CheckTest::kBelowOne: return text_to_number(text) < 1;
        case CheckTest::kEmpty: return text.empty();
    }
    return false;
}

}  // namespace

std::string load_field(const Step& step, const FieldSpec& spec) {
    if (spec.kind == K::kTextCheck) {
        FieldSpec plain = spec;
        plain.kind = K::kEdit;
        return check_holds(spec, load_field(step, plain)) ? "1" : "0";
    }
    switch (spec.field) {
        case F::kText: return spec.kind == K::kPassword ? unrotate_password(step.text) : step.text;
        case F::kComment: return step.comment;
        case F::kTimeout: return std::string(field_text(step.timeout));
        case F::kValue: {
            const std::string stored(field_text(step.value[spec.value_index]));
            return spec.kind == K::kPassword ? unrotate_password(stored) : stored;
        }
        case F::kVariable: {
            std::string_view name = field_text(step.variable);
            if (!name.empty() && name.front() == '%') name.remove_prefix(1);
            return std::string(name);
        }
        case F::kOnfailMode: return std::string(field_text(step.onfail));
        case F::kOnfailLabel: return std::string(field_text(step.onfail_label));
        case F::kOnfailLog: return step.onfail_log ? "1" : "0";
        case F::kOnfailImage: return step.onfail_image ? "1" : "0";
        case F::kOptions: return (step.options & spec.mask) == spec.bits ? "1" : "0";
        case F::kAction: return std::string(field_text(step.action));
    }
    return "";
}

void write_field(Step& step, const FieldSpec& spec, std::string_view value) {
    if (spec.kind == K::kTextCheck) {
        FieldSpec plain = spec;
        plain.kind = K::kEdit;
        write_field(step, plain, is_checked(value) ? spec.on : spec.off);
        return;
    }
    const std::string cut = bounded(value, field_limit(spec.field));
    const std::string stored = spec.kind == K::kPassword ? rotate_password(cut) : cut;
    switch (spec.field) {
        case F::kText: step.text = stored; break;
        case F::kComment: step.comment = stored; break;
        case F::kTimeout: copy_to_field(step.timeout, stored); break;
        case F::kValue: copy_to_field(step.value[spec.value_index], stored); break;
        case F::kVariable: copy_to_field(step.variable, stored.empty() || stored.front() == '%' ? stored : "%" + stored); break;
        case F::kOnfailMode: copy_to_field(step.onfail, stored); break;
        case F::kOnfailLabel: copy_to_field(step.onfail_label, stored); break;
        case F::kOnfailLog: step.onfail_log = is_checked(value) ? 1 : 0; break;
        case F::kOnfailImage: step.onfail_image = is_checked(value) ? 1 : 0; break;
        case F::kOptions:
            if (is_checked(value)) step.options = (step.options & ~spec.mask) | spec.bits;
            else if (spec.kind == K::kCheck) step.options = (step.options & ~spec.mask) | (spec.mask & ~spec.bits);
            break;
        case F::kAction:
            if (const CatalogueEntry* entry = find_action(stored); entry && !entry->is_group) {
                copy_to_field(step.action, entry->name);
                step.family = entry->family;
                step.icon = entry->icon;
            }
            break;
    }
}

std::string rotate_password(std::string_view plain) {
    std::string out(plain);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>('a' + (c - 'a' + 3) % 26);
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>('A' + (c - 'A' + 3) % 26);
    }
    return out;
}

std::string unrotate_password(std::string_view stored) {
    std::string out(stored);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>('a' + (c - 'a' + 23) % 26);
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>('A' + (c - 'A' + 23) % 26);
    }
    return out;
}

std::string keyboard_action_for_text(std::string_view action, std::string_view text) {
    const bool braces = text.find('{') != std::string_view::npos && text.find('}') != std::string_view::npos;
    if (braces && equals_ignore_case(action, "Simulate Keypress")) return "Text + System Keys";
    if (!braces && equals_ignore_case(action, "Text + System Keys")) return "Simulate Keypress";
    return std::string(action);
}

std::string keyboard_warning(std::string_view action, std::string_view text) {
    bool high = false;
    for (char c : text) high = high || static_cast<unsigned char>(c) > 127;
    if (high && (contains_ignore_case(action, "Simulate Keypress") || contains_ignore_case(action, "Direct Window Entry")))
        return kSpecialCharactersWarning;
    return "";
}

const char* failure_extra_caption(std::string_view mode) {
    if (equals_ignore_case(mode, "Jump to Label")) return "JUMP";
    if (equals_ignore_case(mode, "Increment Variable")) return "VARIABLE";
    if (equals_ignore_case(mode, "Retry the Step x Times")) return "RETRY";
    return nullptr;
}

bool steps_equal(const Step& a, const Step& b) {
    PackedStep pa, pb;
    pack_step(a, &pa);
    pack_step(b, &pb);
    return std::memcmp(&pa, &pb, sizeof(pa)) == 0 && a.text == b.text && a.comment == b.comment;
}

std::string picked_colour_text(uint32_t colorref) {
    char text[8];
    std::snprintf(text, sizeof(text), "#%02X%02X%02X", static_cast<unsigned>(colorref & 0xFF),
                  static_cast<unsigned>((colorref >> 8) & 0xFF), static_cast<unsigned>((colorref >> 16) & 0xFF));
    return text;
}

}  // namespace zorbel
