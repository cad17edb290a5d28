#include "IntercambioGestion.h"

#include <QApplication>
#include <QFileDialog>
#include <QTreeWidget>
#include <optional>

#include "DMT_GestAlumnado.h"
#include "Idioma.h"
#include "Intercambio.h"
#include "Mensajes.h"
#include "TextosIntercambio.h"
#include "dmCDS.h"

namespace IntercambioGestion {

namespace {

// The window locked and a busy cursor while an exchange works, whatever way it ends.
class VentanaOcupada {
public:
    explicit VentanaOcupada(TFDMT_GestAlumnado& ventana) : ventana_(ventana) { ventana_.BloquearPanel(); }
    ~VentanaOcupada() {
        if (cursor_) QApplication::restoreOverrideCursor();
        ventana_.DesbloquearPanel();
    }
    VentanaOcupada(const VentanaOcupada&) = delete;
    VentanaOcupada& operator=(const VentanaOcupada&) = delete;

    // From here on nothing asks the teacher anything.
    void Trabajando() {
        if (cursor_) return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursor_ = true;
    }

private:
    TFDMT_GestAlumnado& ventana_;
    bool cursor_ = false;
};

QString DialogoCarpeta(QWidget* padre) {
    // The folder last used, for the usual export then import on one removable disk.
    static QString ultima;
    QFileDialog dialogo(padre, Texto(kTextoTituloCarpeta), ultima.isEmpty() ? QDir::homePath() : ultima);
    dialogo.setObjectName(QStringLiteral("RZSelecCarpeta"));
    dialogo.setFileMode(QFileDialog::Directory);
    dialogo.setOption(QFileDialog::ShowDirsOnly);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return {};
    ultima = dialogo.selectedFiles().constFirst();
    return ultima;
}

QString Carpeta(TFDMT_GestAlumnado& ventana) {
    return ElegirCarpeta ? ElegirCarpeta(&ventana) : DialogoCarpeta(&ventana);
}

// The exchange closed and reopened the group's tables: the node in front is shown again
// on them.
void MostrarDeNuevo(TFDMT_GestAlumnado& ventana) {
    if (QTreeWidgetItem* actual = ventana.TreeViewGrupos()->currentItem()) ventana.MostrarNodo(actual);
}

void Terminar(TFDMT_GestAlumnado& ventana, const ResultadoIntercambio& r) {
    MostrarDeNuevo(ventana);
    // A replace the teacher declined is no failure: nothing to tell.
    if (!r.cancelado) MostrarMensaje(r.mensaje, BotonesAceptar, r.correcto ? DibujoExito : DibujoError);
}

}  // namespace

void Exportar(TdmCDS& dm, TFDMT_GestAlumnado& ventana) {
    QTreeWidgetItem* grupo = TFDMT_GestAlumnado::NodoGrupo(ventana.TreeViewGrupos()->currentItem());
    const std::optional<int> codigo = TFDMT_GestAlumnado::CodigoNodo(grupo);
    if (!codigo) return;
    const QString destino = Carpeta(ventana);
    // The exchange copies the group's files: unsaved edits are saved or dropped first.
    if (destino.isEmpty() || !ventana.ConfirmarCambios()) return;
    if (dm.cdsGrpFCodGrupo->AsInteger() != *codigo) dm.LocalizarGrupo(*codigo);
    ResultadoIntercambio r;
    {
        VentanaOcupada ocupada(ventana);
        ocupada.Trabajando();
        r = ExportarGrupo(dm, destino);
    }
    Terminar(ventana, r);
}

void Importar(TdmCDS& dm, TFDMT_GestAlumnado& ventana) {
    const QString origen = Carpeta(ventana);
    if (origen.isEmpty()) return;
    if (!EsCarpetaIntercambio(origen)) {
        MostrarMensaje(Texto(kTextoFaltanArchivos), BotonesAceptar, DibujoAviso);
        return;
    }
    if (!ventana.ConfirmarCambios()) return;
    ResultadoIntercambio r;
    {
        VentanaOcupada ocupada(ventana);
        // Busy only once past the replace question.
        r = ImportarGrupo(dm, origen, Reemplazo::Preguntar, [&ocupada](const Avance& avance) {
            if (avance.etapa != Avance::Leyendo) ocupada.Trabajando();
        });
        if (r.correcto) {
            // The replaced group may have had another code than the imported one now has.
            if (r.grupoReemplazado >= 0) ventana.QuitarNodoGrupo(r.grupoReemplazado);
            QTreeWidgetItem* nuevo = ventana.AnadirNodoGrupo(r.nombre, r.codigoGrupo);
            ventana.SeleccionarNodo(nuevo);
            nuevo->setExpanded(true);
            MostrarMensaje(r.mensaje, BotonesAceptar, DibujoExito);
            return;
        }
    }
    Terminar(ventana, r);
}

}  // namespace IntercambioGestion
