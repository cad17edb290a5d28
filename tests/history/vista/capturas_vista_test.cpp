#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include "CarpetaTemporal.h"
#include "FuenteEjemplo.h"
#include "HojasInforme.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "VistaPreviaInforme.h"

using namespace informes;

namespace {

// Pictures of the preview of each kind of report, for a person to look at: written only
// when AVERIAS_CAPTURAS names a folder (scripts/capturas runs it on a virtual display).
class CapturasVistaPrevia : public ::testing::TestWithParam<const char*> {
protected:
    IdiomaTemporal idioma{carpetaFuentes() + "/installation/idioma.lng"};
    InstalacionTemporal instalacion{carpetaFuentes() + "/installation"};
};

TEST_P(CapturasVistaPrevia, Ventana) {
    const QString carpeta = qEnvironmentVariable("AVERIAS_CAPTURAS");
    if (carpeta.isEmpty()) GTEST_SKIP();
    const QString nombre = GetParam();
    ErrorDiseno error;
    const auto d = LeerDiseno(Instalacion::Ruta("Informes\\" + nombre + ".frf"), error);
    ASSERT_TRUE(d) << error.Texto().toStdString();
    FuenteEjemplo fuente(nombre);
    OpcionesInforme opciones;
    opciones.constantes = fuente.Constantes();
    QString fallo;
    const auto informe = PrepararInforme(*d, fuente, opciones, fallo);
    ASSERT_TRUE(informe);
    VistaPreviaInforme vista(*informe, 1);
    vista.resize(1100, 860);
    vista.show();
    QApplication::processEvents();
    if (nombre == "Informe4AL") {
        // Whole page, and a find that marks its place.
        auto* zoom = vista.findChild<QComboBox*>("ComboZoom");
        zoom->setCurrentIndex(1);
        emit zoom->activated(1);
        vista.findChild<QLineEdit*>("EditBuscar")->setText("Ortega");
        vista.BuscarSiguiente("Ortega");
    }
    QApplication::processEvents();
    EXPECT_TRUE(vista.grab().save(QString("%1/vista_previa_%2.png").arg(carpeta, nombre)));
}

INSTANTIATE_TEST_SUITE_P(Casos, CapturasVistaPrevia,
                         ::testing::Values("Informe1AL", "Informe2ALPROFE", "Informe3SUB", "Informe4AL",
                                           "Informe5AL", "Informe9", "Informe10"));

}  // namespace
