#pragma once
// Shipment Navigator: finds shipments by customer, ship-date range and order number,
// lists them, shows the lines of the one the clerk moves to, and opens a shipment for
// editing in Shipment Entry with a double-click. While it is open its lists are
// refreshed whenever Shipment Entry closes.

#include "shipping/ShipmentSearch.h"
#include "widgets/NavigatorWindow.h"

class Grid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

class frmShipmentNavigator : public NavigatorWindow {
    Q_OBJECT
public:
    explicit frmShipmentNavigator(QWidget *parent = nullptr);

    // The open navigator, or null.
    static frmShipmentNavigator *instance();

    // Runs the search with the criteria shown and refills the shipments grid; the line
    // items grid is emptied.
    void UpdateGrids() override;

protected:
    void PlaceInFrame() override;
    ChildWindow *newEntry() override;

private:
    void layOut();
    void Form_Load();
    void FillCriteria();
    void vsfgShipments_RowColChange(int row);
    void vsfgShipments_DblClick(int row);
    void btnFind_Click();
    void btnClear_Click();
    void btnExit_Click();

    ShipmentCriteria Criteria() const;

    QGroupBox *fraCriteria;
    QComboBox *cmbCustomer;
    QCheckBox *chkShipDate;
    QDateEdit *dtStartDate;
    QDateEdit *dtEndDate;
    QLineEdit *txtOrderNumber;
    QPushButton *btnFind;
    QPushButton *btnClear;
    QPushButton *btnExit;
    QGroupBox *fraShipments;
    Grid *vsfgShipments;
    QGroupBox *fraLineItems;
    Grid *vsfgItems;
};
