#include "core/legacy_conversion.h"

#include "core/action_catalogue.h"
#include "core/legacy_placements.h"
#include "core/text_rules.h"

namespace zorbel {

const char* const kParentTitleNote =
    "NOTE: \"Parent Title\" is no longer supported as a search method.  Please find the target window again "
    "using the magnifying glass.  ";

namespace {

struct FailureMode {
    uint32_t mode_byte;
    const char* name;
};

constexpr FailureMode kFailureModes[] = {
    {0, "Ignore/Continue"},   {1, "Display Error and Stop"}, {2, "Ask to Continue"},
    {8, "Jump to Label"},     {16, "Jump to Label"},          {32, "Stop Silently"},
    {64, "Increment Variable"}, {128, "Restart Run"},
};

constexpr uint32_t kJumpModes[] = {8, 16};

// The old text functions of type 16, by option bit (the first set bit wins). Each
// "%s" takes, in turn, the variable, field 2 and field 8.
struct TextFunction {
    uint32_t bit;
    const char* pattern;
};

constexpr TextFunction kTextFunctions[] = {
    {1, "Uppercase( %s )"},
    {2, "Lowercase( %s )"},
    {4, "ReplaceText( %s, \"%s\", \"%s\" )"},
    {8, "GetSubText( %s, \"%s\", %s )"},
    {16, "Length( %s )"},
    {32, "CountItems( %s, \"%s\" )"},
    {64, "Trim( %s )"},
    {128, "InsertText( %s, %s, \"%s\" )"},
    {0x100, "FindText( %s, \"%s\" )"},
};

// Fills each "%s" of `pattern` with the next argument; the arguments are not scanned again.
std::string fill_pattern(std::string_view pattern, const std::string* args, size_t arg_count) {
    std::string out;
    size_t next_arg = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            if (next_arg < arg_count) out += args[next_arg++];
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

// Variable names always carry their leading "%".
std::string variable_name(std::string_view name) {
    if (name.empty() || name[0] == '%') return std::string(name);
    return "%" + std::string(name);
}

bool is_plain_number(std::string_view text) {
    const std::string trimmed = trim_spaces(text);
    if (trimmed.empty()) return false;
    for (char c : trimmed)
        if (c < '0' || c > '9') return false;
    return true;
}

void replace_first(std::string* text, std::string_view from, std::string_view to) {
    const size_t at = text->find(from);
    if (at != std::string::npos) text->replace(at, from.size(), to);
}

void set_common_fields(const LegacyRecord& record, Step* step) {
    step->status = record.status;
    copy_to_field(step->timeout, record.value);
    copy_to_field(step->onfail_label, record.target);
    copy_to_field(step->variable, variable_name(record.variable));
    step->text = record.text;
    step->comment = record.second_text;
    copy_to_field(step->onfail, failure_mode_of(record.flags & kLegacyFlagModeMask));
    step->onfail_log = (record.flags & kLegacyFlagLog) ? 1 : 0;
    step->onfail_image = (record.flags & kLegacyFlagImage) ? 1 : 0;
}

void apply_text_function(const LegacyRecord& record, Step* step) {
    copy_to_field(step->variable, variable_name(record.text));
    const std::string args[] = {std::string(field_text(step->variable)), record.value, record.target};
    for (const TextFunction& function : kTextFunctions) {
        if (record.options & function.bit) {
            step->text = fill_pattern(function.pattern, args, 3);
            return;
        }
    }
    step->text = args[0];  // no function: the variable keeps its value
}

void apply_touch(Touch touch, const LegacyRecord& record, int32_t step_index, ConversionState* state, Step* step) {
    switch (touch) {
        case Touch::kNone:
        case Touch::kButtonDownOrUp:  // settled with the name
            break;
        case Touch::kKeyDown:
            replace_first(&step->text, "}", "Down}");
            break;
        case Touch::kKeyUp:
            replace_first(&step->text, "}", "Up}");
            break;
        case Touch::kCalcWrap:
            if (step->text.find_first_of("+-*/") == std::string::npos) step->text = "CALC(" + step->text + ")";
            break;
        case Touch::kVideoMode:
            step->text = convert_video_mode_text(step->text);
            break;
        case Touch::kGotoLabel:
            state->jumps.push_back(LegacyJump{step_index, jump_target_of(record.target), JumpKind::kGoto});
            break;
        case Touch::kValue1FromText:
            copy_to_field(step->value[0], record.text);
            break;
        case Touch::kRegistryWrite:
            copy_to_field(step->value[0], record.text);
            step->text = record.second_text;
            break;
        case Touch::kDllCall:
            copy_to_field(step->value[0], record.second_text);
            break;
        case Touch::kTextFunction:
            apply_text_function(record, step);
            break;
        case Touch::kParentTitle:
            step->text = replace_all(step->text, "+", "|");
            step->comment.insert(0, kParentTitleNote);
            break;
    }
}

// Changes that belong to the record type as a whole.
void apply_type_fields(const LegacyRecord& record, Step* step) {
    switch (record.type) {
        case 6:
            copy_to_field(step->value[0], list_item(record.text, ',', 0));
            copy_to_field(step->value[1], list_item(record.text, ',', 1));
            break;
        case 11:
            copy_to_field(step->timeout, "-1");
            copy_to_field(step->value[0], record.text);
            break;
        case 16: {
            const std::string_view action = field_text(step->action);
            if (!record.variable.empty() &&
                (equals_ignore_case(action, "Win32 API") || equals_ignore_case(action, "Call DLL Function")))
                step->options |= kOptionResultToVariable;
            break;
        }
        default:
            place_version4_parameters(record, step);
            break;
    }
}

void note_failure_jump(const LegacyRecord& record, int32_t step_index, ConversionState* state) {
    const uint32_t mode = record.flags & kLegacyFlagModeMask;
    for (uint32_t jump_mode : kJumpModes) {
        // A numbered failure jump needs a label as much as a "Goto Label" does.
        if (mode == jump_mode && is_plain_number(record.target)) {
            state->jumps.push_back(LegacyJump{step_index, jump_target_of(record.target), JumpKind::kOnFailure});
            return;
        }
    }
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view failure_mode_of(uint32_t mode_byte) {
    for (const FailureMode& mode : kFailureModes)
        if (mode.mode_byte == mode_byte) return mode.name;
    return std::string_view();
}

std::string convert_video_mode_text(std::string_view text) {
    // Old texts wrote "800 x 600 x 16 Bit" or "800x600 x 16 Bit". The separators after
    // the size become ","; the one inside the size stays, since the mode is read back
    // as width "x" height.
    bool bare_x = false;
    for (size_t i = 0; i < text.size(); ++i)
        if ((text[i] == 'x' || text[i] == 'X') && (i == 0 || text[i - 1] != ' ')) bare_x = true;
    bool keep_next_separator = !bare_x;
    std::string separated;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
            if (keep_next_separator) {
                separated.append(text.substr(i, 2));
                keep_next_separator = false;
            } else {
                separated.push_back(',');
            }
            ++i;
            continue;
        }
        separated.push_back(text[i]);
    }

    // The colour depths, each a whole number ("24 Bit" is not "4 Bit").
    struct Depth {
        std::string_view old_name;
        const char* new_name;
    };
    static constexpr Depth kDepths[] = {
        {"16 Bit", "High Color (16 Bit)"}, {"32 Bit", "True Color (32 Bit)"},
        {"4 Bit", "16 Colors"},            {"8 Bit", "256 Colors"},
    };
    std::string out;
    for (size_t i = 0; i < separated.size();) {
        bool replaced = false;
        if (i == 0 || !is_digit(separated[i - 1])) {
            for (const Depth& depth : kDepths) {
                if (starts_with_ignore_case(std::string_view(separated).substr(i), depth.old_name)) {
                    out += depth.new_name;
                    i += depth.old_name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out.push_back(separated[i++]);
    }
    return out;
}

void convert_version4_record(const LegacyRecord& record, int32_t step_index, ConversionState* state, Step* step) {
    set_common_fields(record, step);
    const ActionChoice choice = choose_version4_action(record, &state->table);
    // A step without a name would be saved as an empty <action> element, which stops
    // every later load at that step: such steps get the name the import already uses
    // for actions that no longer exist.
    copy_to_field(step->action, choice.name.empty() ? std::string(kActionNotAvailable) : choice.name);
    step->family = choice.family;
    if (const CatalogueEntry* entry = choice.name.empty() ? nullptr : find_action(choice.name))
        step->icon = entry->icon;
    step->options = choice.options;
    apply_touch(choice.touch, record, step_index, state, step);
    apply_touch(choice.option_touch, record, step_index, state, step);
    apply_type_fields(record, step);
    note_failure_jump(record, step_index, state);
}

}  // namespace zorbel
