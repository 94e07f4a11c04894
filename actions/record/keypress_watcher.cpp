#include "actions/record/keypress_watcher.h"

#include "actions/input/key_tokens.h"
#include "engine/run_context.h"

namespace zorbel {

namespace {

constexpr uint32_t kWaitFamilyCode = 6;

}  // namespace

int KeypressWatcher::run_step(RunContext& context, Step& step) {
    if (watching_) return context.fail("%s", "");
    if (done_) {
        done_ = false;
        return kStepSucceeded;
    }
    const std::string text = context.text_of(step.text);
    bool shift = false, token = false;
    target_ = text.empty() ? 0 : ParseKeyToken(text, true, &shift, &token);
    context.log("\tWaiting for keypress %s (%d)\r\n", text.c_str(), target_);
    context_ = &context;
    RecorderDesktop* desktop = context.desktop().recorder;
    watching_ = true;
    if (!desktop || !desktop->install_key_watcher(this)) {
        watching_ = false;
        return context.fail("Unable to start keyboard watcher");
    }
    return context.fail("%s", "");
}

void KeypressWatcher::remove() {
    done_ = false;
    if (!watching_) return;
    watching_ = false;
    if (RecorderDesktop* desktop = context_->desktop().recorder) desktop->remove_key_watcher();
}

void KeypressWatcher::key_pressed(uint32_t message, uint8_t code) {
    if (!watching_ || (message != kMessageKeyFirst && message != kMessageSysKeyDown)) return;
    context_->log("\tWaiting for keypress [%d], user pressed [%d]\r\n", target_, code);
    if (target_ != 0 && target_ != code) return;
    remove();
    done_ = true;
}

int wait_for_keypress(RunContext& context, Step& step) {
    return context.run.state_of<KeypressWatcher>(kWaitFamilyCode).run_step(context, step);
}

void end_keypress_watch(RunContext& context) {
    if (KeypressWatcher* watcher = context.run.existing_state_of<KeypressWatcher>(kWaitFamilyCode)) watcher->remove();
}

}  // namespace zorbel
