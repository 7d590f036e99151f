#include "Entrydialog.h"

#include "newcase/Entrygrid.h"
#include "platform/ui/beep.h"
#include "platform/ui/clock.h"
#include "platform/ui/formats.h"
#include "platform/ui/messages.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int NoteLimit = 30;
constexpr int AmountLimit = 12;
constexpr int StartRows = 9;

} // namespace

TEntryDialog::TEntryDialog(QWidget *owner, const QString &caption, bool withAmount, bool signedAmount)
    : TGridDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowMaximizeButtonHint),
      m_colKwota(withAmount ? 1 : -1), m_colUwagi(withAmount ? 2 : 1), m_signedAmount(signedAmount)
{
    setWindowTitle(caption);
    setModal(true);
    if (withAmount)
        resize(394, 274);
    else
        resize(363, 250);

    GroupBox1 = new QGroupBox(caption, this);
    auto *countLabel = new QLabel(QStringLiteral("Ilość:"), GroupBox1);
    eIlosc = new QLineEdit(QStringLiteral("1"), GroupBox1);
    eIlosc->setObjectName(QStringLiteral("eIlosc"));
    eIlosc->setFixedWidth(45);
    countLabel->setBuddy(eIlosc);
    UpDown1 = new UpDown(GroupBox1);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setRange(1, 100);
    UpDown1->setAssociate(eIlosc);

    Grid1 = new EntryGrid(GroupBox1);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    QFont gridFont = Grid1->font();
    gridFont.setPointSize(10);
    Grid1->setFont(gridFont);
    if (withAmount)
        Grid1->setTitles({QStringLiteral("Data"), QStringLiteral("Kwota"), QStringLiteral("Uwagi")});
    else
        Grid1->setTitles({QStringLiteral("Data"), QStringLiteral("Uwagi")});
    Grid1->setColumnWidths(withAmount ? 110 : 150);
    Grid1->setRowHeight(22);
    Grid1->setDataRowCount(StartRows);
    Grid1->setColumnReadOnly(ColData, true);
    Grid1->setColumnLimit(m_colUwagi, NoteLimit);
    if (withAmount) {
        Grid1->setColumnLimit(m_colKwota, AmountLimit);
        Grid1->setColumnCharacters(m_colKwota, signedAmount ? QStringLiteral("0-9.-") : QStringLiteral("0-9."));
    }
    Grid1->setAlwaysShowEditor(true);
    Grid1->setCurrentCell(0, ColData);
    Grid1->installEventFilter(this);

    dtData = new DatePicker(GroupBox1);
    dtData->setObjectName(QStringLiteral("dtData"));

    auto *countRow = new QHBoxLayout;
    countRow->addWidget(countLabel);
    countRow->addWidget(eIlosc);
    countRow->addSpacing(-4);
    countRow->addWidget(UpDown1);
    countRow->addStretch(1);
    auto *groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->addLayout(countRow);
    groupLayout->addWidget(Grid1, 1);

    QHBoxLayout *buttons = MakeButtons();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1, 1);
    layout->addLayout(buttons);

    setTabOrder(eIlosc, Grid1);
    setTabOrder(Grid1, dtData);
    setTabOrder(dtData, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connect(eIlosc, &QLineEdit::textChanged, this, &TEntryDialog::eIloscChange);
    Grid1->onKeyPress = [this](QKeyEvent *e) { return Grid1KeyPress(e); };
    connect(Grid1, &EntryGrid::currentCellMoved, this, &TEntryDialog::Grid1Click);
    connect(Grid1, &EntryGrid::clicked, this, &TEntryDialog::Grid1Click);
    connect(Grid1, &EntryGrid::entered, this, &TEntryDialog::Grid1Enter);
    connect(dtData, &DatePicker::exited, this, &TEntryDialog::dtDataExit);
    connect(dtData, &DatePicker::enterPressed, this, &TEntryDialog::dtDataEnter);
    connect(dtData, &DatePicker::tabbed, this, &TEntryDialog::dtDataTab);
    auto follow = [this] {
        if (dtData->isVisible())
            placePicker();
    };
    connect(Grid1->verticalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(Grid1->horizontalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(Grid1->horizontalHeader(), &QHeaderView::sectionResized, this, follow);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    // The grid would bring up the picker at once; start in the count field.
    eIlosc->setFocus();
}

TEntryDialog::~TEntryDialog() = default;

void TEntryDialog::eIloscChange()
{
    long long n = 0;
    if (!ui::parseInteger(eIlosc->text(), n) || n < 1 || n > 100)
        return;
    Grid1->setDataRowCount(int(n));
    if (m_pickerRow >= n)
        hidePicker();   // its row is gone
}

bool TEntryDialog::Grid1KeyPress(QKeyEvent *event)
{
    const int row = Grid1->currentRow(), col = Grid1->currentColumn();
    const bool enter = IsEnterKey(event);
    const QChar c = TypedChar(event);

    if (col == m_colUwagi) {
        if (enter) {
            if (row < Grid1->rowCount() - 1)
                Grid1->setCurrentCell(row + 1, ColData);
            return true;
        }
        if (!c.isNull() && c.unicode() >= 32 && Grid1->currentText().size() >= NoteLimit) {
            ui::beep();
            return true;
        }
        return false;
    }

    if (col == m_colKwota) {
        if (!enter && c.isNull())
            return false;   // keys that type nothing: arrows, Delete, Tab
        const bool accepted = enter || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
                              c == QLatin1Char(',') || c == QLatin1Char('\b') ||
                              (m_signedAmount && c == QLatin1Char('-'));
        if (!accepted) {
            ui::beep();
            return true;
        }
        if (enter) {
            Grid1->setCurrentCell(row, m_colUwagi);
            return true;
        }
        if (c.unicode() >= 32 && Grid1->currentText().size() >= AmountLimit) {
            ui::beep();
            return true;
        }
        if (c == QLatin1Char(',')) {
            if (QLineEdit *editor = Grid1->openEditor())
                editor->insert(QStringLiteral("."));
            return true;
        }
        return false;
    }
    return false;
}

void TEntryDialog::Grid1Enter(Qt::FocusReason reason)
{
    // A click is followed by Grid1Click for the cell clicked.
    if (m_hiding || reason == Qt::MouseFocusReason)
        return;
    Grid1Click();
}

void TEntryDialog::Grid1Click()
{
    if (m_hiding || !Grid1->isVisible())
        return;
    const QModelIndex current = Grid1->currentIndex();
    if (!current.isValid() || current.column() != ColData)
        return;
    const int row = current.row();
    if (dtData->isVisible() && m_pickerRow != row)
        writePickerDate();
    QDate date = ui::parseDate(Grid1->cellText(row, ColData));
    if (!date.isValid())
        date = ui::today();
    m_pickerRow = row;
    dtData->setDate(date);
    Grid1->scrollTo(current);
    placePicker();
    dtData->show();
    dtData->raise();
    dtData->setFocus(Qt::OtherFocusReason);
}

void TEntryDialog::placePicker()
{
    if (m_pickerRow < 0 || m_pickerRow >= Grid1->rowCount())
        return;
    const QRect cell = Grid1->visualRect(Grid1->model()->index(m_pickerRow, ColData));
    const QPoint topLeft = Grid1->viewport()->mapTo(dtData->parentWidget(), cell.topLeft());
    dtData->setGeometry(QRect(topLeft, cell.size() + QSize(1, 1)));
}

void TEntryDialog::writePickerDate()
{
    if (m_pickerRow >= 0 && m_pickerRow < Grid1->rowCount())
        Grid1->setCellText(m_pickerRow, ColData, ui::dateText(dtData->date()));
}

void TEntryDialog::hidePicker()
{
    m_hiding = true;
    dtData->hide();
    m_hiding = false;
    m_pickerRow = -1;
}

void TEntryDialog::leavePicker()
{
    if (!dtData->isVisible())
        return;
    writePickerDate();
    hidePicker();
}

void TEntryDialog::dtDataExit()
{
    if (!m_hiding)
        leavePicker();
}

void TEntryDialog::dtDataEnter()
{
    writePickerDate();
    const int row = m_pickerRow >= 0 ? m_pickerRow : Grid1->currentRow();
    m_hiding = true;
    Grid1->setFocus(Qt::OtherFocusReason);
    dtData->hide();
    m_hiding = false;
    m_pickerRow = -1;
    Grid1->setCurrentCell(row, ColData + 1);
}

void TEntryDialog::dtDataTab(bool forward)
{
    writePickerDate();
    m_hiding = true;
    if (forward)
        BitBtn1->setFocus(Qt::TabFocusReason);
    else
        eIlosc->setFocus(Qt::BacktabFocusReason);
    dtData->hide();
    m_hiding = false;
    m_pickerRow = -1;
}

void TEntryDialog::done(int result)
{
    hidePicker();
    QDialog::done(result);
}

bool TEntryDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Grid1 && (event->type() == QEvent::Move || event->type() == QEvent::Resize) && dtData->isVisible())
        placePicker();
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------

TDatedDialog::TDatedDialog(QWidget *owner, const QString &caption) : TEntryDialog(owner, caption, false, false) {}

void TDatedDialog::setEntries(const QVector<DatedEntry> &entries)
{
    if (entries.isEmpty() || entries.size() > 100)
        return;
    setRows(int(entries.size()));
    for (int r = 0; r < entries.size(); ++r) {
        setCell(r, ColData, entries[r].Data);
        setCell(r, ColUwagi(), entries[r].Notka);
    }
}

void TDatedDialog::BitBtn1Click()
{
    Grid1->finishEditing();
    leavePicker();   // pressing OK leaves the picker
    int count = 0;
    for (int r = 0; r < rowCount(); ++r)
        if (!Cell(r, ColData).isEmpty())
            ++count;
    if (count == 0) {
        ui::warning(QStringLiteral("Musisz podać przynajmniej jedną datę"), this);
        return;
    }
    QVector<DatedEntry> entries;
    for (int r = 0; r < rowCount(); ++r)
        if (!Cell(r, ColData).isEmpty())
            entries.append({Cell(r, ColData), Cell(r, ColUwagi())});
    if (entries.size() > count) {
        ui::error(QStringLiteral("Wystąpił nieznany błąd"), this);
        return;
    }
    m_entries = entries;
    accept();
}

// ---------------------------------------------------------------------------

TAmountDialog::TAmountDialog(QWidget *owner, const QString &caption, bool signedAmount)
    : TEntryDialog(owner, caption, true, signedAmount)
{
}

void TAmountDialog::setEntries(const QVector<AmountEntry> &entries)
{
    if (entries.isEmpty() || entries.size() > 100)
        return;
    setRows(int(entries.size()));
    for (int r = 0; r < entries.size(); ++r) {
        setCell(r, ColData, entries[r].Data);
        setCell(r, ColKwota(), entries[r].Kwota);
        setCell(r, ColUwagi(), entries[r].Notka);
    }
}

void TAmountDialog::focusKwota(int row)
{
    Grid1->setCurrentCell(row, ColKwota());
    Grid1->viewport()->update();
    Grid1->setFocus(Qt::OtherFocusReason);
}

void TAmountDialog::BitBtn1Click()
{
    Grid1->finishEditing();
    leavePicker();
    const int K = ColKwota();

    // First pass: every row has both a date and an amount, or neither.
    int count = 0;
    for (int r = 0; r < rowCount(); ++r) {
        const bool hasDate = !Cell(r, ColData).isEmpty();
        const bool hasAmount = !Cell(r, K).isEmpty();
        if (hasDate != hasAmount) {
            ui::warning(QStringLiteral("Musisz podać datę oraz kwotę"), this);
            focusKwota(r);
            return;
        }
        if (hasDate)
            ++count;
    }
    if (count == 0) {
        ui::warning(QStringLiteral("Musisz podać przynajmniej jedną pozycję"), this);
        return;
    }

    // Second pass: check the amounts and bring them to two decimals.
    QVector<AmountEntry> entries;
    for (int r = 0; r < rowCount(); ++r) {
        if (Cell(r, ColData).isEmpty() && Cell(r, K).isEmpty())
            continue;
        const QString amount = Cell(r, K);
        switch (CheckAmountText(amount)) {
        case AmountCheck::Invalid:
            ui::error(QStringLiteral("Pola kwota zawiera niepoprawną wartość"), this);
            focusKwota(r);
            return;
        case AmountCheck::OutOfRange:
            ui::error(QStringLiteral("Przekroczono zakres w polu \"Kwota\""), this);
            focusKwota(r);
            return;
        case AmountCheck::Valid:
            break;
        }
        const QString normalized = NormalizeAmountText(amount);
        setCell(r, K, normalized);
        entries.append({Cell(r, ColData), normalized, Cell(r, ColUwagi())});
        if (entries.size() > count) {
            ui::error(QStringLiteral("Wystąpił nieznany błąd"), this);
            return;
        }
    }
    m_entries = entries;
    accept();
}
