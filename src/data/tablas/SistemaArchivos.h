#pragma once

#include <QString>
#include <QStringList>

// The few file-system calls the table files and the group exchange need beyond Qt: an
// atomic rename, making a folder's entries durable, telling which file a name points at,
// and looking at, copying and removing entries without ever following a symbolic link.
// Each returns 0 or the errno of the failing call.
namespace tablas {

int Renombrar(const QString& origen, const QString& destino);

// Which file a name points at: device and inode.
struct IdArchivo {
    unsigned long long dispositivo = 0, nodo = 0;
    bool operator==(const IdArchivo&) const = default;
};
int Identificar(const QString& ruta, IdArchivo& id);
int SincronizarCarpeta(const QString& carpeta);

// What a name is, looked at without following a link.
enum class ClaseEntrada { Ninguna, Archivo, Carpeta, Enlace, Otra };
ClaseEntrada Clase(const QString& ruta);
// The names in a folder (without "." and ".."), sorted.
int ListarCarpeta(const QString& carpeta, QStringList& nombres);
// One new folder (its parent must exist); EEXIST when the name is taken.
int CrearCarpeta(const QString& carpeta);
// Removes an empty folder.
int BorrarCarpetaVacia(const QString& carpeta);
// Removes one name: a file, or a link itself (never what it points at). ENOENT counts as done.
int BorrarNombre(const QString& ruta);
// Removes a table file and its SQLite companion files ("-journal", "-wal", "-shm"), so that
// a journal left by an interrupted write is never applied to another file of that name.
int BorrarArchivoTabla(const QString& ruta);
// Copies a regular file (a link as source is refused with ELOOP): the copy is written
// beside the destination and renamed over it, so that the destination is either the old
// file or the whole copy. `durable`: on disk before the rename, and the rename too (a
// working copy that is read back at once does without).
int CopiarArchivo(const QString& origen, const QString& destino, bool durable = true);
// A second name for a file (hard link); the destination must not exist.
int Enlazar(const QString& origen, const QString& destino);

}  // namespace tablas
