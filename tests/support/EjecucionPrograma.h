#pragma once

#include <QString>
#include <QStringList>

struct EjecucionPrograma {
    int estado;  // -1 when the program did not end by itself
    QString salida;
    QString errores;
};

// Runs one of the build's programs and waits for it (up to a minute); as "nobody" when
// asked and the tests run as root, for whom no folder is read-only.
EjecucionPrograma EjecutarPrograma(const QString& programa, const QStringList& argumentos,
                                   bool otroUsuario = false);
