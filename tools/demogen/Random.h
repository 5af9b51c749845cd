// A small pseudo-random source of our own, so that the generated demo data is the same on
// every machine and with every standard library: xorshift64* for uniform numbers and the
// Box-Muller transform for normal ones.
#pragma once

#include <cmath>
#include <cstdint>

namespace demogen {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

    std::uint64_t Next()
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }

    // Uniform in (0, 1]: never 0, so the logarithm of Box-Muller stays finite.
    double Uniform() { return (static_cast<double>(Next() >> 11) + 1.0) / 9007199254740992.0; }

    // Standard normal; the second value of each Box-Muller pair is kept for the next call.
    double Normal()
    {
        if (hasSpare_) {
            hasSpare_ = false;
            return spare_;
        }
        const double r = std::sqrt(-2.0 * std::log(Uniform()));
        const double angle = 2.0 * 3.14159265358979323846 * Uniform();
        spare_ = r * std::sin(angle);
        hasSpare_ = true;
        return r * std::cos(angle);
    }

private:
    std::uint64_t state_;
    double spare_ = 0.0;
    bool hasSpare_ = false;
};

}  // namespace demogen
