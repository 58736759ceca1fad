// The pieces every window is built from: the combo and button connectors (when they run,
// and how a failure is reported), the typed-key combo, labelled rows and the Tab order.

#include "core/AppError.h"
#include "widgets/FormLayout.h"
#include "widgets/Connectors.h"
#include "widgets/WidgetHelpers.h"
#include "tests/support/Fakes.h"
#include "tests/support/UiTest.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QtTest>

using namespace FormLayout;

namespace {

// A small window: a key combo with three IDs, a fixed list and a button, each counting
// the runs of its handler.
struct Form {
    QWidget window;
    QComboBox *key = named<QComboBox>(&window, "cmbKey");
    QComboBox *list = named<QComboBox>(&window, "cmbList");
    QPushButton *button = named<QPushButton>(&window, "btnGo", QStringLiteral("Go"));
    int picks = 0;
    int edits = 0;

    Form() {
        makeKeyCombo(key);
        FillList(key, {QStringLiteral("AB-1"), QStringLiteral("AB-12"), QStringLiteral("CD-3")});
        key->setEditText(QString());
        FillList(list, {QStringLiteral("Active"), QStringLiteral("Inactive")});
        auto *column = new QVBoxLayout(&window);
        column->addWidget(key);
        column->addWidget(list);
        column->addWidget(button);
        onPick(list, &window, [this] { ++picks; });
        onEdit(key, &window, [this] { ++edits; });
        UiTest::show(&window);
    }
};

}  // namespace

class tst_FormLayout : public QObject {
    Q_OBJECT
private slots:
    void pickRunsOnlyForASelectedEntry_data();
    void pickRunsOnlyForASelectedEntry();
    void editRunsForEveryKey();
    void failuresAreReportedAndTheWindowStays_data();
    void failuresAreReportedAndTheWindowStays();
    void keyComboKeepsExactlyWhatIsTyped();
    void rowsNameTheirControls();
    void tabFollowsTheGivenOrder();
};

void tst_FormLayout::pickRunsOnlyForASelectedEntry_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("picks");
    QTest::newRow("picked by the clerk") << "clerk picks" << 1;
    QTest::newRow("selected by the window") << "window selects" << 1;
    QTest::newRow("unselected by the window") << "window unselects" << 0;
    QTest::newRow("emptied by the window") << "window empties" << 0;
}

void tst_FormLayout::pickRunsOnlyForASelectedEntry() {
    QFETCH(QString, action);
    QFETCH(int, picks);
    ScopedFakes fakes;
    Form form;
    if (action == "clerk picks") {
        UiTest::pick(form.list, QStringLiteral("Inactive"));
    } else if (action == "window selects") {
        form.list->setCurrentIndex(0);
    } else {
        {
            const QSignalBlocker quiet(form.list);
            form.list->setCurrentIndex(1);
        }
        if (action == "window unselects")
            form.list->setCurrentIndex(-1);
        else
            form.list->clear();
        QCOMPARE(form.list->currentIndex(), -1);
    }
    QCOMPARE(form.picks, picks);
    QVERIFY(fakes.messages.shown.isEmpty());
}

void tst_FormLayout::editRunsForEveryKey() {
    ScopedFakes fakes;
    Form form;
    UiTest::type(form.key, QStringLiteral("AB-"));
    QCOMPARE(form.edits, 3);
    form.key->setEditText(QString());
    QCOMPARE(form.edits, 4);
}

void tst_FormLayout::failuresAreReportedAndTheWindowStays_data() {
    QTest::addColumn<QString>("event");
    QTest::newRow("click") << "click";
    QTest::newRow("pick") << "pick";
    QTest::newRow("edit") << "edit";
}

void tst_FormLayout::failuresAreReportedAndTheWindowStays() {
    QFETCH(QString, event);
    ScopedFakes fakes;
    Form form;
    const auto fail = [] { throw AppError(ErrorNumber::NoCurrentRecord, QStringLiteral("No current record.")); };
    if (event == "click") {
        onClick(form.button, &form.window, fail);
        UiTest::click(form.button);
    } else if (event == "pick") {
        onPick(form.list, &form.window, fail);
        UiTest::pick(form.list, QStringLiteral("Active"));
    } else {
        onEdit(form.key, &form.window, fail);
        UiTest::type(form.key, QStringLiteral("X"));
    }
    QCOMPARE(fakes.messages.texts(), QStringList({"3021: No current record."}));
    QVERIFY(form.window.isVisible());
}

void tst_FormLayout::keyComboKeepsExactlyWhatIsTyped() {
    ScopedFakes fakes;
    Form form;
    // "ab-1" starts two stored IDs; nothing is completed and the letter case stays.
    UiTest::type(form.key, QStringLiteral("ab-1"));
    QCOMPARE(form.key->currentText(), QString("ab-1"));
    QTest::keyClick(form.key, Qt::Key_Return);
    QCOMPARE(form.key->count(), 3);
    QCOMPARE(form.key->currentText(), QString("ab-1"));
}

void tst_FormLayout::rowsNameTheirControls() {
    QWidget window;
    auto *txtAddress1 = named<QLineEdit>(&window, "txtAddress1");
    auto *cmbStatus = named<QComboBox>(&window, "cmbStatus");
    auto *plain = named<QLineEdit>(&window, "txtPlain");
    auto *column = new QVBoxLayout(&window);
    column->addLayout(addressColumn({{QStringLiteral("Address 1"), txtAddress1}, {QStringLiteral("Status"), cmbStatus}}));
    column->addLayout(labelledRows({{QStringLiteral("Plain:"), plain}}));

    const struct {
        const char *label;
        const char *text;
        QWidget *control;
    } rows[] = {{"lblAddress1", "Address 1", txtAddress1}, {"lblStatus", "Status", cmbStatus}};
    for (const auto &row : rows) {
        auto *label = UiTest::child<QLabel>(&window, row.label);
        QCOMPARE(label->text(), QString(row.text));
        QCOMPARE(label->buddy(), row.control);
    }
    // The rows of an entry tab keep their labels unnamed.
    QLabel *plainLabel = nullptr;
    for (QLabel *label : window.findChildren<QLabel *>())
        if (label->buddy() == plain) plainLabel = label;
    QVERIFY(plainLabel);
    QCOMPARE(plainLabel->text(), QString("Plain:"));
    QCOMPARE(plainLabel->objectName(), QString());
}

void tst_FormLayout::tabFollowsTheGivenOrder() {
    QWidget window;
    auto *first = named<QLineEdit>(&window, "txtFirst");
    auto *second = named<QLineEdit>(&window, "txtSecond");
    auto *third = named<QPushButton>(&window, "btnThird", QStringLiteral("Third"));
    auto *column = new QVBoxLayout(&window);
    for (QWidget *w : {static_cast<QWidget *>(third), static_cast<QWidget *>(first), static_cast<QWidget *>(second)})
        column->addWidget(w);
    tabOrder({second, third, first});
    // The Tab key passes over what takes no focus (the window itself).
    const auto next = [](QWidget *w) {
        do w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    QCOMPARE(next(second), third);
    QCOMPARE(next(third), first);
    QCOMPARE(next(first), second);
}

QTEST_MAIN(tst_FormLayout)
#include "tst_formlayout.moc"
