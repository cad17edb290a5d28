#include "DMT_UtilHistorico.h"

#include "Configuracion.h"
#include "ControlesDatos.h"
#include "dmCDS.h"

namespace DMT_UtilHistorico {

QStringList ColumnasReparaciones(int nivelVista, bool profesorEnPuesto) {
    QStringList campos;
    if (!profesorEnPuesto) campos << QStringLiteral("CalcCVirtual");
    if (nivelVista != NivelAlumno && nivelVista != NivelSubgrupo) campos << QStringLiteral("CalcAvReal");
    campos << QStringLiteral("cdsRepFInicio") << QStringLiteral("cdsRepFFin")
           << QStringLiteral("cdsRepFDuracion") << QStringLiteral("cdsRepFResp")
           << QStringLiteral("cdsRepFCorrecta") << QStringLiteral("cdsRepFTutorizada");
    return campos;
}

QStringList ColumnasLineas(int nivelReparacion) {
    QStringList campos{QStringLiteral("cdsLRepFAccion"), QStringLiteral("cdsLRepFInicio"),
                       QStringLiteral("cdsLRepFFin")};
    if (nivelReparacion > 2) campos << QStringLiteral("CalcBloque");
    if (nivelReparacion > 1) campos << QStringLiteral("CalcCircuito");
    campos << QStringLiteral("CalcComponente");
    return campos;
}

void VerListaGeneral(TdmCDS& dm, TDBGrid* grid, TDBLookupComboBox* averias, int nivel,
                     bool profesorEnPuesto) {
    NivelVista = nivel;
    grid->SetDataSource(dm.dsReparacion, ColumnasReparaciones(nivel, profesorEnPuesto));
    averias->SetKeyValue(QVariant());
}

void VerLineasAveria(TdmCDS& dm, TDBGrid* grid) {
    grid->SetDataSource(dm.dsLineaReparacion, ColumnasLineas(LeerNivelReparacion()));
}

}  // namespace DMT_UtilHistorico
