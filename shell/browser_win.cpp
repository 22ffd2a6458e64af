#include "shell/browser_win.h"

#include "common/text_win.h"
#include "shell/shell_state_win.h"

void launchBrowser(HWND window, const std::wstring& address) {
    // Quoted, so that the browser, splitting its command line the usual way, finds the address as
    // its one argument.
    std::wstring commandLine = L"\"" + wideText(BrowserPath) + L"\" " + address;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Named on its own as well as quoted in the command line: the system then never tries
    // C:\Program.exe or C:\Program Files\Internet.exe, whatever stands there.
    if (!CreateProcessW(wideText(BrowserPath).c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
        showMessage(window, "Internet Explorerが見つかりませんでした。", "残念！", MB_OK);
        return;
    }
    // The browser is not watched; holding its handles would only leak two per launch.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
