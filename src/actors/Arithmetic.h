// Number helpers of the actors: truncation that cannot overflow, 32-bit wrap-around, coordinate range.
#pragma once

#include <cmath>
#include <cstdint>

// Placed actors (enemies, platforms) are kept within this many pixels of the world's origin: far
// outside the 4096x2048 world, but small enough that their sums and floats stay exact.
constexpr int32_t kCoordinateLimit = 1 << 20;

inline int32_t ClampCoordinate(int32_t v) {
    return v < -kCoordinateLimit ? -kCoordinateLimit : (v > kCoordinateLimit ? kCoordinateLimit : v);
}

// Truncates toward zero like a plain cast, but saturates at low and high instead of overflowing;
// NaN gives ifNan.
inline int32_t TruncateWithin(double v, int32_t low, int32_t high, int32_t ifNan) {
    if (std::isnan(v)) return ifNan;
    if (v >= high) return high;
    if (v <= low) return low;
    return static_cast<int32_t>(v);
}

// Truncates toward zero over the whole 32-bit range; NaN gives 0.
inline int32_t TruncateToInt(double v) {
    return TruncateWithin(v, INT32_MIN, INT32_MAX, 0);
}

// A sum made in 64 bits brought back to 32, saturating at the ends of the range.
inline int32_t Saturate32(int64_t value) {
    return value < INT32_MIN ? INT32_MIN : (value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value));
}

// Scores, money and strength are 32-bit values that wrap around, as they always did, rather than
// overflow: sums and products are made in 64 bits and brought back.
inline int32_t Wrap32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// The size of a harm written either way round; the most negative value has no positive twin.
inline int32_t Magnitude(int32_t value) {
    return value < 0 ? (value == INT32_MIN ? INT32_MAX : -value) : value;
}
