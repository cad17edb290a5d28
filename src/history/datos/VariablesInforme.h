#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The variables a report kind answers: their names in upper case, sorted without regard to
// case, each with what it returns for the line read last (a column of it, a description
// of the code in a column, or a text the data module computes).
class VariablesInforme {
public:
    using Calculo = std::function<QString(const QStringList& lineaActual)>;

    // What ValorDeVariable answers for a name the kind does not know: the report engine then
    // keeps its own value (page number, date ...).
    static inline const QString kDesconocida = QStringLiteral("#");

    void Anadir(const QString& nombre, Calculo calculo);
    // The names, upper case, in their sorted order.
    QStringList Nombres() const;
    bool Contiene(const QString& nombre) const;
    // The value of the variable for the line read last, or kDesconocida.
    QString ValorDeVariable(const QString& nombre, const QStringList& lineaActual) const;

private:
    struct Variable {
        QString nombre;
        Calculo calculo;
    };
    std::vector<Variable>::const_iterator Buscar(const QString& nombre) const;
    std::vector<Variable> variables_;
};
