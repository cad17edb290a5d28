#include "ListaAlumnos.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <array>

#include "Cadenas.h"
#include "Esquema.h"
#include "Idioma.h"

namespace {

constexpr int kTextoLinea = 72020;
constexpr int kTextoIlegible = 72021;
constexpr int kTextoControl = 72022;
constexpr int kTextoSinNombre = 72023;
constexpr int kTextoDemasiadoLargo = 72024;
constexpr int kTextoYaEnGrupo = 72025;
constexpr int kTextoRepetido = 72026;
constexpr int kTextoArchivoIlegible = 72030;
constexpr int kTextoSinColumnas = 72031;

// Without accents, case or surrounding and repeated spaces: "  José  GARCÍA" -> "jose garcia".
QString Plano(const QString& texto) {
    return SinAcentos(texto.simplified());
}

// A header as it is compared: plain, and without spaces, "_", "-" or ".": "Apellido 1" = "apellido1".
QString Cabecera(const QString& texto) {
    QString clave = Plano(texto);
    clave.remove(QLatin1Char(' '));
    for (const QChar c : {QLatin1Char('_'), QLatin1Char('-'), QLatin1Char('.')}) clave.remove(c);
    return clave;
}

QString Clave(const NombreAlumno& a) {
    return Plano(a.nombre) + QLatin1Char('\n') + Plano(a.apellido1) + QLatin1Char('\n') + Plano(a.apellido2);
}

// The values of one line, or nothing when its quotes do not close or text follows them.
std::optional<QStringList> PartirLinea(const QString& linea, QChar separador) {
    QStringList valores;
    qsizetype i = 0;
    const qsizetype n = linea.size();
    while (true) {
        qsizetype inicio = i;
        while (inicio < n && linea[inicio] == QLatin1Char(' ')) ++inicio;
        QString valor;
        if (inicio < n && linea[inicio] == QLatin1Char('"')) {
            i = inicio + 1;
            bool cerrada = false;
            while (i < n && !cerrada) {
                if (linea[i] != QLatin1Char('"')) {
                    valor += linea[i++];
                } else if (i + 1 < n && linea[i + 1] == QLatin1Char('"')) {
                    valor += QLatin1Char('"');
                    i += 2;
                } else {
                    cerrada = true;
                    ++i;
                }
            }
            if (!cerrada) return std::nullopt;
            while (i < n && linea[i] == QLatin1Char(' ')) ++i;
            if (i < n && linea[i] != separador) return std::nullopt;
        } else {
            const qsizetype fin = linea.indexOf(separador, i);
            valor = linea.mid(i, fin < 0 ? n - i : fin - i);
            i = fin < 0 ? n : fin;
        }
        valores << valor;
        if (i >= n) return valores;
        ++i;  // the separator
    }
}

// ";" unless the header has more "," outside quotes.
QChar Separador(const QString& cabecera) {
    int puntoYComa = 0;
    int coma = 0;
    bool entreComillas = false;
    for (const QChar c : cabecera) {
        if (c == QLatin1Char('"')) entreComillas = !entreComillas;
        if (entreComillas) continue;
        puntoYComa += c == QLatin1Char(';');
        coma += c == QLatin1Char(',');
    }
    return coma > puntoYComa ? QLatin1Char(',') : QLatin1Char(';');
}

bool TieneControles(const QString& texto) {
    for (const QChar c : texto)
        if (c.category() == QChar::Other_Control) return true;
    return false;
}

// Where each of the three columns is in a line, and the name the header gives it.
struct Columnas {
    std::array<int, 3> posicion{-1, -1, -1};
    std::array<QString, 3> nombre;
    std::array<int, 3> anchura{};

    bool Completas() const { return posicion[0] >= 0 && posicion[1] >= 0; }
};

Columnas LeerCabecera(const QStringList& cabecera) {
    static const std::array<QStringList, 3> kNombres = {
        QStringList{QStringLiteral("nombre")},
        QStringList{QStringLiteral("apellido1"), QStringLiteral("primerapellido")},
        QStringList{QStringLiteral("apellido2"), QStringLiteral("segundoapellido")}};
    static const std::array<const char*, 3> kCampos = {"cdsAFNombre", "cdsAFApellido1", "cdsAFApellido2"};
    Columnas columnas;
    const Esquema::Tabla& alumnos = Esquema::DeTabla(QStringLiteral("cdsAlumno"));
    for (std::size_t c = 0; c < kNombres.size(); ++c) {
        for (const Esquema::Campo& campo : alumnos.campos)
            if (campo.nombre == QLatin1String(kCampos[c])) columnas.anchura[c] = campo.ancho;
        for (int i = 0; i < cabecera.size() && columnas.posicion[c] < 0; ++i) {
            if (!kNombres[c].contains(Cabecera(cabecera[i]))) continue;
            columnas.posicion[c] = i;
            columnas.nombre[c] = cabecera[i].trimmed();
        }
    }
    return columnas;
}

// Lines of any ending (CR LF, LF or CR alone), the first without its byte-order mark.
QStringList Lineas(const QByteArray& contenido, CodificacionTexto codificacion) {
    QByteArray bytes = contenido;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QString texto = DecodificarTexto(bytes, codificacion);
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texto.split(QLatin1Char('\n'));
}

bool Vacia(const QStringList& valores) {
    for (const QString& v : valores)
        if (!v.trimmed().isEmpty()) return false;
    return true;
}

// Checks one line that could be read; accepted lines are remembered by their student.
class Comprobacion {
public:
    Comprobacion(const Columnas& columnas, const std::vector<NombreAlumno>& miembros) : columnas_(columnas) {
        for (const NombreAlumno& m : miembros) miembros_.insert(Clave(m));
    }

    void Comprobar(const QStringList& valores, LineaLista& l) {
        std::array<QString, 3> campo;
        for (std::size_t c = 0; c < campo.size(); ++c)
            if (columnas_.posicion[c] >= 0) campo[c] = valores.value(columnas_.posicion[c]).trimmed();
        l.alumno = {campo[0], campo[1], campo[2]};
        if (TieneControles(campo[0] + campo[1] + campo[2])) {
            l.rechazo = MotivoRechazo::Control;
            return;
        }
        if (campo[0].isEmpty()) {
            l.rechazo = MotivoRechazo::SinNombre;
            return;
        }
        for (std::size_t c = 0; c < campo.size(); ++c) {
            if (campo[c].size() <= columnas_.anchura[c]) continue;
            l.rechazo = MotivoRechazo::DemasiadoLargo;
            l.columna = columnas_.nombre[c];
            l.anchura = columnas_.anchura[c];
            return;
        }
        const QString clave = Clave(l.alumno);
        if (miembros_.contains(clave)) {
            l.rechazo = MotivoRechazo::YaEnGrupo;
        } else if (const auto anterior = vistos_.constFind(clave); anterior != vistos_.cend()) {
            l.rechazo = MotivoRechazo::Repetido;
            l.lineaAnterior = *anterior;
        } else {
            vistos_.insert(clave, l.linea);
        }
    }

private:
    const Columnas& columnas_;
    QSet<QString> miembros_;
    QHash<QString, int> vistos_;
};

}  // namespace

QString NombreAlumno::Completo() const {
    return apellido1 + QLatin1Char(' ') + apellido2 + QStringLiteral(", ") + nombre;
}

QString LineaLista::Motivo() const {
    if (!rechazo) return {};
    switch (*rechazo) {
        case MotivoRechazo::Ilegible:
            return Texto(kTextoIlegible);
        case MotivoRechazo::Control:
            return Texto(kTextoControl);
        case MotivoRechazo::SinNombre:
            return Texto(kTextoSinNombre);
        case MotivoRechazo::DemasiadoLargo:
            return Texto(kTextoDemasiadoLargo).arg(columna).arg(anchura);
        case MotivoRechazo::YaEnGrupo:
            return Texto(kTextoYaEnGrupo);
        case MotivoRechazo::Repetido:
            return Texto(kTextoRepetido).arg(lineaAnterior);
    }
    return {};
}

QString LineaLista::TextoRechazo() const {
    return Texto(kTextoLinea).arg(linea).arg(Motivo());
}

std::vector<NombreAlumno> ListaAlumnos::Aceptados() const {
    std::vector<NombreAlumno> aceptados;
    for (const LineaLista& l : lineas)
        if (l.Aceptada()) aceptados.push_back(l.alumno);
    return aceptados;
}

int ListaAlumnos::NumRechazadas() const {
    return static_cast<int>(
        std::count_if(lineas.begin(), lineas.end(), [](const LineaLista& l) { return !l.Aceptada(); }));
}

ListaAlumnos LeerListaAlumnos(const QByteArray& contenido, const std::vector<NombreAlumno>& miembros) {
    ListaAlumnos lista;
    lista.codificacion = DetectarCodificacion(contenido);
    const QStringList lineas = Lineas(contenido, lista.codificacion);
    // The header is the first line that holds anything.
    int cabecera = 0;
    while (cabecera < lineas.size() && lineas[cabecera].trimmed().isEmpty()) ++cabecera;
    if (cabecera < lineas.size()) lista.separador = Separador(lineas[cabecera]);
    const std::optional<QStringList> nombres =
        cabecera < lineas.size() ? PartirLinea(lineas[cabecera], lista.separador) : std::nullopt;
    const Columnas columnas = nombres ? LeerCabecera(*nombres) : Columnas{};
    if (!columnas.Completas()) {
        lista.error = Texto(kTextoSinColumnas);
        return lista;
    }
    Comprobacion comprobacion(columnas, miembros);
    for (int i = cabecera + 1; i < lineas.size(); ++i) {
        const std::optional<QStringList> valores = PartirLinea(lineas[i], lista.separador);
        if (valores && Vacia(*valores)) continue;  // blank, or a spreadsheet's empty row
        LineaLista l;
        l.linea = i + 1;
        if (valores) {
            comprobacion.Comprobar(*valores, l);
        } else {
            l.rechazo = MotivoRechazo::Ilegible;
            l.texto = lineas[i].trimmed();
        }
        lista.lineas.push_back(l);
    }
    return lista;
}

ListaAlumnos LeerArchivoListaAlumnos(const QString& archivo, const std::vector<NombreAlumno>& miembros) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) {
        ListaAlumnos lista;
        lista.error = Texto(kTextoArchivoIlegible).arg(archivo);
        return lista;
    }
    return LeerListaAlumnos(f.readAll(), miembros);
}
