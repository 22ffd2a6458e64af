#include "shell/help_win.h"

#include "resources/resource.h"
#include "shell/help_address.h"
#include "shell/shell_state_win.h"
#include "shell/toolbar_win.h"

#include <string>
#include <vector>

namespace {

constexpr char HelpFileName[] = "mabatakiban-help.html";

// A fresh, complete copy of the page; false when any of it could not be written.
bool writeHelpPage(const char* path) {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_HELP), RT_RCDATA);
    HGLOBAL loaded = resource != nullptr ? LoadResource(nullptr, resource) : nullptr;
    const void* page = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (page == nullptr) {
        return false;
    }
    const DWORD size = SizeofResource(nullptr, resource);
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool complete = WriteFile(file, page, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return complete;
}

// The path in UTF-8, which is what browsers take percent-encoded bytes of a file address to be.
std::string utf8Of(const char* path) {
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength > 0 ? wideLength : 1));
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), wideLength);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> utf8(static_cast<size_t>(length > 0 ? length : 1));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, utf8.data(), length, nullptr, nullptr);
    return std::string(utf8.data());
}

} // namespace

void openHelp(HWND window) {
    char folder[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + HelpFileName;
    if (length == 0 || length >= MAX_PATH || path.size() >= MAX_PATH ||
        !writeHelpPage(path.c_str())) {
        launchBrowser(window, helpCommandLine);
        return;
    }
    // Writable and terminated, as CreateProcessA wants its command line.
    std::string commandLine = std::string(BrowserPath) + " " + fileAddress(utf8Of(path.c_str()));
    launchBrowser(window, commandLine.data());
}
