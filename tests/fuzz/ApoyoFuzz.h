#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

// Helpers for the fuzz targets.

// Writes the input to a file named `nombre` in a folder of this process (the same path at
// every call, removed at exit) and returns its path: for readers that take a file.
QString ArchivoDeEntrada(const std::uint8_t* datos, std::size_t tamano, const QString& nombre);

// A property the reader must keep on every input: aborts with `que` when it does not, which
// the fuzzer reports as a crash with the input that broke it.
void Exigir(bool cumple, const char* que);
