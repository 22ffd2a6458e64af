// The 96-dpi design at the display scale of this run (the prefix's dots per inch: 96, 144 or 192):
// every length 1.5 or 2 times its design, within a pixel of rounding, and drawn anew at it.
#include "support.h"

#include <cmath>

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

class ScaleTest : public ShellTest {
  protected:
    void SetUp() override {
        const int dpi =
            std::atoi(std::getenv("MABATAKIBAN_DPI") ? std::getenv("MABATAKIBAN_DPI") : "96");
        for (const Scale& s : Scales) {
            scale = s.dpi == dpi ? &s : scale;
        }
        ASSERT_NE(scale, nullptr) << "no scale of " << dpi << " dpi";
        k = dpi / 96.0;
        open();
        ShowWindow(window, SW_SHOW);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    // A design length at this run's scale.
    long at(double design) const { return std::lround(design * k); }
    // Cells of the current problem, in the given states, with the game asking.
    static void place(std::vector<std::pair<POINT, CellState>> cells) {
        gameState.phase = GamePhase::Answering;
        gameState.feedback = Feedback::None;
        gameState.symbolCount = static_cast<int32_t>(cells.size());
        for (size_t i = 0; i < cells.size(); ++i) {
            gameState.problems.problems[0].cells[i] = {
                cells[i].first.x, cells[i].first.y, 'A' + static_cast<int32_t>(i), cells[i].second};
        }
        repaintBoard(mainWindow);
    }
    const Scale* scale = nullptr;
    double k = 1;
};

// Within a pixel of the design length at the scale.
#define EXPECT_SCALED(got, design) EXPECT_NEAR(got, (design)*k, 1.0) << #got

} // namespace

TEST_F(ScaleTest, WindowToolbarBoardAndClicks) {
    // The manifest asks for the common controls of version 6, which draw buttons themselves (Wine
    // takes every program as aware of each monitor's scale, manifest or not).
    const HWND button = CreateWindowW(L"Button", L"", WS_CHILD, 0, 0, 9, 9, window, 0, 0, 0);
    HMODULE drawnBy = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(button, GWLP_WNDPROC)), &drawnBy);
    wchar_t name[MAX_PATH] = {};
    GetModuleFileNameW(drawnBy, name, MAX_PATH);
    EXPECT_NE(utf8(CharLowerW(name)).find("comctl32"), std::string::npos) << utf8(name);

    const SIZE client = Canvas::size(window);
    EXPECT_SCALED(client.cx, 640);
    EXPECT_SCALED(client.cy, 531);
    RECT outer;
    GetWindowRect(window, &outer);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN),
              screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(outer.left, (screenWidth - outer.right + outer.left) / 2);
    EXPECT_EQ(outer.top, (screenHeight - outer.bottom + outer.top) / 2);

    // The toolbar ends above the board's first row, its buttons hold their images (those of the
    // strip drawn for the scale: as many pixels of "Set" in blue and "Ver" in green), and its
    // separators are 8 design pixels wide.
    const HWND toolbar = GetDlgItem(window, 329);
    const Canvas bar(toolbar), strip(scale->stripId);
    RECT onClient, first;
    GetWindowRect(toolbar, &onClient);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&onClient), 2);
    EXPECT_TRUE(onClient.top == 0 && onClient.bottom <= at(40))
        << onClient.top << "-" << onClient.bottom;
    SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_GE(first.bottom - first.top, at(32)) << "the images cut";
    RECT separator;
    SendMessageW(toolbar, TB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&separator));
    EXPECT_SCALED(separator.right - separator.left, 8);
    for (const COLORREF colour : {RGB(0, 0, 255), RGB(0, 255, 0)}) {
        EXPECT_EQ(bar.count(colour, {0, 0, bar.width, bar.height}),
                  strip.count(colour, {0, 0, strip.width, strip.height}));
    }

    // Covered boxes a character of the board font (33 x 32 at 96 dpi, cut to 32 wide by the
    // client area in the last column) at their squares, the first row and the last whole (the
    // first looked for from the board's top on, where the toolbar would show); a symbol drawn
    // anew.
    place({{{19, 14}, CellState::Hidden},
           {{0, 2}, CellState::Hidden},
           {{3, 0}, CellState::Hidden},
           {{10, 7}, CellState::Visible}});
    const Canvas board(window);
    for (const auto& [square, width] :
         {std::pair{POINT{19, 14}, 32}, {POINT{0, 2}, 33}, {POINT{3, 0}, 33}}) {
        const RECT box = board.bounds(
            RGB(255, 255, 255), {at(square.x * 32) - 2, at(square.y * 32 + 40) - (square.y ? 2 : 0),
                                 at(square.x * 32 + 34) + 2, at(square.y * 32 + 72) + 2});
        EXPECT_SCALED(box.left, square.x * 32);
        EXPECT_SCALED(box.top, square.y * 32 + 40);
        EXPECT_SCALED(box.right - box.left, width);
        EXPECT_SCALED(box.bottom - box.top, 32);
    }
    EXPECT_TRUE(scale->dpi != 192 || board.drawnAnew({at(320), at(264), at(352), at(296)}));

    // Every pixel of the target's square answers it, none beside it: its edges are whole pixels
    // at 1.5 and 2 times. Then the corners of the square of a miss.
    const long left = at(608), top = at(488), right = at(640), bottom = at(520);
    const std::tuple<long, long, Feedback> clicks[] = {
        {left, top, Feedback::Correct},      {right - 1, bottom - 1, Feedback::Correct},
        {left - 1, top, Feedback::None},     {left, top - 1, Feedback::None},
        {right, bottom - 1, Feedback::None}, {right - 1, bottom, Feedback::None},
        {0, at(104), Feedback::Wrong},       {at(32) - 1, at(136) - 1, Feedback::Wrong},
    };
    for (const auto& [x, y, answer] : clicks) {
        place({{{19, 14}, CellState::Hidden}, {{0, 2}, CellState::Hidden}});
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        EXPECT_EQ(static_cast<int>(gameState.feedback), static_cast<int>(answer)) << x << "," << y;
    }
}

TEST_F(ScaleTest, EvaluationComposedAtTheScaleWithItsLinesApart) {
    gameState.scoreBasis = {9, 1, 9}; // no miss: 100 points, the sixth brain
    const wchar_t* const lines[] = {L"文字数9：得点9×4＝36点 おまけ１点", L"時間1秒：得点9×3＝27点",
                                    L"問題数9：得点9×4＝36点", L"間違数0：減点0×5＝0点",
                                    L"合計得点：100点／100点"};
    const int tops[] = {300, 318, 336, 354, 376};
    Catcher catcher({[&](HWND evaluation) {
        POINT dialog{}, main{};
        ClientToScreen(evaluation, &dialog), ClientToScreen(window, &main);
        EXPECT_TRUE(dialog.x == main.x && dialog.y == main.y) << "not at the main client area";

        // The pictures drawn for the scale: the background (cut a little by the client area)
        // and, where the mask is black, the sixth brain.
        const Canvas shown(evaluation), background(scale->backgroundId),
            brain(scale->backgroundId + 6), mask(scale->backgroundId + 7);
        int wrong = 0;
        shown.each({0, 0, at(300), at(300)}, [&](int x, int y) {
            const int bx = x - at(70), by = y - at(65);
            const bool inBrain =
                bx >= 0 && by >= 0 && bx < mask.width && by < mask.height && mask.at(bx, by) == 0;
            wrong += shown.at(x, y) != (inBrain ? brain.at(bx, by) : background.at(x, y));
        });
        EXPECT_EQ(wrong, 0) << "pixels unlike the background and the sixth brain";

        // Each line as drawn alone, black on the dialog's colour, in a Japanese font of the
        // scale (at 96 dpi the system font of a Japanese system): no line reaches another's.
        Canvas alone(shown.width, shown.height);
        const RECT all = {0, 0, alone.width, alone.height};
        FillRect(alone.dc, &all, GetSysColorBrush(COLOR_3DFACE));
        const HGDIOBJ system = SelectObject(
            alone.dc, CreateFontW(scale->lineFont[0], scale->lineFont[1], 0, 0, FW_NORMAL, 0, 0, 0,
                                  SHIFTJIS_CHARSET, 0, 0, 0, 0, scale->lineFace));
        SetBkMode(alone.dc, TRANSPARENT);
        for (int i = 0; i < 5; ++i) {
            const int length = static_cast<int>(wcslen(lines[i]));
            TextOutW(alone.dc, at(10), at(tops[i]), lines[i], length);
            SIZE extent;
            GetTextExtentPoint32W(alone.dc, lines[i], length, &extent);
            const RECT line = {at(10), at(tops[i]), at(10) + extent.cx, at(tops[i]) + extent.cy};
            int unlike = 0;
            shown.each(line, [&](int x, int y) { unlike += shown.at(x, y) != alone.at(x, y); });
            EXPECT_EQ(unlike, 0) << "pixels of line " << i + 1 << " at " << tops[i];
            EXPECT_TRUE(scale->dpi != 192 || shown.drawnAnew(line));
        }
        DeleteObject(SelectObject(alone.dc, system));
        click(evaluation, 101);
    }});
    gamePlatform->openEvaluation();
    EXPECT_EQ(catcher.seen.size(), 1u);
}

TEST_F(ScaleTest, MovedToAnotherScaleTakesTheSuggestedPlaceAndRedraws) {
    RECT suggested = {100, 50, 100 + 806, 50 + 700}, moved;
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &moved);
    EXPECT_TRUE(EqualRect(&moved, &suggested)) << moved.left << "," << moved.top;
    // The strip drawn for 125 %, and the board at 1.25 times.
    int width = 0, height = 0;
    ImageList_GetIconSize(
        reinterpret_cast<HIMAGELIST>(SendDlgItemMessageW(window, 329, TB_GETIMAGELIST, 0, 0)),
        &width, &height);
    EXPECT_EQ(width, 40);
    place({{{10, 7}, CellState::Hidden}});
    const RECT box = Canvas(window).bounds(RGB(255, 255, 255), {390, 320, 450, 380});
    EXPECT_NEAR(box.left, 400, 1);
    EXPECT_NEAR(box.top, 330, 1);
    EXPECT_NEAR(box.right - box.left, 41.25, 1);
    EXPECT_NEAR(box.bottom - box.top, 40, 1);
}
