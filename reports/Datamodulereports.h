#pragma once

#include "platform/sql/sql.h"

#include <QObject>

#include <memory>

class TDM;

// The report data module: queries of their own, in a transaction of their
// own on the main connection, so that a printout shows committed data only.
class TDMRep : public QObject {
    Q_OBJECT
public:
    explicit TDMRep(TDM *dm, QObject *owner = nullptr);
    ~TDMRep() override;

    // Closes the query and releases its prepared statement.
    static void Close(sql::Query *query);

    sql::Transaction *tSzczegoly;

    sql::Query *Sprawy;
    sql::Query *Powods;
    sql::Query *Pozwani;
    sql::Query *Terminy;
    sql::Query *Historia;
    sql::Query *Koszty;
    sql::Query *Wynagrodzenia;
    sql::Query *Notatki;
    sql::Query *Orzeczenia;

private:
    std::unique_ptr<sql::Transaction> transaction_;
};

extern TDMRep *DMRep;
