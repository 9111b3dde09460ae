#include "app/kadr_o.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/child_window.h"
#include "app/form_parol.h"
#include "app/form_ustpro.h"
#include "app/small_windows.h"
#include "app/window_placement.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/path_resolver.h"
#include "ui/interface_font.h"
#include "ui/qt_text.h"

namespace app {

namespace {

const char* const kMonthNames[12] = {"ЯНВАРЬ", "ФЕВРАЛЬ", "МАРТ",     "АПРЕЛЬ",  "МАЙ",    "ИЮНЬ",
                                     "ИЮЛЬ",   "АВГУСТ",  "СЕНТЯБРЬ", "ОКТЯБРЬ", "НОЯБРЬ", "ДЕКАБРЬ"};

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

Tkadr_o::Tkadr_o(std::string workFolder, base::Date today, QWidget* parent) : QMainWindow(parent) {
    setObjectName("kadr_o");
    setWindowTitle(u("    VLT-ОТДЕЛ КАДРОВ 6.3"));
    ui_.workFolder = base::withTrailingSeparator(workFolder);
    windowMessages_ = std::make_unique<WindowMessages>(ui_, this);
    messages_.target = windowMessages_.get();
    startup_ = std::make_unique<Startup>(std::move(workFolder), today, messages_, *this);
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MdiArea");
    mdi_->setBackground(QColor(0x6b, 0x8e, 0xb5));
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* w) {
        if (w)
            if (auto* child = dynamic_cast<ChildWindow*>(w->widget())) child->FormActivate();
    });
    buildMenus();
    buildToolBar();
    buildStatusBar();
    commands_.setBounce([this] { bounceToChild(); });
}

// Child windows go first, while the frame is still whole: the subsystems that
// opened them switch the frame's commands back when they close.
Tkadr_o::~Tkadr_o() {
    if (mdi_) qDeleteAll(mdi_->subWindowList());
}

QAction* Tkadr_o::addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& keys) {
    auto* action = new QAction(u(caption), this);
    action->setObjectName(name);
    if (!keys.isEmpty()) action->setShortcut(keys);
    action->setEnabled(false);  // until a handler is given
    menu->addAction(action);
    actions_.insert(name, action);
    return action;
}

void Tkadr_o::setCommandHandler(const QString& name, std::function<void()> handler) {
    QAction* action = actions_.value(name);
    if (!action) return;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, [this, name, handler = std::move(handler)] {
        if (commandPrologue(name)) handler();
    });
    action->setEnabled(true);
}

bool Tkadr_o::commandPrologue(const QString& name) {
    // The opening modes the frame hands to the window a command opens.
    static const QMap<QString, QString> openModes = {
        {"N7", "ka"},  {"N8", "kao"},         {"N5", "kag"},     {"Albase", "sa"},  {"S_MenuTabA", "tav"},
        {"S_MenuO", "tao"}, {"S_MenuPod", ""}, {"N40", ""},      {"S_MenuUvol", "arx"}, {"S_MenuPeri", "per"},
    };
    static const QMap<QString, int> selectorModes = {{"S_MenuStat", 4}, {"S_MenuPod", 2}, {"N40", 3}};
    static const QMap<QString, QPair<int, const char*>> references = {
        {"S_MenuPraz", {11, "PRAZ.DBF"}}, {"S_MenuProd", {12, "KAL.DBF"}}, {"N18", {13, "PROD.DBF"}}};

    if (name == "S_MenuTabA" || name == "S_MenuO") {
        if (startup_->values().viewOnly()) {
            messages_.box(" Режим для только просмотра "_cp);
            return false;
        }
    }
    if (name == "S_MenuRTab") {
        // Recalculation only of a timesheet that exists, after a warning.
        const AccountingMonth& m = startup_->values().month;
        const std::string tname = "T" + m.stored().substr(0, 2) + m.stored().substr(4, 2);
        if (!base::fileExists(startup_->values().dataFolder + tname + ".DBF")) return false;
        return messages().question("Табель "_cp + tname + " уже расчитан"_cp, "Ручные изменения будут потеряны"_cp,
                                   " Продолжить новый расчет? "_cp) == 1;
    }
    if (references.contains(name)) {
        const auto [mode, table] = references.value(name);
        // One reference window at a time, and only over a delivered table.
        if (commands_.modes.referenceMode != 0 || !base::fileExists(startup_->values().dataFolder + table))
            return false;
        commands_.modes.referenceMode = mode;
    }
    if (openModes.contains(name)) commands_.modes.openMode = openModes.value(name).toStdString();
    if (selectorModes.contains(name)) commands_.modes.selectorMode = selectorModes.value(name);
    return true;
}

void Tkadr_o::flagCommand(const char* name, Cmd cmd) {
    setCommandHandler(name, [this, cmd] { commands_.raise(cmd); });
}

void Tkadr_o::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto menu = [&](const char* name, const char* caption) {
        QMenu* m = bar->addMenu(u(caption));
        m->setObjectName(name);
        m->menuAction()->setObjectName(QString(name) + "Action");
        return m;
    };

    QMenu* help = menu("MenuHelp", "    Помощь    ");
    addItem(help, "S_MenuHelp", "Помощь", QKeySequence(Qt::Key_F1));
    addItem(help, "S_MenuPro", "О программе ...");
    help->addSeparator();
    QMenu* lang = help->addMenu(u("Язык интерфеса"));
    lang->setObjectName("N70");
    lang->menuAction()->setObjectName("N70Action");
    addItem(lang, "N71", "Русский");
    addItem(lang, "N73", "Узбекский");
    addItem(lang, "N72", "Английский");
    help->addSeparator();
    addItem(help, "S_MenuExit", "Выход", QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* kart = menu("MenuKart", "    Кадры    ");
    addItem(kart, "N7", "Общая картотека");
    addItem(kart, "N8", " ...  по отделам");
    addItem(kart, "N5", " ... по группам");
    kart->addSeparator();
    addItem(kart, "Albase", "Общие базы");

    QMenu* tab = menu("N1", "    Табеля    ");
    addItem(tab, "S_MenuTabA", "Табель общий");
    addItem(tab, "S_MenuO", " ... по отделам");
    addItem(tab, "N45", " ... по группам");
    tab->addSeparator();
    addItem(tab, "S_MenuRTab", "Создать");

    // Two menu-bar items that are commands themselves.
    for (auto [name, caption] : {std::pair{"N28", "     Документы     "}, std::pair{"S_MenuOtc", "    Отчеты    "}}) {
        auto* action = new QAction(u(caption), this);
        action->setObjectName(name);
        action->setEnabled(false);
        bar->addAction(action);
        actions_.insert(name, action);
    }

    QMenu* spra = menu("MenuSpra", "     Справочники     ");
    addItem(spra, "S_MenuStat", "Штатное расписание");
    addItem(spra, "S_MenuPod", "Отделы");
    addItem(spra, "N40", "Группы отделов");
    spra->addSeparator();
    addItem(spra, "S_MenuPraz", "Праздники");
    addItem(spra, "S_MenuProd", "Календари");
    addItem(spra, "N18", "Продолжительность ");
    spra->addSeparator();
    addItem(spra, "N61", "Справочники пользователя");
    addItem(spra, "korsp", "Корректировка списков");
    spra->addSeparator();
    addItem(spra, "S_MenuUvol", "Архив уволенных");

    QMenu* edit = menu("N3", "    Правка    ");
    addItem(edit, "N19", "Продолжить поиск", QKeySequence(Qt::SHIFT | Qt::Key_F7));
    addItem(edit, "N29", "Фильтр", QKeySequence(Qt::Key_F6));
    addItem(edit, "N49", "Точный фильтр по значению");
    addItem(edit, "N30", "Отменить фильтр", QKeySequence(Qt::SHIFT | Qt::Key_F6));
    edit->addSeparator();
    addItem(edit, "N24", "Вырезать", QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(edit, "N25", "Копировать", QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(edit, "N26", "Редактировать", QKeySequence(Qt::CTRL | Qt::Key_R));
    addItem(edit, "N27", "Вставить", QKeySequence(Qt::CTRL | Qt::Key_V));

    QMenu* serv = menu("MenuServ", "    Сервис    ");
    addItem(serv, "S_MenuCalc", "Калькулятор ", QKeySequence(Qt::ALT | Qt::Key_C));
    addItem(serv, "S_MenuTel", "Телефонная книжка");
    addItem(serv, "S_MenuKal", "Календарь", QKeySequence(Qt::ALT | Qt::Key_Q));
    addItem(serv, "S_MenuPeri", "Расчетный месяц");
    serv->addSeparator();
    addItem(serv, "N21", "Печать", QKeySequence(Qt::Key_F5));
    addItem(serv, "Exel1", "Экспорт в Excel");
    addItem(serv, "Excel1", "Импорт из Excel");
    serv->addSeparator();
    addItem(serv, "S_MenuDbu", "Прочие базы");
    addItem(serv, "N10", "Установки программы");

    QMenu* win = menu("MenuWin", "    Окна    ");
    addItem(win, "S_MenuKas", "Каскад");
    addItem(win, "S_MenuMoz", "Мозаика");
    addItem(win, "N11", "Следующее");
    addItem(win, "N12", "Предыдущее");
    win->addSeparator();
    addItem(win, "S_MenuClo", "Закрыть", QKeySequence(Qt::CTRL | Qt::Key_F4));
    addItem(win, "S_MenuCloAl", "Закрыть все окна");

    // The commands of this window; the others are enabled by the windows'
    // own subsystems through setCommandHandler.
    setCommandHandler("S_MenuHelp", [this] { S_MenuHelpClick(); });
    setCommandHandler("S_MenuPro", [this] { S_MenuProClick(); });
    setCommandHandler("S_MenuExit", [this] { S_MenuExitClick(); });
    setCommandHandler("N10", [this] { N10Click(); });
    flagCommand("N19", Cmd::FindNext);
    flagCommand("N29", Cmd::Filter);
    flagCommand("N49", Cmd::ExactFilter);
    flagCommand("N30", Cmd::CancelFilter);
    flagCommand("N24", Cmd::Delete);
    flagCommand("N25", Cmd::Copy);
    flagCommand("N26", Cmd::Edit);
    flagCommand("N27", Cmd::Add);
    flagCommand("N21", Cmd::Print);
    setCommandHandler("Exel1", [this] { commands_.raiseExcel(); });
    setCommandHandler("S_MenuKas", [this] { mdi_->cascadeSubWindows(); });
    setCommandHandler("S_MenuMoz", [this] { mdi_->tileSubWindows(); });
    setCommandHandler("N11", [this] {
        if (mdi_->activeSubWindow()) mdi_->activateNextSubWindow();
    });
    setCommandHandler("N12", [this] {
        if (mdi_->activeSubWindow()) mdi_->activatePreviousSubWindow();
    });
    setCommandHandler("S_MenuClo", [this] {
        if (QMdiSubWindow* w = mdi_->activeSubWindow()) w->close();
    });
    setCommandHandler("S_MenuCloAl", [this] { closeAllChildren(); });
}

void Tkadr_o::buildToolBar() {
    toolBar_ = addToolBar(u("ToolBar1"));
    toolBar_->setObjectName("ToolBar1");
    toolBar_->setMovable(false);
    const struct {
        const char* name;
        const char* hint;
        const char* repeats;  // the menu command, or "" for a toolbar-only one
        QStyle::StandardPixmap icon;
    } buttons[] = {
        {"ToolButtonDel", "Удалить", "N24", QStyle::SP_TrashIcon},
        {"ToolButtonCop", "Копировать", "N25", QStyle::SP_FileDialogNewFolder},
        {"ToolButtonEdi", "Редактировать", "N26", QStyle::SP_FileDialogDetailedView},
        {"ToolButtonNew", "Добавить", "N27", QStyle::SP_FileIcon},
        {"ToolButtonInd", "Индексы", "", QStyle::SP_ArrowDown},
        {"ToolButtonFin", "Продолжить поиск Shift+F7", "N19", QStyle::SP_FileDialogContentsView},
        {"ToolButtonFil", "Фильтр  F6", "N29", QStyle::SP_DirOpenIcon},
        {"ToolButtonFilZ", "Точный фильтр по значению", "N49", QStyle::SP_DialogApplyButton},
        {"ToolButtonFilN", "Отменить фильтр  Shift+F6", "N30", QStyle::SP_DialogCancelButton},
        {"ToolButtonPri", "Печать F5", "N21", QStyle::SP_DialogSaveButton},
        {"ToolButtonExc", "Экспорт в Exel", "Exel1", QStyle::SP_DriveFDIcon},
        {"ToolButtonPer", "Расчетный месяц", "S_MenuPeri", QStyle::SP_FileDialogInfoView},
        {"ToolButtonCal", "Калькулятор Alt+C", "S_MenuCalc", QStyle::SP_ComputerIcon},
        {"ToolButtonTel", "Телефонная книжка", "S_MenuTel", QStyle::SP_DriveNetIcon},
        {"ToolButtonKal", " Календарь Alt+Q", "S_MenuKal", QStyle::SP_FileDialogListView},
        {"ToolButtonDoc", "Документы", "N28", QStyle::SP_FileDialogStart},
        {"ToolButtonOtc", "Отчеты", "S_MenuOtc", QStyle::SP_FileDialogToParent},
        {"ToolButtonSpr", "Справочники пользователя", "N61", QStyle::SP_DirHomeIcon},
        {"ToolButtonKall", "Общая картотека", "N7", QStyle::SP_DirIcon},
        {"ToolButtonTall", "Табель общий", "S_MenuTabA", QStyle::SP_FileDialogEnd},
        {"ToolButtonTool", "Установки программы", "N10", QStyle::SP_BrowserReload},
        {"ToolButtonDbu", "Прочие базы", "S_MenuDbu", QStyle::SP_DriveHDIcon},
        {"ToolButtonWin", "Запомнить размер и местоположение окна", "", QStyle::SP_TitleBarNormalButton},
    };
    for (const auto& b : buttons) {
        auto* action = new QAction(style()->standardIcon(b.icon), u(b.hint), this);
        action->setObjectName(QString(b.name) + "Action");
        action->setToolTip(u(b.hint));
        toolBar_->addAction(action);
        if (QWidget* w = toolBar_->widgetForAction(action)) w->setObjectName(b.name);
        actions_.insert(b.name, action);
        if (*b.repeats) {
            QAction* target = actions_.value(b.repeats);
            toolbarRepeats_.insert(b.name, b.repeats);
            connect(action, &QAction::triggered, target, &QAction::trigger);
            action->setEnabled(target->isEnabled());
            connect(target, &QAction::changed, action, [action, target] { action->setEnabled(target->isEnabled()); });
        }
    }
    connect(actions_.value("ToolButtonInd"), &QAction::triggered, this, [this] { commands_.raise(Cmd::Index); });
    connect(actions_.value("ToolButtonWin"), &QAction::triggered, this,
            [this] { commands_.raise(Cmd::RememberWindow); });

    toolBar_->addSeparator();
    checkBox1_ = new QCheckBox(u("  Поиск от начала "), this);
    checkBox1_->setObjectName("CheckBox1");
    checkBox1_->setChecked(true);
    checkBox2_ = new QCheckBox(u("  в тексте"), this);
    checkBox2_->setObjectName("CheckBox2");
    toolBar_->addWidget(checkBox1_);
    toolBar_->addWidget(checkBox2_);
    auto* label = new QLabel(u(".      ."), this);
    label->setObjectName("Label1");
    toolBar_->addWidget(label);
    connect(checkBox1_, &QCheckBox::clicked, this, &Tkadr_o::CheckBox1Click);
    connect(checkBox2_, &QCheckBox::clicked, this, &Tkadr_o::CheckBox2Click);
}

void Tkadr_o::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    const int widths[3] = {150, 450, 200};
    const char* texts[3] = {"ARDEL", "Расчетный месяц: ", ""};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(u(texts[i]), bar);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        panels_[i]->setAlignment(Qt::AlignCenter);
        panels_[i]->setMinimumWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(panels_[i]);
    }
}

void Tkadr_o::applyFonts() {
    const QFont font = ui::interfaceFont(ui_.fontName, ui_.fontSize);
    statusBar()->setFont(font);
    for (QLabel* p : panels_) p->setFont(font);
    menuBar()->setFont(font);
    for (QMenu* m : menuBar()->findChildren<QMenu*>()) m->setFont(font);
    for (QCheckBox* box : {checkBox1_, checkBox2_}) {
        box->setFont(font);
        // The designed width scaled by the size, but never cutting the caption.
        box->setFixedWidth(std::max(ui::scaled(box == checkBox1_ ? 130 : 90, ui_.fontSize), box->sizeHint().width()));
    }
    // CheckBox2 sits 5 pixels right of CheckBox1.
    checkBox2_->setContentsMargins(5, 0, 0, 0);
}

void Tkadr_o::updateStatusBar() {
    const RunValues& v = startup_->values();
    static const char* const labels[][2] = {{"Расчетный месяц    ", "   Текущая дата    "},
                                            {"Хисобот ойи    ", "Бугунги сана    "},
                                            {"Period    ", "Date    "}};
    const int lang = v.language == "U" ? 1 : v.language == "E" ? 2 : 0;
    if (v.month.month >= 1 && v.month.month <= 12)
        panels_[1]->setText(u(labels[lang][0]) + u(kMonthNames[v.month.month - 1]) + "  " +
                            QString::number(v.month.year));
    panels_[2]->setText(u(labels[lang][1]) + ui::toQ(v.today.text()));
}

bool Tkadr_o::FormCreate() {
    QApplication::setApplicationName(u("VLT-Отдел кадров"));
    const StartOutcome outcome = startup_->FormCreate();
    const RunValues& v = startup_->values();
    ui_.fontName = v.fontName;
    ui_.fontSize = v.fontSize;
    ui_.language = v.language;
    // The message window's button reads like the window menu's "Закрыть",
    // which the language switch may have translated.
    ui_.closeCaption = actions_.value("S_MenuClo")->text();
    if (outcome == StartOutcome::Terminate) return false;
    commands_.clearAll();
    applyFonts();
    updateStatusBar();
    return true;
}

bool Tkadr_o::FormActivate() {
    clientWidth_ = centralWidget() ? centralWidget()->width() : width();
    clientHeight_ = centralWidget() ? centralWidget()->height() : height();
    if (!startup_->values().firstActivationPending) return true;
    if (startup_->FirstActivate() == StartOutcome::Terminate) {
        close();
        return false;
    }
    return true;
}

void Tkadr_o::FormClose() {
    if (closing_) return;
    closing_ = true;
    startup_->FormClose();
}

void Tkadr_o::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void Tkadr_o::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The first activation runs once the frame is on screen, as its own step.
    if (!firstShowQueued_) {
        firstShowQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            if (!FormActivate()) QApplication::exit(0);
        });
    }
}

bool Tkadr_o::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && firstShowQueued_ && !startup_->values().firstActivationPending) {
        clientWidth_ = centralWidget()->width();
        clientHeight_ = centralWidget()->height();
    }
    return QMainWindow::event(event);
}

void Tkadr_o::bounceToChild() {
    QMdiSubWindow* previous = mdi_->activeSubWindow();
    auto* empty = new TFormEmpty([this, previous] {
        if (!previous || !mdi_->subWindowList().contains(previous)) return;
        mdi_->setActiveSubWindow(previous);
        if (auto* child = dynamic_cast<ChildWindow*>(previous->widget())) child->FormActivate();
    });
    empty->show();
}

void Tkadr_o::placeChild(QWidget* window, const std::string& name) const {
    const int w = clientWidth_ > 0 ? clientWidth_ : mdi_->width();
    const int h = clientHeight_ > 0 ? clientHeight_ : mdi_->height();
    Placement p = defaultPlacement(w, h);
    if (auto stored = loadPlacement(ui_.workFolder, name)) p = *stored;
    window->setGeometry(p.left, p.top, p.width, p.height);
}

void Tkadr_o::rememberPlacement(const QWidget* window, const std::string& name) {
    const QRect g = window->geometry();
    if (auto st = savePlacement(ui_.workFolder, name, {g.top(), g.left(), g.height(), g.width()}); !st)
        messages().soob("Ошибка"_cp, st.message());
}

void Tkadr_o::closeAllChildren() {
    const auto windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->close();
}

void Tkadr_o::S_MenuHelpClick() {
    const std::string file = ui_.workFolder + "KHELP.CHM";
    if (!base::fileExists(file)) return;
    QProcess::startDetached("xdg-open", {ui::nativePath(file)});
}

void Tkadr_o::S_MenuProClick() {
    auto* about = new TFormOpro(startup_->values().today.year(), this);
    about->exec();
}

void Tkadr_o::S_MenuExitClick() {
    closeAllChildren();
    close();
}

void Tkadr_o::N10Click() {
    TFormUstpro form(startup_->settings(), this);
    form.exec();
}

void Tkadr_o::CheckBox1Click() {
    checkBox2_->setChecked(!checkBox1_->isChecked());
    commands_.searchFromStart = checkBox1_->isChecked();
    commands_.bounce();
}

void Tkadr_o::CheckBox2Click() {
    checkBox1_->setChecked(!checkBox2_->isChecked());
    commands_.searchFromStart = checkBox1_->isChecked();
    commands_.bounce();
}

// ---- StartupHost ----

void Tkadr_o::showSplash(const std::string& picture) {
    auto* splash = new TZastForm(QString::fromUtf8(picture.c_str()));
    splash->show();
}

void Tkadr_o::openSettingsWindow() {
    TFormUstpro form(startup_->settings(), this);
    form.exec();
}

void Tkadr_o::applyLanguage(const std::string& language) {
    if (services_.applyLanguage) services_.applyLanguage(language);
}

void Tkadr_o::loadPrintSettings() {
    if (services_.loadPrintSettings) services_.loadPrintSettings();
}

std::optional<std::string> Tkadr_o::askPassword() { return TFormParol::Ask(ui_, this); }

void Tkadr_o::runFormFile(const std::string& path, int source) {
    if (services_.runFormFile) services_.runFormFile(path, source);
}

void Tkadr_o::setBusy(bool busy) {
    if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

}  // namespace app
