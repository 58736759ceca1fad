#pragma once
// Shipment Navigator: finds shipments by customer, ship-date range and order number,
// lists them, shows the lines of the one the clerk moves to, and opens a shipment for
// editing in Shipment Entry with a double-click. While it is open its lists are
// refreshed whenever Shipment Entry closes.

#include "shipping/ShipmentSearch.h"
#include "widgets/ChildWindow.h"

#include <QPointer>
#include <functional>

class Grid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class frmShipmentEntry;

class frmShipmentNavigator : public ChildWindow {
    Q_OBJECT
public:
    explicit frmShipmentNavigator(QWidget *parent = nullptr);
    ~frmShipmentNavigator() override;

    // The open navigator, or null.
    static frmShipmentNavigator *current();

    // Runs the search with the criteria shown and refills the shipments grid; the line
    // items grid is emptied.
    void UpdateGrids();

    // How Shipment Entry is opened (or brought forward) for a double-click: the main
    // frame passes its own opener. Without one the entry window opens on its own.
    void setEntryOpener(std::function<frmShipmentEntry *()> opener) { m_openEntry = std::move(opener); }

protected:
    void Form_Unload() override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void layOut();
    void Form_Load();
    void FillCriteria();
    void Form_Resize();
    void PlaceInFrame();
    void vsfgShipments_RowColChange(int row);
    void vsfgShipments_DblClick(int row);
    void btnFind_Click();
    void btnClear_Click();
    void btnExit_Click();

    ShipmentCriteria Criteria() const;
    void EmptyLineItems();
    frmShipmentEntry *OpenEntry();

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

    std::function<frmShipmentEntry *()> m_openEntry;
    QPointer<frmShipmentEntry> m_ownEntry;  // the entry window opened without a frame
    bool m_placed = false;
};
