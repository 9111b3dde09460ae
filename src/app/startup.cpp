#include "app/startup.h"

#include <chrono>
#include <filesystem>

#include "app/backup.h"
#include "app/seniority.h"
#include "app/startup_checks.h"
#include "app/text_file.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/path_resolver.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "base/text_trim.h"

namespace app {

namespace {

// The documents journal's creation lock is only ever held for a moment; one
// older than this was left by a workstation that stopped while holding it.
constexpr auto kStaleJournalLock = std::chrono::minutes(10);

std::string withBackslash(std::string folder) {
    folder = base::trimBlanks(folder);
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

}  // namespace

std::string defaultDataFolder() { return "C:\\VLT_KADR\\NET_KADR\\"; }

Startup::Startup(std::string workFolder, base::Date today, ui::Messages& messages, StartupHost& host)
    : messages_(messages), host_(host), store_(workFolder, messages) {
    values_.workFolder = base::withTrailingSeparator(std::move(workFolder));
    values_.today = today;
}

Startup::~Startup() = default;

void Startup::readDataFolder() { values_.dataFolder = withBackslash(store_.ReadSetup("S%&")); }

void Startup::ensureDataCopyOfSettings(bool mayCreateFolder) {
    if (values_.dataFolder.empty() || base::fileExists(data("setup.sdc"))) return;
    // The default folder of a first start is ours to make; a network path is
    // not (creating it locally would hide an unmounted share).
    if (mayCreateFolder && values_.dataFolder == defaultDataFolder() && !base::folderExists(values_.dataFolder))
        base::makeFolders(values_.dataFolder);
    base::copyFile(store_.path(), data("setup.sdc"));  // a failed copy is caught by the network check
}

bool Startup::dataFolderFound() const {
    return !values_.dataFolder.empty() && base::fileExists(data("setup.sdc"));
}

void Startup::createWorkFiles(std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (!base::fileExists(work(name))) WriteTextFile(work(name), "");
}

void Startup::removeStaleJournalLock() {
    if (values_.dataFolder.empty()) return;
    const std::string path = base::resolvePath(data("add_doc"));
    std::error_code ec;
    const auto stamp = std::filesystem::last_write_time(path, ec);
    if (ec) return;
    if (std::filesystem::file_time_type::clock::now() - stamp > kStaleJournalLock) std::filesystem::remove(path, ec);
}

bool Startup::takeLock() {
    if (!base::fileExists(work("SIM.DBF")) && !createIfMissing(values_.workFolder, simTable())) return false;
    auto opened = db::Table::open(work("sim.dbf"), db::OpenMode::Exclusive);
    if (!opened) return false;
    sim_ = std::move(*opened);
    if (sim_->isEmpty()) {
        if (sim_->append() && sim_->setText("FILE_N", "ZASTAVK.JPG")) {
            const int d = sim_->fieldIndex("D_BEG");
            if (d >= 0) sim_->setDate(d, values_.today);
            sim_->post();
        }
    }
    return true;
}

void Startup::readOptionalModes() {
    // Read in this order; an empty one is stored as "0".
    struct Mode {
        const char* marker;
        std::string* value;
    } modes[] = {{"PV2", &values_.complexCalendars},
                 {"PV1", &values_.vacancies},
                 {"PV4", &values_.salary},
                 {"PV7", &values_.settingsLock}};
    for (Mode& m : modes) {
        std::string v = store_.ReadSetup(m.marker);
        if (v.empty()) {
            store_.WriteSetup(m.marker, "0");
            v = "0";
        }
        *m.value = v;
    }
    if (!values_.mainWorkstation()) values_.settingsLock = "1";  // for this run only, not stored
}

void Startup::autoBackup() {
    const std::string stored = store_.ReadSetup("5%&");
    if (stored.empty()) return;
    BackupSetting setting = parseBackupSetting(stored);
    if (!backupDue(setting, values_.today) || setting.folder.empty()) return;
    const std::string source = values_.dataFolder.empty() ? values_.workFolder : values_.dataFolder;
    host_.setBusy(true);
    const std::vector<std::string> failed = copyBackup(source, setting.folder);
    host_.setBusy(false);
    if (!failed.empty()) {
        std::string names;
        for (const std::string& n : failed) names += (names.empty() ? "" : ", ") + n;
        if (names.size() > 60) names = names.substr(0, 57) + "...";
        messages_.soob(" Архивная копия не сделана "_cp, " Не скопированы: "_cp + names,
                       " Проверьте папку архива "_cp);
        return;  // the date stays, so the next start tries again
    }
    setting.lastDate = values_.today;
    store_.WriteSetup("5%&", formatBackupSetting(setting));
}

void Startup::refreshSeniority() {
    if (!values_.mainWorkstation()) return;
    host_.setBusy(true);
    app::refreshSeniority(data("DANN.DBF"), values_.today);
    host_.setBusy(false);
}

void Startup::writeFirstSettings() {
    // One entry per line, as successive WriteSetup calls would leave them.
    const AccountingMonth now = accountingMonthFrom("", values_.today);
    WriteTextFile(store_.path(), "!l!" + now.stored() + "!l!\r\n!S8Default!S8\r\niNDiND\r\nS%&" +
                                     defaultDataFolder() + "S%&\r\n!!!1!!!");
}

void Startup::readFont() {
    values_.fontName = store_.ReadSetup("!S8");
    if (values_.fontName.empty()) {
        values_.fontName = "MS Sans Serif";
        store_.WriteSetup("!S8", values_.fontName);
    }
    values_.fontSize = fontSizeFrom(store_.ReadSetup("!S9"));
}

void Startup::readAccountingMonth() {
    const std::string month = store_.ReadSetup("!l!");
    if (base::trimBlanks(month.substr(0, 2)).empty()) {
        values_.month = accountingMonthFrom("", values_.today);
        store_.WriteSetup("!l!", values_.month.stored());
    } else {
        values_.month = accountingMonthFrom(month, values_.today);
    }
}

bool Startup::networkCheck() {
    if (dataFolderFound()) return true;
    messages_.soob("Сеть не обнаружена"_cp, "Укажите правильный путь"_cp, "до сервера"_cp);
    host_.openSettingsWindow();
    // The folder the user gave gets its settings copy before the check, so
    // an empty folder is accepted as a new data folder.
    readDataFolder();
    ensureDataCopyOfSettings(false);
    if (dataFolderFound()) return true;
    messages_.soob(" Сеть повторно не обнаружена "_cp, " Работа программы прервана "_cp);
    return false;
}

StartOutcome Startup::FormCreate() {
    // 2. The engine is built in; a host may still report it missing.
    if (!host_.engineAvailable()) {
        messages_.soob("BDE не установлен!"_cp, "Программа закрыта"_cp);
        return StartOutcome::Terminate;
    }
    // 3. First start: the default settings.
    if (!store_.exists()) writeFirstSettings();
    // 4.-6.
    readDataFolder();
    createWorkFiles({"zarp_frm", "soobfrm"});
    removeStaleJournalLock();
    ensureDataCopyOfSettings(true);
    // 7.
    readFont();
    // 8.-9.
    for (const char* name : {"sort_f1.dbf", "sort_f1.mdx", "sort_f1.cdx", "sort_f2.dbf", "sort_f2.mdx", "sort_f2.cdx"})
        base::removeFile(work(name));
    values_.firstActivationPending = true;
    // 10.-11. The single-instance lock.
    if (!takeLock()) {
        messages_.soob(" Программа запущена "_cp, " cм. линейка \"Пуск\""_cp, " или не установлен драйвер BDE "_cp);
        return StartOutcome::Terminate;
    }
    // 12. Splash.
    if (base::fileExists(work("ZASTAVK.JPG"))) host_.showSplash(base::resolvePath(work("ZASTAVK.JPG")));
    // 14.
    readAccountingMonth();
    // 15.
    values_.workstation = base::trimBlanks(store_.ReadSetup("!!!"));
    // 16.
    if (!networkCheck()) return StartOutcome::Terminate;
    // 17.
    values_.groupRestriction = store_.ReadSetup("F%&");
    // 19. Interface language.
    values_.language = store_.ReadSetup("PV5");
    if (values_.language != "U" && values_.language != "E") values_.language.clear();
    if (base::fileExists(work("LANINK.DBF"))) host_.applyLanguage(values_.language);
    else CopBas(folders(), "LANINK.DBF", messages_);
    // 20.-21.
    if (auto st = createIfMissing(values_.dataFolder, prazTable()); !st) {
        messages_.soob("Ошибка"_cp, st.message());
        return StartOutcome::Terminate;
    }
    CopBas(folders(), "PRAZ.DBF", messages_);
    createWorkFiles({"Delet.sdc", "a1.txt"});
    // 22. Keyboard layouts are left to the desktop on this platform.
    // 24.-26.
    host_.loadPrintSettings();
    values_.sortField = store_.ReadSetup("iND");
    readOptionalModes();
    // 27.
    autoBackup();
    // 29. Table bootstrap.
    if (auto st = runBootstrap(folders(), messages_, [this] { refreshSeniority(); }); !st) {
        messages_.soob("Ошибка"_cp, st.message());
        return StartOutcome::Terminate;
    }
    return StartOutcome::Continue;
}

std::string Startup::organisationName() const {
    auto opened = db::Table::open(work("INFORG.DBF"));
    if (!opened || (*opened)->isEmpty()) return {};
    db::Table& t = **opened;
    t.first();
    for (std::size_t i = 0; i < t.fields().size(); ++i)
        if (t.fields()[i].type == db::FieldType::Character) return base::trimBlanks(t.text(int(i)));
    return {};
}

void Startup::checkHolidays() {
    auto opened = db::Table::open(data("PRAZ.DBF"));
    if (!opened) return;
    db::Table& t = **opened;
    const int fd = t.fieldIndex("data");
    const int fn = t.fieldIndex("name_p");
    if (fd < 0) return;
    std::vector<Holiday> rows;
    for (t.first(); !t.eof(); t.next()) rows.push_back({t.date(fd), fn < 0 ? std::string() : t.text(fn)});
    t.close();
    const HolidayCheck check = app::checkHolidays(rows, values_.today);
    if (check.remind())
        messages_.soob(" Введите все праздники за год "_cp, " Это необходимо для правильного "_cp,
                       " расчета табелей "_cp);
    if (!check.greeting.empty())
        messages_.soob(" Поздравляем "_cp + organisationName() + "! ", check.greeting, "", "PRAZ.JPG");
}

StartOutcome Startup::FirstActivate() {
    if (!values_.firstActivationPending) return StartOutcome::Continue;
    const std::string access = store_.ReadSetup("#~#");
    if (!base::trimBlanks(access).empty()) {
        const auto typed = host_.askPassword();
        if (!typed) return StartOutcome::Terminate;
        values_.typedPassword = base::trimBlanks(*typed);
        if (!startupPasswordAccepted(*typed, access, store_.ReadSetup("#4#"))) return StartOutcome::Terminate;
    }
    checkHolidays();
    if (base::fileExists(data("DOCUM\\FRMK\\BEG_VX.FRM")))
        host_.runFormFile(base::resolvePath(data("DOCUM\\FRMK\\BEG_VX.FRM")), 0);
    values_.firstActivationPending = false;
    working_ = true;
    return StartOutcome::Continue;
}

void Startup::FormClose() {
    if (sim_) {
        sim_->close();
        sim_.reset();
    }
    // The exit script belongs to a run that got to work, not to a refused one.
    if (working_ && base::fileExists(work("DOCUM\\FRMK\\END_VX.FRM")))
        host_.runFormFile(base::resolvePath(work("DOCUM\\FRMK\\END_VX.FRM")), 0);
    working_ = false;
}

}  // namespace app
