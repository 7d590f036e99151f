// Creates an empty Wokandor database file from the schema script.
//   mkdb [--if-missing] DATABASE_FILE SCHEMA_SQL
// An existing file is never overwritten: without --if-missing that is an
// error, with it nothing is done.

#include "platform/sql/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    bool ifMissing = false;
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--if-missing"))
            ifMissing = true;
        else
            args << a;
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: mkdb [--if-missing] DATABASE_FILE SCHEMA_SQL\n");
        return 2;
    }
    const QString path = QFileInfo(args[0]).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        if (ifMissing)
            return 0;
        std::fprintf(stderr, "mkdb: %s already exists; it is left as it is\n", qPrintable(path));
        return 1;
    }
    QFile schema(args[1]);
    if (!schema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mkdb: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    try {
        sql::Connection::createDatabase(path, QString::fromUtf8(schema.readAll()));
    } catch (const sql::Error &e) {
        std::fprintf(stderr, "mkdb: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    std::printf("mkdb: created %s\n", qPrintable(path));
    return 0;
}
