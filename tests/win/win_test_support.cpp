#include "win_test_support.h"

#include <algorithm>
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
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(ok));
    } else {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

std::string windowText(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

namespace {

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

void pumpDialogMessages(HWND dialog) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void pressKey(HWND dialog, HWND control, WPARAM key) {
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    pumpDialogMessages(dialog);
}

bool isOpen(HWND dialog) {
    return IsWindow(dialog) && IsWindowVisible(dialog);
}

OwnerWindow::OwnerWindow() {
    WNDCLASSA ownerClass{};
    ownerClass.lpfnWndProc = DefWindowProcA;
    ownerClass.hInstance = GetModuleHandleA(nullptr);
    ownerClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    ownerClass.lpszClassName = "TestOwner";
    RegisterClassA(&ownerClass); // fails harmlessly once registered
    window_ = CreateWindowExA(0, "TestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 60,
                              700, 620, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window_);
}

OwnerWindow::~OwnerWindow() {
    DestroyWindow(window_);
    pumpMessages();
}

std::string clientCorner(HWND window) {
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    return std::to_string(corner.x) + "," + std::to_string(corner.y);
}

std::string colourText(uint32_t colour) {
    char text[32];
    std::snprintf(text, sizeof text, "(%u, %u, %u)", (colour >> 16) & 0xFF, (colour >> 8) & 0xFF,
                  colour & 0xFF);
    return text;
}

DibCanvas::DibCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, width, height, BLACKNESS);
}

DibCanvas::~DibCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

Image DibCanvas::image() const {
    GdiFlush();
    Image image{width_, height_, {bits_, bits_ + static_cast<size_t>(width_) * height_}};
    for (uint32_t& pixel : image.pixels) {
        pixel &= 0xFFFFFF;
    }
    return image;
}

Image capture(HDC source, int width, int height) {
    DibCanvas canvas(width, height);
    BitBlt(canvas.dc(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    return canvas.image();
}

Image captureClient(HWND window) {
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    Image image = capture(dc, client.right, client.bottom);
    ReleaseDC(window, dc);
    return image;
}

Image captureBitmap(HBITMAP bitmap) {
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(memory, bitmap);
    Image image = capture(memory, size.bmWidth, size.bmHeight);
    SelectObject(memory, original);
    DeleteDC(memory);
    return image;
}

std::string differences(const Image& got, const Image& expected, const RECT& area,
                        const RECT& skip) {
    int wrong = 0;
    std::string first;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const POINT point{x, y};
            if (!PtInRect(&skip, point) && got.at(x, y) != expected.at(x, y) && wrong++ == 0) {
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + "): got " +
                        colourText(got.at(x, y)) + ", expected " + colourText(expected.at(x, y));
            }
        }
    }
    return wrong == 0 ? "" : std::to_string(wrong) + " pixels differ, the first at " + first;
}

namespace {
CreationRecorder* activeRecorder = nullptr;

std::string classOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}
} // namespace

CreationRecorder::CreationRecorder() {
    activeRecorder = this;
    hook_ = SetWindowsHookExA(WH_CBT, record, nullptr, GetCurrentThreadId());
}

CreationRecorder::~CreationRecorder() {
    UnhookWindowsHookEx(hook_);
    activeRecorder = nullptr;
}

std::vector<CreatedWindow> CreationRecorder::childrenOf(HWND parent) const {
    std::vector<CreatedWindow> children;
    std::copy_if(
        created_.begin(), created_.end(), std::back_inserter(children),
        [&](const CreatedWindow& c) { return c.parent == parent && (c.style & WS_CHILD); });
    return children;
}

LRESULT CALLBACK CreationRecorder::record(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && activeRecorder) {
        const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        HWND window = reinterpret_cast<HWND>(wParam);
        const bool named = create.lpszName != nullptr && !IS_INTRESOURCE(create.lpszName);
        activeRecorder->created_.push_back(
            {window, create.hwndParent, static_cast<int>(reinterpret_cast<INT_PTR>(create.hMenu)),
             classOf(window), named ? create.lpszName : "", static_cast<DWORD>(create.style),
             create.dwExStyle, RECT{create.x, create.y, create.cx, create.cy}});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {
std::string placeText(const RECT& place) {
    return "at " + std::to_string(place.left) + "," + std::to_string(place.top) + " size " +
           std::to_string(place.right) + "x" + std::to_string(place.bottom);
}
} // namespace

void expectControls(HWND dialog, const ControlSpec* wanted, int count,
                    const CreationRecorder* recorder) {
    const std::vector<CreatedWindow> created =
        recorder ? recorder->childrenOf(dialog) : std::vector<CreatedWindow>{};
    if (recorder) {
        ASSERT_EQ(created.size(), static_cast<size_t>(count)) << "controls created";
    }
    HWND child = GetWindow(dialog, GW_CHILD);
    for (int i = 0; i < count; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        const ControlSpec& want = wanted[i];
        ASSERT_NE(child, nullptr) << "control " << i << " missing";
        SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(want.id) + ")");
        CreatedWindow got{child,
                          dialog,
                          GetDlgCtrlID(child),
                          classOf(child),
                          windowText(child),
                          static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)),
                          static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)),
                          {}};
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        got.place = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
        const bool combo = lstrcmpiA(got.className.c_str(), "ComboBox") == 0;
        if (recorder) {
            ASSERT_EQ(child, created[i].window) << "window order";
            got = created[i];
        }
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(lstrcmpiA(got.className.c_str(), want.className), 0)
            << "class " << got.className << ", expected " << want.className;
        if (want.text) {
            EXPECT_EQ(got.text, want.text);
        }
        // The whole style word: a missing or extra bit makes a different control.
        EXPECT_EQ(got.style, want.style)
            << std::hex << "style " << got.style << ", expected " << want.style;
        EXPECT_EQ(got.exStyle & ~WS_EX_NOPARENTNOTIFY, 0u)
            << std::hex << "extended style " << got.exStyle;
        // The dialog manager converts the position and the size each on its own, so map them
        // apart as well: rounding differs from mapping the two corners.
        RECT place = {want.units.left, want.units.top, 0, 0};
        RECT size = {0, 0, want.units.right, want.units.bottom};
        MapDialogRect(dialog, &place);
        MapDialogRect(dialog, &size);
        if (combo && !recorder) {
            got.place.bottom = size.bottom; // the window is the closed combo box, not the template
        }
        EXPECT_EQ(placeText(got.place), placeText({place.left, place.top, size.right, size.bottom}))
            << "units " << placeText(want.units);
    }
    EXPECT_EQ(child, nullptr) << "more controls than the template has";
}

void expectDialog(HWND dialog, int templateId, const char* caption, DWORD style, int width,
                  int height) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const auto* stored =
        static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, found)));
    EXPECT_EQ(stored->style, style) << std::hex << "stored style 0x" << stored->style;
    EXPECT_EQ(stored->dwExtendedStyle, 0u) << std::hex << "0x" << stored->dwExtendedStyle;
    EXPECT_EQ(placeText({stored->x, stored->y, stored->cx, stored->cy}),
              placeText({0, 0, width, height}));

    EXPECT_EQ(windowText(dialog), caption);
    EXPECT_EQ(classOf(dialog), "#32770");
    // A top-level window always gets WS_CLIPSIBLINGS from the system.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), style | WS_CLIPSIBLINGS)
        << std::hex << "style 0x" << GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_EQ(GetMenu(dialog), nullptr);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");
    HDC screen = GetDC(dialog);
    EXPECT_EQ(font.lfHeight, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72)) << "9 points";
    ReleaseDC(dialog, screen);
    RECT client;
    GetClientRect(dialog, &client);
    RECT units{0, 0, width, height};
    MapDialogRect(dialog, &units);
    EXPECT_EQ(placeText(client), placeText(units)) << "client area of " << width << " x " << height;
}
