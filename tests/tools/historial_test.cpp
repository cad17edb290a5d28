// averias-datos historial on the demo installation, checked against its history files, and
// on bad arguments.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>
#include <memory>

#include "ClientDataSet.h"
#include "DemoDatos.h"
#include "FechaHora.h"

namespace {

EjecucionDatos Historial(const QStringList& argumentos) {
    return EjecutarOrdenDatos("historial", argumentos);
}

// The rows of a ";" file with quoted values, as a spreadsheet program reads them.
std::vector<QStringList> LeerCsv(const QString& texto) {
    std::vector<QStringList> filas(1);
    QString valor;
    bool entreComillas = false;
    for (int i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (entreComillas) {
            if (c == '"' && i + 1 < texto.size() && texto[i + 1] == '"')
                valor += texto[++i];
            else if (c == '"')
                entreComillas = false;
            else
                valor += c;
        } else if (c == '"') {
            entreComillas = true;
        } else if (c == ';') {
            filas.back() << valor;
            valor.clear();
        } else if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') {
            filas.back() << valor;
            valor.clear();
            filas.emplace_back();
            ++i;
        } else {
            valor += c;
        }
    }
    if (filas.back().isEmpty() && valor.isEmpty()) filas.pop_back();
    return filas;
}

QString Momento(const TField* campo) {
    if (campo->IsNull()) return {};
    return FechaHoraDesdeDias(std::round(campo->AsDateTime() * 86400) / 86400)
        .toString("yyyy-MM-dd HH:mm:ss");
}

// "0d 00:12:34" as "12,57".
QString Minutos(const QString& duracion) {
    const QRegularExpressionMatch m = QRegularExpression("^(\\d+)d (\\d+):(\\d+):(\\d+)$").match(duracion);
    if (!m.hasMatch()) return {};
    const int segundos =
        ((m.captured(1).toInt() * 24 + m.captured(2).toInt()) * 60 + m.captured(3).toInt()) * 60 +
        m.captured(4).toInt();
    return QString::number(segundos / 60.0, 'f', 2).replace('.', ',');
}

class HistorialDemoTest : public DemoDatos {
protected:
    static std::unique_ptr<TClientDataSet> Tabla(const QString& relativo) {
        auto t = std::make_unique<TClientDataSet>();
        t->LoadFromFile(demo() + "/" + relativo);
        return t;
    }

    // What the row of the current practice of `practicas` holds from the installation's files:
    // owner, virtual and real codes, description, start, end, minutes, mode.
    static QStringList Esperada(TClientDataSet& practicas, const QString& dueno) {
        const auto campo = [&](const char* nombre) { return practicas.FieldByName(nombre); };
        const int averia = campo("cdsRepFPtrIdAveria")->AsInteger();
        const bool tutorizada = campo("cdsRepFTutorizada")->AsBoolean();
        QString codigoVirtual;
        const auto semillas = Tabla("BDs/GRP 001/cdsSemilla.cds");
        for (semillas->First(); !semillas->Eof() && codigoVirtual.isEmpty(); semillas->Next())
            if (semillas->FieldByName("cdsSemFPtrIdAveria")->AsInteger() == averia &&
                semillas->FieldByName("cdsSemFTutorizada")->AsBoolean() == tutorizada &&
                semillas->FieldByName("cdsSemFPtrEquipo")->AsInteger() ==
                    campo("cdsRepFPtrEquipo")->AsInteger())
                codigoVirtual = semillas->FieldByName("cdsSemFCodVirtual")->AsString();
        const auto averias = Tabla("BDs/EQ001/cdsAveria.cds");
        EXPECT_TRUE(averias->Locate("cdsAvFIdAveria", averia));
        return {dueno,
                codigoVirtual,
                averias->FieldByName("cdsAvFCodAveria")->AsString(),
                averias->FieldByName("cdsAvFDescripcion")->AsString(),
                Momento(campo("cdsRepFInicio")),
                Momento(campo("cdsRepFFin")),
                Minutos(campo("cdsRepFDuracion")->AsString()),
                tutorizada ? "Tutorizada" : "Libre"};
    }

    // The row of the sheet of `dueno` starting at `inicio`, from its owner to its mode.
    static QStringList Fila(const std::vector<QStringList>& filas, const QString& dueno,
                            const QString& inicio) {
        for (const QStringList& f : filas)
            if (f.size() == 14 && f[2] == dueno && f[6] == inicio) return f.mid(2, 8);
        return {};
    }
};

const QString kCabecera =
    "Grupo;Entrenador;Alumno o subgrupo;Código virtual;Número real;Descripción;Inicio;Fin;Duración (min);"
    "Modo;Intentos;Pasos erróneos;Terminada;Veredicto";

TEST_F(HistorialDemoTest, LasFilasSonLasPracticasDeLosHistoriales) {
    const EjecucionDatos e = Historial({demo(), "1", "--equipo", "1"});
    ASSERT_EQ(e.estado, 0) << e.errores.toStdString();
    EXPECT_TRUE(e.errores.isEmpty()) << e.errores.toStdString();
    ASSERT_TRUE(e.salida.startsWith("\xEF\xBB\xBF"));
    const QString texto = QString::fromUtf8(e.salida.mid(3));
    EXPECT_TRUE(texto.startsWith(kCabecera + "\r\n"));
    const std::vector<QStringList> filas = LeerCsv(texto);

    // Every student's own practice is one row; the subgroup's, copied into its members'
    // histories, one row under the subgroup's name.
    std::size_t practicas = 0;
    int deSubgrupo = 0;
    for (const char* alumno : {"002", "003", "004", "005"}) {
        const auto historial = Tabla(QString("Historic/cdsReparacion%1.cds").arg(alumno));
        for (historial->First(); !historial->Eof(); historial->Next()) {
            const bool subgrupo = historial->FieldByName("cdsRepFPtrSubgrupo")->AsInteger() >= 0;
            if (QString(alumno) == "004" && subgrupo) ++deSubgrupo;
            if (!subgrupo) ++practicas;
        }
    }
    ASSERT_GT(deSubgrupo, 0);
    EXPECT_EQ(filas.size(), 1 + practicas + deSubgrupo);
    for (const QStringList& f : filas) {
        ASSERT_EQ(f.size(), 14) << f.join(';').toStdString();
        if (&f == &filas.front()) continue;
        EXPECT_EQ(f[0], "1º Electromecánica");
        EXPECT_EQ(f[12], "Sí");  // the demo finishes every practice
    }

    // One student's first practice and the subgroup's first, field by field.
    const auto alumno = Tabla("Historic/cdsReparacion002.cds");
    const auto alumnos = Tabla("BDs/cdsAlumno.cds");
    ASSERT_TRUE(alumnos->Locate("cdsAFCodAlumno", 2));
    const QString nombre = alumnos->FieldByName("cdsAFApellido1")->AsString() + " " +
                           alumnos->FieldByName("cdsAFApellido2")->AsString() + ", " +
                           alumnos->FieldByName("cdsAFNombre")->AsString();
    alumno->First();
    const QStringList esperada = Esperada(*alumno, nombre);
    EXPECT_EQ(Fila(filas, nombre, esperada[4]), esperada);

    const auto miembro = Tabla("Historic/cdsReparacion005.cds");
    ASSERT_TRUE(miembro->Locate("cdsRepFPtrSubgrupo", 1));
    const QStringList esperadaSubgrupo = Esperada(*miembro, "Equipo A");
    EXPECT_EQ(Fila(filas, "Equipo A", esperadaSubgrupo[4]), esperadaSubgrupo);
    EXPECT_FALSE(esperadaSubgrupo[1].isEmpty());
    EXPECT_FALSE(esperadaSubgrupo[6].isEmpty());
}

TEST_F(HistorialDemoTest, SinEquipoTodosYConOtroNinguno) {
    const EjecucionDatos todos = Historial({demo(), "1"});
    const EjecucionDatos uno = Historial({demo(), "1", "--equipo", "1"});
    ASSERT_EQ(todos.estado, 0) << todos.errores.toStdString();
    EXPECT_EQ(todos.salida, uno.salida);  // the demo practises on trainer 1 only
    const EjecucionDatos otro = Historial({demo(), "1", "--equipo", "7"});
    ASSERT_EQ(otro.estado, 0) << otro.errores.toStdString();
    EXPECT_EQ(otro.salida, "\xEF\xBB\xBF" + kCabecera.toUtf8() + "\r\n");
}

TEST_F(HistorialDemoTest, ArgumentosErroneos) {
    struct Caso {
        QStringList argumentos;
        int estado;
        const char* dice;
    };
    const Caso casos[] = {
        {{}, 2, "INSTALACION y GRUPO"},
        {{demo()}, 2, "INSTALACION y GRUPO"},
        {{demo(), "1", "2"}, 2, "INSTALACION y GRUPO"},
        {{demo(), "uno"}, 2, "el grupo \"uno\" no es un número"},
        {{demo(), "1", "--equipo", "E1"}, 2, "el equipo \"E1\" no es un número"},
        {{demo(), "1", "--equipo"}, 2, "falta el valor de --equipo"},
        {{demo(), "1", "--por", "alumno"}, 2, "opción desconocida --por"},
        {{demo(), "9"}, 1, "No existe el grupo 9"},
        {{demo() + "/no-existe", "1"}, 1, "no existe la carpeta"},
    };
    for (const Caso& c : casos) {
        const EjecucionDatos e = Historial(c.argumentos);
        EXPECT_EQ(e.estado, c.estado) << c.argumentos.join(' ').toStdString();
        EXPECT_TRUE(e.errores.contains(c.dice)) << e.errores.toStdString();
        if (c.estado == 2) {
            EXPECT_TRUE(e.errores.contains("Uso: averias-datos historial INSTALACION GRUPO"));
        }
        EXPECT_TRUE(e.salida.isEmpty());
    }
}

TEST_F(HistorialDemoTest, LaAyudaNombraLaOrden) {
    const EjecucionDatos e = Historial({"--help"});
    EXPECT_EQ(e.estado, 0);
    EXPECT_TRUE(e.salida.contains("historial INSTALACION GRUPO [--equipo E]")) << e.salida.toStdString();
}

}  // namespace
