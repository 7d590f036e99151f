#include "newcase/Frmnotatkidodaj.h"
#include "newcase/Frmorzeczeniadodaj.h"
#include "platform/rtf/rtf.h"

#include "support/seams.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class RichTextEditorTest : public testsupport::Test {};

struct Kind {
    const char *name;
    QString caption;
    std::function<TRichTextEditor *(QWidget *)> make;
    std::function<TRichTextEditor *()> global;
};

const std::vector<Kind> &kinds()
{
    static const std::vector<Kind> k = {
        {"TOrzeczeniaDodaj", QStringLiteral("Orzeczenia sądu"), [](QWidget *p) { return new TOrzeczeniaDodaj(p); },
         [] { return static_cast<TRichTextEditor *>(OrzeczeniaDodaj); }},
        {"TNotatkiDodaj", QStringLiteral("Notatki"), [](QWidget *p) { return new TNotatkiDodaj(p); },
         [] { return static_cast<TRichTextEditor *>(NotatkiDodaj); }},
    };
    return k;
}

TEST_F(RichTextEditorTest, BothEditorsHaveTheSameWindowUnderTheirOwnCaption)
{
    for (const Kind &kind : kinds()) {
        SCOPED_TRACE(kind.name);
        std::unique_ptr<TRichTextEditor> e(kind.make(nullptr));
        EXPECT_EQ(kind.global(), e.get());
        EXPECT_EQ(e->windowTitle(), kind.caption);
        EXPECT_EQ(e->GroupBox1->title(), kind.caption);
        EXPECT_TRUE(e->GroupBox1->isAncestorOf(e->RichEdit1));
        EXPECT_EQ(e->size(), QSize(687, 600));
        EXPECT_TRUE(e->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(e->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_LT(e->minimumSize().width(), 687) << "the window can be made smaller";
        EXPECT_GT(e->maximumSize().width(), 687) << "and larger";

        const QFont font = e->RichEdit1->document()->defaultFont();
        EXPECT_EQ(font.family(), QStringLiteral("Arial"));
        EXPECT_EQ(font.pointSizeF(), 10.0);
        EXPECT_EQ(e->RichEdit1->lineWrapMode(), QTextEdit::NoWrap);
        EXPECT_EQ(e->RichEdit1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(e->RichEdit1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_TRUE(e->RichEdit1->toPlainText().isEmpty());

        const std::vector<std::pair<QPushButton *, QString>> buttons = {
            {e->BitBtn1, QStringLiteral("Pogrubienie")}, {e->BitBtn2, QStringLiteral("Podkreślenie")},
            {e->BitBtn3, QStringLiteral("Kursywa")},     {e->BitBtn4, QStringLiteral("Powiększ")},
            {e->BitBtn5, QStringLiteral("Pomniejsz")},   {e->BitBtn6, QStringLiteral("Kolor")},
            {e->BitBtn9, QStringLiteral("OK")},          {e->BitBtn10, QStringLiteral("Anuluj")},
        };
        e->show();
        int lastX = -1;
        for (const auto &[button, text] : buttons) {
            EXPECT_EQ(button->text(), text);
            EXPECT_GT(button->x(), lastX) << text.toStdString() << " stands right of the button before it";
            EXPECT_GT(button->y(), e->GroupBox1->geometry().bottom()) << "the bar is below the editor";
            lastX = button->x();
        }
        EXPECT_TRUE(e->BitBtn1->font().bold());
        EXPECT_TRUE(e->BitBtn2->font().underline());
        EXPECT_TRUE(e->BitBtn3->font().italic());
        EXPECT_GT(e->BitBtn4->font().pointSizeF(), e->BitBtn5->font().pointSizeF());
        EXPECT_EQ(e->BitBtn6->palette().color(QPalette::ButtonText), QColor(255, 0, 255));
        for (QPushButton *plain : {e->BitBtn5, e->BitBtn9, e->BitBtn10}) {
            EXPECT_FALSE(plain->font().bold() || plain->font().underline() || plain->font().italic());
        }
        e.reset();
        EXPECT_EQ(kind.global(), nullptr);
    }
}

// ---------------------------------------------------------------------------
// The formatting commands

// The formats of a stretch of text as the commands see them: size, the
// styles that are set, and the colour when the text has one of its own.
std::string describe(const QTextCharFormat &f, const QFont &base)
{
    const QFont font = f.font().resolve(base);
    std::string s = QString::number(font.pointSizeF()).toStdString();
    if (font.bold())
        s += " b";
    if (font.italic())
        s += " i";
    if (font.underline())
        s += " u";
    if (font.strikeOut())
        s += " s";
    if (f.foreground().style() != Qt::NoBrush)
        s += " fg=" + f.foreground().color().name().toStdString();
    return s;
}

// The formats found in the whole text, each distinct one once, in order.
std::string textFormats(TRichTextEditor &e)
{
    std::vector<std::string> seen;
    const QTextDocument *doc = e.RichEdit1->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const std::string d = describe(it.fragment().charFormat(), doc->defaultFont());
            if (seen.empty() || seen.back() != d)
                seen.push_back(d);
        }
    std::string s;
    for (const std::string &d : seen)
        s += (s.empty() ? "" : " | ") + d;
    return s;
}

const QColor kNormalMarker(1, 2, 3);

QTextCharFormat styled(const char *flags, double size = 10)
{
    QTextCharFormat f;
    f.setFontPointSize(size);
    for (const char *c = flags; *c; ++c) {
        switch (*c) {
        case 'b': f.setFontWeight(QFont::Bold); break;
        case 'i': f.setFontItalic(true); break;
        case 'u': f.setFontUnderline(true); break;
        case 's': f.setFontStrikeOut(true); break;
        case 'r': f.setForeground(QColor(255, 0, 0)); break;
        case 'm': f.setForeground(QColor(255, 0, 255)); break;
        case 'n': f.setForeground(kNormalMarker); break;  // the normal text colour, set by the test
        default: break;
        }
    }
    return f;
}

TEST_F(RichTextEditorTest, CommandsOnTheSelectionFollowTheToggleSizeAndColourRules)
{
    using Command = void (TRichTextEditor::*)();
    struct Case {
        const char *name;
        QTextCharFormat initial;
        Command command;
        std::vector<std::string> afterEachPress;
    };
    const Case cases[] = {
        {"Pogrubienie twice on plain text", styled(""), &TRichTextEditor::BitBtn1Click, {"10 b", "10"}},
        {"Pogrubienie on bold and underlined text removes only the bold", styled("bu"), &TRichTextEditor::BitBtn1Click, {"10 u", "10 b u"}},
        {"Pogrubienie on bold, italic, underlined text", styled("biu"), &TRichTextEditor::BitBtn1Click, {"10 i u"}},
        {"Pogrubienie on struck-out text only adds bold", styled("s"), &TRichTextEditor::BitBtn1Click, {"10 b s", "10 b s"}},
        {"Pogrubienie on bold struck-out text keeps the bold", styled("bs"), &TRichTextEditor::BitBtn1Click, {"10 b s"}},
        {"Podkreślenie twice on plain text", styled(""), &TRichTextEditor::BitBtn2Click, {"10 u", "10"}},
        {"Podkreślenie on italic underlined text removes only the underline", styled("iu"), &TRichTextEditor::BitBtn2Click, {"10 i"}},
        {"Podkreślenie on struck-out underlined text keeps it", styled("us"), &TRichTextEditor::BitBtn2Click, {"10 u s"}},
        {"Kursywa twice on plain text", styled(""), &TRichTextEditor::BitBtn3Click, {"10 i", "10"}},
        {"Kursywa on bold italic text removes only the italic", styled("bi"), &TRichTextEditor::BitBtn3Click, {"10 b"}},
        {"Kursywa on struck-out text only adds", styled("s"), &TRichTextEditor::BitBtn3Click, {"10 i s", "10 i s"}},
        {"Powiększ adds a point each time", styled("b"), &TRichTextEditor::BitBtn4Click, {"11 b", "12 b"}},
        {"Powiększ on a half-point size", styled("", 10.5), &TRichTextEditor::BitBtn4Click, {"11.5"}},
        {"Pomniejsz takes a point each time", styled("u"), &TRichTextEditor::BitBtn5Click, {"9 u", "8 u"}},
        {"Pomniejsz stops at the editor's smallest size", styled("", 2), &TRichTextEditor::BitBtn5Click, {"1", "1"}},
        {"Powiększ stops at the editor's largest size", styled("", 1638), &TRichTextEditor::BitBtn4Click, {"1638"}},
        {"Kolor on normal text gives magenta, then normal again", styled(""), &TRichTextEditor::BitBtn6Click, {"10 fg=#ff00ff", "10"}},
        {"Kolor on red text gives the normal colour", styled("r"), &TRichTextEditor::BitBtn6Click, {"10", "10 fg=#ff00ff"}},
        {"Kolor on text coloured with the normal colour gives magenta", styled("n"), &TRichTextEditor::BitBtn6Click, {"10 fg=#ff00ff"}},
        {"Kolor keeps the styles", styled("bis"), &TRichTextEditor::BitBtn6Click, {"10 b i s fg=#ff00ff"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TOrzeczeniaDodaj e;
        QTextCharFormat initial = c.initial;
        if (initial.foreground().style() != Qt::NoBrush && initial.foreground().color() == kNormalMarker)
            initial.setForeground(e.RichEdit1->palette().color(QPalette::Text));
        QTextCursor cursor = e.RichEdit1->textCursor();
        cursor.insertText(QStringLiteral("Sąd orzekł"), initial);
        cursor.select(QTextCursor::Document);
        e.RichEdit1->setTextCursor(cursor);
        for (const std::string &expected : c.afterEachPress) {
            (e.*c.command)();
            EXPECT_EQ(textFormats(e), expected);
        }
        EXPECT_EQ(e.RichEdit1->toPlainText(), QStringLiteral("Sąd orzekł"));
    }
}

TEST_F(RichTextEditorTest, CommandsWorkOnTheSelectionOnly)
{
    TOrzeczeniaDodaj e;
    QTextCursor cursor = e.RichEdit1->textCursor();
    cursor.insertText(QStringLiteral("jeden dwa trzy"), styled(""));
    cursor.setPosition(6);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    e.RichEdit1->setTextCursor(cursor);
    e.BitBtn1Click();
    e.BitBtn4Click();
    e.BitBtn6Click();
    EXPECT_EQ(textFormats(e), "10 | 11 b fg=#ff00ff | 10");
}

TEST_F(RichTextEditorTest, StyleSetOfAMixedSelectionHoldsOnlyWhatAllOfItCarries)
{
    // Half of the selection is bold: the selection is not bold, so
    // "Pogrubienie" makes all of it bold; the underline of the first half stays.
    TOrzeczeniaDodaj e;
    QTextCursor cursor = e.RichEdit1->textCursor();
    cursor.insertText(QStringLiteral("abc"), styled("bu"));
    cursor.insertText(QStringLiteral("def"), styled(""));
    cursor.select(QTextCursor::Document);
    e.RichEdit1->setTextCursor(cursor);
    e.BitBtn1Click();
    EXPECT_EQ(textFormats(e), "10 b u | 10 b");
    // Partly coloured text is not all normal: "Kolor" returns all of it to normal.
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    e.RichEdit1->setTextCursor(cursor);
    e.BitBtn6Click();
    cursor.select(QTextCursor::Document);
    e.RichEdit1->setTextCursor(cursor);
    e.BitBtn6Click();
    EXPECT_EQ(textFormats(e), "10 b u | 10 b");
}

TEST_F(RichTextEditorTest, WithoutSelectionTheCommandsSetTheFormatOfTheTextTypedNext)
{
    TOrzeczeniaDodaj e;
    e.show();
    e.RichEdit1->setFocus();
    QTest::keyClicks(e.RichEdit1, QStringLiteral("ab"));
    e.BitBtn1Click();
    e.BitBtn3Click();
    e.BitBtn4Click();
    e.BitBtn6Click();
    EXPECT_EQ(describe(e.RichEdit1->currentCharFormat(), e.RichEdit1->document()->defaultFont()), "11 b i fg=#ff00ff");
    QTest::keyClicks(e.RichEdit1, QStringLiteral("cd"));
    e.BitBtn6Click();
    e.BitBtn1Click();
    QTest::keyClicks(e.RichEdit1, QStringLiteral("ef"));
    EXPECT_EQ(e.RichEdit1->toPlainText(), QStringLiteral("abcdef"));
    EXPECT_EQ(textFormats(e), "10 | 11 b i fg=#ff00ff | 11 i");
}

TEST_F(RichTextEditorTest, StyleTogglesGiveTheFocusBackToTheEditorSizeAndColourKeepItOnTheButton)
{
    TOrzeczeniaDodaj e;
    e.show();
    QApplication::setActiveWindow(&e);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&e));
    struct Case {
        QPushButton *button;
        QWidget *focus;
    };
    const Case cases[] = {
        {e.BitBtn1, e.RichEdit1}, {e.BitBtn2, e.RichEdit1}, {e.BitBtn3, e.RichEdit1},
        {e.BitBtn4, e.BitBtn4},   {e.BitBtn5, e.BitBtn5},   {e.BitBtn6, e.BitBtn6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button->text().toStdString());
        e.RichEdit1->setFocus();
        QTest::mouseClick(c.button, Qt::LeftButton);
        testsupport::pump();
        EXPECT_EQ(QApplication::focusWidget(), c.focus);
    }
}

// ---------------------------------------------------------------------------
// Opening, closing, documents and bounds

TEST_F(RichTextEditorTest, OkOnAnEmptyEditorHandsBackAnRtfDocumentOfEmptyText)
{
    TOrzeczeniaDodaj e;
    int result = -1;
    testsupport::withModal([&] { result = e.exec(); }, [&](QWidget *) { e.BitBtn9->click(); });
    EXPECT_EQ(result, QDialog::Accepted);
    const QByteArray saved = e.SaveToRtf();
    EXPECT_TRUE(rtf::isRtf(saved));
    QTextDocument doc;
    rtf::read(saved, doc);
    EXPECT_TRUE(doc.toPlainText().isEmpty());
}

TEST_F(RichTextEditorTest, AnulujAndTheCloseBoxCancel)
{
    const std::vector<std::pair<const char *, std::function<void(TRichTextEditor &)>>> ways = {
        {"Anuluj", [](TRichTextEditor &e) { e.BitBtn10->click(); }},
        {"close box", [](TRichTextEditor &e) { e.close(); }},
        {"Escape", [](TRichTextEditor &e) { QTest::keyClick(&e, Qt::Key_Escape); }},
    };
    for (const auto &[name, close] : ways) {
        SCOPED_TRACE(name);
        TNotatkiDodaj e;
        int result = -1;
        testsupport::withModal([&] { result = e.exec(); }, [&](QWidget *) { close(e); });
        EXPECT_EQ(result, QDialog::Rejected);
    }
}

TEST_F(RichTextEditorTest, LoadedDocumentKeepsItsFormattingThroughEditingAndSaving)
{
    const QByteArray stored =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}{\\colortbl ;\\red255\\green0\\blue255;}"
        "\\pard\\f0\\fs20 Wyrok \\b S\\'b9du\\b0  \\cf1\\ul z dnia\\cf0\\ulnone\\par\\qc\\fs28 Uzasadnienie\\par}";
    TOrzeczeniaDodaj first;
    first.RichEdit1->setPlainText(QStringLiteral("to be replaced"));
    first.LoadFromRtf(stored);
    EXPECT_EQ(first.RichEdit1->toPlainText(), QStringLiteral("Wyrok Sądu z dnia\nUzasadnienie"));
    EXPECT_EQ(textFormats(first), "10 | 10 b | 10 | 10 u fg=#ff00ff | 14");
    EXPECT_EQ(first.RichEdit1->document()->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);

    // Edit in one editor, reopen in a new one: the formatting survives.
    QTextCursor c = first.RichEdit1->textCursor();
    c.setPosition(0);
    c.setPosition(5, QTextCursor::KeepAnchor);
    first.RichEdit1->setTextCursor(c);
    first.BitBtn3Click();
    const QByteArray saved = first.SaveToRtf();

    TOrzeczeniaDodaj second;
    second.LoadFromRtf(saved);
    EXPECT_EQ(second.RichEdit1->toPlainText(), first.RichEdit1->toPlainText());
    EXPECT_EQ(textFormats(second), "10 i | 10 | 10 b | 10 | 10 u fg=#ff00ff | 14");
    EXPECT_EQ(second.SaveToRtf(), saved);
}

TEST_F(RichTextEditorTest, LoadingEmptyOrPlainBytes)
{
    TNotatkiDodaj e;
    e.LoadFromRtf(QStringLiteral("Notatka\nbez formatu ąę").toUtf8());
    EXPECT_EQ(e.RichEdit1->toPlainText(), QStringLiteral("Notatka\nbez formatu ąę"));
    EXPECT_EQ(textFormats(e), "10");

    e.LoadFromRtf(QByteArray());
    EXPECT_TRUE(e.RichEdit1->toPlainText().isEmpty());
    e.show();
    QTest::keyClicks(e.RichEdit1, QStringLiteral("nowa"));
    QTextDocument back;
    rtf::read(e.SaveToRtf(), back);
    EXPECT_EQ(back.toPlainText(), QStringLiteral("nowa"));
    const QTextCharFormat f = back.begin().begin().fragment().charFormat();
    EXPECT_EQ(f.fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
    EXPECT_EQ(f.fontPointSize(), 10.0);
}

TEST_F(RichTextEditorTest, OpensCentredOnItsOpenerOrAtTheBoundsItWasGiven)
{
    // The offscreen screen is 800 x 600: an opener inside it leaves room to
    // centre the editor without the screen's edges moving it.
    QWidget opener;
    opener.setGeometry(50, 2, 700, 596);
    opener.show();
    {
        TOrzeczeniaDodaj e(&opener);
        e.show();
        testsupport::pump();
        const QPoint d = e.frameGeometry().center() - opener.frameGeometry().center();
        EXPECT_LE(d.manhattanLength(), 4) << "centred on the opener";
        EXPECT_EQ(e.Bounds().size(), QSize(687, 600));
    }
    {
        TOrzeczeniaDodaj e(&opener);
        const QRect bounds(30, 40, 700, 500);
        e.SetBounds(bounds);
        e.show();
        testsupport::pump();
        EXPECT_EQ(e.Bounds(), bounds);
        e.SetBounds(QRect(10, 20, 800, 650));
        EXPECT_EQ(e.Bounds(), QRect(10, 20, 800, 650));
    }
}

} // namespace
