// The formula evaluator: postfix texts, operator table and precedence, unary position, statuses,
// when the result is written, and bad input that must end quickly with a status.
#include <gtest/gtest.h>

#include "filter/FormulaExpression.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

namespace {

const double kUntouched = 12345.678;

struct sEval
{
    int nStatus;
    double dValue;
};

sEval Eval(const std::string& strText)
{
    sEval e = { -1, kUntouched };
    e.nStatus = EvaluateExpression(strText, e.dValue);
    return e;
}

std::string Postfix(const std::string& strText, int nExpectedStatus = FORMULA_OK)
{
    std::string strPostfix;
    EXPECT_EQ(nExpectedStatus, InfixToPostfix(strText, strPostfix)) << "infix: " << strText;
    return strPostfix;
}

void ExpectValue(const std::string& strText, double dExpected)
{
    SCOPED_TRACE("expression: " + strText);
    sEval e = Eval(strText);
    EXPECT_EQ(FORMULA_OK, e.nStatus);
    EXPECT_DOUBLE_EQ(dExpected, e.dValue);
}

void ExpectStatus(const std::string& strText, int nStatus)
{
    SCOPED_TRACE("expression: " + strText);
    EXPECT_EQ(nStatus, Eval(strText).nStatus);
}

TEST(FormulaPostfix, SignAfterOpeningParenthesisGetsALeadingZero)
{
    EXPECT_EQ(" 0 5 - 3 *", Postfix("(-5)*3"));
    ExpectValue("(-5)*3", -15);
}

TEST(FormulaPostfix, SignAtTheStartIsReadAsASignedNumber)
{
    EXPECT_EQ(" (-5) 3 *", Postfix("-5*3"));
    ExpectValue("-5*3", -15);
    EXPECT_EQ(" (+5)", Postfix("+5"));
    ExpectValue("+5", 5);
}

TEST(FormulaPostfix, LookBackSkipsWhiteSpaceBeforeASign)
{
    EXPECT_EQ(" 3 (-5) *", Postfix("3 * -5"));
    ExpectValue("3 * -5", -15);
    ExpectValue("3*(-5)", -15);
    ExpectValue("10 - -2", 12);
}

TEST(FormulaPostfix, OperatorRunThatIsNoOperatorLeavesAnOperandMissing)
{
    // "*-" is not in the table: "*" is read as a token, then the binary "-" gets a " 0".
    EXPECT_EQ(" 3 * 0 5 -", Postfix("3*-5"));
    ExpectStatus("3*-5", FORMULA_ERR_OPERANDS);
    ExpectStatus("3+-5", FORMULA_ERR_OPERANDS);
}

TEST(FormulaPostfix, ZeroAfterParenthesisFollowingAShortOperator)
{
    // The last token is the one-character operator before "(": the sign after it gets a 0.
    EXPECT_EQ(" 2 0 3 - *", Postfix("2 * (- 3)"));
    ExpectValue("2 * (- 3)", -6);
    ExpectValue("1 - (- 2)", 3);
    ExpectValue("2 * (* 3)", 0);
    ExpectStatus("2 << (- 3)", FORMULA_ERR_OPERANDS); // after "<<" no 0: an operand is missing
}

TEST(FormulaPostfix, EqualPrecedencePopsLeftToRight)
{
    EXPECT_EQ(" 2 3 ^ 2 ^", Postfix("2^3^2"));
    EXPECT_EQ(" 1 2 3 * +", Postfix("1+2*3"));
    EXPECT_EQ(" 1 2 + 3 *", Postfix("(1+2)*3"));
}

TEST(FormulaOperators, ExamplesAndPrecedence)
{
    ExpectValue("2^3^2", 64);
    ExpectValue("2+3*4", 14);
    ExpectValue("(2+3)*4", 20);
    ExpectValue("7\\2", 3);
    ExpectValue("7%3", 1);
    ExpectValue("1<2", 1);
    ExpectValue("6-2-1", 3);
    ExpectValue("2*3%4", 2);   // % binds looser than *
    ExpectValue("1+2<<1", 5);  // << binds tighter than +
    ExpectValue("1|2 && 0", 0);
    ExpectValue("1 < 2 == 1", 1);
    ExpectValue("7 / 2", 3.5);
}

TEST(FormulaOperators, CaretIsAlwaysPower)
{
    ExpectValue("5^2", 25);
    ExpectValue("2^0.5", std::sqrt(2.0));
}

TEST(FormulaOperators, ComparisonsAndLogic)
{
    ExpectValue("2>=3", 0);
    ExpectValue("3>=3", 1);
    ExpectValue("2<=1", 0);
    ExpectValue("1==1", 1);
    ExpectValue("2>1", 1);
    ExpectValue("1&&0", 0);
    ExpectValue("2&&3", 1);
    ExpectValue("0||0", 0);
    ExpectValue("0||7", 1);
}

TEST(FormulaOperators, IntegerOperatorsTruncateTo32Bits)
{
    ExpectValue("5&3", 1);
    ExpectValue("5|3", 7);
    ExpectValue("7.9%3", 1);
    ExpectValue("-7.9 % 3", -1);
    ExpectValue("7.9\\2", 3);
    ExpectValue("-7\\2", -3);
    ExpectValue("6.7&7", 6);
    ExpectValue("-8>>1", -4);         // arithmetic shift
    ExpectValue("1<<33", 2);          // count modulo 32
    ExpectValue("1 << -1", -2147483648.0);
    ExpectValue("3>>34", 0);
}

TEST(FormulaOperators, ExclamationMarkIsNotAnOperatorCharacter)
{
    ExpectStatus("1 != 2", FORMULA_ERR_NUMBER);
    ExpectStatus("1 !& 2", FORMULA_ERR_NUMBER);
    ExpectStatus("!1", FORMULA_ERR_NUMBER);
}

TEST(FormulaStatus, ParenthesesAndOperands)
{
    ExpectStatus("(1+2", FORMULA_ERR_OPERANDS);
    ExpectStatus("1+2)", FORMULA_ERR_OPERANDS);
    ExpectStatus("((1)", FORMULA_ERR_OPERANDS);
    ExpectStatus("1+", FORMULA_ERR_OPERANDS);
    ExpectStatus("* 1", FORMULA_ERR_NUMBER); // at the start "*" is read as a number token
    Postfix("(1+2", FORMULA_ERR_OPERANDS);
    Postfix("1)", FORMULA_ERR_OPERANDS);
}

TEST(FormulaStatus, InvalidNumberTokens)
{
    ExpectStatus("abc", FORMULA_ERR_NUMBER);
    ExpectStatus("1.2.3", FORMULA_ERR_NUMBER);
    ExpectStatus("12a + 1", FORMULA_ERR_NUMBER);
    ExpectStatus("1,5", FORMULA_ERR_NUMBER);
    ExpectStatus("1 = 1", FORMULA_ERR_NUMBER);
    ExpectStatus("1e", FORMULA_ERR_NUMBER);
    ExpectValue("1e3", 1000);
    ExpectValue(".5+1.", 1.5);
}

TEST(FormulaStatus, LeftoverOperandsWriteTheTopValue)
{
    sEval e = Eval("1 2");
    EXPECT_EQ(FORMULA_ERR_FAILED, e.nStatus);
    EXPECT_EQ(2, e.dValue);
    e = Eval("(1+2) (3)");
    EXPECT_EQ(FORMULA_ERR_FAILED, e.nStatus);
    EXPECT_EQ(3, e.dValue);
}

TEST(FormulaStatus, ResultUntouchedUnlessTheEvaluationReachesItsEnd)
{
    EXPECT_EQ(kUntouched, Eval("(1+2").dValue);
    EXPECT_EQ(kUntouched, Eval("1 + abc").dValue);
    EXPECT_EQ(kUntouched, Eval("1+").dValue);
    EXPECT_EQ(kUntouched, Eval("7 % 0").dValue);
}

TEST(FormulaStatus, NoOperandAtAllIsAMissingOperand)
{
    ExpectStatus("", FORMULA_ERR_OPERANDS);
    ExpectStatus("   ", FORMULA_ERR_OPERANDS);
    ExpectStatus("()", FORMULA_ERR_OPERANDS);
    EXPECT_EQ(kUntouched, Eval("(())").dValue);
    double d = kUntouched;
    EXPECT_EQ(FORMULA_ERR_OPERANDS, EvaluatePostfix("", d));
    EXPECT_EQ(kUntouched, d);
}

TEST(FormulaStatus, IntegerDivisionByZeroFailsTheEvaluation)
{
    ExpectStatus("7 % 0", FORMULA_ERR_FAILED);
    ExpectStatus("7 % 0.5", FORMULA_ERR_FAILED); // the divisor truncates to 0
    ExpectStatus("7 \\ 0", FORMULA_ERR_FAILED);
    ExpectValue("7 \\ 0.5", 14);                  // float division first, then truncation
    ExpectValue("-2147483648 % -1", 0);
}

TEST(FormulaStatus, FloatingDivisionByZeroIsInfinite)
{
    sEval e = Eval("1/0");
    EXPECT_EQ(FORMULA_OK, e.nStatus);
    EXPECT_TRUE(std::isinf(e.dValue));
    e = Eval("0/0");
    EXPECT_EQ(FORMULA_OK, e.nStatus);
    EXPECT_TRUE(std::isnan(e.dValue));
}

TEST(FormulaPostfixEvaluation, ReadsThePostfixTextsItself)
{
    double d = 0;
    EXPECT_EQ(FORMULA_OK, EvaluatePostfix(" 1 2 +", d));
    EXPECT_EQ(3, d);
    EXPECT_EQ(FORMULA_OK, EvaluatePostfix(" (-5) 3 *", d));
    EXPECT_EQ(-15, d);
    EXPECT_EQ(FORMULA_OK, EvaluatePostfix(" 2 3 <<", d));
    EXPECT_EQ(16, d);
    EXPECT_EQ(FORMULA_ERR_OPERANDS, EvaluatePostfix(" +", d));
    EXPECT_EQ(FORMULA_ERR_OPERANDS, EvaluatePostfix(" 1 +", d));
    EXPECT_EQ(FORMULA_ERR_NUMBER, EvaluatePostfix(" 1 x +", d));
}

unsigned Next(unsigned& nSeed)
{
    nSeed = nSeed * 1103515245u + 12345u;
    return nSeed >> 16;
}

// EvaluateExpression takes a one-pass route for plain texts; it must agree with the textual
// route (InfixToPostfix, then EvaluatePostfix) on every text, in status and in value.
TEST(FormulaDifferential, OnePassRouteAgreesWithPostfixRoute)
{
    const char* const arrTokens[] = { "1", "2.5", "0", "-", "+", "*", "/", "%", "\\", "<<",
                                      "(", ")", " ", "<", "^", "x", "&&" };
    const int nTokens = sizeof(arrTokens) / sizeof(arrTokens[0]);
    int nMismatches = 0, nValues = 0;
    unsigned nSeed = 2024;
    for (int n = 0; n < 200000; ++n)
    {
        // Up to four tokens exhaustively, then random texts of up to eleven tokens.
        std::string strText;
        if (n < nTokens * nTokens * nTokens * nTokens)
        {
            for (int k = n, i = 0; i < 4; ++i, k /= nTokens)
                strText += arrTokens[k % nTokens];
        }
        else
        {
            // Mostly operand, operator, operand ..., with a random token now and then.
            const char* const arrOperands[] = { "1", "2.5", "0", "7", "(", "-", " " };
            const char* const arrOperators[] = { "-", "+", "*", "/", "%", "\\", "<<", ">>", "<", "^",
                                                 "&&", "|", ")", " " };
            bool bOperand = true;
            for (int i = 0, nCount = 3 + (int)(Next(nSeed) % 12); i < nCount; ++i)
            {
                const unsigned r = Next(nSeed);
                const char* pszToken;
                if (r % 10 == 0)
                    pszToken = arrTokens[(r >> 4) % nTokens];
                else if (bOperand)
                    pszToken = arrOperands[(r >> 4) % 7];
                else
                    pszToken = arrOperators[(r >> 4) % 14];
                strText += pszToken;
                if (std::isdigit((unsigned char)pszToken[0]))
                    bOperand = false;
                else if (std::strchr("-+*/%\\<>^&|", pszToken[0]))
                    bOperand = true;
            }
        }
        double dDirect = kUntouched, dTextual = kUntouched;
        const int nDirect = EvaluateExpression(strText, dDirect);
        std::string strPostfix;
        int nTextual = InfixToPostfix(strText, strPostfix);
        if (nTextual == FORMULA_OK)
            nTextual = EvaluatePostfix(strPostfix, dTextual);
        const bool bSame = nDirect == nTextual
                           && (dDirect == dTextual || (std::isnan(dDirect) && std::isnan(dTextual)));
        EXPECT_TRUE(bSame) << "'" << strText << "': " << nDirect << " " << dDirect << " vs " << nTextual
                           << " " << dTextual;
        if (!bSame && ++nMismatches > 20)
            break;
        nValues += nDirect == FORMULA_OK;
    }
    EXPECT_GT(nValues, 5000); // the generated texts do reach the one-pass route
}

TEST(FormulaBadInput, HugeValuesStayNumbers)
{
    sEval e = Eval("10^400");
    EXPECT_EQ(FORMULA_OK, e.nStatus);
    EXPECT_TRUE(std::isinf(e.dValue));
    ExpectValue("99999999999 & 1", 0); // out of range converts as the x86 instruction does
    e = Eval(std::string(400, '9') + " + 1");
    EXPECT_EQ(FORMULA_OK, e.nStatus);
    EXPECT_TRUE(std::isinf(e.dValue));
}

TEST(FormulaBadInput, DeepNestingAndLongTexts)
{
    const int n = 100000;
    ExpectValue(std::string(n, '(') + "1" + std::string(n, ')'), 1);
    ExpectStatus(std::string(n, '('), FORMULA_ERR_OPERANDS);
    ExpectStatus(std::string(n, ')'), FORMULA_ERR_OPERANDS);

    std::string strSum = "0";
    for (int i = 0; i < n; ++i)
        strSum += "+1";
    ExpectValue(strSum, n);

    // Runs of operator characters are no operators; single ones are then read as tokens, and
    // the first of them applied in the postfix text finds a missing operand.
    ExpectStatus("1" + std::string(200000, '<') + "2", FORMULA_ERR_OPERANDS);
    ExpectStatus(std::string(200000, '-'), FORMULA_ERR_OPERANDS);
    ExpectStatus("1" + std::string(200000, ' ') + "-", FORMULA_ERR_OPERANDS);
}

TEST(FormulaBadInput, EightBitAndControlCharacters)
{
    ExpectStatus("1 + \xE9", FORMULA_ERR_NUMBER);
    ExpectStatus(std::string("1\0+2", 4), FORMULA_ERR_NUMBER);
    ExpectValue("1\t+\r\n2", 3);
}

} // namespace
