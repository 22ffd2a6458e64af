#include "shell/toolbar_win.h"

#include "common/display_scale.h"
#include "common/text_win.h"
#include "core/board.h"
#include "resources/resource.h"
#include "shell/shell_state_win.h"
#include "shell/shell_texts.h"

#include <iterator>
#include <utility>

namespace {

constexpr DWORD ToolbarStyle =
    WS_CHILD | WS_VISIBLE | CCS_ADJUSTABLE | TBSTYLE_TOOLTIPS | TBSTYLE_ALTDRAG;
constexpr int ToolbarImageSize = 32; // at 96 dots an inch
constexpr int SeparatorWidth = 8;
// Inserting at these positions, in this order, splits the seven buttons into three groups.
constexpr int SeparatorPositions[] = {2, 3, 4, 5, 8, 9, 10, 11};

HINSTANCE windowInstance(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

// The seven images of the strip drawn for the scale nearest dpi, at their own size: a picture
// stretched to a scale comes out blurred or blocky. The strip's classic button colours are mapped
// to the system's and its button face made transparent, as the toolbar does with a strip it
// loads itself.
HIMAGELIST stripImages(HINSTANCE instance, int dpi) {
    const int percent = pictureScale(dpi);
    const int size = scaled(ToolbarImageSize, percent * DesignDpi / 100);
    HIMAGELIST images =
        ImageList_Create(size, size, ILC_COLORDDB | ILC_MASK, ToolbarButtonCount, 0);
    HBITMAP strip =
        CreateMappedBitmap(instance, pictureAtScale(IDB_TOOLBAR, percent), 0, nullptr, 0);
    ImageList_AddMasked(images, strip, GetSysColor(COLOR_BTNFACE));
    DeleteObject(strip);
    return images;
}

// The control's own padding and margins make it taller than the board leaves room for (under
// Wine 44 pixels at 96 dpi, over a board that starts at 40): the buttons give up the difference
// from their padding above and below the image, so that no row of the board is covered.
void fitAboveBoard(HWND toolbar, int dpi) {
    RECT bar;
    GetWindowRect(toolbar, &bar);
    const int excess = bar.bottom - bar.top - scaled(BoardTop, dpi);
    if (excess <= 0) {
        return;
    }
    const DWORD padding = static_cast<DWORD>(SendMessageW(toolbar, TB_GETPADDING, 0, 0));
    const int height = HIWORD(padding) > excess ? HIWORD(padding) - excess : 0;
    SendMessageW(toolbar, TB_SETPADDING, 0, MAKELPARAM(LOWORD(padding), height));
    const DWORD size = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(LOWORD(size), HIWORD(size) - excess));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

} // namespace

void buildToolbar(HWND window, int dpi) {
    HINSTANCE instance = windowInstance(window);
    InitCommonControls();
    toolbarWindow = CreateToolbarEx(window, ToolbarStyle, IDC_TOOLBAR, 0, nullptr, 0,
                                    toolbarButtons, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
    toolbarImages = stripImages(instance, dpi);
    SendMessageW(toolbarWindow, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbarImages));
    SendMessageW(toolbarWindow, TB_ADDBUTTONSW, ToolbarButtonCount,
                 reinterpret_cast<LPARAM>(toolbarButtons));
    SendMessageW(toolbarWindow, TB_AUTOSIZE, 0, 0);
    // A separator's image index is its width; the toolbar's own is the design's at 96 dpi.
    TBBUTTON separator = separatorButton;
    separator.iBitmap = scaled(SeparatorWidth, dpi);
    for (int position : SeparatorPositions) {
        SendMessageW(toolbarWindow, TB_INSERTBUTTONW, position,
                     reinterpret_cast<LPARAM>(&separator));
    }
    fitAboveBoard(toolbarWindow, dpi);
}

void releaseToolbar() {
    DestroyWindow(std::exchange(toolbarWindow, nullptr));
    ImageList_Destroy(std::exchange(toolbarImages, nullptr));
}

void onToolTipText(HWND window, TOOLTIPTEXTW* record) {
    record->hinst = windowInstance(window);
    // Ids past the range of int are no command either.
    const UINT_PTR id = record->hdr.idFrom;
    const char* text = id <= CMD_EXIT ? commandToolTip(static_cast<int>(id)) : nullptr;
    if (text != nullptr) {
        // The record's own buffer holds the text (every tooltip is far shorter than it).
        const std::wstring tip = wideText(text);
        record->szText[tip.copy(record->szText, std::size(record->szText) - 1)] = L'\0';
        record->lpszText = record->szText;
    }
}
