/// @file
/// @brief Arrays of up to four dimensions: RtArray holds numbers,
/// RtTypedArray<T> holds texts or game records.
///
/// Indices are 0-based and the first index varies fastest. A size given to
/// Dim is the number of elements along that dimension; a size below 1 (or
/// NaN) leaves the dimension unused, and an unused dimension takes only
/// index 0. Every access is checked. Misuse ends the program through
/// EndProgram (exit code 0) with a runtime error code (SetErrorCode), which
/// the log shows in debug mode (StartupSettings::DebugMode):
/// - 7: no storage: an array would take more than 1 GiB, or the system has
///   no memory for it;
/// - 8: no dimensions: an element of an array whose first size is 0
///   (never dimensioned, or dimensioned with a first size below 1);
/// - 9: index out of range: an index below 0, at or above its size, not 0
///   in an unused dimension, NaN, infinite or beyond 32 bits.
#pragma once
#include <cmath>
#include <cstdint>
#include <new>
#include <utility>

#include "aerox/program.h"
#include "aerox/text.h"

namespace rt_array_detail {

// The most storage one array may hold (1 GiB); a Dim asking for more fails
// with code 7 before anything is allocated.
constexpr int64_t kMaxStorageBytes = int64_t{1} << 30;
constexpr int kInlineElements = 16;

[[noreturn]] inline void Fail(double code) {
    SetErrorCode(code);
    EndProgram();
}

// The dimensions a Dim asks for, checked and truncated.
struct Shape {
    int32_t size[4] = {0, 0, 0, 0};
    int32_t count = 0;     // elements: size1 x f2 x f3 x f4
    int32_t capacity = 8;  // next multiple of 8 above count
    int32_t dimensions = 1;
    bool renew = false;  // a first size below 1 drops the old storage
};

// elementBytes bounds the storage: (capacity x elementBytes) <= 1 GiB.
inline Shape MakeShape(double d1, double d2, double d3, double d4, size_t elementBytes) {
    Shape s;
    const int64_t maxCapacity = kMaxStorageBytes / static_cast<int64_t>(elementBytes);
    const double d[4] = {d1, d2, d3, d4};
    double elements = 1;
    for (int k = 0; k < 4; ++k) {
        // NaN and sizes below 1 give 0 (an unused dimension, or for the
        // first one no dimensions at all).
        const double v = d[k] >= 1 ? std::trunc(d[k]) : 0.0;
        if (v >= static_cast<double>(maxCapacity)) Fail(7);
        s.size[k] = static_cast<int32_t>(v);
        elements *= (k == 0) ? v : (v >= 1 ? v : 1);
    }
    if (s.size[0] == 0) {
        s.renew = true;
        elements = 0;
    }
    // The capacity is the next multiple of 8 above the count.
    if (elements + 8 > static_cast<double>(maxCapacity)) Fail(7);
    s.count = static_cast<int32_t>(elements);
    s.capacity = (s.count & ~7) + 8;
    s.dimensions = s.size[3] != 0 ? 4 : s.size[2] != 0 ? 3 : s.size[1] != 0 ? 2 : 1;
    return s;
}

// An index given as a number: truncated toward zero; NaN, infinities and
// values beyond 32 bits are out of range.
inline int32_t IndexFrom(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) Fail(9);
    return static_cast<int32_t>(v);
}

// Common fields and checks of both array kinds.
struct ArrayShape {
    int32_t stride2 = 0, stride3 = 0, stride4 = 0;
    int32_t size[4] = {0, 0, 0, 0};
    int32_t dimensionCount = -1;
    int32_t capacity = 0;

    void Take(const Shape& s) {
        for (int k = 0; k < 4; ++k) size[k] = s.size[k];
        dimensionCount = s.dimensions;
        // An unused dimension counts as one in the strides, so that the
        // dimensions after it do not fold onto the same elements.
        const int32_t f2 = size[1] >= 1 ? size[1] : 1;
        const int32_t f3 = size[2] >= 1 ? size[2] : 1;
        stride2 = size[0];
        stride3 = size[0] * f2;
        stride4 = size[0] * f2 * f3;
    }
    // The storage index of an element, or a runtime error.
    int32_t Offset(bool hasData, int32_t i1, int32_t i2, int32_t i3, int32_t i4) const {
        if (size[0] == 0) Fail(8);
        if (i1 < 0 || i2 < 0 || i3 < 0 || i4 < 0 || !hasData) Fail(9);
        const int32_t index[4] = {i1, i2, i3, i4};
        for (int k = 0; k < 4; ++k) {
            // An unused dimension takes only index 0: any other value would
            // reach beyond the storage.
            if (size[k] != 0 ? index[k] >= size[k] : index[k] != 0) Fail(9);
        }
        return i1 + i2 * stride2 + i3 * stride3 + i4 * stride4;
    }
    int32_t ElementCount() const {
        if (size[0] == 0) return 0;
        int32_t n = size[0];
        for (int k = 1; k < 4; ++k) n *= size[k] >= 1 ? size[k] : 1;
        return n;
    }
};

}  // namespace rt_array_detail

// --- numbers

/// @addtogroup texts
/// @{

/// An array of numbers of up to four dimensions. It has none until Dim
/// gives it some; small arrays (up to 15 elements) live inside the object.
class RtArray : public rt_array_detail::ArrayShape {
public:
    /// An array without dimensions: reading an element ends the program
    /// with runtime error 8 until Dim.
    RtArray() = default;
    /// Frees the storage on the heap, if any.
    ~RtArray() { ReleaseHeap(); }
    /// Not copied by construction: ArrayAssign copies an array.
    RtArray(const RtArray&) = delete;
    /// Not copied by assignment: ArrayAssign copies an array.
    RtArray& operator=(const RtArray&) = delete;

    /// An element, with the indices as numbers (the form the game uses).
    /// @param i1, i2, i3, i4 the indices, each 0 .. its size - 1 (0 in an
    ///        unused dimension); fractions are cut off. Out of range, NaN or
    ///        infinite ends the program with runtime error 9; an array
    ///        without dimensions ends it with error 8.
    /// @return the element, valid until the array is dimensioned again.
    double& operator()(double i1, double i2 = 0, double i3 = 0, double i4 = 0);

    /// The elements, first index fastest; null before the first Dim. Element
    /// (i1, i2, i3, i4) is at i1 + size1 * (i2 + size2 * (i3 + size3 * i4)),
    /// an unused dimension's size counting as 1.
    double* data = nullptr;
    /// Where the elements of a small array live (data then points here).
    double inlineStorage[rt_array_detail::kInlineElements] = {};

    /// Whether the elements live inside the object.
    /// @return true while data points at inlineStorage.
    bool UsesInline() const { return data == inlineStorage; }
    /// Frees the storage on the heap, if any, and sets data to null. The
    /// dimensions stay; reading an element then ends the program with
    /// runtime error 9 until the next Dim.
    void ReleaseHeap() {
        if (data != nullptr && data != inlineStorage) delete[] data;
        data = nullptr;
    }
};

/// Gives an array its dimensions; every element becomes 0.
/// @param array the array; its old elements are dropped.
/// @param d1, d2, d3, d4 the number of elements along each dimension;
///        fractions are cut off, and below 1 or NaN leaves a dimension
///        unused (d1 below 1: no dimensions at all). More than 1 GiB of
///        elements in all ends the program with runtime error 7, before
///        anything is allocated.
void Dim(RtArray& array, double d1, double d2 = 0, double d3 = 0, double d4 = 0);
/// Gives an array new dimensions and keeps its elements: each element whose
/// indices lie inside both the old and the new dimensions keeps its value,
/// every other one is 0.
/// @param array the array.
/// @param d1, d2, d3, d4 the new sizes, as Dim takes them (runtime error 7
///        when too large).
void Redim(RtArray& array, double d1, double d2 = 0, double d3 = 0, double d4 = 0);
/// An element, with whole-number indices.
/// @param array the array.
/// @param i1, i2, i3, i4 the indices, each 0 .. its size - 1 (0 in an
///        unused dimension); otherwise the program ends with runtime error
///        9 (8 for an array without dimensions).
/// @return the element, valid until the array is dimensioned again.
double& ArrayElement(RtArray& array, int32_t i1, int32_t i2 = 0, int32_t i3 = 0, int32_t i4 = 0);
/// The size of one dimension of an array.
/// @param array the array.
/// @param k which dimension: 0 (the first) .. 3; a fraction is cut off.
/// @return the size Dim gave it; 0 for an unused dimension, an array never
///         dimensioned, or k outside -1 < k < 4 (or NaN). No log line.
double Bounds(const RtArray& array, double k);
/// Makes target a copy of source: its dimensions and its elements.
/// Assigning an array to itself changes nothing.
/// @param target the array that becomes the copy.
/// @param source the array copied; without dimensions, target has none
///        either.
void ArrayAssign(RtArray& target, const RtArray& source);
/// Dimensions a one-dimensional array of n elements and fills it from a
/// list.
/// @param array the array.
/// @param n the number of elements; below 1 leaves the array without
///        dimensions and reads no values.
/// @param values n numbers (may be null only when n is below 1).
void DimData(RtArray& array, int32_t n, const double* values);

// --- texts and records

/// Resets a text element of an array to the empty text, keeping its
/// storage (Dim does this to every element it reuses).
/// @param s the element.
inline void ResetElement(RtString& s) { s = ""; }
/// Resets a record element of an array to T{}: every field 0 (Dim does
/// this to every element it reuses).
/// @tparam T the record type.
/// @param record the element.
template <typename T>
void ResetElement(T& record) {
    record = T{};
}

/// An array of texts or game records of up to four dimensions, checked as
/// RtArray is. It has none until Dim gives it some.
/// @tparam T RtString, or a record type that T{} makes with every field 0.
template <typename T>
class RtTypedArray : public rt_array_detail::ArrayShape {
public:
    /// An array without dimensions: reading an element ends the program
    /// with runtime error 8 until Dim.
    RtTypedArray() = default;
    /// Destroys the elements and frees their storage.
    ~RtTypedArray() { delete[] data; }
    /// Not copied by construction.
    RtTypedArray(const RtTypedArray&) = delete;
    /// Not copied by assignment.
    RtTypedArray& operator=(const RtTypedArray&) = delete;

    /// An element, with the indices as numbers (the form the game uses).
    /// @param i1, i2, i3, i4 the indices, each 0 .. its size - 1 (0 in an
    ///        unused dimension); fractions are cut off. Out of range, NaN or
    ///        infinite ends the program with runtime error 9; an array
    ///        without dimensions ends it with error 8.
    /// @return the element, valid until the array is dimensioned again.
    T& operator()(double i1, double i2 = 0, double i3 = 0, double i4 = 0) {
        using namespace rt_array_detail;
        return data[Offset(data != nullptr, IndexFrom(i1), IndexFrom(i2), IndexFrom(i3), IndexFrom(i4))];
    }

    /// The elements, first index fastest (laid out as RtArray::data); null
    /// before the first Dim.
    T* data = nullptr;
};

/// Gives a typed array its dimensions; every element becomes empty (texts
/// keep their storage) or T{}.
/// @tparam T the element type.
/// @param array the array; its old elements are dropped.
/// @param d1, d2, d3, d4 the number of elements along each dimension, as
///        Dim(RtArray&, double, double, double, double) takes them (runtime
///        error 7 when more than 1 GiB, or when the system has no memory).
template <typename T>
void Dim(RtTypedArray<T>& array, double d1, double d2 = 0, double d3 = 0, double d4 = 0) {
    using namespace rt_array_detail;
    const Shape s = MakeShape(d1, d2, d3, d4, sizeof(T));
    if (array.capacity < s.capacity || s.renew || array.data == nullptr) {
        delete[] array.data;
        array.data = new (std::nothrow) T[static_cast<size_t>(s.capacity)]();
        array.capacity = array.data != nullptr ? s.capacity : 0;
        if (array.data == nullptr) Fail(7);
    } else {
        for (int32_t i = 0; i < s.capacity; ++i) ResetElement(array.data[i]);
    }
    array.Take(s);
}

/// An element of a typed array, with whole-number indices.
/// @tparam T the element type.
/// @param array the array.
/// @param i1, i2, i3, i4 the indices, each 0 .. its size - 1 (0 in an
///        unused dimension); otherwise the program ends with runtime error
///        9 (8 for an array without dimensions).
/// @return the element, valid until the array is dimensioned again.
template <typename T>
T& ArrayElement(RtTypedArray<T>& array, int32_t i1, int32_t i2 = 0, int32_t i3 = 0, int32_t i4 = 0) {
    return array.data[array.Offset(array.data != nullptr, i1, i2, i3, i4)];
}

/// The size of one dimension of a typed array.
/// @tparam T the element type.
/// @param array the array.
/// @param k which dimension: 0 (the first) .. 3; a fraction is cut off.
/// @return the size Dim gave it; 0 for an unused dimension, an array never
///         dimensioned, or k outside -1 < k < 4 (or NaN). No log line.
template <typename T>
double Bounds(const RtTypedArray<T>& array, double k) {
    if (!(k > -1 && k < 4)) return 0.0;
    return static_cast<double>(array.size[static_cast<int>(k)]);
}

namespace rt_array_detail {
// Calls copy(i1, i2, i3, i4) for every index inside both the old shape and
// the new sizes.
template <typename Copy>
void ForOverlap(const ArrayShape& old, const int32_t* newSize, Copy copy) {
    int32_t limit[4];
    for (int k = 0; k < 4; ++k) limit[k] = old.size[k] < newSize[k] ? old.size[k] : newSize[k];
    if (limit[0] <= 0) return;
    for (int32_t i4 = 0; i4 < (limit[3] > 0 ? limit[3] : 1); ++i4)
        for (int32_t i3 = 0; i3 < (limit[2] > 0 ? limit[2] : 1); ++i3)
            for (int32_t i2 = 0; i2 < (limit[1] > 0 ? limit[1] : 1); ++i2)
                for (int32_t i1 = 0; i1 < limit[0]; ++i1) copy(i1, i2, i3, i4);
}
}  // namespace rt_array_detail

/// Gives a typed array new dimensions and keeps its elements: each element
/// whose indices lie inside both the old and the new dimensions is moved
/// over, every other one is empty or T{}.
/// @tparam T the element type.
/// @param array the array.
/// @param d1, d2, d3, d4 the new sizes, as Dim takes them (runtime error 7
///        when too large).
template <typename T>
void Redim(RtTypedArray<T>& array, double d1, double d2 = 0, double d3 = 0, double d4 = 0) {
    RtTypedArray<T> temp;
    Dim(temp, d1, d2, d3, d4);
    if (array.data != nullptr && array.size[0] > 0) {
        rt_array_detail::ForOverlap(array, temp.size, [&](int32_t a, int32_t b, int32_t c, int32_t d) {
            ArrayElement(temp, a, b, c, d) = std::move(ArrayElement(array, a, b, c, d));
        });
    }
    std::swap(array.data, temp.data);
    std::swap(static_cast<rt_array_detail::ArrayShape&>(array), static_cast<rt_array_detail::ArrayShape&>(temp));
}

/// @}
