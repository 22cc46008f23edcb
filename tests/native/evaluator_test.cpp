// Calculator arithmetic: what the user may type and what it is worth.
#include "logic/evaluator.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct Outcome {
    bool ok;
    double value;
    std::string text;  // the caller's buffer after the call
};

// The caller's buffer holds exactly the text and its terminator, on the heap,
// so AddressSanitizer reports any read or write past the terminator.
Outcome Evaluate(const std::string& input)
{
    std::unique_ptr<char[]> buffer(new char[input.size() + 1]);
    std::memcpy(buffer.get(), input.c_str(), input.size() + 1);
    bool ok = false;
    double value = EvaluateExpression(buffer.get(), ok);
    return {ok, value, std::string(buffer.get())};
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// A success: `ok` set, the text upper-cased in place and the value matching.
// NaN matches NaN, and an exact expectation also has to match the sign of zero.
::testing::AssertionResult Succeeds(const std::string& input, double expected, double tolerance)
{
    Outcome outcome = Evaluate(input);
    if (!outcome.ok)
        return ::testing::AssertionFailure() << '"' << input << "\" failed, expected " << expected;
    if (outcome.text != Upper(input))
        return ::testing::AssertionFailure() << '"' << input << "\" left the text \"" << outcome.text << '"';
    bool matches;
    if (std::isnan(expected))
        matches = std::isnan(outcome.value);
    else if (tolerance == 0.0 || std::isinf(expected))
        matches = outcome.value == expected && std::signbit(outcome.value) == std::signbit(expected);
    else
        matches = std::fabs(outcome.value - expected) <= tolerance * std::fmax(1.0, std::fabs(expected));
    if (!matches)
        return ::testing::AssertionFailure() << '"' << input << "\" is " << outcome.value << ", expected " << expected;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Evaluates(const std::string& input, double expected)
{
    return Succeeds(input, expected, 0.0);
}

// For the library's transcendental routines, which owe us no last bit.
::testing::AssertionResult EvaluatesNear(const std::string& input, double expected)
{
    return Succeeds(input, expected, 1e-14);
}

// A failure: `ok` cleared, exactly +0.0 returned and the text untouched.
::testing::AssertionResult Fails(const std::string& input)
{
    Outcome outcome = Evaluate(input);
    if (outcome.ok)
        return ::testing::AssertionFailure() << '"' << input << "\" evaluated to " << outcome.value;
    if (outcome.value != 0.0 || std::signbit(outcome.value))
        return ::testing::AssertionFailure() << '"' << input << "\" failed but returned " << outcome.value;
    if (outcome.text != input)
        return ::testing::AssertionFailure() << '"' << input << "\" failed but changed the text to \"" << outcome.text << '"';
    return ::testing::AssertionSuccess();
}

const double Pi = 3.14159265358979323846;
const double Infinity = HUGE_VAL;
const double NotANumber = std::nan("");

// ---------------------------------------------------------------------------

TEST(EvaluatorLexer, OnlyTheSpaceIsABlank)
{
    EXPECT_TRUE(Evaluates("  1 +  2 ", 3));
    EXPECT_TRUE(Evaluates("SQRT (16)", 4));
    EXPECT_TRUE(Evaluates("( 2 ) * 3", 6));
    EXPECT_TRUE(Fails("1\t+2"));
    EXPECT_TRUE(Fails("\t1"));
    EXPECT_TRUE(Fails("1+2\t"));
    EXPECT_TRUE(Fails("1\n"));
}

TEST(EvaluatorLexer, CharactersOutsideTheLanguageAreBad)
{
    EXPECT_TRUE(Fails("1+2="));
    EXPECT_TRUE(Fails("=1"));
    EXPECT_TRUE(Fails("1:2"));
    EXPECT_TRUE(Fails("1,5"));
    EXPECT_TRUE(Fails("1%2"));
    EXPECT_TRUE(Fails("[1]"));
    EXPECT_TRUE(Fails("1\xB1" "2"));     // a code-page plus-minus sign is not an operator
    EXPECT_TRUE(Fails("\xE9XP(1)"));     // nor is an accented letter a letter
}

TEST(EvaluatorLexer, NumbersTakeDigitsAndOnePoint)
{
    EXPECT_TRUE(Evaluates("42", 42));
    EXPECT_TRUE(Evaluates("007", 7));
    EXPECT_TRUE(Evaluates(".5", 0.5));
    EXPECT_TRUE(Evaluates("5.", 5));
    EXPECT_TRUE(Evaluates("1.25", 1.25));
    EXPECT_TRUE(Fails("."));
    EXPECT_TRUE(Fails(".+1"));
    // A second point starts a new number: 1.2 then .3, which may not follow it...
    EXPECT_TRUE(Fails("1.2.3"));
    EXPECT_TRUE(Fails("1..2"));
    // ...but is a number of its own where one is expected.
    EXPECT_TRUE(Evaluates("1.2+.3", 1.2 + .3));
    // A blank ends a number; "E5" on its own is then no function.
    EXPECT_TRUE(Fails("1 E5"));
    EXPECT_TRUE(Fails("3 4"));
}

TEST(EvaluatorLexer, ExponentTakesOptionalSignAndUpToThreeDigits)
{
    EXPECT_TRUE(Evaluates("1e5", 100000));
    EXPECT_TRUE(Evaluates("2E+3", 2000));
    EXPECT_TRUE(Evaluates("2e-3", 0.002));
    EXPECT_TRUE(Evaluates("1E123", 1e123));
    EXPECT_TRUE(Evaluates(".5E1", 5));
    EXPECT_TRUE(Evaluates("5.E1", 50));
    // An "E" with nothing usable after it stays part of the number.
    EXPECT_TRUE(Evaluates("1E", 1));
    EXPECT_TRUE(Evaluates("2E", 2));
    EXPECT_TRUE(Evaluates("1E+", 1));
    EXPECT_TRUE(Evaluates("2E-", 2));
    // The exponent ends after its digits; a letter there is a token of its own.
    EXPECT_TRUE(Fails("1E+2E"));
    // A fourth exponent digit starts a number the parser will not take.
    EXPECT_TRUE(Fails("1E1234"));
    EXPECT_TRUE(Fails("1E+1234"));
    EXPECT_TRUE(Fails("1E0001"));
    // The mantissa's point must come before the exponent.
    EXPECT_TRUE(Fails("1E2.5"));
    EXPECT_TRUE(Fails(".E5"));
}

TEST(EvaluatorLexer, NumbersOutOfRangeAreBad)
{
    EXPECT_TRUE(Fails("1E999"));
    EXPECT_TRUE(Fails("-1E999"));
    EXPECT_TRUE(Evaluates("1E308", 1e308));
    EXPECT_TRUE(Evaluates("1E-307", 1e-307));
    // Underflow too, to zero and to subnormals alike.
    EXPECT_TRUE(Fails("1E-999"));
    EXPECT_TRUE(Fails("1E-310"));
    // A stale range error from before the call does not spoil a good number.
    errno = ERANGE;
    EXPECT_TRUE(Evaluates("2", 2));
}

TEST(EvaluatorLexer, LongestFunctionNameMatchesFirst)
{
    // Each of these would misparse if the shorter name were tried first.
    EXPECT_TRUE(EvaluatesNear("COSH(1)", 1.5430806348152437));
    EXPECT_TRUE(EvaluatesNear("SINH(1)", 1.1752011936438014));
    EXPECT_TRUE(EvaluatesNear("TANH(1)", 0.7615941559557649));
    EXPECT_TRUE(EvaluatesNear("LOG10(1000)", 3));
    EXPECT_TRUE(Evaluates("SQRT(16)", 4));
}

TEST(EvaluatorLexer, FunctionNamesAreNotDelimited)
{
    // SQRT matches and leaves a bad X behind.
    EXPECT_TRUE(Fails("SQRTX(4)"));
    EXPECT_TRUE(Fails("COSINE(0)"));
    EXPECT_TRUE(Fails("ABSX(1)"));
    EXPECT_TRUE(Fails("COS H(1)"));
}

TEST(EvaluatorLexer, UnknownNamesAreBad)
{
    EXPECT_TRUE(Fails("PI"));
    EXPECT_TRUE(Fails("E"));
    EXPECT_TRUE(Fails("E5"));
    EXPECT_TRUE(Fails("SIN(X)"));
    EXPECT_TRUE(Fails("X"));
    EXPECT_TRUE(Fails("INF"));
    EXPECT_TRUE(Fails("NAN"));
    EXPECT_TRUE(Fails("0X10"));
}

TEST(EvaluatorLexer, LettersAreMatchedWhateverTheirCase)
{
    EXPECT_TRUE(Evaluates("sqrt(16)", 4));
    EXPECT_TRUE(Evaluates("Abs(-3)", 3));
    EXPECT_TRUE(Evaluates("2e3", 2000));
}

// ---------------------------------------------------------------------------

TEST(EvaluatorGrammar, MultiplicationBindsTighterThanAddition)
{
    EXPECT_TRUE(Evaluates("1+2*3", 7));
    EXPECT_TRUE(Evaluates("(1+2)*3", 9));
    EXPECT_TRUE(Evaluates("1+6/3", 3));
    EXPECT_TRUE(Evaluates("7-2*3", 1));
}

TEST(EvaluatorGrammar, PowerBindsTighterThanMultiplication)
{
    EXPECT_TRUE(Evaluates("2*3^2", 18));
    EXPECT_TRUE(Evaluates("2 ^ 10", 1024));
    EXPECT_TRUE(Evaluates("18/3^2", 2));
}

TEST(EvaluatorGrammar, AdditiveAndMultiplicativeOperatorsAssociateLeft)
{
    EXPECT_TRUE(Evaluates("10-4-3", 3));
    EXPECT_TRUE(Evaluates("10/4/2", 1.25));
    EXPECT_TRUE(Evaluates("8/2*4", 16));
    EXPECT_TRUE(Evaluates("1-2+3", 2));
}

TEST(EvaluatorGrammar, PowerAssociatesRight)
{
    EXPECT_TRUE(Evaluates("2^3^2", 512));
    EXPECT_TRUE(Evaluates("(2^3)^2", 64));
}

TEST(EvaluatorGrammar, UnaryMinusBindsTighterThanPower)
{
    EXPECT_TRUE(Evaluates("-2^2", 4));
    EXPECT_TRUE(Evaluates("-2^3", -8));
    EXPECT_TRUE(Evaluates("-2^-2", 0.25));
    EXPECT_TRUE(Evaluates("2^-2^2", 16));
    EXPECT_TRUE(Evaluates("-SQRT(4)", -2));
    EXPECT_TRUE(Evaluates("-(2+3)*2", -10));
}

TEST(EvaluatorGrammar, UnaryMinusAfterEveryOperatorAndParenthesis)
{
    EXPECT_TRUE(Evaluates("-3", -3));
    EXPECT_TRUE(Evaluates("2+-3", -1));
    EXPECT_TRUE(Evaluates("2--3", 5));
    EXPECT_TRUE(Evaluates("2*-3", -6));
    EXPECT_TRUE(Evaluates("2/-4", -0.5));
    EXPECT_TRUE(Evaluates("2^-1", 0.5));
    EXPECT_TRUE(Evaluates("(-3)", -3));
    EXPECT_TRUE(Evaluates("ABS(-3)", 3));
    EXPECT_TRUE(Evaluates("-(-3)", 3));
    EXPECT_TRUE(Evaluates("- 3", -3));
}

TEST(EvaluatorGrammar, UnaryMinusOnlyOnceAndNoUnaryPlus)
{
    EXPECT_TRUE(Fails("--3"));
    EXPECT_TRUE(Fails("2---3"));
    EXPECT_TRUE(Fails("+3"));
    EXPECT_TRUE(Fails("2*+3"));
    EXPECT_TRUE(Fails("-"));
}

TEST(EvaluatorGrammar, FunctionsNeedAParenthesisedArgument)
{
    EXPECT_TRUE(Fails("SQRT 16"));
    EXPECT_TRUE(Fails("SQRT"));
    EXPECT_TRUE(Fails("SQRT()"));
    EXPECT_TRUE(Fails("-SQRT"));
    EXPECT_TRUE(Fails("SQRT(16"));
    EXPECT_TRUE(Fails("SQRT(1,2)"));
    EXPECT_TRUE(Evaluates("SQRT(SQRT(16))", 2));
    EXPECT_TRUE(Evaluates("ABS(COS(0)-3)*2", 4));
}

TEST(EvaluatorGrammar, JuxtapositionIsNotMultiplication)
{
    EXPECT_TRUE(Fails("2(3)"));
    EXPECT_TRUE(Fails("(2)(3)"));
    EXPECT_TRUE(Fails("(2)3"));
    EXPECT_TRUE(Fails("3 4"));
    EXPECT_TRUE(Fails("2SQRT(4)"));
    EXPECT_TRUE(Fails("SQRT(4)(2)"));
}

TEST(EvaluatorGrammar, IncompleteOrUnbalancedTextsFail)
{
    EXPECT_TRUE(Fails(""));
    EXPECT_TRUE(Fails("   "));
    EXPECT_TRUE(Fails("1+"));
    EXPECT_TRUE(Fails("*2"));
    EXPECT_TRUE(Fails("1**2"));
    EXPECT_TRUE(Fails("2^^3"));
    EXPECT_TRUE(Fails("1 + + 2"));
    EXPECT_TRUE(Fails("(1"));
    EXPECT_TRUE(Fails("1)"));
    EXPECT_TRUE(Fails("()"));
    EXPECT_TRUE(Fails("(1))"));
    EXPECT_TRUE(Fails(")("));
}

// ---------------------------------------------------------------------------

TEST(EvaluatorFunctions, Trigonometry)
{
    EXPECT_TRUE(Evaluates("SIN(0)", 0));
    EXPECT_TRUE(EvaluatesNear("SIN(1.5707963267948966)", 1));
    EXPECT_TRUE(Evaluates("COS(0)", 1));
    EXPECT_TRUE(EvaluatesNear("COS(3.141592653589793)", -1));
    EXPECT_TRUE(Evaluates("TAN(0)", 0));
    EXPECT_TRUE(EvaluatesNear("TAN(0.7853981633974483)", 1));
    EXPECT_TRUE(Evaluates("ASIN(0)", 0));
    EXPECT_TRUE(EvaluatesNear("ASIN(1)", Pi / 2));
    EXPECT_TRUE(Evaluates("ACOS(1)", 0));
    EXPECT_TRUE(EvaluatesNear("ACOS(-1)", Pi));
    EXPECT_TRUE(EvaluatesNear("ATAN(1)", Pi / 4));
}

TEST(EvaluatorFunctions, Hyperbolic)
{
    EXPECT_TRUE(Evaluates("COSH(0)", 1));
    EXPECT_TRUE(Evaluates("SINH(0)", 0));
    EXPECT_TRUE(Evaluates("TANH(0)", 0));
    EXPECT_TRUE(EvaluatesNear("SINH(-1)", -1.1752011936438014));
}

TEST(EvaluatorFunctions, ExponentsAndLogarithms)
{
    EXPECT_TRUE(Evaluates("EXP(0)", 1));
    EXPECT_TRUE(EvaluatesNear("EXP(1)", 2.718281828459045));
    EXPECT_TRUE(Evaluates("LOG(1)", 0));
    EXPECT_TRUE(EvaluatesNear("LOG(2.718281828459045)", 1));
    EXPECT_TRUE(EvaluatesNear("log10(1000)", 3));
    EXPECT_TRUE(EvaluatesNear("LOG10(0.01)", -2));
    EXPECT_TRUE(Evaluates("SQRT(16)", 4));
    EXPECT_TRUE(Evaluates("sqr(3)+1", 10));
    EXPECT_TRUE(Evaluates("SQR(-3)", 9));
    EXPECT_TRUE(Evaluates("abs(-3)", 3));
    EXPECT_TRUE(Evaluates("ABS(2.5)", 2.5));
}

TEST(EvaluatorFunctions, Pow10RaisesToTheTenthPower)
{
    EXPECT_TRUE(Evaluates("POW10(2)", 1024));
    EXPECT_TRUE(Evaluates("POW10(-1)", 1));
    EXPECT_TRUE(Evaluates("POW10(0.5)", 1.0 / 1024));
    EXPECT_TRUE(Evaluates("POW10(1)", 1));
}

TEST(EvaluatorFunctions, RoundAddsAHalfAndTruncatesTowardZero)
{
    EXPECT_TRUE(Evaluates("ROUND(2.5)", 3));
    EXPECT_TRUE(Evaluates("ROUND(2.4)", 2));
    EXPECT_TRUE(Evaluates("ROUND(-2.5)", -2));
    EXPECT_TRUE(Evaluates("ROUND(-2.7)", -2));
    EXPECT_TRUE(Evaluates("ROUND(-3.5)", -3));
    // Through an integer, so the result is +0, never -0.
    EXPECT_TRUE(Evaluates("ROUND(-0.7)", 0.0));
}

TEST(EvaluatorFunctions, TruncGoesTowardZero)
{
    EXPECT_TRUE(Evaluates("TRUNC(-2.7)", -2));
    EXPECT_TRUE(Evaluates("TRUNC(2.7)", 2));
    EXPECT_TRUE(Evaluates("TRUNC(-0.5)", 0.0));
}

TEST(EvaluatorFunctions, RoundAndTruncOutsideThe32BitRangeGiveItsMinimum)
{
    EXPECT_TRUE(Evaluates("TRUNC(1E10)", -2147483648.0));
    EXPECT_TRUE(Evaluates("TRUNC(-1E10)", -2147483648.0));
    EXPECT_TRUE(Evaluates("TRUNC(2147483647.9)", 2147483647.0));
    EXPECT_TRUE(Evaluates("TRUNC(2147483648)", -2147483648.0));
    EXPECT_TRUE(Evaluates("TRUNC(-2147483647.9)", -2147483647.0));
    EXPECT_TRUE(Evaluates("TRUNC(-2147483648.9)", -2147483648.0));
    EXPECT_TRUE(Evaluates("TRUNC(-2147483649)", -2147483648.0));
    EXPECT_TRUE(Evaluates("ROUND(2147483646.5)", 2147483647.0));
    EXPECT_TRUE(Evaluates("ROUND(2147483647.5)", -2147483648.0));
    EXPECT_TRUE(Evaluates("TRUNC(EXP(1000))", -2147483648.0));
    EXPECT_TRUE(Evaluates("TRUNC(-EXP(1000))", -2147483648.0));
    EXPECT_TRUE(Evaluates("TRUNC(SQRT(-1))", -2147483648.0));
    EXPECT_TRUE(Evaluates("ROUND(SQRT(-1))", -2147483648.0));
}

TEST(EvaluatorFunctions, DomainAndRangeErrorsStillSucceed)
{
    EXPECT_TRUE(Evaluates("SQRT(-1)", NotANumber));
    EXPECT_TRUE(Evaluates("ACOS(2)", NotANumber));
    EXPECT_TRUE(Evaluates("LOG(-1)", NotANumber));
    EXPECT_TRUE(Evaluates("LOG(0)", -Infinity));
    EXPECT_TRUE(Evaluates("EXP(1000)", Infinity));
    EXPECT_TRUE(Evaluates("COSH(1000)", Infinity));
}

// ---------------------------------------------------------------------------

TEST(EvaluatorFailures, DivisionByZeroFailsWhateverTheDividend)
{
    EXPECT_TRUE(Fails("1/0"));
    EXPECT_TRUE(Fails("0/0"));
    EXPECT_TRUE(Fails("-1/0"));
    EXPECT_TRUE(Fails("1/-0"));
    EXPECT_TRUE(Fails("1/(2-2)"));
    EXPECT_TRUE(Fails("1/0.0E5"));
    // The check is made at the division, not at the end.
    EXPECT_TRUE(Fails("1/0*0"));
    EXPECT_TRUE(Fails("TRUNC(1/0)"));
}

TEST(EvaluatorFailures, DivisionInvolvingNaNFails)
{
    EXPECT_TRUE(Fails("1/SQRT(-1)"));
    EXPECT_TRUE(Fails("SQRT(-1)/1"));
    EXPECT_TRUE(Evaluates("SQRT(-1)*1", NotANumber));
}

TEST(EvaluatorFailures, OnlyAPositiveOverflowingQuotientFails)
{
    EXPECT_TRUE(Fails("1E300/1E-300"));
    EXPECT_TRUE(Fails("EXP(1000)/2"));
    EXPECT_TRUE(Evaluates("-1E300/1E-300", -Infinity));
    EXPECT_TRUE(Evaluates("-EXP(1000)/2", -Infinity));
    EXPECT_TRUE(Evaluates("0/5", 0.0));
    EXPECT_TRUE(Evaluates("-0/5", -0.0));
}

TEST(EvaluatorFailures, OtherOperatorsAreNotChecked)
{
    EXPECT_TRUE(Evaluates("1E300*1E300", Infinity));
    EXPECT_TRUE(Evaluates("10^400", Infinity));
    EXPECT_TRUE(Evaluates("1E308+1E308", Infinity));
    EXPECT_TRUE(Evaluates("EXP(1000)-EXP(1000)", NotANumber));
    EXPECT_TRUE(Evaluates("0*EXP(1000)", NotANumber));
    EXPECT_TRUE(Evaluates("(-8)^(1/3)", NotANumber));
}

TEST(EvaluatorFailures, TheOkFlagIsSetOnEveryCall)
{
    char good[] = "1+1";
    bool ok = false;
    EXPECT_EQ(2.0, EvaluateExpression(good, ok));
    EXPECT_TRUE(ok);

    char bad[] = "1+";
    ok = true;
    EXPECT_EQ(0.0, EvaluateExpression(bad, ok));
    EXPECT_FALSE(ok);
}

// ---------------------------------------------------------------------------

TEST(EvaluatorLimits, TwentySevenNestedParenthesesFitTwentyEightDoNot)
{
    EXPECT_TRUE(Evaluates(Repeat("(", 27) + "1" + Repeat(")", 27), 1));
    EXPECT_TRUE(Fails(Repeat("(", 28) + "1" + Repeat(")", 28)));
}

TEST(EvaluatorLimits, EveryPendingSymbolTakesAStackEntry)
{
    // "-(" leaves two entries per level...
    EXPECT_TRUE(Evaluates(Repeat("-(", 13) + "1" + Repeat(")", 13), -1));
    EXPECT_TRUE(Fails(Repeat("-(", 14) + "1" + Repeat(")", 14)));
    // ...and so does each pending right operand of "^".
    EXPECT_TRUE(Evaluates(Repeat("1^", 14) + "1", 1));
    EXPECT_TRUE(Fails(Repeat("1^", 15) + "1"));
    // Left-associative operators reduce as they go and never pile up.
    EXPECT_TRUE(Evaluates(Repeat("1+", 39) + "1", 40));
}

TEST(EvaluatorLimits, TextsLongerThan79CharactersAreRefused)
{
    std::string longest = Repeat("1+", 39) + "1";
    ASSERT_EQ(79u, longest.size());
    EXPECT_TRUE(Evaluates(longest, 40));
    EXPECT_TRUE(Evaluates(std::string(78, ' ') + "7", 7));
    EXPECT_TRUE(Evaluates(std::string(79, '1'), 1111111111111111111111111111111111111111111111111111111111111111111111111111111.0));

    std::string tooLong = Repeat("1+", 39) + "10";
    ASSERT_EQ(80u, tooLong.size());
    EXPECT_TRUE(Fails(tooLong));
    EXPECT_TRUE(Fails(std::string(79, ' ') + "7"));
    EXPECT_TRUE(Fails("sqrt(4)" + std::string(73, ' ')));
    EXPECT_TRUE(Fails(Repeat("1+", 126) + "12"));  // the most the Calculator's field holds
}

TEST(EvaluatorLimits, NothingCarriesOverToTheNextCall)
{
    EXPECT_TRUE(Evaluates("EXP(1000)", Infinity));
    EXPECT_TRUE(Evaluates("1+1", 2));
    EXPECT_TRUE(Fails(Repeat("(", 28) + "1" + Repeat(")", 28)));
    EXPECT_TRUE(Evaluates("1+1", 2));
    EXPECT_TRUE(Fails("((((1+"));
    EXPECT_TRUE(Evaluates("2", 2));
    EXPECT_TRUE(Fails("1E999"));
    EXPECT_TRUE(Evaluates("1E5", 100000));
    EXPECT_TRUE(Fails("1/0"));
    EXPECT_TRUE(Evaluates("3", 3));
}

// ---------------------------------------------------------------------------

// The caller's buffer is the Calculator's 255-byte field buffer; bytes past the
// terminator belong to the caller and must survive every call.
class EvaluatorCallerText : public ::testing::Test {
protected:
    void Fill(const std::string& text)
    {
        std::memset(buffer, 0xA5, sizeof buffer);
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        std::memcpy(before, buffer, sizeof buffer);
    }

    char buffer[255];
    char before[255];
};

TEST_F(EvaluatorCallerText, AFailureLeavesEveryByteAsItWas)
{
    for (const char* text : {"sqrt 16", "abs(1)/0", "e", "", "1\t", "--3"}) {
        Fill(text);
        bool ok = true;
        EXPECT_EQ(0.0, EvaluateExpression(buffer, ok)) << text;
        EXPECT_FALSE(ok) << text;
        EXPECT_EQ(0, std::memcmp(before, buffer, sizeof buffer)) << text;
    }
}

TEST_F(EvaluatorCallerText, ARefusedLongTextLeavesEveryByteAsItWas)
{
    Fill("sqrt(4)+" + Repeat("1+", 36) + "10");
    bool ok = true;
    EXPECT_EQ(0.0, EvaluateExpression(buffer, ok));
    EXPECT_FALSE(ok);
    EXPECT_EQ(0, std::memcmp(before, buffer, sizeof buffer));
}

TEST_F(EvaluatorCallerText, ASuccessUpperCasesTheTextAndNothingBeyondIt)
{
    Fill("  sqrt( 16 ) + log10(1e3) ");
    bool ok = false;
    EXPECT_EQ(7.0, EvaluateExpression(buffer, ok));
    EXPECT_TRUE(ok);
    EXPECT_STREQ("  SQRT( 16 ) + LOG10(1E3) ", buffer);
    size_t used = std::strlen(before) + 1;
    EXPECT_EQ(0, std::memcmp(before + used, buffer + used, sizeof buffer - used));
}

TEST_F(EvaluatorCallerText, ASuccessLeavesAnUpperCaseTextAlone)
{
    Fill("SQRT(16)");
    bool ok = false;
    EXPECT_EQ(4.0, EvaluateExpression(buffer, ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(0, std::memcmp(before, buffer, sizeof buffer));
}

}  // namespace
