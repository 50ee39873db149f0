#include "ovcore/foundation/Variant.h"

#include <utility>

namespace OvCore {

OV_VARIANT::OV_VARIANT() : value(nullptr), type(None), reference(false) {}

OV_VARIANT::OV_VARIANT(const OV_VARIANT& other) : OV_VARIANT() { *this = other; }

OV_VARIANT::OV_VARIANT(OV_VARIANT&& other) noexcept : OV_VARIANT() { *this = std::move(other); }

OV_VARIANT::OV_VARIANT(const OV_NUMBER& number) : OV_VARIANT() { SetNumber(number); }

OV_VARIANT::OV_VARIANT(double number) : OV_VARIANT() { SetNumber(OV_NUMBER(number)); }

OV_VARIANT::OV_VARIANT(const OV_STRING& text) : OV_VARIANT() { SetString(text); }

OV_VARIANT::OV_VARIANT(const char* text) : OV_VARIANT() { *this = text; }

OV_VARIANT::~OV_VARIANT() {
    if (!reference) Release();
}

OV_VARIANT& OV_VARIANT::operator=(const OV_VARIANT& other) {
    if (this == &other) return *this;
    if (other.IsNumber()) {
        SetNumber(*other.HeldNumber());
    } else if (other.IsString()) {
        SetString(*other.HeldString());
    } else {
        Clear();
    }
    return *this;
}

OV_VARIANT& OV_VARIANT::operator=(OV_VARIANT&& other) noexcept {
    if (this == &other) return *this;
    Clear();
    value = std::exchange(other.value, nullptr);
    type = std::exchange(other.type, None);
    reference = std::exchange(other.reference, false);
    other.numberText.Clear();
    return *this;
}

OV_VARIANT& OV_VARIANT::operator=(const OV_NUMBER& number) {
    SetNumber(number);
    return *this;
}

OV_VARIANT& OV_VARIANT::operator=(double number) {
    SetNumber(OV_NUMBER(number));
    return *this;
}

OV_VARIANT& OV_VARIANT::operator=(const OV_STRING& text) {
    SetString(text);
    return *this;
}

OV_VARIANT& OV_VARIANT::operator=(const char* text) {
    if (text) {
        SetString(OV_STRING(text));
    } else {
        Clear();
    }
    return *this;
}

void OV_VARIANT::SetNumber(const OV_NUMBER& number) {
    OV_NUMBER* fresh = new OV_NUMBER(number);
    Clear();
    value = fresh;
    type = Number;
}

void OV_VARIANT::SetString(const OV_STRING& text) {
    // Copied before clearing: text may be this variant's own string.
    OV_STRING* fresh = new OV_STRING(text);
    Clear();
    value = fresh;
    type = String;
}

void OV_VARIANT::Release() {
    if (type == Number) delete HeldNumber();
    if (type == String) delete HeldString();
}

void OV_VARIANT::Clear() {
    if (!reference) Release();
    value = nullptr;
    type = None;
    reference = false;
    numberText.Clear();
}

char OV_VARIANT::TypeLetter() const {
    if (type == Number) return 'n';
    if (type == String) return 's';
    return 0;
}

OV_NUMBER OV_VARIANT::ToNumber() const {
    if (type == Number) return *HeldNumber();
    if (type != String) return OV_NUMBER(0.0);
    double parsed = 0;
    if (!HeldString()->ParseTyped(&parsed, 'r')) return OV_NUMBER(0.0);
    return OV_NUMBER(parsed);
}

OV_STRING OV_VARIANT::ToString() const {
    OV_STRING text;
    if (type == String) text = *HeldString();
    if (type == Number) text.Format("%f", HeldNumber()->Get());
    return text;
}

double OV_VARIANT::GetNumber() const { return type == None ? 0.0 : ToNumber().Get(); }

const char* OV_VARIANT::GetCString() const {
    if (type == String) return HeldString()->Get();
    if (type != Number) return nullptr;
    // "%f" never yields an empty text, so an empty cache means not yet written.
    if (numberText.Length() == 0) numberText = ToString();
    return numberText.Get();
}

double OV_VARIANT::AsNumber() const { return type == Number ? HeldNumber()->Get() : 0.0; }

const char* OV_VARIANT::AsCString() const { return type == String ? HeldString()->Get() : nullptr; }

bool OV_VARIANT::operator==(const OV_VARIANT& other) const {
    if (type != other.type) return false;
    if (type == Number) return HeldNumber()->Get() == other.HeldNumber()->Get();
    if (type == String) return *HeldString() == *other.HeldString();
    return true;
}

}  // namespace OvCore
