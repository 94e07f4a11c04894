#include "packager/compile_switch.h"

#include <vector>

#include "core/text_rules.h"

namespace zorbel {

namespace {

struct Word {
    size_t start, end;  // in the line, quotes included
};

std::vector<Word> words_of(const std::string& line) {
    std::vector<Word> words;
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        if (at >= line.size()) break;
        const size_t start = at;
        bool quoted = false;
        while (at < line.size() && (quoted || (line[at] != ' ' && line[at] != '\t'))) {
            if (line[at] == '"') quoted = !quoted;
            ++at;
        }
        words.push_back({start, at});
    }
    return words;
}

std::string unquoted(const std::string& word) { return replace_all(word, "\"", ""); }

}  // namespace

bool take_compile_switch(std::string* line, std::string* output) {
    const std::vector<Word> words = words_of(*line);
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string word = line->substr(words[i].start, words[i].end - words[i].start);
        if (!equals_ignore_case(word, "/compile") && !equals_ignore_case(word, "-compile")) continue;
        size_t end = words[i].end;
        output->clear();
        if (i + 1 < words.size()) {
            const std::string next = unquoted(line->substr(words[i + 1].start, words[i + 1].end - words[i + 1].start));
            if (next.size() > 4 && equals_ignore_case(next.substr(next.size() - 4), ".exe")) {
                *output = next;
                end = words[i + 1].end;
            }
        }
        line->erase(words[i].start, end - words[i].start);
        return true;
    }
    return false;
}

}  // namespace zorbel
