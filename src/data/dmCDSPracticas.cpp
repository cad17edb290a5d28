// Practice records and their copies in the subgroup members' histories, the lookups and
// texts that the history and export windows ask for, the window filters, and table copies
// for the group exchange.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "Cadenas.h"
#include "CodigoLibre.h"
#include "CopiaCampos.h"
#include "EstadoCursor.h"
#include "Idioma.h"
#include "RutasDatos.h"
#include "TextosCampos.h"
#include "dmCDS.h"

namespace {

const QString kExtension = QStringLiteral(".cds");

// "campo = a or campo = b ..." over the rows of `tabla` whose `codigo` is not Null.
QString FiltroPorCodigos(TClientDataSet* tabla, const TField* codigo, const QString& campo) {
    QString filtro;
    for (tabla->First(); !tabla->Eof(); tabla->Next()) {
        if (codigo->IsNull()) continue;
        filtro += (filtro.isEmpty() ? QString() : QStringLiteral(" or ")) + campo + QStringLiteral(" = ") +
                  codigo->AsString();
    }
    return filtro;
}

// Appends a copy of the source's current row; a row that cannot be copied is skipped.
void CopiarFila(const TClientDataSet* origen, TClientDataSet* destino) {
    try {
        if (!destino->Append()) return;
        CopiarCampos(origen, destino, true);
        if (!destino->Post()) destino->Cancel();
    } catch (const std::exception&) {
        if (destino->State() != dsBrowse) destino->Cancel();
    }
}

// Runs `copiar` on a writable destination that assigns no identifiers, then writes the
// destination to its file and closes it.
void CopiarEnDestino(TClientDataSet* destino, const std::function<void()>& copiar) {
    const bool soloLectura = destino->ReadOnly();
    TDataSetNotifyEvent insercion = std::exchange(destino->AfterInsert, nullptr);
    TDataSetNotifyEvent cancelacion = std::exchange(destino->BeforeCancel, nullptr);
    destino->SetReadOnly(false);
    const auto restaurar = [&] {
        destino->AfterInsert = std::move(insercion);
        destino->BeforeCancel = std::move(cancelacion);
        destino->SetReadOnly(soloLectura);
    };
    try {
        copiar();
    } catch (...) {
        restaurar();
        throw;
    }
    restaurar();
    destino->MergeChangeLog();
    destino->SaveToFile();
    destino->Close();
}

// The codes of the first field of every row of a table.
std::vector<int> Codigos(TClientDataSet* tabla) {
    std::vector<int> codigos;
    TField* primero = tabla->Fields().front();
    for (tabla->First(); !tabla->Eof(); tabla->Next())
        if (!primero->IsNull()) codigos.push_back(primero->AsInteger());
    return codigos;
}

// `preferido` when no row uses it, else the smallest free code; the code is then in use.
int CodigoPropio(std::vector<int>& usados, int preferido) {
    const int codigo = std::find(usados.begin(), usados.end(), preferido) == usados.end()
                           ? preferido
                           : MenorCodigoLibre(usados);
    usados.push_back(codigo);
    return codigo;
}

void EscribirYCerrar(TClientDataSet* tabla) {
    tabla->MergeChangeLog();
    tabla->SaveToFile();
    tabla->Close();
}

}  // namespace

// ------------------------------------------------ practice tables' handlers

void TdmCDS::AsignarReglasPracticas() {
    for (TClientDataSet* tabla : {cdsReparacion, cdsLineaReparacion}) {
        // The "BDs" templates hold the teacher's practices, which are never written.
        const auto guardar = [this](TClientDataSet* ds) {
            if (!RutasDatos::EsPlantilla(ds->FileName(), ds->Name)) SalvarTabla(ds);
        };
        tabla->AfterPost = [this, guardar](TClientDataSet* ds) {
            Modificado = false;
            guardar(ds);
            emit ReaccionesArbol(true);
        };
        tabla->BeforeCancel = DevolverAlCancelar();
        tabla->AfterDelete = guardar;
    }
}

// ------------------------------------------------ filters

void TdmCDS::FiltrarSemillas() {
    QuitarFiltro(cdsSemilla);
    QString filtro = QStringLiteral("cdsSemFPtrEquipo= ") + cdsEFCodEquipo->AsString();
    if (!cdsGrpFTutorizada->IsNull())
        filtro += cdsGrpFTutorizada->AsBoolean() ? QStringLiteral(" and cdsSemFTutorizada = True")
                                                 : QStringLiteral(" and cdsSemFTutorizada = False");
    AplicarFiltro(cdsSemilla, filtro);
}

void TdmCDS::FiltrarEquiposActivos() {
    TDataSetNotifyEvent recargar = std::exchange(cdsEquipo->AfterScroll, nullptr);
    bool sigue = equipoCargado_ < 0;
    try {
        QuitarFiltro(cdsEquipo);
        QString filtro;
        for (cdsEquipo->First(); !cdsEquipo->Eof(); cdsEquipo->Next()) {
            if (!cdsEFActivado->AsBoolean()) continue;
            filtro += (filtro.isEmpty() ? QStringLiteral("cdsEFCodEquipo = ")
                                        : QStringLiteral(" OR cdsEFCodEquipo = ")) +
                      cdsEFCodEquipo->AsString();
        }
        AplicarFiltro(cdsEquipo, filtro.isEmpty() ? QStringLiteral("cdsEFCodEquipo = -99") : filtro);
        // The walk moved the cursor: it goes back to the trainer whose tables are loaded.
        if (!sigue) sigue = cdsEquipo->Locate(QStringLiteral("cdsEFCodEquipo"), equipoCargado_);
    } catch (...) {
        cdsEquipo->AfterScroll = std::move(recargar);
        throw;
    }
    cdsEquipo->AfterScroll = std::move(recargar);
    // That trainer is no longer offered: the current one's tables are loaded instead.
    if (!sigue && !cdsEquipo->IsEmpty() && cdsEquipo->AfterScroll) cdsEquipo->AfterScroll(cdsEquipo);
}

void TdmCDS::FiltrarAlumnosGrupo() {
    QuitarFiltro(cdsAlumnoLUp);
    QString filtro;
    {
        EstadoCursor posicion(cdsGrupoAlumno, false);
        filtro = FiltroPorCodigos(cdsGrupoAlumno, cdsGrpAlFPtrAlumno, QStringLiteral("cdsAFCodAlumno"));
    }
    AplicarFiltro(cdsAlumnoLUp, filtro);
}

void TdmCDS::FiltrarAlumnosSubgrupo() {
    EstadoCursor estado(cdsSubgrupo, true);
    AplicarFiltro(cdsSubgrupo, QStringLiteral("cdsSubFCodSubgrupo = ") + cdsSubFCodSubgrupo->AsString());
    QuitarFiltro(cdsAlumnoLUp);
    const QString filtro = FiltroPorCodigos(cdsSubgrupo, cdsSubFPtrAlumno, QStringLiteral("cdsAFCodAlumno"));
    // A subgroup without members shows none, not every student.
    AplicarFiltro(cdsAlumnoLUp, filtro.isEmpty() ? QStringLiteral("cdsAFCodAlumno = -99") : filtro);
}

// ------------------------------------------------ practices and their steps

int TdmCDS::NuevaReparacion(int alumno, int grupo, bool tutorizada, const QString& nivelReparacion,
                            const QString& nivelSintomas, const QString& estado, double inicio, int equipo,
                            int averia, const QVariant& subgrupo) {
    try {
        if (!cdsReparacion->Append()) return -1;
        SiguienteCodigo(cdsReparacion, true);
        cdsRepFPtrAlumno->SetAsInteger(alumno);
        cdsRepFPtrGrupo->SetAsInteger(grupo);
        cdsRepFPtrIdAveria->SetAsInteger(averia);
        cdsRepFEstado->SetAsString(estado);
        cdsRepFInicio->SetAsDateTime(inicio);
        cdsRepFPtrSubgrupo->SetValue(subgrupo);
        cdsRepFPtrEquipo->SetAsInteger(equipo);
        cdsRepFTutorizada->SetAsBoolean(tutorizada);
        cdsRepFNSintomas->SetAsString(nivelSintomas);
        cdsRepFNReparacion->SetAsString(nivelReparacion);
        if (cdsReparacion->Post()) return cdsRepFCodReparacion->AsInteger();
    } catch (const std::exception&) {
        // The caller decides what a practice that could not be recorded means.
    }
    if (!EnConsulta(cdsReparacion)) cdsReparacion->Cancel();
    return -1;
}

bool TdmCDS::NuevaLineaReparacion(int reparacion, int numDiagnostico, const QString& comentarios,
                                  const QString& accion, double fin, double inicio,
                                  const QVariant& componente, const QVariant& circuito,
                                  const QVariant& bloque) {
    try {
        if (!cdsLineaReparacion->Append()) return false;
        SiguienteCodigo(cdsLineaReparacion, true);
        cdsLRepFPtrReparacion->SetAsInteger(reparacion);
        if (inicio != 0) cdsLRepFInicio->SetAsDateTime(inicio);
        if (fin != 0) cdsLRepFFin->SetAsDateTime(fin);
        cdsLRepFAccion->SetAsString(accion);
        if (!bloque.isNull()) cdsLRepFBloque->SetValue(bloque);
        if (!circuito.isNull()) cdsLRepFCircuito->SetValue(circuito);
        if (!componente.isNull()) cdsLRepFComponente->SetValue(componente);
        cdsLRepFNumDiagnostico->SetAsInteger(numDiagnostico);
        if (!comentarios.isEmpty()) cdsLRepFComentarios->SetAsString(comentarios);
        if (cdsLineaReparacion->Post()) return true;
    } catch (const std::exception&) {
    }
    if (!EnConsulta(cdsLineaReparacion)) cdsLineaReparacion->Cancel();
    return false;
}

QString TdmCDS::CalcularDuracion() {
    const double bruto = cdsRepFFin->AsDateTime() - cdsRepFInicio->AsDateTime();
    double pausas = 0;
    {
        // Walked rather than filtered: a filter the lines window set stays as it was.
        EstadoCursor posicion(cdsLineaReparacion, false);
        const int practica = cdsRepFCodReparacion->AsInteger();
        for (cdsLineaReparacion->First(); !cdsLineaReparacion->Eof(); cdsLineaReparacion->Next()) {
            // A pause still open when the practice ended has no length to take off.
            if (cdsLRepFAccion->AsString() != QLatin1String("P") || cdsLRepFInicio->IsNull() ||
                cdsLRepFFin->IsNull() || cdsLRepFPtrReparacion->AsInteger() != practica)
                continue;
            pausas += cdsLRepFFin->AsDateTime() - cdsLRepFInicio->AsDateTime();
        }
    }
    constexpr long long kSegundosDia = 24 * 60 * 60;
    const long long segundos = std::max(0LL, std::llround((bruto - pausas) * kSegundosDia));
    const long long resto = segundos % kSegundosDia;
    return QStringLiteral("%1d %2:%3:%4")
        .arg(segundos / kSegundosDia)
        .arg(resto / 3600, 2, 10, QLatin1Char('0'))
        .arg(resto / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(resto % 60, 2, 10, QLatin1Char('0'));
}

// ------------------------------------------------ subgroup copies

void TdmCDS::CopiarReparacionSubgrupo() {
    EstadoCursor posicion(cdsSubgrupo, false);
    const QVariant registrado = cdsAFCodAlumno->Value();
    for (cdsSubgrupo->First(); !cdsSubgrupo->Eof(); cdsSubgrupo->Next()) {
        if (cdsSubFPtrAlumno->IsNull() || cdsSubFPtrAlumno->Value() == registrado) continue;
        try {
            CopiarAMiembro(cdsSubFPtrAlumno->AsInteger());
        } catch (const std::exception&) {
            // One member's unreadable history must not keep the others without the practice.
            if (!EnConsulta(CdsAux2)) CdsAux2->Cancel();
            CdsAux2->Close();
        }
    }
}

void TdmCDS::CopiarAMiembro(int alumno) {
    const QString usuario = FormatoCodigo(alumno);
    const auto abrir = [this](TClientDataSet* modelo, const QString& archivo) {
        if (QFileInfo::exists(archivo)) {
            CdsAux2->Close();
            // The order of the other practice table would name fields this file has not.
            CdsAux2->SetIndexFieldNames(QString());
            CdsAux2->SetFileName(archivo);
            CdsAux2->LoadFromFile(archivo);
            return;
        }
        QDir().mkpath(RutasDatos::CarpetaDe(archivo));
        CrearTablaComo(modelo, CdsAux2, RutasDatos::CarpetaDe(archivo));
        CdsAux2->SetFileName(archivo);
        CdsAux2->SaveToFile();
    };

    // The member's own practice of the same subgroup session is the copy made before; a
    // different practice of the member that happens to have the same code is kept.
    abrir(cdsReparacion, RutasDatos::ArchivoReparacion(usuario));
    int codigo = 0;
    if (CdsAux2->Locate(QStringLiteral("cdsRepFInicio;cdsRepFPtrSubgrupo"),
                        QVariantList{cdsRepFInicio->Value(), cdsRepFPtrSubgrupo->Value()})) {
        codigo = CdsAux2->FieldByName(QStringLiteral("cdsRepFCodReparacion"))->AsInteger();
        CdsAux2->Edit();
    } else {
        std::vector<int> usados = Codigos(CdsAux2);
        codigo = CodigoPropio(usados, cdsRepFCodReparacion->AsInteger());
        CdsAux2->Append();
    }
    CopiarCampos(cdsReparacion, CdsAux2, false);
    CdsAux2->FieldByName(QStringLiteral("cdsRepFCodReparacion"))->SetAsInteger(codigo);
    CdsAux2->FieldByName(QStringLiteral("cdsRepFPtrAlumno"))->SetAsInteger(alumno);
    CdsAux2->Post();
    EscribirYCerrar(CdsAux2);

    // The copy's lines are replaced by the practice's lines as they are now.
    abrir(cdsLineaReparacion, RutasDatos::ArchivoLineaReparacion(usuario));
    while (CdsAux2->Locate(QStringLiteral("cdsLRepFPtrReparacion"), codigo)) CdsAux2->Delete();
    std::vector<int> usados = Codigos(CdsAux2);
    EstadoCursor lineas(cdsLineaReparacion, false);
    for (cdsLineaReparacion->First(); !cdsLineaReparacion->Eof(); cdsLineaReparacion->Next()) {
        CdsAux2->Append();
        CopiarCampos(cdsLineaReparacion, CdsAux2, false);
        CdsAux2->FieldByName(QStringLiteral("cdsLRepFCodLinea"))
            ->SetAsInteger(CodigoPropio(usados, cdsLRepFCodLinea->AsInteger()));
        CdsAux2->FieldByName(QStringLiteral("cdsLRepFPtrReparacion"))->SetAsInteger(codigo);
        CdsAux2->Post();
    }
    EscribirYCerrar(CdsAux2);
}

// ------------------------------------------------ history removal

void TdmCDS::BorrarHistoricoAlumnoGrupo(int alumno, int grupo) {
    const QString practicas = cdsReparacion->FileName();
    const QString lineas = cdsLineaReparacion->FileName();
    const QVariant actual = cdsRepFCodReparacion->Value();
    cdsLineaReparacion->Close();
    cdsReparacion->Close();
    try {
        const QString usuario = FormatoCodigo(alumno);
        cdsReparacionInfor->Close();
        cdsReparacionInfor->SetFileName(RutasDatos::ArchivoReparacion(usuario));
        cdsReparacionInfor->Open();
        cdsLineaRepInfor->Close();
        cdsLineaRepInfor->SetFileName(RutasDatos::ArchivoLineaReparacion(usuario));
        cdsLineaRepInfor->Open();
        AplicarFiltro(
            cdsReparacionInfor,
            QStringLiteral("cdsRepFPtrAlumno = %1 and cdsRepFPtrGrupo = %2").arg(alumno).arg(grupo));
        while (!cdsReparacionInfor->IsEmpty()) {
            cdsReparacionInfor->First();
            VaciarTabla(cdsLineaRepInfor);
            if (!cdsReparacionInfor->Delete()) break;
        }
        // Written now: the practice tables read these files again below.
        SalvarTabla(cdsLineaRepInfor);
        SalvarTabla(cdsReparacionInfor);
        QuitarFiltro(cdsReparacionInfor);
    } catch (const std::exception&) {
        // A student without history has nothing to remove.
    }
    for (const auto& [tabla, archivo] :
         {std::pair{cdsReparacion, practicas}, std::pair{cdsLineaReparacion, lineas}}) {
        tabla->SetFileName(archivo);
        if (archivo.isEmpty()) continue;
        try {
            tabla->Open();
        } catch (const std::exception&) {
        }
    }
    if (cdsReparacion->Active() && !actual.isNull())
        cdsReparacion->Locate(QStringLiteral("cdsRepFCodReparacion"), actual);
}

bool TdmCDS::ExisteHistoricoAlumno() const {
    return QFileInfo::exists(RutasDatos::ArchivoReparacion(FormatoCodigo(cdsGrpAlFPtrAlumno->AsInteger())));
}

// ------------------------------------------------ lookups and lists

QString TdmCDS::DescripcionBloque(const QVariant& codigo) {
    return cdsBloque->Lookup(QStringLiteral("cdsBloFCodBloque"), codigo, QStringLiteral("cdsBloFDescripcion"))
        .toString();
}

QString TdmCDS::DescripcionCircuito(const QVariant& codigo) {
    return cdsCircuitoLoc
        ->Lookup(QStringLiteral("cdsCFCodCircuito"), codigo, QStringLiteral("cdsCFDescripcion"))
        .toString();
}

QString TdmCDS::DescripcionComponente(const QVariant& codigo) {
    return cdsComponenteLoc
        ->Lookup(QStringLiteral("cdsComFCodComponente"), codigo, QStringLiteral("cdsComFDescripcion"))
        .toString();
}

QString TdmCDS::ListaSintomas() {
    EstadoCursor posicion(cdsSintomas, false);
    QString lista;
    for (cdsSintomas->First(); !cdsSintomas->Eof(); cdsSintomas->Next())
        lista += cdsSinFDescripcion->AsString() + QStringLiteral("\n\r");
    return lista;
}

QString TdmCDS::ListaAlumnosSubgrupo() {
    EstadoCursor posicion(cdsSubgrupo, false);
    QString lista;
    for (cdsSubgrupo->First(); !cdsSubgrupo->Eof(); cdsSubgrupo->Next())
        lista += cdsSubgrupoCalcNAlumno->AsString() + QStringLiteral(", ");
    return lista;
}

QString TdmCDS::ListaSubgruposAlumno() {
    if (cdsSubFPtrAlumno->IsNull()) return QString();
    EstadoCursor miembros(cdsGrupoAlumno, false);
    EstadoCursor subgrupos(cdsSubgrupo, true);
    const QVariant alumno = cdsSubFPtrAlumno->Value();
    QuitarFiltro(cdsSubgrupo);
    if (!cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), alumno)) return QString();
    QStringList codigos = PartirLista(cdsGrpAlFSubgrupos->AsString(), QStringLiteral("#"));
    codigos.sort();
    QString lista;
    for (const QString& codigo : codigos)
        if (cdsSubgrupo->Locate(QStringLiteral("cdsSubFCodSubgrupo"), codigo))
            lista += cdsSubFNombre->AsString() + QStringLiteral(", ");
    return lista;
}

// ------------------------------------------------ display texts

QString TdmCDS::TextoTutorizadaGrupo() const {
    return TextosCampos::Tutorizada(cdsGrpFTutorizada->Value());
}

QString TdmCDS::TextoDisfuncionGrupo() const {
    return TextosCampos::Disfuncion(cdsGrpFDisfuncion->Value());
}

QString TdmCDS::TextoNSintomasGrupo() const {
    return TextosCampos::NSintomas(cdsGrpFNSintomas->Value());
}

QString TdmCDS::TextoNReparacionGrupo() const {
    return TextosCampos::NReparacion(cdsGrpFNReparacion->Value());
}

QString TdmCDS::TextoEstadoReparacion(const QString& estado) {
    return Texto(estado == QLatin1String("F") ? 5 : 6);
}

QString TdmCDS::TextoReparacionAveria(TField* campo, int averia, bool tutorizada,
                                      QString (*texto)(const QVariant&)) {
    if (campo->IsNull() || !cdsReparacion->Locate(QStringLiteral("cdsRepFPtrIdAveria;cdsRepFTutorizada"),
                                                  QVariantList{averia, tutorizada}))
        return QString();
    return texto(campo->Value());
}

QString TdmCDS::TextoNReparacionAveria(int averia, bool tutorizada) {
    return TextoReparacionAveria(cdsRepFNReparacion, averia, tutorizada, &TextosCampos::NReparacion);
}

QString TdmCDS::TextoNSintomasAveria(int averia, bool tutorizada) {
    return TextoReparacionAveria(cdsRepFNSintomas, averia, tutorizada, &TextosCampos::NSintomas);
}

QString TdmCDS::TextoTutorizadaAveria(int averia, bool tutorizada) {
    return TextoReparacionAveria(cdsRepFTutorizada, averia, tutorizada, &TextosCampos::Tutorizada);
}

QString TdmCDS::DuracionAveria(int averia, bool tutorizada) {
    return TextoReparacionAveria(cdsRepFDuracion, averia, tutorizada,
                                 [](const QVariant& valor) { return valor.toString(); });
}

// ------------------------------------------------ seeds

void TdmCDS::NuevaSemilla(int numeroLote, int grupo, bool tutorizada, int codigoVirtual, int averia,
                          int equipo) {
    try {
        if (!cdsSemilla->Append()) return;
        cdsSemFCodSemilla->SetAsInteger(numeroLote);
        cdsSemFPtrGrupo->SetAsInteger(grupo);
        cdsSemFPtrEquipo->SetAsInteger(equipo);
        cdsSemFPtrIdAveria->SetAsInteger(averia);
        cdsSemFCodVirtual->SetAsInteger(codigoVirtual);
        cdsSemFTutorizada->SetAsBoolean(tutorizada);
        if (cdsSemilla->Post()) return;
    } catch (const std::exception&) {
    }
    if (!EnConsulta(cdsSemilla)) cdsSemilla->Cancel();
}

// ------------------------------------------------ table copies

void TdmCDS::CrearTablaComo(TClientDataSet* modelo, TClientDataSet* destino, const QString& carpeta) {
    destino->Close();
    QString nombre = modelo->Name;
    // A practice table's file carries its student's code, of three digits or more.
    if (modelo == cdsReparacion || modelo == cdsLineaReparacion) {
        const QString base = QFileInfo(modelo->FileName()).completeBaseName();
        if (base.startsWith(modelo->Name, Qt::CaseInsensitive)) nombre += base.mid(modelo->Name.size());
    }
    QString carpetaDestino = carpeta;
    if (!carpetaDestino.isEmpty() && !carpetaDestino.endsWith(QLatin1Char('/')) &&
        !carpetaDestino.endsWith(QLatin1Char('\\')))
        carpetaDestino += QLatin1Char('/');
    destino->FieldDefs.Clear();
    for (const TFieldDef& campo : modelo->FieldDefs) {
        destino->FieldDefs.Add(campo.Name, campo.DataType, campo.Size, campo.Required);
        destino->FieldDefs[destino->FieldDefs.Count() - 1].InternalCalcField = campo.InternalCalcField;
    }
    destino->IndexDefs.Clear();
    for (const TIndexDef& indice : modelo->IndexDefs)
        destino->IndexDefs.Add(indice.Name, indice.Fields, indice.Options);
    destino->SetFileName(QString());
    // The order of the destination's previous structure may name fields it no longer has.
    destino->SetIndexFieldNames(QString());
    destino->CreateDataSet();
    if (!modelo->IndexName().isEmpty())
        destino->SetIndexName(modelo->IndexName());
    else
        destino->SetIndexFieldNames(modelo->IndexFieldNames());
    destino->SetFileName(carpetaDestino + nombre + kExtension);
}

void TdmCDS::CopiarTabla(TClientDataSet* origen, TClientDataSet* destino, bool crear, const QString& carpeta,
                         const QString& filtro) {
    EstadoCursor estado(origen, true);
    if (!filtro.isEmpty()) AplicarFiltro(origen, filtro);
    if (crear) CrearTablaComo(origen, destino, carpeta);
    CopiarEnDestino(destino, [&] {
        for (origen->First(); !origen->Eof(); origen->Next()) CopiarFila(origen, destino);
    });
}

void TdmCDS::CopiarTablaDetalle(TClientDataSet* detalle, TClientDataSet* destino, const QString& carpeta,
                                const QString& filtroMaestro) {
    TClientDataSet* maestro = detalle->MasterSource() ? detalle->MasterSource()->DataSet() : nullptr;
    if (!maestro) {
        CopiarTabla(detalle, destino, !destino->Active(), carpeta, QString());
        return;
    }
    EstadoCursor estado(maestro, true);
    EstadoCursor posicion(detalle, false);
    if (!filtroMaestro.isEmpty()) AplicarFiltro(maestro, filtroMaestro);
    if (!destino->Active()) CrearTablaComo(detalle, destino, carpeta);
    CopiarEnDestino(destino, [&] {
        for (maestro->First(); !maestro->Eof(); maestro->Next())
            for (detalle->First(); !detalle->Eof(); detalle->Next()) CopiarFila(detalle, destino);
    });
}

int TdmCDS::RecodificarAlumno(TClientDataSet* alumnosImportados, int codigo, const QString& nuevoGrupo,
                              const QString& carpeta) {
    int nuevo = codigo;
    if (cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), codigo)) {
        nuevo = SiguienteCodigo(cdsAlumno, false);
    } else if (cdsCodigos->Locate(QStringLiteral("cdsCodFTabla"), alumnosImportados->Name)) {
        cdsCodigos->Edit();
        cdsCodFUltimo->SetAsInteger(cdsCodFUltimo->AsInteger() + 1);
        cdsCodigos->Post();
    }

    const auto archivo = [&carpeta](const QString& nombre) { return RutasDatos::Archivo(carpeta, nombre); };
    const auto abrir = [this](const QString& desde, const QString& hasta) {
        cdsCopy->Close();
        cdsCopy->SetFileName(desde);
        cdsCopy->LoadFromFile(desde);
        cdsCopy->SetFileName(hasta);
    };
    for (const QString& tabla : {QStringLiteral("cdsGrupoAlumno"), QStringLiteral("cdsSubgrupo")}) {
        const QString copia = archivo(tabla + QLatin1Char('2'));
        if (QFileInfo::exists(copia)) continue;
        abrir(archivo(tabla), copia);
        cdsCopy->EmptyDataSet();
        EscribirYCerrar(cdsCopy);
    }

    const QString miembros = archivo(QStringLiteral("cdsGrupoAlumno2"));
    abrir(miembros, miembros);
    cdsCopy->Append();
    cdsCopy->FieldByName(QStringLiteral("cdsGrpAlFPtrGrupo"))->SetAsString(nuevoGrupo);
    cdsCopy->FieldByName(QStringLiteral("cdsGrpAlFPtrAlumno"))->SetAsInteger(nuevo);
    cdsCopy->Post();
    EscribirYCerrar(cdsCopy);

    CdsAux3->Close();
    CdsAux3->SetFileName(archivo(QStringLiteral("cdsSubgrupo")));
    CdsAux3->LoadFromFile();
    const QString subgrupos = archivo(QStringLiteral("cdsSubgrupo2"));
    abrir(subgrupos, subgrupos);
    for (CdsAux3->First(); !CdsAux3->Eof(); CdsAux3->Next()) {
        if (CdsAux3->FieldByName(QStringLiteral("cdsSubFPtrAlumno"))->AsInteger() != codigo) continue;
        cdsCopy->Append();
        for (const char* campo : {"cdsSubFCodSubgrupo", "cdsSubFNombre", "cdsSubFAsignatura",
                                  "cdsSubFPassword", "cdsSubFObservacion"})
            cdsCopy->FieldByName(QLatin1String(campo))
                ->SetValue(CdsAux3->FieldByName(QLatin1String(campo))->Value());
        cdsCopy->FieldByName(QStringLiteral("cdsSubFPtrGrupo"))->SetAsString(nuevoGrupo);
        cdsCopy->FieldByName(QStringLiteral("cdsSubFPtrAlumno"))->SetAsInteger(nuevo);
        cdsCopy->Post();
    }
    EscribirYCerrar(cdsCopy);
    CdsAux3->Close();
    return nuevo;
}

void TdmCDS::VaciarTabla(TClientDataSet* tabla) {
    while (!tabla->IsEmpty()) {
        tabla->First();
        // A deletion a handler refuses would otherwise never end.
        if (!tabla->Delete()) return;
    }
}
