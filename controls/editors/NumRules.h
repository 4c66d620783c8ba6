// The checks behind the number box and the group-name box, free of windows.
#pragma once

#include "afx.h"

// Results of the number checks: valid, out of range or too many decimals, not a number or a
// character outside the allowed set.
enum
{
    NUM_VALID = 0,
    NUM_OUT_OF_RANGE = 1,
    NUM_NOT_A_NUMBER = 2,
};

// The whole-text check of the box's own text. Each step may overwrite the result of the one
// before: a lone number (white space behind it allowed), within the bounds, at most two
// characters behind the first point, and only allowed characters (plus the control codes 3, 8,
// 13, 22 and 24) when an allowed set is given.
CONTROLS_API int NumCheckText(const CString& strText, const CString& strAllowed, float fMinValue, float fMaxValue);

// The check of a given text: a leading number within the bounds; text behind it is ignored.
CONTROLS_API int NumCheckValue(const CString& strText, float fMinValue, float fMaxValue);

// Whether a clipboard text may be pasted: at most two characters behind the first point, every
// character allowed, and its value within the bounds.
CONTROLS_API BOOL NumPasteAllowed(const CString& strText, const CString& strAllowed, float fMinValue,
                                  float fMaxValue);

// Index of the first character that is not an ASCII letter or digit, -1 when there is none.
CONTROLS_API int FindNonAlphaNumeric(const CString& strText);

// The text without the characters FindNonAlphaNumeric finds, in one pass.
CONTROLS_API CString RemoveNonAlphaNumeric(const CString& strText);
