// The results page on the demo group: plots, sortable tables, clicks, exports, the empty page.
#include <QAbstractItemModel>
#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>

#include "DMT_Resultados.h"
#include "DemoResultados.h"

namespace {

class PaginaResultados : public DemoResultados {
protected:
    void SetUp() override {
        DemoResultados::SetUp();
        pagina = std::make_unique<TFDMT_Resultados>();
        pagina->resize(1400, 900);
        pagina->MostrarGrupo(1);
    }
    QTableView* tabla(int n) const {
        return pagina->findChild<QTableView*>(QString("TablaResultados%1").arg(n));
    }
    QChart* grafico(int n) const {
        return pagina->findChild<QChartView*>(QString("ChartView%1").arg(n))->chart();
    }
    static QString celda(QTableView* t, int fila, int columna) {
        return t->model()->index(fila, columna).data().toString();
    }
    std::unique_ptr<TFDMT_Resultados> pagina;
};

TEST_F(PaginaResultados, LasTresTablasYLosTresGraficosDelGrupo) {
    ASSERT_FALSE(pagina->Vacia());
    const ResultadosGrupo& r = pagina->Resultados();
    EXPECT_TRUE(mensajes.textos().isEmpty()) << mensajes.textos().join('\n').toStdString();
    EXPECT_EQ(pagina->findChild<QLabel*>("LabelTitulo")->text(),
              r.grupo.isEmpty() ? "" : "Resultados del grupo " + r.grupo);
    EXPECT_FALSE(r.grupo.isEmpty());
    ASSERT_FALSE(pagina->Resultados().averias.empty());
    EXPECT_EQ(tabla(1)->model()->rowCount(), static_cast<int>(r.averias.size()));
    EXPECT_EQ(tabla(2)->model()->rowCount(), static_cast<int>(r.alumnos.size()));
    EXPECT_EQ(tabla(3)->model()->rowCount(), static_cast<int>(r.semanas.size()));
    for (int n = 1; n <= 3; ++n) {
        ASSERT_FALSE(grafico(n)->series().isEmpty()) << n;
        EXPECT_FALSE(grafico(n)->title().isEmpty()) << n;
    }
}

TEST_F(PaginaResultados, OrdenarPorUnaColumnaOrdenaPorSuValorNoPorSuTexto) {
    QTableView* t = tabla(1);
    const int columna = 5;  // "% a la primera": "100,0" sorts before "33,3" as text
    ASSERT_EQ(t->model()->headerData(columna, Qt::Horizontal).toString(), "% a la primera");
    t->sortByColumn(columna, Qt::DescendingOrder);
    double anterior = 1000;
    for (int fila = 0; fila < t->model()->rowCount(); ++fila) {
        const QString texto = celda(t, fila, columna);
        const double valor = texto.isEmpty() ? -1 : QString(texto).replace(',', '.').toDouble();
        EXPECT_LE(valor, anterior) << fila;
        anterior = valor;
    }
}

TEST_F(PaginaResultados, PulsarUnaFilaDiceQueAveriaOAlumnoEsAunqueEsteOrdenada) {
    QSignalSpy averias(pagina.get(), &TFDMT_Resultados::AveriaElegida);
    QSignalSpy alumnos(pagina.get(), &TFDMT_Resultados::AlumnoElegido);
    QTableView* t = tabla(1);
    t->sortByColumn(1, Qt::AscendingOrder);
    emit t->clicked(t->model()->index(0, 2));
    ASSERT_EQ(averias.size(), 1);
    const int equipo = averias[0][0].toInt(), averia = averias[0][1].toInt();
    const auto fila =
        std::find_if(pagina->Resultados().averias.begin(), pagina->Resultados().averias.end(),
                     [&](const FilaAveria& f) { return f.equipo == equipo && f.averia == averia; });
    ASSERT_NE(fila, pagina->Resultados().averias.end());
    EXPECT_EQ(TextoAveria(*fila), celda(t, 0, 1));

    QTableView* a = tabla(2);
    a->sortByColumn(2, Qt::DescendingOrder);
    emit a->clicked(a->model()->index(0, 0));
    ASSERT_EQ(alumnos.size(), 1);
    EXPECT_EQ(alumnos[0][0].toInt(), celda(a, 0, 1).toInt());
    EXPECT_EQ(alumnos[0][1].toBool(), celda(a, 0, 0) == "Subgrupo");
}

TEST_F(PaginaResultados, ExportaTablasComoCsvYGraficosComoPngYPdf) {
    CarpetaTemporal destino;
    const QString csv = destino.ruta() + "/averias.csv";
    ASSERT_TRUE(pagina->ExportarTabla(PorResultados::Alumno, csv));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // With a byte-order mark and CR LF, as spreadsheet programs open it.
    EXPECT_EQ(f.readAll(),
              "\xEF\xBB\xBF" + TextoCsv(TablaDe(pagina->Resultados(), PorResultados::Alumno), "\r\n"));

    pagina->show();
    ASSERT_TRUE(pagina->ExportarGrafico(0, destino.ruta() + "/dificiles.png"));
    const QImage imagen(destino.ruta() + "/dificiles.png");
    EXPECT_GT(imagen.width(), 200);
    ASSERT_TRUE(pagina->ExportarGrafico(2, destino.ruta() + "/tendencia.PDF"));
    QFile pdf(destino.ruta() + "/tendencia.PDF");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    // A folder that does not exist is told, not silently ignored.
    EXPECT_FALSE(pagina->ExportarTabla(PorResultados::Semana, destino.ruta() + "/no/hay/semanas.csv"));
    ASSERT_EQ(mensajes.textos().size(), 1);
    EXPECT_TRUE(mensajes.textos()[0].contains("no/hay/semanas.csv"));
}

TEST_F(PaginaResultados, FechasSinPracticasDejanUnaFraseYElFiltroALaVista) {
    pagina->findChild<QDateEdit*>("DateEditDesde")->setDate(QDate(2030, 1, 1));
    pagina->findChild<QDateEdit*>("DateEditHasta")->setDate(QDate(2030, 1, 2));
    EXPECT_TRUE(pagina->Vacia());
    EXPECT_EQ(pagina->findChild<QLabel*>("LabelVacia")->text(),
              "No hay prácticas del grupo con este equipo, este modo y estas fechas.");
    EXPECT_FALSE(pagina->findChild<QWidget*>("PanelFiltro")->isHidden());
}

// Moves the histories away while it lives.
class SinHistoriales {
public:
    explicit SinHistoriales(const QString& demo) : demo_(demo) {
        QDir().rename(demo_ + "/Historic", demo_ + "/Historic.aparte");
        QDir().mkpath(demo_ + "/Historic");
    }
    ~SinHistoriales() {
        QDir(demo_ + "/Historic").removeRecursively();
        QDir().rename(demo_ + "/Historic.aparte", demo_ + "/Historic");
    }

private:
    QString demo_;
};

TEST_F(PaginaResultados, UnGrupoSinPracticasEsUnaPaginaConUnaFrase) {
    const SinHistoriales sin(demo());
    pagina->MostrarGrupo(1);
    EXPECT_TRUE(pagina->Vacia());
    EXPECT_TRUE(pagina->findChild<QLabel*>("LabelVacia")
                    ->text()
                    .startsWith("El grupo " + pagina->Resultados().grupo + " no tiene todavía"))
        << pagina->findChild<QLabel*>("LabelVacia")->text().toStdString();
    EXPECT_TRUE(pagina->findChild<QWidget*>("PanelFiltro")->isHidden());
    EXPECT_TRUE(mensajes.textos().isEmpty());
}

}  // namespace
