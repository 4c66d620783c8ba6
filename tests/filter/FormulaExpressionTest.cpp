// The formula evaluator: postfix texts, operator table and precedence, unary position, statuses,
// when the result is written, and bad input that must end quickly with a status.
#include <gtest/gtest.h>

#include "filter/FormulaExpression.h"

#include <cmath>
#include <string>

namespace {

const double kUntouched = 12345.678;
const double kAnyValue = -98765.4321;   // the value is not checked

struct sExpr
{
    std::string text;
    int nStatus;
    double dValue;   // kUntouched: the result was not written
};

const sExpr kExpressions[] = {
    // A sign after "(" gets a leading 0; at the start it is read as a signed number; the look-back
    // skips white space.
    { "(-5)*3", FORMULA_OK, -15 }, { "-5*3", FORMULA_OK, -15 }, { "+5", FORMULA_OK, 5 },
    { "3 * -5", FORMULA_OK, -15 }, { "3*(-5)", FORMULA_OK, -15 }, { "10 - -2", FORMULA_OK, 12 },
    // "*-" is no operator: "*" is a token, then the binary "-" lacks an operand.
    { "3*-5", FORMULA_ERR_OPERANDS, kAnyValue }, { "3+-5", FORMULA_ERR_OPERANDS, kAnyValue },
    // After a one-character operator before "(" the sign gets a 0; after "<<" it does not.
    { "2 * (- 3)", FORMULA_OK, -6 }, { "1 - (- 2)", FORMULA_OK, 3 }, { "2 * (* 3)", FORMULA_OK, 0 },
    { "2 << (- 3)", FORMULA_ERR_OPERANDS, kAnyValue },
    // Operators and precedence; equal precedence groups from the left.
    { "2^3^2", FORMULA_OK, 64 }, { "2+3*4", FORMULA_OK, 14 }, { "(2+3)*4", FORMULA_OK, 20 },
    { "7\\2", FORMULA_OK, 3 }, { "7%3", FORMULA_OK, 1 }, { "1<2", FORMULA_OK, 1 }, { "6-2-1", FORMULA_OK, 3 },
    { "10-3-2", FORMULA_OK, 5 }, { "2*3%4", FORMULA_OK, 2 }, { "1+2<<1", FORMULA_OK, 5 },
    { "1|2 && 0", FORMULA_OK, 0 }, { "1 < 2 == 1", FORMULA_OK, 1 }, { "7 / 2", FORMULA_OK, 3.5 },
    { "2^0.5", FORMULA_OK, std::sqrt(2.0) }, { "3>=3", FORMULA_OK, 1 }, { "2<=1", FORMULA_OK, 0 },
    { "1==1", FORMULA_OK, 1 }, { "2>1", FORMULA_OK, 1 }, { "2&&3", FORMULA_OK, 1 }, { "0||7", FORMULA_OK, 1 },
    // Integer operators truncate to 32 bits; shifts are arithmetic, counts modulo 32.
    { "5&3", FORMULA_OK, 1 }, { "5|3", FORMULA_OK, 7 }, { "7.9%3", FORMULA_OK, 1 }, { "-7.9 % 3", FORMULA_OK, -1 },
    { "7.9\\2", FORMULA_OK, 3 }, { "-7\\2", FORMULA_OK, -3 }, { "6.7&7", FORMULA_OK, 6 }, { "-8>>1", FORMULA_OK, -4 },
    { "1<<33", FORMULA_OK, 2 }, { "1 << -1", FORMULA_OK, -2147483648.0 }, { "3>>34", FORMULA_OK, 0 },
    { "99999999999 & 1", FORMULA_OK, 0 },   // out of range converts as the x86 instruction does
    // "!" is no operator character.
    { "1 != 2", FORMULA_ERR_NUMBER, kAnyValue }, { "1 !& 2", FORMULA_ERR_NUMBER, kAnyValue },
    { "!1", FORMULA_ERR_NUMBER, kAnyValue },
    // Parentheses and operands.
    { "(1+2", FORMULA_ERR_OPERANDS, kUntouched }, { "1+2)", FORMULA_ERR_OPERANDS, kAnyValue },
    { "((1)", FORMULA_ERR_OPERANDS, kAnyValue }, { "1+", FORMULA_ERR_OPERANDS, kUntouched },
    { "* 1", FORMULA_ERR_NUMBER, kAnyValue },   // at the start "*" is read as a number token
    { "", FORMULA_ERR_OPERANDS, kAnyValue }, { "   ", FORMULA_ERR_OPERANDS, kAnyValue },
    { "()", FORMULA_ERR_OPERANDS, kAnyValue }, { "(())", FORMULA_ERR_OPERANDS, kUntouched },
    // Number tokens.
    { "abc", FORMULA_ERR_NUMBER, kAnyValue }, { "1.2.3", FORMULA_ERR_NUMBER, kAnyValue },
    { "12a + 1", FORMULA_ERR_NUMBER, kAnyValue }, { "1,5", FORMULA_ERR_NUMBER, kAnyValue },
    { "1 = 1", FORMULA_ERR_NUMBER, kAnyValue }, { "1e", FORMULA_ERR_NUMBER, kAnyValue },
    { "1 + abc", FORMULA_ERR_NUMBER, kUntouched }, { "1e3", FORMULA_OK, 1000 }, { ".5+1.", FORMULA_OK, 1.5 },
    { "1 + \xE9", FORMULA_ERR_NUMBER, kAnyValue }, { std::string("1\0+2", 4), FORMULA_ERR_NUMBER, kAnyValue },
    { "1\t+\r\n2", FORMULA_OK, 3 },
    // Leftover operands write the top value.
    { "1 2", FORMULA_ERR_FAILED, 2 }, { "(1+2) (3)", FORMULA_ERR_FAILED, 3 },
    // Integer division by zero fails without writing; the divisor truncates first.
    { "7 % 0", FORMULA_ERR_FAILED, kUntouched }, { "7 % 0.5", FORMULA_ERR_FAILED, kAnyValue },
    { "7 \\ 0", FORMULA_ERR_FAILED, kAnyValue }, { "7 \\ 0.5", FORMULA_OK, 14 },
    { "-2147483648 % -1", FORMULA_OK, 0 },
};

TEST(FormulaExpression, StatusesAndValues)
{
    for (const sExpr& e : kExpressions)
    {
        SCOPED_TRACE("expression: " + e.text);
        double dValue = kUntouched;
        EXPECT_EQ(e.nStatus, EvaluateExpression(e.text, dValue));
        if (e.dValue != kAnyValue)
        {
            EXPECT_DOUBLE_EQ(e.dValue, dValue);
        }
    }
}

TEST(FormulaExpression, InfiniteAndNotANumber)
{
    for (const std::string& text : { std::string("1/0"), std::string("0/0"), std::string("10^400") })
    {
        double d = 0;
        EXPECT_EQ(FORMULA_OK, EvaluateExpression(text, d)) << text;
        EXPECT_TRUE(text == "0/0" ? std::isnan(d) : std::isinf(d)) << text;
    }
}

TEST(FormulaPostfix, TextsOfTheConversion)
{
    const std::pair<const char*, const char*> cases[] = {
        { "(-5)*3", " 0 5 - 3 *" }, { "-5*3", " (-5) 3 *" }, { "+5", " (+5)" }, { "3 * -5", " 3 (-5) *" },
        { "3*-5", " 3 * 0 5 -" },   { "2 * (- 3)", " 2 0 3 - *" }, { "2^3^2", " 2 3 ^ 2 ^" },
        { "1+2*3", " 1 2 3 * +" },  { "(1+2)*3", " 1 2 + 3 *" },
    };
    for (const auto& c : cases)
    {
        std::string strPostfix;
        EXPECT_EQ(FORMULA_OK, InfixToPostfix(c.first, strPostfix)) << c.first;
        EXPECT_EQ(c.second, strPostfix) << c.first;
    }
    std::string strPostfix;
    EXPECT_EQ(FORMULA_ERR_OPERANDS, InfixToPostfix("(1+2", strPostfix));
    EXPECT_EQ(FORMULA_ERR_OPERANDS, InfixToPostfix("1)", strPostfix));
}

TEST(FormulaPostfix, EvaluationReadsThePostfixTextsItself)
{
    const sExpr cases[] = {
        { " 1 2 +", FORMULA_OK, 3 },  { " (-5) 3 *", FORMULA_OK, -15 },   { " 2 3 <<", FORMULA_OK, 16 },
        { " +", FORMULA_ERR_OPERANDS, kAnyValue }, { " 1 +", FORMULA_ERR_OPERANDS, kAnyValue },
        { " 1 x +", FORMULA_ERR_NUMBER, kAnyValue }, { "", FORMULA_ERR_OPERANDS, kUntouched },
    };
    for (const sExpr& e : cases)
    {
        double d = kUntouched;
        EXPECT_EQ(e.nStatus, EvaluatePostfix(e.text, d)) << e.text;
        if (e.dValue != kAnyValue)
        {
            EXPECT_EQ(e.dValue, d) << e.text;
        }
    }
}

TEST(FormulaBadInput, DeepNestingAndLongTexts)
{
    const int n = 100000;
    std::string strSum = "0";
    for (int i = 0; i < n; ++i)
        strSum += "+1";
    // Runs of operator characters are no operators; single ones are then read as tokens, and
    // the first of them applied in the postfix text finds a missing operand.
    const sExpr cases[] = {
        { std::string(n, '(') + "1" + std::string(n, ')'), FORMULA_OK, 1 },
        { std::string(n, '('), FORMULA_ERR_OPERANDS, kAnyValue },
        { std::string(n, ')'), FORMULA_ERR_OPERANDS, kAnyValue },
        { strSum, FORMULA_OK, (double)n },
        { "1" + std::string(200000, '<') + "2", FORMULA_ERR_OPERANDS, kAnyValue },
        { std::string(200000, '-'), FORMULA_ERR_OPERANDS, kAnyValue },
        { "1" + std::string(200000, ' ') + "-", FORMULA_ERR_OPERANDS, kAnyValue },
    };
    for (const sExpr& e : cases)
    {
        double d = kUntouched;
        EXPECT_EQ(e.nStatus, EvaluateExpression(e.text, d)) << e.text.substr(0, 20);
        if (e.dValue != kAnyValue)
        {
            EXPECT_EQ(e.dValue, d);
        }
    }
}

} // namespace
