#include "common/text_win.h"

#include <vector>

namespace {

constexpr UINT ShiftJis = 932;

} // namespace

std::wstring wideText(std::string_view shiftJis) {
    const int size = static_cast<int>(shiftJis.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0'); // never more characters than bytes
    const int length = MultiByteToWideChar(ShiftJis, 0, shiftJis.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return wide;
}

namespace {

std::string narrowText(UINT codePage, std::wstring_view wide) {
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

} // namespace

std::string shiftJisText(std::wstring_view wide) {
    return narrowText(ShiftJis, wide);
}

std::string utf8Text(std::wstring_view wide) {
    return narrowText(CP_UTF8, wide);
}

void setWindowText(HWND window, std::string_view shiftJis) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wideText(shiftJis).c_str()));
}

std::string windowText(HWND window) {
    std::vector<wchar_t> wide(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1);
    const int length = GetWindowTextW(window, wide.data(), static_cast<int>(wide.size()));
    return shiftJisText({wide.data(), static_cast<std::size_t>(length)});
}

void addListItem(HWND comboBox, std::string_view shiftJis) {
    SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideText(shiftJis).c_str()));
}

int showMessage(HWND owner, std::string_view text, std::string_view caption, UINT style) {
    return MessageBoxW(owner, wideText(text).c_str(), wideText(caption).c_str(), style);
}
