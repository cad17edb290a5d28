#pragma once

#include <QWidget>

struct TDatosPractica;

// The dysfunction panel: shown while a fault is on the trainer to be watched.
class TFDMT_AVDisfuncion : public QWidget {
public:
    TFDMT_AVDisfuncion(TDatosPractica& practica, QWidget* parent = nullptr);
    void Preparar(int codigo, const QString& nivelSintomas, double momento);
};

TFDMT_AVDisfuncion* CrearPanelDisfuncion(QWidget* anfitrion, TDatosPractica& practica, int codigo,
                                         const QString& nivelSintomas, double momento);
TFDMT_AVDisfuncion* PanelDisfuncion();
