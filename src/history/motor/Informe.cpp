#include "Informe.h"

#include "Mensajes.h"

bool Informe::CargarDiseno(const QString& ruta) {
    paginas_.reset();
    diseno_ = informes::LeerDiseno(ruta, error_);
    if (!diseno_) MostrarMensaje(error_.Texto(), BotonesAceptar, 2);
    return diseno_.has_value();
}

bool Informe::Preparar(informes::OrigenDatos& origen, const informes::OpcionesInforme& opciones) {
    paginas_.reset();
    if (!diseno_) return false;
    QString error;
    paginas_ = informes::PrepararInforme(*diseno_, origen, opciones, error);
    if (!paginas_) MostrarMensaje(error, BotonesAceptar, 2);
    return paginas_.has_value();
}

bool Informe::GuardarPdf(const QString& ruta) {
    if (!paginas_) return false;
    QString error;
    if (informes::GuardarPdf(*paginas_, ruta, error)) return true;
    MostrarMensaje(error, BotonesAceptar, 2);
    return false;
}
