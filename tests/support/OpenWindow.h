#pragma once
// A window opened for one test as the menu opens it: created, shown and exposed, and
// deleted at the end of the test unless it closed itself. Its controls are found by
// objectName, as a clerk finds them by their place on the screen.
//
//   struct Admin : OpenWindow<frmStyle> {};
//   Admin admin;
//   UiTest::type(admin.combo("cmbBunID"), "B-48");
//   admin.press("btnBunSave");

#include "widgets/NumberBox.h"
#include "tests/support/UiTest.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>

template <class W>
struct OpenWindow {
    QPointer<W> w = new W;

    OpenWindow() { UiTest::show(w); }
    ~OpenWindow() { delete w; }
    OpenWindow(const OpenWindow &) = delete;
    OpenWindow &operator=(const OpenWindow &) = delete;

    // True once the window has closed and gone.
    bool closed() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return w.isNull();
    }

    QComboBox *combo(const QString &name) const { return UiTest::child<QComboBox>(w, name); }
    QLineEdit *line(const QString &name) const { return UiTest::child<QLineEdit>(w, name); }
    NumberBox *number(const QString &name) const { return UiTest::child<NumberBox>(w, name); }
    void press(const QString &name) const { UiTest::click(UiTest::child<QPushButton>(w, name)); }
};
