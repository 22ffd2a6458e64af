#include "evaluation/evaluation_dialog_win.h"

#include "core/game_state.h"
#include "evaluation/evaluation_state_win.h"
#include "evaluation/score.h"
#include "resources/resource.h"

#include <cstring>

namespace {

constexpr int BackgroundSize = 300;
constexpr int BrainLeft = 70;
constexpr int BrainTop = 65;
constexpr int BrainWidth = 160;
constexpr int BrainHeight = 130;

HBITMAP bitmapOf(int resourceId) {
    return evaluationBitmaps[resourceId - IDB_BACKGROUND];
}

// The previous opening released its bitmaps when its dialog was destroyed.
void loadBitmaps() {
    for (int i = 0; i < EvaluationBitmapCount; ++i) {
        evaluationBitmaps[i] = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BACKGROUND + i),
                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
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
        BitBlt(dc, 0, 0, BackgroundSize, BackgroundSize, memory, 0, 0, SRCCOPY);
    }

    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    const EvaluationLines lines = evaluationLines(gameState.scoreBasis, gameState.missCount);
    for (int i = 0; i < EvaluationLineCount; ++i) {
        TextOutA(dc, EvaluationLineLeft, EvaluationLineTops[i], lines[i].data(),
                 static_cast<int>(std::strlen(lines[i].data())));
    }

    HBITMAP mask = bitmapOf(IDB_RANKMASK);
    HBITMAP brain =
        bitmapOf(rankPicture(evaluationTotal(gameState.scoreBasis, gameState.missCount)));
    if (mask != nullptr && brain != nullptr) {
        SelectObject(memory, mask);
        BitBlt(dc, BrainLeft, BrainTop, BrainWidth, BrainHeight, memory, 0, 0, SRCAND);
        SelectObject(memory, brain);
        BitBlt(dc, BrainLeft, BrainTop, BrainWidth, BrainHeight, memory, 0, 0, SRCPAINT);
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
