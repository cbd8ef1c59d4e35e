// The grid bound to a materials recordset: columns, rows, formatting, and the shared current row.
#include "platform/ui/DataGrid.h"
#include "platform/ui/Twips.h"

#include "Locale.h"
#include "tests/data/TestDb.h"

#include <QAbstractItemModel>
#include <QSignalSpy>
#include <QTest>

namespace {

using ui::DataGrid;
using ui::GridAlignment;

class DataGridTest : public ::testing::Test {
protected:
    testing_support::LocaleGuard italiano{testing_support::LocaleGuard::italian()};
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("materiali.mdb");
        testdb::makeMaterials(path);
        cn = testdb::open(path);
        rs = testdb::query(cn, "Select * from Legno ");
        rs->Sort("Numero");
        grid.resize(900, 400);
    }

    // The Numero column as the grid shows it, top to bottom.
    QStringList shownNumbers() const {
        QStringList out;
        for (long r = 1; r <= grid.RowCount(); ++r) out << grid.CellText(r, 0);
        return out;
    }

    void click(int row, bool twice = false) {
        const QRect cell = grid.visualRect(grid.model()->index(row - 1, 1));
        if (twice)
            QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        else
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    }

    QTemporaryDir dir;
    QString path;
    std::shared_ptr<data::Connection> cn;
    std::shared_ptr<data::Recordset> rs;
    DataGrid grid;
};

TEST_F(DataGridTest, BindingGivesOneColumnPerFieldAndTheRecordsetsRows) {
    grid.SetDataSource(rs);
    const QStringList captions{"Numero", "Classe", "Descrizione", "Fmk",  "Ft0k", "Ft90k",   "Fc0k",
                               "Fc90k",  "Fvk",    "E0mean",      "E05",  "E90mean", "Gmean", "rok"};
    ASSERT_EQ(grid.ColumnCount(), 14);
    for (int c = 0; c < 14; ++c) {
        EXPECT_EQ(grid.ColumnCaption(c), captions[c]);
        EXPECT_EQ(grid.model()->headerData(c, Qt::Horizontal).toString(), captions[c]);
    }
    EXPECT_EQ(grid.ColumnCaption(14), "");
    EXPECT_EQ(shownNumbers(), QStringList({"5", "10", "15", "20", "25", "26", "30", "35", "40"}));
    EXPECT_EQ(grid.CellText(2, 2), "Latifoglia D30");
    EXPECT_EQ(grid.CellText(7, 4), "14,5");  // unformatted numbers by the user's locale
    EXPECT_EQ(grid.CellText(1, 5), "");      // null
    EXPECT_EQ(grid.CellText(10, 0), "");     // past the last row
    // The list is for viewing only.
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 2)) & Qt::ItemIsEditable);
    // Bound to its first row, as the recordset is after opening.
    EXPECT_EQ(grid.CurrentRow(), 1);
}

TEST_F(DataGridTest, ColumnWidthAlignmentAndNumberFormat) {
    testdb::exec(path, "UPDATE Legno SET Fmk = 12000.5 WHERE Numero = 5");
    rs = testdb::query(cn, "Select * from Legno ");
    rs->Sort("Numero");
    grid.SetDataSource(rs);

    struct Case {
        int column;
        double twips;
        GridAlignment alignment;
        QString mask;
        Qt::Alignment shown;
    };
    const Case cases[] = {
        {0, 630, GridAlignment::Centre, "", Qt::AlignHCenter},
        {2, 4000, GridAlignment::Default, "", Qt::Alignment()},
        {3, 800, GridAlignment::Right, "##,#0.00 ", Qt::AlignRight},
        {5, 800, GridAlignment::Right, "##,#0.00 ", Qt::AlignRight},
    };
    for (const Case& k : cases) {
        grid.SetColumnWidthTwips(k.column, k.twips);
        grid.SetColumnNumberFormat(k.column, k.mask);
        grid.SetColumnAlignment(k.column, k.alignment);
    }
    auto check = [&] {
        for (const Case& k : cases) {
            SCOPED_TRACE(k.column);
            EXPECT_DOUBLE_EQ(grid.ColumnWidthTwips(k.column), k.twips);
            EXPECT_EQ(grid.columnWidth(k.column), ui::TwipsToPixelsX(k.twips));
            EXPECT_EQ(grid.ColumnAlignment(k.column), k.alignment);
            EXPECT_EQ(grid.ColumnNumberFormat(k.column), k.mask);
            const QVariant a = grid.model()->index(0, k.column).data(Qt::TextAlignmentRole);
            EXPECT_EQ(Qt::Alignment(a.toInt()) & Qt::AlignHorizontal_Mask, k.shown);
        }
    };
    check();
    EXPECT_EQ(grid.CellText(1, 3), "12.000,50 ");
    EXPECT_EQ(grid.CellText(2, 3), "30,00 ");
    EXPECT_EQ(grid.CellText(1, 5), "");  // a null value stays empty under a format
    EXPECT_EQ(grid.CellText(1, 0), "5");
    {
        testing_support::LocaleGuard english(testing_support::LocaleGuard::english());
        EXPECT_EQ(grid.CellText(1, 3), "12,000.50 ");
    }

    // A re-read of the same recordset keeps the settings; a new binding starts afresh.
    rs->Filter("Descrizione like 'L%'");
    grid.Refresh();
    check();
    grid.SetDataSource(rs);
    EXPECT_EQ(grid.ColumnAlignment(0), GridAlignment::Default);
    EXPECT_EQ(grid.ColumnNumberFormat(3), "");
    // A user who drags a column gets the width that shows.
    grid.SetColumnWidthTwips(1, 1000);
    grid.setColumnWidth(1, 200);
    EXPECT_DOUBLE_EQ(grid.ColumnWidthTwips(1), ui::PixelsToTwipsX(200));
    // Columns the grid lacks are ignored.
    grid.SetColumnWidthTwips(14, 500);
    grid.SetColumnAlignment(-1, GridAlignment::Right);
    EXPECT_EQ(grid.ColumnWidthTwips(14), 0.0);
}

TEST_F(DataGridTest, FilterAndSortShowAfterRefresh) {
    grid.SetDataSource(rs);
    rs->Filter("Descrizione like 'conif%'");
    grid.Refresh();
    EXPECT_EQ(shownNumbers(), QStringList({"30", "35"}));
    EXPECT_EQ(grid.CurrentRow(), 1);
    rs->Filter("Descrizione like 'nessuno%'");
    grid.Refresh();
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.CurrentRow(), 0);
    rs->Filter("");
    rs->Sort("Numero DESC");
    grid.Refresh();
    EXPECT_EQ(shownNumbers(), QStringList({"40", "35", "30", "26", "25", "20", "15", "10", "5"}));
}

TEST_F(DataGridTest, CurrentRowIsTheRecordsetsCurrentRow) {
    grid.SetDataSource(rs);
    grid.show();
    click(3);
    EXPECT_EQ(grid.CurrentRow(), 3);
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 15);
    QTest::keyClick(grid.viewport(), Qt::Key_Down);
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 20);

    rs->MoveLast();
    grid.SyncToRecordset();
    EXPECT_EQ(grid.CurrentRow(), 9);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(8, QModelIndex()));
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 40);

    // Painting reads by position and leaves the recordset where it is.
    rs->AbsolutePosition(2);
    (void)grid.grab();
    EXPECT_EQ(rs->AbsolutePosition(), 2);

    // Off the rows, the grid has no current row.
    rs->MoveLast();
    rs->MoveNext();
    grid.SyncToRecordset();
    EXPECT_EQ(grid.CurrentRow(), 0);

    // A re-read into a new recordset that takes the remembered bookmark shows that row.
    rs->AbsolutePosition(4);
    const QVariant mark = rs->Bookmark();
    auto again = testdb::query(cn, "Select * from Legno ");
    again->Sort("Numero");
    again->Bookmark(mark);
    grid.SetDataSource(again);
    EXPECT_EQ(grid.CurrentRow(), 4);
    EXPECT_EQ(grid.CellText(4, 0), "20");
}

TEST_F(DataGridTest, DoubleClickMakesTheRowCurrentAndSignals) {
    grid.SetDataSource(rs);
    grid.show();
    QSignalSpy spy(&grid, &DataGrid::DblClick);
    click(5, true);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 25);
    // Below the last row there is no row to open.
    rs->Filter("Descrizione like 'conif%'");
    grid.Refresh();
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, QPoint(10, grid.viewport()->height() - 5));
    EXPECT_EQ(spy.count(), 1);
    // A disabled grid takes no clicks.
    grid.setEnabled(false);
    click(1, true);
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(DataGridTest, MissingClosedOrChangedRecordsetShowsNoRowsWithoutError) {
    grid.SetDataSource(nullptr);
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.ColumnCount(), 0);
    EXPECT_EQ(grid.CurrentRow(), 0);
    grid.Refresh();
    grid.SyncToRecordset();
    EXPECT_EQ(grid.CellText(1, 0), "");

    // A recordset whose opening failed: never opened.
    grid.SetDataSource(std::make_shared<data::Recordset>());
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.ColumnCount(), 0);
    grid.show();
    (void)grid.grab();

    // Rows that vanish or a recordset closed behind the grid's back paint empty until re-read.
    grid.SetDataSource(rs);
    rs->MoveLast();
    rs->Delete();
    EXPECT_EQ(grid.CellText(9, 0), "");
    (void)grid.grab();
    grid.Refresh();
    EXPECT_EQ(grid.RowCount(), 8);
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno"), "8");
    rs->Close();
    EXPECT_EQ(grid.CellText(1, 0), "");
    (void)grid.grab();
    grid.SyncToRecordset();
    EXPECT_EQ(grid.CurrentRow(), 0);
    grid.Refresh();
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.ColumnCount(), 0);
}

} // namespace
