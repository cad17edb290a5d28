#pragma once

#include <QList>
#include <QString>

// Reading help pages: the files a page asks for, its directives and its frames.

// Where a file that a page names is found: a name with ":\" is used as it stands; a name
// with "ACCESO", "ACCEDER1" or "ACCEDER2" in it (in any case) is taken from the login's book
// "help\Acceso\"; any other name is relative to the folder of the page that names it.
// An anchor ("#...") is not part of the name.
QString ResolverReferencia(const QString& nombre, const QString& carpetaPagina);

// Levels of Include inside Include that are still read.
constexpr int kProfundidadIncluidos = 8;

// The page's directives replaced: <!--#date--> and <!--#time--> by the current date and time
// in the short formats of the system, <!--#include FILE="name"--> by the contents of that
// file (with its own directives). A file that cannot be read, a file that includes itself
// and an include nested too deep give nothing.
QString ExpandirDirectivas(const QString& html, const QString& carpetaPagina);

// Reads a help file as text (UTF-8, or Windows-1252 for files written on Windows).
// False when it cannot be read.
bool LeerTextoAyuda(const QString& archivo, QString& texto);

// Links that ask for a window of their own (target "_blank" or "_new") are marked with this
// prefix, so that the viewer, which does not keep the target, still knows them.
extern const QString kPrefijoVentanaNueva;
QString MarcarVentanasNuevas(const QString& html);

// The text of the page's <title>, blanks collapsed; empty when it has none.
QString TituloPagina(const QString& html);

// The frames of a frame set page, in the order they are written.
struct MarcoAyuda {
    QString nombre;
    QString fuente;
};
QList<MarcoAyuda> LeerMarcos(const QString& html);
