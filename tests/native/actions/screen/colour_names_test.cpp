#include "actions/screen/colour_names.h"

#include <gtest/gtest.h>

#include <string>

namespace zorbel {
namespace {

TEST(ParseColour, NamesAndHexTriples) {
    struct Row {
        std::string text;
        uint32_t colour;  // 0x00BBGGRR
    } rows[] = {
        {"#FF0000", 0x0000FF},
        {"FF0000", 0x0000FF},
        {"0xff0000", 0x0000FF},
        {"RED", 0x0000FF},
        {"red", 0x0000FF},
        {"#F00", 0},
        {"BLACK", 0x000000},
        {"Gray", 0x808080},
        {"light gray", 0xC0C0C0},
        {"LT GRAY", 0xC0C0C0},
        {"Dark Gray", 0x404040},
        {"dk gray", 0x404040},
        {"WHITE", 0xFFFFFF},
        {"GREEN", 0x00FF00},
        {"BLUE", 0xFF0000},
        {"YELLOW", 0x00FFFF},
        {"BROWN", 0x008080},
        {"CYAN", 0xFFFF00},
        {"TEAL", 0x808000},
        {"PINK", 0xFF00FF},
        {"PURPLE", 0x800080},
        {"#123456", 0x563412},      // red 0x12, green 0x34, blue 0x56
        {"#abcDEF", 0xEFCDAB},
        {"\"#00FF00\"", 0x00FF00},  // quotes removed
        {"#12 34 56", 0x563412},    // blanks removed
        {" RED", 0},                // names are whole texts
        {"##123456", 0},            // only one "#" is dropped
        {"0x0x123456", 0x563412},   // every "0x" is removed
        {"12345G", 0},
        {"1234567", 0},
        {"", 0},
        {"ORANGE", 0},
        {"#123456" + std::string(55, ' '), 0x563412},  // 62 characters
        {std::string(56, ' ') + "#123456", 0},         // the digits lie beyond 62 characters
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.colour, ParseColour(row.text)) << "\"" << row.text << "\"";
    }
}

TEST(ParseColour, EditorsPickedColourTextRoundTrips) {
    for (uint32_t red : {0u, 1u, 0x7Fu, 0xFEu, 0xFFu}) {
        for (uint32_t blue : {0u, 0x80u, 0xFFu}) {
            char text[16];
            snprintf(text, sizeof(text), "#%02X%02X%02X", red, 0x42u, blue);
            EXPECT_EQ(red | (0x42u << 8) | (blue << 16), ParseColour(text)) << text;
        }
    }
}

}  // namespace
}  // namespace zorbel
