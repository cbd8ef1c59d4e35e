#pragma once
// The small texts the recordset understands: single-table selects, "field like 'pattern'"
// filters, sort lists, and numbers written as text. Pure functions, no database.
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

namespace data::sql {

// "Select * From Legno where Numero=12" -> columns {"*"}, table "Legno", where "Numero=12".
struct Select {
    QStringList columns; // {"*"} or plain column names
    QString table;
    QString where;       // "" when there is none; handed to SQLite as written
};
std::optional<Select> ParseSelect(const QString& text);

// "Descrizione like 'l''ab%'" -> field "Descrizione", pattern "l'ab%". Nothing when the text is
// not such a criterion.
struct LikeFilter {
    QString field;
    QString pattern;
};
std::optional<LikeFilter> ParseLikeFilter(const QString& text);

// Whole-text match of a like pattern: '%' and '*' stand for any run of characters, everything
// else (also '_', and a surrogate that stands alone) stands for itself; letter case and accents
// compare case-insensitively.
// Prepared once, matched against any number of values: the work a value costs depends on the
// value's length, not on the pattern's.
class LikePattern {
public:
    explicit LikePattern(const QString& pattern);
    bool Matches(const QString& value) const;

private:
    QString folded_;      // comparison form, each run of wildcards as one '%'
    qsizetype literals_ = 0; // characters that must each meet one of the value's
    // folded_ by code points, when it is not valid UTF-16 (a surrogate alone, pasted)
    std::optional<std::u32string> points_;
};

// "Numero", "Numero DESC, Classe": the fields and their directions; nothing when malformed.
struct SortKey {
    QString field;
    bool descending = false;
};
std::optional<std::vector<SortKey>> ParseSort(const QString& text);

// A number written as text with a point as decimal separator, whatever the locale: blanks
// around it allowed, an exponent allowed (" 2.5", "-.5", "1.5E+07"). Nothing for anything else.
std::optional<double> ParseNumber(const QString& text);

// Double-quoted SQL identifier.
QString QuoteIdentifier(const QString& name);

} // namespace data::sql
