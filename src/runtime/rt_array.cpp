#include "aerox/arrays.h"

#include <algorithm>

using namespace rt_array_detail;

double& RtArray::operator()(double i1, double i2, double i3, double i4) {
    return data[Offset(data != nullptr, IndexFrom(i1), IndexFrom(i2), IndexFrom(i3), IndexFrom(i4))];
}

void Dim(RtArray& array, double d1, double d2, double d3, double d4) {
    const Shape s = MakeShape(d1, d2, d3, d4, sizeof(double));
    if (array.capacity < s.capacity || s.renew || array.data == nullptr) {
        array.ReleaseHeap();
        if (s.capacity <= kInlineElements) {
            array.data = array.inlineStorage;
        } else {
            array.data = new (std::nothrow) double[static_cast<size_t>(s.capacity)];
        }
        array.capacity = array.data != nullptr ? s.capacity : 0;
        if (array.data == nullptr) Fail(7);
    }
    std::fill(array.data, array.data + array.capacity, 0.0);
    array.Take(s);
}

double& ArrayElement(RtArray& array, int32_t i1, int32_t i2, int32_t i3, int32_t i4) {
    return array.data[array.Offset(array.data != nullptr, i1, i2, i3, i4)];
}

double Bounds(const RtArray& array, double k) {
    if (!(k > -1 && k < 4)) return 0.0;
    return static_cast<double>(array.size[static_cast<int>(k)]);
}

void Redim(RtArray& array, double d1, double d2, double d3, double d4) {
    RtArray temp;
    Dim(temp, d1, d2, d3, d4);
    if (array.data != nullptr && array.size[0] > 0) {
        ForOverlap(array, temp.size, [&](int32_t a, int32_t b, int32_t c, int32_t d) {
            ArrayElement(temp, a, b, c, d) = ArrayElement(array, a, b, c, d);
        });
    }
    if (!array.UsesInline() && array.data != nullptr && !temp.UsesInline()) {
        // Both on the heap: take over the new block.
        array.ReleaseHeap();
        array.data = temp.data;
        temp.data = nullptr;
        static_cast<ArrayShape&>(array) = temp;
        return;
    }
    Dim(array, temp.size[0], temp.size[1], temp.size[2], temp.size[3]);
    std::copy(temp.data, temp.data + std::min(temp.capacity, array.capacity), array.data);
}

void ArrayAssign(RtArray& target, const RtArray& source) {
    if (&target == &source) return;
    Dim(target, source.size[0], source.size[1], source.size[2], source.size[3]);
    const int32_t n = source.ElementCount();
    if (n > 0 && source.data != nullptr) std::copy(source.data, source.data + n, target.data);
}

void DimData(RtArray& array, int32_t n, const double* values) {
    Dim(array, n);
    for (int32_t i = 0; i < n; ++i) array.data[i] = values[i];
}
