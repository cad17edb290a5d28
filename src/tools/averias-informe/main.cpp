// averias-informe: renders a report of an installation to a PDF file, without a window.
//   averias-informe --instalacion DIR --informe NOMBRE --grupo G [--alumno A | --subgrupo S]
//                   [--equipo E] [--averia ID [--tutorizada]] --pdf SALIDA.pdf
// NOMBRE is a layout name such as Informe4AL: the kind and its writer follow from it.
#include <QGuiApplication>
#include <QHash>
#include <cstdio>

#include "Cadenas.h"
#include "DespachoInformes.h"
#include "EjecucionInforme.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "dmCDS.h"

namespace {

const char* const kUso =
    "usage: averias-informe --instalacion DIR --informe NOMBRE --grupo G [--alumno A | --subgrupo S]\n"
    "                       [--equipo E] [--averia ID [--tutorizada]] --pdf SALIDA.pdf\n";

int Fallo(const QString& texto) {
    std::fprintf(stderr, "averias-informe: %s\n", texto.toLocal8Bit().constData());
    return 1;
}

struct Argumentos {
    QHash<QString, QString> valores;
    bool tutorizada = false;
};

// The program's options with their values; nullopt (and the reason) for anything else.
std::optional<Argumentos> Leer(const QStringList& lista, QString& error) {
    static const QStringList conValor = {"--informe", "--grupo",  "--alumno", "--subgrupo",
                                         "--equipo",  "--averia", "--pdf"};
    Argumentos a;
    for (int i = 1; i < lista.size(); ++i) {
        const QString& o = lista[i];
        if (o == "--tutorizada") {
            a.tutorizada = true;
        } else if (conValor.contains(o) && i + 1 < lista.size() && !a.valores.contains(o)) {
            a.valores.insert(o, lista[++i]);
        } else {
            error = QString("bad argument: %1").arg(o);
            return std::nullopt;
        }
    }
    for (const char* necesaria : {"--informe", "--grupo", "--pdf"})
        if (!a.valores.contains(necesaria)) {
            error = QString("missing %1").arg(necesaria);
            return std::nullopt;
        }
    if (a.valores.contains("--alumno") && a.valores.contains("--subgrupo")) {
        error = "--alumno and --subgrupo exclude each other";
        return std::nullopt;
    }
    if (a.tutorizada && !a.valores.contains("--averia")) {
        error = "--tutorizada goes with --averia";
        return std::nullopt;
    }
    for (const char* numero : {"--grupo", "--alumno", "--subgrupo", "--equipo", "--averia"}) {
        bool ok = true;
        if (a.valores.contains(numero)) a.valores.value(numero).toInt(&ok);
        if (!ok) {
            error = QString("%1 needs a number").arg(numero);
            return std::nullopt;
        }
    }
    return a;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList resto = Instalacion::Iniciar(app.arguments());
    QString error;
    const auto a = Leer(resto, error);
    if (!a) {
        std::fputs(kUso, stderr);
        return Fallo(error) + 1;
    }
    auto idioma = std::make_unique<TLanguage>();
    try {
        idioma->setIdiomaFile(Instalacion::Ruta("idioma.lng"));
    } catch (const ErrorIdioma&) {
        // Without a language file the texts read "nada"; the report still renders.
    }
    FijarIdiomaApp(std::move(idioma));

    const QString nombre = a->valores.value("--informe");
    const auto tipo = DespachoInformes::TipoDeDiseno(nombre);
    if (!tipo) return Fallo(QString("%1 is not a layout of ours (Informe1AL ... Informe10)").arg(nombre));
    if (EleccionDeTipo(*tipo) != 1 && EleccionDeTipo(*tipo) != 4 && EleccionDeTipo(*tipo) != 0 &&
        !a->valores.contains("--averia"))
        return Fallo(QString("%1 reports on one fault: give --averia").arg(nombre));

    TdmCDS dm;
    dm.Modulo = "Alumnos";
    if (!dm.AbrirTablas()) return Fallo("the installation's tables cannot be opened");
    const int grupo = a->valores.value("--grupo").toInt();
    if (!dm.cdsGrupo->Locate("cdsGrpFCodGrupo", grupo))
        return Fallo(QString("there is no group %1").arg(grupo));
    dm.CargarTablasGrupo();
    PeticionInforme peticion;
    peticion.tipo = *tipo;
    dm.cdsEquipo->First();
    peticion.equipo =
        a->valores.value("--equipo", dm.cdsEquipo->FieldByName("cdsEFCodEquipo")->AsString()).toInt();
    if (!dm.cdsEquipo->Locate("cdsEFCodEquipo", peticion.equipo))
        return Fallo(QString("there is no trainer %1").arg(peticion.equipo));
    dm.AbrirTablasEquipo(peticion.equipo);
    peticion.averia = {a->valores.value("--averia", "-1").toInt(), a->tutorizada};

    // The owner: the member or subgroup the writers read, with its history open.
    QString historico;
    if (a->valores.contains("--alumno")) {
        const int alumno = a->valores.value("--alumno").toInt();
        if (!dm.cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", alumno))
            return Fallo(QString("student %1 is not in group %2").arg(alumno).arg(grupo));
        historico = FormatoCodigo(alumno);
    } else if (a->valores.contains("--subgrupo")) {
        const int subgrupo = a->valores.value("--subgrupo").toInt();
        if (!dm.cdsSubgrupo->Locate("cdsSubFCodSubgrupo", subgrupo))
            return Fallo(QString("subgroup %1 is not in group %2").arg(subgrupo).arg(grupo));
        historico = FormatoCodigo(dm.cdsSubgrupo->FieldByName("cdsSubFPtrAlumno")->AsInteger());
    } else if (EleccionDeTipo(*tipo) >= 1 && EleccionDeTipo(*tipo) <= 3) {
        return Fallo(QString("%1 is the report of one owner: give --alumno or --subgrupo").arg(nombre));
    }
    if (!historico.isEmpty()) {
        if (!dm.ExisteHistorico(historico))
            return Fallo(QString("the owner has no history (%1)").arg(historico));
        dm.AbrirHistorico(historico);
    }

    Informe informe;
    if (!EjecutarInforme(dm, peticion, Instalacion::Ruta("Informes\\" + nombre.section('.', 0, 0) + ".frf"),
                         informe))
        return 1;
    if (!informe.GuardarPdf(a->valores.value("--pdf"))) return 1;
    std::printf("%d\n", informe.Paginas());
    return 0;
}
