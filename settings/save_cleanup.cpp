#include "settings/save_cleanup.h"

#include <cctype>
#include <cstdio>

namespace {

constexpr uint32_t UnableToRemoveReplaced = 1175;
constexpr uint32_t UnableToMoveReplacement = 1176;
constexpr uint32_t UnableToMoveReplacement2 = 1177;

constexpr char BackupStart[] = "setdata-backup-";
constexpr char BackupEnd[] = ".ini";

std::string hexNumber(uint32_t number) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(number & 0xFFFF));
    return text;
}

// The file system may give the name in other letter cases than the save wrote it.
bool isBackupName(const std::string& name) {
    const std::string form = saveBackupName(0); // its '0's stand for the hexadecimal digits
    if (name.size() != form.size()) {
        return false;
    }
    for (std::size_t i = 0; i < form.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (form[i] == '0' ? !std::isxdigit(c) : std::tolower(c) != form[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string saveTemporaryName(uint32_t number) {
    return "set" + hexNumber(number) + ".tmp";
}

std::string saveBackupName(uint32_t number) {
    return BackupStart + hexNumber(number) + BackupEnd;
}

int backupToTakeBack(const std::vector<FoundFile>& found) {
    int chosen = -1;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (isBackupName(found[i].name) &&
            (chosen < 0 ||
             found[i].writeTime > found[static_cast<std::size_t>(chosen)].writeTime)) {
            chosen = static_cast<int>(i);
        }
    }
    return chosen;
}

ReplaceResult replaceResultOf(bool succeeded, uint32_t error) {
    if (succeeded) {
        return ReplaceResult::Replaced;
    }
    switch (error) {
    case UnableToRemoveReplaced:
    case UnableToMoveReplacement:
        return ReplaceResult::FilesKeptTheirNames;
    case UnableToMoveReplacement2:
        return ReplaceResult::OldFileAtBackup;
    default:
        return ReplaceResult::OtherFailure;
    }
}

SaveCleanup cleanupAfterReplace(ReplaceResult result, SaveFiles there) {
    if (result == ReplaceResult::Replaced) {
        return {false, there.backup, there.temporary};
    }
    // The backup exists only if the call moved the old file there: its name was free before. It
    // goes back where the system says so, and wherever setdata.ini is missing, whatever the
    // error said (implementations differ in what they leave). Otherwise it stays: it may be the
    // only copy of the old settings. The temporary holds only the new ones, which were not saved.
    const bool restore =
        there.backup && (result == ReplaceResult::OldFileAtBackup || !there.settings);
    return {restore, false, there.temporary};
}
