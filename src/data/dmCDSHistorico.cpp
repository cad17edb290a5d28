// What the history windows ask of the data module: the trainers and seeds of one owner's
// practices, deleting a practice, and a history pair carried out and in.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "CopiaCampos.h"
#include "ErroresTablas.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "SistemaArchivos.h"
#include "dmCDS.h"

namespace {

// "Exportado a %1 y %2", "no se ha podido escribir %1 (%2)", "no es un histórico exportado",
// "no se ha podido importar".
constexpr int kTextoExportado = 27030;
constexpr int kTextoExportacionFallida = 27031;
constexpr int kTextoNoEsHistorico = 27032;
constexpr int kTextoImportacionFallida = 27035;
// "The chosen folder does not hold every file needed".
constexpr int kTextoFaltaArchivo = 226;

const QString kPrefijoReparaciones = QStringLiteral("Reparacion");
const QString kPrefijoLineas = QStringLiteral("LineaReparacion");

// A filter that no trainer passes: an owner without practices is offered none.
const QString kNingunEquipo = QStringLiteral("cdsEFCodEquipo = -99");

// The fields without which a file is not one of the two tables of a history.
const QStringList kCamposReparacion = {
    QStringLiteral("cdsRepFCodReparacion"), QStringLiteral("cdsRepFPtrIdAveria"),
    QStringLiteral("cdsRepFInicio"),        QStringLiteral("cdsRepFEstado"),
    QStringLiteral("cdsRepFPtrEquipo"),     QStringLiteral("cdsRepFTutorizada")};
const QStringList kCamposLinea = {QStringLiteral("cdsLRepFCodLinea"), QStringLiteral("cdsLRepFPtrReparacion"),
                                  QStringLiteral("cdsLRepFAccion")};

bool TieneCampos(const TClientDataSet* tabla, const QStringList& campos) {
    return std::all_of(campos.begin(), campos.end(),
                       [tabla](const QString& campo) { return tabla->FindField(campo) != nullptr; });
}

// Loads a file into a scratch table; false when it is missing, damaged or lacks a field.
bool CargarTabla(TClientDataSet* tabla, const QString& archivo, const QStringList& campos) {
    tabla->Close();
    tabla->SetIndexFieldNames(QString());
    try {
        tabla->LoadFromFile(archivo);
    } catch (const std::exception&) {
        return false;
    }
    return TieneCampos(tabla, campos);
}

// Unhooks a table's handler for the life of a block.
class SinManejador {
public:
    SinManejador(TDataSetNotifyEvent& manejador)
        : manejador_(manejador), guardado_(std::exchange(manejador, nullptr)) {}
    ~SinManejador() { manejador_ = std::move(guardado_); }
    SinManejador(const SinManejador&) = delete;
    SinManejador& operator=(const SinManejador&) = delete;

private:
    TDataSetNotifyEvent& manejador_;
    TDataSetNotifyEvent guardado_;
};

// Closes a scratch table however the block ends.
class TablaAuxiliar {
public:
    explicit TablaAuxiliar(TClientDataSet* tabla) : tabla_(tabla) {}
    ~TablaAuxiliar() {
        if (tabla_->State() != dsBrowse) tabla_->Cancel();
        tabla_->Close();
        tabla_->SetFileName(QString());
    }
    TablaAuxiliar(const TablaAuxiliar&) = delete;
    TablaAuxiliar& operator=(const TablaAuxiliar&) = delete;

private:
    TClientDataSet* tabla_;
};

}  // namespace

// ------------------------------------------------ trainers, practices and seeds in view

// The rows are read where they are, without their calculated fields: moving the cursor
// would rebuild the lines of every practice passed over, and each calculation looks up a
// seed and a fault.
bool TdmCDS::FiltrarEquiposHistorico(const QString& filtroBase) {
    QStringList terminos;
    {
        SinManejador sinRecarga(cdsEquipo->AfterScroll);
        SinManejador sinCalculos(cdsReparacion->OnCalcFields);
        QuitarFiltro(cdsEquipo);
        AplicarFiltro(cdsReparacion, filtroBase);
        // One term per trainer: a long history would otherwise make a filter of thousands.
        const int filas = cdsReparacion->RecordCount();
        for (int fila = 1; fila <= filas; ++fila) {
            const QVariant equipo = cdsReparacion->ValueAt(fila, cdsRepFPtrEquipo);
            if (equipo.isNull()) continue;
            const QString termino = QStringLiteral("cdsEFCodEquipo = ") + equipo.toString();
            if (!terminos.contains(termino)) terminos.append(termino);
        }
        AplicarFiltro(cdsEquipo, terminos.isEmpty() ? kNingunEquipo : terminos.join(QStringLiteral(" or ")));
        cdsEquipo->First();
    }
    const bool hay = !cdsEquipo->IsEmpty();
    if (hay && equipoCargado_ != cdsEFCodEquipo->AsInteger()) AbrirTablasEquipo(cdsEFCodEquipo->AsInteger());
    return hay;
}

void TdmCDS::FiltrarReparacionesEquipo(const QString& filtroBase, int equipo) {
    const QString deEquipo = QStringLiteral("cdsRepFPtrEquipo = ") + QString::number(equipo);
    AplicarFiltro(cdsReparacion,
                  filtroBase.isEmpty() ? deEquipo : filtroBase + QStringLiteral(" and ") + deEquipo);
    cdsReparacion->First();
}

void TdmCDS::FiltrarSemillasHistorico(int equipo, const QString& filtroPrevio) {
    QStringList terminos;
    {
        SinManejador sinCalculos(cdsReparacion->OnCalcFields);
        const int filas = cdsReparacion->RecordCount();
        for (int fila = 1; fila <= filas; ++fila) {
            const QVariant averia = cdsReparacion->ValueAt(fila, cdsRepFPtrIdAveria);
            if (averia.isNull() || cdsReparacion->ValueAt(fila, cdsRepFPtrEquipo).toInt() != equipo) continue;
            // Written inside the filter grammar: a tutored practice must find its seed.
            const QString termino = QStringLiteral("(cdsSemFPtrIdAveria = ") + averia.toString() +
                                    (cdsReparacion->ValueAt(fila, cdsRepFTutorizada).toBool()
                                         ? QStringLiteral(" and cdsSemFTutorizada = True)")
                                         : QStringLiteral(" and cdsSemFTutorizada = False)"));
            if (!terminos.contains(termino)) terminos.append(termino);
        }
    }
    const QString practicadas =
        terminos.isEmpty() ? QStringLiteral("(cdsSemFPtrIdAveria = -1)")
                           : QLatin1Char('(') + terminos.join(QStringLiteral(" or ")) + QLatin1Char(')');
    const QString filtro = QStringLiteral("(cdsSemFPtrEquipo = ") + QString::number(equipo) +
                           QStringLiteral(") and ") + practicadas;
    AplicarFiltro(cdsSemilla,
                  filtroPrevio.isEmpty() ? filtro : filtroPrevio + QStringLiteral(" and ") + filtro);
    // The current practice's virtual code, calculated from the seeds, is calculated again.
    if (!cdsReparacion->IsEmpty()) cdsReparacion->GotoBookmark(cdsReparacion->GetBookmark());
}

// ------------------------------------------------ deleting a practice

bool TdmCDS::BorrarAveriaHistorico() {
    if (cdsReparacion->IsEmpty()) return false;
    const int marcaReparaciones = cdsReparacion->SavePoint();
    const int marcaLineas = cdsLineaReparacion->SavePoint();
    bool escrito = false;
    {
        // Both files are written once the practice and every line of it are gone.
        SinManejador lineas(cdsLineaReparacion->AfterDelete);
        SinManejador practicas(cdsReparacion->AfterDelete);
        VaciarTabla(cdsLineaReparacion);
        escrito = cdsLineaReparacion->IsEmpty() && cdsReparacion->Delete();
    }
    escrito = escrito && SalvarTabla(cdsLineaReparacion) && SalvarTabla(cdsReparacion);
    if (escrito) return true;
    // What could not be written goes back, in memory and in the files.
    cdsLineaReparacion->SetSavePoint(marcaLineas);
    cdsReparacion->SetSavePoint(marcaReparaciones);
    SalvarTabla(cdsLineaReparacion);
    SalvarTabla(cdsReparacion);
    return false;
}

// ------------------------------------------------ exporting and importing a history pair

bool TdmCDS::ExportarHistorico(const QString& archivoElegido) {
    const QFileInfo elegido(archivoElegido);
    const QString carpeta = elegido.absolutePath() + QLatin1Char('/');
    const std::pair<QString, QString> copias[] = {
        {cdsReparacion->FileName(), carpeta + kPrefijoReparaciones + elegido.fileName()},
        {cdsLineaReparacion->FileName(), carpeta + kPrefijoLineas + elegido.fileName()}};
    for (const auto& [origen, destino] : copias) {
        const int error = origen.isEmpty() ? ENOENT : tablas::CopiarArchivo(origen, destino);
        if (error == 0) continue;
        // A pair with one old or missing half would look exported.
        for (const auto& copia : copias) tablas::BorrarNombre(copia.second);
        MostrarMensaje(
            Texto(kTextoExportacionFallida)
                .arg(QDir::toNativeSeparators(destino), QString::fromLocal8Bit(std::strerror(error))),
            BotonesAceptar, DibujoError);
        return false;
    }
    MostrarMensaje(
        Texto(kTextoExportado)
            .arg(QDir::toNativeSeparators(copias[0].second), QDir::toNativeSeparators(copias[1].second)),
        BotonesAceptar, DibujoExito);
    return true;
}

int TdmCDS::ImportarHistorico(const QString& archivoReparaciones, int alumno, int grupo) {
    const QFileInfo elegido(archivoReparaciones);
    const QString archivoLineas = elegido.absolutePath() + QStringLiteral("/Linea") + elegido.fileName();
    const auto rechazar = [&](int texto) {
        QString mensaje = Texto(texto);
        if (mensaje.contains(QLatin1String("%1")))
            mensaje = mensaje.arg(QDir::toNativeSeparators(archivoReparaciones));
        MostrarMensaje(mensaje, BotonesAceptar, DibujoError);
        return -1;
    };
    if (!elegido.fileName().startsWith(kPrefijoReparaciones, Qt::CaseInsensitive))
        return rechazar(kTextoNoEsHistorico);
    if (!QFileInfo::exists(archivoLineas)) return rechazar(kTextoFaltaArchivo);
    // The whole pair is read and checked before the history changes at all.
    TablaAuxiliar practicasLeidas(cdsAux);
    TablaAuxiliar lineasLeidas(CdsAux2);
    if (!CargarTabla(cdsAux, archivoReparaciones, kCamposReparacion) ||
        !CargarTabla(CdsAux2, archivoLineas, kCamposLinea))
        return rechazar(kTextoNoEsHistorico);

    QuitarFiltro(cdsReparacion);
    const int marcaReparaciones = cdsReparacion->SavePoint();
    const int marcaLineas = cdsLineaReparacion->SavePoint();
    int importadas = 0;
    try {
        TField* codigoLeido = cdsAux->FieldByName(QStringLiteral("cdsRepFCodReparacion"));
        TField* practicaDeLinea = CdsAux2->FieldByName(QStringLiteral("cdsLRepFPtrReparacion"));
        for (cdsAux->First(); !cdsAux->Eof(); cdsAux->Next()) {
            if (!cdsReparacion->Append()) throw EDatabaseError(QStringLiteral("practice not inserted"));
            CopiarCampos(cdsAux, cdsReparacion, false);
            const int codigo = SiguienteCodigo(cdsReparacion, true);
            cdsRepFPtrAlumno->SetAsInteger(alumno);
            cdsRepFPtrGrupo->SetAsInteger(grupo);
            // The student's own practice here: another group's subgroup means nothing in this one.
            cdsRepFPtrSubgrupo->SetAsInteger(-1);
            if (!cdsReparacion->Post()) throw EDatabaseError(QStringLiteral("practice not stored"));
            // Line codes are the history file's own: an imported line takes a free one.
            for (CdsAux2->First(); !CdsAux2->Eof(); CdsAux2->Next()) {
                if (practicaDeLinea->IsNull() || practicaDeLinea->Value() != codigoLeido->Value()) continue;
                if (!cdsLineaReparacion->Append()) throw EDatabaseError(QStringLiteral("line not inserted"));
                CopiarCampos(CdsAux2, cdsLineaReparacion, false);
                SiguienteCodigo(cdsLineaReparacion, true);
                cdsLRepFPtrReparacion->SetAsInteger(codigo);
                if (!cdsLineaReparacion->Post()) throw EDatabaseError(QStringLiteral("line not stored"));
            }
            ++importadas;
        }
        // Every post wrote its file; a write that failed was reported and is undone here.
        if (!SalvarTabla(cdsLineaReparacion) || !SalvarTabla(cdsReparacion))
            throw EDatabaseError(QStringLiteral("history not written"));
    } catch (const std::exception& error) {
        for (TClientDataSet* tabla : {cdsLineaReparacion, cdsReparacion})
            if (tabla->State() != dsBrowse) tabla->Cancel();
        cdsLineaReparacion->SetSavePoint(marcaLineas);
        cdsReparacion->SetSavePoint(marcaReparaciones);
        SalvarTabla(cdsLineaReparacion);
        SalvarTabla(cdsReparacion);
        MostrarMensaje(Texto(kTextoImportacionFallida).arg(ErroresTablas::TextoError(error)), BotonesAceptar,
                       DibujoError);
        return -1;
    }
    cdsReparacion->First();
    return importadas;
}
