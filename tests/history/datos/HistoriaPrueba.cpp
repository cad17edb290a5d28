#include "HistoriaPrueba.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Cadenas.h"

const QString kComentarioA = QStringLiteral("a\r\nb #1 & R&D $5");

namespace {

constexpr double kHora = 1.0 / 24;
constexpr double kMinuto = kHora / 60;

double Momento(int dia, int hora, int minuto) {
    return 45000 + dia + hora * kHora + minuto * kMinuto;
}

void Fila(TClientDataSet* tabla, std::initializer_list<std::pair<const char*, QVariant>> valores) {
    tabla->Append();
    for (const auto& [campo, valor] : valores) tabla->FieldByName(QLatin1String(campo))->SetValue(valor);
    tabla->Post();
}

void Guardar(TdmCDS& m, const QString& carpeta, std::initializer_list<const char*> tablas) {
    QDir().mkpath(carpeta);
    for (const char* t : tablas) m.Tabla(QLatin1String(t))->SaveToFile(carpeta + t + ".cds");
}

void EscribirInstalacion(const QString& raiz) {
    TdmCDS m;
    m.CrearTablasVacias();
    Fila(m.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "Motor"}});
    Fila(m.cdsBloque, {{"cdsBloFCodBloque", 1}, {"cdsBloFPtrEquipo", 1}, {"cdsBloFDescripcion", "Arranque"}});
    Fila(m.cdsBloque, {{"cdsBloFCodBloque", 2}, {"cdsBloFPtrEquipo", 1}, {"cdsBloFDescripcion", "Carga"}});
    for (auto [codigo, bloque, nombre] : {std::tuple{10, 1, "Motor de arranque"},
                                          std::tuple{20, 2, "Alternador"}, std::tuple{21, 2, "Batería"}})
        Fila(m.cdsCircuito, {{"cdsCFCodCircuito", codigo},
                             {"cdsCFPtrEquipo", 1},
                             {"cdsCFPtrBloque", bloque},
                             {"cdsCFDescripcion", QString::fromUtf8(nombre)}});
    Fila(m.cdsElemento,
         {{"cdsElemFCodElemento", 100}, {"cdsElemFDescripcion", "Relé"}, {"cdsElemFPtrEquipo", 1}});
    Fila(m.cdsElemento, {{"cdsElemFCodElemento", 200},
                         {"cdsElemFDescripcion", "Fusible #3 & R&D $"},
                         {"cdsElemFPtrEquipo", 1}});
    int id = 0;
    for (auto [bloque, circuito, elemento] :
         {std::tuple{1, 10, 100}, std::tuple{1, 10, 200}, std::tuple{2, 20, 200}, std::tuple{2, 21, 200}})
        Fila(m.cdsComponente, {{"cdsComFIdComponente", ++id},
                               {"cdsComFCodComponente", elemento},
                               {"cdsComFPtrEquipo", 1},
                               {"cdsComFPtrBloque", bloque},
                               {"cdsComFPtrCircuito", circuito}});
    Fila(m.cdsAveria, {{"cdsAvFIdAveria", 30},
                       {"cdsAvFCodAveria", 4},
                       {"cdsAvFPtrEquipo", 1},
                       {"cdsAvFReles", "1,2"},
                       {"cdsAvFPtrBloque", 2},
                       {"cdsAvFPtrCircuito", 20},
                       {"cdsAvFPtrComponente", 200}});
    Fila(m.cdsAveria, {{"cdsAvFIdAveria", 31},
                       {"cdsAvFCodAveria", 5},
                       {"cdsAvFPtrEquipo", 1},
                       {"cdsAvFReles", "3"},
                       {"cdsAvFPtrBloque", 1},
                       {"cdsAvFPtrCircuito", 10},
                       {"cdsAvFPtrComponente", 100}});
    Fila(m.cdsSintomas,
         {{"cdsSinFPtrIdAveria", 30}, {"cdsSinFNivel", "J"}, {"cdsSinFDescripcion", "No carga"}});
    m.cdsGrupo->SetReadOnly(false);
    const QString grupo1 = raiz + "/BDs/GRP 001/", grupo2 = raiz + "/BDs/GRP 002/";
    // The group tables look for their group's folder as they open.
    for (const QString& carpeta : {grupo1, grupo2}) QDir().mkpath(carpeta);
    Fila(m.cdsGrupo, {{"cdsGrpFCodGrupo", 1},
                      {"cdsGrpFNombre", "1A"},
                      {"cdsGrpFDirectorio", grupo1},
                      {"cdsGrpFNReparacion", "BL#CI#CO#"},
                      {"cdsGrpFNSintomas", "J#"},
                      {"cdsGrpFTutorizada", false}});
    Fila(m.cdsGrupo, {{"cdsGrpFCodGrupo", 2}, {"cdsGrpFNombre", "2B"}, {"cdsGrpFDirectorio", grupo2}});
    for (auto [codigo, nombre, apellido1, apellido2] :
         {std::tuple{7, "Ana", "Pérez", "Gómez"}, std::tuple{8, "José", "Núñez", "Peña"},
          std::tuple{9, "Eva", "Álvarez", "Ávila"}}) {
        Fila(m.cdsAlumno, {{"cdsAFCodAlumno", codigo},
                           {"cdsAFNombre", QString::fromUtf8(nombre)},
                           {"cdsAFApellido1", QString::fromUtf8(apellido1)},
                           {"cdsAFApellido2", QString::fromUtf8(apellido2)},
                           {"cdsAFPassword", "AL" + FormatoCodigo(codigo)},
                           {"cdsAFGrupos", "1#"}});
        Fila(m.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", codigo}});
    }
    for (auto [codigo, nombre, alumno] :
         {std::tuple{3, "Equipo #1", QVariant(7)}, std::tuple{3, "Equipo #1", QVariant(8)},
          std::tuple{4, "Vacío", QVariant()}})
        Fila(m.cdsSubgrupo, {{"cdsSubFCodSubgrupo", codigo},
                             {"cdsSubFNombre", QString::fromUtf8(nombre)},
                             {"cdsSubFPtrGrupo", 1},
                             {"cdsSubFPtrAlumno", alumno},
                             {"cdsSubFPassword", "SUB" + FormatoCodigo(codigo)}});
    id = 0;
    for (auto [averia, tutorizada, virtual_] :
         {std::tuple{30, false, 123}, std::tuple{31, false, 456}, std::tuple{30, true, 789}})
        Fila(m.cdsSemilla, {{"cdsSemFIdSemilla", ++id},
                            {"cdsSemFCodSemilla", 1},
                            {"cdsSemFPtrGrupo", 1},
                            {"cdsSemFPtrEquipo", 1},
                            {"cdsSemFPtrIdAveria", averia},
                            {"cdsSemFCodVirtual", virtual_},
                            {"cdsSemFTutorizada", tutorizada}});
    Guardar(m, raiz + "/BDs/",
            {"cdsEquipo", "cdsCodigos", "cdsAlumno", "cdsGrupo", "cdsReparacion", "cdsLineaReparacion"});
    Guardar(m, raiz + "/BDs/EQ001/",
            {"cdsSintomas", "cdsAveria", "cdsBloque", "cdsCircuito", "cdsComponente", "cdsElemento"});
    Guardar(m, grupo1, {"cdsGrupoAlumno", "cdsSubgrupo", "cdsSemilla"});
    for (const char* t : {"cdsGrupoAlumno", "cdsSubgrupo", "cdsSemilla"}) {
        m.CrearTablaVacia(m.Tabla(QLatin1String(t)));
        Guardar(m, grupo2, {t});
    }
    QDir().mkpath(raiz + "/Historic");
}

QByteArray TextosPrueba() {
    QByteArray textos;
    for (int n = 1; n <= 1000; ++n) textos += QByteArray::number(n) + " T" + QByteArray::number(n) + "\r\n";
    return textos;
}

struct Paso {
    const char* accion;
    int diagnostico;
    double inicio, fin;
    QVariant bloque, circuito, elemento;
    QString comentarios;
};

// A practice recorded the way the workstation records one, in the open history.
void Practica(TdmCDS& dm, int alumno, const QVariant& subgrupo, int averia, bool tutorizada, double inicio,
              std::optional<double> fin, bool reparada, bool correcta, const std::vector<Paso>& pasos,
              int equipo = 1) {
    const int codigo =
        dm.NuevaReparacion(alumno, 1, tutorizada, "BL#CI#CO#", "J#", "R", inicio, equipo, averia, subgrupo);
    ASSERT_GT(codigo, 0);
    for (const Paso& p : pasos)
        ASSERT_TRUE(dm.NuevaLineaReparacion(codigo, p.diagnostico, p.comentarios, QLatin1String(p.accion),
                                            p.fin, p.inicio, p.elemento, p.circuito, p.bloque));
    ASSERT_TRUE(dm.cdsReparacion->Locate("cdsRepFCodReparacion", codigo));
    ASSERT_TRUE(dm.cdsReparacion->Edit());
    if (fin) {
        dm.cdsRepFFin->SetAsDateTime(*fin);
        dm.cdsRepFEstado->SetAsString("F");
        dm.cdsRepFResp->SetAsBoolean(reparada);
        dm.cdsRepFCorrecta->SetAsBoolean(correcta);
        dm.cdsRepFDuracion->SetAsString(dm.CalcularDuracion());
    } else {
        dm.cdsRepFEstado->SetAsString("P");
    }
    ASSERT_TRUE(dm.cdsReparacion->Post());
}

void PracticaC(TdmCDS& dm, int alumno) {
    Practica(dm, alumno, 3, 30, false, Momento(2, 11, 0), Momento(2, 11, 10), false, false,
             {{"A", 1, Momento(2, 11, 0), Momento(2, 11, 0), {}, {}, {}, {}},
              {" ", 1, Momento(2, 11, 1), Momento(2, 11, 2), 2, 21, 200, {}},
              {"R", 1, Momento(2, 11, 2), Momento(2, 11, 5), 2, 21, 200, {}},
              {"F", 2, Momento(2, 11, 10), Momento(2, 11, 10), {}, {}, {}, {}}});
}

}  // namespace

TemporalesEnMemoria::TemporalesEnMemoria()
    : anterior_(qgetenv("TMPDIR")), habia_(qEnvironmentVariableIsSet("TMPDIR")) {
    const QFileInfo memoria(QStringLiteral("/dev/shm"));
    if (memoria.isDir() && memoria.isWritable()) qputenv("TMPDIR", "/dev/shm");
}

TemporalesEnMemoria::~TemporalesEnMemoria() {
    if (habia_)
        qputenv("TMPDIR", anterior_);
    else
        qunsetenv("TMPDIR");
}

void HistoriaPrueba::SetUp() {
    EscribirInstalacion(carpeta_.ruta());
    idioma_ = std::make_unique<IdiomaTemporal>(carpeta_.escribir("idioma.lng", TextosPrueba()));
    ASSERT_TRUE(dm.AbrirTablas()) << mensajes_.textos().join('\n').toStdString();

    Miembro(7, true);
    Practica(dm, 7, -1, 30, false, Momento(0, 10, 0), Momento(0, 10, 30), true, true,
             {{"A", 1, Momento(0, 10, 0), Momento(0, 10, 0), {}, {}, {}, {}},
              {" ", 1, Momento(0, 10, 1), Momento(0, 10, 2), 2, {}, {}, {}},
              {"R", 1, Momento(0, 10, 2), Momento(0, 10, 4), 1, 10, 100, kComentarioA},
              {"P", 2, Momento(0, 10, 5), Momento(0, 10, 15), {}, {}, {}, {}},
              {" ", 2, Momento(0, 10, 16), Momento(0, 10, 17), 2, 20, {}, {}},
              {"R", 2, Momento(0, 10, 17), Momento(0, 10, 20), 2, 20, 200, "Fusible"},
              {"F", 3, Momento(0, 10, 30), Momento(0, 10, 30), {}, {}, {}, {}}});
    Practica(dm, 7, -1, 31, false, Momento(1, 9, 0), std::nullopt, false, false,
             {{"A", 1, Momento(1, 9, 0), Momento(1, 9, 0), {}, {}, {}, {}},
              {"R", 1, Momento(1, 9, 1), Momento(1, 9, 3), 1, 10, 100, {}}});
    PracticaC(dm, 7);
    Practica(dm, 7, 3, 30, true, Momento(4, 12, 0), Momento(4, 12, 6), true, true,
             {{"A", 1, Momento(4, 12, 0), Momento(4, 12, 0), {}, {}, {}, {}},
              {" ", 1, Momento(4, 12, 1), Momento(4, 12, 2), 1, 10, 200, {}},
              {"R", 1, Momento(4, 12, 2), Momento(4, 12, 4), 1, 10, 200, {}},
              {"F", 1, Momento(4, 12, 6), Momento(4, 12, 6), {}, {}, {}, {}}},
             2);

    Miembro(8, true);
    PracticaC(dm, 8);
    Practica(dm, 8, -1, 30, true, Momento(3, 8, 0), Momento(3, 8, 5), true, true,
             {{"A", 1, Momento(3, 8, 0), Momento(3, 8, 0), {}, {}, {}, {}},
              {"", 1, Momento(3, 8, 1), Momento(3, 8, 2), 1, 10, 100, {}},
              {"R", 1, Momento(3, 8, 2), Momento(3, 8, 4), 2, 20, 200, {}},
              {"F", 1, Momento(3, 8, 5), Momento(3, 8, 5), {}, {}, {}, {}}});
    Miembro(7);
    Subgrupo(3);
}

void HistoriaPrueba::Miembro(int alumno, bool crearHistorico) {
    ASSERT_TRUE(dm.cdsGrupoAlumno->Locate("cdsGrpAlFPtrAlumno", alumno));
    const QString usuario = FormatoCodigo(alumno);
    if (dm.ExisteHistorico(usuario))
        dm.AbrirHistorico(usuario);
    else if (crearHistorico)
        dm.CrearHistorico(usuario);
}

void HistoriaPrueba::Subgrupo(int codigo) {
    ASSERT_TRUE(dm.cdsSubgrupo->Locate("cdsSubFCodSubgrupo", codigo));
}

QByteArray HistoriaPrueba::Bytes(const QString& archivo) const {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QStringList HistoriaPrueba::Lineas(const QString& archivo) const {
    QStringList lineas = QString::fromUtf8(Bytes(archivo)).split("\r\n");
    if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
    return lineas;
}
