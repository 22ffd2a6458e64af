#include "settings/grades.h"

#include "core/game.h"
#include "core/game_state.h"

#include <algorithm>
#include <iterator>

const GradeTable defaultGrades = {
    {3, 3, 3, 0}, {3, 3, 5, 0}, {3, 3, 7, 0}, {3, 3, 9, 0}, {5, 3, 5, 0},
    {5, 3, 9, 0}, {7, 3, 5, 0}, {7, 2, 9, 0}, {9, 2, 9, 0}, {9, 1, 9, 0},
};

void loadDefaultGrades() {
    std::copy(std::begin(defaultGrades), std::end(defaultGrades), gradeTable);
}

void loadFactorySettings() {
    loadDefaultGrades();
    gradeIndex = 1;
}

void derivePlayParameters() {
    // The file and the settings dialogs accept any integer, and both keep it as it is so that
    // nothing the player wrote is lost. What the game runs with is limited here instead:
    // - an index outside 0..9 plays the nearest grade rather than reading past the table;
    // - symbols and problems stay within the ten cells and ten problems that are generated;
    // - the display time is at least one second (a timer of 0 ms or less would race) and at
    //   most what still fits in 32 bits once multiplied by 1000.
    const GradeSetting& grade = gradeTable[std::clamp(gradeIndex, 0, GradeCount - 1)];
    gameState.tryCount = limitedProblems(grade.tryCount);
    gameState.symbolCount = limitedCells(grade.symbolCount);
    gameState.showMillis = limitedShowMillis(grade.showSeconds);
}

void onSettingsApplied() {
    derivePlayParameters();
}

int32_t parseInteger(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (isSettingsSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    uint32_t value = 0; // unsigned, so that overflow wraps instead of being undefined
    while (*p >= '0' && *p <= '9') {
        value = value * 10u + static_cast<uint32_t>(*p - '0');
        ++p;
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<int32_t>(value);
}
