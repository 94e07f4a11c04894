// The recording controls of the Record Actions pane: the Start/Stop button (1302),
// the test playback button and the count of recorded events, over the recorder. A
// recording goes into the step that started it, wherever the focus is when it stops.
#pragma once
#include <windows.h>

#include <cstdint>

#include "actions/record/recorder.h"
#include "editor/script_edit.h"

namespace zorbel {

class RecordingPane {
public:
    RecordingPane(ScriptEdit& edit, RunContext& context);

    // Adds the controls to the pane's page.
    void create(HWND page, HINSTANCE instance);
    // Places the controls from `y` on; returns the height they take.
    int layout(int x, int y, int width);
    // The pane now shows the step at `index`.
    void show(int32_t index);
    // A command of the page; true when it was one of the recording controls.
    bool command(int id, int notification);

    Recorder recorder;

private:
    void refresh();

    ScriptEdit& edit_;
    HWND page_ = nullptr;
    HWND record_ = nullptr, test_ = nullptr, count_ = nullptr;
    int32_t shown_ = -1;
};

}  // namespace zorbel
