// The RTF reader: one pass over the bytes, a stack of group states, and a
// text cursor that builds the document as the text arrives.

#include "rtf.h"

#include "codepages.h"
#include "platform/text/cp1250.h"

#include <QColor>
#include <QList>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rtf {

namespace {

// Groups nested deeper than this share the state of the deepest one: their
// braces are still counted, so the text after them lands where it belongs.
constexpr int kMaxDepth = 256;
constexpr int kMaxUc = 16;             // \ucN beyond this is not a real fallback length
constexpr int kMaxHalfPoints = 3276;   // 1638 pt, the largest size rich-edit controls accept
constexpr int kMaxTabs = 64;
constexpr int kMaxTabTwips = 31680;    // 22 inches
constexpr int kMaxColours = 65536;
constexpr int kMaxFontNameBytes = 256;
constexpr int kMaxWordLength = 32;
constexpr qint64 kParamLimit = 1'000'000'000;

enum class Dest : std::uint8_t { Text, FontTable, ColourTable, Skip };

// Character formats as RTF sees them: indexes into the tables, resolved to a
// QTextCharFormat only when text is written.
struct CharState {
    int font = -1;  // -1: the document's default font (\deff)
    int halfPoints = 24;
    int fg = 0;     // colour-table index, 0: automatic
    int bg = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool operator==(const CharState &) const = default;
};

struct CharStateHash {
    size_t operator()(const CharState &s) const
    {
        size_t h = std::hash<int>()(s.font);
        h = h * 31 + std::hash<int>()(s.halfPoints);
        h = h * 31 + std::hash<int>()(s.fg);
        h = h * 31 + std::hash<int>()(s.bg);
        h = h * 31 + (s.bold | s.italic << 1 | s.underline << 2 | s.strike << 3 | s.hidden << 4);
        return h;
    }
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    QList<QTextOption::Tab> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
};

struct Group {
    CharState ch;
    ParaState para;
    int uc = 1;
    Dest dest = Dest::Text;
};

struct Font {
    QString name;
    int codePage = 0;  // 0: the document's code page
};

// Control words the reader acts on.
enum class Word : std::uint8_t {
    Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U, Bin,
    FontTable, ColourTable, SkipDest,
    F, FCharset, Cpg, Red, Green, Blue,
    Plain, B, I, Ul, UlNone, Strike, V, Fs, Cf, Bg,
    Pard, Ql, Qr, Qc, Qj, Tx, Tb, Tqr, Tqc, Tqdec,
    Par, Line, Tab, Cell, Char,
};

struct WordInfo {
    Word word;
    char16_t ch = 0;  // for Word::Char
};

const std::unordered_map<std::string_view, WordInfo> &words()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t;
        auto add = [&t](std::string_view w, Word k, char16_t c = 0) { t.emplace(w, WordInfo{k, c}); };
        add("ansi", Word::Ansi);
        add("mac", Word::Mac);
        add("pc", Word::Pc);
        add("pca", Word::Pca);
        add("ansicpg", Word::AnsiCpg);
        add("deff", Word::Deff);
        add("uc", Word::Uc);
        add("u", Word::U);
        add("bin", Word::Bin);
        add("fonttbl", Word::FontTable);
        add("colortbl", Word::ColourTable);
        // Destinations whose content is not body text.
        for (std::string_view w : {"info", "stylesheet", "pict", "object", "header", "headerl", "headerr",
                                   "headerf", "footer", "footerl", "footerr", "footerf", "footnote",
                                   "annotation", "fldinst", "xe", "tc", "txe", "listtable",
                                   "listoverridetable", "revtbl", "rsidtbl", "filetbl", "pn", "pntxta",
                                   "pntxtb", "shprslt", "nonshppict", "themedata", "colorschememapping",
                                   "datastore", "latentstyles", "generator", "xmlnstbl", "mmathPr",
                                   "pgdsctbl", "bkmkstart", "bkmkend", "template", "docvar", "userprops"})
            add(w, Word::SkipDest);
        add("f", Word::F);
        add("fcharset", Word::FCharset);
        add("cpg", Word::Cpg);
        add("red", Word::Red);
        add("green", Word::Green);
        add("blue", Word::Blue);
        add("plain", Word::Plain);
        add("b", Word::B);
        add("i", Word::I);
        for (std::string_view w : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash",
                                   "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash",
                                   "ululdbwave", "ulw", "ulwave"})
            add(w, Word::Ul);
        add("ulnone", Word::UlNone);
        add("strike", Word::Strike);
        add("striked", Word::Strike);
        add("v", Word::V);
        add("fs", Word::Fs);
        add("cf", Word::Cf);
        add("highlight", Word::Bg);
        add("cb", Word::Bg);
        add("chcbpat", Word::Bg);
        add("pard", Word::Pard);
        add("ql", Word::Ql);
        add("qr", Word::Qr);
        add("qc", Word::Qc);
        add("qj", Word::Qj);
        add("tx", Word::Tx);
        add("tb", Word::Tb);
        add("tqr", Word::Tqr);
        add("tqc", Word::Tqc);
        add("tqdec", Word::Tqdec);
        add("par", Word::Par);
        add("sect", Word::Par);
        add("page", Word::Par);
        add("row", Word::Par);
        add("nestrow", Word::Par);
        add("line", Word::Line);
        add("tab", Word::Tab);
        add("cell", Word::Cell);
        add("nestcell", Word::Cell);
        add("emdash", Word::Char, 0x2014);
        add("endash", Word::Char, 0x2013);
        add("emspace", Word::Char, 0x2003);
        add("enspace", Word::Char, 0x2002);
        add("qmspace", Word::Char, 0x2005);
        add("bullet", Word::Char, 0x2022);
        add("lquote", Word::Char, 0x2018);
        add("rquote", Word::Char, 0x2019);
        add("ldblquote", Word::Char, 0x201C);
        add("rdblquote", Word::Char, 0x201D);
        add("zwj", Word::Char, 0x200D);
        add("zwnj", Word::Char, 0x200C);
        add("ltrmark", Word::Char, 0x200E);
        add("rtlmark", Word::Char, 0x200F);
        return t;
    }();
    return table;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int clampToInt(qint64 v) { return static_cast<int>(std::clamp<qint64>(v, INT_MIN, INT_MAX)); }

class Reader {
public:
    Reader(QByteArrayView bytes, QTextDocument &doc) : p_(bytes.data()), end_(bytes.data() + bytes.size()), doc_(doc), cursor_(&doc)
    {
        stack_.reserve(kMaxDepth + 1);
        stack_.push_back(Group{});  // the state outside the document's outermost group
    }

    void run()
    {
        while (p_ < end_) {
            const char c = *p_;
            switch (c) {
            case '{':
                ++p_;
                skip_ = 0;
                openGroup();
                break;
            case '}':
                ++p_;
                skip_ = 0;
                closeGroup();
                break;
            case '\\':
                ++p_;
                control();
                break;
            case '\r':
            case '\n':
            case '\0':
                ++p_;
                break;
            default:
                // Other raw control bytes are no text (a writer drops them
                // too, so keeping them would change a document on every
                // round trip); a raw tab counts as a tab.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
                    ++p_;
                    break;
                }
                plainText();
                break;
            }
        }
        finish();
    }

private:
    Group &g() { return stack_.back(); }

    // ---- groups

    void openGroup()
    {
        if (static_cast<int>(stack_.size()) > kMaxDepth) {
            ++overflow_;
            return;
        }
        Group copy = g();
        stack_.push_back(std::move(copy));
    }

    void closeGroup()
    {
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.size() <= 1)
            return;  // a closing brace too many: ignored
        const Dest closing = g().dest;
        if (closing == Dest::FontTable)
            commitFont();
        stack_.pop_back();
        ++paraSerial_;
    }

    // ---- lexing

    void plainText()
    {
        const char *start = p_;
        while (p_ < end_) {
            const char c = *p_;
            if (c == '{' || c == '}' || c == '\\' || (static_cast<unsigned char>(c) < 0x20 && c != '\t'))
                break;
            ++p_;
        }
        const char *b = start;
        qsizetype n = p_ - start;
        if (skip_ > 0) {
            const qsizetype k = std::min<qsizetype>(skip_, n);
            skip_ -= static_cast<int>(k);
            b += k;
            n -= k;
        }
        if (n > 0)
            textBytes(b, n);
    }

    void control()
    {
        if (p_ >= end_)
            return;
        const char c = *p_;
        if (isLetter(c)) {
            const char *start = p_;
            while (p_ < end_ && isLetter(*p_))
                ++p_;
            const std::string_view name(start, static_cast<size_t>(p_ - start));
            bool hasParam = false;
            qint64 param = 0;
            if (p_ < end_ && (isDigit(*p_) || (*p_ == '-' && p_ + 1 < end_ && isDigit(p_[1])))) {
                const bool negative = *p_ == '-';
                if (negative)
                    ++p_;
                hasParam = true;
                while (p_ < end_ && isDigit(*p_)) {
                    if (param < kParamLimit * 10)
                        param = param * 10 + (*p_ - '0');
                    ++p_;
                }
                if (negative)
                    param = -param;
            }
            if (p_ < end_ && *p_ == ' ')
                ++p_;  // the delimiter space belongs to the control word
            controlWord(name, hasParam, param);
            return;
        }
        ++p_;
        if (c == '\'') {
            if (end_ - p_ >= 2) {
                const int hi = hexValue(p_[0]);
                const int lo = hexValue(p_[1]);
                if (hi >= 0 && lo >= 0) {
                    p_ += 2;
                    if (skip_ > 0) {
                        --skip_;
                        return;
                    }
                    const char byte = static_cast<char>(hi * 16 + lo);
                    textBytes(&byte, 1);
                    return;
                }
            }
            // A broken escape: a first hex digit belongs to it, anything
            // else is read as it is.
            if (p_ < end_ && hexValue(*p_) >= 0)
                ++p_;
            return;
        }
        if (skip_ > 0) {
            --skip_;
            return;
        }
        controlSymbol(c);
    }

    void controlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            textBytes(&c, 1);
            break;
        case '~':
            textChar(0x00A0);
            break;
        case '-':
            textChar(0x00AD);
            break;
        case '_':
            textChar(0x2011);
            break;
        case '*':
            g().dest = Dest::Skip;
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        case '\t':
            textChar('\t');
            break;
        default:
            break;  // \| \: and unknown symbols
        }
    }

    void controlWord(std::string_view name, bool hasParam, qint64 param64)
    {
        const auto &table = words();
        const auto it = name.size() <= static_cast<size_t>(kMaxWordLength) ? table.find(name) : table.end();
        const int param = clampToInt(param64);
        if (skip_ > 0) {
            // A control word inside a \u fallback counts as one unit and is
            // not obeyed; \bin still owns its data.
            --skip_;
            if (it != table.end() && it->second.word == Word::Bin)
                skipBinary(hasParam ? param64 : 0);
            return;
        }
        if (it == table.end())
            return;  // unknown words are ignored
        const Word w = it->second.word;
        Group &gr = g();

        if (w == Word::Bin) {
            skipBinary(hasParam ? param64 : 0);
            return;
        }
        if (gr.dest == Dest::Skip)
            return;

        switch (w) {
        case Word::Ansi:
            setDocumentCodePage(1252);
            return;
        case Word::Mac:
            setDocumentCodePage(10000);
            return;
        case Word::Pc:
            setDocumentCodePage(437);
            return;
        case Word::Pca:
            setDocumentCodePage(850);
            return;
        case Word::AnsiCpg:
            if (hasParam && param > 0 && codepages::known(param))
                setDocumentCodePage(param);
            return;
        case Word::Deff:
            if (hasParam && param >= 0) {
                deff_ = param;
                formats_.clear();
            }
            return;
        case Word::Uc:
            if (hasParam && param >= 0 && param <= kMaxUc)
                gr.uc = param;
            return;
        case Word::U:
            if (hasParam)
                unicode(param64);
            skip_ = gr.uc;
            return;
        case Word::FontTable:
            flushRun();
            gr.dest = Dest::FontTable;
            entryOpen_ = false;
            return;
        case Word::ColourTable:
            flushRun();
            gr.dest = Dest::ColourTable;
            colourSeen_ = false;
            red_ = green_ = blue_ = 0;
            return;
        case Word::SkipDest:
            gr.dest = Dest::Skip;
            return;
        default:
            break;
        }

        if (gr.dest == Dest::FontTable) {
            fontTableWord(w, hasParam, param);
            return;
        }
        if (gr.dest == Dest::ColourTable) {
            const int v = std::clamp(hasParam ? param : 0, 0, 255);
            if (w == Word::Red)
                red_ = v, colourSeen_ = true;
            else if (w == Word::Green)
                green_ = v, colourSeen_ = true;
            else if (w == Word::Blue)
                blue_ = v, colourSeen_ = true;
            return;
        }

        CharState &ch = gr.ch;
        const bool on = !hasParam || param != 0;
        if (w >= Word::Pard && w <= Word::Tqdec)
            ++paraSerial_;
        switch (w) {
        case Word::Plain:
            ch = CharState{};
            break;
        case Word::F:
            if (hasParam && fonts_.count(param))
                ch.font = param;
            break;
        case Word::B:
            ch.bold = on;
            break;
        case Word::I:
            ch.italic = on;
            break;
        case Word::Ul:
            ch.underline = on;
            break;
        case Word::UlNone:
            ch.underline = false;
            break;
        case Word::Strike:
            ch.strike = on;
            break;
        case Word::V:
            ch.hidden = on;
            break;
        case Word::Fs:
            if (!hasParam)
                ch.halfPoints = 24;
            else if (param > 0 && param <= kMaxHalfPoints)
                ch.halfPoints = param;
            break;
        case Word::Cf:
            if (hasParam && param >= 0 && (param == 0 || param < static_cast<int>(colours_.size())))
                ch.fg = param;
            break;
        case Word::Bg:
            if (hasParam && param >= 0 && (param == 0 || param < static_cast<int>(colours_.size())))
                ch.bg = param;
            break;
        case Word::Pard:
            gr.para = ParaState{};
            break;
        case Word::Ql:
            gr.para.alignment = Qt::AlignLeft;
            break;
        case Word::Qr:
            gr.para.alignment = Qt::AlignRight;
            break;
        case Word::Qc:
            gr.para.alignment = Qt::AlignHCenter;
            break;
        case Word::Qj:
            gr.para.alignment = Qt::AlignJustify;
            break;
        case Word::Tqr:
            gr.para.nextTabType = QTextOption::RightTab;
            break;
        case Word::Tqc:
            gr.para.nextTabType = QTextOption::CenterTab;
            break;
        case Word::Tqdec:
            gr.para.nextTabType = QTextOption::DelimiterTab;
            break;
        case Word::Tx:
        case Word::Tb:
            if (hasParam && param >= 0 && param <= kMaxTabTwips && gr.para.tabs.size() < kMaxTabs) {
                const auto type = w == Word::Tb ? QTextOption::LeftTab : gr.para.nextTabType;
                gr.para.tabs.append(QTextOption::Tab(param / 15.0, type, type == QTextOption::DelimiterTab ? QChar('.') : QChar()));
            }
            gr.para.nextTabType = QTextOption::LeftTab;
            break;
        case Word::Par:
            paragraph();
            break;
        case Word::Line:
            textChar(QChar::LineSeparator);
            break;
        case Word::Tab:
        case Word::Cell:
            textChar('\t');
            break;
        case Word::Char:
            textChar(it->second.ch);
            break;
        default:
            break;
        }
    }

    void skipBinary(qint64 count)
    {
        if (count <= 0)
            return;
        const qint64 left = end_ - p_;
        p_ += std::min(count, left);
    }

    void setDocumentCodePage(int cp)
    {
        documentCodePage_ = cp;
        formats_.clear();
    }

    // ---- font and colour tables

    void fontTableWord(Word w, bool hasParam, int param)
    {
        switch (w) {
        case Word::F:
            commitFont();
            if (hasParam && param >= 0) {
                entryOpen_ = true;
                entryId_ = param;
                entryCharsetCp_ = 0;
                entryCpg_ = 0;
                entryName_.clear();
                entryBytes_.clear();
            }
            break;
        case Word::FCharset:
            if (hasParam)
                entryCharsetCp_ = codepages::fromCharset(param);
            break;
        case Word::Cpg:
            if (hasParam && param > 0 && codepages::known(param))
                entryCpg_ = param;
            break;
        default:
            break;
        }
    }

    int entryCodePage() const
    {
        if (entryCpg_)
            return entryCpg_;
        if (entryCharsetCp_)
            return entryCharsetCp_;
        return documentCodePage_;
    }

    void fontNameBytes(const char *b, qsizetype n)
    {
        // Text after a ';' that no \f has opened belongs to no entry.
        for (qsizetype i = 0; i < n && entryOpen_; ++i) {
            if (b[i] == ';')
                commitFont();
            else if (entryBytes_.size() + entryName_.size() < kMaxFontNameBytes)
                entryBytes_.append(b[i]);
        }
    }

    void commitFont()
    {
        if (!entryOpen_)
            return;
        entryName_ += codepages::decode(entryBytes_, entryCodePage());
        entryBytes_.clear();
        Font f;
        f.name = entryName_.trimmed();
        f.codePage = entryCpg_ ? entryCpg_ : entryCharsetCp_;
        fonts_[entryId_] = f;
        entryOpen_ = false;
        formats_.clear();
    }

    void colourTableBytes(const char *b, qsizetype n)
    {
        for (qsizetype i = 0; i < n; ++i) {
            if (b[i] != ';')
                continue;
            if (colours_.size() < kMaxColours)
                colours_.push_back(colourSeen_ ? QColor(red_, green_, blue_) : QColor());
            colourSeen_ = false;
            red_ = green_ = blue_ = 0;
            formats_.clear();
        }
    }

    // ---- text

    void textBytes(const char *b, qsizetype n)
    {
        switch (g().dest) {
        case Dest::Text:
            break;
        case Dest::FontTable:
            fontNameBytes(b, n);
            return;
        case Dest::ColourTable:
            colourTableBytes(b, n);
            return;
        case Dest::Skip:
            return;
        }
        if (g().ch.hidden)
            return;
        beginText();
        const int cp = codePageOf(g().ch);
        if (!pending_.isEmpty() && cp != pendingCodePage_)
            decodePending();
        if (codepages::singleByte(cp)) {
            codepages::decodeAppend(QByteArrayView(b, n), cp, runText_);
            return;
        }
        // Bytes of a multi-byte code page are decoded together, as a
        // character's bytes may come from separate \'hh escapes.
        pendingCodePage_ = cp;
        pending_.append(b, n);
    }

    void textChar(char16_t c)
    {
        if (g().dest != Dest::Text || g().ch.hidden)
            return;
        beginText();
        decodePending();
        runText_.append(QChar(c));
    }

    void unicode(qint64 n)
    {
        if (n < 0)
            n += 65536;
        if (n < 0 || n > 0x10FFFF)
            return;
        if (g().dest == Dest::FontTable) {
            if (entryOpen_) {
                entryName_ += codepages::decode(entryBytes_, entryCodePage());
                entryBytes_.clear();
                const auto cp = static_cast<char32_t>(n);
                entryName_ += QString::fromUcs4(&cp, 1);
            }
            return;
        }
        if (g().dest != Dest::Text || g().ch.hidden)
            return;
        beginText();
        decodePending();
        const auto cp = static_cast<char32_t>(n);
        if (cp > 0xFFFF) {
            runText_.append(QChar::highSurrogate(cp));
            runText_.append(QChar::lowSurrogate(cp));
        } else {
            if (QChar::isSurrogate(cp))
                runSurrogates_ = true;
            runText_.append(QChar(static_cast<char16_t>(cp)));
        }
    }

    int codePageOf(const CharState &s) const
    {
        const auto it = fonts_.find(s.font < 0 ? deff_ : s.font);
        if (it != fonts_.end() && it->second.codePage)
            return it->second.codePage;
        return documentCodePage_;
    }

    // Called before any text is added: opens the paragraph a \par left
    // pending, and starts a new run when the format has changed.
    void beginText()
    {
        if (needBlock_) {
            flushRun();
            insertBlock();
            needBlock_ = false;
        }
        if (!(g().ch == runState_)) {
            flushRun();
            runState_ = g().ch;
        }
        if (paraSerial_ != lastParaSerial_) {
            lastPara_ = g().para;
            lastParaSerial_ = paraSerial_;
        }
        blockEmpty_ = false;
    }

    void decodePending()
    {
        if (pending_.isEmpty())
            return;
        codepages::decodeAppend(pending_, pendingCodePage_, runText_);
        pending_.resize(0);  // keeps the buffer for the next bytes
    }

    void flushRun()
    {
        decodePending();
        if (runText_.isEmpty())
            return;
        if (runSurrogates_) {
            // An unpaired surrogate cannot be shown; it becomes U+FFFD.
            for (qsizetype i = 0; i < runText_.size(); ++i) {
                const QChar c = runText_.at(i);
                if (c.isHighSurrogate() && i + 1 < runText_.size() && runText_.at(i + 1).isLowSurrogate())
                    ++i;
                else if (c.isSurrogate())
                    runText_[i] = QChar::ReplacementCharacter;
            }
            runSurrogates_ = false;
        }
        cursor_.insertText(runText_, charFormat(runState_));
        runText_.resize(0);
    }

    void paragraph()
    {
        if (g().dest != Dest::Text)
            return;
        if (needBlock_) {
            // The previous \par's paragraph is still empty: this \par ends it.
            flushRun();
            insertBlock();
        }
        flushRun();
        setBlockFormat(g().para);
        if (blockEmpty_)
            cursor_.setBlockCharFormat(charFormat(g().ch));
        needBlock_ = true;
    }

    void finish()
    {
        flushRun();
        // A paragraph without a closing \par keeps the paragraph format that
        // was in force when its text was read.
        if (!needBlock_ && !blockEmpty_)
            setBlockFormat(lastPara_);
    }

    // ---- formats

    static bool sameParagraphFormat(const ParaState &a, const ParaState &b)
    {
        return a.alignment == b.alignment && a.tabs == b.tabs;
    }

    const QTextBlockFormat &blockFormat(const ParaState &para)
    {
        if (!blockFormatValid_ || !sameParagraphFormat(para, blockFormatPara_)) {
            blockFormat_ = QTextBlockFormat();
            blockFormat_.setAlignment(para.alignment);
            if (!para.tabs.isEmpty())
                blockFormat_.setTabPositions(para.tabs);
            blockFormatPara_ = para;
            blockFormatValid_ = true;
        }
        return blockFormat_;
    }

    // A new paragraph starts with the paragraph format now in force; most
    // paragraphs end with the same one, and then need no second change.
    void insertBlock()
    {
        cursor_.insertBlock(blockFormat(g().para), charFormat(g().ch));
        blockPara_ = g().para;
        blockParaKnown_ = true;
        blockEmpty_ = true;
    }

    void setBlockFormat(const ParaState &para)
    {
        if (blockParaKnown_ && sameParagraphFormat(para, blockPara_))
            return;
        cursor_.setBlockFormat(blockFormat(para));
        blockPara_ = para;
        blockParaKnown_ = true;
    }

    QColor colour(int index) const
    {
        if (index <= 0 || index >= static_cast<int>(colours_.size()))
            return {};
        return colours_[index];
    }

    const QTextCharFormat &charFormat(const CharState &s)
    {
        auto it = formats_.find(s);
        if (it != formats_.end())
            return it->second;
        QTextCharFormat f;
        const auto font = fonts_.find(s.font < 0 ? deff_ : s.font);
        if (font != fonts_.end() && !font->second.name.isEmpty())
            f.setFontFamilies(QStringList{font->second.name});
        // Styles that are off are left unset: fewer properties make every
        // insertion of a run cheaper, and unset means off.
        f.setFontPointSize(s.halfPoints / 2.0);
        if (s.bold)
            f.setFontWeight(QFont::Bold);
        if (s.italic)
            f.setFontItalic(true);
        if (s.underline)
            f.setFontUnderline(true);
        if (s.strike)
            f.setFontStrikeOut(true);
        if (const QColor c = colour(s.fg); c.isValid())
            f.setForeground(c);
        if (const QColor c = colour(s.bg); c.isValid())
            f.setBackground(c);
        return formats_.emplace(s, f).first->second;
    }

    const char *p_;
    const char *end_;
    QTextDocument &doc_;
    QTextCursor cursor_;

    std::vector<Group> stack_;
    int overflow_ = 0;
    int skip_ = 0;  // \u fallback units still to skip

    int documentCodePage_ = 1252;
    int deff_ = 0;
    std::map<int, Font> fonts_;
    std::vector<QColor> colours_;

    bool entryOpen_ = false;
    int entryId_ = 0;
    int entryCharsetCp_ = 0;
    int entryCpg_ = 0;
    QString entryName_;
    QByteArray entryBytes_;

    bool colourSeen_ = false;
    int red_ = 0, green_ = 0, blue_ = 0;

    CharState runState_;
    QString runText_;
    bool runSurrogates_ = false;
    QByteArray pending_;
    int pendingCodePage_ = 1252;

    bool needBlock_ = false;   // a \par ended the last paragraph; the next text opens one
    bool blockEmpty_ = true;   // the current paragraph has no text yet
    ParaState lastPara_;       // the paragraph format when the last text was read
    // Counts the changes of the paragraph format in force, so that lastPara_
    // is copied only when it may differ.
    quint64 paraSerial_ = 1;
    quint64 lastParaSerial_ = 0;

    std::unordered_map<CharState, QTextCharFormat, CharStateHash> formats_;
    QTextBlockFormat blockFormat_;   // the last block format made, for blockFormatPara_
    ParaState blockFormatPara_;
    bool blockFormatValid_ = false;
    ParaState blockPara_;            // the paragraph format the current block has
    bool blockParaKnown_ = false;    // false for the document's first block
};

QString plainText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (utf8.hasError())
        s = text::decode(bytes);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

} // namespace

bool isRtf(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

void read(QByteArrayView bytes, QTextDocument &document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    if (!isRtf(bytes)) {
        if (!bytes.isEmpty()) {
            QTextCursor c(&document);
            c.insertText(plainText(bytes));
        }
    } else {
        // What isRtf allowed before the opening brace (a byte-order mark,
        // blanks) is not part of the document.
        bytes = bytes.sliced(bytes.indexOf('{'));
        QTextCursor batch(&document);
        batch.beginEditBlock();
        Reader(bytes, document).run();
        batch.endEditBlock();
    }
    document.setUndoRedoEnabled(undo);
}

} // namespace rtf
