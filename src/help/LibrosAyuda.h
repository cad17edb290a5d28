#pragma once

#include <QString>
#include <QStringList>

// The three help books and the topics of the windows. A book of topics (1 class management,
// 2 workstation) is a frame set "help.htm" whose content frame starts at "introduccion.htm";
// its topic page "helpAux.htm" is the same frame set starting at the topic's page. Book 3
// (the login) is a single page. A window without a topic opens a book at its introduction.
struct LibroAyuda {
    int numero = 0;
    QString carpeta;  // under the installation, written with "\"
    QString pagina;   // the page loaded: "helpAux.htm", or the page itself without topics
    bool conTemas = false;
};

// The book by its number; nullptr for an unknown number.
const LibroAyuda* BuscarLibro(int libro);

// The topic page name (without ".htm") of a window's Tag in a book; empty when none.
QString TemaDeTag(int tag, int libro);

// Tag of the help window itself, of the login window and of the introduction.
constexpr int kTagAyuda = 19;
constexpr int kTagLogin = 5;
constexpr int kTagIntroduccion = 21;

// The line with its first "introduccion.htm" replaced by the topic's page.
QByteArray ReemplazarPrimeraIntroduccion(const QByteArray& linea, const QString& tema);

// The page a book shows at a topic, ready to load.
struct PaginaPreparada {
    QString archivo;      // full path of the page to load; empty when it could not be prepared
    QString carpetaBase;  // the book's folder: relative names of a frame set resolve there
};

// The book's folder under the installation, with a trailing "/".
QString CarpetaDelLibro(const LibroAyuda& libro);

// Builds the book's "helpAux.htm" for the topic (when the book has topics and the topic is
// not empty) and says what to load. "helpAux.htm" is written next to "help.htm" when that
// folder is writable, else in a per-user temporary folder. Every path goes through the
// installation's case-insensitive lookup.
PaginaPreparada PrepararTema(const LibroAyuda& libro, const QString& tema);

// The page named on the command line: the text after the program's own path (after the
// first closing quote followed by a blank when the path is quoted), without double quotes,
// trimmed.
QString PaginaDeLineaDeOrdenes(const QString& linea);
// The same for arguments already split, the program's path first.
QString PaginaDeArgumentos(const QStringList& argumentos);
// The file of a page asked for by name: an absolute path as it is, a relative one from the
// current folder when it is there, else under the installation (case-insensitive).
QString ArchivoDePaginaPedida(const QString& pagina);
