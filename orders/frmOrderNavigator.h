#pragma once
// Order Navigator: finds orders by customer, status, order-date range and part of the
// order number, lists them, and shows the lines of the order the cursor is on with what
// has been shipped of each. A double-click opens the order in the order window; "Add
// New" opens that window for a new order. The navigator refreshes whenever the order
// window closes, so a saved order shows at once.

#include "widgets/NavigatorWindow.h"

class Grid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
struct OrderCriteria;

class frmOrderNavigator : public NavigatorWindow {
    Q_OBJECT
public:
    explicit frmOrderNavigator(QWidget *parent = nullptr);

    // The open navigator, or null.
    static frmOrderNavigator *instance();

    // Runs the search with the criteria as they stand, refills the orders and empties
    // the lines.
    void UpdateGrids() override;

protected:
    void PlaceInFrame() override;
    ChildWindow *newEntry() override;

private:
    void layOut();
    void Form_Load();
    void btnFind_Click();
    void btnClear_Click();
    void btnAddNew_Click();
    void btnExit_Click();
    void vsfgOrders_RowColChange();
    void vsfgOrders_DblClick(int pointerRow);
    OrderCriteria criteria() const;

    QGroupBox *Frame1;
    QGroupBox *Frame2;
    QGroupBox *Frame3;
    QComboBox *cmbCustomer;
    QComboBox *cmbStatus;
    QLineEdit *txtOrderNumber;
    QCheckBox *chkOrderDate;
    QDateEdit *dtStartDate;
    QDateEdit *dtEndDate;
    QPushButton *btnFind;
    QPushButton *btnClear;
    QPushButton *btnAddNew;
    QPushButton *btnExit;
    Grid *vsfgOrders;
    Grid *vsfgItems;
};
