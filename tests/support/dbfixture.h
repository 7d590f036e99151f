#pragma once

#include "support/seams.h"

#include "platform/sql/sql.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

// Creates a fresh database file from db/schema.sql in a temporary folder.
QString createDatabase(const QString &folder, const QString &name = QStringLiteral("test.gdb"));

// A fresh database for every test, with the data module `DM` (and the
// report data module `DMRep`) opened on it.
class DbTest : public Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs statements in a transaction of their own and commits them.
    void exec(const QString &statement);
    void exec(const QStringList &statements);
    // Every row of a select, each value as text ("<NULL>" for NULL), read in
    // a transaction of its own.
    QList<QStringList> rows(const QString &select);
    // First column of every row of a select.
    QStringList column(const QString &select);
    // The single value of a select.
    QString value(const QString &select);
    // Number of rows of a table.
    int count(const QString &table);

    // Inserts a case with the given fields (Lp drawn from G_SPRAWY unless given)
    // and returns its Lp.
    struct CaseRow {
        QString lp;
        QString zo = QStringLiteral("1/06");
        QString zolp;          // derived from zo when empty
        QString rejon;         // empty: NULL
        QString powod = QStringLiteral("Kowalski Jan");
        QString pozwany = QStringLiteral("Nowak Anna");
        QString adres = QStringLiteral("ul. Długa 1");
        QString miejscowosc = QStringLiteral("Gdańsk");
        QString rodzaj = QStringLiteral("Eksmisja");
        QString wartosc;       // empty: NULL
        QString sygnatura1, sygnatura2, sygnatura3;
        QString powodFirma = QStringLiteral("N");
        QString pozwanyFirma = QStringLiteral("N");
        QString dataKomornika; // empty: NULL
    };
    QString insertCase(const CaseRow &row);

    QString path;
    std::unique_ptr<QTemporaryDir> dir;

private:
    sql::Connection &checker();
};

} // namespace testsupport
