// Dimensioned arrays of up to four dimensions. RtArray holds numbers,
// RtTypedArray<T> holds texts or game records. Indices are 0-based and the
// first index varies fastest. Every access is checked; misuse ends the
// program with a runtime error: 7 no storage, 8 no dimensions, 9 index
// out of range.
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

class RtArray : public rt_array_detail::ArrayShape {
public:
    RtArray() = default;
    ~RtArray() { ReleaseHeap(); }
    RtArray(const RtArray&) = delete;
    RtArray& operator=(const RtArray&) = delete;

    // Element access with numbers as the game passes them.
    double& operator()(double i1, double i2 = 0, double i3 = 0, double i4 = 0);

    double* data = nullptr;
    double inlineStorage[rt_array_detail::kInlineElements] = {};

    bool UsesInline() const { return data == inlineStorage; }
    void ReleaseHeap() {
        if (data != nullptr && data != inlineStorage) delete[] data;
        data = nullptr;
    }
};

void Dim(RtArray& array, double d1, double d2 = 0, double d3 = 0, double d4 = 0);
void Redim(RtArray& array, double d1, double d2 = 0, double d3 = 0, double d4 = 0);
double& ArrayElement(RtArray& array, int32_t i1, int32_t i2 = 0, int32_t i3 = 0, int32_t i4 = 0);
double Bounds(const RtArray& array, double k);
void ArrayAssign(RtArray& target, const RtArray& source);
void DimData(RtArray& array, int32_t n, const double* values);

// --- texts and records

// A new or reset element: the empty text (keeping its buffer), or a record
// with every field 0.
inline void ResetElement(RtString& s) { s = ""; }
template <typename T>
void ResetElement(T& record) {
    record = T{};
}

template <typename T>
class RtTypedArray : public rt_array_detail::ArrayShape {
public:
    RtTypedArray() = default;
    ~RtTypedArray() { delete[] data; }
    RtTypedArray(const RtTypedArray&) = delete;
    RtTypedArray& operator=(const RtTypedArray&) = delete;

    T& operator()(double i1, double i2 = 0, double i3 = 0, double i4 = 0) {
        using namespace rt_array_detail;
        return data[Offset(data != nullptr, IndexFrom(i1), IndexFrom(i2), IndexFrom(i3), IndexFrom(i4))];
    }

    T* data = nullptr;
};

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

template <typename T>
T& ArrayElement(RtTypedArray<T>& array, int32_t i1, int32_t i2 = 0, int32_t i3 = 0, int32_t i4 = 0) {
    return array.data[array.Offset(array.data != nullptr, i1, i2, i3, i4)];
}

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
