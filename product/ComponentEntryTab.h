#pragma once
// The "Component Entry" tab of the Administration window: components (foam piece
// designs) are created and edited here. Typing or picking an ID looks the component up
// at once; "Save" writes all sixteen columns of the Component row.

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class NumberBox;
class ProductLists;

class ComponentEntryTab : public QWidget {
    Q_OBJECT
public:
    // The list of component IDs comes from the window's lists.
    explicit ComponentEntryTab(ProductLists *lists, QWidget *parent = nullptr);

    // The tab's step of the window reset: empties the boxes, refills every list from
    // the database and leaves nothing selected.
    void reset();

signals:
    // A component was saved; the window resets and rebuilds its tree.
    void changed();
    void exitRequested();

private:
    void cmbComponentID_Change();
    void cmbComponentID_Click();
    void btnComponentSave_Click();

    // Looks the ID text up and shows the stored component, or clears the tab.
    void lookUp();
    // Empties every box but the ID text and unselects every list.
    void clearTab();

    ProductLists *m_lists;
    QComboBox *cmbComponentID = nullptr;
    QLineEdit *txtComponentDescription = nullptr;
    NumberBox *txtComponentThickness = nullptr;
    NumberBox *txtComponentWidth = nullptr;
    NumberBox *txtComponentLength = nullptr;
    QComboBox *cmbCutStyle = nullptr;
    QComboBox *cmbTest = nullptr;
    QLineEdit *txtTestRange = nullptr;
    QLineEdit *txtComponentTopped = nullptr;
    QComboBox *cmbPrintShipping = nullptr;
    QComboBox *cmbArm = nullptr;
    QComboBox *cmbTie = nullptr;
    QComboBox *cmbComponentBun = nullptr;
    NumberBox *txtRailsPerBun = nullptr;
    NumberBox *txtPiecesPerRail = nullptr;
    QComboBox *cmbComponentStatus = nullptr;
    QPushButton *btnComponentSave = nullptr;
    QPushButton *btnComponentExit = nullptr;
};
