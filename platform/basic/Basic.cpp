#include "platform/basic/Basic.h"

#include "platform/basic/Error.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

namespace basic {
namespace {

QString decimalPoint() { return QLocale().decimalPoint(); }

// The text of a finite number with at most `digits` significant digits, trailing zeros dropped,
// exponent form beyond them ("1.234568E+07"). Always a point: the C library's separator follows the
// desktop's language, so nothing here goes through it.
std::string gText(double x, int digits) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, digits);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    return s;
}

// A whole number of decimal digits with an optional sign ("+07", "-12").
int exponentOf(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int e = 0;
    std::from_chars(s.data(), s.data() + s.size(), e);
    return e;
}

// How far the leading digit of a point-written number lies from the units (123.4E2 gives 4, 0.05 gives
// -2); only its sign matters, to tell a number too large for a double from one too small.
int decimalMagnitude(std::string_view s) {
    const auto e = s.find_first_of("Ee");
    int magnitude = e == std::string_view::npos ? 0 : exponentOf(s.substr(e + 1));
    const std::string_view mant = s.substr(0, e);
    const auto point = mant.find('.');
    const std::string_view whole = mant.substr(0, point);
    const auto firstWhole = whole.find_first_not_of("+-0");
    if (firstWhole != std::string_view::npos) return magnitude + static_cast<int>(whole.size() - firstWhole);
    if (point == std::string_view::npos) return magnitude;
    const std::string_view frac = mant.substr(point + 1);
    const auto firstFrac = frac.find_first_not_of('0');
    return firstFrac == std::string_view::npos ? magnitude : magnitude - static_cast<int>(firstFrac);
}

// Reads a number written with a point: [sign] digits [. digits] [E [sign] digits]. A magnitude beyond
// the type's range sets `overflow`; one below its smallest value reads as 0.
template <class T> T fromPointText(std::string_view s, bool& overflow) {
    overflow = false;
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    T v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(s) > 0) {
            overflow = true;
            v = std::numeric_limits<T>::infinity();
        } else {
            v = 0;
        }
    } else if (r.ec != std::errc()) {
        v = 0;
    }
    return negative ? -v : v;
}

// The general number text both Str and CStr build on: 7 significant digits for a single,
// 15 for a double, exponent form beyond them.
std::string generalText(double x, int digits) {
    if (x == 0) return "0"; // no "-0"
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "inf" : "-inf";
    return gText(x, digits);
}

QString strOf(double x, int digits) {
    std::string s = generalText(x, digits);
    // A zero before the point is left out: " .5", "-.5".
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    QString out = QString::fromStdString(s);
    return out.startsWith('-') ? out : QStringLiteral(" ") + out;
}

QString cstrOf(double x, int digits) {
    QString out = QString::fromStdString(generalText(x, digits));
    out.replace('.', decimalPoint());
    return out;
}

// The digits of a non-negative number in plain decimal form ("2.675", "1200", "0.0001"), from the
// shortest text that gives back the same value at that precision.
std::string plainDecimal(double x, bool single) {
    std::string s;
    if (single) {
        const float f = static_cast<float>(x);
        bool overflow = false;
        for (int p = 1; p <= 9; ++p) {
            s = gText(f, p);
            if (fromPointText<float>(s, overflow) == f) break;
        }
    } else {
        bool overflow = false;
        for (int p = 15; p <= 17; ++p) {
            s = gText(x, p);
            if (fromPointText<double>(s, overflow) == x) break;
        }
    }
    // Expand an exponent into plain digits.
    const auto e = s.find('E');
    if (e == std::string::npos) return s;
    const int exp = exponentOf(std::string_view(s).substr(e + 1));
    std::string mant = s.substr(0, e);
    std::string digits;
    int pointPos;
    const auto dot = mant.find('.');
    if (dot == std::string::npos) {
        digits = mant;
        pointPos = static_cast<int>(mant.size());
    } else {
        digits = mant.substr(0, dot) + mant.substr(dot + 1);
        pointPos = static_cast<int>(dot);
    }
    pointPos += exp;
    if (pointPos <= 0) return "0." + std::string(static_cast<size_t>(-pointPos), '0') + digits;
    if (pointPos >= static_cast<int>(digits.size()))
        return digits + std::string(static_cast<size_t>(pointPos) - digits.size(), '0');
    return digits.substr(0, static_cast<size_t>(pointPos)) + "." + digits.substr(static_cast<size_t>(pointPos));
}

// Rounds a plain decimal text to `decimals` places, halves away from zero. Returns integer and
// fraction digits separately.
void roundDecimal(const std::string& plain, int decimals, std::string& intPart, std::string& fracPart) {
    const auto dot = plain.find('.');
    intPart = dot == std::string::npos ? plain : plain.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : plain.substr(dot + 1);
    bool roundUp = false;
    if (static_cast<int>(frac.size()) > decimals) {
        roundUp = frac[static_cast<size_t>(decimals)] >= '5';
        frac.resize(static_cast<size_t>(decimals));
    } else {
        frac.append(static_cast<size_t>(decimals) - frac.size(), '0');
    }
    std::string all = intPart + frac;
    if (roundUp) {
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0; --i) {
            if (all[static_cast<size_t>(i)] == '9') {
                all[static_cast<size_t>(i)] = '0';
            } else {
                ++all[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) all.insert(all.begin(), '1');
    }
    intPart = all.substr(0, all.size() - static_cast<size_t>(decimals));
    fracPart = all.substr(all.size() - static_cast<size_t>(decimals));
    // Strip leading zeros of the integer part; the mask decides how many it shows.
    const auto nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
}

QString formatNumber(double x, bool single, const QString& mask) {
    // mask = [prefix literal] numeric part of # 0 , . [suffix literal]
    int start = 0;
    while (start < mask.size() && !QStringLiteral("#0,.").contains(mask[start])) ++start;
    int end = start;
    while (end < mask.size() && QStringLiteral("#0,.").contains(mask[end])) ++end;
    const QString prefix = mask.left(start);
    const QString suffix = mask.mid(end);
    const QString num = mask.mid(start, end - start);
    const int dot = num.indexOf('.');
    const QString intMask = dot < 0 ? num : num.left(dot);
    const QString fracMask = dot < 0 ? QString() : num.mid(dot + 1);
    const int decimals = static_cast<int>(fracMask.count('0') + fracMask.count('#'));
    const int minInt = static_cast<int>(intMask.count('0'));
    const bool grouping = intMask.contains(',');

    if (std::isnan(x) || std::isinf(x)) return prefix + cstrOf(x, 15) + suffix;

    std::string ip, fp;
    roundDecimal(plainDecimal(std::fabs(x), single), decimals, ip, fp);
    if (static_cast<int>(ip.size()) < minInt) ip.insert(0, static_cast<size_t>(minInt) - ip.size(), '0');
    QString intText = QString::fromStdString(ip);
    if (grouping) {
        const QString sep = QLocale().groupSeparator();
        for (int i = static_cast<int>(intText.size()) - 3; i > 0; i -= 3) intText.insert(i, sep);
    }
    const bool isZero = ip.find_first_not_of('0') == std::string::npos && fp.find_first_not_of('0') == std::string::npos;
    QString out = (x < 0 && !isZero) ? QStringLiteral("-") : QString();
    out += intText;
    if (decimals > 0) out += decimalPoint() + QString::fromStdString(fp);
    return prefix + out + suffix;
}

bool isBlank(QChar c) { return c == ' ' || c == '\t'; }

} // namespace

QString Str(float x) { return strOf(static_cast<double>(x), 7); }
QString Str(double x) { return strOf(x, 15); }
QString Str(long long x) { return x < 0 ? QString::number(x) : QStringLiteral(" ") + QString::number(x); }

QString CStr(float x) { return cstrOf(static_cast<double>(x), 7); }
QString CStr(double x) { return cstrOf(x, 15); }
QString CStr(long long x) { return QString::number(x); }

namespace {
enum class Parse { Ok, NotNumber, Overflow };

Parse parseNumber(const QString& text, double& out) {
    const QString s = text.trimmed();
    if (s.isEmpty()) return Parse::NotNumber;
    const QString dp = decimalPoint();
    // [sign] digits [point digits] [E [sign] digits], the point being the locale's.
    std::string c;
    int i = 0;
    const int n = static_cast<int>(s.size());
    auto digit = [&](int k) { return k < n && s[k] >= '0' && s[k] <= '9'; };
    if (s[i] == '+' || s[i] == '-') c += static_cast<char>(s[i++].toLatin1());
    int mantDigits = 0;
    while (digit(i)) { c += static_cast<char>(s[i++].toLatin1()); ++mantDigits; }
    if (i < n && s.mid(i, dp.size()) == dp) {
        c += '.';
        i += static_cast<int>(dp.size());
        while (digit(i)) { c += static_cast<char>(s[i++].toLatin1()); ++mantDigits; }
    }
    if (mantDigits == 0) return Parse::NotNumber;
    if (i < n && (s[i] == 'E' || s[i] == 'e')) {
        c += 'E';
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) c += static_cast<char>(s[i++].toLatin1());
        int expDigits = 0;
        while (digit(i)) { c += static_cast<char>(s[i++].toLatin1()); ++expDigits; }
        if (expDigits == 0) return Parse::NotNumber;
    }
    if (i != n) return Parse::NotNumber;
    bool overflow = false;
    const double v = fromPointText<double>(c, overflow);
    if (overflow) return Parse::Overflow;
    out = v == 0 ? 0.0 : v; // no negative zero
    return Parse::Ok;
}
} // namespace

std::optional<double> TryCDbl(const QString& text) {
    double v = 0;
    if (parseNumber(text, v) != Parse::Ok) return std::nullopt;
    return v;
}

namespace {
// The largest magnitude that rounds to a finite single: halfway between the largest single and
// the next power of two, which itself rounds (to even) away from it.
constexpr double kLimiteSingolo = 0x1.ffffffp+127;

std::optional<float> singolo(double x) {
    if (!(std::fabs(x) < kLimiteSingolo)) return std::nullopt; // beyond the range, or no number
    return static_cast<float>(x);
}
} // namespace

float CSng(double x) {
    const auto f = singolo(x);
    if (!f) platform::Raise(platform::err::Overflow);
    return *f;
}

std::optional<float> TryCSng(const QString& s) {
    auto d = TryCDbl(s);
    if (!d) return std::nullopt;
    return singolo(*d);
}

bool IsNumeric(const QString& s) { return TryCDbl(s).has_value(); }

double CDbl(const QString& s) {
    double v = 0;
    switch (parseNumber(s, v)) {
    case Parse::Ok: return v;
    case Parse::Overflow: platform::Raise(platform::err::Overflow);
    case Parse::NotNumber: break;
    }
    platform::Raise(platform::err::TypeMismatch);
}

float CSng(const QString& s) { return CSng(CDbl(s)); }

double Val(const QString& text) {
    std::string c;
    int i = 0;
    const int n = static_cast<int>(text.size());
    auto skip = [&] {
        while (i < n && (isBlank(text[i]) || text[i] == '\n' || text[i] == '\r')) ++i;
    };
    skip();
    if (i + 1 < n && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h' || text[i + 1] == 'O' || text[i + 1] == 'o')) {
        const int base = (text[i + 1] == 'H' || text[i + 1] == 'h') ? 16 : 8;
        i += 2;
        long long v = 0;
        for (; i < n; ++i) {
            if (isBlank(text[i])) continue;
            const int d = base == 16 ? QString(text[i]).toInt(nullptr, 16) : text[i].digitValue();
            const bool ok = base == 16 ? (text[i].isDigit() || QStringLiteral("abcdefABCDEF").contains(text[i]))
                                       : (text[i] >= '0' && text[i] <= '7');
            if (!ok) break;
            v = v * base + d;
            if (v > 0xFFFFFFFFLL) break;
        }
        return static_cast<double>(v);
    }
    if (i < n && (text[i] == '+' || text[i] == '-')) c += static_cast<char>(text[i++].toLatin1());
    bool point = false;
    bool any = false;
    for (; i < n; ++i) {
        const QChar ch = text[i];
        if (isBlank(ch) || ch == '\n' || ch == '\r') continue;
        if (ch >= '0' && ch <= '9') { c += static_cast<char>(ch.toLatin1()); any = true; continue; }
        if (ch == '.' && !point) { c += '.'; point = true; continue; }
        break;
    }
    if (any && i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::string e = "E";
        int j = i + 1;
        while (j < n && isBlank(text[j])) ++j;
        if (j < n && (text[j] == '+' || text[j] == '-')) e += static_cast<char>(text[j++].toLatin1());
        bool expAny = false;
        for (; j < n; ++j) {
            if (isBlank(text[j])) continue;
            if (text[j] >= '0' && text[j] <= '9') { e += static_cast<char>(text[j].toLatin1()); expAny = true; continue; }
            break;
        }
        if (expAny) c += e;
    }
    if (!any) return 0.0;
    bool overflow = false;
    const double v = fromPointText<double>(c, overflow);
    if (overflow) platform::Raise(platform::err::Overflow);
    return v == 0 ? 0.0 : v;
}

Integer CInt(double x) {
    if (std::isnan(x)) platform::Raise(platform::err::Overflow);
    const double r = std::nearbyint(x);
    if (r < -32768.0 || r > 32767.0) platform::Raise(platform::err::Overflow);
    return static_cast<Integer>(r);
}

Long CLng(double x) {
    if (std::isnan(x)) platform::Raise(platform::err::Overflow);
    const double r = std::nearbyint(x);
    if (r < -2147483648.0 || r > 2147483647.0) platform::Raise(platform::err::Overflow);
    return static_cast<Long>(r);
}

QString Format(double x, const QString& mask) { return formatNumber(x, false, mask); }
QString Format(float x, const QString& mask) { return formatNumber(static_cast<double>(x), true, mask); }

QString Format(const QString& s, const QString& mask) {
    const int width = static_cast<int>(mask.count('@'));
    return s.size() >= width ? s : QString(width - s.size(), ' ') + s;
}

QString LTrim(const QString& s) {
    int i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return s.mid(i);
}

QString RTrim(const QString& s) {
    int j = static_cast<int>(s.size());
    while (j > 0 && s[j - 1] == ' ') --j;
    return s.left(j);
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

} // namespace basic
