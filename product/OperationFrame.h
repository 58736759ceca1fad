#pragma once
// The "Operation" frame: one operation at one station for one component of one style,
// with its instructions and the piece's dimensions at that station.

#include <QGroupBox>
#include <QVariant>

class QComboBox;
class QLineEdit;
class QPushButton;
class ProductLists;
class NumberBox;

class OperationFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit OperationFrame(QWidget *parent = nullptr);

    // The frame's step of the window reset.
    void reset(ProductLists &lists);
    // Loads a stored operation as a click on its tree node does: style, style component
    // and station are selected as the user would pick them, then the stored values shown.
    void loadOperation(const QVariant &operationId, const QVariant &styleId,
                       const QVariant &styleComponentId, const QVariant &station,
                       const QVariant &instructions, const QVariant &thickness,
                       const QVariant &width, const QVariant &length);

signals:
    void changed();

private:
    void cmbStyle2_Click();
    void cmbOperation_Click();
    void btnOperationNew_Click();
    void btnOperationsSave2_Click();
    void btnDeleteOp_Click();
    void ClearFrame();

    QComboBox *cmbStyle2 = nullptr;
    QComboBox *cmbComponent2 = nullptr;
    QComboBox *cmbOperation = nullptr;
    QLineEdit *txtInstructions = nullptr;
    NumberBox *txtThickness = nullptr;
    NumberBox *txtWidth = nullptr;
    NumberBox *txtLength = nullptr;
    QLineEdit *txtStyleComponentOperationID = nullptr;
    QPushButton *btnOperationNew = nullptr;
    QPushButton *btnOperationsSave2 = nullptr;
    QPushButton *btnDeleteOp = nullptr;
};
