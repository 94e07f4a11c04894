// End to end: zorbel.exe runs a script of every prompt unattended ("/u"); each prompt is
// one line of the log and of standard error with its Cancel or time-out answer, and
// the answers saved are those answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

std::vector<std::string> unattended_lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("Unattended: ", 0) == 0) out.push_back(line);
        start = end + 1;
    }
    return out;
}

class PromptsUnattended : public ScriptRunFixture {};

TEST_F(PromptsUnattended, EveryPromptIsAnsweredWithItsCancelOrTimeOutAnswerAndLogged) {
    ZorbelRun r = run_unattended(script_path("prompts_unattended.zbx"));
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(0u, r.exit_code) << r.log;
    const std::vector<std::string> expected = {
        "Unattended: \"Zorbel Message\" box: Starting the prompts -> answered OK",
        "Unattended: \"Zorbel Message\" box: A warning -> answered OK",
        "Unattended: \"Zorbel Message\" box: Go on? -> answered No",
        "Unattended: \"Input Value\" box: Type something: -> answered Cancel",
        "Unattended: \"Login Prompt\" box: Please enter your user name and password -> answered Cancel",
        "Unattended: \"Choose from a List\" box: Pick one -> answered Cancel (no item chosen)",
        "Unattended: \"Choose a File\" box: kept -> answered Cancel",
        "Unattended: \"Choose a Folder\" box: kept -> answered Cancel",
        "Unattended: \"Popup Menu\" box: Open / Exit -> answered Cancel (no item chosen)",
        "Unattended: \"Progress Bar Popup\" box: 50% Complete -> answered not shown",
        "Unattended: \"Tool Tip\" box: A tip -> answered not shown",
        "Unattended: \"Display Image\" box: C:\\no_such_picture.gif -> answered not shown",
    };
    EXPECT_EQ(unattended_lines(r.log), expected) << r.log;
    EXPECT_EQ(unattended_lines(r.standard_error), expected) << r.standard_error;
    EXPECT_TRUE(r.has("\t'30' seconds allowed for message to close\r\n")) << r.log;
    EXPECT_TRUE(r.has("answers: asked=0 typed=kept picked=[] menu=[]")) << r.log;
    EXPECT_TRUE(r.has("\tSaving result to %username and %password: \"\", \"\"\r\n")) << r.log;
}

}  // namespace
}  // namespace zorbel
