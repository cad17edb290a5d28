#include "Ayuda.h"

#include <QShortcut>
#include <QWidget>

namespace {

std::function<void(int)>& abridor() {
    static std::function<void(int)> f;
    return f;
}

}  // namespace

void AbrirAyuda(int libro) {
    if (abridor()) abridor()(libro);
}

void FijarAbridorAyuda(std::function<void(int)> nuevo) {
    abridor() = std::move(nuevo);
}

void AyudaConF1(QWidget* ventana, int libro) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), ventana);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, ventana, [libro] { AbrirAyuda(libro); });
}
