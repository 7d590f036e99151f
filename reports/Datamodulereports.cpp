#include "Datamodulereports.h"

#include "app/Datamodule.h"

TDMRep *DMRep = nullptr;

TDMRep::TDMRep(TDM *dm, QObject *owner) : QObject(owner)
{
    transaction_ = std::make_unique<sql::Transaction>(dm->Baza);
    tSzczegoly = transaction_.get();
    tSzczegoly->setParams(TDM::TransactionParams());
    auto query = [&]() { return new sql::Query(dm->Baza, tSzczegoly, this); };
    Sprawy = query();
    Powods = query();
    Pozwani = query();
    Terminy = query();
    Historia = query();
    Koszty = query();
    Wynagrodzenia = query();
    Notatki = query();
    Orzeczenia = query();
}

TDMRep::~TDMRep()
{
    qDeleteAll(findChildren<sql::Query *>(Qt::FindDirectChildrenOnly));
    transaction_.reset();
    if (DMRep == this)
        DMRep = nullptr;
}

void TDMRep::Close(sql::Query *query)
{
    query->close();
    query->unprepare();
}
