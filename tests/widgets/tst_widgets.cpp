// Shared widget behaviour: the formatted number box, select-all on focus, hidden IDs
// carried by combo entries, and the handler wrapper that reports failures.

#include "core/AppError.h"
#include "core/Handler.h"
#include "widgets/NumberBox.h"
#include "widgets/WidgetHelpers.h"
#include "tests/support/Fakes.h"
#include "tests/support/UiTest.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

class tst_Widgets : public QObject {
    Q_OBJECT
private slots:
    void numberBoxShowsPictureOutsideEditing_data();
    void numberBoxShowsPictureOutsideEditing();
    void numberBoxEditsPlainText();
    void selectAllOnFocus();
    void hiddenIdsOfEntries();
    void handlerReportsFailureAndReturns();
};

void tst_Widgets::numberBoxShowsPictureOutsideEditing_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("shown");
    QTest::newRow("money") << "$#,##0.00;($#,##0.00)" << "1234.5" << "$1,234.50";
    QTest::newRow("money negative") << "$#,##0.00;($#,##0.00)" << "-3" << "($3.00)";
    QTest::newRow("dimension") << "#,##0.00" << "12" << "12.00";
    QTest::newRow("whole") << "0" << "7" << "7";
    QTest::newRow("empty stays empty") << "#,##0.00" << "" << "";
    QTest::newRow("text that is no number is shown as typed") << "0.00" << "abc" << "abc";
}

void tst_Widgets::numberBoxShowsPictureOutsideEditing() {
    QFETCH(QString, picture);
    QFETCH(QString, plain);
    QFETCH(QString, shown);
    NumberBox box(picture);
    box.setText(plain);
    QCOMPARE(box.text(), plain);
    QCOMPARE(box.QLineEdit::text(), shown);
}

void tst_Widgets::numberBoxEditsPlainText() {
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new NumberBox("$#,##0.00;($#,##0.00)", &window);
    auto *other = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    UiTest::show(&window);
    other->setFocus();
    box->setText("5");
    QCOMPARE(box->QLineEdit::text(), QString("$5.00"));
    UiTest::type(box, "1250.5");
    QCOMPARE(box->QLineEdit::text(), QString("1250.5"));
    QCOMPARE(box->text(), QString("1250.5"));
    other->setFocus();
    QCOMPARE(box->QLineEdit::text(), QString("$1,250.50"));
    QCOMPARE(box->text(), QString("1250.5"));
}

void tst_Widgets::selectAllOnFocus() {
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new QLineEdit("Main Street 1", &window);
    auto *second = new QLineEdit("Suite 4", &window);
    layout->addWidget(first);
    layout->addWidget(second);
    SelectAllOnFocus({first, second});
    UiTest::show(&window);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    QTRY_COMPARE(second->selectedText(), QString("Suite 4"));
    QTest::keyClicks(second, "Dock B");
    QCOMPARE(second->text(), QString("Dock B"));
}

void tst_Widgets::hiddenIdsOfEntries() {
    QComboBox combo;
    AddItem(&combo, "Chair-Arm", 12);
    AddItem(&combo, "Chair-Arm", 40);  // another customer's style of the same name and type
    AddItem(&combo, "Sofa-Back", 7);
    QVERIFY(SelectedId(&combo).isNull() || combo.currentIndex() == 0);
    SelectById(&combo, 40);
    QCOMPARE(combo.currentIndex(), 1);
    QCOMPARE(SelectedId(&combo).toInt(), 40);
    SelectById(&combo, 99);
    QCOMPARE(combo.currentIndex(), -1);
    QVERIFY(SelectedId(&combo).isNull());
    SelectByText(&combo, "Sofa-Back");
    QCOMPARE(SelectedId(&combo).toInt(), 7);
    SelectByText(&combo, "sofa-back");
    QCOMPARE(combo.currentIndex(), -1);
}

void tst_Widgets::handlerReportsFailureAndReturns() {
    ScopedFakes fakes;
    QPushButton button("Save");
    int after = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, handler([] {
        throw AppError(3022, "The changes you requested to the table were not successful.");
    }));
    QObject::connect(&button, &QPushButton::clicked, &button, handler([&after] { ++after; }));
    button.click();
    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown.first().text,
             QString("3022: The changes you requested to the table were not successful."));
    QCOMPARE(after, 1);  // the window goes on working
}

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
