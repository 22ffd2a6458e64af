#include "evaluation/evaluation_state_win.h"

HBITMAP evaluationBitmaps[EvaluationBitmapCount] = {};
int evaluationBitmapScale = 0;
std::string unwrittenRecordLines;

void releaseEvaluationBitmaps() {
    for (HBITMAP& bitmap : evaluationBitmaps) {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    evaluationBitmapScale = 0;
}

void resetEvaluationState() {
    releaseEvaluationBitmaps();
    unwrittenRecordLines.clear();
}
