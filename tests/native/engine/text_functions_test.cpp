#include <gtest/gtest.h>

#include <string>

#include "engine/text_functions.h"

namespace zorbel {
namespace {

TEST(TextFunctionArguments, QuotesNestingAndSpaces) {
    struct Row {
        std::string call;
        int n;
        std::string expected;
        int32_t number;
    } rows[] = {
        {"Length ( abc )", 1, "abc", 0},
        {"F( a , b )", 1, "a ", 0},  // spaces before a comma count
        {"F( a , b )", 2, "b", 0},   // spaces after the last argument do not
        {"F(a,   b)", 2, "b", 0},
        {"F(\t a,\t b\t)", 2, "b\t", 0},  // only spaces are removed at the end
        {"F(a  ,b)", 1, "a  ", 0},
        {"F(a,b,c)", 3, "c", 0},
        {"F(a,b,c)", 4, "", 0},
        {"F(a,b,c)", 0, "", 0},
        {"F(a,b,c)", -1, "", 0},
        {"F()", 1, "", 0},
        {"F(a,,c)", 2, "", 0},
        {"F(a,,c)", 3, "c", 0},
        // A quote at the start of an argument guards its commas and parentheses.
        {"GetSubText(\"a,b;c\", ;, 2)", 1, "a,b;c", 0},
        {"GetSubText(\"a,b;c\", ;, 2)", 2, ";", 0},
        {"GetSubText(\"a,b;c\", ;, 2)", 3, "2", 2},
        {"F(' x ', y)", 1, " x ", 0},
        {"F(' x ', y)", 2, "y", 0},
        {"F(\"a)b\", c)", 1, "a)b", 0},
        {"F(\"a)b\", c)", 2, "c", 0},
        {"F(  \"a\"  )", 1, "a", 0},
        {"F(\"\", x)", 1, "", 0},
        {"F(\"\", x)", 2, "x", 0},
        {"F(\"abc\"def, g)", 1, "abc", 0},  // the closing quote ends the argument
        {"F(\"abc\"def, g)", 2, "g", 0},
        {"F(ab\"c, d)", 1, "ab\"c", 0},     // a quote inside an argument is text
        {"F(ab\"c, d)", 2, "d", 0},
        {"F(it's, x)", 1, "it's", 0},
        {"F(\"it's\")", 1, "it's", 0},      // only the same quote closes
        {"F('say \"hi\"')", 1, "say \"hi\"", 0},
        {"F(\"unclosed, x)", 1, "unclosed, x)", 0},
        {"F(\"unclosed, x)", 2, "", 0},
        // A nested call is one argument, copied whole.
        {"F(g(a, b), c)", 1, "g(a, b)", 0},
        {"F(g(a, b), c)", 2, "c", 0},
        {"F(g(\"x)\"), c)", 1, "g(\"x)\")", 0},
        {"F(g(\"x)\"), c)", 2, "c", 0},
        {"F(g(1, ' )'), c)", 2, "c", 0},
        {"F(g(it's), c)", 2, "c", 0},
        // The value by the text-to-number rule.
        {"F(x, 1,500)", 2, "1", 1},
        {"F(x, \"1,500\")", 2, "1,500", 1500},
        {"F(x, 2.5)", 2, "2.5", 25},
        {"F(x, -3)", 2, "-3", -3},
        {"F(x, abc)", 2, "abc", 0},
        // Without both parentheses reading starts at the beginning.
        {"a, b", 2, "b", 0},
        {"  abc  ", 1, "abc", 0},
        {"F(a, b", 1, "F(a, b", 0},
        {"x) F(a", 1, "a", 0},
    };
    for (const auto& r : rows) {
        std::string out = "junk";
        EXPECT_EQ(r.number, get_argument(r.call, r.n, &out)) << r.call << " #" << r.n;
        EXPECT_EQ(r.expected, out) << r.call << " #" << r.n;
    }
}

TEST(TextFunctionCallEnd, MatchingParenthesis) {
    const size_t npos = std::string::npos;
    struct Row {
        std::string text;
        size_t open;
        size_t expected;
    } rows[] = {
        {"CALC(1+(2*3)) rest", 0, 13},
        {"x Uppercase (a) y", 0, 15},
        {"Length(\")\")", 0, 11},
        {"Length(a, ')')", 0, 14},
        {"Length(  \"(\"  )", 0, 15},
        {"Length(it's)", 0, 12},  // an apostrophe inside a word opens nothing
        {"F(g(\"x)\"), c) z", 0, 13},
        {"F(a) G(b)", 4, 9},
        {"F(a) G(b)", 9, npos},
        {"F(a) G(b)", 100, npos},
        {"Length(a", 0, npos},
        {"Length((a)", 0, npos},
        {"F(\"abc)", 0, npos},
        {"abc", 0, npos},
        {"", 0, npos},
        {")(", 0, npos},
    };
    for (const auto& r : rows) EXPECT_EQ(r.expected, find_matching_paren(r.text, r.open)) << r.text;
}

TEST(TextFunctionCallEnd, LongInputs) {
    const size_t n = 1 << 20;
    EXPECT_EQ(std::string::npos, find_matching_paren(std::string(n, '('), 0));
    EXPECT_EQ(2 * n, find_matching_paren(std::string(n, '(') + std::string(n, ')') + ")", 0));
    EXPECT_EQ(std::string::npos, find_matching_paren(std::string(n, ')'), 0));
    EXPECT_EQ(std::string::npos, find_matching_paren("F(\"" + std::string(n, ')'), 0));
}

std::string evaluate(const std::string& call) {
    const std::string name = call.substr(0, call.find_first_of(" ("));
    std::string out = "junk";
    EXPECT_TRUE(evaluate_text_function(name, call, &out)) << call;
    return out;
}

struct Row {
    std::string call;
    std::string expected;
};

void expect_rows(const Row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(rows[i].expected, evaluate(rows[i].call)) << "row " << i << ": " << rows[i].call;
}
template <size_t N>
void expect_rows(const Row (&rows)[N]) {
    expect_rows(rows, N);
}

TEST(TextFunctions, DocumentedExamples) {
    const Row rows[] = {
        {"Length ( abc )", "3"},
        {"Uppercase ( aBc )", "ABC"},
        {"Lowercase ( aBc )", "abc"},
        {"Trim ( abc  )", "abc"},
        {"ReplaceText ( abc, b, z )", "azc"},
        {"ReplaceText ( aBc, b, z )", "azc"},
        {"InsertText ( abc, 2, XYZ )", "aXYZbc"},
        {"InsertText ( abc, 6, Z )", "abc  Z"},
        {"GetSubText ( a$b$c, $, 2 )", "b"},
        {"CountItems ( abc, b )", "1"},
        {"GetSubText ( \"a,b;c\", ;, 2 )", "c"},
    };
    expect_rows(rows);
}

TEST(TextFunctions, CaseLengthAndTrim) {
    const Row rows[] = {
        {"Uppercase(\xe4" "b1-z)", "\xe4" "B1-Z"},  // other bytes unchanged
        {"Lowercase(\xc4" "B1-Z)", "\xc4" "b1-z"},
        {"Uppercase()", ""},
        {"Length()", "0"},
        {"Length(\"  \")", "2"},
        {"Length(a b)", "3"},
        {"Length(a, b)", "1"},
        {"Trim(\" x  \")", " x"},
        {"Trim(\"x\t\")", "x\t"},
        {"Trim(\"   \")", ""},
    };
    expect_rows(rows);
}

TEST(TextFunctions, ReplaceText) {
    const Row rows[] = {
        {"ReplaceText(aaa, a, aa)", "aaaaaa"},  // replaced text is not searched again
        {"ReplaceText(aaaa, aa, b)", "bb"},
        {"ReplaceText(abcABC, bc, )", "aA"},
        {"ReplaceText(abc, , z)", "abc"},
        {"ReplaceText(abc, x, z)", "abc"},
        {"ReplaceText(abc)", "abc"},
        {"ReplaceText(\"a, b\", \", \", \" + \")", "a + b"},
    };
    expect_rows(rows);
}

TEST(TextFunctions, InsertText) {
    const Row rows[] = {
        {"InsertText(abc, 0, X)", "Xabc"},
        {"InsertText(abc, -5, X)", "Xabc"},
        {"InsertText(abc, 1, X)", "Xabc"},
        {"InsertText(abc, 3, X)", "abXc"},
        {"InsertText(abc, 4, X)", "abcX"},
        {"InsertText(abc, 5, X)", "abc X"},
        {"InsertText(abc, 2, )", "abc"},
        {"InsertText(, 3, X)", "  X"},
        {"InsertText(abc, x2y, X)", "aXbc"},  // position by the text-to-number rule
    };
    expect_rows(rows);
}

TEST(TextFunctions, InsertTextFarBeyondTheEndIsCut) {
    const std::string out = evaluate("InsertText(abc, 2000000000, X)");
    EXPECT_EQ(kTextFunctionResultLimit, out.size());
    EXPECT_EQ("abc  ", out.substr(0, 5));
}

TEST(TextFunctions, GetSubText) {
    const Row rows[] = {
        {"GetSubText(a$b$c, $, 1)", "a"},
        {"GetSubText(a$b$c, $, 0)", "a"},
        {"GetSubText(a$b$c, $, -1)", "a"},
        {"GetSubText(a$b$c, $, 3)", "c"},
        {"GetSubText(a$b$c, $, 4)", ""},
        {"GetSubText(a$b$c, $, 2000000000)", ""},
        {"GetSubText(aXbxc, x, 3)", "c"},
        {"GetSubText(a::b::c, ::, 2)", "b"},
        {"GetSubText(abc, , 1)", "abc"},
        {"GetSubText(abc, , 2)", ""},
        {"GetSubText(a$, $, 2)", ""},
        {"GetSubText($a, $, 1)", ""},
        {"GetSubText(a$$b, $, 3)", "b"},
    };
    expect_rows(rows);
}

TEST(TextFunctions, CountAndFind) {
    const Row rows[] = {
        {"CountItems(aaaa, aa)", "2"},  // occurrences do not overlap
        {"CountItems(aaa, aa)", "1"},
        {"CountItems(aBAb, ab)", "2"},
        {"CountItems(abc, )", "0"},
        {"CountItems(abc, x)", "0"},
        {"FindText(abcdef, CD)", "3"},
        {"FindText(abc, a)", "1"},
        {"FindText(abc, x)", "0"},
        {"FindText(abc, )", "0"},
        {"FindText(aab, ab)", "2"},
    };
    expect_rows(rows);
}

TEST(TextFunctions, NamesInTheExpandersOrder) {
    const char* const expected[] = {"Uppercase", "Lowercase", "ReplaceText", "InsertText", "GetSubText",
                                    "Length",    "FindText",  "CountItems",  "Trim",       "CALC"};
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_STREQ(expected[i], kTextFunctionNames[i]);
        std::string out;
        EXPECT_TRUE(evaluate_text_function(kTextFunctionNames[i], std::string(kTextFunctionNames[i]) + "(1)", &out))
            << kTextFunctionNames[i];
    }
}

TEST(TextFunctions, NamesIgnoreCaseAndUnknownNamesChangeNothing) {
    std::string out = "kept";
    EXPECT_TRUE(evaluate_text_function("UPPERCASE", "uppercase(ab)", &out));
    EXPECT_EQ("AB", out);
    EXPECT_TRUE(evaluate_text_function("calc", "calc(1+1)", &out));
    EXPECT_EQ("2", out);
    out = "kept";
    EXPECT_FALSE(evaluate_text_function("Reverse", "Reverse(ab)", &out));
    EXPECT_FALSE(evaluate_text_function("", "(ab)", &out));
    EXPECT_FALSE(evaluate_text_function("Upper", "Upper(ab)", &out));
    EXPECT_EQ("kept", out);
}

TEST(TextFunctions, CallTextMayLieInTheResultText) {
    std::string text = "InsertText(abc, 2, XYZ)";
    EXPECT_TRUE(evaluate_text_function("InsertText", text, &text));
    EXPECT_EQ("aXYZbc", text);
    text = "CALC(2*21)";
    EXPECT_TRUE(evaluate_text_function("CALC", text, &text));
    EXPECT_EQ("42", text);
}

// Inputs that would make a naive search quadratic finish in linear time.
TEST(TextFunctions, LongRunsOfOneLetter) {
    const std::string text(400000, 'a');
    const std::string needle = std::string(200000, 'a') + "b";
    EXPECT_EQ("0", evaluate("CountItems(" + text + ", " + needle + ")"));
    EXPECT_EQ("0", evaluate("FindText(" + text + ", " + needle + ")"));
    EXPECT_EQ(text, evaluate("ReplaceText(" + text + ", " + needle + ", x)"));
    EXPECT_EQ("", evaluate("GetSubText(" + text + ", " + needle + ", 2)"));
    EXPECT_EQ("200000", evaluate("CountItems(" + text + ", aa)"));
    EXPECT_EQ("400000", evaluate("Length(" + text + ")"));
}

TEST(TextFunctions, ReplaceTextResultIsCut) {
    // 1000 x 20000 characters would be 20 MB.
    const std::string out = evaluate("ReplaceText(" + std::string(1000, 'a') + ", a, " + std::string(20000, 'b') + ")");
    EXPECT_EQ(kTextFunctionResultLimit, out.size());
}

}  // namespace
}  // namespace zorbel
