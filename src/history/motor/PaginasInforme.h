#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QStringList>
#include <optional>

#include "DisenoInforme.h"
#include "OrigenDatos.h"

// The prepared pages of a report: what to draw where, in millimetres from the paper's
// top-left corner. Prepared once; the screen, the printer and PDF draw the same pages.
namespace informes {

struct ElementoPagina {
    TipoObjeto tipo = TipoObjeto::Texto;
    QRectF caja;  // mm; for lines the two ends are the corners
    // Texts: the lines as they were broken when the page was prepared.
    QStringList lineas;
    Letra letra;
    Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignTop;
    qreal altoLinea = 0;  // mm
    QColor color = Qt::black;
    QColor fondo;
    // Lines, frames and text borders.
    qreal grosor = 0;
    QColor trazo = Qt::black;
    bool discontinua = false;
    qreal redondeo = 0;
    QImage imagen;

    QString Texto() const { return lineas.join('\n'); }
};

struct PaginaInforme {
    QList<ElementoPagina> elementos;
};

struct InformePreparado {
    QSizeF tamano{210, 297};  // mm
    QList<PaginaInforme> paginas;
    QString titulo;  // the layout file's name, for window titles and PDF properties

    int Paginas() const { return int(paginas.size()); }
    // Every text of one page, line by line, top to bottom: for finding and for tests.
    QStringList Textos(int pagina) const;
};

// What the program sets before a report runs, and the moment the engine calls "now".
struct OpcionesInforme {
    QHash<QString, QString> constantes;  // upper-case name -> value: GRUPO, PROPIETARIO...
    QDateTime ahora = QDateTime::currentDateTime();
    int maximoPaginas = 20000;  // a layout whose datasets never end stops here
};

// Lays out the report over its data: begin-document, the bands over the user datasets,
// end-document. On failure (too many pages) `error` says why and nothing is returned.
std::optional<InformePreparado> PrepararInforme(const Diseno& diseno, OrigenDatos& fuente,
                                                const OpcionesInforme& opciones, QString& error);

// Breaks a text into the lines that fit `ancho` mm in `letra` (word wrap; a word longer than
// the width is cut). Paragraphs end at LF, CR LF or CR.
QStringList PartirLineas(const QString& texto, const Letra& letra, qreal ancho);
// Height of one line of `letra`, in mm.
qreal AltoLinea(const Letra& letra);
QFont FuenteQt(const Letra& letra);

}  // namespace informes
