#pragma once

#include <QString>

// The few file-system calls the table files need beyond Qt: an atomic rename, making a
// folder's entries durable and telling which file a name points at. Each returns 0 or
// the errno of the failing call.
namespace tablas {

int Renombrar(const QString& origen, const QString& destino);

// Which file a name points at: device and inode.
struct IdArchivo {
    unsigned long long dispositivo = 0, nodo = 0;
    bool operator==(const IdArchivo&) const = default;
};
int Identificar(const QString& ruta, IdArchivo& id);
int SincronizarCarpeta(const QString& carpeta);

}  // namespace tablas
