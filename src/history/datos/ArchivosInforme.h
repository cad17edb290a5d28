#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

// The two report data files in the installation folder: "FileInfor.txt" (the main file)
// and "FileInfor2.txt" (the second file). UTF-8, every line ended by CR LF.
namespace ArchivosInforme {

QString Principal();
QString Secundario();

}  // namespace ArchivosInforme

// A report data file that could not be written or read; the message names the file and
// the system's reason. It ends the report run.
class EArchivoInforme : public std::runtime_error {
public:
    EArchivoInforme(const QString& archivo, const QString& motivo);
    QString Archivo() const { return archivo_; }
    QString Mensaje() const { return mensaje_; }

private:
    QString archivo_;
    QString mensaje_;
};

// The lines a writer gives one file, written at once when it has them all.
class SalidaInforme {
public:
    explicit SalidaInforme(QString archivo) : archivo_(std::move(archivo)) {}

    // A data line: the values, encoded, each followed by '#'.
    void Linea(const QStringList& valores);
    // The end line " ".
    void LineaFin();
    // Rewrites the file from the start with the lines given so far.
    void Escribir() const;

    const QStringList& Lineas() const { return lineas_; }

private:
    QString archivo_;
    QStringList lineas_;
};

// Reads a report data file line by line. A file that does not exist reads as empty (a
// writer that does not use the second file may never have created it).
class EntradaInforme {
public:
    void Abrir(const QString& archivo);
    void Cerrar();
    bool Abierto() const { return abierto_; }
    // Back to the first line.
    void AlPrincipio() { siguiente_ = 0; }
    // The next line (without its line end); false when there is none.
    bool Leer(QString& linea);
    // No line left after the one read last.
    bool Fin() const { return siguiente_ >= lineas_.size(); }

private:
    QStringList lineas_;
    qsizetype siguiente_ = 0;
    bool abierto_ = false;
};
