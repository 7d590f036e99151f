// The new-case window and its dialogs used the way a user uses them: keys
// typed into the real dialogs, their rows and documents handed back to the
// window, shown in its boxes, handed over again on the next opening, and
// stored by the window's "OK".

#include "dialogkeys.h"

#include "newcase/Entrygrid.h"
#include "newcase/Frmhistoriadodaj.h"
#include "newcase/Frmkosztdodaj.h"
#include "newcase/Frmnotatkidodaj.h"
#include "newcase/Frmnowa.h"
#include "newcase/Frmorzeczeniadodaj.h"
#include "newcase/Frmpowoddodaj.h"
#include "newcase/Frmpozwanydodaj.h"
#include "newcase/Frmterminydodaj.h"
#include "newcase/Frmwynagrodzeniedodaj.h"
#include "support/dbfixture.h"

#include "app/Datamodule.h"
#include "platform/rtf/rtf.h"
#include "platform/sql/sql.h"
#include "platform/ui/clock.h"
#include "platform/ui/cursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>

using namespace dialogkeys;
using testsupport::Messages;


namespace {

const QDate Today(2006, 11, 27);

// The text of a document with the formats of each stretch, paragraph by
// paragraph: "'Wyrok Sądu ' Arial 10 + 'Okręgowego' Arial 10 b #ff00ff / ...".
// Neighbouring stretches of one format count as one.
QString describe(const QTextDocument &doc)
{
    QStringList paragraphs;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QStringList texts, formats;
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QFont font = f.font().resolve(doc.defaultFont());
            QString format = font.family() + QLatin1Char(' ') + QString::number(font.pointSizeF());
            if (font.bold())
                format += QStringLiteral(" b");
            if (font.italic())
                format += QStringLiteral(" i");
            if (font.underline())
                format += QStringLiteral(" u");
            if (font.strikeOut())
                format += QStringLiteral(" s");
            if (f.foreground().style() != Qt::NoBrush)
                format += QLatin1Char(' ') + f.foreground().color().name();
            if (!formats.isEmpty() && formats.last() == format) {
                texts.last() += it.fragment().text();
                continue;
            }
            texts << it.fragment().text();
            formats << format;
        }
        QStringList runs;
        for (qsizetype i = 0; i < texts.size(); ++i)
            runs << QLatin1Char('\'') + texts[i] + QStringLiteral("' ") + formats[i];
        paragraphs << runs.join(QStringLiteral(" + "));
    }
    return paragraphs.join(QStringLiteral(" / "));
}

QString describe(const QByteArray &rtfBytes)
{
    QTextDocument doc;
    rtf::read(rtfBytes, doc);
    return describe(doc);
}

// What the rulings typed by editRuling look like.
const QString kRuling = QStringLiteral("'Wyrok Sądu ' Arial 10 + 'Okręgowego' Arial 10 b #ff00ff / "
                                       "'w Łodzi: zażółć gęślą jaźń' Arial 10");

// Types two paragraphs into an open editor and makes one word bold and
// magenta with the buttons, as a user does.
void editRuling(TRichTextEditor &e)
{
    ASSERT_TRUE(e.RichEdit1->hasFocus());
    type(QStringLiteral("Wyrok Sądu Okręgowego"));
    press(Qt::Key_Return);
    type(QStringLiteral("w Łodzi: zażółć gęślą jaźń"));
    press(Qt::Key_Up);
    press(Qt::Key_End);
    press(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(e.RichEdit1->textCursor().selectedText(), QStringLiteral("Okręgowego"));
    QTest::mouseClick(e.BitBtn1, Qt::LeftButton);   // "Pogrubienie"
    QTest::mouseClick(e.BitBtn6, Qt::LeftButton);   // "Kolor"
}

// Makes a modal window active, so that keys reach the widget with the focus.
template <class Window>
Window *activate(QWidget *window)
{
    auto *w = qobject_cast<Window *>(window);
    if (!w)
        return nullptr;
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w))
        return nullptr;
    testsupport::pump();
    return w;
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton);
    testsupport::pump();
}

// Clicks a cell of an entry grid, as a user moving there with the mouse.
void clickCell(QTableWidget *grid, int row, int col)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    testsupport::pump();
}

// Types a new count into "Ilość:".
void typeCount(QLineEdit *count, int n)
{
    click(count);
    press(Qt::Key_End);
    while (!count->text().isEmpty())
        press(Qt::Key_Backspace);
    type(QString::number(n));
}

// Types a date into the picker that covers the current date cell: the
// year, month and day sections one after the other.
void typeDate(const TEntryDialog &d, const QDate &date)
{
    ASSERT_TRUE(d.dtData->isVisible());
    ASSERT_TRUE(d.dtData->hasFocus());
    type(date.toString(QStringLiteral("yyyyMMdd")));
    ASSERT_EQ(d.dtData->date(), date);
}

// Plaintiffs or defendants: "Firma" ticked when wanted, the count, then
// the rows cell by cell with Enter between the cells.
void typeParties(TPartyDialog &d, bool firma, const QVector<QStringList> &rows)
{
    if (firma != d.cbFirma->isChecked())
        QTest::mouseClick(d.cbFirma, Qt::LeftButton, {}, QPoint(6, d.cbFirma->height() / 2));
    ASSERT_EQ(d.Firma(), firma);
    if (d.rowCount() != rows.size())
        typeCount(d.eIlosc, int(rows.size()));
    ASSERT_EQ(d.rowCount(), rows.size());
    // Into the grid from "Ilość:" with Tab, onto its first cell.
    click(d.eIlosc);
    press(Qt::Key_Tab);
    ASSERT_TRUE(d.Grid1->hasFocus());
    ASSERT_EQ(d.Grid1->currentRow(), 0);
    ASSERT_EQ(d.Grid1->currentColumn(), 0);
    for (const QStringList &cells : rows)
        for (const QString &cell : cells) {
            type(cell);
            press(Qt::Key_Return);
        }
}

// Hearing dates, file history, costs or fees: each row's date through the
// picker, then the amount (when the dialog has one) and the note, with Enter
// between them. After the last note the focus stays in the grid.
void typeEntries(TEntryDialog &d, const QVector<QStringList> &rows)
{
    clickCell(d.Grid1, 0, TEntryDialog::ColData);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList &cells = rows[r];
        typeDate(d, QDate::fromString(cells[0], Qt::ISODate));
        press(Qt::Key_Return);
        for (int c = 1; c < cells.size(); ++c) {
            type(cells[c]);
            if (c + 1 < cells.size() || r + 1 < rows.size())
                press(Qt::Key_Return);
        }
    }
}

QVector<QStringList> gridRows(const QTableWidget *grid)
{
    QVector<QStringList> rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            cells << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        rows << cells;
    }
    return rows;
}

QVector<QStringList> dialogRows(const TEntryDialog &d, int columns)
{
    QVector<QStringList> rows;
    for (int r = 0; r < d.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << d.Cell(r, c);
        rows << cells;
    }
    return rows;
}

class HandoverTest : public testsupport::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        ui::setNow(QDateTime(Today, QTime(9, 30)));
    }

    void TearDown() override
    {
        w.reset();
        DbTest::TearDown();
    }

    TNowa &open()
    {
        w = std::make_unique<TNowa>(nullptr);
        EXPECT_TRUE(showActive(w.get()));
        return *w;
    }

    // The case fields a save needs, typed; the parties are set directly.
    void fillValid(TNowa &n)
    {
        ASSERT_TRUE(showActive(&n));   // back to the window after its dialogs
        n.PowodEntries = {{QString(), QStringLiteral("Kowalski"), QStringLiteral("Jan")}};
        n.ePowod->setText(QStringLiteral("Kowalski Jan"));
        n.PozwanyEntries = {{QString(), QStringLiteral("Nowak"), QStringLiteral("Anna")}};
        n.ePozwany->setText(QStringLiteral("Nowak Anna"));
        click(n.eZO);
        type(QStringLiteral("12/06"));
        click(n.cbRodzaj);
        type(QStringLiteral("Eksmisja"));
    }

    // The stored bytes of a column of the one Szczegoly row; nullopt for NULL.
    std::optional<QByteArray> stored(const QString &column)
    {
        sql::Transaction t(DM->Baza);
        t.setParams(TDM::TransactionParams());
        sql::Query q(DM->Baza, &t);
        q.setSql({QStringLiteral("select ") + column + QStringLiteral(" from Szczegoly")});
        q.open();
        q.fetchAll();
        EXPECT_EQ(q.recordCount(), 1);
        std::optional<QByteArray> bytes;
        if (q.recordCount() == 1 && !q.isNull(0, 0))
            bytes = q.bytes(0, 0);
        q.close();
        t.commit();
        return bytes;
    }


    std::unique_ptr<TNowa> w;
};

// ---------------------------------------------------------------------------
// The rulings and notes editors

struct EditorBox {
    const char *name;
    std::function<void(TNowa &)> open;
    std::function<QByteArray &(TNowa &)> doc;
    std::function<bool &(TNowa &)> confirmed;
    std::function<QTextEdit *(TNowa &)> preview;
    std::function<DialogBounds &(TNowa &)> bounds;
    std::function<bool(QWidget *)> isEditor;
};

const EditorBox kEditors[] = {
    {"rulings", [](TNowa &n) { click(n.btnOrzeczenia); }, [](TNowa &n) -> QByteArray & { return n.OrzeczeniaDoc; },
     [](TNowa &n) -> bool & { return n.OrzeczeniaConfirmed; }, [](TNowa &n) { return n.reOrzeczenie; },
     [](TNowa &n) -> DialogBounds & { return n.OrzeczeniaBounds; },
     [](QWidget *w) { return qobject_cast<TOrzeczeniaDodaj *>(w) != nullptr; }},
    {"notes", [](TNowa &n) { click(n.btnNotatki); }, [](TNowa &n) -> QByteArray & { return n.NotatkiDoc; },
     [](TNowa &n) -> bool & { return n.NotatkiConfirmed; }, [](TNowa &n) { return n.reNotatki; },
     [](TNowa &n) -> DialogBounds & { return n.NotatkiBounds; },
     [](QWidget *w) { return qobject_cast<TNotatkiDodaj *>(w) != nullptr; }},
};

TEST_F(HandoverTest, EditorsHandTheirDocumentToThePreviewAndGetItBackOnTheNextOpening)
{
    for (const EditorBox &box : kEditors) {
        SCOPED_TRACE(box.name);
        TNowa &n = open();

        // The first opening: an empty editor centred on the window.
        const QRect moved(40, 30, 640, 520);
        testsupport::withModal([&] { box.open(n); },
                               [&](QWidget *window) {
                                   EXPECT_TRUE(box.isEditor(window));
                                   auto *e = activate<TRichTextEditor>(window);
                                   ASSERT_NE(e, nullptr);
                                   EXPECT_FALSE(ui::isBusyCursor());
                                   EXPECT_EQ(e->parentWidget(), &n);
                                   EXPECT_EQ(e->size(), QSize(687, 600));
                                   EXPECT_TRUE(e->RichEdit1->toPlainText().isEmpty());
                                   editRuling(*e);
                                   e->setGeometry(moved);
                                   click(e->BitBtn9);
                               });
        EXPECT_TRUE(box.confirmed(n));
        const QByteArray doc = box.doc(n);
        EXPECT_TRUE(rtf::isRtf(doc));
        EXPECT_EQ(describe(doc), kRuling);
        EXPECT_EQ(describe(*box.preview(n)->document()), kRuling) << "the preview shows the document";
        EXPECT_TRUE(box.preview(n)->isReadOnly());
        ASSERT_TRUE(box.bounds(n).has_value());
        EXPECT_EQ(*box.bounds(n), moved);

        // The second opening loads the confirmed document where the editor
        // was; Cancel changes nothing.
        testsupport::withModal([&] { box.open(n); },
                               [&](QWidget *window) {
                                   auto *e = activate<TRichTextEditor>(window);
                                   ASSERT_NE(e, nullptr);
                                   EXPECT_EQ(e->Bounds(), moved);
                                   EXPECT_EQ(describe(*e->RichEdit1->document()), kRuling);
                                   e->RichEdit1->setFocus();
                                   press(Qt::Key_End, Qt::ControlModifier);
                                   type(QStringLiteral(" zmiana"));
                                   e->setGeometry(10, 10, 500, 400);
                                   click(e->BitBtn10);
                               });
        EXPECT_TRUE(box.confirmed(n));
        EXPECT_EQ(box.doc(n), doc);
        EXPECT_EQ(describe(*box.preview(n)->document()), kRuling);
        EXPECT_EQ(*box.bounds(n), moved);

        // Another OK replaces the document and the preview as a whole.
        testsupport::withModal([&] { box.open(n); },
                               [&](QWidget *window) {
                                   auto *e = activate<TRichTextEditor>(window);
                                   ASSERT_NE(e, nullptr);
                                   e->RichEdit1->selectAll();
                                   press(Qt::Key_Delete);
                                   type(QStringLiteral("Inna treść"));
                                   click(e->BitBtn9);
                               });
        EXPECT_EQ(describe(box.doc(n)), QStringLiteral("'Inna treść' Arial 10"));
        EXPECT_EQ(box.preview(n)->toPlainText(), QStringLiteral("Inna treść"));
        EXPECT_FALSE(ui::isBusyCursor());
    }
}

TEST_F(HandoverTest, RulingsEditedInTheEditorReadBackFromTheDatabaseWithTheirFormatting)
{
    TNowa &n = open();
    testsupport::withModal([&] { click(n.btnOrzeczenia); },
                           [&](QWidget *window) {
                               auto *e = activate<TRichTextEditor>(window);
                               ASSERT_NE(e, nullptr);
                               editRuling(*e);
                               click(e->BitBtn9);
                           });
    fillValid(n);
    click(n.BitBtn9);
    ASSERT_EQ(n.result(), int(QDialog::Accepted));

    const std::optional<QByteArray> rulings = stored(QStringLiteral("Orzeczenia"));
    ASSERT_TRUE(rulings.has_value());
    EXPECT_EQ(*rulings, n.OrzeczeniaDoc) << "stored byte for byte";
    EXPECT_EQ(describe(*rulings), kRuling);
    EXPECT_FALSE(stored(QStringLiteral("Notatki")).has_value()) << "notes never confirmed are NULL";
}

TEST_F(HandoverTest, OnlyAConfirmedEditorStoresADocumentEvenWhenItsTextIsEmpty)
{
    enum class Use { Never, Cancel, OkEmpty };
    const struct {
        const char *name;
        Use rulings, notes;
    } cases[] = {
        {"rulings confirmed empty, notes never opened", Use::OkEmpty, Use::Never},
        {"notes confirmed empty, rulings cancelled", Use::Cancel, Use::OkEmpty},
        {"both cancelled", Use::Cancel, Use::Cancel},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (count(QStringLiteral("Sprawy")) > 0)
            exec({QStringLiteral("delete from Szczegoly"), QStringLiteral("delete from Powods"),
                  QStringLiteral("delete from Pozwani"), QStringLiteral("delete from Sprawy")});
        TNowa &n = open();
        auto use = [&](const EditorBox &box, Use how) {
            if (how == Use::Never)
                return;
            testsupport::withModal([&] { box.open(n); },
                                   [&](QWidget *window) {
                                       auto *e = activate<TRichTextEditor>(window);
                                       ASSERT_NE(e, nullptr);
                                       click(how == Use::OkEmpty ? e->BitBtn9 : e->BitBtn10);
                                   });
            EXPECT_EQ(box.confirmed(n), how == Use::OkEmpty);
        };
        use(kEditors[0], c.rulings);
        use(kEditors[1], c.notes);
        fillValid(n);
        click(n.BitBtn9);
        ASSERT_EQ(n.result(), int(QDialog::Accepted));

        const std::pair<const char *, Use> columns[] = {{"Orzeczenia", c.rulings}, {"Notatki", c.notes}};
        for (const auto &[column, how] : columns) {
            SCOPED_TRACE(column);
            const std::optional<QByteArray> bytes = stored(QString::fromLatin1(column));
            if (how != Use::OkEmpty) {
                EXPECT_FALSE(bytes.has_value());
                continue;
            }
            ASSERT_TRUE(bytes.has_value());
            EXPECT_TRUE(rtf::isRtf(*bytes));
            QTextDocument doc;
            rtf::read(*bytes, doc);
            EXPECT_TRUE(doc.toPlainText().isEmpty());
        }
    }
}

// ---------------------------------------------------------------------------
// The entry dialogs

TEST_F(HandoverTest, TypedEntriesReachTheirBoxAndReopenInTheDialogWhereItWas)
{
    struct Box {
        const char *name;
        std::function<QPushButton *(TNowa &)> button;
        std::function<QTableWidget *(TNowa &)> grid;
        std::function<DialogBounds &(TNowa &)> bounds;
        QVector<QStringList> typed;   // Data, [Kwota,] Uwagi
        QVector<QStringList> shown;   // in the summary grid and on reopening
    };
    const Box boxes[] = {
        {"hearing dates", [](TNowa &n) { return n.btnTerminy; }, [](TNowa &n) { return n.sgTerminy; },
         [](TNowa &n) -> DialogBounds & { return n.TerminyBounds; },
         {{"2006-12-04", QStringLiteral("sala 12")}, {"2007-01-15", QStringLiteral("świadkowie")}},
         {{"2006-12-04", QStringLiteral("sala 12")}, {"2007-01-15", QStringLiteral("świadkowie")}}},
        {"file history", [](TNowa &n) { return n.btnHistoria; }, [](TNowa &n) { return n.sgHistoria; },
         [](TNowa &n) -> DialogBounds & { return n.HistoriaBounds; },
         {{"2006-11-28", QStringLiteral("pozew złożony")}}, {{"2006-11-28", QStringLiteral("pozew złożony")}}},
        {"costs", [](TNowa &n) { return n.btnKoszt; }, [](TNowa &n) { return n.sgKoszt; },
         [](TNowa &n) -> DialogBounds & { return n.KosztBounds; },
         {{"2006-11-30", "75", QStringLiteral("opłata")}, {"2006-12-01", "12,5", ""}},
         {{"2006-11-30", "75.00", QStringLiteral("opłata")}, {"2006-12-01", "12.50", ""}}},
        {"fees", [](TNowa &n) { return n.btnWynagrodzenie; }, [](TNowa &n) { return n.sgWynagrodzenie; },
         [](TNowa &n) -> DialogBounds & { return n.WynagrodzenieBounds; },
         {{"2006-12-05", "-250", QStringLiteral("korekta")}}, {{"2006-12-05", "-250.00", QStringLiteral("korekta")}}},
    };
    for (const Box &box : boxes) {
        SCOPED_TRACE(box.name);
        TNowa &n = open();
        const int columns = int(box.shown.first().size());
        QRect moved;
        testsupport::withModal([&] { click(box.button(n)); },
                               [&](QWidget *window) {
                                   auto *d = activate<TEntryDialog>(window);
                                   ASSERT_NE(d, nullptr);
                                   typeEntries(*d, box.typed);
                                   d->move(d->pos() + QPoint(11, 7));
                                   moved = d->geometry();
                                   click(d->BitBtn1);
                               });
        EXPECT_EQ(gridRows(box.grid(n)), box.shown);
        ASSERT_TRUE(box.bounds(n).has_value());
        EXPECT_EQ(*box.bounds(n), moved);

        // Reopened by a double-click on the grid: the same rows where it was;
        // Cancel keeps the box as it was.
        testsupport::withModal([&] { QTest::mouseDClick(box.grid(n)->viewport(), Qt::LeftButton); },
                               [&](QWidget *window) {
                                   auto *d = activate<TEntryDialog>(window);
                                   ASSERT_NE(d, nullptr);
                                   EXPECT_EQ(d->countText(), QString::number(box.shown.size()));
                                   EXPECT_EQ(dialogRows(*d, columns), box.shown);
                                   EXPECT_EQ(d->Bounds(), moved);
                                   clickCell(d->Grid1, 0, d->ColUwagi());
                                   type(QStringLiteral(" zmiana"));
                                   click(d->BitBtn2);
                               });
        EXPECT_EQ(gridRows(box.grid(n)), box.shown);
    }
}

TEST_F(HandoverTest, TypedPartiesReachTheirFieldAndReopenInTheDialogWhereItWas)
{
    struct Side {
        const char *name;
        std::function<QPushButton *(TNowa &)> button;
        std::function<QLineEdit *(TNowa &)> display;
        std::function<QVector<PartyEntry> &(TNowa &)> entries;
        std::function<bool &(TNowa &)> firma;
        std::function<DialogBounds &(TNowa &)> bounds;
        bool companies;
        QVector<QStringList> typed;
        QString display_text;
        QVector<PartyEntry> expected;
    };
    const Side sides[] = {
        {"company plaintiffs", [](TNowa &n) { return n.BtnPowod; }, [](TNowa &n) { return n.ePowod; },
         [](TNowa &n) -> auto & { return n.PowodEntries; }, [](TNowa &n) -> bool & { return n.PowodFirma; },
         [](TNowa &n) -> DialogBounds & { return n.PowodBounds; }, true,
         {{QStringLiteral("Spółdzielnia Mieszkaniowa"), QStringLiteral("Wiśniewski"), QStringLiteral("Łukasz")},
          {QStringLiteral("Zarząd Budynków"), "", ""}},
         QStringLiteral("Spółdzielnia Mieszkaniowa Wiśniewski Łukasz, Zarząd Budynków"),
         {{QStringLiteral("Spółdzielnia Mieszkaniowa"), QStringLiteral("Wiśniewski"), QStringLiteral("Łukasz")},
          {QStringLiteral("Zarząd Budynków"), "", ""}}},
        {"a defendant person", [](TNowa &n) { return n.btnPozwany; }, [](TNowa &n) { return n.ePozwany; },
         [](TNowa &n) -> auto & { return n.PozwanyEntries; }, [](TNowa &n) -> bool & { return n.PozwanyFirma; },
         [](TNowa &n) -> DialogBounds & { return n.PozwanyBounds; }, false,
         {{QStringLiteral("Żółkiewska"), QStringLiteral("Grażyna")}}, QStringLiteral("Żółkiewska Grażyna"),
         {{QString(), QStringLiteral("Żółkiewska"), QStringLiteral("Grażyna")}}},
    };
    for (const Side &side : sides) {
        SCOPED_TRACE(side.name);
        TNowa &n = open();
        QRect moved;
        testsupport::withModal([&] { click(side.button(n)); },
                               [&](QWidget *window) {
                                   auto *d = activate<TPartyDialog>(window);
                                   ASSERT_NE(d, nullptr);
                                   typeParties(*d, side.companies, side.typed);
                                   EXPECT_EQ(d->DisplayText(), side.display_text);
                                   d->move(d->pos() + QPoint(-9, 6));
                                   moved = d->geometry();
                                   click(d->BitBtn1);
                               });
        EXPECT_EQ(side.display(n)->text(), side.display_text);
        EXPECT_EQ(side.display(n)->cursorPosition(), 0) << "the field shows the text from its start";
        EXPECT_EQ(side.entries(n), side.expected);
        EXPECT_EQ(side.firma(n), side.companies);
        ASSERT_TRUE(side.bounds(n).has_value());
        EXPECT_EQ(*side.bounds(n), moved);

        // Reopened by a double-click on the field: the same rows in their
        // layout, where it was; Cancel keeps the field and the list.
        testsupport::withModal([&] { QTest::mouseDClick(side.display(n), Qt::LeftButton); },
                               [&](QWidget *window) {
                                   auto *d = activate<TPartyDialog>(window);
                                   ASSERT_NE(d, nullptr);
                                   EXPECT_EQ(d->Firma(), side.companies);
                                   EXPECT_EQ(d->countText(), QString::number(side.typed.size()));
                                   ASSERT_EQ(d->rowCount(), side.typed.size());
                                   for (int r = 0; r < side.typed.size(); ++r)
                                       for (int c = 0; c < side.typed[r].size(); ++c)
                                           EXPECT_EQ(d->Cell(r, c), side.typed[r][c]);
                                   EXPECT_EQ(d->DisplayText(), side.display_text);
                                   EXPECT_EQ(d->Bounds(), moved);
                                   clickCell(d->Grid1, 0, 0);
                                   type(QStringLiteral("x"));
                                   click(d->BitBtn2);
                               });
        EXPECT_EQ(side.display(n)->text(), side.display_text);
        EXPECT_EQ(side.entries(n), side.expected);
    }
}

// One whole case from the keyboard and the mouse to the rows in the database.
TEST_F(HandoverTest, ACaseTypedThroughEveryDialogIsStoredRowByRow)
{
    TNowa &n = open();
    testsupport::withModal([&] { click(n.BtnPowod); },
                           [&](QWidget *window) {
                               auto *d = activate<TPowodDodaj>(window);
                               ASSERT_NE(d, nullptr);
                               typeParties(*d, true,
                                           {{QStringLiteral("Spółdzielnia „Żak”"), "", ""},
                                            {QStringLiteral("Zarząd Budynków Komunalnych"), QStringLiteral("Nowak"),
                                             QStringLiteral("Piotr")}});
                               click(d->BitBtn1);
                           });
    testsupport::withModal([&] { click(n.btnPozwany); },
                           [&](QWidget *window) {
                               auto *d = activate<TPozwanyDodaj>(window);
                               ASSERT_NE(d, nullptr);
                               typeParties(*d, false, {{QStringLiteral("Wiśniewska"), QStringLiteral("Małgorzata")}});
                               click(d->BitBtn1);
                           });
    testsupport::withModal([&] { click(n.btnTerminy); },
                           [&](QWidget *window) {
                               auto *d = activate<TTerminyDodaj>(window);
                               ASSERT_NE(d, nullptr);
                               typeEntries(*d, {{"2006-12-04", QStringLiteral("pierwsza rozprawa")},
                                                {"2007-01-15", ""},
                                                {"2007-02-26", QStringLiteral("ogłoszenie wyroku")}});
                               click(d->BitBtn1);
                           });
    testsupport::withModal([&] { click(n.btnKoszt); },
                           [&](QWidget *window) {
                               auto *d = activate<TKosztDodaj>(window);
                               ASSERT_NE(d, nullptr);
                               typeEntries(*d, {{"2006-11-28", "150", QStringLiteral("wpis sądowy")},
                                                {"2006-12-01", "17,5", QStringLiteral("znaczki")}});
                               click(d->BitBtn1);
                           });
    testsupport::withModal([&] { click(n.btnWynagrodzenie); },
                           [&](QWidget *window) {
                               auto *d = activate<TWynagrodzenieDodaj>(window);
                               ASSERT_NE(d, nullptr);
                               typeEntries(*d, {{"2006-12-05", "-250,5", QStringLiteral("zwrot zaliczki")}});
                               click(d->BitBtn1);
                           });
    EXPECT_EQ(n.ePowod->text(), QStringLiteral("Spółdzielnia „Żak”, Zarząd Budynków Komunalnych Nowak Piotr"));
    EXPECT_EQ(n.ePozwany->text(), QStringLiteral("Wiśniewska Małgorzata"));

    const std::pair<QWidget *, QString> fields[] = {
        {n.eZO, QStringLiteral("123/06i")},         {n.cbRodzaj, QStringLiteral("Zapłata")},
        {n.eWartosc, QStringLiteral("1500,5")},     {n.eAdres, QStringLiteral("ul. Piotrkowska 12 m. 3")},
        {n.eRejon, QStringLiteral("7")},            {n.cbMiejscowosc, QStringLiteral("Łódź")},
        {n.eSygnatura1, QStringLiteral("I C 123/06")}, {n.eSygnatura3, QStringLiteral("II Ca 45/07")},
    };
    ASSERT_TRUE(showActive(&n));
    for (const auto &[field, text] : fields) {
        click(field);
        type(text);
    }
    click(n.cbKomornik);
    ASSERT_TRUE(n.dtDataKomornika->isEnabled());
    n.dtDataKomornika->setDate(QDate(2007, 3, 1));
    click(n.BitBtn9);
    ASSERT_EQ(n.result(), int(QDialog::Accepted));
    EXPECT_FALSE(n.isVisible());
    EXPECT_EQ(n.eWartosc->text(), QStringLiteral("1500.50"));
    const QString lp = n.NewCaseLp;
    ASSERT_FALSE(lp.isEmpty());

    EXPECT_EQ(rows(QStringLiteral("select Lp, ZO, ZOLp, Rejon, Powod, Pozwany, Adres, Miejscowosc, Rodzaj_sprawy, "
                                  "Wartosc_sprawy, Sygnatura1, Sygnatura2, Sygnatura3, PowodFirma, PozwanyFirma, "
                                  "Data_komornika from Sprawy")),
              (QList<QStringList>{{lp, QStringLiteral("123/06i"), QStringLiteral("2060123"), "7",
                                   QStringLiteral("Spółdzielnia „Żak”, Zarząd Budynków Komunalnych Nowak Piotr"),
                                   QStringLiteral("Wiśniewska Małgorzata"), QStringLiteral("ul. Piotrkowska 12 m. 3"),
                                   QStringLiteral("Łódź"), QStringLiteral("Zapłata"), "1500.5",
                                   QStringLiteral("I C 123/06"), "", QStringLiteral("II Ca 45/07"), "T", "N",
                                   "2007-03-01"}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp_Sprawy, Nazwa, Nazwisko, Imie from Powods order by Lp")),
              (QList<QStringList>{{lp, QStringLiteral("Spółdzielnia „Żak”"), "", ""},
                                  {lp, QStringLiteral("Zarząd Budynków Komunalnych"), QStringLiteral("Nowak"),
                                   QStringLiteral("Piotr")}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp_Sprawy, Nazwa, Nazwisko, Imie from Pozwani")),
              (QList<QStringList>{{lp, "", QStringLiteral("Wiśniewska"), QStringLiteral("Małgorzata")}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp_Sprawy, Data, Notka from Terminy order by Lp")),
              (QList<QStringList>{{lp, "2006-12-04", QStringLiteral("pierwsza rozprawa")},
                                  {lp, "2007-01-15", ""},
                                  {lp, "2007-02-26", QStringLiteral("ogłoszenie wyroku")}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp_Sprawy, Data, Kwota, Notka from Koszty order by Lp")),
              (QList<QStringList>{{lp, "2006-11-28", "150", QStringLiteral("wpis sądowy")},
                                  {lp, "2006-12-01", "17.5", QStringLiteral("znaczki")}}));
    EXPECT_EQ(rows(QStringLiteral("select Lp_Sprawy, Data, Kwota, Notka from Wynagrodzenie")),
              (QList<QStringList>{{lp, "2006-12-05", "-250.5", QStringLiteral("zwrot zaliczki")}}));
    EXPECT_EQ(count(QStringLiteral("Historia_akt")), 0);
    EXPECT_EQ(rows(QStringLiteral("select Lp_Sprawy, Notatki, Orzeczenia from Szczegoly")),
              (QList<QStringList>{{lp, "<NULL>", "<NULL>"}}));
}

} // namespace
