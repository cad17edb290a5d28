#include "Csv.h"

#include <stdexcept>

#include "TextoArchivo.h"

int TablaCsv::Columna(const QString& nombre) const {
    for (int i = 0; i < columnas.size(); ++i)
        if (columnas[i].compare(nombre, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

namespace {

std::vector<QStringList> partirRegistros(const QString& texto) {
    std::vector<QStringList> registros;
    QStringList actual;
    QString valor;
    bool entreComillas = false;
    int linea = 1;
    auto cerrarValor = [&] {
        actual.append(valor);
        valor.clear();
    };
    auto cerrarRegistro = [&] {
        cerrarValor();
        if (!(actual.size() == 1 && actual.front().isEmpty())) registros.push_back(actual);  // blank line
        actual.clear();
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (entreComillas) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < texto.size() && texto[i + 1] == QLatin1Char('"')) {
                    valor += c;
                    ++i;
                } else {
                    entreComillas = false;
                }
            } else {
                if (c == QLatin1Char('\n')) ++linea;
                valor += c;
            }
        } else if (c == QLatin1Char('"')) {
            entreComillas = true;
        } else if (c == QLatin1Char(',')) {
            cerrarValor();
        } else if (c == QLatin1Char('\n')) {
            ++linea;
            cerrarRegistro();
        } else if (c != QLatin1Char('\r')) {
            valor += c;
        }
    }
    if (entreComillas) throw std::runtime_error("unclosed quote before line " + std::to_string(linea));
    if (!valor.isEmpty() || !actual.isEmpty()) cerrarRegistro();
    return registros;
}

}  // namespace

TablaCsv LeerCsv(const QByteArray& contenido) {
    QByteArray bytes = contenido;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    std::vector<QStringList> registros = partirRegistros(DecodificarTexto(bytes));
    TablaCsv tabla;
    if (registros.empty()) return tabla;
    tabla.columnas = registros.front();
    for (QString& c : tabla.columnas) c = c.trimmed();
    tabla.filas.assign(registros.begin() + 1, registros.end());
    return tabla;
}
