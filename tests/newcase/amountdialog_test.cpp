// The cost and fee dialogs: the amount column's key filter and both passes
// of OK with their messages, cell moves and normalisation.

#include "dialogkeys.h"

#include "newcase/Entrygrid.h"
#include "newcase/Frmkosztdodaj.h"
#include "newcase/Frmwynagrodzeniedodaj.h"
#include "platform/ui/clock.h"

#include <QLineEdit>
#include <QPushButton>

#include <memory>

using namespace dialogkeys;
using testsupport::Beeps;
using testsupport::Messages;

namespace {

constexpr int Data = 0, Kwota = 1, Uwagi = 2;

class AmountDialogTest : public testsupport::Test {
protected:
    void SetUp() override
    {
        Test::SetUp();
        ui::setNow(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    }

    static std::unique_ptr<TAmountDialog> make(bool fees)
    {
        if (fees)
            return std::make_unique<TWynagrodzenieDodaj>();
        return std::make_unique<TKosztDodaj>();
    }

    static QPair<int, int> current(const TAmountDialog &d) { return {d.Grid1->currentRow(), d.Grid1->currentColumn()}; }

    // Focus on an amount cell with its editor open and the caret at the end.
    static void editAmount(TAmountDialog &d, int row)
    {
        d.Grid1->setCurrentCell(row, Kwota);
        d.Grid1->setFocus(Qt::TabFocusReason);
        testsupport::pump();
        ASSERT_TRUE(d.Grid1->activeEditor());
        press(Qt::Key_End);
    }
};

struct OkCase {
    const char *name;
    bool fees;
    QString amount;
    QString message;    // empty: accepted
    QString stored;     // the amount returned and left in the cell
};

TEST_F(AmountDialogTest, OkChecksAndNormalisesEveryAmount)
{
    const QString invalid = QStringLiteral("Pola kwota zawiera niepoprawną wartość");
    const QString range = QStringLiteral("Przekroczono zakres w polu \"Kwota\"");
    const OkCase cases[] = {
        {"whole number", false, "100", "", "100.00"},
        {"one decimal", false, "100.5", "", "100.50"},
        {"two decimals", false, "100.55", "", "100.55"},
        {"leading zeros stay", false, "007", "", "007.00"},
        {"zero", false, "0", "", "0.00"},
        {"three decimals", false, "100.555", invalid, "100.555"},
        {"starts with the point", false, ".5", invalid, ".5"},
        {"ends with the point", false, "100.", invalid, "100."},
        {"two points", false, "1.2.3", invalid, "1.2.3"},
        {"the largest amount", false, "999999999.99", "", "999999999.99"},
        {"above the largest", false, "1000000000", range, "1000000000"},
        {"just above the largest", false, "999999999.991", invalid, "999999999.991"},
        {"negative fee", true, "-250", "", "-250.00"},
        {"minus alone", true, "-", invalid, "-"},
        {"minus inside", true, "2-5", invalid, "2-5"},
    };
    for (const OkCase &c : cases) {
        SCOPED_TRACE(c.name);
        Messages::reset();
        auto d = make(c.fees);
        d->setCell(0, Data, "2006-11-27");
        d->setCell(0, Kwota, c.amount);
        d->setCell(0, Uwagi, QStringLiteral("opłata sądowa"));
        if (!c.message.isEmpty())
            Messages::expect();
        d->BitBtn1->click();
        EXPECT_EQ(d->Cell(0, Kwota), c.stored);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(Messages::seen().empty());
            EXPECT_EQ(d->result(), QDialog::Accepted);
            const QVector<AmountEntry> expected = {{"2006-11-27", c.stored, QStringLiteral("opłata sądowa")}};
            EXPECT_EQ(d->Entries(), expected);
        } else {
            ASSERT_EQ(Messages::seen().size(), 1u);
            EXPECT_EQ(Messages::last().text, c.message);
            EXPECT_EQ(Messages::last().caption, QStringLiteral("Błąd"));
            EXPECT_EQ(Messages::last().icon, ui::Icon::Error);
            EXPECT_NE(d->result(), QDialog::Accepted);
            EXPECT_EQ(current(*d), qMakePair(0, Kwota));
            EXPECT_TRUE(d->Entries().isEmpty());
        }
    }
}

TEST_F(AmountDialogTest, ARowWithOnlyADateOrOnlyAnAmountStopsOkAtItsAmountCell)
{
    struct Case { const char *name; QString date, amount; };
    const Case cases[] = {{"date only", "2006-11-27", ""}, {"amount only", "", "100"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Messages::reset();
        TKosztDodaj d;
        d.setCell(0, Data, "2006-11-01");
        d.setCell(0, Kwota, "5");
        d.setCell(2, Data, c.date);
        d.setCell(2, Kwota, c.amount);
        ASSERT_TRUE(showActive(&d));
        Messages::expect();
        d.BitBtn1->click();
        testsupport::pump();
        ASSERT_EQ(Messages::seen().size(), 1u);
        EXPECT_EQ(Messages::last().text, QStringLiteral("Musisz podać datę oraz kwotę"));
        EXPECT_EQ(Messages::last().caption, QStringLiteral("Uwaga"));
        EXPECT_EQ(Messages::last().icon, ui::Icon::Warning);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(current(d), qMakePair(2, Kwota));
        QWidget *f = focus();
        EXPECT_TRUE(f == d.Grid1 || d.Grid1->isAncestorOf(f));
        EXPECT_EQ(d.Cell(0, Kwota), QStringLiteral("5"));   // the first pass changes nothing
        d.hide();
    }
}

TEST_F(AmountDialogTest, RowsWithOnlyANoteAreIgnored)
{
    TWynagrodzenieDodaj d;
    d.setCell(0, Uwagi, "tylko notka");
    d.setCell(1, Data, "2006-11-27");
    d.setCell(1, Kwota, "-12.5");
    d.setCell(2, Uwagi, "druga notka");
    d.BitBtn1->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const QVector<AmountEntry> expected = {{"2006-11-27", "-12.50", ""}};
    EXPECT_EQ(d.Entries(), expected);
}

TEST_F(AmountDialogTest, OkWithoutACompleteRowWarns)
{
    TKosztDodaj d;
    d.setCell(0, Uwagi, "tylko notka");
    Messages::expect();
    d.BitBtn1->click();
    ASSERT_EQ(Messages::seen().size(), 1u);
    EXPECT_EQ(Messages::last().text, QStringLiteral("Musisz podać przynajmniej jedną pozycję"));
    EXPECT_EQ(Messages::last().caption, QStringLiteral("Uwaga"));
    EXPECT_NE(d.result(), QDialog::Accepted);
}

TEST_F(AmountDialogTest, AFailedOkLeavesTheAmountsBeforeTheFailingRowNormalised)
{
    TKosztDodaj d;
    d.setEntries({{"2006-11-01", "100", "a"}, {"2006-11-02", "1.234", "b"}, {"2006-11-03", "7", "c"}});
    Messages::expect();
    d.BitBtn1->click();
    EXPECT_EQ(Messages::last().text, QStringLiteral("Pola kwota zawiera niepoprawną wartość"));
    EXPECT_EQ(d.Cell(0, Kwota), QStringLiteral("100.00"));
    EXPECT_EQ(d.Cell(1, Kwota), QStringLiteral("1.234"));
    EXPECT_EQ(d.Cell(2, Kwota), QStringLiteral("7"));
    EXPECT_EQ(current(d), qMakePair(1, Kwota));

    d.setCell(1, Kwota, "1.23");
    d.BitBtn1->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const QVector<AmountEntry> expected = {
        {"2006-11-01", "100.00", "a"}, {"2006-11-02", "1.23", "b"}, {"2006-11-03", "7.00", "c"}};
    EXPECT_EQ(d.Entries(), expected);
}

TEST_F(AmountDialogTest, AmountKeysDigitsPointCommaAndTheMinusOnlyForFees)
{
    for (bool fees : {false, true}) {
        SCOPED_TRACE(fees ? "fees" : "costs");
        Beeps::reset();
        auto d = make(fees);
        ASSERT_TRUE(showActive(d.get()));
        editAmount(*d, 0);
        type("-12,5");
        for (char c : {'a', ' ', 'e', '+', '/'})
            typeChar(QLatin1Char(c));
        EXPECT_EQ(d->Cell(0, Kwota), fees ? QStringLiteral("-12.5") : QStringLiteral("12.5"));
        EXPECT_EQ(Beeps::count(), fees ? 5 : 6);
        typeChar(QChar(0x0105));   // ą
        EXPECT_EQ(Beeps::count(), fees ? 6 : 7);
        press(Qt::Key_Backspace);
        EXPECT_EQ(d->Cell(0, Kwota), fees ? QStringLiteral("-12.") : QStringLiteral("12."));
        d->hide();
    }
}

TEST_F(AmountDialogTest, TheThirteenthAmountCharacterIsRefused)
{
    TKosztDodaj d;
    ASSERT_TRUE(showActive(&d));
    editAmount(d, 0);
    type("999999999.99");
    EXPECT_EQ(Beeps::count(), 0);
    type("9");
    typeChar(',');   // even the comma, before it becomes a point
    EXPECT_EQ(Beeps::count(), 2);
    EXPECT_EQ(d.Cell(0, Kwota), QStringLiteral("999999999.99"));
}

TEST_F(AmountDialogTest, EnterWalksDateAmountNoteAndOnToTheNextRowsDate)
{
    TWynagrodzenieDodaj d;
    ASSERT_TRUE(showActive(&d));
    d.Grid1->setCurrentCell(0, Data);
    d.Grid1->setFocus(Qt::TabFocusReason);
    testsupport::pump();
    ASSERT_TRUE(d.dtData->isVisible());
    d.dtData->setDate(QDate(2006, 11, 27));
    press(Qt::Key_Return);
    EXPECT_EQ(d.Cell(0, Data), QStringLiteral("2006-11-27"));
    EXPECT_EQ(current(d), qMakePair(0, Kwota));
    type("-250");
    press(Qt::Key_Return);
    EXPECT_EQ(current(d), qMakePair(0, Uwagi));
    type(QStringLiteral("zaliczka zwrócona"));
    press(Qt::Key_Return);
    EXPECT_EQ(current(d), qMakePair(1, Data));
    EXPECT_TRUE(d.dtData->isVisible());
    EXPECT_TRUE(d.dtData->hasFocus());
    EXPECT_EQ(d.dtData->date(), QDate(2024, 3, 15));

    d.dtData->setFocus();   // leave the second row's date empty again
    d.eIlosc->setFocus(Qt::OtherFocusReason);
    testsupport::pump();
    d.setCell(1, Data, QString());
    d.BitBtn1->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const QVector<AmountEntry> expected = {{"2006-11-27", "-250.00", QStringLiteral("zaliczka zwrócona")}};
    EXPECT_EQ(d.Entries(), expected);
}

TEST_F(AmountDialogTest, TheNoteStopsAt30Characters)
{
    TKosztDodaj d;
    ASSERT_TRUE(showActive(&d));
    d.setCell(0, Uwagi, QString(30, QChar(0x015B)));   // ś
    d.Grid1->setCurrentCell(0, Uwagi);
    d.Grid1->setFocus(Qt::TabFocusReason);
    testsupport::pump();
    press(Qt::Key_End);
    typeChar('x');
    EXPECT_EQ(Beeps::count(), 1);
    EXPECT_EQ(d.Cell(0, Uwagi), QString(30, QChar(0x015B)));
}

} // namespace
