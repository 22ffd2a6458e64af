#include "evaluation/evaluation_state_win.h"

#include "evaluation/game_record.h"

HBITMAP evaluationBitmaps[EvaluationBitmapCount] = {};
int evaluationBitmapScale = 0;

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
    resetRecordState();
}
