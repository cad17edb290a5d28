#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <memory>
#include <set>

#include "CarpetaTemporal.h"
#include "ClientDataSet.h"
#include "DemoDatos.h"

namespace {

using Resultado = EjecucionDatos;

QStringList Lineas(const QString& texto) {
    return texto.split('\n', Qt::SkipEmptyParts);
}

QStringList Lineas(const QByteArray& texto) {
    return Lineas(QString::fromUtf8(texto));
}

// A copy of the demo installation ("1º Electromecánica", students 1 to 5) for each test.
class ImportarAlumnosOrden : public DemoDatos {
protected:
    void SetUp() override { ASSERT_EQ(QProcess::execute("cp", {"-a", demo(), carpeta.archivo("demo")}), 0); }
    QString instalacion() const { return carpeta.archivo("demo"); }
    std::unique_ptr<TClientDataSet> leer(const QString& relativo) const {
        auto t = std::make_unique<TClientDataSet>();
        t->LoadFromFile(carpeta.archivo("demo/" + relativo));
        return t;
    }
    int alumnos() const { return leer("BDs/cdsAlumno.cds")->RecordCount(); }
    int miembros() const { return leer("BDs/GRP 001/cdsGrupoAlumno.cds")->RecordCount(); }
    Resultado importar(const QByteArray& csv, const QString& grupo = "1º Electromecánica") const {
        return EjecutarOrdenDatos("importar-alumnos",
                                  {instalacion(), grupo, carpeta.escribir("lista.csv", csv)});
    }

    CarpetaTemporal carpeta;
};

TEST_F(ImportarAlumnosOrden, ElEjemploEntraEnteroYDiceCodigoNombreYContrasena) {
    const Resultado r = EjecutarOrdenDatos(
        "importar-alumnos",
        {instalacion(), "1º Electromecánica", carpetaFuentes() + "/installation/ejemplos/alumnos.csv"});
    ASSERT_EQ(r.estado, 0) << r.errores.toStdString();
    EXPECT_TRUE(r.errores.isEmpty()) << r.errores.toStdString();
    const QStringList lineas = Lineas(r.salida);
    ASSERT_EQ(lineas.size(), 22);
    EXPECT_EQ(lineas.front(), "006\tFernández Muñoz, Lucía\tAL006");
    EXPECT_TRUE(lineas.contains("019\tO'Connor Ruiz, Vidal, Juan Ángel\tAL019")) << r.salida.toStdString();
    EXPECT_EQ(alumnos(), 27);
    EXPECT_EQ(miembros(), 27);
}

TEST_F(ImportarAlumnosOrden, ElGrupoSeNombraTambienPorSuCodigo) {
    const Resultado r = importar("Nombre;Apellido1;Apellido2\nEva;Gil;Roca\n", "1");
    ASSERT_EQ(r.estado, 0) << r.errores.toStdString();
    EXPECT_EQ(Lineas(r.salida), QStringList{"006\tGil Roca, Eva\tAL006"});
}

TEST_F(ImportarAlumnosOrden, LasLineasMalasSalenPorErroresConSuNumeroYLasBuenasEntran) {
    const Resultado r = importar(
        "Nombre;Apellido1;Apellido2\n"
        "Eva;Gil;Roca\n"
        ";Sanz;Mas\n"
        "\"Luis;Sanz;Mas\n"
        "Eva;GIL;roca\n" +
        QByteArray(41, 'x') +
        ";Pi;\n"
        "Pau;Vidal;\n");
    ASSERT_EQ(r.estado, 0) << r.errores.toStdString();
    EXPECT_EQ(Lineas(r.salida), (QStringList{"006\tGil Roca, Eva\tAL006", "007\tVidal , Pau\tAL007"}));
    const QStringList errores = Lineas(r.errores);
    ASSERT_EQ(errores.size(), 4) << r.errores.toStdString();
    EXPECT_TRUE(errores[0].endsWith("Línea 3: el nombre está vacío")) << errores[0].toStdString();
    EXPECT_TRUE(errores[1].contains("Línea 4: no se puede leer")) << errores[1].toStdString();
    EXPECT_TRUE(errores[2].endsWith("Línea 5: repite la línea 2")) << errores[2].toStdString();
    EXPECT_TRUE(errores[3].endsWith("Línea 6: Nombre tiene más de 40 caracteres"))
        << errores[3].toStdString();
    EXPECT_EQ(miembros(), 7);
}

TEST_F(ImportarAlumnosOrden, UnArchivoWindows1252ConComasConservaLosAcentos) {
    const Resultado r = importar(
        "Nombre,Apellido1,Apellido2\r\nJos\xE9 Mar\xED"
        "a,Ib\xE1\xF1"
        "ez,\"Pe\xF1"
        "a, L\xF3pez\"\r\n");
    ASSERT_EQ(r.estado, 0) << r.errores.toStdString();
    EXPECT_EQ(Lineas(r.salida), QStringList{"006\tIbáñez Peña, López, José María\tAL006"});
    auto tabla = leer("BDs/cdsAlumno.cds");
    ASSERT_TRUE(tabla->Locate("cdsAFCodAlumno", 6));
    EXPECT_EQ(tabla->FieldByName("cdsAFNombre")->AsString(), "José María");
    EXPECT_EQ(tabla->FieldByName("cdsAFApellido2")->AsString(), "Peña, López");
}

TEST_F(ImportarAlumnosOrden, SinNadaQueAnadirTerminaMal) {
    struct Caso {
        QByteArray csv;
        QString grupo;
        const char* dice;
    };
    const Caso casos[] = {
        {"Nombre;Apellido1\n;Gil\n", "1º Electromecánica", "Línea 2: el nombre está vacío"},
        {"Nombre;Apellido1\n", "1º Electromecánica", "ningún alumno"},
        {"Alumno;Curso\nEva Gil;1º\n", "1º Electromecánica", "Nombre, Apellido1 y Apellido2"},
        {"Nombre;Apellido1\nEva;Gil\n", "No existe", "no hay ningún grupo"},
    };
    for (const Caso& c : casos) {
        const Resultado r = importar(c.csv, c.grupo);
        EXPECT_EQ(r.estado, 1) << c.dice;
        EXPECT_TRUE(r.salida.isEmpty()) << r.salida.toStdString();
        EXPECT_TRUE(r.errores.contains(c.dice)) << r.errores.toStdString();
    }
    EXPECT_EQ(alumnos(), 5);
    EXPECT_EQ(EjecutarOrdenDatos("importar-alumnos", {instalacion()}).estado, 2);
}

// The group's folder is read-only: the memberships cannot be written, so the students that
// were already written go again and the command says that nothing was added.
TEST_F(ImportarAlumnosOrden, UnaCarpetaDeGrupoDeSoloLecturaNoDejaNadaAMedias) {
    QProcess::execute("chmod", {"-R", "a+rwX", carpeta.ruta()});
    QProcess::execute("chmod", {"a-w", carpeta.archivo("demo/BDs/GRP 001")});
    const Resultado r = EjecutarOrdenDatos(
        "importar-alumnos",
        {instalacion(), "1", carpeta.escribir("lista.csv", "Nombre;Apellido1\nEva;Gil\nPau;Vidal\n")}, true);
    QProcess::execute("chmod", {"u+w", carpeta.archivo("demo/BDs/GRP 001")});
    EXPECT_EQ(r.estado, 1);
    EXPECT_TRUE(r.salida.isEmpty()) << r.salida.toStdString();
    EXPECT_TRUE(r.errores.contains("No se ha añadido ningún alumno de la lista.")) << r.errores.toStdString();
    EXPECT_EQ(alumnos(), 5);
    EXPECT_EQ(miembros(), 5);
}

// Whether the process has stopped itself: it says so just before it stops, and a SIGCONT
// sent in between would be lost.
bool Parado(qint64 pid) {
    for (int intento = 0; intento < 1000; ++intento) {
        QFile estado(QString("/proc/%1/stat").arg(pid));
        if (estado.open(QIODevice::ReadOnly)) {
            const QByteArray linea = estado.readAll();
            const qsizetype fin = linea.lastIndexOf(')');
            if (fin >= 0 && linea.mid(fin + 2, 1) == "T") return true;
        }
        ::usleep(10000);
    }
    return false;
}

QByteArray ListaDe(const QString& prefijo, int n) {
    QByteArray csv = "Nombre;Apellido1;Apellido2\n";
    for (int i = 1; i <= n; ++i) csv += QString("%1 %2;Apellido%2;Segundo\n").arg(prefijo).arg(i).toUtf8();
    return csv;
}

// Two PCs import into the same group at once, each its own list: every student of both is
// a member afterwards, and no code or password repeats.
TEST_F(ImportarAlumnosOrden, DosALaVezEnElMismoGrupoDejanCienMiembrosDistintos) {
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    // Each stops once it has taken its codes (the same ones) and before it writes anything.
    entorno.insert("AVERIAS_DATOS_PARAR_EN", "codigos");
    std::vector<std::unique_ptr<QProcess>> procesos;
    for (const char* quien : {"Ana", "Luis"}) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(entorno);
        p->start(carpetaProgramas() + "/averias-datos",
                 {"importar-alumnos", instalacion(), "1º Electromecánica",
                  carpeta.escribir(QString("%1.csv").arg(quien), ListaDe(quien, 50))});
        procesos.push_back(std::move(p));
    }
    for (auto& p : procesos) {
        QByteArray salida;
        while (!salida.contains("Parado en codigos") && p->waitForReadyRead(30000))
            salida += p->readAllStandardOutput();
        ASSERT_TRUE(salida.contains("Parado en codigos")) << p->readAllStandardError().toStdString();
        ASSERT_TRUE(Parado(p->processId()));
    }
    for (auto& p : procesos) ::kill(static_cast<pid_t>(p->processId()), SIGCONT);
    for (auto& p : procesos) {
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        // One line per student it added (its stop line was read already).
        EXPECT_EQ(Lineas(QString::fromUtf8(p->readAllStandardOutput())).size(), 50);
    }
    auto tabla = leer("BDs/cdsAlumno.cds");
    std::set<int> codigos;
    std::set<QString> passwords;
    for (tabla->First(); !tabla->Eof(); tabla->Next()) {
        codigos.insert(tabla->FieldByName("cdsAFCodAlumno")->AsInteger());
        passwords.insert(tabla->FieldByName("cdsAFPassword")->AsString());
        EXPECT_EQ(tabla->FieldByName("cdsAFGrupos")->AsString(), "1#");
    }
    EXPECT_EQ(tabla->RecordCount(), 105);
    EXPECT_EQ(codigos.size(), 105u);
    EXPECT_EQ(passwords.size(), 105u);
    auto grupo = leer("BDs/GRP 001/cdsGrupoAlumno.cds");
    EXPECT_EQ(grupo->RecordCount(), 105);
    std::set<int> socios;
    for (grupo->First(); !grupo->Eof(); grupo->Next())
        socios.insert(grupo->FieldByName("cdsGrpAlFPtrAlumno")->AsInteger());
    EXPECT_EQ(socios, codigos);
    // Both had taken the same codes: the second to write moved its students to free ones.
    QFile diario(carpeta.archivo("demo/averias.log"));
    ASSERT_TRUE(diario.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(diario.readAll()).contains("lo tomó otro puesto"));
}

}  // namespace
