#include "settings/detail_settings_dialog_win.h"

#include "resources/resource.h"
#include "settings/grade_choice.h"
#include "settings/grades.h"
#include "settings/settings_state.h"
#include "common/dialog_win.h"
#include "common/text_win.h"

namespace {

// The three fields and what they show; every pass over them goes in this order.
struct Field {
    int id;
    int32_t GradeSetting::*value;
};
constexpr Field Fields[] = {
    {IDC_DETAILSETTINGS_SYMBOLS, &GradeSetting::symbolCount},
    {IDC_DETAILSETTINGS_SECONDS, &GradeSetting::showSeconds},
    {IDC_DETAILSETTINGS_TRIES, &GradeSetting::tryCount},
};

void setNumber(HWND dialog, int id, int32_t value) {
    setWindowText(GetDlgItem(dialog, id), numberText(value).data());
}

int32_t rowOrFirst(int32_t index) {
    return index < 0 || index >= GradeCount ? 0 : index;
}

void fillFields(HWND dialog) {
    for (const Field& field : Fields) {
        HWND list = GetDlgItem(dialog, field.id);
        SendMessageW(list, CB_RESETCONTENT, 0, 0);
        // The lists offer 1 to 9; anything else can still be typed.
        for (int32_t value = 1; value <= 9; ++value) {
            addListItem(list, numberText(value).data());
        }
        setNumber(dialog, field.id, gradeTable[0].*field.value);
    }
}

} // namespace

void switchEditedGrade(HWND dialog, int32_t loadIndex, int32_t saveIndex) {
    saveIndex = rowOrFirst(saveIndex);
    loadIndex = rowOrFirst(loadIndex);
    // Whatever was typed is stored as it reads; the game limits what it plays with.
    for (const Field& field : Fields) {
        // Nine bytes of the text, as the field always gave: digits past them are not read.
        const std::string text = windowText(GetDlgItem(dialog, field.id), 9);
        gradeTable[saveIndex].*field.value = parseInteger(text.c_str());
    }
    for (const Field& field : Fields) {
        setNumber(dialog, field.id, gradeTable[loadIndex].*field.value);
    }
}

INT_PTR CALLBACK detailSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        // Always opens on 10級, whatever grade is chosen for play.
        CheckRadioButton(dialog, IDC_DETAILSETTINGS_GRADE10, IDC_DETAILSETTINGS_GRADE1,
                         IDC_DETAILSETTINGS_GRADE10);
        fillFields(dialog);
        editingGrade = 0;
        return TRUE; // the focus goes to the first tab stop, the symbol count
    case WM_COMMAND: {
        // IDOK and IDCANCEL (Enter and Esc) are ignored on purpose: only OK and the caption
        // close this dialog.
        const int id = LOWORD(wParam);
        const int32_t grade = gradeOfRadio(id);
        if (grade >= 0) {
            switchEditedGrade(dialog, grade, editingGrade);
            editingGrade = grade;
        } else if (id == IDC_DETAILSETTINGS_OK) {
            switchEditedGrade(dialog, editingGrade, editingGrade);
            EndDialog(dialog, 1);
        }
        return FALSE;
    }
    case WM_CLOSE:
        EndDialog(dialog, 1); // typed text not yet stored is dropped
        return FALSE;
    case WM_PAINT:
        paintNothing(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
