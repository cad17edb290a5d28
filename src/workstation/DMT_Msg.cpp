#include "DMT_Msg.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "Idioma.h"
#include "Instalacion.h"
#include "Mensajes.h"

namespace {

constexpr int kAncho = 440;
constexpr int kAnchoImagen = 64;
constexpr int kAltoPanelInf = 48;
constexpr int kAltoBoton = 30;
constexpr int kSeparacion = 30;
constexpr int kMargenTexto = 12;

struct Boton {
    int texto;
    int resultado;
};

// Buttons of each set, in the order BitBtn1, BitBtn2, BitBtn3.
const std::array<std::vector<Boton>, 5> kJuegos = {{
    {{2, 1}},
    {{2, 1}, {1, 2}},
    {{5, 6}, {6, 7}},
    {{5, 6}, {6, 7}, {1, 2}},
    {{205, 6}, {206, 7}, {1, 2}},
}};

const char* const kImagenes[] = {"images\\Mensaje0.png", "images\\Mensaje1.png", "images\\Mensaje2.png",
                                 "images\\Mensaje3.png", "images\\Mensaje4.png"};
const QStyle::StandardPixmap kRespaldo[] = {QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning,
                                            QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxQuestion,
                                            QStyle::SP_DialogApplyButton};

}  // namespace

QPixmap ImagenMensaje(int imagen) {
    imagen = std::clamp(imagen, 0, static_cast<int>(std::size(kImagenes)) - 1);
    QPixmap dibujo(Instalacion::Ruta(QString::fromLatin1(kImagenes[imagen])));
    if (dibujo.isNull()) dibujo = QApplication::style()->standardPixmap(kRespaldo[imagen]);
    return dibujo;
}

TFormMsg::TFormMsg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormMsg"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    PanelLeft = new QWidget(this);
    PanelLeft->setObjectName(QStringLiteral("PanelLeft"));
    ImageDib = new QLabel(PanelLeft);
    ImageDib->setObjectName(QStringLiteral("ImageDib"));
    ImageDib->setAlignment(Qt::AlignCenter);

    PanelMsg = new QWidget(this);
    PanelMsg->setObjectName(QStringLiteral("PanelMsg"));
    Label1 = new QLabel(PanelMsg);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setTextFormat(Qt::PlainText);
    Memo1 = new QPlainTextEdit(PanelMsg);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->hide();

    PanelInf = new QWidget(this);
    PanelInf->setObjectName(QStringLiteral("PanelInf"));
    BitBtn1 = new QPushButton(PanelInf);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(PanelInf);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(PanelInf);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3}) {
        b->hide();
        b->setAutoDefault(false);
    }
    BitBtn1->setDefault(true);
}

// Lines the text takes at the label's width: the hidden memo holds the text, a document
// with the label's font and width wraps it as the label does.
int TFormMsg::lineasDelTexto() const {
    Memo1->setPlainText(Label1->text());
    QTextDocument doc;
    doc.setDefaultFont(Label1->font());
    doc.setDocumentMargin(0);
    doc.setPlainText(Label1->text());
    doc.setTextWidth(Label1->width());
    doc.documentLayout()->documentSize();  // lays the text out
    int lineas = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        lineas += std::max(1, b.layout()->lineCount());
    return std::max(1, lineas);
}

void TFormMsg::Preparar(const QString& texto, int botones, int imagen, int x, int y) {
    botones_ = std::clamp(botones, 0, 4);
    setWindowTitle(Texto(222));
    ImageDib->setPixmap(ImagenMensaje(imagen));

    Label1->setText(texto);
    Label1->setGeometry(kMargenTexto, 15, kAncho - kAnchoImagen - 2 * kMargenTexto, 10);
    const int alturaLinea = QFontMetrics(Label1->font()).lineSpacing();
    Label1->resize(Label1->width(), lineasDelTexto() * alturaLinea);

    const int marco = frameGeometry().height() - geometry().height();
    const int alto = Label1->height() + kAltoPanelInf + marco + 25;
    setFixedSize(kAncho, alto - marco);
    PanelLeft->setGeometry(0, 0, kAnchoImagen, height() - kAltoPanelInf);
    ImageDib->setGeometry(0, 0, kAnchoImagen, std::max(Label1->height() + 30, 50));
    PanelMsg->setGeometry(kAnchoImagen, 0, kAncho - kAnchoImagen, height() - kAltoPanelInf);
    PanelInf->setGeometry(0, height() - kAltoPanelInf, kAncho, kAltoPanelInf);
    colocarBotones();
    colocarVentana(x, y);
}

void TFormMsg::colocarBotones() {
    const std::array<QPushButton*, 3> todos = {BitBtn1, BitBtn2, BitBtn3};
    const auto& juego = kJuegos[botones_];
    const int top = (kAltoPanelInf - kAltoBoton) / 2;
    int ancho = 100;
    for (size_t i = 0; i < todos.size(); ++i) {
        QPushButton* b = todos[i];
        b->setVisible(i < juego.size());
        if (i >= juego.size()) continue;
        b->setText(Texto(juego[i].texto));
        const int resultado = juego[i].resultado;
        b->disconnect();
        connect(b, &QPushButton::clicked, this, [this, resultado] { done(resultado); });
        ancho = std::max(ancho, b->fontMetrics().horizontalAdvance(b->text()) + 30);
    }
    const int n = static_cast<int>(juego.size());
    if (botones_ == 4) {
        // All three as wide as text 206 plus 10 pixels (and the style's own button padding),
        // a quarter of the free width before each.
        const int anchoOpcion = BitBtn2->fontMetrics().horizontalAdvance(BitBtn2->text()) + 10 + 20;
        const int hueco = (kAncho - 3 * anchoOpcion) / 4;
        for (int i = 0; i < 3; ++i)
            todos[i]->setGeometry(hueco + i * (anchoOpcion + hueco), top, anchoOpcion, kAltoBoton);
        return;
    }
    const int total = n * ancho + (n - 1) * kSeparacion;
    int left = (kAncho - total) / 2;
    for (int i = 0; i < n; ++i) {
        todos[i]->setGeometry(left, top, ancho, kAltoBoton);
        left += ancho + kSeparacion;
    }
}

void TFormMsg::colocarVentana(int x, int y) {
    QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect zona = pantalla ? pantalla->availableGeometry() : QRect(0, 0, 1024, 768);
    const int altoTotal = frameGeometry().height();
    if (x == -1 && y == -1) {
        move(zona.center() - QPoint(width() / 2, altoTotal / 2));
        return;
    }
    // Below the point when it fits on the screen, otherwise above it.
    const int top = (y + 14 + altoTotal <= zona.bottom()) ? y + 14 : y - altoTotal - 14;
    move(x, top);
}

void TFormMsg::reject() {
    done(ResultadoAlCancelar(botones_));
}

int MostrarMensajeVentana(const QString& texto, int botones, int imagen, int x, int y) {
    TFormMsg ventana(QApplication::activeWindow());
    ventana.Preparar(texto, botones, imagen, x, y);
    return ventana.exec();
}
