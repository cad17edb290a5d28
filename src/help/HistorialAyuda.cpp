#include "HistorialAyuda.h"

void HistorialAyuda::Visitar(const QString& titulo, const QString& pagina, const QString& marco) {
    for (int i = 0; i < entradas_.size(); ++i) {
        if (entradas_[i].pagina == pagina && entradas_[i].marco == marco) {
            actual_ = i;
            return;
        }
    }
    entradas_.prepend({titulo.left(kLargoTitulo), pagina, marco});
    while (entradas_.size() > kMaximo) entradas_.removeLast();
    actual_ = 0;
}

QString HistorialAyuda::Titulo(const QString& tituloPagina, const QString& tituloMarco) {
    if (tituloMarco.isEmpty()) return tituloPagina.left(kLargoTitulo);
    if (tituloPagina.isEmpty()) return tituloMarco.left(kLargoTitulo);
    return (tituloPagina + QStringLiteral(" - ") + tituloMarco).left(kLargoTitulo);
}
