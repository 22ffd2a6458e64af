// Everything the settings keep for the whole run lives here.
#pragma once

#include <cstdint>

struct GradeSetting {
    int32_t symbolCount;
    int32_t showSeconds;
    int32_t tryCount;
    int32_t reserved; // kept in the file, read by nothing
};

constexpr int32_t GradeCount = 10;

// Index 0 is 10級, the easiest; index 9 is 1級, the hardest.
using GradeTable = GradeSetting[GradeCount];

extern GradeTable gradeTable;
extern int32_t gradeIndex;   // the grade chosen for play
extern int32_t editingGrade; // the grade the detailed settings dialog shows

// Back to the start-of-run values: everything zero.
void resetSettingsState();
