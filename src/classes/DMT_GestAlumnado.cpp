#include "DMT_GestAlumnado.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "Ayuda.h"
#include "Cadenas.h"
#include "CarpetasGrupo.h"
#include "Colores.h"
#include "Configuracion.h"
#include "DMT_Accesibilidad.h"
#include "DMT_ActivarEquipos.h"
#include "DMT_GestAverias.h"
#include "DMT_VentanaAlumnos.h"
#include "DMT_VentanaGrupos.h"
#include "DMT_VentanaSubgrupos.h"
#include "EstadoCursor.h"
#include "EstadoPractica.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "Mensajes.h"
#include "PaginaGestion.h"
#include "PanelesIncrustados.h"
#include "dmCDS.h"

namespace {

constexpr int kRolCodigo = Qt::UserRole;
constexpr int kTextoAlumnos = 108;
constexpr int kTextoAcceso = 124;
constexpr int kTextoSubgrupos = 200;
constexpr int kTextoRestosBorrado = 253;
constexpr int kTextoFallaBorrado = 254;
constexpr int kTextoNoGuardado = 117;
constexpr int kTextoSubgrupoIncompleto = 281;
constexpr int kDesplazamientoSeleccion = 7;

const char* const kImagenes[] = {"Grupo", "Acceso", "Alumnos", "Subgrupos", "Alumno", "Subgrupo"};

// Keeps the window's own changes to the tree from counting as the user's.
class Callado {
public:
    explicit Callado(int& contador) : contador_(contador) { ++contador_; }
    ~Callado() { --contador_; }
    Callado(const Callado&) = delete;
    Callado& operator=(const Callado&) = delete;

private:
    int& contador_;
};

QString archivoImagen(int imagen) {
    const int base = imagen % kDesplazamientoSeleccion;
    QString nombre = QStringLiteral("images\\arbol\\") + QString::fromLatin1(kImagenes[base]);
    if (imagen >= kDesplazamientoSeleccion) nombre += QStringLiteral("_sel");
    return Instalacion::Ruta(nombre + QStringLiteral(".png"));
}

void anadirImagen(QIcon& icono, int imagen, QIcon::Mode modo) {
    const QString archivo = archivoImagen(imagen);
    icono.addFile(archivo, QSize(16, 16), modo);
    QString doble = archivo;
    doble.insert(doble.size() - 4, QStringLiteral("@2x"));
    if (QFile::exists(doble)) icono.addFile(doble, QSize(32, 32), modo);
}

// Puts a folder's children in name order; the selected node stays selected.
void OrdenarHijos(QTreeWidgetItem* carpeta) {
    QTreeWidget* arbol = carpeta->treeWidget();
    QTreeWidgetItem* actual = arbol ? arbol->currentItem() : nullptr;
    QList<QTreeWidgetItem*> hijos = carpeta->takeChildren();
    std::stable_sort(hijos.begin(), hijos.end(), [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return AntesAlfabeticamente(a->text(0), b->text(0));
    });
    carpeta->addChildren(hijos);
    if (actual && hijos.contains(actual)) arbol->setCurrentItem(actual);
}

// Other PCs on the installation may have changed the class since the tree was drawn: a
// node's page shows the files as they are now.
void RefrescarClase(TdmCDS& dm) {
    for (TClientDataSet* tabla :
         {dm.cdsGrupo, dm.cdsAlumno, dm.cdsGrupoAlumno, dm.cdsSubgrupo, dm.cdsSemilla})
        dm.RefrescarTabla(tabla);
}

int nivel(const QTreeWidgetItem* nodo) {
    int n = 0;
    for (const QTreeWidgetItem* p = nodo ? nodo->parent() : nullptr; p; p = p->parent()) ++n;
    return n;
}

QPointer<TFDMT_GestAlumnado>& instancia() {
    static QPointer<TFDMT_GestAlumnado> ventana;
    return ventana;
}

}  // namespace

TFDMT_GestAlumnado::TFDMT_GestAlumnado(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FDMT_GestAlumnado"));
    setWindowTitle(QStringLiteral("Gestión del alumnado"));
    setModal(true);
    crearControles();
    instancia() = this;
    if (dmCDS)
        connect(dmCDS, &TdmCDS::ReaccionesArbol, this, [this](bool activas) { reaccionesDatos_ = activas; });
}

TFDMT_GestAlumnado::~TFDMT_GestAlumnado() = default;

QPushButton* TFDMT_GestAlumnado::boton(const char* nombre, const QString& texto, const char* glifo) {
    auto* b = new QPushButton(Glifo(glifo), texto, PanelLeft);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setIconSize(QSize(20, 20));
    b->setMinimumHeight(38);
    b->setStyleSheet(QStringLiteral("text-align: left; padding-left: 10px;"));
    return b;
}

void TFDMT_GestAlumnado::crearControles() {
    PanelLeft = new QWidget(this);
    PanelLeft->setObjectName(QStringLiteral("PanelLeft"));
    ImageLogo = new QLabel(PanelLeft);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setAlignment(Qt::AlignCenter);
    TextoLogo = new QLabel(QStringLiteral("RAZEZAV"), PanelLeft);
    TextoLogo->setObjectName(QStringLiteral("TextoLogo"));
    TextoLogo->setAlignment(Qt::AlignCenter);
    QFont letra = TextoLogo->font();
    letra.setBold(true);
    letra.setPointSizeF(letra.pointSizeF() * 2.2);
    letra.setLetterSpacing(QFont::PercentageSpacing, 110);
    TextoLogo->setFont(letra);

    BitBtnNewGrupo = boton("BitBtnNewGrupo", QStringLiteral("&Nuevo grupo"), "Nuevo");
    BitBtnDelGrupo = boton("BitBtnDelGrupo", QStringLiteral("&Eliminar  grupo"), "Eliminar");
    BitBtnExpGrupo = boton("BitBtnExpGrupo", QStringLiteral("&Crear disco con datos de grupos"), "Exportar");
    BitBtnImpGrupo = boton("BitBtnImpGrupo", QStringLiteral("C&argar datos grupo de disco"), "Importar");
    BitBtnResultados = boton("BitBtnResultados", QStringLiteral("Resultados del grupo"), "Resultados");
    BitBtnActEquipos = boton("BitBtnActEquipos", QStringLiteral("Act/Desact. entrenadores"), "Entrenadores");
    BitBtnModContrasena =
        boton("BitBtnModContrasena", QStringLiteral("&Modificar contraseña profesor"), "Contrasena");
    BitBtnGestAverias =
        boton("BitBtnGestAverias", QStringLiteral("&Reparación virtual"), "ReparacionVirtual");
    BitBtnAyuda = boton("BitBtnAyuda", QStringLiteral("A&yuda"), "Ayuda");
    BitBtnSalir = boton("BitBtnSalir", QStringLiteral("&Salir"), "Salir");

    auto* columna = new QVBoxLayout(PanelLeft);
    columna->setContentsMargins(10, 12, 10, 12);
    columna->addWidget(ImageLogo);
    columna->addWidget(TextoLogo);
    columna->addSpacing(18);
    for (QPushButton* b : {BitBtnNewGrupo, BitBtnDelGrupo, BitBtnExpGrupo, BitBtnImpGrupo, BitBtnResultados,
                           BitBtnActEquipos, BitBtnModContrasena, BitBtnGestAverias})
        columna->addWidget(b);
    columna->addStretch();
    columna->addWidget(BitBtnAyuda);
    columna->addWidget(BitBtnSalir);
    PanelLeft->setFixedWidth(240);

    PanelTree = new QWidget(this);
    PanelTree->setObjectName(QStringLiteral("PanelTree"));
    TreeViewGrupos_ = new QTreeWidget(PanelTree);
    TreeViewGrupos_->setObjectName(QStringLiteral("TreeViewGrupos"));
    TreeViewGrupos_->setHeaderHidden(true);
    TreeViewGrupos_->setColumnCount(1);
    TreeViewGrupos_->setIconSize(QSize(16, 16));
    TreeViewGrupos_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeViewGrupos_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* arbol = new QVBoxLayout(PanelTree);
    arbol->setContentsMargins(0, 12, 0, 12);
    arbol->addWidget(TreeViewGrupos_);
    PanelTree->setFixedWidth(220);

    PanelRight = new QWidget(this);
    PanelRight->setObjectName(QStringLiteral("PanelRight"));

    auto* todo = new QHBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->setSpacing(0);
    todo->addWidget(PanelLeft);
    todo->addWidget(PanelTree);
    todo->addSpacing(12);
    todo->addWidget(PanelRight, 1);

    connect(TreeViewGrupos_, &QTreeWidget::currentItemChanged, this, &TFDMT_GestAlumnado::alCambiarNodo);
    connect(TreeViewGrupos_, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* nodo) { alExpandirOContraer(nodo, true); });
    connect(TreeViewGrupos_, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* nodo) { alExpandirOContraer(nodo, false); });
    // The results page leaves the selection as it was: a click on the selected node brings
    // that node's page back.
    connect(TreeViewGrupos_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* nodo) {
        if (resultados_ && PaginaActual == resultados_ && nodo == TreeViewGrupos_->currentItem())
            MostrarNodo(nodo);
    });
    connect(BitBtnNewGrupo, &QPushButton::clicked, this, &TFDMT_GestAlumnado::NuevoGrupo);
    connect(BitBtnDelGrupo, &QPushButton::clicked, this, &TFDMT_GestAlumnado::EliminarGrupo);
    connect(BitBtnExpGrupo, &QPushButton::clicked, this, [this] {
        if (ExportarGrupo && TreeViewGrupos_->currentItem()) ExportarGrupo(this);
    });
    connect(BitBtnImpGrupo, &QPushButton::clicked, this, [this] {
        if (ImportarGrupo) ImportarGrupo(this);
    });
    connect(BitBtnResultados, &QPushButton::clicked, this, &TFDMT_GestAlumnado::VerResultados);
    connect(BitBtnActEquipos, &QPushButton::clicked, this, &TFDMT_GestAlumnado::ActivarEquipos);
    connect(BitBtnModContrasena, &QPushButton::clicked, this, &TFDMT_GestAlumnado::ModificarContrasena);
    connect(BitBtnGestAverias, &QPushButton::clicked, this, &TFDMT_GestAlumnado::AbrirReparacionVirtual);
    connect(BitBtnAyuda, &QPushButton::clicked, this, &TFDMT_GestAlumnado::Ayuda);
    connect(BitBtnSalir, &QPushButton::clicked, this, &QDialog::close);
    habilitarBotones(true);
}

// ------------------------------------------------ showing and closing

void TFDMT_GestAlumnado::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (evento->spontaneous()) return;
    dmCDS->Modulo = QStringLiteral("Alumnos");
    ArbolCargado = false;
    CargarArbol();
    ArbolCargado = true;
    // The tables follow the node the tree starts on, whichever group the login left current.
    if (QTreeWidgetItem* primero = TreeViewGrupos_->currentItem()) {
        if (const auto codigo = CodigoNodo(primero)) dmCDS->LocalizarGrupo(*codigo);
        dmCDS->FiltrarSemillas();
    }
    MostrarPagina(PaginaGrupos());
    ponerTextos();
    cargarLogo();
    dmCDS->FiltrarEquiposActivos();
}

void TFDMT_GestAlumnado::ponerTextos() {
    setWindowTitle(TextoCatalogo(21000));
    BitBtnNewGrupo->setText(TextoCatalogo(21001));
    BitBtnDelGrupo->setText(TextoCatalogo(21002));
    BitBtnExpGrupo->setText(TextoCatalogo(21003));
    BitBtnImpGrupo->setText(TextoCatalogo(21004));
    BitBtnSalir->setText(TextoCatalogo(21005));
    BitBtnGestAverias->setText(TextoCatalogo(21006));
    BitBtnModContrasena->setText(TextoCatalogo(21007));
    BitBtnAyuda->setText(TextoCatalogo(21008));
    BitBtnActEquipos->setText(TextoCatalogo(21010));
    BitBtnResultados->setText(Texto(71032));
    // The column is as wide as its longest caption, whatever the language.
    int ancho = 0;
    for (const QPushButton* b : PanelLeft->findChildren<QPushButton*>())
        ancho = std::max(ancho, b->sizeHint().width());
    PanelLeft->setFixedWidth(std::max(200, ancho + 24));
}

void TFDMT_GestAlumnado::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    // The tree takes a fifth of a wide window, and gives way on a small screen.
    PanelTree->setFixedWidth(std::clamp(width() / 5, 230, 340));
}

void TFDMT_GestAlumnado::cargarLogo() {
    const QPixmap logo(Instalacion::Ruta(QStringLiteral("\\images\\LogoQuilo.bmp")));
    if (!logo.isNull()) ImageLogo->setPixmap(logo);
    TextoLogo->setText(LeerTipoDumet());
    QPalette paleta = TextoLogo->palette();
    paleta.setColor(QPalette::WindowText, ColorAcento());
    TextoLogo->setPalette(paleta);
    PintarFondo(PanelLeft, ColorAcento().lighter(170));
}

void TFDMT_GestAlumnado::closeEvent(QCloseEvent* evento) {
    if (!ConfirmarCambios()) {
        reparacionVirtual_ = false;
        evento->ignore();
        return;
    }
    LiberarPaginas();
    {
        Callado callado(callado_);
        TreeViewGrupos_->clear();
    }
    dmCDS->CerrarEdiciones();
    // The login is in front again.
    dmCDS->Modulo.clear();
    QDialog::closeEvent(evento);
}

void TFDMT_GestAlumnado::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F1) {
        Ayuda();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void TFDMT_GestAlumnado::Ayuda() {
    // The help takes its topic from the page in front, not from this window.
    if (PaginaActual) FijarFormActivo(PaginaActual);
    AbrirAyuda(1);
}

// ------------------------------------------------ pages

void TFDMT_GestAlumnado::MostrarPagina(TPaginaGestion* pagina) {
    if (!pagina) return;
    if (pagina == PaginaActual && pagina->isVisible()) {
        FijarFormActivo(pagina);
        return;
    }
    if (PaginaActual && PaginaActual != pagina) PaginaActual->hide();
    PaginaActual = pagina;
    MostrarFormEnPanel(pagina, PanelRight);
    pagina->FormShow();
}

void TFDMT_GestAlumnado::LiberarPaginas() {
    LiberarFormsPanel(PanelRight);
    PaginaActual = nullptr;
    grupos_ = nullptr;
    acceso_ = nullptr;
    alumnos_ = nullptr;
    subgrupos_ = nullptr;
    resultados_ = nullptr;
}

TFDMT_VentanaGrupos* TFDMT_GestAlumnado::PaginaGrupos() {
    if (!grupos_) grupos_ = new TFDMT_VentanaGrupos(this, PanelRight);
    return grupos_;
}

TFDMT_Accesibilidad* TFDMT_GestAlumnado::PaginaAccesibilidad() {
    if (!acceso_) acceso_ = new TFDMT_Accesibilidad(this, PanelRight);
    return acceso_;
}

TFDMT_VentanaAlumnos* TFDMT_GestAlumnado::PaginaAlumnos() {
    if (!alumnos_) alumnos_ = new TFDMT_VentanaAlumnos(this, PanelRight);
    return alumnos_;
}

TFDMT_VentanaSubgrupos* TFDMT_GestAlumnado::PaginaSubgrupos() {
    if (!subgrupos_) subgrupos_ = new TFDMT_VentanaSubgrupos(this, PanelRight);
    return subgrupos_;
}

TPaginaGestion* TFDMT_GestAlumnado::PaginaResultados() {
    if (!resultados_ && CrearPaginaResultados) resultados_ = CrearPaginaResultados(this, PanelRight);
    return resultados_;
}

// ------------------------------------------------ tree

std::optional<int> TFDMT_GestAlumnado::CodigoNodo(const QTreeWidgetItem* nodo) {
    if (!nodo) return std::nullopt;
    const QVariant codigo = nodo->data(0, kRolCodigo);
    if (!codigo.isValid()) return std::nullopt;
    return codigo.toInt();
}

QTreeWidgetItem* TFDMT_GestAlumnado::NodoGrupo(QTreeWidgetItem* nodo) {
    while (nodo && nodo->parent()) nodo = nodo->parent();
    return nodo;
}

QIcon TFDMT_GestAlumnado::ImagenNodo(int imagen) {
    if (imagenes_.isEmpty()) {
        for (int i = 0; i < int(std::size(kImagenes)); ++i) {
            QIcon icono;
            anadirImagen(icono, i, QIcon::Normal);
            anadirImagen(icono, i + kDesplazamientoSeleccion, QIcon::Selected);
            imagenes_.append(icono);
        }
    }
    return imagenes_.value(imagen);
}

void TFDMT_GestAlumnado::seleccionarCallado(QTreeWidgetItem* nodo) {
    Callado callado(callado_);
    TreeViewGrupos_->setCurrentItem(nodo);
}

void TFDMT_GestAlumnado::CargarArbol() {
    {
        Callado callado(callado_);
        TreeViewGrupos_->clear();
        dmCDS->RecorrerGrupos([this] {
            AnadirNodoGrupo(dmCDS->cdsGrpFNombre->AsString(), dmCDS->cdsGrpFCodGrupo->AsInteger());
        });
        if (TreeViewGrupos_->topLevelItemCount() > 0)
            TreeViewGrupos_->setCurrentItem(TreeViewGrupos_->topLevelItem(0));
    }
}

QTreeWidgetItem* TFDMT_GestAlumnado::anadirCarpeta(QTreeWidgetItem* grupo, int texto, int imagen) {
    auto* carpeta = new QTreeWidgetItem(grupo, QStringList{Texto(texto)});
    carpeta->setIcon(0, ImagenNodo(imagen));
    return carpeta;
}

QTreeWidgetItem* TFDMT_GestAlumnado::AnadirNodoGrupo(const QString& nombre, int codigo) {
    Callado callado(callado_);
    auto* grupo = new QTreeWidgetItem(TreeViewGrupos_, QStringList{nombre});
    grupo->setData(0, kRolCodigo, codigo);
    grupo->setIcon(0, ImagenNodo(ImagenGrupo));
    // Each folder is known by its place, whatever its text sorts as.
    QTreeWidgetItem* alumnos = anadirCarpeta(grupo, kTextoAlumnos, ImagenAlumnos);
    anadirCarpeta(grupo, kTextoAcceso, ImagenAcceso);
    QTreeWidgetItem* subgrupos = anadirCarpeta(grupo, kTextoSubgrupos, ImagenSubgrupos);
    CargarAlumnosNodo(alumnos, false);
    CargarSubgruposNodo(subgrupos, false);
    grupo->setExpanded(false);
    return grupo;
}

void TFDMT_GestAlumnado::llenarCarpeta(QTreeWidgetItem* carpeta, const QList<QPair<QString, int>>& hijos,
                                       int imagen, bool seleccionar) {
    QList<QPair<QString, int>> ordenados = hijos;
    std::stable_sort(ordenados.begin(), ordenados.end(),
                     [](const auto& a, const auto& b) { return AntesAlfabeticamente(a.first, b.first); });
    {
        Callado callado(callado_);
        qDeleteAll(carpeta->takeChildren());
        const QIcon icono = ImagenNodo(imagen);
        for (const auto& [texto, codigo] : ordenados) {
            auto* hijo = new QTreeWidgetItem(carpeta, QStringList{texto});
            hijo->setData(0, kRolCodigo, codigo);
            hijo->setIcon(0, icono);
        }
    }
    if (seleccionar && carpeta->childCount() > 0) TreeViewGrupos_->setCurrentItem(carpeta->child(0));
}

void TFDMT_GestAlumnado::CargarAlumnosNodo(QTreeWidgetItem* carpeta, bool seleccionar) {
    QList<QPair<QString, int>> hijos;
    TClientDataSet* miembros = dmCDS->cdsGrupoAlumno;
    if (miembros->Active()) {
        EstadoCursor guarda(miembros, false);
        for (miembros->First(); !miembros->Eof(); miembros->Next())
            hijos.append(
                {dmCDS->cdsGrupoAlumnoCalcNCompleto->AsString(), dmCDS->cdsGrpAlFPtrAlumno->AsInteger()});
    }
    llenarCarpeta(carpeta, hijos, ImagenAlumno, seleccionar);
}

void TFDMT_GestAlumnado::CargarSubgruposNodo(QTreeWidgetItem* carpeta, bool seleccionar) {
    QList<QPair<QString, int>> hijos;
    TClientDataSet* subgrupos = dmCDS->cdsSubgrupo;
    if (subgrupos->Active()) {
        EstadoCursor guarda(subgrupos, false);
        QString anterior;
        bool primero = true;
        // One node per run of rows of the same name: a subgroup has a row per member.
        for (subgrupos->First(); !subgrupos->Eof(); subgrupos->Next()) {
            const QString nombre = dmCDS->cdsSubFNombre->AsString();
            if (!primero && nombre == anterior) continue;
            hijos.append({nombre, dmCDS->cdsSubFCodSubgrupo->AsInteger()});
            anterior = nombre;
            primero = false;
        }
    }
    llenarCarpeta(carpeta, hijos, ImagenSubgrupo, seleccionar);
}

QTreeWidgetItem* TFDMT_GestAlumnado::AnadirNodoHijo(QTreeWidgetItem* carpeta, const QString& texto,
                                                    int imagen, int codigo) {
    Callado callado(callado_);
    auto* hijo = new QTreeWidgetItem(carpeta, QStringList{texto});
    hijo->setData(0, kRolCodigo, codigo);
    hijo->setIcon(0, ImagenNodo(imagen));
    OrdenarHijos(carpeta);
    carpeta->setExpanded(true);
    TreeViewGrupos_->setCurrentItem(hijo);
    return hijo;
}

void TFDMT_GestAlumnado::BorrarNodoSeleccionado() {
    QTreeWidgetItem* nodo = TreeViewGrupos_->currentItem();
    if (!nodo) return;
    Callado callado(callado_);
    delete nodo;
}

void TFDMT_GestAlumnado::RenombrarNodo(QTreeWidgetItem* nodo, const QString& texto) {
    Callado callado(callado_);
    nodo->setText(0, texto);
    if (nodo->parent()) OrdenarHijos(nodo->parent());
    TreeViewGrupos_->scrollToItem(nodo);
}

void TFDMT_GestAlumnado::RecargarSubgruposGrupo(QTreeWidgetItem* grupo) {
    if (!grupo || grupo->childCount() <= CarpetaSubgrupos) return;
    // Every subgroup of the group, whatever the page in front filters.
    EstadoCursor subgrupos(dmCDS->cdsSubgrupo, true);
    TdmCDS::QuitarFiltro(dmCDS->cdsSubgrupo);
    CargarSubgruposNodo(grupo->child(CarpetaSubgrupos), false);
}

void TFDMT_GestAlumnado::QuitarNodoGrupo(int codigo) {
    Callado callado(callado_);
    for (int i = 0; i < TreeViewGrupos_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* grupo = TreeViewGrupos_->topLevelItem(i);
        if (CodigoNodo(grupo) == codigo) {
            delete grupo;
            return;
        }
    }
}

bool TFDMT_GestAlumnado::PuedeDejarNodo() {
    if (!reaccionesDatos_) return false;
    if (!ConfirmarCambios()) return false;
    // A subgroup needs two members: the teacher completes it or deletes it before leaving it.
    if (PaginaSubgrupo && subgrupos_ && PaginaActual == subgrupos_ && subgrupos_->SubgrupoIncompleto()) {
        MostrarMensaje(Texto(kTextoSubgrupoIncompleto), BotonesAceptar, DibujoAviso);
        return false;
    }
    return true;
}

void TFDMT_GestAlumnado::alCambiarNodo(QTreeWidgetItem* nuevo, QTreeWidgetItem* anterior) {
    if (callado_ > 0) return;
    bool permitido;
    {
        // The question is about the node being left: the tree shows it selected meanwhile.
        Callado callado(callado_);
        TreeViewGrupos_->setCurrentItem(anterior);
        permitido = PuedeDejarNodo();
        TreeViewGrupos_->setCurrentItem(permitido ? nuevo : anterior);
    }
    if (permitido && ArbolCargado && nuevo) MostrarNodo(nuevo);
}

void TFDMT_GestAlumnado::alExpandirOContraer(QTreeWidgetItem* nodo, bool expandido) {
    if (callado_ > 0) return;
    // The tree opens a node itself to bring the selected node into view: that is no choice.
    for (const QTreeWidgetItem* n = TreeViewGrupos_->currentItem(); n; n = n->parent())
        if (n == nodo) return;
    TreeViewGrupos_->setCurrentItem(nodo);
    if (TreeViewGrupos_->currentItem() == nodo) return;
    Callado callado(callado_);
    nodo->setExpanded(!expandido);
}

bool TFDMT_GestAlumnado::SeleccionarNodo(QTreeWidgetItem* nodo) {
    if (!nodo) return false;
    if (TreeViewGrupos_->currentItem() == nodo) {
        MostrarNodo(nodo);
        return true;
    }
    TreeViewGrupos_->setCurrentItem(nodo);
    return TreeViewGrupos_->currentItem() == nodo;
}

void TFDMT_GestAlumnado::MostrarNodo(QTreeWidgetItem* nodo) {
    TdmCDS& dm = *dmCDS;
    RefrescarClase(dm);
    PaginaGrupo = PaginaAcceso = PaginaAlumno = PaginaSubgrupo = false;
    TdmCDS::QuitarFiltro(dm.cdsSubgrupo);
    TdmCDS::QuitarFiltro(dm.cdsSemilla);
    const int profundidad = nivel(nodo);
    const std::optional<int> codigo = CodigoNodo(nodo);
    QTreeWidgetItem* grupo = NodoGrupo(nodo);
    const std::optional<int> codigoGrupo = CodigoNodo(grupo);
    if (codigoGrupo && dm.cdsGrpFCodGrupo->AsInteger() != *codigoGrupo) dm.LocalizarGrupo(*codigoGrupo);
    if (profundidad == 0) {
        dm.FiltrarSemillas();
        PaginaGrupo = true;
        TFDMT_VentanaGrupos* pagina = PaginaGrupos();
        if (PaginaActual == pagina && pagina->isVisible()) pagina->FormShow();
        MostrarPagina(pagina);
        return;
    }
    if (profundidad == 1) {
        switch (nodo->parent()->indexOfChild(nodo)) {
            case CarpetaAlumnos: {
                dm.AbrirGrupoAlumno();
                TFDMT_VentanaAlumnos* pagina = PaginaAlumnos();
                CargarAlumnosNodo(nodo, true);
                // Without members the folder stays selected: the page shows the group empty.
                if (PaginaActual == pagina && pagina->isVisible() && TreeViewGrupos_->currentItem() == nodo)
                    pagina->FormShow();
                MostrarPagina(pagina);
                break;
            }
            case CarpetaAcceso: {
                TFDMT_Accesibilidad* pagina = PaginaAccesibilidad();
                if (PaginaActual == pagina && pagina->isVisible()) pagina->FormShow();
                MostrarPagina(pagina);
                break;
            }
            case CarpetaSubgrupos: {
                dm.CargarTablasGrupo();
                TFDMT_VentanaSubgrupos* pagina = PaginaSubgrupos();
                CargarSubgruposNodo(nodo, true);
                if (PaginaActual == pagina && pagina->isVisible() && TreeViewGrupos_->currentItem() == nodo)
                    pagina->FormShow();
                MostrarPagina(pagina);
                break;
            }
            default:
                break;
        }
        return;
    }
    if (!codigo) return;
    if (nodo->parent()->parent()->indexOfChild(nodo->parent()) == CarpetaAlumnos) {
        if (dm.cdsGrupoAlumno->Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), *codigo)) {
            TdmCDS::AplicarFiltro(dm.cdsSubgrupo,
                                  QStringLiteral("cdsSubFPtrAlumno = ") + QString::number(*codigo));
            dm.cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), *codigo);
        }
        TFDMT_VentanaAlumnos* pagina = PaginaAlumnos();
        if (PaginaActual == pagina && pagina->isVisible()) pagina->FormShow();
        MostrarPagina(pagina);
        PaginaAlumno = true;
    } else {
        TdmCDS::AplicarFiltro(dm.cdsSubgrupo,
                              QStringLiteral("cdsSubFCodSubgrupo = ") + QString::number(*codigo));
        TFDMT_VentanaSubgrupos* pagina = PaginaSubgrupos();
        if (PaginaActual == pagina && pagina->isVisible()) pagina->FormShow();
        MostrarPagina(pagina);
        PaginaSubgrupo = true;
    }
}

// ------------------------------------------------ edits

bool TFDMT_GestAlumnado::ConfirmarCambios() {
    TdmCDS& dm = *dmCDS;
    if (!dm.Modificado) return true;
    if (MostrarMensaje(Texto(150), BotonesSiNo, DibujoPregunta) != mrYes) {
        dm.CancelarCambios();
        dm.Modificado = false;
        return true;
    }
    // The group goes through its page: its name is checked and a new group gets its
    // folder and seeds as if saved there.
    // A group that its page refuses stays as typed, and so does the node.
    if (PaginaGrupo && grupos_ && !TdmCDS::EnConsulta(dm.cdsGrupo) && !grupos_->GuardarGrupo()) return false;
    // A student and his membership, and a subgroup's rows, are saved together or not at all;
    // a subgroup's name is checked as on its page.
    if (PaginaAlumno && alumnos_ && !alumnos_->GuardarAlumno() &&
        (!TdmCDS::EnConsulta(dm.cdsAlumno) || !TdmCDS::EnConsulta(dm.cdsGrupoAlumno)))
        return false;
    if (PaginaSubgrupo && subgrupos_ && !TdmCDS::EnConsulta(dm.cdsSubgrupo) && !subgrupos_->GuardarSubgrupo())
        return false;
    const bool resultado = dm.GuardarCambios();
    if (QTreeWidgetItem* actual = TreeViewGrupos_->currentItem()) {
        if (PaginaGrupo && nivel(actual) == 0) {
            Callado callado(callado_);
            actual->setText(0, dm.cdsGrpFNombre->AsString());
        }
        if (PaginaAlumno && nivel(actual) == 2)
            RenombrarNodo(actual, dm.NombreCompletoAlumno(dm.cdsAFCodAlumno->AsInteger()));
        if (PaginaSubgrupo && nivel(actual) == 2) RenombrarNodo(actual, dm.cdsSubFNombre->AsString());
    }
    return resultado;
}

void TFDMT_GestAlumnado::habilitarBotones(bool habilitados) {
    PanelTree->setEnabled(habilitados);
    TreeViewGrupos_->setEnabled(habilitados);
    for (QPushButton* b :
         {BitBtnNewGrupo, BitBtnDelGrupo, BitBtnModContrasena, BitBtnGestAverias, BitBtnActEquipos})
        b->setEnabled(habilitados);
    // Buttons whose action is not there yet stay disabled.
    BitBtnModContrasena->setEnabled(habilitados && CambiarPassword != nullptr);
    BitBtnExpGrupo->setEnabled(habilitados && ExportarGrupo != nullptr);
    BitBtnImpGrupo->setEnabled(habilitados && ImportarGrupo != nullptr);
    BitBtnResultados->setEnabled(habilitados && CrearPaginaResultados != nullptr);
}

void TFDMT_GestAlumnado::BloquearPanel() {
    habilitarBotones(false);
}

void TFDMT_GestAlumnado::DesbloquearPanel() {
    habilitarBotones(true);
}

// ------------------------------------------------ buttons

void TFDMT_GestAlumnado::NuevoGrupo() {
    TdmCDS& dm = *dmCDS;
    MostrarEstado(Texto(227) + QLatin1Char(' ') + Texto(229));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    BloquearPanel();
    bool insertado = false;
    try {
        if (dm.cdsGrupo->ReadOnly()) dm.cdsGrupo->SetReadOnly(false);
        insertado = dm.cdsGrupo->Insert();
    } catch (const std::exception&) {
        if (TdmCDS::EnInsercion(dm.cdsGrupo)) dm.cdsGrupo->Cancel();
    }
    QApplication::restoreOverrideCursor();
    OcultarEstado();
    if (!insertado) {
        // No code could be given (the table files cannot be read): nothing was started.
        MostrarMensaje(Texto(kTextoNoGuardado), BotonesAceptar, DibujoError);
        DesbloquearPanel();
        return;
    }
    TFDMT_VentanaGrupos* pagina = PaginaGrupos();
    MostrarPagina(pagina);
    pagina->AspectoEditable();
    pagina->EnfocarNombre();
}

void TFDMT_GestAlumnado::EliminarGrupo() {
    TdmCDS& dm = *dmCDS;
    QTreeWidgetItem* grupo = NodoGrupo(TreeViewGrupos_->currentItem());
    const std::optional<int> codigo = CodigoNodo(grupo);
    if (!codigo) return;
    if (dm.cdsGrpFCodGrupo->AsInteger() != *codigo) dm.LocalizarGrupo(*codigo);
    if (MostrarMensaje(Texto(123) + QLatin1Char(' ') + dm.cdsGrpFNombre->AsString() + QLatin1Char('?'),
                       BotonesSiNo, DibujoPregunta) != mrYes)
        return;
    if (!TdmCDS::EnConsulta(dm.cdsGrupo)) dm.cdsGrupo->Cancel();
    dm.Modificado = false;
    seleccionarCallado(grupo);
    try {
        const QString carpeta = dm.CarpetaGrupoActual();
        dm.BorrarAlumnosGrupo(*codigo);
        dm.LocalizarGrupo(*codigo);
        dm.cdsGrupo->Delete();
        BorrarNodoSeleccionado();
        const CarpetasGrupo::Borrado borrado = CarpetasGrupo::Borrar(carpeta);
        if (!borrado.completo)
            MostrarMensaje(
                Texto(kTextoRestosBorrado) + QLatin1Char('\n') + borrado.restos.join(QLatin1Char('\n')),
                BotonesAceptar, DibujoAviso);
    } catch (const std::exception& error) {
        MostrarMensaje(Texto(kTextoFallaBorrado) + QLatin1Char(' ') + QString::fromUtf8(error.what()),
                       BotonesAceptar, DibujoError);
        CargarArbol();
    }
    if (TreeViewGrupos_->topLevelItemCount() == 0) {
        PaginaGrupos()->AspectoVacio();
        MostrarPagina(PaginaGrupos());
        return;
    }
    QTreeWidgetItem* primero = TreeViewGrupos_->topLevelItem(0);
    seleccionarCallado(primero);
    MostrarNodo(primero);
}

void TFDMT_GestAlumnado::ActivarEquipos() {
    TFDMT_ActivarEquipos dialogo(PaginaActual ? static_cast<QWidget*>(PaginaActual) : this);
    if (dialogo.exec() != QDialog::Accepted) return;
    if (acceso_ && PaginaActual == acceso_) acceso_->SeleccionarEquipoActual();
}

void TFDMT_GestAlumnado::ModificarContrasena() {
    if (!CambiarPassword) return;
    BloquearPanel();
    CambiarPassword();
    DesbloquearPanel();
}

void TFDMT_GestAlumnado::AbrirReparacionVirtual() {
    reparacionVirtual_ = true;
    close();
}

bool TFDMT_GestAlumnado::VerResultados() {
    const std::optional<int> grupo = CodigoNodo(NodoGrupo(TreeViewGrupos_->currentItem()));
    if (!grupo || !CrearPaginaResultados || !PuedeDejarNodo()) return false;
    PaginaGrupo = PaginaAcceso = PaginaAlumno = PaginaSubgrupo = false;
    TdmCDS& dm = *dmCDS;
    if (dm.cdsGrpFCodGrupo->AsInteger() != *grupo) dm.LocalizarGrupo(*grupo);
    TPaginaGestion* pagina = PaginaResultados();
    // Shown again, it reads the histories again: practices may have been added meanwhile.
    if (PaginaActual == pagina && pagina->isVisible()) pagina->FormShow();
    MostrarPagina(pagina);
    return true;
}

void MostrarGestAlumnado() {
    bool reparacionVirtual = false;
    {
        TFDMT_GestAlumnado ventana(QApplication::activeWindow());
        ventana.setWindowState(ventana.windowState() | Qt::WindowMaximized);
        FijarFormActivo(&ventana);
        ventana.exec();
        reparacionVirtual = ventana.ReparacionVirtualPedida();
    }
    if (reparacionVirtual) MostrarGestAverias(UsuarioProfesor);
}
