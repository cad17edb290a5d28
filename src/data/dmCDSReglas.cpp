// What happens when rows of the class tables are inserted, posted, cancelled and deleted,
// and the operations of class management and the login on groups, students and subgroups.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "Cadenas.h"
#include "Configuracion.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "RutasDatos.h"
#include "dmCDS.h"

namespace {

const QString kAlumnos = QStringLiteral("Alumnos");

// Keeps a table's position and puts it back however the block ends.
class GuardaPosicion {
public:
    explicit GuardaPosicion(TClientDataSet* tabla) : tabla_(tabla), marca_(tabla->GetBookmark()) {}
    ~GuardaPosicion() {
        if (tabla_->Active()) tabla_->GotoBookmark(marca_);
    }
    GuardaPosicion(const GuardaPosicion&) = delete;
    GuardaPosicion& operator=(const GuardaPosicion&) = delete;

private:
    TClientDataSet* tabla_;
    TBookmark marca_;
};

// The list with every item except `quitado`, each still followed by "#".
QString ListaSin(const QStringList& items, const QString& quitado) {
    QString lista;
    for (const QString& item : items)
        if (item != quitado) lista += item + QLatin1Char('#');
    return lista;
}

QString NivelSintomasInicial() {
    switch (LeerNivelSintoma()) {
        case 1:
            return QStringLiteral("J#C#");
        case 2:
            return QStringLiteral("J#");
        default:
            return QString();
    }
}

QString NivelReparacionInicial() {
    switch (LeerNivelReparacion()) {
        case 1:
            return QStringLiteral("BL#CI#CO#");
        case 2:
            return QStringLiteral("BL#CI#");
        case 3:
            return QStringLiteral("BL#");
        default:
            return QString();
    }
}

void AbortarSiFaltanRequeridos(TClientDataSet* tabla) {
    if (!TdmCDS::CamposRequeridosLlenos(tabla)) Abort();
}

}  // namespace

bool TdmCDS::CamposRequeridosLlenos(const TClientDataSet* tabla) {
    return std::none_of(tabla->Fields().begin(), tabla->Fields().end(),
                        [](const TField* campo) { return campo->Required && campo->IsNull(); });
}

void TdmCDS::AplicarFiltro(TClientDataSet* tabla, const QString& filtro) {
    tabla->SetFilter(filtro);
    tabla->SetFiltered(!filtro.isEmpty());
}

void TdmCDS::QuitarFiltro(TClientDataSet* tabla) {
    tabla->SetFilter(QString());
    tabla->SetFiltered(false);
}

void TdmCDS::AsignarReglas() {
    if (std::exchange(reglasAsignadas_, true)) return;
    AsignarReglasGrupo();
    AsignarReglasAlumno();
    AsignarReglasGrupoAlumno();
    AsignarReglasSubgrupo();
    AsignarReglasSemilla();
    AsignarReglasPracticas();
    // The tree that shows these tables waits while a row is being inserted into one.
    for (TClientDataSet* tabla :
         {cdsLineaReparacion, cdsReparacion, cdsAlumno, cdsSubgrupo, cdsSemilla, cdsGrupo, cdsGrupoAlumno}) {
        tabla->BeforeInsert = [this](TClientDataSet*) { emit ReaccionesArbol(false); };
        const TDataSetNotifyEvent alCancelar = tabla->AfterCancel;
        tabla->AfterCancel = [this, alCancelar](TClientDataSet* ds) {
            if (alCancelar) alCancelar(ds);
            emit ReaccionesArbol(true);
        };
    }
}

TDataSetNotifyEvent TdmCDS::GuardarTrasCambio() {
    return [this](TClientDataSet* ds) {
        Modificado = false;
        SalvarTabla(ds);
    };
}

TDataSetNotifyEvent TdmCDS::DevolverAlCancelar() {
    return [this](TClientDataSet* ds) {
        if (EnInsercion(ds)) DevolverCodigo(ds);
        Modificado = false;
    };
}

void TdmCDS::AsignarReglasGrupo() {
    cdsGrupo->AfterInsert = [this](TClientDataSet*) {
        // A folder left behind by an old group must not refuse every new group: its code is skipped.
        int codigo = SiguienteCodigo(cdsGrupo, true);
        while (QFileInfo::exists(RutasDatos::CarpetaGrupo(codigo)) ||
               (cdsGrupoLUp->Active() &&
                !cdsGrupoLUp
                     ->Lookup(QStringLiteral("cdsGrpFCodGrupo"), codigo, QStringLiteral("cdsGrpFCodGrupo"))
                     .isNull()))
            ++codigo;
        cdsGrpFCodGrupo->SetAsInteger(codigo);
        DesligarTablasGrupo();
        cdsGrpFDirectorio->SetAsString(RutasDatos::CarpetaGrupo(codigo));
        cdsGrpFNSintomas->SetAsString(NivelSintomasInicial());
        cdsGrpFNReparacion->SetAsString(NivelReparacionInicial());
        cdsGrpFTutorizada->SetAsBoolean(true);
        cdsGrpFDisfuncion->SetAsBoolean(true);
        cdsGrpFNumAlumnos->SetAsInteger(0);
    };
    cdsGrupo->BeforePost = [this](TClientDataSet* ds) {
        if (!CamposRequeridosLlenos(ds) || !ValidarGrupo()) Abort();
        emit ReaccionesArbol(true);
    };
    cdsGrupo->AfterPost = GuardarTrasCambio();
    cdsGrupo->OnPostError = [](TClientDataSet*, EDatabaseError&, TDataAction& accion) {
        MostrarMensaje(QStringLiteral("Falla el post de la tabla grupo"), BotonesAceptar, DibujoError);
        accion = daFail;
    };
    cdsGrupo->BeforeCancel = [this](TClientDataSet* ds) {
        if (EnInsercion(ds)) DevolverCodigo(ds);
    };
    cdsGrupo->AfterCancel = [this](TClientDataSet* ds) {
        Modificado = false;
        if (ds->IsEmpty()) ds->SetReadOnly(true);
    };
    cdsGrupo->AfterDelete = [this](TClientDataSet* ds) {
        Modificado = false;
        SalvarTabla(ds);
        if (!ds->IsEmpty()) return;
        DesligarTablasGrupo();
        ds->SetReadOnly(true);
    };
    cdsGrupo->AfterOpen = [this](TClientDataSet* ds) {
        ds->SetReadOnly(ds->IsEmpty());
        ClonarGrupo();
    };
    cdsGrupo->AfterScroll = [this](TClientDataSet* ds) {
        if (Modulo == kAlumnos && !ds->IsEmpty() && !EnInsercion(ds)) AbrirTablasGrupo();
    };
}

void TdmCDS::AsignarReglasAlumno() {
    cdsAlumno->AfterInsert = [this](TClientDataSet*) {
        cdsAFPassword->SetAsString(PasswordInicialAlumno(SiguienteCodigo(cdsAlumno, true)));
    };
    cdsAlumno->BeforePost = [this](TClientDataSet* ds) {
        AbortarSiFaltanRequeridos(ds);
        emit ReaccionesArbol(true);
    };
    cdsAlumno->AfterPost = GuardarTrasCambio();
    cdsAlumno->BeforeCancel = DevolverAlCancelar();
    cdsAlumno->AfterDelete = GuardarTrasCambio();
}

void TdmCDS::AsignarReglasGrupoAlumno() {
    cdsGrupoAlumno->AfterPost = [this](TClientDataSet* ds) {
        Modificado = false;
        SalvarTabla(ds);
        ActualizarNumAlumnos();
    };
    // A membership row takes no identifier, so a cancelled one has none to give back.
    cdsGrupoAlumno->BeforeCancel = [this](TClientDataSet*) { Modificado = false; };
    // A membership posted on its own (an imported student's) gives the tree back too.
    cdsGrupoAlumno->BeforePost = [this](TClientDataSet*) { emit ReaccionesArbol(true); };
    cdsGrupoAlumno->BeforeDelete = [this](TClientDataSet*) { QuitarGrupoDeAlumno(); };
    cdsGrupoAlumno->AfterDelete = GuardarTrasCambio();
    cdsGrupoAlumno->AfterOpen = [](TClientDataSet* ds) { ds->SetReadOnly(ds->IsEmpty()); };
}

void TdmCDS::AsignarReglasSubgrupo() {
    cdsSubgrupo->AfterInsert = [this](TClientDataSet*) {
        const int codigo = SiguienteCodigo(cdsSubgrupo, true);
        cdsSubFPtrGrupo->SetValue(cdsGrpFCodGrupo->Value());
        cdsSubFPassword->SetAsString(kPrefijoPasswordSubgrupo + FormatoCodigo(codigo));
    };
    cdsSubgrupo->BeforePost = [this](TClientDataSet* ds) {
        AbortarSiFaltanRequeridos(ds);
        emit ReaccionesArbol(true);
    };
    cdsSubgrupo->AfterPost = [this](TClientDataSet*) { PropagarSubgrupo(); };
    cdsSubgrupo->BeforeCancel = DevolverAlCancelar();
    cdsSubgrupo->BeforeDelete = [this](TClientDataSet*) {
        QuitarSubgrupoAlumno(cdsSubFCodSubgrupo->AsString());
    };
    // Saved at once, like the membership list that the deletion has just changed; the
    // name of a deleted subgroup is free again.
    cdsSubgrupo->AfterDelete = [this](TClientDataSet* ds) {
        Modificado = false;
        SalvarTabla(ds);
        RecargarSubgruposGuardados();
    };
    const TDataSetNotifyEvent recargarLista = cdsSubgrupo->AfterOpen;
    cdsSubgrupo->AfterOpen = [recargarLista](TClientDataSet* ds) {
        ds->SetReadOnly(ds->IsEmpty());
        if (recargarLista) recargarLista(ds);
    };
}

void TdmCDS::AsignarReglasSemilla() {
    cdsSemilla->AfterInsert = [this](TClientDataSet*) { SiguienteCodigo(cdsSemilla, true); };
    cdsSemilla->AfterPost = [this](TClientDataSet* ds) {
        Modificado = false;
        if (!EnInsercion(cdsGrupo)) SalvarTabla(ds);
    };
    cdsSemilla->BeforeCancel = DevolverAlCancelar();
    cdsSemilla->AfterDelete = GuardarTrasCambio();
}

void TdmCDS::QuitarGrupoDeAlumno() {
    GuardaPosicion posicion(cdsAlumno);
    if (!cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), cdsGrpAlFPtrAlumno->Value())) return;
    const QString grupo = cdsGrpAlFPtrGrupo->AsString();
    cdsAlumno->Edit();
    cdsAFGrupos->SetAsString(ListaSin(PartirLista(cdsAFGrupos->AsString(), QStringLiteral("#")), grupo));
    cdsAlumno->Post();
}

void TdmCDS::PropagarSubgrupo() {
    AnadirSubgrupoAlumno(cdsSubFCodSubgrupo->AsString());
    const TDataSetNotifyEvent esteManejador = std::exchange(cdsSubgrupo->AfterPost, nullptr);
    const QVariant nombre = cdsSubFNombre->Value();
    const QVariant asignatura = cdsSubFAsignatura->Value();
    const QVariant password = cdsSubFPassword->Value();
    const QVariant observacion = cdsSubFObservacion->Value();
    {
        // Every other row of the subgroup, wherever the new name sorts the posted one:
        // the rows are gathered first because each change may reorder them.
        GuardaPosicion posicion(cdsSubgrupo);
        const QVariant codigo = cdsSubFCodSubgrupo->Value();
        const int publicada = cdsSubgrupo->RecNo();
        std::vector<TBookmark> otras;
        for (cdsSubgrupo->First(); !cdsSubgrupo->Eof(); cdsSubgrupo->Next())
            if (cdsSubgrupo->RecNo() != publicada && cdsSubFCodSubgrupo->Value() == codigo)
                otras.push_back(cdsSubgrupo->GetBookmark());
        for (const TBookmark& fila : otras) {
            if (!cdsSubgrupo->GotoBookmark(fila)) continue;
            try {
                cdsSubgrupo->Edit();
                cdsSubFNombre->SetValue(nombre);
                cdsSubFAsignatura->SetValue(asignatura);
                cdsSubFPassword->SetValue(password);
                cdsSubFObservacion->SetValue(observacion);
                cdsSubgrupo->Post();
            } catch (const EDatabaseError&) {
                cdsSubgrupo->Cancel();
            }
        }
    }
    cdsSubgrupo->AfterPost = esteManejador;
    Modificado = false;
    SalvarTabla(cdsSubgrupo);
    RecargarSubgruposGuardados();
}

bool TdmCDS::ValidarGrupo() {
    QString carpeta = cdsGrpFDirectorio->AsString();
    if (!carpeta.isEmpty() && !carpeta.endsWith(QLatin1Char('/')) && !carpeta.endsWith(QLatin1Char('\\')))
        cdsGrpFDirectorio->SetAsString(carpeta + QLatin1Char('/'));
    if (EnInsercion(cdsGrupo) && !carpeta.isEmpty() && QFileInfo(carpeta).isDir()) return false;
    if (cdsGrupoAlumno->Active() && cdsGrupoAlumno->RecordCount() != cdsGrpFNumAlumnos->AsInteger())
        cdsGrpFNumAlumnos->SetAsInteger(cdsGrupoAlumno->RecordCount());
    return true;
}

bool TdmCDS::GuardarCambios() {
    bool resultado = true;
    for (TClientDataSet* tabla : Tablas()) {
        if (!tabla->Active() || (!EnInsercion(tabla) && !EnEdicion(tabla))) continue;
        try {
            const QVariant codigo = tabla->Fields().front()->Value();
            if (!tabla->Post()) {
                resultado = false;
                continue;
            }
            if (tabla != cdsGrupo) continue;
            // The posted group is the current row: its folder and files come first, so that
            // finding it again can load them.
            const QString carpeta = cdsGrpFDirectorio->AsString();
            if (!QFileInfo(carpeta).isDir()) {
                if (!QDir().mkpath(carpeta))
                    throw EDatabaseError(QStringLiteral("No se puede crear ") + carpeta);
                CrearTablasGrupo();
            }
            LocalizarGrupo(codigo.toInt());
            if (Modulo == kAlumnos) AbrirTablasGrupo();
        } catch (const std::exception&) {
            resultado = false;
        }
    }
    Modificado = false;
    return resultado;
}

bool TdmCDS::CancelarCambios() {
    bool resultado = true;
    for (TClientDataSet* tabla : Tablas()) {
        if (!tabla->Active() || (!EnInsercion(tabla) && !EnEdicion(tabla))) continue;
        try {
            tabla->Cancel();
        } catch (const std::exception&) {
            resultado = false;
        }
    }
    return resultado;
}

void TdmCDS::CerrarEdiciones() {
    for (TClientDataSet* tabla : Tablas()) {
        if (!tabla->Active()) continue;
        if (EnInsercion(tabla) || EnEdicion(tabla)) tabla->Cancel();
        QuitarFiltro(tabla);
    }
}

void TdmCDS::CerrarTablas() {
    for (TClientDataSet* tabla : {cdsLineaReparacion, cdsReparacion, cdsSintomas, cdsCodigos, cdsAveria,
                                  cdsEquipo, cdsBloque, cdsCircuito, cdsComponente, cdsSubgrupo, cdsSemilla,
                                  cdsGrupoAlumno, cdsGrupo, cdsGrupoLUp, cdsAlumno})
        tabla->Close();
}

bool TdmCDS::LocalizarGrupo(int codigoGrupo) {
    return cdsGrupo->Locate(QStringLiteral("cdsGrpFCodGrupo"), codigoGrupo);
}

void TdmCDS::BorrarAlumnosGrupo(int codigoGrupo) {
    // A practice table still on a member's history would write it back when it closes.
    AbrirHistorico(RutasDatos::kProfesor);
    if (!cdsGrupoAlumno->Active()) cdsGrupoAlumno->Open();
    cdsGrupoAlumno->SetReadOnly(false);
    while (cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrGrupo"), codigoGrupo)) {
        const int alumno = cdsGrpAlFPtrAlumno->AsInteger();
        const QString usuario = FormatoCodigo(alumno);
        QFile::remove(RutasDatos::ArchivoReparacion(usuario));
        QFile::remove(RutasDatos::ArchivoLineaReparacion(usuario));
        cdsGrupoAlumno->Delete();
        if (cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), alumno)) cdsAlumno->Delete();
    }
    cdsSubgrupo->SetReadOnly(false);
    while (cdsSubgrupo->Locate(QStringLiteral("cdsSubFPtrGrupo"), codigoGrupo)) cdsSubgrupo->Delete();
    for (TClientDataSet* tabla : {cdsGrupoAlumno, cdsAlumno, cdsSubgrupo}) {
        tabla->Close();
        tabla->Open();
    }
    ClonarAlumno();
}

void TdmCDS::BorrarGrupo(int codigoGrupo) {
    const QString archivo = cdsGrupo->FileName();
    if (LocalizarGrupo(codigoGrupo)) {
        BorrarAlumnosGrupo(codigoGrupo);
        const QString carpeta = cdsGrpFDirectorio->AsString();
        cdsGrupo->Delete();
        QDirIterator entradas(carpeta, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                              QDirIterator::Subdirectories);
        QStringList carpetas;
        while (entradas.hasNext()) {
            const QString ruta = entradas.next();
            if (entradas.fileInfo().isDir() && !entradas.fileInfo().isSymLink()) {
                carpetas.prepend(ruta);  // the deepest first
            } else if (!QFile::remove(ruta)) {
                MostrarMensaje(Texto(221) + ruta, BotonesAceptar, DibujoError);
            }
        }
        for (const QString& sub : carpetas)
            if (!QDir().rmdir(sub)) MostrarMensaje(Texto(178) + sub, BotonesAceptar, DibujoError);
        QDir().rmdir(carpeta);
    }
    cdsGrupo->Close();
    cdsGrupo->SetFileName(archivo);
    cdsGrupo->Open();
}

void TdmCDS::BorrarSemillasGrupo(int codigoGrupo) {
    if (!EnConsulta(cdsSemilla)) return;
    QuitarFiltro(cdsSemilla);
    AplicarFiltro(cdsSemilla, QStringLiteral("cdsSemFPtrGrupo=") + QString::number(codigoGrupo));
    while (!cdsSemilla->IsEmpty()) {
        cdsSemilla->First();
        cdsSemilla->Delete();
    }
    QuitarFiltro(cdsSemilla);
}

bool TdmCDS::AlumnoEnGrupo(int codigoAlumno) {
    return cdsGrupoAlumno->Active() && !cdsGrupoAlumno
                                            ->Lookup(QStringLiteral("cdsGrpAlFPtrAlumno"), codigoAlumno,
                                                     QStringLiteral("cdsGrpAlFPtrAlumno"))
                                            .isNull();
}

void TdmCDS::AnadirGrupoAlumno(const QString& codigoGrupo) {
    try {
        const QString grupos = cdsAFGrupos->AsString();
        if (PartirLista(grupos, QStringLiteral("#")).contains(codigoGrupo)) return;
        cdsAlumno->Edit();
        cdsAFGrupos->SetAsString(grupos + codigoGrupo + QLatin1Char('#'));
        cdsAlumno->Post();
    } catch (const std::exception&) {
        if (cdsAlumno->State() != dsBrowse) cdsAlumno->Cancel();
    }
}

void TdmCDS::CambiarSubgruposMiembro(const std::function<QString(const QStringList&)>& cambio) {
    if (cdsSubFPtrAlumno->IsNull()) return;
    try {
        GuardaPosicion posicion(cdsGrupoAlumno);
        if (!cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), cdsSubFPtrAlumno->Value())) return;
        const QString antes = cdsGrpAlFSubgrupos->AsString();
        const QString despues = cambio(PartirLista(antes, QStringLiteral("#")));
        if (despues == antes) return;
        cdsGrupoAlumno->Edit();
        cdsGrpAlFSubgrupos->SetAsString(despues);
        cdsGrupoAlumno->Post();
    } catch (const std::exception&) {
        if (cdsGrupoAlumno->State() != dsBrowse) cdsGrupoAlumno->Cancel();
    }
}

void TdmCDS::AnadirSubgrupoAlumno(const QString& codigoSubgrupo) {
    CambiarSubgruposMiembro([&codigoSubgrupo](const QStringList& items) {
        QStringList nuevos = items;
        if (!nuevos.contains(codigoSubgrupo)) nuevos << codigoSubgrupo;
        return ListaSin(nuevos, QString());
    });
}

void TdmCDS::QuitarSubgrupoAlumno(const QString& codigoSubgrupo) {
    CambiarSubgruposMiembro([&codigoSubgrupo](const QStringList& items) {
        QStringList ordenados = items;
        if (ordenados.contains(codigoSubgrupo)) ordenados.sort();
        return ListaSin(ordenados, codigoSubgrupo);
    });
}

void TdmCDS::ActualizarNumAlumnos() {
    const TAggregate* total = cdsGrupoAlumno->FindAggregate(QStringLiteral("AggNumAlumnos"));
    if (!total) return;
    const QVariant cuenta = total->Value();
    if (!cuenta.isValid() || cuenta.toInt() == cdsGrpFNumAlumnos->AsInteger()) return;
    try {
        cdsGrupo->Edit();
        cdsGrpFNumAlumnos->SetAsInteger(cuenta.toInt());
        cdsGrupo->Post();
    } catch (const std::exception&) {
        if (cdsGrupo->State() != dsBrowse) cdsGrupo->Cancel();
    }
}

int TdmCDS::NumAlumnosSubgrupo() const {
    const TAggregate* total = cdsSubgrupo->FindAggregate(QStringLiteral("AggNumAlumnos"));
    return total ? total->Value().toInt() : 0;
}

TdmCDS::ResultadoPassword TdmCDS::ComprobarPassword(int codigoGrupo, const QString& password) {
    ResultadoPassword resultado;
    const QString lista = QString::number(codigoGrupo) + QLatin1Char('#');
    if (cdsAlumno->Locate(QStringLiteral("cdsAFPassword;cdsAFGrupos"), QVariantList{password, lista})) {
        Modulo = kAlumnos;
        LocalizarGrupo(codigoGrupo);
        cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), cdsAFCodAlumno->Value());
        Modulo.clear();
        resultado.aceptado = true;
        resultado.tipo = 1;
        return resultado;
    }
    Modulo = kAlumnos;
    const bool grupo = LocalizarGrupo(codigoGrupo);
    if (grupo) AbrirTablasGrupo();
    Modulo.clear();
    if (!grupo || !cdsSubgrupo->Locate(QStringLiteral("cdsSubFPassword"), password, loCaseInsensitive))
        return resultado;
    AplicarFiltro(cdsSubgrupo, QStringLiteral("cdsSubFCodSubgrupo = ") + cdsSubFCodSubgrupo->AsString());
    cdsSubgrupo->First();
    cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), cdsSubFPtrAlumno->Value());
    resultado.aceptado = true;
    resultado.tipo = 2;
    return resultado;
}
