#pragma once

#include <QList>
#include <QString>

// The last pages the help window showed, newest first, for its history menu.
class HistorialAyuda {
public:
    static constexpr int kMaximo = 6;
    static constexpr int kLargoTitulo = 80;

    struct Entrada {
        QString titulo;  // as the menu shows it: at most kLargoTitulo characters
        QString pagina;  // what to load again: the page (or frame set) ...
        QString marco;   // ... and, in a frame set, the content frame's page
    };

    // A page was shown. A page already in the list becomes the current one where it stands;
    // a new one goes first, and the oldest beyond kMaximo leaves.
    void Visitar(const QString& titulo, const QString& pagina, const QString& marco = {});

    const QList<Entrada>& Entradas() const { return entradas_; }
    // Position of the current page in Entradas(); -1 while empty.
    int Actual() const { return actual_; }

    // The menu's text: the page title, followed by the frame title when the page has frames.
    static QString Titulo(const QString& tituloPagina, const QString& tituloMarco);

private:
    QList<Entrada> entradas_;
    int actual_ = -1;
};
