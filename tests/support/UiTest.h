#pragma once
// Driving windows in tests as a clerk would: controls are found by objectName and
// worked with clicks and keys.

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <QString>
#include <QTest>
#include <QWidget>

namespace UiTest {

// The child control with the given objectName; fails the running test (and throws, so
// the test stops) when there is none of that type.
template <class T>
T *child(QWidget *window, const QString &name) {
    T *found = window->findChild<T *>(name);
    if (!found) {
        QTest::qFail(qPrintable(QStringLiteral("no control named ") + name), __FILE__, __LINE__);
        throw std::runtime_error("missing control");
    }
    return found;
}

// Gives the control the focus, selects what it holds and types the text key by key.
void type(QWidget *box, const QString &text);
// Empties a text box or editable combo with keys (select all, delete).
void clear(QWidget *box);
// Picks the entry with exactly this text, as a click in the open list would.
void pick(QComboBox *combo, const QString &text);
// Clicks a button (or any widget) with the left mouse button.
void click(QWidget *widget);
// Shows the window and waits until it is exposed.
void show(QWidget *window);
// Opens every node of a tree, as a clerk opens them all to see the whole of it; a node
// whose children are read when it opens gets them.
void openAll(QTreeWidget *tree);

}  // namespace UiTest
