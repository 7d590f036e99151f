// The hearing-date and file-history dialogs: the date picker over the date
// cells, Enter navigation, the note limit, the count field and OK. The cost
// and fee dialogs share the picker; their own rules are in amountdialog_test.

#include "dialogkeys.h"

#include "newcase/Entrygrid.h"
#include "newcase/Frmhistoriadodaj.h"
#include "newcase/Frmkosztdodaj.h"
#include "newcase/Frmterminydodaj.h"
#include "newcase/Frmwynagrodzeniedodaj.h"
#include "platform/ui/clock.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <memory>

using namespace dialogkeys;
using testsupport::Beeps;
using testsupport::Messages;

namespace {

const QDate Today(2024, 3, 15);

class DatedDialogTest : public testsupport::Test {
protected:
    void SetUp() override
    {
        Test::SetUp();
        ui::setNow(QDateTime(Today, QTime(10, 0)));
        dlg = std::make_unique<TTerminyDodaj>();
    }
    void TearDown() override
    {
        dlg.reset();
        Test::TearDown();
    }

    // The grid takes the focus on a cell, as a user tabbing or moving there.
    void goTo(int row, int col)
    {
        dlg->Grid1->setCurrentCell(row, col);
        dlg->Grid1->setFocus(Qt::TabFocusReason);
        testsupport::pump();
    }

    QRect expectedPickerRect(int row) const
    {
        const QRect cell = dlg->Grid1->visualRect(dlg->Grid1->model()->index(row, 0));
        return QRect(dlg->Grid1->viewport()->mapTo(dlg->GroupBox1, cell.topLeft()), cell.size() + QSize(1, 1));
    }

    bool gridHasFocus() const
    {
        QWidget *f = focus();
        return f == dlg->Grid1 || (f && dlg->Grid1->isAncestorOf(f));
    }

    QPair<int, int> current() const { return {dlg->Grid1->currentRow(), dlg->Grid1->currentColumn()}; }

    std::unique_ptr<TDatedDialog> dlg;
};

struct Layout {
    const char *caption;
    std::function<TEntryDialog *()> make;
    QSize size;
    QStringList titles;
    int columnWidth;
};

TEST_F(DatedDialogTest, EachDialogHasItsCaptionSizeAndColumns)
{
    const Layout layouts[] = {
        {"Terminy rozpraw", [] { return new TTerminyDodaj; }, {363, 250}, {"Data", "Uwagi"}, 150},
        {"Historia akt", [] { return new THistoriaDodaj; }, {363, 250}, {"Data", "Uwagi"}, 150},
        {"Koszt prowadzenia sprawy", [] { return new TKosztDodaj; }, {394, 274}, {"Data", "Kwota", "Uwagi"}, 110},
        {"Wynagrodzenie radcy prawnego", [] { return new TWynagrodzenieDodaj; }, {394, 274},
         {"Data", "Kwota", "Uwagi"}, 110},
    };
    for (const Layout &l : layouts) {
        SCOPED_TRACE(l.caption);
        std::unique_ptr<TEntryDialog> d(l.make());
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8(l.caption));
        EXPECT_EQ(d->GroupBox1->title(), QString::fromUtf8(l.caption));
        EXPECT_EQ(d->size(), l.size);
        EXPECT_TRUE(d->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(d->countText(), QStringLiteral("1"));
        EXPECT_EQ(d->rowCount(), 9);
        ASSERT_EQ(d->Grid1->columnCount(), l.titles.size());
        for (int c = 0; c < l.titles.size(); ++c) {
            EXPECT_EQ(d->Grid1->title(c), l.titles[c]);
            EXPECT_EQ(d->Grid1->columnWidth(c), l.columnWidth);
        }
        EXPECT_EQ(d->Grid1->font().pointSize(), 10);
        EXPECT_EQ(d->dtData->font().pointSize(), 10);
        EXPECT_TRUE(d->Grid1->horizontalHeader()->font().bold());
        EXPECT_FALSE(d->dtData->isVisible());
    }
}

TEST_F(DatedDialogTest, OkOnTheFreshDialogWarns)
{
    ASSERT_TRUE(showActive(dlg.get()));
    Messages::expect();
    QTest::mouseClick(dlg->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(Messages::seen().size(), 1u);
    EXPECT_EQ(Messages::last().text, QStringLiteral("Musisz podać przynajmniej jedną datę"));
    EXPECT_EQ(Messages::last().caption, QStringLiteral("Uwaga"));
    EXPECT_EQ(Messages::last().icon, ui::Icon::Warning);
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(DatedDialogTest, PickerCoversTheCurrentDateCellAtTheCellsDate)
{
    ASSERT_TRUE(showActive(dlg.get()));
    struct Case { const char *text; QDate date; };
    const Case cases[] = {{"", Today}, {"2006-11-27", QDate(2006, 11, 27)}, {"nie data", Today}, {"2006-13-01", Today}};
    int row = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        dlg->setCell(row, 0, c.text);
        goTo(row, 0);
        ASSERT_TRUE(dlg->dtData->isVisible());
        EXPECT_EQ(dlg->dtData->geometry(), expectedPickerRect(row));
        EXPECT_EQ(dlg->dtData->date(), c.date);
        EXPECT_TRUE(dlg->dtData->hasFocus());
        ++row;
    }
}

TEST_F(DatedDialogTest, LeavingThePickerWritesItsDateAndHidesIt)
{
    ASSERT_TRUE(showActive(dlg.get()));
    dlg->setCell(1, 0, "zepsuta");
    goTo(1, 0);
    ASSERT_TRUE(dlg->dtData->isVisible());
    dlg->eIlosc->setFocus(Qt::OtherFocusReason);
    testsupport::pump();
    EXPECT_FALSE(dlg->dtData->isVisible());
    EXPECT_EQ(dlg->Cell(1, 0), QStringLiteral("2024-03-15"));

    // A changed date is written as year-month-day text.
    goTo(1, 0);
    dlg->dtData->setDate(QDate(2006, 2, 7));
    QTest::mouseClick(dlg->BitBtn2, Qt::LeftButton, {}, QPoint(2, 2));   // clicking elsewhere leaves it
    EXPECT_EQ(dlg->Cell(1, 0), QStringLiteral("2006-02-07"));
}

TEST_F(DatedDialogTest, ClickingADateCellBringsUpThePicker)
{
    ASSERT_TRUE(showActive(dlg.get()));
    const QRect cell = dlg->Grid1->visualRect(dlg->Grid1->model()->index(2, 0));
    QTest::mouseClick(dlg->Grid1->viewport(), Qt::LeftButton, {}, cell.center());
    testsupport::pump();
    EXPECT_EQ(current(), qMakePair(2, 0));
    ASSERT_TRUE(dlg->dtData->isVisible());
    EXPECT_EQ(dlg->dtData->geometry(), expectedPickerRect(2));
    EXPECT_TRUE(dlg->dtData->hasFocus());

    // Clicking a note cell leaves the picker and edits the note.
    const QRect note = dlg->Grid1->visualRect(dlg->Grid1->model()->index(0, 1));
    QTest::mouseClick(dlg->Grid1->viewport(), Qt::LeftButton, {}, note.center());
    testsupport::pump();
    EXPECT_FALSE(dlg->dtData->isVisible());
    EXPECT_EQ(dlg->Cell(2, 0), QStringLiteral("2024-03-15"));
    EXPECT_EQ(current(), qMakePair(0, 1));
}

TEST_F(DatedDialogTest, EnterInThePickerWritesAndMovesToTheNote)
{
    ASSERT_TRUE(showActive(dlg.get()));
    goTo(0, 0);
    ASSERT_TRUE(dlg->dtData->isVisible());
    dlg->dtData->setDate(QDate(2006, 11, 27));
    press(Qt::Key_Return);
    EXPECT_FALSE(dlg->dtData->isVisible());
    EXPECT_EQ(dlg->Cell(0, 0), QStringLiteral("2006-11-27"));
    EXPECT_EQ(current(), qMakePair(0, 1));
    EXPECT_TRUE(gridHasFocus());
    EXPECT_TRUE(dlg->isVisible());

    // Other keys in the picker do not move.
    goTo(1, 0);
    press(Qt::Key_Up);
    EXPECT_TRUE(dlg->dtData->isVisible());
    EXPECT_EQ(current(), qMakePair(1, 0));
}

TEST_F(DatedDialogTest, EnterInANoteMovesToTheNextRowsDateButNotFromTheLastRow)
{
    ASSERT_TRUE(showActive(dlg.get()));
    dlg->setCountText("3");
    ASSERT_EQ(dlg->rowCount(), 3);
    goTo(0, 1);
    type(QStringLiteral("rozprawa główna"));
    press(Qt::Key_Return);
    EXPECT_EQ(dlg->Cell(0, 1), QStringLiteral("rozprawa główna"));
    EXPECT_EQ(current(), qMakePair(1, 0));
    ASSERT_TRUE(dlg->dtData->isVisible());
    EXPECT_EQ(dlg->dtData->geometry(), expectedPickerRect(1));
    EXPECT_TRUE(dlg->dtData->hasFocus());

    press(Qt::Key_Return);           // the picker: date written, on to the note
    EXPECT_EQ(dlg->Cell(1, 0), QStringLiteral("2024-03-15"));
    EXPECT_EQ(current(), qMakePair(1, 1));

    goTo(2, 1);
    type("x");
    press(Qt::Key_Return);
    EXPECT_EQ(current(), qMakePair(2, 1));
    EXPECT_FALSE(dlg->dtData->isVisible());
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(DatedDialogTest, TabLeavesThePickerBothWays)
{
    ASSERT_TRUE(showActive(dlg.get()));
    goTo(0, 0);
    press(Qt::Key_Tab);
    EXPECT_FALSE(dlg->dtData->isVisible());
    EXPECT_EQ(dlg->Cell(0, 0), QStringLiteral("2024-03-15"));
    EXPECT_EQ(focus(), dlg->BitBtn1);
    goTo(1, 0);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(dlg->dtData->isVisible());
    EXPECT_EQ(focus(), dlg->eIlosc);
}

TEST_F(DatedDialogTest, TheNoteStopsAt30CharactersPolishLettersIncluded)
{
    ASSERT_TRUE(showActive(dlg.get()));
    dlg->setCell(0, 1, QString(29, 'a'));
    goTo(0, 1);
    ASSERT_TRUE(dlg->Grid1->activeEditor());
    press(Qt::Key_End);
    typeChar(QChar(0x017C));   // ż, the 30th
    EXPECT_EQ(Beeps::count(), 0);
    typeChar(QChar(0x0142));   // ł, the 31st
    EXPECT_EQ(Beeps::count(), 1);
    EXPECT_EQ(dlg->Cell(0, 1), QString(29, 'a') + QChar(0x017C));
}

TEST_F(DatedDialogTest, CountFieldSetsTheRowsOnlyForNumbersFrom1To100)
{
    struct Step { QString text; int rows; };
    const Step steps[] = {{"5", 5}, {"2", 2}, {"0", 2}, {"101", 2}, {"", 2}, {"x", 2}, {"100", 100}, {"1", 1}};
    for (const Step &s : steps) {
        SCOPED_TRACE(s.text.toStdString());
        dlg->setCountText(s.text);
        EXPECT_EQ(dlg->rowCount(), s.rows);
    }
}

TEST_F(DatedDialogTest, OkReturnsTheRowsWithADateInGridOrder)
{
    dlg->setCountText("5");
    dlg->setCell(0, 0, "2006-11-27");
    dlg->setCell(0, 1, "pierwsza");
    dlg->setCell(1, 1, "bez daty");
    dlg->setCell(3, 0, "2007-01-02");
    dlg->setCountText("4");
    dlg->BitBtn1->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    const QVector<DatedEntry> expected = {{"2006-11-27", "pierwsza"}, {"2007-01-02", ""}};
    EXPECT_EQ(dlg->Entries(), expected);
}

TEST_F(DatedDialogTest, OnlyTheRowsShownTakePartInOk)
{
    dlg->setCountText("5");
    dlg->setCell(4, 0, "2006-11-27");
    dlg->setCountText("2");
    Messages::expect();
    dlg->BitBtn1->click();
    EXPECT_EQ(Messages::last().text, QStringLiteral("Musisz podać przynajmniej jedną datę"));
}

TEST_F(DatedDialogTest, HandedOverEntriesAndBoundsComeBack)
{
    THistoriaDodaj d;
    const QVector<DatedEntry> entries = {{"2006-11-27", "akta w sądzie"}, {"2006-12-01", ""}, {"2007-01-15", "zwrot"}};
    d.setEntries(entries);
    const QRect bounds(40, 30, 500, 320);
    d.setBounds(bounds);
    EXPECT_EQ(d.countText(), QStringLiteral("3"));
    EXPECT_EQ(d.rowCount(), 3);
    EXPECT_EQ(d.Bounds(), bounds);
    d.BitBtn1->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Entries(), entries);
}

} // namespace
