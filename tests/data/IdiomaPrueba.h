#pragma once

#include <QString>
#include <map>
#include <memory>

#include "CarpetaTemporal.h"
#include "Idioma.h"

// A language file installed for the life of the guard, so that a test sees which text
// number a display text or label came from.
class IdiomaPrueba {
public:
    explicit IdiomaPrueba(const std::map<int, QString>& textos);

private:
    CarpetaTemporal carpeta_;
    std::unique_ptr<IdiomaTemporal> idioma_;
};

// The data module's texts: number n reads "T<n>", except the display-value texts,
// which read "Cierto<n>;Falso<n>".
std::map<int, QString> TextosDelModulo();
