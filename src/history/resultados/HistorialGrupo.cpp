#include "HistorialGrupo.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "Cadenas.h"
#include "ClientDataSet.h"
#include "RutasDatos.h"

namespace {

// A table file read as it was last written, never written back.
class Lectura {
public:
    Lectura(const QString& archivo, const QString& nombre) : tabla_(nombre) {
        tabla_.SetReadOnly(true);
        tabla_.LoadFromFile(archivo);
    }
    TClientDataSet& tabla() { return tabla_; }
    // A field of the file; a column the file lacks reads as Null.
    TField* campo(const char* nombre) { return tabla_.FieldByName(QLatin1String(nombre)); }

private:
    TClientDataSet tabla_;
};

int Codigo(const TField* campo) {
    return campo->IsNull() ? -1 : campo->AsInteger();
}

QString NombreAlumno(const QString& apellido1, const QString& apellido2, const QString& nombre) {
    const QString apellidos = QStringList{apellido1, apellido2}.filter(QRegularExpression("\\S")).join(' ');
    if (apellidos.isEmpty()) return nombre;
    return nombre.isEmpty() ? apellidos : apellidos + QStringLiteral(", ") + nombre;
}

std::map<int, QString> LeerNombresAlumnos() {
    std::map<int, QString> nombres;
    Lectura alumnos(RutasDatos::Archivo(RutasDatos::CarpetaBDs(), QStringLiteral("cdsAlumno")),
                    QStringLiteral("cdsAlumno"));
    TField* codigo = alumnos.campo("cdsAFCodAlumno");
    TField* nombre = alumnos.campo("cdsAFNombre");
    TField* apellido1 = alumnos.campo("cdsAFApellido1");
    TField* apellido2 = alumnos.campo("cdsAFApellido2");
    for (alumnos.tabla().First(); !alumnos.tabla().Eof(); alumnos.tabla().Next())
        nombres[codigo->AsInteger()] = NombreAlumno(
            apellido1->AsString().trimmed(), apellido2->AsString().trimmed(), nombre->AsString().trimmed());
    return nombres;
}

QString NombreGrupo(int grupo) {
    Lectura grupos(RutasDatos::Archivo(RutasDatos::CarpetaBDs(), QStringLiteral("cdsGrupo")),
                   QStringLiteral("cdsGrupo"));
    if (!grupos.tabla().Locate(QStringLiteral("cdsGrpFCodGrupo"), grupo))
        throw EDatabaseError(QStringLiteral("No existe el grupo %1.").arg(grupo));
    return grupos.campo("cdsGrpFNombre")->AsString();
}

void LeerMiembros(const QString& carpeta, HistorialGrupo& h) {
    const std::map<int, QString> nombres = LeerNombresAlumnos();
    const auto nombreDe = [&](int alumno) {
        const auto it = nombres.find(alumno);
        return it != nombres.end() && !it->second.isEmpty() ? it->second
                                                            : QStringLiteral("Alumno %1").arg(alumno);
    };
    Lectura miembros(RutasDatos::Archivo(carpeta, QStringLiteral("cdsGrupoAlumno")),
                     QStringLiteral("cdsGrupoAlumno"));
    TField* alumno = miembros.campo("cdsGrpAlFPtrAlumno");
    for (miembros.tabla().First(); !miembros.tabla().Eof(); miembros.tabla().Next())
        if (!alumno->IsNull()) h.alumnos.push_back({alumno->AsInteger(), nombreDe(alumno->AsInteger())});
    std::sort(h.alumnos.begin(), h.alumnos.end(), [](const MiembroGrupo& a, const MiembroGrupo& b) {
        return a.nombre.localeAwareCompare(b.nombre) < 0;
    });

    Lectura subgrupos(RutasDatos::Archivo(carpeta, QStringLiteral("cdsSubgrupo")),
                      QStringLiteral("cdsSubgrupo"));
    TField* codigo = subgrupos.campo("cdsSubFCodSubgrupo");
    TField* nombre = subgrupos.campo("cdsSubFNombre");
    TField* miembro = subgrupos.campo("cdsSubFPtrAlumno");
    for (subgrupos.tabla().First(); !subgrupos.tabla().Eof(); subgrupos.tabla().Next()) {
        auto it = std::find_if(h.subgrupos.begin(), h.subgrupos.end(),
                               [&](const SubgrupoGrupo& s) { return s.codigo == codigo->AsInteger(); });
        if (it == h.subgrupos.end())
            it = h.subgrupos.insert(h.subgrupos.end(), {codigo->AsInteger(), nombre->AsString(), {}});
        if (!miembro->IsNull()) it->miembros.push_back(miembro->AsInteger());
    }
}

void LeerSemillas(const QString& carpeta, HistorialGrupo& h) {
    Lectura semillas(RutasDatos::Archivo(carpeta, QStringLiteral("cdsSemilla")),
                     QStringLiteral("cdsSemilla"));
    TField* equipo = semillas.campo("cdsSemFPtrEquipo");
    TField* averia = semillas.campo("cdsSemFPtrIdAveria");
    TField* tutorizada = semillas.campo("cdsSemFTutorizada");
    TField* codigoVirtual = semillas.campo("cdsSemFCodVirtual");
    for (semillas.tabla().First(); !semillas.tabla().Eof(); semillas.tabla().Next())
        if (!averia->IsNull())
            h.semillas.push_back(
                {equipo->AsInteger(), averia->AsInteger(), tutorizada->AsBoolean(),
                 codigoVirtual->IsNull() ? std::nullopt : std::optional<int>(codigoVirtual->AsInteger())});
}

// The trainer's faults and placements; a trainer whose folder cannot be read keeps only
// its name, so its faults show as gone from the catalogue.
CatalogoEquipo LeerCatalogo(int equipo, const QString& nombre, QStringList& avisos) {
    CatalogoEquipo c;
    c.nombre = nombre.isEmpty() ? QStringLiteral("Equipo %1").arg(equipo) : nombre;
    const QString carpeta = RutasDatos::CarpetaEquipo(equipo);
    try {
        Lectura averias(RutasDatos::Archivo(carpeta, QStringLiteral("cdsAveria")),
                        QStringLiteral("cdsAveria"));
        TField* id = averias.campo("cdsAvFIdAveria");
        TField* numero = averias.campo("cdsAvFCodAveria");
        TField* descripcion = averias.campo("cdsAvFDescripcion");
        TField* bloque = averias.campo("cdsAvFPtrBloque");
        TField* circuito = averias.campo("cdsAvFPtrCircuito");
        TField* elemento = averias.campo("cdsAvFPtrComponente");
        for (averias.tabla().First(); !averias.tabla().Eof(); averias.tabla().Next())
            c.averias[id->AsInteger()] = {id->AsInteger(), numero->AsInteger(), descripcion->AsString(),
                                          Codigo(bloque),  Codigo(circuito),    Codigo(elemento)};
        Lectura lugares(RutasDatos::Archivo(carpeta, QStringLiteral("cdsComponente")),
                        QStringLiteral("cdsComponente"));
        TField* lugarElemento = lugares.campo("cdsComFCodComponente");
        TField* lugarBloque = lugares.campo("cdsComFPtrBloque");
        TField* lugarCircuito = lugares.campo("cdsComFPtrCircuito");
        for (lugares.tabla().First(); !lugares.tabla().Eof(); lugares.tabla().Next()) {
            c.elementoEnBloque.insert({Codigo(lugarBloque), Codigo(lugarElemento)});
            c.elementoEnCircuito.insert({Codigo(lugarCircuito), Codigo(lugarElemento)});
        }
    } catch (const EDatabaseError& e) {
        avisos << QStringLiteral("No se puede leer el catálogo de %1: %2").arg(c.nombre, e.Message());
    }
    return c;
}

void LeerEquipos(HistorialGrupo& h) {
    std::set<int> usados;
    for (const SemillaGrupo& s : h.semillas) usados.insert(s.equipo);
    for (const Practica& p : h.practicas) usados.insert(p.equipo);
    Lectura equipos(RutasDatos::Archivo(RutasDatos::CarpetaBDs(), QStringLiteral("cdsEquipo")),
                    QStringLiteral("cdsEquipo"));
    for (int equipo : usados) {
        const bool hay = equipos.tabla().Locate(QStringLiteral("cdsEFCodEquipo"), equipo);
        h.equipos[equipo] =
            LeerCatalogo(equipo, hay ? equipos.campo("cdsEFDescripcion")->AsString() : QString(), h.avisos);
    }
}

// The group's practices in one member's history, lines still unread.
void LeerPracticas(int grupo, int alumno, HistorialGrupo& h,
                   std::map<int, std::vector<LineaPractica>>& lineasPorPractica) {
    const QString usuario = FormatoCodigo(alumno);
    const QString archivo = RutasDatos::ArchivoReparacion(usuario);
    if (!QFileInfo::exists(archivo)) return;
    Lectura practicas(archivo, QStringLiteral("cdsReparacion"));
    TField* codigo = practicas.campo("cdsRepFCodReparacion");
    TField* delGrupo = practicas.campo("cdsRepFPtrGrupo");
    TField* subgrupo = practicas.campo("cdsRepFPtrSubgrupo");
    TField* equipo = practicas.campo("cdsRepFPtrEquipo");
    TField* averia = practicas.campo("cdsRepFPtrIdAveria");
    TField* tutorizada = practicas.campo("cdsRepFTutorizada");
    TField* inicio = practicas.campo("cdsRepFInicio");
    TField* fin = practicas.campo("cdsRepFFin");
    TField* estado = practicas.campo("cdsRepFEstado");
    TField* respuesta = practicas.campo("cdsRepFResp");
    TField* correcta = practicas.campo("cdsRepFCorrecta");
    TField* duracion = practicas.campo("cdsRepFDuracion");
    for (practicas.tabla().First(); !practicas.tabla().Eof(); practicas.tabla().Next()) {
        if (delGrupo->IsNull() || delGrupo->AsInteger() != grupo) continue;
        Practica p;
        p.codigo = codigo->AsInteger();
        p.alumno = alumno;
        p.subgrupo = subgrupo->IsNull() ? -1 : subgrupo->AsInteger();
        p.equipo = equipo->AsInteger();
        p.averia = averia->AsInteger();
        p.tutorizada = tutorizada->AsBoolean();
        p.inicio = inicio->AsDateTime();
        if (!fin->IsNull()) p.fin = fin->AsDateTime();
        p.terminada = estado->AsString() == QLatin1String("F");
        p.respuesta = respuesta->AsBoolean();
        p.correcta = correcta->AsBoolean();
        if (p.terminada) p.segundos = SegundosDeDuracion(duracion->AsString());
        lineasPorPractica[p.codigo];
        h.practicas.push_back(p);
    }
    if (lineasPorPractica.empty()) return;
    Lectura lineas(RutasDatos::ArchivoLineaReparacion(usuario), QStringLiteral("cdsLineaReparacion"));
    TField* practica = lineas.campo("cdsLRepFPtrReparacion");
    TField* accion = lineas.campo("cdsLRepFAccion");
    TField* bloque = lineas.campo("cdsLRepFBloque");
    TField* circuito = lineas.campo("cdsLRepFCircuito");
    TField* elemento = lineas.campo("cdsLRepFComponente");
    for (lineas.tabla().First(); !lineas.tabla().Eof(); lineas.tabla().Next()) {
        const auto it = lineasPorPractica.find(Codigo(practica));
        if (it != lineasPorPractica.end())
            it->second.push_back({accion->AsString(), Codigo(bloque), Codigo(circuito), Codigo(elemento)});
    }
}

}  // namespace

std::optional<int> SegundosDeDuracion(const QString& texto) {
    static const QRegularExpression forma(QStringLiteral("^\\s*(\\d+)d (\\d{1,2}):(\\d{2}):(\\d{2})\\s*$"));
    const QRegularExpressionMatch m = forma.match(texto);
    if (!m.hasMatch()) return std::nullopt;
    return ((m.captured(1).toInt() * 24 + m.captured(2).toInt()) * 60 + m.captured(3).toInt()) * 60 +
           m.captured(4).toInt();
}

void ResumirLineas(const std::vector<LineaPractica>& lineas, const CatalogoEquipo* catalogo,
                   Practica& practica) {
    const AveriaCatalogo* averia = nullptr;
    if (catalogo) {
        const auto it = catalogo->averias.find(practica.averia);
        if (it != catalogo->averias.end()) averia = &it->second;
    }
    // A choice is wrong when the fault's element is not placed in the chosen block or
    // circuit, or when the chosen element is another one.
    const auto erroneo = [&](const LineaPractica& l) {
        if (l.bloque >= 0 && !catalogo->elementoEnBloque.count({l.bloque, averia->elemento})) return true;
        if (l.circuito >= 0 && !catalogo->elementoEnCircuito.count({l.circuito, averia->elemento}))
            return true;
        return l.elemento >= 0 && l.elemento != averia->elemento;
    };
    practica.intentos = 0;
    int pasosErroneos = 0;
    for (const LineaPractica& l : lineas) {
        // "R" an attempt; an empty kind a wrong tutored attempt; " " a step of the lists.
        if (l.accion == QLatin1String("R") || l.accion.isEmpty())
            ++practica.intentos;
        else if (l.accion == QLatin1String(" ") && averia && erroneo(l))
            ++pasosErroneos;
    }
    if (averia)
        practica.pasosErroneos = pasosErroneos;
    else
        practica.pasosErroneos.reset();
}

HistorialGrupo LeerHistorialGrupo(int grupo) {
    HistorialGrupo h;
    h.grupo = grupo;
    h.nombre = NombreGrupo(grupo);
    const QString carpeta = RutasDatos::CarpetaGrupo(grupo);
    LeerMiembros(carpeta, h);
    LeerSemillas(carpeta, h);

    std::vector<std::pair<std::size_t, std::vector<LineaPractica>>> pendientes;
    for (const MiembroGrupo& m : h.alumnos) {
        const std::size_t desde = h.practicas.size();
        std::map<int, std::vector<LineaPractica>> lineas;
        try {
            LeerPracticas(grupo, m.codigo, h, lineas);
        } catch (const EDatabaseError& e) {
            h.practicas.resize(desde);
            h.avisos << QStringLiteral("No se puede leer el historial de %1: %2").arg(m.nombre, e.Message());
            continue;
        }
        for (std::size_t i = desde; i < h.practicas.size(); ++i)
            pendientes.emplace_back(i, std::move(lineas[h.practicas[i].codigo]));
    }
    LeerEquipos(h);
    for (auto& [i, lineas] : pendientes) {
        Practica& p = h.practicas[i];
        const auto equipo = h.equipos.find(p.equipo);
        ResumirLineas(lineas, equipo != h.equipos.end() ? &equipo->second : nullptr, p);
    }
    return h;
}
