// "Wait for Keypress": the step puts in a watcher that hears every key going down and
// notes when the awaited one (any key for an empty text) came; the failure handling
// runs the step again until then, or until its time has passed, when the watcher is
// removed. The watcher and what it noted belong to the run (the Wait family's run
// state), so a key pressed during one run never ends a wait of the next.
#pragma once
#include <cstdint>

#include "actions/record/recorder_desktop.h"
#include "engine/family.h"

namespace zorbel {

struct RunContext;
struct Step;

class KeypressWatcher : public FamilyRunState, public KeyWatchSink {
public:
    ~KeypressWatcher() override { remove(); }

    // One run of the step: fails while the watcher waits, succeeds once the key came.
    int run_step(RunContext& context, Step& step);
    // Removes the watcher if it is still in; forgets a key that came.
    void remove();

    bool watching() const { return watching_; }
    bool key_came() const { return done_; }

    void key_pressed(uint32_t message, uint8_t code) override;

private:
    RunContext* context_ = nullptr;
    uint8_t target_ = 0;
    bool watching_ = false;
    bool done_ = false;
};

// The Wait family's handler of "Wait for Keypress" and its run hooks.
int wait_for_keypress(RunContext& context, Step& step);
void end_keypress_watch(RunContext& context);

}  // namespace zorbel
