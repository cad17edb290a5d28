#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "Azar.h"
#include "Cadenas.h"
#include "ClientDataSet.h"
#include "Csv.h"
#include "DemoHistorial.h"
#include "EstructuraTabla.h"
#include "FechaHora.h"
#include "Ordenes.h"

// Writes a complete demo installation: language file, pictures, model pages and help books copied
// from the shipped sources, the two demo trainers' catalogues read from their CSV files,
// one group with five students, a subgroup of two and its seeds.
namespace {

struct Alumno {
    int codigo;
    const char* nombre;
    const char* apellido1;
    const char* apellido2;
};

const Alumno kAlumnos[] = {{1, "Lucía", "Fernández", "Gil"},
                           {2, "Javier", "Martín", "Ruiz"},
                           {3, "Sara", "López", "Navarro"},
                           {4, "Daniel", "Sánchez", "Mora"},
                           {5, "Irene", "Castro", "Vidal"}};
constexpr int kGrupo = 1;
constexpr int kSubgrupo = 1;
const int kMiembrosSubgrupo[] = {4, 5};

QString PasswordAlumno(int codigo) {
    return QStringLiteral("AL") + FormatoCodigo(codigo);
}
QString PasswordSubgrupo(int codigo) {
    return QStringLiteral("SUB") + FormatoCodigo(codigo);
}

class ErrorDemo : public std::runtime_error {
public:
    explicit ErrorDemo(const QString& mensaje) : std::runtime_error(mensaje.toStdString()) {}
};

QVariant ValorCsv(const TField* campo, const QString& texto) {
    if (texto.isEmpty()) return {};
    switch (campo->DataType()) {
        case ftInteger: {
            bool ok = false;
            const int v = texto.trimmed().toInt(&ok);
            if (!ok)
                throw ErrorDemo(QStringLiteral("%1: \"%2\" no es un número").arg(campo->FieldName(), texto));
            return v;
        }
        case ftBoolean: {
            const QString t = texto.trimmed().toLower();
            return t == QLatin1String("true") || t == QLatin1String("si") || t == QLatin1String("sí") ||
                   t == QLatin1String("1");
        }
        default:
            return texto;
    }
}

// Appends every row of a CSV file to a table, matching columns by name.
void CargarCsv(TClientDataSet& tabla, const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) throw ErrorDemo(QStringLiteral("No se puede leer %1").arg(archivo));
    TablaCsv csv;
    try {
        csv = LeerCsv(f.readAll());
    } catch (const std::runtime_error& e) {
        throw ErrorDemo(QStringLiteral("%1: %2").arg(archivo, QString::fromStdString(e.what())));
    }
    for (const QString& columna : csv.columnas)
        if (!tabla.FindField(columna))
            throw ErrorDemo(
                QStringLiteral("%1: la tabla %2 no tiene el campo %3").arg(archivo, tabla.Name, columna));
    int linea = 1;
    for (const QStringList& fila : csv.filas) {
        ++linea;
        tabla.Append();
        for (int i = 0; i < csv.columnas.size() && i < fila.size(); ++i) {
            TField* campo = tabla.FieldByName(csv.columnas[i]);
            campo->SetValue(ValorCsv(campo, fila[i]));
        }
        try {
            tabla.Post();
        } catch (const EDatabaseError& e) {
            throw ErrorDemo(QStringLiteral("%1, línea %2: %3").arg(archivo).arg(linea).arg(e.Message()));
        }
    }
}

void Guardar(TClientDataSet& tabla, const QString& carpeta) {
    QDir().mkpath(carpeta);
    tabla.SaveToFile(carpeta + tabla.Name + QStringLiteral(".cds"));
}

void TablaDeCsv(const QString& nombre, const QString& csv, const QString& carpeta) {
    TClientDataSet tabla;
    CrearTablaGuardada(tabla, nombre);
    CargarCsv(tabla, csv);
    Guardar(tabla, carpeta);
}

void TablaVacia(const QString& nombre, const QString& carpeta) {
    TClientDataSet tabla;
    CrearTablaGuardada(tabla, nombre);
    Guardar(tabla, carpeta);
}

void Copiar(const QString& origen, const QString& destino) {
    const QFileInfo info(origen);
    if (info.isDir()) {
        QDir().mkpath(destino);
        QDirIterator it(origen, QDir::AllEntries | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            Copiar(it.filePath(), destino + QLatin1Char('/') + it.fileName());
        }
        return;
    }
    QFile::remove(destino);
    if (!QFile::copy(origen, destino))
        throw ErrorDemo(QStringLiteral("No se puede copiar %1 en %2").arg(origen, destino));
}

// Codes of the trainers in the catalogue, in file order.
std::vector<int> Equipos(const QString& catalogo) {
    TClientDataSet equipos;
    CrearTablaGuardada(equipos, QStringLiteral("cdsEquipo"));
    CargarCsv(equipos, catalogo + QStringLiteral("/cdsEquipo.csv"));
    std::vector<int> codigos;
    for (equipos.First(); !equipos.Eof(); equipos.Next())
        codigos.push_back(equipos.FieldByName(QStringLiteral("cdsEFCodEquipo"))->AsInteger());
    return codigos;
}

void EscribirAlumnos(const QString& bds) {
    TClientDataSet alumnos;
    CrearTablaGuardada(alumnos, QStringLiteral("cdsAlumno"));
    for (const Alumno& a : kAlumnos) {
        alumnos.Append();
        alumnos.FieldByName(QStringLiteral("cdsAFCodAlumno"))->SetAsInteger(a.codigo);
        alumnos.FieldByName(QStringLiteral("cdsAFNombre"))->SetAsString(QString::fromUtf8(a.nombre));
        alumnos.FieldByName(QStringLiteral("cdsAFApellido1"))->SetAsString(QString::fromUtf8(a.apellido1));
        alumnos.FieldByName(QStringLiteral("cdsAFApellido2"))->SetAsString(QString::fromUtf8(a.apellido2));
        alumnos.FieldByName(QStringLiteral("cdsAFPassword"))->SetAsString(PasswordAlumno(a.codigo));
        alumnos.FieldByName(QStringLiteral("cdsAFGrupos"))
            ->SetAsString(QString::number(kGrupo) + QLatin1Char('#'));
        alumnos.Post();
    }
    Guardar(alumnos, bds);
}

void EscribirGrupo(const QString& bds, const QString& carpetaGrupo) {
    TClientDataSet grupos;
    CrearTablaGuardada(grupos, QStringLiteral("cdsGrupo"));
    grupos.Append();
    auto campo = [&](const char* nombre) { return grupos.FieldByName(QString::fromLatin1(nombre)); };
    campo("cdsGrpFCodGrupo")->SetAsInteger(kGrupo);
    campo("cdsGrpFNombre")->SetAsString(QStringLiteral("1º Electromecánica"));
    campo("cdsGrpFDescripcion")->SetAsString(QStringLiteral("Grupo de demostración"));
    campo("cdsGrpFDirectorio")->SetAsString(carpetaGrupo);
    campo("cdsGrpFAsignatura")->SetAsString(QStringLiteral("Sistemas eléctricos del vehículo"));
    campo("cdsGrpFProfesor")->SetAsString(QStringLiteral("Profesor de demostración"));
    campo("cdsGrpFNumAlumnos")->SetAsInteger(static_cast<int>(std::size(kAlumnos)));
    campo("cdsGrpFNSintomas")->SetAsString(QStringLiteral("J#"));
    campo("cdsGrpFNReparacion")->SetAsString(QStringLiteral("BL#CI#CO#"));
    campo("cdsGrpFTutorizada")->SetAsBoolean(false);
    campo("cdsGrpFDisfuncion")->SetAsBoolean(true);
    grupos.Post();
    Guardar(grupos, bds);
}

void EscribirMiembros(const QString& carpetaGrupo) {
    TClientDataSet miembros;
    CrearTablaGuardada(miembros, QStringLiteral("cdsGrupoAlumno"));
    const auto enSubgrupo = [](int codigo) {
        return std::find(std::begin(kMiembrosSubgrupo), std::end(kMiembrosSubgrupo), codigo) !=
               std::end(kMiembrosSubgrupo);
    };
    for (const Alumno& a : kAlumnos) {
        miembros.Append();
        miembros.FieldByName(QStringLiteral("cdsGrpAlFPtrGrupo"))->SetAsInteger(kGrupo);
        miembros.FieldByName(QStringLiteral("cdsGrpAlFPtrAlumno"))->SetAsInteger(a.codigo);
        miembros.FieldByName(QStringLiteral("cdsGrpAlFAsignatura"))
            ->SetAsString(QStringLiteral("Sistemas eléctricos del vehículo"));
        if (enSubgrupo(a.codigo))
            miembros.FieldByName(QStringLiteral("cdsGrpAlFSubgrupos"))
                ->SetAsString(QString::number(kSubgrupo) + QLatin1Char('#'));
        miembros.Post();
    }
    Guardar(miembros, carpetaGrupo);

    TClientDataSet subgrupos;
    CrearTablaGuardada(subgrupos, QStringLiteral("cdsSubgrupo"));
    for (int alumno : kMiembrosSubgrupo) {
        subgrupos.Append();
        subgrupos.FieldByName(QStringLiteral("cdsSubFCodSubgrupo"))->SetAsInteger(kSubgrupo);
        subgrupos.FieldByName(QStringLiteral("cdsSubFNombre"))->SetAsString(QStringLiteral("Equipo A"));
        subgrupos.FieldByName(QStringLiteral("cdsSubFPtrGrupo"))->SetAsInteger(kGrupo);
        subgrupos.FieldByName(QStringLiteral("cdsSubFPtrAlumno"))->SetAsInteger(alumno);
        subgrupos.FieldByName(QStringLiteral("cdsSubFAsignatura"))
            ->SetAsString(QStringLiteral("Sistemas eléctricos del vehículo"));
        subgrupos.FieldByName(QStringLiteral("cdsSubFPassword"))->SetAsString(PasswordSubgrupo(kSubgrupo));
        subgrupos.Post();
    }
    Guardar(subgrupos, carpetaGrupo);
}

// The code under which the group sees a fault: random, as new groups get them.
int CodigoVirtual(int numeroAveria, bool tutorizada) {
    const int c = numeroAveria == 0 ? 1 : numeroAveria;
    const int r = Azar(tutorizada ? 3000 : 2500);
    return static_cast<int>((double(c) * r - (tutorizada ? 200 : 250)) / c);
}

void EscribirSemillas(const QString& bds, const QString& carpetaGrupo, const std::vector<int>& equipos) {
    TClientDataSet semillas;
    CrearTablaGuardada(semillas, QStringLiteral("cdsSemilla"));
    int id = 0, lote = 0;
    for (int equipo : equipos) {
        TClientDataSet averias;
        averias.LoadFromFile(bds + QStringLiteral("EQ") + FormatoCodigo(equipo) +
                             QStringLiteral("/cdsAveria.cds"));
        for (bool tutorizada : {false, true}) {
            ++lote;
            for (averias.First(); !averias.Eof(); averias.Next()) {
                semillas.Append();
                semillas.FieldByName(QStringLiteral("cdsSemFIdSemilla"))->SetAsInteger(++id);
                semillas.FieldByName(QStringLiteral("cdsSemFCodSemilla"))->SetAsInteger(lote);
                semillas.FieldByName(QStringLiteral("cdsSemFPtrGrupo"))->SetAsInteger(kGrupo);
                semillas.FieldByName(QStringLiteral("cdsSemFPtrEquipo"))->SetAsInteger(equipo);
                semillas.FieldByName(QStringLiteral("cdsSemFPtrIdAveria"))
                    ->SetValue(averias.FieldByName(QStringLiteral("cdsAvFIdAveria"))->Value());
                semillas.FieldByName(QStringLiteral("cdsSemFCodVirtual"))
                    ->SetAsInteger(CodigoVirtual(
                        averias.FieldByName(QStringLiteral("cdsAvFCodAveria"))->AsInteger(), tutorizada));
                semillas.FieldByName(QStringLiteral("cdsSemFTutorizada"))->SetAsBoolean(tutorizada);
                semillas.Post();
            }
        }
    }
    Guardar(semillas, carpetaGrupo);
}

const char kIni[] =
    "[Opciones]\r\n"
    "TipoDumet=VIVUZUV\r\n"
    "NivelReparacion=3\r\n"
    "NivelSintoma=2\r\n"
    "; Con Caratulas=TRUE el puesto pregunta qué modelo de entrenador está conectado,\r\n"
    "; mostrando las páginas de la sección [Caratulas] para el número detectado.\r\n"
    "Caratulas=FALSE\r\n"
    "\r\n"
    "[Colores]\r\n"
    "ColorVIVUZUV=$008292EA\r\n"
    "\r\n"
    "; [Caratulas]\r\n"
    "; 7=7,12,\r\n"
    "\r\n"
    "[General]\r\n"
    "Profesor=\r\n";

void EscribirIniDemo(const QString& carpeta) {
    QFile f(carpeta + QStringLiteral("averias.ini"));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(kIni) < 0)
        throw ErrorDemo(QStringLiteral("No se puede escribir %1").arg(f.fileName()));
}

QString CarpetaFuentes(const QStringList& argumentos) {
    const int i = argumentos.indexOf(QStringLiteral("--desde"));
    if (i >= 0 && i + 1 < argumentos.size()) return argumentos[i + 1];
    return QStringLiteral(AVERIAS_INSTALACION_FUENTES);
}

// The folder the demo is written in before it takes the target's name: beside the target,
// so that the rename stays on one file system. A run that was killed left it behind; the
// next run starts it again.
QString CarpetaParcial(const QString& carpeta) {
    const QFileInfo destino(QDir::cleanPath(carpeta));
    return destino.absolutePath() + QStringLiteral("/.") + destino.fileName() +
           QStringLiteral(".demo-parcial/");
}

// With `conGrupo` false, a classroom's start: the trainers and no class data.
void EscribirDemo(const QString& carpeta, const QString& fuentes, const QString& carpetaGrupoFinal,
                  bool conGrupo) {
    if (!QDir().mkpath(carpeta))
        throw ErrorDemo(QStringLiteral("No se puede crear la carpeta %1").arg(carpeta));
    for (const char* archivo : {"idioma.lng", "images", "caratulas", "Help", "Informes"})
        Copiar(fuentes + QLatin1Char('/') + QString::fromLatin1(archivo),
               carpeta + QString::fromLatin1(archivo));
    for (const char* vacia : {"Historic"}) QDir().mkpath(carpeta + QString::fromLatin1(vacia));

    const QString bds = carpeta + QStringLiteral("BDs/");
    const QString catalogo = fuentes + QStringLiteral("/catalogo");
    TablaDeCsv(QStringLiteral("cdsEquipo"), catalogo + QStringLiteral("/cdsEquipo.csv"), bds);
    const std::vector<int> equipos = Equipos(catalogo);
    for (int equipo : equipos) {
        const QString nombre = QStringLiteral("EQ") + FormatoCodigo(equipo);
        for (const char* tabla :
             {"cdsBloque", "cdsCircuito", "cdsElemento", "cdsComponente", "cdsAveria", "cdsSintomas"})
            TablaDeCsv(QString::fromLatin1(tabla),
                       catalogo + QLatin1Char('/') + nombre + QLatin1Char('/') + QString::fromLatin1(tabla) +
                           QStringLiteral(".csv"),
                       bds + nombre + QLatin1Char('/'));
    }
    for (const char* tabla : {"cdsCodigos", "cdsReparacion", "cdsLineaReparacion"})
        TablaVacia(QString::fromLatin1(tabla), bds);
    if (conGrupo) {
        const QString carpetaGrupo = bds + QStringLiteral("GRP ") + FormatoCodigo(kGrupo) + QLatin1Char('/');
        EscribirAlumnos(bds);
        // The group keeps the folder it will have once the demo is in place.
        EscribirGrupo(bds, carpetaGrupoFinal);
        EscribirMiembros(carpetaGrupo);
        EscribirSemillas(bds, carpetaGrupo, equipos);
    } else {
        for (const char* tabla : {"cdsAlumno", "cdsGrupo"}) TablaVacia(QString::fromLatin1(tabla), bds);
    }
    EscribirIniDemo(carpeta);
    if (conGrupo) EscribirHistorialDemo(carpeta);  // a classroom starts with no history
}

// An empty target folder gives way to the finished demo; a folder with anything in it is
// not ours to fill.
void PonerEnSuSitio(const QString& parcial, const QString& carpeta) {
    const QString destino = QDir::cleanPath(carpeta);
    if (QFileInfo(destino).isDir() && !QDir().rmdir(destino))
        throw ErrorDemo(QStringLiteral("La carpeta %1 no está vacía").arg(destino));
    if (!QDir().rename(QDir::cleanPath(parcial), destino))
        throw ErrorDemo(QStringLiteral("No se puede renombrar %1 como %2").arg(parcial, destino));
}

// Writes an installation in `argumentos.first()`: with the demo group and its students, or
// (for a classroom) with the trainers' catalogues and no class data.
int EscribirInstalacion(const QStringList& argumentos, QTextStream& errores, bool conGrupo) {
    if (argumentos.isEmpty() || argumentos.first().startsWith(QLatin1String("--"))) {
        errores << "Uso: averias-datos " << (conGrupo ? "demo" : "instalacion")
                << " CARPETA [--desde CARPETA_DE_FUENTES]\n";
        return kSalidaUso;
    }
    const QString carpeta = QDir(argumentos.first()).absolutePath() + QLatin1Char('/');
    const QString fuentes = CarpetaFuentes(argumentos);
    if (QDir(carpeta + QStringLiteral("BDs")).exists()) {
        errores << "averias-datos: ya hay una instalación en " << carpeta << '\n';
        return kSalidaArchivo;
    }
    if (QFileInfo(carpeta).isDir() &&
        !QDir(carpeta).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        errores << "averias-datos: la carpeta " << carpeta << " no está vacía\n";
        return kSalidaArchivo;
    }
    // Written aside and renamed into place at the end: an installation is whole or absent.
    const QString parcial = CarpetaParcial(carpeta);
    QDir(parcial).removeRecursively();
    try {
        EscribirDemo(parcial, fuentes,
                     carpeta + QStringLiteral("BDs/GRP ") + FormatoCodigo(kGrupo) + QLatin1Char('/'),
                     conGrupo);
        PonerEnSuSitio(parcial, carpeta);
    } catch (const ErrorDemo& e) {
        QDir(parcial).removeRecursively();
        errores << "averias-datos: " << e.what() << '\n';
        return kSalidaArchivo;
    } catch (const EDatabaseError& e) {
        QDir(parcial).removeRecursively();
        errores << "averias-datos: " << e.Message() << '\n';
        return kSalidaArchivo;
    }
    return kSalidaBien;
}

}  // namespace

int OrdenInstalacion(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    const int estado = EscribirInstalacion(argumentos, errores, false);
    if (estado == kSalidaBien)
        salida << "Instalación de aula escrita en " << QDir(argumentos.first()).absolutePath()
               << " (sin grupos ni alumnos; contraseña del profesor vacía)\n";
    return estado;
}

int OrdenDemo(const QStringList& argumentos, QTextStream& salida, QTextStream& errores) {
    const int estado = EscribirInstalacion(argumentos, errores, true);
    if (estado != kSalidaBien) return estado;
    const QString carpeta = QDir(argumentos.first()).absolutePath() + QLatin1Char('/');
    salida << "Instalación de demostración escrita en " << carpeta << "\n\n"
           << "Contraseñas:\n  Profesor: (vacía)\n";
    for (const Alumno& a : kAlumnos)
        salida << "  " << QString::fromUtf8(a.nombre) << ' ' << QString::fromUtf8(a.apellido1) << ": "
               << PasswordAlumno(a.codigo) << '\n';
    salida << "  Subgrupo \"Equipo A\" (Daniel Sánchez e Irene Castro): " << PasswordSubgrupo(kSubgrupo)
           << '\n';
    return kSalidaBien;
}
