#include "SesionDatos.h"

#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <memory>

#include "Idioma.h"
#include "Intercambio.h"
#include "Ordenes.h"

SesionDatos::SesionDatos(const QString& carpeta) : instalacion_(QDir(carpeta).absolutePath()) {
    auto idioma = std::make_unique<TLanguage>();
    try {
        idioma->setIdiomaFile(Instalacion::Ruta(QStringLiteral("idioma.lng")));
    } catch (const ErrorIdioma&) {
        // Without the installation's texts the messages read "nada"; the work is the same.
    }
    FijarIdiomaApp(std::move(idioma));
    if (RecuperarIntercambio())
        std::fprintf(stderr, "Se ha terminado de cargar un grupo que quedó a medias.\n");
    abierta_ = QFileInfo(Instalacion::Ruta(QStringLiteral("BDs"))).isDir() && dm.AbrirTablas();
}

int SinInstalacion(const QString& carpeta, QTextStream& errores) {
    errores << "averias-datos: no se puede abrir la instalación " << carpeta << '\n';
    return kSalidaArchivo;
}

bool ElegirGrupo(TdmCDS& dm, const QString& grupo) {
    if (dm.cdsGrupo->Locate(QStringLiteral("cdsGrpFNombre"), grupo)) return true;
    bool numero = false;
    const int codigo = grupo.toInt(&numero);
    return numero && dm.LocalizarGrupo(codigo);
}

void PararSiSePide(const QString& etapa, QTextStream& salida) {
    if (etapa != qEnvironmentVariable("AVERIAS_DATOS_PARAR_EN")) return;
    salida << "Parado en " << etapa << Qt::endl;
    std::raise(SIGSTOP);
}
