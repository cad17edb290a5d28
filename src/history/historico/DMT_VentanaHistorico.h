#pragma once

#include <QString>
#include <functional>

#include "PaginaGestion.h"

class QLabel;
class QPushButton;
class TVistaHistorico;
class TdmCDS;

// The teacher's history browser: the practices of one student or subgroup per trainer, as
// a general list or one fault with its lines; deletes a practice, prints, and for a student
// exports the history and imports an exported one. A page of class management.
class TFDMT_VentanaHistorico : public TPaginaGestion {
    Q_OBJECT
public:
    TFDMT_VentanaHistorico(TFDMT_GestAlumnado* gestion, TdmCDS& dm, QWidget* parent);

    // "Alumno" or "Subgrupo": whose history the caller has opened and filtered.
    QString TipoHistorico = QStringLiteral("Alumno");
    // The caller's filter of the practices: the owner's own practices in the group.
    const QString& FiltroBase() const;

    void FormShow() override;
    void SpeedBDelAveriaClick();
    void SpeedBImprimirClick();
    void SpeedBImpHistoricoClick();
    void BitBtnVerDatosClick();

    // The group whose history is shown, and the trainer chosen (-1 when none is).
    int CodigoGrupo() const;
    int CodigoEquipo() const;
    TVistaHistorico* Vista() const { return vista_; }

    // A group's results as a spreadsheet, set by whoever provides it: the button stays
    // disabled while it is not set.
    static inline std::function<void(TFDMT_VentanaHistorico*)> ExportarHojaCalculo;

protected:
    void FormHide() override;

private:
    bool EsAlumno() const { return TipoHistorico == QLatin1String("Alumno"); }
    void PonerTextos();
    void AlCambiarModo(int modo);
    // The text that asks before deleting the current practice.
    QString PreguntaBorrar() const;

    TdmCDS& dm_;
    TVistaHistorico* vista_;
    QLabel* LabelTitulo;
    QWidget* ShapeLinea;
    QLabel* LabelNombreGrupo;
    QPushButton* SpeedBDelAveria;
    QPushButton* SpeedBImpHistorico;
    QPushButton* SpeedBTodasAverias;
    QPushButton* SpeedBHojaCalculo;
    QPushButton* BitBtnVerDatos;
};

// Shows the history the student or subgroup page has just opened in class management,
// creating the browser there on first use: class management's VerHistorico.
void MostrarVentanaHistorico(TFDMT_GestAlumnado* gestion, const QString& tipoHistorico);
