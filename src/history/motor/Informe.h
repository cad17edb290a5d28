#pragma once

#include <QString>
#include <optional>

#include "DibujoInforme.h"
#include "DisenoInforme.h"
#include "OrigenDatos.h"
#include "PaginasInforme.h"

// One report as the program runs it: load a layout, prepare its pages over a data source,
// then count, preview, print or save them. A layout that cannot be read, or pages that
// cannot be prepared, are told through the message layer, and nothing else happens.
class Informe {
public:
    // False (and a message with the file, the line and the reason) when it cannot be read.
    bool CargarDiseno(const QString& ruta);
    bool Cargado() const { return diseno_.has_value(); }
    const informes::ErrorDiseno& ErrorCarga() const { return error_; }

    // Lays the pages out over `origen`; the previous pages are dropped first.
    bool Preparar(informes::OrigenDatos& origen, const informes::OpcionesInforme& opciones = {});
    bool Preparado() const { return paginas_.has_value(); }
    int Paginas() const { return paginas_ ? paginas_->Paginas() : 0; }
    const informes::InformePreparado& Paginado() const { return *paginas_; }

    // False, with a message, when the file cannot be written.
    bool GuardarPdf(const QString& ruta);

private:
    std::optional<informes::Diseno> diseno_;
    informes::ErrorDiseno error_;
    std::optional<informes::InformePreparado> paginas_;
};
