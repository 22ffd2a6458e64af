// Stands in for the browser in tests: writes the command line it was started with and its process
// id to a file named after itself (its own path and ".log"), then tells the waiting test.
#include <windows.h>

#include <fstream>

int main() {
    char log[MAX_PATH + 4] = {};
    lstrcatA(log + GetModuleFileNameA(nullptr, log, MAX_PATH), ".log");
    std::ofstream(log, std::ios::binary) << GetCommandLineA() << "\n" << GetCurrentProcessId();
    SetEvent(OpenEventA(EVENT_MODIFY_STATE, FALSE, "mabatakiban-browser-started"));
}
