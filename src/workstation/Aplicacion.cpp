#include "Aplicacion.h"

#include <cstdio>
#include <exception>

#include "ErroresTablas.h"
#include "Idioma.h"
#include "Mensajes.h"

namespace {

// "An unexpected error (%1); the saved data are kept".
constexpr int kTextoErrorInesperado = 246;

// While the error is shown, its own window's events may fail again: one message at a time.
bool avisando = false;

void Avisar(const QString& texto) {
    std::fprintf(stderr, "averias: %s\n", qPrintable(texto));
    if (avisando) return;
    avisando = true;
    MostrarMensaje(texto, BotonesAceptar, DibujoError);
    avisando = false;
}

}  // namespace

TAplicacion::TAplicacion(int& argc, char** argv) : QApplication(argc, argv) {}

bool TAplicacion::notify(QObject* receptor, QEvent* evento) {
    return Protegido([&] { return QApplication::notify(receptor, evento); });
}

bool TAplicacion::Protegido(const std::function<bool()>& entregar) {
    try {
        return entregar();
    } catch (const std::exception& error) {
        Avisar(ErroresTablas::TextoError(error));
    } catch (...) {
        Avisar(Texto(kTextoErrorInesperado).arg(QStringLiteral("?")));
    }
    return false;
}
