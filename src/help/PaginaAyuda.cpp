#include "PaginaAyuda.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTime>
#include <QUrl>

#include "Instalacion.h"
#include "TextoArchivo.h"

namespace {

const QRegularExpression& directiva() {
    static const QRegularExpression re(
        QStringLiteral(R"(<!--\s*#\s*(date|time|include)\b(.*?)-->)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return re;
}

QString archivoIncluido(const QString& parametros) {
    static const QRegularExpression re(QStringLiteral(R"re(FILE\s*=\s*"([^"]*)")re"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(parametros);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

QString expandir(const QString& html, const QString& carpeta, QStringList& abiertos) {
    QString salida;
    qsizetype desde = 0;
    QRegularExpressionMatchIterator it = directiva().globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        salida += QStringView(html).mid(desde, m.capturedStart() - desde);
        desde = m.capturedEnd();
        const QString clase = m.captured(1).toLower();
        if (clase == QLatin1String("date")) {
            salida += QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        } else if (clase == QLatin1String("time")) {
            salida += QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat);
        } else {
            const QString nombre = archivoIncluido(m.captured(2));
            if (nombre.isEmpty() || abiertos.size() >= kProfundidadIncluidos) continue;
            const QString archivo = QFileInfo(ResolverReferencia(nombre, carpeta)).absoluteFilePath();
            QString texto;
            if (abiertos.contains(archivo) || !LeerTextoAyuda(archivo, texto)) continue;
            abiertos.append(archivo);
            salida += expandir(texto, QFileInfo(archivo).absolutePath(), abiertos);
            abiertos.removeLast();
        }
    }
    salida += QStringView(html).mid(desde);
    return salida;
}

QString atributo(const QString& etiqueta, const QString& nombre) {
    const QRegularExpression re(
        QStringLiteral(R"re(\b%1\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re").arg(nombre),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(etiqueta);
    if (!m.hasMatch()) return {};
    for (int i = 1; i <= 3; ++i)
        if (m.capturedStart(i) >= 0) return m.captured(i);
    return {};
}

}  // namespace

const QString kPrefijoVentanaNueva = QStringLiteral("averias-ventana:");

QString ResolverReferencia(const QString& nombre, const QString& carpetaPagina) {
    QString archivo = nombre;
    const qsizetype ancla = archivo.indexOf(QLatin1Char('#'));
    if (ancla >= 0) archivo.truncate(ancla);
    if (archivo.contains(QStringLiteral(":\\"))) return archivo;
    archivo = QUrl::fromPercentEncoding(archivo.toUtf8());
    const QString mayusculas = archivo.toUpper();
    if (mayusculas.contains(QStringLiteral("ACCESO")) || mayusculas.contains(QStringLiteral("ACCEDER1")) ||
        mayusculas.contains(QStringLiteral("ACCEDER2"))) {
        // Only the name counts, wherever the page that names it lies.
        return Instalacion::Ruta(QStringLiteral("help\\Acceso\\") + QFileInfo(archivo).fileName());
    }
    if (QDir::isAbsolutePath(archivo)) return QDir::cleanPath(archivo);
    return QDir::cleanPath(Instalacion::ResolverRuta(carpetaPagina, archivo));
}

bool LeerTextoAyuda(const QString& archivo, QString& texto) {
    QFile f(archivo);
    if (!QFileInfo(archivo).isFile() || !f.open(QIODevice::ReadOnly)) return false;
    texto = DecodificarTexto(f.readAll());
    return true;
}

QString ExpandirDirectivas(const QString& html, const QString& carpetaPagina) {
    QStringList abiertos;
    return expandir(html, carpetaPagina, abiertos);
}

QString MarcarVentanasNuevas(const QString& html) {
    static const QRegularExpression enlace(QStringLiteral(R"(<a\b[^>]*>)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression href(QStringLiteral(R"re(\bhref\s*=\s*(["']?))re"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString salida = html;
    qsizetype desplazamiento = 0;
    QRegularExpressionMatchIterator it = enlace.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString etiqueta = m.captured();
        const QString destino = atributo(etiqueta, QStringLiteral("target")).toLower();
        if (destino != QLatin1String("_blank") && destino != QLatin1String("_new")) continue;
        const QRegularExpressionMatch h = href.match(etiqueta);
        if (!h.hasMatch()) continue;
        salida.insert(m.capturedStart() + desplazamiento + h.capturedEnd(), kPrefijoVentanaNueva);
        desplazamiento += kPrefijoVentanaNueva.size();
    }
    return salida;
}

QString TituloPagina(const QString& html) {
    static const QRegularExpression re(
        QStringLiteral(R"(<title[^>]*>(.*?)</title>)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = re.match(html);
    return m.hasMatch() ? m.captured(1).simplified() : QString();
}

QList<MarcoAyuda> LeerMarcos(const QString& html) {
    static const QRegularExpression re(QStringLiteral(R"(<frame\b[^>]*>)"),
                                       QRegularExpression::CaseInsensitiveOption);
    QList<MarcoAyuda> marcos;
    QRegularExpressionMatchIterator it = re.globalMatch(html);
    while (it.hasNext()) {
        const QString etiqueta = it.next().captured();
        const QString fuente = atributo(etiqueta, QStringLiteral("src"));
        if (!fuente.isEmpty()) marcos.append({atributo(etiqueta, QStringLiteral("name")), fuente});
    }
    return marcos;
}
