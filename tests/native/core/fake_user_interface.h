// A recording fake of the UserInterface for tests: every call is stored as one
// string, in order, and ask_yes_no answers from a configurable queue (default No).
//
//   "error: <text>"              error_box
//   "titled: <title>: <text>"    titled_error_box
//   "ask: <title>: <text>"       ask_yes_no
//   "status: <part>: <text>"     set_status
//   "title: <text>"              set_title
//   "recent-removed: <path>"     remove_recent_file
//   "replaced"                   script_replaced
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "core/user_interface.h"

namespace zorbel {

class FakeUserInterface : public UserInterface {
public:
    std::vector<std::string> calls;
    std::deque<Answer> answers;        // consumed front first by ask_yes_no
    Answer default_answer = Answer::kNo;  // when the queue is empty

    void error_box(const std::string& text) override { calls.push_back("error: " + text); }
    void titled_error_box(const std::string& title, const std::string& text) override {
        calls.push_back("titled: " + title + ": " + text);
    }
    Answer ask_yes_no(const std::string& title, const std::string& text) override {
        calls.push_back("ask: " + title + ": " + text);
        if (answers.empty()) return default_answer;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void set_status(int part, const std::string& text) override {
        calls.push_back("status: " + std::to_string(part) + ": " + text);
    }
    void set_title(const std::string& title) override { calls.push_back("title: " + title); }
    void remove_recent_file(const std::string& path) override { calls.push_back("recent-removed: " + path); }
    void script_replaced() override { calls.push_back("replaced"); }

    // The calls that start with `prefix` (such as "error: ").
    std::vector<std::string> calls_starting_with(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& c : calls)
            if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
        return out;
    }
    std::vector<std::string> errors() const { return calls_starting_with("error: "); }
    bool has_call(const std::string& call) const {
        for (const std::string& c : calls)
            if (c == call) return true;
        return false;
    }
    void reset() {
        calls.clear();
        answers.clear();
    }
};

}  // namespace zorbel
