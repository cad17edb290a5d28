#pragma once

#include <cstdint>

// The process-wide pseudo-random generator: seeded from the clock the first time it
// is used, or explicitly (tests seed it to get repeatable draws).
void SembrarAzar(std::uint32_t semilla);
// A whole number in [0, limite); 0 when limite <= 0.
int Azar(int limite);
