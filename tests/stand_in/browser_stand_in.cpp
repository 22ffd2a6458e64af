// Stands in for the browser in tests: writes its arguments as the browser would split its command
// line, one a line (the game's addresses are ASCII), then its process id, to a file named after
// itself (its own path and ".log"), then tells the waiting test.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    wchar_t name[MAX_PATH + 4] = {};
    lstrcatW(name + GetModuleFileNameW(nullptr, name, MAX_PATH), L".log");
    FILE* log = _wfopen(name, L"wb");
    for (int i = 1; i < count; ++i) {
        std::fprintf(log, "%ls\n", arguments[i]);
    }
    std::fprintf(log, "%lu", GetCurrentProcessId());
    std::fclose(log);
    SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, L"mabatakiban-browser-started"));
}
