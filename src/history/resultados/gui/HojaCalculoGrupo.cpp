#include "HojaCalculoGrupo.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QSaveFile>

#include "ClientDataSet.h"
#include "HojaHistorial.h"
#include "Idioma.h"
#include "Mensajes.h"

namespace {

// "1A - prácticas.csv", without the characters a file name cannot hold.
QString NombrePropuesto(const QString& grupo) {
    QString nombre = Texto(71035).arg(grupo);
    nombre.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    return nombre;
}

QString Elegir(QWidget* padre, const QString& propuesto) {
    if (ElegirArchivoHojaCalculo) return ElegirArchivoHojaCalculo(padre, propuesto);
    QString archivo = QFileDialog::getSaveFileName(padre, Texto(71033), propuesto, Texto(71029));
    if (!archivo.isEmpty() && !archivo.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        archivo += QStringLiteral(".csv");
    return archivo;
}

// Written beside the destination and put in its place only when complete.
bool Escribir(const QString& archivo, const QByteArray& contenido) {
    QSaveFile salida(archivo);
    return salida.open(QIODevice::WriteOnly) && salida.write(contenido) == contenido.size() &&
           salida.commit();
}

}  // namespace

bool ExportarHojaCalculoGrupo(int grupo, std::optional<int> equipo, QWidget* padre) {
    HistorialGrupo historial;
    try {
        historial = LeerHistorialGrupo(grupo);
    } catch (const EDatabaseError& e) {
        MostrarMensaje(Texto(71036).arg(e.Message()), BotonesAceptar, DibujoError);
        return false;
    }
    const TablaResultados tabla = TablaHistorial(historial, equipo);
    const QString archivo = Elegir(padre, NombrePropuesto(historial.nombre));
    if (archivo.isEmpty()) return false;
    if (!Escribir(archivo, HojaCalculo(tabla))) {
        MostrarMensaje(Texto(71017).arg(archivo), BotonesAceptar, DibujoError);
        return false;
    }
    QString hecho = Texto(71034).arg(tabla.filas.size()).arg(archivo);
    if (!historial.avisos.isEmpty())
        hecho += QStringLiteral("\n\n") + Texto(71037) + QLatin1Char('\n') +
                 historial.avisos.join(QLatin1Char('\n'));
    MostrarMensaje(hecho, BotonesAceptar, historial.avisos.isEmpty() ? DibujoExito : DibujoAviso);
    return true;
}
