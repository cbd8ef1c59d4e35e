#pragma once
// A read-only grid bound to a recordset: one column per field, captioned with the field's name,
// one row per row that the recordset's filter and sort let through. The grid's current row is the
// recordset's current row. Cells are read by position, so painting never moves the recordset;
// a recordset error while painting shows empty cells instead of escaping.
#include <QString>
#include <QTableView>

#include <memory>
#include <optional>
#include <vector>

namespace data {
class Recordset;
}

namespace ui {

class RecordsetModel;

enum class GridAlignment { Default, Left, Right, Centre };

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    // Binds the grid and starts its columns afresh (widths, alignments and formats back to the
    // defaults). A null or closed recordset shows no columns and no rows.
    void SetDataSource(std::shared_ptr<data::Recordset> recordset);
    std::shared_ptr<data::Recordset> DataSource() const;

    // Reads the rows again after the recordset's filter, sort or rows changed, keeping the
    // columns' settings, and shows the recordset's current row.
    void Refresh();
    // Shows the recordset's current row as the grid's current row (none off the rows).
    void SyncToRecordset();

    int ColumnCount() const;
    int RowCount() const;
    // Columns are 0-based, from the first field to the last; "" for a column the grid lacks.
    QString ColumnCaption(int column) const;
    void SetColumnWidthTwips(int column, double twips);
    double ColumnWidthTwips(int column) const;
    void SetColumnAlignment(int column, GridAlignment alignment);
    GridAlignment ColumnAlignment(int column) const;
    // A mask such as "##,#0.00 " for basic::Format; applies to numeric values only. "" = none.
    void SetColumnNumberFormat(int column, const QString& mask);
    QString ColumnNumberFormat(int column) const;

    // The text a cell shows; row is 1-based like the recordset's positions.
    QString CellText(long row, int column) const;
    // 1-based position of the grid's current row; 0 when there is none.
    long CurrentRow() const;

signals:
    // A double-click on the grid's cells, after the clicked row became current.
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void onCurrentRowChanged(const QModelIndex& current);
    void reapplyWidths();

    RecordsetModel* model_;
    std::vector<std::optional<double>> widthsTwips_;
    bool syncing_ = false;
};

} // namespace ui
