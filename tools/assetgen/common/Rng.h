// Seeded random numbers for the generators: scattered details and textures are the same on every run.
#pragma once

#include <cstdint>

namespace gen {

// A small deterministic generator (xorshift). Each generator draws from its own stream, so the same
// seed gives the art and the scenery different, and each of them always the same, numbers.
class Rng {
public:
    Rng(uint64_t seed, uint64_t stream) : state_(seed * 0x9E3779B97F4A7C15ull + stream) {}
    uint64_t Next();
    double Uniform(double a, double b);  // [a, b)
    int Int(int a, int b);               // [a, b]
    bool Chance(double p) { return Uniform(0, 1) < p; }

private:
    uint64_t state_;
};

// A hash of small integers into [0, 1): textures that must be the same wherever they are sampled.
double Hash01(int a, int b, int c = 0);

}  // namespace gen
