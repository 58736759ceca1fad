#pragma once
// Shipment Entry: records what goes out against one open order of a customer, on which
// date, and how many pieces of each order line. A new shipment is put together from the
// customer's open orders; a stored one is opened by the shipment navigator and keeps
// its customer and order. "Save and Close" stores the shipment with its lines and sets
// the order Open or Closed; an open shipment navigator refreshes when the window closes.

#include "shipping/SaveShipment.h"
#include "widgets/ChildWindow.h"

class Grid;
class Recordset;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

class frmShipmentEntry : public ChildWindow {
    Q_OBJECT
public:
    Q_INVOKABLE explicit frmShipmentEntry(QWidget *parent = nullptr);
    ~frmShipmentEntry() override;

    // Shows the order with this Orders.ID: its ship-to address and its lines with what
    // has shipped of them so far. Does nothing while no order is shown in the order box.
    void FillOrder(const QString &orderId);
    // Loads the stored shipment with this Shipments.ID for editing.
    void OpenShipment(const QString &shipmentId);

private:
    void layOut();
    void Form_Load();
    void cmbCustomer_Click();
    void cmbOrder_Click();
    bool vsfgItems_BeforeEdit(int row, int col);
    void vsfgItems_AfterEdit(int row, int col);
    void btnShipAll_Click();
    void btnSave_Click();
    void btnExit_Click();

    void ListOpenOrders();
    void ShowShipment(const QString &shipmentId, const Recordset &rs);
    void ShowShippedLines(const QString &shipmentId);
    void LockOrder();
    void ClearOrder();
    void SetShipTo(const QStringList &lines);
    QString CurrentOrderId() const;
    QVector<ShipmentLine> TypedLines() const;

    QComboBox *cmbCustomer;
    QComboBox *cmbOrder;  // each entry carries its Orders.ID
    QDateEdit *dtDate;
    QLineEdit *txtShipTo;
    QLineEdit *txtAddress1;
    QLineEdit *txtAddress2;
    QLineEdit *txtCity;
    QLineEdit *txtState;
    QLineEdit *txtZip;
    QLineEdit *txtID;
    Grid *vsfgItems;
    QPushButton *btnShipAll;
    QPushButton *btnSave;
    QPushButton *btnExit;

    // The order of an opened shipment, which its order box shows without selecting it
    // (the order may be closed and so not listed).
    QString m_shownOrderId;
};
