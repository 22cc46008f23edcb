// The evaluator as the Windows build computes it. The 32-bit build keeps
// doubles in the x87 unit's 80-bit registers, where the native lane (SSE)
// cannot look: a quotient beyond the double range is still finite there,
// and x + 0.5 is not yet rounded when ROUND truncates it.
#include <windows.h>

#include <gtest/gtest.h>

#include "logic/evaluator.h"

static bool Evaluate(const char* expression, double& value)
{
    char text[80];
    lstrcpynA(text, expression, sizeof text);
    bool ok = false;
    value = EvaluateExpression(text, ok);
    return ok;
}

TEST(EvaluatorPrecision, OverflowingQuotientsFailAsAtDoublePrecision)
{
    double value;
    EXPECT_FALSE(Evaluate("1E300/1E-300", value)) << value;
    EXPECT_FALSE(Evaluate("1E308*10/1", value)) << value;
    EXPECT_TRUE(Evaluate("-1E300/1E-300", value));   // negative infinity is a result
}

TEST(EvaluatorPrecision, RoundAddsHalfAtDoublePrecision)
{
    double value;
    // 0.49999999999999994 + 0.5 rounds to 1 in a double, stays below 1 in 80 bits.
    ASSERT_TRUE(Evaluate("ROUND(0.49999999999999994)", value));
    EXPECT_EQ(1.0, value);
}
