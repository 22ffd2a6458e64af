// The browser of the game's Wine prefix on Linux: put at the path where the game starts Internet
// Explorer, it hands the page address to Wine's winebrowser, which opens it with the desktop's
// own browser (xdg-open). Wine's Internet Explorer needs an HTML engine that a prefix usually
// lacks, and then shows nothing at all. Not part of the game: Windows players never get it.
#include <windows.h>

#include <string>

namespace {

// The page address: the last word of the command line. The game starts this program with its
// path unquoted, and the path holds spaces; the addresses the game passes hold none.
std::string addressOf(const char* commandLine) {
    std::string line = commandLine;
    const size_t end = line.find_last_not_of(" \t");
    if (end == std::string::npos) {
        return "";
    }
    line.erase(end + 1);
    const size_t space = line.find_last_of(" \t");
    return space == std::string::npos ? line : line.substr(space + 1);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') {
        return (c | 0x20) - 'a' + 10;
    }
    return -1;
}

// A file address as the Windows path it names (UTF-8), which winebrowser turns into the file's
// Linux path; any other address goes on as it is.
std::string desktopAddress(const std::string& address) {
    const std::string scheme = "file:///";
    if (address.compare(0, scheme.size(), scheme) != 0) {
        return address;
    }
    std::string path;
    for (size_t i = scheme.size(); i < address.size(); ++i) {
        const int high = i + 2 < address.size() ? hexValue(address[i + 1]) : -1;
        const int low = i + 2 < address.size() ? hexValue(address[i + 2]) : -1;
        if (address[i] == '%' && high >= 0 && low >= 0) {
            path += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            path += address[i] == '/' ? '\\' : address[i];
        }
    }
    return path;
}

std::wstring wideOf(const std::string& utf8) {
    std::wstring wide(utf8.size() + 1, L'\0');
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
    return wide;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string address = desktopAddress(addressOf(GetCommandLineA()));
    wchar_t program[MAX_PATH] = {};
    GetSystemDirectoryW(program, MAX_PATH);
    const std::wstring browser = std::wstring(program) + L"\\winebrowser.exe";
    std::wstring commandLine = L"winebrowser \"" + wideOf(address) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(browser.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}
