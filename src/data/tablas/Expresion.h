#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

#include "ClientDataSet.h"

namespace tablas {

struct Nodo;

// A filter or aggregate expression, parsed once into a tree and bound to the columns of
// a table before it is evaluated on rows.
class Expresion {
public:
    enum class Funcion { Ninguna, Count, Max, Min, Sum, Avg };

    // Filter text: comparisons, "and", "or", "not", parentheses, "is [not] null".
    static std::shared_ptr<Expresion> Filtro(const QString& texto);
    // "COUNT(expr)", "MAX(field)", "MIN", "SUM", "AVG".
    static std::shared_ptr<Expresion> Agregado(const QString& texto);
    ~Expresion();

    // Resolves field names against the columns; raises EDatabaseError naming the text.
    void Vincular(const std::vector<TFieldDef>& columnas);
    bool Cumple(const std::vector<QVariant>& fila) const;
    QVariant Valor(const std::vector<QVariant>& fila) const;
    Funcion funcion() const { return funcion_; }
    TFieldType TipoResultado() const;
    const QString& texto() const { return texto_; }

private:
    Expresion() = default;
    QString texto_;
    Funcion funcion_ = Funcion::Ninguna;
    std::unique_ptr<Nodo> raiz_;
};

// The aggregate of `expresion` over the given rows (Null when there are none).
QVariant Agregar(const Expresion& expresion, const std::vector<const std::vector<QVariant>*>& filas);

}  // namespace tablas
