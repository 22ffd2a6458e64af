#include "shell/game_platform_win.h"

#include "core/game_state.h"
#include "evaluation/evaluation_dialog_win.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

#include <ctime>

namespace {

class WindowGamePlatform final : public GamePlatform {
  public:
    void setTimer(int32_t id, int32_t millis) override {
        SetTimer(gameWindow, static_cast<UINT_PTR>(id), static_cast<UINT>(millis), nullptr);
    }
    void killTimer(int32_t id) override { KillTimer(gameWindow, static_cast<UINT_PTR>(id)); }
    void repaintNow() override { ::repaintNow(gameWindow); }
    void openEvaluation() override {
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EVALUATION), gameWindow,
                        evaluationDialogProc, 0);
    }
    int64_t calendarSeconds() override { return static_cast<int64_t>(std::time(nullptr)); }
};

WindowGamePlatform windowGamePlatform;

} // namespace

void bindGamePlatform(HWND window) {
    gameWindow = window;
    gamePlatform = &windowGamePlatform;
}
