// Type-ahead in drop-down lists, driven with real key presses on real combo boxes and
// a fake clock for the pauses between keys.

#include "widgets/AutoCompleteCombo.h"
#include "tests/support/Fakes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QStringList Names = {"Smith", "Sampson", "Smyth", "Adams", "Moore"};

// One key as the clerk types it: '\b' Backspace, '\x1b' Escape, '\r' Enter.
void press(QWidget *target, QChar c) {
    if (c == QLatin1Char('\b')) QTest::keyClick(target, Qt::Key_Backspace);
    else if (c == QLatin1Char('\x1b')) QTest::keyClick(target, Qt::Key_Escape);
    else if (c == QLatin1Char('\r')) QTest::keyClick(target, Qt::Key_Return);
    else QTest::keyClick(target, c.toLatin1());
}

QString selected(const QComboBox &combo) {
    return combo.currentIndex() < 0 ? QString() : combo.itemText(combo.currentIndex());
}

// Records the key presses that get past the type-ahead to the box.
class KeyRecorder : public QObject {
public:
    QList<int> keys;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) keys << static_cast<QKeyEvent *>(event)->key();
        return false;
    }
};

}  // namespace

class tst_autocomplete : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetAutoComplete(); }

    void typing_data();
    void typing();
    void switchingCombosStartsAnew();
    void selectionRunsTheClickHandlerOnlyOnAHit();
    void keystrokeNeverReachesTheBox();
    void enterPassesWhenAsked_data();
    void enterPassesWhenAsked();
    void keysWithoutCharacterPass();
    void clockPastMidnightStartsAnew();
    void openListSearchesToo();
};

void tst_autocomplete::typing_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QList<int>>("gapsMs");          // pause before each key after the first
    QTest::addColumn<QStringList>("selectedAfter");  // selection after each key
    QTest::newRow("s m y within half a second")
        << "smy" << QList<int>{200, 200} << QStringList{"Smith", "Smith", "Smyth"};
    QTest::newRow("capitals") << "SA" << QList<int>{100} << QStringList{"Smith", "Sampson"};
    QTest::newRow("0.49 s still joins") << "sa" << QList<int>{490} << QStringList{"Smith", "Sampson"};
    QTest::newRow("0.5 s starts anew") << "sa" << QList<int>{500} << QStringList{"Smith", "Adams"};
    QTest::newRow("pause then m") << "sm" << QList<int>{700} << QStringList{"Smith", "Moore"};
    QTest::newRow("miss keeps missing until a pause")
        << "sxaa" << QList<int>{100, 100, 600} << QStringList{"Smith", "Smith", "Smith", "Adams"};
    QTest::newRow("backspace joins the prefix")
        << "sm\ba" << QList<int>{100, 100, 100} << QStringList{"Smith", "Smith", "Smith", "Smith"};
    QTest::newRow("escape joins the prefix")
        << "s\x1b" "a" << QList<int>{100, 100} << QStringList{"Smith", "Smith", "Smith"};
    QTest::newRow("enter joins the prefix")
        << "s\ra" << QList<int>{100, 100} << QStringList{"Smith", "Smith", "Smith"};
    QTest::newRow("first miss leaves no selection") << "x" << QList<int>{} << QStringList{""};
}

void tst_autocomplete::typing() {
    QFETCH(QString, keys);
    QFETCH(QList<int>, gapsMs);
    QFETCH(QStringList, selectedAfter);
    ScopedFakes fakes;
    QComboBox combo;
    combo.addItems(Names);
    combo.setCurrentIndex(-1);
    AttachAutoComplete(&combo);
    for (int i = 0; i < keys.size(); ++i) {
        if (i > 0) fakes.clock.advanceMs(gapsMs.at(i - 1));
        press(&combo, keys.at(i));
        QCOMPARE(selected(combo), selectedAfter.at(i));
    }
}

void tst_autocomplete::switchingCombosStartsAnew() {
    ScopedFakes fakes;
    QComboBox first, second;
    first.addItems(Names);
    second.addItems(Names);
    AttachAutoComplete(&first);
    AttachAutoComplete(&second);

    QTest::keyClick(&first, 's');
    fakes.clock.advanceMs(100);
    QTest::keyClick(&second, 'a');  // "a" alone in the second list, not "sa"
    fakes.clock.advanceMs(100);
    QTest::keyClick(&first, 'm');   // and "m" alone back in the first
    QCOMPARE(selected(second), QStringLiteral("Adams"));
    QCOMPARE(selected(first), QStringLiteral("Moore"));
}

void tst_autocomplete::selectionRunsTheClickHandlerOnlyOnAHit() {
    ScopedFakes fakes;
    QComboBox combo;
    combo.addItems(Names);
    AttachAutoComplete(&combo);
    QSignalSpy clicks(&combo, &QComboBox::currentIndexChanged);

    QTest::keyClick(&combo, 'a');
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.last().at(0).toInt(), 3);
    fakes.clock.advanceMs(100);
    QTest::keyClick(&combo, 'z');  // "az" matches nothing
    QCOMPARE(clicks.count(), 1);

    // Called directly, the key code comes back as 0.
    fakes.clock.advanceMs(600);
    int keyAscii = 'm';
    AutoCompleteCombo(&combo, keyAscii);
    QCOMPARE(keyAscii, 0);
    QCOMPARE(selected(combo), QStringLiteral("Moore"));
}

void tst_autocomplete::keystrokeNeverReachesTheBox() {
    ScopedFakes fakes;
    // An editable box keeps its text when a key matches nothing.
    QComboBox editable;
    editable.setEditable(true);
    editable.addItems({"Smith", "Smyth"});
    editable.setCurrentIndex(0);
    QSignalSpy edits(&editable, &QComboBox::editTextChanged);
    AttachAutoComplete(&editable);
    QTest::keyClick(&editable, 'x');
    QCOMPARE(editable.lineEdit()->text(), QStringLiteral("Smith"));
    QCOMPARE(edits.count(), 0);
    fakes.clock.advanceMs(600);
    QTest::keyClick(&editable, 's');
    fakes.clock.advanceMs(100);
    QTest::keyClick(&editable, 'm');
    fakes.clock.advanceMs(100);
    QTest::keyClick(&editable, 'y');
    QCOMPARE(editable.lineEdit()->text(), QStringLiteral("Smyth"));

    // The box's own one-letter search would step to the next "a" entry on a second "a";
    // the type-ahead searches for "aa" and finds nothing.
    QComboBox list;
    list.addItems({"Banana", "Apple", "Avocado"});
    AttachAutoComplete(&list);
    fakes.clock.advanceMs(600);
    QTest::keyClick(&list, 'a');
    fakes.clock.advanceMs(100);
    QTest::keyClick(&list, 'a');
    QCOMPARE(selected(list), QStringLiteral("Apple"));
}

void tst_autocomplete::enterPassesWhenAsked_data() {
    QTest::addColumn<bool>("passEnter");
    QTest::addColumn<bool>("boxSeesEnter");
    QTest::addColumn<QString>("selectedAfter");  // after s, Enter, a in quick succession
    // A handled Enter joins the prefix ("s\ra" misses); a passed one does not ("sa").
    QTest::newRow("enter handled") << false << false << "Smith";
    QTest::newRow("enter passed") << true << true << "Sampson";
}

void tst_autocomplete::enterPassesWhenAsked() {
    QFETCH(bool, passEnter);
    QFETCH(bool, boxSeesEnter);
    QFETCH(QString, selectedAfter);
    ScopedFakes fakes;
    QComboBox combo;
    combo.addItems(Names);
    KeyRecorder recorder;
    combo.installEventFilter(&recorder);  // behind the type-ahead, which is installed last
    AttachAutoComplete(&combo, passEnter);

    QTest::keyClick(&combo, 's');
    fakes.clock.advanceMs(100);
    QTest::keyClick(&combo, Qt::Key_Return);
    fakes.clock.advanceMs(100);
    QTest::keyClick(&combo, 'a');
    QCOMPARE(selected(combo), selectedAfter);
    QCOMPARE(recorder.keys.contains(Qt::Key_Return), boxSeesEnter);
    QVERIFY(!recorder.keys.contains(Qt::Key_S));
    QVERIFY(!recorder.keys.contains(Qt::Key_A));
}

void tst_autocomplete::keysWithoutCharacterPass() {
    ScopedFakes fakes;
    QWidget window;
    auto *combo = new QComboBox(&window);
    auto *next = new QLineEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(combo);
    layout->addWidget(next);
    combo->addItems(Names);
    AttachAutoComplete(combo);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::keyClick(combo, Qt::Key_Down);  // the box's own arrow-key step
    QCOMPARE(selected(*combo), QStringLiteral("Sampson"));
    QTest::keyClick(combo, Qt::Key_End);
    QCOMPARE(selected(*combo), QStringLiteral("Moore"));

    combo->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    QTest::keyClick(combo, Qt::Key_Tab);
    QTRY_VERIFY(next->hasFocus());
}

void tst_autocomplete::clockPastMidnightStartsAnew() {
    ScopedFakes fakes;
    QComboBox combo;
    combo.addItems(Names);
    AttachAutoComplete(&combo);
    fakes.clock.set(QDateTime(QDate(2026, 12, 9), QTime(23, 59, 59, 900)));
    QTest::keyClick(&combo, 's');
    fakes.clock.set(QDateTime(QDate(2026, 12, 10), QTime(0, 0, 0, 100)));
    QTest::keyClick(&combo, 'a');
    QCOMPARE(selected(combo), QStringLiteral("Adams"));
}

void tst_autocomplete::openListSearchesToo() {
    ScopedFakes fakes;
    QWidget window;
    auto *combo = new QComboBox(&window);
    (new QVBoxLayout(&window))->addWidget(combo);
    combo->addItems(Names);
    AttachAutoComplete(combo);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    QTest::keyClick(view, 's');
    fakes.clock.advanceMs(100);
    QTest::keyClick(view, 'm');
    fakes.clock.advanceMs(100);
    QTest::keyClick(view, 'y');
    QCOMPARE(selected(*combo), QStringLiteral("Smyth"));
    QCOMPARE(view->currentIndex().row(), 2);
    QTest::keyClick(view, Qt::Key_Return);  // Enter still closes the list
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(selected(*combo), QStringLiteral("Smyth"));
}

QTEST_MAIN(tst_autocomplete)
#include "tst_autocomplete.moc"
