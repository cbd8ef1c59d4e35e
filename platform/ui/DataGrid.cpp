#include "platform/ui/DataGrid.h"

#include "platform/basic/Basic.h"
#include "platform/data/Data.h"
#include "platform/ui/Twips.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>

#include <exception>

namespace ui {

// The rows and columns are counted once per (re)read, so the view never sees a count that
// changed behind its back; the cells are read on demand.
class RecordsetModel : public QAbstractTableModel {
public:
    struct Column {
        QString caption;
        GridAlignment alignment = GridAlignment::Default;
        QString mask;
    };

    using QAbstractTableModel::QAbstractTableModel;

    const std::shared_ptr<data::Recordset>& recordset() const { return rs_; }

    // Returns whether the columns stayed those of the last read, settings included.
    bool reload(std::shared_ptr<data::Recordset> rs, bool keepColumns) {
        beginResetModel();
        rs_ = std::move(rs);
        std::vector<QString> names;
        rows_ = 0;
        try {
            if (rs_ && rs_->State() == data::adStateOpen) {
                const int n = rs_->FieldCount();
                for (int i = 0; i < n; ++i) names.push_back(rs_->Fields(i).Name());
                rows_ = rs_->RecordCount();
            }
        } catch (const std::exception&) {
            names.clear();
            rows_ = 0;
        }
        bool same = keepColumns && names.size() == columns_.size();
        for (std::size_t i = 0; same && i < names.size(); ++i) same = names[i] == columns_[i].caption;
        if (!same) {
            columns_.clear();
            for (const QString& name : names) columns_.push_back({name, GridAlignment::Default, QString()});
        }
        endResetModel();
        return same;
    }

    Column* column(int c) {
        return c >= 0 && c < static_cast<int>(columns_.size()) ? &columns_[static_cast<std::size_t>(c)] : nullptr;
    }
    const Column* column(int c) const { return const_cast<RecordsetModel*>(this)->column(c); }

    void columnChanged(int c) {
        if (rows_ > 0) emit dataChanged(index(0, c), index(static_cast<int>(rows_) - 1, c));
    }

    QString text(long row, int c) const {
        const Column* col = column(c);
        if (!rs_ || !col || row < 1 || row > rows_) return QString();
        try {
            const QVariant v = rs_->ValueAt(row, c);
            if (v.isNull()) return QString();
            switch (v.typeId()) {
            case QMetaType::Double:
            case QMetaType::Float:
                return col->mask.isEmpty() ? basic::CStr(v.toDouble()) : basic::Format(v.toDouble(), col->mask);
            case QMetaType::LongLong:
            case QMetaType::Int:
            case QMetaType::Long:
            case QMetaType::Short:
                return col->mask.isEmpty() ? basic::CStr(v.toLongLong())
                                           : basic::Format(static_cast<double>(v.toLongLong()), col->mask);
            default:
                return v.toString();
            }
        } catch (const std::exception&) {
            return QString();
        }
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_);
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return QVariant();
        if (role == Qt::DisplayRole) return text(index.row() + 1, index.column());
        if (role == Qt::TextAlignmentRole) {
            const Column* col = column(index.column());
            switch (col ? col->alignment : GridAlignment::Default) {
            case GridAlignment::Left: return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
            case GridAlignment::Right: return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            case GridAlignment::Centre: return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
            case GridAlignment::Default: break;
            }
        }
        return QVariant();
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            if (const Column* col = column(section)) return col->caption;
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    std::shared_ptr<data::Recordset> rs_;
    std::vector<Column> columns_;
    long rows_ = 0;
};

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), model_(new RecordsetModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setStretchLastSection(false);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { onCurrentRowChanged(current); });
}

DataGrid::~DataGrid() = default;

void DataGrid::SetDataSource(std::shared_ptr<data::Recordset> recordset) {
    syncing_ = true;
    model_->reload(std::move(recordset), false);
    syncing_ = false;
    widthsTwips_.assign(static_cast<std::size_t>(model_->columnCount()), std::nullopt);
    for (int c = 0; c < model_->columnCount(); ++c) setColumnWidth(c, horizontalHeader()->defaultSectionSize());
    SyncToRecordset();
}

std::shared_ptr<data::Recordset> DataGrid::DataSource() const { return model_->recordset(); }

void DataGrid::Refresh() {
    syncing_ = true;
    const bool kept = model_->reload(model_->recordset(), true);
    syncing_ = false;
    if (!kept) widthsTwips_.assign(static_cast<std::size_t>(model_->columnCount()), std::nullopt);
    reapplyWidths();
    SyncToRecordset();
}

void DataGrid::reapplyWidths() {
    for (std::size_t c = 0; c < widthsTwips_.size(); ++c) {
        const int section = static_cast<int>(c);
        setColumnWidth(section, widthsTwips_[c] ? TwipsToPixelsX(*widthsTwips_[c]) : horizontalHeader()->defaultSectionSize());
    }
}

void DataGrid::SyncToRecordset() {
    long pos = 0;
    const auto& rs = model_->recordset();
    try {
        if (rs && rs->State() == data::adStateOpen) pos = rs->AbsolutePosition();
    } catch (const std::exception&) {
        pos = 0;
    }
    syncing_ = true;
    if (pos >= 1 && pos <= model_->rowCount()) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        const QModelIndex target = model_->index(static_cast<int>(pos - 1), column);
        setCurrentIndex(target);
        scrollTo(target);
    } else {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    }
    syncing_ = false;
}

void DataGrid::onCurrentRowChanged(const QModelIndex& current) {
    if (syncing_ || !current.isValid()) return;
    const auto& rs = model_->recordset();
    if (!rs) return;
    // Setting the position even to the row already current would close a pending edit.
    try {
        const long row = current.row() + 1;
        if (rs->AbsolutePosition() != row) rs->AbsolutePosition(row);
    } catch (const std::exception&) {
    }
}

int DataGrid::ColumnCount() const { return model_->columnCount(); }

int DataGrid::RowCount() const { return model_->rowCount(); }

QString DataGrid::ColumnCaption(int column) const {
    const RecordsetModel::Column* col = model_->column(column);
    return col ? col->caption : QString();
}

void DataGrid::SetColumnWidthTwips(int column, double twips) {
    if (column < 0 || column >= static_cast<int>(widthsTwips_.size())) return;
    widthsTwips_[static_cast<std::size_t>(column)] = twips;
    setColumnWidth(column, TwipsToPixelsX(twips));
}

double DataGrid::ColumnWidthTwips(int column) const {
    if (column < 0 || column >= static_cast<int>(widthsTwips_.size())) return 0.0;
    const int pixels = columnWidth(column);
    // The width as set, as long as nobody dragged the column since: pixels lose the twips' detail.
    const auto& set = widthsTwips_[static_cast<std::size_t>(column)];
    if (set && TwipsToPixelsX(*set) == pixels) return *set;
    return PixelsToTwipsX(pixels);
}

void DataGrid::SetColumnAlignment(int column, GridAlignment alignment) {
    if (RecordsetModel::Column* col = model_->column(column)) {
        col->alignment = alignment;
        model_->columnChanged(column);
    }
}

GridAlignment DataGrid::ColumnAlignment(int column) const {
    const RecordsetModel::Column* col = model_->column(column);
    return col ? col->alignment : GridAlignment::Default;
}

void DataGrid::SetColumnNumberFormat(int column, const QString& mask) {
    if (RecordsetModel::Column* col = model_->column(column)) {
        col->mask = mask;
        model_->columnChanged(column);
    }
}

QString DataGrid::ColumnNumberFormat(int column) const {
    const RecordsetModel::Column* col = model_->column(column);
    return col ? col->mask : QString();
}

QString DataGrid::CellText(long row, int column) const { return model_->text(row, column); }

long DataGrid::CurrentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid()) emit DblClick();
}

} // namespace ui
