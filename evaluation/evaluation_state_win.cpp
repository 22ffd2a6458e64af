#include "evaluation/evaluation_state_win.h"

HBITMAP evaluationBitmaps[EvaluationBitmapCount] = {};

void releaseEvaluationBitmaps() {
    for (HBITMAP& bitmap : evaluationBitmaps) {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
}

void resetEvaluationState() {
    releaseEvaluationBitmaps();
}
