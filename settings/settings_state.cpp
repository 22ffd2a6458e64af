#include "settings/settings_state.h"

#include <algorithm>
#include <iterator>

GradeTable gradeTable{};
int32_t gradeIndex = 0;
int32_t editingGrade = 0;

void resetSettingsState() {
    std::fill(std::begin(gradeTable), std::end(gradeTable), GradeSetting{});
    gradeIndex = 0;
    editingGrade = 0;
}
