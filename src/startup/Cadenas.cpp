#include "Cadenas.h"

QString FormatoCodigo(int codigo) {
    return QString::number(codigo).rightJustified(3, QLatin1Char('0'));
}

void PartirLista(QString texto, const QString& separador, QStringList& lista) {
    lista.clear();
    while (!texto.isEmpty()) {
        const qsizetype fin = texto.indexOf(separador);
        QString item;
        if (fin < 0) {
            item = texto;
            texto.clear();
        } else {
            item = texto.left(fin);
            texto.remove(0, fin + separador.size());
        }
        if (item.isEmpty()) break;
        lista.append(item);
    }
}

QStringList PartirLista(const QString& texto, const QString& separador) {
    QStringList lista;
    PartirLista(texto, separador, lista);
    return lista;
}

QString ReemplazarCaracter(const QString& texto, QChar caracter, const QString& reemplazo) {
    QString resultado;
    resultado.reserve(texto.size());
    for (const QChar c : texto) {
        if (c == caracter)
            resultado += reemplazo;
        else
            resultado += c;
    }
    return resultado;
}

QString SinAcentos(const QString& texto) {
    QString base;
    for (const QChar c : texto.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing) base += c;
    return base.toCaseFolded();
}

bool AntesAlfabeticamente(const QString& a, const QString& b) {
    const int base = SinAcentos(a).compare(SinAcentos(b));
    return base != 0 ? base < 0 : a < b;
}
