#include "DisenoInforme.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include "Idioma.h"
#include "Instalacion.h"
#include "TextoArchivo.h"

namespace informes {

QString ErrorDiseno::Texto() const {
    if (linea <= 0) return informes::TextoMotor(38001).arg(archivo, mensaje);
    return informes::TextoMotor(38000).arg(archivo).arg(linea).arg(mensaje);
}

namespace {

// One line of the file cut into words: bare words, key=value pairs and one quoted text.
struct Palabras {
    QString orden;
    QHash<QString, QString> valores;
    QStringList marcas;
    std::optional<QString> texto;
};

// A fault of the line being read.
class Fallo {
public:
    explicit Fallo(QString mensaje) : mensaje_(std::move(mensaje)) {}
    const QString& mensaje() const { return mensaje_; }

private:
    QString mensaje_;
};

// A fault found once the whole file is read, at the line of the band or object it is about.
struct FalloEn {
    int linea;
    QString mensaje;
};

// Reads a quoted text starting at `i` (on the opening quote); "" inside stands for one quote.
QString LeerComillas(const QString& linea, qsizetype& i) {
    QString texto;
    for (++i; i < linea.size(); ++i) {
        if (linea[i] == '"') {
            if (i + 1 < linea.size() && linea[i + 1] == '"') {
                texto += '"';
                ++i;
                continue;
            }
            ++i;
            return texto;
        }
        texto += linea[i];
    }
    throw Fallo(TextoMotor(38016));
}

Palabras Partir(const QString& linea) {
    Palabras p;
    qsizetype i = 0;
    while (i < linea.size()) {
        if (linea[i].isSpace()) {
            ++i;
            continue;
        }
        if (linea[i] == '"') {
            if (p.texto) throw Fallo(TextoMotor(38024).arg("\"…\""));
            p.texto = LeerComillas(linea, i);
            continue;
        }
        qsizetype inicio = i;
        while (i < linea.size() && !linea[i].isSpace() && linea[i] != '=') ++i;
        const QString palabra = linea.mid(inicio, i - inicio).toLower();
        if (i < linea.size() && linea[i] == '=') {
            ++i;
            QString valor;
            if (i < linea.size() && linea[i] == '"') {
                valor = LeerComillas(linea, i);
            } else {
                inicio = i;
                while (i < linea.size() && !linea[i].isSpace()) ++i;
                valor = linea.mid(inicio, i - inicio);
            }
            if (p.valores.contains(palabra)) throw Fallo(TextoMotor(38024).arg(palabra));
            p.valores.insert(palabra, valor);
        } else if (p.orden.isEmpty()) {
            p.orden = palabra;
        } else {
            p.marcas << palabra;
        }
    }
    return p;
}

// Takes the values of one line, so that whatever is left over is reported as unknown.
class Lector {
public:
    explicit Lector(Palabras p) : p_(std::move(p)) {}

    qreal Numero(const QString& clave, std::optional<qreal> porDefecto = std::nullopt) {
        if (!p_.valores.contains(clave)) {
            if (porDefecto) return *porDefecto;
            throw Fallo(TextoMotor(38004).arg(clave));
        }
        bool ok = false;
        const QString valor = p_.valores.take(clave);
        const qreal n = QString(valor).replace(',', '.').toDouble(&ok);
        if (!ok || n < 0 || n > 10000) throw Fallo(TextoMotor(38005).arg(valor, clave));
        return n;
    }
    QString Texto(const QString& clave, const QString& porDefecto = {}) {
        return p_.valores.contains(clave) ? p_.valores.take(clave) : porDefecto;
    }
    bool Tiene(const QString& clave) const { return p_.valores.contains(clave); }
    QColor Color(const QString& clave, const QColor& porDefecto) {
        if (!p_.valores.contains(clave)) return porDefecto;
        const QString valor = p_.valores.take(clave);
        const QColor c = QColor::fromString(valor);
        if (!c.isValid()) throw Fallo(TextoMotor(38006).arg(valor, clave));
        return c;
    }
    bool Marca(const QString& marca) { return p_.marcas.removeAll(marca) > 0; }
    std::optional<QString> TextoLibre() { return std::exchange(p_.texto, std::nullopt); }
    QString PrimeraMarca() { return p_.marcas.isEmpty() ? QString() : p_.marcas.takeFirst(); }
    // Everything must have been used.
    void Terminar() {
        if (!p_.marcas.isEmpty()) throw Fallo(TextoMotor(38003).arg(p_.marcas.first()));
        if (!p_.valores.isEmpty()) throw Fallo(TextoMotor(38003).arg(p_.valores.keys().first()));
        if (p_.texto) throw Fallo(TextoMotor(38003).arg("\"" + *p_.texto + "\""));
    }

private:
    Palabras p_;
};

const QHash<QString, TipoBanda>& TiposBanda() {
    static const QHash<QString, TipoBanda> tipos = {{"titulo", TipoBanda::Titulo},
                                                    {"cabecera", TipoBanda::Cabecera},
                                                    {"cabeceragrupo", TipoBanda::CabeceraGrupo},
                                                    {"maestro", TipoBanda::Maestro},
                                                    {"detalle", TipoBanda::Detalle},
                                                    {"subdetalle", TipoBanda::Subdetalle},
                                                    {"piegrupo", TipoBanda::PieGrupo},
                                                    {"resumen", TipoBanda::Resumen},
                                                    {"pie", TipoBanda::Pie}};
    return tipos;
}

Letra LeerLetra(Lector& l, const Letra& base) {
    Letra letra = base;
    letra.familia = l.Texto("familia", base.familia);
    letra.tamano = l.Numero("tamano", base.tamano);
    if (letra.tamano < 3 || letra.tamano > 72) throw Fallo(TextoMotor(38005).arg(letra.tamano).arg("tamano"));
    if (l.Marca("negrita")) letra.negrita = true;
    if (l.Marca("cursiva")) letra.cursiva = true;
    return letra;
}

Qt::Alignment LeerAlineacion(Lector& l) {
    static const QHash<QString, Qt::Alignment> horizontal = {
        {"izquierda", Qt::AlignLeft}, {"centro", Qt::AlignHCenter}, {"derecha", Qt::AlignRight}};
    static const QHash<QString, Qt::Alignment> vertical = {
        {"arriba", Qt::AlignTop}, {"medio", Qt::AlignVCenter}, {"abajo", Qt::AlignBottom}};
    const QString h = l.Texto("alinear", "izquierda");
    const QString v = l.Texto("vertical", "arriba");
    if (!horizontal.contains(h)) throw Fallo(TextoMotor(38006).arg(h, "alinear"));
    if (!vertical.contains(v)) throw Fallo(TextoMotor(38006).arg(v, "vertical"));
    return horizontal.value(h) | vertical.value(v);
}

QRectF LeerCaja(Lector& l) {
    const qreal x = l.Numero("x"), y = l.Numero("y");
    return {x, y, l.Numero("ancho"), l.Numero("alto")};
}

// Totals must be well formed; their bands are checked once every band is known.
void ComprobarMarcadores(const QString& texto, QStringList* bandas = nullptr) {
    bool cerrados = true;
    for (const QString& marcador : Marcadores(texto, &cerrados)) {
        if (marcador.isEmpty()) throw Fallo(TextoMotor(38019));
        bool mal = false;
        const auto agregado = LeerAgregado(marcador, mal);
        if (mal) throw Fallo(TextoMotor(38020).arg(marcador));
        if (agregado && bandas && !agregado->banda.isEmpty()) *bandas << agregado->banda;
    }
    if (!cerrados) throw Fallo(TextoMotor(38019));
}

Objeto LeerObjeto(const QString& orden, Lector& l, const Diseno& d) {
    Objeto o;
    if (orden == "texto") {
        o.tipo = TipoObjeto::Texto;
        o.caja = LeerCaja(l);
        o.letra = LeerLetra(l, d.letra);
        o.alineacion = LeerAlineacion(l);
        o.color = l.Color("color", Qt::black);
        o.fondo = l.Color("fondo", QColor());
        o.grosor = l.Numero("borde", 0);
        o.trazo = l.Color("colorborde", Qt::black);
        o.estirar = l.Marca("estirar");
        if (l.Marca("sinajuste")) o.ajustar = false;
        const auto texto = l.TextoLibre();
        if (!texto) throw Fallo(TextoMotor(38004).arg("\"…\""));
        o.texto = *texto;
        ComprobarMarcadores(o.texto, &o.bandasNombradas);
    } else if (orden == "linea") {
        o.tipo = TipoObjeto::Linea;
        const qreal x1 = l.Numero("x1"), y1 = l.Numero("y1"), x2 = l.Numero("x2"), y2 = l.Numero("y2");
        o.caja = QRectF(QPointF(x1, y1), QPointF(x2, y2));
        o.grosor = l.Numero("grosor", 0.3);
        o.trazo = l.Color("color", Qt::black);
        o.discontinua = l.Marca("discontinua");
    } else if (orden == "marco") {
        o.tipo = TipoObjeto::Marco;
        o.caja = LeerCaja(l);
        o.grosor = l.Numero("grosor", 0.3);
        o.trazo = l.Color("color", Qt::black);
        o.fondo = l.Color("fondo", QColor());
        o.redondeo = l.Numero("redondeo", 0);
        o.discontinua = l.Marca("discontinua");
    } else if (orden == "imagen") {
        o.tipo = TipoObjeto::Imagen;
        o.caja = LeerCaja(l);
        o.archivo = l.Texto("archivo");
        if (o.archivo.isEmpty()) throw Fallo(TextoMotor(38004).arg("archivo"));
        if (!o.imagen.load(Instalacion::Ruta(o.archivo))) throw Fallo(TextoMotor(38012).arg(o.archivo));
    } else {
        throw Fallo(TextoMotor(38003).arg(orden));
    }
    l.Terminar();
    return o;
}

void ComprobarMedidas(const Objeto& o, const Banda& b, const Diseno& d) {
    const QRectF caja = o.caja.normalized();
    constexpr qreal holgura = 0.01;
    if (caja.bottom() > b.alto + holgura) throw Fallo(TextoMotor(38010).arg(b.alto));
    if (caja.right() > d.AnchoUtil() + holgura) throw Fallo(TextoMotor(38011).arg(d.AnchoUtil()));
}

Banda LeerBanda(Lector& l, TipoBanda tipo) {
    Banda b;
    b.tipo = tipo;
    b.alto = l.Numero("alto");
    b.nuevaPagina = l.Marca("nuevapagina");
    if (EsDatos(tipo)) {
        const int porDefecto = tipo == TipoBanda::Maestro ? 1 : tipo == TipoBanda::Detalle ? 2 : 3;
        const qreal datos = l.Numero("datos", porDefecto);
        if (datos != 1 && datos != 2 && datos != 3) throw Fallo(TextoMotor(38006).arg(datos).arg("datos"));
        b.datos = int(datos);
        b.nombre = l.Texto("nombre");
    }
    if (tipo == TipoBanda::CabeceraGrupo || tipo == TipoBanda::PieGrupo) b.de = l.Texto("de");
    if (tipo == TipoBanda::CabeceraGrupo) {
        b.repetir = l.Marca("repetir");
        b.clave = l.Texto("clave");
        ComprobarMarcadores(b.clave);
    }
    l.Terminar();
    return b;
}

// Nests the data bands (a detail in the master before it, a subdetail in the detail before
// it) and ties each group band to its data band: the one it names, else the next data band
// for a header and the previous one for a footer.
void Enlazar(Diseno& d) {
    int maestro = -1, detalle = -1;
    for (int i = 0; i < d.bandas.size(); ++i) {
        Banda& b = d.bandas[i];
        if (b.tipo == TipoBanda::Maestro) {
            d.maestros << i;
            maestro = i;
            detalle = -1;
        } else if (b.tipo == TipoBanda::Detalle) {
            if (maestro < 0) throw FalloEn(b.linea, TextoMotor(38014).arg("detalle", "maestro"));
            d.bandas[maestro].hijas << i;
            detalle = i;
        } else if (b.tipo == TipoBanda::Subdetalle) {
            if (detalle < 0) throw FalloEn(b.linea, TextoMotor(38014).arg("subdetalle", "detalle"));
            d.bandas[detalle].hijas << i;
        }
    }
    auto buscar = [&](const Banda& g, int desde, int paso) {
        for (int j = desde; j >= 0 && j < d.bandas.size(); j += paso) {
            const Banda& b = d.bandas[j];
            if (!EsDatos(b.tipo)) continue;
            if (g.de.isEmpty() || b.nombre.compare(g.de, Qt::CaseInsensitive) == 0) return j;
        }
        for (int j = 0; !g.de.isEmpty() && j < d.bandas.size(); ++j)
            if (EsDatos(d.bandas[j].tipo) && d.bandas[j].nombre.compare(g.de, Qt::CaseInsensitive) == 0)
                return j;
        return -1;
    };
    for (int i = 0; i < d.bandas.size(); ++i) {
        const Banda& g = d.bandas[i];
        if (g.tipo != TipoBanda::CabeceraGrupo && g.tipo != TipoBanda::PieGrupo) continue;
        const bool cabecera = g.tipo == TipoBanda::CabeceraGrupo;
        const int datos = buscar(g, cabecera ? i + 1 : i - 1, cabecera ? 1 : -1);
        if (datos < 0) {
            const QString mensaje = g.de.isEmpty()
                                        ? TextoMotor(38014).arg(cabecera ? "cabeceragrupo" : "piegrupo",
                                                                cabecera ? "maestro" : "maestro")
                                        : TextoMotor(38015).arg(g.de);
            throw FalloEn(g.linea, mensaje);
        }
        int& enlace = cabecera ? d.bandas[datos].cabeceraGrupo : d.bandas[datos].pieGrupo;
        if (enlace >= 0)
            throw FalloEn(g.linea, TextoMotor(38013).arg(cabecera ? "cabeceragrupo" : "piegrupo"));
        enlace = i;
    }
    for (const Banda& b : d.bandas)
        for (const Objeto& o : b.objetos)
            for (const QString& nombre : o.bandasNombradas)
                if (BandaDeDatos(d, nombre) < 0) throw FalloEn(o.linea, TextoMotor(38015).arg(nombre));
    qreal fijas = 0;
    for (int i : {d.titulo, d.cabecera, d.pie})
        if (i >= 0) fijas += d.bandas[i].alto;
    if (fijas >= d.AltoUtil()) throw FalloEn(0, TextoMotor(38023));
    if (d.maestros.isEmpty() && d.titulo < 0 && d.resumen < 0) throw FalloEn(0, TextoMotor(38017));
}

}  // namespace

QString TextoMotor(int numero) {
    return ::Texto(numero);
}

bool EsDatos(TipoBanda t) {
    return t == TipoBanda::Maestro || t == TipoBanda::Detalle || t == TipoBanda::Subdetalle;
}

int BandaDeDatos(const Diseno& d, const QString& nombre) {
    static const QHash<QString, TipoBanda> porTipo = {{"maestro", TipoBanda::Maestro},
                                                      {"detalle", TipoBanda::Detalle},
                                                      {"subdetalle", TipoBanda::Subdetalle}};
    for (int i = 0; i < d.bandas.size(); ++i)
        if (EsDatos(d.bandas[i].tipo) && d.bandas[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0)
            return i;
    const auto tipo = porTipo.find(nombre.toLower());
    for (int i = 0; tipo != porTipo.end() && i < d.bandas.size(); ++i)
        if (d.bandas[i].tipo == *tipo) return i;
    return -1;
}

QStringList Marcadores(const QString& texto, bool* cerrados) {
    QStringList lista;
    if (cerrados) *cerrados = true;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto[i] != '[') continue;
        if (i + 1 < texto.size() && texto[i + 1] == '[') {
            ++i;
            continue;
        }
        const qsizetype fin = texto.indexOf(']', i);
        if (fin < 0) {
            if (cerrados) *cerrados = false;
            break;
        }
        lista << texto.mid(i + 1, fin - i - 1);
        i = fin;
    }
    return lista;
}

std::optional<Agregado> LeerAgregado(const QString& marcador, bool& mal) {
    mal = false;
    const qsizetype abre = marcador.indexOf('(');
    if (abre < 0) return std::nullopt;
    Agregado a;
    const QString nombre = marcador.left(abre).trimmed().toUpper();
    if (nombre == "CUENTA") {
        a.funcion = Agregado::Cuenta;
    } else if (nombre == "SUMATIEMPO") {
        a.funcion = Agregado::SumaTiempo;
    } else {
        mal = true;
        return std::nullopt;
    }
    if (!marcador.trimmed().endsWith(')')) {
        mal = true;
        return std::nullopt;
    }
    const QString dentro = marcador.mid(abre + 1, marcador.lastIndexOf(')') - abre - 1);
    QStringList partes = dentro.split(';');
    for (QString& parte : partes) parte = parte.trimmed();
    const qsizetype minimo = a.funcion == Agregado::SumaTiempo ? 2 : 1;
    if (partes.size() < minimo || partes.size() > 3 ||
        (a.funcion == Agregado::SumaTiempo && partes.size() > 2) ||
        (partes.size() >= 2 && partes[1].isEmpty())) {
        mal = true;
        return std::nullopt;
    }
    a.banda = partes[0];
    if (partes.size() >= 2) a.variable = partes[1];
    if (partes.size() == 3) a.valor = partes[2];
    return a;
}

std::optional<Diseno> LeerDisenoTexto(const QString& texto, const QString& archivo, ErrorDiseno& error) {
    Diseno d;
    d.archivo = archivo;
    error = {archivo, 0, {}};
    const QStringList lineas = texto.split('\n');
    int abierta = -1;  // band being read
    bool cabecera = false;
    int numero = 0;
    try {
        for (const QString& bruta : lineas) {
            ++numero;
            const QString linea = QString(bruta).remove('\r').trimmed();
            if (linea.isEmpty() || linea.startsWith('#')) continue;
            Palabras palabras = Partir(linea);
            const QString orden = palabras.orden;
            Lector l(std::move(palabras));
            if (!cabecera) {
                if (orden != "informe" || l.Texto("version") != "1") throw Fallo(TextoMotor(38018));
                l.Terminar();
                cabecera = true;
                continue;
            }
            if (orden == "pagina") {
                if (abierta >= 0 || !d.bandas.isEmpty()) throw Fallo(TextoMotor(38003).arg(orden));
                d.pagina = QSizeF(l.Numero("ancho", 210), l.Numero("alto", 297));
                d.izquierda = l.Numero("izquierda", d.izquierda);
                d.derecha = l.Numero("derecha", d.derecha);
                d.arriba = l.Numero("arriba", d.arriba);
                d.abajo = l.Numero("abajo", d.abajo);
                l.Terminar();
                if (d.AnchoUtil() < 20 || d.AltoUtil() < 20) throw Fallo(TextoMotor(38025));
            } else if (orden == "letra") {
                if (abierta >= 0 || !d.bandas.isEmpty()) throw Fallo(TextoMotor(38003).arg(orden));
                d.letra = LeerLetra(l, d.letra);
                l.Terminar();
            } else if (orden == "banda") {
                if (abierta >= 0) throw Fallo(TextoMotor(38008).arg(d.bandas[abierta].linea));
                const QString tipo = l.PrimeraMarca();
                if (tipo.isEmpty()) throw Fallo(TextoMotor(38004).arg("banda …"));
                if (!TiposBanda().contains(tipo)) throw Fallo(TextoMotor(38006).arg(tipo, "banda"));
                Banda b = LeerBanda(l, TiposBanda().value(tipo));
                b.linea = numero;
                int* unica = b.tipo == TipoBanda::Titulo     ? &d.titulo
                             : b.tipo == TipoBanda::Cabecera ? &d.cabecera
                             : b.tipo == TipoBanda::Resumen  ? &d.resumen
                             : b.tipo == TipoBanda::Pie      ? &d.pie
                                                             : nullptr;
                if (unica && *unica >= 0) throw Fallo(TextoMotor(38013).arg(tipo));
                d.bandas << b;
                abierta = int(d.bandas.size()) - 1;
                if (unica) *unica = abierta;
            } else if (orden == "fin") {
                if (abierta < 0) throw Fallo(TextoMotor(38009));
                l.Terminar();
                abierta = -1;
            } else {
                if (abierta < 0) {
                    if (orden == "texto" || orden == "linea" || orden == "marco" || orden == "imagen")
                        throw Fallo(TextoMotor(38007));
                    throw Fallo(TextoMotor(38003).arg(orden));
                }
                Objeto o = LeerObjeto(orden, l, d);
                o.linea = numero;
                ComprobarMedidas(o, d.bandas[abierta], d);
                d.bandas[abierta].objetos << o;
            }
        }
        if (!cabecera) throw Fallo(TextoMotor(38018));
        if (abierta >= 0) {
            error.linea = d.bandas[abierta].linea;
            error.mensaje = TextoMotor(38008).arg(d.bandas[abierta].linea);
            return std::nullopt;
        }
        Enlazar(d);
    } catch (const Fallo& f) {
        error.linea = numero;
        error.mensaje = f.mensaje();
        return std::nullopt;
    } catch (const FalloEn& f) {
        error.linea = f.linea;
        error.mensaje = f.mensaje;
        return std::nullopt;
    }
    return d;
}

std::optional<Diseno> LeerDiseno(const QString& ruta, ErrorDiseno& error) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        error = {ruta, 0, TextoMotor(38002) + " (" + f.errorString() + ")"};
        return std::nullopt;
    }
    return LeerDisenoTexto(DecodificarTexto(f.readAll()), ruta, error);
}

}  // namespace informes
