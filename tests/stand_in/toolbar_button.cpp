// Prints "x y", where on the screen the running game's toolbar has the middle of the Web help
// button ("help") or the Home page button, as the toolbar lays out its items: it writes the
// button's rectangle into memory of the game's own process.
#include "resources/resource.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

int main(int count, char** arguments) {
    const bool help = count > 1 && std::strcmp(arguments[1], "help") == 0;
    const HWND toolbar = GetDlgItem(FindWindowW(L"Main Window", nullptr), IDC_TOOLBAR);
    DWORD id = 0;
    GetWindowThreadProcessId(toolbar, &id);
    HANDLE game = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, id);
    void* place = VirtualAllocEx(game, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    const LRESULT index =
        SendMessageW(toolbar, TB_COMMANDTOINDEX, help ? CMD_WEBHELP : CMD_HOMEPAGE, 0);
    RECT r{};
    const bool found =
        SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(place)) &&
        ReadProcessMemory(game, place, &r, sizeof r, nullptr);
    VirtualFreeEx(game, place, 0, MEM_RELEASE);
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return found ? 0 : 1;
}
