#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>

// A report layout as read from its ".frf" file (the format is described in docs/INFORMES.md).
// Every measure is in millimetres; object positions are relative to their band.
namespace informes {

enum class TipoBanda {
    Titulo,         // report title: once, at the top of the first page
    Cabecera,       // page header: at the top of every page
    CabeceraGrupo,  // before each group of records of a data band
    Maestro,        // master data: one per record of its dataset (1 unless told)
    Detalle,        // detail: inside each master record, over dataset 2 unless told
    Subdetalle,     // subdetail: inside each detail record, over dataset 3 unless told
    PieGrupo,       // after each group of records of a data band
    Resumen,        // summary: once, after all data
    Pie             // page footer: at the bottom of every page
};

enum class TipoObjeto { Texto, Linea, Marco, Imagen };

struct Letra {
    QString familia = "DejaVu Sans";
    qreal tamano = 9;  // points
    bool negrita = false;
    bool cursiva = false;
};

struct Objeto {
    TipoObjeto tipo = TipoObjeto::Texto;
    int linea = 0;  // line of the layout file, for messages
    QRectF caja;    // texts, frames, pictures; for lines x1,y1 -> x2,y2 as the corners
    // Texts.
    QString texto;  // with [VARIABLE] placeholders
    Letra letra;
    Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignTop;
    bool ajustar = true;   // word wrap
    bool estirar = false;  // the box grows downwards to hold every line (the band grows with it)
    QColor color = Qt::black;
    QColor fondo;  // invalid: none
    // Lines and frames (and the border of a text when grosor > 0).
    qreal grosor = 0;  // mm
    QColor trazo = Qt::black;
    bool discontinua = false;
    qreal redondeo = 0;  // mm, frames only
    // Pictures.
    QString archivo;
    QImage imagen;
    // Bands named by the totals of the text.
    QStringList bandasNombradas;
};

struct Banda {
    TipoBanda tipo = TipoBanda::Maestro;
    int linea = 0;
    QString nombre;            // data bands: how group bands name them ("de=")
    qreal alto = 0;            // mm
    int datos = 0;             // data bands: user dataset 1, 2 or 3
    QString clave;             // group headers: a new group starts when this text changes
    QString de;                // group bands: the data band they belong to
    bool nuevaPagina = false;  // start on a new page (unless the page is still empty)
    bool repetir = false;      // group headers: printed again under the page header of each new page
    QList<Objeto> objetos;
    // Set by the reader: the data bands nested in this one, and its group bands.
    QList<int> hijas;
    int cabeceraGrupo = -1;
    int pieGrupo = -1;
};

struct Diseno {
    QString archivo;
    QSizeF pagina{210, 297};
    qreal izquierda = 15, derecha = 15, arriba = 12, abajo = 12;
    Letra letra;  // default letter of the texts
    QList<Banda> bandas;
    // Indexes into `bandas`.
    int titulo = -1, cabecera = -1, resumen = -1, pie = -1;
    QList<int> maestros;  // top-level data bands, in file order

    qreal AnchoUtil() const { return pagina.width() - izquierda - derecha; }
    qreal AltoUtil() const { return pagina.height() - arriba - abajo; }
};

// A total that the engine keeps over the records of a data band, written in a text as
// "[CUENTA(banda)]", "[CUENTA(banda; VARIABLE)]", "[CUENTA(banda; VARIABLE; valor)]" or
// "[SUMATIEMPO(banda; VARIABLE)]". An empty band name means the group's band in a group
// footer, else the first master band.
struct Agregado {
    enum Funcion { Cuenta, SumaTiempo } funcion = Cuenta;
    QString banda;
    QString variable;
    std::optional<QString> valor;
};
// The insides of the placeholders of a text, in order: every "[" opens one that the next
// "]" closes; "[[" is a bracket. `cerrados` tells whether the last one was closed.
QStringList Marcadores(const QString& texto, bool* cerrados = nullptr);
// Reads the inside of a placeholder that is a total; nullopt when it is a plain variable.
// Raises nothing: a malformed total gives `mal` = true.
std::optional<Agregado> LeerAgregado(const QString& marcador, bool& mal);

// Where and why a layout could not be read.
struct ErrorDiseno {
    QString archivo;
    int linea = 0;  // 0 when the file itself could not be opened
    QString mensaje;
    // "archivo, línea N: mensaje", from the language file.
    QString Texto() const;
};

// Reads a layout file. Pictures are resolved under the installation folder.
std::optional<Diseno> LeerDiseno(const QString& ruta, ErrorDiseno& error);
// The same from text already in memory; `archivo` names it in messages.
std::optional<Diseno> LeerDisenoTexto(const QString& texto, const QString& archivo, ErrorDiseno& error);

}  // namespace informes

namespace informes {
// Texts of the report engine come from the language file like every other text.
QString TextoMotor(int numero);
bool EsDatos(TipoBanda tipo);
// The data band called `nombre`, or the first band of that kind ("maestro", "detalle",
// "subdetalle"); -1 when there is none.
int BandaDeDatos(const Diseno& d, const QString& nombre);
}  // namespace informes
