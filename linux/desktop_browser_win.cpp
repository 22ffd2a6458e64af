// The browser of the game's Wine prefix on Linux: put at the path where the game starts Internet
// Explorer, it hands the page address to Wine's winebrowser, which opens it with the desktop's
// own browser (xdg-open). Wine's Internet Explorer needs an HTML engine that a prefix usually
// lacks, and then shows nothing at all. Not part of the game: Windows players never get it.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') {
        return (c | 0x20) - 'a' + 10;
    }
    return -1;
}

std::wstring wideOf(const std::string& utf8) {
    std::wstring wide(utf8.size() + 1, L'\0');
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
    return wide;
}

// The game's file address (every byte outside plain ASCII percent-encoded, UTF-8) as winebrowser
// takes it: the path's characters as they are and only '%', '#' and '?' encoded. winebrowser
// decodes the address once and encodes the file's Linux path anew for the desktop; handed the
// decoded path instead, it would decode it a second time and a folder named p%41q would become
// pAq. Any other address goes on as it is.
std::wstring desktopAddress(const std::wstring& address) {
    const std::wstring scheme = L"file:///";
    if (address.compare(0, scheme.size(), scheme) != 0) {
        return address;
    }
    std::string bytes;
    for (size_t i = scheme.size(); i < address.size(); ++i) {
        const int high = i + 2 < address.size() ? hexValue(static_cast<char>(address[i + 1])) : -1;
        const int low = i + 2 < address.size() ? hexValue(static_cast<char>(address[i + 2])) : -1;
        if (address[i] == L'%' && high >= 0 && low >= 0) {
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            bytes += static_cast<char>(address[i]); // the game's address is ASCII
        }
    }
    std::wstring desktop = scheme;
    for (const wchar_t c : wideOf(bytes)) {
        desktop += c == L'%'   ? L"%25"
                   : c == L'#' ? L"%23"
                   : c == L'?' ? L"%3F"
                               : std::wstring(1, c);
    }
    return desktop;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2) {
        return 1;
    }
    // The address holds neither '"' nor '\', so quoting it keeps it one argument.
    std::wstring commandLine = L"winebrowser \"" + desktopAddress(arguments[count - 1]) + L"\"";
    LocalFree(arguments);
    wchar_t program[MAX_PATH] = {};
    GetSystemDirectoryW(program, MAX_PATH);
    const std::wstring browser = std::wstring(program) + L"\\winebrowser.exe";
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
