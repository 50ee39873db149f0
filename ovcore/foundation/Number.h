// OV_NUMBER: a wrapped double.
#pragma once

namespace OvCore {

// A double with arithmetic, exact comparison and explicit conversions.
class OV_NUMBER {
public:
    OV_NUMBER() = default;  // 0
    // Implicit: a double becomes a number wherever one is expected.
    OV_NUMBER(double value) : value_(value) {}

    // Stores value.
    OV_NUMBER& operator=(double value) {
        value_ = value;
        return *this;
    }
    double Get() const { return value_; }  // the double held

    // IEEE arithmetic; division by zero is not checked:
    OV_NUMBER operator+(const OV_NUMBER& other) const { return value_ + other.value_; }
    OV_NUMBER operator-(const OV_NUMBER& other) const { return value_ - other.value_; }
    OV_NUMBER operator*(const OV_NUMBER& other) const { return value_ * other.value_; }
    OV_NUMBER operator/(const OV_NUMBER& other) const { return value_ / other.value_; }
    OV_NUMBER& operator+=(const OV_NUMBER& other) { return *this = *this + other; }
    OV_NUMBER& operator-=(const OV_NUMBER& other) { return *this = *this - other; }
    OV_NUMBER& operator*=(const OV_NUMBER& other) { return *this = *this * other; }
    OV_NUMBER& operator/=(const OV_NUMBER& other) { return *this = *this / other; }

    // Exact comparison; the other operand is widened to double. `!=` and the
    // reversed forms (`5 == n`) are the language's rewrites of these:
    bool operator==(const OV_NUMBER& other) const { return value_ == other.value_; }
    bool operator==(double other) const { return value_ == other; }
    bool operator==(float other) const { return value_ == double(other); }
    bool operator==(int other) const { return value_ == double(other); }
    bool operator==(unsigned int other) const { return value_ == double(other); }
    bool operator==(short other) const { return value_ == double(other); }
    bool operator==(unsigned short other) const { return value_ == double(other); }
    bool operator==(char other) const { return value_ == double(other); }
    bool operator==(unsigned char other) const { return value_ == double(other); }
    bool operator==(bool other) const { return value_ == double(other); }

    // Conversions are explicit, so that mixed expressions such as `n + 1.0`
    // resolve to OV_NUMBER arithmetic instead of being ambiguous. Integer
    // targets truncate toward zero and then wrap to the target's width
    // (300.7 as unsigned char is 44); NaN gives 0 and values beyond the 64-bit
    // range saturate before wrapping. Non-zero converts to true:
    explicit operator double() const { return value_; }
    explicit operator int() const { return int(Truncated()); }
    explicit operator unsigned int() const { return static_cast<unsigned int>(Truncated()); }
    explicit operator short() const { return short(Truncated()); }
    explicit operator unsigned short() const { return static_cast<unsigned short>(Truncated()); }
    explicit operator char() const { return char(Truncated()); }
    explicit operator unsigned char() const { return static_cast<unsigned char>(Truncated()); }
    explicit operator bool() const { return value_ != 0; }

private:
    long long Truncated() const;
    double value_ = 0;
};

}  // namespace OvCore
