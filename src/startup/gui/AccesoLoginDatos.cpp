#include "AccesoLoginDatos.h"

#include "DMT_AVDatosPersonales.h"
#include "FichaPersonalDatos.h"
#include "dmCDS.h"

AccesoLogin AccesoLoginDatos(TdmCDS& datos) {
    AccesoLogin acceso;
    acceso.grupos = [&datos] {
        QList<AccesoLogin::Grupo> grupos;
        TClientDataSet* g = datos.cdsGrupo;
        if (!g->Active()) return grupos;
        // Groups another PC created or renamed since the list was last read.
        datos.RefrescarTabla(g);
        for (int fila = 1; fila <= g->RecordCount(); ++fila)
            grupos.append({g->ValueAt(fila, datos.cdsGrpFCodGrupo).toInt(),
                           g->DisplayTextAt(fila, datos.cdsGrpFNombre)});
        return grupos;
    };
    acceso.elegirGrupo = [&datos](int codigo) { datos.LocalizarGrupo(codigo); };
    acceso.comprobarPassword = [&datos](int grupo, const QString& password) {
        const TdmCDS::ResultadoPassword r = datos.ComprobarPassword(grupo, password);
        return AccesoLogin::Resultado{r.aceptado, r.tipo};
    };
    acceso.cerrarTablas = [&datos] { datos.CerrarTablas(); };
    acceso.confirmarDatosPersonales = [&datos](int tipo) {
        FichaPersonalDatos ficha(datos, tipo);
        TFDMT_AVDatosPersonales dialogo(tipo, ficha, VentanaLogin());
        return dialogo.exec() == QDialog::Accepted;
    };
    return acceso;
}
