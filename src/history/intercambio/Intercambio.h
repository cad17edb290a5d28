#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "ClientDataSet.h"

class TdmCDS;

// Carrying a group (its record, students, memberships, subgroups and seeds) from one
// installation to another through an exchange folder named after the group.

// The five table files of an exchange folder, in the order the import reads them.
extern const QStringList kArchivosIntercambio;

struct ResultadoIntercambio {
    bool correcto = false;
    bool cancelado = false;  // a group of that name exists and was not to be replaced
    QString mensaje;         // what to tell the user: text 210 or 166, or why it failed
    QString nombre;          // the group's name
    int codigoGrupo = -1;    // the group's code (in this installation after an import)
    int alumnos = 0;
    int grupoReemplazado = -1;  // the code of the group an import replaced, -1 when none
    QString carpeta;            // the exchange folder written by an export
};

// How far a long exchange has gone, for a status line: the students walked so far, or
// the renames that put an import in place (0 before the first).
struct Avance {
    enum Etapa { Leyendo, Alumnos, PoniendoEnSitio } etapa = Leyendo;
    int hechos = 0, total = 0;
};
using FuncionAvance = std::function<void(const Avance&)>;

// Writes the exchange folder of the data module's current group under `destino`. In the
// exchange folder only its own table files are replaced; anything else there stays.
// A failure anywhere is reported in the result, and the group's tables are open again.
ResultadoIntercambio ExportarGrupo(TdmCDS& dm, const QString& destino, const FuncionAvance& avance = {});

// What to do when the installation has a group of the imported name.
enum class Reemplazo { Preguntar, Si, No };

// Imports the exchange folder `origen`: the group and its students get codes free in this
// installation. Everything is read and prepared in the working folder first and put in
// place in one step; on any failure the installation is as it was. The data module's
// tables are reloaded and left on the imported group and its last student.
ResultadoIntercambio ImportarGrupo(TdmCDS& dm, const QString& origen, Reemplazo reemplazo,
                                   const FuncionAvance& avance = {});

// Finishes an import that a stopped program left half in place (its plan is in the
// working folder): true when there was one. Run before the installation's tables are
// opened; every exchange also runs it first.
bool RecuperarIntercambio();

// Whether a folder holds the five table files of an exchange (none of them a link).
bool EsCarpetaIntercambio(const QString& carpeta);

// The tables of an exchange folder, read and checked: every file loads, has the columns
// of the table of its name, and the group file holds exactly one group with a name.
struct CarpetaIntercambio {
    std::unique_ptr<TClientDataSet> grupo, alumnos, miembros, subgrupos, semillas;
    QStringList otras;  // further "*.cds" files of the group folder, copied as they are
};
// Raises ErrorIntercambio with the user's text when the folder cannot be imported.
CarpetaIntercambio LeerCarpetaIntercambio(const QString& carpeta);

class ErrorIntercambio : public std::runtime_error {
public:
    explicit ErrorIntercambio(const QString& texto)
        : std::runtime_error(texto.toStdString()), texto_(texto) {}
    const QString& Texto() const { return texto_; }

private:
    QString texto_;
};
