// The shipped archive LignarQOR.DEF as the build makes it: table Legno with its fields in order and
// the strength classes of EN 338:2016 and EN 14080:2013 with their characteristic values.
#include "platform/basic/Error.h"
#include "platform/data/Data.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

struct Material {
    long long numero;
    const char* classe;
    const char* descrizione;
    // Fmk Ft0k Ft90k Fc0k Fc90k Fvk E0mean E05 E90mean Gmean rok
    std::array<double, 11> values;
};

const Material kShipped[] = {
    {1, "C14", "Conifera C14", {14, 7.2, 0.4, 16, 2, 3, 7000, 4700, 230, 440, 290}},
    {2, "C16", "Conifera C16", {16, 8.5, 0.4, 17, 2.2, 3.2, 8000, 5400, 270, 500, 310}},
    {3, "C18", "Conifera C18", {18, 10, 0.4, 18, 2.2, 3.4, 9000, 6000, 300, 560, 320}},
    {4, "C20", "Conifera C20", {20, 11.5, 0.4, 19, 2.3, 3.6, 9500, 6400, 320, 590, 330}},
    {5, "C22", "Conifera C22", {22, 13, 0.4, 20, 2.4, 3.8, 10000, 6700, 330, 630, 340}},
    {6, "C24", "Conifera C24", {24, 14.5, 0.4, 21, 2.5, 4, 11000, 7400, 370, 690, 350}},
    {7, "C27", "Conifera C27", {27, 16.5, 0.4, 22, 2.5, 4, 11500, 7700, 380, 720, 360}},
    {8, "C30", "Conifera C30", {30, 19, 0.4, 24, 2.7, 4, 12000, 8000, 400, 750, 380}},
    {9, "C35", "Conifera C35", {35, 22.5, 0.4, 25, 2.7, 4, 13000, 8700, 430, 810, 390}},
    {10, "C40", "Conifera C40", {40, 26, 0.4, 27, 2.8, 4, 14000, 9400, 470, 880, 400}},
    {11, "C45", "Conifera C45", {45, 30, 0.4, 29, 2.9, 4, 15000, 10100, 500, 940, 410}},
    {12, "C50", "Conifera C50", {50, 33.5, 0.4, 30, 3, 4, 16000, 10700, 530, 1000, 430}},
    {13, "D18", "Latifoglia D18", {18, 11, 0.6, 18, 4.8, 3.5, 9500, 8000, 630, 590, 475}},
    {14, "D24", "Latifoglia D24", {24, 14, 0.6, 21, 4.9, 3.7, 10000, 8400, 670, 630, 485}},
    {15, "D27", "Latifoglia D27", {27, 16, 0.6, 22, 5.1, 3.8, 10500, 8800, 700, 660, 510}},
    {16, "D30", "Latifoglia D30", {30, 18, 0.6, 24, 5.3, 3.9, 11000, 9200, 730, 690, 530}},
    {17, "D35", "Latifoglia D35", {35, 21, 0.6, 25, 5.4, 4.1, 12000, 10100, 800, 750, 540}},
    {18, "D40", "Latifoglia D40", {40, 24, 0.6, 27, 5.5, 4.2, 13000, 10900, 870, 810, 550}},
    {19, "D45", "Latifoglia D45", {45, 27, 0.6, 29, 5.8, 4.4, 13500, 11300, 900, 840, 580}},
    {20, "D50", "Latifoglia D50", {50, 30, 0.6, 30, 6.2, 4.5, 14000, 11800, 930, 880, 620}},
    {21, "D55", "Latifoglia D55", {55, 33, 0.6, 32, 6.6, 4.7, 15500, 13000, 1030, 970, 660}},
    {22, "D60", "Latifoglia D60", {60, 36, 0.6, 33, 10.5, 4.8, 17000, 14300, 1130, 1060, 700}},
    {23, "D65", "Latifoglia D65", {65, 39, 0.6, 35, 11.3, 5, 18500, 15500, 1230, 1160, 750}},
    {24, "D70", "Latifoglia D70", {70, 42, 0.6, 36, 12, 5, 20000, 16800, 1330, 1250, 800}},
    {25, "D75", "Latifoglia D75", {75, 45, 0.6, 37, 12.8, 5, 22000, 18500, 1470, 1380, 850}},
    {26, "D80", "Latifoglia D80", {80, 48, 0.6, 38, 13.5, 5, 24000, 20200, 1600, 1500, 900}},
    {27, "GL20h", "Lamellare omogeneo GL20h", {20, 16, 0.5, 20, 2.5, 3.5, 8400, 7000, 300, 650, 340}},
    {28, "GL22h", "Lamellare omogeneo GL22h", {22, 17.6, 0.5, 22, 2.5, 3.5, 10500, 8800, 300, 650, 370}},
    {29, "GL24h", "Lamellare omogeneo GL24h", {24, 19.2, 0.5, 24, 2.5, 3.5, 11500, 9600, 300, 650, 385}},
    {30, "GL26h", "Lamellare omogeneo GL26h", {26, 20.8, 0.5, 26, 2.5, 3.5, 12100, 10100, 300, 650, 405}},
    {31, "GL28h", "Lamellare omogeneo GL28h", {28, 22.3, 0.5, 28, 2.5, 3.5, 12600, 10500, 300, 650, 425}},
    {32, "GL30h", "Lamellare omogeneo GL30h", {30, 24, 0.5, 30, 2.5, 3.5, 13600, 11300, 300, 650, 430}},
    {33, "GL32h", "Lamellare omogeneo GL32h", {32, 25.6, 0.5, 32, 2.5, 3.5, 14200, 11800, 300, 650, 440}},
    {34, "GL20c", "Lamellare combinato GL20c", {20, 15, 0.5, 18.5, 2.5, 3.5, 10400, 8600, 300, 650, 355}},
    {35, "GL22c", "Lamellare combinato GL22c", {22, 16, 0.5, 20, 2.5, 3.5, 10400, 8600, 300, 650, 355}},
    {36, "GL24c", "Lamellare combinato GL24c", {24, 17, 0.5, 21.5, 2.5, 3.5, 11000, 9100, 300, 650, 365}},
    {37, "GL26c", "Lamellare combinato GL26c", {26, 19, 0.5, 23.5, 2.5, 3.5, 12000, 10000, 300, 650, 385}},
    {38, "GL28c", "Lamellare combinato GL28c", {28, 19.5, 0.5, 24, 2.5, 3.5, 12500, 10400, 300, 650, 390}},
    {39, "GL30c", "Lamellare combinato GL30c", {30, 19.5, 0.5, 24.5, 2.5, 3.5, 13000, 10800, 300, 650, 390}},
    {40, "GL32c", "Lamellare combinato GL32c", {32, 19.5, 0.5, 24.5, 2.5, 3.5, 13500, 11200, 300, 650, 400}},
};

const char* const kFields[] = {"Numero", "Classe", "Descrizione", "Fmk", "Ft0k", "Ft90k", "Fc0k",
                               "Fc90k", "Fvk", "E0mean", "E05", "E90mean", "Gmean", "rok"};

QString builtArchive() { return QCoreApplication::applicationDirPath() + "/LignarQOR.DEF"; }

} // namespace

TEST(ShippedArchive, HoldsTheStrengthClassesWithTheirValues) {
    ASSERT_TRUE(QFileInfo(builtArchive()).isFile()) << builtArchive().toStdString();
    auto cn = std::make_shared<data::Connection>();
    cn->Open("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=" + builtArchive() + ";");
    data::Recordset rs;
    rs.Open("Select * from Legno ", cn, data::adOpenStatic, data::adLockReadOnly);
    ASSERT_EQ(rs.FieldCount(), 14);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(rs.Fields(i).Name(), QString::fromLatin1(kFields[i]));

    rs.Sort("Numero");
    ASSERT_EQ(rs.RecordCount(), static_cast<long>(std::size(kShipped)));
    rs.MoveFirst();
    for (const Material& m : kShipped) {
        SCOPED_TRACE(m.classe);
        ASSERT_FALSE(rs.EOF_());
        EXPECT_EQ(rs.Fields("Numero").Value().toLongLong(), m.numero);
        EXPECT_EQ(rs.Fields("Classe").Value().toString(), QString::fromUtf8(m.classe));
        EXPECT_EQ(rs.Fields("Descrizione").Value().toString(), QString::fromUtf8(m.descrizione));
        for (int k = 0; k < 11; ++k) {
            const QVariant v = rs.Fields(3 + k).Value();
            ASSERT_FALSE(v.isNull()) << kFields[3 + k];
            EXPECT_DOUBLE_EQ(v.toDouble(), m.values[static_cast<std::size_t>(k)]) << kFields[3 + k];
        }
        rs.MoveNext();
    }
    EXPECT_TRUE(rs.EOF_());
}

TEST(ShippedArchive, DescriptionsBeginWithWhatUsersFilterOn) {
    auto cn = std::make_shared<data::Connection>();
    cn->Open("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=" + builtArchive() + ";");
    data::Recordset rs;
    rs.Open("Select * from Legno ", cn, data::adOpenStatic, data::adLockReadOnly);
    const struct {
        const char* prefix;
        long count;
    } cases[] = {{"conifera", 12}, {"Latifoglia", 14}, {"lamellare", 14}, {"Lamellare omogeneo", 7},
                 {"Lamellare combinato", 7}, {"Conifera C2", 4}};
    for (const auto& c : cases) {
        rs.Filter(QStringLiteral("Descrizione like '%1%'").arg(QString::fromUtf8(c.prefix)));
        EXPECT_EQ(rs.RecordCount(), c.count) << c.prefix;
    }
}
