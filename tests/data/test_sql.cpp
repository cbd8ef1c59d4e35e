// The texts the recordset understands: selects, like filters, sort lists, numbers as text.
#include "platform/data/Sql.h"

#include <gtest/gtest.h>

using namespace data::sql;

TEST(SqlSelect, TheStatementsOfTheProgram) {
    struct Case {
        const char* text;
        const char* table;
        const char* where;
    } cases[] = {
        {"Select * from Legno ", "Legno", ""},
        {"Select * From Legno where Numero=12", "Legno", "Numero=12"},
        {"Select * From Legno Where Numero=12", "Legno", "Numero=12"},
        {"Select * From Legno where Numero =0", "Legno", "Numero =0"},
        {"SELECT * FROM LEGNO WHERE NUMERO=3;", "LEGNO", "NUMERO=3"},
        {"  select *\n  from [Legno]\n  where Numero = 7 ", "Legno", "Numero = 7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto s = ParseSelect(QString::fromUtf8(c.text));
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->columns, QStringList{"*"});
        EXPECT_EQ(s->table, QString::fromUtf8(c.table));
        EXPECT_EQ(s->where, QString::fromUtf8(c.where));
    }
    const auto named = ParseSelect("Select Numero, Descrizione from Legno");
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(named->columns, (QStringList{"Numero", "Descrizione"}));

    for (const char* bad : {"", "Legno", "Select * from", "Select * from Legno where", "Select max(Numero) from Legno",
                            "Delete from Legno", "Select * from Legno, Altro"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseSelect(QString::fromUtf8(bad)).has_value());
    }
}

TEST(SqlFilter, ParsesLikeCriteriaWithDoubledApostrophes) {
    const auto f = ParseLikeFilter("Descrizione like 'L''abete%'");
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->field, "Descrizione");
    EXPECT_EQ(f->pattern, "L'abete%");
    const auto upper = ParseLikeFilter("DESCRIZIONE LIKE ' blank%'");
    ASSERT_TRUE(upper.has_value());
    EXPECT_EQ(upper->pattern, " blank%");
    for (const char* bad : {"Descrizione like 'L'abete%'", "Descrizione like 'abc", "Descrizione = 'abc'",
                            "like 'abc%'", "Descrizione like abc%"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseLikeFilter(QString::fromUtf8(bad)).has_value());
    }
}

TEST(SqlFilter, LikeMatchesPrefixesWithoutRegardToCaseOrAccents) {
    struct Case {
        const char* value;
        const char* pattern;
        bool match;
    } cases[] = {
        {"Conifera C24", "conifera%", true},
        {"Conifera C24", "CONIFERA C2%", true},
        {"Conifera C24", "Latifoglia%", false},
        {"Èrable", "è%", true},
        {"èrable", "È%", true},
        {"Erable", "È%", false},     // an accent is a different letter
        {"L'abete", "l'a%", true},
        {"A_B legno", "A_B%", true},
        {"AxB legno", "A_B%", false}, // "_" stands for itself
        {" blank", " b%", true},
        {"blank", " b%", false},
        {"Conifera", "%", true},
        {"", "%", true},
        {"Conifera", "Conifera", true},
        {"Conifera C24", "Conifera", false},
        {"Conifera C24", "*C24", true},
        {"Conifera C24", "Con%C2%", true},
        {"Perché PIÙ", "perchÉ più", true},
        {"Conifera", "%%**%c%%o*n%", true},     // runs of wildcards stand for one
        {"Co", "C%o%n%", false},                // more letters than the value holds
        {"abab", "%ab%ab", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " like " + c.pattern);
        EXPECT_EQ(LikePattern(QString::fromUtf8(c.pattern)).Matches(QString::fromUtf8(c.value)), c.match);
    }
    // A surrogate alone stands for itself, never for half of a pair.
    EXPECT_FALSE(LikePattern(QChar(0xD83D) + QStringLiteral("%")).Matches(QString::fromUtf8("😀 legno")));
    EXPECT_TRUE(LikePattern(QChar(0xD83D) + QStringLiteral("%")).Matches(QChar(0xD83D) + QStringLiteral(" legno")));
}

TEST(SqlSort, FieldListsAndDirections) {
    const auto one = ParseSort("Numero");
    ASSERT_TRUE(one.has_value());
    ASSERT_EQ(one->size(), 1u);
    EXPECT_EQ((*one)[0].field, "Numero");
    EXPECT_FALSE((*one)[0].descending);
    const auto two = ParseSort("Numero desc, Classe ASC");
    ASSERT_TRUE(two.has_value());
    ASSERT_EQ(two->size(), 2u);
    EXPECT_TRUE((*two)[0].descending);
    EXPECT_FALSE((*two)[1].descending);
    EXPECT_TRUE(ParseSort("")->empty());
    EXPECT_FALSE(ParseSort("Numero, ").has_value());
    EXPECT_FALSE(ParseSort("Numero sideways").has_value());
}

TEST(SqlNumber, TextWithAPointWhateverTheLocale) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {" 2.5", 2.5},    {"2.5", 2.5},          {"-2.5", -2.5},      {" .5", 0.5},      {"-.5", -0.5},
        {" 24", 24.0},    {" 1.5E+07", 1.5e7},   {"3E-02", 0.03},     {"  7  ", 7.0},    {"+4", 4.0},
        {"2,5", {}},      {"abc", {}},           {"", {}},            {"   ", {}},       {"2.5.1", {}},
        {"1 000", {}},    {"12abc", {}},         {"inf", {}},         {"nan", {}},       {"1E999", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto v = ParseNumber(QString::fromUtf8(c.text));
        ASSERT_EQ(v.has_value(), c.value.has_value());
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.value);
        }
    }
}
