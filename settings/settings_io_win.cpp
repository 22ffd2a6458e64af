#include "settings/settings_io_win.h"

#include "settings/grades.h"
#include "settings/settings_file.h"

#include <string>

const char SettingsTemporaryName[] = "setdata.ini.new";

void readSettings(HWND owner) {
    HANDLE file = CreateFileA(SettingsFileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxA(owner, "設定ファイルがありません", "リードエラー", MB_OK | MB_ICONWARNING);
        loadDefaultGrades();
        gradeIndex = 1;
        return;
    }
    // Read in pieces and stop at the 41st value, so a huge file costs no more than a small one.
    SettingsReader reader;
    char buffer[4096];
    DWORD got = 0;
    while (reader.wantsMore() && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        reader.feed(buffer, got);
    }
    CloseHandle(file);
    applySettingsValues(reader.finish());
}

namespace {

// A read-only setdata.ini is the player's wish that it stay as it is. Windows refuses to replace
// it, but not every implementation of MoveFileEx does, so ask first.
bool isReadOnly(const char* name) {
    const DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool writeWholeFile(const char* name, const std::string& content) {
    HANDLE file =
        CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool complete =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
        written == content.size() && FlushFileBuffers(file);
    CloseHandle(file);
    return complete;
}

} // namespace

void writeSettings(HWND owner) {
    // Truncating setdata.ini and writing it line by line would lose the player's settings to any
    // failure in between. The new content goes to a file beside it, and only a complete copy
    // replaces the old one, in one step.
    const std::string content = formatSettings(currentSettingsValues());
    if (!isReadOnly(SettingsFileName) && writeWholeFile(SettingsTemporaryName, content) &&
        MoveFileExA(SettingsTemporaryName, SettingsFileName,
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return;
    }
    DeleteFileA(SettingsTemporaryName);
    MessageBoxA(owner, "ファイルが書けません", "ライトエラー", MB_OK | MB_ICONWARNING);
}
