// The number/text conversions: every message, box and report depends on their exact output.
#include "Errors.h"
#include "Locale.h"
#include "platform/basic/Basic.h"
#include "platform/basic/Error.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

using namespace basic;
using testing_support::LocaleGuard;

using testing_support::ErrorNumber;

namespace {
// The conversions by the user's locale, written for an Italian desktop.
class Italiano : public ::testing::Test {
protected:
    LocaleGuard italiano{LocaleGuard::italian()};
};
} // namespace

TEST(Str, BlankBeforeNonNegativePointAlways) {
    EXPECT_EQ(Str(8.400001f), " 8.400001");
    EXPECT_EQ(Str(-3), "-3");
    EXPECT_EQ(Str(3), " 3");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(0.5f), " .5");
    EXPECT_EQ(Str(-0.5), "-.5");
    EXPECT_EQ(Str(-0.0f), " 0");
    EXPECT_EQ(Str(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(Str(1e20f), " 1E+20");
    EXPECT_EQ(Str(0.00001), " 1E-05");
    EXPECT_EQ(Str(0.1 + 0.2), " .3"); // 15 significant digits for a double
    {
        LocaleGuard en(LocaleGuard::english());
        EXPECT_EQ(Str(2.5), " 2.5");
    }
    EXPECT_EQ(Str(2.5), " 2.5"); // the locale never changes Str
}

TEST_F(Italiano, CStrLocaleSeparatorNoBlank) {
    EXPECT_EQ(CStr(2.5f), "2,5");
    EXPECT_EQ(CStr(8.4f), "8,4");
    EXPECT_EQ(CStr(8.400001f), "8,400001");
    EXPECT_EQ(CStr(-0.25), "-0,25");
    EXPECT_EQ(CStr(12), "12");
    EXPECT_EQ(CStr(1.0f / 3.0f), "0,3333333");
    LocaleGuard en(LocaleGuard::english());
    EXPECT_EQ(CStr(2.5f), "2.5");
    EXPECT_EQ(CStr(3.5), "3.5");
}

TEST_F(Italiano, FormatTwoDecimalsByLocale) {
    EXPECT_EQ(Format(24.0, "0.00"), "24,00");
    EXPECT_EQ(Format(3.456, "0.00"), "3,46");
    EXPECT_EQ(Format(2.675f, "0.00"), "2,68"); // from the single's decimal form, not its binary value
    EXPECT_EQ(Format(0.004, "0.00"), "0,00");
    EXPECT_EQ(Format(-0.004, "0.00"), "0,00");
    EXPECT_EQ(Format(-1.5, "0.00"), "-1,50");
    EXPECT_EQ(Format(999.999, "0.00"), "1000,00");
    EXPECT_EQ(Format(1234567.0, "0.00"), "1234567,00");
    EXPECT_EQ(Format(12000.5, "##,#0.00 "), "12.000,50 ");
    EXPECT_EQ(Format(0.0, "##,#0.00 "), "0,00 ");
    EXPECT_EQ(Format(380.0f, "##,#0.00 "), "380,00 ");
    LocaleGuard en(LocaleGuard::english());
    EXPECT_EQ(Format(24.0, "0.00"), "24.00");
    EXPECT_EQ(Format(12000.5, "##,#0.00 "), "12,000.50 ");
}

TEST(Format, RightAlignNeverCuts) {
    EXPECT_EQ(Format(QString("1,23"), "@@@@@"), " 1,23");
    EXPECT_EQ(Format(QString("12,34"), "@@@@@"), "12,34");
    EXPECT_EQ(Format(QString("1000,00"), "@@@@@@"), "1000,00");
    EXPECT_EQ(Format(QString("7"), "@@"), " 7");
    EXPECT_EQ(Format(QString(""), "@@@@@"), "     ");
}

TEST(Val, LeadingNumberPointAnyLocale) {
    EXPECT_EQ(Val("12abc"), 12.0);
    EXPECT_EQ(Val("  1 2 3"), 123.0);
    EXPECT_EQ(Val("1,5"), 1.0);
    EXPECT_EQ(Val("1.5"), 1.5);
    EXPECT_EQ(Val("-3.5e2x"), -350.0);
    EXPECT_EQ(Val(""), 0.0);
    EXPECT_EQ(Val("abc"), 0.0);
    EXPECT_EQ(Val(".5"), 0.5);
    EXPECT_EQ(Val("&H1F"), 31.0);
    EXPECT_EQ(Val("7e"), 7.0);
}

TEST(CIntCLng, HalvesToEvenAndOverflow) {
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.4999), 2);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(ErrorNumber([] { CInt(32767.5); }), platform::err::Overflow);
    EXPECT_EQ(ErrorNumber([] { CInt(-32769.0); }), platform::err::Overflow);
    EXPECT_EQ(CLng(1e9 + 0.5), 1000000000);
    EXPECT_EQ(ErrorNumber([] { CLng(2147483648.0); }), platform::err::Overflow);
}

TEST_F(Italiano, IsNumericLocaleRulesAndBlankText) {
    EXPECT_FALSE(IsNumeric(""));
    EXPECT_FALSE(IsNumeric("  "));
    EXPECT_TRUE(IsNumeric("2,5"));
    EXPECT_TRUE(IsNumeric(" 7 "));
    EXPECT_TRUE(IsNumeric("-0,5"));
    EXPECT_TRUE(IsNumeric("+3"));
    EXPECT_TRUE(IsNumeric("1e3"));
    EXPECT_TRUE(IsNumeric(",5"));
    EXPECT_FALSE(IsNumeric("2.5")); // a thousands separator is not silently dropped
    EXPECT_FALSE(IsNumeric("abc"));
    EXPECT_FALSE(IsNumeric("-"));
    EXPECT_FALSE(IsNumeric("1e"));
    EXPECT_FALSE(IsNumeric("1 2"));
    EXPECT_FALSE(IsNumeric("1e400"));
    LocaleGuard en(LocaleGuard::english());
    EXPECT_TRUE(IsNumeric("2.5"));
    EXPECT_FALSE(IsNumeric("2,5"));
}

TEST_F(Italiano, CSngCDblConversionsAndTheirErrors) {
    EXPECT_EQ(CSng("2,5"), 2.5f);
    EXPECT_EQ(CDbl(" -35 "), -35.0);
    EXPECT_EQ(CSng("3,4e38"), 3.4e38f);
    EXPECT_FALSE(TryCSng("1e39").has_value()); // beyond single range is not a single
    EXPECT_TRUE(TryCDbl("1e39").has_value());
    EXPECT_EQ(ErrorNumber([] { CSng("1e39"); }), platform::err::Overflow);
    EXPECT_EQ(ErrorNumber([] { CDbl("1e400"); }), platform::err::Overflow);
    EXPECT_EQ(ErrorNumber([] { CSng("abc"); }), platform::err::TypeMismatch);
    EXPECT_EQ(ErrorNumber([] { CSng(""); }), platform::err::TypeMismatch);
    // The single of a decimal text is the nearest single: 8.4 stays 8.4f.
    EXPECT_EQ(CSng("8,4"), 8.4f);

    // A double to single: what rounds to the largest single is stored, beyond it is an overflow.
    const double massimo = std::numeric_limits<float>::max();
    EXPECT_EQ(CSng(massimo * (1 + 0x1p-25)), std::numeric_limits<float>::max());
    EXPECT_EQ(CSng(-massimo * (1 + 0x1p-25)), -std::numeric_limits<float>::max());
    EXPECT_EQ(ErrorNumber([] { CSng(0x1.ffffffp+127); }), platform::err::Overflow);
    EXPECT_EQ(ErrorNumber([] { CSng(std::numeric_limits<double>::infinity()); }), platform::err::Overflow);
    EXPECT_EQ(ErrorNumber([] { CSng(std::numeric_limits<double>::quiet_NaN()); }), platform::err::Overflow);
    EXPECT_EQ(CSng(1e-50), 0.0f);
    EXPECT_EQ(CSng("3,4028235e38"), std::numeric_limits<float>::max());
}

TEST(Trim, BlanksOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(LTrim("  x "), "x ");
    EXPECT_EQ(RTrim("  x "), "  x");
    EXPECT_EQ(Trim("   "), "");
}

// The separators come from the user's locale as Qt reports it and from nowhere else: the C library's
// own locale, which the desktop's language sets too, may say anything.
TEST(Conversioni, TheCLibrarysLocaleNeverShows) {
    struct Atteso {
        QLocale lingua;
        const char *cstr, *format, *gruppi, *esponente, *letto;
    } attesi[] = {
        {LocaleGuard::italian(), "2,5", "2,68", "12.000,50 ", "1,234568E+07", "7,25"},
        {LocaleGuard::english(), "2.5", "2.68", "12,000.50 ", "1.234568E+07", "7.25"},
    };
    for (const Atteso& a : attesi) {
        LocaleGuard lingua(a.lingua);
        for (const char* c : {"C.UTF-8", "it_IT.UTF-8", "en_US.UTF-8"}) {
            ASSERT_TRUE(std::setlocale(LC_ALL, c)) << "scripts/deps generates " << c;
            SCOPED_TRACE(a.lingua.name().toStdString() + " under the C library's " + c);
            EXPECT_EQ(CStr(2.5f), a.cstr);
            EXPECT_EQ(CStr(2.5), a.cstr);
            EXPECT_EQ(Format(2.675f, "0.00"), a.format);
            EXPECT_EQ(Format(12000.5, "##,#0.00 "), a.gruppi);
            EXPECT_EQ(CStr(12345678.0f), a.esponente);
            EXPECT_EQ(Str(-0.25f), "-.25");
            EXPECT_EQ(Str(1e-5), " 1E-05");
            EXPECT_EQ(CDbl(a.letto), 7.25);
            EXPECT_EQ(CSng(a.letto), 7.25f);
            EXPECT_EQ(Val("3.5e2"), 350.0);
            EXPECT_EQ(Val("3,5"), 3.0);
            EXPECT_EQ(ErrorNumber([] { CDbl("1e400"); }), platform::err::Overflow);
            EXPECT_EQ(CDbl("1e-400"), 0.0);
        }
    }
}
