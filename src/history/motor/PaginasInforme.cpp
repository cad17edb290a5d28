#include "PaginasInforme.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <cmath>
#include <memory>
#include <numeric>
#include <vector>

namespace informes {

namespace {

// Texts are measured at one fixed resolution, without hinting, so that a line breaks in
// the same place on the screen, on paper and in PDF.
constexpr qreal kDpiMedida = 1200;
constexpr qreal kMmPorPixel = 25.4 / kDpiMedida;
// Page numbers are known only when every page is laid out: texts carry these marks until then.
const QString kMarcaPagina = QStringLiteral("\x01P\x01");
const QString kMarcaPaginas = QStringLiteral("\x01T\x01");
// Inside a text with a background or a border the letters keep off the edge.
constexpr qreal kRelleno = 0.6;

const QImage& ImagenMedida() {
    static const QImage imagen = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int puntosPorMetro = qRound(kDpiMedida / 0.0254);
        i.setDotsPerMeterX(puntosPorMetro);
        i.setDotsPerMeterY(puntosPorMetro);
        return i;
    }();
    return imagen;
}

// Building the metrics of a letter costs more than measuring with them: each letter's are
// built once.
const QFontMetricsF& Metricas(const Letra& letra) {
    // A layout uses a handful of letters.
    static std::vector<std::pair<Letra, std::unique_ptr<QFontMetricsF>>> hechas;
    for (const auto& [l, m] : hechas)
        if (l.tamano == letra.tamano && l.negrita == letra.negrita && l.cursiva == letra.cursiva &&
            l.familia == letra.familia)
            return *m;
    hechas.emplace_back(letra, std::make_unique<QFontMetricsF>(FuenteQt(letra), &ImagenMedida()));
    return *hechas.back().second;
}

qreal Relleno(const Objeto& o) {
    return (o.grosor > 0 || o.fondo.isValid()) ? kRelleno : 0;
}

// Seconds of "hh:mm:ss", "hh:mm" or a stored repair duration "Nd hh:mm:ss"; nullopt for
// anything else.
std::optional<qint64> Segundos(const QString& texto) {
    static const QRegularExpression patron(R"(^\s*(?:(\d+)d\s*)?(\d+):(\d{1,2})(?::(\d{1,2}))?\s*$)");
    const auto m = patron.match(texto);
    if (!m.hasMatch()) return std::nullopt;
    return m.captured(1).toLongLong() * 86400 + m.captured(2).toLongLong() * 3600 +
           m.captured(3).toLongLong() * 60 + m.captured(4).toLongLong();
}

// Totals of time in hours that go past a day: "52:10:00".
QString FormatoSegundos(qint64 s) {
    return QString("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

struct Total {
    Agregado agregado;
    int banda = -1;
    qint64 grupo = 0, informe = 0;
};

class Demasiado {};

// Lays the bands out page after page.
class Maquetador {
public:
    Maquetador(const Diseno& d, OrigenDatos& f, const OpcionesInforme& o) : d_(d), f_(f), o_(o) {
        informe_.tamano = d.pagina;
        informe_.titulo = d.archivo.section('/', -1).section('\\', -1);
        RegistrarTotales();
    }

    InformePreparado Ejecutar() {
        NuevaPagina(false);
        if (d_.titulo >= 0) Colocar(d_.titulo);
        if (d_.cabecera >= 0) Colocar(d_.cabecera);
        for (int m : d_.maestros) Recorrer(m);
        if (d_.resumen >= 0) Colocar(d_.resumen);
        CerrarPagina();
        PonerTotalPaginas();
        return std::move(informe_);
    }

private:
    struct TextoListo {
        QString texto;  // resolved, still with the page marks
        QStringList lineas;
        qreal alto = 0;
        qreal crece = 0;  // how much taller than its box it grew
        qreal baja = 0;   // how far it moves down because objects above it grew
    };

    struct Pendiente {
        int pagina, elemento;
        QString texto;
        const Objeto* objeto;
    };

    void RegistrarTotales() {
        for (int b = 0; b < d_.bandas.size(); ++b)
            for (const Objeto& o : d_.bandas[b].objetos)
                for (const QString& marcador : Marcadores(o.texto)) {
                    bool mal = false;
                    auto a = LeerAgregado(marcador, mal);
                    if (!a || totales_.contains(Clave(marcador))) continue;
                    Total t{*a, BandaDelTotal(*a, b)};
                    totales_.insert(Clave(marcador), t);
                }
    }

    int BandaDelTotal(const Agregado& a, int enBanda) const {
        if (!a.banda.isEmpty()) return BandaDeDatos(d_, a.banda);
        const Banda& b = d_.bandas[enBanda];
        if (b.tipo == TipoBanda::PieGrupo || b.tipo == TipoBanda::CabeceraGrupo)
            for (int i = 0; i < d_.bandas.size(); ++i)
                if (d_.bandas[i].pieGrupo == enBanda || d_.bandas[i].cabeceraGrupo == enBanda) return i;
        return d_.maestros.isEmpty() ? -1 : d_.maestros.first();
    }

    static QString Clave(const QString& marcador) { return marcador.simplified().toUpper().remove(' '); }

    // The engine's own value, then the program's callback.
    QString Valor(const QString& nombre) {
        const QString clave = nombre.trimmed().toUpper();
        QString valor;
        if (clave == "PAGINA")
            valor = kMarcaPagina;
        else if (clave == "PAGINAS")
            valor = kMarcaPaginas;
        else if (clave == "FECHA")
            valor = o_.ahora.toString("dd/MM/yyyy");
        else if (clave == "HORA")
            valor = o_.ahora.toString("hh:mm");
        else
            valor = o_.constantes.value(clave);
        f_.Variable(nombre.trimmed(), valor);
        return valor;
    }

    QString ValorTotal(const QString& marcador, int enBanda) {
        const auto t = totales_.constFind(Clave(marcador));
        if (t == totales_.constEnd()) return {};
        const bool deGrupo = d_.bandas[enBanda].tipo == TipoBanda::PieGrupo ||
                             d_.bandas[enBanda].tipo == TipoBanda::CabeceraGrupo;
        const qint64 n = deGrupo ? t->grupo : t->informe;
        return t->agregado.funcion == Agregado::SumaTiempo ? FormatoSegundos(n) : QString::number(n);
    }

    QString Resolver(const QString& texto, int enBanda) {
        QString salida;
        for (qsizetype i = 0; i < texto.size(); ++i) {
            if (texto[i] != '[') {
                salida += texto[i];
                continue;
            }
            if (i + 1 < texto.size() && texto[i + 1] == '[') {
                salida += '[';
                ++i;
                continue;
            }
            const qsizetype fin = texto.indexOf(']', i);
            const QString marcador = texto.mid(i + 1, fin - i - 1);
            salida += marcador.contains('(') ? ValorTotal(marcador, enBanda) : Valor(marcador);
            i = fin;
        }
        return salida;
    }

    void Acumular(int banda) {
        for (Total& t : totales_) {
            if (t.banda != banda) continue;
            qint64 suma = 0;
            if (t.agregado.variable.isEmpty()) {
                suma = 1;
            } else {
                const QString v = Valor(t.agregado.variable);
                if (t.agregado.funcion == Agregado::SumaTiempo)
                    suma = Segundos(v).value_or(0);
                else if (t.agregado.valor)
                    suma = v.trimmed().compare(*t.agregado.valor, Qt::CaseInsensitive) == 0;
                else
                    suma = !v.trimmed().isEmpty();
            }
            t.grupo += suma;
            t.informe += suma;
        }
    }

    void EmpezarGrupo(int banda) {
        for (Total& t : totales_)
            if (t.banda == banda) t.grupo = 0;
    }

    void Contar() {
        if (++registros_ > qint64(o_.maximoPaginas) * 200) throw Demasiado();
    }

    void Recorrer(int indice) {
        const Banda& b = d_.bandas[indice];
        const int cabecera = b.cabeceraGrupo, pie = b.pieGrupo;
        bool enGrupo = false;
        QString clave;
        f_.Primero(b.datos);
        while (!f_.FinDatos(b.datos, false)) {
            Contar();
            if (cabecera >= 0 || pie >= 0) {
                const QString k = cabecera >= 0 && !d_.bandas[cabecera].clave.isEmpty()
                                      ? Resolver(d_.bandas[cabecera].clave, cabecera).trimmed()
                                      : QString();
                // A record with an empty key carries on the group it follows.
                if (!enGrupo || (!k.isEmpty() && k != clave)) {
                    if (enGrupo && pie >= 0) Colocar(pie);
                    CerrarGrupo(cabecera);
                    EmpezarGrupo(indice);
                    // A group header keeps to its first record.
                    if (cabecera >= 0) AbrirGrupo(cabecera, Colocar(cabecera, b.alto));
                    enGrupo = true;
                }
                if (!k.isEmpty()) clave = k;
            }
            Colocar(indice);
            Acumular(indice);
            for (int hija : b.hijas) Recorrer(hija);
            f_.Siguiente(b.datos);
        }
        if (enGrupo && pie >= 0) Colocar(pie);
        CerrarGrupo(cabecera);
    }

    // Group headers that are printed again on each new page while their group lasts.
    struct GrupoAbierto {
        int cabecera;
        QList<TextoListo> textos;
        qreal alto;
    };

    void AbrirGrupo(int cabecera, QList<TextoListo> textos) {
        if (!d_.bandas[cabecera].repetir) return;
        const qreal alto = Alto(cabecera, textos);
        abiertos_.append({cabecera, std::move(textos), alto});
    }

    void CerrarGrupo(int cabecera) {
        abiertos_.removeIf([&](const GrupoAbierto& g) { return g.cabecera == cabecera; });
    }

    void NuevaPagina(bool conCabecera = true) {
        if (!informe_.paginas.isEmpty()) CerrarPagina();
        if (informe_.paginas.size() >= o_.maximoPaginas) throw Demasiado();
        informe_.paginas.append(PaginaInforme{});
        y_ = d_.arriba;
        limite_ = d_.pagina.height() - d_.abajo - (d_.pie >= 0 ? d_.bandas[d_.pie].alto : 0);
        vacia_ = true;
        if (conCabecera && d_.cabecera >= 0) {
            Colocar(d_.cabecera);
            vacia_ = true;
        }
        for (const GrupoAbierto& g : abiertos_) {
            Poner(g.cabecera, g.textos, g.alto);
            y_ += g.alto;
        }
    }

    void CerrarPagina() {
        if (d_.pie < 0 || informe_.paginas.isEmpty()) return;
        y_ = d_.pagina.height() - d_.abajo - d_.bandas[d_.pie].alto;
        Poner(d_.pie, Preparar(d_.pie), d_.bandas[d_.pie].alto);
    }

    QStringList Partir(const Objeto& o, const QString& texto, qreal altoCaja) const {
        const qreal ancho = o.caja.width() - 2 * Relleno(o);
        QStringList lineas;
        if (o.ajustar) {
            lineas = PartirLineas(texto, o.letra, ancho);
        } else {
            const QFontMetricsF& fm = Metricas(o.letra);
            for (const QString& parrafo :
                 QString(texto).replace("\r\n", "\n").replace('\r', '\n').split('\n'))
                lineas << fm.elidedText(parrafo, Qt::ElideRight, ancho / kMmPorPixel);
        }
        if (altoCaja >= 0) {
            const qreal alto = AltoLinea(o.letra);
            const int caben = std::max(1, int(std::floor((altoCaja + 0.01) / alto)));
            if (lineas.size() > caben) {
                lineas = lineas.mid(0, caben);
                const QFontMetricsF& fm = Metricas(o.letra);
                lineas.last() = fm.elidedText(lineas.last() + "…", Qt::ElideRight, ancho / kMmPorPixel);
            }
        }
        return lineas;
    }

    // Texts of a band resolved and broken, and the band's height.
    QList<TextoListo> Preparar(int indice) {
        const Banda& b = d_.bandas[indice];
        QList<TextoListo> textos;
        for (const Objeto& o : b.objetos) {
            if (o.tipo != TipoObjeto::Texto) {
                textos.append(TextoListo{});
                continue;
            }
            TextoListo t;
            t.texto = Resolver(o.texto, indice);
            const QString medida =
                QString(t.texto).replace(kMarcaPagina, "999").replace(kMarcaPaginas, "999");
            t.lineas = Partir(o, medida, o.estirar ? -1 : o.caja.height());
            t.alto =
                o.estirar ? std::max(o.caja.height(), t.lineas.size() * AltoLinea(o.letra)) : o.caja.height();
            t.crece = t.alto - o.caja.height();
            textos.append(t);
        }
        Desplazar(b, textos);
        return textos;
    }

    // An object that starts below the bottom of a grown one moves down with it, so a text
    // under a long comment and the rule under a row stay below them.
    static void Desplazar(const Banda& b, QList<TextoListo>& textos) {
        QList<int> orden(b.objetos.size());
        std::iota(orden.begin(), orden.end(), 0);
        std::stable_sort(orden.begin(), orden.end(), [&](int x, int y) {
            return b.objetos[x].caja.normalized().top() < b.objetos[y].caja.normalized().top();
        });
        for (int i : orden) {
            const QRectF caja = b.objetos[i].caja.normalized();
            for (int j : orden) {
                const QRectF otra = b.objetos[j].caja.normalized();
                const qreal empuje = textos[j].baja + textos[j].crece;
                if (j != i && empuje > 0 && otra.bottom() <= caja.top() + 0.01 && otra.top() < caja.top())
                    textos[i].baja = std::max(textos[i].baja, empuje);
            }
        }
    }

    qreal Alto(int indice, const QList<TextoListo>& textos) const {
        qreal extra = 0;
        for (const TextoListo& t : textos) extra = std::max(extra, t.baja + t.crece);
        return std::min(d_.bandas[indice].alto + extra, limite_ - d_.arriba);
    }

    // Places a band, on a new page when it does not fit with `reserva` mm more below it.
    QList<TextoListo> Colocar(int indice, qreal reserva = 0) {
        const Banda& b = d_.bandas[indice];
        const QList<TextoListo> textos = Preparar(indice);
        const qreal alto = Alto(indice, textos);
        const bool fija = b.tipo == TipoBanda::Cabecera || b.tipo == TipoBanda::Titulo;
        if (!vacia_ && !fija && (b.nuevaPagina || y_ + alto + reserva > limite_ + 0.01)) NuevaPagina();
        Poner(indice, textos, alto);
        y_ += alto;
        if (b.tipo != TipoBanda::Cabecera) vacia_ = false;
        return textos;
    }

    void Poner(int indice, const QList<TextoListo>& textos, qreal altoBanda) {
        const Banda& b = d_.bandas[indice];
        const int pagina = int(informe_.paginas.size());
        PaginaInforme& p = informe_.paginas.last();
        const QPointF origen(d_.izquierda, y_);
        for (int i = 0; i < b.objetos.size(); ++i) {
            const Objeto& o = b.objetos[i];
            ElementoPagina e;
            e.tipo = o.tipo;
            e.caja = o.caja.translated(origen + QPointF(0, textos[i].baja));
            e.grosor = o.grosor;
            e.trazo = o.trazo;
            e.fondo = o.fondo;
            e.discontinua = o.discontinua;
            e.redondeo = o.redondeo;
            if (o.tipo == TipoObjeto::Imagen) e.imagen = o.imagen;
            if (o.tipo == TipoObjeto::Texto) {
                const TextoListo& t = textos[i];
                if (o.estirar) e.caja.setHeight(std::min(t.alto, altoBanda - o.caja.top() - t.baja));
                e.letra = o.letra;
                e.alineacion = o.alineacion;
                e.color = o.color;
                e.altoLinea = AltoLinea(o.letra);
                const QString texto = QString(t.texto).replace(kMarcaPagina, QString::number(pagina));
                if (texto.contains(kMarcaPaginas)) {
                    pendientes_.append({pagina - 1, int(p.elementos.size()), texto, &o});
                } else {
                    e.lineas = texto == t.texto ? t.lineas : Partir(o, texto, e.caja.height());
                }
            }
            p.elementos.append(e);
        }
    }

    void PonerTotalPaginas() {
        const QString total = QString::number(informe_.Paginas());
        for (const Pendiente& pe : pendientes_) {
            ElementoPagina& e = informe_.paginas[pe.pagina].elementos[pe.elemento];
            e.lineas = Partir(*pe.objeto, QString(pe.texto).replace(kMarcaPaginas, total), e.caja.height());
        }
    }

    const Diseno& d_;
    OrigenDatos& f_;
    const OpcionesInforme& o_;
    InformePreparado informe_;
    QHash<QString, Total> totales_;
    QList<Pendiente> pendientes_;
    QList<GrupoAbierto> abiertos_;
    qreal y_ = 0, limite_ = 0;
    bool vacia_ = true;
    qint64 registros_ = 0;
};

// Begin- and end-document around one preparation, also when it fails.
class Documento {
public:
    explicit Documento(OrigenDatos& f) : f_(f) { f_.InicioDocumento(); }
    ~Documento() { f_.FinDocumento(); }
    Documento(const Documento&) = delete;
    Documento& operator=(const Documento&) = delete;

private:
    OrigenDatos& f_;
};

}  // namespace

QFont FuenteQt(const Letra& letra) {
    QFont f(letra.familia);
    f.setPointSizeF(letra.tamano);
    f.setBold(letra.negrita);
    f.setItalic(letra.cursiva);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

qreal AltoLinea(const Letra& letra) {
    return Metricas(letra).lineSpacing() * kMmPorPixel;
}

QStringList PartirLineas(const QString& texto, const Letra& letra, qreal ancho) {
    const QFontMetricsF& fm = Metricas(letra);
    const qreal maximo = ancho / kMmPorPixel;
    QStringList lineas;
    for (const QString& parrafo : QString(texto).replace("\r\n", "\n").replace('\r', '\n').split('\n')) {
        QString linea;
        for (QString palabra : parrafo.split(' ')) {
            const QString prueba = linea.isEmpty() ? palabra : linea + ' ' + palabra;
            if (fm.horizontalAdvance(prueba) <= maximo) {
                linea = prueba;
                continue;
            }
            if (!linea.isEmpty()) lineas << linea;
            // A word wider than the box is cut where it stops fitting.
            while (fm.horizontalAdvance(palabra) > maximo && palabra.size() > 1) {
                qsizetype n = palabra.size() - 1;
                while (n > 1 && fm.horizontalAdvance(palabra.left(n)) > maximo) --n;
                lineas << palabra.left(n);
                palabra = palabra.mid(n);
            }
            linea = palabra;
        }
        lineas << linea;
    }
    return lineas;
}

QStringList InformePreparado::Textos(int pagina) const {
    QStringList textos;
    if (pagina < 0 || pagina >= paginas.size()) return textos;
    for (const ElementoPagina& e : paginas[pagina].elementos)
        if (e.tipo == TipoObjeto::Texto) textos << e.lineas;
    return textos;
}

std::optional<InformePreparado> PrepararInforme(const Diseno& diseno, OrigenDatos& fuente,
                                                const OpcionesInforme& opciones, QString& error) {
    Documento documento(fuente);
    try {
        Maquetador m(diseno, fuente, opciones);
        return m.Ejecutar();
    } catch (const Demasiado&) {
        error = TextoMotor(38021).arg(opciones.maximoPaginas);
        return std::nullopt;
    }
}

}  // namespace informes
