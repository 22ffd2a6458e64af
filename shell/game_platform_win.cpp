#include "shell/game_platform_win.h"

#include "core/game_state.h"
#include "evaluation/evaluation_dialog_win.h"
#include "evaluation/game_record_win.h"
#include "resources/resource.h"
#include "shell/board_win.h"
#include "shell/shell_state_win.h"

namespace {

class WindowGamePlatform final : public GamePlatform {
  public:
    void setTimer(int32_t id, int32_t millis) override {
        SetTimer(mainWindow, static_cast<UINT_PTR>(id), static_cast<UINT>(millis), nullptr);
    }
    void killTimer(int32_t id) override { KillTimer(mainWindow, static_cast<UINT_PTR>(id)); }
    void repaintNow() override { repaintBoard(mainWindow); }
    void openEvaluation() override {
        appendFinishedGame();
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_EVALUATION), mainWindow,
                        evaluationDialogProc, 0);
    }
};

WindowGamePlatform windowGamePlatform;

} // namespace

void bindGamePlatform(HWND window) {
    mainWindow = window;
    gamePlatform = &windowGamePlatform;
}
