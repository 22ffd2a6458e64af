#include "evaluation/evaluation_dialog_win.h"

#include "common/display_scale.h"
#include "common/dpi_win.h"
#include "core/game_state.h"
#include "evaluation/evaluation_state_win.h"
#include "evaluation/score.h"
#include "resources/resource.h"
#include "common/text_win.h"

namespace {

// The system font of a Japanese system at 96 dots an inch, in which the lines are designed.
constexpr int LineFontHeight = 18;
constexpr int LineFontWidth = 8;

HBITMAP bitmapOf(int resourceId) {
    return evaluationBitmaps[resourceId - IDB_BACKGROUND];
}

// The pictures drawn for the scale nearest the dialog's. The previous opening released its
// bitmaps when its dialog was destroyed; a move to a monitor of another scale loads them again.
void loadBitmaps(int percent) {
    releaseEvaluationBitmaps();
    for (int i = 0; i < EvaluationBitmapCount; ++i) {
        evaluationBitmaps[i] = static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr),
                       MAKEINTRESOURCEW(pictureAtScale(IDB_BACKGROUND + i, percent)), IMAGE_BITMAP,
                       0, 0, LR_CREATEDIBSECTION));
    }
    evaluationBitmapScale = percent;
}

// At 96 dots an inch the lines are drawn in the system font, as the dialog's paint gets it. Where
// that font is not a Japanese one, a font like the Japanese system font is asked for instead (18
// pixels, 8 wide, normal weight, in the Japanese character set), so the lines read as they do on
// a Japanese system; there nothing changes. At any other scale the system font's size is not the
// design's, so a Japanese face of the design's size at that scale is asked for: the lines then keep
// their distances whatever the system font is. Null when the system font will do.
HFONT linesFont(int dpi) {
    LOGFONTW system{};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system);
    if (dpi == DesignDpi && system.lfCharSet == SHIFTJIS_CHARSET) {
        return nullptr;
    }
    return CreateFontW(scaled(LineFontHeight, dpi), scaled(LineFontWidth, dpi), 0, 0, FW_NORMAL, 0,
                       0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                       dpi == DesignDpi ? L"System" : L"ＭＳ ゴシック");
}

// A picture at its place in the design, scaled to dpi. Drawn at its own size when it was drawn
// for this very scale; otherwise stretched from the nearest one by whole pixels, never blended,
// so that the mask and the brain keep their key colours exactly.
void drawPicture(HDC dc, HDC memory, HBITMAP picture, int left, int top, int dpi, DWORD rop) {
    BITMAP size{};
    GetObjectW(picture, sizeof size, &size);
    const int pictureDpi = evaluationBitmapScale * DesignDpi / 100;
    SelectObject(memory, picture);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, scaled(left, dpi), scaled(top, dpi), MulDiv(size.bmWidth, dpi, pictureDpi),
               MulDiv(size.bmHeight, dpi, pictureDpi), memory, 0, 0, size.bmWidth, size.bmHeight,
               rop);
}

// A bitmap that failed to load is left out, and the dialog's erased background shows in its
// place. The brain is composed only when both the mask and its picture are there: the mask alone
// would punch a black hole into the head, the picture alone would be ORed onto the skin.
void paint(HWND dialog) {
    const int dpi = dpiOfWindow(dialog);
    if (pictureScale(dpi) != evaluationBitmapScale) {
        loadBitmaps(pictureScale(dpi));
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    HDC memory = CreateCompatibleDC(nullptr);
    // Put back before deleting the context, so no bitmap stays selected after the paint.
    HGDIOBJ original = GetCurrentObject(memory, OBJ_BITMAP);

    if (HBITMAP background = bitmapOf(IDB_BACKGROUND)) {
        drawPicture(dc, memory, background, 0, 0, dpi, SRCCOPY);
    }

    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    HFONT font = linesFont(dpi);
    HGDIOBJ systemFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    const EvaluationLines lines = evaluationLines(gameState.scoreBasis, gameState.missCount);
    for (int i = 0; i < EvaluationLineCount; ++i) {
        const std::wstring line = wideText(lines[i].data());
        TextOutW(dc, scaled(EvaluationLineLeft, dpi), scaled(EvaluationLineTops[i], dpi),
                 line.c_str(), static_cast<int>(line.size()));
    }
    if (font != nullptr) {
        SelectObject(dc, systemFont);
        DeleteObject(font);
    }

    HBITMAP mask = bitmapOf(IDB_RANKMASK);
    HBITMAP brain =
        bitmapOf(rankPicture(evaluationTotal(gameState.scoreBasis, gameState.missCount)));
    if (mask != nullptr && brain != nullptr) {
        drawPicture(dc, memory, mask, EvaluationBrainLeft, EvaluationBrainTop, dpi, SRCAND);
        drawPicture(dc, memory, brain, EvaluationBrainLeft, EvaluationBrainTop, dpi, SRCPAINT);
    }

    SelectObject(memory, original);
    DeleteDC(memory);
    EndPaint(dialog, &ps);
}

} // namespace

INT_PTR CALLBACK evaluationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        loadBitmaps(pictureScale(dpiOfWindow(dialog)));
        return TRUE; // the platform gives the focus to the OK button
    case WM_PAINT:
        paint(dialog);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_EVALUATION_OK) {
            EndDialog(dialog, 1);
        }
        break;
    case WM_CLOSE:
        EndDialog(dialog, 1);
        break;
    case WM_DESTROY:
        // Nothing draws them once the dialog is gone; a new opening loads its own.
        releaseEvaluationBitmaps();
        break;
    }
    return FALSE;
}
