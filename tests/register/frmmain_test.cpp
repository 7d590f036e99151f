#include "register/Frmmain.h"

#include "about/Frminformacje.h"
#include "app/Datamodule.h"
#include "newcase/Frmnowa.h"
#include "platform/sql/sql.h"
#include "platform/ui/cursor.h"

#include "support/dbfixture.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QPainter>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

using testsupport::DbTest;
using testsupport::Messages;

namespace {

const QStringList kSelectLines = {
    QStringLiteral("Select Lp, ZO, ZOLp, Rejon,"),
    QStringLiteral("Powod, Pozwany, Adres, Miejscowosc,"),
    QStringLiteral("Rodzaj_Sprawy, Wartosc_sprawy, Sygnatura1,"),
    QStringLiteral("Sygnatura2, Sygnatura3,"),
    QStringLiteral("PowodFirma, PozwanyFirma, Data_komornika"),
    QStringLiteral("from Sprawy"),
};

QString statement(const QString &where, const QString &order)
{
    return (kSelectLines + QStringList{where, order}).join(QLatin1Char('\n'));
}

class Register : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        // Only the statements of the case list count here.
        sql::setStatementObserver([this](const QString &text) {
            if (text.startsWith(kSelectLines.first()))
                statements << text;
        });
        main = std::make_unique<TMain>();
        Main = main.get();
    }
    void TearDown() override
    {
        main.reset();
        sql::setStatementObserver({});
        DbTest::TearDown();
    }

    sql::Query &list() { return *DM->Sprawy; }

    // The ZO column of the grid, top to bottom.
    QStringList shownZO()
    {
        QStringList out;
        QAbstractItemModel *m = main->Grid->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, 0).data().toString();
        return out;
    }
    QString currentZO() { return list().currentRow() < 0 ? QString() : list().fieldText(QStringLiteral("ZO")); }
    void makeCurrent(const QString &zo)
    {
        ASSERT_TRUE(list().locate(QStringLiteral("ZO"), zo));
    }
    void activate()
    {
        QEvent e(QEvent::WindowActivate);
        QApplication::sendEvent(main.get(), &e);
    }
    int columnOf(const QString &field)
    {
        for (int c = 0; c < main->Grid->columnCount(); ++c)
            if (main->Grid->column(c).field == field)
                return c;
        return -1;
    }
    void clickTitle(int column)
    {
        QHeaderView *h = main->Grid->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2));
    }
    void doubleClick(QWidget *w, const QPoint &at)
    {
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        QTest::mouseDClick(w, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    }
    QString panel(int i) { return main->StatusPanelText(i); }
    // Makes the shown window the active one, as the keyboard needs.
    bool activeForKeys()
    {
        main->activateWindow();
        for (int i = 0; i < 200 && QApplication::activeWindow() != main.get(); ++i)
            testsupport::pump(10);
        main->Grid->setFocus();
        return QApplication::activeWindow() == main.get();
    }
    QString checks()
    {
        QString s;
        for (QAction *a : {main->miWszystkieSprawy, main->miSprawyADM, main->miSprawyInne})
            s += a->isChecked() ? QLatin1Char('x') : QLatin1Char('-');
        return s;
    }

    // Four cases whose order differs in every column (ZO text order differs
    // from ZOLp order; one case has no Rejon).
    void insertSortCases()
    {
        const char *zo[] = {"1/99", "2/05", "7/05", "1/06"};
        const char *rejon[] = {"3", "", "1", "2"};
        const char *powod[] = {"Bielecki", "Dąbrowski", "Adamski", "Cieślak"};
        const char *pozwany[] = {"Malinowski", "Łukasik", "Lis", "Kowalczyk"};
        const char *adres[] = {"ul. Cisowa 3", "ul. Akacjowa 1", "ul. Dębowa 4", "ul. Brzozowa 2"};
        const char *miejscowosc[] = {"Gdynia", "Sopot", "Elbląg", "Gdańsk"};
        const char *rodzaj[] = {"Eksmisja", "Odszkodowanie", "Najem", "Zapłata"};
        const char *s1[] = {"I C 4/05", "I C 2/05", "I C 3/05", "I C 1/05"};
        const char *s2[] = {"II C 2/05", "II C 1/05", "II C 4/05", "II C 3/05"};
        const char *s3[] = {"III C 3/05", "III C 2/05", "III C 1/05", "III C 4/05"};
        for (int i = 0; i < 4; ++i) {
            CaseRow r;
            r.lp = QString::number(i + 1);
            r.zo = QString::fromUtf8(zo[i]);
            r.rejon = QString::fromUtf8(rejon[i]);
            r.powod = QString::fromUtf8(powod[i]);
            r.pozwany = QString::fromUtf8(pozwany[i]);
            r.adres = QString::fromUtf8(adres[i]);
            r.miejscowosc = QString::fromUtf8(miejscowosc[i]);
            r.rodzaj = QString::fromUtf8(rodzaj[i]);
            r.sygnatura1 = QString::fromUtf8(s1[i]);
            r.sygnatura2 = QString::fromUtf8(s2[i]);
            r.sygnatura3 = QString::fromUtf8(s3[i]);
            insertCase(r);
        }
    }
    // ADM cases have a Rejon, the other cases none.
    void insertViewCases()
    {
        const struct {
            const char *zo, *rejon;
        } rows[] = {{"1/06", "4"}, {"2/06", ""}, {"3/06", "7"}, {"4/06", ""}, {"5/06", ""}};
        for (const auto &row : rows) {
            CaseRow r;
            r.zo = QString::fromLatin1(row.zo);
            r.rejon = QString::fromLatin1(row.rejon);
            insertCase(r);
        }
    }

    std::unique_ptr<TMain> main;
    QStringList statements;
};

} // namespace

TEST_F(Register, StartsWithAllCasesByCaseNumberAndReadsNothing)
{
    EXPECT_EQ(main->WhereText, QString());
    EXPECT_EQ(main->OrderText, QStringLiteral("order by ZOLp"));
    EXPECT_EQ(main->SortField, QStringLiteral("ZOLp"));
    EXPECT_TRUE(main->SortAscending);
    EXPECT_EQ(main->CurrentLp, QStringLiteral("-1"));
    EXPECT_TRUE(main->RebuildSql);
    EXPECT_TRUE(main->ReloadOnActivate);
    EXPECT_FALSE(main->CellClicked);
    EXPECT_EQ(checks(), QStringLiteral("x--"));
    EXPECT_EQ(panel(0), QStringLiteral("Wokandor"));
    EXPECT_EQ(panel(1), QStringLiteral("Wyświetlanie: wszystkie sprawy"));
    EXPECT_TRUE(statements.isEmpty());
    EXPECT_FALSE(list().isOpen());
}

TEST_F(Register, FirstActivationLoadsTheEightLinesAndSelectsTheFirstRow)
{
    insertSortCases();
    activate();
    ASSERT_EQ(statements.size(), 1);
    EXPECT_EQ(statements.last(), statement(QString(), QStringLiteral("order by ZOLp")));
    EXPECT_EQ(list().sql(), (kSelectLines + QStringList{QString(), QStringLiteral("order by ZOLp")}));
    EXPECT_FALSE(main->RebuildSql);
    EXPECT_EQ(shownZO(), (QStringList{"1/99", "2/05", "7/05", "1/06"}));
    EXPECT_EQ(list().currentRow(), 0);
    EXPECT_EQ(main->Grid->selectedRow(), 0);
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 4"));
    EXPECT_FALSE(ui::isBusyCursor());
    EXPECT_EQ(main->Grid->dataSource(), DM->dsSprawy);
    EXPECT_EQ(main->Navigator->dataSource(), DM->dsSprawy);
}

TEST_F(Register, ReloadWithoutRebuildReusesTheStatementAndKeepsTheCurrentCase)
{
    insertSortCases();
    main->LoadCaseList();
    makeCurrent(QStringLiteral("7/05"));
    main->CurrentLp = main->CurrentRowLp();
    EXPECT_EQ(main->CurrentLp, QStringLiteral("3"));
    main->WhereText = QStringLiteral("WHERE Rejon = 99");   // ignored: no rebuild asked for
    main->LoadCaseList();
    EXPECT_EQ(statements.last(), statement(QString(), QStringLiteral("order by ZOLp")));
    EXPECT_EQ(currentZO(), QStringLiteral("7/05"));

    // Exact match only: a prefix or another case's key selects the first row.
    for (const char *lp : {"", "-1", "33", " 3", "3 "}) {
        SCOPED_TRACE(lp);
        list().moveTo(2);
        main->CurrentLp = QString::fromLatin1(lp);
        main->LoadCaseList();
        EXPECT_EQ(list().currentRow(), 0);
    }
}

// Every column's title: ascending, descending, ascending; a click on another
// column starts ascending again.
TEST_F(Register, TitleClickTable)
{
    insertSortCases();
    main->show();
    testsupport::pump();
    main->LoadCaseList();
    const char *zo[] = {"1/99", "2/05", "7/05", "1/06"};
    struct Case {
        const char *field;
        const char *ascending;
        const char *descending;
        int order[4];   // cases in ascending order
    };
    const Case cases[] = {
        {"Rejon", "order by Rejon", "order by Rejon desc", {1, 2, 3, 0}},
        {"Powod", "order by Powod", "order by Powod desc", {2, 0, 3, 1}},
        {"Pozwany", "order by Pozwany asc", "order by Pozwany desc", {3, 2, 1, 0}},
        {"Adres", " order by Adres", " order by Adres desc", {1, 3, 0, 2}},
        {"Miejscowosc", " order by Miejscowosc", " order by Miejscowosc desc", {2, 3, 0, 1}},
        {"Rodzaj_Sprawy", " order by Rodzaj_Sprawy", " order by Rodzaj_Sprawy desc", {0, 2, 1, 3}},
        {"Sygnatura1", " order by Sygnatura1", " order by Sygnatura1 desc", {3, 1, 2, 0}},
        {"Sygnatura2", " order by Sygnatura2", " order by Sygnatura2 desc", {1, 0, 3, 2}},
        {"Sygnatura3", " order by Sygnatura3", " order by Sygnatura3 desc", {2, 1, 0, 3}},
        {"ZO", "order by ZOLp asc", "order by ZOLp desc", {0, 1, 2, 3}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        const int column = columnOf(QString::fromLatin1(c.field));
        ASSERT_GE(column, 0);
        QStringList ascending;
        for (int i : c.order)
            ascending << QString::fromLatin1(zo[i]);
        QStringList descending(ascending.rbegin(), ascending.rend());
        for (int click = 0; click < 3; ++click) {
            SCOPED_TRACE(click);
            const bool up = click != 1;
            const QString order = QString::fromUtf8(up ? c.ascending : c.descending);
            // The current case stays current through the reload.
            list().moveTo(click + 1);
            const QString before = currentZO();
            statements.clear();
            clickTitle(column);
            ASSERT_EQ(statements.size(), 1);
            EXPECT_EQ(statements.last(), statement(QString(), order));
            EXPECT_EQ(main->OrderText, order);
            EXPECT_EQ(main->SortAscending, up);
            EXPECT_EQ(shownZO(), up ? ascending : descending);
            EXPECT_EQ(currentZO(), before);
            EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 4"));
        }
    }
    // After a descending sort, another column starts ascending.
    clickTitle(columnOf(QStringLiteral("ZO")));
    EXPECT_EQ(main->OrderText, QStringLiteral("order by ZOLp desc"));
    clickTitle(columnOf(QStringLiteral("Powod")));
    EXPECT_EQ(main->OrderText, QStringLiteral("order by Powod"));
    EXPECT_TRUE(main->SortAscending);
    EXPECT_EQ(main->SortField, QStringLiteral("Powod"));
}

TEST_F(Register, FirstClickOnCaseNumberAfterStartSortsDescending)
{
    insertSortCases();
    main->LoadCaseList();
    const int zo = columnOf(QStringLiteral("ZO"));
    main->GridTitleClick(zo);
    EXPECT_EQ(statements.last(), statement(QString(), QStringLiteral("order by ZOLp desc")));
    EXPECT_EQ(shownZO(), (QStringList{"1/06", "7/05", "2/05", "1/99"}));
    main->GridTitleClick(zo);
    EXPECT_EQ(statements.last(), statement(QString(), QStringLiteral("order by ZOLp asc")));
    EXPECT_EQ(shownZO(), (QStringList{"1/99", "2/05", "7/05", "1/06"}));
}

TEST_F(Register, TitleMatchesItsFieldWithoutRegardToCase)
{
    insertSortCases();
    main->LoadCaseList();
    // Columns as the server names them.
    main->Grid->clearColumns();
    main->Grid->addColumn({QStringLiteral("REJON"), QStringLiteral("Rejon"), 50, Qt::AlignCenter});
    main->Grid->addColumn({QStringLiteral("rodzaj_sprawy"), QStringLiteral("Rodzaj sprawy"), 50, Qt::AlignCenter});
    main->GridTitleClick(0);
    EXPECT_EQ(main->OrderText, QStringLiteral("order by Rejon"));
    main->GridTitleClick(1);
    EXPECT_EQ(main->OrderText, QStringLiteral(" order by Rodzaj_Sprawy"));
    EXPECT_EQ(main->SortField, QStringLiteral("Rodzaj_Sprawy"));
}

TEST_F(Register, ViewCommandTable)
{
    insertViewCases();
    main->LoadCaseList();
    struct Case {
        QAction *TMain::*action;
        const char *where;
        const char *checks;
        const char *panel;
        QStringList shown;
    };
    const Case cases[] = {
        {&TMain::ActionWyswietlanieADM, "WHERE Rejon IS NOT NULL", "-x-", "Wyświetlanie: sprawy ADM", {"1/06", "3/06"}},
        {&TMain::ActionWyswietlanieInne, "WHERE Rejon IS NULL", "--x", "Wyświetlanie: sprawy inne",
         {"2/06", "4/06", "5/06"}},
        {&TMain::ActionWyswietlanieWszystkie, "", "x--", "Wyświetlanie: wszystkie sprawy",
         {"1/06", "2/06", "3/06", "4/06", "5/06"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.where);
        statements.clear();
        (main.get()->*c.action)->trigger();
        ASSERT_EQ(statements.size(), 1);
        EXPECT_EQ(statements.last(), statement(QString::fromLatin1(c.where), QStringLiteral("order by ZOLp")));
        EXPECT_EQ(main->WhereText, QString::fromLatin1(c.where));
        EXPECT_EQ(checks(), QString::fromLatin1(c.checks));
        EXPECT_EQ(panel(1), QString::fromUtf8(c.panel));
        EXPECT_EQ(shownZO(), c.shown);
        EXPECT_EQ(panel(2), QStringLiteral("Pozycji: ") + QString::number(c.shown.size()));
    }
}

TEST_F(Register, ViewChangeKeepsTheCurrentCaseOnlyWhenItBelongsToTheView)
{
    insertViewCases();
    main->LoadCaseList();
    makeCurrent(QStringLiteral("3/06"));   // an ADM case
    main->ActionWyswietlanieADM->trigger();
    EXPECT_EQ(currentZO(), QStringLiteral("3/06"));
    main->ActionWyswietlanieWszystkie->trigger();
    EXPECT_EQ(currentZO(), QStringLiteral("3/06"));
    makeCurrent(QStringLiteral("4/06"));   // another case
    main->ActionWyswietlanieADM->trigger();
    EXPECT_EQ(currentZO(), QStringLiteral("1/06"));
    EXPECT_EQ(list().currentRow(), 0);
    EXPECT_EQ(main->Grid->selectedRow(), 0);
}

TEST_F(Register, ViewsAndSortOrderAreIndependent)
{
    insertViewCases();
    main->LoadCaseList();
    const int zo = columnOf(QStringLiteral("ZO"));
    main->GridTitleClick(zo);   // descending
    main->ActionWyswietlanieInne->trigger();
    EXPECT_EQ(statements.last(), statement(QStringLiteral("WHERE Rejon IS NULL"), QStringLiteral("order by ZOLp desc")));
    EXPECT_EQ(shownZO(), (QStringList{"5/06", "4/06", "2/06"}));
    EXPECT_EQ(main->SortField, QStringLiteral("ZOLp"));
    EXPECT_FALSE(main->SortAscending);
    main->GridTitleClick(zo);   // ascending, still the other cases only
    EXPECT_EQ(statements.last(), statement(QStringLiteral("WHERE Rejon IS NULL"), QStringLiteral("order by ZOLp asc")));
    EXPECT_EQ(shownZO(), (QStringList{"2/06", "4/06", "5/06"}));
    EXPECT_EQ(checks(), QStringLiteral("--x"));
    EXPECT_EQ(panel(1), QStringLiteral("Wyświetlanie: sprawy inne"));
}

// The count describes the list as last loaded, whatever reloaded it.
TEST_F(Register, CountAfterEveryKindOfReload)
{
    const std::vector<std::pair<const char *, std::function<void()>>> reloads = {
        {"activation", [&] { activate(); }},
        {"LoadCaseList", [&] { main->LoadCaseList(); }},
        {"view ADM", [&] { main->ActionWyswietlanieADM->trigger(); }},
        {"view all", [&] { main->ActionWyswietlanieWszystkie->trigger(); }},
        {"title click", [&] { main->GridTitleClick(columnOf(QStringLiteral("Powod"))); }},
        {"new case", [&] {
             testsupport::withModal([&] { main->ActionNowa->trigger(); },
                                    [](QWidget *w) { static_cast<QDialog *>(w)->QDialog::done(QDialog::Accepted); });
         }},
    };
    for (int round = 0; round < 2; ++round) {
        // Round 0: an empty table; round 1: three cases, two of them ADM.
        if (round == 1) {
            for (const char *rejon : {"1", "2", ""}) {
                CaseRow r;
                r.rejon = QString::fromLatin1(rejon);
                insertCase(r);
            }
        }
        for (const auto &[name, reload] : reloads) {
            SCOPED_TRACE(testing::Message() << name << ", round " << round);
            main->SetStatusPanelText(2, QString());
            main->ActionWyswietlanieWszystkie->trigger();
            main->SetStatusPanelText(2, QString());
            reload();
            const bool adm = QByteArray(name) == "view ADM";
            EXPECT_EQ(panel(2), QStringLiteral("Pozycji: ") + QString::number(round == 0 ? 0 : (adm ? 2 : 3)));
            EXPECT_FALSE(ui::isBusyCursor());
        }
    }
}

TEST_F(Register, EmptyRegisterTakesAnEmptyCurrentCase)
{
    main->LoadCaseList();
    EXPECT_EQ(main->CurrentRowLp(), QString());
    main->ActionWyswietlanieADM->trigger();
    EXPECT_EQ(main->CurrentLp, QString());
    main->GridTitleClick(columnOf(QStringLiteral("Adres")));
    EXPECT_EQ(main->CurrentLp, QString());
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 0"));
    EXPECT_EQ(main->Grid->selectedRow(), -1);
}

// Where the text of a cell starts: centred in the cell narrowed by 5 pixels
// on each side, never left of or above that inner rectangle.
TEST(CellTextOrigin, Table)
{
    struct Case {
        QRect cell;
        int width, height;
        QPoint expected;
    };
    const Case cases[] = {
        {QRect(0, 0, 100, 20), 40, 14, QPoint(30, 3)},      // narrower: centred
        {QRect(0, 0, 100, 20), 41, 13, QPoint(29, 3)},      // odd remainders truncate
        {QRect(50, 40, 70, 20), 90, 14, QPoint(55, 43)},    // wider: starts at the left margin
        {QRect(50, 40, 70, 20), 60, 14, QPoint(55, 43)},    // exactly the inner width
        {QRect(50, 40, 70, 20), 59, 14, QPoint(55, 43)},    // (60 - 59) / 2 = 0
        {QRect(50, 40, 70, 20), 57, 14, QPoint(56, 43)},
        {QRect(0, 0, 100, 10), 20, 16, QPoint(40, 0)},      // taller than the cell
        {QRect(10, 10, 8, 20), 5, 14, QPoint(15, 13)},      // cell narrower than both margins
        {QRect(0, 0, 100, 20), 0, 0, QPoint(50, 10)},       // empty text
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " in " << c.cell.width() << "x"
                                        << c.cell.height());
        EXPECT_EQ(TMain::CellTextOrigin(c.cell, c.width, c.height), c.expected);
    }
}

TEST_F(Register, CellDrawingFillsTheCellAndMakesOnlyTheSelectedRowBold)
{
    struct Case {
        VelmoCellStates state;
        bool bold;
    };
    const Case cases[] = {
        {VelmoCellState::Selected, true},
        {VelmoCellState::Selected | VelmoCellState::Focused, true},
        {VelmoCellStates(), false},
        {VelmoCellState::Focused, false},
        {VelmoCellState::Selected | VelmoCellState::Fixed, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.state));
        QImage image(200, 30, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setBrush(QColor(0, 0, 128));
        p.setPen(Qt::white);
        p.setFont(main->Grid->font());
        VelmoDrawCellEvent e;
        e.painter = &p;
        e.rect = QRect(10, 5, 120, 20);
        e.row = 0;
        e.column = 2;
        e.columnDef = &main->Grid->column(2);
        e.text = QStringLiteral("Kowalski");
        e.state = c.state;
        main->GridDrawColumnCell(e);
        EXPECT_EQ(p.font().bold(), c.bold);
        EXPECT_EQ(p.font().pointSize(), 10);
        p.end();
        // The whole cell is filled, nothing outside it.
        EXPECT_EQ(image.pixelColor(10, 5), QColor(0, 0, 128));
        EXPECT_EQ(image.pixelColor(129, 24), QColor(0, 0, 128));
        EXPECT_EQ(image.pixelColor(9, 5), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(130, 24), QColor(Qt::white));
        // The text lies within the inner rectangle.
        bool inked = false;
        for (int x = 10; x < 130; ++x)
            for (int y = 5; y < 25; ++y)
                if (image.pixelColor(x, y) != QColor(0, 0, 128)) {
                    inked = true;
                    EXPECT_GE(x, 15);
                    EXPECT_LT(x, 125);
                }
        EXPECT_TRUE(inked);
    }
}

TEST_F(Register, LongTextIsCutAtTheRightMargin)
{
    QImage image(100, 30, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setBrush(Qt::white);
    p.setPen(Qt::black);
    VelmoDrawCellEvent e;
    e.painter = &p;
    e.rect = QRect(0, 0, 60, 20);
    e.text = QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWW");
    main->GridDrawColumnCell(e);
    p.end();
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 30; ++y)
            if (image.pixelColor(x, y) != QColor(Qt::white)) {
                EXPECT_GE(x, 5);
                EXPECT_LT(x, 55);
            }
    EXPECT_NE(image.pixelColor(5, 0), QColor(Qt::black));   // sanity: not everything inked
}

TEST_F(Register, GridDrawsThroughTheWindow)
{
    insertSortCases();
    main->show();
    testsupport::pump();
    main->LoadCaseList();
    EXPECT_FALSE(main->Grid->defaultDrawing());
    EXPECT_TRUE(bool(main->Grid->onDrawColumnCell));
    EXPECT_TRUE(main->Grid->indicator());
    EXPECT_FALSE(main->Grid->verticalHeader()->isHidden());
    EXPECT_TRUE(main->Grid->showGrid());
    EXPECT_EQ(main->Grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(main->Grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(main->Grid->font().pixelSize(), 16);
    EXPECT_EQ(main->Grid->titleFont().pixelSize(), 15);
    EXPECT_TRUE(main->Grid->titleFont().bold());
}

TEST_F(Register, ColumnsAsDefined)
{
    const struct {
        const char *field;
        const char *title;
        int width;
    } expected[] = {
        {"ZO", "ZO", 70},
        {"Rejon", "Rejon", 50},
        {"Powod", "Powód", 210},
        {"Pozwany", "Pozwany", 210},
        {"Adres", "Adres", 150},
        {"Miejscowosc", "Miejscowość", 100},
        {"Rodzaj_Sprawy", "Rodzaj sprawy", 140},
        {"Sygnatura1", "Sygnatura 1", 100},
        {"Sygnatura2", "Sygnatura 2", 100},
        {"Sygnatura3", "Sygnatura 3", 100},
    };
    ASSERT_EQ(main->Grid->columnCount(), 10);
    insertSortCases();
    main->LoadCaseList();   // the widths survive the first load
    for (int c = 0; c < 10; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(main->Grid->column(c).field, QString::fromLatin1(expected[c].field));
        EXPECT_EQ(main->Grid->model()->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(expected[c].title));
        EXPECT_EQ(main->Grid->column(c).titleAlignment, Qt::AlignCenter);
        EXPECT_EQ(main->Grid->columnWidth(c), expected[c].width);
    }
}

TEST_F(Register, WheelOverTheGridMovesOneRowPerNotch)
{
    insertSortCases();
    main->show();
    testsupport::pump();
    main->LoadCaseList();
    QWidget *viewport = main->Grid->viewport();
    const QPoint at = viewport->rect().center();
    auto wheel = [&](int delta) {
        QWheelEvent e(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &e);
    };
    wheel(-120);
    EXPECT_EQ(list().currentRow(), 1);
    wheel(-360);
    EXPECT_EQ(list().currentRow(), 3);
    wheel(240);
    EXPECT_EQ(list().currentRow(), 1);
}

TEST_F(Register, DoubleClickOnACellRunsDetailsOnATitleOnlySorts)
{
    insertSortCases();
    main->show();
    testsupport::pump();
    main->LoadCaseList();
    QSignalSpy details(main->ActionSzczegoly, &QAction::triggered);
    VelmoGrid *grid = main->Grid;

    const QPoint cell = grid->visualRect(grid->model()->index(2, 3)).center();
    doubleClick(grid->viewport(), cell);
    EXPECT_EQ(details.count(), 1);
    EXPECT_EQ(list().currentRow(), 2);
    EXPECT_TRUE(main->CellClicked);

    statements.clear();
    QHeaderView *h = grid->horizontalHeader();
    const int powod = columnOf(QStringLiteral("Powod"));
    doubleClick(h->viewport(), QPoint(h->sectionViewportPosition(powod) + 30, h->height() / 2));
    EXPECT_EQ(details.count(), 1);
    EXPECT_FALSE(main->CellClicked);
    EXPECT_EQ(statements.size(), 1);   // sorted once
    EXPECT_EQ(main->OrderText, QStringLiteral("order by Powod"));

    // A press anywhere clears the flag; only a release on a cell sets it.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_TRUE(main->CellClicked);
    QTest::mousePress(h->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(main->CellClicked);
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(Register, DetailsRefuseAnEmptyList)
{
    main->LoadCaseList();
    Messages::expect();
    main->ActionSzczegoly->trigger();
    ASSERT_EQ(Messages::seen().size(), 1u);
    EXPECT_EQ(Messages::last().text, QStringLiteral("Brak spraw w tabeli"));
    EXPECT_EQ(Messages::last().caption, QStringLiteral("Uwaga"));
    EXPECT_EQ(Messages::last().icon, ui::Icon::Warning);
    EXPECT_FALSE(ui::isBusyCursor());
}

TEST_F(Register, ActivationReloadsOnlyWhileReloadOnActivateIsSet)
{
    insertCase({});
    activate();
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 1"));
    insertCase({});
    activate();
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 2"));
    EXPECT_FALSE(ui::isBusyCursor());

    main->ReloadOnActivate = false;
    insertCase({});
    statements.clear();
    activate();
    EXPECT_TRUE(statements.isEmpty());
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 2"));
    EXPECT_FALSE(ui::isBusyCursor());
}

TEST_F(Register, ActivationDuringALoadStartsNoSecondLoad)
{
    insertSortCases();
    QCoreApplication::postEvent(main.get(), new QEvent(QEvent::WindowActivate));
    main->LoadCaseList();   // its round of event processing delivers the activation
    testsupport::pump();
    EXPECT_EQ(statements.size(), 1);
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 4"));
}

TEST_F(Register, ShownWindowLoadsOnItsFirstActivation)
{
    insertSortCases();
    main->show();
    main->activateWindow();
    for (int i = 0; i < 200 && !list().isOpen(); ++i)
        testsupport::pump(10);
    ASSERT_TRUE(list().isOpen());
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 4"));
}

// An error while loading reaches the standard error display and the window
// stays usable.
TEST_F(Register, LoadErrorReachesTheErrorDisplayAndTheWindowStaysUsable)
{
    insertViewCases();
    main->LoadCaseList();
    main->WhereText = QStringLiteral("WHERE Nieznana = 1");
    Messages::expect();
    main->Grid->titleClick(columnOf(QStringLiteral("Adres")));
    ASSERT_EQ(Messages::seen().size(), 1u);
    EXPECT_EQ(Messages::last().icon, ui::Icon::Error);
    EXPECT_TRUE(Messages::last().text.contains(QStringLiteral("NIEZNANA"), Qt::CaseInsensitive))
        << Messages::last().text.toStdString();
    EXPECT_FALSE(ui::isBusyCursor());

    // The next command works.
    main->ActionWyswietlanieADM->trigger();
    EXPECT_EQ(shownZO(), (QStringList{"1/06", "3/06"}));
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 2"));
}

TEST_F(Register, FailedReloadOnActivationIsNotRetriedWhenTheErrorBoxGivesTheWindowBack)
{
    main->WhereText = QStringLiteral("WHERE Nieznana = 1");
    Messages::expect();
    activate();
    EXPECT_EQ(Messages::seen().size(), 1u);
    activate();   // the error box closing
    EXPECT_EQ(Messages::seen().size(), 1u);
    Messages::expect();
    activate();   // the user comes back later: tried again
    EXPECT_EQ(Messages::seen().size(), 2u);
    main->WhereText.clear();
    main->RebuildSql = true;
    activate();   // the error box closing
    activate();
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 0"));
    EXPECT_EQ(Messages::seen().size(), 2u);
}

// The hourglass stays on from the start of a load to its end, even when an
// activation waiting in the queue gets through the load's one round of events.
TEST_F(Register, BusyCursorLastsThroughTheWholeLoad)
{
    for (int i = 1; i <= 3; ++i)
        insertCase({.zo = QStringLiteral("%1/06").arg(i)});
    std::vector<bool> busyWhileFetching;
    QObject::connect(DM->Sprawy, &sql::Query::rowsFetched, [&](int, int) { busyWhileFetching.push_back(ui::isBusyCursor()); });
    QCoreApplication::postEvent(main.get(), new QEvent(QEvent::WindowActivate));
    main->LoadCaseList();
    ASSERT_FALSE(busyWhileFetching.empty());
    for (bool busy : busyWhileFetching)
        EXPECT_TRUE(busy);
    EXPECT_FALSE(ui::isBusyCursor());
}

TEST_F(Register, NewCaseAcceptedBecomesCurrentAfterTheReload)
{
    insertViewCases();
    main->ActionWyswietlanieADM->trigger();
    makeCurrent(QStringLiteral("3/06"));
    QString lp;
    testsupport::withModal([&] { main->ActionNowa->trigger(); },
                           [&](QWidget *w) {
                               auto *nowa = qobject_cast<TNowa *>(w);
                               ASSERT_NE(nowa, nullptr);
                               EXPECT_EQ(Nowa, nowa);
                               EXPECT_EQ(nowa->parentWidget(), main.get());
                               EXPECT_EQ(main->CurrentLp, QStringLiteral("3"));
                               EXPECT_FALSE(ui::isBusyCursor());
                               CaseRow r;
                               r.zo = QStringLiteral("2/05");
                               r.rejon = QStringLiteral("9");
                               lp = insertCase(r);
                               nowa->NewCaseLp = lp;
                               nowa->QDialog::done(QDialog::Accepted);
                           });
    EXPECT_EQ(Nowa, nullptr);
    EXPECT_EQ(main->CurrentLp, lp);
    EXPECT_EQ(currentZO(), QStringLiteral("2/05"));
    EXPECT_EQ(shownZO(), (QStringList{"2/05", "1/06", "3/06"}));
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 3"));
    EXPECT_FALSE(ui::isBusyCursor());

    // A new case outside the view: the first row is current.
    testsupport::withModal([&] { main->ActionNowa->trigger(); },
                           [&](QWidget *w) {
                               CaseRow r;
                               r.zo = QStringLiteral("1/01");
                               static_cast<TNowa *>(w)->NewCaseLp = insertCase(r);
                               static_cast<QDialog *>(w)->QDialog::done(QDialog::Accepted);
                           });
    EXPECT_EQ(list().currentRow(), 0);
    EXPECT_EQ(currentZO(), QStringLiteral("2/05"));
    EXPECT_EQ(panel(2), QStringLiteral("Pozycji: 3"));
}

TEST_F(Register, NewCaseCancelledDoesNotReload)
{
    insertViewCases();
    main->LoadCaseList();
    statements.clear();
    testsupport::withModal([&] { main->ActionNowa->trigger(); },
                           [&](QWidget *w) { static_cast<QDialog *>(w)->QDialog::done(QDialog::Rejected); });
    EXPECT_EQ(Nowa, nullptr);
    EXPECT_EQ(main->CurrentLp, QString());   // no key allocated
    EXPECT_TRUE(statements.isEmpty()) << statements.join(QStringLiteral("\n----\n")).toStdString();
    EXPECT_FALSE(ui::isBusyCursor());
}

namespace {
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};
} // namespace

TEST_F(Register, AboutWindowIsModalOnTopAndGoneAfterwards)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    testsupport::withModal([&] { main->ActionInformacje->trigger(); },
                           [&](QWidget *w) {
                               auto *about = qobject_cast<TInformacje *>(w);
                               ASSERT_NE(about, nullptr);
                               EXPECT_EQ(Informacje, about);
                               EXPECT_EQ(about->parentWidget(), main.get());
                               EXPECT_TRUE(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
                               EXPECT_TRUE(about->isModal());
                               EXPECT_FALSE(ui::isBusyCursor());
                               EXPECT_EQ(about->lbNazwa->text(), QStringLiteral("Wokandor"));
                               EXPECT_TRUE(about->lbWersja->text().contains(QStringLiteral(WOKANDOR_VERSION)));
                               EXPECT_TRUE(about->lbStrona->text().contains(QStringLiteral("href=\"https://www.example.pl\"")));
                               EXPECT_TRUE(about->lbEmail->text().contains(QStringLiteral("href=\"mailto:biuro@example.pl\"")));
                               emit about->lbStrona->linkActivated(TInformacje::WebPage().toString());
                               emit about->lbEmail->linkActivated(TInformacje::Mail().toString());
                               about->btnOK->click();
                           });
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    EXPECT_EQ(Informacje, nullptr);
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0].scheme(), QStringLiteral("https"));
    EXPECT_EQ(catcher.urls[1], QUrl(QStringLiteral("mailto:biuro@example.pl")));
}

TEST_F(Register, MenuToolBarAndStatusBarAsDefined)
{
    auto shortcut = [](QAction *a) { return a->shortcut().toString(QKeySequence::PortableText); };
    // Menu titles with their access keys.
    QStringList titles;
    for (QAction *a : main->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&Sprawy", "&Wyszukiwanie", "&Baza", "&Inne"}));
    EXPECT_EQ(main->MenuWyswietl->menuAction()->text(), QStringLiteral("W&yświetl"));

    struct Item {
        QAction *TMain::*item;
        const char *caption;
        QAction *TMain::*command;
        const char *commandShortcut;
        const char *menuShortcut;
    };
    const Item items[] = {
        {&TMain::miWydrukListySpraw, "Wydruk &listy spraw", &TMain::ActionRaport1ListaSpraw, "", ""},
        {&TMain::miNowaSprawa, "&Nowa sprawa", &TMain::ActionNowa, "Ctrl+N", "Ctrl+N"},
        {&TMain::miSzczegoly, "Szczegóły", &TMain::ActionSzczegoly, "Ctrl+S", "Ctrl+S"},
        {&TMain::miWyszukaj, "Wy&szukaj", &TMain::ActionWyszukaj, "", "Ctrl+W"},
        {&TMain::miFiltruj, "&Filtruj", &TMain::ActionFiltruj, "Ctrl+F", "Ctrl+F"},
        {&TMain::miWroc, "W&róć", &TMain::ActionKoniecFiltrowania, "Ctrl+K", "Ctrl+K"},
        {&TMain::miWszystkieSprawy, "Ws&zystkie sprawy", &TMain::ActionWyswietlanieWszystkie, "F1", "F1"},
        {&TMain::miSprawyADM, "Sprawy &ADM", &TMain::ActionWyswietlanieADM, "F2", "F2"},
        {&TMain::miSprawyInne, "Sprawy &Inne", &TMain::ActionWyswietlanieInne, "F3", "F3"},
        {&TMain::miEksportBazy, "&Eksport bazy", &TMain::ActionEksportBazy, "Ctrl+E", "Ctrl+E"},
        {&TMain::miImportBazy, "I&mport bazy", &TMain::ActionImportBazy, "Ctrl+R", "Ctrl+R"},
        {&TMain::miInformacje, "I&nformacje", &TMain::ActionInformacje, "Ctrl+I", "Ctrl+I"},
        {&TMain::miZakoncz, "&Zakończ", &TMain::ActionZakoncz, "Ctrl+X", "Ctrl+X"},
    };
    for (const Item &i : items) {
        QAction *item = main.get()->*i.item;
        QAction *command = main.get()->*i.command;
        SCOPED_TRACE(i.caption);
        EXPECT_EQ(item->text().section(QLatin1Char('\t'), 0, 0), QString::fromUtf8(i.caption));
        EXPECT_EQ(shortcut(command), QString::fromLatin1(i.commandShortcut));
        // What the menu shows beside the caption: the item's own shortcut, or
        // the command's after a tab.
        const QString shown = item->shortcut().isEmpty() ? item->text().section(QLatin1Char('\t'), 1) : shortcut(item);
        EXPECT_EQ(shown, QString::fromLatin1(i.menuShortcut));
        EXPECT_EQ(item->shortcut().isEmpty(), command != main->ActionWyszukaj);
        // The item only runs its command.
        QSignalSpy ran(command, &QAction::triggered);
        if (command != main->ActionZakoncz && command != main->ActionInformacje && command != main->ActionNowa) {
            if (command == main->ActionSzczegoly)
                Messages::expect();
            if (command->isEnabled())
                item->trigger();
            EXPECT_EQ(ran.count(), command->isEnabled() ? 1 : 0);
        }
        EXPECT_EQ(item->isEnabled(), command->isEnabled());
    }
    EXPECT_FALSE(main->ActionKoniecFiltrowania->isEnabled());
    EXPECT_FALSE(main->miWroc->isEnabled());
    main->ActionKoniecFiltrowania->setEnabled(true);
    EXPECT_TRUE(main->miWroc->isEnabled());
    EXPECT_TRUE(main->ToolButtons[6]->isEnabled());
    main->ActionKoniecFiltrowania->setEnabled(false);
    EXPECT_FALSE(main->ToolButtons[6]->isEnabled());

    // The order of the items in their menus.
    auto texts = [](QMenu *m) {
        QStringList s;
        for (QAction *a : m->actions())
            s << (a->isSeparator() ? QStringLiteral("-") : a->text().section(QLatin1Char('\t'), 0, 0));
        return s;
    };
    EXPECT_EQ(texts(main->MenuSprawy), (QStringList{"Wydruk &listy spraw", "-", "&Nowa sprawa", "Szczegóły"}));
    EXPECT_EQ(texts(main->MenuWyszukiwanie), (QStringList{"Wy&szukaj", "&Filtruj", "W&róć", "W&yświetl"}));
    EXPECT_EQ(texts(main->MenuWyswietl), (QStringList{"Ws&zystkie sprawy", "Sprawy &ADM", "Sprawy &Inne"}));
    EXPECT_EQ(texts(main->MenuBaza), (QStringList{"&Eksport bazy", "I&mport bazy"}));
    EXPECT_EQ(texts(main->MenuInne), (QStringList{"I&nformacje", "-", "&Zakończ"}));

    // Tool bar: seven buttons, 75 x 22, each running its command.
    const char *captions[] = {"Zakończ", "Wydruk", "Nowa sprawa", "Szczegóły", "Wyszukaj", "Filtruj", "Wróć"};
    QAction *commands[] = {main->ActionZakoncz, main->ActionRaport1ListaSpraw, main->ActionNowa, main->ActionSzczegoly,
                           main->ActionWyszukaj, main->ActionFiltruj, main->ActionKoniecFiltrowania};
    EXPECT_EQ(main->ToolBar->maximumHeight(), 29);
    for (int b = 0; b < 7; ++b) {
        SCOPED_TRACE(captions[b]);
        EXPECT_EQ(main->ToolButtons[size_t(b)]->text(), QString::fromUtf8(captions[b]));
        EXPECT_EQ(main->ToolButtons[size_t(b)]->size(), QSize(75, 22));
        if (b == 1 || b == 4 || b == 5) {
            QSignalSpy ran(commands[b], &QAction::triggered);
            main->ToolButtons[size_t(b)]->click();
            EXPECT_EQ(ran.count(), 1);
        }
    }

    // Status bar and window.
    EXPECT_EQ(main->statusBar()->maximumHeight(), 21);
    EXPECT_EQ(main->statusBar()->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(main->statusBar()->font().pixelSize(), 13);
    EXPECT_TRUE(main->statusBar()->font().bold());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Wokandor"));
    EXPECT_EQ(main->size(), QSize(737, 546));
    EXPECT_EQ(main->Navigator->maximumHeight(), 25);
}

// The keys reach their commands, each exactly once.
TEST_F(Register, ShortcutsRunTheirCommands)
{
    insertViewCases();
    main->show();
    ASSERT_TRUE(activeForKeys());
    struct Case {
        QKeyCombination key;
        QAction *TMain::*command;
        int runs;
    };
    const Case cases[] = {
        {Qt::Key_F2, &TMain::ActionWyswietlanieADM, 1},
        {Qt::Key_F3, &TMain::ActionWyswietlanieInne, 1},
        {Qt::Key_F1, &TMain::ActionWyswietlanieWszystkie, 1},
        {Qt::CTRL | Qt::Key_W, &TMain::ActionWyszukaj, 1},
        {Qt::CTRL | Qt::Key_F, &TMain::ActionFiltruj, 1},
        {Qt::CTRL | Qt::Key_K, &TMain::ActionKoniecFiltrowania, 0},   // disabled
        {Qt::CTRL | Qt::Key_S, &TMain::ActionSzczegoly, 1},
        {Qt::CTRL | Qt::Key_E, &TMain::ActionEksportBazy, 1},
        {Qt::CTRL | Qt::Key_R, &TMain::ActionImportBazy, 1},
    };
    // With the focus in the grid, and in the menu bar (as after Alt).
    for (QWidget *focus : {static_cast<QWidget *>(main->Grid), static_cast<QWidget *>(main->menuBar())}) {
        focus->setFocus();
        for (const Case &c : cases) {
            SCOPED_TRACE(QKeySequence(c.key).toString().toStdString() + " in " + focus->metaObject()->className());
            QSignalSpy ran(main.get()->*c.command, &QAction::triggered);
            QTest::keyClick(focus, c.key.key(), c.key.keyboardModifiers());
            EXPECT_EQ(ran.count(), c.runs);
        }
    }
    EXPECT_EQ(panel(1), QStringLiteral("Wyświetlanie: wszystkie sprawy"));

    // Ctrl+I opens the about window, Ctrl+N the new-case window.
    testsupport::withModal([&] { QTest::keyClick(main->Grid, Qt::Key_I, Qt::ControlModifier); },
                           [](QWidget *w) {
                               EXPECT_NE(qobject_cast<TInformacje *>(w), nullptr);
                               static_cast<QDialog *>(w)->reject();
                           });
    ASSERT_TRUE(activeForKeys());
    testsupport::withModal([&] { QTest::keyClick(main->Grid, Qt::Key_N, Qt::ControlModifier); },
                           [](QWidget *w) {
                               EXPECT_NE(qobject_cast<TNowa *>(w), nullptr);
                               static_cast<QDialog *>(w)->QDialog::done(QDialog::Rejected);
                           });
}

TEST_F(Register, EndClosesTheWindow)
{
    main->show();
    testsupport::pump();
    ASSERT_TRUE(main->isVisible());
    main->ActionZakoncz->trigger();
    EXPECT_FALSE(main->isVisible());
}

#include "frmmain_test.moc"
