#include "settings/detail_settings_dialog_win.h"

#include "resources/resource.h"
#include "settings/grade_choice.h"
#include "settings/settings_state.h"
#include "common/dialog_win.h"
#include "common/text_win.h"

namespace {

// The fields in the order of DetailFields.
constexpr int FieldIds[DetailFieldCount] = {IDC_DETAILSETTINGS_SYMBOLS, IDC_DETAILSETTINGS_SECONDS,
                                            IDC_DETAILSETTINGS_TRIES};

void showTexts(HWND dialog, const DetailTexts& texts) {
    for (int i = 0; i < DetailFieldCount; ++i) {
        setWindowText(GetDlgItem(dialog, FieldIds[i]), texts[i].data());
    }
}

void fillFields(HWND dialog) {
    for (const int id : FieldIds) {
        HWND list = GetDlgItem(dialog, id);
        SendMessageW(list, CB_RESETCONTENT, 0, 0);
        // The lists offer 1 to 9; anything else can still be typed.
        for (int32_t value = 1; value <= 9; ++value) {
            addListItem(list, numberText(value).data());
        }
    }
    showTexts(dialog, gradeRowTexts(0));
}

} // namespace

void switchEditedGrade(HWND dialog, int32_t loadIndex, int32_t saveIndex) {
    std::array<std::string, DetailFieldCount> typed;
    for (int i = 0; i < DetailFieldCount; ++i) {
        typed[i] = windowText(GetDlgItem(dialog, FieldIds[i]));
    }
    showTexts(dialog, switchGradeRows(loadIndex, saveIndex, typed));
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
