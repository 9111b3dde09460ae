#pragma once
// The small dialogs of the records windows: the new-assignment question
// TFormNewDan, the delete-or-archive choice TFormDelYv and the document
// image viewer TFormVew.
#include <QDialog>
#include <QImage>
#include <string>

#include "base/date.h"
#include "records/card_save.h"

class QLabel;
class QLineEdit;
class QDateEdit;
class QPushButton;
class QRadioButton;

namespace records {

class TFormNewDan : public QDialog {
    Q_OBJECT
public:
    TFormNewDan(base::Date assignmentDate, bool hiring, const QFont& font, QWidget* parent = nullptr);
    NewAssignmentAnswer answer() const { return answer_; }

private:
    void finish(NewAssignmentAnswer::Kind kind);
    QLineEdit* order_;
    QDateEdit* orderDate_;
    NewAssignmentAnswer answer_;
};

// The dialog behind NewAssignmentDialog for the personal card.
class NewDanDialog : public NewAssignmentDialog {
public:
    explicit NewDanDialog(QWidget* parent) : parent_(parent) {}
    NewAssignmentAnswer ask(base::Date date, bool hiring) override;

private:
    QWidget* parent_;
};

class TFormDelYv : public QDialog {
    Q_OBJECT
public:
    enum Answer { Cancel, Delete, Move };
    TFormDelYv(bool archived, const std::string& workFolder, QWidget* parent = nullptr);
    Answer answer() const { return answer_; }
    static Answer Ask(bool archived, const std::string& workFolder, QWidget* parent);

private:
    Answer answer_ = Cancel;
};

class TFormVew : public QDialog {
    Q_OBJECT
public:
    TFormVew(const QImage& image, QWidget* parent = nullptr);
    bool landscape() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void print();
    QImage image_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
    QSize designed_;
};

}  // namespace records
