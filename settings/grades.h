// The grade table's factory values, the play parameters derived from the chosen grade, and the
// integer conversion that both the settings file and the settings dialogs use.
#pragma once

#include "settings/settings_state.h"

#include <cstdint>

extern const GradeTable defaultGrades;

// Sets every row of the table to the factory values; gradeIndex is left alone.
void loadDefaultGrades();

// What a start without a settings file plays: the factory grades with 9級 (index 1) chosen.
void loadFactorySettings();

// Sets the game's play parameters from the chosen grade.
void derivePlayParameters();

// The settings have been read at start, applied from a file, or closed in the game settings
// dialog (either way): play follows them from now on. Both front ends call this there, never the
// derivation itself; it derives the play parameters again at once, so a game under way goes on
// with them.
void onSettingsApplied();

// Leading whitespace, an optional sign, decimal digits in wrapping 32-bit arithmetic; the first
// other byte ends the number, and text without digits gives 0.
int32_t parseInteger(const char* text);

inline bool isSettingsSpace(unsigned char c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20;
}
