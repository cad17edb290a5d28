// The group's practices as a spreadsheet, on the report tests' small history
// (HistoriaPrueba.h tells what it holds).
#include <gtest/gtest.h>

#include <QDateTime>

#include "HistoriaPrueba.h"
#include "HistorialGrupo.h"
#include "HojaHistorial.h"
#include "RutasDatos.h"

namespace {

const QString kCabecera =
    "Grupo;Entrenador;Alumno o subgrupo;Código virtual;Número real;Descripción;Inicio;Fin;Duración (min);"
    "Modo;Intentos;Pasos erróneos;Terminada;Veredicto";

class HojaHistorialPrueba : public HistoriaPrueba {
protected:
    static QStringList Textos(const std::vector<CeldaResultado>& fila) {
        QStringList textos;
        for (const CeldaResultado& c : fila) textos << c.texto;
        return textos;
    }
    // The rows' texts, each joined by ";" as a reader of the file sees them unquoted.
    static QStringList Filas(const TablaResultados& t) {
        QStringList filas;
        for (const auto& fila : t.filas) filas << Textos(fila).join(';');
        return filas;
    }
    void CambiarDescripcion(int averia, const QString& descripcion) {
        TClientDataSet averias("cdsAveria");
        const QString archivo = RutasDatos::Archivo(RutasDatos::CarpetaEquipo(1), "cdsAveria");
        averias.LoadFromFile(archivo);
        ASSERT_TRUE(averias.Locate("cdsAvFIdAveria", averia));
        ASSERT_TRUE(averias.Edit());
        averias.FieldByName("cdsAvFDescripcion")->SetAsString(descripcion);
        ASSERT_TRUE(averias.Post());
        averias.MergeChangeLog();
        averias.SaveToFile(archivo);
    }
};

TEST_F(HojaHistorialPrueba, UnaFilaPorPracticaYUnaPorPracticaDeSubgrupo) {
    const TablaResultados t = TablaHistorial(LeerHistorialGrupo(1), std::nullopt);
    EXPECT_EQ(t.columnas.join(';'), kCabecera);
    // Ana's A and B, José's D; C (in both histories) and E once, under the subgroup, last.
    const QStringList esperadas = {
        "1A;Motor;Pérez Gómez, Ana;123;4;;2023-03-15 10:00:00;2023-03-15 "
        "10:30:00;20,00;Libre;2;0;Sí;Reparada",
        "1A;Motor;Pérez Gómez, Ana;456;5;;2023-03-16 09:00:00;;;Libre;1;0;No;Sin finalizar",
        "1A;Motor;Núñez Peña, José;789;4;;2023-03-18 08:00:00;2023-03-18 "
        "08:05:00;5,00;Tutorizada;2;0;Sí;Reparada",
        "1A;Motor;Equipo #1;123;4;;2023-03-17 11:00:00;2023-03-17 11:10:00;10,00;Libre;1;0;Sí;No reparada",
        // Trainer 2 is not installed: no seed, no catalogue, wrong steps unknown.
        "1A;Equipo 2;Equipo #1;;30 (eliminada);;2023-03-19 12:00:00;2023-03-19 "
        "12:06:00;6,00;Tutorizada;1;;Sí;"
        "Reparada",
    };
    QStringList filas = Filas(t);
    ASSERT_EQ(filas.size(), esperadas.size()) << filas.join('\n').toStdString();
    // Students by name (Eva has no practice), then the subgroup.
    const int ana = filas.indexOf(esperadas[0]), jose = filas.indexOf(esperadas[2]);
    ASSERT_GE(ana, 0) << filas.join('\n').toStdString();
    ASSERT_GE(jose, 0) << filas.join('\n').toStdString();
    EXPECT_EQ(filas[ana + 1], esperadas[1]);
    EXPECT_EQ(filas.mid(3), esperadas.mid(3));
    // The cells keep values to sort by: numbers and moments, not their texts.
    EXPECT_EQ(t.filas[ana][8].valor.toDouble(), 20.0);
    EXPECT_EQ(t.filas[ana][6].valor.toDateTime(), QDateTime(QDate(2023, 3, 15), QTime(10, 0)));
}

TEST_F(HojaHistorialPrueba, ConUnEquipoSoloSusPracticas) {
    const HistorialGrupo h = LeerHistorialGrupo(1);
    struct Caso {
        std::optional<int> equipo;
        int filas;
    };
    for (const Caso& c : {Caso{1, 4}, Caso{2, 1}, Caso{3, 0}}) {
        const TablaResultados t = TablaHistorial(h, c.equipo);
        EXPECT_EQ(t.filas.size(), std::size_t(c.filas)) << *c.equipo;
        for (const auto& fila : t.filas) EXPECT_EQ(fila[1].texto, *c.equipo == 1 ? "Motor" : "Equipo 2");
    }
}

TEST_F(HojaHistorialPrueba, ElVeredictoDiceTambienLoQueRespondioElAlumno) {
    struct Caso {
        bool terminada, respuesta, correcta;
        const char* veredicto;
    };
    const Caso casos[] = {
        {true, true, true, "Reparada"},
        {true, false, true, "Reparada (finalizada como no reparada)"},
        {true, true, false, "No reparada (finalizada como reparada)"},
        {true, false, false, "No reparada"},
        {false, true, true, "Sin finalizar"},
    };
    HistorialGrupo h = LeerHistorialGrupo(1);
    h.practicas.resize(1);
    for (const Caso& c : casos) {
        Practica& p = h.practicas[0];
        p.terminada = c.terminada;
        p.respuesta = c.respuesta;
        p.correcta = c.correcta;
        const auto fila = TablaHistorial(h, std::nullopt).filas.at(0);
        EXPECT_EQ(fila[12].texto, c.terminada ? "Sí" : "No");
        EXPECT_EQ(fila[13].texto, c.veredicto);
    }
}

TEST_F(HojaHistorialPrueba, ElArchivoLlevaMarcaDeOrdenPuntoYComaYCrLf) {
    const QByteArray hoja = HojaCalculo(TablaHistorial(LeerHistorialGrupo(1), 1));
    ASSERT_TRUE(hoja.startsWith("\xEF\xBB\xBF")) << hoja.left(20).toStdString();
    const QStringList lineas = QString::fromUtf8(hoja.mid(3)).split("\r\n");
    EXPECT_EQ(lineas.size(), 6);  // the header, four rows and the empty end
    EXPECT_EQ(lineas.first(), kCabecera);
    EXPECT_EQ(lineas.last(), "");
    EXPECT_FALSE(hoja.mid(3).replace("\r\n", "").contains('\n'));
}

TEST_F(HojaHistorialPrueba, UnValorConPuntoYComaComillasOSaltosVaEntreComillas) {
    struct Caso {
        QString descripcion;
        QByteArray campo;
    };
    const Caso casos[] = {
        {"Fusible F3 fundido", "Fusible F3 fundido"},
        {"Fusible \"F3\"; sin tensión", "\"Fusible \"\"F3\"\"; sin tensión\""},
        {"Fusible\r\nsin tensión", "\"Fusible\r\nsin tensión\""},
    };
    for (const Caso& c : casos) {
        CambiarDescripcion(31, c.descripcion);
        const QByteArray hoja = HojaCalculo(TablaHistorial(LeerHistorialGrupo(1), 1));
        // Ana's practice B, the only one of fault 31.
        EXPECT_TRUE(hoja.contains(";456;5;" + c.campo + ";2023-03-16 09:00:00;")) << hoja.toStdString();
    }
}

}  // namespace
