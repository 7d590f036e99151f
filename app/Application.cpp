#include "Application.h"

#include "platform/sql/sql.h"
#include "platform/ui/cursor.h"
#include "platform/ui/messages.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        app::ShowException(e);
    } catch (...) {
        app::ShowException(QString());
    }
    return false;
}

namespace app {

void ShowException(const QString &message)
{
    ui::setDefaultCursor();
    QString caption = QApplication::applicationDisplayName();
    if (caption.isEmpty())
        caption = QStringLiteral("Wokandor");
    ui::showMessage({message, caption, ui::Icon::Error, ui::Ok, nullptr});
}

void ShowException(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception &e) {
        ShowException(e);
    } catch (...) {
        ShowException(QString());
    }
}

void ShowException(const std::exception &error)
{
    if (auto *e = dynamic_cast<const sql::Error *>(&error))
        ShowException(e->message());
    else
        ShowException(QString::fromUtf8(error.what()));
}

} // namespace app
