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

struct sMarketUserColumn
{
    int nId;
    CString csHeading;
    CString csText2;     // the record's second text: the formula the list evaluates
    CString csText1;     // the record's first text: kept, not interpreted
};

// Splits the user column string at 0xA7 (runs of separators count as one) into groups of four
// fields; a missing trailing field is empty. The ids must continue 101, 102, ... (in any order in
// the text): groups are sorted by id, a repeated id keeps its first group, and the first id that
// does not continue the sequence is dropped with every higher one, so the column ids in use are
// always 101 to 100 + the number of columns returned.
CONTROLS_API void ParseMarketUserColumns(const CString& csValue,
                                        CArray<sMarketUserColumn, const sMarketUserColumn&>& columns);
// The user column string of the columns given (ascending id order is the caller's); FALSE when a
// field holds the separator byte or an embedded NUL, which the stored form cannot carry. Since runs
// of separators read as one, an empty field is written as one blank, which reads back as empty.
CONTROLS_API BOOL FormatMarketUserColumns(const CArray<sMarketUserColumn, const sMarketUserColumn&>& columns,
                                          CString& csValue);

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
// Characters a settings section cannot hold (line breaks, '[', ']', '=', control characters) are
// replaced by '_' so the layout can always be stored and found again.
CONTROLS_API CString MarketWatchProfileSection(const CString& csTitle);

// Resolves the stored layout in place: positions and widths by column id (positions -1 hidden).
// Entries after nMaxId are dropped (positions after a dropped visible one close up), user columns
// MARKET_FIRST_USER_COLUMN..nMaxId are placed (last when new, else in the lowest free position when
// one is free below theirs, with width 80), duplicate positions keep the lower id and gaps close
// up. columnAtPosition gets the id shown at each position; nFirstColumn the id at position 0 (-1
// when none).
CONTROLS_API void ResolveMarketLayout(CArray<int, int>& positions, CArray<int, int>& widths, int nMaxId,
                                      CArray<int, int>& columnAtPosition, int& nFirstColumn);
