#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>

#include "CarpetaTemporal.h"
#include "DibujoInforme.h"
#include "FuenteEjemplo.h"
#include "FuentePrueba.h"
#include "Idioma.h"
#include "Instalacion.h"

using namespace informes;

namespace {

struct CasoDiseno {
    const char* nombre;
    QStringList textos;  // somewhere in the report
};

// Every layout the installation ships, over sample data shaped as its report data files.
const CasoDiseno kDisenos[] = {
    {"Informe1AL",
     {"Historial de averías del alumno", "Alumno: García López, Marta",
      "Subgrupos: Equipo Azul, Equipo Verde"}},
    {"Informe1ALPROFE", {"Alumno: García López, Marta", "Observaciones del profesor"}},
    {"Informe1SUB", {"Historial de averías del subgrupo", "Subgrupo: Equipo Azul"}},
    {"Informe1SUBPROFE", {"Subgrupo: Equipo Azul", "Visto bueno"}},
    {"Informe2AL",
     {"Avería 101 · código virtual 27", "Sus intentos de reparación",
      "Intentos: 3 · Tiempo de los intentos: 00:41:12"}},
    {"Informe2ALPROFE", {"Avería 101 · código virtual 27", "Observaciones del profesor"}},
    {"Informe2SUB",
     {"Subgrupo: Equipo Azul", "Miembros: García López, Marta; Ruiz Sanz, Pablo; Ortega Gil, Lucía"}},
    {"Informe2SUBPROFE", {"Subgrupo: Equipo Azul", "Visto bueno"}},
    {"Informe3AL",
     {"Diagnóstico 1", "Diagnóstico 2", "Pasos: 2", "Pasos: 3", "Dónde está el elemento averiado"}},
    {"Informe3SUB", {"Subgrupo: Equipo Azul", "Diagnóstico 2"}},
    {"Informe4AL", {"Averías de todos los alumnos", "García López, Marta", "Ruiz Sanz, Pablo"}},
    {"Informe4SUB", {"Averías de todos los subgrupos", "Equipo Verde"}},
    {"Informe5AL",
     {"Avería 101", "Prácticas de los alumnos", "Ortega Gil, Lucía",
      "Prácticas: 5     Reparadas: 3     Tutorizadas: 2"}},
    {"Informe5SUB", {"Prácticas de los subgrupos", "Equipo Rojo", "Serrano Díaz, Irene"}},
    {"Informe9", {"Averías accesibles del grupo", "R11 R12 R14", "Averías accesibles: 4"}},
    {"Informe10", {"Cod. Alumno: 1", "García López, Marta", "MARTA7"}},
};

class DisenosInstalados : public ::testing::TestWithParam<CasoDiseno> {
protected:
    IdiomaTemporal idioma{carpetaFuentes() + "/installation/idioma.lng"};
    InstalacionTemporal instalacion{carpetaFuentes() + "/installation"};

    InformePreparado Preparar(const QString& nombre) {
        ErrorDiseno error;
        const auto d = LeerDiseno(Instalacion::Ruta("Informes\\" + nombre + ".frf"), error);
        EXPECT_TRUE(d) << error.Texto().toStdString();
        if (!d) return {};
        FuenteEjemplo fuente(nombre);
        OpcionesInforme opciones;
        opciones.constantes = fuente.Constantes();
        opciones.ahora = QDateTime(QDate(2026, 2, 20), QTime(12, 30));
        QString fallo;
        auto informe = PrepararInforme(*d, fuente, opciones, fallo);
        EXPECT_TRUE(informe) << fallo.toStdString();
        return informe.value_or(InformePreparado{});
    }
};

TEST_P(DisenosInstalados, SeLeenYMuestranSusDatos) {
    const InformePreparado informe = Preparar(GetParam().nombre);
    ASSERT_GE(informe.Paginas(), 1);
    QString todo;
    for (int p = 0; p < informe.Paginas(); ++p) todo += informe.Textos(p).join('\n') + '\n';
    for (const QString& texto : GetParam().textos)
        EXPECT_TRUE(todo.contains(texto)) << texto.toStdString() << "\n---\n" << todo.toStdString();
    for (int p = 0; p < informe.Paginas(); ++p) {
        const QString pagina = informe.Textos(p).join('\n');
        EXPECT_TRUE(pagina.contains(QString("Página %1 de %2").arg(p + 1).arg(informe.Paginas())));
        EXPECT_TRUE(pagina.contains("Impreso el 20/02/2026 a las 12:30"));
        // No placeholder left unresolved.
        EXPECT_FALSE(pagina.contains('[')) << pagina.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, DisenosInstalados, ::testing::ValuesIn(kDisenos),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST(DisenosInstalados, CadaDisenoDeLaInstalacionTieneSuCaso) {
    QStringList instalados = QDir(carpetaFuentes() + "/installation/Informes").entryList({"*.frf"});
    QStringList probados;
    for (const CasoDiseno& c : kDisenos) probados << QString(c.nombre) + ".frf";
    instalados.sort();
    probados.sort();
    EXPECT_EQ(instalados, probados);
}

// Pictures of the first pages of every layout, for a person to look at: written only when
// AVERIAS_CAPTURAS names a folder (scripts/capturas).
class CapturasInformes : public DisenosInstalados {};

TEST_P(CapturasInformes, PrimerasPaginas) {
    const QString carpeta = qEnvironmentVariable("AVERIAS_CAPTURAS");
    if (carpeta.isEmpty()) GTEST_SKIP();
    const InformePreparado informe = Preparar(GetParam().nombre);
    for (int p = 0; p < std::min(2, informe.Paginas()); ++p) {
        constexpr int dpi = 110;
        QImage imagen(qRound(210 / 25.4 * dpi), qRound(297 / 25.4 * dpi), QImage::Format_RGB32);
        imagen.setDotsPerMeterX(qRound(dpi / 0.0254));
        imagen.setDotsPerMeterY(qRound(dpi / 0.0254));
        imagen.fill(Qt::white);
        {
            QPainter pintor(&imagen);
            DibujarPagina(pintor, informe, p);
        }
        EXPECT_TRUE(imagen.save(QString("%1/informe_%2_%3.png").arg(carpeta, GetParam().nombre).arg(p + 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, CapturasInformes, ::testing::ValuesIn(kDisenos),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

}  // namespace
