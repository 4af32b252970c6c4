// Sound effects, synthesised sample by sample at 22050 Hz, 16-bit mono.
// Each effect is built in floating point, then scaled so its loudest sample
// sits at a fixed peak: nothing clips and levels match between effects.

#include <algorithm>
#include <cmath>
#include <vector>

#include "aerox/assets/art.hpp"

namespace aerox::assets {
namespace {

constexpr int kRate = 22050;
constexpr double kTau = 6.28318530717959;

int sampleCount(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

// One-pole low-pass coefficient for a cutoff frequency.
double lowpassCoeff(double hz) { return 1.0 - std::exp(-kTau * hz / kRate); }

// Short linear ramps at both ends so the sound starts and stops without a click.
void smoothEnds(std::vector<double>& s, int rampSamples) {
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < rampSamples && i < n; ++i) {
        const double g = static_cast<double>(i) / rampSamples;
        s[static_cast<std::size_t>(i)] *= g;
        s[static_cast<std::size_t>(n - 1 - i)] *= g;
    }
}

Sound finish(std::vector<double> s, double peak) {
    smoothEnds(s, 32);
    double loudest = 0;
    for (double v : s) loudest = std::max(loudest, std::fabs(v));
    const double gain = loudest > 0 ? peak / loudest : 0.0;
    Sound out;
    out.sampleRate = kRate;
    out.samples.reserve(s.size());
    for (double v : s)
        out.samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v * gain, -1.0, 1.0) * 32767.0)));
    return out;
}

double noise(Rng& rng) { return rng.unit() * 2.0 - 1.0; }

}  // namespace

Sound makeShotSound() {
    // A square wave diving from high to low pitch, softened by a low-pass,
    // with a click of noise at the start.
    const int n = sampleCount(0.12);
    std::vector<double> s(static_cast<std::size_t>(n));
    Rng rng(0x5407u);
    double phase = 0, lp = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double freq = 220.0 + 1500.0 * std::exp(-t / 0.03);
        phase += freq / kRate;
        phase -= std::floor(phase);
        const double square = phase < 0.5 ? 1.0 : -1.0;
        lp += lowpassCoeff(4000.0) * (square - lp);
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.045);
        const double click = t < 0.015 ? noise(rng) * (1.0 - t / 0.015) * 0.5 : 0.0;
        s[static_cast<std::size_t>(i)] = lp * env + click;
    }
    return finish(std::move(s), 0.7);
}

Sound makeSmallExplosionSound() {
    // Noise through a low-pass whose cutoff falls, under a fast decay.
    const int n = sampleCount(0.4);
    std::vector<double> s(static_cast<std::size_t>(n));
    Rng rng(0xB00Au);
    double lp1 = 0, lp2 = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double cutoff = 250.0 + 3500.0 * std::exp(-t / 0.08);
        const double a = lowpassCoeff(cutoff);
        lp1 += a * (noise(rng) - lp1);
        lp2 += a * (lp1 - lp2);
        const double env = std::min(1.0, t / 0.003) * std::exp(-t / 0.11) * (1.0 - t / 0.4);
        s[static_cast<std::size_t>(i)] = lp2 * env;
    }
    return finish(std::move(s), 0.85);
}

Sound makeBigExplosionSound() {
    // A sharp crack, then a long filtered-noise roar over a falling sub tone.
    const int n = sampleCount(1.0);
    std::vector<double> s(static_cast<std::size_t>(n));
    Rng rng(0xB16Du);
    double lp1 = 0, lp2 = 0, lp3 = 0, phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double raw = noise(rng);
        const double a = lowpassCoeff(120.0 + 1400.0 * std::exp(-t / 0.15));
        lp1 += a * (raw - lp1);
        lp2 += a * (lp1 - lp2);
        lp3 += a * (lp2 - lp3);
        const double tail = 1.0 - t;
        const double roar = lp3 * 2.2 * std::min(1.0, t / 0.01) * std::exp(-t / 0.38) * tail;
        const double crack = t < 0.04 ? raw * (1.0 - t / 0.04) * 0.15 : 0.0;
        phase += (32.0 + 45.0 * std::exp(-t / 0.25)) / kRate;
        const double rumble = std::sin(kTau * phase) * 0.45 * std::min(1.0, t / 0.02) * std::exp(-t / 0.3) * tail;
        s[static_cast<std::size_t>(i)] = roar + crack + rumble;
    }
    return finish(std::move(s), 0.9);
}

}  // namespace aerox::assets
