#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "engine/text_functions.h"

namespace zorbel {
namespace {

struct Row {
    std::string call;
    const char* expected;
};

void expect_rows(const Row* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        std::string out = "junk";
        calc(rows[i].call, &out);
        EXPECT_EQ(rows[i].expected, out) << "row " << i << ": " << rows[i].call;
    }
}
template <size_t N>
void expect_rows(const Row (&rows)[N]) {
    expect_rows(rows, N);
}

std::string repeat(const std::string& piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(Calc, DocumentedExamples) {
    const Row rows[] = {
        {"CALC ( 2 + 3 * 4 )", "14"},
        {"CALC ( ( (2*3) + (4/5) ) ^ 0.5 )", "2.60768096208105948364"},
        {"CALC ( 0.1 + 0.2 )", "0.3"},
        {"CALC ( 7 / 2 )", "3.5"},
        {"CALC ( 10 % 4 )", "2"},
        {"CALC ( 2 ^ 3 ^ 2 )", "64"},
        {"CALC ( 6 & 3 )", "2"},
        {"CALC ( 6 ~ 3 )", "5"},
        {"CALC ( 3 > 2 )", "1"},
        {"CALC ( -(2+3) )", "-5"},
        {"CALC ( 5 - -2 )", "7"},
    };
    expect_rows(rows);
}

TEST(Calc, PrecedenceAndLeftAssociativity) {
    const Row rows[] = {
        {"CALC(10-4-3)", "3"},
        {"CALC(100/10/5)", "2"},
        {"CALC(2+3*4^2)", "50"},
        {"CALC((2+3)*4)", "20"},
        {"CALC(7%4*2)", "6"},    // same level: (7%4)*2
        {"CALC(2*7%4)", "2"},    // (2*7)%4
        {"CALC(1+2>2)", "1"},    // comparison binds loosest
        {"CALC(1<2+3)", "1"},
        {"CALC(6&3+1)", "4"},    // 6 & (3+1)
        {"CALC(2*3&3)", "2"},    // (2*3) & 3
        {"CALC(1|2=3)", "1"},    // (1|2) = 3
        {"CALC(1|2&0)", "0"},    // (1|2) & 0: same level, left to right
        {"CALC(5-(2))", "3"},
        {"CALC(2^-1)", "0.5"},
        {"CALC(-2^2)", "4"},     // "-2" is one number
        {"CALC(2*-3)", "-6"},
        {"CALC((-5))", "-5"},
        {"CALC(-5+2)", "-3"},
        {"CALC(1+2+-3)", "0"},   // the minus after an operator starts a number
        {"CALC(1*2+-3)", "-1"},
    };
    expect_rows(rows);
}

TEST(Calc, ComparisonsAndBitOperators) {
    const Row rows[] = {
        {"CALC(2<3)", "1"},
        {"CALC(3<2)", "0"},
        {"CALC(2=2)", "1"},
        {"CALC(2=3)", "0"},
        {"CALC(2>3)", "0"},
        {"CALC(6|3)", "7"},
        {"CALC(0!5)", "-6"},             // complement of the right operand
        {"CALC(99!0)", "-1"},            // the left operand is dropped
        {"CALC(!5)", "5"},               // no left operand: the evaluation stops at "!"
        {"CALC(7.9&3.2)", "3"},          // truncated toward zero
        {"CALC(-1&255)", "255"},
        {"CALC(-7.9|0)", "-7"},
        {"CALC(4294967295&255)", "255"}, // wrapped into 32 bits
        {"CALC(4294967296|1)", "1"},
        {"CALC(2147483648|1)", "-2147483647"},
        {"CALC((1/0)|5)", "5"},          // not a finite number: 0
        {"CALC((0/0)&-1)", "0"},
    };
    expect_rows(rows);
}

TEST(Calc, NegationWhenTooFewValues) {
    const Row rows[] = {
        {"CALC(-(-(3)))", "3"},  // two "-" in a row at the end
        {"CALC(--5)", "5"},      // "-" then the number -5
        {"CALC(---5)", "0"},     // an operator before any value: 0
        {"CALC(3-)", "-3"},
        {"CALC(+5)", "5"},
        {"CALC(*5)", "5"},
        {"CALC(-)", "0"},
    };
    expect_rows(rows);
}

TEST(Calc, SpacesLineBreaksNameAndStrayCharacters) {
    const Row rows[] = {
        {"CALC(\t1 +\r\n2)", "3"},
        {"calc ( 1 + 1 )", "2"},
        {"C A L C(2*2)", "4"},
        {"CALC(CALC(1+1)*3)", "6"},  // only the first name is removed; letters are ignored
        {"CALC($3+4)", "7"},
        {"CALC(1,500+1)", "1"},      // "," separates two numbers; the first value wins
        {"CALC(abc)", "0"},
        {"CALC()", "0"},
        {"CALC( )", "0"},
        {"", "0"},
        {"2+2", "4"},                // no name at all
        {"CALC(1e5)", "1"},          // "1", then "5": the first value wins
    };
    expect_rows(rows);
}

TEST(Calc, Numbers) {
    const Row rows[] = {
        {"CALC(1.5*2)", "3"},
        {"CALC(.5+.25)", "0.75"},
        {"CALC(1.2.3+1)", "2.2"},
        {"CALC(12345678901234567890)", "123456789012345680"},  // 18 characters are read
        {"CALC(-.5)", "-0.5"},                                 // "-" then ".5": negated at the end
        {"CALC(0.00000001)", "0"},
        {"CALC(0.0000001)", "0.0000001"},
        {"CALC(0.12345678)", "0.1234568"},
        {"CALC(1/3)", "0.33333333333333331483"},
        {"CALC(2/3)", "0.66666666666666662966"},
        {"CALC(100/7)", "14.28571428571428647558"},
        {"CALC(3.3*3)", "9.9"},
        {"CALC(1.1*1.1)", "1.21"},
        // A number holds at most 64 characters; the 65th starts the next one.
        {"CALC(" + std::string(63, '0') + "2+3)", "3"},
        {"CALC(" + std::string(64, '0') + "2+3)", "0"},
    };
    expect_rows(rows);
}

TEST(Calc, NonFiniteResults) {
    const Row rows[] = {
        {"CALC(1/0)", "inf"},
        {"CALC(-1/0)", "-inf"},
        {"CALC(0/0)", "nan"},
        {"CALC(5%0)", "nan"},
        {"CALC((-8)^(1/3))", "nan"},
        {"CALC(10^400)", "inf"},
        {"CALC(0-10^400)", "-inf"},
        {"CALC((1/0)-(1/0))", "nan"},
        {"CALC(10^-400)", "0"},
    };
    expect_rows(rows);
}

TEST(Calc, BadOperatorAndUnbalancedParentheses) {
    const Row rows[] = {
        {"CALC(1(2)", "Bad Operator: ("},  // "(" left over where two values wait
        {"CALC((1)(2)", "Bad Operator: ("},
        {"CALC((1+2)", "3"},               // left over with one value: the value
        {"CALC(1+2))*3", "9"},             // a ")" without "(" is dropped
        {"CALC())))", "0"},
        {"CALC(((((", "0"},
    };
    expect_rows(rows);
    std::string out;
    EXPECT_EQ(0.0, calc("CALC(1(2)", &out));
}

TEST(Calc, ReturnsTheValue) {
    std::string out;
    EXPECT_DOUBLE_EQ(14.0, calc("CALC(2+3*4)", &out));
    EXPECT_DOUBLE_EQ(0.1 + 0.2, calc("CALC(0.1+0.2)", &out));  // unrounded
    EXPECT_DOUBLE_EQ(-5.0, calc("CALC(-(2+3))", &out));
    EXPECT_TRUE(std::isinf(calc("CALC(1/0)", &out)));
}

// The token list holds 240 tokens; what follows is ignored. n ones added make
// 2n-1 tokens, so the sum stops at 120.
TEST(Calc, TokensBeyondTheListAreIgnored) {
    const Row rows[] = {
        {"CALC(1" + repeat("+1", 119) + ")", "120"},
        {"CALC(1" + repeat("+1", 120) + ")", "120"},
        {"CALC(1" + repeat("+1", 999) + ")", "120"},
        {"CALC(" + repeat("1-", 1000) + "1)", "-118"},
        {"CALC(" + repeat("-", 1000) + "5)", "0"},
        {"CALC(" + repeat("5", 100000) + ")", "555555555555555584"},
    };
    expect_rows(rows);
}

TEST(Calc, DeepNestingNeedsNoRecursion) {
    const size_t depth = 1 << 20;
    const Row rows[] = {
        {"CALC(" + std::string(depth, '(') + "1+2" + std::string(depth, ')') + ")", "3"},
        {"CALC(" + std::string(depth, '(') + ")", "0"},
        {"CALC(" + std::string(depth, ')') + ")", "0"},
        {std::string(depth, '^'), "0"},
        // Right-nested: every value waits on the stack until the end.
        {"CALC(" + repeat("1+(", 79) + "1" + std::string(79, ')') + ")", "80"},
    };
    expect_rows(rows);
}

TEST(CalcFormat, Values) {
    struct {
        double value;
        const char* expected;
    } rows[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-1.0, "-1"},
        {0.5, "0.5"},
        {-0.5, "-0.5"},
        {1e-5, "0.00001"},
        {1.5e-5, "0.000015"},
        {1e-8, "0"},
        {-1e-8, "0"},  // too small to show: no "-0"
        {0.99999994, "0"},  // the 7-digit reprint still ends in seven "9": cut there
        {-1.99999994, "-1"},
        {1.00000001, "1"},
        {0.1 + 0.2, "0.3"},
        {123.456, "123.456"},
        {1234567.1, "1234567.1"},
        {9999999.5, "9999999.5"},  // a run in the integer part stays
        {1e15 + 0.3, "1000000000000000.25"},
        {1e22, "10000000000000000000000"},
        {8.675309, "8.675309"},
        {std::numeric_limits<double>::denorm_min(), "0"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {-std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& r : rows) EXPECT_EQ(r.expected, format_calc_value(r.value)) << r.value;
}

TEST(CalcFormat, LargestValuesPrintWhole) {
    const std::string largest = format_calc_value(DBL_MAX);
    EXPECT_EQ(309u, largest.size());
    EXPECT_EQ("17976931348623157081", largest.substr(0, 20));
    EXPECT_EQ(std::string::npos, largest.find('.'));
    EXPECT_EQ("-" + largest, format_calc_value(-DBL_MAX));
}

}  // namespace
}  // namespace zorbel
