#pragma once

#include <windows.h>

// Fills the grade table and gradeIndex from setdata.ini in the working directory; without the
// file, warns (owned by owner) and uses the factory grades with 9級 chosen.
void readSettings(HWND owner);

// Saves the grade table and gradeIndex to setdata.ini; warns when it cannot.
void writeSettings(HWND owner);

// The name of the file a save is written to before it replaces setdata.ini.
extern const char SettingsTemporaryName[];
