// Each test gets a main window of its own, made by the program's own code in a scratch folder,
// and leaves nothing behind: the window, its class and its font go at the end.
#pragma once

#include "win_test_support.h"

#include "core/game_state.h"
#include "settings/grades.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// The file a run that changed nothing writes: the factory grades and the chosen grade.
inline std::string defaultSettingsFile(int32_t chosen = 1) {
    resetSettingsState();
    loadDefaultGrades();
    gradeIndex = chosen;
    std::string text = formatSettings(currentSettingsValues());
    resetSettingsState();
    return text;
}

class MainWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGameState();
        resetSettingsState();
        resetShellState();
    }
    void TearDown() override {
        if (IsWindow(mainWindow)) {
            ModalCatcher dismissWriteErrors;
            DestroyWindow(mainWindow);
            pumpMessages();
        }
        pumpMessages();
        if (boardFont) {
            DeleteObject(boardFont);
        }
        UnregisterClassA(MainWindowClassName, GetModuleHandleA(nullptr));
    }
    // The main window over whatever settings file the folder holds.
    HWND createWindow() {
        EXPECT_EQ(createMainWindow(GetModuleHandleA(nullptr)), 1);
        return mainWindow;
    }

    ScratchDirectory scratch;
};
