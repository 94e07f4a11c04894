// Service steps on a service of our own, installed in the test prefix for the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tests/win/support/child_process.h"
#include "tests/win/support/system_run_rig.h"

namespace zorbel {
namespace {

constexpr const char* kService = "ZorbelTestService";

class OwnService : public ::testing::Test {
protected:
    void SetUp() override {
        manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        ASSERT_NE(manager_, nullptr);
        remove();
        const std::string binary = "\"" + wintest::built_program("zbservice.exe") + "\"";
        service_ = CreateServiceA(manager_, kService, kService, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                  SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, binary.c_str(), nullptr, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(service_, nullptr) << GetLastError();
    }
    void TearDown() override {
        SERVICE_STATUS status;
        if (service_) {
            ControlService(service_, SERVICE_CONTROL_STOP, &status);
            state_becomes(SERVICE_STOPPED);
            DeleteService(service_);
            CloseServiceHandle(service_);
        }
        if (manager_) CloseServiceHandle(manager_);
    }
    void remove() {
        if (SC_HANDLE old = OpenServiceA(manager_, kService, SERVICE_ALL_ACCESS)) {
            SERVICE_STATUS status;
            ControlService(old, SERVICE_CONTROL_STOP, &status);
            DeleteService(old);
            CloseServiceHandle(old);
        }
    }
    // The service's state after it settles (the steps do not wait for it).
    bool state_becomes(DWORD state) {
        const DWORD begin = GetTickCount();
        SERVICE_STATUS status = {};
        while (GetTickCount() - begin < wintest::kDeadlineMs) {
            if (QueryServiceStatus(service_, &status) && status.dwCurrentState == state) return true;
            Sleep(50);
        }
        return false;
    }
    DWORD start_type() {
        DWORD needed = 0;
        QueryServiceConfigA(service_, nullptr, 0, &needed);
        std::vector<char> buffer(needed + 16);
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
        if (!QueryServiceConfigA(service_, config, static_cast<DWORD>(buffer.size()), &needed)) return 0xFFFF;
        return config->dwStartType;
    }
    int run(const char* action, const char* value1 = "") {
        Step& step = rig_.only(action, kService);
        copy_to_field(step.value[0], value1);
        return rig_.run_step();
    }

    SC_HANDLE manager_ = nullptr;
    SC_HANDLE service_ = nullptr;
    SystemRunRig rig_;
};

TEST_F(OwnService, StartedStoppedAndReconfigured) {
    EXPECT_EQ(run("Start Service"), kStepSucceeded) << rig_.run.error_text;
    EXPECT_TRUE(state_becomes(SERVICE_RUNNING));
    EXPECT_EQ(run("Stop Service"), kStepSucceeded) << rig_.run.error_text;
    EXPECT_TRUE(state_becomes(SERVICE_STOPPED));
    EXPECT_EQ(run("Service Startup Type", "disabled"), kStepSucceeded) << rig_.run.error_text;
    EXPECT_EQ(start_type(), static_cast<DWORD>(SERVICE_DISABLED));
    EXPECT_EQ(run("Service Startup Type", "Automatic"), kStepSucceeded) << rig_.run.error_text;
    EXPECT_EQ(start_type(), static_cast<DWORD>(SERVICE_AUTO_START));
    EXPECT_EQ(run("Service Startup Type", "MANUAL"), kStepSucceeded) << rig_.run.error_text;
    EXPECT_EQ(start_type(), static_cast<DWORD>(SERVICE_DEMAND_START));
}

TEST_F(OwnService, MissingServiceFailsWithTheSystemsText) {
    Step& step = rig_.only("Start Service", "ZorbelNoSuchService");
    (void)step;
    EXPECT_EQ(rig_.run_step(), kStepFailed);
    EXPECT_FALSE(rig_.run.error_text.empty());
    EXPECT_EQ(run("Stop Service"), kStepFailed);  // not running
}

}  // namespace
}  // namespace zorbel
