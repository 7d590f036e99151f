#include "widgets/Velmogrid.h"

#include "app/Datamodule.h"
#include "platform/sql/sql.h"

#include "support/dbfixture.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

using testsupport::DbTest;

namespace {

// Failures the model tester reports as warnings of its logging category.
int modelTestFailures = 0;
QtMessageHandler previousHandler = nullptr;
void modelTestHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QByteArray(context.category) == "qt.modeltest" && type != QtDebugMsg) {
        ++modelTestFailures;
        ADD_FAILURE() << "model tester: " << message.toStdString();
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

// A grid with three columns over DM->Query, which reads the cases ordered by Lp.
class GridOnQuery : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        dataSource = std::make_unique<sql::DataSource>(DM->Query);
        grid = std::make_unique<VelmoGrid>();
        grid->addColumn({QStringLiteral("ZO"), QStringLiteral("ZO"), 70, Qt::AlignCenter});
        grid->addColumn({QStringLiteral("Powod"), QStringLiteral("Powód"), 120, Qt::AlignCenter});
        grid->addColumn({QStringLiteral("Miejscowosc"), QStringLiteral("Miejscowość"), 90, Qt::AlignLeft});
        grid->setDataSource(dataSource.get());
        grid->resize(400, 300);
    }
    void TearDown() override
    {
        grid.reset();
        dataSource.reset();
        DbTest::TearDown();
    }

    sql::Query &q() { return *DM->Query; }

    void insertCases(int n)
    {
        for (int i = 1; i <= n; ++i) {
            CaseRow row;
            row.lp = QString::number(i);
            row.zo = QStringLiteral("%1/06").arg(i);
            row.powod = QStringLiteral("Powód %1").arg(i);
            insertCase(row);
        }
    }
    void open()
    {
        DM->CloseQuery(&q());
        q().setSql({QStringLiteral("select Lp, ZO, Powod, Miejscowosc from Sprawy order by Lp")});
        q().open();
        q().fetchAll();
    }
    QPoint cellCentre(int row, int column)
    {
        return grid->visualRect(grid->model()->index(row, column)).center();
    }

    std::unique_ptr<sql::DataSource> dataSource;
    std::unique_ptr<VelmoGrid> grid;
};

} // namespace

TEST_F(GridOnQuery, ModelPassesTheModelTesterThroughOpenFetchMoveAndClose)
{
    insertCases(30);
    modelTestFailures = 0;
    previousHandler = qInstallMessageHandler(modelTestHandler);
    {
        QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
        // Open fetches the first row only; fetchAll appends the rest.
        DM->CloseQuery(&q());
        q().setSql({QStringLiteral("select Lp, ZO, Powod, Miejscowosc from Sprawy order by Lp")});
        q().open();
        EXPECT_EQ(grid->model()->rowCount(), 1);
        q().fetchAll();
        EXPECT_EQ(grid->model()->rowCount(), 30);
        q().moveTo(12);
        q().last();
        q().close();
        EXPECT_EQ(grid->model()->rowCount(), 0);
        open();
        grid->clearColumns();
        grid->addColumn({QStringLiteral("ZO"), QStringLiteral("ZO"), 70, Qt::AlignCenter});
        grid->setDataSource(nullptr);
        grid->setDataSource(dataSource.get());
    }
    qInstallMessageHandler(previousHandler);
    EXPECT_EQ(modelTestFailures, 0);
}

TEST_F(GridOnQuery, CellsTitlesAndIndicatorComeFromTheQuery)
{
    insertCases(3);
    open();
    QAbstractItemModel *m = grid->model();
    ASSERT_EQ(m->rowCount(), 3);
    ASSERT_EQ(m->columnCount(), 3);
    EXPECT_EQ(m->index(1, 0).data().toString(), QStringLiteral("2/06"));
    EXPECT_EQ(m->index(2, 1).data().toString(), QStringLiteral("Powód 3"));
    EXPECT_EQ(m->index(0, 2).data().toString(), QStringLiteral("Gdańsk"));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Powód"));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft));
    // A column whose field the result lacks stays empty.
    grid->addColumn({QStringLiteral("Brak"), QStringLiteral("Brak"), 40, Qt::AlignCenter});
    EXPECT_EQ(m->index(0, 3).data().toString(), QString());

    // The marker follows the current record.
    const QString mark = QStringLiteral("\u25B6");
    EXPECT_EQ(m->headerData(0, Qt::Vertical).toString(), mark);
    q().moveTo(2);
    EXPECT_EQ(m->headerData(0, Qt::Vertical).toString(), QString());
    EXPECT_EQ(m->headerData(2, Qt::Vertical).toString(), mark);
    grid->setIndicator(false);
    EXPECT_TRUE(grid->verticalHeader()->isHidden());
}

TEST_F(GridOnQuery, CurrentRowFollowsTheQueryBothWays)
{
    insertCases(40);
    open();
    grid->show();
    testsupport::pump();
    EXPECT_EQ(grid->selectedRow(), 0);

    // The query moves: the selection follows and stays in view.
    q().moveTo(35);
    EXPECT_EQ(grid->selectedRow(), 35);
    EXPECT_TRUE(grid->viewport()->rect().intersects(grid->visualRect(grid->model()->index(35, 0))));
    q().prior();
    EXPECT_EQ(grid->selectedRow(), 34);
    q().first();
    EXPECT_EQ(grid->selectedRow(), 0);

    // A click on a row moves the query.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(3, 1));
    EXPECT_EQ(q().currentRow(), 3);
    EXPECT_EQ(q().fieldText(QStringLiteral("ZO")), QStringLiteral("4/06"));
    // So do the keys.
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(q().currentRow(), 4);

    // Closing the query leaves nothing selected; reopening selects the first row.
    q().close();
    EXPECT_EQ(grid->selectedRow(), -1);
    open();
    EXPECT_EQ(grid->selectedRow(), 0);
}

TEST_F(GridOnQuery, SelectedRowKeepsTheActiveHighlightWithoutFocus)
{
    const QPalette p = grid->palette();
    EXPECT_EQ(p.color(QPalette::Inactive, QPalette::Highlight), p.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(p.color(QPalette::Inactive, QPalette::HighlightedText),
              p.color(QPalette::Active, QPalette::HighlightedText));
}

TEST_F(GridOnQuery, ColumnWidthsSurviveAReopen)
{
    insertCases(3);
    open();
    EXPECT_EQ(grid->columnWidth(0), 70);
    EXPECT_EQ(grid->columnWidth(1), 120);
    grid->setColumnWidth(1, 155);   // as the user drags the title's edge
    open();
    EXPECT_EQ(grid->columnWidth(0), 70);
    EXPECT_EQ(grid->columnWidth(1), 155);
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
}

TEST_F(GridOnQuery, OwnerDrawsEveryDataCellWithPreparedColours)
{
    insertCases(3);
    open();
    q().moveTo(1);
    struct Seen {
        int row, column;
        QString text;
        VelmoCellStates state;
        QColor brush, pen;
        QString field;
    };
    std::vector<Seen> seen;
    grid->setDefaultDrawing(false);
    grid->onDrawColumnCell = [&](VelmoDrawCellEvent &e) {
        seen.push_back({e.row, e.column, e.text, e.state, e.painter->brush().color(), e.painter->pen().color(),
                        e.columnDef->field});
        e.painter->fillRect(e.rect, e.painter->brush());
    };
    grid->show();
    grid->grab();
    ASSERT_FALSE(seen.empty());
    const QPalette p = grid->palette();
    bool sawSelected = false, sawPlain = false;
    for (const Seen &s : seen) {
        SCOPED_TRACE(s.row);
        EXPECT_EQ(s.text, grid->model()->index(s.row, s.column).data().toString());
        EXPECT_EQ(s.field, grid->column(s.column).field);
        if (s.row == 1) {
            sawSelected = true;
            EXPECT_TRUE(s.state.testFlag(VelmoCellState::Selected));
            EXPECT_EQ(s.brush, p.color(QPalette::Active, QPalette::Highlight));
            EXPECT_EQ(s.pen, p.color(QPalette::Active, QPalette::HighlightedText));
        } else {
            sawPlain = true;
            EXPECT_FALSE(s.state.testFlag(VelmoCellState::Selected));
            EXPECT_EQ(s.brush, p.color(QPalette::Active, QPalette::Base));
            EXPECT_EQ(s.pen, p.color(QPalette::Active, QPalette::Text));
        }
        EXPECT_FALSE(s.state.testFlag(VelmoCellState::Fixed));
    }
    EXPECT_TRUE(sawSelected);
    EXPECT_TRUE(sawPlain);
}

// The shared wheel rule: one record per notch, never past either end.
TEST_F(GridOnQuery, WheelRuleTable)
{
    insertCases(5);
    struct Case {
        int start;      // -1: as the query opened (at the first row)
        int delta;
        int expected;
    };
    const Case cases[] = {
        {2, 120, 1},  {3, 360, 0},  {2, 60, 2},   {2, -120, 3}, {2, -60, 2},  {2, -119, 2},
        {1, -360, 4}, {3, -480, 4}, {3, 480, 0},  {0, 120, 0},  {-1, 120, 0}, {4, -120, 4},
        {4, 240, 2},  {-1, -240, 2}, {2, 0, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "start " << c.start << ", delta " << c.delta);
        open();
        if (c.start >= 0)
            q().moveTo(c.start);
        VelmoWheelEvent e;
        e.delta = c.delta;
        VelmoGridWheel(grid.get(), e);
        EXPECT_TRUE(e.handled);
        EXPECT_EQ(q().currentRow(), c.expected);
        EXPECT_EQ(grid->selectedRow(), c.expected);
    }

    // An empty list and a closed query: nothing moves, and still handled.
    DM->CloseQuery(&q());
    q().setSql({QStringLiteral("select Lp, ZO, Powod, Miejscowosc from Sprawy where Lp < 0")});
    q().open();
    for (int delta : {120, -120, 360}) {
        VelmoWheelEvent e;
        e.delta = delta;
        VelmoGridWheel(grid.get(), e);
        EXPECT_TRUE(e.handled);
        EXPECT_EQ(q().currentRow(), -1);
    }
    q().close();
    VelmoWheelEvent e;
    e.delta = -120;
    VelmoGridWheel(grid.get(), e);
    EXPECT_TRUE(e.handled);
}

TEST_F(GridOnQuery, WheelEventGoesToTheOwnerAndStopsTheGridsOwnScrolling)
{
    insertCases(60);
    open();
    grid->show();
    testsupport::pump();
    q().moveTo(30);
    grid->scrollTo(grid->model()->index(30, 0), QAbstractItemView::PositionAtCenter);
    const int scrolled = grid->verticalScrollBar()->value();
    std::vector<VelmoWheelEvent> seen;
    grid->onMouseWheel = [&](VelmoWheelEvent &e) {
        seen.push_back(e);
        VelmoGridWheel(grid.get(), e);
    };
    const QPoint at = cellCentre(30, 1);
    QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &wheel);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].delta, -120);
    EXPECT_EQ(seen[0].shift, Qt::ShiftModifier);
    EXPECT_FALSE(seen[0].handled);
    EXPECT_EQ(q().currentRow(), 31);
    EXPECT_EQ(grid->verticalScrollBar()->value(), scrolled);

    // A handler that leaves the event unhandled lets the grid scroll itself.
    grid->onMouseWheel = [&](VelmoWheelEvent &) {};
    q().moveTo(0);
    grid->scrollToTop();
    QWheelEvent down(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -360), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &down);
    EXPECT_GT(grid->verticalScrollBar()->value(), 0);
    EXPECT_EQ(q().currentRow(), 0);
}

// Presses, releases and double clicks on titles and cells, as a user makes them.
TEST_F(GridOnQuery, MouseEventsOnTitlesAndCells)
{
    insertCases(5);
    open();
    grid->show();
    testsupport::pump();
    QSignalSpy titles(grid.get(), &VelmoGrid::titleClick);
    QSignalSpy cells(grid.get(), &VelmoGrid::cellClick);
    QSignalSpy downs(grid.get(), &VelmoGrid::mouseDown);
    QSignalSpy doubles(grid.get(), &VelmoGrid::dblClick);
    QHeaderView *header = grid->horizontalHeader();
    const QPoint title(header->sectionViewportPosition(1) + 20, header->height() / 2);

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles[0][0].toInt(), 1);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(cells.count(), 0);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(2, 2));
    ASSERT_EQ(cells.count(), 1);
    EXPECT_EQ(cells[0][0].toInt(), 2);
    EXPECT_EQ(downs.count(), 2);
    EXPECT_EQ(titles.count(), 1);

    // A double click on a title: one title click, one double click.
    titles.clear();
    downs.clear();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, title);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(titles.count(), 1);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(downs.count(), 1);

    // On a cell.
    cells.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(3, 0));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(3, 0));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cellCentre(3, 0));
    EXPECT_EQ(doubles.count(), 2);
    EXPECT_GE(cells.count(), 1);
    EXPECT_EQ(q().currentRow(), 3);

    // Below the last row there is no cell to click.
    cells.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(10, grid->viewport()->height() - 3));
    EXPECT_EQ(cells.count(), 0);
}

TEST_F(GridOnQuery, NavigatorMovesTheRecordAndKnowsTheEnds)
{
    VelmoNavigator nav;
    nav.setDataSource(dataSource.get());
    auto enabled = [&] {
        QString s;
        for (auto b : {VelmoNavigator::First, VelmoNavigator::Prior, VelmoNavigator::Next, VelmoNavigator::Last})
            s += nav.button(b)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    };
    EXPECT_EQ(enabled(), QStringLiteral("0000"));   // nothing open

    insertCases(4);
    open();
    EXPECT_EQ(enabled(), QStringLiteral("0011"));
    nav.button(VelmoNavigator::Next)->click();
    EXPECT_EQ(q().currentRow(), 1);
    EXPECT_EQ(grid->selectedRow(), 1);
    EXPECT_EQ(enabled(), QStringLiteral("1111"));
    nav.button(VelmoNavigator::Last)->click();
    EXPECT_EQ(q().currentRow(), 3);
    EXPECT_EQ(enabled(), QStringLiteral("1100"));
    nav.button(VelmoNavigator::Prior)->click();
    EXPECT_EQ(q().currentRow(), 2);
    nav.button(VelmoNavigator::First)->click();
    EXPECT_EQ(q().currentRow(), 0);
    EXPECT_EQ(grid->selectedRow(), 0);

    DM->CloseQuery(&q());
    q().setSql({QStringLiteral("select Lp, ZO from Sprawy where Lp < 0")});
    q().open();
    EXPECT_EQ(enabled(), QStringLiteral("0000"));
    nav.move(VelmoNavigator::Next);   // nothing to move to, and no error
    EXPECT_EQ(q().currentRow(), -1);
}

TEST_F(GridOnQuery, ADataSourceThatGoesAwayLeavesAnEmptyGrid)
{
    insertCases(3);
    open();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    dataSource.reset();
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_EQ(grid->dataSource(), nullptr);
    grid->grab();   // paints without touching the query
}
