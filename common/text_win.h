// Where the program's texts meet Windows. The texts are Shift-JIS (code page 932) on every system;
// they become UTF-16 here, converted from 932 explicitly rather than from the system's code page,
// so a player reads the same Japanese whatever the language settings. What Windows hands back
// becomes Shift-JIS again before any rule looks at its bytes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring wideText(std::string_view shiftJis);
// Characters that Shift-JIS lacks become '?', as a Japanese system would make them.
std::string shiftJisText(std::wstring_view wide);
std::string utf8Text(std::wstring_view wide);

void setWindowText(HWND window, std::string_view shiftJis);
// The window's text in Shift-JIS; the rules that read it take what they read of it.
std::string windowText(HWND window);
void addListItem(HWND comboBox, std::string_view shiftJis);
int showMessage(HWND owner, std::string_view text, std::string_view caption, UINT style);
