#pragma once

#include "newcase/Entries.h"
#include "newcase/Griddialog.h"

#include <QDialog>
#include <QVector>

class DatePicker;
class EntryGrid;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class UpDown;

// The dialogs in which the dated rows of a new case are typed: a "Data"
// column filled through a date picker laid over the current date cell, an
// optional "Kwota" column and an "Uwagi" column. The hearing-date and
// file-history dialogs are TDatedDialog, the cost and fee dialogs
// TAmountDialog.
//
// The new-case window hands over setEntries (row count, count field and
// cells) and setBounds; after OK it takes Entries() and Bounds().
class TEntryDialog : public TGridDialog {
    Q_OBJECT
public:
    ~TEntryDialog() override;

    QGroupBox *GroupBox1;        // carries the dialog's caption
    DatePicker *dtData;          // laid over the current "Data" cell

    static constexpr int ColData = 0;
    int ColKwota() const { return m_colKwota; }   // -1 without an amount column
    int ColUwagi() const { return m_colUwagi; }

    // Shows the picker over the current cell when it is a "Data" cell.
    void Grid1Click();

protected:
    TEntryDialog(QWidget *owner, const QString &caption, bool withAmount, bool signedAmount);
    virtual void BitBtn1Click() = 0;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Writes the picker's date into its cell and hides it, as leaving it does.
    void leavePicker();

private:
    void eIloscChange();
    bool Grid1KeyPress(QKeyEvent *event);
    void Grid1Enter(Qt::FocusReason reason);
    void dtDataExit();
    void dtDataEnter();
    void dtDataTab(bool forward);
    void writePickerDate();
    void hidePicker();
    void placePicker();

    int m_colKwota = -1;
    int m_colUwagi = 1;
    bool m_signedAmount = false;
    int m_pickerRow = -1;        // the row whose date cell the picker covers
    bool m_hiding = false;
};

// Hearing dates and file history: "Data", "Uwagi".
class TDatedDialog : public TEntryDialog {
    Q_OBJECT
public:
    void setEntries(const QVector<DatedEntry> &entries);
    // The rows with a date in grid order, as built by the last accepted OK.
    QVector<DatedEntry> Entries() const { return m_entries; }

protected:
    TDatedDialog(QWidget *owner, const QString &caption);
    void BitBtn1Click() override;

private:
    QVector<DatedEntry> m_entries;
};

// Costs and fees: "Data", "Kwota", "Uwagi"; fees may be negative.
class TAmountDialog : public TEntryDialog {
    Q_OBJECT
public:
    void setEntries(const QVector<AmountEntry> &entries);
    // The rows with a date and an amount in grid order, amounts with two
    // decimals, as built by the last accepted OK.
    QVector<AmountEntry> Entries() const { return m_entries; }

protected:
    TAmountDialog(QWidget *owner, const QString &caption, bool signedAmount);
    void BitBtn1Click() override;

private:
    void focusKwota(int row);
    QVector<AmountEntry> m_entries;
};
