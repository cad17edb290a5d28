#include "Idioma.h"

#include <QFile>
#include <cstdio>

#include "TextoArchivo.h"

namespace {

const QString kNada = QStringLiteral("nada");

bool esBlanco(QChar c) {
    return c.unicode() <= 32;
}
bool esFinDeLinea(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

std::unique_ptr<TLanguage>& instancia() {
    static std::unique_ptr<TLanguage> idioma;
    return idioma;
}

}  // namespace

namespace {

// The entries of the file, in file order. A line whose number cannot be read is told on
// the error output (once, when the file is read) and left out.
std::vector<TLanguage::Entrada> LeerEntradas(const QString& t, const QString& ruta) {
    std::vector<TLanguage::Entrada> entradas;
    qsizetype posicion = 0;
    int linea = 0;
    while (posicion < t.size()) {
        ++linea;
        qsizetype fin = posicion;
        while (fin < t.size() && !esFinDeLinea(t[fin])) ++fin;
        const QStringView texto = QStringView(t).mid(posicion, fin - posicion);
        posicion = fin;
        if (posicion < t.size() && t[posicion] == QLatin1Char('\r')) ++posicion;
        if (posicion < t.size() && t[posicion] == QLatin1Char('\n')) ++posicion;

        qsizetype inicio = 0;
        while (inicio < texto.size() && esBlanco(texto[inicio])) ++inicio;
        if (inicio == texto.size()) continue;  // blank lines separate nothing
        qsizetype separador = inicio;
        while (separador < texto.size() && !esBlanco(texto[separador])) ++separador;
        bool ok = false;
        const int numero = texto.mid(inicio, separador - inicio).toInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "%s:%d: la línea no empieza por un número y un separador; se ignora: %s\n",
                         qPrintable(ruta), linea, qPrintable(texto.toString()));
            continue;
        }
        entradas.push_back({numero, texto.mid(separador).mid(1).toString()});
    }
    return entradas;
}

}  // namespace

bool TLanguage::cargar(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return false;
    entradas_ =
        std::make_shared<const std::vector<Entrada>>(LeerEntradas(DecodificarTexto(f.readAll()), ruta));
    posicion_ = 0;
    ultimoNumero_ = 0;
    return true;
}

void TLanguage::setIdiomaFile(const QString& ruta) {
    if (ruta == archivo_) return;
    const QString anterior = archivo_;
    archivo_ = ruta;
    if (cargar(ruta)) return;
    archivo_ = anterior;
    if (anterior.isEmpty() || !cargar(anterior)) entradas_.reset();
    throw ErrorIdioma("Cannot open the language file " + ruta.toStdString());
}

// Reads entries from the current position until the number is found or the file ends;
// the text of the last entry read.
QString TLanguage::escanear(int numero) {
    const std::vector<Entrada>& entradas = *entradas_;
    if (entradas.empty()) return kNada;
    const Entrada* leida = nullptr;
    while (posicion_ < entradas.size()) {
        leida = &entradas[posicion_++];
        ultimoNumero_ = leida->numero;
        if (leida->numero == numero) break;
    }
    return leida ? leida->texto : kNada;
}

QString TLanguage::TextoDesdeInicio(int numero) {
    if (!entradas_) return kNada;
    posicion_ = 0;
    return escanear(numero);
}

QString TLanguage::TextoContinuando(int numero) {
    if (!entradas_) return kNada;
    if (numero <= ultimoNumero_ || posicion_ >= entradas_->size()) posicion_ = 0;
    return escanear(numero);
}

TLanguage* IdiomaApp() {
    return instancia().get();
}

void FijarIdiomaApp(std::unique_ptr<TLanguage> idioma) {
    instancia() = std::move(idioma);
}

QString Texto(int numero) {
    return IdiomaApp() ? IdiomaApp()->TextoDesdeInicio(numero) : kNada;
}

QString TextoCatalogo(int numero) {
    return IdiomaApp() ? IdiomaApp()->TextoContinuando(numero) : kNada;
}

IdiomaTemporal::IdiomaTemporal(const QString& archivo) : anterior_(std::move(instancia())) {
    auto idioma = std::make_unique<TLanguage>();
    try {
        idioma->setIdiomaFile(archivo);
    } catch (const ErrorIdioma&) {
        // A missing file is a valid case to test: every lookup then gives "nada".
    }
    instancia() = std::move(idioma);
}

IdiomaTemporal::~IdiomaTemporal() {
    instancia() = std::move(anterior_);
}
