#include "ImpresionInforme.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "DibujoInforme.h"
#include "Idioma.h"
#include "Mensajes.h"

namespace impresion {

namespace {

// The printer chosen by index; empty for the system's default.
QString& ImpresoraElegida() {
    static QString nombre;
    return nombre;
}

void PrepararImpresora(QPrinter& impresora, const informes::InformePreparado& informe) {
    if (!ImpresoraElegida().isEmpty()) impresora.setPrinterName(ImpresoraElegida());
    // The pages are laid out from the paper's corner, not from the printable area.
    impresora.setFullPage(true);
    impresora.setPageSize(QPageSize(informe.tamano, QPageSize::Millimeter));
    impresora.setDocName(informe.titulo);
    impresora.setCreator("Averías");
}

}  // namespace

bool ElegirImpresora(int indice) {
    const QList<QPrinterInfo> impresoras = QPrinterInfo::availablePrinters();
    if (indice < 0 || indice >= impresoras.size()) return false;
    ImpresoraElegida() = impresoras[indice].printerName();
    return true;
}

QList<int> OrdenParaImpresora(const QPrinter& impresora, int paginas, int actual) {
    int desde = 1, hasta = paginas;
    if (impresora.printRange() == QPrinter::CurrentPage) {
        desde = hasta = std::clamp(actual + 1, 1, paginas);
    } else if (impresora.printRange() == QPrinter::PageRange && impresora.fromPage() > 0) {
        desde = std::clamp(impresora.fromPage(), 1, paginas);
        hasta = std::clamp(impresora.toPage() > 0 ? impresora.toPage() : paginas, desde, paginas);
    }
    const bool laImpresoraCopia = impresora.supportsMultipleCopies();
    const int copias = laImpresoraCopia ? 1 : std::max(1, impresora.copyCount());
    return informes::OrdenPaginas(desde, hasta, copias, impresora.collateCopies());
}

bool Imprimir(QPrinter& impresora, const informes::InformePreparado& informe, int actual) {
    if (informe.Paginas() == 0) {
        MostrarMensaje(Texto(38073));
        return false;
    }
    const QList<int> orden = OrdenParaImpresora(impresora, informe.Paginas(), actual);
    MostrarEstado(Texto(38076));
    const bool bien = informes::EnviarPaginas(impresora, informe, orden);
    OcultarEstado();
    if (!bien) MostrarMensaje(Texto(38074), BotonesAceptar, 2);
    return bien;
}

bool ImprimirConDialogo(const informes::InformePreparado& informe, QWidget* padre, int actual) {
    if (informe.Paginas() == 0) {
        MostrarMensaje(Texto(38073));
        return false;
    }
    QPrinter impresora(QPrinter::HighResolution);
    PrepararImpresora(impresora, informe);
    impresora.setCopyCount(1);
    impresora.setCollateCopies(true);
    impresora.setFromTo(1, informe.Paginas());
    QPrintDialog dialogo(&impresora, padre);
    dialogo.setMinMax(1, informe.Paginas());
    dialogo.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies |
                       QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCurrentPage);
    if (dialogo.exec() != QDialog::Accepted) return false;
    return Imprimir(impresora, informe, actual);
}

bool ImprimirRango(const informes::InformePreparado& informe, const QString& rango, int copias) {
    const auto paginas = informes::LeerRango(rango, informe.Paginas());
    if (!paginas || QPrinterInfo::availablePrinters().isEmpty()) return false;
    QPrinter impresora(QPrinter::HighResolution);
    PrepararImpresora(impresora, informe);
    impresora.setPrintRange(QPrinter::PageRange);
    impresora.setFromTo(paginas->first, paginas->second);
    impresora.setCopyCount(copias);
    return Imprimir(impresora, informe);
}

}  // namespace impresion
