#include "core/legacy_repairs.h"

#include <string>

namespace zorbel {

namespace {

// Version 4 kept a file step's extra number (or a single character, with 0x400)
// in option bits 16..27; it now travels in the text after a "^".
constexpr uint32_t kFileNumberBits = 0x0FFF0000;
constexpr uint32_t kFileNumberIsCharacter = 0x400;

void repair_file_number(LegacyRecord* record) {
    const uint32_t options = record->options;
    if ((options & kFileNumberBits) == 0 || record->text.find('^') != std::string::npos) return;
    record->text.push_back('^');
    if (options & kFileNumberIsCharacter) {
        const char code = static_cast<char>((options >> 16) & 0xFF);
        if (code != '\0') record->text.push_back(code);  // a NUL would end the text
    } else {
        record->text += std::to_string((options >> 16) & 0xFFF);
    }
    record->options &= ~kFileNumberBits;
}

}  // namespace

void repair_version4_record(LegacyRecord* record) {
    record->flags &= ~4u;
    switch (record->type) {
        case 3:
            if (record->options == 0) record->options = 2;  // plain keys were "Simulate Keypress"
            break;
        case 5:
            if (record->text.empty() || record->text[0] != '{') record->text = "{" + record->text + "}";
            break;
        case 6:
            if (record->options & (8 | 16)) record->options = 1056;
            break;
        case 9:
            repair_file_number(record);
            break;
        case 13:
            if ((record->options & 0x200) && (record->options & 0x3800)) record->options &= ~0x200u;
            if ((record->options & 0x100) && (record->options & 0x60)) record->options &= ~0x100u;
            break;
        default:
            break;
    }
}

}  // namespace zorbel
