#include "html_MainHelp.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSplitter>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "Configuracion.h"
#include "EnlacesAyuda.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "Mensajes.h"
#include "PaginaAyuda.h"
#include "VisorAyuda.h"

namespace {

QPointer<Thtml_FMainHelp>& abierta() {
    static QPointer<Thtml_FMainHelp> ventana;
    return ventana;
}

QString& paginaDeLineaDeOrdenes() {
    static QString pagina;
    return pagina;
}

// A file of the installation as the program writes its paths ("Help\reparacion\conexion.htm").
QString direccionVisible(const QString& archivo) {
    const QString carpeta = Instalacion::Carpeta();
    if (!archivo.startsWith(carpeta)) return QDir::toNativeSeparators(archivo);
    return archivo.mid(carpeta.size()).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

int tagDe(const QWidget* ventana) {
    return ventana ? ventana->property("Tag").toInt() : 0;
}

QToolButton* boton(QWidget* padre, const char* nombre, QStyle::StandardPixmap icono) {
    auto* b = new QToolButton(padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setIcon(padre->style()->standardIcon(icono));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    return b;
}

}  // namespace

std::function<bool(const QUrl&)> Thtml_FMainHelp::AbrirEnEscritorio = [](const QUrl& url) {
    return QDesktopServices::openUrl(url);
};

Thtml_FMainHelp::Thtml_FMainHelp(int libro, QWidget* parent) : QDialog(parent), libro_(libro) {
    setObjectName(QStringLiteral("html_FMainHelp"));
    setProperty("Tag", kTagAyuda);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1000, 700);

    VisorTemas = new VisorAyuda;
    VisorTemas->setObjectName(QStringLiteral("VisorTemas"));
    VisorContenido = new VisorAyuda;
    VisorContenido->setObjectName(QStringLiteral("VisorContenido"));
    SplitterMarcos = new QSplitter(Qt::Horizontal);
    SplitterMarcos->setObjectName(QStringLiteral("SplitterMarcos"));
    SplitterMarcos->addWidget(VisorTemas);
    SplitterMarcos->addWidget(VisorContenido);
    SplitterMarcos->setStretchFactor(0, 0);
    SplitterMarcos->setStretchFactor(1, 1);
    SplitterMarcos->setSizes({260, 740});
    SplitterMarcos->setChildrenCollapsible(false);
    VisorTemas->setMinimumWidth(160);

    crearMenu();
    crearBarra();
    crearBusqueda();
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(6, 0, 6, 6);
    todo->setSpacing(4);
    todo->setMenuBar(MenuPrincipal);
    auto* barra = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(SpeedButtonInicio), static_cast<QWidget*>(SpeedButtonAtras),
                       static_cast<QWidget*>(SpeedButtonAdelante)})
        barra->addWidget(w);
    barra->addWidget(EditDireccion, 1);
    barra->addWidget(SpeedButtonSalir);
    todo->addLayout(barra);
    todo->addWidget(SplitterMarcos, 1);
    todo->addWidget(PanelBuscar);

    for (VisorAyuda* v : {VisorTemas, VisorContenido})
        connect(v, &QTextBrowser::anchorClicked, this, [this, v](const QUrl& url) { SeguirEnlace(url, v); });
    connect(VisorContenido, &QTextBrowser::sourceChanged, this, &Thtml_FMainHelp::paginaMostrada);
    connect(VisorContenido, &QTextBrowser::backwardAvailable, SpeedButtonAtras, &QWidget::setEnabled);
    connect(VisorContenido, &QTextBrowser::forwardAvailable, SpeedButtonAdelante, &QWidget::setEnabled);
    ponerTextos();
}

void Thtml_FMainHelp::crearMenu() {
    MenuPrincipal = new QMenuBar(this);
    MenuPrincipal->setObjectName(QStringLiteral("MenuPrincipal"));
    MenuArchivo = MenuPrincipal->addMenu(QString());
    MenuArchivo->setObjectName(QStringLiteral("MenuArchivo"));
    ItemImprimir = MenuArchivo->addAction(QString(), this, &Thtml_FMainHelp::ItemImprimirClick);
    ItemImprimir->setObjectName(QStringLiteral("ItemImprimir"));
    ItemImprimir->setShortcut(QKeySequence::Print);
    ItemVistaPrevia = MenuArchivo->addAction(QString(), this, &Thtml_FMainHelp::ItemVistaPreviaClick);
    ItemVistaPrevia->setObjectName(QStringLiteral("ItemVistaPrevia"));
    MenuArchivo->addSeparator();
    ItemSalir = MenuArchivo->addAction(QString(), this, &QDialog::reject);
    ItemSalir->setObjectName(QStringLiteral("ItemSalir"));
    MenuBuscar = MenuPrincipal->addMenu(QString());
    MenuBuscar->setObjectName(QStringLiteral("MenuBuscar"));
    ItemBuscar = MenuBuscar->addAction(QString(), this, &Thtml_FMainHelp::Buscar);
    ItemBuscar->setObjectName(QStringLiteral("ItemBuscar"));
    ItemBuscar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    ItemBuscarSiguiente = MenuBuscar->addAction(QString(), this, &Thtml_FMainHelp::BuscarSiguiente);
    ItemBuscarSiguiente->setObjectName(QStringLiteral("ItemBuscarSiguiente"));
    ItemBuscarSiguiente->setShortcut(QKeySequence(Qt::Key_F3));
    MenuHistorial = MenuPrincipal->addMenu(QString());
    MenuHistorial->setObjectName(QStringLiteral("MenuHistorial"));
}

void Thtml_FMainHelp::crearBarra() {
    SpeedButtonInicio = boton(this, "SpeedButtonInicio", QStyle::SP_DirHomeIcon);
    SpeedButtonAtras = boton(this, "SpeedButtonAtras", QStyle::SP_ArrowBack);
    SpeedButtonAdelante = boton(this, "SpeedButtonAdelante", QStyle::SP_ArrowForward);
    SpeedButtonSalir = boton(this, "SpeedButtonSalir", QStyle::SP_DialogCloseButton);
    SpeedButtonAtras->setEnabled(false);
    SpeedButtonAdelante->setEnabled(false);
    EditDireccion = new QLineEdit(this);
    EditDireccion->setObjectName(QStringLiteral("EditDireccion"));
    EditDireccion->setReadOnly(true);
    EditDireccion->setFocusPolicy(Qt::ClickFocus);
    connect(SpeedButtonInicio, &QToolButton::clicked, this, &Thtml_FMainHelp::SpeedButtonInicioClick);
    connect(SpeedButtonAtras, &QToolButton::clicked, VisorContenido, &QTextBrowser::backward);
    connect(SpeedButtonAdelante, &QToolButton::clicked, VisorContenido, &QTextBrowser::forward);
    connect(SpeedButtonSalir, &QToolButton::clicked, this, &QDialog::reject);
}

void Thtml_FMainHelp::crearBusqueda() {
    PanelBuscar = new QWidget(this);
    PanelBuscar->setObjectName(QStringLiteral("PanelBuscar"));
    auto* fila = new QHBoxLayout(PanelBuscar);
    fila->setContentsMargins(0, 0, 0, 0);
    LabelBuscar = new QLabel(PanelBuscar);
    EditBuscar = new QLineEdit(PanelBuscar);
    EditBuscar->setObjectName(QStringLiteral("EditBuscar"));
    EditBuscar->setClearButtonEnabled(true);
    SpeedButtonBuscar = boton(PanelBuscar, "SpeedButtonBuscar", QStyle::SP_ArrowDown);
    LabelNoEncontrado = new QLabel(PanelBuscar);
    LabelNoEncontrado->setObjectName(QStringLiteral("LabelNoEncontrado"));
    fila->addWidget(LabelBuscar);
    fila->addWidget(EditBuscar, 1);
    fila->addWidget(SpeedButtonBuscar);
    fila->addWidget(LabelNoEncontrado, 1);
    PanelBuscar->hide();
    connect(EditBuscar, &QLineEdit::returnPressed, this, &Thtml_FMainHelp::BuscarSiguiente);
    connect(SpeedButtonBuscar, &QToolButton::clicked, this, &Thtml_FMainHelp::BuscarSiguiente);
}

void Thtml_FMainHelp::ponerTextos() {
    setWindowTitle(TextoCatalogo(70000) + QLatin1Char(' ') + LeerTipoDumet());
    SpeedButtonInicio->setText(TextoCatalogo(70001));
    SpeedButtonAtras->setText(TextoCatalogo(70002));
    SpeedButtonAdelante->setText(TextoCatalogo(70003));
    SpeedButtonSalir->setText(TextoCatalogo(70004));
    MenuArchivo->setTitle(TextoCatalogo(70005));
    ItemImprimir->setText(TextoCatalogo(70006));
    ItemVistaPrevia->setText(TextoCatalogo(70007));
    ItemSalir->setText(TextoCatalogo(70008));
    MenuBuscar->setTitle(TextoCatalogo(70009));
    ItemBuscar->setText(TextoCatalogo(70010));
    ItemBuscarSiguiente->setText(TextoCatalogo(70011));
    MenuHistorial->setTitle(TextoCatalogo(70012));
    LabelBuscar->setText(TextoCatalogo(70013));
    SpeedButtonBuscar->setText(TextoCatalogo(70014));
}

void Thtml_FMainHelp::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (mostrada_) return;
    mostrada_ = true;
    tagAlAbrir_ = tagDe(FormActivo());
    if (!paginaInicial_.isEmpty())
        AbrirPagina(paginaInicial_, anclaInicial_);
    else
        MostrarTema(tagAlAbrir_);
}

void Thtml_FMainHelp::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F1) {
        MostrarTema(kTagAyuda);
        return;
    }
    QDialog::keyPressEvent(evento);
}

void Thtml_FMainHelp::FijarPaginaInicial(const QString& archivo, const QString& ancla) {
    paginaInicial_ = archivo;
    anclaInicial_ = ancla;
}

void Thtml_FMainHelp::MostrarTema(int tag) {
    const LibroAyuda* libro = BuscarLibro(libro_);
    if (!libro) {
        VisorTemas->hide();
        VisorContenido->MostrarDireccion(QStringLiteral("Help"));
        return;
    }
    const PaginaPreparada pagina = PrepararTema(*libro, TemaDeTag(tag, libro_));
    if (pagina.archivo.isEmpty()) {
        conjunto_.clear();
        VisorTemas->hide();
        VisorContenido->MostrarArchivo(pagina.carpetaBase + QStringLiteral("help.htm"));
        return;
    }
    AbrirPagina(pagina.archivo);
}

void Thtml_FMainHelp::AbrirPagina(const QString& archivo, const QString& ancla) {
    QString texto;
    const QList<MarcoAyuda> marcos = LeerTextoAyuda(archivo, texto) ? LeerMarcos(texto) : QList<MarcoAyuda>();
    if (marcos.isEmpty()) {
        conjunto_.clear();
        tituloConjunto_.clear();
        VisorTemas->hide();
        VisorContenido->MostrarArchivo(archivo, ancla);
        return;
    }
    // The frames of a topic page written elsewhere still name the book's own pages.
    const LibroAyuda* libro = BuscarLibro(libro_);
    QString carpeta = QFileInfo(archivo).absolutePath();
    if (libro && libro->conTemas &&
        QFileInfo(archivo).fileName().compare(libro->pagina, Qt::CaseInsensitive) == 0)
        carpeta = CarpetaDelLibro(*libro);
    conjunto_ = archivo;
    tituloConjunto_ = TituloPagina(texto);
    const MarcoAyuda contenido = marcos.last();
    if (marcos.size() > 1) {
        VisorTemas->MostrarArchivo(ResolverReferencia(marcos.first().fuente, carpeta));
        VisorTemas->show();
    } else {
        VisorTemas->hide();
    }
    const EnlaceAyuda destino = ClasificarEnlace(contenido.fuente, carpeta);
    VisorContenido->MostrarArchivo(destino.destino, ancla.isEmpty() ? destino.ancla : ancla);
}

QString Thtml_FMainHelp::ArchivoContenido() const {
    return VisorContenido->Archivo();
}

void Thtml_FMainHelp::SeguirEnlace(const QUrl& url, VisorAyuda* desde) {
    const EnlaceAyuda enlace = ClasificarEnlace(url.toString(), desde->Carpeta());
    switch (enlace.accion) {
        case AccionEnlace::Escritorio:
            AbrirEnEscritorio(QUrl(enlace.destino));
            return;
        case AccionEnlace::Reproducir:
            AbrirEnEscritorio(QUrl::fromLocalFile(enlace.destino));
            return;
        case AccionEnlace::Programa:
            MostrarMensaje(Texto(70017).arg(QFileInfo(enlace.destino).fileName()), BotonesAceptar, 1);
            return;
        case AccionEnlace::VentanaNueva:
            abrirVentanaNueva(enlace.destino, enlace.ancla);
            return;
        case AccionEnlace::Seguir:
            break;
    }
    if (enlace.destino.isEmpty() && !enlace.ancla.isEmpty()) {
        desde->scrollToAnchor(enlace.ancla);
        return;
    }
    if (!QFileInfo(enlace.destino).isAbsolute() && enlace.destino.contains(QLatin1Char(':'))) {
        EditDireccion->setText(enlace.destino);
        VisorContenido->MostrarDireccion(enlace.destino);
        return;
    }
    // A frame set named by a link replaces both panes; a page opens in the content pane.
    QString texto;
    if (LeerTextoAyuda(enlace.destino, texto) && !LeerMarcos(texto).isEmpty())
        AbrirPagina(enlace.destino, enlace.ancla);
    else
        VisorContenido->MostrarArchivo(enlace.destino, enlace.ancla);
}

void Thtml_FMainHelp::abrirVentanaNueva(const QString& archivo, const QString& ancla) {
    if (!QFileInfo(archivo).isFile()) return;
    auto* otra = new Thtml_FMainHelp(libro_, this);
    otra->setAttribute(Qt::WA_DeleteOnClose);
    otra->setModal(false);
    otra->FijarPaginaInicial(archivo, ancla);
    otra->move(pos() + QPoint(40, 40));
    otra->show();
}

void Thtml_FMainHelp::paginaMostrada(const QUrl& url) {
    EditDireccion->setText(url.isLocalFile() ? direccionVisible(url.toLocalFile()) : url.toString());
    VisorTemas->MarcarEnlacesA(VisorContenido->Archivo());
    const QString tituloPagina = VisorContenido->documentTitle();
    const QString titulo =
        conjunto_.isEmpty() ? tituloPagina : HistorialAyuda::Titulo(tituloConjunto_, tituloPagina);
    const QString nombre = QFileInfo(VisorContenido->Archivo()).fileName();
    historial_.Visitar(titulo.isEmpty() ? nombre : titulo,
                       conjunto_.isEmpty() ? VisorContenido->Archivo() : conjunto_,
                       conjunto_.isEmpty() ? QString() : url.toString());
    rehacerMenuHistorial();
}

void Thtml_FMainHelp::rehacerMenuHistorial() {
    // The menu's entries are made once and only change their text: an entry may be the one
    // being chosen right now.
    while (MenuHistorial->actions().size() < HistorialAyuda::kMaximo) {
        const int i = static_cast<int>(MenuHistorial->actions().size());
        QAction* a = MenuHistorial->addAction(QString(), this, [this, i] { volverA(i); });
        a->setCheckable(true);
    }
    const QList<HistorialAyuda::Entrada>& entradas = historial_.Entradas();
    const QList<QAction*> acciones = MenuHistorial->actions();
    for (int i = 0; i < acciones.size(); ++i) {
        acciones[i]->setVisible(i < entradas.size());
        acciones[i]->setText(i < entradas.size() ? entradas[i].titulo : QString());
        acciones[i]->setChecked(i == historial_.Actual());
    }
}

void Thtml_FMainHelp::volverA(int entrada) {
    if (entrada < 0 || entrada >= historial_.Entradas().size()) return;
    const HistorialAyuda::Entrada e = historial_.Entradas()[entrada];
    if (e.marco.isEmpty()) {
        AbrirPagina(e.pagina);
        return;
    }
    if (conjunto_ != e.pagina) AbrirPagina(e.pagina);
    const QUrl url(e.marco);
    VisorContenido->MostrarArchivo(url.toLocalFile(), url.fragment());
}

void Thtml_FMainHelp::SpeedButtonInicioClick() {
    MostrarTema(tagAlAbrir_ == kTagLogin ? kTagLogin : kTagIntroduccion);
}

void Thtml_FMainHelp::Buscar() {
    PanelBuscar->show();
    EditBuscar->setFocus();
    EditBuscar->selectAll();
}

void Thtml_FMainHelp::BuscarSiguiente() {
    const QString texto = EditBuscar->text();
    if (texto.isEmpty()) {
        Buscar();
        return;
    }
    LabelNoEncontrado->clear();
    if (VisorContenido->find(texto)) return;
    QTextCursor inicio = VisorContenido->textCursor();
    inicio.movePosition(QTextCursor::Start);
    VisorContenido->setTextCursor(inicio);
    if (!VisorContenido->find(texto)) LabelNoEncontrado->setText(Texto(70015).arg(texto));
}

void Thtml_FMainHelp::ItemImprimirClick() {
    QPrinter impresora(QPrinter::HighResolution);
    QPrintDialog dialogo(&impresora, this);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange);
    dialogo.setMinMax(1, 9999);
    if (dialogo.exec() == QDialog::Accepted) Imprimir(&impresora);
}

void Thtml_FMainHelp::ItemVistaPreviaClick() {
    QPrinter impresora(QPrinter::HighResolution);
    QPrintPreviewDialog vista(&impresora, this);
    connect(&vista, &QPrintPreviewDialog::paintRequested, this, &Thtml_FMainHelp::Imprimir);
    vista.exec();
}

void Thtml_FMainHelp::Imprimir(QPrinter* impresora) {
    QPainter pintor(impresora);
    if (!pintor.isActive()) return;
    // Distances are in points, whatever the printer's resolution.
    const double u = impresora->resolution() / 72.0;
    const QRectF hoja(QPointF(0, 0), impresora->pageRect(QPrinter::DevicePixel).size());
    const QRectF zona(50 * u, 60 * u, hoja.width() - 100 * u, hoja.height() - 100 * u);

    std::unique_ptr<QTextDocument> documento(VisorContenido->document()->clone(VisorContenido));
    documento->documentLayout()->setPaintDevice(impresora);
    documento->setPageSize(zona.size());
    const int paginas = documento->pageCount();
    int desde = 1, hasta = 9999;
    if (impresora->printRange() == QPrinter::PageRange) {
        desde = std::max(1, impresora->fromPage());
        hasta = impresora->toPage() > 0 ? impresora->toPage() : 9999;
    }
    hasta = std::min(hasta, paginas);

    QFont letra(QStringLiteral("Arial"), 8);
    const QString lugar = QDir::toNativeSeparators(VisorContenido->Archivo());
    const QString titulo = VisorContenido->documentTitle();
    const QString fecha = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    for (int pagina = desde; pagina <= hasta; ++pagina) {
        if (pagina > desde) impresora->newPage();
        pintor.setFont(QFont(letra, impresora));
        const QRectF cabecera(50 * u, 0, hoja.width() - 100 * u, 40 * u);
        pintor.drawText(cabecera, Qt::AlignLeft | Qt::AlignBottom, lugar);
        pintor.drawText(cabecera, Qt::AlignRight | Qt::AlignBottom, titulo);
        const QRectF pie(50 * u, hoja.height() - 40 * u, hoja.width() - 100 * u, 20 * u);
        pintor.drawText(pie, Qt::AlignLeft | Qt::AlignBottom, fecha);
        pintor.drawText(pie, Qt::AlignRight | Qt::AlignBottom,
                        Texto(70018) + QLatin1Char(' ') + QString::number(pagina));
        pintor.save();
        const QRectF trozo(0, (pagina - 1) * zona.height(), zona.width(), zona.height());
        pintor.translate(zona.left(), zona.top() - trozo.top());
        documento->drawContents(&pintor, trozo);
        pintor.restore();
    }
}

void MostrarAyuda(int libro) {
    if (abierta()) return;
    const QPointer<QWidget> delante = FormActivo();
    auto ventana = std::make_unique<Thtml_FMainHelp>(libro, QApplication::activeWindow());
    abierta() = ventana.get();
    ventana->setModal(true);
    if (!paginaDeLineaDeOrdenes().isEmpty()) {
        const QString pedida = paginaDeLineaDeOrdenes();
        const qsizetype ancla = pedida.indexOf(QLatin1Char('#'));
        ventana->FijarPaginaInicial(ArchivoDePaginaPedida(pedida.left(ancla)),
                                    ancla < 0 ? QString() : pedida.mid(ancla + 1));
        paginaDeLineaDeOrdenes().clear();
    }
    ventana->exec();
    ventana.reset();
    FijarFormActivo(delante);
}

Thtml_FMainHelp* AyudaAbierta() {
    return abierta().data();
}

void FijarPaginaDeLineaDeOrdenes(const QString& pagina) {
    paginaDeLineaDeOrdenes() = pagina;
}
