#pragma once
// Field values between the recordset and SQLite: the kind a declared column type gives, the value
// a field will store, and the order in which values sort. Inside platform/data only.
#include <QString>
#include <QVariant>

namespace data::detail {

// Column affinity by SQLite's rules on the declared type.
enum class Kind { Integer, Real, Numeric, Text, Blob };
Kind affinity(const char* declared);

bool isNumericVariant(const QVariant& v);

// The value a field of that kind will store, checked before anything is written: a number field
// takes numbers, and text that is a number with a point as decimal separator (" 2.5"). Anything
// else raises a conversion error naming the field.
QVariant storable(const QVariant& v, Kind kind, const QString& field);

// -1, 0, 1 ordering of two field values for sorting: nulls first, numbers by value, text by its
// case-folded form.
int compareValues(const QVariant& a, const QVariant& b);

} // namespace data::detail
