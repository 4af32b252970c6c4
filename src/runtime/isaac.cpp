#include "runtime/isaac.h"

namespace {
inline void Mix(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, uint32_t& e, uint32_t& f, uint32_t& g,
                uint32_t& h) {
    // The mixing rounds read best as a table.
    // clang-format off
    a ^= b << 11; d += a; b += c;
    b ^= c >> 2;  e += b; c += d;
    c ^= d << 8;  f += c; d += e;
    d ^= e >> 16; g += d; e += f;
    e ^= f << 10; h += e; f += g;
    f ^= g >> 4;  a += f; g += h;
    g ^= h << 8;  b += g; h += a;
    h ^= a >> 9;  c += h; a += b;
    // clang-format on
}
}  // namespace

void Isaac::Generate() {
    c_ += 1;
    b_ += c_;
    for (int i = 0; i < 256; ++i) {
        const uint32_t x = memory_[i];
        switch (i & 3) {
            case 0: a_ ^= a_ << 13; break;
            case 1: a_ ^= a_ >> 6; break;
            case 2: a_ ^= a_ << 2; break;
            default: a_ ^= a_ >> 16; break;
        }
        a_ += memory_[(i + 128) & 255];
        const uint32_t y = memory_[(x >> 2) & 255] + a_ + b_;
        memory_[i] = y;
        b_ = memory_[(y >> 10) & 255] + x;
        results_[i] = b_;
    }
    count_ = 256;
}

void Isaac::Seed(uint32_t seed) {
    for (auto& r : results_) r = 0;
    results_[0] = seed;
    a_ = b_ = c_ = 0;
    uint32_t a, b, c, d, e, f, g, h;
    a = b = c = d = e = f = g = h = 0x9e3779b9u;  // the golden ratio
    for (int i = 0; i < 4; ++i) Mix(a, b, c, d, e, f, g, h);
    for (int pass = 0; pass < 2; ++pass) {
        const uint32_t* source = pass == 0 ? results_ : memory_;
        for (int i = 0; i < 256; i += 8) {
            // clang-format off
            a += source[i]; b += source[i + 1]; c += source[i + 2]; d += source[i + 3];
            e += source[i + 4]; f += source[i + 5]; g += source[i + 6]; h += source[i + 7];
            Mix(a, b, c, d, e, f, g, h);
            memory_[i] = a; memory_[i + 1] = b; memory_[i + 2] = c; memory_[i + 3] = d;
            memory_[i + 4] = e; memory_[i + 5] = f; memory_[i + 6] = g; memory_[i + 7] = h;
            // clang-format on
        }
    }
    Generate();
}

uint32_t Isaac::Next() {
    if (count_ == 0) Generate();
    return results_[--count_];
}
