#include "engine/command_line.h"

#include "core/text_rules.h"

namespace zorbel {

const char kCommandLineHelp[] =
    "Zorbel Startup (Command Line) Options:\n"
    "\n"
    "\t/e\tEdit file\n"
    "\t/r\tRun file\n"
    "\t/v\tRun file in Zorbel\n"
    "\t/L\tTurn logging on\n"
    "\t/f\tTurn logging off\n"
    "\t/s\tSet run speed (1-10)\n"
    "\t/g\tSuppress startup banner\n"
    "\t/u\tUnattended: report boxes in the log, never wait\n"
    "\t/compile\tCompile file to .exe and exit\n"
    "\t%x=1\tSet user variable\n"
    "\t/?\tShow this help message\n"
    "\n"
    "Example:  zorbel.exe /s9 foo=\"two words\" /r C:\\Scripts\\MyScript.zbx\n"
    "\n"
    "Unattended (/u): every box is written as one line to the run log and to standard\n"
    "error and answered at once (OK, No, Cancel). When the run stops on a failure or\n"
    "the script cannot be loaded, and the script set no return code, the exit code is 1.";

namespace {

struct Word {
    size_t begin;
    size_t end;  // one past the last character
};

// Splits the line into blank-separated words. Double quotes group blanks into a word;
// so does a single-quoted value directly after "=".
std::vector<Word> split_words(std::string_view line) {
    std::vector<Word> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        size_t begin = i;
        char quote = 0;
        while (i < line.size()) {
            char c = line[i];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"') {
                quote = '"';
            } else if (c == '\'' && i > begin && line[i - 1] == '=') {
                quote = '\'';
            } else if (c == ' ' || c == '\t') {
                break;
            }
            ++i;
        }
        words.push_back({begin, i});
    }
    return words;
}

// The switches, each with its slash and dash form, matched at the start of a word.
enum class Switch { kNone, kHelp, kEdit, kVisibleRun, kRun, kLogOn, kLogOff, kNoSplash, kSpeed, kUnattended };

struct SwitchName {
    const char* name;  // without the leading '/' or '-'
    Switch which;
};

constexpr SwitchName kSwitches[] = {
    {"HELP", Switch::kHelp}, {"?", Switch::kHelp},  {"e", Switch::kEdit},   {"v", Switch::kVisibleRun},
    {"r", Switch::kRun},     {"L", Switch::kLogOn}, {"f", Switch::kLogOff}, {"g", Switch::kNoSplash},
    {"s", Switch::kSpeed},   {"u", Switch::kUnattended},
};

// The switch a word starts with, and how many characters its name takes.
Switch switch_at(std::string_view word, size_t* length) {
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) return Switch::kNone;
    for (const SwitchName& s : kSwitches) {
        if (starts_with_ignore_case(word.substr(1), s.name)) {
            *length = 1 + std::string_view(s.name).size();
            return s.which;
        }
    }
    return Switch::kNone;
}

bool is_digit_or_minus(char c) { return (c >= '0' && c <= '9') || c == '-'; }

// The speed from the text after "/s": digits and minus signs only, at most 30
// characters; 1..10 is taken, above 10 gives 10, anything else 5.
int speed_from(std::string_view text) {
    std::string digits;
    for (size_t i = 0; i < text.size() && i < 30; ++i)
        if (is_digit_or_minus(text[i])) digits += text[i];
    int value = text_to_number(digits);
    if (value > 10) return 10;
    if (value < 1) return 5;
    return value;
}

// Reads "name=value" from a word whose "=" is at `equals`. The name loses every "%";
// the value runs to the first blank, "%" or "/" outside quotes, and enclosing quotes
// are removed.
std::pair<std::string, std::string> assignment_from(std::string_view word, size_t equals) {
    std::string name;
    for (char c : word.substr(0, equals))
        if (c != '%') name += c;
    std::string_view rest = word.substr(equals + 1);
    std::string value;
    if (!rest.empty() && (rest[0] == '"' || rest[0] == '\'')) {
        size_t close = rest.find(rest[0], 1);
        value = std::string(rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    } else {
        size_t end = rest.find_first_of(" %/");
        value = std::string(rest.substr(0, end));
    }
    return {name, value};
}

// The position of the "=" that makes a word an assignment: outside quotes, with no
// "\" before it (a path such as C:\data\a=b.zbx is not an assignment).
size_t assignment_equals(std::string_view word) {
    bool quoted = false;
    for (size_t i = 0; i < word.size(); ++i) {
        char c = word[i];
        if (c == '"') quoted = !quoted;
        else if (!quoted && c == '\\') return std::string_view::npos;
        else if (!quoted && c == '=') return i > 0 ? i : std::string_view::npos;
    }
    return std::string_view::npos;
}

}  // namespace

CommandLine parse_command_line(std::string_view line) {
    CommandLine result;
    std::vector<Word> words = split_words(line);
    std::vector<bool> cut(line.size(), false);
    auto cut_span = [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end && i < cut.size(); ++i) cut[i] = true;
    };

    for (size_t w = 0; w < words.size(); ++w) {
        std::string_view word = line.substr(words[w].begin, words[w].end - words[w].begin);
        size_t length = 0;
        Switch which = switch_at(word, &length);
        if (which != Switch::kNone) {
            cut_span(words[w].begin, words[w].begin + length);
            switch (which) {
                case Switch::kHelp: result.show_help = true; break;
                case Switch::kEdit: result.flags |= kStartOpenFile; break;
                case Switch::kVisibleRun: result.flags |= kStartOpenFile | kStartRunScript; break;
                case Switch::kRun:
                    result.flags |= kStartHidden | kStartOpenFile | kStartRunScript | kStartExitAfterRun;
                    break;
                case Switch::kLogOn: result.log = 1; break;
                case Switch::kLogOff: result.log = 0; break;
                case Switch::kNoSplash: result.suppress_splash = true; break;
                case Switch::kUnattended: result.unattended = true; break;
                case Switch::kSpeed: {
                    std::string_view number = word.substr(length);
                    // "/s 9": the number may stand in the next word.
                    if (number.empty() && w + 1 < words.size()) {
                        std::string_view next = line.substr(words[w + 1].begin, words[w + 1].end - words[w + 1].begin);
                        if (!next.empty() && is_digit_or_minus(next[0])) {
                            number = next;
                            cut_span(words[w].begin, words[w + 1].end);
                            ++w;
                        }
                    }
                    cut_span(words[w].begin, words[w].end);
                    result.speed = speed_from(number);
                    break;
                }
                case Switch::kNone: break;
            }
            continue;
        }
        size_t equals = assignment_equals(word);
        if (equals != std::string_view::npos) {
            result.variables.push_back(assignment_from(word, equals));
            result.flags |= kStartVariablesSet;
            cut_span(words[w].begin, words[w].end);
        }
    }

    // The file name is what remains, trimmed of blanks and one pair of enclosing quotes.
    std::string rest;
    for (size_t i = 0; i < line.size(); ++i)
        if (!cut[i]) rest += line[i];
    size_t b = rest.find_first_not_of(" \t");
    size_t e = rest.find_last_not_of(" \t");
    rest = b == std::string::npos ? std::string() : rest.substr(b, e - b + 1);
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
    if (rest == "%") rest.clear();
    if (!rest.empty()) {
        result.file = rest;
        result.flags |= kStartOpenFile;
    }
    return result;
}

}  // namespace zorbel
