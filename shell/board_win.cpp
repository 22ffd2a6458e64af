#include "shell/board_win.h"

#include "common/display_scale.h"
#include "common/text_win.h"
#include "core/board_paint.h"
#include "core/game_state.h"
#include "shell/shell_state_win.h"

#include <utility>

void makeBoardFont(int dpi) {
    // Asked for with the Japanese character set, so that a system without this face gives a
    // Japanese one.
    boardFont = CreateFontW(scaled(BoardFontHeight, dpi), scaled(BoardFontWidth, dpi), 0, 0,
                            BoardFontWeight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, L"ＭＳ 明朝");
}

void releaseBoardFont() {
    DeleteObject(std::exchange(boardFont, nullptr));
}

void paintBoard(HDC dc, int dpi) {
    HGDIOBJ previousFont = SelectObject(dc, boardFont);
    const BoardPaint plan = planBoardPaint(gameState);
    // The background mode stays opaque: each character is drawn on a box of its background
    // colour, which is what makes a space on white a covered cell.
    for (int32_t i = 0; i < plan.count; ++i) {
        const TextRun& run = plan.runs[i];
        SetTextColor(dc, run.textColor);
        SetBkColor(dc, run.backColor);
        const std::wstring text = wideText({run.text, static_cast<std::size_t>(run.length)});
        TextOutW(dc, scaled(run.x, dpi), scaled(run.y, dpi), text.c_str(),
                 static_cast<int>(text.size()));
    }
    SelectObject(dc, previousFont);
}

void repaintBoard(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}
