#include "settings/game_settings_dialog_win.h"

#include "resources/resource.h"
#include "settings/detail_settings_dialog_win.h"
#include "settings/grade_choice.h"
#include "settings/settings_state.h"
#include "common/dialog_win.h"
#include "common/text_win.h"

#include <cstdint>

namespace {

void fillGradeList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_GAMESETTINGS_GRADE);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const char* label : gradeLabels) {
        addListItem(list, label);
    }
    // Only the edit field shows the grade; no item is selected.
    const char* label = shownGradeLabel(gradeIndex);
    if (*label != '\0') {
        setWindowText(list, label);
    }
}

void takeChosenGrade(HWND dialog) {
    // The text in Shift-JIS, whatever was typed: its first byte chooses the grade.
    const std::string text = windowText(GetDlgItem(dialog, IDC_GAMESETTINGS_GRADE));
    gradeIndex = chosenGradeIndex(text.c_str(), gradeIndex);
}

} // namespace

INT_PTR CALLBACK gameSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        fillGradeList(dialog);
        return TRUE; // the focus goes to the first tab stop, the OK button
    case WM_COMMAND:
        // IDOK and IDCANCEL (Enter and Esc) are ignored on purpose: only OK and the caption
        // close this dialog.
        switch (LOWORD(wParam)) {
        case IDC_GAMESETTINGS_DETAIL:
            DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_DETAILSETTINGS), dialog,
                            detailSettingsDialogProc, 0);
            break;
        case IDC_GAMESETTINGS_OK:
            takeChosenGrade(dialog);
            EndDialog(dialog, 1);
            break;
        default:
            break;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 1); // the grade stays as it was
        return FALSE;
    case WM_PAINT:
        paintNothing(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
