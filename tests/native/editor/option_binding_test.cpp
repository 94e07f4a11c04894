#include <gtest/gtest.h>

#include <set>

#include "editor/model/option_binding.h"
#include "engine/settings_store_memory.h"
#include "engine/startup_settings.h"

namespace zorbel {
namespace {

std::string setting(SettingsStore& store, const std::string& name) {
    return setting_text(store, std::string("SOFTWARE\\Zorbel\\") + name);
}

size_t row_index(const OptionPage& page, int id) {
    return static_cast<size_t>(find_option_row(page, id) - page.rows);
}

TEST(OptionPages, IdsAreUniqueAndEveryDefaultMatchesTheStartUpDefault) {
    std::set<int> ids;
    for (int p = 0; p < kOptionPageCount; ++p) {
        const OptionPage& page = option_page(p);
        for (int i = 0; i < page.count; ++i) {
            const OptionRow& r = page.rows[i];
            if (r.id >= 0 && r.kind != OptionKind::kFontPart) {
                EXPECT_TRUE(ids.insert(r.id).second) << r.id;
            }
            if (!r.setting || r.kind == OptionKind::kRadio || r.kind == OptionKind::kTextRadio) continue;
            for (int d = 0; d < kSettingDefaultCount; ++d) {
                if (std::string(kSettingDefaults[d].name) != r.setting) continue;
                SCOPED_TRACE(r.setting);
                if (kSettingDefaults[d].text) EXPECT_STREQ(kSettingDefaults[d].text, r.text);
                else EXPECT_EQ(kSettingDefaults[d].number, r.number);
            }
        }
    }
    EXPECT_STREQ("Files", option_page(5).title);
    EXPECT_STREQ("General", option_page(-1).title);
}

// Each control: the value a changed control holds, and what the store then holds.
struct Case {
    int page, id;
    const char* value;
    const char* setting;
    const char* stored;
};
const Case kCases[] = {
    {0, opt::kShowTips, "0", "ShowTips", "0"},
    {0, opt::kInsertBelow, "1", "InsertNewStep", "1"},
    {0, opt::kFailureMode, "Jump to Label", "DefaultFailureMode", "Jump to Label"},
    {0, opt::kFailureExtra, "there", "DefaultFailureMode_Jump", "there"},
    {1, opt::kProgress, "1", "Progress", "1"},
    {1, opt::kReturnCode, "-7", "DefaultReturnCode", "-7"},
    {1, opt::kSpeed, "42", "DefaultSpeed", "10"},
    {1, opt::kStopKey, "123", "StopKey", "123"},
    {2, opt::kCommentFill, "255", "CommentFill", "255"},
    {2, opt::kOutputFont, "Arial", "Palettes\\Output\\Font", "Arial"},
    {2, opt::kIndentSize, "40", "IndentSize", "31"},
    {3, opt::kOffice97, "1", "InterfaceStyle", "Office 97"},
    {3, opt::kGridBlank, "1", "GridStyle", "0"},
    {4, opt::kLogfile, "C:\\x.txt", "Logfile", "C:\\x.txt"},
    {4, opt::kLogDetailed, "1", "LogLevel", "1"},
    {5, opt::kLoadRun, "1", "DefaultLoadAction", "2"},
};

TEST(OptionBinding, EveryChangedControlWritesItsSettingAndApplyingUnchangedKeepsTheRest) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.setting);
        MemorySettingsStore store;
        write_setting_defaults(store, false);
        const OptionPage& page = option_page(c.page);
        PageValues values = load_page(page, store);
        const size_t at = row_index(page, c.id);
        // A radio chosen: the others of its group are no longer chosen.
        for (int i = 0; i < page.count; ++i)
            if (page.rows[at].kind != OptionKind::kCheck && page.rows[i].group == page.rows[at].group &&
                page.rows[i].setting && page.rows[at].setting &&
                std::string(page.rows[i].setting) == page.rows[at].setting)
                values[static_cast<size_t>(i)] = "0";
        values[at] = c.value;
        const ApplyOutcome out = apply_page(page, values, store);
        EXPECT_TRUE(out.failed.empty());
        EXPECT_EQ(c.stored, setting(store, c.setting));
    }
}

TEST(OptionBinding, RadiosShowTheNearestStoredChoice) {
    struct Radio {
        int page, group;
        int32_t stored;
        int id;
    } const cases[] = {
        {0, 1, 0, opt::kInsertAbove}, {0, 1, 1, opt::kInsertBelow}, {0, 1, 5, opt::kInsertBelow},
        {0, 1, -3, opt::kInsertAbove}, {4, 1, 9, opt::kLogDetailed}, {3, 2, 7, opt::kGridLines},
    };
    for (const Radio& c : cases) {
        const OptionPage& page = option_page(c.page);
        EXPECT_EQ(c.id, page.rows[chosen_radio(page, c.group, c.stored)].id) << c.stored;
    }
}

TEST(OptionBinding, InterfaceStyleIsReadByItsKeyword) {
    MemorySettingsStore store;
    const OptionPage& page = option_page(3);
    for (auto [stored, id] : {std::pair<const char*, int>{"my xp look", opt::kOfficeXP}, {"Office 97", opt::kOffice97},
                               {"", opt::kOffice2003}}) {
        write_setting_text(store, "SOFTWARE\\Zorbel\\InterfaceStyle", stored);
        EXPECT_EQ("1", load_page(page, store)[row_index(page, id)]) << stored;
    }
}

TEST(OptionBinding, EmptyReturnCodeDeletesTheSetting) {
    MemorySettingsStore store;
    write_setting_number(store, "SOFTWARE\\Zorbel\\DefaultReturnCode", 4);
    const OptionPage& page = option_page(1);
    PageValues values = load_page(page, store);
    EXPECT_EQ("4", values[row_index(page, opt::kReturnCode)]);
    values[row_index(page, opt::kReturnCode)] = " ";
    apply_page(page, values, store);
    StoredValue v;
    EXPECT_FALSE(store.read_value(SettingsRoot::kCurrentUser, kSettingsKey, "DefaultReturnCode", &v));
}

TEST(OptionBinding, OutcomeNamesRestartRepaintStopKeyAndRefusedWrites) {
    MemorySettingsStore store;
    write_setting_defaults(store, false);
    PageValues general = load_page(option_page(0), store);
    EXPECT_FALSE(apply_page(option_page(0), general, store).restart);  // nothing changed
    general[row_index(option_page(0), opt::kShowTips)] = "0";
    EXPECT_TRUE(apply_page(option_page(0), general, store).restart);
    PageValues run = load_page(option_page(1), store);
    EXPECT_EQ(19, apply_page(option_page(1), run, store).stop_key);
    PageValues colours = load_page(option_page(2), store);
    colours[row_index(option_page(2), opt::kIndentAllColumns)] = "1";
    EXPECT_TRUE(apply_page(option_page(2), colours, store).repaint);
    store.set_read_only(true);
    const ApplyOutcome refused = apply_page(option_page(5), load_page(option_page(5), store), store);
    EXPECT_EQ((std::vector<std::string>{"AutoReload", "PromptSave", "DefaultLoadAction"}), refused.failed);
    EXPECT_TRUE(refused.load_action);
}

TEST(OptionBinding, DefaultButtonRestoresOnlyItsGroup) {
    MemorySettingsStore store;
    write_setting_number(store, "SOFTWARE\\Zorbel\\SkipText", 1);
    write_setting_number(store, "SOFTWARE\\Zorbel\\CommentText", 2);
    write_setting_text(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\Font", "Arial");
    write_setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\FontSize", 20);
    const OptionPage& page = option_page(2);
    PageValues values = load_page(page, store);
    restore_defaults(page, 2, &values);
    restore_defaults(page, 4, &values);
    EXPECT_EQ(std::to_string(0x808080), values[row_index(page, opt::kSkipText)]);
    EXPECT_EQ("2", values[row_index(page, opt::kCommentText)]);
    EXPECT_EQ("Courier New", values[row_index(page, opt::kOutputFont)]);
    apply_page(page, values, store);
    EXPECT_EQ("9", setting(store, "Palettes\\Output\\FontSize"));
}

TEST(OptionBinding, LastTabOutsideThePagesOpensTheFirst) {
    MemorySettingsStore store;
    for (auto [stored, page] : {std::pair<int, int>{5, 5}, {-1, 0}, {6, 0}, {2, 2}}) {
        store_last_tab(store, stored);
        EXPECT_EQ(page, first_options_page(store)) << stored;
    }
}

TEST(OptionBinding, ResetWritesEveryDefaultAndForgetsPlacesAndRecentFiles) {
    MemorySettingsStore store;
    write_setting_number(store, "SOFTWARE\\Zorbel\\StopKey", 123);
    write_setting_text(store, "SOFTWARE\\Zorbel\\Find", "needle");
    write_setting_number(store, "SOFTWARE\\Zorbel\\Left", 5);
    write_setting_number(store, "SOFTWARE\\Zorbel\\Column3", 7);
    write_setting_text(store, "SOFTWARE\\Zorbel\\RecentFile9", "C:\\a.zbx");
    reset_all_settings(store);
    EXPECT_EQ("19", setting(store, "StopKey"));
    EXPECT_EQ("", setting(store, "Find"));
    EXPECT_EQ("240", setting(store, "Column3"));
    StoredValue v;
    EXPECT_FALSE(store.read_value(SettingsRoot::kCurrentUser, kSettingsKey, "Left", &v));
    EXPECT_FALSE(store.read_value(SettingsRoot::kCurrentUser, kSettingsKey, "RecentFile9", &v));
}

TEST(OptionPages, StopKeysAsListed) {
    EXPECT_EQ(54, kStopKeyCount);
    EXPECT_EQ(3, stop_key_index(0x20));  // the first of the two "Space" entries
    EXPECT_STREQ("Pause", kStopKeys[stop_key_index(19)].name);
    EXPECT_EQ(-1, stop_key_index(0x41));
    EXPECT_EQ("Default Run Speed  (7):", speed_caption(7));
    EXPECT_STREQ("Label:", failure_extra_label("Jump to Label"));
    EXPECT_STREQ("Retry count:", failure_extra_label("retry the step x times"));
    EXPECT_EQ(nullptr, failure_extra_label("Stop Silently"));
}

}  // namespace
}  // namespace zorbel
