#include "PaginaResultados.h"

#include <QVBoxLayout>

#include "Cadenas.h"
#include "DMT_GestAlumnado.h"
#include "DMT_Resultados.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "dmCDS.h"

namespace {

constexpr int kTextoSinHistorico = 127;

QString Igual(const char* campo, int valor) {
    return QLatin1String(campo) + QStringLiteral(" = ") + QString::number(valor);
}

}  // namespace

TFDMT_PaginaResultados::TFDMT_PaginaResultados(TFDMT_GestAlumnado* gestion, TdmCDS& dm, QWidget* parent)
    : TPaginaGestion(gestion, "FDMT_PaginaResultados", kTag, parent),
      dm_(dm),
      resultados_(new TFDMT_Resultados(this)) {
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(resultados_);
    connect(resultados_, &TFDMT_Resultados::AlumnoElegido, this,
            [this](int codigo, bool subgrupo) { VerHistorico(codigo, subgrupo); });
}

void TFDMT_PaginaResultados::FormShow() {
    resultados_->MostrarGrupo(dm_.cdsGrpFCodGrupo->AsInteger());
}

void TFDMT_PaginaResultados::VerHistorico(int codigo, bool subgrupo) {
    // Until the history browser is there, a row opens nothing.
    if (!TFDMT_GestAlumnado::VerHistorico) return;
    if (!PrepararHistoricoResultados(dm_, codigo, subgrupo)) {
        MostrarMensaje(Texto(kTextoSinHistorico));
        return;
    }
    TFDMT_GestAlumnado::VerHistorico(Gestion(),
                                     subgrupo ? QStringLiteral("Subgrupo") : QStringLiteral("Alumno"));
}

bool PrepararHistoricoResultados(TdmCDS& dm, int codigo, bool subgrupo) {
    int usuario = codigo;
    TdmCDS::QuitarFiltro(dm.cdsSubgrupo);
    if (subgrupo) {
        // A subgroup's history is kept in the file of the member its row names.
        TdmCDS::AplicarFiltro(dm.cdsSubgrupo, Igual("cdsSubFCodSubgrupo", codigo));
        if (dm.cdsSubgrupo->IsEmpty()) return false;
        usuario = dm.cdsSubFPtrAlumno->AsInteger();
    } else {
        if (!dm.cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), codigo)) return false;
        TdmCDS::AplicarFiltro(dm.cdsSubgrupo, Igual("cdsSubFPtrAlumno", codigo));
        dm.cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), codigo);
    }
    if (!dm.ExisteHistorico(FormatoCodigo(usuario))) return false;
    dm.AbrirHistorico(FormatoCodigo(usuario));
    TdmCDS::AplicarFiltro(dm.cdsReparacion, subgrupo
                                                ? Igual("cdsRepFPtrSubgrupo", codigo)
                                                : Igual("cdsRepFPtrGrupo", dm.cdsGrpFCodGrupo->AsInteger()) +
                                                      QStringLiteral(" and cdsRepFPtrSubgrupo = -1"));
    return true;
}
