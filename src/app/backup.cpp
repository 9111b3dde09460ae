#include "app/backup.h"

#include "base/file_ops.h"
#include "base/path_resolver.h"
#include "base/text_trim.h"

namespace app {

namespace {

// "dd.mm.yyyy" or "dd/mm/yyyy".
base::Date readStoredDate(std::string text) {
    for (char& c : text)
        if (c == '/') c = '.';
    const auto d = base::Date::parse(base::trimBlanks(text));
    return d ? *d : base::Date();
}

}  // namespace

BackupSetting parseBackupSetting(const std::string& value) {
    BackupSetting s;
    s.flags = value.substr(0, 5);
    if (value.size() > 5) s.lastDate = readStoredDate(value.substr(5, 10));
    if (value.size() > 15) s.folder = base::trimBlanks(value.substr(15));
    return s;
}

std::string formatBackupSetting(const BackupSetting& setting) {
    std::string flags = setting.flags;
    flags.resize(5, '0');
    std::string date = setting.lastDate.isEmpty() ? std::string(10, ' ') : setting.lastDate.text();
    return flags + date + setting.folder;
}

bool backupDue(const BackupSetting& setting, base::Date today) {
    const int wd = today.weekday();
    if (setting.flags.find('1') == std::string::npos || wd > 5) return false;
    if (int(setting.flags.size()) < wd || setting.flags[wd - 1] != '1') return false;
    return setting.lastDate.isEmpty() || today > setting.lastDate;
}

std::vector<std::string> copyBackup(const std::string& sourceFolder, const std::string& targetFolder) {
    std::vector<std::string> failed;
    const std::string target = base::withTrailingSeparator(targetFolder);
    if (!base::folderExists(target) && !base::makeFolders(target)) {
        failed.push_back(targetFolder);
        return failed;
    }
    for (const char* mask : {"*.dbf", "*.sdc", "*.dbt", "*.fpt", "*.mdx", "*.cdx", "*.tags"}) {
        for (const std::string& name : base::listFiles(sourceFolder, mask))
            if (!base::copyFile(sourceFolder + name, target + name)) failed.push_back(name);
    }
    return failed;
}

}  // namespace app
