// The fake desktop's hooks: installing and removing them goes into the call log, and a
// test plays the role of the system: it feeds recorded events to the record sink,
// key presses to the watcher, and drives a playback as the playback hook would
// ("wait 500" moves the fake clock on; "play 256 10 20" is a played event).
#pragma once
#include <string>
#include <vector>

#include "actions/record/recorder_desktop.h"
#include "engine/desktop.h"

namespace zorbel {

class FakeRecorderDesktop : public RecorderDesktop {
public:
    FakeRecorderDesktop(std::vector<std::string>& log, uint32_t& clock_ms) : calls_(log), clock_ms_(clock_ms) {}
    bool refuse_record = false, refuse_playback = false, refuse_watcher = false;
    RecordSink* record = nullptr;
    PlaybackSource* playback = nullptr;
    KeyWatchSink* watcher = nullptr;

    bool install_record_hook(RecordSink* sink) override {
        if (refuse_record || record || playback) return false;
        calls_.push_back("record hook");
        record = sink;
        return true;
    }
    bool install_playback_hook(PlaybackSource* source) override {
        if (refuse_playback || record || playback) return false;
        calls_.push_back("playback hook");
        playback = source;
        return true;
    }
    void remove_journal_hook() override {
        if (!record && !playback) return;
        calls_.push_back("hook removed");
        record = nullptr;
        playback = nullptr;
    }
    bool journal_hook_installed() override { return record || playback; }
    void cancel_journal() override {
        JournalClient* client = record ? static_cast<JournalClient*>(record) : playback;
        record = nullptr;
        playback = nullptr;
        calls_.push_back("journal cancelled");
        if (client) client->journal_cancelled();
    }
    bool install_key_watcher(KeyWatchSink* sink) override {
        if (refuse_watcher) return false;
        calls_.push_back("key watcher");
        watcher = sink;
        return true;
    }
    void remove_key_watcher() override {
        calls_.push_back("key watcher removed");
        watcher = nullptr;
    }

    // The record hook sees an event `after_ms` after the last one.
    void see(uint32_t message, uint32_t first, uint32_t second = 0, intptr_t window = 0, uint32_t after_ms = 0) {
        clock_ms_ += after_ms;
        RecordingEvent event{message, first, second, 0, static_cast<uint32_t>(window)};
        if (record) record->recorded(event);
    }
    // One HC_GETNEXT: "wait N" (and the clock moves on N) or "play M A B", or false at the end.
    bool get_next(bool waits = true) {
        if (!playback) return false;
        RecordingEvent event{};
        uint32_t wait = 0;
        switch (playback->next_event(&event, &wait)) {
            case NextEvent::kWait:
                calls_.push_back("wait " + std::to_string(wait));
                if (waits) clock_ms_ += wait;
                return true;
            case NextEvent::kPlay:
                calls_.push_back("play " + std::to_string(event.message) + " " + std::to_string(event.param_first) + " " +
                                 std::to_string(event.param_second));
                return true;
            case NextEvent::kEnded: return false;
        }
        return false;
    }
    // Plays to the end as the system does: asks until an event comes, plays it, skips.
    void play_all(int limit = 100000) {
        while (playback && limit-- > 0) {
            const size_t before = calls_.size();
            if (!get_next()) return;
            if (calls_.size() > before && calls_.back().rfind("play ", 0) == 0 && playback) playback->skip();
        }
    }

private:
    std::vector<std::string>& calls_;
    uint32_t& clock_ms_;
};

}  // namespace zorbel
