// The level compiler's self-test (assetgen-levels --self-test).
#pragma once

namespace levels {

// Runs the built-in cases, prints one line each and a "N passed, N failed" line; 0 when all pass.
int RunSelfTest();

}  // namespace levels
