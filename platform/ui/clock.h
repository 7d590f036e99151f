#pragma once

#include <QDate>
#include <QDateTime>

// "Today" as the date pickers and report headers see it. Tests fix it.
namespace ui {

QDate today();
QDateTime now();

// Fixes the clock at the given moment; an invalid value restores the real clock.
void setNow(const QDateTime &moment);

} // namespace ui
