// What the two settings dialogs make of their texts and buttons, kept apart from the dialogs so
// that it can be tested without windows.
#pragma once

#include "settings/settings_state.h"

#include <array>
#include <cstdint>

// The game settings dialog's list, one label per grade index. Each begins with the index digit,
// which is all that OK reads back.
extern const char* const gradeLabels[GradeCount];

// The grade OK takes from the list's text: the low four bits of its first byte (an empty text
// gives 0). Bytes whose low bits are 10 to 15 name no grade and leave `current` as it is.
int32_t chosenGradeIndex(const char* text, int32_t current);

// The grade index of a radio button of the detailed settings dialog, or -1 for any other id.
int32_t gradeOfRadio(int id);

// A value as the dialogs show it: "%d", in a buffer cleared before use.
using NumberText = std::array<char, 12>; // room for "-2147483648" and the terminator
NumberText numberText(int32_t value);
