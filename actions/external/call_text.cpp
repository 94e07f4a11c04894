#include "actions/external/call_text.h"

#include <cstring>

#include "actions/system/number_bits.h"
#include "core/text_rules.h"
#include "engine/text_functions.h"

namespace zorbel {
namespace {

// Functions looked up with "A" appended (the name must match exactly).
constexpr const char* kAnsiNames[] = {
    "MessageBox", "CallWindowProc", "CharLower", "CharNext", "CharPrev", "CharToOem", "CharUpper", "CharUpperBuff",
    "CreateWindow", "CreateWindowEx", "CreateDialog", "CreateDialogIndirect", "CreateDialogIndirectParam",
    "CreateFile", "DialogBox", "DialogBoxIndirect", "DialogBoxParam", "DispatchMessage", "DlgDirList",
    "DlgDirListComboBox", "DlgDirSelectEx", "DrawText", "DrawTextEx", "FindWindow", "FindWindowEx", "GetClassLong",
    "GetDlgItemText", "GetMenuString", "GetMessage", "GetWindowLong", "GetWindowText", "IsCharAlpha",
    "IsCharAlphaNumeric", "IsCharLower", "IsCharUpper", "IsDialogMessage", "PostMessage", "PeekMessage",
    "RegisterClass", "RegisterClassEx", "SendMessage", "SendDlgItemMessage", "SendMessageTimeout", "SetWindowLong",
    "SetWindowsHook", "SetWindowsHookEx", "SetWindowText", "wsprintf", "SetDlgItemText", "SetClassLong",
    "SetMenuItemInfo", "SystemParametersInfo", "WinHelp", "ShellAbout",
};

// Fixed layouts: one letter per word, N the number and T the text buffer of the
// argument at that position.
struct FixedLayout {
    const char* name;
    const char* words;
};

constexpr char kVolumeInformation[] = "GetVolumeInformationA";

constexpr FixedLayout kFixedLayouts[] = {
    {"MessageBoxA", "NTTN"},
    {"AngleArc", "NNNNNN"}, {"CreateRoundRectRgn", "NNNNNN"}, {"MoveWindow", "NNNNNN"}, {"PatBlt", "NNNNNN"},
    {"TrackPopupMenuEx", "NNNNNN"},
    {"CreateCursor", "NNNNNNN"}, {"CreateIcon", "NNNNNNN"}, {"ImageList_LoadImage", "NNNNNNN"},
    {"RoundRect", "NNNNNNN"}, {"ScrollDC", "NNNNNNN"}, {"SetWindowPos", "NNNNNNN"}, {"TrackPopupMenu", "NNNNNNN"},
    {"ScrollWindowEx", "NNNNNNNN"},
    {"Arc", "NNNNNNNNN"}, {"ArcTo", "NNNNNNNNN"}, {"BitBlt", "NNNNNNNNN"}, {"Chord", "NNNNNNNNN"},
    {"DrawIconEx", "NNNNNNNNN"}, {"GrayStringA", "NNNNNNNNN"}, {"Pie", "NNNNNNNNN"},
    {"MaskBlt", "NNNNNNNNNNNN"}, {"StretchBlt", "NNNNNNNNNNNN"},
    {"StretchDIBits", "NNNNNNNNNNNNN"},
    {"CompareStringA", "NNTNTN"},
    {"CreateFileA", "TNNNNNN"},
    {"CreateProcessA", "TTNNNNNTNN"},
    {"CreateWindowExA", "NTTNNNNNNNNN"},
    {"ExtEscape", "NNNTNT"},
    {"ToAsciiEx", "NNNTNN"}, {"ToUnicode", "NNNTNN"},
    {"ShellExecuteA", "NTTNNN"},
    {"GetPrivateProfileStringA", "TTTTNT"},
    {kVolumeInformation, ""},
    {"StrStr", "TT"}, {"StrStrA", "TT"},
    // dwFlags, lpSource, dwMessageId, dwLanguageId, lpBuffer, nSize, Arguments.
    {"FormatMessageA", "NNNNTNN"},
};

const FixedLayout* fixed_layout(const std::string& name) {
    for (const FixedLayout& f : kFixedLayouts)
        if (name == f.name) return &f;
    return nullptr;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Characters kept when a sum is worked out.
bool calc_character(char c) {
    return (c >= '0' && c <= '9') || c == ' ' || c == '.' || std::strchr("+-*/^%)(|&~", c) != nullptr;
}

// The sum of one argument, or "" when it is not one.
std::string worked_out(std::string_view field) {
    std::string core = trim_spaces(field);
    if (core.find('+') == std::string::npos || core.find('"') != std::string::npos) return std::string();
    std::string kept;
    for (char c : core)
        if (calc_character(c)) kept += c;
    // An argument list's closing parenthesis may end the last field.
    int depth = 0;
    for (char c : kept) depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    while (depth < 0 && !kept.empty() && kept.back() != '(') {
        if (kept.back() == ')') ++depth;
        kept.pop_back();
    }
    if (text_to_number(kept) < 1) return std::string();
    std::string result;
    calc("CALC(" + kept + ")", &result);
    return result;
}

// The parenthesised argument list of a call as [begin, end) in `call`: after the
// first "(" (if any), without the trailing blanks, ";" and ")". The name is the text
// before the "(", without blanks.
void argument_span(std::string_view call, std::string* name, size_t* begin, size_t* end) {
    size_t start = 0;
    while (start < call.size() && is_blank(call[start])) ++start;
    size_t open = call.find('(', start);
    std::string_view head = call.substr(start, open == std::string_view::npos ? std::string_view::npos : open - start);
    *name = trim_spaces(head);
    *begin = open == std::string_view::npos ? call.size() : open + 1;
    size_t e = call.size();
    auto strip_blanks = [&] {
        while (e > *begin && is_blank(call[e - 1])) --e;
    };
    strip_blanks();
    while (e > *begin && call[e - 1] == ';') --e;
    strip_blanks();
    if (e > *begin && call[e - 1] == ')') --e;
    strip_blanks();
    *end = e;
}

std::string_view argument_text(std::string_view call, std::string* name) {
    size_t begin = 0, end = 0;
    argument_span(call, name, &begin, &end);
    return call.substr(begin, end - begin);
}

int count_arguments(std::string_view args) {
    int count = 1;
    bool quoted = false;
    for (char c : args) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) ++count;
    }
    return count;
}

void fill(CallSlot& slot, std::string_view text) {
    copy_to_field(slot.buffer, text.substr(0, kArgumentTextSize - 1));
}

}  // namespace

std::string prepare_call_text(std::string_view call) {
    std::string text = replace_all_ignore_case(call, "NULL", "\"\"");
    text = replace_all(text, " + ", "+");
    text = replace_all(text, " | ", "+");
    text = replace_all(text, "|", "+");
    std::string name;
    size_t begin = 0, end = 0;
    argument_span(text, &name, &begin, &end);
    for (int field = 0; field < 6 && begin < end; ++field) {
        size_t comma = text.find(',', begin);
        size_t stop = comma == std::string::npos || comma > end ? end : comma;
        std::string_view piece = std::string_view(text).substr(begin, stop - begin);
        std::string value = worked_out(piece);
        if (!value.empty()) {
            size_t lead = 0;
            while (lead < piece.size() && is_blank(piece[lead])) ++lead;
            size_t length = trim_spaces(piece).size();
            text.replace(begin + lead, length, value);
            stop = stop - length + value.size();
            end = end - length + value.size();
        }
        begin = stop + 1;
    }
    return text;
}

bool parse_call_text(std::string_view call, ParsedCall* out, std::string* error) {
    std::string_view args = argument_text(call, &out->name);
    const std::string exported = exported_name(out->name);
    const FixedLayout* layout = fixed_layout(exported);
    if (count_arguments(args) >= 6 &&
        (layout == nullptr || exported == "MessageBoxA" || exported == "StrStr" || exported == "StrStrA")) {
        *error = format("The \"%s\" Win32 API function is not supported.  Check to be sure that the name is correct.",
                        exported.c_str());
        return false;
    }
    size_t i = 0;
    auto skip = [&](char c) {
        while (i < args.size() && args[i] == c) ++i;
    };
    out->count = 0;
    out->signature.clear();
    while (out->count < kArgumentSlots) {
        skip(' ');
        if (i >= args.size()) break;
        CallSlot& slot = out->slots[static_cast<size_t>(out->count)];
        slot.used = true;
        char c = args[i];
        if ((c >= '0' && c <= '9') || c == '-') {
            size_t start = i;
            while (i < args.size() && ((args[i] >= '0' && args[i] <= '9') || args[i] == '-')) ++i;
            fill(slot, args.substr(start, i - start));
            slot.number = text_to_number_bits(args.substr(start, i - start)).low;
            out->signature += '1';
        } else if (c == '"') {
            size_t close = args.find('"', i + 1);
            if (close == std::string_view::npos) {
                *error = format("The formatting of the function call is incorrect (no closing quote: \"%s\")",
                                std::string(args.substr(i, 200)).c_str());
                return false;
            }
            fill(slot, args.substr(i + 1, close - i - 1));
            slot.text = true;
            i = close + 1;
            out->signature += '2';
        } else {
            size_t end = args.find_first_of(",\"", i);
            if (end == std::string_view::npos) end = args.size();
            fill(slot, args.substr(i, end - i));
            slot.text = true;
            i = end;
            out->signature += '2';
        }
        ++out->count;
        skip(' ');
        skip(',');
        skip(' ');
    }
    while (i < args.size() && (args[i] == ' ' || args[i] == ';')) ++i;
    if (i < args.size()) {
        *error = format("The formatting of the function call is incorrect (characters found after end: \"%s\")",
                        std::string(args.substr(i, 200)).c_str());
        return false;
    }
    return true;
}

std::string exported_name(const std::string& name) {
    for (const char* ansi : kAnsiNames)
        if (name == ansi) return name + "A";
    return name;
}

std::vector<LibraryArgument> call_arguments(const std::string& exported, ParsedCall& call, uint32_t numbers[3]) {
    std::vector<LibraryArgument> words;
    auto number = [&](size_t slot) {
        LibraryArgument a;
        a.number = call.slots[slot].number;
        words.push_back(a);
    };
    auto text = [&](size_t slot) {
        LibraryArgument a;
        a.kind = LibraryArgument::kText;
        a.text = call.slots[slot].buffer;
        words.push_back(a);
    };
    auto constant = [&](uint32_t value) {
        LibraryArgument a;
        a.number = value;
        words.push_back(a);
    };
    if (exported == kVolumeInformation) {
        // Root, volume name buffer and its size, serial number, longest component, flags,
        // file-system name buffer and its size.
        numbers[0] = 0;
        numbers[1] = 255;
        numbers[2] = 0;
        text(0);
        text(1);
        constant(255);
        for (int k = 0; k < 3; ++k) {
            LibraryArgument a;
            a.kind = LibraryArgument::kNumberAddress;
            a.address = &numbers[k];
            words.push_back(a);
        }
        text(6);
        constant(255);
        return words;
    }
    if (const FixedLayout* layout = fixed_layout(exported)) {
        for (size_t k = 0; layout->words[k] != '\0'; ++k) layout->words[k] == 'T' ? text(k) : number(k);
        return words;
    }
    for (size_t k = 0; k < static_cast<size_t>(call.count); ++k) call.slots[k].text ? text(k) : number(k);
    return words;
}

void finish_call(const std::string& exported, ParsedCall& call, const uint32_t numbers[3]) {
    if (exported != kVolumeInformation) return;
    for (size_t k = 0; k < 3; ++k) copy_to_field(call.slots[3 + k].buffer, format("%u", numbers[k]));
}

}  // namespace zorbel
