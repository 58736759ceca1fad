#pragma once
// The steps every document builder shares: open the query on AppDatabase(), create the
// report from its template, bind the rows, discard saved data and read records. The
// query is opened forward-only and its rows flow into the layout as it reaches them
// (RowStream.h): nothing is copied before the layout begins, and the set closes when
// its last row is read. The builder then sets texts, hides sections, prints or
// previews, and lets the job go, which releases the report.

#include "reports/Report.h"

#include <QString>
#include <QVector>
#include <memory>
#include <utility>

struct ReportJob {
    std::unique_ptr<Report> report;
};

// Opens the query and fills a report from the template with its rows.
ReportJob OpenReport(const QString &templateName, const QString &sql);
// Fills a report from the template with the rows of a stream.
ReportJob OpenReport(const QString &templateName, std::shared_ptr<RowStream> rows);

// Whether the builders' rows flow into the layout as they are read (the default), or
// are read whole before the layout begins; the whole reading is what a streamed
// document is checked against.
void SetRowsStreamed(bool streamed);
bool RowsStreamed();

// Texts set on a report before it prints or previews: object name, text.
using ReportTexts = QVector<std::pair<QString, QString>>;

// The whole run of a single-query document shown in the preview window: busy pointer,
// query, report, bind, discard and read, texts, preview, close, default pointer.
void PreviewQuery(const QString &templateName, const QString &sql, const ReportTexts &texts = {});
// The same, printed as one copy without a dialog.
void PrintQuery(const QString &templateName, const QString &sql, const ReportTexts &texts = {});
