#pragma once

#include <QTextBrowser>

// One pane of the help window: shows a help file with its directives expanded, finds the
// files its pages name by the help's own rules, and shows a page of its own for a page
// that cannot be read.
class VisorAyuda : public QTextBrowser {
    Q_OBJECT
public:
    explicit VisorAyuda(QWidget* parent = nullptr);

    void MostrarArchivo(const QString& archivo, const QString& ancla = {});
    // Any address the viewer does not read itself gives the page not found.
    void MostrarDireccion(const QString& direccion);
    // The file shown (empty for an address).
    QString Archivo() const { return archivo_; }
    QString Carpeta() const;

    QVariant loadResource(int tipo, const QUrl& nombre) override;

    // Marks the links of this pane that lead to that file (the topic now shown beside it).
    void MarcarEnlacesA(const QString& archivo);

    static QString PaginaNoEncontrada(const QString& archivo);

protected:
    // Every road to a page (links, back and forward) passes here.
    void doSetSource(const QUrl& url, QTextDocument::ResourceType tipo) override;

private:
    QString archivo_;
};
