#include "packager/compile_switch.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

TEST(CompileSwitch, CutOutWithItsOptionalOutput) {
    struct Case {
        const char* line;
        bool found;
        const char* rest;
        const char* output;
    } cases[] = {
        {"/compile script.zbx", true, " script.zbx", ""},
        {"/COMPILE \"C:\\out dir\\x.exe\" /L s.zbx", true, " /L s.zbx", "C:\\out dir\\x.exe"},
        {"-compile out.EXE s.zbx", true, " s.zbx", "out.EXE"},
        {"s.zbx /compile", true, "s.zbx ", ""},
        {"/compiler s.zbx", false, "/compiler s.zbx", ""},
        {"\"C:\\x /compile y\\s.zbx\"", false, "\"C:\\x /compile y\\s.zbx\"", ""},
        {"C:\\tools-compile\\s.zbx", false, "C:\\tools-compile\\s.zbx", ""},
        {"/compile s.zbx out.exe", true, " s.zbx out.exe", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::string line = c.line;
        std::string output = "unset";
        EXPECT_EQ(take_compile_switch(&line, &output), c.found);
        EXPECT_EQ(line, c.rest);
        if (c.found) {
            EXPECT_EQ(output, c.output);
        }
    }
}

}  // namespace
}  // namespace zorbel
