// A fixture for running single window and menu steps in this test process: a run rig
// with its context, the window run state cleared before and after each test, and a
// one-step script whose step `make` fills.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "actions/windows/window_search_win.h"
#include "tests/win/support/system_run_rig.h"

namespace zorbel {

class WindowStepFixture : public ::testing::Test {
protected:
    SystemRunRig rig;

    void SetUp() override {
        SetOwnMainWindow(nullptr);
        rig.run.current_window = 0;
        rig.run.window_activated = false;
    }
    void TearDown() override { rig.run.current_window = 0;
        rig.run.window_activated = false; }

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
