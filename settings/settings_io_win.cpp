#include "settings/settings_io_win.h"

#include "common/files_win.h"
#include "common/text_win.h"
#include "settings/grades.h"
#include "settings/save_cleanup.h"
#include "settings/settings_file.h"

#include <string>
#include <vector>

namespace {

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring settingsPath(const std::wstring& folder) {
    return folder + wideText(SettingsFileName);
}

// Names of one form, tried in turn from a number that differs from run to run, until one is
// free. With create, the free name's file is made at once (its handle is returned), so that it
// is this save's own; otherwise the name is only checked. Empty when the folder takes no new
// file or every name is taken.
std::wstring unusedName(const std::wstring& folder, std::string (*nameOf)(uint32_t),
                        HANDLE* create) {
    const DWORD first = GetTickCount() ^ GetCurrentProcessId();
    for (DWORD i = 0; i <= 0xFFFF; ++i) {
        const std::wstring path = folder + wideText(nameOf(first + i));
        if (create == nullptr) {
            if (!exists(path)) {
                return GetLastError() == ERROR_FILE_NOT_FOUND ? path : std::wstring();
            }
            continue;
        }
        *create = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (*create != INVALID_HANDLE_VALUE) {
            return path;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::wstring();
        }
    }
    return std::wstring();
}

bool writeAll(HANDLE file, const std::string& content) {
    DWORD written = 0;
    return WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

// For a folder that takes no new file: setdata.ini itself may still be writable. The new bytes go
// over the old ones from the start, and only then is the file cut at their end, so a write that
// fails (a full disk, a quota) leaves the old bytes behind whatever part of the new ones was
// written, never an empty file. This is not atomic: such a failure leaves a mixture, and the
// player is warned.
bool writeInPlace(const std::wstring& target, const std::string& content) {
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool complete = writeAll(file, content) && SetEndOfFile(file) && FlushFileBuffers(file);
    CloseHandle(file);
    return complete;
}

// Puts the complete temporary in the place of an existing target. The replace keeps what the
// player gave the old file (attributes, security settings); where the system still hands over the
// temporary's attributes, the player's are set back. Merge and ACL errors are ignored: on network
// shares permissions often cannot be merged, and Windows would otherwise refuse the whole
// replace (Wine ignores these flags).
bool replaceWith(const std::wstring& folder, const std::wstring& target,
                 const std::wstring& temporary, DWORD attributes) {
    const std::wstring backup = unusedName(folder, saveBackupName, nullptr);
    if (backup.empty()) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    const BOOL replaced = ReplaceFileW(
        target.c_str(), temporary.c_str(), backup.c_str(),
        REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr);
    const ReplaceResult result = replaceResultOf(replaced, GetLastError());
    const SaveCleanup cleanup =
        cleanupAfterReplace(result, {exists(target), exists(backup), exists(temporary)});
    // Where the old file cannot go back either, it waits under its backup name for the next start.
    if (cleanup.restoreBackup) {
        MoveFileExW(backup.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (cleanup.deleteBackup) {
        DeleteFileW(backup.c_str());
    }
    if (cleanup.deleteTemporary) {
        DeleteFileW(temporary.c_str());
    }
    if (result == ReplaceResult::Replaced && GetFileAttributesW(target.c_str()) != attributes) {
        SetFileAttributesW(target.c_str(), attributes);
    }
    return result == ReplaceResult::Replaced;
}

bool saveSettingsFile(const std::string& content) {
    const std::wstring folder = workingFolder();
    const std::wstring target = settingsPath(folder);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    // A read-only setdata.ini is the player's wish that it stay as it is. Windows refuses to
    // replace it, but not every implementation does, so ask first. The same for a folder of that
    // name: Wine's ReplaceFile moves it aside under another name rather than refusing.
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    HANDLE file = INVALID_HANDLE_VALUE;
    const std::wstring temporary = unusedName(folder, saveTemporaryName, &file);
    if (temporary.empty()) {
        return writeInPlace(target, content);
    }
    const bool complete = writeAll(file, content) && FlushFileBuffers(file);
    CloseHandle(file);
    if (complete) {
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return replaceWith(folder, target, temporary, attributes);
        }
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
    }
    DeleteFileW(temporary.c_str());
    return false;
}

HANDLE openSettings(const std::wstring& folder) {
    return CreateFileW(settingsPath(folder).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A save cut off between its two renames (the machine stopped, or the replace and putting the
// old file back both failed) leaves no setdata.ini and the old settings under a backup name: the
// last written of these goes back, never over a setdata.ini that has appeared meanwhile. Other
// backups and the temporaries of earlier saves stay as they are: whether such a file is whole
// cannot be told, and no file a save did not make in this run is removed.
void takeBackCutOffSave(const std::wstring& folder) {
    std::vector<FoundFile> found;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &data);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &data)) {
        found.push_back(
            {shiftJisText(data.cFileName), uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 |
                                               data.ftLastWriteTime.dwLowDateTime});
    }
    FindClose(search);
    const int chosen = backupToTakeBack(found);
    if (chosen >= 0) {
        MoveFileExW((folder + wideText(found[static_cast<std::size_t>(chosen)].name)).c_str(),
                    settingsPath(folder).c_str(), MOVEFILE_WRITE_THROUGH);
    }
}

} // namespace

void readSettings(HWND owner) {
    const std::wstring folder = workingFolder();
    HANDLE file = openSettings(folder);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
        takeBackCutOffSave(folder);
        file = openSettings(folder);
    }
    if (file == INVALID_HANDLE_VALUE) {
        showMessage(owner, "設定ファイルがありません", "リードエラー", MB_OK | MB_ICONWARNING);
        loadFactorySettings();
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

void writeSettings(HWND owner) {
    // Truncating setdata.ini and writing it line by line would lose the player's settings to any
    // failure in between. The new content goes to a file beside it, and only a complete copy
    // replaces the old one, in one step.
    if (!saveSettingsFile(formatSettings(currentSettingsValues()))) {
        showMessage(owner, "ファイルが書けません", "ライトエラー", MB_OK | MB_ICONWARNING);
    }
}
