// Steps per second of the run engine: zorbel.exe runs 20,000-step scripts at speed 10
// hidden ("/r"), no-op steps ("Comment") and variable steps ("Increment Variable"
// saving to a variable), with logging off and on. Each is measured twice in the same
// run: as zorbel.exe runs today (steps back to back inside a tick, the log file kept
// open) and on the one-step-per-tick path with a log file opened and a setting read
// per line (ZORBEL_ONE_STEP_PER_TICK=1). The program's start-up, measured with a
// one-step script, is subtracted. Run it on an idle machine; it prints, never fails.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSteps = 20000;

std::string folder_of_exe() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder = folder.substr(0, folder.find_last_of('\\'));  // bench
    return folder.substr(0, folder.find_last_of('\\'));
}

void write_script(const std::string& path, int steps, const char* step) {
    std::string text = "<?xml version=\"1.0\" ?>\r\n<Zorbel>\r\n";
    for (int i = 0; i < steps; ++i) text += step;
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
    if (WaitForSingleObject(process.hProcess, 600000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
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

struct Script {
    const char* name;
    std::string big;
    std::string one;
};

// Steps per second of `script` with logging "/f" or "/L" on the path chosen by the
// environment, start-up subtracted.
double steps_per_second(const Script& script, const char* logging) {
    const double startup = best_of(3, std::string(logging) + " /u /r \"" + script.one + "\"");
    const double run = best_of(3, std::string(logging) + " /u /r \"" + script.big + "\"");
    return run > startup ? kSteps / ((run - startup) / 1000.0) : 0;
}

}  // namespace

int main() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string log = std::string(temp) + "zorbel_bench.log";
    const char* comment = "<step>\r\n\t<action>Comment</action>\r\n\t<text>step</text>\r\n</step>\r\n";
    const char* increment =
        "<step>\r\n\t<action>Increment Variable</action>\r\n\t<options>2097152</options>\r\n"
        "\t<variable>%zorbel_bench</variable>\r\n</step>\r\n";
    Script scripts[] = {{"no-op (Comment)", std::string(temp) + "zorbel_bench_noop.zbx",
                         std::string(temp) + "zorbel_bench_noop_1.zbx"},
                        {"variable (Increment Variable)", std::string(temp) + "zorbel_bench_var.zbx",
                         std::string(temp) + "zorbel_bench_var_1.zbx"}};
    write_script(scripts[0].big, kSteps, comment);
    write_script(scripts[0].one, 1, comment);
    write_script(scripts[1].big, kSteps, increment);
    write_script(scripts[1].one, 1, increment);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Zorbel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        DWORD ten = 10, one = 1;
        RegSetValueExA(key, "DefaultSpeed", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ten), sizeof(ten));
        RegSetValueExA(key, "RestartLog", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
        RegSetValueExA(key, "Logfile", 0, REG_SZ, reinterpret_cast<const BYTE*>(log.c_str()),
                       static_cast<DWORD>(log.size() + 1));
        RegCloseKey(key);
    }

    std::printf("%d steps at speed 10, steps per second (start-up subtracted):\n", kSteps);
    std::printf("%-30s %12s %12s %12s %12s\n", "", "log off", "log off", "log on", "log on");
    std::printf("%-30s %12s %12s %12s %12s\n", "steps", "sliced", "per tick", "sliced", "per tick");
    for (const Script& script : scripts) {
        double figures[4];
        for (int i = 0; i < 4; ++i) {
            SetEnvironmentVariableA("ZORBEL_ONE_STEP_PER_TICK", i % 2 ? "1" : nullptr);
            figures[i] = steps_per_second(script, i < 2 ? "/f" : "/L");
        }
        std::printf("%-30s %12.0f %12.0f %12.0f %12.0f\n", script.name, figures[0], figures[1], figures[2],
                    figures[3]);
    }
    SetEnvironmentVariableA("ZORBEL_ONE_STEP_PER_TICK", nullptr);
    for (const Script& script : scripts) {
        DeleteFileA(script.big.c_str());
        DeleteFileA(script.one.c_str());
    }
    DeleteFileA(log.c_str());
    return 0;
}
