// The expression language of formula columns: an infix text of numbers, operators, parentheses
// and white space is turned into a postfix text (every token preceded by one space) and evaluated
// with double arithmetic. Window-free; the cell algorithm and the column dialogs build on it.
//
// Statuses: FORMULA_OK (0), FORMULA_ERR_OPERANDS (1: unbalanced parentheses, an operator without
// two operands, or no operand at all), FORMULA_ERR_NUMBER (3: a token that is not a number),
// FORMULA_ERR_FAILED (4: operands left over, or a failure while evaluating, which includes an
// integer division (`%`, backslash) by a divisor of zero).
#pragma once

#include "afxdefs.h"

#include <string>

enum
{
    FORMULA_OK = 0,
    FORMULA_ERR_OPERANDS = 1,
    FORMULA_ERR_NUMBER = 3,
    FORMULA_ERR_FAILED = 4,
};

// InfixToPostfix, then EvaluatePostfix. dResult is written only when the postfix evaluation
// reaches its end (statuses 0 and 4 from leftover operands).
CONTROLS_API int EvaluateExpression(const std::string& strExpression, double& dResult);

CONTROLS_API int InfixToPostfix(const std::string& strInfix, std::string& strPostfix);

CONTROLS_API int EvaluatePostfix(const std::string& strPostfix, double& dResult);

// Same as above on a character range, for callers that already hold the text elsewhere.
CONTROLS_API int EvaluateExpression(const char* pszExpression, size_t nLength, double& dResult);
// Also tells whether a status 4 came from an integer division (`%`, backslash) by zero.
CONTROLS_API int EvaluateExpression(const char* pszExpression, size_t nLength, double& dResult, bool& bZeroDivisor);
