// What the Windows tests share: a scratch working folder, a catcher for the dialogs and message
// boxes that the program opens modally, and a main window made by the program's own code.
#pragma once

#include "core/board_paint_win.h"
#include "core/game_state.h"
#include "settings/settings_state.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

// What a run that found no settings file and changed nothing saves: the factory grades, 9級 chosen.
inline const char DefaultFile[] = "3\r\n3\r\n3\r\n0\r\n3\r\n3\r\n5\r\n0\r\n3\r\n3\r\n7\r\n0\r\n"
                                  "3\r\n3\r\n9\r\n0\r\n5\r\n3\r\n5\r\n0\r\n5\r\n3\r\n9\r\n0\r\n"
                                  "7\r\n3\r\n5\r\n0\r\n7\r\n2\r\n9\r\n0\r\n9\r\n2\r\n9\r\n0\r\n"
                                  "9\r\n1\r\n9\r\n0\r\n1\r\n";

inline std::string text(HWND window) {
    char buffer[256] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}
inline std::string hex(unsigned long value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lx", value);
    return buffer;
}
inline std::string readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}
inline void writeFile(const char* name, const std::string& content) {
    std::ofstream(name, std::ios::binary) << content;
}
inline void click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// A fresh folder, the working directory while alive; emptied and removed afterwards.
struct Scratch {
    char previous[MAX_PATH] = {}, path[MAX_PATH] = {};
    Scratch() {
        GetCurrentDirectoryA(MAX_PATH, previous);
        GetTempPathA(MAX_PATH, path);
        GetTempFileNameA(path, "mab", 0, path);
        DeleteFileA(path);
        CreateDirectoryA(path, nullptr);
        SetCurrentDirectoryA(path);
    }
    ~Scratch() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA("*", &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more;
             more = FindNextFileA(search, &found)) {
            SetFileAttributesA(found.cFileName, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(found.cFileName) || found.cFileName[0] == '.' ||
                RemoveDirectoryA(found.cFileName);
        }
        FindClose(search);
        SetCurrentDirectoryA(previous);
        RemoveDirectoryA(path);
    }
};

// While alive, records the controls created on this thread, as their creation asked for them
// (controls change their own style afterwards). Each dialog or message box is described and then
// handed, in the order of creation, to the next step, once its modal loop runs (from a timer that
// the loop itself dispatches); what a step leaves open is closed.
class Catcher {
  public:
    using Step = std::function<void(HWND)>;
    explicit Catcher(std::vector<Step> steps = {}) : steps_(std::move(steps)), outer_(active()) {
        [[maybe_unused]] static HHOOK hook =
            SetWindowsHookExA(WH_CBT, onCbt, nullptr, GetCurrentThreadId());
        active() = this;
    }
    ~Catcher() { active() = outer_; }
    std::map<HWND, std::string> controls; // of each parent: "id class style" lines
    std::vector<HWND> dialogs;
    std::vector<DWORD> styles;     // of each dialog, once shown
    std::vector<std::string> seen; // of each dialog: "caption: (icon) [button ids] texts"

  private:
    static Catcher*& active() {
        static Catcher* catcher = nullptr;
        return catcher;
    }
    static std::string classOf(HWND window) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        return name;
    }
    static LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND && active()) {
            const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            if (create.style & WS_CHILD) {
                active()->controls[create.hwndParent] +=
                    std::to_string(reinterpret_cast<INT_PTR>(create.hMenu)) + " " +
                    classOf(window) + " " + hex(create.style) + "\n";
            } else if (classOf(window) == "#32770") {
                active()->pending_.push_back(window);
                SetTimer(nullptr, 0, 0, run);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK run(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        Catcher* self = active();
        if (self == nullptr || self->pending_.empty()) {
            return;
        }
        const HWND dialog = self->pending_.front();
        self->pending_.erase(self->pending_.begin());
        std::string seen = text(dialog) + ":";
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            const auto icon = reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0));
            seen += !icon ? "" : icon == LoadIconA(nullptr, IDI_WARNING) ? " (warning)" : " (icon)";
            seen += classOf(c) == "Button" ? " [" + std::to_string(GetDlgCtrlID(c)) + "]"
                    : text(c).empty()      ? ""
                                           : " " + text(c);
        }
        self->dialogs.push_back(dialog);
        self->styles.push_back(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)));
        self->seen.push_back(seen);
        if (self->seen.size() <= self->steps_.size() && self->steps_[self->seen.size() - 1]) {
            self->steps_[self->seen.size() - 1](dialog);
        }
        for (UINT close : {WM_COMMAND, WM_CLOSE}) { // IDOK for a message box, else the close box
            IsWindowVisible(dialog) && SendMessageA(dialog, close, IDOK, 0);
        }
    }
    std::vector<Step> steps_;
    Catcher* outer_;
    std::vector<HWND> pending_;
};

// Each test gets the program's main window of its own, in a scratch folder, and leaves nothing
// behind: the window, its class, the board font and the state of the run go at the end.
class ShellTest : public ::testing::Test {
  protected:
    // Over a setdata.ini holding file (none for nullptr); boxes shown meanwhile go to readBoxes.
    void open(const char* file = DefaultFile) {
        if (file != nullptr) {
            writeFile("setdata.ini", file);
        }
        Catcher catcher;
        ASSERT_EQ(createMainWindow(GetModuleHandleA(nullptr)), 1);
        window = mainWindow;
        readBoxes = catcher.seen;
    }
    void close() {
        Catcher closeWriteErrors;
        DestroyWindow(window);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) { // the WM_QUIT among them
        }
        DeleteObject(boardFont);
        UnregisterClassA("Main Window", GetModuleHandleA(nullptr));
        resetGameState();
        resetSettingsState();
        mainWindow = toolbarWindow = nullptr;
        boardFont = nullptr;
    }
    void TearDown() override { close(); }
    // A toolbar command, with a notification code that the program must not look at.
    void command(int id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 1), 0); }

    Scratch scratch;
    HWND window = nullptr;
    std::vector<std::string> readBoxes;
};
