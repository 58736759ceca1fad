#pragma once
// The "Component" frame of the "Style Entry" tab: links a component to a style with a
// quantity (a StyleComponent row), edits such a link and removes it with its operations.

#include <QGroupBox>
#include <QVariant>

class QComboBox;
class QLineEdit;
class QPushButton;
class ProductLists;

class ComponentFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit ComponentFrame(QWidget *parent = nullptr);

    // The frame's step of the window reset: shows every style and every component,
    // unloads any link and empties the quantity.
    void reset(ProductLists &lists);

    // Loads a link clicked in the style tree: selects the style and the component
    // carrying these IDs (the component pick runs the link lookup), then shows the
    // quantity and keeps the link's ID.
    void loadLink(const QVariant &styleId, const QVariant &componentId, const QVariant &qty,
                  const QVariant &styleComponentId);

signals:
    // A link was saved or deleted; the window resets and rebuilds its tree.
    void changed();

private:
    void cmbComponent_Click();
    void btnComponentNew_Click();
    void cmbComponentSave2_Click();
    void btnDeleteComponent_Click();

    QComboBox *cmbStyle = nullptr;
    QComboBox *cmbComponent = nullptr;
    QLineEdit *txtQty = nullptr;
    QLineEdit *txtStyleComponentID = nullptr;
    QPushButton *btnComponentNew = nullptr;
    QPushButton *cmbComponentSave2 = nullptr;  // the frame's "Save" button keeps this name
    QPushButton *btnDeleteComponent = nullptr;
};
