// The evaluation dialog, opened for real with DialogBoxParamA over an owner window of its own.
// A CBT hook notes the dialog and its control as they are created, a WH_CALLWNDPROC hook notes
// the commands that reach it, and a thread timer runs the test's steps one per tick from inside
// the modal loop, so whatever a step posted has been handled before the next one runs.
#include "core/game_state.h"
#include "evaluation/evaluation_dialog_win.h"
#include "evaluation/evaluation_state_win.h"
#include "evaluation/score.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr char OwnerClass[] = "EvaluationTestOwner";
// What the driver ends a dialog with when none of the steps closed it.
constexpr INT_PTR StillOpen = 99;

using Step = std::function<void(HWND dialog)>;

struct CreatedControl {
    int id;
    std::string className;
    std::string text;
    DWORD style;
    DWORD exStyle;
};

struct Opening {
    INT_PTR result = -1;
    size_t stepsRun = 0;
    HWND dialog = nullptr;
    DWORD dialogStyle = 0; // as passed to the window's creation
    std::vector<CreatedControl> controls;
    std::vector<WPARAM> commands; // wParam of every WM_COMMAND sent to the dialog
};

struct Driver {
    HWND owner;
    std::vector<Step> steps;
    Opening opening;
    UINT_PTR timer = 0;
};

Driver* driver = nullptr;

std::string classOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

void CALLBACK runNextStep(HWND, UINT, UINT_PTR, DWORD) {
    Opening& opening = driver->opening;
    if (opening.dialog == nullptr || !IsWindow(opening.dialog)) {
        return;
    }
    if (opening.stepsRun < driver->steps.size()) {
        driver->steps[opening.stepsRun++](opening.dialog);
    } else {
        KillTimer(nullptr, driver->timer);
        EndDialog(opening.dialog, StillOpen);
    }
}

LRESULT CALLBACK watchCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && driver != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        Opening& opening = driver->opening;
        if (create->hwndParent == driver->owner && classOf(window) == "#32770") {
            opening.dialog = window;
            opening.dialogStyle = static_cast<DWORD>(create->style);
        } else if (opening.dialog != nullptr && create->hwndParent == opening.dialog) {
            opening.controls.push_back(
                {static_cast<int>(reinterpret_cast<INT_PTR>(create->hMenu)), classOf(window),
                 create->lpszName != nullptr && !IS_INTRESOURCE(create->lpszName) ? create->lpszName
                                                                                  : "",
                 static_cast<DWORD>(create->style), create->dwExStyle});
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK watchCommands(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && driver != nullptr && call->hwnd == driver->opening.dialog &&
        call->message == WM_COMMAND) {
        driver->opening.commands.push_back(call->wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createOwner() {
    WNDCLASSA ownerClass{};
    ownerClass.lpfnWndProc = ownerProc;
    ownerClass.hInstance = GetModuleHandleA(nullptr);
    ownerClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    ownerClass.lpszClassName = OwnerClass;
    RegisterClassA(&ownerClass); // fails harmlessly when an earlier test registered it
    HWND owner = CreateWindowExA(0, OwnerClass, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 60,
                                 700, 620, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(owner);
    return owner;
}

// Opens the dialog over a fresh owner, runs the steps, and ends the dialog with StillOpen if it
// is still there after the last one.
Opening openDialog(std::vector<Step> steps) {
    Driver run{createOwner(), std::move(steps), {}, 0};
    driver = &run;
    HHOOK creation = SetWindowsHookExA(WH_CBT, watchCreation, nullptr, GetCurrentThreadId());
    HHOOK commands =
        SetWindowsHookExA(WH_CALLWNDPROC, watchCommands, nullptr, GetCurrentThreadId());
    run.timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, runNextStep);
    run.opening.result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EVALUATION), run.owner,
                        evaluationDialogProc, 0);
    KillTimer(nullptr, run.timer);
    UnhookWindowsHookEx(commands);
    UnhookWindowsHookEx(creation);
    EXPECT_FALSE(IsWindow(run.opening.dialog)) << "the dialog outlived DialogBoxParamA";
    DestroyWindow(run.owner);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
    driver = nullptr;
    return run.opening;
}

// ---- pixels ----------------------------------------------------------------------------------

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) {
    return (r << 16) | (g << 8) | b;
}
constexpr uint32_t Black = rgb(0, 0, 0);
constexpr uint32_t White = rgb(255, 255, 255);

std::string colourText(uint32_t colour) {
    char text[32];
    std::snprintf(text, sizeof text, "(%u, %u, %u)", (colour >> 16) & 0xFF, (colour >> 8) & 0xFF,
                  colour & 0xFF);
    return text;
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool holds(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// Copies width x height pixels of dc into an image through a 32-bit DIB section.
Image copyPixels(HDC source, int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t* words = static_cast<const uint32_t*>(bits);
    image.pixels.assign(words, words + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : image.pixels) {
        pixel &= 0xFFFFFF;
    }
    SelectObject(memory, original);
    DeleteDC(memory);
    DeleteObject(dib);
    return image;
}

// The client area as it stands on the screen, after any pending paint.
Image captureClient(HWND window) {
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    Image image = copyPixels(dc, client.right, client.bottom);
    ReleaseDC(window, dc);
    return image;
}

// One of the program's own bitmap resources, as stored.
Image resourceBitmap(int id) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    EXPECT_NE(bitmap, nullptr) << "bitmap resource " << id << " does not load";
    if (bitmap == nullptr) {
        return {};
    }
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(memory, bitmap);
    Image image = copyPixels(memory, size.bmWidth, size.bmHeight);
    SelectObject(memory, original);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return image;
}

uint32_t faceColour() {
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    return rgb(GetRValue(face), GetGValue(face), GetBValue(face));
}

RECT okRect(HWND dialog) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, IDC_EVALUATION_OK), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool inside(const RECT& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

constexpr int BrainLeft = 70;
constexpr int BrainTop = 65;
constexpr int PictureSize = 300;

const char* rankName(int id) {
    static const char* const names[] = {"IDB_RANK1", "IDB_RANK2", "IDB_RANK3",
                                        "IDB_RANK4", "IDB_RANK5", "IDB_RANK6"};
    return id >= IDB_RANK1 && id <= IDB_RANK6 ? names[id - IDB_RANK1] : "no brain picture";
}

// What the top 300 x 300 pixels must show: the background where it is given (else the dialog's
// face colour), and inside the mask's ellipse the brain picture when there is one.
void expectPicture(const Image& got, const Image* background, const Image* brain,
                   const Image& mask) {
    const uint32_t face = faceColour();
    int outsideWrong = 0;
    int insideWrong = 0;
    std::string firstWrong;
    for (int y = 0; y < PictureSize && y < got.height; ++y) {
        for (int x = 0; x < PictureSize && x < got.width; ++x) {
            const bool inEllipse = mask.holds(x - BrainLeft, y - BrainTop) &&
                                   mask.at(x - BrainLeft, y - BrainTop) == Black;
            uint32_t expected = background != nullptr ? background->at(x, y) : face;
            if (inEllipse && brain != nullptr) {
                expected = brain->at(x - BrainLeft, y - BrainTop);
            }
            if (got.at(x, y) != expected) {
                ++(inEllipse ? insideWrong : outsideWrong);
                if (firstWrong.empty()) {
                    firstWrong = "first at (" + std::to_string(x) + ", " + std::to_string(y) +
                                 "): got " + colourText(got.at(x, y)) + ", expected " +
                                 colourText(expected);
                }
            }
        }
    }
    EXPECT_EQ(outsideWrong, 0) << "pixels outside the ellipse that differ; " << firstWrong;
    EXPECT_EQ(insideWrong, 0) << "pixels inside the ellipse that differ; " << firstWrong;
}

// Which brain picture fills the ellipse of a captured dialog, or 0 for none.
int brainShown(const Image& got, const Image& mask) {
    for (int id = IDB_RANK1; id <= IDB_RANK6; ++id) {
        const Image brain = resourceBitmap(id);
        bool same = true;
        for (int y = 0; y < mask.height && same; ++y) {
            for (int x = 0; x < mask.width && same; ++x) {
                same =
                    mask.at(x, y) != Black || got.at(BrainLeft + x, BrainTop + y) == brain.at(x, y);
            }
        }
        if (same) {
            return id;
        }
    }
    return 0;
}

// The text region below the picture as it must look: the face colour with the five lines drawn
// black, transparent, in a fresh device context's font at their places.
Image expectedText(const Image& got, const EvaluationLines& lines) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = got.width;
    info.bmiHeader.biHeight = -got.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(memory, dib);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    HBRUSH brush = CreateSolidBrush(face);
    RECT all = {0, 0, got.width, got.height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SetTextColor(memory, RGB(0, 0, 0));
    SetBkMode(memory, TRANSPARENT);
    for (int i = 0; i < EvaluationLineCount; ++i) {
        TextOutA(memory, EvaluationLineLeft, EvaluationLineTops[i], lines[i].data(),
                 static_cast<int>(std::strlen(lines[i].data())));
    }
    Image image = copyPixels(memory, got.width, got.height);
    SelectObject(memory, original);
    DeleteDC(memory);
    DeleteObject(dib);
    return image;
}

void expectLinesDrawn(const Image& got, const EvaluationLines& lines, const RECT& ok) {
    const Image expected = expectedText(got, lines);
    int wrong = 0;
    std::string firstWrong;
    for (int y = PictureSize; y < got.height; ++y) {
        for (int x = 0; x < got.width; ++x) {
            if (!inside(ok, x, y) && got.at(x, y) != expected.at(x, y) && wrong++ == 0) {
                firstWrong = "first at (" + std::to_string(x) + ", " + std::to_string(y) +
                             "): got " + colourText(got.at(x, y)) + ", expected " +
                             colourText(expected.at(x, y));
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "text pixels below the picture that differ; " << firstWrong;
    // Each line has ink of its own, starting on its own top row and at x 10 or right of it.
    for (int i = 0; i < EvaluationLineCount; ++i) {
        const int top = EvaluationLineTops[i];
        const int bottom = i + 1 < EvaluationLineCount ? EvaluationLineTops[i + 1] : got.height;
        int ink = 0;
        int leftmost = INT_MAX;
        for (int y = top; y < bottom && y < got.height; ++y) {
            for (int x = 0; x < got.width; ++x) {
                if (!inside(ok, x, y) && got.at(x, y) == Black) {
                    ++ink;
                    leftmost = std::min(leftmost, x);
                }
            }
        }
        EXPECT_GT(ink, 20) << "black pixels of line " << i + 1 << " at y " << top;
        EXPECT_GE(leftmost, EvaluationLineLeft) << "line " << i + 1 << " starts left of x 10";
    }
}

// ---- fixture ---------------------------------------------------------------------------------

class EvaluationDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGameState();
        resetEvaluationState();
        gameState.scoreBasis = {9, 1, 9};
    }
    void TearDown() override {
        resetEvaluationState();
        resetGameState();
    }
};

TEST_F(EvaluationDialog, TemplateAsCreated) {
    std::string focus; // class and id of the control with the focus
    RECT client{};
    RECT units = {0, 0, 170, 270};
    RECT okGot{};
    RECT okUnits = {144, 236, 144 + 24, 236 + 32};
    POINT dialogOrigin{};
    POINT ownerOrigin{};
    std::string caption;
    LOGFONTA font{};
    const Opening opening = openDialog({[&](HWND dialog) {
        focus = classOf(GetFocus()) + " " + std::to_string(GetDlgCtrlID(GetFocus()));
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &units);
        MapDialogRect(dialog, &okUnits);
        okGot = okRect(dialog);
        ClientToScreen(dialog, &dialogOrigin);
        ClientToScreen(GetWindow(dialog, GW_OWNER), &ownerOrigin);
        char text[64] = {};
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }});
    ASSERT_EQ(opening.stepsRun, 1u) << "the dialog never came up";
    EXPECT_EQ(opening.result, 1);

    const DWORD wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                         DS_SETFONT | DS_3DLOOK | DS_CONTEXTHELP;
    const DWORD wantedExceptVisible = wanted & ~WS_VISIBLE; // shown only after WM_INITDIALOG
    EXPECT_EQ(opening.dialogStyle & ~WS_VISIBLE, wantedExceptVisible)
        << std::hex << "dialog style 0x" << opening.dialogStyle << ", expected 0x" << wanted;
    // The stored template: no extended style of its own (the window has what the system adds),
    // placed at (0, 0) and 170 x 270 dialog units, one control.
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_EVALUATION), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const auto* stored =
        static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, found)));
    EXPECT_EQ(stored->style, wanted) << std::hex << "0x" << stored->style;
    EXPECT_EQ(stored->dwExtendedStyle, 0u) << std::hex << "0x" << stored->dwExtendedStyle;
    EXPECT_EQ(stored->cdit, 1);
    EXPECT_EQ(stored->x, 0);
    EXPECT_EQ(stored->y, 0);
    EXPECT_EQ(stored->cx, 170);
    EXPECT_EQ(stored->cy, 270);
    EXPECT_EQ(caption, "あなたの脳レベルの評価");
    EXPECT_EQ(std::string(font.lfFaceName), "ＭＳ Ｐゴシック");
    HDC screen = GetDC(nullptr);
    const int pointsToPixels = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(font.lfHeight, -MulDiv(9, pointsToPixels, 72)) << "a 9 point font";

    EXPECT_EQ(dialogOrigin.x, ownerOrigin.x) << "client origin: not the owner's client origin";
    EXPECT_EQ(dialogOrigin.y, ownerOrigin.y) << "client origin: not the owner's client origin";
    EXPECT_EQ(client.right, units.right) << "client width, 170 dialog units";
    EXPECT_EQ(client.bottom, units.bottom) << "client height, 270 dialog units";

    ASSERT_EQ(opening.controls.size(), 1u) << "controls created";
    const CreatedControl& ok = opening.controls[0];
    EXPECT_EQ(ok.id, IDC_EVALUATION_OK);
    EXPECT_EQ(lstrcmpiA(ok.className.c_str(), "Button"), 0) << "class " << ok.className;
    EXPECT_EQ(ok.text, "OK");
    const DWORD okStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER;
    EXPECT_EQ(ok.style, okStyle) << std::hex << "button style 0x" << ok.style << ", expected 0x"
                                 << okStyle << " (not a default push button)";
    EXPECT_EQ(ok.exStyle & ~WS_EX_NOPARENTNOTIFY, 0u) << std::hex << "0x" << ok.exStyle;
    EXPECT_EQ(okGot.left, okUnits.left);
    EXPECT_EQ(okGot.top, okUnits.top);
    EXPECT_EQ(okGot.right, okUnits.right);
    EXPECT_EQ(okGot.bottom, okUnits.bottom);

    EXPECT_EQ(focus, "Button 101") << "the focus is not on the OK button";
}

TEST_F(EvaluationDialog, OkTheCloseBoxAndWmCloseEndItWithOne) {
    const struct {
        const char* how;
        Step step;
    } cases[] = {
        {"OK clicked",
         [](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDC_EVALUATION_OK), BM_CLICK, 0, 0); }},
        {"space bar on the focused OK",
         [](HWND) {
             PostMessageA(GetFocus(), WM_KEYDOWN, VK_SPACE, 0);
             PostMessageA(GetFocus(), WM_KEYUP, VK_SPACE, 0xC0000000);
         }},
        {"command 101 with any notification code",
         [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(101, 0xFFFF), 0); }},
        {"WM_CLOSE", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
        {"close box or Alt+F4",
         [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& c : cases) {
        const Opening opening = openDialog({c.step});
        EXPECT_EQ(opening.stepsRun, 1u) << c.how;
        EXPECT_EQ(opening.result, 1) << c.how << ": got result " << opening.result
                                     << (opening.result == StillOpen ? " (still open)" : "");
    }
}

TEST_F(EvaluationDialog, EscapeAndOtherCommandsLeaveItOpen) {
    const struct {
        const char* what;
        Step step;
        WPARAM command; // what must have reached the dialog procedure
    } cases[] = {
        {"Esc", [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001); },
         IDCANCEL},
        {"IDCANCEL", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }, IDCANCEL},
        {"IDOK", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDOK, 0); }, IDOK},
        {"command 100", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, 100, 0); }, 100},
        {"command 102", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, 102, 0); }, 102},
        {"command 0x165, whose low byte is 101",
         [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, 0x165, 0); }, 0x165},
    };
    for (const auto& c : cases) {
        const Opening opening = openDialog({c.step});
        EXPECT_EQ(opening.result, StillOpen)
            << c.what << " ended the dialog with " << opening.result;
        bool reached = false;
        for (WPARAM command : opening.commands) {
            reached = reached || command == c.command;
        }
        EXPECT_TRUE(reached) << c.what << ": command " << c.command
                             << " never reached the dialog procedure";
    }
}

TEST_F(EvaluationDialog, ProcedureAnswersFalseToAllButInitDialog) {
    std::vector<std::pair<std::string, INT_PTR>> answers;
    HBITMAP first[EvaluationBitmapCount] = {};
    HBITMAP second[EvaluationBitmapCount] = {};
    const Opening opening = openDialog({[&](HWND dialog) {
        std::copy(evaluationBitmaps, evaluationBitmaps + EvaluationBitmapCount, first);
        InvalidateRect(dialog, nullptr, TRUE);
        const struct {
            const char* name;
            UINT message;
            WPARAM wParam;
        } messages[] = {
            {"WM_PAINT", WM_PAINT, 0},
            {"WM_COMMAND IDCANCEL", WM_COMMAND, IDCANCEL},
            {"WM_COMMAND IDOK", WM_COMMAND, IDOK},
            {"WM_TIMER", WM_TIMER, 5},
            {"WM_SIZE", WM_SIZE, 0},
            {"WM_NULL", WM_NULL, 0},
            {"WM_ERASEBKGND", WM_ERASEBKGND, 0},
        };
        for (const auto& m : messages) {
            answers.emplace_back(m.name, evaluationDialogProc(dialog, m.message, m.wParam, 0));
        }
        // A second WM_INITDIALOG loads a fresh set and must let go of the one it replaces.
        answers.emplace_back("WM_INITDIALOG", evaluationDialogProc(dialog, WM_INITDIALOG, 0, 0));
        std::copy(evaluationBitmaps, evaluationBitmaps + EvaluationBitmapCount, second);
        answers.emplace_back("WM_COMMAND 101", evaluationDialogProc(dialog, WM_COMMAND, 101, 0));
    }});
    EXPECT_EQ(opening.result, 1) << "WM_COMMAND 101 did not end the dialog with 1";
    for (const auto& [name, answer] : answers) {
        EXPECT_EQ(answer, name == "WM_INITDIALOG" ? TRUE : FALSE) << name;
    }
    for (int i = 0; i < EvaluationBitmapCount; ++i) {
        EXPECT_EQ(GetObjectType(first[i]), 0u) << "bitmap " << i << " of the replaced set lives on";
        EXPECT_EQ(GetObjectType(second[i]), 0u) << "bitmap " << i << " lives on after closing";
        EXPECT_EQ(evaluationBitmaps[i], nullptr) << "entry " << i << " after closing";
    }
}

// Entry i holds bitmap IDB_BACKGROUND + i while the dialog is open, as a DIB section.
TEST_F(EvaluationDialog, LoadsEveryBitmapAtOpening) {
    std::vector<Image> held(EvaluationBitmapCount);
    std::vector<bool> dibSection(EvaluationBitmapCount);
    openDialog({[&](HWND dialog) {
        for (int i = 0; i < EvaluationBitmapCount; ++i) {
            HBITMAP bitmap = evaluationBitmaps[i];
            if (bitmap == nullptr) {
                continue;
            }
            DIBSECTION section{};
            dibSection[i] = GetObjectA(bitmap, sizeof section, &section) == sizeof section;
            HDC memory = CreateCompatibleDC(nullptr);
            HGDIOBJ original = SelectObject(memory, bitmap);
            held[i] = copyPixels(memory, section.dsBm.bmWidth, section.dsBm.bmHeight);
            SelectObject(memory, original);
            DeleteDC(memory);
        }
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }});
    for (int i = 0; i < EvaluationBitmapCount; ++i) {
        const int id = IDB_BACKGROUND + i;
        SCOPED_TRACE("entry " + std::to_string(i) + ", expected bitmap " + std::to_string(id));
        const Image stored = resourceBitmap(id);
        EXPECT_TRUE(dibSection[i]) << "not loaded as a DIB section";
        EXPECT_EQ(held[i].width, stored.width);
        EXPECT_EQ(held[i].height, stored.height);
        EXPECT_TRUE(held[i].pixels == stored.pixels) << "holds other pixels than the resource";
    }
}

struct ScoreCase {
    ScoreBasis basis;
    int32_t misses;
    int picture;
};

const ScoreCase scoreCases[] = {
    {{1, 9, 1}, 0, IDB_RANK1},  {{3, 3, 3}, 3, IDB_RANK2}, {{3, 3, 3}, 0, IDB_RANK3},
    {{9, 12, 9}, 0, IDB_RANK4}, {{9, 2, 9}, 0, IDB_RANK5}, {{9, 1, 9}, 0, IDB_RANK6},
    {{3, 3, 3}, 10, IDB_RANK1},
};

TEST_F(EvaluationDialog, ShowsTheBackgroundTheBrainOfTheTotalAndTheLines) {
    const Image background = resourceBitmap(IDB_BACKGROUND);
    const Image mask = resourceBitmap(IDB_RANKMASK);
    ASSERT_EQ(background.width, 300);
    ASSERT_EQ(mask.width, 160);
    for (const ScoreCase& c : scoreCases) {
        SCOPED_TRACE("total " + std::to_string(evaluationTotal(c.basis, c.misses)));
        gameState.scoreBasis = c.basis;
        gameState.missCount = c.misses;
        Image shot;
        RECT ok{};
        openDialog({[&](HWND dialog) {
            shot = captureClient(dialog);
            ok = okRect(dialog);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }});
        ASSERT_GE(shot.height, EvaluationLineTops[4] + 16) << "client area too short for the lines";
        ASSERT_GE(shot.width, 230) << "client area too narrow for the brain";

        const Image brain = resourceBitmap(c.picture);
        expectPicture(shot, &background, &brain, mask);
        EXPECT_EQ(brainShown(shot, mask), c.picture)
            << "shows " << rankName(brainShown(shot, mask)) << ", expected " << rankName(c.picture);
        // The eye lies outside the ellipse: white, with its black pupil.
        EXPECT_EQ(colourText(shot.at(76, 182)), colourText(White)) << "white of the eye";
        EXPECT_EQ(colourText(shot.at(82, 182)), colourText(Black)) << "pupil";
        EXPECT_EQ(colourText(shot.at(88, 182)), colourText(White)) << "white of the eye";
        expectLinesDrawn(shot, evaluationLines(c.basis, c.misses), ok);
    }
}

TEST_F(EvaluationDialog, RepaintsTheSamePictureEveryTime) {
    Image first;
    Image later;
    openDialog({[&](HWND dialog) {
        first = captureClient(dialog);
        for (int i = 0; i < 20; ++i) {
            InvalidateRect(dialog, nullptr, TRUE);
            UpdateWindow(dialog);
        }
        later = captureClient(dialog);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }});
    ASSERT_EQ(first.pixels.size(), later.pixels.size());
    EXPECT_TRUE(first.pixels == later.pixels) << "a repaint changed the dialog";
}

// Where a bitmap is missing the dialog's face colour shows; the brain needs both its mask and
// its picture; the lines are always there.
TEST_F(EvaluationDialog, MissingBitmapsLeaveTheirPlaceEmptyAndTheLinesStand) {
    const Image background = resourceBitmap(IDB_BACKGROUND);
    const Image mask = resourceBitmap(IDB_RANKMASK);
    const Image brain = resourceBitmap(IDB_RANK6);
    const struct {
        const char* missing;
        std::vector<int> ids;
        bool backgroundShown;
        bool brainShown;
    } cases[] = {
        {"background", {IDB_BACKGROUND}, false, true},
        {"mask", {IDB_RANKMASK}, true, false},
        {"brain picture", {IDB_RANK6}, true, false},
        {"every bitmap",
         {IDB_BACKGROUND, IDB_RANK1, IDB_RANK2, IDB_RANK3, IDB_RANK4, IDB_RANK5, IDB_RANK6,
          IDB_RANKMASK},
         false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("missing: ") + c.missing);
        Image shot;
        RECT ok{};
        openDialog({[&](HWND dialog) {
            for (int id : c.ids) {
                DeleteObject(evaluationBitmaps[id - IDB_BACKGROUND]);
                evaluationBitmaps[id - IDB_BACKGROUND] = nullptr;
            }
            InvalidateRect(dialog, nullptr, TRUE);
            shot = captureClient(dialog);
            ok = okRect(dialog);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }});
        ASSERT_GE(shot.height, PictureSize);
        expectPicture(shot, c.backgroundShown ? &background : nullptr,
                      c.brainShown ? &brain : nullptr, mask);
        expectLinesDrawn(shot, evaluationLines(gameState.scoreBasis, gameState.missCount), ok);
    }
}

TEST_F(EvaluationDialog, LinesMatchWsprintfA) {
    const int32_t values[] = {
        INT32_MIN, INT32_MIN + 1, -1000000000, -12,           -1,       0, 1, 9, 10,
        12,        999999999,     1000000000,  INT32_MAX - 1, INT32_MAX};
    auto format = [](const char* pattern, auto... numbers) {
        char buffer[EvaluationLineBytes * 2] = {};
        const int length = wsprintfA(buffer, pattern, numbers...);
        return std::string(buffer, length);
    };
    for (int32_t a : values) {
        for (int32_t b : {values[0], 3, values[13], -7}) {
            const ScoreBasis basis{a, b, b ^ a};
            const int32_t misses = b;
            const EvaluationLines lines = evaluationLines(basis, misses);
            const int32_t total = evaluationTotal(basis, misses);
            const auto product = [](int32_t factor, int32_t value) {
                return static_cast<int32_t>(static_cast<uint32_t>(factor) *
                                            static_cast<uint32_t>(value));
            };
            const int32_t timeFactor =
                static_cast<int32_t>(10u - static_cast<uint32_t>(basis.seconds));
            const std::string expected[EvaluationLineCount] = {
                format("文字数%d：得点%d×4＝%d点 おまけ１点", basis.symbols, basis.symbols,
                       product(4, basis.symbols)),
                format("時間%d秒：得点%d×3＝%d点", basis.seconds, timeFactor,
                       product(3, timeFactor)),
                format("問題数%d：得点%d×4＝%d点", basis.solved, basis.solved,
                       product(4, basis.solved)),
                format("間違数%d：減点%d×5＝%d点", misses, misses, product(5, misses)),
                format("合計得点：%d点／100点", total),
            };
            for (int i = 0; i < EvaluationLineCount; ++i) {
                EXPECT_EQ(std::string(lines[i].data()), expected[i])
                    << "line " << i + 1 << " for " << a << ", " << b;
                EXPECT_LT(expected[i].size(), static_cast<size_t>(EvaluationLineBytes));
            }
        }
    }
}

// ---- GDI bookkeeping -------------------------------------------------------------------------

// Routes this program's own imports of the calls that make and release the dialog's GDI objects
// through counters, for as long as it lives. Wine answers 0 to GetGuiResources, so there these
// counters are what sees a leak; on Windows both checks apply.
class GdiCallCounter {
  public:
    GdiCallCounter() {
        patch("gdi32.dll", "CreateCompatibleDC", &createCompatibleDC, realCreateCompatibleDC);
        patch("gdi32.dll", "DeleteDC", &deleteDC, realDeleteDC);
        patch("gdi32.dll", "DeleteObject", &deleteObject, realDeleteObject);
        patch("user32.dll", "LoadImageA", &loadImageA, realLoadImageA);
        contexts.clear();
        bitmaps.clear();
        contextsMade = 0;
        bitmapsLoaded = 0;
        deletedWithBitmapSelected = 0;
    }
    ~GdiCallCounter() {
        for (const auto& [slot, original] : patched) {
            swapSlot(slot, original);
        }
    }
    GdiCallCounter(const GdiCallCounter&) = delete;
    GdiCallCounter& operator=(const GdiCallCounter&) = delete;

    bool complete() const { return patched.size() == 4; }

    static inline int contextsMade = 0;
    static inline int bitmapsLoaded = 0;
    static inline int deletedWithBitmapSelected = 0;
    static inline std::vector<std::pair<HDC, HGDIOBJ>> contexts; // live, with their first bitmap
    static inline std::vector<HANDLE> bitmaps;                   // loaded and not yet deleted

  private:
    static void** importSlot(const char* dll, const char* name) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* module =
                 reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             module->Name != 0; ++module) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), dll) != 0) {
                continue;
            }
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                    continue;
                }
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0) {
                    return reinterpret_cast<void**>(&slots->u1.Function);
                }
            }
        }
        return nullptr;
    }
    static void* swapSlot(void** slot, void* value) {
        DWORD protection;
        VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
        void* previous = *slot;
        *slot = value;
        VirtualProtect(slot, sizeof *slot, protection, &protection);
        return previous;
    }
    template <typename Function>
    void patch(const char* dll, const char* name, Function replacement, Function& original) {
        void** slot = importSlot(dll, name);
        if (slot != nullptr) {
            original =
                reinterpret_cast<Function>(swapSlot(slot, reinterpret_cast<void*>(replacement)));
            patched.emplace_back(slot, reinterpret_cast<void*>(original));
        }
    }

    static HDC WINAPI createCompatibleDC(HDC reference) {
        HDC made = realCreateCompatibleDC(reference);
        if (made != nullptr) {
            ++contextsMade;
            contexts.emplace_back(made, GetCurrentObject(made, OBJ_BITMAP));
        }
        return made;
    }
    static BOOL WINAPI deleteDC(HDC dc) {
        for (auto it = contexts.begin(); it != contexts.end(); ++it) {
            if (it->first == dc) {
                if (GetCurrentObject(dc, OBJ_BITMAP) != it->second) {
                    ++deletedWithBitmapSelected;
                }
                contexts.erase(it);
                break;
            }
        }
        return realDeleteDC(dc);
    }
    static BOOL WINAPI deleteObject(HGDIOBJ object) {
        const BOOL deleted = realDeleteObject(object);
        if (deleted) {
            bitmaps.erase(std::remove(bitmaps.begin(), bitmaps.end(), object), bitmaps.end());
        }
        return deleted;
    }
    static HANDLE WINAPI loadImageA(HINSTANCE module, LPCSTR name, UINT type, int width, int height,
                                    UINT flags) {
        HANDLE loaded = realLoadImageA(module, name, type, width, height, flags);
        if (loaded != nullptr && type == IMAGE_BITMAP) {
            ++bitmapsLoaded;
            bitmaps.push_back(loaded);
        }
        return loaded;
    }

    static inline decltype(&CreateCompatibleDC) realCreateCompatibleDC = nullptr;
    static inline decltype(&DeleteDC) realDeleteDC = nullptr;
    static inline decltype(&DeleteObject) realDeleteObject = nullptr;
    static inline decltype(&LoadImageA) realLoadImageA = nullptr;
    std::vector<std::pair<void**, void*>> patched;
};

// Each opening loads eight bitmaps and each paint makes a memory context; none may outlive its
// opening or paint, or a long session runs out of GDI handles.
TEST_F(EvaluationDialog, OpeningAndPaintingDoNotLeakGdiObjects) {
    auto openPaintClose = [] {
        openDialog({[](HWND dialog) {
            InvalidateRect(dialog, nullptr, TRUE);
            UpdateWindow(dialog);
            SendMessageA(dialog, WM_COMMAND, IDC_EVALUATION_OK, 0);
        }});
    };
    openPaintClose(); // anything made once per process (classes, stock objects) is made now
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    {
        GdiCallCounter counter;
        ASSERT_TRUE(counter.complete()) << "the GDI calls are not imported by name";
        constexpr int Openings = 300;
        for (int i = 0; i < Openings; ++i) {
            openPaintClose();
        }
        // Every opening painted at least twice; every bitmap came from an opening.
        EXPECT_GE(GdiCallCounter::contextsMade, 2 * Openings);
        EXPECT_EQ(GdiCallCounter::bitmapsLoaded, EvaluationBitmapCount * Openings);
        EXPECT_EQ(GdiCallCounter::contexts.size(), 0u) << "memory contexts never deleted";
        EXPECT_EQ(GdiCallCounter::bitmaps.size(), 0u) << "loaded bitmaps never deleted";
        EXPECT_EQ(GdiCallCounter::deletedWithBitmapSelected, 0)
            << "memory contexts deleted with a bitmap of ours still selected";
    }
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 5) << "GDI objects: " << before << " before 300 openings";
}

} // namespace
