#pragma once

#include "newcase/Entries.h"
#include "newcase/Griddialog.h"

#include <QDialog>
#include <QStringList>
#include <QVector>

class EntryGrid;
class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class UpDown;

// The piece one party contributes to a side's display text: its cells joined
// by single blanks, without leading or trailing blanks and control characters.
QString PartyItemText(const QStringList &cells);

// The dialog in which the parties of one side of a new case are typed, one
// grid row per party, persons or companies. The plaintiff and defendant
// dialogs are this dialog with their own captions.
//
// The new-case window hands over what it has in this order: setFirma,
// setEntries (row count, count field and cells), setDisplayText, setBounds;
// after OK it takes Entries(), Firma(), DisplayText() and Bounds().
class TPartyDialog : public TGridDialog {
    Q_OBJECT
public:
    ~TPartyDialog() override;

    QGroupBox *GroupBox1;        // "Wyświetlanie"
    QLineEdit *eWyswietlanie;
    QGroupBox *GroupBox2;        // "Szczegóły"
    QCheckBox *cbFirma;


    // Ticks or unticks "Firma", which switches the layout of the grid.
    void setFirma(bool companies);
    bool Firma() const;

    void setDisplayText(const QString &text);
    QString DisplayText() const;


    // Cells (setCell, Cell) are in the columns of the current layout:
    // companies Nazwa, Nazwisko, Imie; persons Nazwisko, Imie.

    // Sets the row count and the count field to the number of entries and
    // fills their cells in the current layout. Does not recompose the display text.
    void setEntries(const QVector<PartyEntry> &entries);
    // The filled rows in grid order, as built by the last accepted OK.
    QVector<PartyEntry> Entries() const { return m_entries; }

    // Recomposes the display text from the rows of the grid.
    void ComposeDisplayText();

protected:
    TPartyDialog(QWidget *owner, const QString &caption, const QString &detailsCaption);

private:
    void eIloscChange();
    void cbFirmaClick(bool companies);
    bool Grid1KeyPress(QKeyEvent *event);
    void Grid1KeyUp();
    void BitBtn1Click();

    QStringList rowCells(int row) const;
    void applyLimits();
    void placeForWidth(int width, int dx);

    QVector<PartyEntry> m_entries;
};
