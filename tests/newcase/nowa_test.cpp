// The new-case window: its controls, the suggestion lists, the nine checks
// of ValidateNewCase, the key filter of "WPS" and the save of a case with all
// its rows in one transaction.

#include "newcase/Frmnowa.h"

#include "app/Datamodule.h"
#include "newcase/Frmhistoriadodaj.h"
#include "newcase/Frmkosztdodaj.h"
#include "newcase/Frmpowoddodaj.h"
#include "newcase/Frmpozwanydodaj.h"
#include "newcase/Frmterminydodaj.h"
#include "newcase/Frmwynagrodzeniedodaj.h"
#include "register/Frmmain.h"
#include "support/dbfixture.h"

#include "platform/sql/sql.h"
#include "platform/ui/clock.h"
#include "platform/ui/cursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <memory>

using testsupport::Messages;

namespace {

const QString kTables[] = {QStringLiteral("Sprawy"),  QStringLiteral("Terminy"),       QStringLiteral("Historia_akt"),
                           QStringLiteral("Koszty"),  QStringLiteral("Wynagrodzenie"), QStringLiteral("Powods"),
                           QStringLiteral("Pozwani"), QStringLiteral("Szczegoly")};

class NowaTest : public testsupport::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        ui::setNow(QDateTime(QDate(2006, 11, 27), QTime(9, 30)));
    }

    void TearDown() override
    {
        sql::setStatementObserver({});
        w.reset();
        DbTest::TearDown();
    }

    TNowa &open()
    {
        w = std::make_unique<TNowa>(nullptr);
        w->show();
        testsupport::pump();
        return *w;
    }

    // A case that passes every check: one plaintiff, one defendant, a number
    // and a kind.
    static void fillValid(TNowa &n)
    {
        n.PowodEntries = {{QString(), QStringLiteral("Kowalski"), QStringLiteral("Jan")}};
        n.ePowod->setText(QStringLiteral("Kowalski Jan"));
        n.PozwanyEntries = {{QString(), QStringLiteral("Nowak"), QStringLiteral("Anna")}};
        n.ePozwany->setText(QStringLiteral("Nowak Anna"));
        n.eZO->setText(QStringLiteral("12/06"));
        n.cbRodzaj->setEditText(QStringLiteral("Eksmisja"));
    }

    // Every column of the first row of a select, NULL as "<NULL>".
    QStringList row(const QString &select)
    {
        const QList<QStringList> r = rows(select);
        return r.isEmpty() ? QStringList() : r.first();
    }


    int storedRows()
    {
        int total = 0;
        for (const QString &t : kTables)
            total += count(t);
        return total;
    }

    // What the user sees and entered, to prove that a refusal changes nothing.
    static QStringList snapshot(const TNowa &n)
    {
        QStringList s = {n.ePowod->text(),       n.ePozwany->text(),      n.eZO->text(),
                         n.cbRodzaj->currentText(), n.eWartosc->text(),   n.eAdres->text(),
                         n.eRejon->text(),       n.cbMiejscowosc->currentText(), n.eSygnatura1->text(),
                         n.eSygnatura2->text(),  n.eSygnatura3->text(),
                         n.cbKomornik->isChecked() ? QStringLiteral("T") : QStringLiteral("N"),
                         n.dtDataKomornika->date().toString(Qt::ISODate), QString::fromLatin1(n.NotatkiDoc),
                         QString::fromLatin1(n.OrzeczeniaDoc)};
        s << QString::number(n.PowodEntries.size()) << QString::number(n.PozwanyEntries.size())
          << QString::number(n.TerminyEntries.size()) << QString::number(n.HistoriaEntries.size())
          << QString::number(n.KosztyEntries.size()) << QString::number(n.WynagrodzenieEntries.size());
        return s;
    }

    std::unique_ptr<TNowa> w;
};

// ---------------------------------------------------------------------------
// The screen

TEST_F(NowaTest, WindowHasItsCaptionSizeAndTitleBar)
{
    TNowa &n = open();
    EXPECT_EQ(n.windowTitle(), QStringLiteral("Nowa sprawa"));
    EXPECT_EQ(n.size(), QSize(760, 555));
    EXPECT_EQ(n.minimumSize(), n.maximumSize());
    const Qt::WindowFlags f = n.windowFlags();
    EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(f & Qt::WindowContextHelpButtonHint);

    QStringList boxes;
    for (QGroupBox *b : n.findChildren<QGroupBox *>())
        boxes << b->title();
    for (const char *caption : {"Powód", "Pozwany", "Szczegóły", "Dane sprawy", "Sygnatury", "Terminy rozpraw",
                                "Koszt prowadzenia sprawy", "Wynagrodzenie radcy prawnego", "Orzeczenia sądu",
                                "Notatki", "Historia akt"})
        EXPECT_TRUE(boxes.contains(QString::fromUtf8(caption))) << caption;
    QStringList labels;
    for (QLabel *l : n.findChildren<QLabel *>())
        labels << l->text();
    for (const char *caption : {"ZO:", "Rodzaj sprawy:", "WPS:", "Adres lokalu:", "Rejon:", "Miejscowość:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;
    EXPECT_EQ(n.cbKomornik->text(), QStringLiteral("Oddano do komornika:"));

    for (QPushButton *b : {n.BtnPowod, n.btnPozwany, n.btnTerminy, n.btnKoszt, n.btnWynagrodzenie, n.btnOrzeczenia,
                           n.btnNotatki, n.btnHistoria})
        EXPECT_EQ(b->text(), QStringLiteral("Zmień"));
    EXPECT_EQ(n.BitBtn9->text(), QStringLiteral("OK"));
    EXPECT_EQ(n.BitBtn10->text(), QStringLiteral("Anuluj"));
    // The splitter holds the plaintiffs' and the defendants' boxes.
    ASSERT_EQ(n.Splitter->count(), 2);
    EXPECT_EQ(n.Splitter->widget(0), n.gbPowod);
    EXPECT_EQ(n.Splitter->widget(1), n.gbPozwany);
}

TEST_F(NowaTest, FieldsStartEmptyWithTheirLimits)
{
    TNowa &n = open();
    struct Limit {
        QLineEdit *edit;
        int max;
    };
    for (const Limit &l : {Limit{n.eZO, 8}, Limit{n.cbRodzaj->lineEdit(), 30}, Limit{n.eWartosc, 12},
                           Limit{n.eAdres, 40}, Limit{n.eRejon, 2}, Limit{n.cbMiejscowosc->lineEdit(), 20},
                           Limit{n.eSygnatura1, 20}, Limit{n.eSygnatura2, 20}, Limit{n.eSygnatura3, 20}}) {
        EXPECT_EQ(l.edit->maxLength(), l.max);
        EXPECT_TRUE(l.edit->text().isEmpty());
    }
    EXPECT_TRUE(n.cbRodzaj->isEditable());
    EXPECT_TRUE(n.cbMiejscowosc->isEditable());
    for (QLineEdit *e : {n.ePowod, n.ePozwany}) {
        EXPECT_TRUE(e->isReadOnly());
        EXPECT_FALSE(e->focusPolicy() & Qt::TabFocus);
    }
    for (QTextEdit *re : {n.reOrzeczenie, n.reNotatki}) {
        EXPECT_TRUE(re->isReadOnly());
        EXPECT_EQ(re->lineWrapMode(), QTextEdit::NoWrap);
        EXPECT_FALSE(re->focusPolicy() & Qt::TabFocus);
    }

    // The bailiff date: today, disabled until the box is ticked.
    EXPECT_FALSE(n.cbKomornik->isChecked());
    EXPECT_EQ(n.dtDataKomornika->date(), QDate(2006, 11, 27));
    EXPECT_TRUE(n.dtDataKomornika->calendarPopup());
    EXPECT_FALSE(n.dtDataKomornika->isEnabled());
    n.cbKomornik->click();
    EXPECT_TRUE(n.dtDataKomornika->isEnabled());
    n.cbKomornik->click();
    EXPECT_FALSE(n.dtDataKomornika->isEnabled());

    EXPECT_TRUE(n.NewCaseLp.isEmpty());
    EXPECT_TRUE(n.ZOLpText.isEmpty());
    EXPECT_FALSE(n.PowodFirma);
    EXPECT_FALSE(n.OrzeczeniaConfirmed);
    EXPECT_FALSE(n.PowodBounds.has_value());
}

TEST_F(NowaTest, SummaryGridsShowTitlesEmptyRowsAndEntries)
{
    TNowa &n = open();
    struct Grid {
        QTableWidget *grid;
        QStringList titles;
        int rows;
    };
    const QStringList dated = {QStringLiteral("Data"), QStringLiteral("Uwagi")};
    const QStringList amounts = {QStringLiteral("Data"), QStringLiteral("Kwota"), QStringLiteral("Uwagi")};
    for (const Grid &g : {Grid{n.sgTerminy, dated, 9}, Grid{n.sgKoszt, amounts, 4},
                          Grid{n.sgWynagrodzenie, amounts, 4}, Grid{n.sgHistoria, dated, 9}}) {
        ASSERT_EQ(g.grid->columnCount(), g.titles.size());
        for (int c = 0; c < g.titles.size(); ++c)
            EXPECT_EQ(g.grid->horizontalHeaderItem(c)->text(), g.titles[c]);
        EXPECT_TRUE(g.grid->horizontalHeader()->font().bold());
        EXPECT_EQ(g.grid->rowCount(), g.rows);
        for (int r = 0; r < g.rows; ++r)
            EXPECT_EQ(g.grid->rowHeight(r), 20);
        EXPECT_EQ(g.grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(g.grid->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_FALSE(g.grid->focusPolicy() & Qt::TabFocus);
        EXPECT_EQ(g.grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    }

    n.TerminyEntries = {{QStringLiteral("2006-12-04"), QStringLiteral("sala 12")},
                        {QStringLiteral("2007-01-15"), QStringLiteral("")}};
    n.ShowTerminy();
    ASSERT_EQ(n.sgTerminy->rowCount(), 2);
    EXPECT_EQ(n.sgTerminy->item(0, 0)->text(), QStringLiteral("2006-12-04"));
    EXPECT_EQ(n.sgTerminy->item(0, 1)->text(), QStringLiteral("sala 12"));
    EXPECT_EQ(n.sgTerminy->item(1, 0)->text(), QStringLiteral("2007-01-15"));
    EXPECT_EQ(n.sgTerminy->item(0, 0)->textAlignment(), int(Qt::AlignCenter));

    n.KosztyEntries = {{QStringLiteral("2006-11-30"), QStringLiteral("120.50"), QStringLiteral("opłata sądowa")}};
    n.ShowKoszty();
    ASSERT_EQ(n.sgKoszt->rowCount(), 1);
    EXPECT_EQ(n.sgKoszt->item(0, 1)->text(), QStringLiteral("120.50"));
    EXPECT_EQ(n.sgKoszt->item(0, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(n.sgKoszt->item(0, 2)->text(), QStringLiteral("opłata sądowa"));
    EXPECT_FALSE(n.sgKoszt->item(0, 2)->flags() & Qt::ItemIsEditable);
}

TEST_F(NowaTest, SuggestionListsComeFromTheRegisterAndStartEmpty)
{
    auto add = [this](const char *zo, const char *kind, const char *town) {
        CaseRow r;
        r.zo = QString::fromUtf8(zo);
        r.rodzaj = QString::fromUtf8(kind);
        r.miejscowosc = QString::fromUtf8(town);
        insertCase(r);
    };
    add("1/06", "Zapłata", "Sopot");
    add("2/06", "Eksmisja", "Gdańsk");
    add("3/06", "", "");
    add("4/06", "Zapłata", "Łódź");
    add("5/06", "Eksmisja", "Lublin");

    TNowa &n = open();
    QStringList kinds, towns;
    for (int i = 0; i < n.cbRodzaj->count(); ++i)
        kinds << n.cbRodzaj->itemText(i);
    for (int i = 0; i < n.cbMiejscowosc->count(); ++i)
        towns << n.cbMiejscowosc->itemText(i);
    EXPECT_EQ(kinds, (QStringList{QString(), QStringLiteral("Eksmisja"), QStringLiteral("Zapłata")}));
    EXPECT_EQ(towns, (QStringList{QStringLiteral("Gdańsk"), QStringLiteral("Lublin"), QStringLiteral("Łódź"),
                                  QStringLiteral("Sopot")}));
    EXPECT_EQ(n.cbRodzaj->currentIndex(), -1);
    EXPECT_TRUE(n.cbRodzaj->currentText().isEmpty());
    EXPECT_EQ(n.cbMiejscowosc->currentIndex(), -1);
    EXPECT_TRUE(n.cbMiejscowosc->currentText().isEmpty());
    EXPECT_FALSE(DM->qDodajSprawe->isOpen());
    EXPECT_FALSE(DM->qDodajSprawe->prepared());
    EXPECT_FALSE(ui::isBusyCursor());
}

// ---------------------------------------------------------------------------
// ValidateNewCase

struct Refusal {
    const char *text;
    const char *caption;
    ui::Icon icon;
    const char *focus;
};

const Refusal kStep[] = {
    {"Powod nie został określony", "Uwaga", ui::Icon::Warning, "BtnPowod"},
    {"Pozwany nie został określony", "Uwaga", ui::Icon::Warning, "btnPozwany"},
    {"Pole \"ZO\" nie może być puste", "Uwaga", ui::Icon::Warning, "eZO"},
    {"Podany numer ZO jest nieprawidłowy", "Uwaga", ui::Icon::Warning, "eZO"},
    {"Podany numer ZO jest nieprawidłowy", "Uwaga", ui::Icon::Warning, "eZO"},
    {"Pole \"Rodzaj sprawy\" nie może być puste", "Uwaga", ui::Icon::Warning, "cbRodzaj"},
    {"Pola \"WPS\" zawiera niepoprawną wartość", "Błąd", ui::Icon::Error, "eWartosc"},
    {"Przekroczono zakres w polu \"WPS\"", "Błąd", ui::Icon::Error, "eWartosc"},
    {"Podany rejon jest nieprawidłowy", "Uwaga", ui::Icon::Warning, "eRejon"},
};

QWidget *namedFocus(TNowa &n, const char *name)
{
    const QString s = QString::fromLatin1(name);
    if (s == QLatin1String("BtnPowod")) return n.BtnPowod;
    if (s == QLatin1String("btnPozwany")) return n.btnPozwany;
    if (s == QLatin1String("eZO")) return n.eZO;
    if (s == QLatin1String("cbRodzaj")) return n.cbRodzaj;
    if (s == QLatin1String("eWartosc")) return n.eWartosc;
    if (s == QLatin1String("eRejon")) return n.eRejon;
    if (s == QLatin1String("btnTerminy")) return n.btnTerminy;
    if (s == QLatin1String("btnHistoria")) return n.btnHistoria;
    if (s == QLatin1String("btnKoszt")) return n.btnKoszt;
    if (s == QLatin1String("btnWynagrodzenie")) return n.btnWynagrodzenie;
    if (s == QLatin1String("btnOrzeczenia")) return n.btnOrzeczenia;
    if (s == QLatin1String("eAdres")) return n.eAdres;
    return nullptr;
}

// A widget holds the focus for the window when it is the window's focus
// widget, or a child of it (the line edit of a combo box).
bool hasFocusIn(TNowa &n, QWidget *target)
{
    QWidget *f = n.focusWidget();
    return f && (f == target || target->isAncestorOf(f));
}

void expectRefusal(TNowa &n, const Refusal &r)
{
    ASSERT_FALSE(Messages::seen().empty());
    const ui::Message &m = Messages::last();
    EXPECT_EQ(m.text, QString::fromUtf8(r.text));
    EXPECT_EQ(m.caption, QString::fromUtf8(r.caption));
    EXPECT_EQ(m.icon, r.icon);
    EXPECT_EQ(m.buttons, ui::Buttons(ui::Ok));
    EXPECT_TRUE(hasFocusIn(n, namedFocus(n, r.focus))) << "focus expected on " << r.focus;
    EXPECT_FALSE(ui::isBusyCursor());
}

TEST_F(NowaTest, ValidateNewCaseRunsItsNineStepsInOrder)
{
    insertCase({.zo = QStringLiteral("7/05")});

    // What breaks each step; a case for step k breaks step k and every later
    // step that concerns another field, so that only the order decides which
    // message comes.
    struct Breaker {
        const char *field;
        std::function<void(TNowa &)> apply;
    };
    const Breaker breakers[] = {
        {"powod", [](TNowa &n) { n.PowodEntries.clear(); }},
        {"pozwany", [](TNowa &n) { n.ePozwany->clear(); }},
        {"zo", [](TNowa &n) { n.eZO->clear(); }},
        {"zo", [](TNowa &n) { n.eZO->setText(QStringLiteral("7/05")); }},
        {"zo", [](TNowa &n) { n.eZO->setText(QStringLiteral("7/5")); }},
        {"rodzaj", [](TNowa &n) { n.cbRodzaj->setEditText(QString()); }},
        {"wps", [](TNowa &n) { n.eWartosc->setText(QStringLiteral("1.234")); }},
        {"wps", [](TNowa &n) { n.eWartosc->setText(QStringLiteral("1000000000")); }},
        {"rejon", [](TNowa &n) { n.eRejon->setText(QStringLiteral("16")); }},
    };

    for (int step = 0; step < 9; ++step) {
        SCOPED_TRACE(testing::Message() << "step " << step + 1);
        Messages::reset();
        TNowa &n = open();
        fillValid(n);
        n.eWartosc->setText(QStringLiteral("7"));
        QStringList touched;
        for (int later = step; later < 9; ++later) {
            if (later > step && touched.contains(QString::fromLatin1(breakers[later].field)))
                continue;
            touched << QString::fromLatin1(breakers[later].field);
            breakers[later].apply(n);
        }
        const QStringList before = snapshot(n);
        Messages::expect();
        EXPECT_FALSE(n.ValidateNewCase());
        EXPECT_EQ(Messages::seen().size(), 1u);
        expectRefusal(n, kStep[step]);
        // Nothing changes, except that a valid "WPS" checked before the
        // failing step has been completed to two decimals.
        QStringList after = snapshot(n);
        if (step == 8) {
            EXPECT_EQ(n.eWartosc->text(), QStringLiteral("7.00"));
            after[4] = before[4];
        }
        EXPECT_EQ(after, before);
    }

    // Step 1 also fails when the list is filled but the display text is empty.
    {
        Messages::reset();
        TNowa &n = open();
        fillValid(n);
        n.ePowod->clear();
        Messages::expect();
        EXPECT_FALSE(n.ValidateNewCase());
        expectRefusal(n, kStep[0]);
    }
    // Step 2: the defendants' list empty, their text set.
    {
        Messages::reset();
        TNowa &n = open();
        fillValid(n);
        n.PozwanyEntries.clear();
        Messages::expect();
        EXPECT_FALSE(n.ValidateNewCase());
        expectRefusal(n, kStep[1]);
    }

    // All pass.
    Messages::reset();
    TNowa &n = open();
    fillValid(n);
    n.eWartosc->setText(QStringLiteral("1500"));
    n.eRejon->setText(QStringLiteral("3"));
    EXPECT_TRUE(n.ValidateNewCase());
    EXPECT_TRUE(Messages::seen().empty());
    EXPECT_EQ(n.eWartosc->text(), QStringLiteral("1500.00"));
    EXPECT_EQ(n.ZOLpText, QString::number(206 * 10000 + 12));
    EXPECT_EQ(count(QStringLiteral("Sprawy")), 1);
}

TEST_F(NowaTest, CaseNumberShapes)
{
    struct Shape {
        const char *zo;
        bool accepted;
    };
    for (const Shape &s : {Shape{"12/06", true}, Shape{"12/06i", true}, Shape{"12/06I", true}, Shape{"12/6", false},
                           Shape{"12/066", false}, Shape{"12/06x", false}, Shape{"1206", false}, Shape{"/06", false},
                           Shape{"12/ab", false}, Shape{"ab/06", false}, Shape{"12", false}, Shape{"12i", false},
                           Shape{"1 /06", false}, Shape{"12/6 ", false}, Shape{" 1/06", false}, Shape{"1/ 6", false}}) {
        SCOPED_TRACE(s.zo);
        Messages::reset();
        TNowa &n = open();
        fillValid(n);
        n.eZO->setText(QString::fromLatin1(s.zo));
        if (!s.accepted)
            Messages::expect();
        EXPECT_EQ(n.ValidateNewCase(), s.accepted);
        if (!s.accepted)
            expectRefusal(n, kStep[4]);
        EXPECT_EQ(n.eZO->text(), QString::fromLatin1(s.zo));
    }
}

TEST_F(NowaTest, SortKeyOfTheCaseNumber)
{
    struct Key {
        const char *zo;
        int zolp;
    };
    for (const Key &k : {Key{"123/06", 206 * 10000 + 123}, Key{"45/95", 195 * 10000 + 45}, Key{"7/06i", 206 * 10000 + 7},
                         Key{"7/06", 206 * 10000 + 7}, Key{"5/91", 191 * 10000 + 5}, Key{"5/00", 200 * 10000 + 5},
                         Key{"5/90", 290 * 10000 + 5}, Key{"99999/99", 199 * 10000 + 99999}}) {
        SCOPED_TRACE(k.zo);
        TNowa &n = open();
        fillValid(n);
        n.eZO->setText(QString::fromLatin1(k.zo));
        ASSERT_TRUE(n.ValidateNewCase());
        EXPECT_EQ(n.ZOLpText, QString::number(k.zolp));
    }
}

TEST_F(NowaTest, CaseNumberMustBeUniqueAsTyped)
{
    insertCase({.zo = QStringLiteral("12/06")});
    TNowa &n = open();
    fillValid(n);
    n.eZO->setText(QStringLiteral("12/06i"));
    EXPECT_TRUE(n.ValidateNewCase());

    n.eZO->setText(QStringLiteral("12/06"));
    Messages::expect();
    EXPECT_FALSE(n.ValidateNewCase());
    expectRefusal(n, kStep[3]);
    // The lookup leaves the query closed.
    EXPECT_FALSE(DM->qDodajSprawe->isOpen());
    EXPECT_FALSE(DM->qDodajSprawe->prepared());
}

TEST_F(NowaTest, ClaimValueChecksAndCompletion)
{
    struct Wps {
        const char *typed;
        int failingStep;    // 0: accepted
        const char *after;  // the field after an accepted check
    };
    for (const Wps &v : {Wps{"", 0, ""}, Wps{".5", 7, ""}, Wps{"5.", 7, ""}, Wps{"1.234", 7, ""},
                         Wps{"1.2.3", 7, ""}, Wps{"1000000000", 8, ""}, Wps{"999999999.99", 0, "999999999.99"},
                         Wps{"7", 0, "7.00"}, Wps{"12.5", 0, "12.50"}, Wps{"0012.5", 0, "0012.50"},
                         Wps{"1500", 0, "1500.00"}, Wps{"-5", 7, ""}, Wps{"1e5", 7, ""}, Wps{" 5", 7, ""}}) {
        SCOPED_TRACE(v.typed);
        Messages::reset();
        TNowa &n = open();
        fillValid(n);
        n.eWartosc->setText(QString::fromLatin1(v.typed));
        if (v.failingStep)
            Messages::expect();
        EXPECT_EQ(n.ValidateNewCase(), v.failingStep == 0);
        if (v.failingStep) {
            expectRefusal(n, kStep[v.failingStep - 1]);
            EXPECT_EQ(n.eWartosc->text(), QString::fromLatin1(v.typed));
        } else {
            EXPECT_EQ(n.eWartosc->text(), QString::fromLatin1(v.after));
        }
    }
}

TEST_F(NowaTest, ClaimValueKeyFilter)
{
    struct Typing {
        const char *keys;
        const char *text;
        int beeps;
    };
    for (const Typing &t : {Typing{"1500", "1500", 0}, Typing{"12,5", "12.5", 0}, Typing{"12.5", "12.5", 0},
                            Typing{"a", "", 1}, Typing{"-", "", 1}, Typing{"1a2-3 4", "1234", 3},
                            Typing{"12345678901234", "123456789012", 0}, Typing{"12345678901,", "12345678901.", 0},
                            Typing{"123456789012,", "123456789012", 0}}) {
        SCOPED_TRACE(t.keys);
        testsupport::Beeps::reset();
        TNowa &n = open();
        QTest::keyClicks(n.eWartosc, QString::fromLatin1(t.keys));
        EXPECT_EQ(n.eWartosc->text(), QString::fromLatin1(t.text));
        EXPECT_EQ(testsupport::Beeps::count(), t.beeps);
    }

    // Backspace and Enter pass without a beep; a Polish letter beeps.
    testsupport::Beeps::reset();
    TNowa &n = open();
    QTest::keyClicks(n.eWartosc, QStringLiteral("12"));
    QTest::keyClick(n.eWartosc, Qt::Key_Backspace);
    QTest::keyClick(n.eWartosc, Qt::Key_Return);
    EXPECT_EQ(n.eWartosc->text(), QStringLiteral("1"));
    EXPECT_EQ(testsupport::Beeps::count(), 0);
    EXPECT_TRUE(n.isVisible());
    QTest::sendKeyEvent(QTest::Click, n.eWartosc, Qt::Key_unknown, QStringLiteral("ą"), Qt::NoModifier);
    EXPECT_EQ(n.eWartosc->text(), QStringLiteral("1"));
    EXPECT_EQ(testsupport::Beeps::count(), 1);
}

TEST_F(NowaTest, RegionChecks)
{
    struct Region {
        const char *typed;
        bool accepted;
    };
    for (const Region &r : {Region{"0", true}, Region{"15", true}, Region{"7", true}, Region{"", true},
                            Region{"16", false}, Region{"-1", false}, Region{"a", false}, Region{"99", false}}) {
        SCOPED_TRACE(r.typed);
        Messages::reset();
        TNowa &n = open();
        fillValid(n);
        n.eRejon->setText(QString::fromLatin1(r.typed));
        if (!r.accepted)
            Messages::expect();
        EXPECT_EQ(n.ValidateNewCase(), r.accepted);
        if (!r.accepted)
            expectRefusal(n, kStep[8]);
        EXPECT_EQ(n.eRejon->text(), QString::fromLatin1(r.typed));
    }
}

// What the checks let through is also what the save can store.
TEST_F(NowaTest, AcceptedRegionsAndAmountsAreStored)
{
    struct Case { const char *rejon; const char *rejonStored; const char *fee; const char *feeStored; };
    const Case cases[] = {
        {"+5", "5", "-.5", "-0.5"},
        {" 5", "5", "7", "7"},
        {"05", "5", "-250", "-250"},
    };
    int i = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rejon);
        TNowa &n = open();
        fillValid(n);
        n.eZO->setText(QStringLiteral("%1/06").arg(++i));
        n.eRejon->setText(QString::fromLatin1(c.rejon));
        n.WynagrodzenieEntries = {{QStringLiteral("2006-12-01"), NormalizeAmountText(QString::fromLatin1(c.fee)), QString()}};
        n.BitBtn9Click();
        EXPECT_TRUE(Messages::seen().empty()) << Messages::last().text.toStdString();
        EXPECT_EQ(value(QStringLiteral("select Rejon from Sprawy where ZO = '%1/06'").arg(i)), QString::fromLatin1(c.rejonStored));
        EXPECT_EQ(value(QStringLiteral("select w.Kwota from Wynagrodzenie w join Sprawy s on s.Lp = w.Lp_Sprawy where s.ZO = '%1/06'").arg(i)),
                  QString::fromLatin1(c.feeStored));
    }
}

// ---------------------------------------------------------------------------
// The save

TEST_F(NowaTest, MinimalCaseStoresFourRows)
{
    TNowa &n = open();
    fillValid(n);
    n.BitBtn9Click();

    EXPECT_TRUE(Messages::seen().empty());
    EXPECT_EQ(n.result(), int(QDialog::Accepted));
    EXPECT_FALSE(n.isVisible());
    EXPECT_EQ(n.NewCaseLp, QStringLiteral("1"));
    EXPECT_FALSE(ui::isBusyCursor());
    EXPECT_FALSE(DM->tDodajSprawe->active());

    EXPECT_EQ(storedRows(), 4);
    EXPECT_EQ(row(QStringLiteral("select Lp, ZO, ZOLp, Rejon, Powod, Pozwany, Adres, Miejscowosc, Rodzaj_sprawy,"
                                 " Wartosc_sprawy, Sygnatura1, Sygnatura2, Sygnatura3, PowodFirma, PozwanyFirma,"
                                 " Data_komornika from Sprawy")),
              (QStringList{"1", "12/06", "2060012", "<NULL>", "Kowalski Jan", "Nowak Anna", "", "", "Eksmisja",
                           "<NULL>", "", "", "", "N", "N", "<NULL>"}));
    EXPECT_EQ(row(QStringLiteral("select Lp, Lp_Sprawy, Nazwa, Nazwisko, Imie from Powods")),
              (QStringList{"1", "1", "", "Kowalski", "Jan"}));
    EXPECT_EQ(row(QStringLiteral("select Lp, Lp_Sprawy, Nazwa, Nazwisko, Imie from Pozwani")),
              (QStringList{"1", "1", "", "Nowak", "Anna"}));
    EXPECT_EQ(row(QStringLiteral("select Lp_Sprawy, Orzeczenia, Notatki from Szczegoly")),
              (QStringList{"1", "<NULL>", "<NULL>"}));

    // The next case takes the next key.
    TNowa &second = open();
    fillValid(second);
    second.eZO->setText(QStringLiteral("13/06"));
    second.BitBtn9Click();
    EXPECT_EQ(second.NewCaseLp, QStringLiteral("2"));
    EXPECT_EQ(column(QStringLiteral("select Lp from Sprawy order by Lp")), (QStringList{"1", "2"}));
}

TEST_F(NowaTest, FullCaseStoresEveryRowWithTheExactStatements)
{
    TNowa &n = open();
    n.PowodEntries = {{QStringLiteral("Spółdzielnia Mieszkaniowa „Żak”"), QStringLiteral("Wiśniewski"), QStringLiteral("Łukasz")},
                      {QStringLiteral("Zarząd Budynków"), QString(), QString()}};
    n.PowodFirma = true;
    n.ePowod->setText(QStringLiteral("Spółdzielnia Mieszkaniowa „Żak”, Zarząd Budynków"));
    n.PozwanyEntries = {{QString(), QStringLiteral("Żółkiewska"), QStringLiteral("Grażyna")}};
    n.ePozwany->setText(QStringLiteral("Żółkiewska Grażyna"));
    n.eZO->setText(QStringLiteral("123/06i"));
    n.cbRodzaj->setEditText(QStringLiteral("Zapłata czynszu"));
    n.eWartosc->setText(QStringLiteral("1500"));
    n.eAdres->setText(QStringLiteral("ul. Świętojańska 5/12"));
    n.eRejon->setText(QStringLiteral("7"));
    n.cbMiejscowosc->setEditText(QStringLiteral("Gdańsk"));
    n.cbKomornik->setChecked(true);
    n.dtDataKomornika->setDate(QDate(2006, 11, 20));
    n.eSygnatura1->setText(QStringLiteral("I C 123/06"));
    n.eSygnatura2->setText(QString());
    n.eSygnatura3->setText(QStringLiteral("II Ca 7/07"));
    n.TerminyEntries = {{QStringLiteral("2006-12-04"), QStringLiteral("sala 12")},
                        {QStringLiteral("2007-01-15"), QString()},
                        {QStringLiteral("2007-02-26"), QStringLiteral("ogłoszenie wyroku")}};
    n.HistoriaEntries = {{QStringLiteral("2006-11-28"), QStringLiteral("pozew złożony")}};
    n.KosztyEntries = {{QStringLiteral("2006-11-28"), QStringLiteral("75.00"), QStringLiteral("opłata")},
                       {QStringLiteral("2006-12-01"), QStringLiteral("12.50"), QString()}};
    n.WynagrodzenieEntries = {{QStringLiteral("2006-12-05"), QStringLiteral("-50.00"), QStringLiteral("korekta")}};
    n.NotatkiDoc = QByteArrayLiteral("{\\rtf1\\ansi notatki}");
    n.NotatkiConfirmed = true;

    QStringList sent;
    sql::setStatementObserver([&](const QString &text) { sent << text; });
    n.BitBtn9Click();
    sql::setStatementObserver({});

    EXPECT_TRUE(Messages::seen().empty());
    ASSERT_EQ(n.result(), int(QDialog::Accepted));
    EXPECT_EQ(n.eWartosc->text(), QStringLiteral("1500.00"));

    const QString gen = QStringLiteral("SELECT GEN_ID(%1, 1) AS MyVar FROM RDB$DATABASE");
    const QStringList expected = {
        QStringLiteral("Select count(*) As Ilosc from Sprawy where ZO = ?"),
        gen.arg(QStringLiteral("G_SPRAWY")),
        QStringLiteral("INSERT INTO Sprawy (Lp, ZO, ZOLp, Rejon, Powod, Pozwany,\n"
                       "Adres, Miejscowosc, Rodzaj_sprawy, Wartosc_sprawy,\n"
                       "Sygnatura1, Sygnatura2, Sygnatura3,\n"
                       "PowodFirma, PozwanyFirma, Data_komornika)\n"
                       "VALUES (?, ?, ?, ?, ?, ?,\n"
                       "?, ?, ?, ?,\n"
                       "?, ?, ?,\n"
                       "?, ?, ?)"),
        gen.arg(QStringLiteral("G_TERMINY")),
        QStringLiteral("INSERT INTO Terminy (Lp, Lp_Sprawy, Data, Notka)\nVALUES (?, ?, ?, ?)"),
        gen.arg(QStringLiteral("G_TERMINY")),
        gen.arg(QStringLiteral("G_TERMINY")),
        gen.arg(QStringLiteral("G_Historia_akt")),
        QStringLiteral("INSERT INTO Historia_akt\n(Lp, Lp_Sprawy, Data, Notka)\nVALUES (?, ?, ?, ?)"),
        gen.arg(QStringLiteral("G_Koszty")),
        QStringLiteral("INSERT INTO Koszty\n(Lp, Lp_Sprawy, Kwota, Data, Notka)\nVALUES (?, ?, ?, ?, ?)"),
        gen.arg(QStringLiteral("G_Koszty")),
        gen.arg(QStringLiteral("G_Wynagrodzenie")),
        QStringLiteral("INSERT INTO Wynagrodzenie\n(Lp, Lp_Sprawy, Kwota, Data, Notka)\nVALUES (?, ?, ?, ?, ?)"),
        gen.arg(QStringLiteral("G_Powods")),
        QStringLiteral("INSERT INTO Powods\n(Lp, Lp_Sprawy, Nazwa, Nazwisko, Imie)\nVALUES (?, ?, ?, ?,\n?)"),
        gen.arg(QStringLiteral("G_Powods")),
        gen.arg(QStringLiteral("G_Pozwani")),
        QStringLiteral("INSERT INTO Pozwani\n(Lp, Lp_Sprawy, Nazwa, Nazwisko, Imie)\nVALUES (?, ?, ?, ?,\n?)"),
        QStringLiteral("INSERT INTO Szczegoly\n(Lp_Sprawy,\nNotatki, Orzeczenia)\nVALUES (?, \n?, ?)"),
    };
    EXPECT_EQ(sent, expected);

    EXPECT_EQ(row(QStringLiteral("select Lp, ZO, ZOLp, Rejon, Powod, Pozwany, Adres, Miejscowosc, Rodzaj_sprawy,"
                                 " Wartosc_sprawy, Sygnatura1, Sygnatura2, Sygnatura3, PowodFirma, PozwanyFirma,"
                                 " Data_komornika from Sprawy")),
              (QStringList{"1", "123/06i", "2060123", "7", QStringLiteral("Spółdzielnia Mieszkaniowa „Żak”, Zarząd Budynków"),
                           QStringLiteral("Żółkiewska Grażyna"), QStringLiteral("ul. Świętojańska 5/12"),
                           QStringLiteral("Gdańsk"), QStringLiteral("Zapłata czynszu"), "1500", "I C 123/06", "",
                           "II Ca 7/07", "T", "N", "2006-11-20"}));
    EXPECT_EQ(rows(QStringLiteral("select Lp, Lp_Sprawy, Data, Notka from Terminy order by Lp")),
              (QList<QStringList>{{"1", "1", "2006-12-04", "sala 12"},
                                  {"2", "1", "2007-01-15", ""},
                                  {"3", "1", "2007-02-26", QStringLiteral("ogłoszenie wyroku")}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp, Lp_Sprawy, Data, Notka from Historia_akt")),
              (QList<QStringList>{{"1", "1", "2006-11-28", QStringLiteral("pozew złożony")}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp, Lp_Sprawy, Kwota, Data, Notka from Koszty order by Lp")),
              (QList<QStringList>{{"1", "1", "75", "2006-11-28", "opłata"}, {"2", "1", "12.5", "2006-12-01", ""}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp, Lp_Sprawy, Kwota, Data, Notka from Wynagrodzenie")),
              (QList<QStringList>{{"1", "1", "-50", "2006-12-05", "korekta"}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp, Lp_Sprawy, Nazwa, Nazwisko, Imie from Powods order by Lp")),
              (QList<QStringList>{{"1", "1", QStringLiteral("Spółdzielnia Mieszkaniowa „Żak”"), QStringLiteral("Wiśniewski"),
                                   QStringLiteral("Łukasz")},
                                  {"2", "1", QStringLiteral("Zarząd Budynków"), "", ""}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp, Lp_Sprawy, Nazwa, Nazwisko, Imie from Pozwani")),
              (QList<QStringList>{{"1", "1", "", QStringLiteral("Żółkiewska"), QStringLiteral("Grażyna")}}));
    EXPECT_EQ(row(QStringLiteral("select Lp_Sprawy, Notatki, Orzeczenia from Szczegoly")),
              (QStringList{"1", "{\\rtf1\\ansi notatki}", "<NULL>"}));
}

TEST_F(NowaTest, ConfirmedRulingsStoreTheirDocument)
{
    TNowa &n = open();
    fillValid(n);
    n.OrzeczeniaDoc = QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg1250 \\par }");
    n.OrzeczeniaConfirmed = true;
    n.BitBtn9Click();
    ASSERT_EQ(n.result(), int(QDialog::Accepted));
    EXPECT_EQ(row(QStringLiteral("select Orzeczenia, Notatki from Szczegoly")),
              (QStringList{"{\\rtf1\\ansi\\ansicpg1250 \\par }", "<NULL>"}));
}

// A trigger on one table refuses one row; the message names the failing
// row, nothing stays stored, and a second "OK" after the correction draws
// new keys.
TEST_F(NowaTest, FailedInsertRollsBackEverything)
{
    exec(QStringLiteral("CREATE EXCEPTION E_FAIL 'injected failure'"));
    struct Failure {
        const char *table;
        const char *condition;
        std::function<void(TNowa &)> spoil;
        std::function<void(TNowa &)> mend;
        const char *message;
        const char *focus;
    };
    const DatedEntry ok{QStringLiteral("2006-12-04"), QStringLiteral("dobry")};
    const DatedEntry bad{QStringLiteral("2006-12-05"), QStringLiteral("zly")};
    const AmountEntry okAmount{QStringLiteral("2006-12-04"), QStringLiteral("10.00"), QStringLiteral("dobry")};
    const AmountEntry badAmount{QStringLiteral("2006-12-05"), QStringLiteral("20.00"), QStringLiteral("zly")};
    const PartyEntry okParty{QString(), QStringLiteral("Dobry"), QStringLiteral("Jan")};
    const PartyEntry badParty{QString(), QStringLiteral("zly"), QStringLiteral("Jan")};
    const Failure failures[] = {
        {"Sprawy", "NEW.Adres = 'zly'", [](TNowa &n) { n.eAdres->setText(QStringLiteral("zly")); },
         [](TNowa &n) { n.eAdres->setText(QStringLiteral("ul. Dobra 1")); },
         "Dodanie nowej sprawy do bazy nie powiodło się.", "eZO"},
        {"Terminy", "NEW.Notka = 'zly'", [&](TNowa &n) { n.TerminyEntries = {ok, ok, bad, ok}; },
         [&](TNowa &n) { n.TerminyEntries[2].Notka = QStringLiteral("poprawiony"); },
         "Dodanie terminu nr 2 do bazy nie powiodło się.", "btnTerminy"},
        {"Historia_akt", "NEW.Notka = 'zly'", [&](TNowa &n) { n.HistoriaEntries = {ok, bad}; },
         [&](TNowa &n) { n.HistoriaEntries[1] = ok; },
         "Dodanie wpisu nr 1 do Historii akt w bazie nie powiodło się.", "btnHistoria"},
        {"Koszty", "NEW.Notka = 'zly'", [&](TNowa &n) { n.KosztyEntries = {badAmount}; },
         [&](TNowa &n) { n.KosztyEntries[0] = okAmount; }, "Dodanie wpisu nr 0 do kosztów nie powiodło się.",
         "btnKoszt"},
        {"Wynagrodzenie", "NEW.Notka = 'zly'", [&](TNowa &n) { n.WynagrodzenieEntries = {okAmount, okAmount, badAmount}; },
         [&](TNowa &n) { n.WynagrodzenieEntries[2] = okAmount; },
         "Dodanie wpisu nr 2 do wynagrodzenia nie powiodło się.", "btnWynagrodzenie"},
        {"Powods", "NEW.Nazwisko = 'zly'", [&](TNowa &n) { n.PowodEntries = {okParty, badParty}; },
         [&](TNowa &n) { n.PowodEntries[1] = okParty; }, "Dodanie wpisu nr 1 do Powód nie powiodło się.",
         "BtnPowod"},
        {"Pozwani", "NEW.Nazwisko = 'zly'", [&](TNowa &n) { n.PozwanyEntries = {badParty}; },
         [&](TNowa &n) { n.PozwanyEntries[0] = okParty; }, "Dodanie wpisu nr 0 do Pozwany nie powiodło się.",
         "btnPozwany"},
        {"Szczegoly", "NEW.Notatki IS NOT NULL",
         [](TNowa &n) {
             n.NotatkiDoc = QByteArrayLiteral("{\\rtf1 x}");
             n.NotatkiConfirmed = true;
         },
         [](TNowa &n) { n.NotatkiDoc.clear(); }, "Dodanie danych szczegółowych sprawy do bazy nie powiodło się.",
         "btnOrzeczenia"},
    };

    int lastKey = 0;
    for (const Failure &f : failures) {
        SCOPED_TRACE(f.table);
        exec(QStringLiteral("CREATE TRIGGER T_FAIL FOR %1 BEFORE INSERT AS BEGIN IF (%2) THEN EXCEPTION E_FAIL; END")
                 .arg(QString::fromLatin1(f.table), QString::fromLatin1(f.condition)));
        Messages::reset();
        TNowa &n = open();
        fillValid(n);
        f.spoil(n);
        const QStringList before = snapshot(n);

        Messages::expect();
        n.BitBtn9Click();
        ASSERT_EQ(Messages::seen().size(), 1u);
        const ui::Message &m = Messages::last();
        const QString prefix = QString::fromUtf8(f.message) + QLatin1Char('\n');
        EXPECT_TRUE(m.text.startsWith(prefix)) << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(QStringLiteral("injected failure"))) << m.text.toStdString();
        EXPECT_EQ(m.caption, QStringLiteral("Błąd"));
        EXPECT_EQ(m.icon, ui::Icon::Error);
        EXPECT_TRUE(hasFocusIn(n, namedFocus(n, f.focus)));
        EXPECT_FALSE(ui::isBusyCursor());
        EXPECT_TRUE(n.isVisible());
        EXPECT_NE(n.result(), int(QDialog::Accepted));
        EXPECT_EQ(n.NewCaseLp, QString::number(lastKey + 1));
        EXPECT_FALSE(DM->tDodajSprawe->active());
        EXPECT_EQ(storedRows(), 0);
        EXPECT_EQ(snapshot(n), before);

        // Corrected and confirmed again: a new case key, everything stored.
        f.mend(n);
        Messages::reset();
        n.BitBtn9Click();
        EXPECT_TRUE(Messages::seen().empty());
        EXPECT_EQ(n.result(), int(QDialog::Accepted));
        EXPECT_EQ(n.NewCaseLp, QString::number(lastKey + 2));
        EXPECT_EQ(column(QStringLiteral("select Lp from Sprawy")), QStringList{n.NewCaseLp});
        EXPECT_EQ(value(QStringLiteral("select count(*) from Szczegoly")), QStringLiteral("1"));
        lastKey += 2;

        exec({QStringLiteral("DROP TRIGGER T_FAIL"), QStringLiteral("DELETE FROM Terminy"),
              QStringLiteral("DELETE FROM Historia_akt"), QStringLiteral("DELETE FROM Koszty"),
              QStringLiteral("DELETE FROM Wynagrodzenie"), QStringLiteral("DELETE FROM Powods"),
              QStringLiteral("DELETE FROM Pozwani"), QStringLiteral("DELETE FROM Szczegoly"),
              QStringLiteral("DELETE FROM Sprawy")});
    }
}

TEST_F(NowaTest, HearingDateFailureLeavesGapsAndRetryDrawsNewKeys)
{
    exec({QStringLiteral("CREATE EXCEPTION E_FAIL 'injected failure'"),
          QStringLiteral("CREATE TRIGGER T_FAIL FOR Terminy BEFORE INSERT AS BEGIN "
                         "IF (NEW.Notka = 'zly') THEN EXCEPTION E_FAIL; END")});
    TNowa &n = open();
    fillValid(n);
    n.TerminyEntries = {{QStringLiteral("2006-12-04"), QStringLiteral("a")},
                        {QStringLiteral("2006-12-11"), QStringLiteral("b")},
                        {QStringLiteral("2006-12-18"), QStringLiteral("zly")}};
    Messages::expect();
    n.BitBtn9Click();
    EXPECT_TRUE(Messages::last().text.startsWith(QStringLiteral("Dodanie terminu nr 2 do bazy nie powiodło się.\n")));
    EXPECT_EQ(n.NewCaseLp, QStringLiteral("1"));
    EXPECT_EQ(storedRows(), 0);

    n.TerminyEntries[2].Notka = QStringLiteral("c");
    n.BitBtn9Click();
    EXPECT_EQ(n.result(), int(QDialog::Accepted));
    EXPECT_EQ(n.NewCaseLp, QStringLiteral("2"));
    EXPECT_EQ(column(QStringLiteral("select Lp from Terminy order by Lp")), (QStringList{"4", "5", "6"}));
    EXPECT_EQ(column(QStringLiteral("select distinct Lp_Sprawy from Terminy")), QStringList{"2"});
}

TEST_F(NowaTest, FailedKeyDrawingIsReportedBySaveSequence)
{
    exec(QStringLiteral("DROP GENERATOR G_Koszty"));
    TNowa &n = open();
    fillValid(n);
    n.KosztyEntries = {{QStringLiteral("2006-11-28"), QStringLiteral("75.00"), QString()}};
    n.eAdres->setFocus();
    Messages::expect();
    n.BitBtn9Click();
    ASSERT_EQ(Messages::seen().size(), 1u);
    EXPECT_TRUE(Messages::last().text.startsWith(QStringLiteral("Dodanie do bazy danych nie powiodło się.\n")));
    EXPECT_GT(Messages::last().text.size(), QStringLiteral("Dodanie do bazy danych nie powiodło się.\n").size());
    EXPECT_EQ(Messages::last().caption, QStringLiteral("Błąd"));
    EXPECT_EQ(Messages::last().icon, ui::Icon::Error);
    EXPECT_EQ(n.focusWidget(), n.eAdres);
    EXPECT_TRUE(n.isVisible());
    EXPECT_FALSE(ui::isBusyCursor());
    EXPECT_FALSE(DM->tDodajSprawe->active());
    EXPECT_EQ(storedRows(), 0);
}

TEST_F(NowaTest, TextOutsideWindows1250IsRefusedBeforeTheSave)
{
    const QString snowman = QStringLiteral("☃");
    struct Paste {
        const char *where;
        std::function<void(TNowa &)> paste;
        const char *field;
        const char *focus;
    };
    const Paste pastes[] = {
        {"address", [&](TNowa &n) { n.eAdres->setText(QStringLiteral("ul. Zimowa ") + snowman); }, "Adres lokalu",
         "eAdres"},
        {"kind", [&](TNowa &n) { n.cbRodzaj->setEditText(QStringLiteral("Eksmisja ") + snowman); }, "Rodzaj sprawy",
         "cbRodzaj"},
        {"hearing note",
         [&](TNowa &n) { n.TerminyEntries = {{QStringLiteral("2006-12-04"), QStringLiteral("sala ") + snowman}}; },
         "Terminy rozpraw", "btnTerminy"},
        {"emoji in a fee note",
         [&](TNowa &n) {
             n.WynagrodzenieEntries = {{QStringLiteral("2006-12-04"), QStringLiteral("5.00"), QStringLiteral("\U0001F600")}};
         },
         "Wynagrodzenie radcy prawnego", "btnWynagrodzenie"},
    };
    for (const Paste &p : pastes) {
        SCOPED_TRACE(p.where);
        Messages::reset();
        TNowa &n = open();
        fillValid(n);
        p.paste(n);
        const QStringList before = snapshot(n);
        Messages::expect();
        n.BitBtn9Click();
        ASSERT_EQ(Messages::seen().size(), 1u);
        const ui::Message &m = Messages::last();
        EXPECT_TRUE(m.text.startsWith(QStringLiteral("Pole \"%1\" zawiera znak").arg(QString::fromUtf8(p.field))))
            << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(QStringLiteral("Windows-1250")));
        EXPECT_EQ(m.caption, QStringLiteral("Uwaga"));
        EXPECT_EQ(m.icon, ui::Icon::Warning);
        EXPECT_TRUE(hasFocusIn(n, namedFocus(n, p.focus)));
        EXPECT_TRUE(n.isVisible());
        EXPECT_FALSE(ui::isBusyCursor());
        EXPECT_EQ(snapshot(n), before);
        EXPECT_TRUE(n.NewCaseLp.isEmpty());
        EXPECT_EQ(storedRows(), 0);
        EXPECT_EQ(value(QStringLiteral("SELECT GEN_ID(G_SPRAWY, 0) FROM RDB$DATABASE")), QStringLiteral("0"));
    }

    // In the case number it is simply not a valid number.
    Messages::reset();
    TNowa &n = open();
    fillValid(n);
    n.eZO->setText(QStringLiteral("12/0") + snowman);
    Messages::expect();
    n.BitBtn9Click();
    expectRefusal(n, kStep[4]);
    EXPECT_EQ(storedRows(), 0);
}

TEST_F(NowaTest, OkAndCancelCloseTheModalWindow)
{
    // "Anuluj" stores nothing.
    {
        TNowa n(nullptr);
        int result = -1;
        testsupport::withModal([&] { result = n.exec(); },
                               [&](QWidget *) {
                                   fillValid(n);
                                   QTest::mouseClick(n.BitBtn10, Qt::LeftButton);
                               });
        EXPECT_EQ(result, int(QDialog::Rejected));
        EXPECT_TRUE(n.NewCaseLp.isEmpty());
        EXPECT_EQ(storedRows(), 0);
    }
    // Escape keeps the window and all that was typed; the close box cancels.
    {
        TNowa n(nullptr);
        int result = -1;
        bool stillOpen = false;
        testsupport::withModal([&] { result = n.exec(); },
                               [&](QWidget *) {
                                   fillValid(n);
                                   n.eAdres->setFocus();
                                   QTest::keyClick(n.eAdres, Qt::Key_Escape);
                                   QTest::keyClick(&n, Qt::Key_Escape);
                                   stillOpen = n.isVisible() && !n.eZO->text().isEmpty();
                                   n.close();
                               });
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(result, int(QDialog::Rejected));
        EXPECT_EQ(storedRows(), 0);
    }
    // A refused "OK" keeps the window open; a valid one stores and closes it.
    TNowa n(nullptr);
    int result = -1;
    testsupport::withModal([&] { result = n.exec(); },
                           [&](QWidget *) {
                               Messages::expect();
                               QTest::mouseClick(n.BitBtn9, Qt::LeftButton);
                               EXPECT_TRUE(n.isVisible());
                               EXPECT_EQ(Messages::last().text, QStringLiteral("Powod nie został określony"));
                               fillValid(n);
                               QTest::mouseClick(n.BitBtn9, Qt::LeftButton);
                           });
    EXPECT_EQ(result, int(QDialog::Accepted));
    EXPECT_EQ(n.NewCaseLp, QStringLiteral("1"));
    EXPECT_EQ(storedRows(), 4);
}

// ---------------------------------------------------------------------------
// Hand-over with the entry dialogs

TEST_F(NowaTest, PartyDialogsHandOverAndTakeBack)
{
    struct Side {
        const char *name;
        std::function<void(TNowa &)> open;
        std::function<QVector<PartyEntry> &(TNowa &)> entries;
        std::function<bool &(TNowa &)> firma;
        std::function<QLineEdit *(TNowa &)> display;
        std::function<DialogBounds &(TNowa &)> bounds;
    };
    const Side sides[] = {
        {"plaintiffs", [](TNowa &n) { n.BtnPowodClick(); }, [](TNowa &n) -> auto & { return n.PowodEntries; },
         [](TNowa &n) -> bool & { return n.PowodFirma; }, [](TNowa &n) { return n.ePowod; },
         [](TNowa &n) -> DialogBounds & { return n.PowodBounds; }},
        {"defendants", [](TNowa &n) { n.btnPozwanyClick(); }, [](TNowa &n) -> auto & { return n.PozwanyEntries; },
         [](TNowa &n) -> bool & { return n.PozwanyFirma; }, [](TNowa &n) { return n.ePozwany; },
         [](TNowa &n) -> DialogBounds & { return n.PozwanyBounds; }},
    };
    for (const Side &side : sides) {
        SCOPED_TRACE(side.name);
        TNowa &n = open();
        // The first opening: the dialog's own initial state; OK hands the rows back.
        testsupport::withModal([&] { side.open(n); },
                               [&](QWidget *window) {
                                   auto *d = qobject_cast<TPartyDialog *>(window);
                                   ASSERT_NE(d, nullptr);
                                   EXPECT_FALSE(d->Firma());
                                   EXPECT_TRUE(d->DisplayText().isEmpty());
                                   EXPECT_FALSE(ui::isBusyCursor());
                                   d->setFirma(true);
                                   d->setCell(0, 0, QStringLiteral("Spółdzielnia „Żak”"));
                                   d->setCell(0, 1, QStringLiteral("Wiśniewski"));
                                   d->setCell(0, 2, QStringLiteral("Łukasz"));
                                   d->setDisplayText(QStringLiteral("SM „Żak”"));
                                   d->move(d->pos() + QPoint(7, 5));
                                   d->BitBtn1->click();
                               });
        const QVector<PartyEntry> taken = {
            {QStringLiteral("Spółdzielnia „Żak”"), QStringLiteral("Wiśniewski"), QStringLiteral("Łukasz")}};
        EXPECT_EQ(side.entries(n), taken);
        EXPECT_TRUE(side.firma(n));
        EXPECT_EQ(side.display(n)->text(), QStringLiteral("SM „Żak”"));
        ASSERT_TRUE(side.bounds(n).has_value());
        const QRect bounds = *side.bounds(n);

        // The second opening shows what was taken back; Cancel changes nothing.
        testsupport::withModal([&] { side.open(n); },
                               [&](QWidget *window) {
                                   auto *d = qobject_cast<TPartyDialog *>(window);
                                   ASSERT_NE(d, nullptr);
                                   EXPECT_TRUE(d->Firma());
                                   EXPECT_EQ(d->rowCount(), 1);
                                   EXPECT_EQ(d->Cell(0, 0), QStringLiteral("Spółdzielnia „Żak”"));
                                   EXPECT_EQ(d->Cell(0, 2), QStringLiteral("Łukasz"));
                                   EXPECT_EQ(d->DisplayText(), QStringLiteral("SM „Żak”"));
                                   EXPECT_EQ(d->Bounds(), bounds);
                                   d->setCell(0, 1, QStringLiteral("Inny"));
                                   d->BitBtn2->click();
                               });
        EXPECT_EQ(side.entries(n), taken);
        EXPECT_EQ(side.display(n)->text(), QStringLiteral("SM „Żak”"));
        EXPECT_TRUE(side.firma(n));
    }

    // A double-click on the display text opens the plaintiff dialog too.
    TNowa &n = open();
    testsupport::withModal([&] { QTest::mouseDClick(n.ePowod, Qt::LeftButton); },
                           [&](QWidget *window) {
                               EXPECT_NE(qobject_cast<TPowodDodaj *>(window), nullptr);
                               qobject_cast<QDialog *>(window)->reject();
                           });
}

TEST_F(NowaTest, EntryDialogsHandOverAndFillTheirGrids)
{
    struct Box {
        const char *name;
        std::function<void(TNowa &)> open;
        std::function<QTableWidget *(TNowa &)> grid;
        std::function<DialogBounds &(TNowa &)> bounds;
        QStringList typed;   // Data, [Kwota,] Uwagi as typed in the dialog
        QStringList shown;   // the grid row after OK
    };
    const Box boxes[] = {
        {"hearing dates", [](TNowa &n) { n.btnTerminyClick(); }, [](TNowa &n) { return n.sgTerminy; },
         [](TNowa &n) -> DialogBounds & { return n.TerminyBounds; }, {"2006-12-04", "sala 12"}, {"2006-12-04", "sala 12"}},
        {"file history", [](TNowa &n) { n.btnHistoriaClick(); }, [](TNowa &n) { return n.sgHistoria; },
         [](TNowa &n) -> DialogBounds & { return n.HistoriaBounds; }, {"2006-11-28", "pozew złożony"},
         {"2006-11-28", "pozew złożony"}},
        {"costs", [](TNowa &n) { n.btnKosztClick(); }, [](TNowa &n) { return n.sgKoszt; },
         [](TNowa &n) -> DialogBounds & { return n.KosztBounds; }, {"2006-11-30", "75", "opłata"},
         {"2006-11-30", "75.00", "opłata"}},
        {"fees", [](TNowa &n) { n.btnWynagrodzenieClick(); }, [](TNowa &n) { return n.sgWynagrodzenie; },
         [](TNowa &n) -> DialogBounds & { return n.WynagrodzenieBounds; }, {"2006-12-05", "-50.5", "korekta"},
         {"2006-12-05", "-50.50", "korekta"}},
    };
    for (const Box &box : boxes) {
        SCOPED_TRACE(box.name);
        TNowa &n = open();
        testsupport::withModal([&] { box.open(n); },
                               [&](QWidget *window) {
                                   auto *d = qobject_cast<TEntryDialog *>(window);
                                   ASSERT_NE(d, nullptr);
                                   EXPECT_FALSE(ui::isBusyCursor());
                                   for (int c = 0; c < box.typed.size(); ++c)
                                       d->setCell(0, c, box.typed[c]);
                                   d->BitBtn1->click();
                               });
        QTableWidget *g = box.grid(n);
        ASSERT_EQ(g->rowCount(), 1);
        for (int c = 0; c < box.shown.size(); ++c)
            EXPECT_EQ(g->item(0, c)->text(), box.shown[c]);
        ASSERT_TRUE(box.bounds(n).has_value());

        testsupport::withModal([&] { box.open(n); },
                               [&](QWidget *window) {
                                   auto *d = qobject_cast<TEntryDialog *>(window);
                                   ASSERT_NE(d, nullptr);
                                   EXPECT_EQ(d->rowCount(), 1);
                                   for (int c = 0; c < box.shown.size(); ++c)
                                       EXPECT_EQ(d->Cell(0, c), box.shown[c]);
                                   EXPECT_EQ(d->Bounds(), *box.bounds(n));
                                   d->setCell(0, d->ColUwagi(), QStringLiteral("zmienione"));
                                   d->BitBtn2->click();
                               });
        EXPECT_EQ(g->item(0, int(box.shown.size()) - 1)->text(), box.shown.last());
    }
    // A double-click on a summary grid opens its dialog; Cancel keeps the list.
    TNowa &n = open();
    testsupport::withModal([&] { QTest::mouseDClick(n.sgTerminy->viewport(), Qt::LeftButton); },
                           [&](QWidget *window) {
                               EXPECT_NE(qobject_cast<TTerminyDodaj *>(window), nullptr);
                               qobject_cast<QDialog *>(window)->reject();
                           });
    EXPECT_TRUE(n.TerminyEntries.isEmpty());
}

// The main window's new-case command: after OK the register is reloaded in
// the view and sort order in force, with the new case current.
TEST_F(NowaTest, MainWindowReloadsWithTheNewCaseCurrent)
{
    const struct {
        const char *zo, *rejon, *adres;
    } cases[] = {{"1/06", "4", "ul. Akacjowa 1"}, {"2/06", "", "ul. Brzozowa 2"}, {"3/06", "7", "ul. Dębowa 4"},
                 {"4/06", "2", "ul. Cisowa 3"}};
    for (const auto &c : cases) {
        CaseRow r;
        r.zo = QString::fromLatin1(c.zo);
        r.rejon = QString::fromLatin1(c.rejon);
        r.adres = QString::fromUtf8(c.adres);
        insertCase(r);
    }
    auto main = std::make_unique<TMain>();
    Main = main.get();
    main->LoadCaseList();
    main->ActionWyswietlanieADM->trigger();
    int adres = -1;
    for (int c = 0; c < main->Grid->columnCount(); ++c)
        if (main->Grid->column(c).field.compare(QStringLiteral("Adres"), Qt::CaseInsensitive) == 0)
            adres = c;
    ASSERT_GE(adres, 0);
    main->GridTitleClick(adres);
    const QString where = main->WhereText;
    const QString order = main->OrderText;
    ASSERT_TRUE(where.contains(QStringLiteral("IS NOT NULL")));
    ASSERT_TRUE(order.contains(QStringLiteral("Adres"), Qt::CaseInsensitive));

    testsupport::withModal([&] { main->ActionNowaExecute(); },
                           [&](QWidget *window) {
                               auto *n = qobject_cast<TNowa *>(window);
                               ASSERT_NE(n, nullptr);
                               fillValid(*n);
                               n->eAdres->setText(QStringLiteral("ul. Bukowa 9"));
                               n->eRejon->setText(QStringLiteral("5"));
                               QTest::mouseClick(n->BitBtn9, Qt::LeftButton);
                           });
    EXPECT_EQ(Nowa, nullptr);
    EXPECT_EQ(main->WhereText, where);
    EXPECT_EQ(main->OrderText, order);
    sql::Query &list = *DM->Sprawy;
    ASSERT_TRUE(list.isOpen());
    EXPECT_EQ(list.fieldText(QStringLiteral("Lp")), QStringLiteral("5"));
    EXPECT_EQ(list.fieldText(QStringLiteral("ZO")), QStringLiteral("12/06"));
    EXPECT_EQ(main->CurrentRowLp(), QStringLiteral("5"));
    // ADM cases by address: Akacjowa, Bukowa (new), Cisowa, Dębowa.
    QStringList shown;
    for (int r = 0; r < list.recordCount(); ++r)
        shown << list.text(r, list.fieldIndex(QStringLiteral("ZO")));
    EXPECT_EQ(shown, (QStringList{"1/06", "12/06", "4/06", "3/06"}));
    EXPECT_EQ(list.currentRow(), 1);
    main.reset();
    Main = nullptr;
}

} // namespace
