#include "lists/bom_date.h"

#include <ctime>

#include "text/format.h"

namespace tindral {

namespace {

ClockSource g_clock = nullptr;

LocalTime system_local_time() {
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);  // one thread: the shared buffer is fine
    LocalTime r;
    if (t) {
        r.year = t->tm_year + 1900;
        r.month = t->tm_mon + 1;
        r.day = t->tm_mday;
        r.hour = t->tm_hour;
        r.minute = t->tm_min;
    }
    return r;
}

}  // namespace

ClockSource set_clock_source(ClockSource source) {
    const ClockSource previous = g_clock;
    g_clock = source;
    return previous;
}

LocalTime local_time_now() { return g_clock ? g_clock() : system_local_time(); }

std::wstring bom_date_text(const LocalTime& t) {
    return format_text(100, L"%02d.%02d.%4d  %02d:%02d", t.day, t.month, t.year, t.hour, t.minute);
}

}  // namespace tindral
