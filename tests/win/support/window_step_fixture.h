// A fixture for running single window and menu steps in this test process: a run rig
// with its context, the window run state cleared before and after each test, and a
// one-step script whose step `make` fills.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "actions/windows/window_run_state.h"
#include "actions/windows/window_search_win.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {

class WindowStepFixture : public ::testing::Test {
protected:
    RunRig rig;
    RunContext context{rig.script, rig.run, rig.services, rig.host, &rig.controller};

    void SetUp() override {
        SetOwnMainWindow(nullptr);
        reset_window_run_state();
    }
    void TearDown() override { reset_window_run_state(); }

    // Replaces the script with one step of `action` and makes it the current step.
    Step& make(const char* action, const std::string& text, uint32_t options = kCriterionTitle) {
        rig.script.steps.clear();
        rig.script.insert_step(-1);
        rig.script.current_step = 0;
        Step& step = rig.script.steps[0];
        copy_to_field(step.action, action);
        step.text = text;
        step.options = options;
        rig.run.error_text.clear();
        return step;
    }
};

}  // namespace zorbel
