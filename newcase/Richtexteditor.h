#pragma once

#include <QByteArray>
#include <QDialog>
#include <QRect>

class QGroupBox;
class QPushButton;
class QTextCharFormat;
class QTextEdit;

// The modal rich-text editor behind the rulings and notes of a case. The
// two editors differ only in their caption, which the group box repeats.
//
// The opener may load a document and set the bounds before showing the
// editor; after OK it saves the whole content as RTF and takes the bounds.
// OK never refuses.
class TRichTextEditor : public QDialog {
    Q_OBJECT
public:
    ~TRichTextEditor() override;

    // Empties the editor and loads it from a document (RTF; bytes that are
    // not RTF show as plain text; empty bytes leave the editor empty).
    void LoadFromRtf(const QByteArray &document);
    // The whole content as an RTF document; never empty, even for empty text.
    QByteArray SaveToRtf() const;

    // The window's left, top, width and height.
    QRect Bounds() const;
    void SetBounds(const QRect &bounds);

    // The formatting commands of the bottom bar, as the buttons run them.
    void BitBtn1Click();  // "Pogrubienie"
    void BitBtn2Click();  // "Podkreślenie"
    void BitBtn3Click();  // "Kursywa"
    void BitBtn4Click();  // "Powiększ"
    void BitBtn5Click();  // "Pomniejsz"
    void BitBtn6Click();  // "Kolor"

    // The character sizes the editor accepts, in points.
    static constexpr double MinPointSize = 1;
    static constexpr double MaxPointSize = 1638;

    QGroupBox *GroupBox1 = nullptr;
    QTextEdit *RichEdit1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QPushButton *BitBtn4 = nullptr;
    QPushButton *BitBtn5 = nullptr;
    QPushButton *BitBtn6 = nullptr;
    QPushButton *BitBtn9 = nullptr;
    QPushButton *BitBtn10 = nullptr;

protected:
    TRichTextEditor(const QString &caption, QWidget *parent);

private:
    enum class Style { Bold, Underline, Italic };
    void ToggleStyle(Style style);
    void ChangeSize(double delta);
    void ToggleColour();
};
