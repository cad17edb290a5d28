#include "DemoDatos.h"

#include <QProcess>

EjecucionDatos EjecutarOrdenDatos(const QString& orden, const QStringList& argumentos) {
    QProcess p;
    p.start(carpetaProgramas() + "/averias-datos", QStringList{orden} + argumentos);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}

void DemoDatos::SetUpTestSuite() {
    carpeta = new CarpetaTemporal;
    const EjecucionDatos e = EjecutarOrdenDatos(QStringLiteral("demo"), {demo()});
    ASSERT_EQ(e.estado, 0) << e.errores.toStdString();
}

void DemoDatos::TearDownTestSuite() {
    delete carpeta;
    carpeta = nullptr;
}

QString DemoDatos::demo() {
    return carpeta->ruta() + "/demo";
}
