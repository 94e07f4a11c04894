#include "packager/version_block.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

// A node: header, UTF-16 key, value, children, with the 32-bit alignment rc uses.
Bytes node(const std::string& key, const Bytes& value, uint16_t value_length, uint16_t type,
           const std::vector<Bytes>& children) {
    Bytes out(6, 0);
    put_u16(&out, 2, value_length);
    put_u16(&out, 4, type);
    for (char c : key) out.push_back(static_cast<uint8_t>(c)), out.push_back(0);
    out.push_back(0), out.push_back(0);
    while (out.size() % 4) out.push_back(0);
    out.insert(out.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        while (out.size() % 4) out.push_back(0);
        out.insert(out.end(), child.begin(), child.end());
    }
    put_u16(&out, 0, static_cast<uint16_t>(out.size()));
    return out;
}

Bytes string_node(const std::string& key, const std::string& value) {
    Bytes wide;
    for (char c : value) wide.push_back(static_cast<uint8_t>(c)), wide.push_back(0);
    wide.push_back(0), wide.push_back(0);
    return node(key, wide, static_cast<uint16_t>(value.size() + 1), 1, {});
}

Bytes stub_block() {
    const std::string blanks(80, ' ');
    Bytes fixed(52, 0);
    put_u32(&fixed, 0, 0xFEEF04BD);
    Bytes table = node("040904b0", {}, 0, 1,
                       {string_node("Comments", blanks), string_node("FileDescription", blanks),
                        string_node("LegalCopyright", blanks), string_node("Copyright", blanks)});
    return node("VS_VERSION_INFO", fixed, 52, 0, {node("StringFileInfo", {}, 0, 1, {table})});
}

TEST(VersionBlock, VersionsClampedAndWritten) {
    struct Case {
        const char* version;
        uint32_t high;
    } cases[] = {{"1.0", 0x00010000}, {"3.7", 0x00030007}, {"70000.-4", 0xFFFF0000}, {"2", 0x00020000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        Bytes block = stub_block();
        ASSERT_TRUE(patch_version_block(&block, {c.version, "", ""}));
        const size_t fixed = 40;  // 6 + 32 bytes of key, aligned
        EXPECT_EQ(read_u32(block, fixed), 0xFEEF04BDu);
        EXPECT_EQ(read_u32(block, fixed + 8), c.high);
        EXPECT_EQ(read_u32(block, fixed + 16), c.high);
    }
}

TEST(VersionBlock, TextsGoIntoTheirExactKeysNulFilled) {
    Bytes block = stub_block();
    const size_t size = block.size();
    ASSERT_TRUE(patch_version_block(&block, {"1.0", "(c) Us", std::string(100, 'd')}));
    EXPECT_EQ(block.size(), size);
    std::string value;
    ASSERT_TRUE(version_string(block, "LegalCopyright", &value));
    EXPECT_EQ(value, "(c) Us");
    ASSERT_TRUE(version_string(block, "FileDescription", &value));
    EXPECT_EQ(value, std::string(80, 'd'));
    ASSERT_TRUE(version_string(block, "Copyright", &value));
    EXPECT_EQ(value, std::string(80, ' '));
    ASSERT_TRUE(version_string(block, "Comments", &value));
    EXPECT_EQ(value, std::string(80, ' '));
}

TEST(VersionBlock, EmptyTextsLeaveTheirPlaceholders) {
    Bytes block = stub_block();
    ASSERT_TRUE(patch_version_block(&block, {"1.0", "", ""}));
    std::string value;
    ASSERT_TRUE(version_string(block, "LegalCopyright", &value));
    EXPECT_EQ(value, std::string(80, ' '));
    EXPECT_FALSE(version_wanted({"", "", ""}));
    EXPECT_TRUE(version_wanted({"", "", "x"}));
}

TEST(VersionBlock, MalformedBlocksAreRefused) {
    Bytes good = stub_block();
    Bytes cut(good.begin(), good.begin() + 30);
    Bytes bad_signature = good;
    put_u32(&bad_signature, 40, 0);
    Bytes long_length = good;
    put_u16(&long_length, 0, 0xFFFF);
    for (Bytes* b : {&cut, &bad_signature, &long_length}) EXPECT_FALSE(patch_version_block(b, {"1.0", "c", "d"}));
}

}  // namespace
}  // namespace zorbel
