#pragma once
// The automatic backup of the data folder (setting "5%&"): five weekday
// flags, the date of the last backup (ten characters), the backup folder.
#include <optional>
#include <string>
#include <vector>

#include "base/date.h"
#include "base/status.h"

namespace app {

struct BackupSetting {
    std::string flags;         // five "1"/"0" for Monday ... Friday
    base::Date lastDate;       // empty when absent or unreadable: never backed up
    std::string folder;        // blanks trimmed, read whole
};

BackupSetting parseBackupSetting(const std::string& value);
std::string formatBackupSetting(const BackupSetting& setting);
bool backupDue(const BackupSetting& setting, base::Date today);

// Copies the tables (with their memo, index and tag companions) and the
// .sdc files of `sourceFolder` into `setting.folder`. Returns the names that
// could not be copied (empty on full success).
std::vector<std::string> copyBackup(const std::string& sourceFolder, const std::string& targetFolder);

}  // namespace app
