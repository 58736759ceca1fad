#pragma once
// A report template as read from its XML file (reports/templates/README.md describes
// the format): page set-up, groups, bands of cells, named formulas and subreports.
// Sizes and positions are kept in millimetres, as written in the file.

#include "data/RowSet.h"
#include "reports/Document.h"
#include "reports/Formula.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class ReportTemplate;

enum class SectionKind { ReportHeader, PageHeader, ColumnHeader, GroupHeader, Detail, GroupFooter, ReportFooter, PageFooter };

// A subreport's link: it shows only its rows whose field `sub` equals the field `main`
// of the row of the band it is placed in.
struct SubreportLink {
    QString main;
    QString sub;
};

struct ReportObject {
    enum Kind { Text, Field, Line, Box, Subreport };
    Kind kind = Text;
    QString name;
    double x = 0, y = 0, width = 0, height = 0;  // mm; a line runs from (x, y) to (x2, y2)
    double x2 = 0, y2 = 0;
    DocumentFont font;
    int alignment = 0x0001;  // Qt::AlignLeft
    bool canGrow = false;
    QString text;                    // Text: its text
    Formula::Expression expression;  // Field: the field or formula it shows
    QString format;                  // picture for numbers, date format, "Y;N" for yes/no
    double lineWidth = 0.5;          // points
    bool filled = false;
    Formula::Expression visible;  // shown only where this holds (empty: always)
    std::shared_ptr<ReportTemplate> subreport;  // Subreport: its own template
    QVector<SubreportLink> links;               // Subreport: empty when it shows all its rows
};

struct ReportSection {
    SectionKind kind = SectionKind::Detail;
    QString name;
    int group = -1;      // group headers and footers: the group's index
    double height = 0;   // mm
    Formula::Expression visible;  // placed only where this holds (empty: always)
    QVector<ReportObject> objects;
};

struct ReportGroup {
    QString name;
    Formula::Expression key;
    bool newPageBefore = false;       // every group but the first starts a page
    bool newPageAfter = false;        // what follows a group starts a page
    bool restartPageNumbers = false;  // each group is numbered from page 1 (starts a page)
    bool repeatHeader = false;        // its headers repeat on the pages it continues on
};

struct NamedFormula {
    QString name;
    Formula::Expression expression;
};

struct PageSetup {
    QString size = QStringLiteral("Letter");  // Letter, Legal or A4
    bool landscape = false;
    double left = 12.7, right = 12.7, top = 12.7, bottom = 12.7;  // margins, mm
    QSizeF sizePoints() const;  // as oriented
};

class ReportTemplate {
public:
    // The template of that name from the application's resources; a name that does not
    // exist throws AppError(ReportError) naming it.
    static std::shared_ptr<ReportTemplate> load(const QString &name);
    // A template from XML text; source names it in error messages.
    static std::shared_ptr<ReportTemplate> parse(const QByteArray &xml, const QString &source);
    // The names of every template among the resources, sorted.
    static QStringList available();

    QString name;
    PageSetup page;
    DocumentFont font;
    QVector<ReportGroup> groups;
    QVector<ReportSection> sections;
    QVector<NamedFormula> formulas;
    // A linked subreport: the fields of its own rows that its links compare.
    QStringList linkFields;

    int groupIndex(const QString &name) const;  // -1 when none
    const NamedFormula *formula(const QString &name) const;
    // A text object (a <text> cell) by name, searched in this template only.
    const ReportObject *textObject(const QString &name) const;
    // A subreport object by name, searched in this template only.
    const ReportObject *subreportObject(const QString &name) const;
    bool hasSectionOrObject(const QString &name) const;

    // The field names the template reads (cells, formulas, group keys) that the columns
    // do not have; subreports are checked against their own rows separately.
    QStringList unknownFields(const QVector<RowSetColumn> &columns) const;
    // Every field name the template reads (its subreports' links compare included), the
    // subreports' own cells excluded.
    QStringList fieldNames() const;
};
