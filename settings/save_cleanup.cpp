#include "settings/save_cleanup.h"

namespace {

constexpr uint32_t UnableToRemoveReplaced = 1175;
constexpr uint32_t UnableToMoveReplacement = 1176;
constexpr uint32_t UnableToMoveReplacement2 = 1177;

} // namespace

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
