// What a save does once the system has been asked to put the new settings file in the place of
// the old one, keeping a copy of the old under a backup name: whatever happened, setdata.ini ends
// holding the old settings or the new ones, never neither.
#pragma once

#include <cstdint>

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
