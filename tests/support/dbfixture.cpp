#include "dbfixture.h"

#include "app/Datamodule.h"
#include "reports/Datamodulereports.h"

#include <QFile>
#include <QRegularExpression>

namespace testsupport {

QString createDatabase(const QString &folder, const QString &name)
{
    static const QString schema = [] {
        QFile f(QStringLiteral(WOKANDOR_SCHEMA));
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(f.readAll());
    }();
    const QString path = folder + QLatin1Char('/') + name;
    // Test databases skip forced writes: the tests are about what is stored,
    // not about surviving a power cut, and they commit very often.
    sql::Connection::createDatabase(path, schema, false);
    return path;
}

void DbTest::SetUp()
{
    Test::SetUp();
    dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir->isValid());
    path = createDatabase(dir->path());
    DM = new TDM(nullptr, path);
    ASSERT_TRUE(DM->Baza->connected());
    DMRep = new TDMRep(DM);
}

void DbTest::TearDown()
{
    delete DMRep;
    DMRep = nullptr;
    delete DM;
    DM = nullptr;
    dir.reset();
    Test::TearDown();
}

sql::Connection &DbTest::checker()
{
    // The checks read through the data module's own connection: an embedded
    // database file is opened by one connection set per process at a time,
    // and a transaction of their own keeps them apart from the program's.
    return *DM->Baza;
}

void DbTest::exec(const QString &statement)
{
    exec(QStringList{statement});
}

void DbTest::exec(const QStringList &statements)
{
    sql::Transaction t(&checker());
    t.setParams(TDM::TransactionParams());
    sql::Query q(&checker(), &t);
    for (const QString &s : statements) {
        q.setSql({s});
        q.execute();
    }
    t.commit();
}

QList<QStringList> DbTest::rows(const QString &select)
{
    sql::Transaction t(&checker());
    t.setParams(TDM::TransactionParams());
    sql::Query q(&checker(), &t);
    q.setSql({select});
    q.open();
    q.fetchAll();
    QList<QStringList> out;
    for (int r = 0; r < q.recordCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < q.fieldCount(); ++c)
            cells << (q.isNull(r, c) ? QStringLiteral("<NULL>") : q.text(r, c));
        out << cells;
    }
    q.close();
    t.commit();
    return out;
}

QStringList DbTest::column(const QString &select)
{
    QStringList out;
    for (const QStringList &row : rows(select))
        out << row.value(0);
    return out;
}

QString DbTest::value(const QString &select)
{
    const QStringList c = column(select);
    return c.isEmpty() ? QString() : c.first();
}

int DbTest::count(const QString &table)
{
    return value(QStringLiteral("select count(*) from ") + table).toInt();
}

QString DbTest::insertCase(const CaseRow &r)
{
    QString lp = r.lp;
    if (lp.isEmpty())
        lp = value(QStringLiteral("SELECT GEN_ID(G_SPRAWY, 1) FROM RDB$DATABASE"));
    QString zolp = r.zolp;
    if (zolp.isEmpty()) {
        const QStringList parts = QString(r.zo).remove(QRegularExpression(QStringLiteral("[iI]$"))).split(QLatin1Char('/'));
        const int y = parts.value(1).toInt();
        zolp = QString::number((y <= 90 ? y + 200 : y + 100) * 10000 + parts.value(0).toInt());
    }
    sql::Transaction t(&checker());
    t.setParams(TDM::TransactionParams());
    sql::Query q(&checker(), &t);
    q.setSql({QStringLiteral("INSERT INTO Sprawy (Lp, ZO, ZOLp, Rejon, Powod, Pozwany, Adres, Miejscowosc, Rodzaj_sprawy,"),
              QStringLiteral("Wartosc_sprawy, Sygnatura1, Sygnatura2, Sygnatura3, PowodFirma, PozwanyFirma, Data_komornika)"),
              QStringLiteral("VALUES (:Lp, :ZO, :ZOLp, :Rejon, :Powod, :Pozwany, :Adres, :Miejscowosc, :Rodzaj,"),
              QStringLiteral(":Wartosc, :S1, :S2, :S3, :PF, :ZF, :DK)")});
    q.setParam(QStringLiteral("Lp"), lp);
    q.setParam(QStringLiteral("ZO"), r.zo);
    q.setParam(QStringLiteral("ZOLp"), zolp);
    q.setParam(QStringLiteral("Rejon"), r.rejon);
    q.setParam(QStringLiteral("Powod"), r.powod);
    q.setParam(QStringLiteral("Pozwany"), r.pozwany);
    q.setParam(QStringLiteral("Adres"), r.adres);
    q.setParam(QStringLiteral("Miejscowosc"), r.miejscowosc);
    q.setParam(QStringLiteral("Rodzaj"), r.rodzaj);
    q.setParam(QStringLiteral("Wartosc"), r.wartosc);
    q.setParam(QStringLiteral("S1"), r.sygnatura1);
    q.setParam(QStringLiteral("S2"), r.sygnatura2);
    q.setParam(QStringLiteral("S3"), r.sygnatura3);
    q.setParam(QStringLiteral("PF"), r.powodFirma);
    q.setParam(QStringLiteral("ZF"), r.pozwanyFirma);
    q.setParam(QStringLiteral("DK"), r.dataKomornika);
    q.execute();
    t.commit();
    return lp;
}

} // namespace testsupport
