#include "seams.h"

#include "platform/ui/beep.h"
#include "platform/ui/clock.h"
#include "platform/ui/cursor.h"
#include "platform/ui/filedialogs.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

void PrintTo(const QString &value, std::ostream *out)
{
    *out << '"' << value.toStdString() << '"';
}

namespace testsupport {

namespace {
std::deque<ui::Button> expected;
std::vector<ui::Message> seenBoxes;
int unexpectedBoxes = 0;
int beeps = 0;
} // namespace

void Messages::expect(ui::Button answer) { expected.push_back(answer); }
const std::vector<ui::Message> &Messages::seen() { return seenBoxes; }
const ui::Message &Messages::last()
{
    static const ui::Message none;
    return seenBoxes.empty() ? none : seenBoxes.back();
}
int Messages::unexpected() { return unexpectedBoxes; }
void Messages::reset()
{
    expected.clear();
    seenBoxes.clear();
    unexpectedBoxes = 0;
}

int Beeps::count() { return beeps; }
void Beeps::reset() { beeps = 0; }

void SeamsEnvironment::SetUp()
{
    ui::setMessageHandler([](const ui::Message &m) {
        seenBoxes.push_back(m);
        if (expected.empty()) {
            ++unexpectedBoxes;
            ADD_FAILURE() << "unexpected message box \"" << m.caption.toStdString() << "\": " << m.text.toStdString();
            return (m.buttons & ui::Cancel) ? ui::Cancel : ((m.buttons & ui::No) ? ui::No : ui::Ok);
        }
        const ui::Button b = expected.front();
        expected.pop_front();
        return b;
    });
    ui::setBeepHandler([] { ++beeps; });
}

void SeamsEnvironment::TearDown()
{
    ui::setMessageHandler({});
    ui::setBeepHandler({});
}

void Test::SetUp()
{
    Messages::reset();
    Beeps::reset();
    ui::clearFileAnswers();
    ui::setNow({});
    ui::setDefaultCursor();
}

void Test::TearDown()
{
    closeModalWindows();
    EXPECT_EQ(Messages::unexpected(), 0) << "message boxes that no test expected";
    EXPECT_TRUE(expected.empty()) << expected.size() << " expected message box(es) never appeared";
    Messages::reset();
    ui::clearFileAnswers();
    ui::setNow({});
    ui::setDefaultCursor();
}

void pump(int ms)
{
    QElapsedTimer t;
    t.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    } while (t.elapsed() < ms);
}

bool withModal(const std::function<void()> &command, const std::function<void(QWidget *)> &action, int timeoutMs)
{
    QPointer<QWidget> before = QApplication::activeModalWidget();
    bool ran = false;
    bool timedOut = false;
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *m = QApplication::activeModalWidget();
        if (m && m != before && m->isVisible()) {
            timer.stop();
            ran = true;
            action(m);
            return;
        }
        if (clock.elapsed() > timeoutMs) {
            timer.stop();
            timedOut = true;
        }
    });
    timer.start();
    command();
    timer.stop();
    if (!ran)
        ADD_FAILURE() << (timedOut ? "no modal window appeared in time" : "the command returned without a modal window");
    return ran;
}

void closeModalWindows()
{
    for (int guard = 0; guard < 20; ++guard) {
        QWidget *m = QApplication::activeModalWidget();
        if (!m)
            break;
        if (auto *d = qobject_cast<QDialog *>(m))
            d->reject();
        else
            m->close();
        QApplication::processEvents();
    }
}

} // namespace testsupport
