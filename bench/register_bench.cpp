// The register's case list end to end: the statement, fetching every row,
// the grid's model taking them, and re-selecting the current case; and the
// same after a click on a column title that sorts by an unindexed column.
//
// The database is the one named by WOKANDOR_BENCH_DB (the 100,000-case demo
// database); it is only read. Without it, a temporary database with
// 100,000 generated cases is made for the run.

#include "app/Datamodule.h"
#include "register/Frmmain.h"

#include "platform/sql/sql.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

QString schemaText()
{
    QFile f(QStringLiteral(WOKANDOR_SCHEMA));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// Fills a new database with generated cases, on the server side.
void fillDatabase(const QString &path, int cases)
{
    sql::Connection::createDatabase(path, schemaText());
    sql::Connection c;
    c.setDatabaseName(path);
    c.setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=masterkey"),
                 QStringLiteral("lc_ctype=WIN1250")});
    c.open();
    sql::Transaction t(&c);
    sql::Query q(&c, &t);
    q.setSql({QStringLiteral("EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN"),
              QStringLiteral("WHILE (i < %1) DO BEGIN").arg(cases),
              QStringLiteral("INSERT INTO Sprawy (Lp, ZO, ZOLp, Rejon, Powod, Pozwany, Adres, Miejscowosc,"),
              QStringLiteral("Rodzaj_sprawy, Wartosc_sprawy, Sygnatura1, Sygnatura2, Sygnatura3, PowodFirma,"),
              QStringLiteral("PozwanyFirma) VALUES (i + 1, (MOD(i, 9999) + 1) || '/' || (i / 9999 + 10),"),
              QStringLiteral("(i / 9999 + 210) * 10000 + MOD(i, 9999) + 1,"),
              QStringLiteral("CASE WHEN MOD(i, 3) = 0 THEN NULL ELSE MOD(i, 40) + 1 END,"),
              QStringLiteral("'Powód ' || MOD(i * 7919, 100003), 'Pozwany ' || MOD(i * 104729, 99991),"),
              QStringLiteral("'ul. Długa ' || MOD(i, 250), 'Gdańsk', 'Eksmisja', MOD(i, 100000) + 0.5,"),
              QStringLiteral("'I C ' || i || '/06', NULL, NULL, 'N', 'N');"),
              QStringLiteral("i = i + 1; END END")});
    q.execute();
    t.commit();
    c.close();
}

struct Fixture {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TMain> main;
    bool ready = false;
};

Fixture f_;

Fixture &fixture()
{
    Fixture &f = f_;
    if (f.ready)
        return f;
    QString path = qEnvironmentVariable("WOKANDOR_BENCH_DB");
    if (path.isEmpty()) {
        f.dir = std::make_unique<QTemporaryDir>();
        path = f.dir->filePath(QStringLiteral("bench.gdb"));
        std::fprintf(stderr, "WOKANDOR_BENCH_DB not set: generating 100000 cases in %s\n", qPrintable(path));
        fillDatabase(path, 100000);
    }
    f.main = std::make_unique<TMain>();
    Main = f.main.get();
    DM = new TDM(nullptr, path);
    f.main->ReloadOnActivate = false;
    f.main->show();
    QApplication::processEvents();
    f.main->LoadCaseList();
    f.ready = true;
    return f;
}

void BM_LoadCaseList(benchmark::State &state)
{
    TMain *main = fixture().main.get();
    sql::Query *q = DM->Sprawy;
    // A case from the middle of the list is made current after each load.
    q->moveTo(q->recordCount() / 2);
    const QString middle = main->CurrentRowLp();
    for (auto _ : state) {
        main->RebuildSql = true;
        main->CurrentLp = middle;
        main->LoadCaseList();
    }
    state.counters["rows"] = q->recordCount();
    if (main->CurrentRowLp() != middle)
        state.SkipWithError("the current case was not re-selected");
}

void BM_TitleClickResort(benchmark::State &state)
{
    TMain *main = fixture().main.get();
    int column = 0;
    for (int c = 0; c < main->Grid->columnCount(); ++c)
        if (main->Grid->column(c).field == QStringLiteral("Powod"))
            column = c;
    for (auto _ : state)
        main->GridTitleClick(column);   // ascending and descending in turn
    state.counters["rows"] = DM->Sprawy->recordCount();
}

BENCHMARK(BM_LoadCaseList)->Name("load_case_list_100k")->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_TitleClickResort)->Name("resort_100k")->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    f_.main.reset();
    delete DM;
    DM = nullptr;
    return 0;
}
