#include "engine/condition.h"

namespace zorbel {

namespace {

bool is_operator_char(char c) { return c == '=' || c == '>' || c == '<' || c == '!'; }

// An operator run starts with "=", ">" or "<", or with "!" directly followed by "=".
bool starts_operator_run(std::string_view text, size_t i) {
    char c = text[i];
    if (c == '=' || c == '>' || c == '<') return true;
    return c == '!' && i + 1 < text.size() && text[i + 1] == '=';
}

bool is_numeric_operand(std::string_view operand) {
    for (char c : operand) {
        if ((c >= '0' && c <= '9') || c == ' ' || c == '.' || c == ',' || c == '-' || c == '+' || c == '*' ||
            c == '/' || c == '(' || c == ')' || c == '^' || c == '%')
            continue;
        return false;
    }
    return true;
}

}  // namespace

ConditionParts split_condition(std::string_view text) {
    ConditionParts parts;
    size_t first = std::string_view::npos;
    size_t last_begin = 0, last_end = 0;
    for (size_t i = 0; i < text.size();) {
        if (starts_operator_run(text, i)) {
            size_t end = i;
            while (end < text.size() && is_operator_char(text[end])) ++end;
            if (first == std::string_view::npos) first = i;
            last_begin = i;
            last_end = end;
            i = end;
        } else {
            ++i;
        }
    }
    if (first == std::string_view::npos) {
        parts.left = std::string(text);
        return parts;
    }
    std::string_view left = text.substr(0, first);
    while (!left.empty() && left.back() == ' ') left.remove_suffix(1);
    std::string_view right = text.substr(last_end);
    while (!right.empty() && right.front() == ' ') right.remove_prefix(1);
    std::string_view op = text.substr(last_begin, last_end - last_begin);
    if (op.size() > 8) op = op.substr(0, 8);
    parts.left = std::string(left);
    parts.op = std::string(op);
    parts.right = std::string(right);
    parts.type = is_numeric_operand(left) && is_numeric_operand(right) ? 1 : 2;
    return parts;
}

int evaluate_condition(std::string_view text, RunContext* context) {
    if (text.empty()) return 0;
    const bool detailed = context && context->detailed_log();
    if (detailed) context->log("\tCheck Expression Step #1: \"%.*s\"\r\n", static_cast<int>(text.size()), text.data());
    if (text.find_first_of("=><") == std::string_view::npos) return text == "0" ? 0 : 1;

    ConditionParts p = split_condition(text);
    int result = 0;
    const std::string& op = p.op;
    const bool numeric = p.type == 1;
    const int32_t l = numeric ? text_to_number(p.left) : 0;
    const int32_t r = numeric ? text_to_number(p.right) : 0;
    const int order = p.left.compare(p.right);  // byte order, case counts
    if (op == "=" || op == "==") result = p.left == p.right;
    else if (op == ">") result = numeric ? l > r : order > 0;
    else if (op == ">=") result = numeric ? l >= r : order >= 0;
    else if (op == "<") result = numeric ? l < r : order < 0;
    else if (op == "<=") result = numeric ? l <= r : order <= 0;
    else if (op == "!=" || op == "<>" || op == "><") result = !equals_ignore_case(p.left, p.right);
    if (detailed)
        context->log("\tCheck Expression Step #2 [type=%d, result=%d]: \"%s\", \"%s\"\r\n", p.type, result,
                     p.left.c_str(), p.right.c_str());
    return result;
}

}  // namespace zorbel
