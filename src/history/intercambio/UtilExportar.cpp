#include "UtilExportar.h"

#include <QDir>
#include <QRegularExpression>

#include "Idioma.h"
#include "Mensajes.h"
#include "SistemaArchivos.h"
#include "TextosIntercambio.h"

using tablas::ClaseEntrada;

namespace {

bool Coincide(const QString& nombre, const QString& mascara) {
    if (mascara == QLatin1String("*.*") || mascara == QLatin1String("*")) return true;
    const QRegularExpression patron(QRegularExpression::wildcardToRegularExpression(mascara),
                                    QRegularExpression::CaseInsensitiveOption);
    return patron.match(nombre).hasMatch();
}

void Avisar(int texto, const QString& ruta) {
    MostrarMensaje(Texto(texto) + QDir::toNativeSeparators(ruta));
}

}  // namespace

QString ConBarra(const QString& carpeta) {
    QString r = carpeta;
    r.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!r.endsWith(QLatin1Char('/'))) r += QLatin1Char('/');
    return r;
}

bool CopiarCarpeta(const QString& origen, const QString& destino, const QString& mascara, bool durable) {
    const QString desde = ConBarra(origen), hasta = ConBarra(destino);
    QStringList nombres;
    if (tablas::ListarCarpeta(desde, nombres) != 0) {
        Avisar(kTextoNoSeCopia, desde);
        return false;
    }
    bool completo = true;
    for (const QString& nombre : nombres) {
        if (!Coincide(nombre, mascara)) continue;
        const QString fuente = desde + nombre, copia = hasta + nombre;
        switch (tablas::Clase(fuente)) {
            case ClaseEntrada::Carpeta: {
                const ClaseEntrada hay = tablas::Clase(copia);
                if (hay != ClaseEntrada::Carpeta &&
                    (hay != ClaseEntrada::Ninguna || tablas::CrearCarpeta(copia))) {
                    Avisar(kTextoNoSeCreaCarpeta, copia);
                    completo = false;
                    continue;
                }
                completo = CopiarCarpeta(fuente, copia, QStringLiteral("*.*"), durable) && completo;
                break;
            }
            case ClaseEntrada::Archivo:
                if (tablas::CopiarArchivo(fuente, copia, durable) != 0) {
                    Avisar(kTextoNoSeCopia, nombre);
                    completo = false;
                }
                break;
            default:
                break;  // links and devices are not table files: never followed, never copied
        }
    }
    return completo;
}

bool VaciarCarpeta(const QString& carpeta) {
    const QString dentro = ConBarra(carpeta);
    QStringList nombres;
    if (const int err = tablas::ListarCarpeta(dentro, nombres)) return err == ENOENT;
    bool completo = true;
    for (const QString& nombre : nombres) {
        const QString ruta = dentro + nombre;
        if (tablas::Clase(ruta) == ClaseEntrada::Carpeta) {
            completo = VaciarCarpeta(ruta) && completo;
            if (tablas::BorrarCarpetaVacia(ruta) != 0) {
                Avisar(kTextoNoSeBorraCarpeta, ruta);
                completo = false;
            }
        } else if (tablas::BorrarNombre(ruta) != 0) {
            Avisar(kTextoNoSeBorraArchivo, ruta);
            completo = false;
        }
    }
    return completo;
}
