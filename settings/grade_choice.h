// What the two settings dialogs make of their texts and buttons, kept apart from the dialogs so
// that it can be tested without windows.
#pragma once

#include "settings/settings_state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// What the dialogs read of a field's text: the nine bytes that a buffer of ten holds.
constexpr std::size_t DialogTextBytes = 9;

// The game settings dialog's list, one label per grade index. Each begins with the index digit,
// which is all that OK reads back.
extern const char* const gradeLabels[GradeCount];

// What the list's field shows when the dialog opens: the label of grade index, or nothing for an
// index the table does not have.
const char* shownGradeLabel(int32_t index);

// The grade OK takes from the list's text (Shift-JIS): the low four bits of its first byte (an
// empty text gives 0). Bytes whose low bits are 10 to 15 name no grade and leave `current` as it
// is.
int32_t chosenGradeIndex(const char* text, int32_t current);

// The grade index of a radio button of the detailed settings dialog, or -1 for any other id.
int32_t gradeOfRadio(int id);

// A value as the dialogs show it: "%d", in a buffer cleared before use.
using NumberText = std::array<char, 12>; // room for "-2147483648" and the terminator
NumberText numberText(int32_t value);

// The detailed settings dialog's three fields, in the order of every pass over them.
constexpr int DetailFieldCount = 3;
constexpr int32_t GradeSetting::*DetailFields[DetailFieldCount] = {
    &GradeSetting::symbolCount, &GradeSetting::showSeconds, &GradeSetting::tryCount};
using DetailTexts = std::array<NumberText, DetailFieldCount>;

// The fields' texts for row index of the grade table.
DetailTexts gradeRowTexts(int32_t index);

// The detailed settings dialog's switch between grades: the texts typed into the three fields
// (Shift-JIS; their first DialogTextBytes bytes, read as integers) are stored into row
// saveIndex, and the fields' texts for row loadIndex come back. An index outside the table
// stands for row 0.
DetailTexts switchGradeRows(int32_t loadIndex, int32_t saveIndex,
                            const std::array<std::string, DetailFieldCount>& typed);
