#include "LineaInforme.h"

namespace LineaInforme {

namespace {

constexpr QChar kEscape = QLatin1Char('\\');
constexpr QChar kSeparador = QLatin1Char('#');
constexpr QChar kSaltoLinea = QLatin1Char('$');
constexpr QChar kRetorno = QLatin1Char('&');

bool EsReservado(QChar c) {
    return c == kEscape || c == kSeparador || c == kSaltoLinea || c == kRetorno;
}

}  // namespace

QString Codificar(const QString& valor) {
    if (valor.isEmpty()) return kBlanco;
    QString texto;
    texto.reserve(valor.size() + 8);
    for (QChar c : valor) {
        if (EsReservado(c)) {
            texto += kEscape;
            texto += c;
        } else if (c == QLatin1Char('\n')) {
            texto += kSaltoLinea;
        } else if (c == QLatin1Char('\r')) {
            texto += kRetorno;
        } else {
            texto += c;
        }
    }
    return texto;
}

QString Decodificar(const QString& columna) {
    QString valor;
    valor.reserve(columna.size());
    for (qsizetype i = 0; i < columna.size(); ++i) {
        const QChar c = columna[i];
        if (c == kEscape && i + 1 < columna.size() && EsReservado(columna[i + 1])) {
            valor += columna[++i];
        } else if (c == kSaltoLinea) {
            valor += QLatin1Char('\n');
        } else if (c == kRetorno) {
            valor += QLatin1Char('\r');
        } else {
            valor += c;
        }
    }
    return valor;
}

QString Componer(const QStringList& valores) {
    QString linea;
    for (const QString& valor : valores) linea += Codificar(valor) + kSeparador;
    return linea;
}

QStringList Partir(const QString& linea) {
    QStringList columnas;
    QString columna;
    for (qsizetype i = 0; i < linea.size(); ++i) {
        const QChar c = linea[i];
        if (c == kEscape && i + 1 < linea.size() && EsReservado(linea[i + 1])) {
            columna += c;
            columna += linea[++i];
            continue;
        }
        if (c != kSeparador) {
            columna += c;
            continue;
        }
        // Two '#' in a row end the line for the reader.
        if (columna.isEmpty()) return columnas;
        columnas << Decodificar(columna);
        columna.clear();
    }
    if (!columna.isEmpty()) columnas << Decodificar(columna);
    return columnas;
}

}  // namespace LineaInforme
