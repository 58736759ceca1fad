#pragma once
// The "Administration" window: stations, components, style types, styles, buns and the
// labour variables, one tab each, with the tree of every customer's styles on the
// "Style Entry" tab. Every save or delete on any tab resets the whole window and
// rebuilds the tree.

#include "product/ProductLists.h"
#include "widgets/ChildWindow.h"

#include <QVariant>

class QTabWidget;
class OperationEntryTab;
class ComponentEntryTab;
class StyleTypeEntryTab;
class StyleEntryTab;
class BunEntryTab;
class VariablesTab;

class frmStyle : public ChildWindow {
    Q_OBJECT
public:
    explicit frmStyle(QWidget *parent = nullptr);

    // Returns every tab to its starting state and fills every list from the database. The
    // styles and components, which only this window writes, are read again after a save or
    // delete in the window; until then their lists keep what was read.
    void ResetForm();
    // Rebuilds the style tree from the database.
    void RefreshTree();

private:
    void Form_Load();
    // After a save or delete anywhere in the window.
    void AfterChange();
    // A node of the style tree was clicked (or chosen with the keyboard).
    void StyleTree_NodeClick(int level, const QVariant &recordId);

    ProductLists m_lists;
    QTabWidget *SSTab1 = nullptr;
    OperationEntryTab *operationEntryTab = nullptr;
    ComponentEntryTab *componentEntryTab = nullptr;
    StyleTypeEntryTab *styleTypeEntryTab = nullptr;
    StyleEntryTab *styleEntryTab = nullptr;
    BunEntryTab *bunEntryTab = nullptr;
    VariablesTab *variablesTab = nullptr;
};
