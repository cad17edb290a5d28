#include "IntercambioGestion.h"

#include <QFileDialog>
#include <QTreeWidget>

#include "DMT_GestAlumnado.h"
#include "Idioma.h"
#include "Intercambio.h"
#include "Mensajes.h"
#include "TextosIntercambio.h"
#include "dmCDS.h"

std::function<QString(QWidget*, const QString&)> ElegirCarpetaIntercambio = ElegirCarpetaConDialogo;

QString ElegirCarpetaConDialogo(QWidget* padre, const QString& titulo) {
    QFileDialog dialogo(padre, titulo);
    dialogo.setObjectName(QStringLiteral("RZSelecCarpeta"));
    dialogo.setFileMode(QFileDialog::Directory);
    dialogo.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return {};
    return dialogo.selectedFiles().first();
}

namespace {

// The status window while the long part runs: after any question has been answered.
class EstadoEspera {
public:
    ~EstadoEspera() {
        if (visible_) OcultarEstado();
    }
    void Mostrar() {
        if (visible_) return;
        MostrarEstado(Texto(229));
        visible_ = true;
    }

private:
    bool visible_ = false;
};

}  // namespace

void ExportarGrupoGestion(TFDMT_GestAlumnado* ventana) {
    TdmCDS& dm = *dmCDS;
    const std::optional<int> codigo =
        TFDMT_GestAlumnado::CodigoNodo(TFDMT_GestAlumnado::NodoGrupo(ventana->TreeViewGrupos()->currentItem()));
    if (!codigo || !ventana->ConfirmarCambios()) return;
    if (dm.cdsGrpFCodGrupo->AsInteger() != *codigo) dm.LocalizarGrupo(*codigo);
    const QString destino = ElegirCarpetaIntercambio(ventana, Texto(kTextoTituloCarpeta));
    if (destino.isEmpty()) return;
    ventana->BloquearPanel();
    ResultadoIntercambio r;
    {
        EstadoEspera espera;
        espera.Mostrar();
        r = ExportarGrupo(dm, destino);
    }
    ventana->DesbloquearPanel();
    MostrarMensaje(r.mensaje, BotonesAceptar, r.correcto ? 0 : 2);
}

void ImportarGrupoGestion(TFDMT_GestAlumnado* ventana) {
    TdmCDS& dm = *dmCDS;
    if (!ventana->ConfirmarCambios()) return;
    const QString origen = ElegirCarpetaIntercambio(ventana, Texto(kTextoTituloCarpeta));
    if (origen.isEmpty()) return;
    if (!EsCarpetaIntercambio(origen)) {
        MostrarMensaje(Texto(kTextoFaltanArchivos));
        return;
    }
    ventana->BloquearPanel();
    ResultadoIntercambio r;
    {
        EstadoEspera espera;
        r = ImportarGrupo(dm, origen, Reemplazo::Preguntar, [&espera](const Avance& avance) {
            if (avance.etapa != Avance::Leyendo) espera.Mostrar();
        });
    }
    if (!r.correcto) {
        ventana->DesbloquearPanel();
        if (!r.cancelado) MostrarMensaje(r.mensaje, BotonesAceptar, 2);
        return;
    }
    // The replaced group's node goes by its own code; the imported group may have another.
    if (r.grupoReemplazado >= 0) ventana->QuitarNodoGrupo(r.grupoReemplazado);
    if (dm.cdsGrpFCodGrupo->AsInteger() != r.codigoGrupo) dm.LocalizarGrupo(r.codigoGrupo);
    QTreeWidgetItem* nodo = ventana->AnadirNodoGrupo(r.nombre, r.codigoGrupo);
    nodo->setExpanded(true);
    MostrarMensaje(r.mensaje);
    ventana->DesbloquearPanel();
    ventana->SeleccionarNodo(nodo);
}

void InstalarIntercambioGrupos() {
    TFDMT_GestAlumnado::ExportarGrupo = ExportarGrupoGestion;
    TFDMT_GestAlumnado::ImportarGrupo = ImportarGrupoGestion;
}
