#include "platform/rtf/rtf.h"

#include <QFont>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <future>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The formats of a character as one short text: family, size and the flags
// that are set, e.g. "Arial 10 b u fg=#ff00ff".
QString attributes(const QTextCharFormat &f)
{
    const QStringList families = f.fontFamilies().toStringList();
    QString s = families.isEmpty() ? QStringLiteral("-") : families.first();
    s += QLatin1Char(' ') + (f.hasProperty(QTextFormat::FontPointSize) ? QString::number(f.fontPointSize()) : QStringLiteral("-"));
    if (f.fontWeight() > QFont::Medium)
        s += QStringLiteral(" b");
    if (f.fontItalic())
        s += QStringLiteral(" i");
    if (f.fontUnderline())
        s += QStringLiteral(" u");
    if (f.fontStrikeOut())
        s += QStringLiteral(" s");
    if (f.foreground().style() != Qt::NoBrush)
        s += QStringLiteral(" fg=") + f.foreground().color().name();
    if (f.background().style() != Qt::NoBrush)
        s += QStringLiteral(" bg=") + f.background().color().name();
    return s;
}

// The document as text: one line per paragraph with its alignment, its tab
// stops (in twips) and its runs. Neighbouring runs of equal formats are one.
std::string dump(const QTextDocument &doc)
{
    QStringList lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
        QString line = (a & Qt::AlignJustify) ? QStringLiteral("J") : (a & Qt::AlignHCenter) ? QStringLiteral("C")
                                                                  : (a & Qt::AlignRight)     ? QStringLiteral("R")
                                                                                             : QStringLiteral("L");
        for (const QTextOption::Tab &t : bf.tabPositions()) {
            line += QStringLiteral(" tab") + QString::number(std::lround(t.position * 15));
            if (t.type == QTextOption::RightTab)
                line += QLatin1Char('r');
            else if (t.type == QTextOption::CenterTab)
                line += QLatin1Char('c');
            else if (t.type == QTextOption::DelimiterTab)
                line += QLatin1Char('d');
        }
        line += QLatin1Char(':');
        QString lastAttrs;
        QString text;
        auto flush = [&] {
            if (!lastAttrs.isNull())
                line += QStringLiteral(" [") + lastAttrs + QStringLiteral("]\"") + text + QLatin1Char('"');
            text.clear();
        };
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QString attrs = attributes(f.charFormat());
            if (attrs != lastAttrs) {
                flush();
                lastAttrs = attrs;
            }
            text += f.text();
        }
        flush();
        lines << line;
    }
    return lines.join(QLatin1Char('\n')).toStdString();
}

QByteArray writeRead(const QByteArray &bytes)
{
    QTextDocument doc;
    rtf::read(bytes, doc);
    return rtf::write(doc);
}

// ---------------------------------------------------------------------------
// Reader

struct ReadCase {
    const char *name;
    QByteArray rtf;
    std::string expected;  // dump() of the document read
};

// Windows rich-edit controls with a Polish locale write exactly this shape.
const QByteArray kRichEditPolish =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1045{\\fonttbl{\\f0\\fswiss\\fcharset238{\\*\\fname Arial;}Arial CE;}"
    "{\\f1\\fnil\\fcharset238 Tahoma;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue255;}\r\n"
    "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 Za\\'bf\\'f3\\'b3\\'e6 \\b "
    "g\\'ea\\'9cl\\'b9\\b0  \\ul ja\\'9f\\'f1\\ulnone\\par\r\n"
    "\\cf1\\i\\f1\\fs24 Orzeczenie s\\'b9du\\cf0\\i0\\par\r\n"
    "}\r\n";

const std::vector<ReadCase> &readCases()
{
    static const std::vector<ReadCase> cases = {
        {"rich-edit control, Polish in \\'hh of code page 1250", kRichEditPolish,
         "L: [Arial CE 10]\"Zażółć \" [Arial CE 10 b]\"gęślą\" [Arial CE 10]\" \" [Arial CE 10 u]\"jaźń\"\n"
         "L: [Tahoma 12 i fg=#ff00ff]\"Orzeczenie sądu\""},
        {"\\u escapes with \\uc1 fallbacks",
         "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\\f0\\fs22 "
         "Za\\u380?\\u243\\'f3\\u322?\\u263? g\\u281?\\u347?l\\u261? ja\\u378?\\u324?\\par}",
         "L: [Times New Roman 11]\"Zażółć gęślą jaźń\""},
        {"fallback skipping: \\uc0, \\uc2, control words, braces, scope, negative N, surrogate pairs",
         "{\\rtf1 a\\u160?c|{\\uc0\\u380 x}|{\\uc2\\u380\\'bf?y}|\\u380\\lquote z|{\\uc3\\u322{\\b w}}|"
         "\\u-10179?\\u-8704?|\\u8364 ?d}",
         "L: [- 12]\"a\u00A0c|żx|ży|żz|ł\" [- 12 b]\"w\" [- 12]\"|\U0001F600|€d\""},
        {"\\'hh in the code page of the current font, else \\ansicpg",
         "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil\\fcharset0 Arial;}"
         "{\\f2\\fnil\\fcharset204 Arial;}{\\f3\\fnil\\fcharset238\\cpg1257 Arial;}}"
         "\\f0\\'e6 \\f1\\'e6 \\f2\\'cf\\'f0\\'e8 \\f3\\'e6 \\f9\\'e6\\par}",
         "L: [Arial 12]\"ć æ При ę ę\""},
        {"8-bit text bytes in the document's code page",
         "{\\rtf1\\ansi\\ansicpg1250 Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9\\par}",
         "L: [- 12]\"Zażółć gęślą\""},
        {"\\plain resets character formats, \\pard only paragraph formats, colours and highlight",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
         "\\pard\\qc\\f1\\fs40\\b\\i\\ul\\strike\\cf1\\highlight2 A\\plain B\\par\r\n"
         "\\b C\\pard D\\par\r\n"
         "\\qr\\ulnone\\cf2 E\\cf0 F\\highlight2 G\\highlight0 H\\ul0 I\\par}",
         "C: [Courier New 20 b i u s fg=#ff0000 bg=#0000ff]\"A\" [Arial 12]\"B\"\n"
         "L: [Arial 12 b]\"CD\"\n"
         "R: [Arial 12 b fg=#0000ff]\"E\" [Arial 12 b]\"F\" [Arial 12 b bg=#0000ff]\"G\" [Arial 12 b]\"HI\""},
        {"ignorable destinations, \\info, \\stylesheet, \\pict, \\object, \\bin data holding braces",
         "{\\rtf1{\\*\\generator Writer;}{\\info{\\title Tytu\\'b3}{\\author Jan}}{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}}"
         "A{\\pict\\pngblip\\picw10 89504e47}B{\\object\\objemb{\\*\\objdata 0102}{\\result{\\pict 00}}}C"
         "{\\*\\unknown D}{\\unknownword E}F{\\pict\\bin4 }{}{}G{\\header Nag\\'b3\\'f3wek}H\\par}",
         "L: [- 12]\"ABCEFGH\""},
        {"font table without braces, font index not in the table, odd half-points",
         "{\\rtf1\\ansicpg1250{\\fonttbl\\f0\\froman Times New Roman;\\f1\\fswiss\\fcharset238 Arial;}\\f1\\fs21 a\\f7 b\\f0 c\\par}",
         "L: [Arial 10.5]\"ab\" [Times New Roman 10.5]\"c\""},
        {"font table entries without semicolons, a font name in \\'hh",
         "{\\rtf1\\ansicpg1250{\\fonttbl{\\f0 Arial}{\\f1\\fcharset238 Czcionka \\'bf\\'f3\\'b3ta}}\\f1 a\\f0 b}",
         "L: [Czcionka żółta 12]\"a\" [Arial 12]\"b\""},
        {"paragraphs: empty ones kept, a final \\par adds none; \\line and \\tab",
         "{\\rtf1 a\\par\\par b\\line c\\tab d\\par}", "L: [- 12]\"a\"\nL:\nL: [- 12]\"b\u2028c\td\""},
        {"a paragraph without \\par keeps its format", "{\\rtf1\\qc \\par a}", "C:\nC: [- 12]\"a\""},
        {"tab stops and their kinds",
         "{\\rtf1\\pard\\tx720\\tqr\\tx2880\\tqc\\tx4320\\tqdec\\tx5040 a\\tab b\\par}",
         "L tab720 tab2880r tab4320c tab5040d: [- 12]\"a\tb\""},
        {"nested groups restore their formats", "{\\rtf1{\\b a{\\i b}c}d}",
         "L: [- 12 b]\"a\" [- 12 b i]\"b\" [- 12 b]\"c\" [- 12]\"d\""},
        {"hidden text is not shown", "{\\rtf1 a{\\v hidden}b\\v c\\v0 d}", "L: [- 12]\"abd\""},
        {"control symbols and special characters",
         "{\\rtf1 \\{x\\}\\\\ a\\~b\\-c\\_d\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
         "L: [- 12]\"{x}\\ a\u00A0b\u00ADc\u2011d—–•‘’“”\""},
        {"a control word ends at one space or at the first other delimiter, which is kept",
         "{\\rtf1 \\b1x\\b0  y\\b-z\\b0\\'41}", "L: [- 12 b]\"x\" [- 12]\" y\" [- 12 b]\"-z\" [- 12]\"A\""},
        {"fields keep their shown result",
         "{\\rtf1{\\field{\\*\\fldinst{HYPERLINK \"http://example.com\"}}{\\fldrslt{\\ul link}}} x}",
         "L: [- 12 u]\"link\" [- 12]\" x\""},
        {"Word: panose, list table, paragraph and bidi words",
         "{\\rtf1\\ansi\\ansicpg1250\\uc1\\deff0{\\fonttbl{\\f0\\fbidi\\froman\\fcharset238\\fprq2{\\*\\panose "
         "02020603050405020304}Times New Roman;}}{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0"
         "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}}}\\pard\\plain \\ltrpar\\s0\\ql \\li0\\ri0\\sa160\\sl259"
         "\\slmult1 \\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\f0\\fs24\\lang1045 Zwyk\\'b3y {\\rtlch\\fcs1 \\ab \\ltrch\\fcs0 "
         "\\b pogrubiony}\\par}",
         "L: [Times New Roman 12]\"Zwykły \" [Times New Roman 12 b]\"pogrubiony\""},
        {"colour-table entry 0 with a colour; \\cf0 still means the automatic colour",
         "{\\rtf1{\\colortbl\\red1\\green2\\blue3;\\red0\\green128\\blue0;}\\cf1 a\\cf0 b\\cf9 c}",
         "L: [- 12 fg=#008000]\"a\" [- 12]\"bc\""},
        {"\\fs and \\plain: RTF's default size is 12 points", "{\\rtf1\\fs16 a\\fs b\\fs8 c\\plain d}",
         "L: [- 8]\"a\" [- 12]\"b\" [- 4]\"c\" [- 12]\"d\""},
        {"a byte-order mark and blanks before the document", "\xEF\xBB\xBF \r\n{\\rtf1 abc}", "L: [- 12]\"abc\""},
        {"raw control bytes are no text, also in font names",
         "{\\rtf1{\\fonttbl{\\f0 Ar\x01ial;}}\\f0 a\x01\x02" "b\x1F" "c}", "L: [Arial 12]\"abc\""},
    };
    return cases;
}

TEST(RtfRead, ReadsWhatRealProgramsWrite)
{
    for (const ReadCase &c : readCases()) {
        SCOPED_TRACE(c.name);
        QTextDocument doc;
        rtf::read(c.rtf, doc);
        EXPECT_EQ(dump(doc), c.expected);
    }
}

TEST(RtfRead, BytesThatAreNotRtfBecomePlainText)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"UTF-8", QStringLiteral("Zażółć\r\ngęślą\rjaźń").toUtf8(), QStringLiteral("Zażółć\ngęślą\njaźń")},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + QStringLiteral("ćma").toUtf8(), QStringLiteral("ćma")},
        {"Windows-1250", QByteArray("Za\xBF\xF3\xB3\xE6 {\\b x}"), QStringLiteral("Zażółć {\\b x}")},
        {"empty", QByteArray(), QString()},
        {"almost RTF", QByteArray("{\\rt f1 x}"), QStringLiteral("{\\rt f1 x}")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(rtf::isRtf(c.bytes));
        QTextDocument doc;
        rtf::read(c.bytes, doc);
        EXPECT_EQ(doc.toPlainText().toStdString(), c.text.toStdString());
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it)
                EXPECT_EQ(attributes(it.fragment().charFormat()).toStdString(), "- -") << "plain text carries no formats";
    }
    EXPECT_TRUE(rtf::isRtf(QByteArray(" \r\n{\\rtf1 x}")));
}

TEST(RtfRead, ReplacesTheWholeDocumentAndKeepsItsDefaultFont)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    doc.setPlainText(QStringLiteral("old text\nold"));
    rtf::read(QByteArray("{\\rtf1 new}"), doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("new"));
    EXPECT_EQ(doc.defaultFont().family(), QStringLiteral("Arial"));
    EXPECT_EQ(doc.defaultFont().pointSize(), 10);
    EXPECT_FALSE(doc.isUndoAvailable());
}

// ---------------------------------------------------------------------------
// Malformed input

// Runs the reader on another thread and fails when it does not come back;
// a reader that hangs would otherwise hold the whole test program.
QString readWithin(const QByteArray &bytes)
{
    auto job = std::async(std::launch::async, [bytes] {
        QTextDocument doc;
        rtf::read(bytes, doc);
        return doc.toPlainText();
    });
    if (job.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        std::cerr << "the RTF reader did not return\n";
        std::_Exit(1);
    }
    return job.get();
}

TEST(RtfRead, MalformedInputReturnsAndKeepsTheText)
{
    struct Case {
        const char *name;
        QByteArray rtf;
        QString text;
    };
    const QByteArray deepOpen = "{\\rtf1 " + QByteArray(200000, '{') + "deep text";
    const QByteArray deepBalanced = "{\\rtf1 " + QByteArray(5000, '{') + "\\b deep" + QByteArray(5000, '}') + " after}";
    const QByteArray longWord = "{\\rtf1 a\\" + QByteArray(100000, 'x') + " b}";
    const QByteArray longNumber = "{\\rtf1 a\\fs" + QByteArray(100000, '9') + " b}";
    const QByteArray semicolons = "{\\rtf1{\\fonttbl\\f0 A" + QByteArray(200000, ';') + "}{\\colortbl" +
                                  QByteArray(200000, ';') + "}text}";
    const Case cases[] = {
        {"closing braces too many", "{\\rtf1 a}} b}}}", QStringLiteral("a b")},
        {"closing braces missing", "{\\rtf1 {\\b bold {\\i more", QStringLiteral("bold more")},
        {"truncated in a control word", "{\\rtf1 abc\\par\\b", QStringLiteral("abc")},
        {"truncated in a hex escape", "{\\rtf1 abc\\'e", QStringLiteral("abc")},
        {"truncated after a backslash", "{\\rtf1 abc\\", QStringLiteral("abc")},
        {"truncated in a \\u fallback", "{\\rtf1 abc\\uc5\\u380", QStringLiteral("abcż")},
        {"bad hex digits", "{\\rtf1 a\\'zzb}", QStringLiteral("azzb")},
        {"huge numbers everywhere",
         "{\\rtf1 \\fs99999999999999999999 a\\f123456789012 b\\u99999999999?c\\cf4294967296 d\\uc99999 "
         "e\\highlight-7 f\\tx999999999999 g\\ansicpg77777777777 h\\deff-1 i\\li99999999999999999999999 j}",
         QStringLiteral("abcdefghij")},
        {"\\bin longer than the file", "{\\rtf1 a\\bin999999999999999 xyz}", QStringLiteral("a")},
        {"\\bin with a negative length", "{\\rtf1 a\\bin-5 b}", QStringLiteral("ab")},
        {"nesting 200,000 deep, never closed", deepOpen, QStringLiteral("deep text")},
        {"nesting 5,000 deep, closed", deepBalanced, QStringLiteral("deep after")},
        {"a control word of 100,000 letters", longWord, QStringLiteral("ab")},
        {"a parameter of 100,000 digits", longNumber, QStringLiteral("ab")},
        {"font and colour tables of 200,000 empty entries", semicolons, QStringLiteral("text")},
        {"NUL bytes inside", QByteArray("{\\rtf1 a\0b\0\0c}", 14), QStringLiteral("abc")},
        {"an unpaired surrogate", "{\\rtf1 \\u55357?x\\u-8704?y}", QStringLiteral("\uFFFDx\uFFFDy")},
        {"a font table never closed keeps the text after the document", "{\\rtf1{\\fonttbl{\\f0 Arial;}",
         QString()},
        {"text after the document's closing brace", "{\\rtf1 a}b", QStringLiteral("ab")},
        {"unknown words and destinations with text", "{\\rtf1 {\\foo bar}\\zzz9 {\\qqq baz}}", QStringLiteral("barbaz")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readWithin(c.rtf).toStdString(), c.text.toStdString());
    }
}

// Damaged copies of a real document (bytes flipped, cut, braces inserted)
// must all be read without a crash and must never hang.
TEST(RtfRead, DamagedDocumentsNeverCrashOrHang)
{
    QByteArray base = kRichEditPolish;
    for (const ReadCase &c : readCases())
        base += c.rtf;
    QRandomGenerator rng(20061231);
    const char specials[] = "{}\\'*;0123456789-u ";
    for (int round = 0; round < 300; ++round) {
        QByteArray b = base;
        const int edits = 1 + rng.bounded(20);
        for (int e = 0; e < edits; ++e) {
            const int pos = rng.bounded(b.size());
            switch (rng.bounded(4)) {
            case 0: b[pos] = char(rng.bounded(256)); break;
            case 1: b[pos] = specials[rng.bounded(int(sizeof specials - 1))]; break;
            case 2: b.insert(pos, specials[rng.bounded(int(sizeof specials - 1))]); break;
            case 3: b.truncate(std::max(6, pos)); break;
            }
        }
        const QString text = readWithin(b);
        (void)text;
        // Whatever was read can be written and read again.
        EXPECT_FALSE(writeRead(b).isEmpty());
    }
}

// ---------------------------------------------------------------------------
// Writer

TEST(RtfWrite, WritesStandardPureAsciiRtf)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("Zażółć "));
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    f.setForeground(QColor(255, 0, 255));
    c.insertText(QStringLiteral("{a\\b}\t中"), f);
    const QByteArray expected =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}"
        "{\\colortbl ;\\red255\\green0\\blue255;}\r\n"
        "\\pard\\ql{\\f0\\fs20 Za\\u380\\'bf\\u243\\'f3\\u322\\'b3\\u263\\'e6 }"
        "{\\f0\\fs20\\b\\cf1 \\{a\\\\b\\}\\tab \\u20013?}\\par\r\n"
        "}\r\n";
    EXPECT_EQ(rtf::write(doc).toStdString(), expected.toStdString());
}

TEST(RtfWrite, EmptyDocumentGivesACompleteRtfDocumentOfEmptyText)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    const QByteArray out = rtf::write(doc);
    EXPECT_EQ(out.toStdString(),
              "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}{\\colortbl ;}\r\n"
              "\\pard\\ql{\\f0\\fs20 \\par}\r\n}\r\n");
    QTextDocument back;
    rtf::read(out, back);
    EXPECT_EQ(back.blockCount(), 1);
    EXPECT_TRUE(back.toPlainText().isEmpty());
}

// ---------------------------------------------------------------------------
// Round trip

// A document with every format the writer carries.
void fillEveryFormat(QTextDocument &doc)
{
    doc.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor c(&doc);
    auto fmt = [](const char *family, double size) {
        QTextCharFormat f;
        f.setFontFamilies(QStringList{QString::fromLatin1(family)});
        f.setFontPointSize(size);
        f.setFontWeight(QFont::Normal);
        f.setFontItalic(false);
        f.setFontUnderline(false);
        f.setFontStrikeOut(false);
        return f;
    };
    QTextBlockFormat first;
    first.setAlignment(Qt::AlignLeft);
    first.setTabPositions({QTextOption::Tab(48, QTextOption::LeftTab), QTextOption::Tab(192, QTextOption::RightTab),
                           QTextOption::Tab(288, QTextOption::CenterTab),
                           QTextOption::Tab(336, QTextOption::DelimiterTab, QChar('.'))});
    c.setBlockFormat(first);
    c.insertText(QStringLiteral("Zwykły "), fmt("Arial", 10));
    QTextCharFormat f = fmt("Arial", 10);
    f.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("pogrubiony "), f);
    f = fmt("Times New Roman", 12);
    f.setFontItalic(true);
    c.insertText(QStringLiteral("kursywa "), f);
    f = fmt("Courier New", 8);
    f.setFontUnderline(true);
    c.insertText(QStringLiteral("podkreślenie "), f);
    f = fmt("Arial", 24);
    f.setFontStrikeOut(true);
    c.insertText(QStringLiteral("przekreślenie "), f);
    f = fmt("Tahoma", 10.5);
    f.setFontWeight(QFont::Bold);
    f.setFontItalic(true);
    f.setFontUnderline(true);
    f.setFontStrikeOut(true);
    c.insertText(QStringLiteral("wszystko "), f);
    f = fmt("Arial", 10);
    f.setForeground(QColor(255, 0, 255));
    c.insertText(QStringLiteral("magenta "), f);
    f = fmt("Arial", 10);
    f.setForeground(QColor(200, 10, 20));
    f.setBackground(QColor(255, 255, 0));
    c.insertText(QStringLiteral("tło "), f);
    f = fmt("Arial", 10);
    f.setBackground(QColor(255, 0, 255));
    c.insertText(QStringLiteral("\\{}\tA\u2028B ñ中\U0001F600 €„”–"), f);

    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centre, fmt("Arial", 10));
    c.insertText(QStringLiteral("Środek"), fmt("Verdana", 14));
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    c.insertBlock(left, fmt("Arial", 16));  // an empty paragraph of 16-point text
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.insertBlock(right, fmt("Arial", 10));
    c.insertText(QStringLiteral("Prawo"), fmt("Arial", 10));
    QTextBlockFormat justify;
    justify.setAlignment(Qt::AlignJustify);
    c.insertBlock(justify, fmt("Arial", 10));
    c.insertText(QStringLiteral("Wyjustowany"), fmt("Arial", 10));
    c.insertBlock(left, fmt("Arial", 10));  // a last, empty paragraph
}

std::string emptyBlockFormats(const QTextDocument &doc)
{
    std::string s;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.length() == 1)
            s += attributes(b.charFormat()).toStdString() + ";";
    return s;
}

TEST(RtfRoundTrip, EveryFormatSurvivesWriteThenRead)
{
    QTextDocument original;
    fillEveryFormat(original);
    const QByteArray bytes = rtf::write(original);
    for (const char ch : bytes)
        ASSERT_LT(static_cast<unsigned char>(ch), 0x80) << "the writer emits pure ASCII";
    ASSERT_TRUE(bytes.startsWith("{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1"));

    QTextDocument back;
    rtf::read(bytes, back);
    EXPECT_EQ(dump(back), dump(original));
    EXPECT_EQ(emptyBlockFormats(back), emptyBlockFormats(original));
    EXPECT_EQ(back.blockCount(), original.blockCount());

    // Written again, the document read gives the same bytes.
    EXPECT_EQ(rtf::write(back).toStdString(), bytes.toStdString());
}

TEST(RtfRoundTrip, WritingAReadDocumentAgainGivesTheSameBytes)
{
    for (const ReadCase &c : readCases()) {
        SCOPED_TRACE(c.name);
        const QByteArray once = writeRead(c.rtf);
        EXPECT_EQ(writeRead(once).toStdString(), once.toStdString());
        // The written document reads back as the original did; runs that had
        // no font of their own now name the document's default font.
        QTextDocument a, b;
        a.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
        rtf::read(c.rtf, a);
        rtf::read(rtf::write(a), b);
        const std::string expected = QString::fromStdString(dump(a)).replace(QStringLiteral("[- "), QStringLiteral("[Arial ")).toStdString();
        EXPECT_EQ(dump(b), expected);
    }
}

TEST(RtfRoundTrip, RunsWithoutOwnFormatsTakeTheDocumentDefault)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 13));
    doc.setPlainText(QStringLiteral("bez formatu"));
    QTextDocument back;
    rtf::read(rtf::write(doc), back);
    EXPECT_EQ(dump(back), "L: [Times New Roman 13]\"bez formatu\"");
}

} // namespace
