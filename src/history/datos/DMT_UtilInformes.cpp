// The report data writers: one function per report kind, each writing the lines its report
// reads (the column layout of each is given where its lines are built).
#include "DMT_UtilInformes.h"

#include <QCollator>
#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "ArchivosInforme.h"
#include "Cadenas.h"
#include "EstadoCursor.h"
#include "FechaHora.h"
#include "GuardaInforme.h"
#include "Idioma.h"
#include "dmCDS.h"

namespace TextosInforme {

QString Fecha(const QVariant& dias) {
    if (dias.isNull()) return QString();
    return FechaHoraDesdeDias(dias.toDouble()).toString(QStringLiteral("dd/MM/yyyy"));
}

QString Hora(const QVariant& dias) {
    if (dias.isNull()) return QString();
    return FechaHoraDesdeDias(dias.toDouble()).toString(QStringLiteral("HH:mm"));
}

QString DuracionLinea(const QVariant& inicio, const QVariant& fin) {
    if (inicio.isNull() || fin.isNull()) return QString();
    constexpr long long kSegundosDia = 24 * 60 * 60;
    const long long segundos = std::llround((fin.toDouble() - inicio.toDouble()) * kSegundosDia);
    const long long resto = ((segundos % kSegundosDia) + kSegundosDia) % kSegundosDia;
    return QStringLiteral("%1:%2:%3")
        .arg(resto / 3600, 2, 10, QLatin1Char('0'))
        .arg(resto / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(resto % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace TextosInforme

namespace {

using namespace TextosInforme;

constexpr int kTextoSi = 5;
constexpr int kTextoNo = 6;
constexpr int kTextoReparada = 191;
constexpr int kTextoNoReparadaGrupo = 176;
constexpr int kTextoNoReparada = 177;
constexpr int kTextoTituloAlumno = 187;
constexpr int kTextoTituloProfesor = 186;

QString SiNo(const TField* campo) {
    return Texto(campo->AsBoolean() ? kTextoSi : kTextoNo);
}
// Yes or no, blank when the field is Null.
QString SiNoOBlanco(const TField* campo) {
    return campo->IsNull() ? QString() : SiNo(campo);
}
// Repaired (191) or the given not-repaired text, blank when the field is Null.
QString ReparadaOBlanco(const TField* campo, int noReparada) {
    return campo->IsNull() ? QString() : Texto(campo->AsBoolean() ? kTextoReparada : noReparada);
}
QString Codigo(const QVariant& valor) {
    return valor.isNull() ? QString() : QString::number(valor.toInt());
}
QString Verdad(bool valor) {
    return valor ? QStringLiteral("True") : QStringLiteral("False");
}
QStringList Blancos(int n) {
    QStringList blancos;
    for (int i = 0; i < n; ++i) blancos << QString();
    return blancos;
}

// Start date and time, end date and time of the current row (end blank when there is none).
QStringList Tiempos(const TField* inicio, const TField* fin) {
    return {Fecha(inicio->Value()), Hora(inicio->Value()), Fecha(fin->Value()), Hora(fin->Value())};
}

// "Apellido2 Apellido1, Nombre" of the current row of a student table.
QString NombrePorSegundoApellido(TClientDataSet* alumnos) {
    return alumnos->FieldByName(QStringLiteral("cdsAFApellido2"))->AsString() + QLatin1Char(' ') +
           alumnos->FieldByName(QStringLiteral("cdsAFApellido1"))->AsString() + QStringLiteral(", ") +
           alumnos->FieldByName(QStringLiteral("cdsAFNombre"))->AsString();
}

// The students a student table shows, each as (sort key, code, name, password), in the
// order of second surname, first surname and name as a Spanish reader sorts them.
struct FilaAlumno {
    QStringList clave;
    QString codigo, nombre, password;
};
std::vector<FilaAlumno> AlumnosOrdenados(TClientDataSet* alumnos) {
    std::vector<FilaAlumno> filas;
    const EstadoCursor posicion(alumnos, false);
    for (alumnos->First(); !alumnos->Eof(); alumnos->Next()) {
        const auto campo = [&](const char* nombre) {
            return alumnos->FieldByName(QLatin1String(nombre))->AsString();
        };
        filas.push_back({{campo("cdsAFApellido2"), campo("cdsAFApellido1"), campo("cdsAFNombre")},
                         campo("cdsAFCodAlumno"),
                         NombrePorSegundoApellido(alumnos),
                         campo("cdsAFPassword")});
    }
    QCollator orden{QLocale(QLocale::Spanish, QLocale::Spain)};
    orden.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(filas.begin(), filas.end(), [&orden](const FilaAlumno& a, const FilaAlumno& b) {
        for (int i = 0; i < a.clave.size(); ++i)
            if (const int c = orden.compare(a.clave[i], b.clave[i])) return c < 0;
        return false;
    });
    return filas;
}

}  // namespace

// ------------------------------------------------ shared steps

TUtilInformes::Propietario TUtilInformes::Alumno() const {
    return {dm_.cdsGrpAlFPtrAlumno->Value(), dm_.cdsGrpAlFPtrGrupo->Value(), QStringLiteral("-1")};
}

TUtilInformes::Propietario TUtilInformes::Subgrupo() const {
    return {dm_.cdsSubFPtrAlumno->Value(), dm_.cdsSubFPtrGrupo->Value(), dm_.cdsSubFCodSubgrupo->AsString()};
}

bool TUtilInformes::AbrirHistoricoDe(const QVariant& alumno) {
    if (alumno.isNull()) return false;
    const QString usuario = FormatoCodigo(alumno.toInt());
    if (!dm_.ExisteHistorico(usuario)) return false;
    dm_.AbrirHistorico(usuario);
    return true;
}

void TUtilInformes::TomarPractica(const QString& filtro) {
    TdmCDS::AplicarFiltro(dm_.cdsReparacion, filtro);
    dm_.cdsReparacion->First();
    practica_ = {};
    if (dm_.cdsReparacion->IsEmpty()) return;
    practica_ = {true,
                 dm_.cdsRepFEstado->AsString(),
                 dm_.cdsRepFResp->Value(),
                 dm_.cdsRepFCorrecta->Value(),
                 dm_.cdsRepFDuracion->Value(),
                 dm_.cdsRepFNReparacion->Value(),
                 dm_.cdsRepFNSintomas->Value(),
                 dm_.cdsRepFTutorizada->Value()};
}

void TUtilInformes::ReleerCatalogoSiCambio() {
    if (dm_.EquipoCargado() == equipoLeido_) return;
    equipoLeido_ = dm_.EquipoCargado();
    ubicaciones_.clear();
    averias_.clear();
}

std::vector<TUtilInformes::Ubicacion> TUtilInformes::Ubicaciones(const QVariant& elemento) {
    if (elemento.isNull()) return {};
    ReleerCatalogoSiCambio();
    const int codigo = elemento.toInt();
    if (const auto leidas = ubicaciones_.find(codigo); leidas != ubicaciones_.end()) return leidas->second;
    TClientDataSet* todos = dm_.cdsComponenteTodos;
    if (!todos->Active()) return {};
    std::vector<Ubicacion>& ubicaciones = ubicaciones_[codigo];
    const EstadoCursor estado(todos, true);
    TdmCDS::QuitarFiltro(todos);
    for (todos->First(); !todos->Eof(); todos->Next()) {
        if (todos->FieldByName(QStringLiteral("cdsComFCodComponente"))->AsInteger() != codigo) continue;
        ubicaciones.push_back({todos->FieldByName(QStringLiteral("cdsComFPtrBloque"))->AsInteger(),
                               todos->FieldByName(QStringLiteral("cdsComFPtrCircuito"))->AsInteger(),
                               codigo});
    }
    return ubicaciones;
}

QVariantList TUtilInformes::CodigosAveria(const QVariant& idAveria) {
    ReleerCatalogoSiCambio();
    const int id = idAveria.toInt();
    if (const auto leida = averias_.find(id); leida != averias_.end()) return leida->second;
    const QVariant codigos = idAveria.isNull()
                                 ? QVariant()
                                 : dm_.cdsAveria->Lookup(QStringLiteral("cdsAvFIdAveria"), idAveria,
                                                         QStringLiteral("cdsAvFPtrBloque;cdsAvFPtrCircuito;"
                                                                        "cdsAvFPtrComponente;cdsAvFReles"));
    QVariantList leidos =
        codigos.isNull() ? QVariantList{QVariant(), QVariant(), QVariant(), QVariant()} : codigos.toList();
    if (!idAveria.isNull()) averias_[id] = leidos;
    return leidos;
}

QString TUtilInformes::DescripcionElemento(const QVariant& circuito, const QVariant& elemento) {
    return dm_.cdsComponenteLoc
        ->Lookup(QStringLiteral("cdsComFPtrCircuito;cdsComFCodComponente"), QVariantList{circuito, elemento},
                 QStringLiteral("cdsComFDescripcion"))
        .toString();
}

void TUtilInformes::Terminar(SalidaInforme& principal, SalidaInforme* segundo) {
    principal.LineaFin();
    if (segundo) segundo->LineaFin();
    principal.Escribir();
    if (segundo) segundo->Escribir();
}

void TUtilInformes::Escribir(const PeticionInforme& p) {
    switch (p.tipo) {
        case TipoInforme::TodasAlumno:
            return InformeTodasAlumno(p.equipo);
        case TipoInforme::TodasSubgrupo:
            return InformeTodasSubgrupo(p.equipo);
        case TipoInforme::SimpleAlumno:
            return InformeSimpleAlumno(p.tipoUsuario, p.averia);
        case TipoInforme::SimpleSubgrupo:
            return InformeSimpleSubgrupo(p.tipoUsuario, p.averia);
        case TipoInforme::CompletoAlumno:
            return InformeCompletoAlumno(p.averia);
        case TipoInforme::CompletoSubgrupo:
            return InformeCompletoSubgrupo(p.averia);
        case TipoInforme::GrupoAlumnos:
            return InformeGrupoAlumnos(p.equipo);
        case TipoInforme::GrupoSubgrupos:
            return InformeGrupoSubgrupos(p.equipo);
        case TipoInforme::AveriaAlumnos:
            return InformeAveriaAlumnos(p.equipo, p.averia);
        case TipoInforme::AveriaSubgrupos:
            return InformeAveriaSubgrupos(p.equipo, p.averia);
        case TipoInforme::Accesibilidad:
            return InformeAccesibilidad();
        case TipoInforme::Contrasenas:
            return InformeContrasenas();
    }
}

// ------------------------------------------------ 1: every practice of one owner

void TUtilInformes::InformeTodasAlumno(int equipo) {
    TodasPropietario(Alumno(), equipo);
    // The student's report reads an empty second file.
    SalidaInforme segundo(ArchivosInforme::Secundario());
    segundo.LineaFin();
    segundo.Escribir();
}

void TUtilInformes::InformeTodasSubgrupo(int equipo) {
    TodasPropietario(Subgrupo(), equipo);
}

void TUtilInformes::TodasPropietario(const Propietario& p, int equipo) {
    const GuardaInforme guarda(dm_);
    SalidaInforme principal(ArchivosInforme::Principal());
    if (AbrirHistoricoDe(p.alumno)) {
        TdmCDS::AplicarFiltro(dm_.cdsReparacion,
                              QStringLiteral("cdsRepFPtrGrupo =%1 and cdsRepFPtrEquipo =%2 "
                                             "and cdsRepFPtrSubgrupo = %3")
                                  .arg(dm_.cdsGrpFCodGrupo->AsString())
                                  .arg(equipo)
                                  .arg(p.subgrupo));
        TClientDataSet* reparaciones = dm_.cdsReparacion;
        // 0 number, 1 virtual code, 2-5 start and end, 6 duration, 7 finished as,
        // 8 repaired, 9 tutorised.
        for (reparaciones->First(); !reparaciones->Eof(); reparaciones->Next())
            principal.Linea(
                QStringList{dm_.cdsReparacionCalcAvReal->AsString(),
                            dm_.cdsReparacionCalcCVirtual->AsString()}
                << Tiempos(dm_.cdsRepFInicio, dm_.cdsRepFFin)
                << QStringList{dm_.cdsRepFDuracion->AsString(),
                               Texto(dm_.cdsRepFResp->AsBoolean() ? kTextoReparada : kTextoNoReparada),
                               SiNoOBlanco(dm_.cdsRepFCorrecta), SiNo(dm_.cdsRepFTutorizada)});
    }
    Terminar(principal);
}

// ------------------------------------------------ 2: one fault of one owner, simple history

namespace {

// The practices of one owner and one fault; the group and subgroup clauses keep a student's
// own practice and a subgroup's copy apart.
QString FiltroPropietarioAveria(const QVariant& alumno, const QVariant& grupo, const QString& subgrupo,
                                const AveriaElegida& averia) {
    return QStringLiteral(
               "cdsRepFPtrGrupo =%1 and cdsRepFPtrAlumno=%2 and cdsRepFPtrIdAveria=%3 and "
               "cdsRepFTutorizada =%4 and cdsRepFPtrSubgrupo = %5")
        .arg(Codigo(grupo), Codigo(alumno))
        .arg(averia.idAveria)
        .arg(Verdad(averia.tutorizada), subgrupo);
}

}  // namespace

void TUtilInformes::InformeSimpleAlumno(int tipoUsuario, const AveriaElegida& averia) {
    SimplePropietario(Alumno(), tipoUsuario, averia);
}

void TUtilInformes::InformeSimpleSubgrupo(int tipoUsuario, const AveriaElegida& averia) {
    SimplePropietario(Subgrupo(), tipoUsuario, averia);
}

void TUtilInformes::SimplePropietario(const Propietario& p, int tipoUsuario, const AveriaElegida& averia) {
    const GuardaInforme guarda(dm_);
    practica_ = {};
    SalidaInforme principal(ArchivosInforme::Principal());
    SalidaInforme segundo(ArchivosInforme::Secundario());
    if (AbrirHistoricoDe(p.alumno)) {
        TomarPractica(FiltroPropietarioAveria(p.alumno, p.grupo, p.subgrupo, averia));
        const QString numero = dm_.cdsReparacionCalcAvReal->AsString();
        const QString virtual_ = dm_.cdsReparacionCalcCVirtual->AsString();
        // 0-2 where the fault's element is placed, 3 number, 4 virtual code, 5-9 blank.
        for (const Ubicacion& u : Ubicaciones(CodigosAveria(averia.idAveria)[2]))
            principal.Linea(QStringList{QString::number(u.bloque), QString::number(u.circuito),
                                        QString::number(u.elemento), numero, virtual_}
                            << Blancos(5));
        if (practica_.encontrada) {
            const bool terminada = !dm_.cdsRepFFin->IsNull();
            const QString titulo = Texto(tipoUsuario == 3 ? kTextoTituloProfesor : kTextoTituloAlumno);
            TClientDataSet* lineas = dm_.cdsLineaReparacion;
            TdmCDS::AplicarFiltro(lineas, QStringLiteral("cdsLRepFAccion='R'"));
            // 0-2 the diagnosis, 3 comments, 4-5 start, 6-7 end, 8 duration (6-8 blank while
            // the practice is unfinished), 9 title.
            for (lineas->First(); !lineas->Eof(); lineas->Next()) {
                QStringList linea{
                    Codigo(dm_.cdsLRepFBloque->Value()),     Codigo(dm_.cdsLRepFCircuito->Value()),
                    Codigo(dm_.cdsLRepFComponente->Value()), dm_.cdsLRepFComentarios->AsString(),
                    Fecha(dm_.cdsLRepFInicio->Value()),      Hora(dm_.cdsLRepFInicio->Value())};
                if (terminada)
                    linea << Fecha(dm_.cdsLRepFFin->Value()) << Hora(dm_.cdsLRepFFin->Value())
                          << DuracionLinea(dm_.cdsLRepFInicio->Value(), dm_.cdsLRepFFin->Value());
                else
                    linea << Blancos(3);
                segundo.Linea(linea << titulo);
            }
        }
    }
    Terminar(principal, &segundo);
}

// ------------------------------------------------ 3: one fault of one owner, complete history

void TUtilInformes::InformeCompletoAlumno(const AveriaElegida& averia) {
    CompletoPropietario(Alumno(), averia);
}

void TUtilInformes::InformeCompletoSubgrupo(const AveriaElegida& averia) {
    CompletoPropietario(Subgrupo(), averia);
}

void TUtilInformes::CompletoPropietario(const Propietario& p, const AveriaElegida& averia) {
    const GuardaInforme guarda(dm_);
    practica_ = {};
    SalidaInforme principal(ArchivosInforme::Principal());
    SalidaInforme segundo(ArchivosInforme::Secundario());
    if (AbrirHistoricoDe(p.alumno)) {
        // 0 "0", 1-3 where the fault's element is placed, 4-13 blank.
        for (const Ubicacion& u : Ubicaciones(CodigosAveria(averia.idAveria)[2]))
            segundo.Linea(QStringList{QStringLiteral("0"), QString::number(u.bloque),
                                      QString::number(u.circuito), QString::number(u.elemento)}
                          << Blancos(10));
        TomarPractica(FiltroPropietarioAveria(p.alumno, p.grupo, p.subgrupo, averia));
        if (practica_.encontrada) GruposDiagnostico(principal);
    }
    segundo.LineaFin();
    principal.Escribir();
    segundo.Escribir();
}

void TUtilInformes::GruposDiagnostico(SalidaInforme& principal) {
    TClientDataSet* lineas = dm_.cdsLineaReparacion;
    TdmCDS::QuitarFiltro(lineas);
    lineas->Last();
    const int ultimo = dm_.cdsLRepFNumDiagnostico->AsInteger();
    const int grupos = ultimo == 1 ? 1 : ultimo - 1;
    const bool terminada = !dm_.cdsRepFFin->IsNull();
    const bool tutorizada = dm_.cdsRepFTutorizada->AsBoolean();
    for (int d = 1; d <= grupos; ++d) {
        // The prefix comes from the group's attempt: 0 number, 1-3 the diagnosis, 4 comments,
        // 5-6 start, 7-8 end, 9 duration (7-9 blank while unfinished), 10 steps.
        TdmCDS::AplicarFiltro(lineas,
                              QStringLiteral("cdsLRepFNumDiagnostico =%1 and cdsLRepFAccion='R'").arg(d));
        lineas->First();
        QStringList prefijo{QString::number(d),
                            Codigo(dm_.cdsLRepFBloque->Value()),
                            Codigo(dm_.cdsLRepFCircuito->Value()),
                            Codigo(dm_.cdsLRepFComponente->Value()),
                            dm_.cdsLRepFComentarios->AsString(),
                            Fecha(dm_.cdsLRepFInicio->Value()),
                            Hora(dm_.cdsLRepFInicio->Value())};
        if (terminada)
            prefijo << Fecha(dm_.cdsLRepFFin->Value()) << Hora(dm_.cdsLRepFFin->Value())
                    << DuracionLinea(dm_.cdsLRepFInicio->Value(), dm_.cdsLRepFFin->Value());
        else
            prefijo << Blancos(3);
        QString pasos = QStringLiteral("cdsLRepFNumDiagnostico =%1").arg(d);
        const QStringList fuera = tutorizada ? QStringList{"F", "A", "P"} : QStringList{"F", "A", "R", "P"};
        for (const QString& accion : fuera) pasos += QStringLiteral(" and cdsLRepFAccion<>'%1'").arg(accion);
        TdmCDS::AplicarFiltro(lineas, pasos);
        prefijo << QString::number(lineas->RecordCount());
        // 11-13 the step's own choice.
        for (lineas->First(); !lineas->Eof(); lineas->Next())
            principal.Linea(QStringList(prefijo)
                            << Codigo(dm_.cdsLRepFBloque->Value()) << Codigo(dm_.cdsLRepFCircuito->Value())
                            << Codigo(dm_.cdsLRepFComponente->Value()));
        principal.LineaFin();
    }
}

// ------------------------------------------------ 4: every practice of every owner of the group

QStringList TUtilInformes::LineaGrupo(const QString& nombre, const QVariantList& averia, int noReparada) {
    // 0 the owner on its first line, 1 number, 2 virtual code, 3-5 the fault's place,
    // 6-9 start and end, 10 duration, 11 tutorised, 12 repaired.
    return QStringList{nombre,
                       dm_.cdsReparacionCalcAvReal->AsString(),
                       dm_.cdsReparacionCalcCVirtual->AsString(),
                       Codigo(averia[0]),
                       Codigo(averia[1]),
                       Codigo(averia[2])}
           << Tiempos(dm_.cdsRepFInicio, dm_.cdsRepFFin)
           << QStringList{dm_.cdsRepFDuracion->AsString(), SiNo(dm_.cdsRepFTutorizada),
                          ReparadaOBlanco(dm_.cdsRepFCorrecta, noReparada)};
}

void TUtilInformes::InformeGrupoAlumnos(int equipo) {
    const GuardaInforme guarda(dm_);
    SalidaInforme principal(ArchivosInforme::Principal());
    TdmCDS::AplicarFiltro(
        dm_.cdsReparacion,
        QStringLiteral("cdsRepFPtrGrupo =%1 and cdsRepFPtrEquipo =%2 and cdsRepFPtrSubgrupo = -1")
            .arg(dm_.cdsGrpFCodGrupo->AsString())
            .arg(equipo));
    TClientDataSet* miembros = dm_.cdsGrupoAlumno;
    TClientDataSet* reparaciones = dm_.cdsReparacion;
    for (miembros->First(); !miembros->Eof(); miembros->Next()) {
        if (!AbrirHistoricoDe(dm_.cdsGrpAlFPtrAlumno->Value())) continue;
        QString nombre = dm_.cdsGrupoAlumnoCalcNCompleto->AsString();
        for (reparaciones->First(); !reparaciones->Eof(); reparaciones->Next()) {
            const QVariantList averia = CodigosAveria(dm_.cdsRepFPtrIdAveria->Value());
            principal.Linea(LineaGrupo(std::exchange(nombre, QString()), averia, kTextoNoReparadaGrupo));
            // The element's other places, in columns 3-5.
            for (const Ubicacion& u : Ubicaciones(averia[2])) {
                if (u.bloque == averia[0].toInt() && u.circuito == averia[1].toInt() &&
                    u.elemento == averia[2].toInt())
                    continue;
                principal.Linea(Blancos(3) << QString::number(u.bloque) << QString::number(u.circuito)
                                           << QString::number(u.elemento) << Blancos(7));
            }
        }
    }
    Terminar(principal);
}

void TUtilInformes::InformeGrupoSubgrupos(int equipo) {
    const GuardaInforme guarda(dm_);
    SalidaInforme principal(ArchivosInforme::Principal());
    TClientDataSet* subgrupos = dm_.cdsSubgrupo;
    TClientDataSet* reparaciones = dm_.cdsReparacion;
    TdmCDS::QuitarFiltro(subgrupos);
    std::set<int> tomados;
    for (subgrupos->First(); !subgrupos->Eof(); subgrupos->Next()) {
        if (!tomados.insert(dm_.cdsSubFCodSubgrupo->AsInteger()).second) continue;
        if (!AbrirHistoricoDe(dm_.cdsSubFPtrAlumno->Value())) continue;
        // Exactly this subgroup's practices on this trainer in this group.
        TdmCDS::AplicarFiltro(reparaciones,
                              QStringLiteral("cdsRepFPtrGrupo = %1 and cdsRepFPtrEquipo = %2 and "
                                             "cdsRepFPtrSubgrupo = %3")
                                  .arg(dm_.cdsGrpFCodGrupo->AsString())
                                  .arg(equipo)
                                  .arg(dm_.cdsSubFCodSubgrupo->AsString()));
        QString nombre = dm_.cdsSubFNombre->AsString();
        for (reparaciones->First(); !reparaciones->Eof(); reparaciones->Next()) {
            principal.Linea(LineaGrupo(std::exchange(nombre, QString()),
                                       CodigosAveria(dm_.cdsRepFPtrIdAveria->Value()), kTextoNoReparada));
        }
    }
    Terminar(principal);
}

// ------------------------------------------------ 5: one fault of every owner of the group

namespace {

// 2-5 start and end, 6 duration, 7 tutorised, 8 repaired: what both kinds write after
// their two name columns.
QStringList ColumnasAveria(TdmCDS& dm) {
    return Tiempos(dm.cdsRepFInicio, dm.cdsRepFFin)
           << QStringList{dm.cdsRepFDuracion->AsString(), SiNo(dm.cdsRepFTutorizada),
                          ReparadaOBlanco(dm.cdsRepFCorrecta, kTextoNoReparada)};
}

}  // namespace

void TUtilInformes::LugaresAveria(SalidaInforme& segundo, const AveriaElegida& averia) {
    // 0-2 where the fault's element is placed, 3-9 blank.
    for (const Ubicacion& u : Ubicaciones(CodigosAveria(averia.idAveria)[2]))
        segundo.Linea(
            QStringList{QString::number(u.bloque), QString::number(u.circuito), QString::number(u.elemento)}
            << Blancos(7));
}

void TUtilInformes::LineasAveria(SalidaInforme& principal, const QString& primera, const QString& nombre) {
    TClientDataSet* reparaciones = dm_.cdsReparacion;
    QString columna0 = primera;
    // 0 the owner on its first line, 1 the member.
    for (reparaciones->First(); !reparaciones->Eof(); reparaciones->Next())
        principal.Linea(QStringList{std::exchange(columna0, QString()), nombre} << ColumnasAveria(dm_));
}

void TUtilInformes::InformeAveriaAlumnos(int equipo, const AveriaElegida& averia) {
    const GuardaInforme guarda(dm_);
    SalidaInforme principal(ArchivosInforme::Principal());
    SalidaInforme segundo(ArchivosInforme::Secundario());
    LugaresAveria(segundo, averia);
    TdmCDS::AplicarFiltro(dm_.cdsReparacion,
                          QStringLiteral("cdsRepFPtrGrupo =%1 and cdsRepFPtrEquipo =%2 and "
                                         "cdsRepFPtrIdAveria =%3 and cdsRepFPtrSubgrupo = -1")
                              .arg(dm_.cdsGrpFCodGrupo->AsString())
                              .arg(equipo)
                              .arg(averia.idAveria));
    TClientDataSet* miembros = dm_.cdsGrupoAlumno;
    for (miembros->First(); !miembros->Eof(); miembros->Next())
        if (AbrirHistoricoDe(dm_.cdsGrpAlFPtrAlumno->Value()))
            LineasAveria(principal, dm_.cdsGrpAlFPtrAlumno->AsString(),
                         dm_.cdsGrupoAlumnoCalcNCompleto->AsString());
    Terminar(principal, &segundo);
}

void TUtilInformes::InformeAveriaSubgrupos(int equipo, const AveriaElegida& averia) {
    const GuardaInforme guarda(dm_);
    SalidaInforme principal(ArchivosInforme::Principal());
    SalidaInforme segundo(ArchivosInforme::Secundario());
    LugaresAveria(segundo, averia);
    TClientDataSet* subgrupos = dm_.cdsSubgrupo;
    // Every subgroup of the group, each member with the practices in its own history.
    TdmCDS::QuitarFiltro(subgrupos);
    for (subgrupos->First(); !subgrupos->Eof(); subgrupos->Next()) {
        if (!AbrirHistoricoDe(dm_.cdsSubFPtrAlumno->Value())) continue;
        TdmCDS::AplicarFiltro(dm_.cdsReparacion,
                              QStringLiteral("cdsRepFPtrGrupo =%1 and cdsRepFPtrEquipo =%2 and "
                                             "cdsRepFPtrIdAveria =%3 and cdsRepFPtrSubgrupo =%4")
                                  .arg(dm_.cdsGrpFCodGrupo->AsString())
                                  .arg(equipo)
                                  .arg(averia.idAveria)
                                  .arg(dm_.cdsSubFCodSubgrupo->AsString()));
        LineasAveria(principal, dm_.cdsSubFNombre->AsString(), dm_.cdsSubgrupoCalcNAlumno->AsString());
    }
    Terminar(principal, &segundo);
}

// ------------------------------------------------ the fault access list and the password lists

void TUtilInformes::InformeAccesibilidad() {
    const GuardaInforme guarda(dm_);
    SalidaInforme principal(ArchivosInforme::Principal());
    TClientDataSet* semillas = dm_.cdsSemilla;
    for (semillas->First(); !semillas->Eof(); semillas->Next()) {
        const QVariantList averia = CodigosAveria(dm_.cdsSemFPtrIdAveria->Value());
        // 0 number, 1 virtual code, 2 relays, 3-5 names of the fault's block, circuit, element.
        principal.Linea({dm_.cdsSemillaPtrAvReal->AsString(), dm_.cdsSemFCodVirtual->AsString(),
                         averia[3].toString(), dm_.DescripcionBloque(averia[0]),
                         dm_.DescripcionCircuito(averia[1]), DescripcionElemento(averia[1], averia[2])});
        // The element's other places, by name in columns 3-5.
        for (const Ubicacion& u : Ubicaciones(averia[2])) {
            if (u.bloque == averia[0].toInt() && u.circuito == averia[1].toInt()) continue;
            principal.Linea(Blancos(3)
                            << dm_.DescripcionBloque(u.bloque) << dm_.DescripcionCircuito(u.circuito)
                            << DescripcionElemento(u.circuito, u.elemento));
        }
    }
    Terminar(principal);
}

void TUtilInformes::InformeContrasenas() {
    const GuardaInforme guarda(dm_);
    SalidaInforme principal(ArchivosInforme::Principal());
    SalidaInforme segundo(ArchivosInforme::Secundario());
    TClientDataSet* alumnos = dm_.cdsAlumnoLUp;
    dm_.FiltrarAlumnosGrupo();
    // A group without members lists nobody, not every student of the installation.
    if (alumnos->Filter().trimmed().isEmpty())
        TdmCDS::AplicarFiltro(alumnos, QStringLiteral("cdsAFCodAlumno = -99"));
    // 0 code, 1 "surname 2 surname 1, name", 2 password.
    for (const FilaAlumno& a : AlumnosOrdenados(alumnos)) principal.Linea({a.codigo, a.nombre, a.password});

    TClientDataSet* subgrupos = dm_.cdsSubgrupo;
    TdmCDS::QuitarFiltro(subgrupos);
    std::set<int> tomados;
    for (subgrupos->First(); !subgrupos->Eof(); subgrupos->Next()) {
        if (!tomados.insert(dm_.cdsSubFCodSubgrupo->AsInteger()).second) continue;
        dm_.FiltrarAlumnosSubgrupo();
        // 0 subgroup, 1 member, 2 the subgroup's password.
        for (const FilaAlumno& a : AlumnosOrdenados(alumnos))
            segundo.Linea({dm_.cdsSubFNombre->AsString(), a.nombre, dm_.cdsSubFPassword->AsString()});
    }
    Terminar(principal, &segundo);
}
