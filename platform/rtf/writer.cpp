// The RTF writer: the body is written first while the font and colour tables
// fill in order of first use; the header with both tables goes in front.

#include "rtf.h"

#include "platform/text/cp1250.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace rtf {

namespace {

// The formats of one run as the writer emits them.
struct Run {
    QString family;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QRgb fg = 0;
    QRgb bg = 0;
    bool hasFg = false;
    bool hasBg = false;
    bool operator==(const Run &) const = default;
};

QString familyOf(const QTextCharFormat &f, const QFont &fallback)
{
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    if (f.hasProperty(QTextFormat::FontFamily)) {
        const QString family = f.stringProperty(QTextFormat::FontFamily);
        if (!family.isEmpty())
            return family;
    }
    const QStringList defaults = fallback.families();
    return defaults.isEmpty() ? fallback.family() : defaults.first();
}

bool brushColour(const QTextCharFormat &f, QTextFormat::Property property, QRgb &out)
{
    if (!f.hasProperty(property))
        return false;
    const QBrush b = f.brushProperty(property);
    if (b.style() == Qt::NoBrush)
        return false;
    out = b.color().rgb() | 0xFF000000u;
    return true;
}

Run runOf(const QTextCharFormat &f, const QFont &base)
{
    Run r;
    r.family = familyOf(f, base);
    double points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : base.pointSizeF();
    if (points <= 0)
        points = 12;
    r.halfPoints = std::max(1, static_cast<int>(std::lround(points * 2)));
    r.bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() > QFont::Medium : base.bold();
    r.italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : base.italic();
    r.underline = (f.hasProperty(QTextFormat::TextUnderlineStyle) || f.hasProperty(QTextFormat::FontUnderline))
                      ? f.fontUnderline()
                      : base.underline();
    r.strike = f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : base.strikeOut();
    r.hasFg = brushColour(f, QTextFormat::ForegroundBrush, r.fg);
    r.hasBg = brushColour(f, QTextFormat::BackgroundBrush, r.bg);
    return r;
}

class Writer {
public:
    explicit Writer(const QTextDocument &doc) : doc_(doc), base_(doc.defaultFont()) {}

    QByteArray run()
    {
        body_.reserve(static_cast<size_t>(doc_.characterCount()) * 2 + 256);
        for (QTextBlock block = doc_.begin(); block.isValid(); block = block.next())
            paragraph(block);

        std::string out;
        out.reserve(body_.size() + 512);
        out += "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1{\\fonttbl";
        if (fonts_.empty())
            fontIndex(runOf(QTextCharFormat(), base_).family);
        for (size_t i = 0; i < fonts_.size(); ++i) {
            out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset238 ";
            out += fontName(fonts_[i]);
            out += ";}";
        }
        out += "}{\\colortbl ;";
        for (QRgb c : colours_)
            out += "\\red" + std::to_string(qRed(c)) + "\\green" + std::to_string(qGreen(c)) + "\\blue" +
                   std::to_string(qBlue(c)) + ';';
        out += "}\r\n";
        out += body_;
        out += "}\r\n";
        return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
    }

private:
    void paragraph(const QTextBlock &block)
    {
        const QTextBlockFormat bf = block.blockFormat();
        body_ += "\\pard";
        const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignJustify)
            body_ += "\\qj";
        else if (a & Qt::AlignHCenter)
            body_ += "\\qc";
        else if (a & Qt::AlignRight)
            body_ += "\\qr";
        else
            body_ += "\\ql";
        if (bf.hasProperty(QTextFormat::TabPositions)) {
            for (const QTextOption::Tab &tab : bf.tabPositions()) {
                if (tab.type == QTextOption::RightTab)
                    body_ += "\\tqr";
                else if (tab.type == QTextOption::CenterTab)
                    body_ += "\\tqc";
                else if (tab.type == QTextOption::DelimiterTab)
                    body_ += "\\tqdec";
                body_ += "\\tx" + std::to_string(std::lround(tab.position * 15));
            }
        }

        // Neighbouring fragments that differ only in formats RTF does not
        // carry are written as one run.
        const QString blockText = block.text();
        const int blockStart = block.position();
        int current = -1;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid() || frag.length() == 0)
                continue;
            const int r = runIdOf(frag.charFormatIndex(), [&frag] { return frag.charFormat(); });
            if (r != current) {
                if (current >= 0)
                    body_ += '}';
                openRun(r);
                current = r;
            }
            text(QStringView(blockText).sliced(frag.position() - blockStart, frag.length()));
        }
        if (current >= 0) {
            body_ += "}\\par\r\n";
        } else {
            // An empty paragraph: its mark carries the format the empty line has.
            openRun(runIdOf(block.charFormatIndex(), [&block] { return block.charFormat(); }));
            body_ += "\\par}\r\n";
        }
    }

    // The run of a format of the document, worked out once per format.
    template <class FormatFn>
    int runIdOf(int formatIndex, FormatFn format)
    {
        if (formatIndex >= 0 && formatIndex < static_cast<int>(byFormat_.size()) && byFormat_[formatIndex] >= 0)
            return byFormat_[formatIndex];
        const Run r = runOf(format(), base_);
        int id = static_cast<int>(std::find(runs_.begin(), runs_.end(), r) - runs_.begin());
        if (id == static_cast<int>(runs_.size())) {
            runs_.push_back(r);
            headers_.emplace_back();
        }
        if (formatIndex >= 0) {
            if (formatIndex >= static_cast<int>(byFormat_.size()))
                byFormat_.resize(formatIndex + 1, -1);
            byFormat_[formatIndex] = id;
        }
        return id;
    }

    void openRun(int id)
    {
        std::string &h = headers_[id];
        if (h.empty()) {
            // Fonts and colours get their table numbers when first written.
            const Run &r = runs_[id];
            h = "{\\f" + std::to_string(fontIndex(r.family));
            h += "\\fs" + std::to_string(r.halfPoints);
            if (r.bold)
                h += "\\b";
            if (r.italic)
                h += "\\i";
            if (r.underline)
                h += "\\ul";
            if (r.strike)
                h += "\\strike";
            if (r.hasFg)
                h += "\\cf" + std::to_string(colourIndex(r.fg));
            if (r.hasBg)
                h += "\\highlight" + std::to_string(colourIndex(r.bg));
            h += ' ';
        }
        body_ += h;
    }

    void text(QStringView s)
    {
        const QChar *p = s.data();
        const QChar *end = p + s.size();
        for (; p < end; ++p) {
            const char16_t c = p->unicode();
            if (c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}') {
                body_ += static_cast<char>(c);
                continue;
            }
            switch (c) {
            case '\\':
                body_ += "\\\\";
                continue;
            case '{':
                body_ += "\\{";
                continue;
            case '}':
                body_ += "\\}";
                continue;
            case '\t':
                body_ += "\\tab ";
                continue;
            case QChar::LineSeparator:
                body_ += "\\line ";
                continue;
            case QChar::ObjectReplacementCharacter:
            case QChar::ParagraphSeparator:
                continue;
            default:
                break;
            }
            if (c < 0x80)
                continue;  // other control characters are not text
            char buf[16];
            const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<int>(static_cast<int16_t>(c)));
            body_ += "\\u";
            body_.append(buf, res.ptr);
            unsigned char byte = 0;
            if (!p->isSurrogate() && text::toByte(c, byte))
                hexByte(byte);
            else
                body_ += '?';
        }
    }

    void hexByte(unsigned char b)
    {
        static const char digits[] = "0123456789abcdef";
        body_ += "\\'";
        body_ += digits[b >> 4];
        body_ += digits[b & 15];
    }

    // A font name in the table: Windows-1250 bytes (the table declares that
    // code page), with the characters that would end the entry left out.
    static std::string fontName(const QString &name)
    {
        std::string out;
        for (const QChar qc : name) {
            const char16_t c = qc.unicode();
            if (c == ';' || c < 0x20)
                continue;
            if (c == '\\' || c == '{' || c == '}') {
                out += '\\';
                out += static_cast<char>(c);
                continue;
            }
            unsigned char byte = 0;
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (!qc.isSurrogate() && text::toByte(c, byte)) {
                static const char digits[] = "0123456789abcdef";
                out += "\\'";
                out += digits[byte >> 4];
                out += digits[byte & 15];
            } else {
                out += '?';
            }
        }
        return out;
    }

    int fontIndex(const QString &family)
    {
        const auto it = std::find(fonts_.begin(), fonts_.end(), family);
        if (it != fonts_.end())
            return static_cast<int>(it - fonts_.begin());
        fonts_.push_back(family);
        return static_cast<int>(fonts_.size() - 1);
    }

    int colourIndex(QRgb c)
    {
        const auto it = std::find(colours_.begin(), colours_.end(), c);
        if (it != colours_.end())
            return static_cast<int>(it - colours_.begin()) + 1;
        colours_.push_back(c);
        return static_cast<int>(colours_.size());
    }

    const QTextDocument &doc_;
    const QFont base_;
    std::string body_;
    std::vector<QString> fonts_;
    std::vector<QRgb> colours_;
    std::vector<Run> runs_;
    std::vector<std::string> headers_;  // "{\f0\fs20\b " of each run, once written
    std::vector<int> byFormat_;         // run of each format index of the document, -1: not yet known
};

} // namespace

QByteArray write(const QTextDocument &document)
{
    return Writer(document).run();
}

} // namespace rtf
