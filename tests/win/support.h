// What the Windows tests share: a scratch working folder, a catcher for the dialogs and message
// boxes that the program opens modally, and a main window made by the program's own code.
#pragma once

#include "core/game_state.h"
#include "evaluation/evaluation_state_win.h"
#include "settings/grades.h"
#include "shell/board_win.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"
#include "shell/toolbar_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

// Texts in UTF-8, as the tests write what a player reads, whatever the system's code page.
inline std::string utf8(const wchar_t* wide) {
    char utf8[768] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}
// A window's text, or with GetClassNameW its class name.
inline std::string text(HWND window, decltype(&GetWindowTextW) get = GetWindowTextW) {
    wchar_t wide[256] = {};
    get(window, wide, 256);
    return utf8(wide);
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
// What a run that found no settings file and changed nothing saves: the factory grades, 9級 chosen.
inline const std::string DefaultFile = readFile(MABATAKIBAN_DEFAULT_FILE);
inline void writeFile(const char* name, const std::string& content) {
    std::ofstream(name, std::ios::binary) << content;
}
// A 32-bit picture: one to draw into, a copy of a window's client area, or a bitmap resource of
// the program. Areas are clipped to it.
struct Canvas {
    HDC dc = CreateCompatibleDC(nullptr);
    int width = 0, height = 0;
    uint32_t* bits = nullptr;
    HGDIOBJ original = nullptr;
    Canvas(int w, int h) { make(w, h); }
    explicit Canvas(HWND window) {
        HDC screen = GetDC(window);
        copy(screen, size(window)), ReleaseDC(window, screen);
    }
    explicit Canvas(int id) {
        HDC source = CreateCompatibleDC(nullptr);
        HGDIOBJ bitmap = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP,
                                    0, 0, LR_CREATEDIBSECTION);
        BITMAP b{};
        GetObjectW(bitmap, sizeof b, &b), SelectObject(source, bitmap);
        copy(source, {b.bmWidth, b.bmHeight}), DeleteDC(source), DeleteObject(bitmap);
    }
    ~Canvas() { DeleteObject(SelectObject(dc, original)), DeleteDC(dc); }
    void make(int w, int h) {
        width = w, height = h;
        BITMAPINFO info{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        original = SelectObject(dc, CreateDIBSection(dc, &info, DIB_RGB_COLORS,
                                                     reinterpret_cast<void**>(&bits), nullptr, 0));
    }
    void copy(HDC source, SIZE size) {
        make(size.cx, size.cy), BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    }
    static SIZE size(HWND window) {
        RECT r;
        GetClientRect(window, &r);
        return {r.right, r.bottom};
    }
    COLORREF at(int x, int y) const {
        const uint32_t p = bits[y * width + x];
        return RGB(p >> 16 & 255, p >> 8 & 255, p & 255);
    }
    // Calls f(x, y) for every pixel of area that the canvas holds.
    template <typename F> void each(RECT a, F f) const {
        for (long y = std::max(0L, a.top); y < std::min<long>(height, a.bottom); ++y) {
            for (long x = std::max(0L, a.left); x < std::min<long>(width, a.right); ++x) {
                f(x, y);
            }
        }
    }
    int count(COLORREF colour, RECT area) const {
        int n = 0;
        each(area, [&](long x, long y) { n += at(x, y) == colour; });
        return n;
    }
    // The box that holds the pixels of colour in area; empty (right < left) for none.
    RECT bounds(COLORREF colour, RECT area) const {
        RECT b = {area.right, area.bottom, area.left, area.top};
        each(area, [&](long x, long y) {
            b = at(x, y) != colour ? b
                                   : RECT{std::min(b.left, x), std::min(b.top, y),
                                          std::max(b.right, x + 1), std::max(b.bottom, y + 1)};
        });
        return b;
    }
    // Whether area is anything but a picture of half its size with every pixel doubled.
    bool drawnAnew(RECT area) const {
        bool anew = false;
        each(area, [&](long x, long y) {
            anew = anew || at(x, y) != at(x - (x - area.left) % 2, y - (y - area.top) % 2);
        });
        return anew;
    }
};

// A fresh folder, the working directory while alive; emptied and removed afterwards.
struct Scratch {
    wchar_t previous[MAX_PATH] = {};
    std::wstring path = std::wstring(MAX_PATH, L'\0');
    // In the temporary folder, or where name says (a full path, any length, in the \\?\ form).
    explicit Scratch(std::wstring name = L"") {
        GetCurrentDirectoryW(MAX_PATH, previous);
        GetTempPathW(MAX_PATH, path.data());
        GetTempFileNameW(path.c_str(), L"mab", 0, path.data());
        DeleteFileW(path.c_str());
        path = name.empty() ? path.c_str() : name;
        CreateDirectoryW(path.c_str(), nullptr);
        SetCurrentDirectoryW(path.c_str());
    }
    ~Scratch() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(L"*", &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more;
             more = FindNextFileW(search, &found)) {
            SetFileAttributesW(found.cFileName, FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(found.cFileName) || RemoveDirectoryW(found.cFileName); // not . and ..
        }
        FindClose(search);
        SetCurrentDirectoryW(previous);
        RemoveDirectoryW(path.c_str());
    }
};

// While alive (one at a time), sees every dialog and message box created on this thread: once its
// modal loop runs (from a timer that the loop itself dispatches), records what a player reads in
// it and hands it, in the order of creation, to the next step. What a step leaves open is closed.
class Catcher {
  public:
    using Step = std::function<void(HWND)>;
    explicit Catcher(std::vector<Step> steps = {}) : steps_(std::move(steps)) {
        // One hook for the whole run; it serves whichever catcher is alive.
        [[maybe_unused]] static HHOOK hook =
            SetWindowsHookExW(WH_CBT, onCbt, nullptr, GetCurrentThreadId());
        active() = this;
    }
    ~Catcher() { active() = nullptr; }
    std::vector<std::string> seen; // "caption: (icon) [button id and text] texts"

  private:
    static Catcher*& active() {
        static Catcher* catcher = nullptr;
        return catcher;
    }
    static LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND && active() && text(window, GetClassNameW) == "#32770") {
            active()->pending_.push_back(window);
            SetTimer(nullptr, 0, 0, run);
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
            const auto icon = reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
            seen += !icon ? "" : icon == LoadIconA(nullptr, IDI_WARNING) ? " (warning)" : " (icon)";
            seen += text(c, GetClassNameW) == "Button"
                        ? " [" + std::to_string(GetDlgCtrlID(c)) + " " + text(c) + "]"
                    : text(c).empty() ? ""
                                      : " " + text(c);
        }
        self->seen.push_back(seen);
        if (self->seen.size() <= self->steps_.size() && self->steps_[self->seen.size() - 1]) {
            self->steps_[self->seen.size() - 1](dialog);
        }
        for (UINT close : {WM_COMMAND, WM_CLOSE}) { // IDOK for a message box, else the close box
            IsWindowVisible(dialog) && SendMessageW(dialog, close, IDOK, 0);
        }
        if (IsWindowVisible(dialog)) { // ended all the same, so that the test goes on
            ADD_FAILURE() << "neither its close box nor IDOK closes " << seen;
            EndDialog(dialog, 0);
        }
    }
    std::vector<Step> steps_;
    std::vector<HWND> pending_;
};

// While alive, the browser at Internet Explorer's path is the stand-in that logs its arguments, or
// none at all. Wine's own browser goes back at the end.
struct Browser {
    const std::string path = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
    explicit Browser(bool present) {
        MoveFileA(path.c_str(), (path + ".aside").c_str());
        char standIn[MAX_PATH] = {}; // beside this program
        GetModuleFileNameA(nullptr, standIn, MAX_PATH);
        std::strcpy(std::strrchr(standIn, '\\') + 1, "browser_stand_in.exe");
        present&& CopyFileA(standIn, path.c_str(), FALSE);
    }
    ~Browser() {
        DeleteFileA(path.c_str());
        MoveFileA((path + ".aside").c_str(), path.c_str());
    }
    // The arguments the browser got when command ran, one a line ("" when it did not start).
    std::string started(const std::function<void()>& command) {
        HANDLE event = CreateEventA(nullptr, FALSE, FALSE, "mabatakiban-browser-started");
        command();
        WaitForSingleObject(event, 10000);
        CloseHandle(event);
        const std::string log = readFile(path + ".log"); // then the process id
        const size_t id = log.rfind('\n') + 1;           // 0 for a log never written
        // A program still running cannot be deleted.
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, std::strtoul(&log[id], nullptr, 10));
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
        DeleteFileA((path + ".log").c_str());
        return log.substr(0, id);
    }
};

// Each test gets the program's main window of its own, in a scratch folder that holds the
// factory settings file, and leaves nothing behind: the window, its class, the board font and the
// state of the run go at the end.
class ShellTest : public ::testing::Test {
  protected:
    void open() {
        ASSERT_EQ(createMainWindow(GetModuleHandleW(nullptr)), 1);
        window = mainWindow;
    }
    void close() {
        Catcher closeWriteErrors;
        DestroyWindow(window);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) { // the WM_QUIT among them
        }
        releaseToolbar();
        releaseBoardFont();
        UnregisterClassW(L"Main Window", GetModuleHandleW(nullptr));
        resetGameState();
        resetSettingsState();
        resetEvaluationState();
    }
    void TearDown() override { close(); }
    // A toolbar command, with a notification code that the program must not look at.
    void command(int id) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 1), 0); }
    static void click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

    Scratch scratch;
    HWND window = nullptr;
    ShellTest() { writeFile("setdata.ini", DefaultFile); }
};
