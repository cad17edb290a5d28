#include "PuestaEnSitio.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>

#include "SistemaArchivos.h"
#include "UtilExportar.h"

using tablas::ClaseEntrada;

namespace {

const QByteArray kFin = QByteArrayLiteral("FIN");

// A path on one line of the plan, whatever characters it holds.
QByteArray Codificar(const QString& ruta) {
    return QUrl::toPercentEncoding(ruta);
}

QString Decodificar(const QByteArray& texto) {
    return QUrl::fromPercentEncoding(texto);
}

// Table files take their place without the journal of the file that was there.
void QuitarCompaneros(const QString& destino) {
    if (tablas::Clase(destino) != ClaseEntrada::Ninguna) return;
    for (const char* sufijo : {"-journal", "-wal", "-shm"})
        tablas::BorrarNombre(destino + QLatin1String(sufijo));
}

int Renombrar(const QString& origen, const QString& destino) {
    if (tablas::Clase(destino) != ClaseEntrada::Ninguna) return EEXIST;
    QuitarCompaneros(destino);
    return tablas::Renombrar(origen, destino);
}

}  // namespace

PuestaEnSitio::PuestaEnSitio(const QString& carpetaTrabajo) : carpeta_(ConBarra(carpetaTrabajo)) {}

QString PuestaEnSitio::ArchivoPlan(const QString& carpetaTrabajo) {
    return ConBarra(carpetaTrabajo) + QStringLiteral("plan");
}

void PuestaEnSitio::Mover(const QString& origen, const QString& destino) {
    pasos_.emplace_back(origen, destino);
}

int PuestaEnSitio::EscribirPlan() const {
    const QString temporal = ArchivoPlan(carpeta_) + QStringLiteral(".nuevo");
    QFile archivo(temporal);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) return EACCES;
    QByteArray texto;
    for (const auto& [origen, destino] : pasos_) texto += Codificar(origen) + ' ' + Codificar(destino) + '\n';
    texto += kFin + '\n';
    const bool escrito = archivo.write(texto) == texto.size() && archivo.flush();
    archivo.close();
    if (!escrito) return EIO;
    // The copy made durable and renamed: the plan is there whole or not at all.
    if (const int err = tablas::CopiarArchivo(temporal, ArchivoPlan(carpeta_))) return err;
    tablas::BorrarNombre(temporal);
    return 0;
}

int PuestaEnSitio::Ejecutar(QString& fallo, const std::function<void(int, int)>& paso) {
    if (const int err = EscribirPlan()) {
        fallo = ArchivoPlan(carpeta_);
        return err;
    }
    std::size_t hechos = 0;
    int err = 0;
    for (; hechos < pasos_.size(); ++hechos) {
        const auto& [origen, destino] = pasos_[hechos];
        if ((err = Renombrar(origen, destino)) != 0) {
            fallo = destino;
            break;
        }
        if (paso) paso(static_cast<int>(hechos) + 1, static_cast<int>(pasos_.size()));
    }
    if (err) {
        while (hechos-- > 0) tablas::Renombrar(pasos_[hechos].second, pasos_[hechos].first);
    }
    for (const auto& [origen, destino] : pasos_)
        tablas::SincronizarCarpeta(QFileInfo(destino).absolutePath());
    tablas::BorrarNombre(ArchivoPlan(carpeta_));
    return err;
}

bool PuestaEnSitio::Recuperar(const QString& carpetaTrabajo) {
    QFile archivo(ArchivoPlan(carpetaTrabajo));
    if (tablas::Clase(archivo.fileName()) != ClaseEntrada::Archivo || !archivo.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lineas = archivo.readAll().split('\n');
    archivo.close();
    // Only a plan written whole was ever started.
    if (!lineas.contains(kFin)) {
        tablas::BorrarNombre(archivo.fileName());
        return false;
    }
    for (const QByteArray& linea : lineas) {
        const QList<QByteArray> partes = linea.split(' ');
        if (partes.size() != 2) continue;
        const QString origen = Decodificar(partes[0]), destino = Decodificar(partes[1]);
        if (tablas::Clase(origen) != ClaseEntrada::Ninguna) Renombrar(origen, destino);
    }
    tablas::BorrarNombre(archivo.fileName());
    return true;
}
