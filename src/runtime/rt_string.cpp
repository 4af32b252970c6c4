#include "aerox/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/errors.h"

namespace {

char g_sharedEmpty[1] = {0};        // every empty value points here
const char g_systemEmpty[1] = {0};  // what the system sees for an empty text

// No text may grow beyond this; asking for more is treated like any other
// failure to obtain storage.
constexpr uint32_t kMaxTextBytes = 1u << 30;

[[noreturn]] void OutOfTextStorage() {
    SetErrorCode(7);
    EndProgram();
}

uint32_t CheckedLength(size_t length) {
    if (length >= kMaxTextBytes) OutOfTextStorage();
    return static_cast<uint32_t>(length);
}

void FormatNumber(double value, char* out, size_t size) {
    std::snprintf(out, size, "%.10g", value);
    if (std::strcmp(out, ".0") == 0) {
        std::strcpy(out, "0");
        return;
    }
    const size_t n = std::strlen(out);
    if (n > 0 && out[n - 1] == '.') out[n - 1] = '\0';
}

}  // namespace

// --- construct and destroy

RtString::RtString() noexcept : text_(g_sharedEmpty), capacity_(0), length_(0) {}

RtString::RtString(const char* text) : RtString() {
    if (text != nullptr) Assign(text, CheckedLength(std::strlen(text)));
}

RtString::RtString(const RtString& other) : RtString() { Assign(other.text_, other.length_); }

RtString::RtString(RtString&& other) noexcept : text_(other.text_), capacity_(other.capacity_), length_(other.length_) {
    other.SetEmpty();
}

RtString::RtString(int value) : RtString() { *this = value; }
RtString::RtString(float value) : RtString() { *this = value; }
RtString::RtString(double value) : RtString() { *this = value; }

RtString::~RtString() {
    if (text_ != g_sharedEmpty && text_ != nullptr) std::free(text_);
    text_ = nullptr;
    capacity_ = 0;
    length_ = 0;
}

void RtString::SetEmpty() noexcept {
    text_ = g_sharedEmpty;
    capacity_ = 0;
    length_ = 0;
}

// --- storage

void RtString::Reserve(uint32_t n) {
    if (capacity_ > n) return;
    if (n >= kMaxTextBytes) OutOfTextStorage();
    const uint32_t newCapacity = (n & ~511u) + 512u;
    char* buffer = static_cast<char*>(std::malloc(newCapacity));
    if (buffer == nullptr) OutOfTextStorage();
    if (text_ != g_sharedEmpty) {
        // A buffer the system filled to the brim has no NUL: copy at most
        // what was owned and terminate it here.
        const size_t keep = strnlen(text_, capacity_);
        std::memcpy(buffer, text_, keep);
        buffer[keep] = '\0';
        std::free(text_);
    } else {
        buffer[0] = '\0';
    }
    text_ = buffer;
    capacity_ = newCapacity;
}

bool RtString::Holds(const char* p) const noexcept {
    const auto address = reinterpret_cast<uintptr_t>(p);
    const auto begin = reinterpret_cast<uintptr_t>(text_);
    return capacity_ != 0 && address >= begin && address < begin + capacity_;
}

void RtString::Assign(const char* text, uint32_t length) {
    // A source inside this buffer is shorter than the buffer, so Reserve
    // keeps the buffer where it is; memmove copes with the overlap.
    Reserve(length);
    std::memmove(text_, text, length);
    text_[length] = '\0';
    length_ = length;
}

void RtString::Append(const char* text, uint32_t length) {
    const uint32_t total = CheckedLength(size_t{length_} + length);
    if (Holds(text) && capacity_ <= total) {
        // The source lives in this buffer, which Reserve is about to move.
        const std::string copy(text, length);
        Append(copy.data(), length);
        return;
    }
    Reserve(total);
    std::memmove(text_ + length_, text, length);
    length_ = total;
    text_[length_] = '\0';
}

// --- assign

RtString& RtString::operator=(const char* text) {
    if (text == nullptr) text = "";
    Assign(text, CheckedLength(std::strlen(text)));
    return *this;
}

RtString& RtString::operator=(const RtString& other) {
    if (this != &other) Assign(other.text_, other.length_);
    return *this;
}

RtString& RtString::operator=(RtString&& other) noexcept {
    if (this != &other) {
        if (text_ != g_sharedEmpty) std::free(text_);
        text_ = other.text_;
        capacity_ = other.capacity_;
        length_ = other.length_;
        other.SetEmpty();
    }
    return *this;
}

RtString& RtString::operator=(int value) {
    Reserve(64);
    length_ = static_cast<uint32_t>(std::snprintf(text_, capacity_, "%d", value));
    return *this;
}

RtString& RtString::operator=(float value) { return *this = static_cast<double>(value); }

RtString& RtString::operator=(double value) {
    Reserve(64);
    FormatNumber(value, text_, capacity_);
    length_ = static_cast<uint32_t>(std::strlen(text_));
    return *this;
}

// --- append

RtString& RtString::operator+=(const char* text) {
    if (text != nullptr) Append(text, CheckedLength(std::strlen(text)));
    return *this;
}

RtString& RtString::operator+=(const RtString& other) {
    Append(other.text_, other.length_);
    return *this;
}

RtString& RtString::operator+=(int value) { return *this += RtString(value); }
RtString& RtString::operator+=(float value) { return *this += RtString(value); }
RtString& RtString::operator+=(double value) { return *this += RtString(value); }

// --- access

const char* RtString::SystemText() const noexcept { return length_ == 0 ? g_systemEmpty : text_; }

char* RtString::WritableBuffer(uint32_t n) {
    Reserve(n);
    return text_;
}

void RtString::FixLength() noexcept {
    if (capacity_ == 0) {
        length_ = 0;
        return;
    }
    const void* nul = std::memchr(text_, '\0', capacity_);
    if (nul == nullptr) {
        // The system filled every byte: keep the terminator inside the buffer.
        text_[capacity_ - 1] = '\0';
        length_ = capacity_ - 1;
    } else {
        length_ = static_cast<uint32_t>(static_cast<const char*>(nul) - text_);
    }
}

int8_t RtString::CharAt(int64_t index) const noexcept {
    if (length_ == 0 || index < 0 || index >= length_) return 0;
    return static_cast<int8_t>(text_[index]);
}

void RtString::SetChar(int64_t index, char c) noexcept {
    if (index < 0 || index >= length_) return;
    text_[index] = c;
}

void RtString::Truncate(int64_t index) noexcept {
    if (index < 0 || index >= length_) return;
    text_[index] = '\0';
    FixLength();
}

// --- numbers as text

RtString NumberText(double value) { return RtString(value); }
RtString NumberText(float value) { return RtString(value); }
double NumberLength(double value) { return Len(NumberText(value)); }

// --- text functions

double Len(const RtString& s) { return static_cast<double>(s.Length()); }

RtString Mid(const RtString& s, double start, double count) {
    RtString result;
    // A count that is not positive gives nothing. (Left to the end-of-text
    // rule below, a negative count would wrap around as an unsigned end
    // and return the rest of the text.)
    if (!(count > 0) || std::isnan(start)) return result;
    const double length = s.Length();
    // An end beyond the text: take the rest of the text from start. The sum
    // is truncated first, so a fractional start shortens the rest.
    const double end = std::trunc(start + count);
    if (end > length) count = length - start;
    if (!(count > 0 && start <= length && start >= 0)) return result;
    const uint32_t first = static_cast<uint32_t>(start);
    const uint32_t available = s.Length() - first;
    const double wanted = std::trunc(count);
    const uint32_t n = wanted < available ? static_cast<uint32_t>(wanted) : available;
    if (n == 0) return result;
    char* out = result.WritableBuffer(n);
    std::memcpy(out, s.Text() + first, n);
    out[n] = '\0';
    result.FixLength();
    return result;
}

RtString LowerCase(const RtString& s) {
    RtString result(s);
    for (uint32_t i = 0; i < result.Length(); ++i) {
        const char c = s.Text()[i];
        if (c >= 'A' && c <= 'Z') result.SetChar(i, static_cast<char>(c + 32));
    }
    return result;
}

double ToNumber(const char* text) { return text != nullptr ? std::atof(text) : 0.0; }
double ToNumber(const RtString& s) { return ToNumber(s.Text()); }

// --- concatenation

// One overload a line: they differ only in their types.
// clang-format off
RtString operator+(const RtString& a, const RtString& b) { RtString r(a); r += b; return r; }
RtString operator+(const RtString& a, const char* b) { RtString r(a); r += b; return r; }
RtString operator+(const char* a, const RtString& b) { RtString r(a); r += b; return r; }
RtString operator+(const RtString& a, int b) { RtString r(a); r += b; return r; }
RtString operator+(const RtString& a, float b) { RtString r(a); r += b; return r; }
RtString operator+(const RtString& a, double b) { RtString r(a); r += b; return r; }
RtString operator+(int a, const RtString& b) { RtString r(a); r += b; return r; }
RtString operator+(float a, const RtString& b) { RtString r(a); r += b; return r; }
RtString operator+(double a, const RtString& b) { RtString r(a); r += b; return r; }
RtString Concat(const char* a, const char* b) { RtString r(a); r += b; return r; }
RtString Concat(const char* a, int b) { RtString r(a); r += b; return r; }
RtString Concat(const char* a, float b) { RtString r(a); r += b; return r; }
RtString Concat(const char* a, double b) { RtString r(a); r += b; return r; }
RtString Concat(int a, const char* b) { RtString r(a); r += b; return r; }
RtString Concat(float a, const char* b) { RtString r(a); r += b; return r; }
RtString Concat(double a, const char* b) { RtString r(a); r += b; return r; }
// clang-format on

// --- comparisons

namespace {
template <typename T>
double Holds(Relation relation, T a, T b) {
    bool result = false;
    switch (relation) {
        case Relation::Equal: result = a == b; break;
        case Relation::NotEqual: result = a != b; break;
        case Relation::Less: result = a < b; break;
        case Relation::Greater: result = a > b; break;
        case Relation::LessEqual: result = a <= b; break;
        case Relation::GreaterEqual: result = a >= b; break;
    }
    return result ? 1.0 : 0.0;
}
const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }
}  // namespace

double Compare(Relation relation, const char* a, const char* b) {
    return Holds(relation, std::strcmp(OrEmpty(a), OrEmpty(b)), 0);
}
double Compare(Relation relation, const char* a, double b) { return Holds(relation, ToNumber(a), b); }
double Compare(Relation relation, double a, const char* b) { return Holds(relation, a, ToNumber(b)); }

int CompareThreeWay(const RtString& a, const RtString& b) { return std::strcmp(a.Text(), b.Text()); }
int CompareThreeWay(const RtString& a, const char* b) { return std::strcmp(a.Text(), OrEmpty(b)); }
int CompareThreeWay(const RtString& a, double b) {
    const double d = ToNumber(a) - b;
    return d > 0 ? 1 : (d < 0 ? -1 : 0);
}
