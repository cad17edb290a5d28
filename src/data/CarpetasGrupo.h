#pragma once

#include <QString>
#include <QStringList>

// A group's folder below "BDs": the name that may label it elsewhere (an exchange copy is
// a folder named after the group), creating it and removing it with its table files.
namespace CarpetasGrupo {

// Why a group name cannot serve as one folder name component: the number of the language
// text that says so, or 0 when it can.
int ErrorNombre(const QString& nombre);

// What a removal left behind (empty when the folder is gone).
struct Borrado {
    bool completo = true;
    QStringList restos;
};
// Removes a group's folder: every table file with the files SQLite keeps beside it, then
// the folder. Only a real folder directly inside the installation's "BDs" is touched;
// nothing is followed through a symbolic link.
Borrado Borrar(const QString& carpeta);

// Whether a file name is a table file or one of its companions ("x.cds", "x.cds-journal",
// "x.cds.nuevo", ...).
bool EsArchivoDeTabla(const QString& nombre);

}  // namespace CarpetasGrupo
