// End to end: zorbel.exe runs a script of registry steps and a library call.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

bool key_exists(const std::string& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

class SystemEndToEnd : public ScriptRunFixture {
protected:
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZorbelE2E");  // only when the script left nothing
        ScriptRunFixture::TearDown();
    }
};

TEST_F(SystemEndToEnd, RegistryStepsAndACall) {
    const std::string key = "k" + std::to_string(GetCurrentProcessId());
    ZorbelRun r = run("registry_and_calls.zbx", "zbkey=" + key);
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(r.has("\nread 42, default the default, length 4, returned abcd\r\n")) << r.log;
    EXPECT_EQ(0, r.count("failed")) << r.log;
    EXPECT_FALSE(key_exists("Software\\ZorbelE2E\\" + key));
    EXPECT_FALSE(key_exists("Software\\ZorbelE2E\\Copy" + key));
}

}  // namespace
}  // namespace zorbel
