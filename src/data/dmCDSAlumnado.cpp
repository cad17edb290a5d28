// The changes of the student and subgroup pages of class management: each one reaches
// every class file it touches, or none of them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

#include "Cadenas.h"
#include "ErroresTablas.h"
#include "EstadoCursor.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "RutasDatos.h"
#include "TextosCampos.h"
#include "dmCDS.h"

namespace {

// "The file cannot be deleted: " + its name.
constexpr int kTextoNoSeBorra = 221;
// "The change could not be completed; the class data are as they were".
constexpr int kTextoCambioDeshecho = 280;

// The tables of one change, each with its mark: on failure every table goes back to its
// mark, in memory and in its file.
class CambioTablas {
public:
    explicit CambioTablas(const std::vector<TClientDataSet*>& tablas) {
        for (TClientDataSet* tabla : tablas)
            if (tabla->Active())
                marcas_.push_back({tabla, tabla->SavePoint(), !tabla->HayCambiosSinGuardar()});
    }

    // Every file holds what changed in its table (a table that had unsaved changes
    // before is not asked).
    bool Escrito() const {
        for (const Marca& m : marcas_)
            if (m.limpia && m.tabla->HayCambiosSinGuardar()) return false;
        return true;
    }

    void Deshacer() {
        for (const Marca& m : marcas_) {
            TClientDataSet* tabla = m.tabla;
            try {
                if (tabla->State() != dsBrowse) tabla->Cancel();
                tabla->SetSavePoint(m.marca);
                // A file whose write failed never changed; the others get their old rows back.
                if (m.limpia && tabla->HayCambiosSinGuardar() && !tabla->FileName().isEmpty()) {
                    tabla->MergeChangeLog();
                    tabla->SaveToFile();
                }
            } catch (const std::exception&) {
                // That file could not be written: it still holds what it held.
            }
        }
    }

private:
    struct Marca {
        TClientDataSet* tabla;
        int marca;
        bool limpia;
    };
    std::vector<Marca> marcas_;
};

// A student's history files moved aside under another name: given back when the change
// that needed them gone fails, deleted when it succeeds.
class HistoricoApartado {
public:
    explicit HistoricoApartado(int alumno) {
        const QString usuario = FormatoCodigo(alumno);
        archivos_ = {RutasDatos::ArchivoReparacion(usuario), RutasDatos::ArchivoLineaReparacion(usuario)};
    }

    // False (reported) when a file that is there could not be moved; nothing is moved then.
    bool Apartar() {
        for (const QString& archivo : archivos_) {
            if (!QFileInfo::exists(archivo)) continue;
            if (!QFile::rename(archivo, aparte(archivo))) {
                Informar(archivo);
                Devolver();
                return false;
            }
            apartados_ << archivo;
        }
        return true;
    }

    void Devolver() {
        for (const QString& archivo : std::exchange(apartados_, {})) QFile::rename(aparte(archivo), archivo);
    }

    // False (reported) when a file could not be deleted: it stays under its other name,
    // where no history is looked for.
    bool Borrar() {
        bool borrado = true;
        for (const QString& archivo : std::exchange(apartados_, {})) {
            if (QFile::remove(aparte(archivo))) continue;
            Informar(aparte(archivo));
            borrado = false;
        }
        return borrado;
    }

private:
    static QString aparte(const QString& archivo) { return archivo + QStringLiteral(".borrado"); }
    static void Informar(const QString& archivo) {
        MostrarMensaje(Texto(kTextoNoSeBorra) + QDir::toNativeSeparators(archivo), BotonesAceptar,
                       DibujoError);
    }

    QStringList archivos_;
    QStringList apartados_;
};

void Rechazado(const char* que) {
    throw EDatabaseError(QString::fromLatin1(que));
}

}  // namespace

bool TdmCDS::CambiarClases(const std::vector<TClientDataSet*>& tablas, const std::function<void()>& pasos) {
    CambioTablas cambio(tablas);
    QString error;
    try {
        pasos();
        if (cambio.Escrito()) return true;
    } catch (const std::exception& e) {
        error = ErroresTablas::TextoError(e) + QLatin1Char('\n');
    }
    cambio.Deshacer();
    emit ReaccionesArbol(true);
    RecargarSubgruposGuardados();
    Modificado = false;
    MostrarMensaje(error + Texto(kTextoCambioDeshecho), BotonesAceptar, DibujoError);
    return false;
}

void TdmCDS::RecargarSubgruposGuardados() {
    cdsSubgrupoLUp->Close();
    if (!cdsSubgrupo->Active() || !QFileInfo::exists(cdsSubgrupo->FileName())) return;
    cdsSubgrupoLUp->SetAggregatesActive(true);
    cdsSubgrupoLUp->LoadFromFile(cdsSubgrupo->FileName());
    cdsSubgrupoLUp->SetReadOnly(true);
}

QString TdmCDS::NombreCompletoAlumno(int codigoAlumno) {
    const QVariantList nombre = cdsAlumno
                                    ->Lookup(QStringLiteral("cdsAFCodAlumno"), codigoAlumno,
                                             QStringLiteral("cdsAFApellido1;cdsAFApellido2;cdsAFNombre"))
                                    .toList();
    if (nombre.size() < 3) return {};
    return TextosCampos::NombreCompleto(nombre[0].toString(), nombre[1].toString(), nombre[2].toString());
}

bool TdmCDS::BorrarFicherosHistorico(int alumno) {
    // A practice table still on the history would write it back when it closes.
    AbrirHistorico(RutasDatos::kProfesor);
    HistoricoApartado historico(alumno);
    return historico.Apartar() && historico.Borrar();
}

// ------------------------------------------------ students

bool TdmCDS::GuardarAlumno(int codigoGrupo) {
    const bool alumnoEditado = !EnConsulta(cdsAlumno);
    const bool miembroEditado = !EnConsulta(cdsGrupoAlumno);
    if (!alumnoEditado && !miembroEditado) return false;
    return CambiarClases({cdsAlumno, cdsGrupoAlumno, cdsGrupo}, [&] {
        const QVariant alumno = cdsAFCodAlumno->Value();
        if (alumnoEditado && !cdsAlumno->Post()) Rechazado("student not posted");
        if (miembroEditado) {
            if (!cdsGrupoAlumno->Post()) Rechazado("membership not posted");
        } else {
            cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), alumno);
        }
        cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), cdsGrpAlFPtrAlumno->Value());
        AnadirGrupoAlumno(QString::number(codigoGrupo));
    });
}

bool TdmCDS::QuitarAlumnoGrupo() {
    for (TClientDataSet* tabla : {cdsAlumno, cdsGrupoAlumno})
        if (!EnConsulta(tabla)) tabla->Cancel();
    if (cdsGrupoAlumno->IsEmpty()) return false;
    const int alumno = cdsGrpAlFPtrAlumno->AsInteger();
    // Nothing may write the history back once it is gone: the practice tables leave it.
    AbrirHistorico(RutasDatos::kProfesor);
    HistoricoApartado historico(alumno);
    if (!historico.Apartar()) return false;
    const bool hecho = CambiarClases({cdsSubgrupo, cdsGrupoAlumno, cdsAlumno, cdsGrupo}, [&] {
        {
            EstadoCursor subgrupos(cdsSubgrupo, true);
            AplicarFiltro(cdsSubgrupo, QStringLiteral("cdsSubFPtrAlumno = ") + QString::number(alumno));
            cdsSubgrupo->SetReadOnly(false);
            // A subgroup whose only member he is goes with him.
            while (!cdsSubgrupo->IsEmpty()) {
                cdsSubgrupo->First();
                if (!cdsSubgrupo->Delete()) Rechazado("subgroup row not deleted");
            }
        }
        if (!cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), alumno) ||
            !cdsGrupoAlumno->Delete())
            Rechazado("membership not deleted");
        if (cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), alumno) &&
            cdsAFGrupos->AsString().isEmpty() && !cdsAlumno->Delete())
            Rechazado("student not deleted");
    });
    if (!hecho) {
        historico.Devolver();
        return false;
    }
    historico.Borrar();
    return true;
}

// ------------------------------------------------ subgroups

void TdmCDS::MostrarSoloSubgrupo() {
    const QVariant codigo = cdsSubFCodSubgrupo->Value();
    AplicarFiltro(cdsSubgrupo, QStringLiteral("cdsSubFCodSubgrupo = ") + codigo.toString());
    cdsSubgrupo->Locate(QStringLiteral("cdsSubFCodSubgrupo"), codigo);
}

bool TdmCDS::GuardarSubgrupo() {
    if (EnConsulta(cdsSubgrupo)) return false;
    return CambiarClases({cdsSubgrupo, cdsGrupoAlumno}, [this] {
        if (!cdsSubgrupo->Post()) Rechazado("subgroup row not posted");
        MostrarSoloSubgrupo();
    });
}

bool TdmCDS::AnadirAlumnoSubgrupo(int codigoAlumno) {
    return CambiarClases({cdsSubgrupo, cdsGrupoAlumno}, [&] {
        const QVariantList comunes{cdsSubFCodSubgrupo->Value(), cdsSubFNombre->Value(),
                                   cdsSubFPtrGrupo->Value(),    cdsSubFAsignatura->Value(),
                                   cdsSubFPassword->Value(),    cdsSubFObservacion->Value()};
        if (EnInsercion(cdsSubgrupo)) {
            // The new subgroup is posted with its first student.
        } else if (cdsSubFPtrAlumno->IsNull()) {
            cdsSubgrupo->Edit();
        } else {
            // Another row of the same subgroup: no new code or password.
            const TDataSetNotifyEvent alInsertar = std::exchange(cdsSubgrupo->AfterInsert, nullptr);
            const bool insertado = cdsSubgrupo->Append();
            cdsSubgrupo->AfterInsert = alInsertar;
            if (!insertado) Rechazado("subgroup row not inserted");
        }
        TField* campos[] = {cdsSubFCodSubgrupo, cdsSubFNombre,   cdsSubFPtrGrupo,
                            cdsSubFAsignatura,  cdsSubFPassword, cdsSubFObservacion};
        for (int i = 0; i < int(std::size(campos)); ++i) campos[i]->SetValue(comunes.at(i));
        cdsSubFPtrAlumno->SetAsInteger(codigoAlumno);
        if (!cdsSubgrupo->Post()) Rechazado("subgroup row not posted");
        MostrarSoloSubgrupo();
    });
}

bool TdmCDS::QuitarAlumnoSubgrupo(int codigoAlumno) {
    if (!EnConsulta(cdsSubgrupo)) cdsSubgrupo->Cancel();
    if (!cdsSubgrupo->Locate(QStringLiteral("cdsSubFPtrAlumno"), codigoAlumno)) return false;
    return CambiarClases({cdsSubgrupo, cdsGrupoAlumno}, [this] {
        if (cdsSubgrupo->RecordCount() >= 2) {
            if (!cdsSubgrupo->Delete()) Rechazado("subgroup row not deleted");
            return;
        }
        // The subgroup stays, without a student; he loses it from his list while the row
        // still says who he is.
        QuitarSubgrupoAlumno(cdsSubFCodSubgrupo->AsString());
        cdsSubgrupo->Edit();
        cdsSubFPtrAlumno->Clear();
        if (!cdsSubgrupo->Post()) Rechazado("subgroup row not posted");
    });
}

bool TdmCDS::EliminarSubgrupo() {
    if (!EnConsulta(cdsSubgrupo)) cdsSubgrupo->Cancel();
    if (cdsSubgrupo->IsEmpty()) return false;
    return CambiarClases({cdsSubgrupo, cdsGrupoAlumno}, [this] {
        while (!cdsSubgrupo->IsEmpty()) {
            cdsSubgrupo->First();
            if (!cdsSubgrupo->Delete()) Rechazado("subgroup row not deleted");
        }
    });
}

// ------------------------------------------------ histories

namespace {

// The history of a user on the practice tables, created when there is none yet; false
// (reported) when it cannot be read or created.
bool AbrirOCrearHistorico(TdmCDS& dm, const QString& usuario) {
    try {
        if (usuario == RutasDatos::kProfesor || dm.ExisteHistorico(usuario)) {
            if (dm.AbrirHistoricoUsuario(usuario)) return true;
            dm.AbrirHistorico(RutasDatos::kProfesor);
            return false;
        }
        dm.CrearHistorico(usuario);
        return true;
    } catch (const std::exception& e) {
        MostrarMensaje(ErroresTablas::TextoError(e), BotonesAceptar, DibujoError);
        dm.AbrirHistorico(RutasDatos::kProfesor);
        return false;
    }
}

}  // namespace

bool TdmCDS::PrepararHistoricoAlumno() {
    if (!AbrirOCrearHistorico(*this, FormatoCodigo(cdsGrpAlFPtrAlumno->AsInteger()))) return false;
    AplicarFiltro(cdsReparacion, QStringLiteral("cdsRepFPtrGrupo = %1 and cdsRepFPtrSubgrupo = -1")
                                     .arg(cdsGrpAlFPtrGrupo->AsInteger()));
    return true;
}

bool TdmCDS::PrepararHistoricoSubgrupo() {
    // A subgroup without students has no history of its own: the empty templates show it.
    const QString usuario =
        cdsSubFPtrAlumno->IsNull() ? RutasDatos::kProfesor : FormatoCodigo(cdsSubFPtrAlumno->AsInteger());
    if (!AbrirOCrearHistorico(*this, usuario)) return false;
    AplicarFiltro(cdsReparacion, QStringLiteral("cdsRepFPtrSubgrupo = ") + cdsSubFCodSubgrupo->AsString());
    return true;
}
