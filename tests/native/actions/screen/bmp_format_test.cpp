#include "actions/screen/bmp_format.h"

#include <gtest/gtest.h>

#include <string>

namespace zorbel {
namespace {

uint32_t read32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

uint32_t read16(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

// Rows are padded to whole 32-bit words: a display of 24 bits per pixel and an odd
// width would otherwise write more bytes than the buffer was sized for.
TEST(BmpFormat, RowsArePaddedToWholeWords) {
    struct Row {
        int32_t width, height;
        uint32_t bits, row_size, image_size;
    } rows[] = {
        {1, 1, 24, 4, 4},        {2, 3, 24, 8, 24},     {3, 2, 24, 12, 24},   {5, 1, 24, 16, 16},
        {1279, 2, 24, 3840, 7680}, {1280, -1024, 32, 5120, 5242880},      {7, 1, 16, 16, 16},
        {9, 1, 8, 12, 12},       {33, 2, 1, 8, 16},     {0, 5, 24, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + " x " + std::to_string(row.height) + " at " +
                     std::to_string(row.bits) + " bits");
        EXPECT_EQ(row.row_size, bmp_row_size(row.width, row.bits));
        EXPECT_EQ(row.image_size, bmp_image_size(row.width, row.height, row.bits));
    }
}

TEST(BmpFormat, FileHeaderHoldsSizeAndPixelOffset) {
    const std::string h = bmp_file_header(5242880);
    ASSERT_EQ(14u, h.size());
    EXPECT_EQ("BM", h.substr(0, 2));
    EXPECT_EQ(5242880u + 54u, read32(h, 2));
    EXPECT_EQ(0u, read32(h, 6));
    EXPECT_EQ(54u, read32(h, 10));
    EXPECT_EQ(54u + 1024u, read32(bmp_file_header(0, 54 + 1024), 10));
}

TEST(BmpFormat, EncodedImageIsBottomUpWithPaddedRows) {
    PixelBuffer p(3, 2);
    p.at(0, 0) = rgb_colour(1, 2, 3);
    p.at(2, 0) = rgb_colour(4, 5, 6);
    p.at(0, 1) = rgb_colour(7, 8, 9);
    for (uint32_t bits : {24u, 32u}) {
        SCOPED_TRACE(std::to_string(bits) + " bits");
        const std::string f = encode_bmp(p, bits);
        const uint32_t row = 12;  // 3 pixels: 9 bytes padded to 12, or 3 x 4 bytes
        ASSERT_EQ(54u + 2 * row, f.size());
        EXPECT_EQ(f.size(), read32(f, 2));
        EXPECT_EQ(40u, read32(f, 14));
        EXPECT_EQ(3u, read32(f, 18));
        EXPECT_EQ(2u, read32(f, 22));
        EXPECT_EQ(1u, read16(f, 26));
        EXPECT_EQ(bits, read16(f, 28));
        EXPECT_EQ(0u, read32(f, 30));
        EXPECT_EQ(2 * row, read32(f, 34));
        const size_t bytes = bits / 8;
        // The first stored row is the bottom one: (0, 1) is blue 9, green 8, red 7.
        EXPECT_EQ(9, f[54]);
        EXPECT_EQ(8, f[55]);
        EXPECT_EQ(7, f[56]);
        // The top row follows: (2, 0) is blue 6, green 5, red 4.
        EXPECT_EQ(6, f[54 + row + 2 * bytes]);
        EXPECT_EQ(5, f[54 + row + 2 * bytes + 1]);
        EXPECT_EQ(4, f[54 + row + 2 * bytes + 2]);
    }
}

}  // namespace
}  // namespace zorbel
