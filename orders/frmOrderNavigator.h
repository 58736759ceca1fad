#pragma once
// Order Navigator: finds orders by customer, status, order-date range and part of the
// order number, lists them, and shows the lines of the order the cursor is on with what
// has been shipped of each. A double-click opens the order in the order window; "Add
// New" opens that window for a new order. The navigator refreshes whenever the order
// window closes, so a saved order shows at once.

#include "widgets/NavigatorWindow.h"

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

private:
    void layOut();
    void btnAddNew_Click();
    // vsfgOrders: the order under the cursor shows its lines; a double-click opens it.
    void upperRowChanged(int row) override;
    void upperDoubleClicked(int pointerRow) override;
    OrderCriteria criteria() const;

    // The criteria (Frame1, NavigatorWindow) hold the status and Add New as well; the
    // orders are listed in Frame2 (vsfgOrders), their lines in Frame3 (vsfgItems).
    QComboBox *cmbStatus;
    QPushButton *btnAddNew;
};
