#include "packager/icon_file.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

// An .ICO file with images of the given sizes, laid out after the directory.
Bytes ico(std::vector<uint32_t> sizes) {
    Bytes file(6 + 16 * sizes.size(), 0);
    put_u16(&file, 2, 1);
    put_u16(&file, 4, static_cast<uint16_t>(sizes.size()));
    uint32_t offset = static_cast<uint32_t>(file.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        file[6 + 16 * i] = static_cast<uint8_t>(16 * (i + 1));
        put_u16(&file, 6 + 16 * i + 6, 32);
        put_u32(&file, 6 + 16 * i + 8, sizes[i]);
        put_u32(&file, 6 + 16 * i + 12, offset);
        offset += sizes[i];
    }
    for (size_t i = 0; i < sizes.size(); ++i) file.insert(file.end(), sizes[i], static_cast<uint8_t>(i + 1));
    return file;
}

TEST(IconFile, ImagesAndGroupFromAGoodFile) {
    IconSet icons;
    std::string error;
    ASSERT_TRUE(parse_icon_file(ico({40, 70}), &icons, &error)) << error;
    ASSERT_EQ(icons.images.size(), 2u);
    EXPECT_EQ(icons.images[1], Bytes(70, 2));
    ASSERT_EQ(icons.group.size(), 6u + 28u);
    EXPECT_EQ(icons.group[6 + 14], 32);           // width of the second image
    EXPECT_EQ(read_u32(icons.group, 6 + 14 + 8), 70u);
    std::vector<uint16_t> ids;
    ASSERT_TRUE(icon_group_ids(icons.group, &ids));
    EXPECT_EQ(ids, (std::vector<uint16_t>{1, 2}));
}

TEST(IconFile, OffsetsAndSizesAreCheckedAgainstTheFile) {
    Bytes past_end = ico({40});
    put_u32(&past_end, 6 + 12, 5000);
    Bytes too_big = ico({40});
    put_u32(&too_big, 6 + 8, 0xFFFFFFF0u);
    Bytes into_directory = ico({40});
    put_u32(&into_directory, 6 + 12, 2);
    Bytes many = ico({40});
    put_u16(&many, 4, 900);
    Bytes not_icon = ico({40});
    put_u16(&not_icon, 2, 2);
    struct Case {
        const char* name;
        Bytes file;
    } cases[] = {{"offset past end", past_end}, {"size wraps", too_big},   {"inside directory", into_directory},
                 {"count past file", many},      {"cursor type", not_icon}, {"empty", Bytes()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IconSet icons;
        std::string error;
        EXPECT_FALSE(parse_icon_file(c.file, &icons, &error));
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace zorbel
