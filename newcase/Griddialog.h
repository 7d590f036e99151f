#pragma once

#include "newcase/Entries.h"

#include <QDialog>

class EntryGrid;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class UpDown;

// What the entry dialogs of a new case have in common: the "Ilość:" count
// field with its up-down arrows, the grid of rows, "OK" and "Anuluj", and
// the bounds the new-case window remembers. The party dialogs and the dated
// and amount dialogs build their own layouts around these controls.
class TGridDialog : public QDialog {
    Q_OBJECT
public:
    QLineEdit *eIlosc = nullptr;
    UpDown *UpDown1 = nullptr;
    EntryGrid *Grid1 = nullptr;
    QPushButton *BitBtn1 = nullptr;  // "OK"
    QPushButton *BitBtn2 = nullptr;  // "Anuluj"

    // Number of data rows of the grid (1 to 100); the count field is separate.
    void setRowCount(int rows);
    int rowCount() const;
    // The text of "Ilość:"; setting it acts as if it had been typed.
    void setCountText(const QString &text);
    QString countText() const;

    // Where and how large the dialog is; unset bounds leave it centred on its owner.
    void setBounds(const DialogBounds &bounds);
    QRect Bounds() const;

    // Data cells, rows from 0.
    void setCell(int row, int col, const QString &text);
    QString Cell(int row, int col) const;

protected:
    TGridDialog(QWidget *owner, Qt::WindowFlags flags);
    // Sets the row count and the count field to n without the count's handler.
    void setRows(int rows);
    // Creates "OK" and "Anuluj" and returns the bar that holds them at the right.
    QHBoxLayout *MakeButtons();
};
