#pragma once

#include <QString>
#include <QStringList>

#include "ArchivosInforme.h"
#include "DMT_UtilInformes.h"
#include "TiposInforme.h"
#include "VariablesInforme.h"

class TdmCDS;

// The data side of one report run, as the report engine's callbacks need it: the
// begin-document and end-document steps, the user datasets over the two report data
// files, and the variable callback. Both the reports window and the command-line renderer
// drive their engine through it.
//
// User datasets: 1 reads the main file; 2 reads the second file for the simple history
// and the password lists, and otherwise walks the groups of the main file (a group is
// the lines whose first column equals that of its first line, or that end at a " " line);
// 3 reads the second file.
class FuenteInforme {
public:
    FuenteInforme(TdmCDS& dm, PeticionInforme peticion);

    // The variable list of the kind, its writer, the data files opened for reading.
    void EmpezarDocumento();
    // The data files closed and the lists freed.
    void TerminarDocumento();
    // Before a preview: no line read, no saved line, no group.
    void Limpiar();

    // The user dataset callbacks; `conjunto` is 1, 2 or 3.
    void Primero(int conjunto);
    void Siguiente(int conjunto);
    // True when the dataset has no current record; an end the engine already set stays set.
    bool FinDeDatos(int conjunto, bool finMotor = false) const;

    // The variable callback: true (and the value) when the report kind knows the name.
    bool Valor(const QString& nombre, QString& valor) const;

    const PeticionInforme& Peticion() const { return peticion_; }
    // The columns of the line read last, whichever dataset read it.
    const QStringList& LineaActual() const { return lineaActual_; }
    const VariablesInforme& Variables() const { return variables_; }
    const QString& ClaveGrupo() const { return claveGrupo_; }

private:
    bool EsLista() const;
    // Reads the next line of a file into LineaActual (empty at the end); false at the end.
    bool Leer(EntradaInforme& archivo);

    TdmCDS& dm_;
    PeticionInforme peticion_;
    TUtilInformes escritores_;
    VariablesInforme variables_;
    EntradaInforme principal_, segundo_;
    QStringList lineaActual_, lineaGuardada_;
    QString claveGrupo_;
    QString tipoLista_;
    bool abierto_ = false;
};
