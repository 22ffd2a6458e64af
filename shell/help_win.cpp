#include "shell/help_win.h"

#include "common/text_win.h"
#include "evaluation/game_record_win.h"
#include "resources/resource.h"
#include "settings/settings_state.h"
#include "shell/browser_win.h"
#include "shell/help_address.h"
#include "shell/record_page.h"
#include "shell/shell_state_win.h"

#include <string>

namespace {

constexpr wchar_t HelpFileName[] = L"mabatakiban-help.html";

std::string builtInPage() {
    HRSRC resource =
        FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_HELP), reinterpret_cast<LPCWSTR>(RT_RCDATA));
    HGLOBAL loaded = resource != nullptr ? LoadResource(nullptr, resource) : nullptr;
    const char* page = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return page != nullptr ? std::string(page, SizeofResource(nullptr, resource)) : std::string();
}

} // namespace

bool writeHelpPage(const std::wstring& path) {
    const std::string builtIn = builtInPage();
    if (builtIn.empty()) {
        return false;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    const LocalTime today{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const std::string page =
        pageWithRecord(builtIn, recordSection(readGameRecord(), today, gradeIndex));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool complete =
        WriteFile(file, page.data(), static_cast<DWORD>(page.size()), &written, nullptr) &&
        written == page.size();
    CloseHandle(file);
    return complete;
}

void openHelp(HWND window) {
    // The temporary folder may be named in any language: it is asked for, and written to, in
    // UTF-16, and the browser gets it as UTF-8, which is what percent-encoded bytes of a file
    // address are taken to be.
    const DWORD size = GetTempPathW(0, nullptr);
    std::wstring path(size, L'\0');
    const DWORD length = size > 0 ? GetTempPathW(size, path.data()) : 0;
    path.resize(length < size ? length : 0);
    path += HelpFileName;
    if (length == 0 || length >= size || !writeHelpPage(path)) {
        openHelpOnTheWeb(window);
        return;
    }
    launchBrowser(window, wideText(fileAddress(utf8Text(path))));
}

void openHelpOnTheWeb(HWND window) {
    if (*helpPageAddress == '\0') {
        showMessage(window, "ヘルプのページを書き出せませんでした。", "残念！",
                    MB_OK | MB_ICONWARNING);
        return;
    }
    launchBrowser(window, wideText(helpPageAddress));
}
