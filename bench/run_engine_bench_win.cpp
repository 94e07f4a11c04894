// Steps per second of the run engine: zorbel.exe runs a 10,000-step script of
// "Comment" steps at speed 10 hidden ("/r"), with logging off and on. The start-up
// of the program, measured with a one-step script in the same run, is subtracted.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string folder_of_exe() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder = folder.substr(0, folder.find_last_of('\\'));  // bench
    return folder.substr(0, folder.find_last_of('\\'));
}

void write_script(const std::string& path, int steps) {
    std::string text = "<?xml version=\"1.0\" ?>\r\n<Zorbel>\r\n";
    for (int i = 0; i < steps; ++i) text += "<step>\r\n\t<action>Comment</action>\r\n\t<text>step</text>\r\n</step>\r\n";
    text += "</Zorbel>";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

double run_ms(const std::string& arguments) {
    std::string command = "\"" + folder_of_exe() + "\\zorbel.exe\" " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 600000);
    QueryPerformanceCounter(&end);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double best_of(int times, const std::string& arguments) {
    double best = 1e300;
    for (int i = 0; i < times; ++i) {
        double ms = run_ms(arguments);
        if (ms >= 0 && ms < best) best = ms;
    }
    return best;
}

}  // namespace

int main() {
    const int kSteps = 10000;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string big = std::string(temp) + "zorbel_bench_10000.zbx";
    const std::string one = std::string(temp) + "zorbel_bench_1.zbx";
    const std::string log = std::string(temp) + "zorbel_bench.log";
    write_script(big, kSteps);
    write_script(one, 1);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Zorbel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        DWORD ten = 10;
        RegSetValueExA(key, "DefaultSpeed", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ten), sizeof(ten));
        RegSetValueExA(key, "Logfile", 0, REG_SZ, reinterpret_cast<const BYTE*>(log.c_str()),
                       static_cast<DWORD>(log.size() + 1));
        RegCloseKey(key);
    }

    const double startup_off = best_of(3, "/f /r \"" + one + "\"");
    const double run_off = best_of(3, "/f /r \"" + big + "\"");
    const double startup_on = best_of(3, "/L /r \"" + one + "\"");
    const double run_on = best_of(3, "/L /r \"" + big + "\"");
    const double steps_off = kSteps / ((run_off - startup_off) / 1000.0);
    const double steps_on = kSteps / ((run_on - startup_on) / 1000.0);
    std::printf("program start-up with a 1-step script: %.1f ms (logging off), %.1f ms (on)\n", startup_off,
                startup_on);
    std::printf("10,000 Comment steps at speed 10, logging off: %.1f ms -> %.0f steps/s\n", run_off, steps_off);
    std::printf("10,000 Comment steps at speed 10, logging on:  %.1f ms -> %.0f steps/s\n", run_on, steps_on);
    std::printf("logging costs %.1f us per step\n", (run_on - startup_on - (run_off - startup_off)) * 1000.0 / kSteps);
    DeleteFileA(big.c_str());
    DeleteFileA(one.c_str());
    return 0;
}
