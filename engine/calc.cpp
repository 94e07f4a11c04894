// The CALC evaluator: the infix expression becomes a postfix token list
// (shunting-yard, every operator left-associative), which a value stack then
// evaluates in double precision.
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/text_rules.h"
#include "engine/text_functions.h"

namespace zorbel {
namespace {

// The postfix list holds at most this many tokens: conversion stops once it is
// full, and the tokens that would follow are ignored.
constexpr size_t kMaxTokens = 240;
// Values on the evaluation stack; with at most kMaxTokens tokens it cannot
// overflow, but a push beyond it would be dropped.
constexpr size_t kStackSize = 256;
// Characters of one number token; longer runs of digits start the next number.
constexpr size_t kMaxNumberLength = 64;

// A double truncated toward zero and wrapped into 32 bits, as the bit operators
// see it; not-a-number and infinities read 0.
int32_t to_int32(double value) {
    if (!std::isfinite(value)) return 0;
    double wrapped = std::fmod(std::trunc(value), 4294967296.0);
    if (wrapped < 0) wrapped += 4294967296.0;
    return static_cast<int32_t>(static_cast<uint32_t>(wrapped));
}

struct CalcOperator {
    char symbol;
    int precedence;  // higher binds tighter
    double (*apply)(double left, double right);
};

constexpr CalcOperator kOperators[] = {
    {'^', 5, [](double l, double r) { return std::pow(l, r); }},
    {'*', 4, [](double l, double r) { return l * r; }},
    {'/', 4, [](double l, double r) { return l / r; }},
    {'%', 4, [](double l, double r) { return std::fmod(l, r); }},
    {'+', 3, [](double l, double r) { return l + r; }},
    {'-', 3, [](double l, double r) { return l - r; }},
    {'!', 2, [](double, double r) { return static_cast<double>(~to_int32(r)); }},
    {'&', 2, [](double l, double r) { return static_cast<double>(to_int32(l) & to_int32(r)); }},
    {'|', 2, [](double l, double r) { return static_cast<double>(to_int32(l) | to_int32(r)); }},
    {'~', 2, [](double l, double r) { return static_cast<double>(to_int32(l) ^ to_int32(r)); }},
    {'<', 1, [](double l, double r) { return l < r ? 1.0 : 0.0; }},
    {'=', 1, [](double l, double r) { return l == r ? 1.0 : 0.0; }},
    {'>', 1, [](double l, double r) { return l > r ? 1.0 : 0.0; }},
};

const CalcOperator* find_operator(char symbol) {
    for (const CalcOperator& op : kOperators)
        if (op.symbol == symbol) return &op;
    return nullptr;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_number_char(char c) { return is_digit(c) || c == '.'; }

struct Token {
    char op;  // 0 for a number
    double value;
};

struct Postfix {
    Token tokens[kMaxTokens];
    size_t count = 0;

    bool full() const { return count == kMaxTokens; }
    void add(Token token) {
        if (!full()) tokens[count++] = token;
    }
};

// The expression without blanks and line breaks and without its first "CALC".
std::string expression_of(std::string_view call_text) {
    std::string expression;
    expression.reserve(call_text.size());
    for (char c : call_text)
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t') expression.push_back(c);
    const size_t name = find_ignore_case(expression, "CALC");
    if (name != std::string::npos) expression.erase(name, 4);
    return expression;
}

// Infix to postfix. An operand is expected at the start, after "(" and after every
// operator (so "1+2+-3" reads 1 + 2 + (-3)); there a "-" directly before a digit
// starts a negative number. Each character is looked at once and each operator
// moves at most twice, so the time is linear in the expression whatever its nesting.
void to_postfix(std::string_view expression, Postfix* postfix) {
    std::vector<char> operators;  // "(" and operator symbols
    bool operand_expected = true;
    size_t i = 0;
    while (i < expression.size() && !postfix->full()) {
        const char c = expression[i];
        const bool negative =
            c == '-' && operand_expected && i + 1 < expression.size() && is_digit(expression[i + 1]);
        if (is_number_char(c) || negative) {
            const size_t start = i;
            if (negative) ++i;
            while (i < expression.size() && is_number_char(expression[i]) && i - start < kMaxNumberLength) ++i;
            postfix->add({0, decimal_from_text(expression.substr(start, i - start))});
            operand_expected = false;
            continue;
        }
        if (c == '(') {
            operators.push_back(c);
            operand_expected = true;
        } else if (c == ')') {
            while (!operators.empty() && operators.back() != '(') {
                postfix->add({operators.back(), 0});
                operators.pop_back();
            }
            if (!operators.empty()) operators.pop_back();  // the "(" is dropped
            operand_expected = false;
        } else if (const CalcOperator* op = find_operator(c)) {
            while (!operators.empty() && operators.back() != '(' &&
                   find_operator(operators.back())->precedence >= op->precedence) {
                postfix->add({operators.back(), 0});
                operators.pop_back();
            }
            operators.push_back(c);
            operand_expected = true;
        }
        // Any other character is ignored.
        ++i;
    }
    while (!operators.empty() && !postfix->full()) {
        postfix->add({operators.back(), 0});
        operators.pop_back();
    }
}

struct Evaluation {
    double value;
    char bad_operator;  // 0 unless a token had no computation
};

// An operator met with fewer than two values ends the evaluation with the bottom
// value, negated once for each "-" in a row from there ("-(2+3)" gives -5). A
// list that runs out leaves its result at the bottom of the stack too, so a
// malformed expression yields the first value it computed.
Evaluation evaluate(const Postfix& postfix) {
    double stack[kStackSize];
    size_t depth = 0;
    for (size_t k = 0; k < postfix.count; ++k) {
        const Token& token = postfix.tokens[k];
        if (token.op == 0) {
            if (depth < kStackSize) stack[depth++] = token.value;
            continue;
        }
        if (depth < 2) {
            double value = depth == 0 ? 0.0 : stack[0];
            for (size_t j = k; j < postfix.count && postfix.tokens[j].op == '-'; ++j) value = -value;
            return {value, 0};
        }
        const CalcOperator* op = find_operator(token.op);
        if (op == nullptr) return {0.0, token.op};
        const double right = stack[--depth];
        stack[depth - 1] = op->apply(stack[depth - 1], right);
    }
    return {depth == 0 ? 0.0 : stack[0], 0};
}

}  // namespace

double calc(std::string_view call_text, std::string* out) {
    Postfix postfix;
    to_postfix(expression_of(call_text), &postfix);
    const Evaluation result = evaluate(postfix);
    *out = result.bad_operator != 0 ? format("Bad Operator: %c", result.bad_operator)
                                    : format_calc_value(result.value);
    return result.value;
}

}  // namespace zorbel
