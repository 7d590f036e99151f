#pragma once

#include "newcase/Entries.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QVector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableWidget;
class QTextEdit;

// The new-case window: collects one case with all its dependent records and
// stores everything in one transaction when the user presses "OK".
//
// The state members and the controls are public: the main window reads
// NewCaseLp after the window has closed, and the tests fill the lists the
// entry dialogs would hand back.
class TNowa : public QDialog {
    Q_OBJECT
public:
    explicit TNowa(QWidget *owner = nullptr);
    ~TNowa() override;

    // --- State, from the window's creation until it closes ---------------
    QVector<PartyEntry> PowodEntries;
    bool PowodFirma = false;
    QVector<PartyEntry> PozwanyEntries;
    bool PozwanyFirma = false;
    QVector<DatedEntry> TerminyEntries;
    QVector<DatedEntry> HistoriaEntries;
    QVector<AmountEntry> KosztyEntries;
    QVector<AmountEntry> WynagrodzenieEntries;
    QByteArray OrzeczeniaDoc;          // RTF
    bool OrzeczeniaConfirmed = false;
    QByteArray NotatkiDoc;             // RTF
    bool NotatkiConfirmed = false;

    // Where each entry dialog was at its last OK.
    DialogBounds PowodBounds;
    DialogBounds PozwanyBounds;
    DialogBounds TerminyBounds;
    DialogBounds HistoriaBounds;
    DialogBounds KosztBounds;
    DialogBounds WynagrodzenieBounds;
    DialogBounds OrzeczeniaBounds;
    DialogBounds NotatkiBounds;

    // Sort key derived from the case number by the last validation that got
    // past the case-number checks.
    QString ZOLpText;
    // The key drawn for the case by the last save attempt, empty if none.
    QString NewCaseLp;

    // --- Controls ----------------------------------------------------------
    QSplitter *Splitter = nullptr;
    QGroupBox *gbPowod = nullptr;
    QGroupBox *gbPozwany = nullptr;
    QLineEdit *ePowod = nullptr;
    QPushButton *BtnPowod = nullptr;
    QLineEdit *ePozwany = nullptr;
    QPushButton *btnPozwany = nullptr;

    QLineEdit *eZO = nullptr;
    QComboBox *cbRodzaj = nullptr;
    QLineEdit *eWartosc = nullptr;
    QLineEdit *eAdres = nullptr;
    QLineEdit *eRejon = nullptr;
    QComboBox *cbMiejscowosc = nullptr;
    QCheckBox *cbKomornik = nullptr;
    QDateEdit *dtDataKomornika = nullptr;
    QLineEdit *eSygnatura1 = nullptr;
    QLineEdit *eSygnatura2 = nullptr;
    QLineEdit *eSygnatura3 = nullptr;

    QTableWidget *sgTerminy = nullptr;
    QPushButton *btnTerminy = nullptr;
    QTableWidget *sgKoszt = nullptr;
    QPushButton *btnKoszt = nullptr;
    QTableWidget *sgWynagrodzenie = nullptr;
    QPushButton *btnWynagrodzenie = nullptr;
    QTextEdit *reOrzeczenie = nullptr;
    QPushButton *btnOrzeczenia = nullptr;
    QTextEdit *reNotatki = nullptr;
    QPushButton *btnNotatki = nullptr;
    QTableWidget *sgHistoria = nullptr;
    QPushButton *btnHistoria = nullptr;

    QPushButton *BitBtn9 = nullptr;   // "OK"
    QPushButton *BitBtn10 = nullptr;  // "Anuluj"

    // --- Operations --------------------------------------------------------
    // The nine checks of the case fields; on failure the message has been
    // shown and the focus moved.
    bool ValidateNewCase();
    // Inserts the case and its rows in the current transaction of
    // tDodajSprawe; false after a failed insert has been reported.
    bool SaveNewCase();
    // Draws the next value of the named generator through qPobierzLp.
    QString NextKey(const QString &generator);

    // "OK": validation, then the save in one transaction.
    void BitBtn9Click();

    // "Zmień" of each box (and the double-click on its edit or grid).
    void BtnPowodClick();
    void btnPozwanyClick();
    void btnTerminyClick();
    void btnHistoriaClick();
    void btnKosztClick();
    void btnWynagrodzenieClick();
    void btnOrzeczeniaClick();
    void btnNotatkiClick();

    // Shows the lists and documents in the summary grids and preview boxes.
    void ShowTerminy();
    void ShowHistoria();
    void ShowKoszty();
    void ShowWynagrodzenie();
    void ShowOrzeczenia();
    void ShowNotatki();

    // The shape rule of a case number: "number/yy" with an optional trailing
    // "i" or "I". On success the sort key yyy × 10000 + number is returned in
    // zolp (years 91..99 become 191..199, 00..90 become 200..290).
    static bool ComputeZOLp(const QString &zo, QString &zolp);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildControls();
    void FormCreate();
    void FillSuggestions(QComboBox *box, const QString &statement, const QString &column, bool withEmpty);
    bool ZOExists(const QString &zo);
    bool RefuseUnencodable();
    bool ExecuteInsert(const QString &failure, QWidget *focus);
    void cbKomornikClick();

    bool centred_ = false;
};

extern TNowa *Nowa;
