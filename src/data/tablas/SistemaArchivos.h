#pragma once

#include <QString>

// The few file-system calls the table files need beyond Qt: an atomic rename and making
// a folder's entries durable. Both return 0 or the errno of the failing call.
namespace tablas {

int Renombrar(const QString& origen, const QString& destino);
int SincronizarCarpeta(const QString& carpeta);

}  // namespace tablas
