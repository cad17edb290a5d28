#include "CodigoLibre.h"

int MenorCodigoLibre(const std::vector<int>& codigos) {
    // With n codes the answer is at most n + 1, so only codes 1..n need marking.
    const auto n = codigos.size();
    std::vector<bool> usado(n + 1, false);
    for (int codigo : codigos)
        if (codigo > 0 && static_cast<std::size_t>(codigo) <= n)
            usado[static_cast<std::size_t>(codigo)] = true;
    std::size_t libre = 1;
    while (libre <= n && usado[libre]) ++libre;
    return static_cast<int>(libre);
}
