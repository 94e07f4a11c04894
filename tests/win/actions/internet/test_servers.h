// A server of tests/servers/zorbel_servers.py on 127.0.0.1, started by a test and ended
// by it: the server runs as a Linux process in its own folder under /tmp (Z:\tmp\...),
// writes its port there, and ends when the test writes "stop" (or after its lifetime,
// should the test die first). What it received stays in the folder for the test.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/win/support/child_process.h"
#include "tests/win/support/temp_folder.h"

namespace zorbel {
namespace wintest {

class TestServer {
public:
    // `kind`: http, smtp, pop3, ftp or odbc; `options` go on the command line.
    explicit TestServer(const std::string& kind, const std::string& options = "") {
        static int counter = 0;
        name_ = "zbnet-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        unix_dir_ = "/tmp/" + name_;
        dir_ = "Z:\\tmp\\" + name_;
        remove_tree(dir_);
        std::string command = "/usr/bin/python3 " + std::string(ZORBEL_SOURCE_DIR) +
                              "/tests/servers/zorbel_servers.py " + kind + " --dir " + unix_dir_ +
                              " --lifetime 150 " + options;
        ChildProcess starter;  // a Linux program: Wine gives no handle to end it by
        started_ = starter.start(command);
        const DWORD begin = GetTickCount();
        while (started_ && GetTickCount() - begin < 15000) {
            const std::string text = read_file(dir_ + "\\port");
            if (!text.empty()) {
                port_ = std::stoi(text);
                ready_ = true;
                break;
            }
            Sleep(50);
        }
    }
    ~TestServer() {
        if (!started_) return;
        write_file(dir_ + "\\stop", "");
        const DWORD begin = GetTickCount();
        while (GetFileAttributesA((dir_ + "\\stopped").c_str()) == INVALID_FILE_ATTRIBUTES &&
               GetTickCount() - begin < 5000)
            Sleep(50);
        remove_tree(dir_);
    }
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    bool ready() const { return ready_; }
    int port() const { return port_; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string url(const std::string& path) const { return "http://" + address() + path; }
    // A file the server wrote in its folder ("" when missing).
    std::string file(const std::string& name) const { return read_file(dir_ + "\\" + name); }
    const std::string& folder() const { return dir_; }
    const std::string& unix_folder() const { return unix_dir_; }
    const std::string& name() const { return name_; }

private:
    std::string name_, unix_dir_, dir_;
    bool started_ = false;
    bool ready_ = false;
    int port_ = 0;
};

}  // namespace wintest
}  // namespace zorbel
