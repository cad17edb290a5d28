#pragma once

#include <QString>

#include "PaginasInforme.h"

class QPrinter;
class QWidget;

// Printing a prepared report on a QPrinter, with the page range, copies and collation that
// the printer carries (as the print dialog left them).
namespace impresion {

// Pages to send (`actual` is the page in view, from 0): the printer's page range (all when it has none); the
// copies are sent one by one, in the collation asked for, unless the printer makes them itself.
QList<int> OrdenParaImpresora(const QPrinter& impresora, int paginas, int actual = 0);
// Prints on `impresora`; false (and a message) when the printer could not be used.
bool Imprimir(QPrinter& impresora, const informes::InformePreparado& informe, int actual = 0);
// Shows the print dialog (printer, page range, copies, collation) and prints. False when
// cancelled or when there is nothing to print.
bool ImprimirConDialogo(const informes::InformePreparado& informe, QWidget* padre, int actual = 0);
// Chooses the printer of the installed ones (QPrinterInfo::availablePrinters order) that the
// next printing uses. The pages are measured in millimetres and need no rebuilding for it.
// False, and the choice unchanged, when there is no printer with that index.
bool ElegirImpresora(int indice);

// Prints pages `rango` ("1-" + count, or from + "-" + to) on the default printer, without a dialog.
bool ImprimirRango(const informes::InformePreparado& informe, const QString& rango, int copias);

}  // namespace impresion
