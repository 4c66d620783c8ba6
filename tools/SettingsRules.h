// The window-free rules of the settings-file operations: which sections, keys, values and file
// paths one line of an INI file can hold so that it reads back as written, and the form a value
// is stored in. orvou_ini_file_operations and orvou_appdata_ini_file_operations apply them before
// touching a file; they build natively, so they are unit-tested and fuzzed there.
#pragma once

#include "OrvoTools.h"

// Longest stored value (quotes included) the private-profile functions keep: a line whose value
// reaches 32,767 characters is cut or wrapped, and the file around it is damaged.
#define ORVOU_MAX_SETTINGS_VALUE 32766
// Longest settings file path: the profile functions take MAX_PATH (260) including the NUL.
#define ORVOU_MAX_SETTINGS_PATH 259

// Why this call cannot be stored or looked up faithfully, or an empty text when it can. Mode 0
// reads (the value is not checked), 1 writes. Refused:
// - a section that is empty or blank, holds ']' or a line break, or holds a NUL;
// - a key that is empty or blank, holds '=' or a line break or a NUL, or whose first character
//   is ';' or '[' (it would read as a comment or a section line);
// - a section or key that starts or ends with a blank or holds a control character anywhere:
//   names are found trimmed, so it would silently share its entry with another name ("ORDERS "
//   and "ORDERS"). Names are otherwise compared without regard to ASCII case, as the platform's
//   settings files compare them: "Orders" and "ORDERS" are one name.
// - on a write, a value holding a line break or a NUL, or whose stored form (below) is longer
//   than ORVOU_MAX_SETTINGS_VALUE.
// Blanks are the characters the profile functions may trim: space, every control character
// (tab, line breaks, 0x1A Ctrl+Z, ...), DEL, 0x85 and 0xA0 (no-break space).
ORVOTOOLS_API CString orvou_check_settings_arguments(int mode, const CString& section, const CString& key,
                                                     const CString& value);

// Why the resolved file path cannot be used, or an empty text. Refused: an empty path, a NUL, more
// than ORVOU_MAX_SETTINGS_PATH characters, a path ending in a folder separator, a file name that
// the platform opens as a device whatever its extension (CON, PRN, AUX, NUL, COM0-9, LPT0-9,
// CONIN$, CONOUT$, CLOCK$: "nul", "aux.ini"), and a file name ending in a dot or a blank (the
// platform drops them, so it would be another name of a file without them).
ORVOTOOLS_API CString orvou_check_settings_path(const CString& path);

// The text written for a value: the value in double quotes when its first or last character is
// a blank (above) or a quote, since reading trims blanks and removes one pair of matching outer
// quotes; otherwise the value itself. Either way it reads back as the value.
ORVOTOOLS_API CString orvou_settings_stored_form(const CString& value);

// True for the characters the profile functions trim from sections, keys and values.
ORVOTOOLS_API bool orvou_is_settings_blank(char c);
