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

// The text with each surrogate that stands alone (text that is not valid UTF-16, as a paste may
// bring) replaced by U+FFFD, one code unit for one: a regular expression matches no invalid text,
// and what it captures is then taken from the text itself at the same places.
QString forMatching(const QString& text) {
    if (QStringView(text).isValidUtf16()) return text;
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out[i].isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate())
            ++i;
        else if (out[i].isSurrogate())
            out[i] = QChar::ReplacementCharacter;
    }
    return out;
}

// The text's code points; a surrogate that stands alone stays itself, a value that no code point
// of valid text has, so that it matches only itself and never half of a pair.
std::u32string codePoints(QStringView s) {
    std::u32string out;
    out.reserve(static_cast<std::size_t>(s.size()));
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(s[i], s[i + 1]));
            ++i;
        } else {
            out.push_back(s[i].unicode());
        }
    }
    return out;
}

// Whole-text match of a folded pattern, wild standing for any run. Iterative, with one backtrack
// point: never recursive, and with the wildcards folded to one per run, at most the value's length
// squared.
template <typename Text, typename Unit> bool glob(const Text& p, const Text& v, Unit wild) {
    qsizetype vi = 0, pi = 0, starP = -1, starV = 0;
    const auto pn = static_cast<qsizetype>(p.size()), vn = static_cast<qsizetype>(v.size());
    while (vi < vn) {
        if (pi < pn && p[pi] == wild) {
            starP = pi++;
            starV = vi;
        } else if (pi < pn && p[pi] == v[vi]) {
            ++pi;
            ++vi;
        } else if (starP >= 0) {
            pi = starP + 1;
            vi = ++starV;
        } else {
            return false;
        }
    }
    while (pi < pn && p[pi] == wild) ++pi;
    return pi == pn;
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
    const auto m = re.match(forMatching(text));
    if (!m.hasMatch()) return std::nullopt;
    LikeFilter f;
    f.field = m.captured(1);
    f.pattern = text.mid(m.capturedStart(2), m.capturedLength(2));
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
    if (!QStringView(folded_).isValidUtf16()) points_ = codePoints(folded_);
}

bool LikePattern::Matches(const QString& value) const {
    const QString v = comparable(value);
    // Valid UTF-16 against valid UTF-16 compares alike by code units and by code points.
    if (points_) return glob(*points_, codePoints(v), U'%');
    if (literals_ > v.size()) return false; // each literal takes one character of the value
    return glob(folded_, v, QChar(u'%'));
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
