// The report engine: laying out and drawing the all-students report of a big group.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include "AplicacionBench.h"

#include "CarpetaTemporal.h"
#include "DibujoInforme.h"
#include "Instalacion.h"
#include "OrigenDatos.h"
#include "PaginasInforme.h"

namespace {

// The main file of "Informe4AL" for 30 students with 200 practices each, as its writer lays
// it out: the student's name on the first line only, then the end line.
class Grupo6000 : public informes::OrigenDatos {
public:
    Grupo6000() {
        const QStringList bloques = {"Precalentamiento", "Arranque", "Carga", "Alimentación de combustible"};
        const QStringList circuitos = {"Alimentación de las bujías de incandescencia",
                                       "Circuito de mando del motor de arranque",
                                       "Circuito de excitación del alternador", "Electroválvula de paro"};
        const QStringList elementos = {"Fusible de cinta F5 de 60 A de las bujías", "Relé de arranque K1",
                                       "Testigo de carga H2", "Conector de la electroválvula Y1"};
        for (int a = 0; a < 30; ++a)
            for (int r = 0; r < 200; ++r) {
                const int f = (a + r) % 4;
                lineas_ << QStringList{r == 0 ? QString("Alumno %1 Apellido Apellido").arg(a + 1) : " ",
                                       QString::number(101 + f),
                                       QString::number(10 + r % 40),
                                       bloques[f],
                                       circuitos[f],
                                       elementos[f],
                                       "12/02/2026",
                                       "10:05",
                                       "12/02/2026",
                                       "10:47",
                                       "0d 00:42:10",
                                       r % 3 ? "No" : "Sí",
                                       r % 4 ? "Reparada" : "No reparada"};
            }
        lineas_ << QStringList{" "};
        columnas_ = {{"NOMBRE", 0},    {"IDAVERIA", 1},       {"CVIRTUAL", 2}, {"BLOQUE", 3}, {"CIRCUITO", 4},
                     {"ELEMENTO", 5},  {"FINICIO", 6},        {"HINICIO", 7},  {"FFIN", 8},   {"HFIN", 9},
                     {"DURACION", 10}, {"REPTUTORIZADA", 11}, {"REPARADA", 12}};
    }
    void Primero(int) override {
        posicion_ = 0;
        Leer();
    }
    void Siguiente(int) override { Leer(); }
    bool FinDatos(int, bool fin) override { return fin || posicion_ >= lineas_.size(); }
    void Variable(const QString& nombre, QString& valor) override {
        const auto c = columnas_.constFind(nombre.toUpper());
        if (c != columnas_.constEnd()) valor = actual_.value(*c).trimmed();
    }

private:
    void Leer() {
        if (posicion_ < lineas_.size()) actual_ = lineas_[posicion_++];
    }
    QList<QStringList> lineas_;
    QStringList actual_;
    qsizetype posicion_ = 0;
    QHash<QString, int> columnas_;
};

informes::Diseno Diseno4AL() {
    InstalacionTemporal instalacion(carpetaFuentes() + "/installation");
    informes::ErrorDiseno error;
    return *informes::LeerDiseno(Instalacion::Ruta("Informes\\Informe4AL.frf"), error);
}

informes::InformePreparado Preparado4AL() {
    Grupo6000 fuente;
    QString error;
    return *informes::PrepararInforme(Diseno4AL(), fuente, informes::OpcionesInforme{}, error);
}

// A page as the preview shows it at page width on a 96-dpi screen (about 1000 pixels wide).
QImage HojaPrevia() {
    constexpr qreal dpi = 96 * 1.25;
    QImage imagen(qRound(210 / 25.4 * dpi), qRound(297 / 25.4 * dpi), QImage::Format_RGB32);
    imagen.setDotsPerMeterX(qRound(dpi / 0.0254));
    imagen.setDotsPerMeterY(qRound(dpi / 0.0254));
    return imagen;
}

// Target: under 30 ms a page.
void PaginaPrevia(benchmark::State& estado) {
    AsegurarAplicacion();
    const informes::InformePreparado informe = Preparado4AL();
    QImage imagen = HojaPrevia();
    int pagina = 0;
    for (auto _ : estado) {
        imagen.fill(Qt::white);
        QPainter p(&imagen);
        informes::DibujarPagina(p, informe, pagina);
        pagina = (pagina + 1) % informe.Paginas();
    }
    estado.counters["paginas"] = informe.Paginas();
}
BENCHMARK(PaginaPrevia)->Unit(benchmark::kMillisecond);

// The reference of the same run: only clearing the page picture.
void PaginaPreviaReferencia(benchmark::State& estado) {
    AsegurarAplicacion();
    QImage imagen = HojaPrevia();
    for (auto _ : estado) {
        imagen.fill(Qt::white);
        QPainter p(&imagen);
        benchmark::DoNotOptimize(p.isActive());
    }
}
BENCHMARK(PaginaPreviaReferencia)->Unit(benchmark::kMillisecond);

// The engine's share of "InformeGrupo6000": the 6000 practices laid out and saved as PDF
// (the report data writers come on top).
void MaquetarYPdfGrupo6000(benchmark::State& estado) {
    AsegurarAplicacion();
    const informes::Diseno diseno = Diseno4AL();
    CarpetaTemporal carpeta;
    for (auto _ : estado) {
        Grupo6000 fuente;
        QString error;
        const auto informe = informes::PrepararInforme(diseno, fuente, informes::OpcionesInforme{}, error);
        if (!informe || !informes::GuardarPdf(*informe, carpeta.archivo("grupo.pdf"), error))
            estado.SkipWithError(error.toUtf8().constData());
    }
}
BENCHMARK(MaquetarYPdfGrupo6000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

namespace {

// The layout alone, without the PDF.
void MaquetarGrupo6000(benchmark::State& estado) {
    AsegurarAplicacion();
    const informes::Diseno diseno = Diseno4AL();
    for (auto _ : estado) {
        Grupo6000 fuente;
        QString error;
        benchmark::DoNotOptimize(
            informes::PrepararInforme(diseno, fuente, informes::OpcionesInforme{}, error));
    }
}
BENCHMARK(MaquetarGrupo6000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
