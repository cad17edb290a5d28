// volcar and campos: both open one table file and print it.
#include <QFileInfo>
#include <functional>

#include "ClientDataSet.h"
#include "Ordenes.h"
#include "Volcado.h"

namespace {

int ConTabla(const char* orden, const QStringList& argumentos, QTextStream& errores,
             const std::function<void(TClientDataSet&)>& hacer) {
    if (argumentos.size() != 1) {
        errores << "Uso: averias-datos " << orden << " FICHERO.cds\n";
        return kSalidaUso;
    }
    const QString ruta = argumentos.first();
    if (!QFileInfo(ruta).isFile()) {
        errores << "averias-datos: no existe el fichero " << ruta << '\n';
        return kSalidaArchivo;
    }
    try {
        TClientDataSet tabla(QFileInfo(ruta).completeBaseName());
        tabla.SetReadOnly(true);
        tabla.LoadFromFile(ruta);
        hacer(tabla);
    } catch (const EDatabaseError& e) {
        errores << "averias-datos: " << e.Message() << '\n';
        return kSalidaArchivo;
    }
    return kSalidaBien;
}

}  // namespace

int OrdenVolcar(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    return ConTabla("volcar", argumentos, errores, [&](TClientDataSet& t) { VolcarCsv(t, salida); });
}

int OrdenCampos(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    return ConTabla("campos", argumentos, errores,
                    [&](TClientDataSet& t) { DescribirDefiniciones(t, salida); });
}
