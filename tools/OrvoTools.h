// OrvoTools: the host's tools library. Settings files (INI files read and written through the
// private-profile functions), date/time comparison for sorting, price splitting and a bounded
// string copy. Everything runs on the caller's thread; nothing is thrown.
//
// Threads: every function may be called from any thread. The settings operations keep no state
// of their own except the application-data file last named (below), which is shared by all
// threads under a lock; a thread that relies on "the last named file" sees whichever file any
// thread named last, so threads that use different files name them on every call. Two threads
// writing the same file are serialised by the platform's profile functions, key by key.
#pragma once

#include "afx.h"

#include <cstddef>

#ifdef _WIN32
#  ifdef ORVOTOOLS_BUILD_DLL
#    define ORVOTOOLS_API __declspec(dllexport)
#  else
#    define ORVOTOOLS_API __declspec(dllimport)
#  endif
#else
#  define ORVOTOOLS_API
#endif

// Text a failed read leaves in the value; callers compare against it.
#define ORVOU_SETTINGS_NOT_FOUND "Settings not found"

// The start of the error text of a read that found the file but not the key (or not its section):
// "Settings key [<section>] <key> not found in <path>". Callers that treat a missing key as
// "nothing stored" tell it from a real failure by this text.
inline CString orvou_missing_key_error_start(const CString& section, const CString& key)
{
    return "Settings key [" + section + "] " + key + " not found in ";
}
inline bool orvou_is_missing_key_error(const CString& error, const CString& section, const CString& key)
{
    const CString start = orvou_missing_key_error_start(section, key);
    return error.GetLength() > start.GetLength() && error.Left(start.GetLength()) == start;
}

// Reads (mode 0) or writes (mode 1) one key of an INI file. Returns 1 on success, 0 on failure.
// - A relative file name is taken relative to the folder of the process's executable (not the
//   Windows folder, where the private-profile functions would look); an absolute one
//   ("C:\...", "\\server\...", "\...") is used as given. fileName itself is not changed.
// - On success the error text is empty. On failure it holds a message for the user; a failed
//   read (missing file, section or key, bad arguments) also sets the value to
//   ORVOU_SETTINGS_NOT_FOUND. A failed write leaves the value untouched, and the file too unless
//   the platform wrote something that does not read back as the value ("was not stored whole").
// - Refused without touching the file (the rules are in SettingsRules.h): an empty file name, a
//   resolved path longer than 259 characters, a file name the platform opens as a device ("nul",
//   "aux.ini") or that ends in a dot or blank; an empty or blank section or key; a section or key
//   starting or ending with a blank or holding a control character (it would share its entry
//   with another name); a section holding ']'; a key holding '=' or starting with ';' or '[';
//   any of them holding a NUL; on a write, a value whose stored form is longer than 32,766
//   characters. Names are compared without regard to ASCII case ("Orders" is "ORDERS"). (The private-profile functions would otherwise delete a whole section
//   on an empty key, write lines that read back as other keys, cut values at a NUL, write to a
//   file with a cut name, or damage the file around an over-long line.)
// - A write to a read-only file is refused. A write succeeds only when the value reads back
//   whole afterwards; values with outer blanks (space, tab, vertical tab, form feed, 0x1A,
//   0xA0) or quotes are stored in double quotes so that they do.
// - A write is all or nothing for the whole file: the new file is made beside the old one
//   ("<file>.<process>-<n>.new", or "~<n>.tmp" in the same folder when that name would be too long), checked (the value reads back, every other entry is unchanged), flushed and
//   moved over the old one in one step (MoveFileEx, replace and write-through). On any failure
//   the old file is untouched, the temporary file removed, and the error text says why. Writes
//   within the process are serialised; two processes writing one file are not.
// - Values of any storable length are read whole.
ORVOTOOLS_API int orvou_ini_file_operations(int mode, CString section, CString key, CString& value,
                                            CString& fileName, CString& error);

// Same as orvou_ini_file_operations, on a file in the application-data folder (below). Only the
// file-name part of fileName is used, so a host's path cannot lead outside that folder. An empty
// fileName addresses the file most recently named in a call of this function, or
// "<executable base name>.ini" before any was named. The folder is created on a write.
ORVOTOOLS_API int orvou_appdata_ini_file_operations(int mode, CString section, CString key,
                                                    CString& value, CString& fileName,
                                                    CString& error);

// Test seam: called inside every settings write once the new file is written beside the old one,
// with its path, before it is checked. Returning 0 fails the write as the platform would (a full
// disk); the seam may also damage the file, which the check must then catch. Null removes it.
// Returns the previous seam.
typedef int (*ORVOU_SETTINGS_WRITE_SEAM)(const char* pszNewFile);
ORVOTOOLS_API ORVOU_SETTINGS_WRITE_SEAM orvou_set_settings_write_seam(ORVOU_SETTINGS_WRITE_SEAM seam);

// The folder of the application-data settings files: <APPDATA>\<executable base name>, where
// <APPDATA> is the APPDATA environment variable when it names an existing folder, else the
// shell's CSIDL_APPDATA folder. No trailing backslash; empty when neither is available.
// The folder is not created here.
ORVOTOOLS_API CString orvou_get_appdata_folder();

// Compares two date/time texts; returns -1, 0 or 1 (a before, equal to, after b) times order.
// Accepted forms, surrounded by optional blanks:
//   d/M/yyyy                      day and month of one or two digits, '/' or '-' both times
//   d/M/yyyy H:mm[:ss[.fff]]      one or more blanks between date and time
//   H:mm[:ss[.fff]]               hours 0-23, minutes and seconds 0-59 in two digits,
//                                 1 to 3 digits of fractions
// Impossible dates (31/02/2024) are not accepted. A date alone is that day at 00:00:00; a time
// alone sorts before every dated text. A text that is not in these forms (including an empty or
// null one, "-" or "NA") sorts before every accepted text; two such texts compare as strcmp
// (null as empty). Allocates nothing.
ORVOTOOLS_API int CompareDateTime(char* a, char* b, int order);

// Splits a price text at its first '.': integerPart gets what precedes it (sign included),
// decimalPart everything after it, without the point (empty when there is no point).
ORVOTOOLS_API void getIntegerAndDecimal(CString price, CString& integerPart, CString& decimalPart);

// BSD strlcpy: copies at most size-1 characters and terminates dst when size > 0; returns
// strlen(src), so a result >= size means truncation. A null src gives an empty dst and 0; a null
// dst returns strlen(src) when size is 0 (the length query) and 0 otherwise, writing nothing.
extern "C" ORVOTOOLS_API size_t strlcpy(char* dst, const char* src, size_t size);
