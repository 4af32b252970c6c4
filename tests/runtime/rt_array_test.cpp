#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "aerox/aerox.h"
#include "testkit/testkit.h"

using testkit::ExpectProgramEnd;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// The game's record shapes. Plain fields with no initialisers: the array
// itself must zero them.
struct Record17 {
    double field[17];
};
struct Record9 {
    double field[9];
};

std::string Str(const RtString& s) { return std::string(s.Text(), s.Length()); }

}  // namespace

TEST(RtArray, ElementsAreZeroAndTheLastIndexIsSizeMinusOne) {
    RtArray a;
    Dim(a, 10);
    EXPECT_EQ(a(9), 0.0);
    a(9) = 4.5;
    EXPECT_EQ(ArrayElement(a, 9), 4.5);
    EXPECT_EQ(ExpectProgramEnd([&] { a(10); }), 9);
    EXPECT_EQ(ExpectProgramEnd([&] { a(-1); }), 9);
    EXPECT_EQ(ExpectProgramEnd([&] { ArrayElement(a, 10); }), 9);
    EXPECT_EQ(ExpectProgramEnd([&] { ArrayElement(a, 0, 0, 0, -1); }), 9);
}

TEST(RtArray, AccessWithoutDimensionsEndsWithCode8) {
    RtArray never;
    EXPECT_EQ(ExpectProgramEnd([&] { never(0); }), 8);
    // Code 8 comes before the index checks.
    EXPECT_EQ(ExpectProgramEnd([&] { ArrayElement(never, -1); }), 8);
    RtArray a;
    Dim(a, 5);
    Dim(a, 0);
    EXPECT_EQ(ExpectProgramEnd([&] { a(0); }), 8);
    Dim(a, 0.99);
    EXPECT_EQ(ExpectProgramEnd([&] { a(0); }), 8);
    Dim(a, -3, 4);
    EXPECT_EQ(ExpectProgramEnd([&] { a(0); }), 8);
    Dim(a, kNaN);
    EXPECT_EQ(ExpectProgramEnd([&] { a(0); }), 8);
    EXPECT_EQ(Bounds(a, 0), 0.0);
}

TEST(RtArray, ShapeFirstIndexFastestAndBounds) {
    RtArray a;
    Dim(a, 3, 4);
    EXPECT_EQ(&a(2, 3), a.data + 11);
    EXPECT_EQ(Bounds(a, 0), 3);
    EXPECT_EQ(Bounds(a, 1), 4);
    EXPECT_EQ(Bounds(a, 2), 0);
    EXPECT_EQ(Bounds(a, 3), 0);
    EXPECT_EQ(Bounds(a, 1.9), 4);
    EXPECT_EQ(Bounds(a, -0.5), 3);
    EXPECT_EQ(Bounds(a, -1), 0);
    EXPECT_EQ(Bounds(a, 4), 0);
    EXPECT_EQ(Bounds(a, kNaN), 0);
    EXPECT_EQ(Bounds(a, kInf), 0);
    EXPECT_EQ(ExpectProgramEnd([&] { a(3, 0); }), 9);
    EXPECT_EQ(ExpectProgramEnd([&] { a(0, 4); }), 9);

    RtArray b;
    Dim(b, 2, 3, 4, 5);
    EXPECT_EQ(Bounds(b, 3), 5);
    for (int l = 0; l < 5; ++l)
        for (int k = 0; k < 4; ++k)
            for (int j = 0; j < 3; ++j)
                for (int i = 0; i < 2; ++i)
                    ASSERT_EQ(&ArrayElement(b, i, j, k, l), b.data + i + 2 * j + 6 * k + 24 * l);
    EXPECT_EQ(b.capacity, 128);
}

TEST(RtArray, FractionalSizesAndIndicesAreTruncated) {
    RtArray a;
    Dim(a, 2.9);
    EXPECT_EQ(Bounds(a, 0), 2);
    EXPECT_EQ(&a(1.99), a.data + 1);
    EXPECT_EQ(&a(-0.5), a.data);  // truncates to 0
    EXPECT_EQ(ExpectProgramEnd([&] { a(2.0); }), 9);
}

TEST(RtArray, UnusedDimensionTakesOnlyIndexZero) {
    RtArray a;
    Dim(a, 3);
    EXPECT_EQ(&a(2, 0), a.data + 2);
    // With no size for dimension 2 any other index would land past the
    // storage (stride 2 is the size of dimension 1).
    EXPECT_EQ(ExpectProgramEnd([&] { a(0, 5); }), 9);
    EXPECT_EQ(ExpectProgramEnd([&] { a(0, 1); }), 9);
    EXPECT_EQ(ExpectProgramEnd([&] { a(0, 0, 0, 1); }), 9);
}

TEST(RtArray, GapInTheDimensionsKeepsElementsApart) {
    // Dimension 2 unused, dimension 3 of size 5: 15 elements that must not
    // fold onto each other.
    RtArray a;
    Dim(a, 3, 0, 5);
    EXPECT_EQ(Bounds(a, 1), 0);
    EXPECT_EQ(Bounds(a, 2), 5);
    std::set<double*> seen;
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i < 3; ++i) {
            double* p = &a(i, 0, k);
            ASSERT_LT(p, a.data + a.capacity);
            seen.insert(p);
        }
    EXPECT_EQ(seen.size(), 15u);
}

TEST(RtArray, CapacityStepsOfEightInlineUpTo16) {
    RtArray a;
    const struct { double size; int capacity; bool inlineStorage; } cases[] = {
        {1, 8, true}, {7, 8, true}, {8, 16, true}, {10, 16, true}, {15, 16, true}, {16, 24, false},
    };
    for (const auto& c : cases) {
        RtArray b;
        Dim(b, c.size);
        EXPECT_EQ(b.capacity, c.capacity) << c.size;
        EXPECT_EQ(b.UsesInline(), c.inlineStorage) << c.size;
    }
    // (3, 4) needs 12 elements: 16, inline; (4, 4) needs 16: 24 on the heap.
    Dim(a, 3, 4);
    EXPECT_EQ(a.capacity, 16);
    EXPECT_TRUE(a.UsesInline());
    Dim(a, 4, 4);
    EXPECT_EQ(a.capacity, 24);
    EXPECT_FALSE(a.UsesInline());
}

TEST(RtArray, StorageIsReusedAndResetUntilRenewed) {
    RtArray a;
    Dim(a, 100);
    EXPECT_EQ(a.capacity, 104);
    ASSERT_FALSE(a.UsesInline());
    double* block = a.data;
    for (int i = 0; i < 104; ++i) a.data[i] = i + 1;
    Dim(a, 100);
    EXPECT_EQ(a.data, block);
    for (int i = 0; i < 104; ++i) ASSERT_EQ(a.data[i], 0.0) << i;
    // A smaller Dim keeps the larger block, every element reset.
    for (int i = 0; i < 104; ++i) a.data[i] = 7;
    Dim(a, 10);
    EXPECT_EQ(a.data, block);
    EXPECT_EQ(a.capacity, 104);
    for (int i = 0; i < 104; ++i) ASSERT_EQ(a.data[i], 0.0) << i;
    // A first size of 0 drops the storage.
    Dim(a, 0);
    EXPECT_TRUE(a.UsesInline());
    EXPECT_EQ(a.capacity, 8);
    Dim(a, 200);
    EXPECT_EQ(a.capacity, 208);
}

TEST(RtArray, HugeOrBrokenSizes) {
    // Not numbers and sizes below 1 mean "unused" for the later dimensions.
    RtArray a;
    Dim(a, 4, kNaN, -7, 0.5);
    EXPECT_EQ(Bounds(a, 1), 0);
    EXPECT_EQ(Bounds(a, 2), 0);
    EXPECT_EQ(Bounds(a, 3), 0);
    EXPECT_EQ(&a(3), a.data + 3);
    // Sizes beyond what may be stored end with code 7 before any allocation.
    EXPECT_EQ(ExpectProgramEnd([] { RtArray b; Dim(b, kInf); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtArray b; Dim(b, 1e10); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtArray b; Dim(b, 4294967296.0 + 5); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtArray b; Dim(b, 2, kInf); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtArray b; Dim(b, 16384, 16384); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtArray b; Dim(b, 1000, 1000, 1000, 1000); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtArray b; Dim(b, 1); Redim(b, 1e12); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtArray b; DimData(b, 1 << 30, nullptr); }), 7);
    // A 2^26-number array (512 MiB) would still be allowed; not allocated here.
}

TEST(RtArray, BrokenIndicesEndWithCode9) {
    RtArray a;
    Dim(a, 10, 10);
    for (double bad : {kNaN, kInf, -kInf, 1e10, -1e10, 2147483648.0, -2147483649.0}) {
        EXPECT_EQ(ExpectProgramEnd([&] { a(bad); }), 9) << bad;
        EXPECT_EQ(ExpectProgramEnd([&] { a(0, bad); }), 9) << bad;
        EXPECT_EQ(ExpectProgramEnd([&] { a(0, 0, bad); }), 9) << bad;
        EXPECT_EQ(ExpectProgramEnd([&] { a(0, 0, 0, bad); }), 9) << bad;
    }
    EXPECT_EQ(ExpectProgramEnd([&] { ArrayElement(a, INT32_MAX, INT32_MAX); }), 9);
    EXPECT_EQ(ExpectProgramEnd([&] { ArrayElement(a, INT32_MIN); }), 9);
}

TEST(RtArray, RedimKeepsNumbers) {
    RtArray a;
    Dim(a, 3);
    a(0) = 1;
    a(1) = 2;
    a(2) = 3;
    Redim(a, 5);
    EXPECT_EQ(Bounds(a, 0), 5);
    const double grown[] = {1, 2, 3, 0, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(a(i), grown[i]) << i;
    Redim(a, 2);
    EXPECT_EQ(a(0), 1);
    EXPECT_EQ(a(1), 2);
    EXPECT_EQ(ExpectProgramEnd([&] { a(2); }), 9);
    // Undimensioned arrays simply get their dimensions.
    RtArray fresh;
    Redim(fresh, 4);
    EXPECT_EQ(fresh(3), 0);
    Redim(fresh, 0);
    EXPECT_EQ(ExpectProgramEnd([&] { fresh(0); }), 8);
}

TEST(RtArray, RedimKeepsElementsAtTheirIndicesInEveryStorageMove) {
    // inline -> inline, inline -> heap, heap -> heap, heap -> inline.
    const double shapes[][2] = {{3, 2}, {4, 3}, {12, 10}, {20, 11}, {2, 5}};
    RtArray a;
    Dim(a, shapes[0][0], shapes[0][1]);
    double oldRows = shapes[0][0], oldCols = shapes[0][1];
    for (int i = 0; i < oldRows; ++i)
        for (int j = 0; j < oldCols; ++j) a(i, j) = 100 * j + i + 1;
    for (int s = 1; s < 5; ++s) {
        const double rows = shapes[s][0], cols = shapes[s][1];
        Redim(a, rows, cols);
        ASSERT_EQ(Bounds(a, 0), rows);
        ASSERT_EQ(Bounds(a, 1), cols);
        for (int i = 0; i < rows; ++i)
            for (int j = 0; j < cols; ++j) {
                const bool kept = i < oldRows && j < oldCols;
                ASSERT_EQ(a(i, j), kept ? 100 * j + i + 1 : 0.0) << s << ": " << i << "," << j;
                a(i, j) = 100 * j + i + 1;  // the whole shape holds values for the next step
            }
        oldRows = rows;
        oldCols = cols;
    }
}

TEST(RtArray, RedimBetweenHeapBlocksTakesTheNewBlock) {
    RtArray a;
    Dim(a, 100);
    a(99) = 5;
    Redim(a, 200);
    EXPECT_EQ(a.capacity, 208);
    EXPECT_FALSE(a.UsesInline());
    EXPECT_EQ(a(99), 5);
    EXPECT_EQ(a(199), 0);
    Redim(a, 10);
    EXPECT_EQ(a(0), 0);
    EXPECT_EQ(ExpectProgramEnd([&] { a(10); }), 9);
}

TEST(RtArray, ArrayAssignCopiesShapeAndElements) {
    RtArray source, target;
    Dim(source, 3, 2);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) source(i, j) = i * 10 + j;
    Dim(target, 50);
    target(49) = 9;
    ArrayAssign(target, source);
    EXPECT_EQ(Bounds(target, 0), 3);
    EXPECT_EQ(Bounds(target, 1), 2);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) EXPECT_EQ(target(i, j), i * 10 + j);
    EXPECT_EQ(target.data[49], 0.0);  // the rest of the kept block is reset
    source(0, 0) = -1;
    EXPECT_EQ(target(0, 0), 0);  // a copy, not a share
    RtArray empty;
    ArrayAssign(target, empty);
    EXPECT_EQ(ExpectProgramEnd([&] { target(0); }), 8);
    ArrayAssign(source, source);
    EXPECT_EQ(source(2, 1), 21);
}

TEST(RtArray, DimDataFillsTheFirstElements) {
    RtArray a;
    const double values[] = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9, 3, 2, 3};
    DimData(a, 18, values);
    EXPECT_EQ(Bounds(a, 0), 18);
    EXPECT_FALSE(a.UsesInline());
    for (int i = 0; i < 18; ++i) EXPECT_EQ(a(i), values[i]);
    DimData(a, 0, nullptr);
    EXPECT_EQ(ExpectProgramEnd([&] { a(0); }), 8);
}

TEST(RtTypedArray, TextElements) {
    RtTypedArray<RtString> t;
    EXPECT_EQ(ExpectProgramEnd([&] { t(0); }), 8);
    Dim(t, 3);
    EXPECT_EQ(t.capacity, 8);
    EXPECT_EQ(Str(t(2)), "");
    t(0) = "zero";
    t(1) = std::string(600, 'a').c_str();
    t(2) = "two";
    EXPECT_EQ(ExpectProgramEnd([&] { t(3); }), 9);
    EXPECT_EQ(ExpectProgramEnd([&] { t(0, 1); }), 9);
    EXPECT_EQ(ExpectProgramEnd([&] { ArrayElement(t, -1); }), 9);
    // Redim keeps the texts of the overlapping elements.
    Redim(t, 5);
    EXPECT_EQ(Str(t(0)), "zero");
    EXPECT_EQ(Str(t(1)), std::string(600, 'a'));
    EXPECT_EQ(Str(t(2)), "two");
    EXPECT_EQ(Str(t(4)), "");
    Redim(t, 2);
    EXPECT_EQ(Str(t(1)), std::string(600, 'a'));
    EXPECT_EQ(ExpectProgramEnd([&] { t(2); }), 9);
    // Dim empties every text but keeps its buffer.
    Dim(t, 2);
    EXPECT_EQ(Str(t(1)), "");
    EXPECT_EQ(t(1).Capacity(), 1024u);
    Dim(t, 0);
    EXPECT_EQ(ExpectProgramEnd([&] { t(0); }), 8);
}

TEST(RtTypedArray, TwoDimensionalTextsRedim) {
    RtTypedArray<RtString> t;
    Dim(t, 2, 3);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) t(i, j) = i + (RtString(",") + j);
    Redim(t, 3, 2);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) EXPECT_EQ(Str(t(i, j)), i < 2 ? std::to_string(i) + "," + std::to_string(j) : "");
    EXPECT_EQ(Bounds(t, 0), 3);
    EXPECT_EQ(Bounds(t, 1), 2);
    EXPECT_EQ(Bounds(t, 2), 0);
}

TEST(RtTypedArray, RecordsStartAndResetAtZero) {
    // Let freed memory hold something else first, so that uninitialised
    // fields would show.
    for (int round = 0; round < 3; ++round) {
        RtTypedArray<Record17> r;
        Dim(r, 20);
        EXPECT_EQ(r.capacity, 24);
        for (int i = 0; i < 24; ++i)
            for (double f : r.data[i].field) ASSERT_EQ(f, 0.0);
        for (int i = 0; i < 20; ++i)
            for (double& f : r(i).field) f = 123.0 + round;
        Dim(r, 20);  // storage kept, every record reset
        for (int i = 0; i < 20; ++i)
            for (double f : r(i).field) ASSERT_EQ(f, 0.0);
        for (int i = 0; i < 24; ++i)
            for (double& f : r.data[i].field) f = -1;
    }
    RtTypedArray<Record9> n;
    Dim(n, 4, 2);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 2; ++j)
            for (double f : n(i, j).field) ASSERT_EQ(f, 0.0);
}

TEST(RtTypedArray, RedimKeepsRecords) {
    RtTypedArray<Record17> r;
    Dim(r, 3);
    for (int i = 0; i < 3; ++i)
        for (int f = 0; f < 17; ++f) r(i).field[f] = i * 100 + f;
    Redim(r, 40);
    for (int i = 0; i < 40; ++i)
        for (int f = 0; f < 17; ++f) ASSERT_EQ(r(i).field[f], i < 3 ? i * 100 + f : 0.0);
    RtTypedArray<Record9> n;
    Dim(n, 10);
    n(9).field[8] = 42;
    n(0).field[0] = 7;
    Redim(n, 10, 2);
    EXPECT_EQ(n(9, 0).field[8], 42);
    EXPECT_EQ(n(0, 0).field[0], 7);
    EXPECT_EQ(n(9, 1).field[8], 0);
    Redim(n, 1);
    EXPECT_EQ(n(0).field[0], 7);
    EXPECT_EQ(ExpectProgramEnd([&] { n(1); }), 9);
}

TEST(RtTypedArray, HugeSizesEndWithCode7) {
    // Bounded by bytes: 10 million records of 17 numbers would be 1.3 GiB.
    EXPECT_EQ(ExpectProgramEnd([] { RtTypedArray<Record17> r; Dim(r, 1e7); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtTypedArray<Record9> r; Dim(r, kInf); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtTypedArray<RtString> r; Dim(r, 1e5, 1e5); }), 7);
    EXPECT_EQ(ExpectProgramEnd([] { RtTypedArray<RtString> r; Redim(r, 1e9); }), 7);
    RtTypedArray<Record9> r;
    Dim(r, 2, kNaN, -1);
    EXPECT_EQ(Bounds(r, 0), 2);
    EXPECT_EQ(Bounds(r, 1), 0);
    EXPECT_EQ(ExpectProgramEnd([&] { r(0, kNaN); }), 9);
}
