#include "DMT_AVDatosPersonales.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Ayuda.h"
#include "FichaPersonal.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Mensajes.h"

namespace {

QLineEdit* campo(QWidget* padre, const char* nombre, bool soloLectura) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(QString::fromLatin1(nombre));
    e->setReadOnly(soloLectura);
    e->setMaxLength(40);
    return e;
}

QLabel* etiqueta(QWidget* padre, const char* nombre, const char* texto) {
    auto* l = new QLabel(QString::fromUtf8(texto), padre);
    l->setObjectName(QString::fromLatin1(nombre));
    return l;
}

}  // namespace

TFDMT_AVDatosPersonales::TFDMT_AVDatosPersonales(int tipoUsuario, FichaPersonal& ficha, QWidget* parent)
    : QDialog(parent), tipo_(tipoUsuario), ficha_(ficha) {
    setObjectName(QStringLiteral("FDMT_AVDatosPersonales"));
    setProperty("Tag", 18);
    AyudaConF1(this, 2);
    setWindowTitle(QStringLiteral("Datos personales alumno"));
    setModal(true);

    PanelDatosPersonales = crearPanelAlumno();
    PanelDatosSubgrupo = crearPanelSubgrupo();
    LabelContrasena = etiqueta(this, "LabelContrasena", "Contraseña");
    DBEditPassword = campo(this, "DBEditPassword", true);
    DBEditPassword->setMaxLength(20);
    BitBtnAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnAceptar->setDefault(true);
    BitBtnSalir = new QPushButton(QStringLiteral("&Salir"), this);
    BitBtnSalir->setObjectName(QStringLiteral("BitBtnSalir"));

    auto* clave = new QHBoxLayout;
    clave->addWidget(LabelContrasena);
    clave->addWidget(DBEditPassword, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtnAceptar);
    botones->addWidget(BitBtnSalir);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(PanelDatosPersonales);
    todo->addWidget(PanelDatosSubgrupo);
    todo->addLayout(clave);
    todo->addSpacing(8);
    todo->addLayout(botones);
    setMinimumWidth(460);

    connect(BitBtnAceptar, &QPushButton::clicked, this, &TFDMT_AVDatosPersonales::BitBtnAceptarClick);
    connect(BitBtnSalir, &QPushButton::clicked, this, &TFDMT_AVDatosPersonales::BitBtnSalirClick);
}

QWidget* TFDMT_AVDatosPersonales::crearPanelAlumno() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelDatosPersonales"));
    LabelNombre = etiqueta(panel, "LabelNombre", "Nombre");
    DBEditNombre = campo(panel, "DBEditNombre", false);
    LabelApellido1 = etiqueta(panel, "LabelApellido1", "Apellido1");
    DBEditApellido1 = campo(panel, "DBEditApellido1", false);
    LabelApellido2 = etiqueta(panel, "LabelApellido2", "Apellido2");
    DBEditApellido2 = campo(panel, "DBEditApellido2", false);
    LabelAsignatura = etiqueta(panel, "LabelAsignatura", "Asignatura");
    DBEditAsignatur = campo(panel, "DBEditAsignatur", true);
    auto* f = new QFormLayout(panel);
    f->setContentsMargins(0, 0, 0, 0);
    f->addRow(LabelNombre, DBEditNombre);
    f->addRow(LabelApellido1, DBEditApellido1);
    f->addRow(LabelApellido2, DBEditApellido2);
    f->addRow(LabelAsignatura, DBEditAsignatur);
    return panel;
}

QWidget* TFDMT_AVDatosPersonales::crearPanelSubgrupo() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelDatosSubgrupo"));
    LabelNSubgrupo = new QLabel(panel);
    LabelNSubgrupo->setObjectName(QStringLiteral("LabelNSubgrupo"));
    QFont negrita = LabelNSubgrupo->font();
    negrita.setBold(true);
    LabelNSubgrupo->setFont(negrita);
    StringGridAlumnos = new QTableWidget(panel);
    StringGridAlumnos->setObjectName(QStringLiteral("StringGridAlumnos"));
    StringGridAlumnos->setColumnCount(1);
    StringGridAlumnos->horizontalHeader()->setStretchLastSection(true);
    StringGridAlumnos->horizontalHeader()->hide();
    StringGridAlumnos->verticalHeader()->hide();
    StringGridAlumnos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(LabelNSubgrupo);
    v->addWidget(StringGridAlumnos);
    return panel;
}

void TFDMT_AVDatosPersonales::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FijarFormActivo(this);
    DBEditPassword->setText(ficha_.Password());
    const bool alumno = tipo_ == 1;
    PanelDatosPersonales->setVisible(alumno);
    PanelDatosSubgrupo->setVisible(!alumno);
    if (alumno) {
        DBEditNombre->setText(ficha_.Nombre());
        DBEditApellido1->setText(ficha_.Apellido1());
        DBEditApellido2->setText(ficha_.Apellido2());
        DBEditAsignatur->setText(ficha_.Asignatura());
    } else {
        LabelNSubgrupo->setText(ficha_.NombreSubgrupo());
        // Row 0 is the grid's title row; the members start at row 1.
        const QStringList miembros = ficha_.Miembros();
        StringGridAlumnos->setRowCount(static_cast<int>(miembros.size()) + 1);
        for (int i = 0; i < miembros.size(); ++i)
            StringGridAlumnos->setItem(i + 1, 0, new QTableWidgetItem(miembros[i]));
    }
    adjustSize();
    ficha_.Editar();
    setWindowTitle(Texto(13000));
    LabelContrasena->setText(Texto(13001));
    LabelNombre->setText(Texto(13002));
    LabelApellido1->setText(Texto(13003));
    LabelApellido2->setText(Texto(13004));
    LabelAsignatura->setText(Texto(13005));
    BitBtnSalir->setText(Texto(13007));
    BitBtnAceptar->setText(Texto(13008));
}

bool TFDMT_AVDatosPersonales::datosCompletos() {
    if (tipo_ == 1) {
        ficha_.FijarNombres(DBEditNombre->text(), DBEditApellido1->text(), DBEditApellido2->text());
        if (DBEditNombre->text().isEmpty() || DBEditApellido1->text().isEmpty() ||
            ficha_.Password().isEmpty()) {
            MostrarMensaje(Texto(117), BotonesAceptar, 1);
            return false;
        }
        return true;
    }
    const QStringList miembros = ficha_.Miembros();
    if (miembros.size() == 1 && miembros.front().isEmpty()) {
        MostrarMensaje(Texto(138), BotonesAceptar, 1);
        return false;
    }
    if (ficha_.Password().isEmpty()) {
        MostrarMensaje(Texto(117), BotonesAceptar, 1);
        return false;
    }
    return true;
}

void TFDMT_AVDatosPersonales::BitBtnAceptarClick() {
    if (!datosCompletos()) return;
    if (!ficha_.Guardar()) {
        MostrarMensaje(Texto(117), BotonesAceptar, 2);
        return;
    }
    accept();
}

void TFDMT_AVDatosPersonales::BitBtnSalirClick() {
    reject();
}

// Salir, Esc and the title bar all leave without keeping the changes.
void TFDMT_AVDatosPersonales::reject() {
    ficha_.Deshacer();
    QDialog::reject();
}
