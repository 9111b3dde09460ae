#pragma once
// TFormInterp, the step debugger: the listing of the statements, the
// variables and arrays, breakpoints, and a run that either only shows each
// statement as it executes ("Автопрогон") or waits before each one until
// "Следующий шаг" ("Ручной прогон").
#include <QDialog>
#include <memory>
#include <set>
#include <string>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace script {
class Host;
class Interpreter;
}  // namespace script

namespace script::windows {

class GuiHost;

class TFormInterp : public QDialog {
    Q_OBJECT
public:
    TFormInterp(Host& inner, std::string scriptText, QWidget* parent = nullptr);
    ~TFormInterp() override;

    // Opens the debugger modally on the script; true when a run completed.
    static bool run(Host& inner, const std::string& scriptText, QWidget* parent = nullptr);

    // Called by the host after every evaluated condition and statement.
    void onStep(Interpreter& in, int statementIndex);

    Interpreter& interpreter() { return *interpreter_; }
    bool completed() const { return completed_; }
    void toggleBreakpoint(int row);

    // Handlers, named after their controls.
    void BitBtn20Click();  // "Запуск формы"
    void BitBtn21Click();  // "Завершить"
    void BitBtn15Click();  // "Стоп" / "Продолжить" / "Пауза"
    void BitBtn17Click();  // "Следующий шаг"
    void BitBtn22Click();  // "Установ./снять останов"
    void BitBtn23Click();  // "Показать переменные" / "Скрыть переменные"
    void CheckBox1Click();
    void CheckBox2Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void fillListing();
    void refreshVariables(bool force = false);
    void refreshArrays(bool force = false);
    void paintBreakpoints();
    void waitWhile(const std::function<bool()>& condition, int ms);

    std::string script_;
    std::unique_ptr<GuiHost> host_;
    std::unique_ptr<Interpreter> interpreter_;
    std::set<int> breakpoints_;
    bool running_ = false;
    bool paused_ = false;
    bool stepReleased_ = false;
    bool closeAfterRun_ = false;
    bool completed_ = false;

    QListWidget* ListBox1;
    QListWidget* ListBox2;
    QListWidget* ListBox3;
    QLabel* Label1;
    QLabel* Label2;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QPushButton* BitBtn15;
    QPushButton* BitBtn17;
    QPushButton* BitBtn20;
    QPushButton* BitBtn21;
    QPushButton* BitBtn22;
    QPushButton* BitBtn23;
};

}  // namespace script::windows
