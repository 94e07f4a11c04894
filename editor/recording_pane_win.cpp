#include "editor/recording_pane_win.h"

#include <string>

#include "core/text_rules.h"
#include "editor/command_ids.h"

namespace zorbel {

namespace {

constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 24;

HWND control(HWND page, HINSTANCE instance, const char* kind, const char* text, DWORD style, int id) {
    HWND window = CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, page,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return window;
}

}  // namespace

RecordingPane::RecordingPane(ScriptEdit& edit, RunContext& context) : recorder(context), edit_(edit) {
    recorder.before_store = [this] { edit_.push_snapshot(); };
    recorder.changed = [this] {
        if (recorder.state() == Recorder::State::kIdle) {
            edit_.refresh_rows(-1);
            // The pane loads its step again, showing what was stored.
            if (page_) PostMessageA(GetParent(page_), WM_COMMAND, cmd::kPaneLoad, 0);
        }
        refresh();
    };
}

void RecordingPane::create(HWND page, HINSTANCE instance) {
    page_ = page;
    record_ = control(page, instance, "BUTTON", "Start Recording", WS_TABSTOP | BS_PUSHBUTTON, cmd::kRecordButton);
    test_ = control(page, instance, "BUTTON", "Test Playback", WS_TABSTOP | BS_PUSHBUTTON, cmd::kTestPlaybackButton);
    count_ = control(page, instance, "STATIC", "0 actions recorded", 0, res::kRecordedCount);
}

int RecordingPane::layout(int x, int y, int width) {
    if (!record_) return 0;
    MoveWindow(record_, x, y, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(test_, x + kButtonWidth + 6, y, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(count_, x, y + kButtonHeight + 4, width - 2 * x, 18, TRUE);
    return kButtonHeight + 26;
}

void RecordingPane::show(int32_t index) {
    shown_ = index;
    refresh();
}

void RecordingPane::refresh() {
    if (!record_) return;
    const Recorder::State state = recorder.state();
    SetWindowTextA(record_, state == Recorder::State::kRecording ? "Stop Recording" : "Start Recording");
    EnableWindow(record_, state != Recorder::State::kTesting && !edit_.run_active());
    EnableWindow(test_, state == Recorder::State::kIdle && !edit_.run_active());
    const ScriptState& script = edit_.script();
    std::string count;
    if (shown_ >= 0 && shown_ < script.step_count())
        count = std::string(field_text(script.steps[static_cast<size_t>(shown_)].value[0]));
    SetWindowTextA(count_, text_to_number(count) <= 0 ? "0 actions recorded" : (count + " events recorded").c_str());
}

bool RecordingPane::command(int id, int notification) {
    if (id != cmd::kRecordButton && id != cmd::kTestPlaybackButton) return false;
    if (notification != BN_CLICKED || edit_.run_active()) return true;
    if (id == cmd::kRecordButton) recorder.start_or_stop(shown_);
    else recorder.test_playback(shown_);
    return true;
}

}  // namespace zorbel
