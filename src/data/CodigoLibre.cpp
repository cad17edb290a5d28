#include "CodigoLibre.h"

#include <algorithm>

int MenorCodigoLibre(const std::vector<int>& codigos) {
    return CodigosLibres(codigos, 1).front();
}

std::vector<int> CodigosLibres(const std::vector<int>& codigos, int cuantos) {
    // With n codes the answers are at most n + cuantos, so only codes up to there need marking.
    const std::size_t tope = codigos.size() + static_cast<std::size_t>(std::max(cuantos, 0));
    std::vector<bool> usado(tope + 1, false);
    for (int codigo : codigos)
        if (codigo > 0 && static_cast<std::size_t>(codigo) <= tope)
            usado[static_cast<std::size_t>(codigo)] = true;
    std::vector<int> libres;
    for (std::size_t c = 1; c <= tope && static_cast<int>(libres.size()) < cuantos; ++c)
        if (!usado[c]) libres.push_back(static_cast<int>(c));
    return libres;
}
