#pragma once
// The "Style" frame: a customer's style by name and type, with its cost and price.
// A style picked by customer, name and type (or by a tree click) is loaded and a save
// edits it; otherwise a save updates the style with the same customer, name and type,
// or appends a new one.

#include <QGroupBox>
#include <QVariant>

class QComboBox;
class QLineEdit;
class QPushButton;
class NumberBox;

class StyleFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit StyleFrame(QWidget *parent = nullptr);

    // The frame's step of the window reset: lists refilled, nothing loaded.
    void reset();
    // Loads a stored style as a click on its tree node does: the customer and type are
    // selected as the user would pick them, then the stored values are shown.
    void loadStyle(const QVariant &styleId, const QVariant &customer, const QVariant &name,
                   const QVariant &type, const QVariant &cost, const QVariant &price);

signals:
    void changed();

private:
    void cmbCustomer_Click();
    void cmbType_Click();
    void btnStyleNew_Click();
    void btnStyleSave_Click();
    void btnStyleInactivate_Click();
    void ClearFrame();

    QComboBox *cmbCustomer = nullptr;
    QComboBox *cmbStyleName = nullptr;
    QComboBox *cmbType = nullptr;
    NumberBox *txtCost = nullptr;
    NumberBox *txtPrice = nullptr;
    QLineEdit *txtStyleNameID = nullptr;
    QPushButton *btnStyleNew = nullptr;
    QPushButton *btnStyleSave = nullptr;
    QPushButton *btnStyleInactivate = nullptr;
};
