#pragma once

#include "widgets/Velmogrid.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

// The main window: the register of cases, its grid, tool bar, menu and
// status bar, and every command of the application.
class TMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TMain(QWidget *parent = nullptr);
    ~TMain() override;

    // The state of the list. The search, filter and import windows drive
    // the list through these members and LoadCaseList.
    QString WhereText;                              // WHERE line; empty shows every case
    QString OrderText = QStringLiteral("order by ZOLp");
    QString SortField = QStringLiteral("ZOLp");     // sort key of the last title click
    bool SortAscending = true;
    QString CurrentLp = QStringLiteral("-1");       // Lp to make current after the next load
    bool RebuildSql = true;                         // recompose the statement before the next open
    bool ReloadOnActivate = true;                   // activating the window reloads the list
    bool CellClicked = false;                       // the last click was released on a data cell

    // Opens the list anew (recomposing the statement when RebuildSql is
    // set), makes CurrentLp current and shows the count. Catches nothing.
    void LoadCaseList();

    // The Lp of the current row as text, empty when the list has no rows.
    QString CurrentRowLp() const;

    // Where a cell's text starts: centred in the cell narrowed by 5 pixels
    // on each side, but never left of or above that inner rectangle.
    static QPoint CellTextOrigin(const QRect &cell, int textWidth, int textHeight);

    // The panels of the status bar (0: "Wokandor", 1: view or filter, 2: count).
    QString StatusPanelText(int panel) const;
    void SetStatusPanelText(int panel, const QString &text);

    // Window and grid events.
    void FormCreate();
    void FormActivate();
    void SetupColumns();
    void GridDrawColumnCell(VelmoDrawCellEvent &event);
    void GridMouseWheel(VelmoWheelEvent &event);
    void GridTitleClick(int column);
    void GridMouseDown();
    void GridCellClick();
    void GridDblClick();

    // Commands (each runs through its action below).
    void ActionRaport1ListaSprawExecute();
    void ActionNowaExecute();
    void ActionSzczegolyExecute();
    void ActionWyszukajExecute();
    void ActionFiltrujExecute();
    void ActionKoniecFiltrowaniaExecute();
    void ActionWyswietlanieWszystkieExecute();
    void ActionWyswietlanieADMExecute();
    void ActionWyswietlanieInneExecute();
    void ActionEksportBazyExecute();
    void ActionImportBazyExecute();
    void ActionInformacjeExecute();
    void ActionZakonczExecute();

    // The grid of cases and its navigator.
    VelmoGrid *Grid = nullptr;
    VelmoNavigator *Navigator = nullptr;
    QToolBar *ToolBar = nullptr;

    // The commands. Menu items and tool bar buttons only trigger these.
    QAction *ActionRaport1ListaSpraw = nullptr;
    QAction *ActionNowa = nullptr;
    QAction *ActionSzczegoly = nullptr;
    QAction *ActionWyszukaj = nullptr;
    QAction *ActionFiltruj = nullptr;
    QAction *ActionKoniecFiltrowania = nullptr;
    QAction *ActionWyswietlanieWszystkie = nullptr;
    QAction *ActionWyswietlanieADM = nullptr;
    QAction *ActionWyswietlanieInne = nullptr;
    QAction *ActionEksportBazy = nullptr;
    QAction *ActionImportBazy = nullptr;
    QAction *ActionInformacje = nullptr;
    QAction *ActionZakoncz = nullptr;

    // The menu.
    QMenu *MenuSprawy = nullptr;
    QMenu *MenuWyszukiwanie = nullptr;
    QMenu *MenuWyswietl = nullptr;
    QMenu *MenuBaza = nullptr;
    QMenu *MenuInne = nullptr;
    QAction *miWydrukListySpraw = nullptr;
    QAction *miNowaSprawa = nullptr;
    QAction *miSzczegoly = nullptr;
    QAction *miWyszukaj = nullptr;
    QAction *miFiltruj = nullptr;
    QAction *miWroc = nullptr;
    QAction *miWszystkieSprawy = nullptr;    // the three view items carry check marks
    QAction *miSprawyADM = nullptr;
    QAction *miSprawyInne = nullptr;
    QAction *miEksportBazy = nullptr;
    QAction *miImportBazy = nullptr;
    QAction *miInformacje = nullptr;
    QAction *miZakoncz = nullptr;

    // The tool bar buttons, left to right.
    std::array<QToolButton *, 7> ToolButtons{};

protected:
    bool event(QEvent *event) override;

private:
    QAction *makeAction(const char *name, const QKeySequence &shortcut, void (TMain::*handler)());
    QAction *makeMenuItem(QMenu *menu, const QString &caption, QAction *command, bool shortcutOfItem = false);
    QToolButton *makeToolButton(const QString &caption, QAction *command);
    void buildMenu();
    void buildToolBar();
    void buildStatusBar();
    void bindList();
    void setView(const QString &where, QAction *checkedItem, const QString &panelText);

    std::array<QLabel *, 3> panels_{};
    // A reload on activation failed: the activation that follows the error
    // box closing does not try again at once.
    QElapsedTimer reloadFailedAt_;  // when a reload on activation last failed
    // A load is under way (its one round of event processing may deliver an
    // activation, which then does not start a second load inside it).
    bool loading_ = false;
};

extern TMain *Main;
