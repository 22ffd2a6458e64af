// Everything the evaluation dialog keeps for the whole run lives here.
#pragma once

#include <windows.h>

constexpr int EvaluationBitmapCount = 8;

// Entry i holds bitmap resource IDB_BACKGROUND + i: the background, the six brain pictures, then
// the mask. Filled at every opening of the dialog and released when it closes; null in between
// and wherever a bitmap failed to load.
extern HBITMAP evaluationBitmaps[EvaluationBitmapCount];
// The display scale, in percent, that the bitmaps held were drawn for; 0 while none are held.
extern int evaluationBitmapScale;

// Deletes every bitmap held and empties the table.
void releaseEvaluationBitmaps();

// Back to the start-of-run values of the evaluation: no bitmaps held (any held are released, so
// tests leave none), no record lines waiting.
void resetEvaluationState();
