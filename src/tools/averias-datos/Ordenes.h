#pragma once

#include <QStringList>
#include <QTextStream>

// One subcommand of averias-datos: its arguments (after the command name) in, exit
// status out. Messages for the user go to `errores`.
struct Orden {
    const char* nombre;
    const char* uso;  // arguments, for the usage text
    const char* descripcion;
    int (*ejecutar)(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);
};

int OrdenVolcar(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);
int OrdenCampos(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);
int OrdenExportarGrupo(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);
int OrdenImportarGrupo(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);
int OrdenInstalacion(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);
int OrdenResultados(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);
int OrdenHistorial(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);
int OrdenImportarAlumnos(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);
int OrdenDemo(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);

inline constexpr const char* kUsoResultados =
    "INSTALACION GRUPO [--equipo E] [--modo libre|tutorizada] [--desde AAAA-MM-DD] [--hasta AAAA-MM-DD] "
    "[--por averia|alumno|semana]";

inline constexpr const char* kUsoHistorial = "INSTALACION GRUPO [--equipo E]";
inline constexpr const char* kUsoImportarAlumnos = "INSTALACION GRUPO FICHERO.csv";

// Exit statuses.
constexpr int kSalidaBien = 0;
constexpr int kSalidaArchivo = 1;  // missing, damaged or foreign file
constexpr int kSalidaUso = 2;
