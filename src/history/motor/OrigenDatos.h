#pragma once

#include <QString>

namespace informes {

// Where a report gets its data: up to three user datasets, each walked with First, Next and
// CheckEOF, a variable callback and the callbacks around each preparation. The report
// window and the list pages implement it over the report data files; tests over tables.
class OrigenDatos {
public:
    virtual ~OrigenDatos() = default;

    // Around each preparation of the pages.
    virtual void InicioDocumento() {}
    virtual void FinDocumento() {}

    // User dataset 1, 2 or 3. First goes to its first record, Next to the next one.
    virtual void Primero(int conjunto) = 0;
    virtual void Siguiente(int conjunto) = 0;
    // CheckEOF: the engine passes its own end flag; true when there is no current record.
    virtual bool FinDatos(int conjunto, bool fin) = 0;

    // The value of a variable of the layout: `valor` comes with the engine's own value (or
    // empty); the callback fills it or leaves it unchanged.
    virtual void Variable(const QString& nombre, QString& valor) = 0;
};

}  // namespace informes
