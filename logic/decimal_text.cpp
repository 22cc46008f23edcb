// Exact conversion: a decimal is a whole number times a power of ten and a
// double a whole number times a power of two, so it is done on whole numbers
// of a few hundred digits, with no floating-point arithmetic (the x87 unit's
// wider registers cannot change a result).
#include "logic/decimal_text.h"

#include <cstdint>
#include <cstring>

namespace {

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
    void ShiftLeft(int bits);
    void ShiftRightOne();
    // this -= other; other is not larger.
    void Subtract(const BigNumber& other);

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

void BigNumber::DropLeadingZeros()
{
    while (size_ > 0 && limbs_[size_ - 1] == 0)
        --size_;
}

int BitLength(uint64_t value)
{
    int length = 0;
    for (; value != 0; value >>= 1)
        ++length;
    return length;
}

}  // namespace

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
