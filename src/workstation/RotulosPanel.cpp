#include "RotulosPanel.h"

#include <QDateTime>
#include <QLabel>

#include "Colores.h"
#include "FechaHora.h"
#include "Idioma.h"

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QString::fromLatin1(nombre));
    return l;
}

QLabel* ValorPanel(QWidget* padre, const char* nombre, const QString& texto) {
    QLabel* l = Etiqueta(padre, nombre, texto);
    l->setAutoFillBackground(true);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumHeight(26);
    Negrita(l);
    return l;
}

void Negrita(QWidget* control) {
    QFont letra = control->font();
    letra.setBold(true);
    control->setFont(letra);
}

void FuenteTitulo(QWidget* control) {
    QFont letra = control->font();
    letra.setBold(true);
    letra.setPointSizeF(letra.pointSizeF() * 1.6);
    control->setFont(letra);
}

void PintarTitulo(QWidget* control) {
    QPalette p = control->palette();
    p.setColor(QPalette::WindowText, ColorAcento().darker(130));
    control->setPalette(p);
}

QString TextoMomento(double dias) {
    const QDateTime momento = FechaHoraDesdeDias(dias);
    return momento.toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char(' ') + Texto(106) + QLatin1Char(' ') +
           momento.toString(QStringLiteral("hh:mm:ss"));
}
