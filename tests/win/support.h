// What the Windows tests share: a scratch working folder, a catcher for the dialogs and message
// boxes that the program opens modally, and a main window made by the program's own code.
#pragma once

#include "core/board_paint_win.h"
#include "core/game_state.h"
#include "settings/grades.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

// What a run that found no settings file and changed nothing saves: the factory grades, 9級 chosen.
inline const char DefaultFile[] = "3\r\n3\r\n3\r\n0\r\n3\r\n3\r\n5\r\n0\r\n3\r\n3\r\n7\r\n0\r\n"
                                  "3\r\n3\r\n9\r\n0\r\n5\r\n3\r\n5\r\n0\r\n5\r\n3\r\n9\r\n0\r\n"
                                  "7\r\n3\r\n5\r\n0\r\n7\r\n2\r\n9\r\n0\r\n9\r\n2\r\n9\r\n0\r\n"
                                  "9\r\n1\r\n9\r\n0\r\n1\r\n";

// A window's text, or with GetClassNameA its class name.
inline std::string text(HWND window, decltype(&GetWindowTextA) get = GetWindowTextA) {
    char buffer[256] = {};
    get(window, buffer, sizeof buffer);
    return buffer;
}
inline std::string hex(unsigned long value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lx", value);
    return buffer;
}
// One control as created: "id class style".
inline std::string control(int id, const char* className, unsigned long style) {
    return std::to_string(id) + " " + className + " " + hex(style) + "\n";
}
inline std::string readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}
inline void writeFile(const char* name, const std::string& content) {
    std::ofstream(name, std::ios::binary) << content;
}
// Counts the pixels of the window's client area inside box that are not of colour.
inline int pixelsOtherThan(HWND window, const RECT& box, COLORREF colour) {
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            count += GetPixel(dc, x, y) != colour;
        }
    }
    ReleaseDC(window, dc);
    return count;
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
            DeleteFileA(found.cFileName) || RemoveDirectoryA(found.cFileName); // not . and ..
        }
        FindClose(search);
        SetCurrentDirectoryA(previous);
        RemoveDirectoryA(path);
    }
};

// While alive (one at a time), sees every dialog and message box created on this thread: records it
// with its controls as their creation asked for them (controls change their own style afterwards),
// describes it, and hands it, in the order of creation, to the next step once its modal loop runs
// (from a timer that the loop itself dispatches). What a step leaves open is closed.
class Catcher {
  public:
    using Step = std::function<void(HWND)>;
    explicit Catcher(std::vector<Step> steps = {}) : steps_(std::move(steps)) {
        // One hook for the whole run; it serves whichever catcher is alive.
        [[maybe_unused]] static HHOOK hook =
            SetWindowsHookExA(WH_CBT, onCbt, nullptr, GetCurrentThreadId());
        active() = this;
    }
    ~Catcher() { active() = nullptr; }
    std::vector<std::string> created; // the style, then a control() line for each control
    std::vector<std::string> seen;    // "caption: (icon) [button ids] texts"

  private:
    static Catcher*& active() {
        static Catcher* catcher = nullptr;
        return catcher;
    }
    static LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND && active()) {
            const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            if ((create.style & WS_CHILD) && text(create.hwndParent, GetClassNameA) == "#32770" &&
                !active()->created.empty()) {
                active()->created.back() +=
                    control(static_cast<int>(reinterpret_cast<INT_PTR>(create.hMenu)),
                            text(window, GetClassNameA).c_str(), create.style);
            } else if (text(window, GetClassNameA) == "#32770") {
                active()->created.push_back(hex(create.style) + "\n");
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
            seen += text(c, GetClassNameA) == "Button"
                        ? " [" + std::to_string(GetDlgCtrlID(c)) + "]"
                    : text(c).empty() ? ""
                                      : " " + text(c);
        }
        self->seen.push_back(seen);
        if (self->seen.size() <= self->steps_.size() && self->steps_[self->seen.size() - 1]) {
            self->steps_[self->seen.size() - 1](dialog);
        }
        for (UINT close : {WM_COMMAND, WM_CLOSE}) { // IDOK for a message box, else the close box
            IsWindowVisible(dialog) && SendMessageA(dialog, close, IDOK, 0);
        }
        if (IsWindowVisible(dialog)) { // ended all the same, so that the test goes on
            ADD_FAILURE() << "neither its close box nor IDOK closes " << seen;
            EndDialog(dialog, 0);
        }
    }
    std::vector<Step> steps_;
    std::vector<HWND> pending_;
};

// Each test gets the program's main window of its own, in a scratch folder that holds the
// factory settings file, and leaves nothing behind: the window, its class, the board font and the
// state of the run go at the end.
class ShellTest : public ::testing::Test {
  protected:
    void open() {
        ASSERT_EQ(createMainWindow(GetModuleHandleA(nullptr)), 1);
        window = mainWindow;
    }
    void close() {
        Catcher closeWriteErrors;
        DestroyWindow(window);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) { // the WM_QUIT among them
        }
        DeleteObject(std::exchange(boardFont, nullptr));
        UnregisterClassA("Main Window", GetModuleHandleA(nullptr));
        resetGameState();
        resetSettingsState();
    }
    void TearDown() override { close(); }
    // A toolbar command, with a notification code that the program must not look at.
    void command(int id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 1), 0); }
    static void click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

    Scratch scratch;
    HWND window = nullptr;
    ShellTest() { writeFile("setdata.ini", DefaultFile); }
};
