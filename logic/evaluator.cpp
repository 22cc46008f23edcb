// Table-driven shift-reduce evaluator for the Calculator. The values are
// computed while parsing, so there is no tree and no allocation: everything
// lives in one Evaluator object on the caller's stack for one call.
#include "logic/evaluator.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "logic/decimal_text.h"

namespace {

enum TokenKind : uint8_t {
    Plus,        // "+"
    Minus,       // "-"
    Times,       // "*"
    Divide,      // "/"
    Caret,       // "^"
    OpenParen,   // "("
    CloseParen,  // ")"
    Number,
    Function,
    End,         // the terminator; returned again on every later call
    Bad,         // anything the lexer does not recognise
    TokenKindCount
};

enum Symbol : uint8_t { Sum, Product, Power, Signed, Operand, Primary, SymbolCount };

constexpr size_t WorkingCopySize = 80;  // 79 characters and the terminator
constexpr int ParseStackCapacity = 30;  // bounds nesting: 27 pairs of parentheses fit

// A number, or the name of a function waiting for its argument. The longest
// name has five characters, so the name shares the double's eight bytes.
union ParseValue {
    double number;
    char name[8];
};
static_assert(sizeof(ParseValue) == 8, "a function name must fit in a double's slot");

struct ParseEntry {
    uint8_t state;
    ParseValue value;
};

// ---------------------------------------------------------------------------
// Functions. Names are matched as prefixes of the text, in this order, so a
// longer name must stand before any name that is a prefix of it.

// A value as a double holds it. The x87 unit of a 32-bit processor without
// SSE2 computes in 80 bits and keeps results in its registers, where a
// quotient beyond DBL_MAX is still finite and x + 0.5 is not yet rounded;
// going through memory rounds to double precision, as every rule here
// assumes.
double AsDouble(double x)
{
    volatile double stored = x;
    return stored;
}

// Truncation toward zero into a signed 32-bit integer. Out-of-range values and
// NaN give INT32_MIN, the x86 "integer indefinite", on every compiler: a cast
// of such a value is undefined, so the range is tested first.
int32_t TruncateToInt32(double value)
{
    double x = AsDouble(value);
    if (!(x > -2147483649.0 && x < 2147483648.0))
        return INT32_MIN;
    return static_cast<int32_t>(x);
}

struct FunctionEntry {
    const char* name;
    double (*routine)(double);
};

// name       routine
constexpr FunctionEntry FunctionNames[] = {
    {"ABS",   [](double x) { return std::fabs(x); }},
    {"ACOS",  [](double x) { return std::acos(x); }},
    {"ASIN",  [](double x) { return std::asin(x); }},
    {"ATAN",  [](double x) { return std::atan(x); }},
    {"COSH",  [](double x) { return std::cosh(x); }},
    {"COS",   [](double x) { return std::cos(x); }},
    {"EXP",   [](double x) { return std::exp(x); }},
    {"LOG10", [](double x) { return std::log10(x); }},
    {"LOG",   [](double x) { return std::log(x); }},
    {"POW10", [](double x) { return std::pow(x, 10.0); }},  // x to the tenth, not ten to the x
    {"ROUND", [](double x) { return double(TruncateToInt32(x + 0.5)); }},  // halves go up only above zero
    {"SINH",  [](double x) { return std::sinh(x); }},
    {"SIN",   [](double x) { return std::sin(x); }},
    {"SQRT",  [](double x) { return std::sqrt(x); }},
    {"SQR",   [](double x) { return x * x; }},
    {"TANH",  [](double x) { return std::tanh(x); }},
    {"TAN",   [](double x) { return std::tan(x); }},
    {"TRUNC", [](double x) { return double(TruncateToInt32(x)); }},
};

double ApplyFunction(const char* name, double argument)
{
    for (const FunctionEntry& function : FunctionNames)
        if (std::strcmp(function.name, name) == 0)
            return function.routine(argument);
    return std::nan("");  // unreachable: the lexer only hands out names from the table
}

// ---------------------------------------------------------------------------
// Grammar rules. `rhs` points at the first of the popped entries; in a binary
// rule rhs[0] is the left operand and rhs[2] the right one.

double Add(const ParseEntry* rhs) { return rhs[0].value.number + rhs[2].value.number; }
double Subtract(const ParseEntry* rhs) { return rhs[0].value.number - rhs[2].value.number; }
double Multiply(const ParseEntry* rhs) { return rhs[0].value.number * rhs[2].value.number; }
double Raise(const ParseEntry* rhs) { return std::pow(rhs[0].value.number, rhs[2].value.number); }
double Negate(const ParseEntry* rhs) { return -rhs[1].value.number; }
double First(const ParseEntry* rhs) { return rhs[0].value.number; }
double Inner(const ParseEntry* rhs) { return rhs[1].value.number; }
double Call(const ParseEntry* rhs) { return ApplyFunction(rhs[0].value.name, rhs[2].value.number); }

// A zero or NaN divisor gives +infinity, which the quotient check then refuses,
// so every division by zero fails whatever the sign of the dividend.
double Quotient(const ParseEntry* rhs)
{
    double divisor = rhs[2].value.number;
    if (divisor == 0.0 || std::isnan(divisor))
        return HUGE_VAL;
    return rhs[0].value.number / divisor;
}

struct Rule {
    Symbol lhs;
    uint8_t length;  // entries popped
    double (*value)(const ParseEntry* rhs);
    bool checksQuotient;  // +infinity or NaN after the reduce fails the evaluation
};

// Indexed by rule number minus one.
constexpr Rule Rules[] = {
    //  rule  production                             lhs      length value     checked
    /*  1  Sum -> Sum "+" Product              */ {Sum,     3,     Add,      false},
    /*  2  Sum -> Sum "-" Product              */ {Sum,     3,     Subtract, false},
    /*  3  Sum -> Product                      */ {Sum,     1,     First,    false},
    /*  4  Product -> Product "*" Power        */ {Product, 3,     Multiply, false},
    /*  5  Product -> Product "/" Power        */ {Product, 3,     Quotient, true},
    /*  6  Product -> Power                    */ {Product, 1,     First,    false},
    /*  7  Power -> Signed "^" Power           */ {Power,   3,     Raise,    false},
    /*  8  Power -> Signed                     */ {Power,   1,     First,    false},
    /*  9  Signed -> "-" Operand               */ {Signed,  2,     Negate,   false},
    /* 10  Signed -> Operand                   */ {Signed,  1,     First,    false},
    /* 11  Operand -> Primary                  */ {Operand, 1,     First,    false},
    /* 12  Primary -> "(" Sum ")"              */ {Primary, 3,     Inner,    false},
    /* 13  Primary -> number                   */ {Primary, 1,     First,    false},
    /* 14  Primary -> function "(" Sum ")"     */ {Primary, 4,     Call,     false},
};
static_assert(sizeof(Rules) / sizeof(Rules[0]) == 14, "rules are numbered 1 to 14");

// ---------------------------------------------------------------------------
// Parse tables. An action cell is empty (the evaluation fails), accept, or a
// shift to a state / a reduce by a rule with the number in the low six bits.

using Action = uint8_t;
constexpr Action ActionKindMask = 0xC0;
constexpr Action ActionShift = 0x40;
constexpr Action ActionReduce = 0x80;
constexpr Action ActionArgumentMask = 0x3F;
constexpr Action no = 0;
constexpr Action ACC = 0xC0;
constexpr Action S(int state) { return Action(ActionShift | state); }
constexpr Action R(int rule) { return Action(ActionReduce | rule); }

// "Default" states reduce on every token, Bad included: the bad token is then
// refused by the state the reduce leads to.
constexpr Action Actions[][TokenKindCount] = {
    //        "+"    "-"    "*"    "/"    "^"    "("    ")"    number function End  Bad
    /*  0 */ {no,    S(5),  no,    no,    no,    S(8),  no,    S(9),  S(10), no,    no},
    /*  1 */ {S(11), S(12), no,    no,    no,    no,    no,    no,    no,    ACC,   no},
    /*  2 */ {R(3),  R(3),  S(13), S(14), R(3),  R(3),  R(3),  R(3),  R(3),  R(3),  R(3)},
    /*  3 */ {R(6),  R(6),  R(6),  R(6),  R(6),  R(6),  R(6),  R(6),  R(6),  R(6),  R(6)},
    /*  4 */ {R(8),  R(8),  R(8),  R(8),  S(15), R(8),  R(8),  R(8),  R(8),  R(8),  R(8)},
    /*  5 */ {no,    no,    no,    no,    no,    S(8),  no,    S(9),  S(10), no,    no},
    /*  6 */ {R(10), R(10), R(10), R(10), R(10), R(10), R(10), R(10), R(10), R(10), R(10)},
    /*  7 */ {R(11), R(11), R(11), R(11), R(11), R(11), R(11), R(11), R(11), R(11), R(11)},
    /*  8 */ {no,    S(5),  no,    no,    no,    S(8),  no,    S(9),  S(10), no,    no},
    /*  9 */ {R(13), R(13), R(13), R(13), R(13), R(13), R(13), R(13), R(13), R(13), R(13)},
    /* 10 */ {no,    no,    no,    no,    no,    S(18), no,    no,    no,    no,    no},
    /* 11 */ {no,    S(5),  no,    no,    no,    S(8),  no,    S(9),  S(10), no,    no},
    /* 12 */ {no,    S(5),  no,    no,    no,    S(8),  no,    S(9),  S(10), no,    no},
    /* 13 */ {no,    S(5),  no,    no,    no,    S(8),  no,    S(9),  S(10), no,    no},
    /* 14 */ {no,    S(5),  no,    no,    no,    S(8),  no,    S(9),  S(10), no,    no},
    /* 15 */ {no,    S(5),  no,    no,    no,    S(8),  no,    S(9),  S(10), no,    no},
    /* 16 */ {R(9),  R(9),  R(9),  R(9),  R(9),  R(9),  R(9),  R(9),  R(9),  R(9),  R(9)},
    /* 17 */ {S(11), S(12), no,    no,    no,    no,    S(24), no,    no,    no,    no},
    /* 18 */ {no,    S(5),  no,    no,    no,    S(8),  no,    S(9),  S(10), no,    no},
    /* 19 */ {R(1),  R(1),  S(13), S(14), R(1),  R(1),  R(1),  R(1),  R(1),  R(1),  R(1)},
    /* 20 */ {R(2),  R(2),  S(13), S(14), R(2),  R(2),  R(2),  R(2),  R(2),  R(2),  R(2)},
    /* 21 */ {R(4),  R(4),  R(4),  R(4),  R(4),  R(4),  R(4),  R(4),  R(4),  R(4),  R(4)},
    /* 22 */ {R(5),  R(5),  R(5),  R(5),  R(5),  R(5),  R(5),  R(5),  R(5),  R(5),  R(5)},
    /* 23 */ {R(7),  R(7),  R(7),  R(7),  R(7),  R(7),  R(7),  R(7),  R(7),  R(7),  R(7)},
    /* 24 */ {R(12), R(12), R(12), R(12), R(12), R(12), R(12), R(12), R(12), R(12), R(12)},
    /* 25 */ {S(11), S(12), no,    no,    no,    no,    S(26), no,    no,    no,    no},
    /* 26 */ {R(14), R(14), R(14), R(14), R(14), R(14), R(14), R(14), R(14), R(14), R(14)},
};
constexpr size_t StateCount = sizeof(Actions) / sizeof(Actions[0]);
static_assert(StateCount == 27, "states are numbered 0 to 26");

// The state entered after a reduce, from the uncovered state and the rule's
// left-hand side. State 0 is never a target, so `no` marks an empty cell.
constexpr uint8_t Gotos[][SymbolCount] = {
    //        Sum  Product Power Signed Operand Primary
    /*  0 */ {1,   2,      3,    4,     6,      7},
    /*  1 */ {no,  no,     no,   no,    no,     no},
    /*  2 */ {no,  no,     no,   no,    no,     no},
    /*  3 */ {no,  no,     no,   no,    no,     no},
    /*  4 */ {no,  no,     no,   no,    no,     no},
    /*  5 */ {no,  no,     no,   no,    16,     7},
    /*  6 */ {no,  no,     no,   no,    no,     no},
    /*  7 */ {no,  no,     no,   no,    no,     no},
    /*  8 */ {17,  2,      3,    4,     6,      7},
    /*  9 */ {no,  no,     no,   no,    no,     no},
    /* 10 */ {no,  no,     no,   no,    no,     no},
    /* 11 */ {no,  19,     3,    4,     6,      7},
    /* 12 */ {no,  20,     3,    4,     6,      7},
    /* 13 */ {no,  no,     21,   4,     6,      7},
    /* 14 */ {no,  no,     22,   4,     6,      7},
    /* 15 */ {no,  no,     23,   4,     6,      7},
    /* 16 */ {no,  no,     no,   no,    no,     no},
    /* 17 */ {no,  no,     no,   no,    no,     no},
    /* 18 */ {25,  2,      3,    4,     6,      7},
    /* 19 */ {no,  no,     no,   no,    no,     no},
    /* 20 */ {no,  no,     no,   no,    no,     no},
    /* 21 */ {no,  no,     no,   no,    no,     no},
    /* 22 */ {no,  no,     no,   no,    no,     no},
    /* 23 */ {no,  no,     no,   no,    no,     no},
    /* 24 */ {no,  no,     no,   no,    no,     no},
    /* 25 */ {no,  no,     no,   no,    no,     no},
    /* 26 */ {no,  no,     no,   no,    no,     no},
};
static_assert(sizeof(Gotos) / sizeof(Gotos[0]) == StateCount, "one goto row per state");

// ---------------------------------------------------------------------------

// Character classes are plain ASCII: a byte of 0x80 or above is neither a
// digit nor a letter, whatever the user's code page says.
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

class Evaluator {
public:
    // Parses `length` characters of `text` (no terminator among them);
    // false on any failure.
    bool Run(const char* text, size_t length, double& result);
    const char* UpperCasedText() const { return copy_; }

private:
    TokenKind NextToken();
    TokenKind ScanNumber();
    TokenKind ScanFunctionName();
    bool Push(uint8_t state, ParseValue value);
    bool Reduce(int rule);

    char copy_[WorkingCopySize];
    const char* cursor_;
    ParseValue tokenValue_;
    ParseEntry stack_[ParseStackCapacity];
    int depth_;
};

bool Evaluator::Run(const char* text, size_t length, double& result)
{
    for (size_t i = 0; i < length; ++i)
        copy_[i] = ToUpper(text[i]);
    copy_[length] = '\0';

    cursor_ = copy_;
    depth_ = 0;
    ParseValue bottom;
    bottom.number = 0.0;
    Push(0, bottom);

    TokenKind token = NextToken();
    for (;;) {
        Action action = Actions[stack_[depth_ - 1].state][token];
        switch (action & ActionKindMask) {
        case ActionShift:
            if (!Push(action & ActionArgumentMask, tokenValue_))
                return false;
            token = NextToken();
            break;
        case ActionReduce:
            if (!Reduce(action & ActionArgumentMask))
                return false;
            break;
        case ACC:
            result = stack_[depth_ - 1].value.number;
            return true;
        default:
            return false;
        }
    }
}

bool Evaluator::Push(uint8_t state, ParseValue value)
{
    if (depth_ == ParseStackCapacity)
        return false;
    stack_[depth_].state = state;
    stack_[depth_].value = value;
    ++depth_;
    return true;
}

bool Evaluator::Reduce(int ruleNumber)
{
    const Rule& rule = Rules[ruleNumber - 1];
    depth_ -= rule.length;
    double value = AsDouble(rule.value(&stack_[depth_]));
    uint8_t next = Gotos[stack_[depth_ - 1].state][rule.lhs];
    if (next == no)
        return false;
    ParseValue computed;
    computed.number = value;
    Push(next, computed);  // cannot be refused: the rule just freed at least one entry
    if (rule.checksQuotient && (value == HUGE_VAL || std::isnan(value)))
        return false;
    return true;
}

TokenKind Evaluator::NextToken()
{
    tokenValue_.number = 0.0;
    while (*cursor_ == ' ')  // a tab is not a blank here: it is a bad character
        ++cursor_;
    char c = *cursor_;
    if (c == '\0')
        return End;  // the cursor stays put, so End repeats
    if (IsDigit(c) || c == '.')
        return ScanNumber();
    if (IsLetter(c))
        return ScanFunctionName();
    ++cursor_;
    switch (c) {
    case '+': return Plus;
    case '-': return Minus;
    case '*': return Times;
    case '/': return Divide;
    case '^': return Caret;
    case '(': return OpenParen;
    case ')': return CloseParen;
    default: return Bad;
    }
}

TokenKind Evaluator::ScanNumber()
{
    const char* start = cursor_;
    bool seenPoint = false;
    // A second "." ends the number, so "1.2.3" is 1.2 followed by .3.
    while (IsDigit(*cursor_) || (*cursor_ == '.' && !seenPoint)) {
        if (*cursor_ == '.')
            seenPoint = true;
        ++cursor_;
    }
    if (cursor_ - start == 1 && *start == '.')
        return Bad;

    // At most three exponent digits: a fourth starts a new number, which the
    // parser refuses. "2E" and "2E+" are still numbers (worth 2).
    if (*cursor_ == 'E') {
        ++cursor_;
        if (*cursor_ == '+' || *cursor_ == '-')
            ++cursor_;
        for (int digits = 0; digits < 3 && IsDigit(*cursor_); ++digits)
            ++cursor_;
    }

    // Only the taken text is converted: the rest of the line could hold a
    // fourth exponent digit.
    double value;
    if (!ParseDecimal(start, size_t(cursor_ - start), value))
        return Bad;
    tokenValue_.number = value;
    return Number;
}

TokenKind Evaluator::ScanFunctionName()
{
    // The name need not end where it matches: "SQRTX" is SQRT and a bad X.
    for (const FunctionEntry& function : FunctionNames) {
        size_t length = std::strlen(function.name);
        if (std::strncmp(cursor_, function.name, length) == 0) {
            std::memset(tokenValue_.name, 0, sizeof tokenValue_.name);
            std::memcpy(tokenValue_.name, function.name, length);
            cursor_ += length;
            return Function;
        }
    }
    return Bad;
}

}  // namespace

double EvaluateExpression(char* text, bool& ok)
{
    ok = true;
    if (text == nullptr) {
        ok = false;
        return 0.0;
    }

    // Look no further than the working copy could hold, and never past the
    // caller's terminator. A text that does not fit is refused rather than
    // cut: evaluating its first 79 characters would show a result for an
    // expression the user did not type.
    size_t length = 0;
    while (length < WorkingCopySize && text[length] != '\0')
        ++length;
    if (length == WorkingCopySize) {
        ok = false;
        return 0.0;
    }

    Evaluator evaluator;
    double value = 0.0;
    if (!evaluator.Run(text, length, value)) {
        ok = false;
        return 0.0;
    }
    std::memcpy(text, evaluator.UpperCasedText(), length + 1);
    return value;
}
