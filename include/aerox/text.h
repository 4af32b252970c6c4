/// @file
/// @brief RtString, the one text type, and the commands on texts: numbers
/// as text, the text functions, joining texts and comparing them.
#pragma once
#include <cstdint>

/// @defgroup texts Texts, numbers and arrays
/// @brief Texts (RtString), the numeric commands, random numbers and
/// arrays of up to four dimensions.
///
/// These commands need no running engine: they work before RunGame too.
/// Texts are bytes (UTF-8 passes through unchanged; lengths and indices
/// count bytes). A text or an array too large for its storage ends the
/// program with runtime error 7 (see SetErrorCode); nothing else here ends
/// it but the array misuse that arrays.h lists.
/// @{

/// A growable, NUL-terminated byte string that allocates in steps of 512
/// bytes; every empty value shares one static empty text. A text holds at
/// most 2^30 - 1 bytes: growing beyond that ends the program with runtime
/// error 7.
class RtString {
public:
    // --- construct and destroy
    /// The empty text. Allocates nothing.
    RtString() noexcept;
    /// A copy of a C text.
    /// @param text NUL-terminated bytes; null gives the empty text.
    RtString(const char* text);  // NOLINT: texts convert implicitly, as in the game's code
    /// A copy of another text.
    /// @param other the text to copy.
    RtString(const RtString& other);
    /// Takes over another text's storage.
    /// @param other the text to take; it is left empty.
    RtString(RtString&& other) noexcept;
    /// A whole number's text in decimal digits, e.g. "-42".
    /// @param value any int.
    explicit RtString(int value);
    /// A number's text, as NumberText(float) writes it.
    /// @param value any float.
    explicit RtString(float value);
    /// A number's text, as NumberText(double) writes it.
    /// @param value any double.
    explicit RtString(double value);
    /// Frees the storage the text owns.
    ~RtString();

    // --- assign
    /// Replaces the text with a copy of a C text.
    /// @param text NUL-terminated bytes; null gives the empty text.
    /// @return this text.
    RtString& operator=(const char* text);
    /// Replaces the text with a copy of another; assigning a text to itself
    /// changes nothing.
    /// @param other the text to copy.
    /// @return this text.
    RtString& operator=(const RtString& other);
    /// Takes over another text's storage.
    /// @param other the text to take; it is left empty (unless it is this
    ///        text, which then stays as it is).
    /// @return this text.
    RtString& operator=(RtString&& other) noexcept;
    /// Replaces the text with a whole number's decimal digits.
    /// @param value any int.
    /// @return this text.
    RtString& operator=(int value);
    /// Replaces the text with a number's text, as NumberText(float) writes it.
    /// @param value any float.
    /// @return this text.
    RtString& operator=(float value);
    /// Replaces the text with a number's text, as NumberText(double) writes
    /// it.
    /// @param value any double.
    /// @return this text.
    RtString& operator=(double value);

    // --- append
    /// Appends a C text.
    /// @param text NUL-terminated bytes; null appends nothing.
    /// @return this text.
    RtString& operator+=(const char* text);
    /// Appends another text; a text may append itself.
    /// @param other the text to append.
    /// @return this text.
    RtString& operator+=(const RtString& other);
    /// Appends a whole number's decimal digits.
    /// @param value any int.
    /// @return this text.
    RtString& operator+=(int value);
    /// Appends a number's text, as NumberText(float) writes it.
    /// @param value any float.
    /// @return this text.
    RtString& operator+=(float value);
    /// Appends a number's text, as NumberText(double) writes it.
    /// @param value any double.
    /// @return this text.
    RtString& operator+=(double value);

    /// Makes sure the text owns at least n + 1 bytes. When it owns fewer,
    /// the capacity becomes the next multiple of 512 above n and the text is
    /// kept.
    /// @param n bytes of text to make room for, 0..2^30 - 1; more ends the
    ///        program with runtime error 7.
    void Reserve(uint32_t n);

    /// The characters, NUL-terminated.
    /// @return never null; the shared empty text while nothing is owned.
    const char* Text() const noexcept { return text_; }
    /// The text for a system call that must not write into it.
    /// @return the characters, or a read-only static empty text whenever the
    ///         length is 0.
    const char* SystemText() const noexcept;
    /// A buffer for the system to fill; call FixLength afterwards.
    /// @param n bytes of text the buffer must take, 0..2^30 - 1; more ends
    ///        the program with runtime error 7.
    /// @return at least n + 1 writable bytes (Capacity() of them), holding
    ///         the text so far; never the shared empty text.
    char* WritableBuffer(uint32_t n);
    /// Sets the length to the bytes before the first NUL within the
    /// capacity. A buffer without a NUL gets one in its last byte (the
    /// length is then Capacity() - 1).
    void FixLength() noexcept;

    /// The length in bytes.
    /// @return 0 .. 2^30 - 1.
    uint32_t Length() const noexcept { return length_; }
    /// The bytes the text owns (0 while it shares the empty text).
    /// @return 0 or a multiple of 512.
    uint32_t Capacity() const noexcept { return capacity_; }

    /// Reads one byte.
    /// @param index 0-based, 0 .. Length() - 1.
    /// @return the byte as a signed value (bytes above 127 read negative);
    ///         0 for an index outside the text.
    int8_t CharAt(int64_t index) const noexcept;
    /// Writes one byte. The length stays: to shorten the text use Truncate.
    /// @param index 0-based, 0 .. Length() - 1; outside the text nothing is
    ///        written.
    /// @param c the byte.
    void SetChar(int64_t index, char c) noexcept;
    /// Cuts the text to its first index bytes; the storage is kept.
    /// @param index the new length, 0 .. Length() - 1; outside that range
    ///        nothing changes.
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
/// A number's text with at most 10 significant digits (printf's "%.10g"):
/// "5" rather than "5.", "0.25", "1e+20", "-0" for minus zero, "inf" and
/// "nan".
/// @param value any number.
/// @return the text.
RtString NumberText(double value);
/// A float's text, written from its exact value as a double: 0.1f gives
/// "0.1000000015".
/// @param value any float.
/// @return the text.
RtString NumberText(float value);
/// The length of a number's text: Len(NumberText(value)).
/// @param value any number.
/// @return the length in bytes, 1 or more.
double NumberLength(double value);

// --- text functions
/// The length of a text.
/// @param s the text.
/// @return its length in bytes.
double Len(const RtString& s);
/// A part of a text: count bytes from index start (0-based), fewer where
/// the text ends first. Fractions of start and count are cut off (with a
/// fractional start, a part that reaches the end of the text can come out
/// one byte short).
/// @param s the text.
/// @param start the first byte, 0 .. Len(s).
/// @param count how many bytes, above 0.
/// @return the part; empty when start is negative, beyond the text or NaN,
///         or count is not above 0.
RtString Mid(const RtString& s, double start, double count);
/// A copy with the letters A-Z made lower case; every other byte is kept.
/// @param s the text.
/// @return the lower-case copy.
RtString LowerCase(const RtString& s);
/// The number a text starts with, as C's atof reads it: leading blanks
/// skipped, then digits with an optional sign, point and exponent (or
/// "inf", "nan", hexadecimal "0x...").
/// @param s the text.
/// @return the number; 0 when the text does not start with one.
double ToNumber(const RtString& s);
/// The number a C text starts with, as ToNumber(const RtString&) reads it.
/// @param text NUL-terminated bytes; null gives 0.
/// @return the number; 0 when the text does not start with one.
double ToNumber(const char* text);

// --- concatenation
/// @name Joining texts
/// A new text of the left operand followed by the right; a number is
/// written as NumberText writes it (an int in decimal digits), a null C
/// text as the empty text.
/// @{

/// Joins two texts.
/// @param a, b the texts.
/// @return a followed by b.
RtString operator+(const RtString& a, const RtString& b);
/// Joins a text and a C text.
/// @param a the text. @param b the C text; null is empty.
/// @return a followed by b.
RtString operator+(const RtString& a, const char* b);
/// Joins a C text and a text.
/// @param a the C text; null is empty. @param b the text.
/// @return a followed by b.
RtString operator+(const char* a, const RtString& b);
/// Joins a text and a whole number.
/// @param a the text. @param b the number.
/// @return a followed by b's digits.
RtString operator+(const RtString& a, int b);
/// Joins a text and a number.
/// @param a the text. @param b the number.
/// @return a followed by b's text.
RtString operator+(const RtString& a, float b);
/// Joins a text and a number.
/// @param a the text. @param b the number.
/// @return a followed by b's text.
RtString operator+(const RtString& a, double b);
/// Joins a whole number and a text.
/// @param a the number. @param b the text.
/// @return a's digits followed by b.
RtString operator+(int a, const RtString& b);
/// Joins a number and a text.
/// @param a the number. @param b the text.
/// @return a's text followed by b.
RtString operator+(float a, const RtString& b);
/// Joins a number and a text.
/// @param a the number. @param b the text.
/// @return a's text followed by b.
RtString operator+(double a, const RtString& b);
// Text and number pairs have no operator in C++ (both sides are built-in).
/// Joins two C texts (C++ has no + for them).
/// @param a, b NUL-terminated bytes; null is empty.
/// @return a followed by b.
RtString Concat(const char* a, const char* b);
/// Joins a C text and a whole number.
/// @param a NUL-terminated bytes; null is empty. @param b the number.
/// @return a followed by b's digits.
RtString Concat(const char* a, int b);
/// Joins a C text and a number.
/// @param a NUL-terminated bytes; null is empty. @param b the number.
/// @return a followed by b's text.
RtString Concat(const char* a, float b);
/// Joins a C text and a number.
/// @param a NUL-terminated bytes; null is empty. @param b the number.
/// @return a followed by b's text.
RtString Concat(const char* a, double b);
/// Joins a whole number and a C text.
/// @param a the number. @param b NUL-terminated bytes; null is empty.
/// @return a's digits followed by b.
RtString Concat(int a, const char* b);
/// Joins a number and a C text.
/// @param a the number. @param b NUL-terminated bytes; null is empty.
/// @return a's text followed by b.
RtString Concat(float a, const char* b);
/// Joins a number and a C text.
/// @param a the number. @param b NUL-terminated bytes; null is empty.
/// @return a's text followed by b.
RtString Concat(double a, const char* b);
/// @}

// --- comparisons: 1.0 when the relation holds, else 0.0.
// Text with text compares bytes (strcmp, unsigned); text with a number
// compares atof(text) with the number.
/// The relation a comparison tests.
enum class Relation { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };
/// Compares two texts byte by byte, as unsigned bytes (strcmp).
/// @param relation the relation to test.
/// @param a, b NUL-terminated bytes; null is the empty text.
/// @return 1.0 when the relation holds, else 0.0.
double Compare(Relation relation, const char* a, const char* b);
/// Compares the number a text starts with (ToNumber) with a number.
/// @param relation the relation to test.
/// @param a NUL-terminated bytes; null reads 0.
/// @param b the number.
/// @return 1.0 when the relation holds, else 0.0 (always 0.0 but for
///         NotEqual when either side is NaN).
double Compare(Relation relation, const char* a, double b);
/// Compares a number with the number a text starts with (ToNumber).
/// @param relation the relation to test.
/// @param a the number.
/// @param b NUL-terminated bytes; null reads 0.
/// @return 1.0 when the relation holds, else 0.0 (always 0.0 but for
///         NotEqual when either side is NaN).
double Compare(Relation relation, double a, const char* b);
/// Three-way comparison of two texts, byte by byte (strcmp).
/// @param a, b the texts.
/// @return below 0 when a sorts first, 0 when equal, above 0 when b does.
int CompareThreeWay(const RtString& a, const RtString& b);
/// Three-way comparison of a text and a C text, byte by byte (strcmp).
/// @param a the text.
/// @param b NUL-terminated bytes; null is the empty text.
/// @return below 0 when a sorts first, 0 when equal, above 0 when b does.
int CompareThreeWay(const RtString& a, const char* b);
/// Three-way comparison of the number a text starts with and a number.
/// @param a the text, read with ToNumber.
/// @param b the number.
/// @return the sign of ToNumber(a) - b: -1, 0 or 1 (0 when that is NaN).
int CompareThreeWay(const RtString& a, double b);

/// @name Comparison operators
/// ==, !=, <, >, <= and >= between two texts, a text and a C text, or a
/// text and a number (int, float or double), either way round. Texts with
/// texts compare as Compare(Relation, const char*, const char*) does (bytes,
/// unsigned); a text with a number compares the number the text starts with
/// (ToNumber), as Compare(Relation, const char*, double) does.
/// @{

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
/// Compares two operands (one of them a text) as the group says.
/// @param a, b the operands.
/// @return the runtime's truth values: 1.0 when the relation holds, else
///         0.0.
AEROX_RTSTRING_RELATION(==, Relation::Equal)
AEROX_RTSTRING_RELATION(!=, Relation::NotEqual)
AEROX_RTSTRING_RELATION(<, Relation::Less)
AEROX_RTSTRING_RELATION(>, Relation::Greater)
AEROX_RTSTRING_RELATION(<=, Relation::LessEqual)
AEROX_RTSTRING_RELATION(>=, Relation::GreaterEqual)
#undef AEROX_RTSTRING_RELATION
/// @}

/// @}
