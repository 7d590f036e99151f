#include "Frmmain.h"

#include "about/Frminformacje.h"
#include "app/Application.h"
#include "app/Datamodule.h"
#include "newcase/Frmnowa.h"
#include "platform/sql/sql.h"
#include "platform/ui/cursor.h"
#include "platform/ui/messages.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TMain *Main = nullptr;

namespace {

// What a click on a column title sorts by: the column's field, its sort key
// and the ORDER BY line for each direction.
struct SortOrder {
    const char *field;
    const char *key;
    const char *ascending;
    const char *descending;
};

const SortOrder kSortOrders[] = {
    {"ZO", "ZOLp", "order by ZOLp asc", "order by ZOLp desc"},
    {"Rejon", "Rejon", "order by Rejon", "order by Rejon desc"},
    {"Powod", "Powod", "order by Powod", "order by Powod desc"},
    {"Pozwany", "Pozwany", "order by Pozwany asc", "order by Pozwany desc"},
    {"Adres", "Adres", " order by Adres", " order by Adres desc"},
    {"Miejscowosc", "Miejscowosc", " order by Miejscowosc", " order by Miejscowosc desc"},
    {"Rodzaj_Sprawy", "Rodzaj_Sprawy", " order by Rodzaj_Sprawy", " order by Rodzaj_Sprawy desc"},
    {"Sygnatura1", "Sygnatura1", " order by Sygnatura1", " order by Sygnatura1 desc"},
    {"Sygnatura2", "Sygnatura2", " order by Sygnatura2", " order by Sygnatura2 desc"},
    {"Sygnatura3", "Sygnatura3", " order by Sygnatura3", " order by Sygnatura3 desc"},
};

const SortOrder *sortOrderOf(const QString &field)
{
    for (const SortOrder &s : kSortOrders)
        if (field.compare(QLatin1String(s.field), Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const QString kViewAll = QStringLiteral("Wyświetlanie: wszystkie sprawy");
const QString kViewAdm = QStringLiteral("Wyświetlanie: sprawy ADM");
const QString kViewOther = QStringLiteral("Wyświetlanie: sprawy inne");

} // namespace

TMain::TMain(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Wokandor"));

    // Commands.
    ActionRaport1ListaSpraw = makeAction("ActionRaport1ListaSpraw", {}, &TMain::ActionRaport1ListaSprawExecute);
    ActionNowa = makeAction("ActionNowa", QKeySequence(Qt::CTRL | Qt::Key_N), &TMain::ActionNowaExecute);
    ActionSzczegoly = makeAction("ActionSzczegoly", QKeySequence(Qt::CTRL | Qt::Key_S), &TMain::ActionSzczegolyExecute);
    ActionWyszukaj = makeAction("ActionWyszukaj", {}, &TMain::ActionWyszukajExecute);
    ActionFiltruj = makeAction("ActionFiltruj", QKeySequence(Qt::CTRL | Qt::Key_F), &TMain::ActionFiltrujExecute);
    ActionKoniecFiltrowania =
        makeAction("ActionKoniecFiltrowania", QKeySequence(Qt::CTRL | Qt::Key_K), &TMain::ActionKoniecFiltrowaniaExecute);
    ActionWyswietlanieWszystkie =
        makeAction("ActionWyswietlanieWszystkie", QKeySequence(Qt::Key_F1), &TMain::ActionWyswietlanieWszystkieExecute);
    ActionWyswietlanieADM =
        makeAction("ActionWyswietlanieADM", QKeySequence(Qt::Key_F2), &TMain::ActionWyswietlanieADMExecute);
    ActionWyswietlanieInne =
        makeAction("ActionWyswietlanieInne", QKeySequence(Qt::Key_F3), &TMain::ActionWyswietlanieInneExecute);
    ActionEksportBazy = makeAction("ActionEksportBazy", QKeySequence(Qt::CTRL | Qt::Key_E), &TMain::ActionEksportBazyExecute);
    ActionImportBazy = makeAction("ActionImportBazy", QKeySequence(Qt::CTRL | Qt::Key_R), &TMain::ActionImportBazyExecute);
    ActionInformacje = makeAction("ActionInformacje", QKeySequence(Qt::CTRL | Qt::Key_I), &TMain::ActionInformacjeExecute);
    ActionZakoncz = makeAction("ActionZakoncz", QKeySequence(Qt::CTRL | Qt::Key_X), &TMain::ActionZakonczExecute);
    // "Wróć" is enabled only while a filter is in force.
    ActionKoniecFiltrowania->setEnabled(false);

    buildMenu();
    buildToolBar();

    // The grid between the tool bar and the navigator.
    auto *centre = new QWidget(this);
    auto *layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Grid = new VelmoGrid(centre);
    Grid->setObjectName(QStringLiteral("Grid"));
    Navigator = new VelmoNavigator(centre);
    Navigator->setObjectName(QStringLiteral("Navigator"));
    Navigator->setFixedHeight(25);
    layout->addWidget(Grid, 1);
    layout->addWidget(Navigator);
    setCentralWidget(centre);

    buildStatusBar();

    QFont cells(QStringLiteral("MS Sans Serif"));
    cells.setPixelSize(16);
    Grid->setFont(cells);
    QFont titles(QStringLiteral("MS Sans Serif"));
    titles.setPixelSize(15);
    titles.setBold(true);
    Grid->setTitleFont(titles);
    Grid->setIndicator(true);
    Grid->setDefaultDrawing(false);
    Grid->onDrawColumnCell = [this](VelmoDrawCellEvent &e) { GridDrawColumnCell(e); };
    Grid->onMouseWheel = [this](VelmoWheelEvent &e) { GridMouseWheel(e); };
    connect(Grid, &VelmoGrid::titleClick, this, [this](int column) { app::guarded([&] { GridTitleClick(column); }); });
    connect(Grid, &VelmoGrid::mouseDown, this, [this] { GridMouseDown(); });
    connect(Grid, &VelmoGrid::cellClick, this, [this] { GridCellClick(); });
    connect(Grid, &VelmoGrid::dblClick, this, [this] { app::guarded([&] { GridDblClick(); }); });

    // 737 x 546, centred on the desktop.
    resize(737, 546);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));

    FormCreate();
}

TMain::~TMain()
{
    if (Main == this)
        Main = nullptr;
}

QAction *TMain::makeAction(const char *name, const QKeySequence &shortcut, void (TMain::*handler)())
{
    auto *action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);   // the shortcut works wherever the focus is in the window
    connect(action, &QAction::triggered, this, [this, handler] { app::guarded([&] { (this->*handler)(); }); });
    return action;
}

QAction *TMain::makeMenuItem(QMenu *menu, const QString &caption, QAction *command, bool shortcutOfItem)
{
    QAction *item = menu->addAction(caption);
    if (!shortcutOfItem && !command->shortcut().isEmpty()) {
        // The menu shows the command's shortcut beside the caption (the text
        // after a tab); the command itself answers the key.
        item->setText(caption + QLatin1Char('\t') + command->shortcut().toString(QKeySequence::NativeText));
    }
    item->setEnabled(command->isEnabled());
    connect(item, &QAction::triggered, command, &QAction::trigger);
    connect(command, &QAction::enabledChanged, item, &QAction::setEnabled);
    return item;
}

void TMain::buildMenu()
{
    MenuSprawy = menuBar()->addMenu(QStringLiteral("&Sprawy"));
    miWydrukListySpraw = makeMenuItem(MenuSprawy, QStringLiteral("Wydruk &listy spraw"), ActionRaport1ListaSpraw);
    MenuSprawy->addSeparator();
    miNowaSprawa = makeMenuItem(MenuSprawy, QStringLiteral("&Nowa sprawa"), ActionNowa);
    miSzczegoly = makeMenuItem(MenuSprawy, QStringLiteral("Szczegóły"), ActionSzczegoly);

    MenuWyszukiwanie = menuBar()->addMenu(QStringLiteral("&Wyszukiwanie"));
    miWyszukaj = makeMenuItem(MenuWyszukiwanie, QStringLiteral("Wy&szukaj"), ActionWyszukaj, true);
    // This shortcut belongs to the menu item, not to the command.
    miWyszukaj->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    miWyszukaj->setShortcutContext(Qt::WindowShortcut);
    miFiltruj = makeMenuItem(MenuWyszukiwanie, QStringLiteral("&Filtruj"), ActionFiltruj);
    miWroc = makeMenuItem(MenuWyszukiwanie, QStringLiteral("W&róć"), ActionKoniecFiltrowania);
    MenuWyswietl = MenuWyszukiwanie->addMenu(QStringLiteral("W&yświetl"));
    miWszystkieSprawy = makeMenuItem(MenuWyswietl, QStringLiteral("Ws&zystkie sprawy"), ActionWyswietlanieWszystkie);
    miSprawyADM = makeMenuItem(MenuWyswietl, QStringLiteral("Sprawy &ADM"), ActionWyswietlanieADM);
    miSprawyInne = makeMenuItem(MenuWyswietl, QStringLiteral("Sprawy &Inne"), ActionWyswietlanieInne);
    for (QAction *item : {miWszystkieSprawy, miSprawyADM, miSprawyInne})
        item->setCheckable(true);
    miWszystkieSprawy->setChecked(true);

    MenuBaza = menuBar()->addMenu(QStringLiteral("&Baza"));
    miEksportBazy = makeMenuItem(MenuBaza, QStringLiteral("&Eksport bazy"), ActionEksportBazy);
    miImportBazy = makeMenuItem(MenuBaza, QStringLiteral("I&mport bazy"), ActionImportBazy);

    MenuInne = menuBar()->addMenu(QStringLiteral("&Inne"));
    miInformacje = makeMenuItem(MenuInne, QStringLiteral("I&nformacje"), ActionInformacje);
    MenuInne->addSeparator();
    miZakoncz = makeMenuItem(MenuInne, QStringLiteral("&Zakończ"), ActionZakoncz);
}

QToolButton *TMain::makeToolButton(const QString &caption, QAction *command)
{
    auto *button = new QToolButton(ToolBar);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFixedSize(75, 22);
    button->setFocusPolicy(Qt::NoFocus);
    button->setEnabled(command->isEnabled());
    connect(button, &QToolButton::clicked, command, &QAction::trigger);
    connect(command, &QAction::enabledChanged, button, &QToolButton::setEnabled);
    ToolBar->addWidget(button);
    return button;
}

void TMain::buildToolBar()
{
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setFixedHeight(29);
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBar);
    // The captions in the small dialog font, so that "Nowa sprawa" fits 75 pixels.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    ToolBar->setFont(font);
    ToolButtons = {
        makeToolButton(QStringLiteral("Zakończ"), ActionZakoncz),
        makeToolButton(QStringLiteral("Wydruk"), ActionRaport1ListaSpraw),
        makeToolButton(QStringLiteral("Nowa sprawa"), ActionNowa),
        makeToolButton(QStringLiteral("Szczegóły"), ActionSzczegoly),
        makeToolButton(QStringLiteral("Wyszukaj"), ActionWyszukaj),
        makeToolButton(QStringLiteral("Filtruj"), ActionFiltruj),
        makeToolButton(QStringLiteral("Wróć"), ActionKoniecFiltrowania),
    };
}

void TMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setFixedHeight(21);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    bar->setFont(font);
    const int widths[3] = {180, 250, 50};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(bar);
        panel->setFont(font);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(2, 0, 2, 0);
        if (i < 2)
            panel->setFixedWidth(widths[i]);
        else
            panel->setMinimumWidth(widths[i]);   // the last panel takes the rest of the bar
        bar->addWidget(panel, i == 2 ? 1 : 0);
        panels_[size_t(i)] = panel;
    }
    panels_[0]->setAlignment(Qt::AlignCenter);
    panels_[0]->setText(QStringLiteral("Wokandor"));
    panels_[1]->setText(kViewAll);
}

QString TMain::StatusPanelText(int panel) const
{
    return panel >= 0 && panel < 3 ? panels_[size_t(panel)]->text() : QString();
}

void TMain::SetStatusPanelText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 3)
        panels_[size_t(panel)]->setText(text);
}

// ---------------------------------------------------------------- window events

void TMain::FormCreate()
{
    // Dates and numbers already travel in the fixed forms of platform/ui
    // (2006-12-24, 12.5, 13:05:09) whatever the locale, so there is nothing
    // to switch here.
    SetupColumns();
}

void TMain::SetupColumns()
{
    struct Column {
        const char *field;
        QString title;
        int width;
    };
    const Column columns[] = {
        {"ZO", QStringLiteral("ZO"), 70},
        {"Rejon", QStringLiteral("Rejon"), 50},
        {"Powod", QStringLiteral("Powód"), 210},
        {"Pozwany", QStringLiteral("Pozwany"), 210},
        {"Adres", QStringLiteral("Adres"), 150},
        {"Miejscowosc", QStringLiteral("Miejscowość"), 100},
        {"Rodzaj_Sprawy", QStringLiteral("Rodzaj sprawy"), 140},
        {"Sygnatura1", QStringLiteral("Sygnatura 1"), 100},
        {"Sygnatura2", QStringLiteral("Sygnatura 2"), 100},
        {"Sygnatura3", QStringLiteral("Sygnatura 3"), 100},
    };
    Grid->clearColumns();
    for (const Column &c : columns)
        Grid->addColumn({QString::fromLatin1(c.field), c.title, c.width, Qt::AlignCenter});
}

bool TMain::event(QEvent *e)
{
    const bool result = QMainWindow::event(e);
    if (e->type() == QEvent::WindowActivate)
        app::guarded([this] { FormActivate(); });
    return result;
}

void TMain::FormActivate()
{
    // An activation that arrives while the list loads (the load lets pending
    // events through once) neither loads again nor touches the cursor.
    if (loading_)
        return;
    if (ReloadOnActivate) {
        // After a failed reload the error box gives the window back at once;
        // that activation does not try again (it would fail the same way,
        // box after box). A later activation does.
        if (reloadFailedAt_.isValid() && reloadFailedAt_.elapsed() < 2000) {
            reloadFailedAt_.invalidate();
        } else {
            reloadFailedAt_.invalidate();
            try {
                LoadCaseList();
            } catch (...) {
                ui::setDefaultCursor();
                app::ShowException(std::current_exception());
                reloadFailedAt_.start();
            }
        }
    }
    ui::setDefaultCursor();
    Grid->setFocus();
}

// ---------------------------------------------------------------- the list

void TMain::bindList()
{
    if (Grid->dataSource() != DM->dsSprawy) {
        Grid->setDataSource(DM->dsSprawy);
        Navigator->setDataSource(DM->dsSprawy);
    }
}

void TMain::LoadCaseList()
{
    if (!DM)
        return;
    ui::BusyCursor busy;
    QScopedValueRollback<bool> loading(loading_, true);
    bindList();
    sql::Query *q = DM->Sprawy;
    DM->CloseQuery(q);
    if (RebuildSql) {
        q->clearSql();
        q->addSql(QStringLiteral("Select Lp, ZO, ZOLp, Rejon,"));
        q->addSql(QStringLiteral("Powod, Pozwany, Adres, Miejscowosc,"));
        q->addSql(QStringLiteral("Rodzaj_Sprawy, Wartosc_sprawy, Sygnatura1,"));
        q->addSql(QStringLiteral("Sygnatura2, Sygnatura3,"));
        q->addSql(QStringLiteral("PowodFirma, PozwanyFirma, Data_komornika"));
        q->addSql(QStringLiteral("from Sprawy"));
        q->addSql(WhereText);
        q->addSql(OrderText);
        RebuildSql = false;
    }
    q->prepare();
    q->open();
    // The first rows on screen at once; user input waits for the load.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    q->fetchAll();
    Grid->repaint();
    q->locate(QStringLiteral("Lp"), CurrentLp, sql::Locate::Exact);
    SetStatusPanelText(2, QStringLiteral("Pozycji: ") + QString::number(q->recordCount()));
}

QString TMain::CurrentRowLp() const
{
    if (!DM)
        return {};
    sql::Query *q = DM->Sprawy;
    if (!q->isOpen() || q->currentRow() < 0 || q->currentRow() >= q->recordCount())
        return {};
    return q->fieldText(QStringLiteral("Lp"));
}

void TMain::setView(const QString &where, QAction *checkedItem, const QString &panelText)
{
    RebuildSql = true;
    WhereText = where;
    for (QAction *item : {miWszystkieSprawy, miSprawyADM, miSprawyInne})
        item->setChecked(item == checkedItem);
    SetStatusPanelText(1, panelText);
    CurrentLp = CurrentRowLp();
    LoadCaseList();
}

void TMain::ActionWyswietlanieWszystkieExecute()
{
    setView(QString(), miWszystkieSprawy, kViewAll);
}

void TMain::ActionWyswietlanieADMExecute()
{
    setView(QStringLiteral("WHERE Rejon IS NOT NULL"), miSprawyADM, kViewAdm);
}

void TMain::ActionWyswietlanieInneExecute()
{
    setView(QStringLiteral("WHERE Rejon IS NULL"), miSprawyInne, kViewOther);
}

void TMain::GridTitleClick(int column)
{
    if (column < 0 || column >= Grid->columnCount())
        return;
    const SortOrder *order = sortOrderOf(Grid->column(column).field);
    if (!order)
        return;
    const QString key = QLatin1String(order->key);
    RebuildSql = true;
    if (SortField == key && SortAscending) {
        OrderText = QLatin1String(order->descending);
        SortAscending = false;
    } else {
        OrderText = QLatin1String(order->ascending);
        SortAscending = true;
    }
    SortField = key;
    CurrentLp = CurrentRowLp();
    LoadCaseList();
}

// ---------------------------------------------------------------- grid events

QPoint TMain::CellTextOrigin(const QRect &cell, int textWidth, int textHeight)
{
    const QRect inner = cell.adjusted(5, 0, -5, 0);
    // Integer division truncates toward zero; a text larger than the cell
    // starts at the inner rectangle's edge.
    const int x = std::max(0, (inner.width() - textWidth) / 2);
    const int y = std::max(0, (inner.height() - textHeight) / 2);
    return {inner.left() + x, inner.top() + y};
}

void TMain::GridDrawColumnCell(VelmoDrawCellEvent &e)
{
    QPainter *p = e.painter;
    QFont font = p->font();
    font.setPointSize(10);
    if ((e.state & ~VelmoCellStates(VelmoCellState::Focused)) == VelmoCellStates(VelmoCellState::Selected))
        font.setBold(true);
    p->setFont(font);
    const QFontMetrics metrics(font, p->device());
    const QRect inner = e.rect.adjusted(5, 0, -5, 0);
    const QPoint at = CellTextOrigin(e.rect, metrics.horizontalAdvance(e.text), metrics.height());
    p->fillRect(e.rect, p->brush());
    p->save();
    p->setClipRect(inner, Qt::IntersectClip);
    p->drawText(QPoint(at.x(), at.y() + metrics.ascent()), e.text);
    p->restore();
}

void TMain::GridMouseWheel(VelmoWheelEvent &e)
{
    VelmoGridWheel(Grid, e);
}

void TMain::GridMouseDown()
{
    CellClicked = false;
}

void TMain::GridCellClick()
{
    CellClicked = true;
}

void TMain::GridDblClick()
{
    if (CellClicked)
        ActionSzczegoly->trigger();
}

// ---------------------------------------------------------------- commands

void TMain::ActionRaport1ListaSprawExecute()
{
    // The printed list of cases comes with the reports.
}

void TMain::ActionNowaExecute()
{
    CurrentLp = CurrentRowLp();
    int result = QDialog::Rejected;
    auto release = [] {
        delete Nowa;
        Nowa = nullptr;
        ui::setDefaultCursor();
    };
    try {
        if (!Nowa) {
            ui::setBusyCursor();
            Nowa = new TNowa(this);
        }
        Nowa->setWindowState(Qt::WindowNoState);
        ui::setDefaultCursor();
        result = Nowa->exec();
        CurrentLp = Nowa->NewCaseLp;
    } catch (...) {
        release();
        throw;
    }
    release();
    if (result == QDialog::Accepted) {
        LoadCaseList();
        Grid->setFocus();
    }
}

void TMain::ActionSzczegolyExecute()
{
    sql::Query *q = DM ? DM->Sprawy : nullptr;
    if (!q || !q->isOpen() || q->recordCount() == 0) {
        ui::warning(QStringLiteral("Brak spraw w tabeli"), this);
        return;
    }
    // The case-details window opens here on the current case: the seven area
    // transactions are committed and restarted, TSzczegoly is filled from the
    // current row and shown modally, and the list is reloaded when it closes.
}

void TMain::ActionWyszukajExecute()
{
    // The quick-search window comes with its own unit.
}

void TMain::ActionFiltrujExecute()
{
    // The filter window comes with its own unit.
}

void TMain::ActionKoniecFiltrowaniaExecute()
{
    // Ends the filter; comes with the filter window.
}

void TMain::ActionEksportBazyExecute()
{
    // Export of the database file comes with its own command.
}

void TMain::ActionImportBazyExecute()
{
    // Import of a database file comes with its own command.
}

void TMain::ActionInformacjeExecute()
{
    auto release = [] {
        delete Informacje;
        Informacje = nullptr;
        ui::setDefaultCursor();
    };
    try {
        ui::setBusyCursor();
        if (!Informacje)
            Informacje = new TInformacje(this);
        Informacje->setWindowState(Qt::WindowNoState);
        Informacje->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        ui::setDefaultCursor();
        Informacje->exec();
    } catch (...) {
        release();
        throw;
    }
    release();
}

void TMain::ActionZakonczExecute()
{
    close();
}
