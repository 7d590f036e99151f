#include "Datamodule.h"

#include "platform/ui/cursor.h"
#include "platform/ui/messages.h"

#include <QCoreApplication>
#include <QDir>

TDM *DM = nullptr;

namespace app {
namespace {
bool terminate = false;
}
bool terminationRequested() { return terminate; }
void requestTermination() { terminate = true; }
void clearTerminationRequest() { terminate = false; }
} // namespace app

const QStringList &TDM::TransactionParams()
{
    static const QStringList params = {QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                       QStringLiteral("nowait")};
    return params;
}

TDM::TDM(QObject *owner, const QString &databasePath) : QObject(owner)
{
    connection_ = std::make_unique<sql::Connection>();
    Baza = connection_.get();
    Baza->setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbcoat"),
                     QStringLiteral("lc_ctype=WIN1250")});

    auto transaction = [this]() {
        transactions_.push_back(std::make_unique<sql::Transaction>(Baza));
        transactions_.back()->setParams(TransactionParams());
        return transactions_.back().get();
    };
    Transaction1 = transaction();
    tDodajSprawe = transaction();
    tSzczegoly = transaction();
    tPowod = transaction();
    tPozwany = transaction();
    tTerminy = transaction();
    tHistoria = transaction();
    tKoszty = transaction();
    tWynagrodzenie = transaction();

    auto query = [this](sql::Transaction *t) { return new sql::Query(Baza, t, this); };
    Sprawy = query(Transaction1);
    qDodajSprawe = query(tDodajSprawe);
    qPobierzLp = query(tDodajSprawe);
    qSzczegoly = query(tSzczegoly);
    qTerminy = query(tTerminy);
    qHistoria = query(tHistoria);
    qKoszty = query(tKoszty);
    qWynagrodzenie = query(tWynagrodzenie);
    qOsoba = query(tPowod);
    qDaty = query(Transaction1);
    qKwoty = query(tKoszty);
    Query = query(Transaction1);

    dsSprawy = new sql::DataSource(Sprawy, this);
    dsTerminy = new sql::DataSource(qTerminy, this);
    dsHistoria = new sql::DataSource(qHistoria, this);
    dsKoszty = new sql::DataSource(qKoszty, this);
    dsWynagrodzenie = new sql::DataSource(qWynagrodzenie, this);
    dsOsoba = new sql::DataSource(qOsoba, this);
    dsDaty = new sql::DataSource(qDaty, this);
    dsKwoty = new sql::DataSource(qKwoty, this);

    if (Baza->connected())
        Disconnect();
    DatabasePath = databasePath.isEmpty() ? DefaultDatabasePath() : databasePath;
    Baza->setDatabaseName(DatabasePath);
    DataModuleCreate();
}

TDM::~TDM()
{
    DataModuleDestroy();
    // The queries are children of this object and go before the connection.
    qDeleteAll(findChildren<sql::DataSource *>(Qt::FindDirectChildrenOnly));
    qDeleteAll(findChildren<sql::Query *>(Qt::FindDirectChildrenOnly));
    transactions_.clear();
    connection_.reset();
    if (DM == this)
        DM = nullptr;
}

QString TDM::DefaultDatabasePath()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return QDir::toNativeSeparators(dir + QStringLiteral("Baza/WokandorDB.gdb"));
}

void TDM::DataModuleCreate()
{
    Connect();
}

void TDM::DataModuleDestroy()
{
    try {
        Disconnect();
    } catch (const sql::Error &) {
        // The program is ending; nothing is left to report to.
    }
}

bool TDM::Connect()
{
    ui::setBusyCursor();
    try {
        Baza->open();
    } catch (...) {
        ui::setDefaultCursor();
        ui::showMessage({QStringLiteral("Błąd otwarcia bazy danych"), QStringLiteral("Błąd"), ui::Icon::Error, ui::Ok, nullptr});
        app::requestTermination();
        return false;
    }
    ui::setDefaultCursor();
    return true;
}

void TDM::Disconnect()
{
    ui::setBusyCursor();
    try {
        if (Baza->connected())
            Baza->close();
    } catch (...) {
        ui::setDefaultCursor();
        throw;
    }
    ui::setDefaultCursor();
}

void TDM::CloseQuery(sql::Query *query)
{
    if (query->isOpen())
        query->close();
    if (query->prepared())
        query->unprepare();
}
