#include "dmCDS.h"

#include "Diario.h"

TdmCDS* dmCDS = nullptr;

TdmCDS::TdmCDS(QObject* parent) : QObject(parent) {
    CrearComponentes();
    DefinirEstructuras();
    EnlazarCampos();
    AsignarCalculos();
    AsignarManejadoresAlmacen();
    if (!dmCDS) {
        dmCDS = this;
        // What the table files meet unseen (another PC's change overwritten, a file put back
        // from a backup) goes to the installation's log.
        tablas::FijarDiario(AnotarEnInstalacion);
    }
}

namespace {

void QuitarManejadores(TClientDataSet* tabla) {
    for (TDataSetNotifyEvent* evento :
         {&tabla->BeforeOpen, &tabla->AfterOpen, &tabla->BeforeClose, &tabla->AfterClose,
          &tabla->BeforeInsert, &tabla->AfterInsert, &tabla->BeforeEdit, &tabla->AfterEdit,
          &tabla->BeforePost, &tabla->AfterPost, &tabla->BeforeCancel, &tabla->AfterCancel,
          &tabla->BeforeDelete, &tabla->AfterDelete, &tabla->BeforeScroll, &tabla->AfterScroll,
          &tabla->OnCalcFields, &tabla->OnNewRecord})
        *evento = nullptr;
    tabla->OnPostError = nullptr;
    tabla->OnDeleteError = nullptr;
}

}  // namespace

TdmCDS::~TdmCDS() {
    // Pending changes are written while every table the handlers reach is still there.
    try {
        CerrarTablas();
    } catch (const std::exception&) {
        // Leaving: what could not be written is lost either way.
    }
    // Detail links, lookups and data sources point across tables: undo them before any
    // of them goes, so that none is reached after it was destroyed.
    for (TClientDataSet* tabla : tablas_) {
        QuitarManejadores(tabla);
        tabla->SetMasterSource(nullptr);
    }
    for (TClientDataSet* tabla : tablas_) {
        try {
            tabla->Close();
        } catch (const std::exception&) {
        }
    }
    for (const auto& fuente : fuentes_) fuente->SetDataSet(nullptr);
    if (dmCDS == this) {
        dmCDS = nullptr;
        tablas::FijarDiario(nullptr);
    }
}

void TdmCDS::CrearComponentes() {
#define AVERIAS_CREAR_TABLA(nombre)                                                \
    propias_.push_back(std::make_unique<TClientDataSet>(QStringLiteral(#nombre))); \
    nombre = propias_.back().get();                                                \
    tablas_.push_back(nombre);
    AVERIAS_TABLAS_DMCDS(AVERIAS_CREAR_TABLA)
#undef AVERIAS_CREAR_TABLA

#define AVERIAS_CREAR_FUENTE(fuente, tabla)                   \
    fuentes_.push_back(std::make_unique<TDataSource>(tabla)); \
    fuente = fuentes_.back().get();                           \
    fuente->Name = QStringLiteral(#fuente);
    AVERIAS_FUENTES_DMCDS(AVERIAS_CREAR_FUENTE)
#undef AVERIAS_CREAR_FUENTE
}

void TdmCDS::EnlazarCampos() {
#define AVERIAS_ENLAZAR_CAMPO(tabla, miembro, campo) miembro = tabla->FieldByName(QStringLiteral(#campo));
    AVERIAS_CAMPOS_DMCDS(AVERIAS_ENLAZAR_CAMPO)
#undef AVERIAS_ENLAZAR_CAMPO
}

TClientDataSet* TdmCDS::Tabla(const QString& nombre) const {
    for (TClientDataSet* tabla : tablas_)
        if (tabla->Name == nombre) return tabla;
    return nullptr;
}

TDataSource* TdmCDS::Fuente(const QString& nombre) const {
    for (const auto& fuente : fuentes_)
        if (fuente->Name == nombre) return fuente.get();
    return nullptr;
}
