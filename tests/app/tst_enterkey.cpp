// Enter on a focused button presses it in every window: a clerk who tabs to "Save And
// Close" and presses Enter saves. Enter in a box keeps the box's own meaning, and a
// dialog still gives Enter to its default button.

#include "masterdata/frmCustomerEntry.h"
#include "widgets/WidgetHelpers.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QtTest>

using namespace UiTest;

namespace {

using CustomerEntry = OpenWindow<frmCustomerEntry>;

// Tabs on from the focused control until the named one has the focus.
void tabTo(const QString &name) {
    for (int i = 0; i < 30 && QApplication::focusWidget()->objectName() != name; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), name);
}

void activate(QWidget *window) {
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

}  // namespace

class tst_EnterKey : public QObject {
    Q_OBJECT
private slots:
    void enterOnButtonPressesIt_data();
    void enterOnButtonPressesIt();
    void enterInABoxPressesNothing();
    void heldEnterPressesOnce();
    void dialogKeepsItsDefaultButton();
};

void tst_EnterKey::enterOnButtonPressesIt_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("stored");
    QTest::newRow("Save And Close, Enter") << "btnSave" << int(Qt::Key_Return) << int(Qt::NoModifier) << 1;
    QTest::newRow("Save And Close, keypad Enter") << "btnSave" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
    QTest::newRow("Exit, Enter") << "btnExit" << int(Qt::Key_Return) << int(Qt::NoModifier) << 0;
}

void tst_EnterKey::enterOnButtonPressesIt() {
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, stored);
    TestDatabase db;
    ScopedFakes fakes;
    CustomerEntry win;
    activate(win.w);
    type(win.combo("cmbCustomer"), "Hickory Upholstery");
    type(win.line("txtShipToFax"), "828-555-0199");
    tabTo(button);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QVERIFY(win.closed());
    QCOMPARE(db.count("Customer"), stored);
    if (stored)
        QCOMPARE(db.scalar("SELECT ShipToFax FROM Customer WHERE Customer = 'Hickory Upholstery'").toString(),
                 QString("828-555-0199"));
}

void tst_EnterKey::enterInABoxPressesNothing() {
    TestDatabase db;
    ScopedFakes fakes;
    CustomerEntry win;
    activate(win.w);
    type(win.combo("cmbCustomer"), "Hickory Upholstery");
    QTest::keyClick(win.line("txtCity"), Qt::Key_Return);
    QTest::keyClick(win.combo("cmbCustomer"), Qt::Key_Return);
    QVERIFY(!win.closed());
    QCOMPARE(db.count("Customer"), 0);
}

void tst_EnterKey::heldEnterPressesOnce() {
    EnterPressesButtons();
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *button = new QPushButton("Find", &window);
    layout->addWidget(button);
    QSignalSpy clicked(button, &QPushButton::clicked);
    window.show();
    activate(&window);
    button->setFocus();
    QKeyEvent first(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
    QApplication::sendEvent(button, &first);
    QApplication::sendEvent(button, &repeated);
    QApplication::sendEvent(button, &repeated);
    QCOMPARE(clicked.size(), 1);
    QTest::keyClick(button, Qt::Key_Return, Qt::ShiftModifier);  // only Enter itself
    QCOMPARE(clicked.size(), 1);
}

void tst_EnterKey::dialogKeepsItsDefaultButton() {
    EnterPressesButtons();
    QDialog dialog;
    auto *layout = new QHBoxLayout(&dialog);
    auto *yes = new QPushButton("Yes", &dialog);
    auto *no = new QPushButton("No", &dialog);
    layout->addWidget(yes);
    layout->addWidget(no);
    yes->setDefault(true);
    no->setAutoDefault(false);
    QSignalSpy yesClicked(yes, &QPushButton::clicked);
    QSignalSpy noClicked(no, &QPushButton::clicked);
    dialog.show();
    activate(&dialog);
    no->setFocus();
    QTest::keyClick(no, Qt::Key_Return);
    QCOMPARE(yesClicked.size(), 1);
    QCOMPARE(noClicked.size(), 0);
}

QTEST_MAIN(tst_EnterKey)
#include "tst_enterkey.moc"
