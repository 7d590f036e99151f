#pragma once

#include <QApplication>

#include <exception>

// The application object. An exception that no command caught reaches
// notify(), where the standard error display shows it; the program goes on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

namespace app {

// The standard error display: a message box with the error's text.
void ShowException(const std::exception &error);
void ShowException(const QString &message);
// Shows whatever the pointer holds, as the guard below would.
void ShowException(std::exception_ptr error);

// Runs a command; whatever it throws is shown by the standard error display.
template <class F>
void guarded(F &&command)
{
    try {
        command();
    } catch (const std::exception &e) {
        ShowException(e);
    } catch (...) {
        ShowException(QString());
    }
}

} // namespace app
