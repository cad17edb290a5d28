#include "DMT_AVProvocar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "Ayuda.h"
#include "Azar.h"
#include "ControlesDatos.h"
#include "DMT_AVDetectarEquipo.h"
#include "EstadoPractica.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "dmCDS.h"

namespace {

QString verdad(bool valor) {
    return valor ? QStringLiteral("True") : QStringLiteral("False");
}

// Dysfunctions and the teacher see the real fault numbers and the tutorised set.
bool EsModoReal(const QString& modo, const TDatosPractica& practica) {
    return modo == QLatin1String("Disfuncion") || practica.EsProfesor();
}

}  // namespace

TFDMT_AVProvocar::TFDMT_AVProvocar(const QString& modo, TDatosPractica& practica, QWidget* parent)
    : QDialog(parent), modo_(modo), practica_(practica) {
    setObjectName(QStringLiteral("FDMT_AVProvocar"));
    setProperty("Tag", 13);
    setWindowTitle(QStringLiteral("Provocar avería"));
    setModal(true);
    setMinimumWidth(440);
    FadeLabelTitulo = new QLabel(this);
    FadeLabelTitulo->setObjectName(QStringLiteral("FadeLabelTitulo"));
    FadeLabelTitulo->setWordWrap(true);
    QFont negrita = FadeLabelTitulo->font();
    negrita.setBold(true);
    FadeLabelTitulo->setFont(negrita);
    DBLookupComboBoxAverias = new TDBLookupComboBox(this);
    DBLookupComboBoxAverias->setObjectName(QStringLiteral("DBLookupComboBoxAverias"));
    BitBtnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    BitBtnProvocar = new QPushButton(QStringLiteral("&Provocar avería"), this);
    BitBtnProvocar->setObjectName(QStringLiteral("BitBtnProvocar"));
    BitBtnProvocar->setDefault(true);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtnProvocar);
    botones->addWidget(BitBtnCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(FadeLabelTitulo);
    todo->addWidget(DBLookupComboBoxAverias);
    todo->addSpacing(8);
    todo->addLayout(botones);
    connect(BitBtnProvocar, &QPushButton::clicked, this, &TFDMT_AVProvocar::BitBtnProvocarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

// The faults this user already practised for this group, trainer and mode.
QString TFDMT_AVProvocar::exclusionPracticadas(const QString& tut) const {
    TClientDataSet* reparaciones = dmCDS->cdsReparacion;
    const QString n = QString::number(practica_.CodEquipo);
    const bool subgrupo = practica_.TipoUsuario == UsuarioSubgrupo;
    const QString alumno = subgrupo ? dmCDS->cdsSubFPtrAlumno->AsString() : dmCDS->cdsAFCodAlumno->AsString();
    const QString grupo = subgrupo ? dmCDS->cdsSubFPtrGrupo->AsString() : dmCDS->cdsGrpFCodGrupo->AsString();
    const QString condicionSubgrupo =
        subgrupo ? QStringLiteral("cdsRepFPtrSubgrupo =") + dmCDS->cdsSubFCodSubgrupo->AsString()
                 : QStringLiteral("(cdsRepFPtrSubgrupo = -1)");
    TdmCDS::AplicarFiltro(reparaciones,
                          QStringLiteral("cdsRepFPtrAlumno =") + alumno + QStringLiteral(" and ") +
                              QStringLiteral("cdsRepFPtrGrupo =") + grupo + QStringLiteral(" and ") +
                              QStringLiteral("cdsRepFPtrEquipo =") + n + QStringLiteral(" and ") +
                              condicionSubgrupo + QStringLiteral(" and ") +
                              QStringLiteral("cdsRepFTutorizada = ") + tut);
    QString exclusion;
    for (reparaciones->First(); !reparaciones->Eof(); reparaciones->Next()) {
        exclusion += exclusion.isEmpty() ? QStringLiteral("(cdsSemFPtrIdAveria <> ")
                                         : QStringLiteral(" and cdsSemFPtrIdAveria <> ");
        exclusion += dmCDS->cdsRepFPtrIdAveria->AsString();
    }
    if (!exclusion.isEmpty()) exclusion += QLatin1Char(')');
    TdmCDS::QuitarFiltro(reparaciones);
    return exclusion;
}

QString TFDMT_AVProvocar::FiltroSemillas() const {
    const QString n = QString::number(practica_.CodEquipo);
    const QString tut = verdad(dmCDS->cdsGrpFTutorizada->AsBoolean());
    if (EsModoReal(modo_, practica_))
        return QStringLiteral("(cdsSemFPtrEquipo =") + n + QStringLiteral(")") +
               QStringLiteral(" and cdsSemFTutorizada = True");
    const QString exclusion = exclusionPracticadas(tut);
    const QString modo = exclusion.isEmpty() ? QStringLiteral("cdsSemFTutorizada = ") + tut
                                             : exclusion + QStringLiteral(" and cdsSemFTutorizada = ") + tut;
    return QStringLiteral("(cdsSemFPtrEquipo =") + n + QStringLiteral(") and ") + modo;
}

void TFDMT_AVProvocar::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FijarFormActivo(this);
    if (preparado_) return;
    preparado_ = true;
    setWindowTitle(TextoCatalogo(18000));
    FadeLabelTitulo->setText(TextoCatalogo(18001));
    BitBtnCancelar->setText(TextoCatalogo(18002));
    BitBtnProvocar->setText(TextoCatalogo(18003));
    const bool disfuncion = modo_ == QLatin1String("Disfuncion");
    FadeLabelTitulo->setText(Texto(disfuncion ? 209 : 105));
    setWindowTitle(Texto(disfuncion ? 190 : 189));
    BitBtnProvocar->setText(Texto(disfuncion ? 190 : 189));
    llenarLista();
}

void TFDMT_AVProvocar::llenarLista() {
    TClientDataSet* semillas = dmCDS->cdsSemilla;
    // The teacher may have changed the group's seeds on another PC since they were read.
    dmCDS->RefrescarTabla(semillas);
    TdmCDS::AplicarFiltro(semillas, FiltroSemillas());
    maestro_ = semillas->MasterSource();
    camposMaestro_ = semillas->MasterFields();
    indice_ = semillas->IndexFieldNames();
    semillas->SetMasterSource(nullptr);
    condicionGrupo_ = QStringLiteral(" and cdsSemFPtrGrupo=") + dmCDS->cdsGrpFCodGrupo->AsString();
    TdmCDS::AplicarFiltro(semillas, semillas->Filter() + condicionGrupo_);
    semillas->SetIndexFieldNames(QStringLiteral("CalcRandomOrden"));
    DBLookupComboBoxAverias->SetListSource(
        dmCDS->dsSemilla, QStringLiteral("cdsSemFPtrIdAveria"),
        EsModoReal(modo_, practica_) ? QStringLiteral("PtrAvReal") : QStringLiteral("cdsSemFCodVirtual"));
    // A random key drawn once for each seed, so the list gives away no fault order.
    std::vector<std::pair<int, int>> orden;
    for (int i = 0; i < DBLookupComboBoxAverias->count(); ++i) orden.emplace_back(Azar(9999), i);
    std::sort(orden.begin(), orden.end());
    QList<std::pair<QString, QVariant>> entradas;
    for (auto [clave, i] : orden)
        entradas.append({DBLookupComboBoxAverias->itemText(i), DBLookupComboBoxAverias->itemData(i)});
    DBLookupComboBoxAverias->clear();
    for (const auto& [texto, dato] : entradas) DBLookupComboBoxAverias->addItem(texto, dato);
    DBLookupComboBoxAverias->setCurrentIndex(-1);
}

// The choice reaches the practice only on accepting: a cancelled dialog must not change
// the fault of a paused repair.
void TFDMT_AVProvocar::BitBtnProvocarClick() {
    if (DBLookupComboBoxAverias->currentText().isEmpty()) {
        MostrarMensaje(Texto(121), BotonesAceptar, 1);
        return;
    }
    practica_.CodVirtual = DBLookupComboBoxAverias->currentText().toInt();
    practica_.IdAveria = DBLookupComboBoxAverias->KeyValue().toInt();
    accept();
}

void TFDMT_AVProvocar::done(int resultado) {
    if (preparado_) {
        TClientDataSet* semillas = dmCDS->cdsSemilla;
        semillas->SetIndexFieldNames(indice_);
        semillas->SetMasterSource(maestro_);
        semillas->SetMasterFields(camposMaestro_);
        QString filtro = semillas->Filter();
        if (filtro.endsWith(condicionGrupo_)) filtro.chop(condicionGrupo_.size());
        TdmCDS::AplicarFiltro(semillas, filtro);
        if (resultado == Accepted) semillas->Locate(QStringLiteral("cdsSemFPtrIdAveria"), practica_.IdAveria);
        preparado_ = false;
    }
    QDialog::done(resultado);
}

void TFDMT_AVProvocar::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F1) {
        AbrirAyuda(2);
        return;
    }
    QDialog::keyPressEvent(evento);
}

int ProvocarDialogo(const QString& modo, TDatosPractica& practica, QWidget* parent) {
    if (practica.CodEquipo == 0 && DetectarEntrenador(practica, parent) != 1) return 0;
    if (practica.CodEquipo <= 0) return 0;
    TFDMT_AVProvocar dialogo(modo, practica, parent);
    return dialogo.exec();
}
