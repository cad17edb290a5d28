#pragma once

#include <vector>

// The smallest positive whole number that none of the codes equals: identifiers freed
// by a deletion are given again. Linear in the number of codes.
int MenorCodigoLibre(const std::vector<int>& codigos);
// The `cuantos` smallest positive whole numbers that none of the codes equals, in order.
std::vector<int> CodigosLibres(const std::vector<int>& codigos, int cuantos);
