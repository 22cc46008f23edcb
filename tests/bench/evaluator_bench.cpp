// How long the Calculator takes per expression, for the lines a user really
// types: 10 to 40 characters of numbers, operators, functions and nesting.
#include "logic/evaluator.h"
#include "logic/result_format.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

const char* const Expressions[] = {
    "1+2*3-4/5+6",
    "(1+2)*(3+4)/(5-6)",
    "2^3^2-10/4/2*8",
    "-2^2+2--3*-1.5",
    "1.5E3*2.25E-2+.5",
    "sqrt(16)+sqr(3)*abs(-2)",
    "log10(1000)+log(exp(2))",
    "sin(0.5)^2+cos(0.5)^2",
    "round(2.5)+trunc(-2.7)*pow10(2)",
    "((((1+2)*3)-4)/5)^2",
    "atan(1)*4-acos(-1)+asin(0.25)",
    "cosh(1)-sinh(1)+tanh(0.5)/tan(0.3)",
};
constexpr int ExpressionCount = sizeof(Expressions) / sizeof(Expressions[0]);

// The evaluator writes the upper-cased text back, so each run starts from a
// fresh copy, as the dialog's own buffer does.
double EvaluateCopy(const char* expression, size_t size)
{
    char text[255];
    std::memcpy(text, expression, size);
    bool ok = false;
    double value = EvaluateExpression(text, ok);
    benchmark::DoNotOptimize(ok);
    return value;
}

void PerEvaluation(benchmark::State& state, int evaluations)
{
    state.counters["per_eval"] = benchmark::Counter(
        double(evaluations), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Expression(benchmark::State& state)
{
    const char* expression = Expressions[state.range(0)];
    size_t size = std::strlen(expression) + 1;
    char probe[255];
    std::memcpy(probe, expression, size);
    bool ok = false;
    EvaluateExpression(probe, ok);
    if (!ok) {
        state.SkipWithError("the expression does not evaluate; timing a failure would mislead");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateCopy(expression, size));
    state.SetLabel(expression);
    PerEvaluation(state, 1);
}
BENCHMARK(BM_Expression)->DenseRange(0, ExpressionCount - 1);

void BM_WholeSet(benchmark::State& state)
{
    size_t sizes[ExpressionCount];
    for (int i = 0; i < ExpressionCount; ++i)
        sizes[i] = std::strlen(Expressions[i]) + 1;
    for (auto _ : state)
        for (int i = 0; i < ExpressionCount; ++i)
            benchmark::DoNotOptimize(EvaluateCopy(Expressions[i], sizes[i]));
    state.SetItemsProcessed(state.iterations() * ExpressionCount);
    PerEvaluation(state, ExpressionCount);
}
BENCHMARK(BM_WholeSet);

// The other half of pressing Evaluate: the Result text.
void BM_FormatResult(benchmark::State& state)
{
    const double values[] = {3, 1.25, 2.0 / 3, 1e6, -1e-9, 1e300};
    constexpr int count = sizeof(values) / sizeof(values[0]);
    char out[255];
    for (auto _ : state)
        for (double value : values) {
            FormatResult(value, out, sizeof out);
            benchmark::DoNotOptimize(out);
        }
    PerEvaluation(state, count);
}
BENCHMARK(BM_FormatResult);

}  // namespace

BENCHMARK_MAIN();
