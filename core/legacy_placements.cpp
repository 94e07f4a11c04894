#include "core/legacy_placements.h"

#include <string>
#include <vector>

#include "core/text_rules.h"

namespace zorbel {

namespace {

// Parameter placements. The main text (field 1) is split at "^" and its parts fill
// the slots of the action in the order listed; the second text (field 3), where an
// action has a body, becomes the step's text and no longer serves as its comment.
// The slots follow the fields each executor reads.
//
//   Files (type 9)                       part 1   part 2   part 3   second text
//   "Read File"                          value1   value2   value3   comment
//     (file, start position, stop position)
//   "Write/Create File"                  value1   value2            text (data to write)
//     (file, start position)
//   "Copy File", "Move/Rename File"      value1                     text (destination)
//   "Copy Folder", "Move/Rename Folder"  value1                     text (destination)
//   "Delete File", "Create Folder",      value1                     comment
//   "Delete Folder"
//   "Map Drive"                          value1 (share)             text (drive)
//   Files keep no text of their own: whatever is not placed is dropped from it.
//
//   Prompts (type 12): the executor reads only the text, so the text stays whole;
//   "Choose from a List" had its items after "^" and now lists them after ";".
//
//   Internet (type 15)        part 1    part 2    part 3    part 4    part 5   second text
//   "Open a Web Page"         text
//   "Save Web Page HTML/Text" text      value7                                 comment
//     (address, file)
//   "Download", "HTTP Post"   text      value7                                 comment
//     (address, result file)
//   "FTP ..."                 text      value2    value3    value7             comment
//     (server/dir/file, password as stored, login, local or result file)
//   "Check/Delete Email:      text      value2    value3    value4    value7   comment
//    POP3"  (server, password as stored, login, message number, result file)
//   "Send Email: SMTP"        value3    value4    value5    value6             text (message)
//     (server, subject, from, to)
//   "Send Email: MAPI",       value3    value4                                 text (message)
//   "Send Email: "mailto""  (to, subject)
//   "Ping IP Address"         text      value3
//     (host, time-out)
//   The actions that return a result (Download, HTTP Post, FTP Download, Check
//   Email) save it to their file when one is given and to the step's variable when
//   the record names one.

enum class Slot : uint8_t { kNone, kText, kValue1, kValue2, kValue3, kValue4, kValue5, kValue6, kValue7 };

constexpr int kMaxParts = 5;

struct Placement {
    const char* action;
    Slot parts[kMaxParts];
    bool body_from_second_text;  // the second text is the step's text
    bool returns_result;
};

constexpr Placement kPlacements[] = {
    // Files.
    {"Read File", {Slot::kValue1, Slot::kValue2, Slot::kValue3}, false, false},
    {"Write/Create File", {Slot::kValue1, Slot::kValue2}, true, false},
    {"Copy File", {Slot::kValue1}, true, false},
    {"Move/Rename File", {Slot::kValue1}, true, false},
    {"Copy Folder", {Slot::kValue1}, true, false},
    {"Move/Rename Folder", {Slot::kValue1}, true, false},
    {"Delete File", {Slot::kValue1}, false, false},
    {"Create Folder", {Slot::kValue1}, false, false},
    {"Delete Folder", {Slot::kValue1}, false, false},
    {"Map Drive", {Slot::kValue1}, true, false},
    // Internet.
    {"Open a Web Page", {Slot::kText}, false, false},
    {"Save Web Page HTML", {Slot::kText, Slot::kValue7}, false, false},
    {"Save Web Page Text", {Slot::kText, Slot::kValue7}, false, false},
    {"Download", {Slot::kText, Slot::kValue7}, false, true},
    {"HTTP Post", {Slot::kText, Slot::kValue7}, false, true},
    {"FTP Download", {Slot::kText, Slot::kValue2, Slot::kValue3, Slot::kValue7}, false, true},
    {"FTP Upload", {Slot::kText, Slot::kValue2, Slot::kValue3, Slot::kValue7}, false, false},
    {"FTP Delete File", {Slot::kText, Slot::kValue2, Slot::kValue3}, false, false},
    {"FTP Create Folder", {Slot::kText, Slot::kValue2, Slot::kValue3}, false, false},
    {"FTP Delete Folder", {Slot::kText, Slot::kValue2, Slot::kValue3}, false, false},
    {"Check Email: POP3", {Slot::kText, Slot::kValue2, Slot::kValue3, Slot::kValue4, Slot::kValue7}, false, true},
    {"Delete Email: POP3", {Slot::kText, Slot::kValue2, Slot::kValue3, Slot::kValue4}, false, false},
    {"Send Email: SMTP", {Slot::kValue3, Slot::kValue4, Slot::kValue5, Slot::kValue6}, true, false},
    {"Send Email: MAPI", {Slot::kValue3, Slot::kValue4}, true, false},
    {"Send Email: \"mailto\"", {Slot::kValue3, Slot::kValue4}, true, false},
    {"Ping IP Address", {Slot::kText, Slot::kValue3}, false, false},
};

const Placement* placement_of(std::string_view action) {
    for (const Placement& p : kPlacements)
        if (equals_ignore_case(action, p.action)) return &p;
    return nullptr;
}

std::vector<std::string> split_parts(std::string_view text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t caret = text.find('^', start);
        if (caret == std::string_view::npos) break;
        parts.emplace_back(text.substr(start, caret - start));
        start = caret + 1;
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

void put(Slot slot, const std::string& part, Step* step) {
    switch (slot) {
        case Slot::kNone:
            return;
        case Slot::kText:
            step->text = part;
            return;
        default:
            copy_to_field(step->value[static_cast<int>(slot) - static_cast<int>(Slot::kValue1)], part);
            return;
    }
}

void place_parameters(const LegacyRecord& record, const Placement& placement, Step* step) {
    step->text.clear();
    if (placement.body_from_second_text) {
        step->text = record.second_text;
        step->comment.clear();
    }
    const std::vector<std::string> parts = split_parts(record.text);
    for (size_t n = 0; n < parts.size() && n < static_cast<size_t>(kMaxParts); ++n)
        put(placement.parts[n], parts[n], step);
    if (placement.returns_result) {
        if (step->value[6][0] != '\0') step->options |= kOptionResultToFile;
        if (step->variable[0] != '\0') step->options |= kOptionResultToVariable;
    }
}

}  // namespace

void place_version4_parameters(const LegacyRecord& record, Step* step) {
    if (record.type != 9 && record.type != 12 && record.type != 15) return;
    const std::string_view action = field_text(step->action);
    if (record.type == 12) {
        if (equals_ignore_case(action, "Choose from a List") && step->text.find(';') == std::string::npos)
            step->text = replace_all(step->text, "^", ";");
        return;
    }
    if (const Placement* placement = placement_of(action)) place_parameters(record, *placement, step);
}

}  // namespace zorbel
