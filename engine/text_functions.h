// The text functions and the CALC evaluator that step texts may call as
// Name ( arguments ). The text expander finds each call (find_matching_paren gives
// its end), hands the whole call text to evaluate_text_function and puts the
// result in its place. Desktop-free: builds natively and under mingw alike.
//
// No function here fails: a missing argument is an empty text (number 0), CALC
// ignores characters it does not know, and every input of any length is handled
// in time linear in its size, without recursion.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

// The names the expander looks for, in the order it processes them; matched
// ignoring case.
extern const char* const kTextFunctionNames[10];

// The longest text a text function returns: a larger result ("InsertText" with a
// far position, "ReplaceText" that multiplies its text) is cut to this length.
constexpr size_t kTextFunctionResultLimit = size_t{1} << 24;

// Index one past the ")" that matches the first "(" at or after `open` in `text`;
// npos when there is no "(" there or it is unmatched. Parentheses inside a quoted
// part are not counted: a double quote or apostrophe that is the first character
// of an argument (after "(" or ",", spaces and TABs skipped) opens a quoted part,
// which the next quote of the same kind closes (the rule get_argument follows).
size_t find_matching_paren(std::string_view text, size_t open);

// Writes the n-th argument (from 1) of `call_text` to `out` and returns its value
// by the text-to-number rule. Reading starts after the first "(" when the text has
// both "(" and ")", else at its start. Spaces and TABs before an argument are
// skipped; a quote (double or apostrophe) at an argument's start opens a quoted
// part whose quotes are not copied and whose closing quote ends the argument; a
// quote elsewhere is copied. At nesting 0 and outside quotes "," starts the next
// argument and ")" ends the list, removing the argument's trailing spaces; spaces
// before a comma are kept. A missing argument is empty (value 0).
int32_t get_argument(std::string_view call_text, int n, std::string* out);

// Evaluates a "CALC( ... )" call text in double precision and returns its value;
// writes the formatted result to `out`, or "Bad Operator: %c" (value 0) when the
// postfix form holds an unmatched "(" where a computation needs an operator.
double calc(std::string_view call_text, std::string* out);

// The result text of a CALC value: "0" for zero, otherwise the value with at most
// 20 fraction digits and no rounding noise (runs of seven "0" or "9" in the
// fraction are resolved by a 7-digit reprint). Non-finite values read "inf",
// "-inf" and "nan".
std::string format_calc_value(double value);

// Evaluates the call text of the function `name` (one of kTextFunctionNames,
// matched ignoring case) and writes its result to `out`. Returns false, leaving
// `out` untouched, when `name` is not a known function.
bool evaluate_text_function(std::string_view name, std::string_view call_text, std::string* out);

}  // namespace zorbel
