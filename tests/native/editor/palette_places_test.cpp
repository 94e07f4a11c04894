#include <gtest/gtest.h>

#include "editor/model/interface_style.h"
#include "editor/model/palette_places.h"
#include "engine/settings_store_memory.h"

namespace zorbel {
namespace {

const Box kMain{50, 50, 1230, 974};  // the main window after a reset on 1280 x 1024
constexpr int kCaption = 15;

TEST(PalettePlaces, ResetGivesTheOriginalLayout) {
    EXPECT_EQ(kMain, reset_main_window(1280, 1024));
    struct Case {
        const char* name;
        PalettePlace place;
    } cases[] = {
        {"Toolbar", {true, kDockTop, 30, 100, 100, 100, 250}},
        {"Actions", {true, kDockLeft, 250, 200, 200, 250, 500}},
        {"Properties", {false, kDockNone, 300, 905, 100, 350, 350}},
        {"Output", {true, kDockBottom, 150, 300, 300, 400, 200}},
        {"Variables", {false, kDockNone, 150, 905, 70, 350, 125}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.place, reset_place(c.name, kMain));
    }
    // A narrow main window still leaves the floating palettes at least 100 from the left.
    EXPECT_EQ(100, reset_place("Properties", Box{0, 10, 300, 400}).left);
    EXPECT_EQ(60, reset_place("Properties", Box{0, 10, 300, 400}).top);
}

TEST(PalettePlaces, RoundTripThroughTheStore) {
    MemorySettingsStore store;
    const PalettePlace place{true, kDockRight, 222, -30, 40, 333, 444};
    write_palette_place(store, "Output", place);
    EXPECT_EQ(place, read_palette_place(store, "Output", 3, kCaption, kMain));
    EXPECT_EQ(1, setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\bDocked"));
    EXPECT_EQ(333, setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\rectFloat.right"));
    EXPECT_EQ(444, setting_number(store, "SOFTWARE\\Zorbel\\Palettes\\Output\\rectFloat.bottom"));
}

TEST(PalettePlaces, MissingAndSmallValues) {
    const char* key = "SOFTWARE\\Zorbel\\Palettes\\Actions\\";
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, int>> stored;
        PalettePlace expected;
    } cases[] = {
        {"nothing stored: the reset place", {}, reset_place("Actions", kMain)},
        {"only bDocked", {{"bDocked", 0}}, {false, 0, 250, 220, 220, 400, 100}},
        {"a stored width of 0", {{"bDocked", 1}, {"iDockedSide", 4}, {"iDockedSize", 90}, {"rectFloat.left", 5},
                                 {"rectFloat.top", 6}, {"rectFloat.right", 0}, {"rectFloat.bottom", 300}},
         {true, 4, 90, 5, 6, 400, 300}},
        {"below the caption size", {{"bDocked", 0}, {"rectFloat.right", 14}, {"rectFloat.bottom", 14}},
         {false, 0, 250, 220, 220, 400, 100}},
        {"at the caption size", {{"bDocked", 0}, {"rectFloat.right", 15}, {"rectFloat.bottom", 15}},
         {false, 0, 250, 220, 220, 15, 15}},
        {"a bad side is kept as stored", {{"bDocked", 1}, {"iDockedSide", 3}}, {true, 3, 250, 220, 220, 400, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettingsStore store;
        for (const auto& value : c.stored) write_setting_number(store, std::string(key) + value.first, value.second);
        EXPECT_EQ(c.expected, read_palette_place(store, "Actions", 1, kCaption, kMain));
    }
}

TEST(InterfaceStyles, ChosenByTheSettingText) {
    struct Case {
        const char* value;
        InterfaceStyle style;
    } cases[] = {
        {"Office 2003", InterfaceStyle::kOffice2003}, {"Office XP", InterfaceStyle::kOfficeXP},
        {"office xp", InterfaceStyle::kOfficeXP},     {"Office 97", InterfaceStyle::kOffice97},
        {"", InterfaceStyle::kOffice2003},            {"Classic", InterfaceStyle::kOffice2003},
        {"XP 97", InterfaceStyle::kOfficeXP},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(c.style, interface_style_of(c.value));
    }
    // Each look paints its captions differently.
    EXPECT_NE(style_colours(InterfaceStyle::kOffice2003).caption_to, style_colours(InterfaceStyle::kOfficeXP).caption_to);
    EXPECT_NE(style_colours(InterfaceStyle::kOfficeXP).caption_to, style_colours(InterfaceStyle::kOffice97).caption_to);
}

}  // namespace
}  // namespace zorbel
