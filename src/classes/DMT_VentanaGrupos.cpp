#include "DMT_VentanaGrupos.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "CarpetasGrupo.h"
#include "ControlesDatos.h"
#include "DMT_GestAlumnado.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

namespace {

constexpr int kTagGrupos = 1;
constexpr int kTextoNoGuardado = 117;

}  // namespace

TFDMT_VentanaGrupos::TFDMT_VentanaGrupos(TFDMT_GestAlumnado* gestion, QWidget* parent)
    : TPaginaGestion(gestion, "FDMT_VentanaGrupos", kTagGrupos, parent) {
    setWindowTitle(QStringLiteral("Generalidades"));
    LabelTitulo = Titulo("LabelTitulo", QStringLiteral("GENERALIDADES"));
    ShapeLinea = Linea("ShapeLinea");
    DBTextNombreGrp = new TDBText(this);
    DBTextNombreGrp->setObjectName(QStringLiteral("DBTextNombreGrp"));
    DBTextNombreGrp->SetDataSource(dmCDS->dsGrupo, QStringLiteral("cdsGrpFNombre"));
    Negrita(DBTextNombreGrp);

    LabelNombre = Etiqueta(this, "LabelNombre", QStringLiteral("Nombre"));
    DBEditNombre = campo("DBEditNombre", QStringLiteral("cdsGrpFNombre"));
    LabelDescripcion = Etiqueta(this, "LabelDescripcion", QStringLiteral("Descripción"));
    DBEditDescripcion = campo("DBEditDescripcion", QStringLiteral("cdsGrpFDescripcion"));
    LabelAsignatura = Etiqueta(this, "LabelAsignatura", QStringLiteral("Asignatura"));
    DBEditAsignatura = campo("DBEditAsignatura", QStringLiteral("cdsGrpFAsignatura"));
    LabelProfesor = Etiqueta(this, "LabelProfesor", QStringLiteral("Profesor responsable"));
    DBEditProfesor = campo("DBEditProfesor", QStringLiteral("cdsGrpFProfesor"));
    LabelNumAlumnos = Etiqueta(this, "LabelNumAlumnos", QStringLiteral("Nº de alumnos"));
    DBEditNumAlumnos = campo("DBEditNumAlumnos", QStringLiteral("cdsGrpFNumAlumnos"));
    DBEditNumAlumnos->setReadOnly(true);
    DBEditNumAlumnos->setMaximumWidth(90);
    LabelDirectorio = Etiqueta(this, "LabelDirectorio", QStringLiteral("Directorio de trabajo"));
    DBEditDirectorio = campo("DBEditDirectorio", QStringLiteral("cdsGrpFDirectorio"));
    // The folder is given when the group is created and never edited.
    DBEditDirectorio->setEnabled(false);
    BitBtnAceptar = Boton("BitBtnAceptar", QStringLiteral("&Guardar cambios"), "Guardar");
    BitBtnCancel = Boton("BitBtnCancel", QStringLiteral("&Deshacer cambios"), "Deshacer");

    auto* campos = new QGridLayout;
    campos->setHorizontalSpacing(14);
    campos->setVerticalSpacing(10);
    int fila = 0;
    for (auto [etiqueta, edicion] : {std::pair<QLabel*, QWidget*>{LabelNombre, DBEditNombre},
                                     {LabelDescripcion, DBEditDescripcion},
                                     {LabelAsignatura, DBEditAsignatura},
                                     {LabelProfesor, DBEditProfesor},
                                     {LabelNumAlumnos, DBEditNumAlumnos},
                                     {LabelDirectorio, DBEditDirectorio}}) {
        campos->addWidget(etiqueta, fila, 0);
        campos->addWidget(edicion, fila, 1, edicion == DBEditNumAlumnos ? Qt::AlignLeft : Qt::Alignment());
        ++fila;
    }
    campos->setColumnStretch(1, 1);
    Disponer(LabelTitulo, ShapeLinea, DBTextNombreGrp, campos, BitBtnAceptar, BitBtnCancel, false);

    connect(BitBtnAceptar, &QPushButton::clicked, this, &TFDMT_VentanaGrupos::BitBtnAceptarClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFDMT_VentanaGrupos::BitBtnCancelClick);
    AspectoVacio();
}

TDBEdit* TFDMT_VentanaGrupos::campo(const char* nombre, const QString& nombreCampo) {
    return CampoDatos(nombre, dmCDS->dsGrupo, nombreCampo, &TFDMT_GestAlumnado::PaginaGrupo);
}

void TFDMT_VentanaGrupos::FormShow() {
    setWindowTitle(TextoCatalogo(26000));
    LabelTitulo->setText(TextoCatalogo(26001));
    LabelNombre->setText(TextoCatalogo(26002));
    LabelDescripcion->setText(TextoCatalogo(26003));
    LabelAsignatura->setText(TextoCatalogo(26004));
    LabelProfesor->setText(TextoCatalogo(26005));
    LabelNumAlumnos->setText(TextoCatalogo(26006));
    LabelDirectorio->setText(TextoCatalogo(26007));
    BitBtnAceptar->setText(TextoCatalogo(26018));
    BitBtnCancel->setText(TextoCatalogo(26019));
    Gestion()->PaginaGrupo = false;
    TClientDataSet* grupos = dmCDS->cdsGrupo;
    if (grupos->Active() && (!grupos->IsEmpty() || TdmCDS::EnInsercion(grupos))) {
        AspectoEditable();
        if (TdmCDS::EnConsulta(grupos)) grupos->Edit();
    } else {
        AspectoVacio();
    }
    Gestion()->PaginaGrupo = true;
    PintarTituloYLinea(LabelTitulo, ShapeLinea);
}

void TFDMT_VentanaGrupos::FormHide() {
    if (Gestion()) Gestion()->PaginaGrupo = false;
}

void TFDMT_VentanaGrupos::AspectoEditable() {
    for (QWidget* w : {static_cast<QWidget*>(DBEditNombre), static_cast<QWidget*>(DBEditDescripcion),
                       static_cast<QWidget*>(DBEditAsignatura), static_cast<QWidget*>(DBEditProfesor)}) {
        PintarCampo(w, Qt::white);
        w->setEnabled(true);
    }
    PintarCampo(DBEditNumAlumnos, palette().color(QPalette::Button));
    PintarCampo(DBEditDirectorio, palette().color(QPalette::Button));
    BitBtnAceptar->setEnabled(true);
    BitBtnCancel->setEnabled(true);
}

void TFDMT_VentanaGrupos::AspectoVacio() {
    for (QWidget* w : {static_cast<QWidget*>(DBEditNombre), static_cast<QWidget*>(DBEditDescripcion),
                       static_cast<QWidget*>(DBEditAsignatura), static_cast<QWidget*>(DBEditProfesor),
                       static_cast<QWidget*>(DBEditDirectorio)}) {
        PintarCampo(w, GrisVacio());
        w->setEnabled(false);
    }
    PintarCampo(DBEditNumAlumnos, palette().color(QPalette::Button));
    BitBtnAceptar->setEnabled(false);
    BitBtnCancel->setEnabled(false);
}

void TFDMT_VentanaGrupos::EnfocarNombre() {
    DBEditNombre->setFocus();
}

void TFDMT_VentanaGrupos::BitBtnAceptarClick() {
    TdmCDS& dm = *dmCDS;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool nueva = TdmCDS::EnInsercion(dm.cdsGrupo);
    if (nueva) MostrarEstado(Texto(228) + QLatin1Char(' ') + Texto(229));
    const bool guardado = GuardarGrupo();
    if (nueva) OcultarEstado();
    QApplication::restoreOverrideCursor();
    if (!guardado) return;
    TFDMT_GestAlumnado* gestion = Gestion();
    const int codigo = dm.cdsGrpFCodGrupo->AsInteger();
    if (nueva) {
        QTreeWidgetItem* nodo = gestion->AnadirNodoGrupo(dm.cdsGrpFNombre->AsString(), codigo);
        gestion->DesbloquearPanel();
        nodo->setExpanded(true);
        gestion->SeleccionarNodo(nodo);
        return;
    }
    QTreeWidgetItem* seleccionado = gestion->TreeViewGrupos()->currentItem();
    QTreeWidgetItem* nodo = TFDMT_GestAlumnado::NodoGrupo(seleccionado);
    if (nodo && nodo->text(0) != dm.cdsGrpFNombre->AsString()) nodo->setText(0, dm.cdsGrpFNombre->AsString());
    gestion->DesbloquearPanel();
    // The page goes on editing the saved group.
    if (TdmCDS::EnConsulta(dm.cdsGrupo) && !dm.cdsGrupo->IsEmpty()) dm.cdsGrupo->Edit();
}

TFDMT_VentanaGrupos::Entrada TFDMT_VentanaGrupos::leerEntrada() const {
    Entrada valores;
    for (const TField* campo : dmCDS->cdsGrupo->Fields())
        valores.append(campo->FieldKind() == fkData ? campo->Value() : QVariant());
    return valores;
}

void TFDMT_VentanaGrupos::volverAEditar(bool nueva, int marca, const Entrada& entrada) {
    TdmCDS& dm = *dmCDS;
    TClientDataSet* grupos = dm.cdsGrupo;
    if (!TdmCDS::EnConsulta(grupos)) return;  // the post itself was refused: nothing moved
    if (nueva) {
        // The row is in memory only: it goes, and the insertion is taken up again as it was,
        // with the code and folder it had been given.
        grupos->SetSavePoint(marca);
        grupos->SetReadOnly(false);
        const TDataSetNotifyEvent antes = std::exchange(grupos->BeforeInsert, nullptr);
        const TDataSetNotifyEvent despues = std::exchange(grupos->AfterInsert, nullptr);
        const bool insertado = grupos->Insert();
        grupos->BeforeInsert = antes;
        grupos->AfterInsert = despues;
        if (!insertado) return;
        emit dm.ReaccionesArbol(false);
    } else {
        grupos->Edit();
    }
    const std::vector<TField*>& campos = grupos->Fields();
    for (std::size_t i = 0; i < campos.size(); ++i)
        if (campos[i]->FieldKind() == fkData && !campos[i]->ReadOnly)
            campos[i]->SetValue(entrada.value(int(i)));
    dm.Modificado = true;
}

bool TFDMT_VentanaGrupos::crearCarpetaYSemillas() {
    TdmCDS& dm = *dmCDS;
    const QString carpeta = dm.cdsGrpFDirectorio->AsString();
    if (!QFileInfo(carpeta).isDir() && !QDir().mkpath(carpeta)) return false;
    dm.CrearTablasGrupo();
    dm.GenerarSemillasGrupo(dm.cdsGrpFCodGrupo->AsInteger());
    return true;
}

bool TFDMT_VentanaGrupos::GuardarGrupo() {
    TdmCDS& dm = *dmCDS;
    TClientDataSet* grupos = dm.cdsGrupo;
    const bool nueva = TdmCDS::EnInsercion(grupos);
    if (!nueva && !TdmCDS::EnEdicion(grupos)) return false;
    const QString nombre = dm.cdsGrpFNombre->AsString();
    if (const int error = CarpetasGrupo::ErrorNombre(nombre)) {
        MostrarMensaje(Texto(error), BotonesAceptar, DibujoAviso);
        return false;
    }
    const QVariant otro = dm.cdsGrupoLUp->Active()
                              ? dm.cdsGrupoLUp->Lookup(QStringLiteral("cdsGrpFNombre"), nombre,
                                                       QStringLiteral("cdsGrpFCodGrupo"))
                              : QVariant();
    if (otro.isValid() && (nueva || otro.toInt() != dm.cdsGrpFCodGrupo->AsInteger())) {
        MostrarMensaje(Texto(211) + QLatin1Char(' ') + nombre + QLatin1Char(' ') + Texto(217), BotonesAceptar,
                       1);
        return false;
    }
    const int marca = grupos->SavePoint();
    const Entrada entrada = leerEntrada();
    try {
        if (!grupos->Post() || grupos->HayCambiosSinGuardar()) {
            // Refused by the checks, or kept in memory only: the file does not have it.
            volverAEditar(nueva, marca, entrada);
            MostrarMensaje(Texto(kTextoNoGuardado), BotonesAceptar, DibujoError);
            return false;
        }
    } catch (const std::exception&) {
        volverAEditar(nueva, marca, entrada);
        MostrarMensaje(Texto(kTextoNoGuardado), BotonesAceptar, DibujoError);
        return false;
    }
    try {
        if (nueva && !crearCarpetaYSemillas()) throw EDatabaseError(QStringLiteral("group folder"));
        dm.AbrirTablasGrupo();
        return true;
    } catch (const std::exception&) {
        MostrarMensaje(Texto(kTextoNoGuardado), BotonesAceptar, DibujoError);
        return false;
    }
}

void TFDMT_VentanaGrupos::BitBtnCancelClick() {
    TdmCDS& dm = *dmCDS;
    TClientDataSet* grupos = dm.cdsGrupo;
    // The insertion is given up first: only then can the group tables be opened again.
    if (TdmCDS::EnInsercion(grupos) || TdmCDS::EnEdicion(grupos)) grupos->Cancel();
    dm.Modificado = false;
    if (!grupos->IsEmpty()) dm.AbrirTablasGrupo();
    TFDMT_GestAlumnado* gestion = Gestion();
    if (grupos->IsEmpty()) AspectoVacio();
    gestion->DesbloquearPanel();
    QTreeWidget* arbol = gestion->TreeViewGrupos();
    if (arbol->topLevelItemCount() > 0) gestion->SeleccionarNodo(arbol->topLevelItem(0));
}
