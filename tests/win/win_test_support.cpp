#include "win_test_support.h"

#include <cstdio>

namespace {
ModalCatcher* activeCatcher = nullptr;
PaintCounter* activeCounter = nullptr;
constexpr UINT RunAction = WM_APP + 1;
} // namespace

std::string readWholeFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return "<missing>";
    }
    std::string content;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.append(buffer, got);
    }
    std::fclose(file);
    return content;
}

ScratchDirectory::ScratchDirectory() {
    char buffer[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, buffer);
    previous_ = buffer;
    GetTempPathA(MAX_PATH, buffer);
    static unsigned serial = 0;
    path_ = std::string(buffer) + "mabatakiban-test-" + std::to_string(GetCurrentProcessId()) +
            "-" + std::to_string(++serial);
    CreateDirectoryA(path_.c_str(), nullptr);
    SetCurrentDirectoryA(path_.c_str());
}

ScratchDirectory::~ScratchDirectory() {
    SetCurrentDirectoryA(previous_.c_str());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = path_ + "\\" + found.cFileName;
            if (found.cFileName[0] == '.') {
                continue;
            }
            SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(name.c_str())) {
                RemoveDirectoryA(name.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

std::string ScratchDirectory::read(const char* name) const {
    return readWholeFile(path_ + "\\" + name);
}

void ScratchDirectory::write(const char* name, const std::string& content) const {
    FILE* file = std::fopen((path_ + "\\" + name).c_str(), "wb");
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
}

bool ScratchDirectory::exists(const char* name) const {
    return GetFileAttributesA((path_ + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

ModalCatcher::ModalCatcher(Action action) : action_(std::move(action)) {
    activeCatcher = this;
    WNDCLASSA helperClass{};
    helperClass.lpfnWndProc = helper;
    helperClass.hInstance = GetModuleHandleA(nullptr);
    helperClass.lpszClassName = "ModalCatcherHelper";
    RegisterClassA(&helperClass);
    helperWindow_ = CreateWindowExA(0, "ModalCatcherHelper", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    hook_ = SetWindowsHookExA(WH_CBT, hook, nullptr, GetCurrentThreadId());
}

ModalCatcher::~ModalCatcher() {
    UnhookWindowsHookEx(hook_);
    DestroyWindow(helperWindow_);
    activeCatcher = nullptr;
}

void ModalCatcher::pressOk(HWND window) {
    HWND ok = GetDlgItem(window, IDOK);
    if (ok) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    } else {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

namespace {

std::string windowText(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

CaughtWindow describe(HWND window) {
    CaughtWindow caught{};
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    caught.className = className;
    caught.caption = windowText(window);
    HICON warning = LoadIconA(nullptr, IDI_WARNING);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Button") == 0) {
            caught.buttonIds.push_back(GetDlgCtrlID(child));
        } else if (lstrcmpiA(className, "Static") == 0) {
            const std::string text = windowText(child);
            if (text.size() > caught.text.size()) {
                caught.text = text;
            }
            if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == warning) {
                caught.warningIcon = true;
            }
        }
    }
    return caught;
}

} // namespace

LRESULT CALLBACK ModalCatcher::hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeCatcher) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            activeCatcher->pending_.push_back(window);
            PostMessageA(activeCatcher->helperWindow_, RunAction, 0, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ModalCatcher::helper(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RunAction && activeCatcher) {
        std::vector<HWND> pending;
        pending.swap(activeCatcher->pending_);
        for (HWND modal : pending) {
            if (!IsWindow(modal)) {
                continue;
            }
            // A window activated again (after a nested dialog closed) is recorded once.
            activeCatcher->caught_.push_back(describe(modal));
            activeCatcher->action_(modal);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

PaintCounter::PaintCounter(HWND window) : window_(window) {
    activeCounter = this;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting)));
}

PaintCounter::~PaintCounter() {
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    }
    activeCounter = nullptr;
}

LRESULT CALLBACK PaintCounter::counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        ++activeCounter->count_;
    }
    return CallWindowProcA(activeCounter->previous_, window, message, wParam, lParam);
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void expectControls(HWND dialog, const ControlSpec* wanted, int count) {
    HWND child = GetWindow(dialog, GW_CHILD);
    for (int i = 0; i < count; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        const ControlSpec& control = wanted[i];
        ASSERT_NE(child, nullptr) << "control " << i << " missing";
        SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(control.id) + ")");
        EXPECT_EQ(GetDlgCtrlID(child), control.id);
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        EXPECT_EQ(lstrcmpiA(className, control.className), 0)
            << "class " << className << ", expected " << control.className;
        if (control.text) {
            char text[256] = {};
            GetWindowTextA(child, text, sizeof text);
            EXPECT_EQ(std::string(text), std::string(control.text));
        }
        // The whole style word: a missing or extra bit makes a different control.
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), control.style)
            << std::hex << "style " << GetWindowLongA(child, GWL_STYLE) << ", expected "
            << control.style;
        // The dialog manager converts the position and the size each on its own, so map them
        // apart as well: rounding differs from mapping the two corners.
        RECT place = {control.units.left, control.units.top, 0, 0};
        RECT size = {0, 0, control.units.right, control.units.bottom};
        MapDialogRect(dialog, &place);
        MapDialogRect(dialog, &size);
        RECT got;
        GetWindowRect(child, &got);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
        EXPECT_EQ(got.left, place.left);
        EXPECT_EQ(got.top, place.top);
        EXPECT_EQ(got.right - got.left, size.right);
        if (lstrcmpiA(className, "ComboBox") != 0) {
            // A combo box's window height is its closed height, not the template's.
            EXPECT_EQ(got.bottom - got.top, size.bottom);
        }
    }
}
