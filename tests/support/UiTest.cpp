#include "tests/support/UiTest.h"

#include <QAbstractButton>
#include <QApplication>

namespace UiTest {

static QWidget *editorOf(QWidget *box) {
    if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->isEditable())
        return combo->lineEdit();
    return box;
}

void type(QWidget *box, const QString &text) {
    box->setFocus(Qt::OtherFocusReason);
    QWidget *editor = editorOf(box);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) line->selectAll();
    QTest::keyClicks(editor, text);
}

void clear(QWidget *box) {
    box->setFocus(Qt::OtherFocusReason);
    QWidget *editor = editorOf(box);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
    }
}

void pick(QComboBox *combo, const QString &text) {
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index < 0) {
        QTest::qFail(qPrintable(QStringLiteral("no entry '%1' in %2").arg(text, combo->objectName())),
                     __FILE__, __LINE__);
        throw std::runtime_error("missing entry");
    }
    combo->setFocus(Qt::OtherFocusReason);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

void click(QWidget *widget) {
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        button->click();  // works for buttons that lie outside the visible part of a tab
        return;
    }
    QTest::mouseClick(widget, Qt::LeftButton);
}

void openAll(QTreeWidget *tree) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it) (*it)->setExpanded(true);
}

void show(QWidget *window) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

}  // namespace UiTest
