#include "Entrygrid.h"

#include <QMouseEvent>

#include "platform/ui/beep.h"
#include "platform/ui/formats.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

QChar TypedChar(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return {};
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    const Qt::KeyboardModifiers m = event->modifiers();
    // Ctrl with Alt is AltGr on some systems, which types letters such as ł.
    if ((m & Qt::MetaModifier) || ((m & Qt::ControlModifier) && !(m & Qt::AltModifier)))
        return {};
    return text.at(0);
}

bool IsEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// ---------------------------------------------------------------------------
// The in-place editor and the drawing of the cells.

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(EntryGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const EntryGrid::Column c = m_grid->column(index.column());
        if (c.readOnly)
            return nullptr;
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setFont(option.font);
        editor->setAlignment(Qt::AlignCenter);
        if (c.limit > 0)
            editor->setMaxLength(c.limit);
        if (!c.characters.isEmpty())
            editor->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("^[%1]*$").arg(c.characters)), editor));
        // The cell follows its editor key by key, as the grid's other
        // handlers read what the cell holds.
        QObject::connect(editor, &QLineEdit::textChanged, this, [this, editor] {
            if (!m_loading)
                emit const_cast<CellDelegate *>(this)->commitData(editor);
        });
        m_grid->m_editor = editor;
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        m_loading = true;
        QStyledItemDelegate::setEditorData(editor, index);
        m_loading = false;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *e = qobject_cast<QLineEdit *>(editor);
        if (e && model->data(index, Qt::EditRole).toString() != e->text())
            model->setData(index, e->text(), Qt::EditRole);
    }

    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        if (m_grid->m_editor == editor)
            m_grid->m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        const QRect inner = option.rect.adjusted(5, 0, -5, 0);
        const bool fits = opt.fontMetrics.horizontalAdvance(text) <= inner.width();
        const QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        painter->setClipRect(inner);
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(group, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                       : QPalette::Text));
        painter->drawText(inner, Qt::AlignVCenter | Qt::TextSingleLine | (fits ? Qt::AlignHCenter : Qt::AlignLeft), text);
        painter->restore();
    }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (m_grid->onKeyPress && m_grid->onKeyPress(key))
                return true;
            if (IsEnterKey(key))
                return true;
        } else if (event->type() == QEvent::KeyRelease) {
            emit m_grid->keyReleased();
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    EntryGrid *m_grid;
    mutable bool m_loading = false;   // the editor is being given the cell's text
};

// ---------------------------------------------------------------------------

EntryGrid::EntryGrid(QWidget *parent) : QTableWidget(parent)
{
    setItemDelegate(new CellDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setMinimumSectionSize(8);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // A click on the current cell opens its editor at once (see the mouse
    // handlers): the view's own delayed opening would swallow what is typed
    // in the meantime.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setRowHeight(22);
    QFont bold = font();
    bold.setBold(true);
    horizontalHeader()->setFont(bold);
}

void EntryGrid::changeEvent(QEvent *event)
{
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        QFont bold = font();
        bold.setBold(true);
        horizontalHeader()->setFont(bold);
    }
}

void EntryGrid::setTitles(const QStringList &titles)
{
    setColumnCount(int(titles.size()));
    for (int c = 0; c < titles.size(); ++c)
        setTitle(c, titles[c]);
}

QString EntryGrid::title(int col) const
{
    const QTableWidgetItem *it = horizontalHeaderItem(col);
    return it ? it->text() : QString();
}

void EntryGrid::setTitle(int col, const QString &text)
{
    if (QTableWidgetItem *it = horizontalHeaderItem(col))
        it->setText(text);
    else
        setHorizontalHeaderItem(col, new QTableWidgetItem(text));
}

void EntryGrid::setRowHeight(int pixels)
{
    m_rowHeight = pixels;
    verticalHeader()->setDefaultSectionSize(pixels);
    horizontalHeader()->setFixedHeight(pixels);
}

void EntryGrid::setColumnWidths(int pixels)
{
    horizontalHeader()->setDefaultSectionSize(pixels);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, pixels);
}

void EntryGrid::setDataRowCount(int rows)
{
    const int before = rowCount();
    setRowCount(rows);
    // Rows that come back after a smaller count start empty.
    for (int r = before; r < rows; ++r)
        for (int c = 0; c < columnCount(); ++c)
            delete takeItem(r, c);
}

QString EntryGrid::cellText(int row, int col) const
{
    const QTableWidgetItem *it = item(row, col);
    return it ? it->text() : QString();
}

void EntryGrid::setCellText(int row, int col, const QString &text)
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return;
    if (QTableWidgetItem *it = item(row, col))
        it->setText(text);
    else
        setItem(row, col, new QTableWidgetItem(text));
}

EntryGrid::Column EntryGrid::column(int col) const
{
    return (col >= 0 && col < m_columns.size()) ? m_columns[col] : Column{};
}

void EntryGrid::setColumnLimit(int col, int limit)
{
    if (col >= m_columns.size())
        m_columns.resize(col + 1);
    m_columns[col].limit = limit;
}

int EntryGrid::columnLimit(int col) const { return column(col).limit; }

void EntryGrid::setColumnReadOnly(int col, bool readOnly)
{
    if (col >= m_columns.size())
        m_columns.resize(col + 1);
    m_columns[col].readOnly = readOnly;
}

bool EntryGrid::columnReadOnly(int col) const { return column(col).readOnly; }

void EntryGrid::setColumnCharacters(int col, const QString &characterClass)
{
    if (col >= m_columns.size())
        m_columns.resize(col + 1);
    m_columns[col].characters = characterClass;
}

QString EntryGrid::columnCharacters(int col) const { return column(col).characters; }

void EntryGrid::setAlwaysShowEditor(bool on)
{
    m_alwaysShowEditor = on;
}

QLineEdit *EntryGrid::activeEditor() const
{
    return (m_editor && state() == QAbstractItemView::EditingState) ? m_editor.data() : nullptr;
}

QLineEdit *EntryGrid::openEditor()
{
    if (QLineEdit *e = activeEditor())
        return e;
    if (currentIndex().isValid())
        edit(currentIndex());
    return activeEditor();
}

QString EntryGrid::currentText() const
{
    if (QLineEdit *e = activeEditor())
        return e->text();
    return cellText(currentRow(), currentColumn());
}

void EntryGrid::finishEditing()
{
    if (QLineEdit *e = activeEditor()) {
        commitData(e);
        closeEditor(e, QAbstractItemDelegate::NoHint);
    }
}

void EntryGrid::scheduleEditor()
{
    if (!m_alwaysShowEditor)
        return;
    QTimer::singleShot(0, this, [this] {
        const QModelIndex current = currentIndex();
        if (hasFocus() && current.isValid() && state() != QAbstractItemView::EditingState &&
            !column(current.column()).readOnly)
            edit(current);
    });
}

void EntryGrid::keyPressEvent(QKeyEvent *event)
{
    // Typed characters reach the handler through the editor that they open.
    if (IsEnterKey(event)) {
        if (onKeyPress)
            onKeyPress(event);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void EntryGrid::keyReleaseEvent(QKeyEvent *event)
{
    QTableWidget::keyReleaseEvent(event);
    emit keyReleased();
}

void EntryGrid::focusInEvent(QFocusEvent *event)
{
    QTableWidget::focusInEvent(event);
    emit entered(event->reason());
    scheduleEditor();
}

void EntryGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableWidget::currentChanged(current, previous);
    emit currentCellMoved();
    scheduleEditor();
}

// ---------------------------------------------------------------------------

UpDown::UpDown(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    for (QToolButton *b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setFixedSize(17, 11);
        layout->addWidget(b);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::setAssociate(QLineEdit *edit)
{
    m_edit = edit;
    edit->installEventFilter(this);
    // A paste brings no other characters than typing does.
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9]*$")), edit));
}

void UpDown::setRange(int min, int max)
{
    m_min = min;
    m_max = max;
    m_position = qBound(min, m_position, max);
}

void UpDown::step(int delta)
{
    if (!m_edit)
        return;
    long long typed = 0;
    if (ui::parseInteger(m_edit->text(), typed))
        m_position = int(qBound((long long)m_min, typed, (long long)m_max));
    m_position = qBound(m_min, m_position + delta, m_max);
    m_edit->setText(QString::number(m_position));
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            step(key->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
        const QChar c = TypedChar(key);
        if (!c.isNull() && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && c != QLatin1Char('\b')) {
            ui::beep();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------

DatePicker::DatePicker(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    // Month and day names of the calendar in Polish; the text stays year-month-day.
    setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    QFont f = font();
    f.setPointSize(10);
    setFont(f);
    hide();
}

void DatePicker::keyPressEvent(QKeyEvent *event)
{
    if (IsEnterKey(event)) {
        interpretText();
        event->accept();
        emit enterPressed();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

void DatePicker::focusOutEvent(QFocusEvent *event)
{
    QDateEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit exited();
}

bool DatePicker::focusNextPrevChild(bool next)
{
    emit tabbed(next);
    return true;
}

void EntryGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    pressedOnCurrent_ = (event->button() == Qt::LeftButton && at.isValid() && at == currentIndex()) ? at : QModelIndex();
    QTableWidget::mousePressEvent(event);
}

void EntryGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableWidget::mouseReleaseEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (pressedOnCurrent_.isValid() && at == pressedOnCurrent_ && state() != QAbstractItemView::EditingState &&
        (model()->flags(at) & Qt::ItemIsEditable))
        edit(at);
    pressedOnCurrent_ = QModelIndex();
}
