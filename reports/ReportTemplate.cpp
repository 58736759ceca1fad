#include "reports/ReportTemplate.h"

#include "core/AppError.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPageSize>
#include <QXmlStreamReader>

// The templates are compiled into the library as a resource; a static library has to
// register it explicitly, from outside any namespace.
static void initTemplateResources() {
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(reports);
        done = true;
    }
}

namespace {

const QString TemplateFolder = QStringLiteral(":/reports/templates");

[[noreturn]] void reportError(const QString &text) { throw AppError(ErrorNumber::ReportError, text); }

class TemplateReader {
public:
    TemplateReader(const QByteArray &xml, const QString &source) : m_xml(xml), m_source(source) {}

    std::shared_ptr<ReportTemplate> read() {
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isStartElement()) {
                if (m_xml.name() != QLatin1String("report")) fail(QStringLiteral("the root element must be <report>"));
                auto t = readReport(nullptr);
                if (m_xml.hasError()) fail(m_xml.errorString());
                return t;
            }
        }
        fail(m_xml.hasError() ? m_xml.errorString() : QStringLiteral("no <report> element"));
    }

private:
    [[noreturn]] void fail(const QString &why) const {
        reportError(QStringLiteral("Report template %1, line %2: %3").arg(m_source).arg(m_xml.lineNumber()).arg(why));
    }

    void allowOnly(std::initializer_list<const char *> names) {
        for (const QXmlStreamAttribute &a : m_xml.attributes()) {
            bool ok = false;
            for (const char *n : names)
                if (a.name() == QLatin1String(n)) ok = true;
            if (!ok) fail(QStringLiteral("<%1> has no attribute '%2'").arg(m_xml.name().toString(), a.name().toString()));
        }
    }
    QString attr(const char *name, const QString &fallback = QString()) const {
        const auto attrs = m_xml.attributes();
        return attrs.hasAttribute(QLatin1String(name)) ? attrs.value(QLatin1String(name)).toString() : fallback;
    }
    bool has(const char *name) const { return m_xml.attributes().hasAttribute(QLatin1String(name)); }
    double number(const char *name, double fallback) const {
        if (!has(name)) return fallback;
        bool ok = false;
        const double v = attr(name).toDouble(&ok);
        if (!ok) fail(QStringLiteral("'%1' must be a number, not '%2'").arg(QLatin1String(name), attr(name)));
        return v;
    }
    bool flag(const char *name, bool fallback) const {
        if (!has(name)) return fallback;
        const QString v = attr(name).toLower();
        if (v == QLatin1String("true") || v == QLatin1String("yes") || v == QLatin1String("1")) return true;
        if (v == QLatin1String("false") || v == QLatin1String("no") || v == QLatin1String("0")) return false;
        fail(QStringLiteral("'%1' must be true or false, not '%2'").arg(QLatin1String(name), attr(name)));
    }
    // The visibility formula of a section or cell; empty when it has none.
    Formula::Expression visibility() const { return has("visible") ? formula(attr("visible")) : Formula::Expression(); }

    Formula::Expression formula(const QString &text) const {
        try {
            return Formula::Expression::parse(text);
        } catch (const AppError &e) {
            fail(e.description());
        }
    }

    DocumentFont readFont(const DocumentFont &inherited) {
        DocumentFont f = inherited;
        f.family = attr("font", f.family);
        f.size = number("size", f.size);
        f.bold = flag("bold", f.bold);
        f.italic = flag("italic", f.italic);
        f.underline = flag("underline", f.underline);
        return f;
    }

    std::shared_ptr<ReportTemplate> readReport(const ReportTemplate *parent) {
        allowOnly({"name", "font", "size", "bold", "italic"});
        auto t = std::make_shared<ReportTemplate>();
        t->name = attr("name", parent ? QString() : m_source);
        DocumentFont base;
        base.family = parent ? parent->font.family : QString();
        base.size = parent ? parent->font.size : 9;
        t->font = readFont(base);
        if (t->font.family.isEmpty()) fail(QStringLiteral("<report> must name its font"));
        if (parent) t->page = parent->page;

        while (m_xml.readNextStartElement()) {
            const auto el = m_xml.name();
            if (el == QLatin1String("page")) {
                allowOnly({"size", "orientation", "left", "right", "top", "bottom"});
                t->page.size = attr("size", t->page.size);
                if (t->page.size != QLatin1String("Letter") && t->page.size != QLatin1String("Legal") &&
                    t->page.size != QLatin1String("A4"))
                    fail(QStringLiteral("page size must be Letter, Legal or A4, not '%1'").arg(t->page.size));
                const QString o = attr("orientation", QStringLiteral("portrait"));
                if (o != QLatin1String("portrait") && o != QLatin1String("landscape"))
                    fail(QStringLiteral("orientation must be portrait or landscape, not '%1'").arg(o));
                t->page.landscape = o == QLatin1String("landscape");
                t->page.left = number("left", t->page.left);
                t->page.right = number("right", t->page.right);
                t->page.top = number("top", t->page.top);
                t->page.bottom = number("bottom", t->page.bottom);
                m_xml.skipCurrentElement();
            } else if (el == QLatin1String("formula")) {
                allowOnly({"name"});
                NamedFormula f;
                f.name = attr("name");
                if (f.name.isEmpty()) fail(QStringLiteral("a <formula> needs a name"));
                if (t->formula(f.name)) fail(QStringLiteral("formula '%1' is defined twice").arg(f.name));
                f.expression = formula(m_xml.readElementText().trimmed());
                t->formulas.append(f);
            } else if (el == QLatin1String("group")) {
                allowOnly({"name", "key", "newPageBefore", "newPageAfter", "restartPageNumbers", "repeatHeader"});
                ReportGroup g;
                g.name = attr("name");
                if (g.name.isEmpty()) fail(QStringLiteral("a <group> needs a name"));
                if (t->groupIndex(g.name) >= 0) fail(QStringLiteral("group '%1' is defined twice").arg(g.name));
                g.key = formula(attr("key"));
                g.newPageBefore = flag("newPageBefore", false);
                g.newPageAfter = flag("newPageAfter", false);
                g.restartPageNumbers = flag("restartPageNumbers", false);
                g.repeatHeader = flag("repeatHeader", false);
                t->groups.append(g);
                m_xml.skipCurrentElement();
            } else if (el == QLatin1String("section")) {
                t->sections.append(readSection(*t));
            } else {
                fail(QStringLiteral("unexpected <%1> in <report>").arg(el.toString()));
            }
        }
        checkFormulaReferences(*t);
        return t;
    }

    ReportSection readSection(ReportTemplate &t) {
        allowOnly({"type", "name", "height", "group", "visible"});
        static const QHash<QString, SectionKind> kinds = {
            {QStringLiteral("reportHeader"), SectionKind::ReportHeader},
            {QStringLiteral("pageHeader"), SectionKind::PageHeader},
            {QStringLiteral("columnHeader"), SectionKind::ColumnHeader},
            {QStringLiteral("groupHeader"), SectionKind::GroupHeader},
            {QStringLiteral("detail"), SectionKind::Detail},
            {QStringLiteral("groupFooter"), SectionKind::GroupFooter},
            {QStringLiteral("reportFooter"), SectionKind::ReportFooter},
            {QStringLiteral("pageFooter"), SectionKind::PageFooter},
        };
        ReportSection s;
        const QString type = attr("type");
        if (!kinds.contains(type)) fail(QStringLiteral("unknown section type '%1'").arg(type));
        s.kind = kinds.value(type);
        s.name = attr("name");
        s.height = number("height", 0);
        s.visible = visibility();
        if (s.kind == SectionKind::GroupHeader || s.kind == SectionKind::GroupFooter) {
            s.group = t.groupIndex(attr("group"));
            if (s.group < 0) fail(QStringLiteral("the section names no defined group ('%1')").arg(attr("group")));
        } else if (has("group")) {
            fail(QStringLiteral("only group headers and footers name a group"));
        }
        while (m_xml.readNextStartElement()) s.objects.append(readObject(t));
        return s;
    }

    void readPlacement(ReportObject &o, const ReportTemplate &t) {
        o.name = attr("name");
        o.x = number("x", 0);
        o.y = number("y", 0);
        o.width = number("width", 0);
        o.font = readFont(t.font);
        // One line of the cell's font (1.2 em) unless the file says otherwise.
        o.height = number("height", o.font.size * 1.2 * 25.4 / 72.0);
        const QString align = attr("align", QStringLiteral("left"));
        if (align == QLatin1String("left")) o.alignment = 0x0001;
        else if (align == QLatin1String("right")) o.alignment = 0x0002;
        else if (align == QLatin1String("center")) o.alignment = 0x0004;
        else fail(QStringLiteral("align must be left, center or right, not '%1'").arg(align));
        o.canGrow = flag("canGrow", false);
        if (o.width <= 0) fail(QStringLiteral("<%1> needs a width").arg(m_xml.name().toString()));
    }

    ReportObject readObject(const ReportTemplate &t) {
        ReportObject o;
        const auto el = m_xml.name();
        o.visible = visibility();
        if (el == QLatin1String("text")) {
            allowOnly({"name", "x", "y", "width", "height", "font", "size", "bold", "italic", "underline", "align", "canGrow",
                       "visible"});
            o.kind = ReportObject::Text;
            readPlacement(o, t);
            o.text = m_xml.readElementText();
        } else if (el == QLatin1String("field")) {
            allowOnly({"name", "x", "y", "width", "height", "font", "size", "bold", "italic", "underline", "align",
                       "canGrow", "field", "formula", "format", "visible"});
            o.kind = ReportObject::Field;
            readPlacement(o, t);
            if (has("field") == has("formula")) fail(QStringLiteral("a <field> has either field= or formula="));
            o.expression = has("field") ? Formula::Expression::field(attr("field")) : formula(attr("formula"));
            o.format = attr("format");
            m_xml.skipCurrentElement();
        } else if (el == QLatin1String("line")) {
            allowOnly({"name", "x1", "y1", "x2", "y2", "width", "visible"});
            o.kind = ReportObject::Line;
            o.name = attr("name");
            o.x = number("x1", 0);
            o.y = number("y1", 0);
            o.x2 = number("x2", o.x);
            o.y2 = number("y2", o.y);
            o.lineWidth = number("width", 0.5);
            m_xml.skipCurrentElement();
        } else if (el == QLatin1String("box")) {
            allowOnly({"name", "x", "y", "width", "height", "border", "fill", "visible"});
            o.kind = ReportObject::Box;
            o.name = attr("name");
            o.x = number("x", 0);
            o.y = number("y", 0);
            o.width = number("width", 0);
            o.height = number("height", 0);
            o.lineWidth = number("border", 0.5);
            o.filled = flag("fill", false);
            if (o.width <= 0 || o.height <= 0) fail(QStringLiteral("a <box> needs a width and a height"));
            m_xml.skipCurrentElement();
        } else if (el == QLatin1String("subreport")) {
            allowOnly({"name", "x", "y", "width", "visible"});
            o.kind = ReportObject::Subreport;
            o.name = attr("name");
            o.x = number("x", 0);
            o.y = number("y", 0);
            o.width = number("width", 0);
            if (o.name.isEmpty()) fail(QStringLiteral("a <subreport> needs a name"));
            readSubreport(o, t);
        } else {
            fail(QStringLiteral("unexpected <%1> in a section").arg(el.toString()));
        }
        return o;
    }

    // The content of a <subreport>: its <link>s and one <report>.
    void readSubreport(ReportObject &o, const ReportTemplate &t) {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("link")) {
                allowOnly({"main", "sub"});
                const SubreportLink link{attr("main").trimmed(), attr("sub").trimmed()};
                if (link.main.isEmpty() || link.sub.isEmpty())
                    fail(QStringLiteral("a <link> names a field of the main report (main=) and one of the subreport (sub=)"));
                o.links.append(link);
                m_xml.skipCurrentElement();
            } else if (m_xml.name() == QLatin1String("report") && !o.subreport) {
                o.subreport = readReport(&t);
                if (o.subreport->name.isEmpty()) o.subreport->name = o.name;
            } else {
                fail(QStringLiteral("a <subreport> holds its <link>s and one <report>"));
            }
        }
        if (!o.subreport) fail(QStringLiteral("a <subreport> holds its <link>s and one <report>"));
        for (const SubreportLink &link : o.links) o.subreport->linkFields.append(link.sub);
    }

    // A formula may name only formulas of its template, and never itself through others.
    void checkFormulaReferences(const ReportTemplate &t) {
        auto check = [&](const Formula::Expression &e) {
            for (const QString &ref : e.formulaNames())
                if (!t.formula(ref)) fail(QStringLiteral("formula '%1' is not defined").arg(ref));
        };
        for (const auto &f : t.formulas) check(f.expression);
        for (const auto &g : t.groups) check(g.key);
        for (const auto &s : t.sections) {
            check(s.visible);
            for (const auto &o : s.objects) {
                check(o.expression);
                check(o.visible);
            }
        }
        for (const auto &f : t.formulas) {
            QStringList path{f.name};
            checkCycle(t, f, path);
        }
    }
    void checkCycle(const ReportTemplate &t, const NamedFormula &f, QStringList &path) {
        for (const QString &ref : f.expression.formulaNames()) {
            if (path.contains(ref)) fail(QStringLiteral("formula '%1' refers to itself").arg(ref));
            path.append(ref);
            checkCycle(t, *t.formula(ref), path);
            path.removeLast();
        }
    }

    QXmlStreamReader m_xml;
    QString m_source;
};

}  // namespace

QSizeF PageSetup::sizePoints() const {
    QPageSize::PageSizeId id = QPageSize::Letter;
    if (size == QLatin1String("Legal")) id = QPageSize::Legal;
    else if (size == QLatin1String("A4")) id = QPageSize::A4;
    const QSizeF s = QPageSize(id).size(QPageSize::Point);
    return landscape ? s.transposed() : s;
}

std::shared_ptr<ReportTemplate> ReportTemplate::load(const QString &name) {
    initTemplateResources();
    QFile file(TemplateFolder + QLatin1Char('/') + name + QStringLiteral(".xml"));
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly))
        reportError(QStringLiteral("Report template '%1' does not exist").arg(name));
    return parse(file.readAll(), name);
}

std::shared_ptr<ReportTemplate> ReportTemplate::parse(const QByteArray &xml, const QString &source) {
    return TemplateReader(xml, source).read();
}

QStringList ReportTemplate::available() {
    initTemplateResources();
    QStringList names;
    for (const QString &file : QDir(TemplateFolder).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name))
        names.append(file.chopped(4));
    return names;
}

int ReportTemplate::groupIndex(const QString &groupName) const {
    for (int i = 0; i < groups.size(); ++i)
        if (groups.at(i).name == groupName) return i;
    return -1;
}

const NamedFormula *ReportTemplate::formula(const QString &formulaName) const {
    for (const auto &f : formulas)
        if (f.name == formulaName) return &f;
    return nullptr;
}

const ReportObject *ReportTemplate::textObject(const QString &objectName) const {
    for (const auto &s : sections)
        for (const auto &o : s.objects)
            if (o.kind == ReportObject::Text && o.name == objectName && !objectName.isEmpty()) return &o;
    return nullptr;
}

const ReportObject *ReportTemplate::subreportObject(const QString &objectName) const {
    for (const auto &s : sections)
        for (const auto &o : s.objects)
            if (o.kind == ReportObject::Subreport && o.name == objectName && !objectName.isEmpty()) return &o;
    return nullptr;
}

bool ReportTemplate::hasSectionOrObject(const QString &objectName) const {
    if (objectName.isEmpty()) return false;
    for (const auto &s : sections) {
        if (s.name == objectName) return true;
        for (const auto &o : s.objects)
            if (o.name == objectName) return true;
    }
    return false;
}

QStringList ReportTemplate::fieldNames() const {
    QStringList names;
    auto add = [&names](const Formula::Expression &e) {
        for (const QString &n : e.fieldNames())
            if (!names.contains(n)) names.append(n);
    };
    for (const auto &f : formulas) add(f.expression);
    for (const auto &g : groups) add(g.key);
    for (const auto &s : sections) {
        add(s.visible);
        for (const auto &o : s.objects) {
            add(o.expression);
            add(o.visible);
            for (const SubreportLink &link : o.links)
                if (!names.contains(link.main)) names.append(link.main);
        }
    }
    for (const QString &n : linkFields)
        if (!names.contains(n)) names.append(n);
    return names;
}

QStringList ReportTemplate::unknownFields(const QVector<RowSetColumn> &columns) const {
    RowSet probe;
    probe.columns = columns;
    QStringList unknown;
    for (const QString &n : fieldNames())
        if (probe.indexOf(n) < 0) unknown.append(n);
    return unknown;
}
