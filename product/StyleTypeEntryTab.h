#pragma once
// The "Style-Type Entry" tab of the Administration window: the categories a style can
// belong to. Typing or picking a type ID looks it up at once.

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

class StyleTypeEntryTab : public QWidget {
    Q_OBJECT
public:
    explicit StyleTypeEntryTab(QWidget *parent = nullptr);

    // The tab's step of the window reset: empties the description, refills the ID and
    // status lists and leaves nothing selected.
    void reset();

signals:
    void changed();
    void exitRequested();

private:
    void cmbTypeID_Change();
    void cmbTypeID_Click();
    void btnTypeSave_Click();

    void lookUp();

    QComboBox *cmbTypeID = nullptr;
    QLineEdit *txtTypeDescription = nullptr;
    QComboBox *cmbTypeStatus = nullptr;
    QPushButton *btnTypeSave = nullptr;
    QPushButton *btnTypeExit = nullptr;
};
