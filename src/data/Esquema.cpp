#include "Esquema.h"

#include <stdexcept>

namespace Esquema {

namespace {

constexpr bool kReq = true;
const QString kSiNo = QStringLiteral("Si;No");

Campo Entero(const QString& nombre, const QString& etiqueta = {}, bool requerido = false) {
    return Campo{nombre, Tipo::Entero, 0, requerido, etiqueta, {}, Clase::Datos, {}};
}

Campo Cadena(const QString& nombre, int ancho, const QString& etiqueta = {}, bool requerido = false) {
    return Campo{nombre, Tipo::Cadena, ancho, requerido, etiqueta, {}, Clase::Datos, {}};
}

Campo Logico(const QString& nombre, const QString& etiqueta = {}, const QString& valores = kSiNo) {
    return Campo{nombre, Tipo::Booleano, 0, false, etiqueta, valores, Clase::Datos, {}};
}

Campo Fecha(const QString& nombre, const QString& etiqueta = {}) {
    return Campo{nombre, Tipo::FechaHora, 0, false, etiqueta, {}, Clase::Datos, {}};
}

Campo Memo(const QString& nombre, Tipo tipo, const QString& etiqueta = {}) {
    return Campo{nombre, tipo, 0, false, etiqueta, {}, Clase::Datos, {}};
}

Campo DeClase(Campo campo, Clase clase) {
    campo.clase = clase;
    return campo;
}

Campo Calculado(Campo campo) {
    return DeClase(std::move(campo), Clase::Calculado);
}

Campo Interno(Campo campo) {
    return DeClase(std::move(campo), Clase::InternoCalculado);
}

std::vector<Tabla> CrearTablas() {
    std::vector<Tabla> tablas;

    tablas.push_back({.nombre = "cdsEquipo",
                      .campos = {Entero("cdsEFCodEquipo", "Cod. Equipo", kReq),
                                 Cadena("cdsEFDescripcion", 40, "Descripcion", kReq),
                                 Cadena("cdsEFCodigo", 20, "Codigo"), Logico("cdsEFActivado")},
                      .orden = "cdsEFDescripcion"});

    tablas.push_back(
        {.nombre = "cdsBloque",
         .campos = {Entero("cdsBloFCodBloque", "Cod. Bloque", kReq),
                    Entero("cdsBloFPtrEquipo", "Cod. Equipo", kReq), Cadena("cdsBloFDescripcion", 255)},
         .orden = "cdsBloFPtrEquipo",
         .maestro = "dsEquipo",
         .camposMaestro = "cdsEFCodEquipo"});

    tablas.push_back(
        {.nombre = "cdsCircuito",
         .campos = {Entero("cdsCFCodCircuito", "Cod. Circuito", kReq),
                    Entero("cdsCFPtrEquipo", "Cod. Equipo", kReq),
                    Entero("cdsCFPtrBloque", "Cod. Bloque", kReq), Cadena("cdsCFDescripcion", 255)},
         .orden = "cdsCFPtrBloque",
         .maestro = "dsBloque",
         .camposMaestro = "cdsBloFCodBloque"});

    tablas.push_back({.nombre = "cdsElemento",
                      .campos = {Entero("cdsElemFCodElemento"), Cadena("cdsElemFDescripcion", 255),
                                 Entero("cdsElemFPtrEquipo")}});

    tablas.push_back(
        {.nombre = "cdsComponente",
         .campos = {Entero("cdsComFIdComponente"), Entero("cdsComFCodComponente", {}, kReq),
                    Entero("cdsComFPtrEquipo", {}, kReq), Entero("cdsComFPtrBloque"),
                    Entero("cdsComFPtrCircuito", {}, kReq), Interno(Cadena("cdsComFDescripcion", 255))},
         .orden = "cdsComFPtrCircuito",
         .maestro = "dsCircuito",
         .camposMaestro = "cdsCFCodCircuito"});

    tablas.push_back(
        {.nombre = "cdsAveria",
         .campos = {Entero("cdsAvFIdAveria"), Entero("cdsAvFCodAveria", "Num."), Entero("cdsAvFPtrEquipo"),
                    Cadena("cdsAvFDescripcion", 255), Cadena("cdsAvFReles", 20), Entero("cdsAvFPtrBloque"),
                    Entero("cdsAvFPtrCircuito"), Entero("cdsAvFPtrComponente")},
         .orden = "cdsAvFPtrEquipo;cdsAvFCodAveria",
         .maestro = "dsEquipo",
         .camposMaestro = "cdsEFCodEquipo"});

    tablas.push_back({.nombre = "cdsSintomas",
                      .campos = {Entero("cdsSinFPtrIdAveria", "Id. Averia", kReq),
                                 Cadena("cdsSinFNivel", 20, "Nivel", kReq),
                                 Cadena("cdsSinFDescripcion", 40, "Descripcion", kReq)},
                      .orden = "cdsSinFPtrIdAveria",
                      .maestro = "dsAveria",
                      .camposMaestro = "cdsAvFIdAveria"});

    tablas.push_back(
        {.nombre = "cdsGrupo",
         .campos = {Entero("cdsGrpFCodGrupo", {}, kReq), Cadena("cdsGrpFNombre", 20, {}, kReq),
                    Cadena("cdsGrpFDescripcion", 40), Cadena("cdsGrpFDirectorio", kAnchoDirectorio),
                    Cadena("cdsGrpFAsignatura", 40), Cadena("cdsGrpFProfesor", 100),
                    Entero("cdsGrpFNumAlumnos"), Cadena("cdsGrpFNSintomas", 20),
                    Cadena("cdsGrpFNReparacion", 20), Logico("cdsGrpFTutorizada"),
                    Logico("cdsGrpFDisfuncion")},
         .indices =
             {{.nombre = "cdsGrpIndexCod", .campos = "cdsGrpFCodGrupo", .unico = true},
              {.nombre = "cdsGrpIndexNombre", .campos = "cdsGrpFNombre", .unico = true, .primario = true}},
         .indiceActivo = "cdsGrpIndexCod",
         .agregados = {{"MaxCod", "MAX(cdsGrpFCodGrupo)"}}});

    tablas.push_back(
        {.nombre = "cdsAlumno",
         .campos = {Entero("cdsAFCodAlumno", {}, kReq), Cadena("cdsAFNombre", 40),
                    Cadena("cdsAFApellido1", 40), Cadena("cdsAFApellido2", 40), Cadena("cdsAFUsername", 20),
                    Cadena("cdsAFPassword", 20), Cadena("cdsAFGrupos", 40),
                    Calculado(Cadena("CalcNAlumno", 100, "Alumno"))}});

    Campo lookUpGrupo = DeClase(Cadena("LookUpGrupo", 20), Clase::Busqueda);
    lookUpGrupo.busqueda = {.cursor = "cdsGrupoLUp",
                            .claves = "cdsGrpAlFPtrGrupo",
                            .clavesCursor = "cdsGrpFCodGrupo",
                            .resultado = "cdsGrpFNombre"};
    tablas.push_back(
        {.nombre = "cdsGrupoAlumno",
         .campos = {Entero("cdsGrpAlFPtrGrupo", "Cod. Grupo", kReq),
                    Entero("cdsGrpAlFPtrAlumno", "Cod. Alumno", kReq),
                    Interno(Cadena("cdsGrpAlFAsignatura", 40, "Asignatura")),
                    Memo("cdsGrpAlFObservaciones", Tipo::MemoFormato, "Observaciones"),
                    Cadena("cdsGrpAlFSubgrupos", 40, "Subgrupos"), lookUpGrupo,
                    Calculado(Cadena("CalcPassword", 20, "Password")),
                    Calculado(Cadena("CalcNGrupo", 20, "Grupo")), Calculado(Cadena("CalcNAlumno", 100)),
                    Calculado(Cadena("CalcApellido1", 100)), Calculado(Cadena("CalcApellido2", 100)),
                    Calculado(Cadena("CalcNCompleto", 255))},
         .orden = "cdsGrpAlFPtrGrupo",
         .maestro = "dsGrupo",
         .camposMaestro = "cdsGrpFCodGrupo",
         .agregados = {{"AggNumAlumnos", "Count(cdsGrpAlFPtrAlumno)"}}});

    tablas.push_back(
        {.nombre = "cdsSubgrupo",
         .campos = {Entero("cdsSubFCodSubgrupo", "Cod. Subgrupo", kReq),
                    Cadena("cdsSubFNombre", 40, "Grupo", kReq), Entero("cdsSubFPtrGrupo", "Cod. Grupo"),
                    Entero("cdsSubFPtrAlumno", "Cod. Alumno"),
                    Interno(Cadena("cdsSubFAsignatura", 40, "Asignatura")),
                    Cadena("cdsSubFPassword", 20, "Password"),
                    Memo("cdsSubFObservacion", Tipo::MemoFormato, "Observacion"),
                    Calculado(Cadena("CalcNGrupo", 20, "Grupo")),
                    Calculado(Cadena("CalcNAlumno", 100, "Alumno"))},
         .orden = "cdsSubFPtrGrupo;cdsSubFNombre",
         .maestro = "dsGrupo",
         .camposMaestro = "cdsGrpFCodGrupo",
         .agregados = {{"AggNumAlumnos", "Count(cdsSubFPtrAlumno is not null)"}}});

    tablas.push_back({.nombre = "cdsSemilla",
                      .campos = {Entero("cdsSemFIdSemilla"), Entero("cdsSemFCodSemilla", {}, kReq),
                                 Entero("cdsSemFPtrGrupo", {}, kReq), Entero("cdsSemFPtrEquipo"),
                                 Entero("cdsSemFPtrIdAveria"), Entero("cdsSemFCodVirtual", "Cod. Virtual"),
                                 Logico("cdsSemFTutorizada", {}, "Tutorizada;No tutorizada"),
                                 Interno(Entero("CalcRandomOrden")), Calculado(Entero("PtrAvReal")),
                                 Calculado(Cadena("CalcDescripcion", 255))},
                      .orden = "cdsSemFPtrGrupo;cdsSemFPtrIdAveria;cdsSemFTutorizada",
                      .maestro = "dsGrupo",
                      .camposMaestro = "cdsGrpFCodGrupo"});

    // The history lists show the whole fault description: a 20-character cut would hide
    // which fault it was.
    tablas.push_back(
        {.nombre = "cdsReparacion",
         .campos = {Entero("cdsRepFCodReparacion", "Cod. Reparacion"),
                    Entero("cdsRepFPtrAlumno", "Cod. Alumno"), Entero("cdsRepFPtrGrupo", "Cod. Grupo"),
                    Entero("cdsRepFPtrIdAveria", "Id. Averia"), Calculado(Entero("CalcCVirtual", "Cod.")),
                    Calculado(Entero("CalcAvReal", "Num.")),
                    Calculado(Cadena("CalcAvDescrip", 255, "Descripcion")),
                    Fecha("cdsRepFInicio", "Dia/Hora Inicio"), Fecha("cdsRepFFin", "Dia/Hora Final"),
                    Cadena("cdsRepFDuracion", 20, "Duracion"),
                    Logico("cdsRepFResp", "Finalizada como", "Reparada;No reparada"),
                    Logico("cdsRepFCorrecta", "Reparada"), Cadena("cdsRepFEstado", 1, "Reparada"),
                    Entero("cdsRepFPtrSubgrupo", "Cod. Subgrupo"),
                    Memo("cdsRepFObservacion", Tipo::MemoFormato, "Observacion"), Entero("cdsRepFPtrEquipo"),
                    Logico("cdsRepFTutorizada", "Tutorizada"), Cadena("cdsRepFNSintomas", 20),
                    Cadena("cdsRepFNReparacion", 20)},
         .indices = {{.nombre = "cdsRepIndexCod",
                      .campos = "cdsRepFInicio;cdsRepFPtrIdAveria;cdsRepFTutorizada;cdsRepFCodReparacion"}},
         .indiceActivo = "cdsRepIndexCod"});

    tablas.push_back(
        {.nombre = "cdsLineaReparacion",
         .campos = {Entero("cdsLRepFCodLinea", "Cod. Linea", kReq),
                    Entero("cdsLRepFPtrReparacion", "Cod. Reparacion"), Cadena("cdsLRepFAccion", 1, "Accion"),
                    Fecha("cdsLRepFInicio", "Dia/Hora Inicio"), Fecha("cdsLRepFFin", "Dia/Hora Final"),
                    Entero("cdsLRepFBloque", "Cod. Bloque"), Entero("cdsLRepFCircuito", "Cod. Circuito"),
                    Entero("cdsLRepFComponente", "Cod. Componente"),
                    Calculado(Cadena("CalcBloque", 100, "Bloque")),
                    Calculado(Cadena("CalcCircuito", 100, "Circuito")),
                    Calculado(Cadena("CalcComponente", 100, "Elemento")),
                    Memo("cdsLRepFComentarios", Tipo::Memo), Entero("cdsLRepFNumDiagnostico")},
         .indices = {{.nombre = "cdsLRepIndexCod", .campos = "cdsLRepFCodLinea"}},
         .orden = "cdsLRepFPtrReparacion;cdsLRepFCodLinea",
         .maestro = "dsReparacion",
         .camposMaestro = "cdsRepFCodReparacion"});

    tablas.push_back(
        {.nombre = "cdsCodigos", .campos = {Cadena("cdsCodFTabla", 30, {}, kReq), Entero("cdsCodFUltimo")}});
    return tablas;
}

}  // namespace

const std::vector<Tabla>& Tablas() {
    static const std::vector<Tabla> tablas = CrearTablas();
    return tablas;
}

const Tabla& DeTabla(const QString& nombre) {
    for (const Tabla& tabla : Tablas())
        if (tabla.nombre == nombre) return tabla;
    throw std::out_of_range("tabla desconocida: " + nombre.toStdString());
}

}  // namespace Esquema
