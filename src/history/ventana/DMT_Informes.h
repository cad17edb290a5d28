#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "Informe.h"
#include "TiposInforme.h"

class GuardaInforme;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QFrame;
class QWidget;
class TDBLookupComboBox;
class TdmCDS;

// Who opens the reports window, and for which trainer.
struct ContextoInformes {
    enum class Origen {
        Puesto,    // the workstation (its history panel): `tipoUsuario` is its user
        Historico  // the history browser: a student's or a subgroup's history
    };
    Origen origen = Origen::Historico;
    int equipo = -1;
    // The workstation's user: 1 student, 2 subgroup, 3 teacher (3 without a workstation).
    int tipoUsuario = 3;
    // The history browser shows a subgroup's history (else a student's).
    bool historicoSubgrupo = false;
};

// The reports window: the report kinds that fit the caller, the selections each kind
// needs, preview and printing. The data module's repair and line filters and positions and
// the seed filter are put back when it closes.
class TFInformes : public QDialog {
    Q_OBJECT
public:
    TFInformes(TdmCDS& dm, ContextoInformes contexto, QWidget* padre = nullptr);
    ~TFInformes() override;

    // The layout the next preview or print loads ("Informes\Informe1AL.frf" and so on).
    const QString& ArchivoInforme() const { return archivoInforme_; }
    // The fault list of the seeds binding: the owner's practised faults (paused ones left out).
    void ElegirListaAverias(bool todosSubgrupos = false);
    // Shows the selection panels the chosen report needs.
    void PanelesSeleccion();
    // True when every shown selection panel has a choice.
    bool SeleccionCompleta() const;
    // The number of radio buttons before the checked one in the box (5 when none is).
    int InformeElegido(QGroupBox* caja) const;
    // What the chosen report prints; nothing when no report is chosen.
    std::optional<PeticionInforme> Peticion() const;

    // The buttons' work: false when nothing was shown or printed.
    bool Previsualizar();
    bool Imprimir();
    bool ImprimirConfigurado();
    // The report prepared last.
    const Informe& UltimoInforme() const { return informe_; }

    // How a prepared report is shown and printed; tests replace them.
    static inline std::function<void(const informes::InformePreparado&, int libroAyuda, QWidget*)> VerPrevia;
    static inline std::function<bool(const informes::InformePreparado&, QWidget*)> ImprimirDialogo;
    static inline std::function<bool(const informes::InformePreparado&, const QString& rango)>
        ImprimirPaginas;

protected:
    void showEvent(QShowEvent* evento) override;
    void done(int resultado) override;

private:
    void CrearControles();
    void PonerTextos();
    void Disponer();
    bool EsPuestoUsuario() const;  // workstation with a student or a subgroup
    bool EsDeSubgrupo() const;     // the owner is a subgroup
    bool Preparar();
    void ElegirInformeAlumno();
    void ElegirInformeSubgrupo();
    void ElegirPuesto();
    void ElegirAveria();
    void ElegirAlumno();
    void TerminoLista(QString& lista);

    TdmCDS& dm_;
    ContextoInformes contexto_;
    QString archivoInforme_;
    AveriaElegida averia_;
    Informe informe_;
    bool mostrada_ = false;
    std::unique_ptr<GuardaInforme> guarda_;
    std::optional<std::pair<QString, bool>> filtroSemillas_;  // the seed filter at show time

    QLabel* labelInformes_ = nullptr;
    QFrame* linea_ = nullptr;
    QWidget* panelAlumno_ = nullptr;
    QWidget* panelInfProfesor_ = nullptr;
    QGroupBox* groupBoxAlumno_ = nullptr;
    QGroupBox* groupBoxSubgrupo_ = nullptr;
    QGroupBox* radioGroupAlumnos_ = nullptr;
    QList<QRadioButton*> radioAl_, radioSub_, radioPuesto_;
    QWidget* panelSelecAv_ = nullptr;
    QWidget* panelSeleccGrp_ = nullptr;
    QWidget* panelSeleccAl_ = nullptr;
    QWidget* panelSeleccSub_ = nullptr;
    QLabel *labelAveria_ = nullptr, *labelGrupo_ = nullptr, *labelAlumno_ = nullptr,
           *labelSubgrupo_ = nullptr;
    TDBLookupComboBox *averia_Box_ = nullptr, *grupoBox_ = nullptr, *alumnoBox_ = nullptr,
                      *subgrupoBox_ = nullptr;
    QPushButton *preview_ = nullptr, *imprimir_ = nullptr, *salir_ = nullptr, *ayuda_ = nullptr,
                *confImprimir_ = nullptr;
};

// Opens the reports window modally for the trainer of `contexto`; it is freed when it closes.
// The history browser and the workstation's history panel call it with their context.
void MostrarInformes(TdmCDS& dm, const ContextoInformes& contexto, QWidget* padre = nullptr);
