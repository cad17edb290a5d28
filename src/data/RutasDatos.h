#pragma once

#include <QString>

// Where every table file of an installation lives. Folders end with "/"; existing folder
// names are matched without regard to case ("BDs" and "Bds" are the same folder).
namespace RutasDatos {

// The user name of the teacher's history: the "BDs" templates.
inline const QString kProfesor = QStringLiteral("PROFESOR");

QString CarpetaBDs();
QString CarpetaEquipo(int codigoEquipo);
QString CarpetaGrupo(int codigoGrupo);
QString CarpetaHistorico();
// The file of a table in a folder: folder + name + ".cds".
QString Archivo(const QString& carpeta, const QString& tabla);
// The practice files of a user: the student's code as FormatoCodigo gives it, or kProfesor.
QString ArchivoReparacion(const QString& usuario);
QString ArchivoLineaReparacion(const QString& usuario);
// Whether a file name is the "BDs" template of that table (the same file, however written).
bool EsPlantilla(const QString& archivo, const QString& tabla);
// The folder part of a file name, with its "/".
QString CarpetaDe(const QString& archivo);
bool MismoArchivo(const QString& a, const QString& b);
// Whether a path lies inside the installation folder (however written).
bool DentroDeInstalacion(const QString& ruta);

}  // namespace RutasDatos
