#include "app/Datamodule.h"
#include "platform/sql/sql.h"

#include "support/dbfixture.h"

#include <QLocale>

#include <clocale>

using testsupport::DbTest;

namespace {

class Sql : public DbTest {
protected:
    sql::Query &q() { return *DM->Query; }

    // Inserts one row into Koszty with the given text for one column and
    // reads the column back, as text and NULL flag.
    std::pair<QString, bool> roundTrip(const QString &column, const std::optional<QString> &text)
    {
        DM->CloseQuery(&q());
        q().setSql({QStringLiteral("INSERT INTO Koszty (Lp, Lp_Sprawy, Kwota, Data, Notka)"),
                    QStringLiteral("VALUES (:Lp, 1, :Kwota, :Data, :Notka)")});
        const QString lp = QString::number(++lp_);
        q().setParam(QStringLiteral("Lp"), lp);
        if (text)
            q().setParam(column, *text);
        q().execute();
        DM->Transaction1->commit();
        DM->CloseQuery(&q());
        q().setSql({QStringLiteral("select ") + column + QStringLiteral(" from Koszty where Lp = ") + lp});
        q().open();
        std::pair<QString, bool> r{q().fieldText(column), q().isNull(column)};
        DM->CloseQuery(&q());
        return r;
    }
    int lp_ = 0;
};

// Texts bound to parameters and what the database keeps of them.
TEST_F(Sql, BindingTable)
{
    struct Case {
        const char *column;
        std::optional<QString> bound;   // nullopt: not bound at all
        QString readBack;
        bool null;
    };
    const Case cases[] = {
        {"Data", QStringLiteral("2006-11-27"), QStringLiteral("2006-11-27"), false},
        {"Data", QStringLiteral(""), QString(), true},
        {"Data", std::nullopt, QString(), true},
        {"Kwota", QStringLiteral("1500"), QStringLiteral("1500"), false},
        {"Kwota", QStringLiteral("1500.00"), QStringLiteral("1500"), false},
        {"Kwota", QStringLiteral("12.50"), QStringLiteral("12.5"), false},
        {"Kwota", QStringLiteral("-250.00"), QStringLiteral("-250"), false},
        {"Kwota", QStringLiteral("0.05"), QStringLiteral("0.05"), false},
        {"Kwota", QStringLiteral("999999999.99"), QStringLiteral("999999999.99"), false},
        {"Kwota", QStringLiteral(""), QString(), true},
        {"Kwota", std::nullopt, QString(), true},
        {"Notka", QStringLiteral(""), QString(), false},
        {"Notka", QStringLiteral("zażółć gęślą jaźń"), QStringLiteral("zażółć gęślą jaźń"), false},
        {"Notka", std::nullopt, QString(), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.column) + " <- " + (c.bound ? c.bound->toStdString() : "(unbound)"));
        const auto [text, null] = roundTrip(QString::fromLatin1(c.column), c.bound);
        EXPECT_EQ(text, c.readBack);
        EXPECT_EQ(null, c.null);
    }
}

// The same texts whatever the process locale says about dates and decimals.
// A statement prepared once and executed per row, with values of every kind
// bound anew each time (as the save of a new case does).
TEST_F(Sql, PreparedOnceExecutedManyTimes)
{
    sql::Query &w = *DM->qDodajSprawe;
    w.setSql({QStringLiteral("INSERT INTO Koszty (Lp, Lp_Sprawy, Kwota, Data, Notka)"),
              QStringLiteral("VALUES (:Lp, :Lp_Sprawy, :Kwota, :Data, :Notka)")});
    w.setParam(QStringLiteral("Lp_Sprawy"), QStringLiteral("9"));
    const QStringList kwoty = {QStringLiteral("10.00"), QString(), QStringLiteral("-3.50"), QString()};
    const QStringList daty = {QString(), QStringLiteral("2007-01-31"), QString(), QStringLiteral("2008-02-29")};
    for (int i = 0; i < kwoty.size(); ++i) {
        w.setParam(QStringLiteral("Lp"), QString::number(i + 1));
        w.setParam(QStringLiteral("Kwota"), kwoty[i]);
        w.setParam(QStringLiteral("Data"), daty[i]);
        w.setParam(QStringLiteral("Notka"), QStringLiteral("wpis %1").arg(i));
        w.prepare();
        w.execute();
        EXPECT_EQ(w.rowsAffected(), 1);
    }
    DM->tDodajSprawe->commit();
    EXPECT_EQ(column(QStringLiteral("select Kwota from Koszty order by Lp")),
              (QStringList{QStringLiteral("10"), QStringLiteral("<NULL>"), QStringLiteral("-3.5"), QStringLiteral("<NULL>")}));
    EXPECT_EQ(column(QStringLiteral("select Data from Koszty order by Lp")),
              (QStringList{QStringLiteral("<NULL>"), QStringLiteral("2007-01-31"), QStringLiteral("<NULL>"), QStringLiteral("2008-02-29")}));
    EXPECT_EQ(column(QStringLiteral("select Lp_Sprawy from Koszty")).count(QStringLiteral("9")), 4);
}

TEST_F(Sql, FormatsDoNotFollowTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char *cSaved = std::setlocale(LC_ALL, nullptr);
    const std::string cLocale = cSaved ? cSaved : "C";
    std::setlocale(LC_ALL, "pl_PL.UTF-8");
    EXPECT_EQ(roundTrip(QStringLiteral("Kwota"), QStringLiteral("12.5")).first, QStringLiteral("12.5"));
    EXPECT_EQ(roundTrip(QStringLiteral("Data"), QStringLiteral("2006-12-24")).first, QStringLiteral("2006-12-24"));
    std::setlocale(LC_ALL, cLocale.c_str());
    QLocale::setDefault(saved);
}

TEST_F(Sql, KeysAreConsecutiveAndRolledBackKeysAreLost)
{
    auto next = [&](const QString &gen) {
        DM->CloseQuery(DM->qPobierzLp);
        DM->qPobierzLp->setSql({QStringLiteral("SELECT GEN_ID(") + gen + QStringLiteral(", 1) AS MyVar FROM RDB$DATABASE")});
        DM->qPobierzLp->open();
        return DM->qPobierzLp->fieldText(QStringLiteral("MyVar")).toLongLong();
    };
    const long long a = next(QStringLiteral("G_SPRAWY"));
    const long long b = next(QStringLiteral("G_SPRAWY"));
    EXPECT_EQ(b, a + 1);
    // A key drawn in a transaction that is rolled back is not given back.
    DM->tDodajSprawe->rollback();
    EXPECT_EQ(next(QStringLiteral("G_SPRAWY")), b + 1);
    // Generator names are not case-sensitive: one sequence.
    const long long t1 = next(QStringLiteral("G_TERMINY"));
    const long long t2 = next(QStringLiteral("G_Terminy"));
    EXPECT_EQ(t2, t1 + 1);
    DM->tDodajSprawe->commit();
}

TEST_F(Sql, UncommittedRowsAreInvisibleToOtherTransactions)
{
    sql::Query w(DM->Baza, DM->tTerminy);
    w.setSql({QStringLiteral("INSERT INTO Terminy (Lp, Lp_Sprawy, Data, Notka) VALUES (1, 7, '2006-01-02', 'x')")});
    w.execute();
    EXPECT_TRUE(DM->tTerminy->active());
    auto visible = [&] {
        DM->CloseQuery(DM->Query);
        DM->Query->setSql({QStringLiteral("select count(*) as Ilosc from Terminy")});
        DM->Query->open();
        return DM->Query->fieldText(QStringLiteral("ILOSC")).toInt();
    };
    EXPECT_EQ(visible(), 0);
    DM->tTerminy->commit();
    EXPECT_EQ(visible(), 1);
    EXPECT_FALSE(DM->tTerminy->active());
}

TEST_F(Sql, SecondWriterFailsAtOnceWithTheDatabaseText)
{
    exec(QStringLiteral("INSERT INTO Terminy (Lp, Lp_Sprawy, Data, Notka) VALUES (1, 7, '2006-01-02', 'x')"));
    sql::Query a(DM->Baza, DM->tTerminy), b(DM->Baza, DM->tHistoria);
    a.setSql({QStringLiteral("UPDATE Terminy SET Notka = 'a' WHERE Lp = 1")});
    b.setSql({QStringLiteral("UPDATE Terminy SET Notka = 'b' WHERE Lp = 1")});
    a.execute();
    try {
        b.execute();
        FAIL() << "the second update went through";
    } catch (const sql::Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("deadlock")) || e.message().contains(QStringLiteral("conflict")))
            << e.message().toStdString();
        EXPECT_NE(e.code(), 0);
    }
    DM->tHistoria->rollback();
    DM->tTerminy->rollback();
}

TEST_F(Sql, BlobsRoundTripExactly)
{
    QByteArray big;
    for (int i = 0; i < 200000; ++i)
        big.append(char(i * 7 % 256));
    struct Case { const char *name; QByteArray bytes; };
    const Case cases[] = {
        {"zero bytes inside", QByteArray("a\0b\0\0c", 6)},
        {"more than 64 KiB", big},
        {"exactly one segment", QByteArray(32768, 'x')},
        {"rtf", QByteArray("{\\rtf1\\ansi\\ansicpg1250 Za\\'bf\\'f3\\'b3\\'e6}")},
    };
    int lp = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ++lp;
        DM->CloseQuery(DM->qDodajSprawe);
        DM->qDodajSprawe->setSql({QStringLiteral("INSERT INTO Szczegoly (Lp_Sprawy, Notatki, Orzeczenia) VALUES (:Lp, :Notatki, :Orzeczenia)")});
        DM->qDodajSprawe->setParam(QStringLiteral("lp"), QString::number(lp));
        DM->qDodajSprawe->setParamBlob(QStringLiteral("Notatki"), c.bytes);
        DM->qDodajSprawe->execute();
        DM->tDodajSprawe->commit();
        DM->CloseQuery(DM->Query);
        DM->Query->setSql({QStringLiteral("select Notatki, Orzeczenia from Szczegoly where Lp_Sprawy = ") + QString::number(lp)});
        DM->Query->open();
        EXPECT_EQ(DM->Query->fieldBytes(QStringLiteral("notatki")), c.bytes);
        EXPECT_TRUE(DM->Query->isNull(QStringLiteral("Orzeczenia")));
        EXPECT_TRUE(DM->Query->fieldBytes(QStringLiteral("Orzeczenia")).isEmpty());
    }
}

TEST_F(Sql, PolishLettersRoundTripInEveryTextColumn)
{
    const QString s = QStringLiteral("ĄĆĘŁŃÓŚŹŻąćęłńóśźż");
    CaseRow row;
    row.zo = QStringLiteral("1/06");
    row.powod = row.pozwany = row.adres = s;
    row.miejscowosc = s.left(20);
    row.rodzaj = s;
    row.sygnatura1 = row.sygnatura2 = row.sygnatura3 = s.left(20);
    row.powodFirma = QStringLiteral("T");
    const QString lp = insertCase(row);
    DM->Sprawy->setSql({QStringLiteral("select * from Sprawy where Lp = ") + lp});
    DM->Sprawy->open();
    for (const char *col : {"Powod", "Pozwany", "Adres", "Rodzaj_sprawy"})
        EXPECT_EQ(DM->Sprawy->fieldText(QString::fromLatin1(col)), s) << col;
    for (const char *col : {"Miejscowosc", "Sygnatura1", "Sygnatura2", "Sygnatura3"})
        EXPECT_EQ(DM->Sprawy->fieldText(QString::fromLatin1(col)), s.left(20)) << col;
    for (const char *table : {"Powods", "Pozwani"}) {
        exec(QStringLiteral("INSERT INTO %1 (Lp, Lp_Sprawy, Nazwa, Nazwisko, Imie) VALUES (1, 1, '%2', '%3', '%4')")
                 .arg(QString::fromLatin1(table), s, s.left(30), s.left(25)));
        EXPECT_EQ(value(QStringLiteral("select Nazwa from %1").arg(QString::fromLatin1(table))), s);
    }
}

TEST_F(Sql, CharactersOutsideWindows1250AreRefusedAndNothingIsStored)
{
    DM->qDodajSprawe->setSql({QStringLiteral("INSERT INTO Terminy (Lp, Lp_Sprawy, Data, Notka) VALUES (1, 1, '2006-01-01', :Notka)")});
    try {
        DM->qDodajSprawe->setParam(QStringLiteral("Notka"), QStringLiteral("Müller 中"));
        DM->qDodajSprawe->execute();
        FAIL() << "no error";
    } catch (const sql::Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Windows-1250"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("中")));
    }
    if (DM->tDodajSprawe->active())
        DM->tDodajSprawe->commit();
    EXPECT_EQ(count(QStringLiteral("Terminy")), 0);
}

TEST_F(Sql, NamedParameters)
{
    struct Case { QStringList sql; QStringList names; QString expectText; };
    const Case cases[] = {
        {{QStringLiteral("select Lp from Sprawy where ZO = :A or Adres = :a")}, {QStringLiteral("A")},
         QStringLiteral("select Lp from Sprawy where ZO = ? or Adres = ?")},
        {{QStringLiteral("select Lp from Sprawy where ZO = ':no' or Adres = :Yes")}, {QStringLiteral("YES")},
         QStringLiteral("select Lp from Sprawy where ZO = ':no' or Adres = ?")},
        {{QStringLiteral("select Lp from Sprawy where ZO = 'it''s :no'"), QStringLiteral("-- :neither"),
          QStringLiteral("or Adres = :Val /* :nor */")},
         {QStringLiteral("VAL")}, QStringLiteral("select Lp from Sprawy where ZO = 'it''s :no'\n-- :neither\nor Adres = ? /* :nor */")},
    };
    for (const Case &c : cases) {
        DM->CloseQuery(&q());
        q().setSql(c.sql);
        q().prepare();
        EXPECT_EQ(q().paramNames(), c.names);
        EXPECT_EQ(q().preparedText(), c.expectText);
    }
    // One value serves every occurrence of a name, whatever its letter case.
    DM->CloseQuery(&q());
    q().setSql({QStringLiteral("select cast(:Ab as varchar(10)) as X, cast(:aB as varchar(10)) as Y from RDB$DATABASE")});
    q().setParam(QStringLiteral("AB"), QStringLiteral("żółw"));
    q().open();
    EXPECT_EQ(q().fieldText(QStringLiteral("x")), QStringLiteral("żółw"));
    EXPECT_EQ(q().fieldText(QStringLiteral("Y")), QStringLiteral("żółw"));
}

TEST_F(Sql, NavigationAndLocate)
{
    for (int i = 1; i <= 5; ++i) {
        CaseRow r;
        r.zo = QStringLiteral("%1/06").arg(i);
        r.adres = i == 4 ? QStringLiteral("Łąkowa 4") : QStringLiteral("Adres %1").arg(i);
        insertCase(r);
    }
    sql::Query &s = *DM->Sprawy;
    s.setSql({QStringLiteral("select Lp, ZO, Adres from Sprawy order by Lp")});
    s.open();
    EXPECT_EQ(s.recNo(), 1);
    EXPECT_TRUE(s.bof());
    EXPECT_FALSE(s.eof());
    s.fetchAll();
    EXPECT_EQ(s.recordCount(), 5);
    EXPECT_EQ(s.recNo(), 1);
    s.last();
    EXPECT_TRUE(s.eof());
    EXPECT_EQ(s.fieldText(QStringLiteral("ZO")), QStringLiteral("5/06"));
    s.next();
    EXPECT_TRUE(s.eof());
    EXPECT_EQ(s.recNo(), 5);
    s.prior();
    EXPECT_EQ(s.recNo(), 4);
    EXPECT_FALSE(s.eof());
    s.first();
    s.prior();
    EXPECT_TRUE(s.bof());
    EXPECT_EQ(s.recNo(), 1);

    EXPECT_TRUE(s.locate(QStringLiteral("Lp"), QStringLiteral("3")));
    EXPECT_EQ(s.recNo(), 3);
    EXPECT_FALSE(s.locate(QStringLiteral("Lp"), QStringLiteral("-1")));
    EXPECT_EQ(s.recNo(), 3);
    EXPECT_FALSE(s.locate(QStringLiteral("Lp"), QStringLiteral("")));
    EXPECT_TRUE(s.locate(QStringLiteral("adres"), QStringLiteral("łą"), sql::Locate::PrefixIgnoreCase));
    EXPECT_EQ(s.recNo(), 4);
    EXPECT_FALSE(s.locate(QStringLiteral("adres"), QStringLiteral("łą"), sql::Locate::Exact));
    EXPECT_THROW(s.fieldText(QStringLiteral("nope")), sql::Error);
}

TEST_F(Sql, DatabaseErrorsCarryTheServerText)
{
    DM->Query->setSql({QStringLiteral("select Nope from Sprawy")});
    try {
        DM->Query->open();
        FAIL();
    } catch (const sql::Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("NOPE"))) << e.message().toStdString();
        EXPECT_EQ(e.sqlCode(), -206);
    }
}

TEST_F(Sql, EndingATransactionClosesItsQueriesButClosingAQueryKeepsTheTransaction)
{
    insertCase({});
    DM->Sprawy->setSql({QStringLiteral("select Lp from Sprawy")});
    DM->Sprawy->open();
    EXPECT_TRUE(DM->Transaction1->active());
    DM->Sprawy->close();
    EXPECT_TRUE(DM->Transaction1->active());
    DM->Sprawy->open();
    DM->Transaction1->commit();
    EXPECT_FALSE(DM->Sprawy->isOpen());
    // Also when every row had been read (the server cursor already gone).
    DM->Sprawy->open();
    DM->Sprawy->fetchAll();
    DM->Transaction1->rollback();
    EXPECT_FALSE(DM->Sprawy->isOpen());
    // The next open starts the transaction again.
    DM->Sprawy->open();
    EXPECT_TRUE(DM->Transaction1->active());
    EXPECT_EQ(DM->Sprawy->recordCount(), 1);
}

// Values whose text the server would convert by rules of its own are
// refused by the layer, so what is stored is what was bound.
TEST_F(Sql, ParameterTextsMustHaveTheFixedForms)
{
    struct Case { const char *column; const char *text; bool accepted; };
    const Case cases[] = {
        {"Data", "2006-11-27", true},
        {"Data", "24.12.2006", false},
        {"Data", "today", false},
        {"Data", "2006-1-2", false},
        {"Kwota", "12.34", true},
        {"Kwota", "-0.5", true},
        {"Kwota", "-.50", true},
        {"Kwota", ".5", true},
        {"Kwota", "-.505", false},
        {"Kwota", "-.", false},
        {"Kwota", "12.345", false},
        {"Kwota", "1e3", false},
        {"Kwota", "12,5", false},
        {"Lp_Sprawy", "12", true},
        {"Lp_Sprawy", " 12 ", true},
        {"Lp_Sprawy", "12.7", false},
        {"Lp_Sprawy", "+12", true},
        {"Lp_Sprawy", "1 2", false},
        {"Notka", "24.12.2006 1e3", true},
    };
    int lp = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.column) + " <- " + c.text);
        DM->CloseQuery(&q());
        q().setSql({QStringLiteral("INSERT INTO Koszty (Lp, Lp_Sprawy, Kwota, Data, Notka) VALUES (:Lp, :Lp_Sprawy, :Kwota, :Data, :Notka)")});
        q().setParam(QStringLiteral("Lp"), QString::number(++lp));
        q().setParam(QStringLiteral("Lp_Sprawy"), QStringLiteral("1"));
        q().setParam(QString::fromLatin1(c.column), QString::fromLatin1(c.text));
        if (c.accepted) {
            EXPECT_NO_THROW(q().execute());
        } else {
            try {
                q().execute();
                ADD_FAILURE() << "accepted";
            } catch (const sql::Error &e) {
                EXPECT_TRUE(e.message().contains(QString::fromLatin1(c.text))) << e.message().toStdString();
            }
        }
    }
    DM->Transaction1->rollback();
}

TEST_F(Sql, MisuseIsAnErrorNotACrashOrALoss)
{
    // A value under a name the statement does not have.
    q().setSql({QStringLiteral("INSERT INTO Koszty (Lp, Lp_Sprawy, Kwota) VALUES (1, 1, :Kwota)")});
    q().setParam(QStringLiteral("Kwtoa"), QStringLiteral("55.00"));
    EXPECT_THROW(q().execute(), sql::Error);
    if (DM->Transaction1->active())
        DM->Transaction1->rollback();
    EXPECT_EQ(count(QStringLiteral("Koszty")), 0);

    // A prepared query whose transaction went away.
    sql::Query orphan(DM->Baza, nullptr);
    {
        sql::Transaction t(DM->Baza);
        orphan.setTransaction(&t);
        orphan.setSql({QStringLiteral("select 1 from RDB$DATABASE")});
        orphan.open();
        t.commit();
    }
    EXPECT_EQ(orphan.transaction(), nullptr);
    EXPECT_THROW(orphan.open(), sql::Error);
    EXPECT_THROW(orphan.execute(), sql::Error);

    // A first fetch that fails leaves the query closed, ready to open again.
    q().setSql({QStringLiteral("select 1/0 as X from RDB$DATABASE")});
    EXPECT_THROW(q().open(), sql::Error);
    EXPECT_FALSE(q().isOpen());
    q().setSql({QStringLiteral("select 1 as X from RDB$DATABASE")});
    q().open();
    EXPECT_EQ(q().fieldText(QStringLiteral("X")), QStringLiteral("1"));

    // Text longer than its column: the database's own refusal.
    DM->CloseQuery(&q());
    q().setSql({QStringLiteral("INSERT INTO Terminy (Lp, Lp_Sprawy, Data, Notka) VALUES (1, 1, '2006-01-01', :Notka)")});
    q().setParam(QStringLiteral("Notka"), QString(31, QLatin1Char('x')));
    try {
        q().execute();
        ADD_FAILURE() << "31 characters went into a 30-character column";
    } catch (const sql::Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("truncation"))) << e.message().toStdString();
    }
    DM->Transaction1->rollback();
}

TEST_F(Sql, ExecuteKeepsTheReturnedRow)
{
    q().setSql({QStringLiteral("INSERT INTO Terminy (Lp, Lp_Sprawy, Data, Notka) VALUES (5, 1, '2006-01-01', 'x') RETURNING Lp, Notka")});
    q().execute();
    EXPECT_EQ(q().fieldText(QStringLiteral("LP")), QStringLiteral("5"));
    EXPECT_EQ(q().fieldText(QStringLiteral("Notka")), QStringLiteral("x"));
    DM->Transaction1->rollback();
}

// Polish letters reach the file as Windows-1250 bytes, as the server sees them.
TEST_F(Sql, PolishLettersAreStoredAsWindows1250Bytes)
{
    exec(QStringLiteral("INSERT INTO Terminy (Lp, Lp_Sprawy, Data, Notka) VALUES (1, 1, '2006-01-01', 'Ąłż')"));
    EXPECT_EQ(column(QStringLiteral("select ascii_val(substring(Notka from 1 for 1)) || ',' || ascii_val(substring(Notka from 2 for 1))"
                                    " || ',' || ascii_val(substring(Notka from 3 for 1)) from Terminy")),
              QStringList{QStringLiteral("165,179,191")});
}

TEST_F(Sql, ClosingTheConnectionEndsQueriesAndTransactionsAndItOpensAgain)
{
    insertCase({});
    DM->Sprawy->setSql({QStringLiteral("select Lp from Sprawy")});
    DM->Sprawy->open();
    sql::Query w(DM->Baza, DM->tTerminy);
    w.setSql({QStringLiteral("INSERT INTO Terminy (Lp, Lp_Sprawy, Data, Notka) VALUES (1, 1, '2006-01-01', 'x')")});
    w.execute();
    DM->Disconnect();
    EXPECT_FALSE(DM->Baza->connected());
    EXPECT_FALSE(DM->Sprawy->isOpen());
    EXPECT_FALSE(DM->Sprawy->prepared());
    EXPECT_FALSE(DM->tTerminy->active());
    ASSERT_TRUE(DM->Connect());
    DM->Sprawy->open();
    EXPECT_EQ(DM->Sprawy->recordCount(), 1);
    // The insert that was never committed is gone.
    EXPECT_EQ(count(QStringLiteral("Terminy")), 0);
}

} // namespace
