// An action family as the run engine sees it: a record with the family's code, its
// actions as rows tried in order (the first row whose keyword the step's action name
// contains, ignoring case, runs the step, so a row must come before any row whose
// keyword it contains), the conditions it lends to the IF and Wait families, and the
// hooks a run calls when it starts and stops. The table of every family lives in
// actions/ and is handed to the run controller; the engine knows no family by name.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace zorbel {

struct RunContext;
struct Step;

// Runs one step; returns the executor result (kStepSucceeded, kStepFailed, kStepArranged).
using StepHandler = int (*)(RunContext& context, Step& step);
// Tests one condition for a step: whether it holds.
using ConditionTest = bool (*)(RunContext& context, Step& step);

struct ActionRow {
    const char* keyword;
    StepHandler handler;
};

struct ConditionRow {
    const char* keyword;
    ConditionTest test;
};

// A view of a constant array of rows.
template <typename Row>
struct Rows {
    const Row* rows = nullptr;
    size_t count = 0;
    constexpr Rows() = default;
    template <size_t N>
    constexpr Rows(const Row (&array)[N]) : rows(array), count(N) {}
    const Row* begin() const { return rows; }
    const Row* end() const { return rows + count; }
};

struct ActionFamily {
    constexpr ActionFamily() = default;
    constexpr ActionFamily(uint32_t family_code, const char* family_name, Rows<ActionRow> rows = {},
                           StepHandler others = nullptr)
        : code(family_code), name(family_name), actions(rows), otherwise(others) {}
    // The same family lending conditions to the IF and Wait steps.
    constexpr ActionFamily lending(Rows<ConditionRow> if_rows, Rows<ConditionRow> wait_rows = {}) const {
        ActionFamily family = *this;
        family.if_conditions = if_rows;
        family.wait_conditions = wait_rows;
        return family;
    }
    // The same family with failed steps final at once (its time-out field means something else).
    constexpr ActionFamily without_retries() const {
        ActionFamily family = *this;
        family.retries_failed_steps = false;
        return family;
    }
    // The same family with hooks for the start and stop of a run and a step given up.
    constexpr ActionFamily with_hooks(void (*started)(RunContext&), void (*stopped)(RunContext&),
                                      void (*given_up)(RunContext&) = nullptr) const {
        ActionFamily family = *this;
        family.run_started = started;
        family.run_stopped = stopped;
        family.step_given_up = given_up;
        return family;
    }

    uint32_t code = 0;
    const char* name = "";
    Rows<ActionRow> actions;
    // The step's action matched no row: null means the step succeeds without effect.
    StepHandler otherwise = nullptr;
    // Conditions lent to "IF ..." steps and to "Wait for ..." steps.
    Rows<ConditionRow> if_conditions;
    Rows<ConditionRow> wait_conditions;
    // Called by `start run` and `stop run`; a family releases what its run opened here.
    void (*run_started)(RunContext& context) = nullptr;
    void (*run_stopped)(RunContext& context) = nullptr;
    // Called when a step of the family failed for good (its time has passed), before
    // its On Failure mode applies.
    void (*step_given_up)(RunContext& context) = nullptr;
    // False for a family whose time-out field means something else: its failed steps
    // are final at once instead of running again until the time-out has passed.
    bool retries_failed_steps = true;
};

// Every family of a program, in family-code order.
struct FamilyTable {
    const ActionFamily* const* families = nullptr;
    size_t count = 0;

    // The family of a code; null for a code no family has.
    const ActionFamily* find(uint32_t code) const;
    // The first row of `family` whose keyword `action` contains; null when none does.
    static const ActionRow* match(const ActionFamily& family, const char* action);
    // The first condition row of any family whose keyword `action` contains.
    const ConditionRow* if_condition(const char* action) const;
    const ConditionRow* wait_condition(const char* action) const;
};

// Run-owned state of one family (an open search, a hook, a connection): created when
// the family first needs it during a run and destroyed by `stop run` after the
// family's run_stopped hook, so whatever it holds is released with it.
class FamilyRunState {
public:
    virtual ~FamilyRunState() = default;
};

constexpr uint32_t kFamilyCodeLimit = 32;

}  // namespace zorbel
