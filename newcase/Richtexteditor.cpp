#include "Richtexteditor.h"

#include "platform/rtf/rtf.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPalette>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

const QColor kMagenta(255, 0, 255);

// A stretch of the selection that carries one character format.
struct Piece {
    int from;
    int to;
    QTextCharFormat format;
};

// The selection cut into pieces of one format each, in document order.
std::vector<Piece> selectionPieces(const QTextCursor &cursor)
{
    std::vector<Piece> pieces;
    if (!cursor.hasSelection())
        return pieces;
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const QTextDocument *doc = cursor.document();
    for (QTextBlock b = doc->findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int from = std::max(f.position(), start);
            const int to = std::min(f.position() + f.length(), end);
            if (from < to)
                pieces.push_back({from, to, f.charFormat()});
        }
    }
    return pieces;
}

} // namespace

TRichTextEditor::TRichTextEditor(const QString &caption, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(caption);
    resize(687, 600);

    GroupBox1 = new QGroupBox(caption, this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    RichEdit1 = new QTextEdit(GroupBox1);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    const QFont editorFont(QStringLiteral("Arial"), 10);
    RichEdit1->setFont(editorFont);
    RichEdit1->document()->setDefaultFont(editorFont);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setAcceptRichText(true);
    auto *groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->addWidget(RichEdit1);

    auto button = [this](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Pogrubienie"));
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Podkreślenie"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("Kursywa"));
    BitBtn4 = button(QStringLiteral("BitBtn4"), QStringLiteral("Powiększ"));
    BitBtn5 = button(QStringLiteral("BitBtn5"), QStringLiteral("Pomniejsz"));
    BitBtn6 = button(QStringLiteral("BitBtn6"), QStringLiteral("Kolor"));
    BitBtn9 = button(QStringLiteral("BitBtn9"), QStringLiteral("OK"));
    BitBtn10 = button(QStringLiteral("BitBtn10"), QStringLiteral("Anuluj"));

    // Each formatting button shows its caption the way the command formats text.
    QFont f = BitBtn1->font();
    f.setBold(true);
    BitBtn1->setFont(f);
    f = BitBtn2->font();
    f.setUnderline(true);
    BitBtn2->setFont(f);
    f = BitBtn3->font();
    f.setItalic(true);
    BitBtn3->setFont(f);
    f = BitBtn4->font();
    f.setPointSizeF((f.pointSizeF() > 0 ? f.pointSizeF() : 9) + 3);
    BitBtn4->setFont(f);
    QPalette pal = BitBtn6->palette();
    pal.setColor(QPalette::ButtonText, kMagenta);
    pal.setColor(QPalette::WindowText, kMagenta);
    BitBtn6->setPalette(pal);

    // The bar must fit the window's opening width: the buttons may shrink to
    // their captions.
    auto *bar = new QHBoxLayout;
    bar->setSpacing(4);
    for (QPushButton *b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn9, BitBtn10}) {
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 16);
    }
    for (QPushButton *b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6})
        bar->addWidget(b);
    bar->addStretch(1);
    bar->addWidget(BitBtn9);
    bar->addWidget(BitBtn10);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1, 1);
    layout->addLayout(bar);

    connect(BitBtn1, &QPushButton::clicked, this, &TRichTextEditor::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TRichTextEditor::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TRichTextEditor::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TRichTextEditor::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TRichTextEditor::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TRichTextEditor::BitBtn6Click);
    connect(BitBtn9, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn10, &QPushButton::clicked, this, &QDialog::reject);

    RichEdit1->setFocus();
}

TRichTextEditor::~TRichTextEditor() = default;

void TRichTextEditor::LoadFromRtf(const QByteArray &document)
{
    RichEdit1->clear();
    rtf::read(document, *RichEdit1->document());
    RichEdit1->moveCursor(QTextCursor::Start);
}

QByteArray TRichTextEditor::SaveToRtf() const
{
    return rtf::write(*RichEdit1->document());
}

QRect TRichTextEditor::Bounds() const
{
    return geometry();
}

void TRichTextEditor::SetBounds(const QRect &bounds)
{
    setGeometry(bounds);
}

void TRichTextEditor::BitBtn1Click() { ToggleStyle(Style::Bold); }
void TRichTextEditor::BitBtn2Click() { ToggleStyle(Style::Underline); }
void TRichTextEditor::BitBtn3Click() { ToggleStyle(Style::Italic); }
void TRichTextEditor::BitBtn4Click() { ChangeSize(+1); }
void TRichTextEditor::BitBtn5Click() { ChangeSize(-1); }
void TRichTextEditor::BitBtn6Click() { ToggleColour(); }

// The selection's style set holds a style when every character of the
// selection carries it (with no selection: the format of the insertion
// point). A style is removed only when the set holds it and no strike-out;
// otherwise it is added. Only the toggled style changes.
void TRichTextEditor::ToggleStyle(Style style)
{
    const QTextCursor cursor = RichEdit1->textCursor();
    const QFont base = RichEdit1->document()->defaultFont();
    std::vector<Piece> pieces = selectionPieces(cursor);
    if (pieces.empty())
        pieces.push_back({0, 0, RichEdit1->currentCharFormat()});

    bool has = true;
    bool strike = true;
    for (const Piece &p : pieces) {
        const QFont font = p.format.font().resolve(base);
        const bool s = style == Style::Bold ? font.bold() : style == Style::Underline ? font.underline() : font.italic();
        has = has && s;
        strike = strike && font.strikeOut();
    }
    const bool on = !(has && !strike);

    QTextCharFormat change;
    switch (style) {
    case Style::Bold:
        change.setFontWeight(on ? QFont::Bold : QFont::Normal);
        break;
    case Style::Underline:
        change.setFontUnderline(on);
        break;
    case Style::Italic:
        change.setFontItalic(on);
        break;
    }
    RichEdit1->mergeCurrentCharFormat(change);
    RichEdit1->setFocus();
}

// The selection's size is the size of its first character; the whole
// selection gets that size plus or minus one point.
void TRichTextEditor::ChangeSize(double delta)
{
    const std::vector<Piece> pieces = selectionPieces(RichEdit1->textCursor());
    const QTextCharFormat format = pieces.empty() ? RichEdit1->currentCharFormat() : pieces.front().format;
    double size = format.font().resolve(RichEdit1->document()->defaultFont()).pointSizeF();
    if (size <= 0)
        size = 10;
    QTextCharFormat change;
    change.setFontPointSize(std::clamp(size + delta, MinPointSize, MaxPointSize));
    RichEdit1->mergeCurrentCharFormat(change);
}

// Text without a colour of its own shows in the normal text colour; so does
// text whose colour is that colour. A selection that is all normal turns
// magenta; any other selection returns to the normal colour (it loses its
// own colour).
void TRichTextEditor::ToggleColour()
{
    const QRgb normal = RichEdit1->palette().color(QPalette::Text).rgb();
    auto isNormal = [normal](const QTextCharFormat &f) {
        const QBrush b = f.foreground();
        return b.style() == Qt::NoBrush || b.color().rgb() == normal;
    };

    QTextCursor cursor = RichEdit1->textCursor();
    const std::vector<Piece> pieces = selectionPieces(cursor);
    const bool allNormal = pieces.empty() ? isNormal(RichEdit1->currentCharFormat())
                                          : std::all_of(pieces.begin(), pieces.end(),
                                                        [&](const Piece &p) { return isNormal(p.format); });
    if (allNormal) {
        QTextCharFormat change;
        change.setForeground(kMagenta);
        RichEdit1->mergeCurrentCharFormat(change);
        return;
    }
    if (pieces.empty()) {
        QTextCharFormat f = RichEdit1->currentCharFormat();
        f.clearForeground();
        RichEdit1->setCurrentCharFormat(f);
        return;
    }
    cursor.beginEditBlock();
    for (const Piece &p : pieces) {
        QTextCursor c(RichEdit1->document());
        c.setPosition(p.from);
        c.setPosition(p.to, QTextCursor::KeepAnchor);
        QTextCharFormat f = p.format;
        f.clearForeground();
        c.setCharFormat(f);
    }
    cursor.endEditBlock();
}
