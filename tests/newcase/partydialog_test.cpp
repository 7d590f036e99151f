// The plaintiff and defendant dialogs: display text, the "Firma" layout
// switch, typing limits, Enter navigation, the count field and OK.

#include "dialogkeys.h"

#include "newcase/Entrygrid.h"
#include "newcase/Frmpowoddodaj.h"
#include "newcase/Frmpozwanydodaj.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>

using namespace dialogkeys;
using testsupport::Beeps;
using testsupport::Messages;

namespace {

class PartyDialogTest : public testsupport::Test {
protected:
    void SetUp() override
    {
        Test::SetUp();
        dlg = std::make_unique<TPowodDodaj>();
    }
    void TearDown() override
    {
        dlg.reset();
        Test::TearDown();
    }

    void fill(const QVector<QStringList> &rows)
    {
        dlg->setRowCount(int(rows.size()));
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                dlg->setCell(r, c, rows[r][c]);
    }

    // Puts the caret at the end of a cell's in-place editor.
    void editAtEnd(int row, int col)
    {
        dlg->Grid1->setFocus();
        dlg->Grid1->setCurrentCell(row, col);
        ASSERT_TRUE(dlg->Grid1->openEditor());
        press(Qt::Key_End);
    }

    QPair<int, int> current() const { return {dlg->Grid1->currentRow(), dlg->Grid1->currentColumn()}; }

    std::unique_ptr<TPartyDialog> dlg;
};

TEST_F(PartyDialogTest, OpensInThePersonsLayoutWithOneEmptyRow)
{
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Powód"));
    EXPECT_EQ(dlg->GroupBox2->title(), QStringLiteral("Szczegóły"));
    EXPECT_EQ(dlg->size(), QSize(472, 275));
    EXPECT_EQ(dlg->minimumSize(), QSize(400, 269));
    EXPECT_FALSE(dlg->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(dlg->Firma());
    EXPECT_EQ(dlg->countText(), QStringLiteral("1"));
    EXPECT_EQ(dlg->rowCount(), 1);
    EXPECT_EQ(dlg->Grid1->columnCount(), 2);
    EXPECT_EQ(dlg->Grid1->title(0), QStringLiteral("Nazwisko"));
    EXPECT_EQ(dlg->Grid1->title(1), QStringLiteral("Imię"));
    EXPECT_EQ(dlg->Grid1->columnWidth(0), 202);
    EXPECT_EQ(dlg->Grid1->columnWidth(1), 202);
    EXPECT_EQ(dlg->Grid1->rowHeight(0), 22);
    EXPECT_TRUE(dlg->Grid1->horizontalHeader()->font().bold());
    EXPECT_EQ(dlg->DisplayText(), QString());
    EXPECT_EQ(dlg->eWyswietlanie->maxLength(), 100);
    EXPECT_FALSE(dlg->eWyswietlanie->focusPolicy() & Qt::TabFocus);

    TPozwanyDodaj defendants;
    EXPECT_EQ(defendants.windowTitle(), QStringLiteral("Pozwany"));
    EXPECT_EQ(defendants.GroupBox2->title(), QStringLiteral("Szczegóły:"));
}

struct ComposeCase {
    const char *name;
    bool firma;
    QVector<QStringList> rows;
    QString expected;
};

TEST_F(PartyDialogTest, ComposeDisplayText)
{
    const QString a25 = QStringLiteral("Abcdefghijklmnopqrstuvwxy");  // 25 characters
    const QString longText = QStringList{a25 + " " + a25, a25 + " " + a25, a25 + " " + a25}.join(", ") ;
    ASSERT_EQ(longText.size(), 157);
    const ComposeCase cases[] = {
        {"two persons", false, {{"Kowalski", "Jan"}, {"Nowak", "Anna"}}, "Kowalski Jan, Nowak Anna"},
        {"company with all cells", true, {{"ACME sp. j.", "Kowalski", "Jan"}}, "ACME sp. j. Kowalski Jan"},
        {"company name only", true, {{"ACME sp. j.", "", ""}}, "ACME sp. j."},
        {"empty middle row", false, {{"Kowalski", "Jan"}, {"", ""}, {"Nowak", "Anna"}}, "Kowalski Jan, Nowak Anna"},
        {"company row with a first name only", true, {{"", "", "Jan"}}, "Jan"},
        {"empty middle cell keeps two blanks", true, {{"ACME", "", "Jan"}}, "ACME  Jan"},
        {"outer blanks and control characters", false, {{" \tKowalski", "Jan \n"}}, "Kowalski Jan"},
        {"Polish letters", false, {{"Łukasiewicz", "Żaneta"}, {"Śliwiński", "Józef"}},
         QStringLiteral("Łukasiewicz Żaneta, Śliwiński Józef")},
        {"all rows empty", false, {{"", ""}, {" ", ""}}, ""},
        {"longer than 100 is cut to 97 and ...", false, {{a25, a25}, {a25, a25}, {a25, a25}},
         longText.left(97) + "..."},
        {"exactly 100 stays", false, {{QString(49, 'x'), QString(50, 'y')}}, QString(49, 'x') + " " + QString(50, 'y')},
    };
    for (const ComposeCase &c : cases) {
        SCOPED_TRACE(c.name);
        TPowodDodaj d;
        d.setFirma(c.firma);
        d.setRowCount(int(c.rows.size()));
        for (int r = 0; r < c.rows.size(); ++r)
            for (int col = 0; col < c.rows[r].size(); ++col)
                d.setCell(r, col, c.rows[r][col]);
        d.ComposeDisplayText();
        EXPECT_EQ(d.DisplayText(), c.expected);
        EXPECT_LE(d.DisplayText().size(), 100);
    }
}

TEST_F(PartyDialogTest, TypingRecomposesTheDisplayTextAtEveryKey)
{
    ASSERT_TRUE(showActive(dlg.get()));
    dlg->setCountText("2");
    dlg->Grid1->setFocus();
    dlg->Grid1->setCurrentCell(0, 0);
    type("Kowalsk");
    EXPECT_EQ(dlg->DisplayText(), QStringLiteral("Kowalsk"));
    type("i");
    press(Qt::Key_Return);
    type(QStringLiteral("Jan"));
    press(Qt::Key_Return);
    type(QStringLiteral("Łęcka"));
    EXPECT_EQ(dlg->DisplayText(), QStringLiteral("Kowalski Jan, Łęcka"));
    // Recomposition overwrites a hand-edited display text.
    dlg->setDisplayText("ręcznie");
    type("a");
    EXPECT_EQ(dlg->DisplayText(), QStringLiteral("Kowalski Jan, Łęckaa"));
    EXPECT_EQ(Beeps::count(), 0);
}

TEST_F(PartyDialogTest, FirmaShiftsTheColumnsAndResizesTheDialogEvenly)
{
    ASSERT_TRUE(showActive(dlg.get()));
    fill({{"Kowalski", "Jan"}, {"Nowak", "Anna"}});
    const QRect before = dlg->geometry();

    dlg->cbFirma->click();
    EXPECT_TRUE(dlg->Firma());
    ASSERT_EQ(dlg->Grid1->columnCount(), 3);
    EXPECT_EQ(dlg->Grid1->title(0), QStringLiteral("Nazwa firmy"));
    EXPECT_EQ(dlg->Grid1->title(1), QStringLiteral("Nazwisko"));
    EXPECT_EQ(dlg->Grid1->title(2), QStringLiteral("Imię"));
    EXPECT_EQ(dlg->Grid1->columnWidth(2), 202);
    for (int r = 0; r < 2; ++r)
        EXPECT_EQ(dlg->Cell(r, 0), QString());
    EXPECT_EQ(dlg->Cell(0, 1), QStringLiteral("Kowalski"));
    EXPECT_EQ(dlg->Cell(0, 2), QStringLiteral("Jan"));
    EXPECT_EQ(dlg->Cell(1, 1), QStringLiteral("Nowak"));
    EXPECT_EQ(dlg->Cell(1, 2), QStringLiteral("Anna"));
    EXPECT_EQ(dlg->width(), 674);
    EXPECT_EQ(dlg->geometry().x(), before.x() - 101);
    EXPECT_EQ(dlg->height(), before.height());

    dlg->setCell(0, 0, "ACME sp. j.");
    dlg->cbFirma->click();
    EXPECT_FALSE(dlg->Firma());
    ASSERT_EQ(dlg->Grid1->columnCount(), 2);
    EXPECT_EQ(dlg->Grid1->title(0), QStringLiteral("Nazwisko"));
    EXPECT_EQ(dlg->Grid1->title(1), QStringLiteral("Imię"));
    EXPECT_EQ(dlg->Cell(0, 0), QStringLiteral("Kowalski"));
    EXPECT_EQ(dlg->Cell(0, 1), QStringLiteral("Jan"));
    EXPECT_EQ(dlg->Cell(1, 0), QStringLiteral("Nowak"));
    EXPECT_EQ(dlg->Cell(1, 1), QStringLiteral("Anna"));
    EXPECT_EQ(dlg->width(), 472);
    EXPECT_EQ(dlg->geometry().topLeft(), before.topLeft());

    // Ticking again brings back an empty company column: the name is gone.
    dlg->cbFirma->click();
    EXPECT_EQ(dlg->Cell(0, 0), QString());
    EXPECT_EQ(dlg->Cell(0, 1), QStringLiteral("Kowalski"));
}

TEST_F(PartyDialogTest, FirmaDoesNotRecomposeTheDisplayText)
{
    fill({{"Kowalski", "Jan"}});
    dlg->ComposeDisplayText();
    dlg->setFirma(true);
    dlg->setCell(0, 0, "ACME");
    dlg->setFirma(false);
    EXPECT_EQ(dlg->DisplayText(), QStringLiteral("Kowalski Jan"));
}

struct LimitCase {
    bool firma;
    int column;
    int limit;
};

TEST_F(PartyDialogTest, TypingStopsAtTheLimitOfEachColumnPolishLettersIncluded)
{
    ASSERT_TRUE(showActive(dlg.get()));
    const LimitCase cases[] = {{false, 0, 30}, {false, 1, 25}, {true, 0, 50}, {true, 1, 30}, {true, 2, 25}};
    for (const LimitCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "firma " << c.firma << " column " << c.column);
        dlg->setFirma(c.firma);
        dlg->setCell(0, c.column, QString(c.limit - 1, 'a'));
        editAtEnd(0, c.column);
        Beeps::reset();
        typeChar(QChar(0x0142));   // ł as the last character that fits
        EXPECT_EQ(Beeps::count(), 0);
        EXPECT_EQ(dlg->Cell(0, c.column), QString(c.limit - 1, 'a') + QChar(0x0142));
        typeChar(QChar(0x0142));   // one more is refused
        typeChar('b');
        EXPECT_EQ(Beeps::count(), 2);
        EXPECT_EQ(dlg->Cell(0, c.column).size(), c.limit);
        press(Qt::Key_Backspace);  // control characters pass
        EXPECT_EQ(dlg->Cell(0, c.column).size(), c.limit - 1);
        EXPECT_EQ(Beeps::count(), 2);
        dlg->Grid1->finishEditing();
    }
}

TEST_F(PartyDialogTest, AFullCellRefusesAKeyAlsoBeforeItsEditorIsOpen)
{
    ASSERT_TRUE(showActive(dlg.get()));
    const QString full(30, QChar(0x0119));  // ę
    dlg->setCell(0, 0, full);
    dlg->Grid1->setFocus();
    dlg->Grid1->setCurrentCell(0, 0);
    typeChar('x');
    EXPECT_EQ(Beeps::count(), 1);
    EXPECT_EQ(dlg->Cell(0, 0), full);
}

TEST_F(PartyDialogTest, EnterMovesAlongTheRowThenToTheNextRowAndStopsAtTheLastCell)
{
    ASSERT_TRUE(showActive(dlg.get()));
    dlg->setFirma(true);
    dlg->setCountText("2");
    dlg->Grid1->setFocus();
    dlg->Grid1->setCurrentCell(0, 0);
    const QPair<int, int> expected[] = {{0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {1, 2}};
    for (const auto &cell : expected) {
        type("x");
        press(Qt::Key_Return);
        EXPECT_EQ(current(), cell);
    }
    EXPECT_TRUE(dlg->isVisible());   // Enter never closes the dialog
    EXPECT_EQ(dlg->Cell(1, 2), QStringLiteral("x"));
}

TEST_F(PartyDialogTest, CountFieldSetsTheRowsOnlyForNumbersFrom1To100)
{
    ASSERT_TRUE(showActive(dlg.get()));
    fill({{"Kowalski", "Jan"}, {"Nowak", "Anna"}, {"Zięba", "Ewa"}});
    struct Step { QString text; int rows; QString display; };
    const Step steps[] = {
        {"2", 2, "Kowalski Jan, Nowak Anna"},
        {"0", 2, "Kowalski Jan, Nowak Anna"},
        {"101", 2, "Kowalski Jan, Nowak Anna"},
        {"", 2, "Kowalski Jan, Nowak Anna"},
        {"100", 100, "Kowalski Jan, Nowak Anna"},
        {"1", 1, "Kowalski Jan"},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.text.toStdString());
        dlg->setDisplayText("?");
        dlg->setCountText(s.text);
        EXPECT_EQ(dlg->rowCount(), s.rows);
        // A non-numeric count still recomposes; an out-of-range one does nothing.
        const bool ignored = s.text == "0" || s.text == "101";
        EXPECT_EQ(dlg->DisplayText(), ignored ? QStringLiteral("?") : s.display);
    }
    // Rows that come back are empty.
    dlg->setCountText("2");
    EXPECT_EQ(dlg->Cell(1, 0), QString());
}

TEST_F(PartyDialogTest, CountFieldTakesDigitsAndBackspaceOnlyAndTheArrowsStopAtTheEnds)
{
    ASSERT_TRUE(showActive(dlg.get()));
    dlg->eIlosc->setFocus();
    press(Qt::Key_End);
    for (char c : {'a', '-', ' ', ',', '\r'})
        typeChar(QLatin1Char(c));
    EXPECT_EQ(Beeps::count(), 5);
    EXPECT_EQ(dlg->countText(), QStringLiteral("1"));
    type("2");
    EXPECT_EQ(dlg->countText(), QStringLiteral("12"));
    EXPECT_EQ(dlg->rowCount(), 12);
    press(Qt::Key_Backspace);
    EXPECT_EQ(dlg->rowCount(), 1);
    EXPECT_EQ(Beeps::count(), 5);

    dlg->UpDown1->downButton()->click();
    EXPECT_EQ(dlg->countText(), QStringLiteral("1"));
    dlg->UpDown1->upButton()->click();
    press(Qt::Key_Up);
    EXPECT_EQ(dlg->countText(), QStringLiteral("3"));
    EXPECT_EQ(dlg->rowCount(), 3);
    dlg->setCountText("100");
    dlg->UpDown1->upButton()->click();
    EXPECT_EQ(dlg->countText(), QStringLiteral("100"));
    press(Qt::Key_Down);
    EXPECT_EQ(dlg->rowCount(), 99);
}

TEST_F(PartyDialogTest, OkWithoutAFilledRowWarns)
{
    Messages::expect();
    dlg->BitBtn1->click();
    ASSERT_EQ(Messages::seen().size(), 1u);
    EXPECT_EQ(Messages::last().text, QStringLiteral("Musisz uzupełnić przynajmniej jedną pozycję"));
    EXPECT_EQ(Messages::last().caption, QStringLiteral("Uwaga"));
    EXPECT_EQ(Messages::last().icon, ui::Icon::Warning);
    EXPECT_NE(dlg->result(), QDialog::Accepted);
}

TEST_F(PartyDialogTest, OkWithAnEmptyDisplayTextWarnsEvenWithFilledRows)
{
    fill({{"Kowalski", "Jan"}});
    dlg->ComposeDisplayText();
    dlg->setDisplayText("");
    Messages::expect();
    dlg->BitBtn1->click();
    ASSERT_EQ(Messages::seen().size(), 1u);
    EXPECT_EQ(Messages::last().text, QStringLiteral("Pole Wyświetlanie nie może zostać puste"));
    EXPECT_EQ(Messages::last().caption, QStringLiteral("Uwaga"));
    EXPECT_NE(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->Cell(0, 0), QStringLiteral("Kowalski"));

    // A row of blanks is filled, but composes to nothing.
    TPowodDodaj blanks;
    blanks.setCell(0, 0, "  ");
    blanks.ComposeDisplayText();
    Messages::expect();
    blanks.BitBtn1->click();
    EXPECT_EQ(Messages::last().text, QStringLiteral("Pole Wyświetlanie nie może zostać puste"));
}

TEST_F(PartyDialogTest, OkReturnsTheFilledRowsInGridOrder)
{
    fill({{"Kowalski", "Jan"}, {"", ""}, {"Nowak", ""}});
    dlg->ComposeDisplayText();
    EXPECT_EQ(dlg->DisplayText(), QStringLiteral("Kowalski Jan, Nowak"));
    dlg->BitBtn1->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    const QVector<PartyEntry> expected = {{"", "Kowalski", "Jan"}, {"", "Nowak", ""}};
    EXPECT_EQ(dlg->Entries(), expected);
}

TEST_F(PartyDialogTest, OkReturnsCompaniesWithTheirNames)
{
    dlg->setFirma(true);
    fill({{"ACME sp. j.", "Kowalski", "Jan"}, {QStringLiteral("Żuraw S.A."), "", ""}});
    dlg->ComposeDisplayText();
    dlg->BitBtn1->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    const QVector<PartyEntry> expected = {{"ACME sp. j.", "Kowalski", "Jan"}, {QStringLiteral("Żuraw S.A."), "", ""}};
    EXPECT_EQ(dlg->Entries(), expected);
    EXPECT_TRUE(dlg->Firma());
    EXPECT_EQ(dlg->DisplayText(), QStringLiteral("ACME sp. j. Kowalski Jan, Żuraw S.A."));
}

TEST_F(PartyDialogTest, HandedOverEntriesFillTheGridInTheirLayout)
{
    dlg->setFirma(true);
    dlg->setEntries({{"ACME", "Kowalski", "Jan"}, {"Beta", "", ""}});
    dlg->setDisplayText("ACME Kowalski Jan, Beta");
    const QRect bounds(50, 60, 700, 300);
    dlg->setBounds(bounds);
    EXPECT_EQ(dlg->countText(), QStringLiteral("2"));
    EXPECT_EQ(dlg->rowCount(), 2);
    EXPECT_EQ(dlg->Cell(1, 0), QStringLiteral("Beta"));
    EXPECT_EQ(dlg->DisplayText(), QStringLiteral("ACME Kowalski Jan, Beta"));
    EXPECT_EQ(dlg->Bounds(), bounds);
    dlg->BitBtn1->click();
    const QVector<PartyEntry> expected = {{"ACME", "Kowalski", "Jan"}, {"Beta", "", ""}};
    EXPECT_EQ(dlg->Entries(), expected);
}

TEST_F(PartyDialogTest, CancelClosesWithoutEntries)
{
    fill({{"Kowalski", "Jan"}});
    dlg->BitBtn2->click();
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_TRUE(dlg->Entries().isEmpty());
}

} // namespace
