#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <vector>

#include "TiposInforme.h"

class TdmCDS;
class SalidaInforme;

// The practice a one-fault report is about, as the writer found it: the report's state,
// result and level texts are read from it, not from whatever practice is current later.
struct PracticaInforme {
    bool encontrada = false;
    QString estado;
    QVariant resp, correcta, duracion, nReparacion, nSintomas, tutorizada;
};

// The report data writers. Each collects the rows one report needs from the data module's
// tables (its current group, member and subgroup) and rewrites the report data files
// (ArchivosInforme) with them; each puts back the filters, current rows and open history
// it moved. A file that cannot be written raises EArchivoInforme.
class TUtilInformes {
public:
    explicit TUtilInformes(TdmCDS& dm) : dm_(dm) {}

    void InformeTodasAlumno(int equipo);
    void InformeTodasSubgrupo(int equipo);
    void InformeSimpleAlumno(int tipoUsuario, const AveriaElegida& averia);
    void InformeSimpleSubgrupo(int tipoUsuario, const AveriaElegida& averia);
    void InformeCompletoAlumno(const AveriaElegida& averia);
    void InformeCompletoSubgrupo(const AveriaElegida& averia);
    void InformeGrupoAlumnos(int equipo);
    void InformeGrupoSubgrupos(int equipo);
    void InformeAveriaAlumnos(int equipo, const AveriaElegida& averia);
    void InformeAveriaSubgrupos(int equipo, const AveriaElegida& averia);
    void InformeAccesibilidad();
    void InformeContrasenas();

    // The writer of a report kind with the arguments of the request.
    void Escribir(const PeticionInforme& peticion);

    // The practice the last one-fault writer reported on.
    const PracticaInforme& Practica() const { return practica_; }

private:
    // Whose history a one-owner report reads.
    struct Propietario {
        QVariant alumno;  // whose history file holds the practices
        QVariant grupo;
        QString subgrupo;  // "-1" for a student's own practices
    };
    struct Ubicacion {
        int bloque, circuito, elemento;
    };

    Propietario Alumno() const;
    Propietario Subgrupo() const;
    void TodasPropietario(const Propietario& p, int equipo);
    void SimplePropietario(const Propietario& p, int tipoUsuario, const AveriaElegida& averia);
    void CompletoPropietario(const Propietario& p, const AveriaElegida& averia);
    void GruposDiagnostico(SalidaInforme& principal);
    // The second file of the one-fault reports of the whole group: where its element is placed.
    void LugaresAveria(SalidaInforme& segundo, const AveriaElegida& averia);
    // The open history's practices in the one-fault reports of the whole group.
    void LineasAveria(SalidaInforme& principal, const QString& primera, const QString& nombre);
    // The end line of each file, and the files written.
    static void Terminar(SalidaInforme& principal, SalidaInforme* segundo = nullptr);
    // The line of the current practice in the reports of the whole group.
    QStringList LineaGrupo(const QString& nombre, const QVariantList& averia, int noReparada);

    // Opens a student's history when it exists.
    bool AbrirHistoricoDe(const QVariant& alumno);
    // The first practice of the open history under the filter, noted as the report's practice.
    void TomarPractica(const QString& filtro);
    // Where the element of code `elemento` is placed in the trainer, in placement order.
    std::vector<Ubicacion> Ubicaciones(const QVariant& elemento);
    // Block, circuit and element of a fault (Null each when the fault is unknown).
    QVariantList CodigosAveria(const QVariant& idAveria);
    QString DescripcionElemento(const QVariant& circuito, const QVariant& elemento);

    TdmCDS& dm_;
    PracticaInforme practica_;
    // What the trainer's catalogue says of faults and elements, read once per trainer: a
    // group report asks it for every practice.
    int equipoLeido_ = -1;
    std::map<int, std::vector<Ubicacion>> ubicaciones_;
    std::map<int, QVariantList> averias_;
    void ReleerCatalogoSiCambio();
};

// The texts the writers put in the files.
namespace TextosInforme {

// "dd/mm/yyyy" of a date-time field; blank when Null.
QString Fecha(const QVariant& diasDesde1899);
// "hh:nn" of a date-time field; blank when Null.
QString Hora(const QVariant& diasDesde1899);
// "hh:nn:ss" of end − start, whole days dropped; blank when either is Null.
QString DuracionLinea(const QVariant& inicio, const QVariant& fin);

}  // namespace TextosInforme
