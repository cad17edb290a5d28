#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "HistorialGrupo.h"
#include "ResultadosGrupo.h"
#include "TablasResultados.h"

class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QStackedWidget;
class QStandardItemModel;
class QTableView;
class QTabWidget;

// The results of one group at a glance: the filter (trainer, mode, days), a summary, the
// three plots and the three tables, sortable, each with its export. A click on a fault or
// a student row tells which one, for the history browser to open it.
class TFDMT_Resultados : public QWidget {
    Q_OBJECT
public:
    explicit TFDMT_Resultados(QWidget* parent = nullptr);

    // Reads the group's histories again and shows them with the filter set back to all.
    void MostrarGrupo(int grupo);
    // Inside a page that has its own title and margins: without its own.
    void SinTitulo();

    // The shown results (after the filter).
    const ResultadosGrupo& Resultados() const { return resultados_; }
    bool Vacia() const;

    // Exports without asking for a file; false (and told) when it cannot be written.
    bool ExportarTabla(PorResultados por, const QString& archivo);
    // Plot 0 the hardest faults, 1 students by score, 2 the weekly trend; PNG or PDF.
    bool ExportarGrafico(int grafico, const QString& archivo);

signals:
    void AveriaElegida(int equipo, int averia);
    void AlumnoElegido(int codigo, bool subgrupo);

private:
    void crearControles();
    QWidget* crearFiltro();
    QWidget* crearGraficos();
    QWidget* crearTablas();
    void ponerTextos();
    void llenarFiltro();
    void recalcular();
    void llenarTabla(PorResultados por);
    void elegirFila(PorResultados por, int fila);
    void pedirArchivoTabla(PorResultados por);
    void pedirArchivoGrafico(int grafico, bool pdf);

    HistorialGrupo historial_;
    ResultadosGrupo resultados_;
    bool llenando_ = false;

    QLabel* LabelTitulo = nullptr;
    QWidget* PanelFiltro = nullptr;
    QComboBox* ComboBoxEquipo = nullptr;
    QComboBox* ComboBoxModo = nullptr;
    QDateEdit* DateEditDesde = nullptr;
    QDateEdit* DateEditHasta = nullptr;
    QLabel* LabelResumen = nullptr;
    QLabel* LabelPuntuacion = nullptr;
    QStackedWidget* Paginas = nullptr;
    QLabel* LabelVacia = nullptr;
    std::array<QChartView*, 3> graficos_{};
    QTabWidget* TabTablas = nullptr;
    std::array<QTableView*, 3> tablas_{};
    std::array<QStandardItemModel*, 3> modelos_{};
};
