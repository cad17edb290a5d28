#include "Configuracion.h"

#include <QRegularExpression>

#include "Ini.h"
#include "Instalacion.h"

namespace {

QString leer(const QString& seccion, const QString& clave, const QString& porDefecto) {
    return LeerIni(Instalacion::ArchivoConfiguracion(), seccion, clave, porDefecto);
}

bool aEntero(const QString& texto, int& valor) {
    bool ok = false;
    valor = texto.trimmed().toInt(&ok);
    return ok;
}

}  // namespace

QString LeerTipoDumet() {
    const QString defecto = QStringLiteral("VIVUZUV");
    const QString tipo = leer(QStringLiteral("Opciones"), QStringLiteral("TipoDumet"), defecto);
    // The type names the icon file and a key: a plain name, never a path.
    static const QRegularExpression kNombreSimple(QStringLiteral("^[A-Za-z0-9_-]+$"));
    return kNombreSimple.match(tipo).hasMatch() ? tipo : defecto;
}

std::uint32_t LeerColor() {
    constexpr std::uint32_t kFallo = 4218364;
    const QString texto = leer(QStringLiteral("Colores"), QStringLiteral("Color") + LeerTipoDumet(),
                               QStringLiteral("$008292EA"))
                              .trimmed();
    bool ok = false;
    qlonglong valor = 0;
    if (texto.startsWith(QLatin1Char('$')))
        valor = texto.mid(1).toLongLong(&ok, 16);
    else
        valor = texto.toLongLong(&ok, 10);
    if (!ok || valor < INT32_MIN || valor > UINT32_MAX) return kFallo;
    return static_cast<std::uint32_t>(valor);
}

int LeerNivelReparacion() {
    int valor = 3;
    return aEntero(leer(QStringLiteral("Opciones"), QStringLiteral("NivelReparacion"), QStringLiteral("3")),
                   valor)
               ? valor
               : 3;
}

int LeerNivelSintoma() {
    // A value that is not a number gives 3, not the default 2: existing installations rely on it.
    int valor = 2;
    return aEntero(leer(QStringLiteral("Opciones"), QStringLiteral("NivelSintoma"), QStringLiteral("2")),
                   valor)
               ? valor
               : 3;
}

bool LeerCaratulas() {
    return leer(QStringLiteral("Opciones"), QStringLiteral("Caratulas"), QStringLiteral("FALSE")) ==
           QLatin1String("TRUE");
}

QStringList PartirListaCaratulas(QString valor) {
    QStringList lista;
    while (valor.size() > 1) {
        const qsizetype coma = valor.indexOf(QLatin1Char(','));
        if (coma < 0) {
            // The last item has no final comma: take it and end.
            lista.append(valor);
            break;
        }
        const QString item = valor.left(coma);
        if (valor != QLatin1String(",")) valor = valor.mid(coma + 1);
        lista.append(item);
    }
    return lista;
}

void LeerListaCaratulas(int codigo, QStringList& lista) {
    lista.clear();
    lista = PartirListaCaratulas(leer(QStringLiteral("Caratulas"), QString::number(codigo), QString()));
}

QString RutaIcono() {
    return Instalacion::Ruta(QStringLiteral("images\\") + LeerTipoDumet() + QStringLiteral(".ico"));
}
