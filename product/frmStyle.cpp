#include "product/frmStyle.h"

#include "widgets/FormLayout.h"
#include "core/Handler.h"
#include "product/BunEntryTab.h"
#include "product/ComponentEntryTab.h"
#include "product/OperationEntryTab.h"
#include "product/StyleEntryTab.h"
#include "product/StyleTree.h"
#include "product/StyleTypeEntryTab.h"
#include "product/VariablesTab.h"

#include <QTabWidget>
#include <QVBoxLayout>

frmStyle::frmStyle(QWidget *parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("frmStyle"));
    setWindowTitle(QStringLiteral("Administration"));

    SSTab1 = FormLayout::named<QTabWidget>(this, "SSTab1");
    operationEntryTab = new OperationEntryTab(SSTab1);
    componentEntryTab = new ComponentEntryTab(&m_lists, SSTab1);
    styleTypeEntryTab = new StyleTypeEntryTab(SSTab1);
    styleEntryTab = new StyleEntryTab(&m_lists, SSTab1);
    bunEntryTab = new BunEntryTab(SSTab1);
    variablesTab = new VariablesTab(SSTab1);
    SSTab1->addTab(operationEntryTab, QStringLiteral("Operation Entry"));
    SSTab1->addTab(componentEntryTab, QStringLiteral("Component Entry"));
    SSTab1->addTab(styleTypeEntryTab, QStringLiteral("Style-Type Entry"));
    SSTab1->addTab(styleEntryTab, QStringLiteral("Style Entry"));
    SSTab1->addTab(bunEntryTab, QStringLiteral("Bun/Fiber Entry"));
    SSTab1->addTab(variablesTab, QStringLiteral("Variables"));
    SSTab1->setCurrentWidget(styleEntryTab);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    setClientTwips(12000, 9150);

    // Every save or delete on any tab resets the window and rebuilds the tree; every
    // Exit button closes the window at once, without saving and without a question.
    const auto afterChange = handler([this] { AfterChange(); });
    const auto exit = [this] { unload(); };
    connect(operationEntryTab, &OperationEntryTab::changed, this, afterChange);
    connect(operationEntryTab, &OperationEntryTab::exitRequested, this, exit);
    connect(componentEntryTab, &ComponentEntryTab::changed, this, afterChange);
    connect(componentEntryTab, &ComponentEntryTab::exitRequested, this, exit);
    connect(styleTypeEntryTab, &StyleTypeEntryTab::changed, this, afterChange);
    connect(styleTypeEntryTab, &StyleTypeEntryTab::exitRequested, this, exit);
    connect(styleEntryTab, &StyleEntryTab::changed, this, afterChange);
    connect(styleEntryTab, &StyleEntryTab::exitRequested, this, exit);
    connect(bunEntryTab, &BunEntryTab::changed, this, afterChange);
    connect(bunEntryTab, &BunEntryTab::exitRequested, this, exit);
    connect(variablesTab, &VariablesTab::changed, this, afterChange);
    connect(variablesTab, &VariablesTab::exitRequested, this, exit);
    connect(styleEntryTab->styleTree(), &StyleTree::nodeClicked, this,
            [this](int level, const QVariant &recordId) {
                handler([this, level, recordId] { StyleTree_NodeClick(level, recordId); })();
            });

    handler([this] { Form_Load(); })();
}

void frmStyle::Form_Load() {
    ResetForm();
    RefreshTree();
}

void frmStyle::ResetForm() {
    operationEntryTab->reset();
    componentEntryTab->reset();
    styleTypeEntryTab->reset();
    bunEntryTab->reset();
    variablesTab->reset();
    styleEntryTab->reset();
}

void frmStyle::RefreshTree() { styleEntryTab->styleTree()->refresh(); }

void frmStyle::AfterChange() {
    m_lists.forget();  // the change may be in any list
    ResetForm();
    RefreshTree();
}

// Whatever node was clicked, the window is emptied first; a style, style component or
// operation node then loads its record and its parents into the frames.
void frmStyle::StyleTree_NodeClick(int level, const QVariant &recordId) {
    ResetForm();
    styleEntryTab->loadNode(level, recordId);
}
