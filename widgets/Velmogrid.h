#pragma once

// The read-only data-bound grid of every list of database rows, its record
// navigator, and the wheel rule every window attaches to its grids.

#include "platform/sql/sql.h"

#include <QAbstractTableModel>
#include <QFlags>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;
class QToolButton;
class VelmoGrid;

// One column of the grid: the field it shows and how its title looks.
struct VelmoColumn {
    QString field;
    QString title;
    int width = 64;
    Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// The state of a cell as the drawing handler sees it.
enum class VelmoCellState : unsigned {
    Selected = 1u << 0,   // a cell of the selected row
    Focused = 1u << 1,    // the current cell while the grid has the focus
    Fixed = 1u << 2,      // a title or indicator cell
};
Q_DECLARE_FLAGS(VelmoCellStates, VelmoCellState)
Q_DECLARE_OPERATORS_FOR_FLAGS(VelmoCellStates)

// Handed to the owner's drawing handler for each data cell. The painter
// already carries the brush (the cell's background, the highlight colour on
// the selected row), the pen (the font colour) and the grid's font.
struct VelmoDrawCellEvent {
    QPainter *painter = nullptr;
    QRect rect;
    int row = -1;
    int column = -1;
    const VelmoColumn *columnDef = nullptr;
    QString text;                 // the cell's field value as text
    VelmoCellStates state;
};

// Handed to the owner's wheel handler. delta is 120 per notch, positive when
// the wheel turns away from the user; a handler that sets handled stops the
// grid's own scrolling.
struct VelmoWheelEvent {
    Qt::KeyboardModifiers shift;
    QPoint pos;
    int delta = 0;
    bool handled = false;
};

// The wheel rule of every grid: one record per notch (toward the user: next
// records, stopping at the end; away: prior records, stopping at the start),
// then a repaint. Always sets handled.
void VelmoGridWheel(VelmoGrid *grid, VelmoWheelEvent &event);

// The table model over the buffered rows of the data source's query. It
// reads each cell from the query when the view asks for it; nothing is
// copied per row.
class VelmoGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit VelmoGridModel(QObject *parent = nullptr);

    void setDataSource(sql::DataSource *source);
    sql::DataSource *dataSource() const { return source_; }
    sql::Query *query() const;

    void setColumns(const std::vector<VelmoColumn> &columns);
    const std::vector<VelmoColumn> &columns() const { return columns_; }

    // Whether the vertical header marks the current record.
    void setIndicator(bool on) { indicator_ = on; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The current record of the query (-1 when none), as last announced.
    int currentRow() const { return current_; }

signals:
    // The query's current record moved (after the model is up to date).
    void currentRecordChanged(int row);

private:
    void sourceReset();
    void sourceRowsFetched(int first, int last);
    void sourceCurrentChanged(int row);
    void resolveFields();

    QPointer<sql::DataSource> source_;
    std::vector<VelmoColumn> columns_;
    std::vector<int> fieldIndex_;   // result column of each grid column, -1 when absent
    int rows_ = 0;
    int current_ = -1;
    bool indicator_ = true;
};

// The read-only grid. Explicit columns, a title row, an optional indicator
// column, row and column lines, user-resizable columns and whole-row
// selection that stays shown when the grid has no focus. The current row
// follows the query's current record both ways.
class VelmoGrid : public QTableView {
    Q_OBJECT
public:
    explicit VelmoGrid(QWidget *parent = nullptr);
    ~VelmoGrid() override;

    void setDataSource(sql::DataSource *source);
    sql::DataSource *dataSource() const;
    sql::Query *query() const;
    VelmoGridModel *gridModel() const { return model_; }

    // Columns.
    void clearColumns();
    void addColumn(const VelmoColumn &column);
    int columnCount() const { return int(model_->columns().size()); }
    const VelmoColumn &column(int index) const { return model_->columns().at(size_t(index)); }

    void setIndicator(bool on);
    bool indicator() const { return indicator_; }
    void setTitleFont(const QFont &font);
    QFont titleFont() const;

    // Off: every data cell is drawn by onDrawColumnCell.
    void setDefaultDrawing(bool on) { defaultDrawing_ = on; viewport()->update(); }
    bool defaultDrawing() const { return defaultDrawing_; }

    // The owner's handlers.
    std::function<void(VelmoDrawCellEvent &)> onDrawColumnCell;
    std::function<void(VelmoWheelEvent &)> onMouseWheel;

    // The visible row of the current record, -1 when none is selected.
    int selectedRow() const;

signals:
    // A click released on a column title.
    void titleClick(int column);
    // A click released on a data cell.
    void cellClick(int column);
    // A double click anywhere on the grid, titles included.
    void dblClick();
    // A mouse button pressed anywhere on the grid, titles included.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &pos);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class VelmoGridDelegate;
    void followQuery(int row);
    void followView(const QModelIndex &current, const QModelIndex &previous);
    void updateRowHeight();
    void applyColumnWidths();

    VelmoGridModel *model_;
    bool indicator_ = true;
    bool defaultDrawing_ = true;
    bool syncing_ = false;
    bool titleDoubleClicked_ = false;
};

// Paints the data cells: the grid prepares brush, pen and font, then the
// owner draws (or the grid's own drawing when defaultDrawing is on).
class VelmoGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit VelmoGridDelegate(VelmoGrid *grid);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    VelmoGrid *grid_;
};

// The record navigator: first, previous, next and last record of the data
// source's query.
class VelmoNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last };

    explicit VelmoNavigator(QWidget *parent = nullptr);

    void setDataSource(sql::DataSource *source);
    sql::DataSource *dataSource() const { return source_; }
    QToolButton *button(Button which) const { return buttons_[which]; }

    // Runs a button's move on the query.
    void move(Button which);

private:
    void updateButtons();

    QPointer<sql::DataSource> source_;
    QToolButton *buttons_[4] = {};
    std::vector<QMetaObject::Connection> connections_;
};
