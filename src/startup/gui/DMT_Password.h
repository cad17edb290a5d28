#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the login window needs to decide who logs in; the data module provides it.
struct AccesoLogin {
    struct Grupo {
        int codigo;
        QString nombre;
    };
    struct Resultado {
        bool aceptado = false;
        int tipo = 0;  // 1 student, 2 subgroup
    };
    std::function<QList<Grupo>()> grupos;
    // The group chosen in the list becomes the current group.
    std::function<void(int codigo)> elegirGrupo;
    std::function<Resultado(int grupo, const QString& passwordMayusculas)> comprobarPassword;
    std::function<void()> cerrarTablas;
    // The windows a login opens; each returns when its window has closed.
    std::function<void()> abrirGestionAlumnado;
    // Personal data dialog for a student (1) or subgroup (2): true when accepted.
    std::function<bool(int tipo)> confirmarDatosPersonales;
    std::function<void(int tipo)> abrirPuesto;
    // Whether a workstation window is already open.
    std::function<bool()> hayPuesto;
};

// The login window, the program's main window: closing it ends the program.
class TFDMT_Password : public QWidget {
    Q_OBJECT
public:
    explicit TFDMT_Password(AccesoLogin acceso, QWidget* parent = nullptr);

    void SelButtonAceptarClick();
    void RecargarGrupos();

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void crearControles();
    void colocarControles();
    void limpiar();
    int grupoElegido() const;
    void cargarImagenes();

    AccesoLogin acceso_;
    QLabel* ImageFondo;
    QLabel* ImageLogo;
    QLabel* ImageTextoLogo;
    QWidget* PanelSalmon;
    QWidget* PanelSeleccion;
    QLabel* LabelGrupo;
    QComboBox* DBLookupComboBoxGrupos;
    QLabel* LabelContrasena;
    QLineEdit* TEditContrasena;
    QPushButton* SelButtonAceptar;
    QPushButton* SelButtonSalir;
    QPushButton* SelButtonAyuda;
};

// Hides the login window while a main window runs, and shows it again, in front, after.
void OcultarLogin();
void MostrarLogin();
TFDMT_Password* VentanaLogin();
