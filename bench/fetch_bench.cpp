// Opening the register's statement and fetching every row into the buffer
// the grid reads, on the database named by WOKANDOR_BENCH_DB.

#include "platform/sql/sql.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

const QStringList kRegister = {
    QStringLiteral("Select Lp, ZO, ZOLp, Rejon,"),
    QStringLiteral("Powod, Pozwany, Adres, Miejscowosc,"),
    QStringLiteral("Rodzaj_Sprawy, Wartosc_sprawy, Sygnatura1,"),
    QStringLiteral("Sygnatura2, Sygnatura3,"),
    QStringLiteral("PowodFirma, PozwanyFirma, Data_komornika"),
    QStringLiteral("from Sprawy"),
    QString(),
    QStringLiteral("order by ZOLp"),
};

void FetchRegister(benchmark::State &state)
{
    const char *path = std::getenv("WOKANDOR_BENCH_DB");
    if (!path) {
        state.SkipWithError("WOKANDOR_BENCH_DB is not set");
        return;
    }
    sql::Connection db;
    db.setDatabaseName(QString::fromLocal8Bit(path));
    db.setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbcoat"), QStringLiteral("lc_ctype=WIN1250")});
    db.open();
    sql::Transaction t(&db);
    t.setParams({QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")});
    sql::Query q(&db, &t);
    int rows = 0;
    for (auto _ : state) {
        q.close();
        q.unprepare();
        q.setSql(kRegister);
        q.open();
        q.fetchAll();
        rows = q.recordCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}
BENCHMARK(FetchRegister)->Name("fetch_100k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
