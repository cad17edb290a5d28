#include "Pantalla.h"

#include <QByteArray>
#include <QList>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool Variable(const char* nombre) {
    return !qEnvironmentVariableIsEmpty(nombre);
}

// Whether one entry of QT_QPA_PLATFORM ("xcb", "wayland-egl", "vnc:size=800x600") can start.
bool PlataformaPosible(const QByteArray& entrada) {
    const QByteArray nombre = entrada.split(':').first().trimmed();
    if (nombre == "xcb") return Variable("DISPLAY");
    if (nombre.startsWith("wayland")) return Variable("WAYLAND_DISPLAY");
    return true;  // offscreen, vnc, eglfs, linuxfb... need no display server
}

// What Qt says while the application object is built, held back until it is known whether
// the platform started: then it goes out as usual, or gives way to one line of ours.
struct MensajeRetenido {
    QtMsgType tipo;
    QByteArray archivo, funcion, categoria;
    int linea;
    QString texto;
};

std::vector<MensajeRetenido>& Retenidos() {
    static std::vector<MensajeRetenido> mensajes;
    return mensajes;
}

QtMessageHandler& ManejadorAnterior() {
    static QtMessageHandler manejador = nullptr;
    return manejador;
}

void Retener(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    if (tipo == QtFatalMsg) {
        QString motivo;
        for (const MensajeRetenido& m : Retenidos())  // the first says why, as "could not connect to display"
            if (motivo.isEmpty() && m.categoria.startsWith("qt.qpa")) motivo = m.texto;
        const QByteArray display = qgetenv("DISPLAY");
        DecirSinPantalla(
            QStringLiteral("no se puede abrir la pantalla gráfica%1%2; arranque el programa en una "
                           "sesión de escritorio.")
                .arg(display.isEmpty() ? QString()
                                       : QStringLiteral(" %1").arg(QString::fromLocal8Bit(display)),
                     motivo.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(motivo.trimmed())));
        std::_Exit(kSalidaSinPantalla);
    }
    Retenidos().push_back({tipo, contexto.file, contexto.function, contexto.category, contexto.line, texto});
}

}  // namespace

void DecirSinPantalla(const QString& linea) {
    std::fputs(qPrintable(QStringLiteral("averias: ") + linea + QLatin1Char('\n')), stderr);
    std::fflush(stderr);
}

void RetenerMensajesQt() {
    ManejadorAnterior() = qInstallMessageHandler(Retener);
}

void SoltarMensajesQt() {
    qInstallMessageHandler(ManejadorAnterior());
    for (const MensajeRetenido& m : Retenidos()) {
        const QMessageLogContext contexto(m.archivo.isNull() ? nullptr : m.archivo.constData(), m.linea,
                                          m.funcion.isNull() ? nullptr : m.funcion.constData(),
                                          m.categoria.isNull() ? nullptr : m.categoria.constData());
        ManejadorAnterior()(m.tipo, contexto, m.texto);
    }
    Retenidos().clear();
}

QString FaltaPantalla(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0) return {};
    const QByteArray plataforma = qgetenv("QT_QPA_PLATFORM");
    if (plataforma.trimmed().isEmpty()) {
        if (Variable("DISPLAY") || Variable("WAYLAND_DISPLAY")) return {};
        return QStringLiteral(
            "no hay pantalla gráfica (DISPLAY y WAYLAND_DISPLAY están vacías); arranque "
            "el programa en una sesión de escritorio.");
    }
    for (const QByteArray& entrada : plataforma.split(';'))
        if (PlataformaPosible(entrada)) return {};
    return QStringLiteral(
               "no hay pantalla gráfica para la plataforma \"%1\" (DISPLAY o WAYLAND_DISPLAY "
               "están vacías); arranque el programa en una sesión de escritorio.")
        .arg(QString::fromLocal8Bit(plataforma));
}
