#include "DMT_AVDetectarEquipo.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "Ayuda.h"
#include "Colores.h"
#include "Configuracion.h"
#include "DMT_Brd415.h"
#include "ErroresTablas.h"
#include "EstadoPractica.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "dmCDS.h"

namespace {

QPixmap imagenConexion(int imagen) {
    return QPixmap(Instalacion::Ruta(imagen == 1 ? QStringLiteral("images\\deteccion\\Conectado.png")
                                                 : QStringLiteral("images\\deteccion\\NoConectado.png")));
}

}  // namespace

bool LocalizarEquipoPorCodigo(int codigo) {
    if (!dmCDS || !dmCDS->cdsEquipo->Active()) return false;
    TClientDataSet* equipos = dmCDS->cdsEquipo;
    const QString texto = QString::number(codigo);
    for (int fila = 1; fila <= equipos->RecordCount(); ++fila) {
        if (!equipos->ValueAt(fila, dmCDS->cdsEFCodigo).toString().startsWith(texto)) continue;
        equipos->SetRecNo(fila);
        // Already the current row, its tables may still be another trainer's: the move's
        // own reload runs then.
        if (dmCDS->EquipoCargado() != dmCDS->cdsEFCodEquipo->AsInteger() && equipos->AfterScroll)
            equipos->AfterScroll(equipos);
        return true;
    }
    return false;
}

TFDMT_AVDetectarEquipo::TFDMT_AVDetectarEquipo(TDatosPractica& practica, QWidget* parent)
    : QDialog(parent), practica_(practica) {
    setObjectName(QStringLiteral("FDMT_AVDetectarEquipo"));
    setProperty("Tag", 17);
    AyudaConF1(this, 2);
    setWindowTitle(QStringLiteral("Detectando el entrenador"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    setFixedSize(460, 300);

    FadeLBus = new QLabel(this);
    FadeLBus->setObjectName(QStringLiteral("FadeLBus"));
    FadeLBus->setAlignment(Qt::AlignCenter);
    FadeLBus->setWordWrap(true);
    QFont negrita = FadeLBus->font();
    negrita.setBold(true);
    negrita.setPointSizeF(negrita.pointSizeF() * 1.15);
    FadeLBus->setFont(negrita);
    ShapeMotor = new QFrame(this);
    ShapeMotor->setObjectName(QStringLiteral("ShapeMotor"));
    ShapeMotor->setFrameShape(QFrame::StyledPanel);
    ImageDetectado = new QLabel(ShapeMotor);
    ImageDetectado->setObjectName(QStringLiteral("ImageDetectado"));
    ImageDetectado->setFixedSize(75, 75);
    LabelMotor = new QLabel(QStringLiteral("MOTOR DIESEL"), ShapeMotor);
    LabelMotor->setObjectName(QStringLiteral("LabelMotor"));
    LabelMotor->setAlignment(Qt::AlignCenter);
    LabelMotor->setWordWrap(true);
    LabelMotor->setFont(negrita);
    LabelMotor->hide();
    BtnAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    BtnAceptar->setObjectName(QStringLiteral("BtnAceptar"));
    BtnAceptar->setDefault(true);
    BtnAceptar->hide();
    TimerDetectar = new QTimer(this);
    TimerDetectar->setObjectName(QStringLiteral("TimerDetectar"));
    TimerDetectar->setSingleShot(true);
    TimerDetectar->setInterval(1000);

    auto* motor = new QHBoxLayout(ShapeMotor);
    motor->addWidget(ImageDetectado);
    motor->addWidget(LabelMotor, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(FadeLBus, 1);
    todo->addWidget(ShapeMotor);
    todo->addWidget(BtnAceptar, 0, Qt::AlignCenter);

    connect(TimerDetectar, &QTimer::timeout, this, &TFDMT_AVDetectarEquipo::TimerDetectarTimer);
    connect(BtnAceptar, &QPushButton::clicked, this, &QDialog::accept);
}

void TFDMT_AVDetectarEquipo::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    FijarFormActivo(this);
    setWindowTitle(TextoCatalogo(14000));
    FadeLBus->setText(TextoCatalogo(14001));
    LabelMotor->setText(TextoCatalogo(14002));
    BtnAceptar->setText(TextoCatalogo(14003));
    ImageDetectado->setPixmap(imagenConexion(0));
    TimerDetectar->start();
}

void TFDMT_AVDetectarEquipo::mostrarResultado(int texto, int imagen) {
    mostrarResultado(Texto(texto), imagen);
}

void TFDMT_AVDetectarEquipo::mostrarResultado(const QString& texto, int imagen) {
    FadeLBus->setText(texto);
    ImageDetectado->setPixmap(imagenConexion(imagen));
    BtnAceptar->show();
    BtnAceptar->setFocus();
}

void TFDMT_AVDetectarEquipo::TimerDetectarTimer() {
    TimerDetectar->stop();
    // The search blocks for seconds: paint "searching" first.
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    detectado_ = false;
    bool encontrada = false;
    try {
        encontrada = ConectarEntrenador();
    } catch (...) {
        encontrada = false;
    }
    if (encontrada) {
        try {
            EquipoDetectado();
            return;
        } catch (const std::exception& error) {
            // The trainer's tables could not be loaded: it cannot be practised on, and the
            // damaged file is named (it is no unknown trainer).
            detectado_ = false;
            practica_.CodEquipo = 0;
            mostrarResultado(ErroresTablas::TextoError(error), 0);
            return;
        }
    }
    practica_.CodEquipo = 0;
    mostrarResultado(104, 0);
}

void TFDMT_AVDetectarEquipo::EquipoDetectado() {
    int codigo = LeerEquipoEntrenador();
    if (LeerCaratulas() && ElegirModelo) codigo = ElegirModelo(codigo);
    if (!LocalizarEquipoPorCodigo(codigo)) {
        practica_.CodEquipo = 0;
        mostrarResultado(225, 0);
        return;
    }
    practica_.CodEquipo = dmCDS->cdsEFCodEquipo->AsInteger();
    LabelMotor->setText(dmCDS->cdsEFDescripcion->AsString().trimmed());
    LabelMotor->show();
    detectado_ = true;
    mostrarResultado(103, 1);
}

int DetectarEntrenador(TDatosPractica& practica, QWidget* parent) {
    TFDMT_AVDetectarEquipo ventana(practica, parent);
    ventana.exec();
    return ventana.EntrenadorDetectado() ? 1 : 2;
}
