#include "DMT_NuevoAlumno.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "Ayuda.h"
#include "Cadenas.h"
#include "EstadoCursor.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Mensajes.h"
#include "PaginaGestion.h"
#include "dmCDS.h"

namespace {

constexpr int kTagEleccion = 22;
constexpr int kTextoNingunoElegido = 173;
constexpr int kTextoElAlumno = 213;
constexpr int kTextoYaEsMiembro = 214;
constexpr int kRolCodigo = Qt::UserRole;

QPushButton* boton(QWidget* padre, const char* nombre, const QString& texto, const char* glifo) {
    auto* b = new QPushButton(Glifo(glifo), texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setIconSize(QSize(20, 20));
    b->setMinimumHeight(32);
    return b;
}

}  // namespace

TFDMT_NuevoAlumno::TFDMT_NuevoAlumno(const QList<int>& miembros, QWidget* parent)
    : QDialog(parent), miembros_(miembros) {
    setObjectName(QStringLiteral("FDMT_NuevoAlumno"));
    setProperty("Tag", kTagEleccion);
    setWindowTitle(QStringLiteral("Nuevo alumno"));
    setModal(true);
    Label1 = new QLabel(QStringLiteral("Seleccionar un alumno"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListBoxAlumnos = new QListWidget(this);
    ListBoxAlumnos->setObjectName(QStringLiteral("ListBoxAlumnos"));
    ListBoxAlumnos->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBoxAlumnos->setAlternatingRowColors(true);
    ListBoxAlumnos->setSpacing(2);
    BitBtnAceptar = boton(this, "BitBtnAceptar", QStringLiteral("&Aceptar"), "Aceptar");
    BitBtnCancelar = boton(this, "BitBtnCancelar", QStringLiteral("&Cancelar"), "Cancelar");
    BitBtnAyuda = boton(this, "BitBtnAyuda", QStringLiteral("A&yuda"), "Ayuda");

    auto* botones = new QHBoxLayout;
    botones->addWidget(BitBtnAyuda);
    botones->addStretch();
    botones->addWidget(BitBtnAceptar);
    botones->addWidget(BitBtnCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(18, 16, 18, 16);
    todo->addWidget(Label1);
    todo->addWidget(ListBoxAlumnos, 1);
    todo->addSpacing(8);
    todo->addLayout(botones);
    resize(420, 460);

    connect(BitBtnAceptar, &QPushButton::clicked, this, &TFDMT_NuevoAlumno::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtnAyuda, &QPushButton::clicked, this, [this] {
        FijarFormActivo(this);
        AbrirAyuda(1);
    });
    llenarLista();
}

void TFDMT_NuevoAlumno::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    setWindowTitle(TextoCatalogo(23000));
    Label1->setText(TextoCatalogo(23001));
    BitBtnAceptar->setText(TextoCatalogo(23006));
    BitBtnCancelar->setText(TextoCatalogo(23007));
    BitBtnAyuda->setText(TextoCatalogo(23008));
    FijarFormActivo(this);
}

void TFDMT_NuevoAlumno::llenarLista() {
    TdmCDS& dm = *dmCDS;
    QList<QPair<QString, int>> alumnos;
    TClientDataSet* miembros = dm.cdsGrupoAlumno;
    if (miembros->Active() && TdmCDS::EnConsulta(miembros)) {
        EstadoCursor posicion(miembros, false);
        for (miembros->First(); !miembros->Eof(); miembros->Next()) {
            const int alumno = dm.cdsGrpAlFPtrAlumno->AsInteger();
            alumnos.append({dm.NombreCompletoAlumno(alumno), alumno});
        }
    }
    std::stable_sort(alumnos.begin(), alumnos.end(),
                     [](const auto& a, const auto& b) { return AntesAlfabeticamente(a.first, b.first); });
    for (const auto& [nombre, codigo] : alumnos) {
        auto* item = new QListWidgetItem(nombre, ListBoxAlumnos);
        item->setData(kRolCodigo, codigo);
    }
    ListBoxAlumnos->setCurrentRow(-1);
}

void TFDMT_NuevoAlumno::BitBtnAceptarClick() {
    QList<int> elegidos;
    for (int i = 0; i < ListBoxAlumnos->count(); ++i) {
        const QListWidgetItem* item = ListBoxAlumnos->item(i);
        if (!item->isSelected()) continue;
        const int codigo = item->data(kRolCodigo).toInt();
        if (miembros_.contains(codigo)) {
            MostrarMensaje(Texto(kTextoElAlumno) + QLatin1Char(' ') + item->text() + QLatin1Char(' ') +
                               Texto(kTextoYaEsMiembro),
                           BotonesAceptar, DibujoInformacion);
            return;
        }
        elegidos << codigo;
    }
    if (elegidos.isEmpty()) {
        MostrarMensaje(Texto(kTextoNingunoElegido), BotonesAceptar, DibujoInformacion);
        return;
    }
    elegidos_ = elegidos;
    accept();
}

std::optional<QList<int>> ElegirAlumnos(QWidget* padre, const QList<int>& miembros) {
    QWidget* antes = FormActivo();
    TFDMT_NuevoAlumno dialogo(miembros, padre);
    const bool aceptado = dialogo.exec() == QDialog::Accepted;
    FijarFormActivo(antes);
    if (!aceptado) return std::nullopt;
    return dialogo.Elegidos();
}
