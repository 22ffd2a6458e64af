#include "win_test_support.h"

#include "core/board_paint_win.h"
#include "core/game_state.h"
#include "shell/shell_state_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr int ClientWidth = 640;
constexpr int ClientHeight = 520;

enum class Tone { Black, White, Green, Red, Blue, Other };

Tone toneOf(uint32_t pixel) {
    const uint32_t r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
    const auto high = [](uint32_t c) { return c > 192; };
    const auto low = [](uint32_t c) { return c < 64; };
    return low(r) && low(g) && low(b)      ? Tone::Black
           : high(r) && high(g) && high(b) ? Tone::White
           : low(r) && high(g) && low(b)   ? Tone::Green
           : high(r) && low(g) && low(b)   ? Tone::Red
           : low(r) && low(g) && high(b)   ? Tone::Blue
                                           : Tone::Other;
}

// The client area painted into a memory bitmap erased to black, as the window class does.
class Canvas : public DibCanvas {
  public:
    Canvas() : DibCanvas(ClientWidth, ClientHeight) {}
    Tone tone(int x, int y) const { return toneOf(shot_.at(x, y)); }
    void take() { shot_ = image(); }

    // Pixels of the given tone in [left, right) x [top, bottom).
    int count(Tone wanted, int left, int top, int right, int bottom) const {
        int found = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                found += tone(x, y) == wanted ? 1 : 0;
            }
        }
        return found;
    }

    // Leftmost column showing the tone in the band of rows [top, bottom), or -1.
    int leftmost(Tone wanted, int top, int bottom) const {
        for (int x = 0; x < ClientWidth; ++x) {
            if (count(wanted, x, top, x + 1, bottom) > 0) {
                return x;
            }
        }
        return -1;
    }

  private:
    Image shot_;
};

class BoardPaintWinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGameState();
        savedFont_ = boardFont;
        // As the toolbar makes it when the main window is created.
        boardFont =
            CreateFontA(32, 32, 0, 0, 600, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ 明朝");
        ASSERT_NE(boardFont, nullptr);

        // Four cells on grid row 2, so the message line takes row 0.
        gameState.phase = GamePhase::Answering;
        gameState.symbolCount = 4;
        const Cell cells[] = {{2, 2, 'A', CellState::Found},
                              {6, 2, 'W', CellState::Visible},
                              {10, 2, 'K', CellState::Hidden},
                              {14, 2, 'M', CellState::WrongPick}};
        for (int i = 0; i < 4; ++i) {
            gameState.problems.problems[0].cells[i] = cells[i];
        }
    }
    void TearDown() override {
        DeleteObject(boardFont);
        boardFont = savedFont_;
        resetGameState();
    }

    // Paints the board and checks the DC gets its own font back.
    void paint(Canvas& canvas) {
        const HGDIOBJ before = GetCurrentObject(canvas.dc(), OBJ_FONT);
        paintBoard(canvas.dc());
        EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), before);
        canvas.take();
    }

    // The square of a grid cell, inset by margin pixels.
    static int squareCount(const Canvas& canvas, Tone tone, int column, int row, int margin = 0) {
        return canvas.count(tone, column * 32 + margin, row * 32 + 40 + margin,
                            column * 32 + 32 - margin, row * 32 + 72 - margin);
    }

  private:
    HFONT savedFont_ = nullptr;
};

} // namespace

TEST_F(BoardPaintWinTest, CellsShowTheirStateInTheirSquare) {
    Canvas canvas;
    paint(canvas);
    const struct {
        const char* what;
        int column;
        Tone stroke;
    } symbols[] = {
        {"found", 2, Tone::Green}, {"visible", 6, Tone::White}, {"wrong pick", 14, Tone::Red}};
    for (const auto& s : symbols) {
        SCOPED_TRACE(s.what);
        // Strokes of one colour on black: neither an empty square nor a filled box.
        const int strokes = squareCount(canvas, s.stroke, s.column, 2);
        EXPECT_GT(strokes, 40);
        EXPECT_GT(squareCount(canvas, Tone::Black, s.column, 2), 32 * 32 / 3);
        EXPECT_EQ(strokes + squareCount(canvas, Tone::Black, s.column, 2) +
                      squareCount(canvas, Tone::Other, s.column, 2),
                  32 * 32)
            << "a symbol shows only its own colour";
    }
    // The covered cell is a solid white box over its square.
    EXPECT_EQ(squareCount(canvas, Tone::White, 10, 2, 3), 26 * 26);

    // Nothing outside the four squares: the rows above and below stay black, as do the gaps.
    EXPECT_EQ(canvas.count(Tone::Black, 0, 0, ClientWidth, 2 * 32 + 40), ClientWidth * 104);
    EXPECT_EQ(canvas.count(Tone::Black, 0, 3 * 32 + 40, ClientWidth, ClientHeight),
              ClientWidth * (ClientHeight - 136));
    EXPECT_EQ(squareCount(canvas, Tone::Black, 4, 2), 32 * 32);
}

TEST_F(BoardPaintWinTest, MessagesTakeTheFreeRow) {
    const struct {
        Feedback feedback;
        const char* text; // Shift-JIS
        COLORREF color;
        Tone tone;
        int x;
    } cases[] = {
        // "「A」は何処ですか？": the target here is 'A'.
        {Feedback::Ask,
         "\x81\x75"
         "A"
         "\x81\x76\x82\xcd\x89\xbd\x8f\x88\x82\xc5\x82\xb7\x82\xa9\x81\x48",
         0xFF0000, Tone::Blue, 0},
        {Feedback::Correct, "\x90\xb3\x89\xf0\x82\xc5\x82\xb7", 0x00FF00, Tone::Green, 100},
        {Feedback::Wrong, "\x95\x73\x90\xb3\x89\xf0\x82\xc5\x82\xb7", 0x0000FF, Tone::Red, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "feedback " << static_cast<int>(c.feedback));
        gameState.feedback = c.feedback;
        Canvas canvas;
        paint(canvas);
        // Row 0 is free (y 40..71): the text begins in its first character cell after x and
        // stays on that row.
        const int left = canvas.leftmost(c.tone, 40, 72);
        EXPECT_GE(left, c.x);
        EXPECT_LT(left, c.x + 64);
        EXPECT_GT(canvas.count(c.tone, 0, 40, ClientWidth, 72), 200);
        EXPECT_EQ(canvas.count(c.tone, 0, 0, ClientWidth, 40), 0);
        EXPECT_EQ(canvas.count(c.tone, 0, 72, ClientWidth, 2 * 32 + 40), 0);

        // Exactly where the text lands when drawn by hand at the row's top left.
        Canvas expected;
        const HGDIOBJ previous = SelectObject(expected.dc(), boardFont);
        SetTextColor(expected.dc(), c.color);
        SetBkColor(expected.dc(), 0);
        TextOutA(expected.dc(), c.x, 40, c.text, static_cast<int>(std::strlen(c.text)));
        SelectObject(expected.dc(), previous);
        expected.take();
        int differing = 0;
        for (int y = 40; y < 72; ++y) {
            for (int x = 0; x < ClientWidth; ++x) {
                differing += canvas.tone(x, y) != expected.tone(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(BoardPaintWinTest, IdleShowsOnlyThePendingMessage) {
    gameState.phase = GamePhase::Idle;
    gameState.feedback = Feedback::Correct;
    Canvas canvas;
    paint(canvas);
    EXPECT_EQ(canvas.count(Tone::Black, 0, 72, ClientWidth, ClientHeight),
              ClientWidth * (ClientHeight - 72));
    EXPECT_GT(canvas.count(Tone::Green, 100, 40, ClientWidth, 72), 200);
}
