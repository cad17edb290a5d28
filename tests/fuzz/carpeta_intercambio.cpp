// The exchange folder reader: one of its five table files (chosen by the first byte) is
// the input, the other four are whole tables of their kind, so that the checks after the
// loading are reached too.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "ApoyoFuzz.h"
#include "ClientDataSet.h"
#include "EstructuraTabla.h"
#include "Intercambio.h"

namespace {

// A sound table file of each kind, written once: the group file holds one group.
const QString& CarpetaSana() {
    static QTemporaryDir carpeta;
    static const bool escrita = [] {
        for (const QString& archivo : kArchivosIntercambio) {
            TClientDataSet tabla;
            CrearTablaGuardada(tabla, QFileInfo(archivo).completeBaseName());
            if (archivo == kArchivosIntercambio.first()) {
                tabla.Append();
                tabla.FieldByName(QStringLiteral("cdsGrpFCodGrupo"))->SetAsInteger(1);
                tabla.FieldByName(QStringLiteral("cdsGrpFNombre"))->SetAsString(QStringLiteral("2A"));
                tabla.Post();
            }
            tabla.SaveToFile(carpeta.filePath(archivo));
        }
        return true;
    }();
    static const QString ruta = escrita ? carpeta.path() + QLatin1Char('/') : QString();
    return ruta;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    if (tamano == 0) return 0;
    const QString elegido = kArchivosIntercambio[datos[0] % kArchivosIntercambio.size()];
    const QString entrada = ArchivoDeEntrada(datos + 1, tamano - 1, elegido);
    const QString carpeta = QFileInfo(entrada).absolutePath() + QLatin1Char('/');
    for (const QString& archivo : kArchivosIntercambio) {
        if (archivo == elegido) continue;
        QFile::remove(carpeta + archivo);
        QFile::copy(CarpetaSana() + archivo, carpeta + archivo);
    }
    try {
        const CarpetaIntercambio leida = LeerCarpetaIntercambio(carpeta);
        Exigir(leida.grupo->RecordCount() == 1, "an exchange folder that reads holds one group");
        Exigir(!leida.grupo->FieldByName(QStringLiteral("cdsGrpFNombre"))->AsString().isEmpty(),
               "the group of an exchange folder that reads has a name");
        for (const auto* tabla : {&leida.alumnos, &leida.miembros, &leida.subgrupos, &leida.semillas})
            Exigir(*tabla != nullptr, "every table of an exchange folder that reads is there");
    } catch (const ErrorIntercambio&) {
        // Refused with a message for the teacher: what the reader must do with such input.
    }
    return 0;
}
