#include "DemoResultados.h"

#include <QProcess>

void DemoResultados::SetUpTestSuite() {
    carpeta = new CarpetaTemporal;
    QProcess p;
    p.start(carpetaProgramas() + "/averias-datos", {"demo", demo()});
    p.waitForFinished(60000);
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

void DemoResultados::TearDownTestSuite() {
    delete carpeta;
    carpeta = nullptr;
}

QString DemoResultados::demo() {
    return carpeta->ruta() + "/demo";
}

void DemoResultados::SetUp() {
    instalacion = std::make_unique<InstalacionTemporal>(demo());
    idioma = std::make_unique<IdiomaTemporal>(Instalacion::Ruta("idioma.lng"));
}

void DemoResultados::TearDown() {
    idioma.reset();
    instalacion.reset();
}
