#pragma once

#include <QDateEdit>
#include <QPointer>
#include <QTableWidget>
#include <QVector>

#include <functional>

class QKeyEvent;
class QLineEdit;
class QToolButton;

// The pieces shared by the entry dialogs of the new-case window: the
// editable string grid, the up-down arrows of a count field and the date
// picker that is laid over a date cell.

// The character a key stroke types, or a null character for keys that type
// none: arrows, function keys, Tab, Escape, Delete and Ctrl shortcuts.
// Backspace types '\b', Enter '\r'.
QChar TypedChar(const QKeyEvent *event);
bool IsEnterKey(const QKeyEvent *event);

// An editable grid of text cells: the title row is the header, the data rows
// below it are edited in place by a one-line editor. Column titles are drawn
// bold; cell texts are centred within the cell less 5 pixels on each side.
class EntryGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit EntryGrid(QWidget *parent = nullptr);

    void setTitles(const QStringList &titles);   // also sets the column count
    QString title(int col) const;
    void setTitle(int col, const QString &text);

    void setRowHeight(int pixels);               // data rows and the title row
    void setColumnWidths(int pixels);            // every column, and columns added later
    void setDataRowCount(int rows);              // rows added are empty

    QString cellText(int row, int col) const;
    void setCellText(int row, int col, const QString &text);

    // Typing limit of a column's cells in characters (0: none); the in-place
    // editor never holds more.
    void setColumnLimit(int col, int limit);
    int columnLimit(int col) const;
    // A column whose cells get no in-place editor.
    void setColumnReadOnly(int col, bool readOnly);
    bool columnReadOnly(int col) const;
    // Characters an in-place editor of the column accepts from a paste
    // (a regular-expression character class such as "0-9."); empty: any.
    void setColumnCharacters(int col, const QString &characterClass);
    QString columnCharacters(int col) const;

    // Opens the in-place editor whenever the grid holds the focus.
    void setAlwaysShowEditor(bool on);

    QLineEdit *activeEditor() const;              // the open in-place editor, or null
    QLineEdit *openEditor();                      // opens it on the current cell
    QString currentText() const;                  // what the current cell holds now
    void finishEditing();                         // writes and closes the editor

    // Every key stroke typed into the grid or its in-place editor is offered
    // here first; returning true swallows it. Enter is always swallowed.
    std::function<bool(QKeyEvent *)> onKeyPress;

signals:
    void keyReleased();
    void currentCellMoved();
    void entered(Qt::FocusReason reason);         // the grid itself received the focus

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyboardSearch(const QString &) override {}

private:
    QPersistentModelIndex pressedOnCurrent_;  // a click on the cell already current

private:
    friend class CellDelegate;
    struct Column {
        int limit = 0;
        bool readOnly = false;
        QString characters;
    };
    Column column(int col) const;
    void scheduleEditor();

    QVector<Column> m_columns;
    QPointer<QLineEdit> m_editor;
    bool m_alwaysShowEditor = false;
    int m_rowHeight = 22;
};

// The up-down arrows of a count field: they step the number in the edit
// within a range without wrapping around; the Up and Down keys in the edit
// do the same. The edit accepts digits and Backspace only; any other typed
// character is refused with the beep.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);
    void setAssociate(QLineEdit *edit);
    void setRange(int min, int max);
    int position() const { return m_position; }
    void step(int delta);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit = nullptr;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_min = 1;
    int m_max = 100;
    int m_position = 1;
};

// The date picker laid over a date cell. It reports when the focus leaves it
// for another control (not for its own calendar pop-up or another window),
// when Enter is pressed in it, and when Tab or Shift+Tab leaves it.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

signals:
    void exited();
    void enterPressed();
    void tabbed(bool forward);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
};
