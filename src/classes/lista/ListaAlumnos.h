#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>
#include <vector>

#include "TextoArchivo.h"

// A class list from a spreadsheet: a CSV file (UTF-8 with or without a byte-order mark, or
// Windows-1252; ";" or "," between values) whose first line names the columns Nombre,
// Apellido1 and Apellido2 in any order and without regard to case or accents. Every other
// line is one student, refused with its line number when it cannot be added.

struct NombreAlumno {
    QString nombre;
    QString apellido1;
    QString apellido2;
    // "Apellido1 Apellido2, Nombre", as the class tree shows a member.
    QString Completo() const;
};

enum class MotivoRechazo {
    Ilegible,        // unclosed quotes, text after closing quotes
    Control,         // control characters in a name
    SinNombre,       // the name column is empty
    DemasiadoLargo,  // a value is wider than its field
    YaEnGrupo,       // the same student is a member of the group already
    Repetido         // the same student on an earlier line of the file
};

struct LineaLista {
    int linea = 0;  // in the file: the header is line 1
    NombreAlumno alumno;
    std::optional<MotivoRechazo> rechazo;  // none: the student will be added
    QString columna;                       // DemasiadoLargo: the column's name in the header
    int anchura = 0;                       // DemasiadoLargo: the field's width
    int lineaAnterior = 0;                 // Repetido: the line that has the student first
    QString texto;                         // Ilegible: the line as it is in the file

    bool Aceptada() const { return !rechazo.has_value(); }
    // Why the line is refused, as the user reads it; empty for an accepted line.
    QString Motivo() const;
    // "Línea N: reason".
    QString TextoRechazo() const;
};

struct ListaAlumnos {
    // Why the file as a whole cannot be used (unreadable, no header with the columns);
    // empty when it can.
    QString error;
    CodificacionTexto codificacion = CodificacionTexto::Utf8;
    QChar separador = QLatin1Char(';');
    // Every line after the header that holds anything, in file order.
    std::vector<LineaLista> lineas;

    std::vector<NombreAlumno> Aceptados() const;
    int NumRechazadas() const;
};

// Reads a class list; `miembros` are the group's members, whom the list must not repeat.
ListaAlumnos LeerListaAlumnos(const QByteArray& contenido, const std::vector<NombreAlumno>& miembros);
// The same from a file; a file that cannot be read gives `error` naming it.
ListaAlumnos LeerArchivoListaAlumnos(const QString& archivo, const std::vector<NombreAlumno>& miembros);
