#include "settings/settings_io_win.h"

#include "settings/grades.h"
#include "settings/settings_file.h"

#include <string>

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

bool writeAll(HANDLE file, const std::string& content) {
    DWORD written = 0;
    return WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size() && FlushFileBuffers(file);
}

// Writes content over whatever the file held; an existing file keeps its attributes.
// disposition says whether the file may be created.
bool overwrite(const char* name, const std::string& content, DWORD disposition) {
    HANDLE file =
        CreateFileA(name, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool complete = SetEndOfFile(file) && writeAll(file, content);
    CloseHandle(file);
    return complete;
}

// Puts the complete temporary in the place of target. An existing target is replaced so that it
// keeps what the player gave it (attributes, and on Windows its security settings); where the
// system still hands over the temporary's attributes, the player's are set back.
bool replaceWith(const char* target, const char* temporary, DWORD targetAttributes) {
    if (targetAttributes == INVALID_FILE_ATTRIBUTES) {
        return MoveFileExA(temporary, target, MOVEFILE_WRITE_THROUGH);
    }
    char fullTarget[MAX_PATH];
    char fullTemporary[MAX_PATH];
    // ReplaceFile wants full paths.
    const DWORD targetLength = GetFullPathNameA(target, MAX_PATH, fullTarget, nullptr);
    const DWORD temporaryLength = GetFullPathNameA(temporary, MAX_PATH, fullTemporary, nullptr);
    if (targetLength == 0 || targetLength >= MAX_PATH || temporaryLength == 0 ||
        temporaryLength >= MAX_PATH ||
        !ReplaceFileA(fullTarget, fullTemporary, nullptr, 0, nullptr, nullptr)) {
        return false;
    }
    if (GetFileAttributesA(target) != targetAttributes) {
        SetFileAttributesA(target, targetAttributes);
    }
    return true;
}

bool saveSettingsFile(const std::string& content) {
    const DWORD attributes = GetFileAttributesA(SettingsFileName);
    // A read-only setdata.ini is the player's wish that it stay as it is. Windows refuses to
    // replace it, but not every implementation does, so ask first. The same for a folder of that
    // name: Wine's ReplaceFile moves it aside under another name rather than refusing.
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    // A name of its own, so that no file of the player's can be taken for the temporary, and
    // only what this save created is ever deleted.
    char temporary[MAX_PATH] = {};
    if (GetTempFileNameA(".", "set", 0, temporary) == 0 ||
        GetFileAttributesA(temporary) == INVALID_FILE_ATTRIBUTES) {
        // The folder takes no new file; setdata.ini itself may still be writable, as it was
        // before saves went through a temporary.
        return overwrite(SettingsFileName, content, OPEN_ALWAYS);
    }
    if (overwrite(temporary, content, OPEN_EXISTING) &&
        replaceWith(SettingsFileName, temporary, attributes)) {
        return true;
    }
    DeleteFileA(temporary);
    return false;
}

} // namespace

void writeSettings(HWND owner) {
    // Truncating setdata.ini and writing it line by line would lose the player's settings to any
    // failure in between. The new content goes to a file beside it, and only a complete copy
    // replaces the old one, in one step.
    if (!saveSettingsFile(formatSettings(currentSettingsValues()))) {
        MessageBoxA(owner, "ファイルが書けません", "ライトエラー", MB_OK | MB_ICONWARNING);
    }
}
