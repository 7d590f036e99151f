#include "Frmnowa.h"

#include "app/Application.h"
#include "app/Datamodule.h"
#include "newcase/Frmhistoriadodaj.h"
#include "newcase/Frmkosztdodaj.h"
#include "newcase/Frmnotatkidodaj.h"
#include "newcase/Frmorzeczeniadodaj.h"
#include "newcase/Frmpowoddodaj.h"
#include "newcase/Frmpozwanydodaj.h"
#include "newcase/Frmterminydodaj.h"
#include "newcase/Frmwynagrodzeniedodaj.h"
#include "platform/rtf/rtf.h"
#include "platform/sql/sql.h"
#include "platform/text/cp1250.h"
#include "platform/ui/beep.h"
#include "platform/ui/clock.h"
#include "platform/ui/cursor.h"
#include "platform/ui/formats.h"
#include "platform/ui/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>

TNowa *Nowa = nullptr;

namespace {

const int kRowHeight = 20;

// Draws the amount column of a summary grid right-aligned with a 2-pixel
// margin; every other cell keeps the grid's plain style.
class AmountDelegate : public QStyledItemDelegate {
public:
    AmountDelegate(int amountColumn, QObject *parent) : QStyledItemDelegate(parent), amountColumn_(amountColumn) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (index.column() != amountColumn_) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget *widget = opt.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const QPalette::ColorGroup group = (opt.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
        const QPalette::ColorRole role = (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(group, role));
        painter->drawText(opt.rect.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter, text);
        painter->restore();
    }

private:
    int amountColumn_;
};

// A read-only summary grid: a title row, whole-row selection, rows of
// 20 pixels; a double-click anywhere on it acts as the "Zmień" of its box.
class SummaryGrid : public QTableWidget {
public:
    SummaryGrid(const QStringList &titles, int rows, int amountColumn, QWidget *parent)
        : QTableWidget(rows, int(titles.size()), parent), amountColumn_(amountColumn)
    {
        setHorizontalHeaderLabels(titles);
        QFont bold = horizontalHeader()->font();
        bold.setBold(true);
        horizontalHeader()->setFont(bold);
        horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
        horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        horizontalHeader()->setStretchLastSection(true);
        horizontalHeader()->setHighlightSections(false);
        horizontalHeader()->setFixedHeight(kRowHeight);
        verticalHeader()->setVisible(false);
        verticalHeader()->setMinimumSectionSize(1);
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setDefaultSectionSize(kRowHeight);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setFocusPolicy(Qt::ClickFocus);
        setTabKeyNavigation(false);
        setWordWrap(false);
        setCornerButtonEnabled(false);
        if (amountColumn >= 0)
            setItemDelegate(new AmountDelegate(amountColumn, this));
        horizontalHeader()->setMinimumSectionSize(30);
        horizontalHeader()->setDefaultSectionSize(40);
        // The date and amount columns as wide as their longest usual text, so
        // that the notes get the rest of the box.
        const QFontMetrics fm(font());
        setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("2006-12-24")) + 12);
        if (amountColumn >= 0)
            setColumnWidth(amountColumn, fm.horizontalAdvance(QStringLiteral("-9999.99")) + 10);
        // The notes column takes what is left; a long note is cut at the box's
        // edge here (its dialog shows it whole) rather than behind a scroll bar.
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setRows({});
        setRowCount(rows);
        fillEmpty();
    }

    std::function<void()> onDoubleClick;

    // Shows the given rows, one text per column.
    void setRows(const QVector<QStringList> &rows)
    {
        clearContents();
        setRowCount(int(rows.size()));
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < columnCount(); ++c)
                setItem(r, c, cell(rows[r].value(c), c));
    }

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        QTableWidget::mouseDoubleClickEvent(event);
        if (onDoubleClick)
            onDoubleClick();
    }

private:
    void fillEmpty()
    {
        for (int r = 0; r < rowCount(); ++r)
            for (int c = 0; c < columnCount(); ++c)
                setItem(r, c, cell(QString(), c));
    }

    QTableWidgetItem *cell(const QString &text, int column) const
    {
        auto *item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (column == 0)
            item->setTextAlignment(Qt::AlignCenter);
        else if (column == amountColumn_)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        else
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return item;
    }

    int amountColumn_;
};

QLineEdit *lineEdit(int maxLength, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setMaxLength(maxLength);
    return e;
}

QComboBox *suggestionBox(int maxLength, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(12);
    // Long entries of the list must not widen the box beyond its column.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(8);
    box->lineEdit()->setMaxLength(maxLength);
    // The list of matching entries drops down while the user types.
    auto *completer = new QCompleter(box->model(), box);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchStartsWith);
    box->setCompleter(completer);
    return box;
}

QPushButton *changeButton(QWidget *parent)
{
    auto *b = new QPushButton(QStringLiteral("Zmień"), parent);
    b->setAutoDefault(false);
    return b;
}

QTextEdit *preview(QWidget *parent)
{
    auto *re = new QTextEdit(parent);
    re->setReadOnly(true);
    re->setLineWrapMode(QTextEdit::NoWrap);
    re->setFocusPolicy(Qt::ClickFocus);
    re->setTabChangesFocus(true);
    return re;
}

SummaryGrid *grid(QTableWidget *table)
{
    return static_cast<SummaryGrid *>(table);
}

QString characterAt(const QString &text, qsizetype at)
{
    if (text[at].isHighSurrogate() && at + 1 < text.size())
        return text.mid(at, 2);
    return text.mid(at, 1);
}

} // namespace

// ---------------------------------------------------------------------------
// The window

TNowa::TNowa(QWidget *owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Nowa sprawa"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(760, 555);
    BuildControls();
    FormCreate();
}

void TNowa::keyPressEvent(QKeyEvent *event)
{
    // Escape does not close the window: a slip of the finger would throw a
    // whole case away. "Anuluj" and the close box cancel.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

TNowa::~TNowa()
{
    if (Nowa == this)
        Nowa = nullptr;
}

void TNowa::BuildControls()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(6, 4, 6, 6);
    root->setSpacing(4);

    // Plaintiffs and defendants, side by side; the user may drag the border.
    Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->setChildrenCollapsible(false);
    auto partyBox = [this](const QString &caption, QLineEdit *&edit, QPushButton *&button) {
        auto *box = new QGroupBox(caption, Splitter);
        auto *l = new QHBoxLayout(box);
        l->setContentsMargins(6, 2, 6, 6);
        edit = new QLineEdit(box);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
        edit->installEventFilter(this);
        button = changeButton(box);
        l->addWidget(edit, 1);
        l->addWidget(button);
        Splitter->addWidget(box);
        return box;
    };
    gbPowod = partyBox(QStringLiteral("Powód"), ePowod, BtnPowod);
    gbPozwany = partyBox(QStringLiteral("Pozwany"), ePozwany, btnPozwany);
    Splitter->setSizes({374, 374});
    root->addWidget(Splitter);

    auto *middle = new QHBoxLayout;
    middle->setSpacing(6);
    root->addLayout(middle, 1);

    // The case fields.
    auto *details = new QGroupBox(QStringLiteral("Szczegóły"), this);
    details->setFixedWidth(262);
    auto *detailsLayout = new QVBoxLayout(details);
    detailsLayout->setContentsMargins(6, 2, 6, 6);
    detailsLayout->setSpacing(4);
    middle->addWidget(details);

    auto *data = new QGroupBox(QStringLiteral("Dane sprawy"), details);
    auto *form = new QFormLayout(data);
    form->setContentsMargins(6, 2, 6, 6);
    form->setVerticalSpacing(5);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    eZO = lineEdit(8, data);
    cbRodzaj = suggestionBox(30, data);
    eWartosc = lineEdit(12, data);
    eWartosc->installEventFilter(this);
    eWartosc->setAttribute(Qt::WA_InputMethodEnabled, false);
    eAdres = lineEdit(40, data);
    eRejon = lineEdit(2, data);
    cbMiejscowosc = suggestionBox(20, data);
    form->addRow(QStringLiteral("ZO:"), eZO);
    form->addRow(QStringLiteral("Rodzaj sprawy:"), cbRodzaj);
    form->addRow(QStringLiteral("WPS:"), eWartosc);
    form->addRow(QStringLiteral("Adres lokalu:"), eAdres);
    form->addRow(QStringLiteral("Rejon:"), eRejon);
    form->addRow(QStringLiteral("Miejscowość:"), cbMiejscowosc);
    cbKomornik = new QCheckBox(QStringLiteral("Oddano do komornika:"), data);
    cbKomornik->setLayoutDirection(Qt::RightToLeft);  // the box follows its caption
    form->addRow(cbKomornik);
    dtDataKomornika = new QDateEdit(ui::today(), data);
    dtDataKomornika->setCalendarPopup(true);
    dtDataKomornika->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    dtDataKomornika->setDisplayFormat(QStringLiteral("d MMMM yyyy"));
    dtDataKomornika->setEnabled(false);
    form->addRow(QString(), dtDataKomornika);
    connect(cbKomornik, &QCheckBox::toggled, this, [this] { cbKomornikClick(); });
    detailsLayout->addWidget(data);

    auto *signatures = new QGroupBox(QStringLiteral("Sygnatury"), details);
    auto *sigLayout = new QVBoxLayout(signatures);
    sigLayout->setContentsMargins(6, 2, 6, 6);
    sigLayout->setSpacing(5);
    eSygnatura1 = lineEdit(20, signatures);
    eSygnatura2 = lineEdit(20, signatures);
    eSygnatura3 = lineEdit(20, signatures);
    sigLayout->addWidget(eSygnatura1);
    sigLayout->addWidget(eSygnatura2);
    sigLayout->addWidget(eSygnatura3);
    detailsLayout->addWidget(signatures);
    detailsLayout->addStretch(1);

    // The dependent records: summary grids and previews, each with its "Zmień".
    auto *lists = new QGridLayout;
    lists->setSpacing(4);
    middle->addLayout(lists, 1);
    auto listBox = [this](const QString &caption, QWidget *content, QPushButton *&button) {
        auto *box = new QGroupBox(caption, this);
        auto *l = new QVBoxLayout(box);
        l->setContentsMargins(6, 2, 6, 6);
        l->setSpacing(3);
        content->setParent(box);
        l->addWidget(content, 1);
        button = changeButton(box);
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(button);
        l->addLayout(row);
        return box;
    };
    const QStringList dated = {QStringLiteral("Data"), QStringLiteral("Uwagi")};
    const QStringList amounts = {QStringLiteral("Data"), QStringLiteral("Kwota"), QStringLiteral("Uwagi")};
    sgTerminy = new SummaryGrid(dated, 9, -1, this);
    sgHistoria = new SummaryGrid(dated, 9, -1, this);
    sgKoszt = new SummaryGrid(amounts, 4, 1, this);
    sgWynagrodzenie = new SummaryGrid(amounts, 4, 1, this);
    reOrzeczenie = preview(this);
    reNotatki = preview(this);
    lists->addWidget(listBox(QStringLiteral("Terminy rozpraw"), sgTerminy, btnTerminy), 0, 0);
    lists->addWidget(listBox(QStringLiteral("Historia akt"), sgHistoria, btnHistoria), 0, 1);
    lists->addWidget(listBox(QStringLiteral("Koszt prowadzenia sprawy"), sgKoszt, btnKoszt), 1, 0);
    lists->addWidget(listBox(QStringLiteral("Wynagrodzenie radcy prawnego"), sgWynagrodzenie, btnWynagrodzenie), 1, 1);
    lists->addWidget(listBox(QStringLiteral("Orzeczenia sądu"), reOrzeczenie, btnOrzeczenia), 2, 0);
    lists->addWidget(listBox(QStringLiteral("Notatki"), reNotatki, btnNotatki), 2, 1);
    lists->setRowStretch(0, 5);
    lists->setRowStretch(1, 4);
    lists->setRowStretch(2, 2);
    for (QTableWidget *g : {sgKoszt, sgWynagrodzenie})
        g->setMinimumHeight(kRowHeight * 5 + 2 * g->frameWidth());

    // The bottom bar.
    auto *bar = new QHBoxLayout;
    bar->addStretch(1);
    BitBtn9 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn10 = new QPushButton(QStringLiteral("Anuluj"), this);
    for (QPushButton *b : {BitBtn9, BitBtn10}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
        bar->addWidget(b);
    }
    root->addLayout(bar);

    // Commands. What a command does not catch reaches the standard error display.
    auto command = [this](QPushButton *button, void (TNowa::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { app::guarded([&] { (this->*handler)(); }); });
    };
    command(BtnPowod, &TNowa::BtnPowodClick);
    command(btnPozwany, &TNowa::btnPozwanyClick);
    command(btnTerminy, &TNowa::btnTerminyClick);
    command(btnHistoria, &TNowa::btnHistoriaClick);
    command(btnKoszt, &TNowa::btnKosztClick);
    command(btnWynagrodzenie, &TNowa::btnWynagrodzenieClick);
    command(btnOrzeczenia, &TNowa::btnOrzeczeniaClick);
    command(btnNotatki, &TNowa::btnNotatkiClick);
    command(BitBtn9, &TNowa::BitBtn9Click);
    connect(BitBtn10, &QPushButton::clicked, this, &QDialog::reject);

    auto doubleClick = [this](QTableWidget *g, void (TNowa::*handler)()) {
        grid(g)->onDoubleClick = [this, handler] { app::guarded([&] { (this->*handler)(); }); };
    };
    doubleClick(sgTerminy, &TNowa::btnTerminyClick);
    doubleClick(sgHistoria, &TNowa::btnHistoriaClick);
    doubleClick(sgKoszt, &TNowa::btnKosztClick);
    doubleClick(sgWynagrodzenie, &TNowa::btnWynagrodzenieClick);

    // Keyboard order: the parties, the case fields, the boxes, OK and Anuluj.
    const QList<QWidget *> order = {BtnPowod, btnPozwany, eZO, cbRodzaj, eWartosc, eAdres, eRejon, cbMiejscowosc,
                                    cbKomornik, dtDataKomornika, eSygnatura1, eSygnatura2, eSygnatura3,
                                    btnTerminy, btnHistoria, btnKoszt, btnWynagrodzenie, btnOrzeczenia, btnNotatki,
                                    BitBtn9, BitBtn10};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    BtnPowod->setFocus();
}

void TNowa::FormCreate()
{
    // Dates and numbers are read and written in the fixed forms of ui/formats
    // (2006-11-27, "." as decimal separator) whatever the locale, so there is
    // no process-wide format to set here.
    ui::setBusyCursor();
    try {
        FillSuggestions(cbRodzaj, QStringLiteral("Select Distinct Rodzaj_Sprawy from Sprawy order by Rodzaj_Sprawy"),
                        QStringLiteral("Rodzaj_Sprawy"), true);
        FillSuggestions(cbMiejscowosc, QStringLiteral("Select Distinct Miejscowosc from Sprawy order by Miejscowosc"),
                        QStringLiteral("Miejscowosc"), false);
    } catch (...) {
        ui::setDefaultCursor();
        throw;
    }
    ui::setDefaultCursor();
}

void TNowa::FillSuggestions(QComboBox *box, const QString &statement, const QString &column, bool withEmpty)
{
    sql::Query *q = DM->qDodajSprawe;
    DM->CloseQuery(q);
    q->setTransaction(DM->tDodajSprawe);
    q->setSql({statement});
    q->open();
    box->clear();
    box->clearEditText();
    for (q->first(); !q->eof(); q->next()) {
        const QString text = q->fieldText(column);
        if (withEmpty || !text.isEmpty())
            box->addItem(text);
    }
    DM->CloseQuery(q);
    box->setCurrentIndex(-1);
    box->clearEditText();
}

void TNowa::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (QScreen *s = screen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
}

bool TNowa::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == eWartosc && event->type() == QEvent::KeyPress) {
        // Only digits, the point and the comma (which becomes a point) are
        // typed into the claim value; Backspace, Enter and the other control
        // keys pass unchanged.
        auto *key = static_cast<QKeyEvent *>(event);
        const QString typed = key->text();
        if (typed.isEmpty() || !typed[0].isPrint())
            return false;
        const QChar c = typed[0];
        if (typed.size() == 1 && ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')))
            return false;
        if (typed.size() == 1 && c == QLatin1Char(',')) {
            QKeyEvent point(QEvent::KeyPress, Qt::Key_Period, key->modifiers(), QStringLiteral("."));
            QCoreApplication::sendEvent(eWartosc, &point);
            return true;
        }
        ui::beep();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == ePowod) {
            app::guarded([this] { BtnPowodClick(); });
            return true;
        }
        if (watched == ePozwany) {
            app::guarded([this] { btnPozwanyClick(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TNowa::cbKomornikClick()
{
    dtDataKomornika->setEnabled(cbKomornik->isChecked());
}

// ---------------------------------------------------------------------------
// The entry dialogs. Each button creates its dialog anew, hands over the
// window's list (when it is not empty) and the remembered bounds, shows it
// modally and on OK takes the rows back and refreshes its box. On Cancel
// nothing of the window's state changes.

namespace {

// Creates a dialog under the busy cursor; the cursor is back to normal
// before the dialog is shown, also when preparing it failed.
template <class Dialog, class Prepare>
std::unique_ptr<Dialog> prepareDialog(QWidget *owner, Prepare &&prepare)
{
    ui::setBusyCursor();
    try {
        auto dialog = std::make_unique<Dialog>(owner);
        prepare(*dialog);
        ui::setDefaultCursor();
        return dialog;
    } catch (...) {
        ui::setDefaultCursor();
        throw;
    }
}

// The plaintiff and defendant dialogs: "Firma", the rows, the display text
// and the bounds go in; on OK the rows, the display text, "Firma" and the
// bounds come back.
template <class Dialog>
bool editParties(QWidget *owner, QVector<PartyEntry> &entries, bool &firma, QLineEdit *display, DialogBounds &bounds)
{
    auto dialog = prepareDialog<Dialog>(owner, [&](Dialog &d) {
        if (entries.isEmpty())
            return;
        d.setFirma(firma);
        d.setEntries(entries);
        d.setDisplayText(display->text());
        d.setBounds(bounds);
    });
    if (dialog->exec() != QDialog::Accepted)
        return false;
    entries = dialog->Entries();
    display->setText(dialog->DisplayText());
    display->setCursorPosition(0);   // show the display text from its start
    firma = dialog->Firma();
    bounds = dialog->Bounds();
    return true;
}

// The dated and amount dialogs: the rows and the bounds go in and come back.
template <class Dialog, class Entry>
bool editEntries(QWidget *owner, QVector<Entry> &entries, DialogBounds &bounds)
{
    auto dialog = prepareDialog<Dialog>(owner, [&](Dialog &d) {
        if (entries.isEmpty())
            return;
        d.setEntries(entries);
        d.setBounds(bounds);
    });
    if (dialog->exec() != QDialog::Accepted)
        return false;
    entries = dialog->Entries();
    bounds = dialog->Bounds();
    return true;
}

// The rulings and notes editors: a confirmed document is loaded into the
// editor, which reopens where it was at its last OK; on OK the editor's
// whole content comes back as RTF and the document counts as confirmed,
// also when its text is empty.
template <class Editor>
bool editDocument(QWidget *owner, QByteArray &document, bool &confirmed, DialogBounds &bounds)
{
    auto editor = prepareDialog<Editor>(owner, [&](Editor &e) {
        if (!confirmed)
            return;
        e.LoadFromRtf(document);
        if (bounds)
            e.SetBounds(*bounds);
    });
    if (editor->exec() != QDialog::Accepted)
        return false;
    confirmed = true;
    document = editor->SaveToRtf();
    bounds = editor->Bounds();
    return true;
}

// A read-only preview box shows a document as the editor formatted it.
void showDocument(QTextEdit *preview, const QByteArray &document)
{
    preview->clear();
    rtf::read(document, *preview->document());
    preview->moveCursor(QTextCursor::Start);
}

} // namespace

void TNowa::BtnPowodClick()
{
    editParties<TPowodDodaj>(this, PowodEntries, PowodFirma, ePowod, PowodBounds);
}

void TNowa::btnPozwanyClick()
{
    editParties<TPozwanyDodaj>(this, PozwanyEntries, PozwanyFirma, ePozwany, PozwanyBounds);
}

void TNowa::btnTerminyClick()
{
    if (editEntries<TTerminyDodaj>(this, TerminyEntries, TerminyBounds))
        ShowTerminy();
}

void TNowa::btnHistoriaClick()
{
    if (editEntries<THistoriaDodaj>(this, HistoriaEntries, HistoriaBounds))
        ShowHistoria();
}

void TNowa::btnKosztClick()
{
    if (editEntries<TKosztDodaj>(this, KosztyEntries, KosztBounds))
        ShowKoszty();
}

void TNowa::btnWynagrodzenieClick()
{
    if (editEntries<TWynagrodzenieDodaj>(this, WynagrodzenieEntries, WynagrodzenieBounds))
        ShowWynagrodzenie();
}

void TNowa::btnOrzeczeniaClick()
{
    if (editDocument<TOrzeczeniaDodaj>(this, OrzeczeniaDoc, OrzeczeniaConfirmed, OrzeczeniaBounds))
        ShowOrzeczenia();
}

void TNowa::btnNotatkiClick()
{
    if (editDocument<TNotatkiDodaj>(this, NotatkiDoc, NotatkiConfirmed, NotatkiBounds))
        ShowNotatki();
}

void TNowa::ShowTerminy()
{
    QVector<QStringList> rows;
    for (const DatedEntry &e : TerminyEntries)
        rows.push_back({e.Data, e.Notka});
    grid(sgTerminy)->setRows(rows);
}

void TNowa::ShowHistoria()
{
    QVector<QStringList> rows;
    for (const DatedEntry &e : HistoriaEntries)
        rows.push_back({e.Data, e.Notka});
    grid(sgHistoria)->setRows(rows);
}

void TNowa::ShowKoszty()
{
    QVector<QStringList> rows;
    for (const AmountEntry &e : KosztyEntries)
        rows.push_back({e.Data, e.Kwota, e.Notka});
    grid(sgKoszt)->setRows(rows);
}

void TNowa::ShowWynagrodzenie()
{
    QVector<QStringList> rows;
    for (const AmountEntry &e : WynagrodzenieEntries)
        rows.push_back({e.Data, e.Kwota, e.Notka});
    grid(sgWynagrodzenie)->setRows(rows);
}

void TNowa::ShowOrzeczenia()
{
    showDocument(reOrzeczenie, OrzeczeniaDoc);
}

void TNowa::ShowNotatki()
{
    showDocument(reNotatki, NotatkiDoc);
}

// ---------------------------------------------------------------------------
// Validation

bool TNowa::ComputeZOLp(const QString &zo, QString &zolp)
{
    QString copy = zo;
    const qsizetype p = copy.indexOf(QLatin1Char('/')) + 1;  // 1-based, 0 when none
    const qsizetype L = copy.size();
    if (L - p == 3 && (copy.endsWith(QLatin1Char('i')) || copy.endsWith(QLatin1Char('I'))))
        copy.chop(1);
    else if (L - p != 2)
        return false;
    if (p == 0)
        return false;  // no "/": the number part is empty
    // Whole numbers with an optional sign; a blank inside the case number
    // ("1 /06", "12/6 ") makes it no case number.
    auto whole = [](const QString &part, long long &value) {
        for (QChar c : part)
            if (c.isSpace())
                return false;
        return ui::parseInteger(part, value);
    };
    long long number = 0;
    long long year = 0;
    if (!whole(copy.left(p - 1), number) || !whole(copy.mid(p, 2), year))
        return false;
    year += year <= 90 ? 200 : 100;
    zolp = QString::number(year * 10000 + number);
    return true;
}

bool TNowa::ZOExists(const QString &zo)
{
    // A number with a character the database cannot hold is not stored
    // anywhere; the shape check refuses it.
    if (text::firstUnencodable(zo) >= 0)
        return false;
    sql::Query *q = DM->qDodajSprawe;
    DM->CloseQuery(q);
    q->setTransaction(DM->tDodajSprawe);
    q->setSql({QStringLiteral("Select count(*) As Ilosc from Sprawy where ZO = :ZO")});
    q->setParam(QStringLiteral("ZO"), zo);
    q->open();
    const long long count = q->fieldText(QStringLiteral("Ilosc")).toLongLong();
    DM->CloseQuery(q);
    return count != 0;
}

bool TNowa::ValidateNewCase()
{
    auto refuse = [this](const QString &text, ui::Icon icon, QWidget *focus) {
        ui::setDefaultCursor();
        const QString caption = icon == ui::Icon::Error ? QStringLiteral("Błąd") : QStringLiteral("Uwaga");
        ui::showMessage({text, caption, icon, ui::Ok, this});
        focus->setFocus();
        return false;
    };
    const QString invalidZO = QStringLiteral("Podany numer ZO jest nieprawidłowy");

    // 1, 2: the parties.
    if (PowodEntries.isEmpty() || ePowod->text().isEmpty())
        return refuse(QStringLiteral("Powod nie został określony"), ui::Icon::Warning, BtnPowod);
    if (PozwanyEntries.isEmpty() || ePozwany->text().isEmpty())
        return refuse(QStringLiteral("Pozwany nie został określony"), ui::Icon::Warning, btnPozwany);

    // 3 to 5: the case number, unique and of the accepted shape.
    const QString zo = eZO->text();
    if (zo.isEmpty())
        return refuse(QStringLiteral("Pole \"ZO\" nie może być puste"), ui::Icon::Warning, eZO);
    if (ZOExists(zo))
        return refuse(invalidZO, ui::Icon::Warning, eZO);
    QString zolp;
    if (!ComputeZOLp(zo, zolp))
        return refuse(invalidZO, ui::Icon::Warning, eZO);
    ZOLpText = zolp;

    // 6: the kind of case.
    if (cbRodzaj->currentText().isEmpty())
        return refuse(QStringLiteral("Pole \"Rodzaj sprawy\" nie może być puste"), ui::Icon::Warning, cbRodzaj);

    // 7, 8: the claim value, completed to two decimals when accepted.
    const QString wps = eWartosc->text();
    if (!wps.isEmpty()) {
        // The key filter admits only digits and the point; a text pasted in
        // with anything else (a sign, blanks, an exponent) is no amount.
        const bool plain = std::all_of(wps.begin(), wps.end(), [](QChar c) {
            return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
        });
        const AmountCheck check = plain ? CheckAmountText(wps) : AmountCheck::Invalid;
        if (check == AmountCheck::Invalid)
            return refuse(QStringLiteral("Pola \"WPS\" zawiera niepoprawną wartość"), ui::Icon::Error, eWartosc);
        if (check == AmountCheck::OutOfRange)
            return refuse(QStringLiteral("Przekroczono zakres w polu \"WPS\""), ui::Icon::Error, eWartosc);
        eWartosc->setText(NormalizeAmountText(wps));
    }

    // 9: the region.
    if (!eRejon->text().isEmpty()) {
        long long region = 0;
        if (!ui::parseInteger(eRejon->text(), region) || region > 15 || region < 0)
            return refuse(QStringLiteral("Podany rejon jest nieprawidłowy"), ui::Icon::Warning, eRejon);
    }
    return true;
}

bool TNowa::RefuseUnencodable()
{
    // Every text bound to the statements of the save, with the box it is
    // shown in and where the focus goes.
    struct Source {
        QString text;
        QString field;
        QWidget *focus;
    };
    std::vector<Source> sources = {
        {ePowod->text(), QStringLiteral("Powód"), BtnPowod},
        {ePozwany->text(), QStringLiteral("Pozwany"), btnPozwany},
        {eZO->text(), QStringLiteral("ZO"), eZO},
        {cbRodzaj->currentText(), QStringLiteral("Rodzaj sprawy"), cbRodzaj},
        {eWartosc->text(), QStringLiteral("WPS"), eWartosc},
        {eAdres->text(), QStringLiteral("Adres lokalu"), eAdres},
        {eRejon->text(), QStringLiteral("Rejon"), eRejon},
        {cbMiejscowosc->currentText(), QStringLiteral("Miejscowość"), cbMiejscowosc},
        {eSygnatura1->text(), QStringLiteral("Sygnatury"), eSygnatura1},
        {eSygnatura2->text(), QStringLiteral("Sygnatury"), eSygnatura2},
        {eSygnatura3->text(), QStringLiteral("Sygnatury"), eSygnatura3},
    };
    auto dated = [&](const QVector<DatedEntry> &list, const QString &field, QWidget *focus) {
        for (const DatedEntry &e : list)
            sources.push_back({e.Data + e.Notka, field, focus});
    };
    auto amounts = [&](const QVector<AmountEntry> &list, const QString &field, QWidget *focus) {
        for (const AmountEntry &e : list)
            sources.push_back({e.Data + e.Kwota + e.Notka, field, focus});
    };
    dated(TerminyEntries, QStringLiteral("Terminy rozpraw"), btnTerminy);
    dated(HistoriaEntries, QStringLiteral("Historia akt"), btnHistoria);
    amounts(KosztyEntries, QStringLiteral("Koszt prowadzenia sprawy"), btnKoszt);
    amounts(WynagrodzenieEntries, QStringLiteral("Wynagrodzenie radcy prawnego"), btnWynagrodzenie);
    for (const PartyEntry &e : PowodEntries)
        sources.push_back({e.Nazwa + e.Nazwisko + e.Imie, QStringLiteral("Powód"), BtnPowod});
    for (const PartyEntry &e : PozwanyEntries)
        sources.push_back({e.Nazwa + e.Nazwisko + e.Imie, QStringLiteral("Pozwany"), btnPozwany});

    for (const Source &s : sources) {
        const qsizetype at = text::firstUnencodable(s.text);
        if (at < 0)
            continue;
        ui::setDefaultCursor();
        ui::warning(QStringLiteral("Pole \"%1\" zawiera znak \"%2\", którego nie można zapisać w bazie danych "
                                   "(teksty są w niej przechowywane w kodowaniu Windows-1250).\n"
                                   "Usuń ten znak lub zastąp go innym.")
                        .arg(s.field, characterAt(s.text, at)),
                    this);
        s.focus->setFocus();
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// The save

QString TNowa::NextKey(const QString &generator)
{
    sql::Query *q = DM->qPobierzLp;
    DM->CloseQuery(q);
    q->setSql({QStringLiteral("SELECT GEN_ID(") + generator + QStringLiteral(", 1) AS MyVar FROM RDB$DATABASE")});
    q->open();
    return q->fieldText(QStringLiteral("MyVar"));
}

bool TNowa::ExecuteInsert(const QString &failure, QWidget *focus)
{
    try {
        DM->qDodajSprawe->prepare();
        DM->qDodajSprawe->execute();
        return true;
    } catch (const sql::Error &e) {
        ui::setDefaultCursor();
        ui::error(failure + QLatin1Char('\n') + e.message(), this);
        focus->setFocus();
        return false;
    }
}

bool TNowa::SaveNewCase()
{
    sql::Query *q = DM->qDodajSprawe;
    auto statement = [q](const QStringList &lines) {
        DM->CloseQuery(q);
        q->setTransaction(DM->tDodajSprawe);
        q->clearSql();
        for (const QString &line : lines)
            q->addSql(line);
    };
    const QString lpSprawy = QStringLiteral("Lp_Sprawy");

    // 1, 2: the case row.
    NewCaseLp = NextKey(QStringLiteral("G_SPRAWY"));
    statement({QStringLiteral("INSERT INTO Sprawy (Lp, ZO, ZOLp, Rejon, Powod, Pozwany,"),
               QStringLiteral("Adres, Miejscowosc, Rodzaj_sprawy, Wartosc_sprawy,"),
               QStringLiteral("Sygnatura1, Sygnatura2, Sygnatura3,"),
               QStringLiteral("PowodFirma, PozwanyFirma, Data_komornika)"),
               QStringLiteral("VALUES (:Lp, :ZO, :ZOLp, :Rejon, :Powod, :Pozwany,"),
               QStringLiteral(":Adres, :Miejscowosc, :Rodzaj_sprawy, :Wartosc_sprawy,"),
               QStringLiteral(":Sygnatura1, :Sygnatura2, :Sygnatura3,"),
               QStringLiteral(":PowodFirma, :PozwanyFirma, :Data_komornika)")});
    q->setParam(QStringLiteral("Lp"), NewCaseLp);
    q->setParam(QStringLiteral("ZO"), eZO->text());
    q->setParam(QStringLiteral("ZOLp"), ZOLpText);
    q->setParam(QStringLiteral("Powod"), ePowod->text());
    q->setParam(QStringLiteral("Pozwany"), ePozwany->text());
    q->setParam(QStringLiteral("Adres"), eAdres->text());
    q->setParam(QStringLiteral("Miejscowosc"), cbMiejscowosc->currentText());
    q->setParam(QStringLiteral("Rodzaj_sprawy"), cbRodzaj->currentText());
    q->setParam(QStringLiteral("Wartosc_sprawy"), eWartosc->text());
    q->setParam(QStringLiteral("Sygnatura1"), eSygnatura1->text());
    q->setParam(QStringLiteral("Sygnatura2"), eSygnatura2->text());
    q->setParam(QStringLiteral("Sygnatura3"), eSygnatura3->text());
    if (!eRejon->text().isEmpty())
        q->setParam(QStringLiteral("Rejon"), eRejon->text());
    q->setParam(QStringLiteral("PowodFirma"), PowodFirma ? QStringLiteral("T") : QStringLiteral("N"));
    q->setParam(QStringLiteral("PozwanyFirma"), PozwanyFirma ? QStringLiteral("T") : QStringLiteral("N"));
    if (cbKomornik->isChecked())
        q->setParam(QStringLiteral("Data_komornika"), ui::dateText(dtDataKomornika->date()));
    if (!ExecuteInsert(QStringLiteral("Dodanie nowej sprawy do bazy nie powiodło się."), eZO))
        return false;

    // 3, 4: hearing dates and file history.
    auto datedRows = [&](const QStringList &lines, const QString &generator, const QVector<DatedEntry> &list,
                         const std::function<QString(int)> &failure, QWidget *focus) {
        statement(lines);
        q->setParam(lpSprawy, NewCaseLp);
        for (int i = 0; i < list.size(); ++i) {
            q->setParam(QStringLiteral("Lp"), NextKey(generator));
            q->setParam(QStringLiteral("Data"), list[i].Data);
            q->setParam(QStringLiteral("Notka"), list[i].Notka);
            if (!ExecuteInsert(failure(i), focus))
                return false;
        }
        return true;
    };
    if (!datedRows({QStringLiteral("INSERT INTO Terminy (Lp, Lp_Sprawy, Data, Notka)"),
                    QStringLiteral("VALUES (:Lp, :Lp_Sprawy, :Data, :Notka)")},
                   QStringLiteral("G_TERMINY"), TerminyEntries,
                   [](int i) { return QStringLiteral("Dodanie terminu nr %1 do bazy nie powiodło się.").arg(i); },
                   btnTerminy))
        return false;
    if (!datedRows({QStringLiteral("INSERT INTO Historia_akt"), QStringLiteral("(Lp, Lp_Sprawy, Data, Notka)"),
                    QStringLiteral("VALUES (:Lp, :Lp_Sprawy, :Data, :Notka)")},
                   QStringLiteral("G_Historia_akt"), HistoriaEntries,
                   [](int i) {
                       return QStringLiteral("Dodanie wpisu nr %1 do Historii akt w bazie nie powiodło się.").arg(i);
                   },
                   btnHistoria))
        return false;

    // 5, 6: costs and fees.
    auto amountRows = [&](const QString &table, const QString &generator, const QVector<AmountEntry> &list,
                          const std::function<QString(int)> &failure, QWidget *focus) {
        statement({QStringLiteral("INSERT INTO ") + table, QStringLiteral("(Lp, Lp_Sprawy, Kwota, Data, Notka)"),
                   QStringLiteral("VALUES (:Lp, :Lp_Sprawy, :Kwota, :Data, :Notka)")});
        q->setParam(lpSprawy, NewCaseLp);
        for (int i = 0; i < list.size(); ++i) {
            q->setParam(QStringLiteral("Lp"), NextKey(generator));
            q->setParam(QStringLiteral("Data"), list[i].Data);
            q->setParam(QStringLiteral("Kwota"), list[i].Kwota);
            q->setParam(QStringLiteral("Notka"), list[i].Notka);
            if (!ExecuteInsert(failure(i), focus))
                return false;
        }
        return true;
    };
    if (!amountRows(QStringLiteral("Koszty"), QStringLiteral("G_Koszty"), KosztyEntries,
                    [](int i) { return QStringLiteral("Dodanie wpisu nr %1 do kosztów nie powiodło się.").arg(i); },
                    btnKoszt))
        return false;
    if (!amountRows(QStringLiteral("Wynagrodzenie"), QStringLiteral("G_Wynagrodzenie"), WynagrodzenieEntries,
                    [](int i) { return QStringLiteral("Dodanie wpisu nr %1 do wynagrodzenia nie powiodło się.").arg(i); },
                    btnWynagrodzenie))
        return false;

    // 7, 8: plaintiffs and defendants.
    auto partyRows = [&](const QString &table, const QString &generator, const QVector<PartyEntry> &list,
                         const std::function<QString(int)> &failure, QWidget *focus) {
        statement({QStringLiteral("INSERT INTO ") + table, QStringLiteral("(Lp, Lp_Sprawy, Nazwa, Nazwisko, Imie)"),
                   QStringLiteral("VALUES (:Lp, :Lp_Sprawy, :Nazwa, :Nazwisko,"), QStringLiteral(":Imie)")});
        q->setParam(lpSprawy, NewCaseLp);
        for (int i = 0; i < list.size(); ++i) {
            q->setParam(QStringLiteral("Lp"), NextKey(generator));
            q->setParam(QStringLiteral("Nazwa"), list[i].Nazwa);
            q->setParam(QStringLiteral("Nazwisko"), list[i].Nazwisko);
            q->setParam(QStringLiteral("Imie"), list[i].Imie);
            if (!ExecuteInsert(failure(i), focus))
                return false;
        }
        return true;
    };
    if (!partyRows(QStringLiteral("Powods"), QStringLiteral("G_Powods"), PowodEntries,
                   [](int i) { return QStringLiteral("Dodanie wpisu nr %1 do Powód nie powiodło się.").arg(i); },
                   BtnPowod))
        return false;
    if (!partyRows(QStringLiteral("Pozwani"), QStringLiteral("G_Pozwani"), PozwanyEntries,
                   [](int i) { return QStringLiteral("Dodanie wpisu nr %1 do Pozwany nie powiodło się.").arg(i); },
                   btnPozwany))
        return false;

    // 9: rulings and notes, one row for every case.
    statement({QStringLiteral("INSERT INTO Szczegoly"), QStringLiteral("(Lp_Sprawy,"),
               QStringLiteral("Notatki, Orzeczenia)"), QStringLiteral("VALUES (:Lp_Sprawy, "),
               QStringLiteral(":Notatki, :Orzeczenia)")});
    q->setParam(lpSprawy, NewCaseLp);
    if (!NotatkiDoc.isEmpty())
        q->setParamBlob(QStringLiteral("Notatki"), NotatkiDoc);
    if (!OrzeczeniaDoc.isEmpty())
        q->setParamBlob(QStringLiteral("Orzeczenia"), OrzeczeniaDoc);
    if (!ExecuteInsert(QStringLiteral("Dodanie danych szczegółowych sprawy do bazy nie powiodło się."), btnOrzeczenia))
        return false;
    return true;
}

void TNowa::BitBtn9Click()
{
    ui::setBusyCursor();
    if (!ValidateNewCase()) {
        setResult(0);
        ui::setDefaultCursor();
        return;
    }
    // Text the database cannot hold is refused before anything is written.
    if (RefuseUnencodable()) {
        setResult(0);
        return;
    }

    sql::Transaction *t = DM->tDodajSprawe;
    auto rollBack = [t] {
        DM->CloseQuery(DM->qDodajSprawe);
        if (t->active())
            t->rollback();
    };
    try {
        if (t->active())
            t->commit();
        t->start();
        DM->CloseQuery(DM->qPobierzLp);
        DM->qPobierzLp->setTransaction(t);
        if (SaveNewCase()) {
            DM->CloseQuery(DM->qDodajSprawe);
            if (t->active())
                t->commit();
            ui::setDefaultCursor();
            accept();
            return;
        }
        setResult(0);
        rollBack();
        ui::setDefaultCursor();
    } catch (const std::exception &e) {
        ui::setDefaultCursor();
        setResult(0);
        try {
            rollBack();
        } catch (const std::exception &) {
            // The first error is the one the user needs to see.
        }
        const auto *dbError = dynamic_cast<const sql::Error *>(&e);
        const QString reason = dbError ? dbError->message() : QString::fromUtf8(e.what());
        ui::error(QStringLiteral("Dodanie do bazy danych nie powiodło się.") + QLatin1Char('\n') + reason, this);
    }
}
