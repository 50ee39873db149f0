// OV_VARIANT: a value that is nothing, a number or a string.
#pragma once

#include "ovcore/foundation/Number.h"
#include "ovcore/foundation/String.h"

namespace OvCore {

// Holds nothing, a number or a string, each on the heap and owned by the
// variant. Copies are deep. A variant marked as a reference leaves its value
// alone when destroyed or cleared; a value it allocates later is its own
// again (the mark is dropped).
class OV_VARIANT {
public:
    enum : unsigned char { None = 0, Number = 1, String = 2 };  // the type: nothing, a number, a string

    OV_VARIANT();
    // Deep copies; a move leaves the source empty. From a number or a string, a copy of it:
    OV_VARIANT(const OV_VARIANT& other);
    OV_VARIANT(OV_VARIANT&& other) noexcept;
    OV_VARIANT(const OV_NUMBER& number);
    OV_VARIANT(double number);
    OV_VARIANT(const OV_STRING& text);
    // A null pointer gives an empty variant.
    OV_VARIANT(const char* text);
    ~OV_VARIANT();

    // Replace the value as the constructors make it:
    OV_VARIANT& operator=(const OV_VARIANT& other);
    OV_VARIANT& operator=(OV_VARIANT&& other) noexcept;
    OV_VARIANT& operator=(const OV_NUMBER& number);
    OV_VARIANT& operator=(double number);
    OV_VARIANT& operator=(const OV_STRING& text);
    OV_VARIANT& operator=(const char* text);

    // Replace the value with a copy of the number / string; Clear leaves nothing:
    void SetNumber(const OV_NUMBER& number);
    void SetString(const OV_STRING& text);
    void Clear();

    // Marks the variant as a reference (its value not freed by it), or not:
    void SetReference(bool value) { reference = value; }
    bool IsReference() const { return reference; }

    // What the variant holds:
    bool IsNone() const { return type == None; }
    bool IsNumber() const { return type == Number; }
    bool IsString() const { return type == String; }
    // 'n', 's', or 0 for none.
    char TypeLetter() const;

    // A string is read as a double whatever its last character; unreadable text gives 0.
    OV_NUMBER ToNumber() const;
    // A number is written with "%f" (1.5 gives "1.500000").
    OV_STRING ToString() const;
    double GetNumber() const;  // ToNumber() as a double; 0 for none
    // Null for none. For a number, the "%f" text kept inside the variant until it changes.
    const char* GetCString() const;
    double AsNumber() const;  // the number held; 0 unless the variant holds a number
    const char* AsCString() const;  // the string held; null unless the variant holds a string

    // Same type and equal value (two empty variants are equal):
    bool operator==(const OV_VARIANT& other) const;
    bool operator!=(const OV_VARIANT& other) const { return !(*this == other); }

private:
    void* value;
    unsigned char type;
    bool reference;
    mutable OV_STRING numberText;

    OV_NUMBER* HeldNumber() const { return static_cast<OV_NUMBER*>(value); }
    OV_STRING* HeldString() const { return static_cast<OV_STRING*>(value); }
    void Release();
};

}  // namespace OvCore
