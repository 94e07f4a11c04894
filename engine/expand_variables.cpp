// Stages 2 and 3 of the expander: loop variables, user and environment variables.
#include <algorithm>
#include <cstring>
#include <memory>

#include "core/text_rules.h"
#include "engine/expand_internal.h"
#include "engine/variables.h"

namespace zorbel {
namespace expansion {
namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ascii_lower(c);
    return out;
}

template <class Pair>
bool less_name(const Pair& entry, std::string_view name) {
    return std::string_view(entry.first) < name;
}

// The loop variables, in the order stage 2 replaces them.
constexpr const char* kLoopVariables[] = {"file_loop", "file_line_loop", "window_loop", "hwnd_loop", "data_loop"};
// Stage 2 inserts at most this many characters of a loop variable.
constexpr size_t kLoopValueLength = 259;
// The longest name stage 3 takes after a "%".
constexpr size_t kMaxVariableName = 64;

// The text being scanned by stage 3: the rest of the input under a stack of values
// inserted at the scan position, each with the nesting at which it was inserted.
// Inserting a value pushes it instead of rebuilding the text, so a large text with
// many references costs time in proportion to its size and its values.
class ScanText {
public:
    explicit ScanText(std::string_view input) { segments_.push_back(Segment{input, 0, 0}); }

    bool done() {
        while (!segments_.empty() && segments_.back().pos >= segments_.back().text.size()) segments_.pop_back();
        return segments_.empty();
    }
    // REQUIRES: !done(). The rest of the top segment.
    std::string_view top_rest() const {
        const Segment& s = segments_.back();
        return s.text.substr(s.pos);
    }
    int top_nesting() const { return segments_.back().nesting; }
    // Up to `n` characters from the scan position on, across segments.
    std::string peek(size_t n) const {
        std::string out;
        for (size_t i = segments_.size(); i-- > 0 && out.size() < n;) {
            const Segment& s = segments_[i];
            out.append(s.text.substr(s.pos, n - out.size()));
        }
        return out;
    }
    // Moves the scan position on by `n` characters, across segments.
    void skip(size_t n) {
        while (n > 0 && !done()) {
            Segment& s = segments_.back();
            size_t take = std::min(n, s.text.size() - s.pos);
            s.pos += take;
            n -= take;
        }
    }
    // Inserts `value` at the scan position; the caller keeps it alive.
    void insert(std::string_view value, int nesting) { segments_.push_back(Segment{value, 0, nesting}); }

private:
    struct Segment {
        std::string_view text;
        size_t pos;
        int nesting;
    };
    std::vector<Segment> segments_;
};

}  // namespace

size_t stored_size(const StoredValue& value) {
    size_t text = stored_value_text(value).size();
    return value.data.size() > text ? value.data.size() : text;
}

void EnvironmentSnapshot::load(ExpansionEnvironment* environment) {
    loaded_ = true;
    entries_.clear();
    index_.clear();
    lengths_.clear();
    if (environment == nullptr) return;
    entries_ = environment->environment_variables();
    index_.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
        index_.emplace_back(lower(entries_[i].first), i);
        size_t n = entries_[i].first.size();
        if (lengths_.size() <= n) lengths_.resize(n + 1, false);
        lengths_[n] = true;
    }
    // Stable, so the first of two names that differ only in case wins, as in the system's lookup.
    std::stable_sort(index_.begin(), index_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

const std::string* EnvironmentSnapshot::find(std::string_view lower_name) const {
    auto it = std::lower_bound(index_.begin(), index_.end(), lower_name, less_name<std::pair<std::string, size_t>>);
    if (it == index_.end() || it->first != lower_name) return nullptr;
    return &entries_[it->second].second;
}

void VariableCache::refresh(SettingsStore& store) {
    KeyStamp now;
    if (!store.key_stamp(SettingsRoot::kCurrentUser, kUserVariablesKey, &now)) {
        // No key, no variables; the next expansion probes again.
        valid_ = true;
        present_ = false;
        values_.clear();
        lengths_prefix_.assign(1, '\0');
        return;
    }
    if (valid_ && present_ && stamp_.settled && stamp_.stamp == now.stamp && stamp_.value_count == now.value_count)
        return;
    std::vector<NamedValue> listed;
    if (!store.list_values(SettingsRoot::kCurrentUser, kUserVariablesKey, &listed)) listed.clear();
    values_.clear();
    values_.reserve(listed.size());
    for (NamedValue& v : listed) values_.emplace_back(lower(v.name), std::move(v.value));
    std::stable_sort(values_.begin(), values_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    valid_ = true;
    present_ = true;
    stamp_ = now;
    lengths_prefix_.assign(1, '\0');  // no prefix matches: lengths are recomputed on demand
}

const StoredValue* VariableCache::find(std::string_view lower_name) const {
    if (!valid_) return nullptr;
    auto it = std::lower_bound(values_.begin(), values_.end(), lower_name, less_name<std::pair<std::string, StoredValue>>);
    if (it == values_.end() || it->first != lower_name) return nullptr;
    return &it->second;
}

bool VariableCache::has_length(std::string_view lower_prefix, size_t length) {
    if (lengths_prefix_ != lower_prefix) {
        lengths_prefix_ = std::string(lower_prefix);
        lengths_.assign(kMaxVariableName + 1, false);
        for (const auto& v : values_) {
            if (v.first.size() <= lower_prefix.size() || v.first.compare(0, lower_prefix.size(), lower_prefix) != 0)
                continue;
            size_t n = v.first.size() - lower_prefix.size();
            if (n <= kMaxVariableName) lengths_[n] = true;
        }
    }
    return length < lengths_.size() && lengths_[length];
}

void expand_loop_variables(std::string* text, VariableCache& cache) {
    for (const char* name : kLoopVariables) {
        const StoredValue* stored = cache.find(name);
        if (stored == nullptr) continue;
        std::string value = stored_value_text(*stored);
        if (value.empty()) continue;
        if (value.size() > kLoopValueLength) value.resize(kLoopValueLength);
        replace_token(text, std::string("%") + name, value);
    }
}

void expand_variables(std::string* text, const EnvironmentSnapshot& environment, VariableCache& cache,
                      const std::string& prefix) {
    if (std::memchr(text->data(), '%', text->size()) == nullptr) return;
    const std::string input = std::move(*text);
    std::string& out = *text;
    out.clear();
    out.reserve(input.size());
    ScanText scan(input);
    std::vector<std::unique_ptr<std::string>> inserted;  // keeps inserted values alive
    const std::string lower_prefix = lower(prefix);
    size_t nested_substitutions = 0;
    size_t projected = input.size();  // the size the text will have, as far as substituted

    while (!scan.done()) {
        std::string_view rest = scan.top_rest();
        const void* hit = std::memchr(rest.data(), '%', rest.size());
        if (hit == nullptr) {
            out.append(rest);
            scan.skip(rest.size());
            continue;
        }
        size_t before = static_cast<size_t>(static_cast<const char*>(hit) - rest.data());
        out.append(rest.substr(0, before));
        scan.skip(before);

        // At a "%": the name runs up to 64 characters, ending before a space, "%", CR or LF.
        const int nesting = scan.top_nesting();
        std::string ahead = scan.peek(1 + kMaxVariableName);
        size_t name_length = 0;
        while (1 + name_length < ahead.size()) {
            char c = ahead[1 + name_length];
            if (c == ' ' || c == '%' || c == '\r' || c == '\n') break;
            ++name_length;
        }
        bool allowed = (nesting == 0 || (nesting < kMaxValueNesting && nested_substitutions < kMaxNestedSubstitutions));
        const std::string lower_name = lower(std::string_view(ahead).substr(1, name_length));
        // Candidates from the whole name down to one character: the longest existing name wins.
        const size_t username_at = lower_name.find("username");
        std::string value;
        size_t found_length = 0;
        bool from_environment = false;
        for (size_t length = name_length; allowed && length > 0; --length) {
            std::string_view candidate = std::string_view(lower_name).substr(0, length);
            bool has_username = username_at != std::string::npos && username_at + 8 <= length;
            if (!has_username && environment.has_length(length)) {
                const std::string* env = environment.find(candidate);
                if (env != nullptr && !env->empty()) {
                    value = *env;
                    found_length = length;
                    from_environment = true;
                    break;
                }
            }
            if (!cache.has_length(lower_prefix, length)) continue;
            const StoredValue* stored = cache.find(lower_prefix + std::string(candidate));
            if (stored != nullptr && stored_size(*stored) > 0) {
                value = Variables::resolve_spill(stored_value_text(*stored));
                found_length = length;
                break;
            }
        }
        value = value.substr(0, value.find('\0'));
        if (found_length == 0 || projected - (1 + found_length) + value.size() > kMaxExpansionSize) {
            // Not a known name: the "%" stays and scanning moves on.
            out += '%';
            scan.skip(1);
            continue;
        }
        if (nesting > 0) ++nested_substitutions;
        scan.skip(1 + found_length);
        projected = projected - (1 + found_length) + value.size();
        // "%NAME%" of an environment variable: the closing "%" goes too.
        if (from_environment && scan.peek(1) == "%") {
            scan.skip(1);
            --projected;
        }
        // An empty value leaves nothing to step over: scanning goes on right here.
        if (value.empty()) continue;
        // Scanning goes on one character after the "%": the value's first character
        // is kept as it is, the rest of the value is scanned again.
        out += value[0];
        if (value.size() > 1) {
            inserted.push_back(std::make_unique<std::string>(std::move(value)));
            scan.insert(std::string_view(*inserted.back()).substr(1), nesting + 1);
        }
    }
}

}  // namespace expansion
}  // namespace zorbel
