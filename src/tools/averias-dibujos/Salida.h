#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Writes the pictures under the installation folder and remembers what each file is for,
// so that the list for the window engineers is written from the same calls.
class Salida {
public:
    explicit Salida(const QString& carpetaInstalacion);

    // `relativa` is written with "/" under the installation folder; `para` says which control
    // shows it. Each file is read back, so a file that cannot be loaded is not reported as written.
    void Png(const QString& relativa, const QImage& imagen, const QString& para);
    void Bmp(const QString& relativa, const QImage& imagen, const QString& para);
    void Ico(const QString& relativa, const QList<QImage>& tamanos, const QString& para);
    void Texto(const QString& relativa, const QString& contenido, const QString& para);
    // Starts a new titled section of the list.
    void Seccion(const QString& titulo);

    // Writes the list (plain text, UTF-8) as `relativa`.
    void EscribirLista(const QString& relativa, const QString& cabecera);
    int Fallos() const { return fallos_; }

private:
    QString Preparar(const QString& relativa);
    void Anotar(const QString& relativa, const QString& medida, const QString& para);
    void Comprobar(const QString& ruta, const QString& relativa, QSize esperado);
    void Fallo(const QString& relativa, const QString& motivo);

    QString carpeta_;
    QStringList lista_;
    int fallos_ = 0;
};
