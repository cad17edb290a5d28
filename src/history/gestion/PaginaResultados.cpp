#include "PaginaResultados.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Cadenas.h"
#include "DMT_GestAlumnado.h"
#include "DMT_Resultados.h"
#include "Idioma.h"
#include "InformeDirecto.h"
#include "Mensajes.h"
#include "dmCDS.h"

namespace {

constexpr int kTextoSinHistorico = 127;
constexpr int kTextoTitulo = 71032;

QString Igual(const char* campo, int valor) {
    return QLatin1String(campo) + QStringLiteral(" = ") + QString::number(valor);
}

}  // namespace

TFDMT_PaginaResultados::TFDMT_PaginaResultados(TFDMT_GestAlumnado* gestion, TdmCDS& dm, QWidget* parent)
    : TPaginaGestion(gestion, "FDMT_PaginaResultados", kTag, parent),
      dm_(dm),
      LabelTitulo(Titulo("LabelTitulo", Texto(kTextoTitulo).toUpper())),
      ShapeLinea(Linea("ShapeLinea")),
      LabelNombreGrupo(new QLabel(this)),
      resultados_(new TFDMT_Resultados(this)) {
    // The frame of every class management page, without save and undo: nothing is edited here.
    LabelNombreGrupo->setObjectName(QStringLiteral("LabelNombreGrupo"));
    QFont negrita = LabelNombreGrupo->font();
    negrita.setBold(true);
    LabelNombreGrupo->setFont(negrita);
    resultados_->SinTitulo();
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(24, 18, 24, 18);
    capa->addWidget(LabelTitulo);
    capa->addWidget(ShapeLinea);
    capa->addSpacing(6);
    capa->addWidget(LabelNombreGrupo);
    capa->addSpacing(6);
    // On a small screen the plots keep a size that can be read, and the page scrolls.
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("ScrollBoxResultados"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(resultados_);
    capa->addWidget(area, 1);
    connect(resultados_, &TFDMT_Resultados::AlumnoElegido, this,
            [this](int codigo, bool subgrupo) { VerHistorico(codigo, subgrupo); });
    connect(resultados_, &TFDMT_Resultados::AveriaElegida, this,
            [this](int equipo, int averia) { VerAveria(equipo, averia); });
}

void TFDMT_PaginaResultados::FormShow() {
    PintarTituloYLinea(LabelTitulo, ShapeLinea);
    LabelNombreGrupo->setText(dm_.cdsGrpFNombre->AsString());
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

void TFDMT_PaginaResultados::VerAveria(int equipo, int averia) {
    // The fault's number is that of the group's seed in the mode the group is in.
    MostrarInformeDirecto(dm_, TipoInforme::AveriaAlumnos, equipo, QStringLiteral("Informes\\Informe5AL.frf"),
                          this, {averia, dm_.cdsGrpFTutorizada->AsBoolean()});
}

bool PrepararHistoricoResultados(TdmCDS& dm, int codigo, bool subgrupo) {
    TdmCDS::QuitarFiltro(dm.cdsSubgrupo);
    if (subgrupo) {
        // A subgroup's history is kept in the file of the member its row names.
        TdmCDS::AplicarFiltro(dm.cdsSubgrupo, Igual("cdsSubFCodSubgrupo", codigo));
        if (dm.cdsSubgrupo->IsEmpty() || !dm.ExisteHistorico(FormatoCodigo(dm.cdsSubFPtrAlumno->AsInteger())))
            return false;
        return dm.PrepararHistoricoSubgrupo();
    }
    if (!dm.cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), codigo)) return false;
    TdmCDS::AplicarFiltro(dm.cdsSubgrupo, Igual("cdsSubFPtrAlumno", codigo));
    dm.cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), codigo);
    // A results row never makes an empty history: only an existing one is opened.
    return dm.ExisteHistorico(FormatoCodigo(codigo)) && dm.PrepararHistoricoAlumno();
}
