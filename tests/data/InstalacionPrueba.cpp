#include "InstalacionPrueba.h"

#include <QDir>

const char* const kTablasBDs[6] = {"cdsEquipo", "cdsCodigos",    "cdsAlumno",
                                   "cdsGrupo",  "cdsReparacion", "cdsLineaReparacion"};
const char* const kTablasEquipo[6] = {"cdsSintomas", "cdsAveria",     "cdsBloque",
                                      "cdsCircuito", "cdsComponente", "cdsElemento"};
const char* const kTablasGrupo[3] = {"cdsGrupoAlumno", "cdsSubgrupo", "cdsSemilla"};

void EscribirInstalacion(const QString& raiz, const QString& carpetaGrupo) {
    TdmCDS origen;
    origen.CrearTablasVacias();
    AnadirFila(origen.cdsEquipo, {{"cdsEFCodEquipo", 1}, {"cdsEFDescripcion", "Motor"}});
    AnadirFila(origen.cdsAveria, {{"cdsAvFIdAveria", 30}, {"cdsAvFCodAveria", 4}, {"cdsAvFPtrEquipo", 1}});
    origen.cdsGrupo->SetReadOnly(false);
    AnadirFila(origen.cdsGrupo,
               {{"cdsGrpFCodGrupo", 1}, {"cdsGrpFNombre", "1A"}, {"cdsGrpFDirectorio", carpetaGrupo}});
    AnadirFila(origen.cdsAlumno, {{"cdsAFCodAlumno", 7}, {"cdsAFNombre", "Ana"}, {"cdsAFGrupos", "1#"}});
    AnadirFila(origen.cdsGrupoAlumno, {{"cdsGrpAlFPtrGrupo", 1}, {"cdsGrpAlFPtrAlumno", 7}});
    const auto guardar = [&origen](const char* const* tablas, std::size_t n, const QString& carpeta) {
        QDir().mkpath(carpeta);
        for (std::size_t i = 0; i < n; ++i) origen.Tabla(tablas[i])->SaveToFile(carpeta + tablas[i] + ".cds");
    };
    guardar(kTablasBDs, std::size(kTablasBDs), raiz + "/BDs/");
    guardar(kTablasEquipo, std::size(kTablasEquipo), raiz + "/BDs/EQ001/");
    guardar(kTablasGrupo, std::size(kTablasGrupo), raiz + "/BDs/GRP 001/");
}
