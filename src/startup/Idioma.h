#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <vector>

class ErrorIdioma : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The language text file: one entry a line, a number, one separator character and the text.
// The file is read once when it is set and kept for the life of the component. A line
// that cannot be read (no number, or text glued to it) is skipped and reported once on
// the error output with its line number; every other entry still loads.
class TLanguage {
public:
    TLanguage() = default;

    QString IdiomaFile() const { return archivo_; }
    // Opens the file; on failure keeps the previous file and raises ErrorIdioma.
    void setIdiomaFile(const QString& ruta);

    QString TextoDesdeInicio(int numero);
    QString TextoContinuando(int numero);

    struct Entrada {
        int numero;
        QString texto;
    };

private:
    bool cargar(const QString& ruta);
    QString escanear(int numero);

    QString archivo_;
    std::shared_ptr<const std::vector<Entrada>> entradas_;
    std::size_t posicion_ = 0;  // the next entry to read
    int ultimoNumero_ = 0;
};

// The one instance the program uses; null until start-up creates it.
TLanguage* IdiomaApp();
void FijarIdiomaApp(std::unique_ptr<TLanguage> idioma);

// Text by number from the start of the file ("nada" on any failure).
QString Texto(int numero);
// Text by number continuing forward: for a window's block of captions.
QString TextoCatalogo(int numero);

// For tests: installs a language file for the life of the guard.
class IdiomaTemporal {
public:
    explicit IdiomaTemporal(const QString& archivo);
    ~IdiomaTemporal();
    IdiomaTemporal(const IdiomaTemporal&) = delete;
    IdiomaTemporal& operator=(const IdiomaTemporal&) = delete;

private:
    std::unique_ptr<TLanguage> anterior_;
};
