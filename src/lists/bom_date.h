#pragma once
// The date line of the BOM window and the clock it reads, behind a seam so that tests can fix
// the time.

#include <string>

namespace tindral {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

using ClockSource = LocalTime (*)();

// Installs the clock that local_time_now() reads; nullptr means the system's local time.
// Returns the previous one.
ClockSource set_clock_source(ClockSource source);

LocalTime local_time_now();

// "dd.mm.yyyy  hh:mm".
std::wstring bom_date_text(const LocalTime& t);

}  // namespace tindral
