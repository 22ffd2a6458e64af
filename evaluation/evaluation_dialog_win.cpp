#include "evaluation/evaluation_dialog_win.h"

#include "core/game_state.h"
#include "evaluation/evaluation_state_win.h"
#include "evaluation/score.h"
#include "resources/resource.h"
#include "common/text_win.h"

namespace {

HBITMAP bitmapOf(int resourceId) {
    return evaluationBitmaps[resourceId - IDB_BACKGROUND];
}

// The previous opening released its bitmaps when its dialog was destroyed.
void loadBitmaps() {
    for (int i = 0; i < EvaluationBitmapCount; ++i) {
        evaluationBitmaps[i] = static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BACKGROUND + i),
                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
}

// The lines are drawn in the system font, as the dialog's paint gets it. Where that font is not a
// Japanese one, a font like the Japanese system font is asked for instead (18 pixels at 96 dots
// an inch, 8 wide, normal weight, in the Japanese character set), so the lines read as they do on
// a Japanese system; there nothing changes. Null when the system font will do.
HFONT japaneseLinesFont(HDC dc) {
    LOGFONTW system{};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system);
    if (system.lfCharSet == SHIFTJIS_CHARSET) {
        return nullptr;
    }
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    return CreateFontW(MulDiv(18, dpi, 96), MulDiv(8, dpi, 96), 0, 0, FW_NORMAL, 0, 0, 0,
                       SHIFTJIS_CHARSET, 0, 0, 0, 0, L"System");
}

// A bitmap that failed to load is left out, and the dialog's erased background shows in its
// place. The brain is composed only when both the mask and its picture are there: the mask alone
// would punch a black hole into the head, the picture alone would be ORed onto the skin.
void paint(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    HDC memory = CreateCompatibleDC(nullptr);
    // Put back before deleting the context, so no bitmap stays selected after the paint.
    HGDIOBJ original = GetCurrentObject(memory, OBJ_BITMAP);

    if (HBITMAP background = bitmapOf(IDB_BACKGROUND)) {
        SelectObject(memory, background);
        BitBlt(dc, 0, 0, EvaluationBackgroundSize, EvaluationBackgroundSize, memory, 0, 0, SRCCOPY);
    }

    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    HFONT font = japaneseLinesFont(dc);
    HGDIOBJ systemFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    const EvaluationLines lines = evaluationLines(gameState.scoreBasis, gameState.missCount);
    for (int i = 0; i < EvaluationLineCount; ++i) {
        const std::wstring line = wideText(lines[i].data());
        TextOutW(dc, EvaluationLineLeft, EvaluationLineTops[i], line.c_str(),
                 static_cast<int>(line.size()));
    }
    if (font != nullptr) {
        SelectObject(dc, systemFont);
        DeleteObject(font);
    }

    HBITMAP mask = bitmapOf(IDB_RANKMASK);
    HBITMAP brain =
        bitmapOf(rankPicture(evaluationTotal(gameState.scoreBasis, gameState.missCount)));
    if (mask != nullptr && brain != nullptr) {
        SelectObject(memory, mask);
        BitBlt(dc, EvaluationBrainLeft, EvaluationBrainTop, EvaluationBrainWidth,
               EvaluationBrainHeight, memory, 0, 0, SRCAND);
        SelectObject(memory, brain);
        BitBlt(dc, EvaluationBrainLeft, EvaluationBrainTop, EvaluationBrainWidth,
               EvaluationBrainHeight, memory, 0, 0, SRCPAINT);
    }

    SelectObject(memory, original);
    DeleteDC(memory);
    EndPaint(dialog, &ps);
}

} // namespace

INT_PTR CALLBACK evaluationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        loadBitmaps();
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
