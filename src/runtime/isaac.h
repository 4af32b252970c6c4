// ISAAC, a 32-bit cryptographic-quality random generator with 256 words of
// state. Deterministic for a given seed.
#pragma once
#include <cstdint>

class Isaac {
public:
    Isaac() { Seed(0); }
    // Fills the seed words with the one 32-bit seed and mixes the state.
    void Seed(uint32_t seed);
    uint32_t Next();

private:
    void Generate();

    uint32_t results_[256] = {};
    uint32_t memory_[256] = {};
    uint32_t a_ = 0, b_ = 0, c_ = 0;
    int count_ = 0;
};
