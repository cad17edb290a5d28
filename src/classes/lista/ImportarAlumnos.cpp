#include "ImportarAlumnos.h"

#include <QDir>

#include <array>
#include <exception>
#include <functional>
#include <utility>

#include "ErroresTablas.h"
#include "EstadoCursor.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "dmCDS.h"

namespace {

// "Save or undo first the changes of the student being edited".
constexpr int kTextoEdicionPendiente = 72033;
// "No student of the list has been added".
constexpr int kTextoNadaAnadido = 72034;
// "The students already saved could not be taken out of %1 ...".
constexpr int kTextoSinDeshacer = 72035;

// While many rows go in, the handlers that save every row, give codes one by one and keep
// the class tree waiting are set aside, and the data-aware controls wait: the rows are
// saved together at the end.
class Lote {
public:
    explicit Lote(std::initializer_list<TClientDataSet*> tablas) {
        for (TClientDataSet* tabla : tablas) {
            Apartados apartados{tabla, {}};
            for (std::size_t i = 0; i < kEventos.size(); ++i)
                apartados.manejadores[i] = std::exchange(tabla->*kEventos[i], nullptr);
            tabla->DisableControls();
            apartados_.push_back(std::move(apartados));
        }
    }
    ~Lote() {
        for (Apartados& a : apartados_) {
            for (std::size_t i = 0; i < kEventos.size(); ++i)
                a.tabla->*kEventos[i] = std::move(a.manejadores[i]);
            a.tabla->EnableControls();
        }
    }
    Lote(const Lote&) = delete;
    Lote& operator=(const Lote&) = delete;

private:
    static constexpr std::array<TDataSetNotifyEvent TClientDataSet::*, 6> kEventos = {
        &TClientDataSet::BeforeInsert, &TClientDataSet::AfterInsert,  &TClientDataSet::AfterPost,
        &TClientDataSet::BeforeCancel, &TClientDataSet::BeforeDelete, &TClientDataSet::AfterDelete};
    struct Apartados {
        TClientDataSet* tabla;
        std::array<TDataSetNotifyEvent, kEventos.size()> manejadores;
    };
    std::vector<Apartados> apartados_;
};

// A table error reaches the user in the words of the language file.
void Avisar(const std::exception& error) {
    MostrarMensaje(ErroresTablas::TextoError(error), BotonesAceptar, DibujoError);
}

// One class list going into the current group: the students, then their memberships.
class Importacion {
public:
    explicit Importacion(TdmCDS& dm)
        : dm_(dm), grupo_(dm.cdsGrpFCodGrupo->AsInteger()), lote_({dm.cdsAlumno, dm.cdsGrupoAlumno}) {}

    // The students with their codes and passwords, written to their file; the file may
    // give some of them another code (another PC took theirs meanwhile).
    bool Alumnos(const std::vector<NombreAlumno>& alumnos, const std::function<void()>& codigosTomados) {
        return Escribir(dm_.cdsAlumno, alumnos_, [&] {
            const std::vector<int> codigos =
                dm_.SiguientesCodigos(dm_.cdsAlumno, static_cast<int>(alumnos.size()));
            if (codigosTomados) codigosTomados();
            for (std::size_t i = 0; i < alumnos.size(); ++i) {
                dm_.cdsAlumno->Append();
                dm_.cdsAFCodAlumno->SetAsInteger(codigos[i]);
                dm_.cdsAFNombre->SetAsString(alumnos[i].nombre);
                dm_.cdsAFApellido1->SetAsString(alumnos[i].apellido1);
                dm_.cdsAFApellido2->SetAsString(alumnos[i].apellido2);
                dm_.cdsAFPassword->SetAsString(TdmCDS::PasswordInicialAlumno(codigos[i]));
                dm_.cdsAFGrupos->SetAsString(QString::number(grupo_) + QLatin1Char('#'));
                dm_.cdsAlumno->Post();
                alumnos_.push_back(dm_.cdsAlumno->GetBookmark());
            }
        });
    }

    // One membership row per student, with the code the student's file gave it; when they
    // cannot be written the students go too.
    bool Miembros() {
        const bool escritos = Escribir(dm_.cdsGrupoAlumno, miembros_, [&] {
            // An empty membership table opens read-only.
            dm_.cdsGrupoAlumno->SetReadOnly(false);
            anadidos_ = LeerAnadidos();
            for (const AlumnoAnadido& a : anadidos_) {
                dm_.cdsGrupoAlumno->Append();
                dm_.cdsGrpAlFPtrGrupo->SetAsInteger(grupo_);
                dm_.cdsGrpAlFPtrAlumno->SetAsInteger(a.codigo);
                dm_.cdsGrupoAlumno->Post();
                miembros_.push_back(dm_.cdsGrupoAlumno->GetBookmark());
            }
        });
        if (!escritos) Quitar(dm_.cdsAlumno, alumnos_, true);
        return escritos;
    }

    const std::vector<AlumnoAnadido>& Anadidos() const { return anadidos_; }

private:
    // The students as they were written: code and password.
    std::vector<AlumnoAnadido> LeerAnadidos() const {
        std::vector<AlumnoAnadido> anadidos;
        for (const TBookmark& fila : alumnos_) {
            if (!dm_.cdsAlumno->GotoBookmark(fila))
                throw EDatabaseError(QStringLiteral("cdsAlumno: row gone"));
            anadidos.push_back({dm_.cdsAFCodAlumno->AsInteger(),
                                {dm_.cdsAFNombre->AsString(), dm_.cdsAFApellido1->AsString(),
                                 dm_.cdsAFApellido2->AsString()},
                                dm_.cdsAFPassword->AsString()});
        }
        return anadidos;
    }

    // Adds rows to a table in memory (`anadir` keeps each in `filas`) and writes it; when
    // that fails the rows are taken out again and the failure is told.
    bool Escribir(TClientDataSet* tabla, std::vector<TBookmark>& filas, const std::function<void()>& anadir) {
        try {
            anadir();
            if (Guardar(tabla)) return true;
        } catch (const std::exception& error) {
            Cancelar(tabla);
            Avisar(error);
        }
        Quitar(tabla, filas, false);
        return false;
    }

    bool Guardar(TClientDataSet* tabla) {
        try {
            return dm_.SalvarTabla(tabla);
        } catch (const std::exception& error) {
            Avisar(error);
            return false;
        }
    }

    static void Cancelar(TClientDataSet* tabla) {
        if (TdmCDS::EnInsercion(tabla) || TdmCDS::EnEdicion(tabla)) tabla->Cancel();
    }

    // Takes the rows added back out; a table already written is written again without them.
    void Quitar(TClientDataSet* tabla, std::vector<TBookmark>& filas, bool escrita) {
        try {
            for (const TBookmark& fila : filas)
                if (tabla->GotoBookmark(fila)) tabla->Delete();
            filas.clear();
            if (escrita && !dm_.SalvarTabla(tabla))
                MostrarMensaje(Texto(kTextoSinDeshacer).arg(QDir::toNativeSeparators(tabla->FileName())),
                               BotonesAceptar, DibujoError);
        } catch (const std::exception& error) {
            Avisar(error);
            MostrarMensaje(Texto(kTextoSinDeshacer).arg(QDir::toNativeSeparators(tabla->FileName())),
                           BotonesAceptar, DibujoError);
        }
    }

    TdmCDS& dm_;
    int grupo_;
    Lote lote_;
    std::vector<TBookmark> alumnos_;
    std::vector<TBookmark> miembros_;
    std::vector<AlumnoAnadido> anadidos_;
};

}  // namespace

std::vector<NombreAlumno> MiembrosGrupoActual(TdmCDS& dm) {
    std::vector<NombreAlumno> miembros;
    if (!dm.cdsGrupoAlumno->Active() || !dm.cdsAlumno->Active()) return miembros;
    // Other PCs may have added members since these tables were read.
    dm.RefrescarTabla(dm.cdsAlumno);
    dm.RefrescarTabla(dm.cdsGrupoAlumno);
    const int grupo = dm.cdsGrpFCodGrupo->AsInteger();
    TClientDataSet filas;
    filas.CloneCursor(dm.cdsGrupoAlumno, true);
    TField* ptrGrupo = filas.FieldByName(QStringLiteral("cdsGrpAlFPtrGrupo"));
    TField* ptrAlumno = filas.FieldByName(QStringLiteral("cdsGrpAlFPtrAlumno"));
    for (filas.First(); !filas.Eof(); filas.Next()) {
        if (ptrGrupo->AsInteger() != grupo) continue;
        const QVariantList nombre = dm.cdsAlumno
                                        ->Lookup(QStringLiteral("cdsAFCodAlumno"), ptrAlumno->Value(),
                                                 QStringLiteral("cdsAFNombre;cdsAFApellido1;cdsAFApellido2"))
                                        .toList();
        if (nombre.size() == 3)
            miembros.push_back({nombre[0].toString(), nombre[1].toString(), nombre[2].toString()});
    }
    return miembros;
}

bool PuedeImportar(TdmCDS& dm) {
    const std::array<TClientDataSet*, 2> tablas = {dm.cdsAlumno, dm.cdsGrupoAlumno};
    for (TClientDataSet* tabla : tablas) {
        if (TdmCDS::EnInsercion(tabla) ||
            (TdmCDS::EnEdicion(tabla) && (dm.Modificado || tabla->Modified()))) {
            MostrarMensaje(Texto(kTextoEdicionPendiente), BotonesAceptar, DibujoAviso);
            return false;
        }
    }
    for (TClientDataSet* tabla : tablas)
        if (TdmCDS::EnEdicion(tabla)) tabla->Cancel();
    return true;
}

ResultadoImportacion ImportarAlumnos(TdmCDS& dm, const std::vector<NombreAlumno>& alumnos,
                                     const std::function<void()>& codigosTomados) {
    ResultadoImportacion resultado;
    if (alumnos.empty() || !PuedeImportar(dm)) return resultado;
    {
        EstadoCursor posicionAlumnos(dm.cdsAlumno, false);
        EstadoCursor posicionMiembros(dm.cdsGrupoAlumno, false);
        Importacion importacion(dm);
        if (importacion.Alumnos(alumnos, codigosTomados) && importacion.Miembros()) {
            resultado.correcto = true;
            resultado.anadidos = importacion.Anadidos();
        }
    }
    if (resultado.correcto) {
        // The count includes members another PC saved meanwhile, and goes on its group's row
        // as that PC left it.
        dm.RefrescarTabla(dm.cdsGrupoAlumno);
        dm.RefrescarTabla(dm.cdsGrupo);
        dm.ActualizarNumAlumnos();
    } else {
        MostrarMensaje(Texto(kTextoNadaAnadido), BotonesAceptar, DibujoError);
    }
    dm.Modificado = false;
    return resultado;
}
