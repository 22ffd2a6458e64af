// Stands in for the browser in tests: appends its command line to the file named by
// MABATAKIBAN_BROWSER_LOG and ends.
#include <windows.h>

#include <cstdio>

int main() {
    char logName[MAX_PATH] = {};
    if (GetEnvironmentVariableA("MABATAKIBAN_BROWSER_LOG", logName, MAX_PATH) == 0) {
        return 1;
    }
    FILE* log = std::fopen(logName, "ab");
    if (!log) {
        return 1;
    }
    std::fputs(GetCommandLineA(), log);
    std::fputs("\n", log);
    std::fclose(log);
    return 0;
}
