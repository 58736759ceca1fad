#pragma once
// The tree of every customer's styles: root "Styles", customers, their styles, each
// style's components with quantities, and each component's operations at the stations.
// Built whole each time, from one read of the styles, the style components and the style
// operations.

#include <QTreeWidget>
#include <QVariant>

class StyleTree : public QTreeWidget {
    Q_OBJECT
public:
    enum Level { RootLevel = 1, CustomerLevel = 2, StyleLevel = 3, ComponentLevel = 4, OperationLevel = 5 };
    // Item data carried by every node. The key is unique in the tree: "Root",
    // "Cust:<name>", "Style:<ID>", "Comp-<ID>", "Oper-<ID>".
    enum Role { KeyRole = Qt::UserRole, LevelRole = Qt::UserRole + 1, RecordIdRole = Qt::UserRole + 2 };

    explicit StyleTree(QWidget *parent = nullptr);

    // Removes every node and builds the tree again from the database.
    void refresh();

signals:
    // A node was clicked or chosen with the keyboard: its level and record ID (the
    // customer name, the style's ID, the style component's ID, the style operation's ID).
    void nodeClicked(int level, const QVariant &recordId);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void emitNode(QTreeWidgetItem *item);
};
