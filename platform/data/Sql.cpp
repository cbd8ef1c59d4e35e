#include "platform/data/Sql.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace data::sql {
namespace {

const QString kIdentifier = QStringLiteral("\\[?([A-Za-z_][A-Za-z0-9_]*)\\]?");

QString bareIdentifier(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^\\s*") + kIdentifier + QStringLiteral("\\s*$"));
    const auto m = re.match(s);
    return m.hasMatch() ? m.captured(1) : QString();
}

// Case- and accent-insensitive comparison form: composed, case-folded.
QString comparable(const QString& s) {
    return s.normalized(QString::NormalizationForm_C).toCaseFolded();
}

} // namespace

std::optional<Select> ParseSelect(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*select\\s+(.+?)\\s+from\\s+") + kIdentifier +
            QStringLiteral("(?:\\s+where\\s+(.*?))?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    Select s;
    s.table = m.captured(2);
    s.where = m.captured(3).trimmed();
    const QString list = m.captured(1).trimmed();
    if (list == QLatin1String("*")) {
        s.columns = QStringList{QStringLiteral("*")};
    } else {
        for (const QString& part : list.split(QLatin1Char(','))) {
            const QString name = bareIdentifier(part);
            if (name.isEmpty()) return std::nullopt; // expressions cannot be written back
            s.columns << name;
        }
    }
    return s;
}

std::optional<LikeFilter> ParseLikeFilter(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*") + kIdentifier +
                                           QStringLiteral("\\s+like\\s+'((?:[^']|'')*)'\\s*$"),
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    LikeFilter f;
    f.field = m.captured(1);
    f.pattern = m.captured(2);
    f.pattern.replace(QStringLiteral("''"), QStringLiteral("'"));
    return f;
}

namespace {
bool isWild(QChar c) { return c == QLatin1Char('%') || c == QLatin1Char('*'); }
} // namespace

LikePattern::LikePattern(const QString& pattern) {
    const QString p = comparable(pattern);
    folded_.reserve(p.size());
    for (const QChar c : p) {
        if (!isWild(c)) {
            folded_ += c;
            ++literals_;
        } else if (folded_.isEmpty() || folded_.back() != QLatin1Char('%')) {
            folded_ += QLatin1Char('%');
        }
    }
}

bool LikePattern::Matches(const QString& value) const {
    const QString v = comparable(value);
    if (literals_ > v.size()) return false; // each literal takes one character of the value
    const QString& p = folded_;
    // Iterative glob match with one backtrack point: never recursive, and with the wildcards
    // folded to one per run, at most the value's length squared.
    qsizetype vi = 0, pi = 0, starP = -1, starV = 0;
    while (vi < v.size()) {
        if (pi < p.size() && p[pi] == QLatin1Char('%')) {
            starP = pi++;
            starV = vi;
        } else if (pi < p.size() && p[pi] == v[vi]) {
            ++pi;
            ++vi;
        } else if (starP >= 0) {
            pi = starP + 1;
            vi = ++starV;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == QLatin1Char('%')) ++pi;
    return pi == p.size();
}

std::optional<std::vector<SortKey>> ParseSort(const QString& text) {
    std::vector<SortKey> keys;
    if (text.trimmed().isEmpty()) return keys;
    static const QRegularExpression re(QStringLiteral("^\\s*") + kIdentifier +
                                           QStringLiteral("(?:\\s+(asc|desc))?\\s*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    for (const QString& part : text.split(QLatin1Char(','))) {
        const auto m = re.match(part);
        if (!m.hasMatch()) return std::nullopt;
        keys.push_back({m.captured(1), m.captured(2).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0});
    }
    return keys;
}

std::optional<double> ParseNumber(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    const QString t = text.trimmed();
    if (!re.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    const double d = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

QString QuoteIdentifier(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

} // namespace data::sql
