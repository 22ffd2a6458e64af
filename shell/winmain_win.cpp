#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!createMainWindow(instance)) {
        return 0;
    }
    // Without a window nothing could ever post WM_QUIT; leave as after a failed registration.
    if (mainWindow == nullptr) {
        return 0;
    }
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    return runMessageLoop();
}
