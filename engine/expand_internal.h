// The stages of `expand text` and the helpers they share. Internal to the expander
// (and its tests): callers use TextExpander.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/expand_text.h"
#include "engine/expansion_environment.h"
#include "engine/settings_store.h"

namespace zorbel {

class Variables;

namespace expansion {

// Stands for an escaped "%" while the stages run. Texts are NUL-terminated, so no
// input, value or token can contain it, unlike any printable byte.
constexpr char kPlaceholder = '\0';

// First position of `token` at or after `from`, ignoring ASCII case; npos if none.
size_t find_token(std::string_view text, std::string_view token, size_t from = 0);
inline bool contains_token(std::string_view text, std::string_view token) {
    return find_token(text, token) != std::string_view::npos;
}

// Replaces every occurrence of `token` (ignoring case) by `value`, in one pass.
// A replacement that would take the text past kMaxExpansionSize is not made.
// Returns the number of replacements.
size_t replace_token(std::string* text, std::string_view token, std::string_view value);
// The same with `token` matched exactly (letter case counts).
size_t replace_token_exact(std::string* text, std::string_view token, std::string_view value);
// The same, computing the value only when the token occurs.
template <class ValueFn>
size_t replace_token_with(std::string* text, std::string_view token, ValueFn value) {
    if (!contains_token(*text, token)) return 0;
    return replace_token(text, token, value());
}

// The process environment, taken once per expansion.
class EnvironmentSnapshot {
public:
    void load(ExpansionEnvironment* environment);
    bool loaded() const { return loaded_; }
    // The value of the first variable named `lower_name` (already lower-cased).
    const std::string* find(std::string_view lower_name) const;
    const std::vector<std::pair<std::string, std::string>>& entries() const { return entries_; }
    // True when some variable's name has `length` characters.
    bool has_length(size_t length) const { return length < lengths_.size() && lengths_[length]; }

private:
    bool loaded_ = false;
    std::vector<std::pair<std::string, std::string>> entries_;
    std::vector<std::pair<std::string, size_t>> index_;  // lower-cased name, entry; sorted
    std::vector<bool> lengths_;
};

// The user variables of the "UserVariables" key, read with one listing and kept
// while the key's change probe says nothing changed.
class VariableCache {
public:
    // Brings the cache up to date with the store (one probe; a listing when changed).
    void refresh(SettingsStore& store);
    // The stored value of `lower_name` (the full registry name, lower-cased), or null.
    const StoredValue* find(std::string_view lower_name) const;
    // Whether some value name, with `lower_prefix` removed, has `length` characters.
    bool has_length(std::string_view lower_prefix, size_t length);

private:
    bool valid_ = false;
    bool present_ = false;
    KeyStamp stamp_;
    std::vector<std::pair<std::string, StoredValue>> values_;  // lower-cased name; sorted
    std::string lengths_prefix_;
    std::vector<bool> lengths_;
};

// The stored size of a value as the size query reports it.
size_t stored_size(const StoredValue& value);

// Stage 1: every "%%" becomes the placeholder.
void escape_percents(std::string* text);
// Stage 2: the loop variables.
void expand_loop_variables(std::string* text, VariableCache& cache);
// Stage 3: user and environment variables at each "%".
void expand_variables(std::string* text, const EnvironmentSnapshot& environment, VariableCache& cache,
                      const std::string& prefix);
// Stage 4: "{ENTER}", "{TAB}", "{SPACE}".
void expand_key_shortcuts(std::string* text);
// Stage 5: the named Windows constants.
void expand_windows_constants(std::string* text);
// Stage 6: system and run-time tokens (without the random ones).
void expand_run_tokens(std::string* text, RunServices& services, const EnvironmentSnapshot& environment);
// Stage 6, end: random digits ("%x", "%X") and letters ("%c", "%C").
void expand_random_tokens(std::string* text, ExpansionEnvironment* environment);
// Stage 7: date arithmetic and the date and time tokens for local time `now`.
void expand_date_tokens(std::string* text, const LocalTime& now);
// Stage 8: the text functions and CALC.
void expand_text_functions(std::string* text);
// Stage 9: every placeholder becomes "%".
void restore_percents(std::string* text);

// Local time moved by `seconds` (either sign), with the weekday recomputed.
LocalTime add_seconds(const LocalTime& time, int64_t seconds);

}  // namespace expansion
}  // namespace zorbel
