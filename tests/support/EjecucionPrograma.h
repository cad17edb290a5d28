#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One run of a program: its exit status (-1 when it did not end by itself), its output as
// written and its error output.
struct EjecucionPrograma {
    int estado;
    QByteArray salida;
    QString errores;
};

// Runs one of the build's programs and waits for it (up to a minute); as "nobody" when
// asked and the tests run as root, for whom no folder is read-only.
EjecucionPrograma EjecutarPrograma(const QString& programa, const QStringList& argumentos,
                                   bool otroUsuario = false);
