#include "DemoDatos.h"

EjecucionDatos EjecutarOrdenDatos(const QString& orden, const QStringList& argumentos, bool otroUsuario) {
    return EjecutarPrograma(QStringLiteral("averias-datos"), QStringList{orden} + argumentos, otroUsuario);
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
