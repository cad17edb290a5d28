// averias-datos resultados on the demo installation and on bad arguments.
#include <gtest/gtest.h>

#include <set>

#include "ClientDataSet.h"
#include "DemoDatos.h"

namespace {

struct Ejecucion {
    int estado;
    QString salida, errores;
};

Ejecucion Resultados(const QStringList& argumentos) {
    const EjecucionDatos e = EjecutarOrdenDatos("resultados", argumentos);
    return {e.estado, QString::fromUtf8(e.salida), e.errores};
}

class ResultadosDemoTest : public DemoDatos {
protected:
    // The fault numbers of trainer 1 that the demo's group practised, read from the files.
    static std::set<QString> AveriasPracticadas() {
        TClientDataSet averias;
        averias.LoadFromFile(demo() + "/BDs/EQ001/cdsAveria.cds");
        std::set<QString> numeros;
        for (const char* alumno : {"002", "003", "004", "005"}) {
            TClientDataSet practicas;
            practicas.LoadFromFile(demo() + QString("/Historic/cdsReparacion%1.cds").arg(alumno));
            for (practicas.First(); !practicas.Eof(); practicas.Next()) {
                EXPECT_TRUE(averias.Locate("cdsAvFIdAveria",
                                           practicas.FieldByName("cdsRepFPtrIdAveria")->AsInteger()));
                numeros.insert(averias.FieldByName("cdsAvFCodAveria")->AsString());
            }
        }
        return numeros;
    }
};

const QString kCabeceraAverias =
    "Equipo;Avería;Descripción;Prácticas;Sin terminar;% a la primera;% reparadas;% dadas por reparadas;"
    "Mediana tiempo;P90 tiempo;Intentos (media);Pasos erróneos (media);Puntuación (media)";

TEST_F(ResultadosDemoTest, UnaFilaPorAveriaPracticada) {
    const Ejecucion e = Resultados({demo(), "1", "--equipo", "1"});
    ASSERT_EQ(e.estado, 0) << e.errores.toStdString();
    EXPECT_TRUE(e.errores.isEmpty()) << e.errores.toStdString();
    QStringList lineas = e.salida.split('\n');
    ASSERT_EQ(lineas.takeLast(), "");
    ASSERT_FALSE(lineas.isEmpty());
    EXPECT_EQ(lineas.takeFirst(), kCabeceraAverias);
    std::set<QString> numeros;
    for (const QString& l : lineas) {
        const QStringList valores = l.split(';');
        ASSERT_EQ(valores.size(), 13) << l.toStdString();
        EXPECT_EQ(valores[0], "1");
        EXPECT_TRUE(numeros.insert(valores[1]).second) << l.toStdString();
    }
    EXPECT_EQ(numeros, AveriasPracticadas());
}

TEST_F(ResultadosDemoTest, PorAlumnoYPorSemana) {
    const Ejecucion alumnos = Resultados({demo(), "1", "--por", "alumno"});
    ASSERT_EQ(alumnos.estado, 0) << alumnos.errores.toStdString();
    // Five students and the subgroup, after the header.
    EXPECT_EQ(alumnos.salida.count('\n'), 7);
    EXPECT_TRUE(alumnos.salida.startsWith("Tipo;Código;Nombre;Prácticas;"));
    EXPECT_TRUE(alumnos.salida.contains("\nSubgrupo;1;"));

    // The demo's four weeks start on Monday 7 October 2024.
    const Ejecucion semanas = Resultados({demo(), "1", "--por", "semana", "--desde", "2024-10-14"});
    ASSERT_EQ(semanas.estado, 0) << semanas.errores.toStdString();
    const QStringList lineas = semanas.salida.trimmed().split('\n');
    ASSERT_EQ(lineas.size(), 4);
    EXPECT_TRUE(lineas[0].startsWith("Semana;Prácticas;"));
    EXPECT_TRUE(lineas[1].startsWith("2024-10-14;"));
    EXPECT_TRUE(lineas[3].startsWith("2024-10-28;"));
}

TEST_F(ResultadosDemoTest, ArgumentosErroneos) {
    struct Caso {
        QStringList argumentos;
        int estado;
        const char* dice;
    };
    const Caso casos[] = {
        {{demo()}, 2, "INSTALACION y GRUPO"},
        {{demo(), "uno"}, 2, "no es un número"},
        {{demo(), "1", "--por", "dia"}, 2, "averia, alumno o semana"},
        {{demo(), "1", "--desde", "14/10/2024"}, 2, "AAAA-MM-DD"},
        {{demo(), "1", "--desde", "2024-10-20", "--hasta", "2024-10-10"}, 2, "anterior"},
        {{demo(), "1", "--equipo"}, 2, "falta el valor"},
        {{demo(), "1", "--turno", "x"}, 2, "opción desconocida"},
        {{demo(), "9"}, 1, "No existe el grupo 9"},
        {{demo() + "/no-existe", "1"}, 1, "no existe la carpeta"},
    };
    for (const Caso& c : casos) {
        const Ejecucion e = Resultados(c.argumentos);
        EXPECT_EQ(e.estado, c.estado) << c.argumentos.join(' ').toStdString();
        EXPECT_TRUE(e.errores.contains(c.dice)) << e.errores.toStdString();
        EXPECT_TRUE(e.salida.isEmpty());
    }
}

}  // namespace
