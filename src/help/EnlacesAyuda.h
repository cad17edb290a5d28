#pragma once

#include <QString>

// What the help window does with a link that is clicked.
enum class AccionEnlace {
    Seguir,        // the viewer shows the page (or its own page when it does not exist)
    Escritorio,    // mail and web: handed to the desktop, not followed
    Reproducir,    // sound and video: handed to the desktop's player, not followed
    Programa,      // a program: never started, the window says so
    VentanaNueva,  // the page in a second help window
};

struct EnlaceAyuda {
    AccionEnlace accion = AccionEnlace::Seguir;
    QString destino;     // the address, or the resolved file
    QString ancla;       // "#..." of a page, without the "#"
    QString parametros;  // what followed the file after a blank or a "?"
};

// Sorts a link of a page in the folder `carpetaPagina`. Links with ":" at the third
// character or later (other than "file:") are addresses; every other link names a file,
// resolved as the page's references are (ResolverReferencia).
EnlaceAyuda ClasificarEnlace(const QString& enlace, const QString& carpetaPagina);
