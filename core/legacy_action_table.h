// Which action a version 4 record becomes: one table per record type, whose rows
// are tried in order against the record's option bits (the first match wins), and
// the step options that the record's bits add.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/legacy_record.h"

namespace zorbel {

// The name a converted step gets when its version 4 action no longer exists.
constexpr const char* kActionNotAvailable = "(Action not Available)";

// A change of the step's fields that goes with a row.
enum class Touch : uint8_t {
    kNone,
    kKeyDown,             // the first "}" of the text becomes "Down}"
    kKeyUp,               // the first "}" of the text becomes "Up}"
    kButtonDownOrUp,      // "Left Button Down & Hold" and "Left Button Up" take turns through the file
    kCalcWrap,            // the text is wrapped in "CALC(" ... ")" unless it holds + - * /
    kVideoMode,           // the old mode text is written the way the mode list shows it
    kGotoLabel,           // a numbered jump; its target becomes a label
    kValue1FromText,      // value1 = the text
    kRegistryWrite,       // value1 = the text, text = field 3
    kDllCall,             // value1 = field 3
    kTextFunction,        // the text is a text-function call on the variable in field 1
    kParentTitle,         // the "Parent Title" search: "+" becomes "|" and the comment gets a note
};

enum class TextTest : uint8_t { kNone, kHasButton, kHasPercent };

struct ActionRow {
    uint32_t any_of = 0;  // the row applies when the options have any of these bits (0: always) ...
    uint32_t all_of = 0;  // ... and all of these
    TextTest test = TextTest::kNone;
    const char* name = nullptr;
    uint32_t family = 0;        // 0: the family of the record type
    uint32_t sets = 0;          // step options the row gives
    uint32_t if_bit = 0;        // a record option that ...
    uint32_t adds = 0;          // ... adds these step options
    Touch touch = Touch::kNone;
    bool no_option_rules = false;  // the type's option rules do not apply to this row

    constexpr ActionRow setting(uint32_t options) const {
        ActionRow r = *this;
        r.sets = options;
        return r;
    }
    constexpr ActionRow adding_for(uint32_t bit, uint32_t options) const {
        ActionRow r = *this;
        r.if_bit = bit;
        r.adds = options;
        return r;
    }
    constexpr ActionRow in_family(uint32_t code) const {
        ActionRow r = *this;
        r.family = code;
        return r;
    }
    constexpr ActionRow touching(Touch t) const {
        ActionRow r = *this;
        r.touch = t;
        return r;
    }
    constexpr ActionRow if_text(TextTest t) const {
        ActionRow r = *this;
        r.test = t;
        return r;
    }
    constexpr ActionRow without_option_rules() const {
        ActionRow r = *this;
        r.no_option_rules = true;
        return r;
    }
};

// A record option bit that adds step options; `otherwise` rules apply only when the
// rule before them did not.
struct OptionRule {
    uint32_t any_of;
    uint32_t adds;
    bool otherwise;
    Touch touch;
};

struct TypeRule {
    uint32_t family;
    uint32_t base_options;
    const ActionRow* rows;
    size_t row_count;
    const OptionRule* option_rules;
    size_t option_rule_count;
};

// The rule of a record type 1..17 (17 has no rows and family 0); null for other types.
const TypeRule* version4_type_rule(int32_t type);

struct ActionChoice {
    std::string_view name;  // empty when no row applies
    uint32_t family = 0;
    uint32_t options = 0;
    Touch touch = Touch::kNone;         // of the chosen row
    Touch option_touch = Touch::kNone;  // of an option rule
};

// Conversion state that runs through one file.
struct ActionTableState {
    bool next_button_is_up = false;  // "Left Button Down & Hold" came last
};

ActionChoice choose_version4_action(const LegacyRecord& record, ActionTableState* state);

}  // namespace zorbel
