// What a save does once the system has been asked to put the new settings file in the place of
// the old one, keeping a copy of the old under a backup name: whatever happened, setdata.ini ends
// holding the old settings or the new ones, never neither.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The names a save gives its files beside setdata.ini, from a number 0 to 0xFFFF: the temporary
// that holds the new settings until it takes the old file's place, and the backup that the old
// file is moved to meanwhile. The backup's name says what it is, so that a start after a save
// cut off between its two renames finds the old settings and nothing else.
std::string saveTemporaryName(uint32_t number); // "set1A2B.tmp"
std::string saveBackupName(uint32_t number);    // "setdata-backup-1A2B.ini"

enum class ReplaceResult {
    Replaced,
    FilesKeptTheirNames, // the old file could not be removed, or the new one not moved in
    OldFileAtBackup,     // the old file was moved to the backup name, the new one not moved in
    OtherFailure,
};

// A replace call's outcome from its result and the system's error code.
ReplaceResult replaceResultOf(bool succeeded, uint32_t error);

// Which of the three files exist once the call has returned.
struct SaveFiles {
    bool settings;
    bool backup;
    bool temporary;
};

struct SaveCleanup {
    bool restoreBackup; // move the backup back to setdata.ini, over whatever holds that name
    bool deleteBackup;
    bool deleteTemporary;
};

SaveCleanup cleanupAfterReplace(ReplaceResult result, SaveFiles there);

struct FoundFile {
    std::string name;
    uint64_t writeTime; // any unit in which later is larger
};

// Where setdata.ini is missing at start: the index in found (the files of its folder) of the
// backup to take back, the last written of those named as saveBackupName names them, in any
// case; -1 when there is none.
int backupToTakeBack(const std::vector<FoundFile>& found);
