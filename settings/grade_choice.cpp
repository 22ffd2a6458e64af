#include "settings/grade_choice.h"

#include "resources/resource.h"
#include "settings/grades.h"

#include <cstdio>

const char* const gradeLabels[GradeCount] = {
    "0:10級", "1:９級", "2:８級", "3:７級", "4:６級",
    "5:５級", "6:４級", "7:３級", "8:２級", "9:１級",
};

const char* shownGradeLabel(int32_t index) {
    return static_cast<uint32_t>(index) < static_cast<uint32_t>(GradeCount) ? gradeLabels[index]
                                                                            : "";
}

int32_t chosenGradeIndex(const char* text, int32_t current) {
    const int32_t chosen = static_cast<unsigned char>(text[0]) & 0x0F;
    // A colon, a question mark or the letters J to O would give 10 to 15, past the last row of
    // the table. Such a text is taken as no choice at all: the grade stays what it was, as if
    // the dialog had been closed.
    return chosen < GradeCount ? chosen : current;
}

namespace {
// The radio button of each grade index; their ids are not contiguous.
constexpr int GradeRadios[GradeCount] = {
    IDC_DETAILSETTINGS_GRADE10, IDC_DETAILSETTINGS_GRADE9, IDC_DETAILSETTINGS_GRADE8,
    IDC_DETAILSETTINGS_GRADE7,  IDC_DETAILSETTINGS_GRADE6, IDC_DETAILSETTINGS_GRADE5,
    IDC_DETAILSETTINGS_GRADE4,  IDC_DETAILSETTINGS_GRADE3, IDC_DETAILSETTINGS_GRADE2,
    IDC_DETAILSETTINGS_GRADE1,
};
} // namespace

int32_t gradeOfRadio(int id) {
    for (int32_t grade = 0; grade < GradeCount; ++grade) {
        if (GradeRadios[grade] == id) {
            return grade;
        }
    }
    return -1;
}

NumberText numberText(int32_t value) {
    NumberText text{};
    std::snprintf(text.data(), text.size(), "%d", static_cast<int>(value));
    return text;
}

namespace {

int32_t rowOrFirst(int32_t index) {
    return index < 0 || index >= GradeCount ? 0 : index;
}

} // namespace

DetailTexts gradeRowTexts(int32_t index) {
    DetailTexts texts;
    for (int i = 0; i < DetailFieldCount; ++i) {
        texts[i] = numberText(gradeTable[rowOrFirst(index)].*DetailFields[i]);
    }
    return texts;
}

DetailTexts switchGradeRows(int32_t loadIndex, int32_t saveIndex,
                            const std::array<std::string, DetailFieldCount>& typed) {
    // Whatever was typed is stored as it reads; the game limits what it plays with.
    for (int i = 0; i < DetailFieldCount; ++i) {
        const std::string text = typed[i].substr(0, DialogTextBytes);
        gradeTable[rowOrFirst(saveIndex)].*DetailFields[i] = parseInteger(text.c_str());
    }
    return gradeRowTexts(loadIndex);
}
