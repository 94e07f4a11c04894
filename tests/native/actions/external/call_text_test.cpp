#include "actions/external/call_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbel {
namespace {

TEST(PrepareCallText, NullPipesAndSums) {
    struct Row {
        const char* call;
        const char* prepared;
    } rows[] = {
        {"MessageBox( 0, \"message\", \"title\", 3+32 )", "MessageBox( 0, \"message\", \"title\", 35 )"},
        {"F(0+64)", "F(64)"},
        {"F(NULL, null, NULLABLE)", "F(\"\", \"\", \"\"ABLE)"},
        {"F(1 | 2, 4|8, 16 + 1)", "F(3, 12, 17)"},
        // Sums past 2^31 keep every digit.
        {"F(2147483648+268435456)", "F(2415919104)"},
        // A quoted text with "+" stays a text; a sum of no value stays as written.
        {"F(\"1+1\", 0+0)", "F(\"1+1\", 0+0)"},
        {"F(1,2,3,4,5,6,1+1)", "F(1,2,3,4,5,6,1+1)"},
        {"F()", "F()"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.call);
        EXPECT_EQ(r.prepared, prepare_call_text(r.call));
    }
}

std::vector<std::string> slot_texts(const ParsedCall& call) {
    std::vector<std::string> out;
    for (int k = 0; k < call.count; ++k) out.push_back(call.slots[static_cast<size_t>(k)].buffer);
    return out;
}

TEST(ParseCallText, NamesArgumentsAndSignatures) {
    struct Row {
        const char* call;
        const char* name;
        const char* signature;
        std::vector<std::string> texts;
    } rows[] = {
        {"MessageBox( 0, \"message\", \"title\", 35 )", "MessageBox", "1221", {"0", "message", "title", "35"}},
        {"  GetTickCount()", "GetTickCount", "", {}},
        {"GetTickCount", "GetTickCount", "", {}},
        {"F( \"a, b\", x y , -5);", "F", "221", {"a, b", "x y ", "-5"}},
        {"F(0x10)", "F", "12", {"0", "x10"}},
        {"F(1,,2)", "F", "11", {"1", "2"}},
        {"F(\"\")", "F", "2", {""}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.call);
        ParsedCall call;
        std::string error;
        ASSERT_TRUE(parse_call_text(r.call, &call, &error)) << error;
        EXPECT_EQ(r.name, call.name);
        EXPECT_EQ(r.signature, call.signature);
        EXPECT_EQ(r.texts, slot_texts(call));
    }
}

TEST(ParseCallText, NumbersKeepTheirLowBits) {
    ParsedCall call;
    std::string error;
    ASSERT_TRUE(parse_call_text("CreateFile(\"x\", 2147483648, 0, 0, 3, 128, 0)", &call, &error)) << error;
    EXPECT_EQ(0x80000000u, call.slots[1].number);
    ASSERT_TRUE(parse_call_text("F(-1, 4294967295, 12345678901)", &call, &error));
    EXPECT_EQ(0xffffffffu, call.slots[0].number);
    EXPECT_EQ(0xffffffffu, call.slots[1].number);
    EXPECT_EQ(static_cast<uint32_t>(12345678901ull), call.slots[2].number);
}

TEST(ParseCallText, RefusedTexts) {
    std::string sixteen = "StretchDIBits(1";
    for (int i = 2; i <= 17; ++i) sixteen += "," + std::to_string(i);
    sixteen += ")";
    struct Row {
        std::string call;
        const char* message;
    } rows[] = {
        {"Unknown(1,2,3,4,5,6)",
         "The \"Unknown\" Win32 API function is not supported.  Check to be sure that the name is correct."},
        {"MessageBox(1,2,3,4,5,6)",
         "The \"MessageBoxA\" Win32 API function is not supported.  Check to be sure that the name is correct."},
        {sixteen, "The formatting of the function call is incorrect (characters found after end: \"17\")"},
        {"F(\"open, 1)", "The formatting of the function call is incorrect (no closing quote: \"\"open, 1\")"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.call);
        ParsedCall call;
        std::string error;
        EXPECT_FALSE(parse_call_text(r.call, &call, &error));
        EXPECT_EQ(r.message, error);
    }
}

// Every argument fits its 2048-byte slot, however long it is written.
TEST(ParseCallText, LongArgumentsAreCutToTheirSlot) {
    const std::string words(3000, 'w');
    const std::string digits(10000, '7');
    for (const std::string& call : {"F(\"" + words + "\", 1)", "F(" + words + ", 1)", "F(" + digits + ", 1)"}) {
        SCOPED_TRACE(call.substr(0, 8));
        ParsedCall parsed;
        std::string error;
        ASSERT_TRUE(parse_call_text(call, &parsed, &error)) << error;
        EXPECT_EQ(2047u, std::string(parsed.slots[0].buffer).size());
        EXPECT_EQ("1", std::string(parsed.slots[1].buffer));
        EXPECT_EQ(2, parsed.count);
    }
}

TEST(CallArguments, FixedLayoutsAndSignatures) {
    struct Row {
        const char* call;
        std::vector<LibraryArgument::Kind> kinds;
    } rows[] = {
        {"MessageBox(0, 1, 2, 3)", {LibraryArgument::kNumber, LibraryArgument::kText, LibraryArgument::kText,
                                    LibraryArgument::kNumber}},
        {"MoveWindow(1, 2, 3, 4, 5)", std::vector<LibraryArgument::Kind>(6, LibraryArgument::kNumber)},
        {"F(\"a\", 1)", {LibraryArgument::kText, LibraryArgument::kNumber}},
        {"GetVolumeInformation(\"C:\\\", \"\", 0, \"\", \"\", \"\", \"\")", {}},
    };
    const auto N = LibraryArgument::kNumber, T = LibraryArgument::kText, A = LibraryArgument::kNumberAddress;
    rows[3].call = "GetVolumeInformationA(\"C:\\\\\", \"\", 0, \"\", \"\", \"\", \"\")";
    rows[3].kinds = {T, T, N, A, A, A, T, N};
    for (Row& r : rows) {
        SCOPED_TRACE(r.call);
        ParsedCall call;
        std::string error;
        ASSERT_TRUE(parse_call_text(r.call, &call, &error)) << error;
        uint32_t numbers[3] = {};
        std::vector<LibraryArgument> words = call_arguments(exported_name(call.name), call, numbers);
        std::vector<LibraryArgument::Kind> kinds;
        for (const LibraryArgument& w : words) kinds.push_back(w.kind);
        EXPECT_EQ(r.kinds, kinds);
    }
}

TEST(ExportedName, AnsiFormsOfListedNamesOnly) {
    EXPECT_EQ("MessageBoxA", exported_name("MessageBox"));
    EXPECT_EQ("GetWindowTextA", exported_name("GetWindowText"));
    EXPECT_EQ("messagebox", exported_name("messagebox"));
    EXPECT_EQ("GetTickCount", exported_name("GetTickCount"));
}

}  // namespace
}  // namespace zorbel
