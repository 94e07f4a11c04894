#include "packager/stub_image.h"

#include "packager/player_package.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

Bytes image_with(std::initializer_list<std::pair<size_t, uint32_t>> words) {
    Bytes image(64, 0x11);
    for (auto w : words) put_u32(&image, w.first, w.second);
    return image;
}

TEST(StubImage, MarkersMustStandOnceAndAdjacent) {
    struct Case {
        const char* name;
        Bytes image;
        long expected;
    } cases[] = {
        {"both adjacent", image_with({{8, kPackageMarker}, {12, kDeleteFlagsMarker}}), 8},
        {"none", image_with({}), -1},
        {"package only", image_with({{8, kPackageMarker}}), -1},
        {"apart", image_with({{8, kPackageMarker}, {20, kDeleteFlagsMarker}}), -1},
        {"reversed", image_with({{8, kDeleteFlagsMarker}, {12, kPackageMarker}}), -1},
        {"package twice", image_with({{8, kPackageMarker}, {12, kDeleteFlagsMarker}, {40, kPackageMarker}}), -1},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(find_markers(c.image), c.expected);
        EXPECT_EQ(patch_markers(&c.image, 107, 3), c.expected >= 0);
    }
}

TEST(StubImage, PatchWritesPackageAndFlags) {
    Bytes image = image_with({{8, kPackageMarker}, {12, kDeleteFlagsMarker}});
    ASSERT_TRUE(patch_markers(&image, 0, 2));
    EXPECT_EQ(read_u32(image, 8), 0u);
    EXPECT_EQ(read_u32(image, 12), 2u);
    EXPECT_FALSE(is_package_id(read_u32(image, 8)));
    EXPECT_TRUE(is_package_id(105));
    EXPECT_FALSE(is_package_id(0xAABBCC00));
}

TEST(StubImage, OnlyTheRealExtensionIsReplaced) {
    struct Case {
        const char* in;
        const char* exe;
        const char* com;
    } cases[] = {
        {"C:\\out\\run.exe", "C:\\out\\run.exe", "C:\\out\\run.com"},
        {"C:\\my.exe tools\\run.zbx", "C:\\my.exe tools\\run.exe", "C:\\my.exe tools\\run.com"},
        {"C:\\v1.2\\run", "C:\\v1.2\\run.exe", "C:\\v1.2\\run.com"},
        {"run.EXE", "run.exe", "run.com"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(output_exe_name(c.in), c.exe);
        EXPECT_EQ(output_com_name(output_exe_name(c.in)), c.com);
    }
}

TEST(StubImage, MessageOnlyBytes) {
    const std::string text = "01234567890123456789";
    Bytes com = tiny_com_program(text);
    ASSERT_EQ(com.size(), 10u + 21u + 2u);
    EXPECT_EQ(com[0], 0xB4);
    EXPECT_EQ(com[9], 0x90);
    EXPECT_EQ(std::string(com.begin() + 10, com.begin() + 30), text);
    EXPECT_EQ(com[30], 0);
    EXPECT_EQ(com[31], '$');
    Bytes stub(600, 0xEE);
    ASSERT_TRUE(patch_tiny_stub(&stub, text));
    EXPECT_EQ(std::string(stub.begin() + 535, stub.begin() + 555), text);
    EXPECT_EQ(stub[555], 0);
    EXPECT_EQ(stub[556], 0xEE);
    Bytes short_stub(540, 0);
    EXPECT_FALSE(patch_tiny_stub(&short_stub, text));
}

}  // namespace
}  // namespace zorbel
