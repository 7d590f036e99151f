#pragma once

#include "platform/sql/sql.h"

#include <QObject>
#include <QString>

// The data module: the one connection of the program, one transaction per
// area of work and every named query the windows use.
class TDM : public QObject {
    Q_OBJECT
public:
    // The program passes no path: the database lies in "Baza" beside the
    // executable. Tests pass the path of a database of their own.
    explicit TDM(QObject *owner = nullptr, const QString &databasePath = QString());
    ~TDM() override;

    // Opens Baza; on failure shows "Błąd otwarcia bazy danych" and asks the
    // application to end. Returns whether the connection is open.
    bool Connect();
    void Disconnect();
    // Closes the query if it is open, then unprepares it.
    void CloseQuery(sql::Query *query);

    // The folder of the running executable followed by Baza/WokandorDB.gdb.
    static QString DefaultDatabasePath();

    // The parameter lines every transaction of the program carries:
    // read_committed, rec_version, nowait.
    static const QStringList &TransactionParams();

    QString DatabasePath;

    sql::Connection *Baza;

    sql::Transaction *Transaction1;
    sql::Transaction *tDodajSprawe;
    sql::Transaction *tSzczegoly;
    sql::Transaction *tPowod;
    sql::Transaction *tPozwany;
    sql::Transaction *tTerminy;
    sql::Transaction *tHistoria;
    sql::Transaction *tKoszty;
    sql::Transaction *tWynagrodzenie;

    sql::Query *Sprawy;
    sql::Query *qDodajSprawe;
    sql::Query *qPobierzLp;
    sql::Query *qSzczegoly;
    sql::Query *qTerminy;
    sql::Query *qHistoria;
    sql::Query *qKoszty;
    sql::Query *qWynagrodzenie;
    sql::Query *qOsoba;
    sql::Query *qDaty;
    sql::Query *qKwoty;
    sql::Query *Query;

    sql::DataSource *dsSprawy;
    sql::DataSource *dsTerminy;
    sql::DataSource *dsHistoria;
    sql::DataSource *dsKoszty;
    sql::DataSource *dsWynagrodzenie;
    sql::DataSource *dsOsoba;
    sql::DataSource *dsDaty;
    sql::DataSource *dsKwoty;

private:
    void DataModuleCreate();
    void DataModuleDestroy();

    std::unique_ptr<sql::Connection> connection_;
    std::vector<std::unique_ptr<sql::Transaction>> transactions_;
};

extern TDM *DM;

namespace app {
// Set when start-up must end the program (the database could not be opened):
// the event loop is then not entered.
bool terminationRequested();
void requestTermination();
void clearTerminationRequest();
}
