// The 96-dpi design at the display scale of this run (the prefix's dots per inch: 96, 144 or 192):
// every length 1.5 or 2 times its design, within a pixel of rounding, and drawn anew at it.
#include "support.h"

#include <commctrl.h>

#include <cmath>
#include <vector>

namespace {

struct Scale {
    int dpi;
    int stripId, backgroundId; // the pictures drawn for it
    int lineFont[2];           // height and width of the evaluation lines' font
    const wchar_t* lineFace;
};
const Scale Scales[] = {
    {96, 102, 2, {18, 8}, L"System"},
    {144, 2102, 2002, {27, 12}, L"ＭＳ ゴシック"},
    {192, 4102, 4002, {36, 16}, L"ＭＳ ゴシック"},
};

// A 32-bit picture of a size, to draw into or to copy a window's client area into.
struct Canvas {
    HDC dc = CreateCompatibleDC(nullptr);
    int width, height;
    uint32_t* bits = nullptr;
    HGDIOBJ original;
    Canvas(int w, int h) : width(w), height(h) {
        BITMAPINFO info{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        original = SelectObject(dc, CreateDIBSection(dc, &info, DIB_RGB_COLORS,
                                                     reinterpret_cast<void**>(&bits), nullptr, 0));
    }
    explicit Canvas(HWND window) : Canvas(clientSize(window).cx, clientSize(window).cy) {
        HDC screen = GetDC(window);
        BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    }
    ~Canvas() { DeleteObject(SelectObject(dc, original)), DeleteDC(dc); }
    COLORREF at(int x, int y) const {
        const uint32_t p = bits[y * width + x];
        return RGB(p >> 16 & 255, p >> 8 & 255, p & 255);
    }
    static SIZE clientSize(HWND window) {
        RECT r;
        GetClientRect(window, &r);
        return {r.right, r.bottom};
    }
    // The box that holds the pixels of colour within area, empty when there are none.
    RECT boundsOf(COLORREF colour, RECT area) const {
        RECT found = {area.right, area.bottom, area.left, area.top};
        for (int y = std::max(0L, area.top); y < std::min<long>(height, area.bottom); ++y) {
            for (int x = std::max(0L, area.left); x < std::min<long>(width, area.right); ++x) {
                if (at(x, y) == colour) {
                    found = {std::min<long>(found.left, x), std::min<long>(found.top, y),
                             std::max<long>(found.right, x + 1),
                             std::max<long>(found.bottom, y + 1)};
                }
            }
        }
        return found;
    }
    // Whether the area is anything but one picture at half the size with every pixel doubled.
    bool drawnAnew(RECT area) const {
        for (int y = area.top; y + 1 < area.bottom; y += 2) {
            for (int x = area.left; x + 1 < area.right; x += 2) {
                const COLORREF c = at(x, y);
                if (at(x + 1, y) != c || at(x, y + 1) != c || at(x + 1, y + 1) != c) {
                    return true;
                }
            }
        }
        return false;
    }
};

class ScaleTest : public ShellTest {
  protected:
    void SetUp() override {
        const char* dpi = std::getenv("MABATAKIBAN_DPI");
        for (const Scale& s : Scales) {
            scale = s.dpi == std::atoi(dpi ? dpi : "96") ? &s : scale;
        }
        ASSERT_NE(scale, nullptr) << "no scale of " << dpi;
        open();
        ShowWindow(window, SW_SHOW);
        k = scale->dpi / 96.0;
    }
    // A design length at this run's scale, for comparisons within a pixel.
    long at(double design) const { return std::lround(design * k); }
    const Scale* scale = nullptr;
    double k = 1;
};

#define EXPECT_NEAR_PIXEL(got, design) EXPECT_NEAR(got, (design)*k, 1.0) << #got

// Cells of the current problem, in the given states, with the game asking.
void placeCells(std::vector<std::pair<POINT, CellState>> cells) {
    gameState.phase = GamePhase::Answering;
    gameState.feedback = Feedback::None;
    gameState.symbolCount = static_cast<int32_t>(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
        gameState.problems.problems[0].cells[i] = {cells[i].first.x, cells[i].first.y,
                                                   'A' + static_cast<int32_t>(i), cells[i].second};
    }
}

} // namespace

TEST_F(ScaleTest, WindowToolbarBoardAndClicksAtTheScale) {
    // The manifest asks for the common controls of version 6, which draw the buttons themselves
    // (Wine takes every program as aware of each monitor's scale, manifest or not).
    const HWND button =
        CreateWindowW(L"Button", L"", WS_CHILD, 0, 0, 9, 9, window, nullptr, nullptr, nullptr);
    HMODULE drawnBy = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(button, GWLP_WNDPROC)), &drawnBy);
    wchar_t name[MAX_PATH] = {};
    GetModuleFileNameW(drawnBy, name, MAX_PATH);
    EXPECT_NE(utf8(CharLowerW(name)).find("comctl32"), std::string::npos) << utf8(name);
    DestroyWindow(button);

    const SIZE client = Canvas::clientSize(window);
    EXPECT_NEAR_PIXEL(client.cx, 640);
    EXPECT_NEAR_PIXEL(client.cy, 531);
    RECT place, work;
    GetWindowRect(window, &place);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(place.left - work.left, (work.right - work.left - place.right + place.left) / 2);
    EXPECT_EQ(place.top - work.top, (work.bottom - work.top - place.bottom + place.top) / 2);

    // The toolbar covers no more of the first row than at 96 dpi (4 of its 32 pixels), and each
    // button shows its own picture of the strip drawn for the scale: as many pixels of the
    // picture's own colour.
    const HWND toolbar = GetDlgItem(window, 329);
    RECT bar;
    GetWindowRect(toolbar, &bar);
    EXPECT_LE(bar.bottom - bar.top, at(44)) << "toolbar height";
    for (int separator = 2; separator < 6; ++separator) {
        RECT gap;
        SendMessageW(toolbar, TB_GETITEMRECT, separator, reinterpret_cast<LPARAM>(&gap));
        EXPECT_NEAR_PIXEL(gap.right - gap.left, 8);
    }
    RedrawWindow(toolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const Canvas shown(toolbar);
    const Picture strip(scale->stripId);
    const std::pair<int, COLORREF> buttons[] = {
        {0, RGB(255, 0, 0)},    {1, RGB(255, 0, 0)},  {6, RGB(0, 0, 255)},    {7, RGB(0, 255, 0)},
        {12, RGB(32, 96, 192)}, {13, RGB(255, 0, 0)}, {14, RGB(224, 96, 64)},
    };
    for (int image = 0; image < 7; ++image) {
        const auto [position, colour] = buttons[image];
        RECT button, picture = {at(32 * image), 0, at(32 * image + 32), at(32)};
        SendMessageW(toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&button));
        int inButton = 0, inPicture = 0;
        for (int y = button.top; y < button.bottom; ++y) {
            for (int x = button.left; x < button.right; ++x) {
                inButton += shown.at(x, y) == colour;
            }
        }
        for (int y = picture.top; y < picture.bottom; ++y) {
            for (int x = picture.left; x < picture.right; ++x) {
                inPicture += GetPixel(strip.dc, x, y) == colour;
            }
        }
        EXPECT_EQ(inButton, inPicture) << "button at " << position << ", picture " << image;
    }

    // Covered boxes the size of a character of the board font (33 x 32 at 96 dpi, cut to 32 wide
    // by the client area's edge in the last column), at their squares, the last row whole; a
    // symbol drawn anew, not the 96-dpi one enlarged.
    placeCells({{{19, 14}, CellState::Hidden},
                {{0, 2}, CellState::Hidden},
                {{10, 7}, CellState::Visible}});
    repaintNow(window);
    const Canvas board(window);
    for (const auto& [square, width] : {std::pair{POINT{19, 14}, 32}, {POINT{0, 2}, 33}}) {
        const RECT box = board.boundsOf(RGB(255, 255, 255),
                                        {at(square.x * 32) - 2, at(square.y * 32 + 40) - 2,
                                         at(square.x * 32 + 34) + 2, at(square.y * 32 + 72) + 2});
        SCOPED_TRACE(testing::Message() << "square " << square.x << ", " << square.y);
        EXPECT_NEAR_PIXEL(box.left, square.x * 32);
        EXPECT_NEAR_PIXEL(box.top, square.y * 32 + 40);
        EXPECT_NEAR_PIXEL(box.right - box.left, width);
        EXPECT_NEAR_PIXEL(box.bottom - box.top, 32);
    }
    EXPECT_TRUE(scale->dpi != 192 || board.drawnAnew({at(320), at(264), at(352), at(296)}));

    // Every pixel of the target's square answers it, and none beside it: its scaled edges are
    // whole pixels at 1.5 and 2 times.
    const long left = at(608), top = at(488), right = at(640), bottom = at(520);
    const std::tuple<long, long, Feedback> clicks[] = {
        {left, top, Feedback::Correct},      {right - 1, bottom - 1, Feedback::Correct},
        {left - 1, top, Feedback::None},     {left, top - 1, Feedback::None},
        {right, bottom - 1, Feedback::None}, {right - 1, bottom, Feedback::None},
        {0, at(104), Feedback::Wrong},       {at(32) - 1, at(135), Feedback::Wrong},
    };
    for (const auto& [x, y, answer] : clicks) {
        placeCells({{{19, 14}, CellState::Hidden}, {{0, 2}, CellState::Hidden}});
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        EXPECT_EQ(static_cast<int>(gameState.feedback), static_cast<int>(answer))
            << "click at " << x << ", " << y;
    }
}

TEST_F(ScaleTest, EvaluationComposedAtTheScaleWithItsLinesApart) {
    gameState.scoreBasis = {9, 1, 9}; // no miss: 100 points, the sixth brain
    const wchar_t* const lines[] = {L"文字数9：得点9×4＝36点 おまけ１点", L"時間1秒：得点9×3＝27点",
                                    L"問題数9：得点9×4＝36点", L"間違数0：減点0×5＝0点",
                                    L"合計得点：100点／100点"};
    const int tops[] = {300, 318, 336, 354, 376};
    Catcher catcher({[&](HWND evaluation) {
        POINT dialogOrigin{}, mainOrigin{};
        ClientToScreen(evaluation, &dialogOrigin);
        ClientToScreen(window, &mainOrigin);
        EXPECT_EQ(dialogOrigin.x, mainOrigin.x) << "at the main window's client area";
        EXPECT_EQ(dialogOrigin.y, mainOrigin.y) << "at the main window's client area";
        const Canvas shown(evaluation);

        // The background and the sixth brain in its mask, both of the pictures of the scale; the
        // client area is a little narrower than the background, which it cuts.
        Picture background(scale->backgroundId), brain(scale->backgroundId + 6),
            mask(scale->backgroundId + 7);
        int wrong = 0;
        for (int y = 0; y < at(300); ++y) {
            for (int x = 0; x < std::min<int>(at(300), shown.width); ++x) {
                const int bx = x - at(70), by = y - at(65);
                const bool inBrain = bx >= 0 && by >= 0 && bx < at(160) && by < at(130) &&
                                     GetPixel(mask.dc, bx, by) == 0;
                wrong += shown.at(x, y) != GetPixel(inBrain ? brain.dc : background.dc,
                                                    inBrain ? bx : x, inBrain ? by : y);
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels unlike the background and the sixth brain at the scale";

        // Each line as drawn alone, in a Japanese font of the scale (the system font of a
        // Japanese system at 96 dpi), black on the dialog's colour: no line reaches another's.
        Canvas alone(shown.width, shown.height);
        const RECT all = {0, 0, alone.width, alone.height};
        FillRect(alone.dc, &all, GetSysColorBrush(COLOR_3DFACE));
        const HFONT font = CreateFontW(scale->lineFont[0], scale->lineFont[1], 0, 0, FW_NORMAL, 0,
                                       0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, scale->lineFace);
        const HGDIOBJ system = SelectObject(alone.dc, font);
        SetBkMode(alone.dc, TRANSPARENT);
        for (int i = 0; i < 5; ++i) {
            const int length = static_cast<int>(wcslen(lines[i]));
            TextOutW(alone.dc, at(10), at(tops[i]), lines[i], length);
            SIZE extent;
            GetTextExtentPoint32W(alone.dc, lines[i], length, &extent);
            int unlike = 0;
            for (int y = at(tops[i]); y < at(tops[i]) + extent.cy; ++y) {
                for (int x = at(10); x < at(10) + extent.cx; ++x) {
                    unlike += shown.at(x, y) != alone.at(x, y);
                }
            }
            EXPECT_EQ(unlike, 0) << "pixels of line " << i + 1 << " at " << tops[i];
            EXPECT_TRUE(
                scale->dpi != 192 ||
                shown.drawnAnew({at(10), at(tops[i]), at(10) + extent.cx, at(tops[i] + 18)}));
        }
        DeleteObject(SelectObject(alone.dc, system));
        click(evaluation, 101);
    }});
    gamePlatform->openEvaluation();
    EXPECT_EQ(catcher.seen.size(), 1u);
}

TEST_F(ScaleTest, DialogTextsDrawnAnew) {
    if (scale->dpi != 192) {
        GTEST_SKIP() << "only a picture at twice the size can be one with its pixels doubled";
    }
    Catcher catcher({[&](HWND about) {
        const Canvas title(GetDlgItem(about, 103));
        EXPECT_TRUE(title.drawnAnew({0, 0, title.width, title.height}));
    }});
    command(333);
    EXPECT_EQ(catcher.seen.size(), 1u);
}

TEST_F(ScaleTest, MovedToAnotherScaleTakesTheSuggestedPlaceAndRedraws) {
    RECT suggested = {100, 50, 100 + 806, 50 + 700};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
    RECT place;
    GetWindowRect(window, &place);
    EXPECT_TRUE(EqualRect(&place, &suggested))
        << place.left << "," << place.top << " " << place.right << "," << place.bottom;
    // Images of the strip drawn for 125 %, and the board at 1.25 times.
    int width = 0, height = 0;
    ImageList_GetIconSize(
        reinterpret_cast<HIMAGELIST>(SendDlgItemMessageW(window, 329, TB_GETIMAGELIST, 0, 0)),
        &width, &height);
    EXPECT_EQ(width, 40);
    placeCells({{{10, 7}, CellState::Hidden}});
    repaintNow(window);
    const RECT box = Canvas(window).boundsOf(RGB(255, 255, 255), {390, 320, 450, 380});
    EXPECT_NEAR(box.left, 400, 1);
    EXPECT_NEAR(box.top, 330, 1);
    EXPECT_NEAR(box.right - box.left, 41.25, 1);
    EXPECT_NEAR(box.bottom - box.top, 40, 1);
}
