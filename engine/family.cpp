#include "engine/family.h"

#include "core/text_rules.h"

namespace zorbel {

namespace {

template <typename Row>
const Row* first_match(Rows<Row> rows, const char* action) {
    const std::string_view name = action;
    for (const Row& row : rows)
        if (contains_ignore_case(name, row.keyword)) return &row;
    return nullptr;
}

}  // namespace

const ActionFamily* FamilyTable::find(uint32_t code) const {
    for (size_t i = 0; i < count; ++i)
        if (families[i]->code == code) return families[i];
    return nullptr;
}

const ActionRow* FamilyTable::match(const ActionFamily& family, const char* action) {
    return first_match(family.actions, action);
}

const ConditionRow* FamilyTable::if_condition(const char* action) const {
    for (size_t i = 0; i < count; ++i)
        if (const ConditionRow* row = first_match(families[i]->if_conditions, action)) return row;
    return nullptr;
}

const ConditionRow* FamilyTable::wait_condition(const char* action) const {
    for (size_t i = 0; i < count; ++i)
        if (const ConditionRow* row = first_match(families[i]->wait_conditions, action)) return row;
    return nullptr;
}

}  // namespace zorbel
