// Without a desktop there are neither hooks nor timers: buffered typing cannot start.
#include "actions/input/buffered_typing.h"

namespace zorbel {

namespace {

class NoBufferedTyping : public BufferedTypingDriver {
public:
    bool journal_playback_works() override { return false; }
    bool install_playback_hook(BufferedTypingEvents*) override { return false; }
    void remove_playback_hook() override {}
    bool start_ticks(uint32_t, BufferedTypingEvents*) override { return false; }
    void stop_ticks() override {}
};

}  // namespace

BufferedTypingDriver& system_buffered_typing() {
    static NoBufferedTyping driver;
    return driver;
}

}  // namespace zorbel
