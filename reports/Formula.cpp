#include "reports/Formula.h"

#include "core/AppError.h"
#include "core/Values.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <vector>

namespace Formula {

struct Node {
    enum Kind { Literal, Field, FormulaRef, Special, Negate, Not, Binary, Call };
    Kind kind = Literal;
    QVariant value;  // literal
    QString name;    // field, formula, special, operator or function name (lower case)
    std::vector<std::shared_ptr<const Node>> args;

    QVariant eval(const Context &context) const;
    void collect(Kind wanted, QStringList &out) const {
        if (kind == wanted && !out.contains(name)) out.append(name);
        for (const auto &a : args) a->collect(wanted, out);
    }
};

namespace {

const QStringList &specialNames() {
    static const QStringList names = {QStringLiteral("PageNumber"), QStringLiteral("TotalPages"),
                                      QStringLiteral("PrintDate"), QStringLiteral("RecordNumber"),
                                      QStringLiteral("InRepeatedGroupHeader")};
    return names;
}

bool isText(const QVariant &v) { return v.typeId() == QMetaType::QString; }
bool isDate(const QVariant &v) {
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
}
QDate dateOf(const QVariant &v) {
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
}

QVariant arithmetic(const QString &op, const QVariant &a, const QVariant &b) {
    if (op == QLatin1String("&")) return DisplayText(a) + DisplayText(b);
    if (op == QLatin1String("+") && (isText(a) || isText(b))) return DisplayText(a) + DisplayText(b);
    if (a.isNull() || b.isNull() || !a.isValid() || !b.isValid()) return {};
    double x = 0, y = 0;
    const bool xn = ToNumber(a, &x), yn = ToNumber(b, &y);
    if (isDate(a)) {
        if (op == QLatin1String("-") && isDate(b)) return double(dateOf(b).daysTo(dateOf(a)));
        if (yn && op == QLatin1String("+")) return dateOf(a).addDays(qint64(std::llround(y)));
        if (yn && op == QLatin1String("-")) return dateOf(a).addDays(-qint64(std::llround(y)));
        return {};
    }
    if (!xn || !yn) return {};
    if (op == QLatin1String("+")) return x + y;
    if (op == QLatin1String("-")) return x - y;
    if (op == QLatin1String("*")) return x * y;
    if (op == QLatin1String("/")) {
        if (y == 0) return {};  // division by zero: an empty value, never a crash
        return x / y;
    }
    return {};
}

QVariant compare(const QString &op, const QVariant &a, const QVariant &b) {
    if (a.isNull() || b.isNull() || !a.isValid() || !b.isValid()) return false;
    int c = 0;
    double x = 0, y = 0;
    if (isDate(a) && isDate(b)) {
        const QDate da = dateOf(a), db = dateOf(b);
        c = da < db ? -1 : (db < da ? 1 : 0);
    } else if (!isText(a) && !isText(b) && ToNumber(a, &x) && ToNumber(b, &y)) {
        c = x < y ? -1 : (y < x ? 1 : 0);
    } else if ((isText(a) != isText(b)) && ToNumber(a, &x) && ToNumber(b, &y)) {
        c = x < y ? -1 : (y < x ? 1 : 0);  // numeric text against a number
    } else {
        c = DisplayText(a).compare(DisplayText(b));
    }
    if (op == QLatin1String("=")) return c == 0;
    if (op == QLatin1String("<>")) return c != 0;
    if (op == QLatin1String("<")) return c < 0;
    if (op == QLatin1String(">")) return c > 0;
    if (op == QLatin1String("<=")) return c <= 0;
    return c >= 0;
}

}  // namespace

QVariant Node::eval(const Context &context) const {
    switch (kind) {
    case Literal:
        return value;
    case Field:
        return context.field(name);
    case FormulaRef:
        return context.namedFormula(name);
    case Special:
        return context.special(name);
    case Negate: {
        const QVariant v = args[0]->eval(context);
        double n = 0;
        if (!ToNumber(v, &n)) return {};
        return -n;
    }
    case Not:
        return !IsTrue(args[0]->eval(context));
    case Binary: {
        if (name == QLatin1String("and"))
            return IsTrue(args[0]->eval(context)) && IsTrue(args[1]->eval(context));
        if (name == QLatin1String("or"))
            return IsTrue(args[0]->eval(context)) || IsTrue(args[1]->eval(context));
        const QVariant a = args[0]->eval(context);
        const QVariant b = args[1]->eval(context);
        if (name == QLatin1String("=") || name == QLatin1String("<>") || name.startsWith(QLatin1Char('<')) ||
            name.startsWith(QLatin1Char('>')))
            return compare(name, a, b);
        return arithmetic(name, a, b);
    }
    case Call: {
        if (name == QLatin1String("if"))
            return IsTrue(args[0]->eval(context)) ? args[1]->eval(context) : args[2]->eval(context);
        if (name == QLatin1String("isnull")) {
            const QVariant v = args[0]->eval(context);
            return !v.isValid() || v.isNull();
        }
        if (name == QLatin1String("round")) {
            double x = 0, digits = 0;
            if (!ToNumber(args[0]->eval(context), &x)) return {};
            if (args.size() > 1) ToNumber(args[1]->eval(context), &digits);
            const double scale = std::pow(10.0, std::floor(digits));
            return std::round(x * scale) / scale;  // half away from zero
        }
        if (name == QLatin1String("lines")) {
            QStringList parts;
            for (const auto &a : args) {
                const QString t = DisplayText(a->eval(context)).trimmed();
                if (!t.isEmpty()) parts.append(t);
            }
            return parts.join(QLatin1Char('\n'));
        }
        if (name == QLatin1String("format"))
            return DisplayText(args[0]->eval(context), DisplayText(args[1]->eval(context)));
        // sum, count, min, max, first; sumonce takes its key before the scope
        const Expression argument = args.empty() ? Expression() : Expression(args[0], QString());
        const bool keyed = name == QLatin1String("sumonce");
        const Expression key = keyed ? Expression(args[1], QString()) : Expression();
        const size_t scopeAt = keyed ? 2 : 1;
        const QString scope = args.size() > scopeAt ? DisplayText(args[scopeAt]->eval(context)) : QString();
        return context.aggregate(name, argument, scope, key);
    }
    }
    return {};
}

// ---------------------------------------------------------------------------------------
// Parsing

class Parser {
public:
    explicit Parser(const QString &text) : m_text(text) {}

    Expression parse() {
        next();
        auto root = parseOr();
        if (m_tok.kind != Tok::End) fail(QStringLiteral("unexpected '%1'").arg(m_tok.text));
        return Expression(root, m_text);
    }

private:
    struct Tok {
        enum Kind { End, Number, Text, Field, FormulaRef, Ident, Op, LParen, RParen, Comma };
        Kind kind = End;
        QString text;
        double number = 0;
    };
    using NodePtr = std::shared_ptr<const Node>;

    [[noreturn]] void fail(const QString &why) const {
        throw AppError(ErrorNumber::ReportError,
                       QStringLiteral("Formula error in \"%1\": %2").arg(m_text, why));
    }

    void next() {
        const QString &s = m_text;
        while (m_pos < s.size() && s.at(m_pos).isSpace()) ++m_pos;
        m_tok = Tok();
        if (m_pos >= s.size()) return;
        const QChar c = s.at(m_pos);
        if (c == QLatin1Char('{')) {
            const int close = s.indexOf(QLatin1Char('}'), m_pos);
            if (close < 0) fail(QStringLiteral("a '{' without its '}'"));
            QString inner = s.mid(m_pos + 1, close - m_pos - 1).trimmed();
            m_pos = close + 1;
            if (inner.startsWith(QLatin1Char('@'))) {
                m_tok.kind = Tok::FormulaRef;
                m_tok.text = inner.mid(1).trimmed();
            } else {
                m_tok.kind = Tok::Field;
                m_tok.text = inner;
            }
            if (m_tok.text.isEmpty()) fail(QStringLiteral("an empty field name"));
            return;
        }
        if (c == QLatin1Char('@')) {
            int end = m_pos + 1;
            while (end < s.size() && (s.at(end).isLetterOrNumber() || s.at(end) == QLatin1Char('_'))) ++end;
            m_tok.kind = Tok::FormulaRef;
            m_tok.text = s.mid(m_pos + 1, end - m_pos - 1);
            if (m_tok.text.isEmpty()) fail(QStringLiteral("an empty formula name"));
            m_pos = end;
            return;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            QString value;
            int i = m_pos + 1;
            for (;;) {
                if (i >= s.size()) fail(QStringLiteral("text without its closing quote"));
                if (s.at(i) == c) {
                    if (i + 1 < s.size() && s.at(i + 1) == c) {
                        value += c;
                        i += 2;
                        continue;
                    }
                    break;
                }
                value += s.at(i++);
            }
            m_pos = i + 1;
            m_tok.kind = Tok::Text;
            m_tok.text = value;
            return;
        }
        if (c.isDigit() || (c == QLatin1Char('.') && m_pos + 1 < s.size() && s.at(m_pos + 1).isDigit())) {
            int end = m_pos;
            while (end < s.size() && (s.at(end).isDigit() || s.at(end) == QLatin1Char('.'))) ++end;
            bool ok = false;
            m_tok.number = s.mid(m_pos, end - m_pos).toDouble(&ok);
            if (!ok) fail(QStringLiteral("a malformed number '%1'").arg(s.mid(m_pos, end - m_pos)));
            m_tok.kind = Tok::Number;
            m_tok.text = s.mid(m_pos, end - m_pos);
            m_pos = end;
            return;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            int end = m_pos;
            while (end < s.size() &&
                   (s.at(end).isLetterOrNumber() || s.at(end) == QLatin1Char('_') || s.at(end) == QLatin1Char('.')))
                ++end;
            m_tok.kind = Tok::Ident;
            m_tok.text = s.mid(m_pos, end - m_pos);
            m_pos = end;
            return;
        }
        static const QStringList twoChar = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">=")};
        const QString two = s.mid(m_pos, 2);
        if (twoChar.contains(two)) {
            m_tok.kind = Tok::Op;
            m_tok.text = two;
            m_pos += 2;
            return;
        }
        m_pos += 1;
        m_tok.text = QString(c);
        if (c == QLatin1Char('(')) m_tok.kind = Tok::LParen;
        else if (c == QLatin1Char(')')) m_tok.kind = Tok::RParen;
        else if (c == QLatin1Char(',')) m_tok.kind = Tok::Comma;
        else if (QStringLiteral("+-*/&=<>").contains(c)) m_tok.kind = Tok::Op;
        else fail(QStringLiteral("unexpected '%1'").arg(c));
    }

    bool isWord(const char *word) const {
        return m_tok.kind == Tok::Ident && m_tok.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isOp(const char *op) const { return m_tok.kind == Tok::Op && m_tok.text == QLatin1String(op); }

    static NodePtr make(Node::Kind kind, const QString &name, std::vector<NodePtr> args = {}) {
        auto n = std::make_shared<Node>();
        n->kind = kind;
        n->name = name;
        n->args = std::move(args);
        return n;
    }

    NodePtr parseOr() {
        NodePtr left = parseAnd();
        while (isWord("or")) {
            next();
            left = make(Node::Binary, QStringLiteral("or"), {left, parseAnd()});
        }
        return left;
    }
    NodePtr parseAnd() {
        NodePtr left = parseNot();
        while (isWord("and")) {
            next();
            left = make(Node::Binary, QStringLiteral("and"), {left, parseNot()});
        }
        return left;
    }
    NodePtr parseNot() {
        if (isWord("not")) {
            next();
            return make(Node::Not, QString(), {parseNot()});
        }
        return parseComparison();
    }
    NodePtr parseComparison() {
        NodePtr left = parseAdditive();
        if (isOp("=") || isOp("<>") || isOp("<") || isOp(">") || isOp("<=") || isOp(">=")) {
            const QString op = m_tok.text;
            next();
            left = make(Node::Binary, op, {left, parseAdditive()});
        }
        return left;
    }
    NodePtr parseAdditive() {
        NodePtr left = parseMultiplicative();
        while (isOp("+") || isOp("-") || isOp("&")) {
            const QString op = m_tok.text;
            next();
            left = make(Node::Binary, op, {left, parseMultiplicative()});
        }
        return left;
    }
    NodePtr parseMultiplicative() {
        NodePtr left = parseUnary();
        while (isOp("*") || isOp("/")) {
            const QString op = m_tok.text;
            next();
            left = make(Node::Binary, op, {left, parseUnary()});
        }
        return left;
    }
    NodePtr parseUnary() {
        if (isOp("-")) {
            next();
            return make(Node::Negate, QString(), {parseUnary()});
        }
        if (isOp("+")) {
            next();
            return parseUnary();
        }
        return parsePrimary();
    }
    NodePtr parsePrimary() {
        const Tok tok = m_tok;
        switch (tok.kind) {
        case Tok::Number: {
            next();
            auto n = std::make_shared<Node>();
            n->kind = Node::Literal;
            n->value = tok.number;
            return n;
        }
        case Tok::Text: {
            next();
            auto n = std::make_shared<Node>();
            n->kind = Node::Literal;
            n->value = tok.text;
            return n;
        }
        case Tok::Field:
            next();
            return make(Node::Field, tok.text);
        case Tok::FormulaRef:
            next();
            return make(Node::FormulaRef, tok.text);
        case Tok::LParen: {
            next();
            NodePtr inner = parseOr();
            expect(Tok::RParen, ")");
            return inner;
        }
        case Tok::Ident: {
            next();
            if (m_tok.kind == Tok::LParen) return parseCall(tok.text);
            if (tok.text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
                tok.text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
                auto n = std::make_shared<Node>();
                n->kind = Node::Literal;
                n->value = tok.text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
                return n;
            }
            for (const QString &special : specialNames())
                if (special.compare(tok.text, Qt::CaseInsensitive) == 0) return make(Node::Special, special);
            return make(Node::Field, tok.text);
        }
        default:
            if (tok.kind == Tok::End) fail(QStringLiteral("it ends too soon"));
            fail(QStringLiteral("unexpected '%1'").arg(tok.text));
        }
    }

    NodePtr parseCall(const QString &rawName) {
        const QString name = rawName.toLower();
        struct Arity { const char *name; int min, max; };
        static const Arity known[] = {{"if", 3, 3},  {"sum", 1, 2},   {"count", 0, 2},
                                      {"min", 1, 2}, {"max", 1, 2},   {"first", 1, 2}, {"sumonce", 2, 3}, {"round", 1, 2},
                                      {"isnull", 1, 1}, {"format", 2, 2}, {"lines", 1, 20}};
        const Arity *arity = nullptr;
        for (const Arity &a : known)
            if (name == QLatin1String(a.name)) arity = &a;
        if (!arity) fail(QStringLiteral("unknown function '%1'").arg(rawName));
        next();  // (
        std::vector<NodePtr> args;
        if (m_tok.kind != Tok::RParen) {
            args.push_back(parseOr());
            while (m_tok.kind == Tok::Comma) {
                next();
                args.push_back(parseOr());
            }
        }
        expect(Tok::RParen, ")");
        if (int(args.size()) < arity->min || int(args.size()) > arity->max)
            fail(QStringLiteral("%1 takes %2 argument(s), not %3")
                     .arg(rawName)
                     .arg(arity->min == arity->max ? QString::number(arity->min)
                                                   : QStringLiteral("%1 to %2").arg(arity->min).arg(arity->max))
                     .arg(args.size()));
        return make(Node::Call, name, std::move(args));
    }

    void expect(Tok::Kind kind, const char *what) {
        if (m_tok.kind != kind) fail(QStringLiteral("expected '%1'").arg(QLatin1String(what)));
        next();
    }

    QString m_text;
    int m_pos = 0;
    Tok m_tok;
};

Expression Expression::parse(const QString &text) {
    if (text.trimmed().isEmpty())
        throw AppError(ErrorNumber::ReportError, QStringLiteral("Formula error: the formula is empty"));
    return Parser(text).parse();
}

Expression Expression::field(const QString &name) {
    auto n = std::make_shared<Node>();
    n->kind = Node::Field;
    n->name = name;
    return Expression(n, QLatin1Char('{') + name + QLatin1Char('}'));
}

QVariant Expression::evaluate(const Context &context) const {
    if (!m_root) return {};
    return m_root->eval(context);
}

QStringList Expression::fieldNames() const {
    QStringList out;
    if (m_root) m_root->collect(Node::Field, out);
    return out;
}

QStringList Expression::formulaNames() const {
    QStringList out;
    if (m_root) m_root->collect(Node::FormulaRef, out);
    return out;
}

bool Expression::usesSpecial(const QString &name) const {
    QStringList out;
    if (m_root) m_root->collect(Node::Special, out);
    return out.contains(name);
}

// ---------------------------------------------------------------------------------------

bool IsTrue(const QVariant &v) {
    if (!v.isValid() || v.isNull()) return false;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    double n = 0;
    if (ToNumber(v, &n)) return n != 0;
    if (isText(v)) {
        const QString t = v.toString().trimmed();
        return !t.isEmpty() && t.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
    }
    return true;
}

bool ToNumber(const QVariant &value, double *number) {
    if (!value.isValid() || value.isNull()) return false;
    switch (value.typeId()) {
    case QMetaType::Bool:
        *number = value.toBool() ? -1 : 0;
        return true;
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        *number = value.toDouble();
        return true;
    case QMetaType::QString: {
        const QString t = value.toString();
        if (!Values::IsNumeric(t)) return false;
        *number = Values::NumericValue(t);
        return true;
    }
    default:
        return false;
    }
}

QString DisplayText(const QVariant &value, const QString &format) {
    if (!value.isValid() || value.isNull()) return QString();
    switch (value.typeId()) {
    case QMetaType::Bool: {
        if (format.contains(QLatin1Char(';'))) {
            const QStringList two = format.split(QLatin1Char(';'));
            return value.toBool() ? two.value(0) : two.value(1);
        }
        return value.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
    }
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const QDate date = dateOf(value);
        if (format.isEmpty()) return Values::ShortDate(date);
        return QLocale::c().toString(date, format);
    }
    case QMetaType::QString:
        return value.toString();
    default:
        break;
    }
    double n = 0;
    if (!ToNumber(value, &n)) return value.toString();
    if (!format.isEmpty()) return Values::Format(n, format);
    if (std::isfinite(n) && std::floor(n) == n && std::fabs(n) < 1e15) return QString::number(qint64(n));
    QString text = QString::number(n, 'f', 6);
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text;
}

}  // namespace Formula
