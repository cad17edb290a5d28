#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <optional>

#include "ArchivosInforme.h"
#include "DMT_UtilInformes.h"
#include "HistoriaPrueba.h"

namespace {

constexpr int kEquipo = 1;
const AveriaElegida kAveria30{30, false};
const AveriaElegida kAveria30Tutorizada{30, true};
const AveriaElegida kAveria31{31, false};

// The second file as a writer that does not touch it must leave it.
const QStringList kSegundoPrevio{"previo#"};

// Element 200's three places as the one-fault reports list them.
const QString kComentarioCodificado = "a&$b \\#1 \\& R\\&D \\$5";

struct Caso {
    const char* nombre;
    // Makes the owner current and runs the writer.
    std::function<void(HistoriaPrueba&, TdmCDS&, TUtilInformes&)> escribir;
    QStringList principal;
    // Nothing: the second file is not touched.
    std::optional<QStringList> segundo;
};

class LineasDeCadaInforme : public HistoriaPrueba, public ::testing::WithParamInterface<Caso> {};

TEST_P(LineasDeCadaInforme, EscribeExactamenteSusLineas) {
    const Caso& caso = GetParam();
    QFile previo(ArchivosInforme::Secundario());
    ASSERT_TRUE(previo.open(QIODevice::WriteOnly));
    previo.write("previo#\r\n");
    previo.close();

    TUtilInformes escritores(dm);
    caso.escribir(*this, dm, escritores);

    EXPECT_EQ(Lineas(ArchivosInforme::Principal()), caso.principal);
    EXPECT_EQ(Lineas(ArchivosInforme::Secundario()), caso.segundo.value_or(kSegundoPrevio));
    EXPECT_TRUE(mensajes_.textos().isEmpty()) << mensajes_.textos().join('\n').toStdString();
}

const QString kUbicaciones200Simple[] = {"1#10#200#4#123# # # # # #", "2#20#200#4#123# # # # # #",
                                         "2#21#200#4#123# # # # # #"};

const Caso kCasos[] = {
    {"TodasAlumno",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeTodasAlumno(kEquipo); },
     {"4#123#15/03/2023#10:00#15/03/2023#10:30#0d 00:20:00#T191#T5#T6#",
      // Paused and unfinished: no end, no duration, no verdict.
      "5#456#16/03/2023#09:00# # # #T177# #T6#", " "},
     QStringList{" "}},
    {"TodasSubgrupo",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeTodasSubgrupo(kEquipo); },
     {"4#123#17/03/2023#11:00#17/03/2023#11:10#0d 00:10:00#T177#T6#T6#", " "},
     std::nullopt},
    {"SimpleAlumnoNoTomaLaCopiaDelSubgrupo",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeSimpleAlumno(3, kAveria30); },
     {kUbicaciones200Simple[0], kUbicaciones200Simple[1], kUbicaciones200Simple[2], " "},
     QStringList{"1#10#100#" + kComentarioCodificado + "#15/03/2023#10:02#15/03/2023#10:04#00:02:00#T186#",
                 "2#20#200#Fusible#15/03/2023#10:17#15/03/2023#10:20#00:03:00#T186#", " "}},
    {"SimpleSubgrupoNoTomaLaPracticaPropia",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeSimpleSubgrupo(2, kAveria30); },
     {kUbicaciones200Simple[0], kUbicaciones200Simple[1], kUbicaciones200Simple[2], " "},
     QStringList{"2#21#200# #17/03/2023#11:02#17/03/2023#11:05#00:03:00#T187#", " "}},
    {"SimpleSinTerminarDejaEnBlancoElFinDeCadaLinea",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeSimpleAlumno(1, kAveria31); },
     {"1#10#100#5#456# # # # # #", " "},
     QStringList{"1#10#100# #16/03/2023#09:01# # # #T187#", " "}},
    {"SimpleSinHistoricoSoloLasLineasDeFin",
     [](HistoriaPrueba& h, TdmCDS&, TUtilInformes& e) {
         h.Miembro(9);
         e.InformeSimpleAlumno(3, kAveria30);
     },
     {" "},
     QStringList{" "}},
    {"CompletoAlumnoDosGruposDeDiagnostico",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeCompletoAlumno(kAveria30); },
     {"1#1#10#100#" + kComentarioCodificado + "#15/03/2023#10:02#15/03/2023#10:04#00:02:00#1#2# # #", " ",
      "2#2#20#200#Fusible#15/03/2023#10:17#15/03/2023#10:20#00:03:00#1#2#20# #", " "},
     QStringList{"0#1#10#200# # # # # # # # # # #", "0#2#20#200# # # # # # # # # # #",
                 "0#2#21#200# # # # # # # # # # #", " "}},
    {"CompletoTutorizadoCuentaLosIntentosRechazados",
     [](HistoriaPrueba& h, TdmCDS&, TUtilInformes& e) {
         h.Miembro(8);
         e.InformeCompletoAlumno(kAveria30Tutorizada);
     },
     {"1#2#20#200# #18/03/2023#08:02#18/03/2023#08:04#00:02:00#2#1#10#100#",
      "1#2#20#200# #18/03/2023#08:02#18/03/2023#08:04#00:02:00#2#2#20#200#", " "},
     QStringList{"0#1#10#200# # # # # # # # # # #", "0#2#20#200# # # # # # # # # # #",
                 "0#2#21#200# # # # # # # # # # #", " "}},
    {"CompletoSubgrupo",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeCompletoSubgrupo(kAveria30); },
     {"1#2#21#200# #17/03/2023#11:02#17/03/2023#11:05#00:03:00#1#2#21#200#", " "},
     QStringList{"0#1#10#200# # # # # # # # # # #", "0#2#20#200# # # # # # # # # # #",
                 "0#2#21#200# # # # # # # # # # #", " "}},
    {"CompletoSubgrupoDeUnaAveriaTutorizadaEnUnGrupoLibre",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeCompletoSubgrupo(kAveria30Tutorizada); },
     {"1#1#10#200# #19/03/2023#12:02#19/03/2023#12:04#00:02:00#2#1#10#200#",
      "1#1#10#200# #19/03/2023#12:02#19/03/2023#12:04#00:02:00#2#1#10#200#", " "},
     QStringList{"0#1#10#200# # # # # # # # # # #", "0#2#20#200# # # # # # # # # # #",
                 "0#2#21#200# # # # # # # # # # #", " "}},
    {"CompletoSinHistoricoDejaVacioElPrincipal",
     [](HistoriaPrueba& h, TdmCDS&, TUtilInformes& e) {
         h.Miembro(9);
         e.InformeCompletoAlumno(kAveria30);
     },
     {},
     QStringList{" "}},
    {"GrupoAlumnosConLosOtrosLugaresDelElemento",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeGrupoAlumnos(kEquipo); },
     {"Pérez Gómez, Ana#4#123#2#20#200#15/03/2023#10:00#15/03/2023#10:30#0d 00:20:00#T6#T191#",
      " # # #1#10#200# # # # # # # #", " # # #2#21#200# # # # # # # #",
      " #5#456#1#10#100#16/03/2023#09:00# # # #T6# #",
      "Núñez Peña, José#4#789#2#20#200#18/03/2023#08:00#18/03/2023#08:05#0d 00:05:00#T5#T191#",
      " # # #1#10#200# # # # # # # #", " # # #2#21#200# # # # # # # #", " "},
     std::nullopt},
    {"GrupoSubgruposUnaVezYSoloDelEntrenador",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeGrupoSubgrupos(kEquipo); },
     {"Equipo \\#1#4#123#2#20#200#17/03/2023#11:00#17/03/2023#11:10#0d 00:10:00#T6#T177#", " "},
     std::nullopt},
    {"AveriaAlumnos",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeAveriaAlumnos(kEquipo, kAveria30); },
     {"7#Pérez Gómez, Ana#15/03/2023#10:00#15/03/2023#10:30#0d 00:20:00#T6#T191#",
      "8#Núñez Peña, José#18/03/2023#08:00#18/03/2023#08:05#0d 00:05:00#T5#T191#", " "},
     QStringList{"1#10#200# # # # # # # #", "2#20#200# # # # # # # #", "2#21#200# # # # # # # #", " "}},
    {"AveriaSubgruposCadaMiembro",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeAveriaSubgrupos(kEquipo, kAveria30); },
     {"Equipo \\#1#Pérez Gómez ,Ana#17/03/2023#11:00#17/03/2023#11:10#0d 00:10:00#T6#T177#",
      "Equipo \\#1#Núñez Peña ,José#17/03/2023#11:00#17/03/2023#11:10#0d 00:10:00#T6#T177#", " "},
     QStringList{"1#10#200# # # # # # # #", "2#20#200# # # # # # # #", "2#21#200# # # # # # # #", " "}},
    {"Accesibilidad",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeAccesibilidad(); },
     {"4#123#1,2#Carga#Alternador#Fusible \\#3 \\& R\\&D \\$#",
      " # # #Arranque#Motor de arranque#Fusible \\#3 \\& R\\&D \\$#",
      " # # #Carga#Batería#Fusible \\#3 \\& R\\&D \\$#",
      "4#789#1,2#Carga#Alternador#Fusible \\#3 \\& R\\&D \\$#",
      " # # #Arranque#Motor de arranque#Fusible \\#3 \\& R\\&D \\$#",
      " # # #Carga#Batería#Fusible \\#3 \\& R\\&D \\$#", "5#456#3#Arranque#Motor de arranque#Relé#", " "},
     std::nullopt},
    {"ContrasenasEnOrdenDeApellidos",
     [](HistoriaPrueba&, TdmCDS&, TUtilInformes& e) { e.InformeContrasenas(); },
     {"9#Ávila Álvarez, Eva#AL009#", "7#Gómez Pérez, Ana#AL007#", "8#Peña Núñez, José#AL008#", " "},
     QStringList{"Equipo \\#1#Gómez Pérez, Ana#SUB003#", "Equipo \\#1#Peña Núñez, José#SUB003#", " "}},
    {"ContrasenasDeUnGrupoSinMiembrosNoListaANadie",
     [](HistoriaPrueba&, TdmCDS& dm, TUtilInformes& e) {
         dm.Modulo = "Alumnos";
         ASSERT_TRUE(dm.LocalizarGrupo(2));
         e.InformeContrasenas();
     },
     {" "},
     QStringList{" "}},
};

INSTANTIATE_TEST_SUITE_P(Informes, LineasDeCadaInforme, ::testing::ValuesIn(kCasos),
                         [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nombre); });

}  // namespace
