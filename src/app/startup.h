#pragma once
// Start-up and shutdown of the frame window as plain steps on a folder
// context: FormCreate, the first FormActivate and FormClose, in their fixed
// order, with their messages.
#include <memory>
#include <string>

#include "app/bootstrap.h"
#include "app/run_values.h"
#include "app/settings_store.h"
#include "app/startup_host.h"
#include "ui/messages.h"

namespace db {
class Table;
}

namespace app {

enum class StartOutcome { Continue, Terminate };

// The default data folder of a first start: the program drive (the home
// folder on this platform) + "\VLT_KADR\NET_KADR\".
std::string defaultDataFolder();

class Startup {
public:
    Startup(std::string workFolder, base::Date today, ui::Messages& messages, StartupHost& host);
    ~Startup();

    StartOutcome FormCreate();
    StartOutcome FirstActivate();
    void FormClose();

    const RunValues& values() const { return values_; }
    RunValues& values() { return values_; }
    const SettingsStore& settings() const { return store_; }
    Folders folders() const { return {values_.workFolder, values_.dataFolder}; }
    // True once start-up reached the working state (first activation done).
    bool working() const { return working_; }
    bool holdsLock() const { return sim_ != nullptr; }

private:
    std::string work(const std::string& name) const { return values_.workFolder + name; }
    std::string data(const std::string& name) const { return values_.dataFolder + name; }
    void writeFirstSettings();
    void readDataFolder();
    void readFont();
    void readAccountingMonth();
    bool networkCheck();
    void ensureDataCopyOfSettings(bool mayCreateFolder);
    bool dataFolderFound() const;
    void createWorkFiles(std::initializer_list<const char*> names);
    void removeStaleJournalLock();
    bool takeLock();
    void readOptionalModes();
    void autoBackup();
    void refreshSeniority();
    void checkHolidays();
    std::string organisationName() const;

    RunValues values_;
    ui::Messages& messages_;
    StartupHost& host_;
    SettingsStore store_;
    std::unique_ptr<db::Table> sim_;
    bool working_ = false;
};

}  // namespace app
