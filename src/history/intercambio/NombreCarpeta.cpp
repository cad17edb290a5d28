#include "NombreCarpeta.h"

#include <QRegularExpression>

namespace {

bool Prohibido(QChar c) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
    return QStringLiteral("/\\:*?\"<>|").contains(c);
}

// The length of the device name that begins a name some systems keep for devices (with
// or without an extension), 0 when it is none.
qsizetype Dispositivo(const QString& nombre) {
    static const QRegularExpression dispositivo(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[0-9]|LPT[0-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = dispositivo.match(nombre);
    return m.hasMatch() ? m.capturedLength(1) : 0;
}

}  // namespace

QString NombreCarpetaIntercambio(const QString& nombreGrupo) {
    if (nombreGrupo.isEmpty() || nombreGrupo == QLatin1String(".") || nombreGrupo == QLatin1String(".."))
        return {};
    QString nombre;
    nombre.reserve(nombreGrupo.size() + 1);
    for (QChar c : nombreGrupo) nombre += Prohibido(c) ? QChar(u'_') : c;
    for (qsizetype i = nombre.size() - 1; i >= 0 && (nombre[i] == u'.' || nombre[i] == u' '); --i)
        nombre[i] = u'_';
    if (const qsizetype n = Dispositivo(nombre)) nombre.insert(n, u'_');
    return nombre;
}
