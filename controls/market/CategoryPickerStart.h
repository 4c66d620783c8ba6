// The start value of the category list's date/time picker, read from a cell's text. Window-free.
#pragma once

#include <afx.h>

// Time mode: "hh:mm:ss[ AM|PM]" on the date of `now` ("PM" adds 12 to an hour other than 12, "AM"
// turns 12 into 24, which the picker shows as 00:00). Date mode: "dd/mm/yyyy" at 00:00:00,
// normalised as the calendar does (31/02/2024 is 02/03/2024). An empty text starts at `now`; a text
// whose fields cannot make a time (an hour past 24, a minute or second past 59, a month outside
// 1-12, a day outside 1-31, a year outside 1971-3000) starts at `now` (time mode) or at today's
// 00:00:00 (date mode).
CONTROLS_API CTime CategoryPickerStart(const CString& strText, bool bTimeMode, const CTime& now);
