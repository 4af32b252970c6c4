// RtString: the runtime's one text type. A growable, NUL-terminated byte
// string that allocates in steps of 512 bytes; every empty value shares one
// static empty text. Comparisons give the runtime's truth values 1.0 / 0.0.
#pragma once
#include <cstdint>

class RtString {
public:
    // --- construct and destroy
    RtString() noexcept;
    RtString(const char* text);  // NOLINT: texts convert implicitly, as in the game's code
    RtString(const RtString& other);
    RtString(RtString&& other) noexcept;
    explicit RtString(int value);
    explicit RtString(float value);
    explicit RtString(double value);
    ~RtString();

    // --- assign
    RtString& operator=(const char* text);
    RtString& operator=(const RtString& other);
    RtString& operator=(RtString&& other) noexcept;
    RtString& operator=(int value);
    RtString& operator=(float value);
    RtString& operator=(double value);

    // --- append
    RtString& operator+=(const char* text);
    RtString& operator+=(const RtString& other);
    RtString& operator+=(int value);
    RtString& operator+=(float value);
    RtString& operator+=(double value);

    // Makes sure at least n + 1 bytes are owned; capacity becomes the next
    // multiple of 512 above n.
    void Reserve(uint32_t n);

    // The characters (never null; the shared empty text while empty).
    const char* Text() const noexcept { return text_; }
    // The text for the system: a static empty text whenever the length is 0.
    const char* SystemText() const noexcept;
    // A buffer of at least n + 1 writable bytes, for the system to fill;
    // call FixLength afterwards.
    char* WritableBuffer(uint32_t n);
    // Length := characters before the first NUL, counting at most capacity.
    void FixLength() noexcept;

    uint32_t Length() const noexcept { return length_; }
    uint32_t Capacity() const noexcept { return capacity_; }

    // Character read (0 when empty), write and truncate. Indices outside the
    // text are refused (read gives 0, write and truncate do nothing).
    int8_t CharAt(int64_t index) const noexcept;
    void SetChar(int64_t index, char c) noexcept;
    void Truncate(int64_t index) noexcept;

private:
    void Assign(const char* text, uint32_t length);
    void Append(const char* text, uint32_t length);
    void SetEmpty() noexcept;
    // Whether p points into the buffer this value owns.
    bool Holds(const char* p) const noexcept;

    char* text_;
    uint32_t capacity_;
    uint32_t length_;
};

// --- numbers as text
// A number's text with 10 significant digits; "5" rather than "5.", "0"
// rather than ".0".
RtString NumberText(double value);
RtString NumberText(float value);
// Len(NumberText(value)).
double NumberLength(double value);

// --- text functions
double Len(const RtString& s);
// count characters from index start (0-based); empty when start is negative,
// beyond the text, or count is not positive.
RtString Mid(const RtString& s, double start, double count);
RtString LowerCase(const RtString& s);
// atof of the text.
double ToNumber(const RtString& s);
double ToNumber(const char* text);

// --- concatenation
RtString operator+(const RtString& a, const RtString& b);
RtString operator+(const RtString& a, const char* b);
RtString operator+(const char* a, const RtString& b);
RtString operator+(const RtString& a, int b);
RtString operator+(const RtString& a, float b);
RtString operator+(const RtString& a, double b);
RtString operator+(int a, const RtString& b);
RtString operator+(float a, const RtString& b);
RtString operator+(double a, const RtString& b);
// Text and number pairs have no operator in C++ (both sides are built-in).
RtString Concat(const char* a, const char* b);
RtString Concat(const char* a, int b);
RtString Concat(const char* a, float b);
RtString Concat(const char* a, double b);
RtString Concat(int a, const char* b);
RtString Concat(float a, const char* b);
RtString Concat(double a, const char* b);

// --- comparisons: 1.0 when the relation holds, else 0.0.
// Text with text compares bytes (strcmp, unsigned); text with a number
// compares atof(text) with the number.
enum class Relation { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };
double Compare(Relation relation, const char* a, const char* b);
double Compare(Relation relation, const char* a, double b);
double Compare(Relation relation, double a, const char* b);
// Three-way forms: the strcmp result, or the sign of atof(text) - number.
int CompareThreeWay(const RtString& a, const RtString& b);
int CompareThreeWay(const RtString& a, const char* b);
int CompareThreeWay(const RtString& a, double b);

#define AEROX_RTSTRING_RELATION(op, rel)                                                                         \
    inline double operator op(const RtString& a, const RtString& b) { return Compare(rel, a.Text(), b.Text()); } \
    inline double operator op(const RtString& a, const char* b) { return Compare(rel, a.Text(), b); }            \
    inline double operator op(const char* a, const RtString& b) { return Compare(rel, a, b.Text()); }            \
    inline double operator op(const RtString& a, double b) { return Compare(rel, a.Text(), b); }                 \
    inline double operator op(const RtString& a, float b) { return Compare(rel, a.Text(), double(b)); }          \
    inline double operator op(const RtString& a, int b) { return Compare(rel, a.Text(), double(b)); }            \
    inline double operator op(double a, const RtString& b) { return Compare(rel, a, b.Text()); }                 \
    inline double operator op(float a, const RtString& b) { return Compare(rel, double(a), b.Text()); }          \
    inline double operator op(int a, const RtString& b) { return Compare(rel, double(a), b.Text()); }
AEROX_RTSTRING_RELATION(==, Relation::Equal)
AEROX_RTSTRING_RELATION(!=, Relation::NotEqual)
AEROX_RTSTRING_RELATION(<, Relation::Less)
AEROX_RTSTRING_RELATION(>, Relation::Greater)
AEROX_RTSTRING_RELATION(<=, Relation::LessEqual)
AEROX_RTSTRING_RELATION(>=, Relation::GreaterEqual)
#undef AEROX_RTSTRING_RELATION
