#pragma once
// The "Bun/Fiber Entry" tab of the Administration window: the foam blocks and fiber
// stock that components are cut from. Typing or picking an ID looks the bun up at once.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class NumberBox;

class BunEntryTab : public QWidget {
    Q_OBJECT
public:
    explicit BunEntryTab(QWidget *parent = nullptr);

    // The tab's step of the window reset: empties the boxes, refills the ID, vendor and
    // status lists and leaves nothing selected.
    void reset();

signals:
    void changed();
    void exitRequested();

private:
    void cmbBunID_Change();
    void cmbBunID_Click();
    void btnBunSave_Click();

    void lookUp();
    void clearTab();

    QComboBox *cmbBunID = nullptr;
    QCheckBox *chkOffAll = nullptr;
    NumberBox *txtBunWidth = nullptr;
    NumberBox *txtBunLength = nullptr;
    QLineEdit *txtBunGrade = nullptr;
    QComboBox *cmbBunVendor = nullptr;
    QComboBox *cmbBunStatus = nullptr;
    QPushButton *btnBunSave = nullptr;
    QPushButton *btnBunExit = nullptr;
};
