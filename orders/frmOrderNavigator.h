#pragma once
// Order Navigator: finds orders by customer, status, order-date range and part of the
// order number, lists them, and shows the lines of the order the cursor is on with what
// has been shipped of each. A double-click opens the order in the order window; "Add
// New" opens that window for a new order. The order window refreshes the navigator when
// it closes, so a saved order shows at once.

#include "widgets/ChildWindow.h"

class Grid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
struct OrderCriteria;

class frmOrderNavigator : public ChildWindow {
    Q_OBJECT
public:
    explicit frmOrderNavigator(QWidget *parent = nullptr);
    ~frmOrderNavigator() override;

    // The open navigator, or null.
    static frmOrderNavigator *instance();

    // Runs the search with the criteria as they stand, refills the orders and empties
    // the lines.
    void UpdateGrids();

protected:
    void Form_Unload() override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void layOut();
    void Form_Load();
    void Form_Resize();
    void placeInFrame();
    void btnFind_Click();
    void btnClear_Click();
    void btnAddNew_Click();
    void btnExit_Click();
    void vsfgOrders_RowColChange();
    void vsfgOrders_DblClick(int pointerRow);
    OrderCriteria criteria() const;
    void emptyItems();

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
    bool m_placed = false;
};
