// The structure of every table of the data module, its clones and its language texts.
#include <utility>

#include "Esquema.h"
#include "EstructuraTabla.h"
#include "Idioma.h"
#include "TextosCampos.h"
#include "dmCDS.h"

namespace {

TFieldType TipoMotor(Esquema::Tipo tipo) {
    switch (tipo) {
        case Esquema::Tipo::Entero:
            return ftInteger;
        case Esquema::Tipo::Cadena:
            return ftString;
        case Esquema::Tipo::Booleano:
            return ftBoolean;
        case Esquema::Tipo::FechaHora:
            return ftDateTime;
        case Esquema::Tipo::Memo:
            return ftMemo;
        case Esquema::Tipo::MemoFormato:
            return ftFmtMemo;
    }
    return ftUnknown;
}

TFieldKind ClaseMotor(Esquema::Clase clase) {
    switch (clase) {
        case Esquema::Clase::Datos:
            return fkData;
        case Esquema::Clase::Calculado:
            return fkCalculated;
        case Esquema::Clase::InternoCalculado:
            return fkInternalCalc;
        case Esquema::Clase::Busqueda:
            return fkLookup;
    }
    return fkData;
}

bool EsGuardado(const Esquema::Campo& campo) {
    return campo.clase == Esquema::Clase::Datos || campo.clase == Esquema::Clase::InternoCalculado;
}

using TextoDeValor = QString (*)(const QVariant&);

// Coded fields show a language text instead of their code; editing still sees the code.
TextoDeValor TextoDeCampoCodificado(const QString& campo) {
    static const std::pair<const char*, TextoDeValor> kCampos[] = {
        {"cdsSinFNivel", TextosCampos::NivelSintoma},      {"cdsRepFEstado", TextosCampos::EstadoReparacion},
        {"cdsLRepFAccion", TextosCampos::Accion},          {"cdsGrpFNSintomas", TextosCampos::NSintomas},
        {"cdsGrpFNReparacion", TextosCampos::NReparacion}, {"cdsGrpFTutorizada", TextosCampos::Tutorizada},
        {"cdsGrpFDisfuncion", TextosCampos::Disfuncion}};
    for (const auto& [nombre, texto] : kCampos)
        if (campo == QLatin1String(nombre)) return texto;
    return nullptr;
}

void AsignarTextoCodificado(TField* campo) {
    const TextoDeValor texto = TextoDeCampoCodificado(campo->FieldName());
    if (!texto) return;
    campo->OnGetText = [texto](TField* sender, QString& text, bool displayText) {
        text = displayText ? texto(sender->Value()) : sender->AsString();
    };
}

}  // namespace

void TdmCDS::DefinirEstructuras() {
    for (const Esquema::Tabla& esquema : Esquema::Tablas()) {
        TClientDataSet* tabla = Tabla(esquema.nombre);
        DefinirCampos(tabla, esquema);
        DefinirOrdenYMaestro(tabla, esquema);
        DefinirAgregados(tabla, esquema);
    }

    DefinirCampos(cdsAlumnoLUp, Esquema::DeTabla(QStringLiteral("cdsAlumno")), true);
    const std::pair<const char*, const char*> etiquetasAlumnoLUp[] = {{"cdsAFCodAlumno", "Cod. Alumno"},
                                                                      {"cdsAFNombre", "Nombre"},
                                                                      {"cdsAFApellido1", "Primer Apellido"},
                                                                      {"cdsAFApellido2", "Segundo Apellido"},
                                                                      {"cdsAFUsername", "Username"},
                                                                      {"cdsAFPassword", "Password"},
                                                                      {"cdsAFGrupos", "Grupos"}};
    for (const auto& [campo, etiqueta] : etiquetasAlumnoLUp)
        cdsAlumnoLUp->FieldByName(QLatin1String(campo))->DisplayLabel = QString::fromUtf8(etiqueta);

    const Esquema::Tabla& subgrupo = Esquema::DeTabla(QStringLiteral("cdsSubgrupo"));
    DefinirCampos(cdsSubgrupoLUp, subgrupo);
    DefinirAgregados(cdsSubgrupoLUp, subgrupo);

    DefinirCampos(cdsComponenteLUp, Esquema::DeTabla(QStringLiteral("cdsComponente")));
    DefinirCampos(cdsCircuitoLoc, Esquema::DeTabla(QStringLiteral("cdsCircuito")));
    DefinirCampos(cdsComponenteLoc, Esquema::DeTabla(QStringLiteral("cdsComponente")));
    DefinirCampos(cdsComponenteTodos, Esquema::DeTabla(QStringLiteral("cdsComponente")));

    DefinirCampos(cdsReparacionInfor, Esquema::DeTabla(QStringLiteral("cdsReparacion")));
    DefinirCampos(cdsLineaRepInfor, Esquema::DeTabla(QStringLiteral("cdsLineaReparacion")));
    cdsLineaRepInfor->SetIndexFieldNames(QStringLiteral("cdsLRepFPtrReparacion"));
    cdsLineaRepInfor->SetMasterSource(dsReparacionInfor);
    cdsLineaRepInfor->SetMasterFields(QStringLiteral("cdsRepFCodReparacion"));
}

void TdmCDS::DefinirCampos(TClientDataSet* tabla, const Esquema::Tabla& esquema, bool soloGuardados) {
    for (const Esquema::Campo& definicion : esquema.campos) {
        if (soloGuardados && !EsGuardado(definicion)) continue;
        TField* campo = nullptr;
        if (definicion.clase == Esquema::Clase::Busqueda) {
            const Esquema::Busqueda& b = definicion.busqueda;
            campo = tabla->AddLookupField(definicion.nombre, TipoMotor(definicion.tipo), definicion.ancho,
                                          b.claves, Tabla(b.cursor), b.clavesCursor, b.resultado);
        } else {
            campo = tabla->AddField(definicion.nombre, TipoMotor(definicion.tipo), definicion.ancho,
                                    ClaseMotor(definicion.clase));
        }
        campo->Required = definicion.requerido;
        campo->DisplayLabel = definicion.etiqueta;
        campo->DisplayValues = definicion.valores;
        AsignarTextoCodificado(campo);
    }
    for (const Esquema::Indice& indice : esquema.indices) {
        const TIndexOptions opciones = (indice.unico ? ixUnique : 0) | (indice.primario ? ixPrimary : 0);
        tabla->IndexDefs.Add(indice.nombre, indice.campos, opciones);
    }
}

void TdmCDS::DefinirOrdenYMaestro(TClientDataSet* tabla, const Esquema::Tabla& esquema) {
    if (!esquema.indiceActivo.isEmpty())
        tabla->SetIndexName(esquema.indiceActivo);
    else if (!esquema.orden.isEmpty())
        tabla->SetIndexFieldNames(esquema.orden);
    if (esquema.maestro.isEmpty()) return;
    tabla->SetMasterSource(Fuente(esquema.maestro));
    tabla->SetMasterFields(esquema.camposMaestro);
}

void TdmCDS::DefinirAgregados(TClientDataSet* tabla, const Esquema::Tabla& esquema) {
    for (const Esquema::Agregado& agregado : esquema.agregados)
        tabla->AddAggregate(agregado.nombre, agregado.expresion);
}

void TdmCDS::CrearTablaVacia(TClientDataSet* tabla) {
    tabla->Close();
    tabla->CreateDataSet();
}

void TdmCDS::CrearTablasVacias() {
    for (const Esquema::Tabla& esquema : Esquema::Tablas()) CrearTablaVacia(Tabla(esquema.nombre));
    for (TClientDataSet* copia : {cdsSubgrupoLUp, cdsCircuitoLoc, cdsComponenteLoc, cdsComponenteTodos,
                                  cdsReparacionInfor, cdsLineaRepInfor})
        CrearTablaVacia(copia);
    for (TClientDataSet* tabla : {cdsGrupo, cdsGrupoAlumno, cdsSubgrupo, cdsSubgrupoLUp})
        tabla->SetAggregatesActive(true);
    ClonarAveria();
    ClonarBloque();
    ClonarCircuito();
    ClonarComponente();
    ClonarElemento();
    ClonarGrupo();
    ClonarAlumno();
}

namespace {

// A clone with its own order and master link, none taken from its source.
void Clonar(TClientDataSet* clon, TClientDataSet* origen, const QString& orden = {},
            TDataSource* maestro = nullptr, const QString& camposMaestro = {}) {
    clon->Close();
    clon->CloneCursor(origen, true);
    if (!orden.isEmpty()) clon->SetIndexFieldNames(orden);
    if (!maestro) return;
    clon->SetMasterSource(maestro);
    clon->SetMasterFields(camposMaestro);
}

}  // namespace

void TdmCDS::ClonarAveria() {
    Clonar(cdsAveriaLUp, cdsAveria, QStringLiteral("cdsAvFCodAveria"));
}

void TdmCDS::ClonarBloque() {
    Clonar(cdsBloqueLUp, cdsBloque, QStringLiteral("cdsBloFPtrEquipo"), dsEquipo,
           QStringLiteral("cdsEFCodEquipo"));
}

void TdmCDS::ClonarCircuito() {
    Clonar(cdsCircuitoLUp, cdsCircuito, QStringLiteral("cdsCFPtrBloque"), dsBloqueLUp,
           QStringLiteral("cdsBloFCodBloque"));
}

void TdmCDS::ClonarComponente() {
    Clonar(cdsComponenteLUp, cdsComponente, QStringLiteral("cdsComFPtrCircuito"), dsCircuitoLUp,
           QStringLiteral("cdsCFCodCircuito"));
}

void TdmCDS::ClonarElemento() {
    for (TClientDataSet* clon : {cdsElementoLUp, cdsElementoLoc, cdsElementoTodos}) Clonar(clon, cdsElemento);
}

void TdmCDS::ClonarGrupo() {
    Clonar(cdsGrupoLUp, cdsGrupo);
}

void TdmCDS::ClonarAlumno() {
    Clonar(cdsAlumnoLUp, cdsAlumno);
}

void TdmCDS::AplicarTextosIdioma() {
    struct Texto {
        TField* campo;
        int numero;
        bool valores;  // the boolean display values rather than the label
    };
    const Texto textos[] = {{cdsReparacionCalcCVirtual, 35000, false},
                            {cdsReparacionCalcAvReal, 35001, false},
                            {cdsRepFInicio, 35002, false},
                            {cdsRepFFin, 35003, false},
                            {cdsRepFDuracion, 35004, false},
                            {cdsRepFResp, 35005, false},
                            {cdsRepFCorrecta, 35006, false},
                            {cdsRepFCorrecta, 35007, true},
                            {cdsRepFEstado, 35008, false},
                            {cdsRepFTutorizada, 35009, false},
                            {cdsRepFTutorizada, 35010, true},
                            {cdsLRepFAccion, 35011, false},
                            {cdsLRepFInicio, 35012, false},
                            {cdsLRepFFin, 35013, false},
                            {cdsLineaReparacionCalcBloque, 35014, false},
                            {cdsLineaReparacionCalcCircuito, 35015, false},
                            {cdsLineaReparacionCalcComponente, 35016, false},
                            {cdsRepFResp, 35017, true},
                            {cdsSemFTutorizada, 35018, true}};
    for (const Texto& texto : textos) {
        const QString valor = TextoCatalogo(texto.numero);
        if (!texto.valores)
            texto.campo->DisplayLabel = valor;
        else if (valor.contains(QLatin1Char(';')))  // a file without the text keeps the design's values
            texto.campo->DisplayValues = valor;
    }
}

void CrearTablaGuardada(TClientDataSet& tabla, const QString& nombre) {
    const Esquema::Tabla& esquema = Esquema::DeTabla(nombre);
    tabla.Name = nombre;
    for (const Esquema::Campo& c : esquema.campos) {
        if (!EsGuardado(c)) continue;
        tabla.FieldDefs.Add(c.nombre, TipoMotor(c.tipo), c.ancho, c.requerido);
        tabla.FieldDefs[tabla.FieldDefs.Count() - 1].InternalCalcField =
            c.clase == Esquema::Clase::InternoCalculado;
    }
    for (const Esquema::Indice& i : esquema.indices)
        tabla.IndexDefs.Add(i.nombre, i.campos, (i.unico ? ixUnique : 0) | (i.primario ? ixPrimary : 0));
    tabla.CreateDataSet();
}
