#include "DMT_Password.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include "Ayuda.h"
#include "Colores.h"
#include "Configuracion.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "Mensajes.h"
#include "Password.h"

namespace {

QPointer<TFDMT_Password>& login() {
    static QPointer<TFDMT_Password> ventana;
    return ventana;
}

// The design size of the right-hand panel: below it the controls keep their places,
// beyond it they grow and move with the panel.
constexpr int kAnchoDiseno = 561;
constexpr int kAltoDiseno = 545;

// Design places of the controls, inside the right-hand panel and the selection panel.
const QRect kSeleccion(50, 140, 460, 220);
const QRect kLabelGrupo(24, 28, 130, 28);
const QRect kLista(160, 28, 270, 30);
const QRect kLabelContrasena(24, 84, 130, 28);
const QRect kContrasena(160, 84, 270, 30);
const QRect kAceptar(160, 150, 270, 42);
const QRect kSalir(50, 420, 210, 42);
const QRect kAyuda(300, 420, 210, 42);

// The login compares letters a to z without regard to case; other characters as typed.
QString MayusculasAZ(QString texto) {
    for (QChar& c : texto)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 'a' + 'A');
    return texto;
}

QRect escalar(const QRect& r, double fx, double fy) {
    return QRect(qRound(r.x() * fx), qRound(r.y() * fy), qRound(r.width() * fx), qRound(r.height() * fy));
}

void cargarImagen(QLabel* destino, const char* ruta) {
    const QPixmap imagen(Instalacion::Ruta(QString::fromLatin1(ruta)));
    if (!imagen.isNull()) destino->setPixmap(imagen);  // a missing picture is left out
}

}  // namespace

TFDMT_Password::TFDMT_Password(AccesoLogin acceso, QWidget* parent)
    : QWidget(parent), acceso_(std::move(acceso)) {
    setObjectName(QStringLiteral("FDMT_Password"));
    setProperty("Tag", 5);
    setWindowTitle(QStringLiteral("Introducir contraseña"));
    crearControles();
    login() = this;
    if (QScreen* pantalla = QGuiApplication::primaryScreen())
        resize(pantalla->availableGeometry().size());
    else
        resize(1024, 700);
}

void TFDMT_Password::crearControles() {
    ImageLogo = new QLabel(this);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setAlignment(Qt::AlignCenter);
    ImageTextoLogo = new QLabel(this);
    ImageTextoLogo->setObjectName(QStringLiteral("ImageTextoLogo"));
    ImageTextoLogo->setAlignment(Qt::AlignCenter);

    PanelSalmon = new QWidget(this);
    PanelSalmon->setObjectName(QStringLiteral("PanelSalmon"));
    // The background picture fills the right-hand panel, behind its controls.
    ImageFondo = new QLabel(PanelSalmon);
    ImageFondo->setObjectName(QStringLiteral("ImageFondo"));
    ImageFondo->setScaledContents(true);
    PanelSeleccion = new QWidget(PanelSalmon);
    PanelSeleccion->setObjectName(QStringLiteral("PanelSeleccion"));

    LabelGrupo = new QLabel(QStringLiteral("Grupo"), PanelSeleccion);
    LabelGrupo->setObjectName(QStringLiteral("LabelGrupo"));
    DBLookupComboBoxGrupos = new QComboBox(PanelSeleccion);
    DBLookupComboBoxGrupos->setObjectName(QStringLiteral("DBLookupComboBoxGrupos"));
    DBLookupComboBoxGrupos->setMaxVisibleItems(5);
    LabelContrasena = new QLabel(QStringLiteral("Contraseña"), PanelSeleccion);
    LabelContrasena->setObjectName(QStringLiteral("LabelContrasena"));
    TEditContrasena = new QLineEdit(PanelSeleccion);
    TEditContrasena->setObjectName(QStringLiteral("TEditContrasena"));
    TEditContrasena->setEchoMode(QLineEdit::Password);
    TEditContrasena->setStyleSheet(QStringLiteral("lineedit-password-character: 88;"));  // "X"
    SelButtonAceptar = new QPushButton(QStringLiteral("Aceptar (Alt a)"), PanelSeleccion);
    SelButtonAceptar->setObjectName(QStringLiteral("SelButtonAceptar"));
    SelButtonSalir = new QPushButton(QStringLiteral("Salir (Alt s)"), PanelSalmon);
    SelButtonSalir->setObjectName(QStringLiteral("SelButtonSalir"));
    SelButtonAyuda = new QPushButton(QStringLiteral("Ayuda (Alt y)"), PanelSalmon);
    SelButtonAyuda->setObjectName(QStringLiteral("SelButtonAyuda"));

    QFont letra = font();
    letra.setPointSizeF(letra.pointSizeF() * 1.25);
    for (QWidget* w :
         std::initializer_list<QWidget*>{LabelGrupo, DBLookupComboBoxGrupos, LabelContrasena, TEditContrasena,
                                         SelButtonAceptar, SelButtonSalir, SelButtonAyuda})
        w->setFont(letra);
    QFont negrita = letra;
    negrita.setBold(true);
    LabelGrupo->setFont(negrita);
    LabelContrasena->setFont(negrita);

    // Keys reach the window before its controls, for the Alt shortcuts.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    connect(SelButtonAceptar, &QPushButton::clicked, this, &TFDMT_Password::SelButtonAceptarClick);
    connect(TEditContrasena, &QLineEdit::returnPressed, this, &TFDMT_Password::SelButtonAceptarClick);
    connect(SelButtonSalir, &QPushButton::clicked, this, [this] {
        FijarIdiomaApp(nullptr);
        close();
    });
    connect(SelButtonAyuda, &QPushButton::clicked, this, [] { AbrirAyuda(3); });
    connect(DBLookupComboBoxGrupos, &QComboBox::activated, this, [this] {
        if (acceso_.elegirGrupo && grupoElegido() >= 0) acceso_.elegirGrupo(grupoElegido());
    });
}

void TFDMT_Password::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    FijarFormActivo(this);
    setWindowTitle(TextoCatalogo(24000));
    LabelGrupo->setText(TextoCatalogo(24001));
    LabelContrasena->setText(TextoCatalogo(24002));
    SelButtonAceptar->setText(TextoCatalogo(24003));
    SelButtonSalir->setText(TextoCatalogo(24004));
    SelButtonAyuda->setText(TextoCatalogo(24005));
    cargarImagenes();
    const QColor acento = ColorAcento();
    PintarFondo(this, Qt::white);
    PintarFondo(PanelSalmon, acento.lighter(125));
    PintarFondo(PanelSeleccion, acento);
    PintarBoton(SelButtonSalir, acento);
    QApplication::setApplicationDisplayName(LeerTipoDumet());
    RecargarGrupos();
    colocarControles();
    TEditContrasena->setFocus();
}

void TFDMT_Password::cargarImagenes() {
    cargarImagen(ImageFondo, "images\\Fondo.bmp");
    cargarImagen(ImageLogo, "images\\Logo.bmp");
    cargarImagen(ImageTextoLogo, "images\\TextoLogo.bmp");
}

void TFDMT_Password::RecargarGrupos() {
    const int antes = grupoElegido();
    DBLookupComboBoxGrupos->clear();
    if (acceso_.grupos)
        for (const AccesoLogin::Grupo& g : acceso_.grupos())
            DBLookupComboBoxGrupos->addItem(g.nombre, g.codigo);
    DBLookupComboBoxGrupos->setCurrentIndex(DBLookupComboBoxGrupos->findData(antes));
}

int TFDMT_Password::grupoElegido() const {
    const int i = DBLookupComboBoxGrupos->currentIndex();
    return i < 0 ? -1 : DBLookupComboBoxGrupos->itemData(i).toInt();
}

void TFDMT_Password::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    colocarControles();
}

void TFDMT_Password::colocarControles() {
    const int anchoPanel = std::max(kAnchoDiseno, width() / 2);
    const int izquierda = std::max(0, width() - anchoPanel);
    PanelSalmon->setGeometry(izquierda, 0, width() - izquierda, height());
    ImageFondo->setGeometry(0, 0, PanelSalmon->width(), PanelSalmon->height());
    ImageFondo->lower();
    // The logo and the product name stand at their own size in the middle of the left side.
    const QSize logo = ImageLogo->pixmap().isNull() ? QSize(160, 160) : ImageLogo->pixmap().size();
    const QSize texto = ImageTextoLogo->pixmap().isNull() ? QSize(420, 110) : ImageTextoLogo->pixmap().size();
    const int arriba = std::max(0, (height() - logo.height() - texto.height() - 24) / 2);
    ImageLogo->setGeometry(0, arriba, izquierda, logo.height());
    ImageTextoLogo->setGeometry(0, arriba + logo.height() + 24, izquierda, texto.height());

    const double fx = std::max(1.0, PanelSalmon->width() / double(kAnchoDiseno));
    const double fy = std::max(1.0, PanelSalmon->height() / double(kAltoDiseno));
    PanelSeleccion->setGeometry(escalar(kSeleccion, fx, fy));
    LabelGrupo->setGeometry(escalar(kLabelGrupo, fx, fy));
    DBLookupComboBoxGrupos->setGeometry(escalar(kLista, fx, fy));
    LabelContrasena->setGeometry(escalar(kLabelContrasena, fx, fy));
    TEditContrasena->setGeometry(escalar(kContrasena, fx, fy));
    SelButtonAceptar->setGeometry(escalar(kAceptar, fx, fy));
    SelButtonSalir->setGeometry(escalar(kSalir, fx, fy));
    SelButtonAyuda->setGeometry(escalar(kAyuda, fx, fy));
}

bool TFDMT_Password::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->modifiers() & Qt::AltModifier) {
            keyPressEvent(tecla);
            if (tecla->isAccepted()) return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void TFDMT_Password::keyPressEvent(QKeyEvent* evento) {
    evento->ignore();
    if (!(evento->modifiers() & Qt::AltModifier)) return;
    switch (evento->key()) {
        case Qt::Key_A:
            evento->accept();
            SelButtonAceptar->click();
            break;
        case Qt::Key_S:
            evento->accept();
            SelButtonSalir->click();
            break;
        case Qt::Key_Y:
            evento->accept();
            SelButtonAyuda->click();
            break;
        default:
            break;
    }
}

void TFDMT_Password::SelButtonAceptarClick() {
    const QString tecleada = TEditContrasena->text();
    const bool esProfesor = MayusculasAZ(tecleada) == MayusculasAZ(LeerPasswordProfesor());
    if (!esProfesor && grupoElegido() < 0) {
        MostrarMensaje(Texto(197), BotonesAceptar, 1);
        return;
    }
    if (esProfesor) {
        if (acceso_.abrirGestionAlumnado) acceso_.abrirGestionAlumnado();
    } else {
        const AccesoLogin::Resultado r =
            acceso_.comprobarPassword ? acceso_.comprobarPassword(grupoElegido(), MayusculasAZ(tecleada))
                                      : AccesoLogin::Resultado{};
        if (!r.aceptado) {
            MostrarMensaje(Texto(107), BotonesAceptar, 2);
        } else if (acceso_.confirmarDatosPersonales && acceso_.confirmarDatosPersonales(r.tipo) &&
                   !(acceso_.hayPuesto && acceso_.hayPuesto())) {
            if (acceso_.abrirPuesto) acceso_.abrirPuesto(r.tipo);
        }
    }
    limpiar();
}

void TFDMT_Password::limpiar() {
    TEditContrasena->clear();
    DBLookupComboBoxGrupos->setCurrentIndex(-1);
}

void TFDMT_Password::closeEvent(QCloseEvent* evento) {
    if (acceso_.cerrarTablas) acceso_.cerrarTablas();
    QWidget::closeEvent(evento);
}

TFDMT_Password* VentanaLogin() {
    return login().data();
}

void OcultarLogin() {
    if (login()) login()->hide();
}

void MostrarLogin() {
    if (!login()) return;
    FijarFormActivo(login());
    login()->show();
}
