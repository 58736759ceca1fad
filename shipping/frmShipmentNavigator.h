#pragma once
// Shipment Navigator: finds shipments by customer, ship-date range and order number,
// lists them, shows the lines of the one the clerk moves to, and opens a shipment for
// editing in Shipment Entry with a double-click. While it is open its lists are
// refreshed whenever Shipment Entry closes.

#include "shipping/ShipmentSearch.h"
#include "widgets/NavigatorWindow.h"

class frmShipmentNavigator : public NavigatorWindow {
    Q_OBJECT
public:
    explicit frmShipmentNavigator(QWidget *parent = nullptr);

    // Runs the search with the criteria shown and refills the shipments grid; the line
    // items grid is emptied.
    void UpdateGrids() override;

protected:
    void PlaceInFrame() override;

private:
    void layOut();
    // vsfgShipments: the shipment moved to shows its lines; a double-click opens it.
    void upperRowChanged(int row) override;
    void upperDoubleClicked(int row) override;

    ShipmentCriteria Criteria() const;
};
