#include "settings/grade_choice.h"

#include "resources/resource.h"

#include <cstdio>

const char* const gradeLabels[GradeCount] = {
    "0:10級", "1:９級", "2:８級", "3:７級", "4:６級",
    "5:５級", "6:４級", "7:３級", "8:２級", "9:１級",
};

int32_t chosenGradeIndex(const char* text, int32_t current) {
    const int32_t chosen = static_cast<unsigned char>(text[0]) & 0x0F;
    // A colon, a question mark or the letters J to O would give 10 to 15, past the last row of
    // the table. Such a text is taken as no choice at all: the grade stays what it was, as if
    // the dialog had been closed.
    return chosen < GradeCount ? chosen : current;
}

// 10級 has its own id; 9級 to 1級 follow one another after the labels, lists and group box, so
// their index is an offset from 9級.
constexpr bool inNineToOne(int id) {
    return id >= IDC_DETAILSETTINGS_GRADE9 && id <= IDC_DETAILSETTINGS_GRADE1;
}
static_assert(IDC_DETAILSETTINGS_GRADE8 == IDC_DETAILSETTINGS_GRADE9 + 1 &&
                  IDC_DETAILSETTINGS_GRADE7 == IDC_DETAILSETTINGS_GRADE9 + 2 &&
                  IDC_DETAILSETTINGS_GRADE6 == IDC_DETAILSETTINGS_GRADE9 + 3 &&
                  IDC_DETAILSETTINGS_GRADE5 == IDC_DETAILSETTINGS_GRADE9 + 4 &&
                  IDC_DETAILSETTINGS_GRADE4 == IDC_DETAILSETTINGS_GRADE9 + 5 &&
                  IDC_DETAILSETTINGS_GRADE3 == IDC_DETAILSETTINGS_GRADE9 + 6 &&
                  IDC_DETAILSETTINGS_GRADE2 == IDC_DETAILSETTINGS_GRADE9 + 7 &&
                  IDC_DETAILSETTINGS_GRADE1 == IDC_DETAILSETTINGS_GRADE9 + 8,
              "9級 to 1級 are contiguous and ascend with the grade index");
static_assert(!inNineToOne(IDC_DETAILSETTINGS_GRADE10) &&
                  !inNineToOne(IDC_DETAILSETTINGS_SYMBOLS) &&
                  !inNineToOne(IDC_DETAILSETTINGS_SYMBOLS_LABEL) &&
                  !inNineToOne(IDC_DETAILSETTINGS_SECONDS_LABEL) &&
                  !inNineToOne(IDC_DETAILSETTINGS_TRIES_LABEL) &&
                  !inNineToOne(IDC_DETAILSETTINGS_SECONDS) &&
                  !inNineToOne(IDC_DETAILSETTINGS_GROUP) &&
                  !inNineToOne(IDC_DETAILSETTINGS_TRIES) && !inNineToOne(IDC_DETAILSETTINGS_OK),
              "no other control of the dialog falls among 9級 to 1級");

int32_t gradeOfRadio(int id) {
    if (id == IDC_DETAILSETTINGS_GRADE10) {
        return 0;
    }
    if (inNineToOne(id)) {
        return id - IDC_DETAILSETTINGS_GRADE9 + 1;
    }
    return -1;
}

NumberText numberText(int32_t value) {
    NumberText text{};
    std::snprintf(text.data(), text.size(), "%d", static_cast<int>(value));
    return text;
}
