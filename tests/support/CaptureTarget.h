#pragma once
// A print target for tests: records every printed or previewed document in order, with
// its template, the text objects set, the hidden sections and the text of every page.
// Installed for its lifetime; the previous target comes back afterwards.

#include "reports/Document.h"
#include "reports/PrintTarget.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

struct CapturedDocument {
    bool preview = false;               // previewed rather than printed
    QString templateName;
    QVector<QPair<QString, QString>> texts;  // text objects set, in the order first set
    QStringList hidden;                 // hidden sections and objects
    QVector<QStringList> pages;         // pageText of every page
    Document document;

    // The text set on a named text object ("" when it was not set).
    QString text(const QString &objectName) const;
    // Every page's lines (items of one line joined by " | "), pages one after another.
    QStringList lines() const;
    // True when any line of any page contains the fragment.
    bool contains(const QString &fragment) const;
};

class CaptureTarget : public PrintTarget {
public:
    CaptureTarget();
    ~CaptureTarget() override;
    CaptureTarget(const CaptureTarget &) = delete;
    CaptureTarget &operator=(const CaptureTarget &) = delete;

    void print(const Document &document, const QString &templateName) override;
    void preview(const Document &document, const QString &templateName) override;

    QVector<CapturedDocument> documents;
    // The template names of the captured documents, in order.
    QStringList templates() const;
    void clear() { documents.clear(); }

private:
    void record(const Document &document, const QString &templateName, bool preview);
    PrintTarget *m_previous;
};
