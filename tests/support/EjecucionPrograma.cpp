#include "EjecucionPrograma.h"

#include <unistd.h>

#include <QProcess>

#include "CarpetaTemporal.h"

EjecucionPrograma EjecutarPrograma(const QString& programa, const QStringList& argumentos, bool otroUsuario) {
    QProcess p;
    const QString ruta = carpetaProgramas() + "/" + programa;
    if (otroUsuario && ::geteuid() == 0)
        p.start("setpriv",
                QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", "--", ruta} + argumentos);
    else
        p.start(ruta, argumentos);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}
