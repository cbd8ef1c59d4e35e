#include "platform/data/Values.h"

#include "platform/data/Errors.h"
#include "platform/data/Sql.h"

#include <QMetaType>

#include <cmath>

namespace data::detail {

Kind affinity(const char* declared) {
    const QString t = QString::fromUtf8(declared ? declared : "").toUpper();
    if (t.contains(QLatin1String("INT"))) return Kind::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return Kind::Text;
    if (t.isEmpty() || t.contains(QLatin1String("BLOB"))) return Kind::Blob;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return Kind::Real;
    return Kind::Numeric;
}

bool isNumericVariant(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Float:
    case QMetaType::Double: return true;
    default: return false;
    }
}

namespace {

// A whole number that fits is stored as an integer, as SQLite itself would.
QVariant numberValue(double d, Kind kind) {
    if (kind != Kind::Real && d == std::floor(d) && std::fabs(d) < 9.0e15) return QVariant(static_cast<qlonglong>(d));
    return QVariant(d);
}

} // namespace

QVariant storable(const QVariant& v, Kind kind, const QString& field) {
    if (v.isNull() || !v.isValid()) return QVariant();
    switch (kind) {
    case Kind::Text: return QVariant(v.toString());
    case Kind::Blob:
        if (v.typeId() == QMetaType::QByteArray) return v;
        if (isNumericVariant(v)) return numberValue(v.toDouble(), Kind::Numeric);
        return QVariant(v.toString());
    case Kind::Integer:
    case Kind::Real:
    case Kind::Numeric: {
        if (isNumericVariant(v)) {
            const double d = v.toDouble();
            if (!std::isfinite(d)) break;
            return numberValue(d, kind);
        }
        if (const auto d = sql::ParseNumber(v.toString())) return numberValue(*d, kind);
        break;
    }
    }
    fail(kDataConversion, QStringLiteral("Il valore \"%1\" non è un numero valido per il campo %2.").arg(v.toString(), field));
}

int compareValues(const QVariant& a, const QVariant& b) {
    const bool an = a.isNull() || !a.isValid(), bn = b.isNull() || !b.isValid();
    if (an || bn) return an == bn ? 0 : (an ? -1 : 1);
    const bool anum = isNumericVariant(a), bnum = isNumericVariant(b);
    if (anum && bnum) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (anum != bnum) return anum ? -1 : 1;
    const int c = a.toString().toCaseFolded().compare(b.toString().toCaseFolded());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace data::detail
