// Stands in for the browser in tests: writes its arguments as the browser would split its command
// line, one a line in UTF-8, then its process id, to a file named after itself (its own path and
// ".log"), then tells the waiting test.
#include <windows.h>
#include <shellapi.h>

#include <string>

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring log;
    for (int i = 1; i < count; ++i) {
        log += arguments[i] + std::wstring(L"\n");
    }
    log += std::to_wstring(GetCurrentProcessId());
    char bytes[4096] = {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, log.c_str(), -1, bytes, sizeof bytes, 0, 0);
    wchar_t name[MAX_PATH + 4] = {};
    lstrcatW(name + GetModuleFileNameW(nullptr, name, MAX_PATH), L".log");
    HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes, size > 0 ? size - 1 : 0, &written, nullptr);
    CloseHandle(file);
    SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, L"mabatakiban-browser-started"));
}
