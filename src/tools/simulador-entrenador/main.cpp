// simulador-entrenador: a relay board in UART mode on a pseudo-terminal. It prints the
// device to map in [Puertos] and then one line for every change of the relays that are on.
#include "LineaOrdenes.h"
#include "PlacaUartSimulada.h"
#include "VentanaSimulador.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

struct Opciones {
    QByteArray codigo;
    QByteArray version;
    ConductaUart conducta;
    bool ventana = false;
};

// The window needs a display; the help and the version never do.
bool QuiereVentana(int argc, char** argv) {
    bool ventana = false;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "--version") == 0) return false;
        if (qstrcmp(argv[i], "--ventana") == 0) ventana = true;
    }
    return ventana;
}

Opciones LeerOpciones(const QCoreApplication& app) {
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Entrenador simulado: placa de relés en modo UART."));
    p.addHelpOption();
    p.addVersionOption();
    const QCommandLineOption codigo(QStringLiteral("codigo"), QStringLiteral("Código del entrenador."),
                                    QStringLiteral("N"), QStringLiteral("1"));
    // "--version" is the program's own, as in every program of the set.
    const QCommandLineOption version(QStringLiteral("version-placa"),
                                     QStringLiteral("Texto de versión de la placa, tras la V."),
                                     QStringLiteral("TEXTO"), QStringLiteral("1.0"));
    const QCommandLineOption sinAmp(QStringLiteral("sin-ampersand"), QStringLiteral("Respuestas sin \"&\"."));
    const QCommandLineOption letra(QStringLiteral("letra-erronea"),
                                   QStringLiteral("La versión no empieza por V."));
    const QCommandLineOption basura(QStringLiteral("basura"), QStringLiteral("Responde bytes sin sentido."));
    const QCommandLineOption silencio(QStringLiteral("silencio"), QStringLiteral("No responde."));
    const QCommandLineOption lento(QStringLiteral("lento"), QStringLiteral("Responde tras MS milisegundos."),
                                   QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption ventana(QStringLiteral("ventana"),
                                     QStringLiteral("Muestra el entrenador en una ventana."));
    p.addOptions({codigo, version, sinAmp, letra, basura, silencio, lento, ventana});
    p.process(app);
    Opciones o;
    o.codigo = p.value(codigo).toLatin1();
    o.version = p.value(version).toLatin1();
    o.conducta.sinAmpersand = p.isSet(sinAmp);
    o.conducta.letraErronea = p.isSet(letra);
    o.conducta.basura = p.isSet(basura);
    o.conducta.silencio = p.isSet(silencio);
    o.conducta.retrasoMs = p.value(lento).toInt();
    o.ventana = p.isSet(ventana);
    return o;
}

void Imprimir(const QString& linea) {
    std::fputs(qPrintable(linea + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> app;
    if (QuiereVentana(argc, argv))
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationVersion(VersionAverias());
    const Opciones opciones = LeerOpciones(*app);

    std::unique_ptr<VentanaSimulador> ventana;
    try {
        ServidorUartSimulado servidor(PlacaUartSimulada(opciones.codigo, opciones.version, opciones.conducta),
                                      [&ventana](std::uint32_t reles) {
                                          Imprimir(QStringLiteral("reles: ") + TextoReles(reles));
                                          if (ventana)
                                              QMetaObject::invokeMethod(
                                                  ventana.get(),
                                                  [&ventana, reles] { ventana->MostrarReles(reles); },
                                                  Qt::QueuedConnection);
                                      });
        Imprimir(servidor.Ruta());
        std::fprintf(stderr, "Entrenador %s: ponga COM1=%s en la sección [Puertos] de la configuración.\n",
                     opciones.codigo.constData(), qPrintable(servidor.Ruta()));
        if (opciones.ventana) {
            ventana =
                std::make_unique<VentanaSimulador>(QString::fromLatin1(opciones.codigo), servidor.Ruta());
            ventana->show();
        }
        // The server goes before the window: it is the one that writes to it.
        return app->exec();
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "No se pudo crear el puerto simulado: %s\n", e.what());
        return 1;
    }
}
