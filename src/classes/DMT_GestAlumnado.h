#pragma once

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QPair>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFDMT_Accesibilidad;
class TFDMT_VentanaAlumnos;
class TFDMT_VentanaGrupos;
class TFDMT_VentanaSubgrupos;
class TPaginaGestion;

// The teacher's main window: the tree of the groups with their students, difficulty and
// subgroups on the left with a column of buttons, and one page at a time on the right.
class TFDMT_GestAlumnado : public QDialog {
    Q_OBJECT
public:
    // Positions of the three folders under a group node.
    enum Carpeta { CarpetaAlumnos = 0, CarpetaAcceso = 1, CarpetaSubgrupos = 2 };
    // Pictures of the tree; a selected node shows its picture in the selected mode.
    enum Imagen {
        ImagenGrupo = 0,
        ImagenAcceso = 1,
        ImagenAlumnos = 2,
        ImagenSubgrupos = 3,
        ImagenAlumno = 4,
        ImagenSubgrupo = 5
    };

    explicit TFDMT_GestAlumnado(QWidget* parent = nullptr);
    ~TFDMT_GestAlumnado() override;

    // ------------------------------------------------ pages
    // The page now embedded in PanelRight (its Tag is the help topic).
    TPaginaGestion* PaginaActual = nullptr;
    // Set by each page at the end of its show routine, cleared when it hides: while clear,
    // the edits the loading code makes are not the user's.
    bool PaginaGrupo = false;
    bool PaginaAcceso = false;
    bool PaginaAlumno = false;
    bool PaginaSubgrupo = false;
    // False while the tree is being built: selecting then shows no page.
    bool ArbolCargado = false;

    void MostrarPagina(TPaginaGestion* pagina);
    void LiberarPaginas();
    TFDMT_VentanaGrupos* PaginaGrupos();
    TFDMT_Accesibilidad* PaginaAccesibilidad();
    TFDMT_VentanaAlumnos* PaginaAlumnos();
    TFDMT_VentanaSubgrupos* PaginaSubgrupos();
    // The results page of the current group, made by this on first use.
    static inline std::function<TPaginaGestion*(TFDMT_GestAlumnado*, QWidget* panel)> CrearPaginaResultados;
    TPaginaGestion* PaginaResultados();

    // ------------------------------------------------ tree
    QTreeWidget* TreeViewGrupos() const { return TreeViewGrupos_; }
    // The code of a group, student or subgroup node's record; none for a folder.
    static std::optional<int> CodigoNodo(const QTreeWidgetItem* nodo);
    void CargarArbol();
    QTreeWidgetItem* AnadirNodoGrupo(const QString& nombre, int codigo);
    void CargarAlumnosNodo(QTreeWidgetItem* carpeta, bool seleccionar);
    void CargarSubgruposNodo(QTreeWidgetItem* carpeta, bool seleccionar);
    // Adds one node under a folder and selects it without showing another page.
    QTreeWidgetItem* AnadirNodoHijo(QTreeWidgetItem* carpeta, const QString& texto, int imagen, int codigo);
    void BorrarNodoSeleccionado();
    // A student or subgroup node takes its record's new name, in its place in name order.
    void RenombrarNodo(QTreeWidgetItem* nodo, const QString& texto);
    // The subgroups folder of a group node read again from the group's subgroup rows.
    void RecargarSubgruposGrupo(QTreeWidgetItem* grupo);
    void QuitarNodoGrupo(int codigo);
    // Positions the tables on a node's record and shows its page.
    void MostrarNodo(QTreeWidgetItem* nodo);
    // Selects a node through the rules for leaving the current one; its page is shown even
    // when it already was the selected one. False when the current node may not be left.
    bool SeleccionarNodo(QTreeWidgetItem* nodo);
    // The group node a node belongs to.
    static QTreeWidgetItem* NodoGrupo(QTreeWidgetItem* nodo);
    // The picture of a node kind, read once per window.
    QIcon ImagenNodo(int imagen);

    // Unsaved edits: asks text 150; true when the node or window may be left.
    bool ConfirmarCambios();
    void BloquearPanel();
    void DesbloquearPanel();

    // ------------------------------------------------ buttons
    void NuevoGrupo();
    void EliminarGrupo();
    void ActivarEquipos();
    void ModificarContrasena();
    void AbrirReparacionVirtual();
    // Shows the results page of the selected node's group, by the rules for leaving a page;
    // the tree keeps its selection. False when the current page may not be left.
    bool VerResultados();
    void Ayuda();
    // The teacher asked for the workstation: it opens once this window has closed.
    bool ReparacionVirtualPedida() const { return reparacionVirtual_; }

    // The teacher password change and the group exchange, set by start-up and by the
    // exchange; a button whose action is not set stays disabled.
    static inline std::function<void()> CambiarPassword;
    static inline std::function<void(TFDMT_GestAlumnado*)> ExportarGrupo;
    static inline std::function<void(TFDMT_GestAlumnado*)> ImportarGrupo;
    // The history browser, set by start-up: shows the history that the student or subgroup
    // page has just opened, for the owner kind "Alumno" or "Subgrupo".
    static inline std::function<void(TFDMT_GestAlumnado*, const QString& tipoHistorico)> VerHistorico;
    // The reports the pages print, set by start-up: the group's password sheet, and the
    // fault access of one trainer.
    static inline std::function<void(QWidget* padre)> ImprimirContrasenas;
    static inline std::function<void(QWidget* padre, int equipo)> ImprimirAccesos;
    // The right-hand panel: the parent of pages made outside this library.
    QWidget* PanelPaginas() const { return PanelRight; }

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void crearControles();
    void ponerTextos();
    void cargarLogo();
    QPushButton* boton(const char* nombre, const QString& texto, const char* glifo);
    // The tree's reactions to changes, expansions and collapses.
    void alCambiarNodo(QTreeWidgetItem* nuevo, QTreeWidgetItem* anterior);
    void alExpandirOContraer(QTreeWidgetItem* nodo, bool expandido);
    bool PuedeDejarNodo();
    // Selects without any reaction of the tree.
    void seleccionarCallado(QTreeWidgetItem* nodo);
    QTreeWidgetItem* anadirCarpeta(QTreeWidgetItem* grupo, int texto, int imagen);
    void llenarCarpeta(QTreeWidgetItem* carpeta, const QList<QPair<QString, int>>& hijos, int imagen,
                       bool seleccionar);
    void habilitarBotones(bool habilitados);

    QWidget* PanelLeft;
    QLabel* ImageLogo;
    QLabel* TextoLogo;
    QWidget* PanelTree;
    QTreeWidget* TreeViewGrupos_;
    QPushButton* BitBtnNewGrupo;
    QPushButton* BitBtnDelGrupo;
    QPushButton* BitBtnExpGrupo;
    QPushButton* BitBtnImpGrupo;
    QPushButton* BitBtnActEquipos;
    QPushButton* BitBtnModContrasena;
    QPushButton* BitBtnGestAverias;
    QPushButton* BitBtnResultados;
    QPushButton* BitBtnAyuda;
    QPushButton* BitBtnSalir;
    QWidget* PanelRight;

    TFDMT_VentanaGrupos* grupos_ = nullptr;
    TFDMT_Accesibilidad* acceso_ = nullptr;
    TFDMT_VentanaAlumnos* alumnos_ = nullptr;
    TFDMT_VentanaSubgrupos* subgrupos_ = nullptr;
    TPaginaGestion* resultados_ = nullptr;
    // The data module holds the tree back while a row is being inserted.
    bool reaccionesDatos_ = true;
    // The window's own changes to the tree do not count as the user's.
    int callado_ = 0;
    bool reparacionVirtual_ = false;
    QList<QIcon> imagenes_;
};

// Opens class management maximised and modal; returns when it has closed (after the
// workstation in teacher mode, when the teacher asked for it).
void MostrarGestAlumnado();
