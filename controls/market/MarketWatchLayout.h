// The window-free rules of the market watch's column set: the user column string kept in the
// host's "MarketWatch" setting (fields separated by the byte 0xA7), the column profile text
// ("id,order,width" triples), and the resolution of a stored layout against the column ids in use
// (stale entries dropped, user columns placed in free positions or last).
#pragma once

#include <afx.h>

// The byte that separates the fields of the user column string (the section sign).
#define MARKET_FIELD_SEPARATOR '\xA7'
// Column ids: 0-100 are the host's market fields, user-defined columns take 101 and above.
#define MARKET_FIRST_USER_COLUMN 101
// Width of a user-defined column placed without a stored width.
#define MARKET_USER_COLUMN_WIDTH 80
// Longest heading a column record holds (its name field has 64 characters with the NUL).
#define MARKET_MAX_HEADING 63
// Largest run of unused ids read before a stored user column; an id further on is damage.
#define MARKET_MAX_USER_COLUMN_GAP 1000

struct sMarketUserColumn
{
    int nId;
    CString csHeading;
    CString csText2;     // the record's second text: the formula the list evaluates
    CString csText1;     // the record's first text: kept, not interpreted
};

// Splits the user column string at 0xA7 (runs of separators count as one) into groups of four
// fields; a missing trailing field is empty; headings are kept whole. Groups come out sorted by
// id; a repeated id keeps its first group. Ids are kept as stored, gaps included (101 and 103
// stay 101 and 103), since formulas and layouts name columns by id; only an id more than
// MARKET_MAX_USER_COLUMN_GAP past the previous one is moved to the next free id.
CONTROLS_API void ParseMarketUserColumns(const CString& csValue,
                                        CArray<sMarketUserColumn, const sMarketUserColumn&>& columns);
// Why a user column cannot be kept as given, or an empty text: no heading, a heading longer than
// MARKET_MAX_HEADING, or a field holding the separator byte or a NUL. Whoever takes a new column
// from the user asks this first and refuses it with the text.
CONTROLS_API CString CheckMarketUserColumn(const CString& csHeading, const CString& csText2, const CString& csText1);
// The user column string of the columns given (ascending id order is the caller's). A column with
// a field the stored form cannot carry (the separator byte, an embedded NUL) is left out alone,
// its heading added to pRefused, and FALSE returned; every other column is written under its own
// id. Since runs of separators read as one, an empty field is written as one blank, which reads
// back as empty.
CONTROLS_API BOOL FormatMarketUserColumns(const CArray<sMarketUserColumn, const sMarketUserColumn&>& columns,
                                          CString& csValue, CArray<CString, const CString&>* pRefused = nullptr);

// "id,order,width" for each column id from 0, as saved; order -1 when hidden.
struct sMarketProfileEntry
{
    int nOrder;
    int nWidth;
};
CONTROLS_API CString FormatMarketColumnProfile(const CArray<sMarketProfileEntry, const sMarketProfileEntry&>& entries);
// Reads a saved profile back into the position and width arrays, by column id. Triples whose id
// is not the next expected one, or whose fields are not numbers, end the reading; an order
// outside -1..count-1 reads as hidden; a width outside 0..10000 reads as 0 (the default).
CONTROLS_API void ParseMarketColumnProfile(const CString& csValue, CArray<int, int>& positions, CArray<int, int>& widths);

// The settings section of a market watch's layout, from its frame's title: "MarketWatchNew_%s".
// One to one: characters a settings section cannot hold or that would make two titles meet (line
// breaks and other control characters, '[', ']', '=', '%', trailing blanks) are written as "%XX"
// in hexadecimal, so "Watch [1]" and "Watch _1_" keep layouts of their own.
CONTROLS_API CString MarketWatchProfileSection(const CString& csTitle);
// The section earlier versions used for the same title (those characters replaced by '_'): read
// when the title's own section holds no layout, so old layouts are still found.
CONTROLS_API CString MarketWatchLegacyProfileSection(const CString& csTitle);

// Resolves the stored layout in place: positions and widths by column id (positions -1 hidden).
// Entries after nMaxId are dropped (positions after a dropped visible one close up), user columns
// MARKET_FIRST_USER_COLUMN..nMaxId are placed (last when new, else in the lowest free position when
// one is free below theirs, with width 80), duplicate positions keep the lower id and gaps close
// up. columnAtPosition gets the id shown at each position; nFirstColumn the id at position 0 (-1
// when none).
// Ids marked in pUnused (by id; nonzero = no such column, e.g. a gap between user column ids) stay
// hidden and are never placed.
CONTROLS_API void ResolveMarketLayout(CArray<int, int>& positions, CArray<int, int>& widths, int nMaxId,
                                      CArray<int, int>& columnAtPosition, int& nFirstColumn,
                                      const CArray<BYTE, BYTE>* pUnused = nullptr);
