// Line breaks of the delivered texts: collapsed to one LF for typing, CR LF for pasting.
#include <gtest/gtest.h>

#include "actions/input/typing_text.h"

namespace zorbel {
namespace {

struct Row {
    const char* in;
    const char* out;
};

TEST(LineBreaks, EachCrLfBecomesOneLfForTyping) {
    const Row rows[] = {{"a\r\nb", "a\nb"}, {"a\r\r\nb", "a\r\nb"}, {"\r\n\r\n", "\n\n"},
                        {"a\n\rb", "a\n\rb"}, {"end\r", "end\r"},      {"", ""}};
    for (const Row& r : rows) EXPECT_EQ(r.out, collapse_line_breaks(r.in)) << r.in;
}

TEST(LineBreaks, EachLfGetsItsCrForPastedText) {
    const Row rows[] = {{"a\nb", "a\r\nb"}, {"\n\n", "\r\n\r\n"}, {"a\r\nb", "a\r\nb"},
                        {"a\rb", "a\rb"},    {"\nx", "\r\nx"},        {"", ""}};
    for (const Row& r : rows) EXPECT_EQ(r.out, windows_line_breaks(r.in)) << r.in;
}

// Typing text and pasted text meet again: collapsing then restoring gives CR LF breaks.
TEST(LineBreaks, CollapsedTextComesBackWithWindowsBreaks) {
    const Row rows[] = {{"one\r\ntwo\r\n", "one\r\ntwo\r\n"}, {"one\ntwo", "one\r\ntwo"}};
    for (const Row& r : rows) EXPECT_EQ(r.out, windows_line_breaks(collapse_line_breaks(r.in))) << r.in;
}

}  // namespace
}  // namespace zorbel
