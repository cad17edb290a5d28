#include "VariablesInforme.h"

#include <algorithm>

namespace {

bool Antes(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

}  // namespace

void VariablesInforme::Anadir(const QString& nombre, Calculo calculo) {
    const QString mayusculas = nombre.toUpper();
    const auto sitio =
        std::lower_bound(variables_.begin(), variables_.end(), mayusculas,
                         [](const Variable& v, const QString& n) { return Antes(v.nombre, n); });
    if (sitio != variables_.end() && sitio->nombre == mayusculas)
        sitio->calculo = std::move(calculo);
    else
        variables_.insert(sitio, {mayusculas, std::move(calculo)});
}

QStringList VariablesInforme::Nombres() const {
    QStringList nombres;
    for (const Variable& v : variables_) nombres << v.nombre;
    return nombres;
}

std::vector<VariablesInforme::Variable>::const_iterator VariablesInforme::Buscar(
    const QString& nombre) const {
    const QString mayusculas = nombre.toUpper();
    const auto sitio =
        std::lower_bound(variables_.begin(), variables_.end(), mayusculas,
                         [](const Variable& v, const QString& n) { return Antes(v.nombre, n); });
    return sitio != variables_.end() && sitio->nombre == mayusculas ? sitio : variables_.end();
}

bool VariablesInforme::Contiene(const QString& nombre) const {
    return Buscar(nombre) != variables_.end();
}

QString VariablesInforme::ValorDeVariable(const QString& nombre, const QStringList& lineaActual) const {
    const auto variable = Buscar(nombre);
    return variable == variables_.end() ? kDesconocida : variable->calculo(lineaActual);
}
