#pragma once
// Today's date for the whole program, replaceable so tests can fix it.
#include <QDate>
#include <functional>

namespace Clock {
QDate Today();
// Replaces the source of today's date; an empty function restores the system clock.
void SetToday(std::function<QDate()> source);
} // namespace Clock
