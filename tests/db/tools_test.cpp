// The database tools: the empty database beside the program and the demo data.

#include "platform/sql/sql.h"

#include "support/seams.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString kMkdb = QStringLiteral(WOKANDOR_BINARY_DIR "/mkdb");
const QString kDemo = QStringLiteral(WOKANDOR_BINARY_DIR "/demodata");
const QString kSchema = QStringLiteral(WOKANDOR_SCHEMA);

int run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000))
        return -1;
    return p.exitCode();
}

QByteArray digest(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Reads the first column of a select from a database file.
QStringList select(const QString &path, const QString &statement)
{
    sql::Connection c;
    c.setDatabaseName(path);
    c.setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbcoat"), QStringLiteral("lc_ctype=WIN1250")});
    c.open();
    sql::Transaction t(&c);
    sql::Query q(&c, &t);
    q.setSql({statement});
    q.open();
    q.fetchAll();
    QStringList out;
    for (int r = 0; r < q.recordCount(); ++r)
        out << q.text(r, 0);
    q.close();
    t.commit();
    c.close();
    return out;
}

class Tools : public testsupport::Test {};

TEST_F(Tools, MkdbCreatesTheSchemaAndNeverOverwrites)
{
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("Baza/WokandorDB.gdb"));
    ASSERT_EQ(run(kMkdb, {db, kSchema}), 0);
    // The eight tables and seven generators, and forced writes for the real register.
    EXPECT_EQ(select(db, QStringLiteral("select count(*) from rdb$relations where rdb$system_flag = 0")).value(0), QStringLiteral("8"));
    EXPECT_EQ(select(db, QStringLiteral("select count(*) from rdb$generators where rdb$system_flag = 0")).value(0), QStringLiteral("7"));
    EXPECT_EQ(select(db, QStringLiteral("select mon$forced_writes from mon$database")).value(0), QStringLiteral("1"));
    EXPECT_EQ(select(db, QStringLiteral("select mon$sql_dialect from mon$database")).value(0), QStringLiteral("3"));

    const QByteArray before = digest(db);
    EXPECT_NE(run(kMkdb, {db, kSchema}), 0);
    EXPECT_EQ(run(kMkdb, {QStringLiteral("--if-missing"), db, kSchema}), 0);
    EXPECT_EQ(digest(db), before);
}

TEST_F(Tools, DemoDataIsVariedAndRefusesAnExistingFile)
{
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("demo.gdb"));
    ASSERT_EQ(run(kDemo, {QStringLiteral("--cases"), QStringLiteral("120"), db}), 0);
    auto one = [&](const QString &s) { return select(db, s).value(0); };
    EXPECT_EQ(one(QStringLiteral("select count(*) from Sprawy")), QStringLiteral("120"));
    EXPECT_EQ(one(QStringLiteral("select count(*) from Szczegoly")), QStringLiteral("120"));
    EXPECT_GT(one(QStringLiteral("select count(*) from Sprawy where Rejon is null")).toInt(), 0);
    EXPECT_GT(one(QStringLiteral("select count(*) from Sprawy where Rejon is not null")).toInt(), 0);
    EXPECT_GT(one(QStringLiteral("select count(*) from Sprawy where Data_komornika is not null")).toInt(), 0);
    EXPECT_GT(one(QStringLiteral("select count(*) from Sprawy where PowodFirma = 'T'")).toInt(), 0);
    EXPECT_GT(one(QStringLiteral("select count(*) from Wynagrodzenie where Kwota < 0")).toInt(), 0);
    EXPECT_GT(one(QStringLiteral("select count(*) from Terminy")).toInt(), 120);
    EXPECT_GT(one(QStringLiteral("select count(*) from Historia_akt")).toInt(), 0);
    EXPECT_GT(one(QStringLiteral("select count(*) from Koszty")).toInt(), 0);
    // Polish letters in names, and rulings stored as RTF.
    const QStringList people = select(db, QStringLiteral("select Powod || Pozwany || Adres || Miejscowosc from Sprawy"));
    EXPECT_TRUE(people.join(QString()).contains(QRegularExpression(QStringLiteral("[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]"))));
    const QStringList rulings = select(db, QStringLiteral("select Orzeczenia from Szczegoly where Orzeczenia is not null"));
    ASSERT_FALSE(rulings.isEmpty());
    EXPECT_TRUE(rulings.first().startsWith(QStringLiteral("{\\rtf1")));
    // The generators continue after the demo keys: the next case key is free.
    const int next = one(QStringLiteral("select gen_id(G_SPRAWY, 1) from rdb$database")).toInt();
    EXPECT_EQ(one(QStringLiteral("select count(*) from Sprawy where Lp >= %1").arg(next)), QStringLiteral("0"));
    // ZO numbers are unique.
    EXPECT_EQ(one(QStringLiteral("select count(distinct ZO) from Sprawy")), QStringLiteral("120"));

    const QByteArray before = digest(db);
    EXPECT_NE(run(kDemo, {QStringLiteral("--cases"), QStringLiteral("5"), db}), 0);
    EXPECT_EQ(digest(db), before);
}

} // namespace
