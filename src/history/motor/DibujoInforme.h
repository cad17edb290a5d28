#pragma once

#include <QList>
#include <QPagedPaintDevice>
#include <QPainter>
#include <optional>

#include "PaginasInforme.h"

namespace informes {

// Draws one prepared page on any painter (a picture for the screen, a printer, a PDF file).
// The page's top-left corner goes to `origen`, in the device's pixels; millimetres become
// pixels at the device's resolution, and letters keep their size in points.
void DibujarPagina(QPainter& p, const InformePreparado& informe, int pagina, QPointF origen = {});

// The pages to send, as indexes from 0: pages `desde` to `hasta` (from 1), `copias` times,
// each copy whole when `intercalar`, else each page its copies in a row.
QList<int> OrdenPaginas(int desde, int hasta, int copias, bool intercalar);
// A page range written as "3", "2-5", "2-" or "-4", within 1..paginas; nullopt if it is not one.
std::optional<std::pair<int, int>> LeerRango(const QString& texto, int paginas);

// Sends the pages in `orden` to a device that is not open yet (a printer, a PDF writer);
// the device's page size is set from the report. False when the device cannot be opened.
bool EnviarPaginas(QPagedPaintDevice& dispositivo, const InformePreparado& informe, const QList<int>& orden);
// Writes every page as one PDF file; `error` says why it could not.
bool GuardarPdf(const InformePreparado& informe, const QString& ruta, QString& error);

}  // namespace informes
