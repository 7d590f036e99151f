#pragma once

#include "platform/ui/messages.h"

#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <functional>
#include <vector>

class QWidget;
class QString;

// Readable QString values in test failures.
void PrintTo(const QString &value, std::ostream *out);

namespace testsupport {

// Message boxes: a test says which boxes it expects (and how each is
// answered); every box is recorded; a box nobody expected is counted and
// fails the test at its clean-up.
struct Messages {
    static void expect(ui::Button answer = ui::Ok);
    static const std::vector<ui::Message> &seen();
    static const ui::Message &last();
    static int unexpected();
    static void reset();
};

// Refused key strokes.
struct Beeps {
    static int count();
    static void reset();
};

// Installs the seams once for the whole test program.
class SeamsEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

// Base of every test: clean seams before, and after the test the check that
// no unexpected box appeared and that no modal window was left open.
class Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Runs `command`, which is expected to open a modal window; `action` runs on
// that window while it is open (it should close it). Fails the test when no
// modal window appears within the timeout. Returns whether the action ran.
bool withModal(const std::function<void()> &command, const std::function<void(QWidget *)> &action,
               int timeoutMs = 5000);

// Closes every modal window (and its nested ones) still open.
void closeModalWindows();

// Processes events for a short while.
void pump(int ms = 0);

} // namespace testsupport
