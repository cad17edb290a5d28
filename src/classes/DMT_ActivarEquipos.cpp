#include "DMT_ActivarEquipos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "EstadoCursor.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "PaginaGestion.h"
#include "RotulosPanel.h"
#include "dmCDS.h"

namespace {

constexpr int kTextoNingunEquipo = 224;

// Walks the whole trainer table without loading any trainer's catalogue, and leaves it
// where it was, with its filter.
class RecorridoEquipos {
public:
    explicit RecorridoEquipos(TdmCDS& dm)
        : dm_(dm),
          alMoverse_(std::exchange(dm.cdsEquipo->AfterScroll, nullptr)),
          estado_(std::in_place, dm.cdsEquipo, true) {
        TdmCDS::QuitarFiltro(dm.cdsEquipo);
    }
    ~RecorridoEquipos() {
        estado_.reset();
        dm_.cdsEquipo->AfterScroll = alMoverse_;
    }
    RecorridoEquipos(const RecorridoEquipos&) = delete;
    RecorridoEquipos& operator=(const RecorridoEquipos&) = delete;

private:
    TdmCDS& dm_;
    TDataSetNotifyEvent alMoverse_;
    std::optional<EstadoCursor> estado_;
};

}  // namespace

TFDMT_ActivarEquipos::TFDMT_ActivarEquipos(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FDMT_ActivarEquipos"));
    setWindowTitle(QStringLiteral("Activación / Desactivación de entrenadores"));
    setModal(true);
    LabelActivar = Etiqueta(this, "LabelActivar", windowTitle());
    Negrita(LabelActivar);
    RxCheckListBox = new QListWidget(this);
    RxCheckListBox->setObjectName(QStringLiteral("RxCheckListBox"));
    RxCheckListBoxCod = new QListWidget(this);
    RxCheckListBoxCod->setObjectName(QStringLiteral("RxCheckListBoxCod"));
    RxCheckListBoxCod->hide();
    BitBtnAceptar = new QPushButton(Glifo("Aceptar"), QStringLiteral("&Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnAceptar->setDefault(true);
    BitBtnCancelar = new QPushButton(Glifo("Cancelar"), QStringLiteral("&Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtnAceptar);
    botones->addWidget(BitBtnCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(LabelActivar);
    todo->addWidget(RxCheckListBox);
    todo->addLayout(botones);
    resize(480, 340);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TFDMT_ActivarEquipos::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    cargar();
}

void TFDMT_ActivarEquipos::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FijarFormActivo(this);
    setWindowTitle(Texto(36000));
    LabelActivar->setText(Texto(36000));
    BitBtnAceptar->setText(Texto(2));
    BitBtnCancelar->setText(Texto(1));
}

void TFDMT_ActivarEquipos::cargar() {
    TdmCDS& dm = *dmCDS;
    RxCheckListBox->clear();
    RxCheckListBoxCod->clear();
    RecorridoEquipos recorrido(dm);
    for (dm.cdsEquipo->First(); !dm.cdsEquipo->Eof(); dm.cdsEquipo->Next()) {
        const Qt::CheckState marca = dm.cdsEFActivado->AsBoolean() ? Qt::Checked : Qt::Unchecked;
        auto* item = new QListWidgetItem(dm.cdsEFDescripcion->AsString(), RxCheckListBox);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(marca);
        auto* codigo = new QListWidgetItem(dm.cdsEFCodEquipo->AsString(), RxCheckListBoxCod);
        codigo->setFlags(codigo->flags() | Qt::ItemIsUserCheckable);
        codigo->setCheckState(marca);
    }
}

void TFDMT_ActivarEquipos::BitBtnAceptarClick() {
    bool alguno = false;
    for (int i = 0; i < RxCheckListBox->count(); ++i)
        alguno |= RxCheckListBox->item(i)->checkState() == Qt::Checked;
    if (!alguno) {
        MostrarMensaje(Texto(kTextoNingunEquipo), BotonesAceptar, DibujoAviso);
        return;
    }
    TdmCDS& dm = *dmCDS;
    {
        RecorridoEquipos recorrido(dm);
        for (int i = 0; i < RxCheckListBox->count(); ++i) {
            if (!dm.cdsEquipo->Locate(QStringLiteral("cdsEFCodEquipo"),
                                      RxCheckListBoxCod->item(i)->text().toInt()))
                continue;
            dm.cdsEquipo->Edit();
            dm.cdsEFActivado->SetAsBoolean(RxCheckListBox->item(i)->checkState() == Qt::Checked);
            dm.cdsEquipo->Post();
        }
    }
    // The trainer table is written once, with every change.
    dm.SalvarTabla(dm.cdsEquipo);
    dm.FiltrarEquiposActivos();
    accept();
}
