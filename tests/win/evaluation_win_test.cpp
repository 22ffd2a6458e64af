// The evaluation dialog, opened for real with DialogBoxParamA over an owner window of its own and
// handed to one step of the test once its modal loop runs.
#include "win_test_support.h"

#include "core/game_state.h"
#include "evaluation/evaluation_dialog_win.h"
#include "evaluation/evaluation_state_win.h"
#include "evaluation/score.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// What the dialog is ended with when the step left it open.
constexpr INT_PTR StillOpen = 99;

struct Opening {
    INT_PTR result = -1;
    std::vector<WPARAM> commands; // wParam of every WM_COMMAND that reached the dialog
};

Opening* current = nullptr;

LRESULT CALLBACK noteCommand(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current && call->message == WM_COMMAND) {
        current->commands.push_back(call->wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Opens the dialog, runs the step with whatever it posted, and ends the dialog with StillOpen if
// it is still there.
Opening openDialog(const std::function<void(HWND)>& step) {
    Opening opening;
    OwnerWindow owner;
    int shown = 0;
    ModalCatcher catcher([&](HWND dialog) {
        ++shown;
        step(dialog);
        pumpDialogMessages(dialog);
        if (isOpen(dialog)) {
            EndDialog(dialog, StillOpen);
        }
    });
    current = &opening;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, noteCommand, nullptr, GetCurrentThreadId());
    opening.result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EVALUATION),
                                     owner, evaluationDialogProc, 0);
    UnhookWindowsHookEx(hook);
    current = nullptr;
    EXPECT_EQ(shown, 1) << "the dialog came up " << shown << " times";
    return opening;
}

void closeDialog(HWND dialog) {
    SendMessageA(dialog, WM_CLOSE, 0, 0);
}

// ---- pixels ----------------------------------------------------------------------------------

constexpr uint32_t Black = rgb(0, 0, 0);
constexpr uint32_t White = rgb(255, 255, 255);
constexpr int BrainLeft = 70;
constexpr int BrainTop = 65;
constexpr int PictureSize = 300;

// One of the program's own bitmap resources, as stored.
Image resourceBitmap(int id) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    EXPECT_NE(bitmap, nullptr) << "bitmap resource " << id << " does not load";
    Image image = bitmap ? captureBitmap(bitmap) : Image{};
    DeleteObject(bitmap);
    return image;
}

RECT okRect(HWND dialog) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, IDC_EVALUATION_OK), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The dialog as it must look: the face colour with the five lines drawn black, transparent, in a
// fresh device context's font; the background where given; inside the mask's ellipse the brain
// picture when there is one.
Image expectedDialog(int width, int height, const EvaluationLines& lines, const Image* background,
                     const Image* brain, const Image& mask) {
    DibCanvas canvas(width, height);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    HBRUSH brush = CreateSolidBrush(face);
    RECT all = {0, 0, width, height};
    FillRect(canvas.dc(), &all, brush);
    DeleteObject(brush);
    SetBkMode(canvas.dc(), TRANSPARENT);
    for (int i = 0; i < EvaluationLineCount; ++i) {
        TextOutA(canvas.dc(), EvaluationLineLeft, EvaluationLineTops[i], lines[i].data(),
                 static_cast<int>(std::strlen(lines[i].data())));
    }
    Image image = canvas.image();
    for (int y = 0; y < PictureSize; ++y) {
        for (int x = 0; x < PictureSize && x < width; ++x) {
            uint32_t& pixel = image.pixels[static_cast<size_t>(y) * width + x];
            pixel = background ? background->at(x, y)
                               : rgb(GetRValue(face), GetGValue(face), GetBValue(face));
            if (brain && mask.holds(x - BrainLeft, y - BrainTop) &&
                mask.at(x - BrainLeft, y - BrainTop) == Black) {
                pixel = brain->at(x - BrainLeft, y - BrainTop);
            }
        }
    }
    return image;
}

// Opens the dialog, lets prepare change it, and compares the whole client area but the OK button
// with what it must show; each line must also have ink of its own, from x 10 on.
void expectDialogShows(const EvaluationLines& lines, const Image* background, const Image* brain,
                       const std::function<void(HWND)>& prepare = {}) {
    Image shot;
    RECT ok{};
    openDialog([&](HWND dialog) {
        if (prepare) {
            prepare(dialog);
        }
        InvalidateRect(dialog, nullptr, TRUE);
        shot = captureClient(dialog);
        ok = okRect(dialog);
    });
    ASSERT_GE(shot.height, EvaluationLineTops[4] + 16) << "client area too short for the lines";
    ASSERT_GE(shot.width, 230) << "client area too narrow for the brain";
    const Image expected = expectedDialog(shot.width, shot.height, lines, background, brain,
                                          resourceBitmap(IDB_RANKMASK));
    EXPECT_EQ(differences(shot, expected, {0, 0, shot.width, shot.height}, ok), "");
    for (int i = 0; i < EvaluationLineCount; ++i) {
        const int top = EvaluationLineTops[i];
        const int bottom = i + 1 < EvaluationLineCount ? EvaluationLineTops[i + 1] : shot.height;
        int ink = 0;
        int leftmost = INT_MAX;
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < shot.width; ++x) {
                const POINT point{x, y};
                if (!PtInRect(&ok, point) && shot.at(x, y) == Black) {
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
    CreationRecorder recorder;
    const Opening opening = openDialog([&](HWND dialog) {
        expectDialog(dialog, IDD_EVALUATION, "あなたの脳レベルの評価",
                     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
                         DS_3DLOOK | DS_CONTEXTHELP,
                     170, 270);
        // Not a default push button.
        const ControlSpec ok = {IDC_EVALUATION_OK,
                                "Button",
                                "OK",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER,
                                {144, 236, 24, 32}};
        expectControls(dialog, &ok, 1, &recorder);
        EXPECT_EQ(clientCorner(dialog), clientCorner(GetWindow(dialog, GW_OWNER)))
            << "client origin: not the owner's client origin";
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EVALUATION_OK)) << "the focus starts on OK";
        closeDialog(dialog);
    });
    EXPECT_EQ(opening.result, 1);
}

TEST_F(EvaluationDialog, OkTheCloseBoxAndWmCloseEndItOthersLeaveItOpen) {
    const struct {
        const char* how;
        std::function<void(HWND)> step;
        INT_PTR result;
        WPARAM command; // what must have reached the dialog procedure, 0: not checked
    } cases[] = {
        {"OK clicked",
         [](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDC_EVALUATION_OK), BM_CLICK, 0, 0); },
         1, 0},
        {"space bar on the focused OK", [](HWND dialog) { pressKey(dialog, GetFocus(), VK_SPACE); },
         1, 0},
        {"command 101 with any notification code",
         [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(101, 0xFFFF), 0); }, 1, 0},
        {"WM_CLOSE", closeDialog, 1, 0},
        {"close box or Alt+F4",
         [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, 1, 0},
        {"Esc", [](HWND dialog) { pressKey(dialog, GetFocus(), VK_ESCAPE); }, StillOpen, IDCANCEL},
        {"IDCANCEL", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }, StillOpen,
         IDCANCEL},
        {"IDOK", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDOK, 0); }, StillOpen, IDOK},
        {"command 100", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, 100, 0); }, StillOpen,
         100},
        {"command 102", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, 102, 0); }, StillOpen,
         102},
        {"command 0x165, whose low byte is 101",
         [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, 0x165, 0); }, StillOpen, 0x165},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        const Opening opening = openDialog(c.step);
        EXPECT_EQ(opening.result, c.result) << "(" << StillOpen << ": still open)";
        if (c.command != 0) {
            EXPECT_NE(std::find(opening.commands.begin(), opening.commands.end(), c.command),
                      opening.commands.end())
                << "command " << c.command << " never reached the dialog procedure";
        }
    }
}

TEST_F(EvaluationDialog, ProcedureAnswersFalseToAllButInitDialog) {
    std::vector<std::pair<std::string, INT_PTR>> answers;
    HBITMAP first[EvaluationBitmapCount] = {};
    HBITMAP second[EvaluationBitmapCount] = {};
    const Opening opening = openDialog([&](HWND dialog) {
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
    });
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
    openDialog([&](HWND dialog) {
        for (int i = 0; i < EvaluationBitmapCount; ++i) {
            DIBSECTION section{};
            dibSection[i] = evaluationBitmaps[i] && GetObjectA(evaluationBitmaps[i], sizeof section,
                                                               &section) == sizeof section;
            held[i] = dibSection[i] ? captureBitmap(evaluationBitmaps[i]) : Image{};
        }
        closeDialog(dialog);
    });
    for (int i = 0; i < EvaluationBitmapCount; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const Image stored = resourceBitmap(IDB_BACKGROUND + i);
        EXPECT_TRUE(dibSection[i]) << "not loaded as a DIB section";
        EXPECT_EQ(held[i].width, stored.width);
        EXPECT_TRUE(held[i].pixels == stored.pixels) << "holds other pixels than the resource";
    }
}

// The background, the brain picture of the total (the picture over the whole ellipse tells it
// from the other five) and the lines.
TEST_F(EvaluationDialog, ShowsTheBackgroundTheBrainOfTheTotalAndTheLines) {
    const Image background = resourceBitmap(IDB_BACKGROUND);
    ASSERT_EQ(background.width, PictureSize);
    // The eye lies outside the ellipse: white, with its black pupil.
    EXPECT_EQ(colourText(background.at(76, 182)), colourText(White)) << "white of the eye";
    EXPECT_EQ(colourText(background.at(82, 182)), colourText(Black)) << "pupil";
    EXPECT_EQ(colourText(background.at(88, 182)), colourText(White)) << "white of the eye";
    const struct {
        ScoreBasis basis;
        int32_t misses;
        int picture;
    } cases[] = {
        {{1, 9, 1}, 0, IDB_RANK1},  {{3, 3, 3}, 3, IDB_RANK2}, {{3, 3, 3}, 0, IDB_RANK3},
        {{9, 12, 9}, 0, IDB_RANK4}, {{9, 2, 9}, 0, IDB_RANK5}, {{9, 1, 9}, 0, IDB_RANK6},
        {{3, 3, 3}, 10, IDB_RANK1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("total " + std::to_string(evaluationTotal(c.basis, c.misses)) +
                     ", brain picture " + std::to_string(c.picture - IDB_RANK1 + 1));
        gameState.scoreBasis = c.basis;
        gameState.missCount = c.misses;
        const Image brain = resourceBitmap(c.picture);
        expectDialogShows(evaluationLines(c.basis, c.misses), &background, &brain);
    }
}

TEST_F(EvaluationDialog, RepaintsTheSamePictureEveryTime) {
    Image first;
    Image later;
    openDialog([&](HWND dialog) {
        first = captureClient(dialog);
        for (int i = 0; i < 20; ++i) {
            InvalidateRect(dialog, nullptr, TRUE);
            UpdateWindow(dialog);
        }
        later = captureClient(dialog);
    });
    EXPECT_TRUE(first.pixels == later.pixels) << "a repaint changed the dialog";
}

// Where a bitmap is missing the dialog's face colour shows; the brain needs both its mask and
// its picture; the lines are always there.
TEST_F(EvaluationDialog, MissingBitmapsLeaveTheirPlaceEmptyAndTheLinesStand) {
    const Image background = resourceBitmap(IDB_BACKGROUND);
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
        expectDialogShows(evaluationLines(gameState.scoreBasis, gameState.missCount),
                          c.backgroundShown ? &background : nullptr,
                          c.brainShown ? &brain : nullptr, [&](HWND) {
                              for (int id : c.ids) {
                                  DeleteObject(evaluationBitmaps[id - IDB_BACKGROUND]);
                                  evaluationBitmaps[id - IDB_BACKGROUND] = nullptr;
                              }
                          });
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
    const auto product = [](int32_t factor, int32_t value) {
        return static_cast<int32_t>(static_cast<uint32_t>(factor) * static_cast<uint32_t>(value));
    };
    for (int32_t a : values) {
        for (int32_t b : {INT32_MIN, 3, INT32_MAX, -7}) {
            const ScoreBasis basis{a, b, b ^ a};
            const EvaluationLines lines = evaluationLines(basis, b);
            const int32_t timeFactor =
                static_cast<int32_t>(10u - static_cast<uint32_t>(basis.seconds));
            const std::string expected[EvaluationLineCount] = {
                format("文字数%d：得点%d×4＝%d点 おまけ１点", a, a, product(4, a)),
                format("時間%d秒：得点%d×3＝%d点", b, timeFactor, product(3, timeFactor)),
                format("問題数%d：得点%d×4＝%d点", b ^ a, b ^ a, product(4, b ^ a)),
                format("間違数%d：減点%d×5＝%d点", b, b, product(5, b)),
                format("合計得点：%d点／100点", evaluationTotal(basis, b)),
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

// Routes this program's calls that make and delete memory DCs through counters, by swapping
// their import slots. Wine answers 0 to GetGuiResources, so there this is what sees a DC leak.
extern "C" decltype(&CreateCompatibleDC)
    importedCreateCompatibleDC __asm__("__imp_CreateCompatibleDC");
extern "C" decltype(&DeleteDC) importedDeleteDC __asm__("__imp_DeleteDC");

struct MemoryDcCounter {
    static inline int made = 0;
    static inline int deletedWithBitmapSelected = 0;
    static inline std::vector<std::pair<HDC, HGDIOBJ>> live; // with the bitmap they started with
    static inline decltype(&CreateCompatibleDC) realCreate = nullptr;
    static inline decltype(&DeleteDC) realDelete = nullptr;

    static HDC WINAPI create(HDC reference) {
        HDC dc = realCreate(reference);
        ++made;
        live.emplace_back(dc, GetCurrentObject(dc, OBJ_BITMAP));
        return dc;
    }
    static BOOL WINAPI remove(HDC dc) {
        const auto found =
            std::find_if(live.begin(), live.end(), [&](auto& e) { return e.first == dc; });
        if (found != live.end()) {
            deletedWithBitmapSelected += GetCurrentObject(dc, OBJ_BITMAP) != found->second;
            live.erase(found);
        }
        return realDelete(dc);
    }
    template <typename Function> static Function swap(Function& slot, Function value) {
        DWORD protection;
        VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &protection);
        const Function previous = std::exchange(slot, value);
        VirtualProtect(&slot, sizeof slot, protection, &protection);
        return previous;
    }
    MemoryDcCounter() {
        made = deletedWithBitmapSelected = 0;
        live.clear();
        realCreate = swap(importedCreateCompatibleDC, &create);
        realDelete = swap(importedDeleteDC, &remove);
    }
    ~MemoryDcCounter() {
        swap(importedCreateCompatibleDC, realCreate);
        swap(importedDeleteDC, realDelete);
    }
};

// Each opening loads eight bitmaps and each paint makes a memory DC; none may outlive its
// opening or paint, or a long session runs out of GDI handles.
TEST_F(EvaluationDialog, OpeningAndPaintingDoNotLeakGdiObjects) {
    int bitmapsLeft = 0;
    auto openPaintClose = [&] {
        HBITMAP held[EvaluationBitmapCount] = {};
        openDialog([&](HWND dialog) {
            std::copy(evaluationBitmaps, evaluationBitmaps + EvaluationBitmapCount, held);
            InvalidateRect(dialog, nullptr, TRUE);
            UpdateWindow(dialog);
            SendMessageA(dialog, WM_COMMAND, IDC_EVALUATION_OK, 0);
        });
        bitmapsLeft += static_cast<int>(std::count_if(
            std::begin(held), std::end(held), [](HBITMAP b) { return GetObjectType(b) != 0; }));
    };
    openPaintClose(); // anything made once per process (classes, stock objects) is made now
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    {
        MemoryDcCounter counter;
        constexpr int Openings = 300;
        for (int i = 0; i < Openings; ++i) {
            openPaintClose();
        }
        EXPECT_GE(MemoryDcCounter::made, Openings) << "every opening paints";
        EXPECT_EQ(MemoryDcCounter::live.size(), 0u) << "memory DCs never deleted";
        EXPECT_EQ(MemoryDcCounter::deletedWithBitmapSelected, 0)
            << "memory DCs deleted with a bitmap of ours still selected";
    }
    EXPECT_EQ(bitmapsLeft, 0) << "loaded bitmaps never deleted";
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 5) << "GDI objects: " << before << " before 300 openings";
}

} // namespace
