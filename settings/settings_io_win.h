#pragma once

#include <windows.h>

// Fills the grade table and gradeIndex from setdata.ini in the working directory; without the
// file, warns (owned by owner) and uses the factory grades with 9級 chosen.
void readSettings(HWND owner);

// Saves the grade table and gradeIndex to setdata.ini; warns when it cannot, and then the old
// file is as it was.
void writeSettings(HWND owner);
