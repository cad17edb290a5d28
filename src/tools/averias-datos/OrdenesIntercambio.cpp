// exportar-grupo and importar-grupo: the group exchange for a school's technician.
#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <memory>

#include "Idioma.h"
#include "Instalacion.h"
#include "Intercambio.h"
#include "Ordenes.h"
#include "dmCDS.h"

namespace {

// The data module of an installation, opened with its language texts.
class SesionDatos {
public:
    explicit SesionDatos(const QString& carpeta) : instalacion_(QDir(carpeta).absolutePath()) {
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
    bool abierta() const { return abierta_; }

private:
    InstalacionTemporal instalacion_;

public:
    TdmCDS dm;

private:
    bool abierta_ = false;
};

// With AVERIAS_DATOS_PARAR_EN set to a stage ("leyendo", "alumno:N", "poniendo:N"), the
// command stops itself there, so that a test can kill it half way.
void PararSiSePide(const QString& etapa, QTextStream& salida) {
    if (etapa != qEnvironmentVariable("AVERIAS_DATOS_PARAR_EN")) return;
    salida << "Parado en " << etapa << Qt::endl;
    std::raise(SIGSTOP);
}

FuncionAvance MostrarAvance(QTextStream& salida) {
    return [&salida](const Avance& a) {
        switch (a.etapa) {
            case Avance::Leyendo:
                salida << "Datos del grupo leídos" << Qt::endl;
                PararSiSePide(QStringLiteral("leyendo"), salida);
                break;
            case Avance::Alumnos:
                if (a.hechos % 100 == 0) salida << "Alumnos: " << a.hechos << " de " << a.total << Qt::endl;
                PararSiSePide(QStringLiteral("alumno:%1").arg(a.hechos), salida);
                break;
            case Avance::PoniendoEnSitio:
                if (a.hechos == 0) salida << "Escribiendo en su sitio" << Qt::endl;
                PararSiSePide(QStringLiteral("poniendo:%1").arg(a.hechos), salida);
                break;
        }
    };
}

int SinInstalacion(const QString& carpeta, QTextStream& errores) {
    errores << "averias-datos: no se puede abrir la instalación " << carpeta << '\n';
    return kSalidaArchivo;
}

// The group named so, or else the group of that code.
bool ElegirGrupo(TdmCDS& dm, const QString& grupo) {
    if (dm.cdsGrupo->Locate(QStringLiteral("cdsGrpFNombre"), grupo)) return true;
    bool numero = false;
    const int codigo = grupo.toInt(&numero);
    return numero && dm.LocalizarGrupo(codigo);
}

}  // namespace

int OrdenExportarGrupo(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    if (argumentos.size() != 3) {
        errores << "Uso: averias-datos exportar-grupo INSTALACION GRUPO CARPETA\n";
        return kSalidaUso;
    }
    SesionDatos sesion(argumentos[0]);
    if (!sesion.abierta()) return SinInstalacion(argumentos[0], errores);
    if (!ElegirGrupo(sesion.dm, argumentos[1])) {
        errores << "averias-datos: no hay ningún grupo \"" << argumentos[1] << "\"\n";
        return kSalidaArchivo;
    }
    sesion.dm.AbrirTablasGrupo();
    const ResultadoIntercambio r = ExportarGrupo(sesion.dm, argumentos[2], MostrarAvance(salida));
    if (!r.correcto) {
        errores << "averias-datos: " << r.mensaje << '\n';
        return kSalidaArchivo;
    }
    salida << r.mensaje << '\n'
           << "Grupo \"" << r.nombre << "\" (código " << r.codigoGrupo << ", " << r.alumnos << " alumnos) en "
           << QDir::toNativeSeparators(r.carpeta) << '\n';
    return kSalidaBien;
}

int OrdenImportarGrupo(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    QStringList resto = argumentos;
    const bool reemplazar = resto.removeAll(QStringLiteral("--reemplazar")) > 0;
    if (resto.size() != 2) {
        errores << "Uso: averias-datos importar-grupo INSTALACION CARPETA [--reemplazar]\n";
        return kSalidaUso;
    }
    SesionDatos sesion(resto[0]);
    if (!sesion.abierta()) return SinInstalacion(resto[0], errores);
    const ResultadoIntercambio r =
        ImportarGrupo(sesion.dm, resto[1], reemplazar ? Reemplazo::Si : Reemplazo::No, MostrarAvance(salida));
    if (!r.correcto) {
        errores << "averias-datos: " << r.mensaje << '\n';
        if (r.cancelado) errores << "Para reemplazarlo, repita la orden con --reemplazar.\n";
        return kSalidaArchivo;
    }
    salida << r.mensaje << '\n'
           << "Grupo \"" << r.nombre << "\" importado con el código " << r.codigoGrupo << ": " << r.alumnos
           << " alumnos\n";
    if (r.grupoReemplazado >= 0)
        salida << "Reemplaza al grupo de código " << r.grupoReemplazado
               << ", con sus alumnos y sus históricos\n";
    return kSalidaBien;
}
