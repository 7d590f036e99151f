#include "Partydialog.h"

#include "newcase/Entrygrid.h"
#include "platform/ui/beep.h"
#include "platform/ui/formats.h"
#include "platform/ui/messages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int ColumnWidth = 202;
constexpr int PersonsWidth = 472;
constexpr int CompaniesWidth = PersonsWidth + ColumnWidth;
constexpr int DisplayLimit = 100;

bool isBlank(QChar c) { return c.unicode() <= 32; }

} // namespace

QString PartyItemText(const QStringList &cells)
{
    const QString joined = cells.join(QLatin1Char(' '));
    qsizetype first = 0, last = joined.size();
    while (first < last && isBlank(joined[first]))
        ++first;
    while (last > first && isBlank(joined[last - 1]))
        --last;
    return joined.mid(first, last - first);
}

TPartyDialog::TPartyDialog(QWidget *owner, const QString &caption, const QString &detailsCaption)
    : TGridDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(caption);
    setModal(true);
    resize(PersonsWidth, 275);
    setMinimumSize(400, 269);

    GroupBox1 = new QGroupBox(QStringLiteral("Wyświetlanie"), this);
    eWyswietlanie = new QLineEdit(GroupBox1);
    eWyswietlanie->setObjectName(QStringLiteral("eWyswietlanie"));
    eWyswietlanie->setMaxLength(DisplayLimit);
    eWyswietlanie->setFocusPolicy(Qt::ClickFocus);
    auto *displayLayout = new QHBoxLayout(GroupBox1);
    displayLayout->addWidget(eWyswietlanie);

    GroupBox2 = new QGroupBox(detailsCaption, this);
    cbFirma = new QCheckBox(QStringLiteral("Firma"), GroupBox2);
    cbFirma->setObjectName(QStringLiteral("cbFirma"));
    auto *countLabel = new QLabel(QStringLiteral("Ilość:"), GroupBox2);
    eIlosc = new QLineEdit(QStringLiteral("1"), GroupBox2);
    eIlosc->setObjectName(QStringLiteral("eIlosc"));
    eIlosc->setFixedWidth(45);
    countLabel->setBuddy(eIlosc);
    UpDown1 = new UpDown(GroupBox2);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setRange(1, 100);
    UpDown1->setAssociate(eIlosc);

    Grid1 = new EntryGrid(GroupBox2);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setTitles({QStringLiteral("Nazwisko"), QStringLiteral("Imię")});
    Grid1->setColumnWidths(ColumnWidth);
    Grid1->setRowHeight(22);
    Grid1->setDataRowCount(1);
    Grid1->setCurrentCell(0, 0);
    applyLimits();

    auto *countRow = new QHBoxLayout;
    countRow->addWidget(cbFirma);
    countRow->addStretch(1);
    countRow->addWidget(countLabel);
    countRow->addWidget(eIlosc);
    countRow->addSpacing(-4);
    countRow->addWidget(UpDown1);
    auto *detailsLayout = new QVBoxLayout(GroupBox2);
    detailsLayout->addLayout(countRow);
    detailsLayout->addWidget(Grid1, 1);

    QHBoxLayout *buttons = MakeButtons();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2, 1);
    layout->addLayout(buttons);

    setTabOrder(cbFirma, eIlosc);
    setTabOrder(eIlosc, Grid1);
    setTabOrder(Grid1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connect(eIlosc, &QLineEdit::textChanged, this, &TPartyDialog::eIloscChange);
    connect(cbFirma, &QCheckBox::toggled, this, &TPartyDialog::cbFirmaClick);
    Grid1->onKeyPress = [this](QKeyEvent *e) { return Grid1KeyPress(e); };
    connect(Grid1, &EntryGrid::keyReleased, this, &TPartyDialog::Grid1KeyUp);
    connect(BitBtn1, &QPushButton::clicked, this, &TPartyDialog::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    Grid1->setFocus();
}

TPartyDialog::~TPartyDialog() = default;

void TPartyDialog::setFirma(bool companies) { cbFirma->setChecked(companies); }
bool TPartyDialog::Firma() const { return cbFirma->isChecked(); }

void TPartyDialog::setDisplayText(const QString &text) { eWyswietlanie->setText(text); }
QString TPartyDialog::DisplayText() const { return eWyswietlanie->text(); }

void TPartyDialog::setEntries(const QVector<PartyEntry> &entries)
{
    if (entries.isEmpty() || entries.size() > 100)
        return;
    const int n = int(entries.size());
    setRows(n);
    for (int r = 0; r < n; ++r) {
        const PartyEntry &e = entries[r];
        QStringList cells = {e.Nazwisko, e.Imie};
        if (Firma())
            cells.prepend(e.Nazwa);
        for (int c = 0; c < cells.size(); ++c)
            setCell(r, c, cells[c]);
    }
}

QStringList TPartyDialog::rowCells(int row) const
{
    QStringList cells;
    for (int c = 0; c < Grid1->columnCount(); ++c)
        cells << Grid1->cellText(row, c);
    return cells;
}

void TPartyDialog::applyLimits()
{
    const QVector<int> limits = Firma() ? QVector<int>{50, 30, 25} : QVector<int>{30, 25};
    for (int c = 0; c < limits.size(); ++c)
        Grid1->setColumnLimit(c, limits[c]);
}

void TPartyDialog::eIloscChange()
{
    long long n = 0;
    if (!ui::parseInteger(eIlosc->text(), n)) {
        ComposeDisplayText();
        return;
    }
    if (n < 1 || n > 100)
        return;
    Grid1->setDataRowCount(int(n));
    ComposeDisplayText();
}

void TPartyDialog::placeForWidth(int width, int dx)
{
    // Before the dialog is first shown it is still to be centred on its owner.
    if (isVisible() || testAttribute(Qt::WA_Moved)) {
        const QRect g = geometry();
        setGeometry(g.x() + dx, g.y(), width, g.height());
    } else {
        resize(width, height());
    }
}

void TPartyDialog::cbFirmaClick(bool companies)
{
    Grid1->finishEditing();
    const int rows = Grid1->rowCount();
    if (companies) {
        placeForWidth(CompaniesWidth, -ColumnWidth / 2);
        Grid1->setColumnCount(3);
        Grid1->setColumnWidth(2, ColumnWidth);
        Grid1->setTitle(2, Grid1->title(1));
        Grid1->setTitle(1, Grid1->title(0));
        for (int r = 0; r < rows; ++r) {
            Grid1->setCellText(r, 2, Grid1->cellText(r, 1));
            Grid1->setCellText(r, 1, Grid1->cellText(r, 0));
        }
        Grid1->setTitle(0, QStringLiteral("Nazwa firmy"));
        for (int r = 0; r < rows; ++r)
            Grid1->setCellText(r, 0, QString());
    } else {
        placeForWidth(PersonsWidth, ColumnWidth / 2);
        Grid1->setTitle(0, Grid1->title(1));
        Grid1->setTitle(1, Grid1->title(2));
        for (int r = 0; r < rows; ++r) {
            Grid1->setCellText(r, 0, Grid1->cellText(r, 1));
            Grid1->setCellText(r, 1, Grid1->cellText(r, 2));
        }
        Grid1->setColumnCount(2);
        Grid1->setTitle(0, QStringLiteral("Nazwisko"));
        Grid1->setTitle(1, QStringLiteral("Imię"));
    }
    applyLimits();
}

bool TPartyDialog::Grid1KeyPress(QKeyEvent *event)
{
    const int row = Grid1->currentRow(), col = Grid1->currentColumn();
    if (IsEnterKey(event)) {
        if (col < Grid1->columnCount() - 1)
            Grid1->setCurrentCell(row, col + 1);
        else if (row < Grid1->rowCount() - 1)
            Grid1->setCurrentCell(row + 1, 0);
        return true;
    }
    const QChar c = TypedChar(event);
    if (!c.isNull() && c.unicode() >= 32) {
        const int limit = Grid1->columnLimit(col);
        if (limit > 0 && Grid1->currentText().size() >= limit) {
            ui::beep();
            return true;
        }
    }
    return false;
}

void TPartyDialog::Grid1KeyUp()
{
    ComposeDisplayText();
}

void TPartyDialog::ComposeDisplayText()
{
    QString result;
    for (int r = 0; r < Grid1->rowCount(); ++r) {
        const QString item = PartyItemText(rowCells(r));
        if (item.isEmpty())
            continue;
        if (!result.isEmpty())
            result += QStringLiteral(", ");
        result += item;
    }
    if (result.size() > DisplayLimit)
        result = result.left(DisplayLimit - 3) + QStringLiteral("...");
    eWyswietlanie->setText(result);
}

void TPartyDialog::BitBtn1Click()
{
    Grid1->finishEditing();
    auto filled = [this](int row) {
        for (const QString &cell : rowCells(row))
            if (!cell.isEmpty())
                return true;
        return false;
    };

    int count = 0;
    for (int r = 0; r < Grid1->rowCount(); ++r)
        if (filled(r))
            ++count;
    if (count == 0) {
        ui::warning(QStringLiteral("Musisz uzupełnić przynajmniej jedną pozycję"), this);
        return;
    }
    if (eWyswietlanie->text().isEmpty()) {
        ui::warning(QStringLiteral("Pole Wyświetlanie nie może zostać puste"), this);
        return;
    }

    QVector<PartyEntry> entries;
    for (int r = 0; r < Grid1->rowCount(); ++r) {
        if (!filled(r))
            continue;
        const QStringList cells = rowCells(r);
        if (Firma())
            entries.append({cells[0], cells[1], cells[2]});
        else
            entries.append({QString(), cells[0], cells[1]});
    }
    if (entries.size() > count) {
        ui::error(QStringLiteral("Wystąpił nieznany błąd"), this);
        return;
    }
    m_entries = entries;
    accept();
}
