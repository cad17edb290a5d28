#pragma once

#include <QString>

#include "FuenteInforme.h"
#include "Informe.h"
#include "OrigenDatos.h"

class TdmCDS;

// The report data of one run (the writers and their user datasets over the report data
// files) as the report engine's data source.
class OrigenDeFuente : public informes::OrigenDatos {
public:
    explicit OrigenDeFuente(FuenteInforme& fuente) : fuente_(fuente) {}

    void InicioDocumento() override { fuente_.EmpezarDocumento(); }
    void FinDocumento() override { fuente_.TerminarDocumento(); }
    void Primero(int conjunto) override { fuente_.Primero(conjunto); }
    void Siguiente(int conjunto) override { fuente_.Siguiente(conjunto); }
    bool FinDatos(int conjunto, bool fin) override { return fuente_.FinDeDatos(conjunto, fin); }
    // A name the report kind does not know keeps the engine's own value.
    void Variable(const QString& nombre, QString& valor) override {
        QString propio;
        if (fuente_.Valor(nombre, propio)) valor = propio;
    }

private:
    FuenteInforme& fuente_;
};

// The values a layout prints besides the report data: the group, the owner, the trainer and
// the chosen fault, from the records current in the data module.
informes::OpcionesInforme OpcionesDePeticion(TdmCDS& dm, const PeticionInforme& peticion);

// Loads the layout, runs the kind's writer and lays the pages out; false (with the messages
// already told) when the layout cannot be read or the pages cannot be prepared.
bool EjecutarInforme(TdmCDS& dm, const PeticionInforme& peticion, const QString& diseno, Informe& informe);
