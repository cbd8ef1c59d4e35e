#pragma once
// The number/text conversions the whole system relies on. Every number shown in a message, a box
// or a report goes through one of these; nobody formats a number by hand.
#include <QString>
#include <cstdint>
#include <optional>

using Single = float;
using Long = std::int32_t;
using Integer = std::int16_t;

namespace basic {

// Number to text with a blank before a non-negative number, always a point as decimal separator,
// no leading zero before the point (" .5"); singles show 7 significant digits, doubles 15.
QString Str(float x);
QString Str(double x);
QString Str(long long x);
inline QString Str(int x) { return Str(static_cast<long long>(x)); }
inline QString Str(long x) { return Str(static_cast<long long>(x)); }
inline QString Str(short x) { return Str(static_cast<long long>(x)); }

// Number to text by the user's locale, no blank; singles show 7 significant digits, doubles 15.
QString CStr(float x);
QString CStr(double x);
QString CStr(long long x);
inline QString CStr(int x) { return CStr(static_cast<long long>(x)); }
inline QString CStr(long x) { return CStr(static_cast<long long>(x)); }
inline QString CStr(short x) { return CStr(static_cast<long long>(x)); }

// Text to number by the user's locale. Blanks around the number are allowed; empty or blank text,
// thousands separators and anything else that is not a plain number are not numeric.
bool IsNumeric(const QString& s);
// Raise error 13 for text that is not numeric and error 6 beyond the target's range.
double CDbl(const QString& s);
float CSng(const QString& s);
// A double rounded to the nearest single; error 6 when it lies beyond the single range (a value
// that rounds to the largest single is that single) or is no number at all.
float CSng(double x);
// The same without raising: nothing when the text is not a number of that type.
std::optional<double> TryCDbl(const QString& s);
std::optional<float> TryCSng(const QString& s);

// The leading number of a text, point as decimal separator, whatever the locale; blanks inside
// are skipped; reading stops at the first character that does not belong to the number.
double Val(const QString& s);

// Whole numbers with halves going to the even neighbour; error 6 beyond the type's range.
Integer CInt(double x);
Long CLng(double x);

// Format(x, "0.00"), Format(x, "##,#0.00 ") and any "0.0…" / "#,##0.0…" mask of that family.
// Singles are rounded from their shortest decimal form, so 2.675f gives 2.68.
QString Format(double x, const QString& mask);
QString Format(float x, const QString& mask);
// Format(text, "@@@@@"): right-aligned in as many characters as the mask has '@'; never cut.
QString Format(const QString& s, const QString& mask);

// Removes blanks (character 32 only) at both ends.
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

} // namespace basic
