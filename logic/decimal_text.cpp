// Exact conversions: a double is a whole number times a power of two and a
// decimal is a whole number times a power of ten, so both ways are done on
// whole numbers of a few hundred digits, with no floating-point arithmetic
// (the x87 unit's wider registers cannot change a result).
#include "logic/decimal_text.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr uint64_t SignBit = uint64_t(1) << 63;
constexpr uint64_t FractionMask = (uint64_t(1) << 52) - 1;
constexpr uint64_t InfinityBits = uint64_t(0x7FF) << 52;
constexpr uint64_t SmallestNormalBits = uint64_t(1) << 52;
constexpr int SignificandBits = 53;
constexpr int SmallestNormalExponent = -1022;
constexpr int SmallestSubnormalExponent = -1074;

// The largest number met: a decimal of 79 digits and an exponent of -403
// (smaller ones round to zero) is read as a quotient whose denominator,
// 10^403 < 2^1339, is shifted left by 55 bits: 44 limbs.
constexpr int LimbCapacity = 46;

// An unsigned whole number, least significant 32-bit limb first. Nothing is
// ever written past the limbs; the numbers above never need more.
class BigNumber {
public:
    explicit BigNumber(uint64_t value);

    bool IsZero() const { return size_ == 0; }
    int BitLength() const;
    bool AtLeast(const BigNumber& other) const;

    // this = this * factor + addend; factor is not 0.
    void MultiplyAdd(uint32_t factor, uint32_t addend);
    void MultiplyByPowerOfTen(int exponent);
    // Divides by a divisor below 2^16 with 32-bit arithmetic alone (a 64-bit
    // division would pull a runtime routine into the 32-bit program) and
    // returns the remainder.
    uint32_t DivideSmall(uint32_t divisor);
    void ShiftLeft(int bits);
    void ShiftRightOne();
    // this -= other; other is not larger.
    void Subtract(const BigNumber& other);
    // Removes and returns the bits from `bit` up, which must fit 32 bits.
    uint32_t TakeBitsFrom(int bit);

private:
    void DropLeadingZeros();

    uint32_t limbs_[LimbCapacity];
    int size_;  // limbs in use; the highest is not 0
};

BigNumber::BigNumber(uint64_t value) : size_(0)
{
    for (; value != 0; value >>= 32)
        limbs_[size_++] = uint32_t(value);
}

int BigNumber::BitLength() const
{
    if (size_ == 0)
        return 0;
    int length = 32 * (size_ - 1);
    for (uint32_t top = limbs_[size_ - 1]; top != 0; top >>= 1)
        ++length;
    return length;
}

bool BigNumber::AtLeast(const BigNumber& other) const
{
    if (size_ != other.size_)
        return size_ > other.size_;
    for (int i = size_ - 1; i >= 0; --i)
        if (limbs_[i] != other.limbs_[i])
            return limbs_[i] > other.limbs_[i];
    return true;
}

void BigNumber::MultiplyAdd(uint32_t factor, uint32_t addend)
{
    uint64_t carry = addend;
    for (int i = 0; i < size_; ++i) {
        uint64_t product = uint64_t(limbs_[i]) * factor + carry;
        limbs_[i] = uint32_t(product);
        carry = product >> 32;
    }
    if (carry != 0 && size_ < LimbCapacity)
        limbs_[size_++] = uint32_t(carry);
}

void BigNumber::MultiplyByPowerOfTen(int exponent)
{
    for (; exponent >= 9; exponent -= 9)
        MultiplyAdd(1000000000, 0);
    uint32_t factor = 1;
    for (; exponent > 0; --exponent)
        factor *= 10;
    MultiplyAdd(factor, 0);
}

uint32_t BigNumber::DivideSmall(uint32_t divisor)
{
    uint32_t remainder = 0;
    for (int i = size_ - 1; i >= 0; --i) {
        uint32_t high = remainder << 16 | limbs_[i] >> 16;
        uint32_t low = (high % divisor) << 16 | (limbs_[i] & 0xFFFF);
        limbs_[i] = (high / divisor) << 16 | low / divisor;
        remainder = low % divisor;
    }
    DropLeadingZeros();
    return remainder;
}

void BigNumber::ShiftLeft(int bits)
{
    if (size_ == 0)
        return;
    int whole = bits / 32;
    int part = bits % 32;
    int size = size_ + whole + 1;
    if (size > LimbCapacity)
        size = LimbCapacity;
    // From the top down, so each limb is read before it is overwritten.
    for (int i = size - 1; i >= 0; --i) {
        int from = i - whole;
        uint32_t high = from >= 0 && from < size_ ? limbs_[from] : 0;
        uint32_t low = from >= 1 && from <= size_ ? limbs_[from - 1] : 0;
        limbs_[i] = part == 0 ? high : high << part | low >> (32 - part);
    }
    size_ = size;
    DropLeadingZeros();
}

void BigNumber::ShiftRightOne()
{
    for (int i = 0; i < size_; ++i)
        limbs_[i] = limbs_[i] >> 1 | (i + 1 < size_ ? limbs_[i + 1] << 31 : 0);
    DropLeadingZeros();
}

void BigNumber::Subtract(const BigNumber& other)
{
    uint32_t borrow = 0;
    for (int i = 0; i < size_; ++i) {
        uint64_t taken = uint64_t(i < other.size_ ? other.limbs_[i] : 0) + borrow;
        borrow = limbs_[i] < taken ? 1 : 0;
        limbs_[i] = uint32_t(limbs_[i] - taken);
    }
    DropLeadingZeros();
}

uint32_t BigNumber::TakeBitsFrom(int bit)
{
    int limb = bit / 32;
    int part = bit % 32;
    if (limb >= size_)
        return 0;
    uint64_t taken = limbs_[limb] >> part;
    if (limb + 1 < size_)
        taken |= uint64_t(limbs_[limb + 1]) << (32 - part);
    limbs_[limb] &= (uint32_t(1) << part) - 1;
    size_ = limb + 1;
    DropLeadingZeros();
    return uint32_t(taken);
}

void BigNumber::DropLeadingZeros()
{
    while (size_ > 0 && limbs_[size_ - 1] == 0)
        --size_;
}

uint64_t BitsOf(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

int BitLength(uint64_t value)
{
    int length = 0;
    for (; value != 0; value >>= 1)
        ++length;
    return length;
}

// ---------------------------------------------------------------------------
// Double to text

// 309 integer digits at most, produced four at a time.
constexpr int IntegerDigitCapacity = 312;

// The exact decimal digits (values 0 to 9) of a finite double's magnitude,
// highest place first: the integer part's digits, then the fraction's,
// then zeros for ever.
class DecimalDigits {
public:
    explicit DecimalDigits(uint64_t bits);

    // Digits before the point; 0 when the integer part is zero.
    int IntegerDigitCount() const { return IntegerDigitCapacity - integerStart_; }
    int Next();
    bool RestIsZero() const;

private:
    char integer_[IntegerDigitCapacity];  // the digits at the end, from integerStart_
    int integerStart_;
    int next_;                            // index into integer_ while digits are left there
    BigNumber fraction_;                  // the fraction is fraction_ / 2^fractionBits_
    int fractionBits_;
};

DecimalDigits::DecimalDigits(uint64_t bits) : fraction_(0), fractionBits_(0)
{
    int exponentField = int(bits >> 52 & 0x7FF);
    uint64_t significand = bits & FractionMask;
    if (exponentField != 0)
        significand |= SmallestNormalBits;
    // The magnitude is significand * 2^exponent.
    int exponent = (exponentField == 0 ? 1 : exponentField) - 1075;

    BigNumber integer(significand);
    if (exponent >= 0) {
        integer.ShiftLeft(exponent);
    } else {
        fractionBits_ = -exponent;
        bool allFraction = fractionBits_ >= SignificandBits;
        integer = BigNumber(allFraction ? 0 : significand >> fractionBits_);
        fraction_ = BigNumber(allFraction ? significand : significand & ((uint64_t(1) << fractionBits_) - 1));
    }

    integerStart_ = IntegerDigitCapacity;
    while (!integer.IsZero()) {
        uint32_t group = integer.DivideSmall(10000);
        for (int i = 0; i < 4; ++i, group /= 10)
            integer_[--integerStart_] = char(group % 10);
    }
    while (integerStart_ < IntegerDigitCapacity && integer_[integerStart_] == 0)
        ++integerStart_;
    next_ = integerStart_;
}

int DecimalDigits::Next()
{
    if (next_ < IntegerDigitCapacity)
        return integer_[next_++];
    if (fraction_.IsZero())
        return 0;
    fraction_.MultiplyAdd(10, 0);
    return int(fraction_.TakeBitsFrom(fractionBits_));
}

bool DecimalDigits::RestIsZero() const
{
    for (int i = next_; i < IntegerDigitCapacity; ++i)
        if (integer_[i] != 0)
            return false;
    return fraction_.IsZero();
}

// Rounds the `count` digits to nearest, ties to even, from the digit that
// follows them and whether anything other than zero comes after that. True
// when the carry ran out of the top: the digits are then all zeros behind
// an implied 1.
bool RoundDigits(char* digits, int count, int next, bool moreFollow)
{
    bool up = next > 5 || (next == 5 && (moreFollow || digits[count - 1] % 2 != 0));
    if (!up)
        return false;
    for (int i = count - 1; i >= 0; --i) {
        if (digits[i] != 9) {
            ++digits[i];
            return false;
        }
        digits[i] = 0;
    }
    return true;
}

// Writes into a caller's buffer within its capacity; a text that does not
// fit is not written at all.
class TextOut {
public:
    TextOut(char* out, size_t capacity) : out_(out), capacity_(capacity), length_(0), fits_(true) {}

    void Put(char c)
    {
        if (length_ + 1 < capacity_)
            out_[length_++] = c;
        else
            fits_ = false;
    }
    void PutDigit(int digit) { Put(char('0' + digit)); }
    void PutText(const char* text)
    {
        while (*text != '\0')
            Put(*text++);
    }
    size_t Finish()
    {
        if (!fits_)
            length_ = 0;
        if (capacity_ > 0)
            out_[length_] = '\0';
        return length_;
    }

private:
    char* out_;
    size_t capacity_;
    size_t length_;
    bool fits_;
};

// The sign, and for an infinity or NaN the whole text. True when the value
// is finite and its digits are still to be written.
bool PutSignOrSpecial(uint64_t bits, TextOut& text)
{
    if ((bits & InfinityBits) == InfinityBits && (bits & FractionMask) != 0) {
        text.PutText("nan");
        return false;
    }
    if (bits & SignBit)
        text.Put('-');
    if ((bits & InfinityBits) == InfinityBits) {
        text.PutText("inf");
        return false;
    }
    return true;
}

constexpr int FixedDecimals = 6;
constexpr int GeneralDigits = 15;

}  // namespace

size_t FormatFixed(double value, char* out, size_t capacity)
{
    uint64_t bits = BitsOf(value);
    TextOut text(out, capacity);
    if (PutSignOrSpecial(bits, text)) {
        DecimalDigits source(bits);
        char digits[IntegerDigitCapacity + FixedDecimals];
        int integerCount = source.IntegerDigitCount();
        int count = 0;
        if (integerCount == 0) {
            digits[count++] = 0;
            integerCount = 1;
        }
        while (count < integerCount + FixedDecimals)
            digits[count++] = char(source.Next());
        int next = source.Next();
        if (RoundDigits(digits, count, next, !source.RestIsZero()))
            text.Put('1');
        for (int i = 0; i < count; ++i) {
            if (i == integerCount)
                text.Put('.');
            text.PutDigit(digits[i]);
        }
    }
    return text.Finish();
}

size_t FormatGeneral(double value, char* out, size_t capacity)
{
    uint64_t bits = BitsOf(value);
    TextOut text(out, capacity);
    if (PutSignOrSpecial(bits, text)) {
        char digits[GeneralDigits] = {};
        int exponent = 0;  // the decimal place of digits[0]
        if ((bits & ~SignBit) != 0) {
            DecimalDigits source(bits);
            exponent = source.IntegerDigitCount() - 1;
            int digit = source.Next();
            for (; digit == 0; digit = source.Next())
                --exponent;
            digits[0] = char(digit);
            for (int i = 1; i < GeneralDigits; ++i)
                digits[i] = char(source.Next());
            int next = source.Next();
            if (RoundDigits(digits, GeneralDigits, next, !source.RestIsZero())) {
                digits[0] = 1;
                ++exponent;
            }
        }
        int last = GeneralDigits - 1;  // the last digit that is not a trailing zero
        while (last > 0 && digits[last] == 0)
            --last;

        if (exponent < -4 || exponent >= GeneralDigits) {
            text.PutDigit(digits[0]);
            if (last > 0)
                text.Put('.');
            for (int i = 1; i <= last; ++i)
                text.PutDigit(digits[i]);
            text.Put('e');
            text.Put(exponent < 0 ? '-' : '+');
            int magnitude = exponent < 0 ? -exponent : exponent;
            if (magnitude >= 100)
                text.PutDigit(magnitude / 100);
            text.PutDigit(magnitude / 10 % 10);
            text.PutDigit(magnitude % 10);
        } else {
            // Places from the units (or the first digit) down to the last digit.
            int lowest = exponent - last < 0 ? exponent - last : 0;
            for (int place = exponent > 0 ? exponent : 0; place >= lowest; --place) {
                if (place == -1)
                    text.Put('.');
                text.PutDigit(place > exponent ? 0 : digits[exponent - place]);
            }
        }
    }
    return text.Finish();
}

bool ParseDecimal(const char* text, size_t length, double& value)
{
    value = 0.0;
    if (length > DecimalTextMaxLength)
        return false;

    // The number is digits * 10^exponent, with `significant` digits.
    BigNumber digits(0);
    int significant = 0;
    int exponent = 0;
    bool seenPoint = false;
    size_t i = 0;
    for (; i < length; ++i) {
        char c = text[i];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        if (seenPoint)
            --exponent;
        if (significant > 0 || c != '0') {
            digits.MultiplyAdd(10, uint32_t(c - '0'));
            ++significant;
        }
    }
    if (i < length && (text[i] == 'E' || text[i] == 'e')) {
        size_t j = i + 1;
        bool negative = j < length && text[j] == '-';
        if (j < length && (text[j] == '-' || text[j] == '+'))
            ++j;
        // Held below 100000: far beyond either end of the range already.
        int given = 0;
        for (; j < length && text[j] >= '0' && text[j] <= '9'; ++j)
            if (given < 10000)
                given = given * 10 + (text[j] - '0');
        exponent += negative ? -given : given;
    }
    if (digits.IsZero())
        return true;

    // The number lies in [10^(magnitude - 1), 10^magnitude).
    int magnitude = significant + exponent;
    uint64_t bits;
    if (magnitude > 310) {
        bits = InfinityBits;  // at least 10^310
    } else if (magnitude < -324) {
        bits = 0;  // below 10^-325, less than half the smallest subnormal
    } else {
        BigNumber numerator = digits;
        BigNumber denominator(1);
        if (exponent >= 0)
            numerator.MultiplyByPowerOfTen(exponent);
        else
            denominator.MultiplyByPowerOfTen(-exponent);

        // The quotient lies in [2^(shift - 1), 2^(shift + 1)); scaled by
        // 2^(55 - shift) its whole part has 55 or 56 bits, two or three
        // more than a double keeps, and the remainder says whether
        // anything follows them.
        int shift = numerator.BitLength() - denominator.BitLength();
        int scale = 55 - shift;
        if (scale > 0)
            numerator.ShiftLeft(scale);
        denominator.ShiftLeft((scale < 0 ? -scale : 0) + 55);
        uint64_t quotient = 0;
        for (int bit = 55; bit >= 0; --bit) {
            quotient <<= 1;
            if (numerator.AtLeast(denominator)) {
                numerator.Subtract(denominator);
                quotient |= 1;
            }
            denominator.ShiftRightOne();
        }

        // The number lies in [2^binaryExponent, 2^(binaryExponent + 1)).
        // Doubles keep 53 bits down to 2^-1022 and fewer below it, the last
        // one always worth 2^-1074.
        int quotientBits = BitLength(quotient);
        int binaryExponent = quotientBits - 1 - scale;
        bool normal = binaryExponent >= SmallestNormalExponent;
        int kept = normal ? SignificandBits : binaryExponent - SmallestSubnormalExponent + 1;
        int dropped = quotientBits - kept;  // from 2 up to 61
        uint64_t significand = quotient >> dropped;
        bool half = (quotient >> (dropped - 1) & 1) != 0;
        bool moreFollow = !numerator.IsZero() || (quotient & ((uint64_t(1) << (dropped - 1)) - 1)) != 0;
        if (half && (moreFollow || (significand & 1) != 0))
            ++significand;
        // A significand rounded up to 2^53 carries into the exponent field.
        bits = normal ? (uint64_t(binaryExponent - SmallestNormalExponent) << 52) + significand : significand;
        if (bits > InfinityBits)
            bits = InfinityBits;
    }
    std::memcpy(&value, &bits, sizeof value);
    return bits != InfinityBits && bits >= SmallestNormalBits;
}
