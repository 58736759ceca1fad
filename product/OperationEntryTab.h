#pragma once
// The "Operation Entry" tab: the plant's stations with their report type, number of
// teams and status. Typing or picking a station name looks the station up.

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

class OperationEntryTab : public QWidget {
    Q_OBJECT
public:
    explicit OperationEntryTab(QWidget *parent = nullptr);

    // The tab's step of the window reset.
    void reset();

signals:
    void changed();
    void exitRequested();

private:
    void cmbStationName_Change();
    void cmbStationName_Click();
    void btnOperationSave_Click();
    void StationLookup();
    void ClearTab();

    QComboBox *cmbStationName = nullptr;
    QComboBox *cmbReportName = nullptr;
    QLineEdit *txtTeams = nullptr;
    QComboBox *cmbOperationStatus = nullptr;
    QPushButton *btnOperationSave = nullptr;
    QPushButton *btnOperationExit = nullptr;
};
