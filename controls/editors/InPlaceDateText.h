// The result text of the date/time cell editor, built from the picker's window text: a time of day
// as "HH:MM:SS" (12-hour texts with AM/PM read as the 24-hour clock) or a date as "DD/MM/YYYY".
#pragma once

#include <afx.h>

// Both bits of DTS_TIMEFORMAT: the picker shows a time of day.
#define INPLACE_DTS_TIMEFORMAT 0x0009

// "hh:mm:ss[ AM|PM]" on today's date, as "%H:%M:%S". Missing fields read as 0.
CONTROLS_API CString InPlaceTimeText(const CString& strWindowText, const CTime& today);
// "dd/MM/yyyy" at midnight, as "%d/%m/%Y", normalised as the calendar does (30/02 is 01/03); a year
// outside 1970-3000, a month outside 1-12 or a day outside 1-31 gives an empty text.
CONTROLS_API CString InPlaceDateText(const CString& strWindowText);
// The cancelled edit's text: the initial time in the format of the picker's mode.
CONTROLS_API CString InPlaceInitialText(const CTime& initial, bool bTimeMode);
