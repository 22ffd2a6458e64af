// Prints "x y", where on the screen the running game's toolbar has the middle of the button of a
// command ("help" or "home"), as the toolbar lays out its items. The toolbar writes the rectangle
// into memory of the game's own process.
#include "resources/resource.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

int main(int count, char** arguments) {
    const int command =
        count > 1 && std::strcmp(arguments[1], "help") == 0 ? CMD_WEBHELP : CMD_HOMEPAGE;
    const HWND toolbar = GetDlgItem(FindWindowW(L"Main Window", nullptr), IDC_TOOLBAR);
    DWORD id = 0;
    GetWindowThreadProcessId(toolbar, &id);
    HANDLE game = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, id);
    void* place = VirtualAllocEx(game, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    const LRESULT index = SendMessageW(toolbar, TB_COMMANDTOINDEX, command, 0);
    RECT button{};
    const bool found =
        index >= 0 &&
        SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(place)) &&
        ReadProcessMemory(game, place, &button, sizeof button, nullptr);
    VirtualFreeEx(game, place, 0, MEM_RELEASE);
    CloseHandle(game);
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    std::printf("%ld %ld\n", (button.left + button.right) / 2, (button.top + button.bottom) / 2);
    return found ? 0 : 1;
}
