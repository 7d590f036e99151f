#include "app/Datamodule.h"
#include "app/Startup.h"
#include "register/Frmmain.h"
#include "reports/Datamodulereports.h"

#include "support/dbfixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

namespace {

class Startup : public testsupport::Test {};

TEST_F(Startup, DatabasePathDependsOnlyOnTheExecutablesFolder)
{
    QTemporaryDir elsewhere;
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const QString expected = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/Baza/WokandorDB.gdb"));
    EXPECT_EQ(TDM::DefaultDatabasePath(), expected);
    QDir::setCurrent(saved);
}

// A file that cannot be opened as the database: the message, a clean end,
// and the file left exactly as it was.
TEST_F(Startup, UnusableDatabaseShowsTheMessageAndEndsTheProgram)
{
    QTemporaryDir dir;
    struct Case { const char *name; QString path; QByteArray content; bool makeFile; bool makeDir; };
    const Case cases[] = {
        {"missing", dir.filePath(QStringLiteral("missing.gdb")), {}, false, false},
        {"not a database", dir.filePath(QStringLiteral("text.gdb")), QByteArray("to nie jest baza danych\n"), true, false},
        {"empty file", dir.filePath(QStringLiteral("empty.gdb")), QByteArray(), true, false},
        {"a folder", dir.filePath(QStringLiteral("folder.gdb")), {}, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.makeFile) {
            QFile f(c.path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        if (c.makeDir)
            QDir().mkpath(c.path);
        testsupport::Messages::reset();
        testsupport::Messages::expect(ui::Ok);
        // Should the event loop be entered after all, it is ended from here.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(3); });
        guard.start(5000);
        EXPECT_EQ(app::Run(*qApp, c.path), 0);
        EXPECT_TRUE(guard.isActive()) << "the event loop ran";
        ASSERT_EQ(testsupport::Messages::seen().size(), 1u);
        const ui::Message &m = testsupport::Messages::last();
        EXPECT_EQ(m.text, QStringLiteral("Błąd otwarcia bazy danych"));
        EXPECT_EQ(m.caption, QStringLiteral("Błąd"));
        EXPECT_EQ(m.icon, ui::Icon::Error);
        EXPECT_EQ(m.parent, nullptr);
        EXPECT_TRUE(app::terminationRequested());
        EXPECT_EQ(DM, nullptr);
        EXPECT_EQ(Main, nullptr);
        EXPECT_EQ(DMRep, nullptr);
        if (c.makeFile) {
            QFile f(c.path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), c.content);
        } else if (!c.makeDir) {
            EXPECT_FALSE(QFileInfo::exists(c.path));
        }
    }
}

TEST_F(Startup, GoodDatabaseRunsTheEventLoopUntilTheMainWindowCloses)
{
    QTemporaryDir dir;
    const QString path = testsupport::createDatabase(dir.path());
    bool shown = false;
    bool connected = false;
    QTimer::singleShot(800, [&] {
        shown = Main && Main->isVisible();
        connected = DM && DM->Baza->connected() && DMRep;
        if (Main)
            Main->close();
    });
    EXPECT_EQ(app::Run(*qApp, path), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(connected);
    EXPECT_FALSE(app::terminationRequested());
    EXPECT_EQ(DM, nullptr);
    EXPECT_EQ(Main, nullptr);
}

// The real program, started from another working directory, opens the
// database in "Baza" beside its executable.
TEST_F(Startup, ProgramFindsTheDatabaseFromAnotherWorkingDirectory)
{
    const QString program = QStringLiteral(WOKANDOR_BINARY_DIR "/Wokandor");
    ASSERT_TRUE(QFileInfo::exists(program));
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("Wokandor"));
    ASSERT_TRUE(QFile::copy(program, copy));
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::ExeOwner);
    QDir(dir.path()).mkpath(QStringLiteral("Baza"));
    const QString db = testsupport::createDatabase(dir.filePath(QStringLiteral("Baza")), QStringLiteral("WokandorDB.gdb"));
    QTemporaryDir elsewhere;

    QProcess p;
    p.setWorkingDirectory(elsewhere.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(copy, {});
    ASSERT_TRUE(p.waitForStarted(5000));
    bool opened = false;
    const QString canonical = QFileInfo(db).canonicalFilePath();
    for (int i = 0; i < 100 && !opened && p.state() == QProcess::Running; ++i) {
        QThread::msleep(100);
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(p.processId()));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
            if (fd.symLinkTarget() == canonical)
                opened = true;
    }
    EXPECT_TRUE(opened) << "the program did not open " << canonical.toStdString();
    // A request to end from outside closes the program the ordinary way.
    p.terminate();
    const bool ended = p.waitForFinished(10000);
    EXPECT_TRUE(ended) << "SIGTERM did not end the program";
    if (ended) {
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
    } else {
        p.kill();
        p.waitForFinished(5000);
    }
}

} // namespace

namespace {

// The test programs themselves run under the Polish locale.
TEST(TestLocale, IsPolish)
{
    EXPECT_EQ(QLocale().name(), QStringLiteral("pl_PL"));
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
}

} // namespace
