// Stands in for the browser in tests: writes the command line it was started with and its process
// id to a file named after itself (its own path and ".log"), then tells the waiting test.
#include <windows.h>

#include <fstream>
#include <string>

int main() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::ofstream(std::string(self) + ".log", std::ios::binary) << GetCommandLineA() << "\n"
                                                                << GetCurrentProcessId();
    SetEvent(OpenEventA(EVENT_MODIFY_STATE, FALSE, "mabatakiban-browser-started"));
    return 0;
}
