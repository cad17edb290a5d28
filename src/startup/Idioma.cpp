#include "Idioma.h"

#include <QFile>

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

bool TLanguage::cargar(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return false;
    contenido_ = std::make_shared<const QString>(DecodificarTexto(f.readAll()));
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
    if (anterior.isEmpty() || !cargar(anterior)) contenido_.reset();
    throw ErrorIdioma("Cannot open the language file " + ruta.toStdString());
}

void TLanguage::saltarBlancos() {
    const QString& t = *contenido_;
    while (posicion_ < t.size() && esBlanco(t[posicion_])) ++posicion_;
}

// Reads one entry: the number up to the first blank or control character, then the
// rest of the line without that character.
bool TLanguage::leerEntrada(int& numero, QString& texto) {
    const QString& t = *contenido_;
    saltarBlancos();
    const qsizetype inicio = posicion_;
    while (posicion_ < t.size() && !esBlanco(t[posicion_])) ++posicion_;
    bool ok = false;
    numero = t.mid(inicio, posicion_ - inicio).toInt(&ok);
    if (!ok) return false;
    const qsizetype resto = posicion_;
    while (posicion_ < t.size() && !esFinDeLinea(t[posicion_])) ++posicion_;
    texto = t.mid(resto, posicion_ - resto).mid(1);
    if (posicion_ < t.size() && t[posicion_] == QLatin1Char('\r')) ++posicion_;
    if (posicion_ < t.size() && t[posicion_] == QLatin1Char('\n')) ++posicion_;
    return true;
}

QString TLanguage::escanear(int numero) {
    QString texto;
    bool leida = false;
    for (;;) {
        int leido = 0;
        if (!leerEntrada(leido, texto)) return kNada;
        leida = true;
        ultimoNumero_ = leido;
        if (leido == numero) break;
        saltarBlancos();
        if (posicion_ >= contenido_->size()) break;
    }
    return leida ? texto : kNada;
}

QString TLanguage::TextoDesdeInicio(int numero) {
    if (!contenido_) return kNada;
    posicion_ = 0;
    return escanear(numero);
}

QString TLanguage::TextoContinuando(int numero) {
    if (!contenido_) return kNada;
    if (numero <= ultimoNumero_) posicion_ = 0;
    saltarBlancos();
    if (posicion_ >= contenido_->size()) posicion_ = 0;
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
