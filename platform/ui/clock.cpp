#include "clock.h"

namespace ui {

namespace {
QDateTime &fixed()
{
    static QDateTime t;
    return t;
}
} // namespace

QDateTime now()
{
    return fixed().isValid() ? fixed() : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

void setNow(const QDateTime &moment)
{
    fixed() = moment;
}

} // namespace ui
