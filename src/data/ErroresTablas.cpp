#include "ErroresTablas.h"

#include <QDir>
#include <QFileInfo>

#include "ClientDataSet.h"
#include "Idioma.h"

namespace ErroresTablas {

namespace {

// "The file %1 is not there", "The file %1 is damaged or not a table of this program",
// "The operation on the file %1 could not be completed", "An unexpected error (%1)".
constexpr int kTextoArchivoNoEsta = 241;
constexpr int kTextoArchivoDanado = 242;
constexpr int kTextoArchivoFallo = 243;
constexpr int kTextoErrorInesperado = 246;
// "The installation is busy: another PC keeps the file %1 locked".
constexpr int kTextoInstalacionOcupada = 260;

}  // namespace

QString TextoArchivoIlegible(const QString& archivo) {
    return Texto(QFileInfo(archivo).isFile() ? kTextoArchivoDanado : kTextoArchivoNoEsta)
        .arg(QDir::toNativeSeparators(archivo));
}

QString ArchivoDelError(const std::exception& error) {
    const auto* archivo = dynamic_cast<const EArchivoTabla*>(&error);
    return archivo ? archivo->FileName() : QString();
}

QString TextoError(const std::exception& error) {
    const QString archivo = ArchivoDelError(error);
    if (!archivo.isEmpty()) {
        if (dynamic_cast<const EArchivoOcupado*>(&error))
            return Texto(kTextoInstalacionOcupada).arg(QDir::toNativeSeparators(archivo));
        if (!QFileInfo(archivo).isFile()) return TextoArchivoIlegible(archivo);
        return Texto(kTextoArchivoFallo).arg(QDir::toNativeSeparators(archivo));
    }
    const auto* tabla = dynamic_cast<const EDatabaseError*>(&error);
    return Texto(kTextoErrorInesperado).arg(tabla ? tabla->Message() : QString::fromLocal8Bit(error.what()));
}

}  // namespace ErroresTablas
