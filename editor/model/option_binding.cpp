#include "editor/model/option_binding.h"

#include <algorithm>

#include "core/text_rules.h"
#include "engine/startup_settings.h"

namespace zorbel {

namespace {

using K = OptionKind;

std::string path_of(const char* setting) { return std::string(kSettingsKey) + "\\" + setting; }

bool present(SettingsStore& store, const std::string& path) {
    std::string_view key, name;
    split_setting_path(path, &key, &name);
    StoredValue value;
    return store.read_value(SettingsRoot::kCurrentUser, key, name, &value);
}

int32_t number_or(SettingsStore& store, const OptionRow& row, int32_t missing) {
    const std::string path = path_of(row.setting);
    return present(store, path) ? setting_number(store, path) : missing;
}

bool is_font_or_colour(K kind) { return kind == K::kColor || kind == K::kFontFace || kind == K::kFontPart; }

std::string load_row(const OptionPage& page, const OptionRow& row, SettingsStore& store) {
    const std::string path = path_of(row.setting);
    switch (row.kind) {
        case K::kCheck: return number_or(store, row, row.number) ? "1" : "0";
        case K::kRadio: {
            int32_t def = 0;
            for (int i = 0; i < page.count; ++i)
                if (page.rows[i].kind == K::kRadio && page.rows[i].group == row.group &&
                    (page.rows[i].flags & kDefaultChoice))
                    def = page.rows[i].number;
            const int chosen = chosen_radio(page, row.group, number_or(store, row, def));
            return &page.rows[chosen] == &row ? "1" : "0";
        }
        case K::kTextRadio: {
            const std::string stored = setting_text(store, path);
            const OptionRow* chosen = nullptr;
            for (int i = 0; i < page.count && !chosen; ++i) {
                const OptionRow& r = page.rows[i];
                if (r.kind == K::kTextRadio && r.group == row.group && r.match && contains_ignore_case(stored, r.match))
                    chosen = &r;
            }
            for (int i = 0; i < page.count && !chosen; ++i) {
                const OptionRow& r = page.rows[i];
                if (r.kind == K::kTextRadio && r.group == row.group && !r.match) chosen = &r;
            }
            return chosen == &row ? "1" : "0";
        }
        case K::kNumberEdit: return present(store, path) ? std::to_string(setting_number(store, path)) : "";
        case K::kTextEdit:
        case K::kModeList:
        case K::kFontFace: return present(store, path) ? setting_text(store, path) : (row.text ? row.text : "");
        case K::kSlider:
        case K::kSpin: return std::to_string(std::clamp(number_or(store, row, row.number), row.low, row.high));
        case K::kStopKeyList: {
            const int32_t key = number_or(store, row, row.number);
            return std::to_string(key > 0 ? key : row.number);
        }
        case K::kColor:
        case K::kFontPart: return std::to_string(number_or(store, row, row.number));
        default: return "";
    }
}

// The value written for the row; false when the row writes nothing (a radio not chosen).
bool write_row(const OptionRow& row, const std::string& value, SettingsStore& store) {
    const std::string path = path_of(row.setting);
    switch (row.kind) {
        case K::kCheck: return write_setting_number(store, path, value == "1" ? 1 : 0);
        case K::kRadio: return write_setting_number(store, path, row.number);
        case K::kTextRadio: return write_setting_text(store, path, row.text);
        case K::kNumberEdit: {
            if (trim_spaces(value).empty()) {
                std::string_view key, name;
                split_setting_path(path, &key, &name);
                store.delete_value(SettingsRoot::kCurrentUser, key, name);
                return true;
            }
            return write_setting_number(store, path, text_to_number(value));
        }
        case K::kTextEdit:
        case K::kModeList:
        case K::kFontFace: return write_setting_text(store, path, value);
        case K::kSlider:
        case K::kSpin: return write_setting_number(store, path, std::clamp(text_to_number(value), row.low, row.high));
        case K::kStopKeyList:
        case K::kColor:
        case K::kFontPart: return write_setting_number(store, path, text_to_number(value));
        default: return true;
    }
}

}  // namespace

int chosen_radio(const OptionPage& page, int group, int32_t stored) {
    int exact = -1, below = -1, fallback = -1;
    for (int i = 0; i < page.count; ++i) {
        const OptionRow& r = page.rows[i];
        if (r.kind != K::kRadio || r.group != group) continue;
        if (r.number == stored) exact = i;
        if (r.number < stored && (below < 0 || r.number > page.rows[below].number)) below = i;
        if (r.flags & kDefaultChoice) fallback = i;
    }
    return exact >= 0 ? exact : below >= 0 ? below : fallback;
}

PageValues load_page(const OptionPage& page, SettingsStore& store) {
    PageValues values(static_cast<size_t>(page.count));
    for (int i = 0; i < page.count; ++i)
        if (page.rows[i].setting) values[static_cast<size_t>(i)] = load_row(page, page.rows[i], store);
    return values;
}

void restore_defaults(const OptionPage& page, int group, PageValues* values) {
    for (int i = 0; i < page.count; ++i) {
        const OptionRow& r = page.rows[i];
        if (!is_font_or_colour(r.kind) || r.group != group) continue;
        (*values)[static_cast<size_t>(i)] = r.kind == K::kFontFace ? r.text : std::to_string(r.number);
    }
}

ApplyOutcome apply_page(const OptionPage& page, const PageValues& values, SettingsStore& store) {
    ApplyOutcome out;
    const PageValues before = load_page(page, store);
    for (int i = 0; i < page.count; ++i) {
        const OptionRow& row = page.rows[i];
        const std::string& value = values[static_cast<size_t>(i)];
        if (!row.setting) continue;
        const bool chooses = row.kind == K::kRadio || row.kind == K::kTextRadio;
        if (chooses && value != "1") continue;
        if (value != before[static_cast<size_t>(i)]) {
            if (row.flags & kAsksRestart) out.restart = true;
            if (row.flags & kRepaints) out.repaint = true;
        }
        if (!write_row(row, value, store)) out.failed.push_back(row.setting);
        if (row.kind == K::kStopKeyList) out.stop_key = text_to_number(value);
        if (row.kind == K::kRadio && equals_ignore_case(row.setting, "DefaultLoadAction"))
            out.load_action = true, out.load_action_value = row.number;
    }
    return out;
}

int first_options_page(SettingsStore& store) {
    const int32_t tab = setting_number(store, "SOFTWARE\\Zorbel\\LastTab");
    return tab >= 0 && tab < kOptionPageCount ? tab : 0;
}

void store_last_tab(SettingsStore& store, int index) {
    write_setting_number(store, "SOFTWARE\\Zorbel\\LastTab", index);
}

void reset_all_settings(SettingsStore& store) {
    write_setting_defaults(store, true);
    for (const char* name : {"Left", "Top", "Right", "Bottom"})
        store.delete_value(SettingsRoot::kCurrentUser, kSettingsKey, name);
    const int widths[] = {50, 100, 240, 50, 200};
    for (int i = 0; i < 5; ++i)
        write_setting_number(store, "SOFTWARE\\Zorbel\\Column" + std::to_string(i + 1), widths[i]);
    for (int n = 1; n <= 9; ++n)
        store.delete_value(SettingsRoot::kCurrentUser, kSettingsKey, "RecentFile" + std::to_string(n));
}

}  // namespace zorbel
