// Where the program keeps its files: setdata.ini and record.csv, in the working folder.
#pragma once

#include <string>

// The working folder, ending in '\'. Where a file in it would pass MAX_PATH, in the "\\?\" form,
// in which paths of any length work: a folder the game can run from always takes its files.
std::wstring workingFolder();
