#pragma once
// One report made from a named template, as a document builder uses it:
//
//   auto report = Report::create("crptBunListing");
//   report->bind(rows.rowSet());
//   report->discardSavedData();
//   report->readRecords();
//   report->setText("txtHeading", "CNC 2 Team 1");
//   report->hide("GroupFooterStatus");
//   report->printOut();            // or preview()
//
// Every name a builder gives (template, text object, section or object, subreport) must
// exist; otherwise the call throws AppError(ErrorNumber::ReportError) naming it.

#include "data/RowSet.h"
#include "reports/Document.h"
#include "reports/ReportTemplate.h"
#include "reports/RowStream.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <map>
#include <memory>

class Report {
public:
    static std::unique_ptr<Report> create(const QString &templateName);
    explicit Report(std::shared_ptr<const ReportTemplate> reportTemplate);
    ~Report();
    // A copy holding what this report holds now (rows, texts, hidden parts, subreports),
    // for a preview that lays the report out after the builder has let it go. Rows are
    // shared, not copied.
    std::unique_ptr<Report> snapshot() const;

    QString templateName() const { return m_template->name; }
    const ReportTemplate &reportTemplate() const { return *m_template; }

    // Hands rows to the report as the data of its (first) table.
    void bind(const RowSet &rows);
    // Hands rows to the report that the layout reads from the stream as it reaches them
    // (a main report's rows; subreports take theirs whole).
    void bind(std::shared_ptr<RowStream> rows);
    // The subreport placed in this report under that object name, to bind or set texts.
    Report &subreport(const QString &name);
    // Forgets the rows the report and its subreports hold.
    void discardSavedData();
    // Takes the bound rows as the report's data, and its subreports' bound rows as
    // theirs; a field a template reads that its rows lack throws AppError(ReportError)
    // naming it.
    void readRecords();
    // Replaces the text of a named text object.
    void setText(const QString &objectName, const QString &text);
    // Suppresses a named section or report object.
    void hide(const QString &name);

    // Lays the report out with the rows, texts and hidden parts it holds now.
    Document render() const;
    // One copy on the run-wide print target.
    void printOut() const;
    // Shows the report in the preview window through the run-wide print target.
    void preview() const;

    // For the layout: what the report holds.
    const RowSet &rows() const { return m_stream ? m_stream->rows() : m_rows; }
    // The stream the rows come from, or nullptr when the report holds them whole.
    const std::shared_ptr<RowStream> &stream() const { return m_stream; }
    QString textOf(const ReportObject &object) const;
    bool isHidden(const QString &name) const { return !name.isEmpty() && m_hidden.contains(name); }
    const Report *boundSubreport(const QString &name) const;
    const QVector<QPair<QString, QString>> &textsSet() const { return m_textsSet; }
    QStringList hiddenNames() const { return m_hiddenOrder; }

private:
    std::shared_ptr<const ReportTemplate> m_template;
    RowSet m_bound;
    bool m_hasBound = false;
    RowSet m_rows;
    std::shared_ptr<RowStream> m_boundStream, m_stream;
    QVector<QPair<QString, QString>> m_textsSet;
    QSet<QString> m_hidden;
    QStringList m_hiddenOrder;
    std::map<QString, std::unique_ptr<Report>> m_subreports;
};

// Writes a field-definition file describing the rows' columns: one line per column,
// tab-separated name, type (String, Number, Currency, Date, Boolean, Long, Short, Memo)
// and, for strings, the maximum length. Trailing blanks of the path are dropped and
// backslashes read as folder separators; the folder is created when missing. With
// overwrite false an existing file is left as it is.
void CreateFieldDefFile(const RowSet &rows, const QString &path, bool overwrite = true);
