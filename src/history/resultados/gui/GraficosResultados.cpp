#include "GraficosResultados.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QFileInfo>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QValueAxis>
#include <QWidget>
#include <algorithm>

#include "Idioma.h"
#include "TablasResultados.h"

namespace GraficosResultados {

namespace {

// Colours that read apart on a projector and in black and white print.
const QColor kAzul(31, 92, 153), kNaranja(230, 126, 34), kVerde(39, 140, 84);

QChart* Grafico(const QString& titulo) {
    auto* chart = new QChart;
    chart->setTitle(titulo);
    QFont fuente = chart->titleFont();
    fuente.setPointSizeF(fuente.pointSizeF() * 1.2);
    fuente.setBold(true);
    chart->setTitleFont(fuente);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

QValueAxis* EjePorcentaje(const QString& titulo) {
    auto* eje = new QValueAxis;
    eje->setRange(0, 100);
    eje->setTickCount(6);
    eje->setLabelFormat(QStringLiteral("%d"));
    eje->setTitleText(titulo);
    return eje;
}

QBarSet* Serie(const QString& nombre, const QColor& color) {
    auto* serie = new QBarSet(nombre);
    serie->setColor(color);
    serie->setBorderColor(color);
    return serie;
}

void Barras(QChart* chart, QHorizontalBarSeries* barras, const QStringList& categorias, const QString& eje) {
    barras->setBarWidth(0.8);
    chart->addSeries(barras);
    auto* ejeCategorias = new QBarCategoryAxis;
    ejeCategorias->append(categorias);
    chart->addAxis(ejeCategorias, Qt::AlignLeft);
    barras->attachAxis(ejeCategorias);
    QValueAxis* valores = EjePorcentaje(eje);
    chart->addAxis(valores, Qt::AlignBottom);
    barras->attachAxis(valores);
}

}  // namespace

QChart* AveriasDificiles(const ResultadosGrupo& r, int cuantas) {
    QChart* chart = Grafico(Texto(71020));
    std::vector<const FilaAveria*> filas;
    for (const FilaAveria& f : r.averias)
        if (f.cifras.reparadas && static_cast<int>(filas.size()) < cuantas) filas.push_back(&f);
    // The bars go from the bottom up: the hardest fault ends on top, with the longest bar.
    std::reverse(filas.begin(), filas.end());
    QBarSet* sinReparar = Serie(Texto(71021), kNaranja);
    QStringList categorias;
    for (const FilaAveria* f : filas) {
        categorias << Texto(71023).arg(TextoAveria(*f)).arg(f->cifras.practicas);
        *sinReparar << (1 - *f->cifras.reparadas) * 100;
    }
    auto* barras = new QHorizontalBarSeries;
    barras->append(sinReparar);
    Barras(chart, barras, categorias, Texto(71021));
    chart->legend()->hide();
    return chart;
}

QChart* AlumnosPorPuntuacion(const ResultadosGrupo& r) {
    QChart* chart = Grafico(Texto(71024));
    std::vector<const FilaAlumno*> filas;
    for (const FilaAlumno& f : r.alumnos)
        if (f.cifras.puntuacion) filas.push_back(&f);
    std::stable_sort(filas.begin(), filas.end(), [](const FilaAlumno* a, const FilaAlumno* b) {
        return *a->cifras.puntuacion < *b->cifras.puntuacion;
    });
    QBarSet* puntos = Serie(Texto(71025), kVerde);
    QStringList categorias;
    for (const FilaAlumno* f : filas) {
        categorias << (f->subgrupo ? Texto(71026).arg(f->nombre) : f->nombre);
        *puntos << *f->cifras.puntuacion;
    }
    auto* barras = new QHorizontalBarSeries;
    barras->append(puntos);
    Barras(chart, barras, categorias, Texto(71025));
    chart->legend()->hide();
    return chart;
}

QChart* Tendencia(const ResultadosGrupo& r) {
    QChart* chart = Grafico(Texto(71027));
    auto* reparadas = new QLineSeries;
    reparadas->setName(Texto(71022));
    auto* puntos = new QLineSeries;
    puntos->setName(Texto(71025));
    QStringList semanas;
    for (const FilaSemana& s : r.semanas) {
        const qreal x = semanas.size();
        semanas << s.lunes.toString(QStringLiteral("dd/MM"));
        if (s.cifras.reparadas) reparadas->append(x, *s.cifras.reparadas * 100);
        if (s.cifras.puntuacion) puntos->append(x, *s.cifras.puntuacion);
    }
    for (auto [serie, color] : {std::pair{reparadas, kAzul}, std::pair{puntos, kVerde}}) {
        QPen lapiz(color);
        lapiz.setWidth(3);
        serie->setPen(lapiz);
        serie->setPointsVisible(true);
        chart->addSeries(serie);
    }
    auto* ejeSemanas = new QBarCategoryAxis;
    ejeSemanas->append(semanas);
    ejeSemanas->setTitleText(Texto(71028));
    chart->addAxis(ejeSemanas, Qt::AlignBottom);
    QValueAxis* valores = EjePorcentaje(QString());
    chart->addAxis(valores, Qt::AlignLeft);
    for (QLineSeries* serie : {reparadas, puntos}) {
        serie->attachAxis(ejeSemanas);
        serie->attachAxis(valores);
    }
    return chart;
}

bool Exportar(QWidget* vista, const QString& archivo) {
    if (QFileInfo(archivo).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        return vista->grab().save(archivo, "PNG");
    QPdfWriter pdf(archivo);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setResolution(150);
    QPainter pintor;
    if (!pintor.begin(&pdf)) return false;
    // Painted at the page's scale: the plot's lines and letters stay sharp in the PDF.
    const QRect pagina = pintor.viewport();
    const double escala =
        std::min(pagina.width() / double(vista->width()), pagina.height() / double(vista->height()));
    pintor.scale(escala, escala);
    vista->render(&pintor, QPoint(), QRegion(), QWidget::DrawChildren);
    return pintor.end();
}

}  // namespace GraficosResultados
