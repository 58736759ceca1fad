#pragma once
// The "Variables" tab of the Administration window: the plant-wide labour figures kept
// in the single Data row and read by the production summary.

#include <QWidget>

class QPushButton;
class NumberBox;

class VariablesTab : public QWidget {
    Q_OBJECT
public:
    explicit VariablesTab(QWidget *parent = nullptr);

    // The tab's step of the window reset: shows the stored figures (the boxes keep what
    // they show while no Data row exists).
    void reset();

signals:
    void changed();
    void exitRequested();

private:
    void btnVariableSave_Click();

    NumberBox *txtLaborCostPerHour = nullptr;
    NumberBox *txtNonArmsPerHour = nullptr;
    NumberBox *txtSLNonArmsPerHour = nullptr;
    NumberBox *txtLaborPercent = nullptr;
    QPushButton *btnVariableSave = nullptr;
    QPushButton *btnVariableExit = nullptr;
};
