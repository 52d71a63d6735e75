// Seeded random numbers and integer hashes.
#include "common/Rng.h"

namespace gen {

uint64_t Rng::Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
}

double Rng::Uniform(double a, double b) {
    return a + (b - a) * double(Next() >> 11) / double(1ull << 53);
}

int Rng::Int(int a, int b) {
    return a + int(Next() % uint64_t(b - a + 1));
}

double Hash01(int a, int b, int c) {
    uint64_t h = uint64_t(uint32_t(a)) * 0x9E3779B97F4A7C15ull ^ uint64_t(uint32_t(b)) * 0xC2B2AE3D27D4EB4Full ^
                 uint64_t(uint32_t(c)) * 0x165667B19E3779F9ull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return double(h >> 11) / double(1ull << 53);
}

}  // namespace gen
