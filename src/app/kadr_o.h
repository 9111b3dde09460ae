#pragma once
// Tkadr_o: the frame window. Menus, toolbar and status bar; start-up in
// FormCreate / the first FormActivate, shutdown in FormClose; the command
// flags and their bounce to the active child window.
#include <QMainWindow>
#include <QMap>
#include <functional>
#include <memory>

#include "app/command_dispatcher.h"
#include "app/frame_services.h"
#include "app/startup.h"
#include "app/startup_host.h"
#include "app/ui_context.h"
#include "app/window_messages.h"

class QAction;
class QCheckBox;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace app {

class Tkadr_o : public QMainWindow, public StartupHost {
    Q_OBJECT
public:
    Tkadr_o(std::string workFolder, base::Date today, QWidget* parent = nullptr);
    ~Tkadr_o() override;

    // Start-up before the window is shown; false when the program must end.
    bool FormCreate();
    // Every activation; the first one also runs the once-only steps.
    // False when start-up ended the program there.
    bool FormActivate();
    void FormClose();

    CommandDispatcher& commands() { return commands_; }
    FrameServices& services() { return services_; }
    ui::Messages& messages() { return messages_; }
    // Sends every message of the frame and its start-up elsewhere (tests
    // record them); nullptr restores the program's dialogs.
    void useMessages(ui::Messages* target) { messages_.target = target ? target : windowMessages_.get(); }
    UiContext& uiContext() { return ui_; }
    const RunValues& values() const { return startup_->values(); }
    const SettingsStore& settings() const { return startup_->settings(); }
    QMdiArea* mdiArea() const { return mdi_; }
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    // Gives a menu command (by component name) its action and enables it;
    // toolbar buttons that repeat the command follow.
    void setCommandHandler(const QString& name, std::function<void()> handler);
    QAction* command(const QString& name) const { return actions_.value(name); }

    // Window placement of a child (okna.dbf): the default placement (left 1,
    // top 1, the frame client size less 10), then the remembered row of
    // `name` when there is one.
    void placeChild(QWidget* window, const std::string& name) const;
    // Stores the window's current placement under `name` (CmdRememberWindow).
    void rememberPlacement(const QWidget* window, const std::string& name);

    // The bounce through TFormEmpty: re-activates the active child window.
    void bounceToChild();

    // StartupHost
    void showSplash(const std::string& picture) override;
    void openSettingsWindow() override;
    void applyLanguage(const std::string& language) override;
    void loadPrintSettings() override;
    std::optional<std::string> askPassword() override;
    void runFormFile(const std::string& path, int source) override;
    void setBusy(bool busy) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void applyFonts();
    void updateStatusBar();
    QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& keys = {});
    void flagCommand(const char* name, Cmd cmd);
    // What the frame does before a command's own handler: the opening modes,
    // the view-only refusal of timesheets, the reference-window rule.
    // False when the command stops there.
    bool commandPrologue(const QString& name);
    void S_MenuHelpClick();
    void S_MenuProClick();
    void S_MenuExitClick();
    void N10Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void closeAllChildren();

    std::unique_ptr<Startup> startup_;
    UiContext ui_;
    CommandDispatcher commands_;
    FrameServices services_;
    // Start-up keeps a reference to this forwarder; its target can change.
    struct ForwardingMessages : ui::Messages {
        ui::Messages* target = nullptr;
        void soob(const std::string& a, const std::string& b, const std::string& c, const std::string& p) override {
            target->soob(a, b, c, p);
        }
        void box(const std::string& t) override { target->box(t); }
        int question(const std::string& a, const std::string& b, const std::string& c, const std::string& p) override {
            return target->question(a, b, c, p);
        }
    };
    std::unique_ptr<WindowMessages> windowMessages_;
    ForwardingMessages messages_;
    QMap<QString, QAction*> actions_;
    QMap<QString, QString> toolbarRepeats_;  // toolbar button -> menu command
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QCheckBox* checkBox2_ = nullptr;
    QLabel* panels_[3] = {};
    int clientWidth_ = 0, clientHeight_ = 0;
    bool closing_ = false;
    bool firstShowQueued_ = false;
};

}  // namespace app
