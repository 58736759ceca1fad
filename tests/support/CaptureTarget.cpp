#include "tests/support/CaptureTarget.h"

CaptureTarget::CaptureTarget() : m_previous(&Reports::printTarget()) { Reports::setPrintTarget(this); }

CaptureTarget::~CaptureTarget() { Reports::setPrintTarget(m_previous); }

void CaptureTarget::print(const Document &document, const QString &templateName) { record(document, templateName, false); }

void CaptureTarget::preview(const Document &document, const QString &templateName) { record(document, templateName, true); }

void CaptureTarget::record(const Document &document, const QString &templateName, bool preview) {
    CapturedDocument captured;
    captured.preview = preview;
    captured.templateName = templateName;
    captured.texts = document.textsSet;
    captured.hidden = document.hidden;
    for (int i = 0; i < document.pageCount(); ++i) captured.pages.append(document.pageText(i));
    captured.document = document;
    documents.append(captured);
}

QStringList CaptureTarget::templates() const {
    QStringList names;
    for (const auto &d : documents) names.append(d.templateName);
    return names;
}

QString CapturedDocument::text(const QString &objectName) const {
    for (const auto &t : texts)
        if (t.first == objectName) return t.second;
    return QString();
}

QStringList CapturedDocument::lines() const {
    QStringList all;
    for (int i = 0; i < document.pageCount(); ++i) all += document.pageLines(i);
    return all;
}

bool CapturedDocument::contains(const QString &fragment) const {
    for (const QString &line : lines())
        if (line.contains(fragment)) return true;
    return false;
}
