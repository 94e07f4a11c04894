#include "actions/windows/window_rules.h"

#include <cstdio>

#include "core/text_rules.h"

namespace zorbel {

namespace {

// The next "|"-separated field of `specification` from `*pos`; empty when the
// fields have run out.
std::string next_field(std::string_view specification, size_t* pos) {
    if (*pos > specification.size()) return std::string();
    size_t bar = specification.find('|', *pos);
    if (bar == std::string_view::npos) bar = specification.size();
    std::string field(specification.substr(*pos, bar - *pos));
    *pos = bar + 1;
    return field;
}

}  // namespace

WindowCriteria split_window_specification(uint32_t criteria, std::string_view specification) {
    WindowCriteria out;
    out.criteria = criteria;
    size_t pos = 0;
    if (criteria & kCriterionTitle) {
        out.title = without_ampersands(next_field(specification, &pos));
        if (out.title.size() > kTitleLimit) out.title.resize(kTitleLimit);
    }
    if (criteria & kCriterionClass) out.class_name = next_field(specification, &pos);
    if (criteria & kCriterionId) out.id = next_field(specification, &pos);
    if (criteria & kCriterionUserData) out.user_data = next_field(specification, &pos);
    return out;
}

bool has_frame(uint32_t style) { return (style & (kStyleDlgFrame | kStyleThickFrame)) != 0; }

bool passes_mode(uint32_t mode, const WindowFacts& facts) {
    if (mode & (kModeFramedVisible | kModeFramedVisibleTopLevel)) {
        if (!has_frame(facts.style) || !facts.visible) return false;
    }
    if ((mode & kModeFramedVisibleTopLevel) && facts.has_parent) return false;
    return true;
}

bool facts_match(const WindowCriteria& criteria, const WindowFacts& facts) {
    if ((criteria.criteria & kCriterionClass) && !equals_ignore_case(facts.class_name, criteria.class_name))
        return false;
    if ((criteria.criteria & kCriterionId) && long_text(facts.id) != criteria.id) return false;
    if ((criteria.criteria & kCriterionUserData) && long_text(facts.user_data) != criteria.user_data) return false;
    if (!(criteria.criteria & kCriterionTitle)) return true;
    std::string title = without_ampersands(facts.title);
    if (title.size() > kTitleLimit) title.resize(kTitleLimit);
    return contains_ignore_case(title, criteria.title);
}

std::string without_ampersands(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '&') out.push_back(c);
    return out;
}

std::string long_text(long value) {
    char buffer[24];
    std::snprintf(buffer, sizeof(buffer), "%li", value);
    return buffer;
}

int control_kind_of(std::string_view class_name, uint32_t style) {
    if (equals_ignore_case(class_name, "Static")) return kControlLabel;
    if (equals_ignore_case(class_name, "Edit")) return kControlEdit;
    if (equals_ignore_case(class_name, "ComboBox")) return kControlComboBox;
    if (equals_ignore_case(class_name, "ListBox")) return kControlListBox;
    if (!equals_ignore_case(class_name, "Button")) return kControlOther;
    // Button styles are tried radio first, then group box, then check box.
    if ((style & 9) > 8) return kControlRadio;
    if ((style & 7) == 7) return kControlLabel;
    if ((style & 3) > 2) return kControlCheckBox;
    return kControlButton;
}

std::string window_list_line(uint32_t mode, const WindowFacts& facts, uintptr_t handle) {
    std::string title = without_ampersands(facts.title);
    if (mode & (kModeFramedVisible | kModeFramedVisibleTopLevel)) {
        if (title.empty()) return std::string();
        return title + "\r\n";
    }
    const bool framed_visible = has_frame(facts.style) && facts.visible;
    std::string separator;
    if (framed_visible && !facts.has_parent) separator = "\r\n" + std::string(70, '=') + "\r\n";
    const char* indent = framed_visible ? "" : "      ";
    return format("%s%s\"%s\"\t\t\t(Class: %s  ID: %li  HWND: 0x%x)\r\n", separator.c_str(), indent, title.c_str(),
                  facts.class_name.c_str(), facts.id, static_cast<unsigned>(handle));
}

}  // namespace zorbel
