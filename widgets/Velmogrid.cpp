#include "Velmogrid.h"

#include "platform/sql/sql.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

// ---------------------------------------------------------------- wheel rule

void VelmoGridWheel(VelmoGrid *grid, VelmoWheelEvent &event)
{
    const int n = event.delta / 120;   // C++ division truncates toward zero
    sql::Query *q = grid ? grid->query() : nullptr;
    if (q && q->isOpen()) {
        if (n < 0) {
            for (int i = 0; i < -n; ++i) {
                if (q->eof())
                    break;
                q->next();
            }
        } else {
            for (int i = 0; i < n; ++i) {
                if (q->bof())
                    break;
                q->prior();
            }
        }
    }
    if (grid)
        grid->viewport()->update();
    event.handled = true;
}

// ---------------------------------------------------------------- model

VelmoGridModel::VelmoGridModel(QObject *parent) : QAbstractTableModel(parent)
{
}

sql::Query *VelmoGridModel::query() const
{
    return source_ ? source_->query() : nullptr;
}

void VelmoGridModel::setDataSource(sql::DataSource *source)
{
    if (source_ == source)
        return;
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    beginResetModel();
    source_ = source;
    if (source_) {
        connect(source_, &sql::DataSource::reset, this, &VelmoGridModel::sourceReset);
        connect(source_, &sql::DataSource::rowsFetched, this, &VelmoGridModel::sourceRowsFetched);
        connect(source_, &sql::DataSource::currentChanged, this, &VelmoGridModel::sourceCurrentChanged);
        // A data source that goes away leaves an empty grid behind.
        connect(source_, &QObject::destroyed, this, [this] {
            beginResetModel();
            rows_ = 0;
            current_ = -1;
            fieldIndex_.assign(columns_.size(), -1);
            endResetModel();
        });
    }
    sql::Query *q = query();
    rows_ = q && q->isOpen() ? q->recordCount() : 0;
    current_ = q && q->isOpen() ? q->currentRow() : -1;
    resolveFields();
    endResetModel();
    emit currentRecordChanged(current_);
}

void VelmoGridModel::setColumns(const std::vector<VelmoColumn> &columns)
{
    beginResetModel();
    columns_ = columns;
    resolveFields();
    endResetModel();
}

void VelmoGridModel::resolveFields()
{
    fieldIndex_.assign(columns_.size(), -1);
    sql::Query *q = query();
    if (!q || !q->isOpen())
        return;
    for (size_t i = 0; i < columns_.size(); ++i)
        fieldIndex_[i] = q->fieldIndex(columns_[i].field);
}

void VelmoGridModel::sourceReset()
{
    sql::Query *q = query();
    beginResetModel();
    rows_ = q && q->isOpen() ? q->recordCount() : 0;
    current_ = -1;
    resolveFields();
    endResetModel();
}

void VelmoGridModel::sourceRowsFetched(int first, int last)
{
    Q_UNUSED(first);
    sql::Query *q = query();
    if (!q)
        return;
    const int count = std::min(last + 1, q->recordCount());
    if (count <= rows_)
        return;
    beginInsertRows(QModelIndex(), rows_, count - 1);
    rows_ = count;
    endInsertRows();
}

void VelmoGridModel::sourceCurrentChanged(int row)
{
    const int old = current_;
    current_ = row;
    if (indicator_) {
        if (old >= 0 && old < rows_)
            emit headerDataChanged(Qt::Vertical, old, old);
        if (row >= 0 && row < rows_ && row != old)
            emit headerDataChanged(Qt::Vertical, row, row);
    }
    emit currentRecordChanged(row);
}

int VelmoGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int VelmoGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant VelmoGridModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_ || index.column() >= int(columns_.size()))
        return {};
    const int field = fieldIndex_[size_t(index.column())];
    sql::Query *q = query();
    if (field < 0 || !q)
        return QString();
    return q->text(index.row(), field);
}

QVariant VelmoGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= int(columns_.size()))
            return {};
        if (role == Qt::DisplayRole)
            return columns_[size_t(section)].title;
        if (role == Qt::TextAlignmentRole)
            return int(columns_[size_t(section)].titleAlignment);
        return {};
    }
    if (section < 0 || section >= rows_)
        return {};
    if (role == Qt::DisplayRole)
        return indicator_ && section == current_ ? QStringLiteral("\u25B6") : QString();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags VelmoGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

// ---------------------------------------------------------------- delegate

VelmoGridDelegate::VelmoGridDelegate(VelmoGrid *grid) : QStyledItemDelegate(grid), grid_(grid)
{
}

void VelmoGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // The selected row keeps the active highlight whether or not the grid
    // has the focus.
    const QPalette &palette = grid_->palette();
    const bool selected = option.state & QStyle::State_Selected;
    const QBrush brush = palette.brush(QPalette::Active, selected ? QPalette::Highlight : QPalette::Base);
    const QColor ink = palette.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text);

    painter->save();
    painter->setBrush(brush);
    painter->setPen(ink);
    painter->setFont(grid_->font());
    const QString text = index.data(Qt::DisplayRole).toString();

    if (!grid_->defaultDrawing_ && grid_->onDrawColumnCell) {
        VelmoDrawCellEvent event;
        event.painter = painter;
        event.rect = option.rect;
        event.row = index.row();
        event.column = index.column();
        event.columnDef = &grid_->column(index.column());
        event.text = text;
        if (selected)
            event.state |= VelmoCellState::Selected;
        if (option.state & QStyle::State_HasFocus)
            event.state |= VelmoCellState::Focused;
        grid_->onDrawColumnCell(event);
    } else {
        painter->fillRect(option.rect, brush);
        const QRect inner = option.rect.adjusted(2, 0, -2, 0);
        painter->setClipRect(inner, Qt::IntersectClip);
        painter->drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
    painter->restore();
}

// ---------------------------------------------------------------- grid

VelmoGrid::VelmoGrid(QWidget *parent) : QTableView(parent), model_(new VelmoGridModel(this))
{
    setModel(model_);
    setItemDelegate(new VelmoGridDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setAlternatingRowColors(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QHeaderView *titles = horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setSectionsMovable(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setStretchLastSection(false);
    titles->setSortIndicatorShown(false);
    titles->setMinimumSectionSize(8);
    titles->viewport()->installEventFilter(this);

    QHeaderView *marks = verticalHeader();
    marks->setSectionResizeMode(QHeaderView::Fixed);
    marks->setSectionsClickable(false);
    marks->setHighlightSections(false);
    marks->setFixedWidth(14);
    QFont markFont = marks->font();
    markFont.setPixelSize(9);
    marks->setFont(markFont);
    marks->viewport()->installEventFilter(this);

    // The selected row looks the same with or without the focus.
    QPalette p = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        p.setBrush(QPalette::Inactive, role, p.brush(QPalette::Active, role));
    }
    setPalette(p);

    updateRowHeight();

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &VelmoGrid::followView);
    connect(model_, &VelmoGridModel::currentRecordChanged, this, &VelmoGrid::followQuery);
    connect(titles, &QHeaderView::sectionClicked, this, [this](int section) {
        if (!titleDoubleClicked_ && section >= 0)
            emit titleClick(section);
    });

    // Column widths are the grid's, not the model's: a reopened query keeps
    // the widths the user gave the columns.
    auto widths = std::make_shared<std::vector<int>>();
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this, widths] {
        widths->clear();
        for (int c = 0; c < horizontalHeader()->count(); ++c)
            widths->push_back(columnWidth(c));
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this, widths] {
        for (int c = 0; c < int(widths->size()) && c < model_->columnCount(); ++c)
            setColumnWidth(c, (*widths)[size_t(c)]);
        widths->clear();
    });
}

VelmoGrid::~VelmoGrid() = default;

void VelmoGrid::setDataSource(sql::DataSource *source)
{
    model_->setDataSource(source);
}

sql::DataSource *VelmoGrid::dataSource() const
{
    return model_->dataSource();
}

sql::Query *VelmoGrid::query() const
{
    return model_->query();
}

void VelmoGrid::clearColumns()
{
    model_->setColumns({});
}

void VelmoGrid::addColumn(const VelmoColumn &column)
{
    std::vector<VelmoColumn> columns = model_->columns();
    std::vector<int> widths;
    for (int c = 0; c < int(columns.size()); ++c)
        widths.push_back(columnWidth(c));
    columns.push_back(column);
    widths.push_back(column.width);
    model_->setColumns(columns);
    for (int c = 0; c < int(widths.size()); ++c)
        setColumnWidth(c, widths[size_t(c)]);
}

void VelmoGrid::setIndicator(bool on)
{
    indicator_ = on;
    model_->setIndicator(on);
    verticalHeader()->setVisible(on);
}

void VelmoGrid::setTitleFont(const QFont &font)
{
    horizontalHeader()->setFont(font);
}

QFont VelmoGrid::titleFont() const
{
    return horizontalHeader()->font();
}

int VelmoGrid::selectedRow() const
{
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() && selectionModel()->isRowSelected(current.row(), QModelIndex()) ? current.row() : -1;
}

void VelmoGrid::followQuery(int row)
{
    if (syncing_)
        return;
    QScopedValueRollback<bool> guard(syncing_, true);
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex index = model_->index(row, std::max(column, 0));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // Bring the row into view without scrolling sideways.
    const int across = horizontalScrollBar()->value();
    scrollTo(index, QAbstractItemView::EnsureVisible);
    horizontalScrollBar()->setValue(across);
}

void VelmoGrid::followView(const QModelIndex &current, const QModelIndex &previous)
{
    Q_UNUSED(previous);
    if (syncing_ || !current.isValid())
        return;
    sql::Query *q = query();
    if (!q || !q->isOpen() || q->currentRow() == current.row())
        return;
    QScopedValueRollback<bool> guard(syncing_, true);
    q->moveTo(current.row());
}

void VelmoGrid::updateRowHeight()
{
    const int height = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

void VelmoGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateRowHeight();
}

void VelmoGrid::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0 || !onMouseWheel) {
        QTableView::wheelEvent(event);
        return;
    }
    VelmoWheelEvent wheel;
    wheel.shift = event->modifiers();
    wheel.pos = event->position().toPoint();
    wheel.delta = delta;
    onMouseWheel(wheel);
    if (wheel.handled) {
        event->accept();
        return;
    }
    QTableView::wheelEvent(event);
}

void VelmoGrid::mousePressEvent(QMouseEvent *event)
{
    titleDoubleClicked_ = false;
    QTableView::mousePressEvent(event);
    emit mouseDown(event->button(), event->modifiers(), viewport()->mapTo(this, event->position().toPoint()));
}

void VelmoGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        emit cellClick(index.column());
}

void VelmoGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit dblClick();
}

bool VelmoGrid::eventFilter(QObject *watched, QEvent *event)
{
    const bool onHeader = watched == horizontalHeader()->viewport() || watched == verticalHeader()->viewport();
    if (onHeader) {
        auto *widget = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            titleDoubleClicked_ = false;
            emit mouseDown(mouse->button(), mouse->modifiers(), widget->mapTo(this, mouse->position().toPoint()));
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            // The second click of a double click sorts nothing more.
            titleDoubleClicked_ = true;
            emit dblClick();
        }
    }
    return QTableView::eventFilter(watched, event);
}

// ---------------------------------------------------------------- navigator

namespace {

QIcon arrowIcon(VelmoNavigator::Button which, const QColor &ink)
{
    const int s = 16;
    QPixmap pixmap(s, s);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const bool left = which == VelmoNavigator::First || which == VelmoNavigator::Prior;
    const bool bar = which == VelmoNavigator::First || which == VelmoNavigator::Last;
    QPainterPath triangle;
    if (left) {
        triangle.moveTo(11, 3);
        triangle.lineTo(11, 13);
        triangle.lineTo(5, 8);
    } else {
        triangle.moveTo(5, 3);
        triangle.lineTo(5, 13);
        triangle.lineTo(11, 8);
    }
    triangle.closeSubpath();
    p.drawPath(triangle);
    if (bar)
        p.drawRect(left ? QRectF(3, 3, 2, 10) : QRectF(11, 3, 2, 10));
    return QIcon(pixmap);
}

} // namespace

VelmoNavigator::VelmoNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const char *names[] = {"First", "Prior", "Next", "Last"};
    const QString tips[] = {QStringLiteral("Pierwszy"), QStringLiteral("Poprzedni"), QStringLiteral("Następny"),
                            QStringLiteral("Ostatni")};
    for (int i = 0; i < 4; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setIcon(arrowIcon(Button(i), palette().color(QPalette::ButtonText)));
        b->setToolTip(tips[i]);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, i] { move(Button(i)); });
        buttons_[i] = b;
    }
    updateButtons();
}

void VelmoNavigator::setDataSource(sql::DataSource *source)
{
    for (const auto &c : connections_)
        disconnect(c);
    connections_.clear();
    source_ = source;
    if (source_) {
        connections_.push_back(connect(source_, &sql::DataSource::reset, this, &VelmoNavigator::updateButtons));
        connections_.push_back(connect(source_, &sql::DataSource::rowsFetched, this, &VelmoNavigator::updateButtons));
        connections_.push_back(connect(source_, &sql::DataSource::currentChanged, this, &VelmoNavigator::updateButtons));
        connections_.push_back(connect(source_, &QObject::destroyed, this, &VelmoNavigator::updateButtons));
    }
    updateButtons();
}

void VelmoNavigator::move(Button which)
{
    sql::Query *q = source_ ? source_->query() : nullptr;
    if (!q || !q->isOpen())
        return;
    switch (which) {
    case First: q->first(); break;
    case Prior: q->prior(); break;
    case Next: q->next(); break;
    case Last: q->last(); break;
    }
}

void VelmoNavigator::updateButtons()
{
    sql::Query *q = source_ ? source_->query() : nullptr;
    const bool rows = q && q->isOpen() && q->recordCount() > 0;
    const int row = rows ? q->currentRow() : -1;
    const bool back = rows && row > 0;
    const bool ahead = rows && (row < q->recordCount() - 1 || !q->allFetched());
    buttons_[First]->setEnabled(back);
    buttons_[Prior]->setEnabled(back);
    buttons_[Next]->setEnabled(ahead);
    buttons_[Last]->setEnabled(ahead);
}
