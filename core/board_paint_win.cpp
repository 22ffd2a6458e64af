#include "core/board_paint_win.h"

#include "common/display_scale.h"
#include "core/board_paint.h"
#include "core/game_state.h"
#include "common/text_win.h"

HFONT boardFont = nullptr;

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
