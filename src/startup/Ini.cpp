#include "Ini.h"

#include <QFile>
#include <QSaveFile>
#include <functional>
#include <vector>

#include "TextoArchivo.h"

namespace {

// One line of the file as stored, its line end included, so that writing a key can
// give every other line back byte for byte.
struct Linea {
    QByteArray bytes;
    QString texto;  // decoded, without its line end
};

struct Contenido {
    std::vector<Linea> lineas;
    CodificacionTexto codificacion = CodificacionTexto::Utf8;  // of the whole file: for what is written
    bool hayNoAscii = false;
    QByteArray finDeLinea = "\r\n";
};

bool leerBytes(const QString& archivo, QByteArray& bytes) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return false;
    bytes = f.readAll();
    return true;
}

Contenido partir(const QByteArray& bytes) {
    Contenido c;
    c.codificacion = DetectarCodificacion(bytes);
    for (const char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80) c.hayNoAscii = true;
    qsizetype inicio = 0;
    while (inicio < bytes.size()) {
        qsizetype fin = bytes.indexOf('\n', inicio);
        const qsizetype siguiente = fin < 0 ? bytes.size() : fin + 1;
        QByteArray linea = bytes.mid(inicio, siguiente - inicio);
        QByteArray sinFin = linea;
        while (sinFin.endsWith('\n') || sinFin.endsWith('\r')) sinFin.chop(1);
        if (fin >= 0 && !linea.endsWith("\r\n")) c.finDeLinea = "\n";
        // A byte-order mark is no text, wherever it stands (two files put one after the other).
        if (sinFin.startsWith("\xEF\xBB\xBF")) sinFin.remove(0, 3);
        // Each line is decoded by itself: the teacher password's bytes on one line must not
        // turn the accents of a UTF-8 file into Windows-1252 on every other line.
        c.lineas.push_back({linea, DecodificarTexto(sinFin)});
        inicio = siguiente;
    }
    return c;
}

bool esSeccion(const QString& linea, QString& nombre) {
    const QString t = linea.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) return false;
    nombre = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool esClave(const QString& linea, QString& clave, QString& valor) {
    const QString t = linea.trimmed();
    if (t.startsWith(QLatin1Char(';'))) return false;
    const qsizetype igual = t.indexOf(QLatin1Char('='));
    if (igual <= 0) return false;
    clave = t.left(igual).trimmed();
    valor = t.mid(igual + 1).trimmed();
    return true;
}

bool igual(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where the key stands (index of its line), or where a new key of the section goes.
struct Posicion {
    int seccion = -1;
    int clave = -1;
    int insertar = -1;
};

Posicion buscar(const Contenido& c, const QString& seccion, const QString& clave) {
    Posicion p;
    bool dentro = false;
    for (int i = 0; i < static_cast<int>(c.lineas.size()); ++i) {
        QString nombre, k, v;
        if (esSeccion(c.lineas[i].texto, nombre)) {
            if (dentro) break;  // only the first section of that name counts
            dentro = igual(nombre, seccion);
            if (dentro) p.seccion = p.insertar = i;
            continue;
        }
        if (!dentro) continue;
        if (!c.lineas[i].texto.trimmed().isEmpty()) p.insertar = i;
        if (esClave(c.lineas[i].texto, k, v) && igual(k, clave)) {
            p.clave = i;
            return p;
        }
    }
    return p;
}

QByteArray codificar(const Contenido& c, const QString& texto) {
    if (c.codificacion == CodificacionTexto::Utf8 && c.hayNoAscii) return texto.toUtf8();
    QByteArray bytes;
    if (CodificarWindows1252(texto, bytes)) return bytes;
    return texto.toUtf8();
}

}  // namespace

namespace {

// The value's bytes as stored: what follows the first "=" of the line, without the
// blanks around it.
QByteArray valorEnBytes(const QByteArray& linea) {
    QByteArray sinFin = linea;
    while (sinFin.endsWith('\n') || sinFin.endsWith('\r')) sinFin.chop(1);
    return sinFin.mid(sinFin.indexOf('=') + 1).trimmed();
}

}  // namespace

QByteArray LeerIniBytes(const QString& archivo, const QString& seccion, const QString& clave) {
    QByteArray bytes;
    if (!leerBytes(archivo, bytes)) return {};
    const Contenido c = partir(bytes);
    const Posicion p = buscar(c, seccion, clave);
    return p.clave < 0 ? QByteArray() : valorEnBytes(c.lineas[p.clave].bytes);
}

QString LeerIni(const QString& archivo, const QString& seccion, const QString& clave,
                const QString& porDefecto) {
    QByteArray bytes;
    if (!leerBytes(archivo, bytes)) return porDefecto;
    const Contenido c = partir(bytes);
    const Posicion p = buscar(c, seccion, clave);
    if (p.clave < 0) return porDefecto;
    QString k, valor;
    esClave(c.lineas[p.clave].texto, k, valor);
    return valor;
}

namespace {

// Writes one key's line; `valor` gives the value's bytes for the file's encoding.
void escribirClave(const QString& archivo, const QString& seccion, const QString& clave,
                   const std::function<QByteArray(const Contenido&)>& valor) {
    QByteArray bytes;
    leerBytes(archivo, bytes);  // a missing file is created
    Contenido c = partir(bytes);
    const Posicion p = buscar(c, seccion, clave);

    if (p.clave >= 0) {
        QString k, v;
        esClave(c.lineas[p.clave].texto, k, v);
        Linea& l = c.lineas[p.clave];
        const QByteArray fin = l.bytes.endsWith("\r\n") ? "\r\n" : l.bytes.endsWith('\n') ? "\n" : "";
        l.bytes = codificar(c, k + QLatin1Char('=')) + valor(c) + fin;
    } else {
        auto asegurarFin = [&](int i) {
            if (i >= 0 && !c.lineas[i].bytes.endsWith('\n')) c.lineas[i].bytes += c.finDeLinea;
        };
        const QByteArray nueva = codificar(c, clave + QLatin1Char('=')) + valor(c) + c.finDeLinea;
        if (p.seccion >= 0) {
            asegurarFin(p.insertar);
            c.lineas.insert(c.lineas.begin() + p.insertar + 1, {nueva, {}});
        } else {
            asegurarFin(static_cast<int>(c.lineas.size()) - 1);
            c.lineas.push_back(
                {codificar(c, QLatin1Char('[') + seccion + QLatin1Char(']')) + c.finDeLinea, {}});
            c.lineas.push_back({nueva, {}});
        }
    }

    // Written beside the old file and renamed over it, so a failed write never leaves half a file.
    QSaveFile salida(archivo);
    const auto error = [&] {
        return ErrorIni("Cannot write " + archivo.toStdString() + ": " + salida.errorString().toStdString());
    };
    if (!salida.open(QIODevice::WriteOnly)) throw error();
    for (const Linea& l : c.lineas) salida.write(l.bytes);
    if (!salida.commit()) throw error();
}

}  // namespace

void EscribirIni(const QString& archivo, const QString& seccion, const QString& clave, const QString& valor) {
    escribirClave(archivo, seccion, clave, [&](const Contenido& c) { return codificar(c, valor); });
}

void EscribirIniBytes(const QString& archivo, const QString& seccion, const QString& clave,
                      const QByteArray& valor) {
    escribirClave(archivo, seccion, clave, [&](const Contenido&) { return valor; });
}
