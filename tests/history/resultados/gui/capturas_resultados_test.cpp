// A picture of the results page on the demo group, for a person to look at: written only
// when AVERIAS_CAPTURAS names a folder (scripts/capturas runs it on a virtual display),
// and into the teachers' help book, which shows it.
#include <QApplication>

#include "DMT_Resultados.h"
#include "DemoResultados.h"

namespace {

class CapturasResultados : public DemoResultados {};

TEST_F(CapturasResultados, LaPaginaDelGrupoDeDemostracion) {
    if (qEnvironmentVariableIsEmpty("AVERIAS_CAPTURAS")) GTEST_SKIP();
    TFDMT_Resultados pagina;
    pagina.resize(1360, 900);
    pagina.MostrarGrupo(1);
    pagina.show();
    QApplication::processEvents();
    const QImage imagen = pagina.grab().toImage();
    EXPECT_TRUE(imagen.save(qEnvironmentVariable("AVERIAS_CAPTURAS") + "/resultados.png"));
    EXPECT_TRUE(imagen.save(qEnvironmentVariable("AVERIAS_FUENTES") +
                            "/installation/Help/gestion/capturas/resultados.png"));
}

}  // namespace
