// averias-entrenador: checks the trainer link with the program's own code.
//   averias-entrenador [--instalacion DIR] detectar | codigo | activar N | desactivar
// Exit status 0 only when the board did what was asked.
#include "ComBrd415.h"
#include "DMT_Brd415.h"
#include "DispositivoSerie.h"
#include "EnlaceEntrenador.h"
#include "Instalacion.h"
#include "LineaOrdenes.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kExito = 0;
constexpr int kFallo = 1;
constexpr int kUso = 2;

void Decir(const QString& texto) {
    std::fputs(qPrintable(texto + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void Quejarse(const QString& texto) {
    std::fputs(qPrintable(texto + QLatin1Char('\n')), stderr);
}

const char kTextoUso[] =
    "Uso: averias-entrenador [--instalacion CARPETA] detectar | codigo | activar N | desactivar\n"
    "Prueba la placa de relés del entrenador con el código del programa.\n"
    "\n"
    "  detectar               busca la placa en COM1 a COM6 y dice dónde está y su versión\n"
    "  codigo                 imprime el código del entrenador conectado\n"
    "  activar N              activa el relé N (1 a 32)\n"
    "  desactivar             desactiva todos los relés\n"
    "  --instalacion CARPETA  instalación cuya configuración (sección [Puertos]) se usa\n"
    "  --help                 muestra esta ayuda y termina\n"
    "  --version              muestra la versión y termina\n"
    "\n"
    "Termina con 0 cuando la placa hizo lo pedido, 1 cuando no, 2 ante una orden mal escrita.\n";

int Uso() {
    std::fputs(kTextoUso, stderr);
    return kUso;
}

// What a technician needs to know about a device before the search: whether it is there,
// whether this user may open it, whether another program holds it.
QString EstadoDelPuerto(const QString& ruta) {
    int error = 0;
    if (AbrirPuertoExclusivo(ruta, error).valido()) return QStringLiteral("disponible");
    switch (error) {
        case ENOENT:
            return QStringLiteral("no existe");
        case EACCES:
            return QStringLiteral("sin permiso: el usuario debe estar en el grupo dialout");
        case EBUSY:
            return QStringLiteral("ocupado por otro programa");
        default:
            return QStringLiteral("no se puede abrir: ") + QString::fromLocal8Bit(std::strerror(error));
    }
}

QString DondeEsta(const TComBrd415& placa) {
    const int n = placa.PuertoEntrenador();
    return QStringLiteral("COM%1 (%2), modo %3")
        .arg(n)
        .arg(RutaPuerto(n), placa.ModoLinea() ? "línea" : "UART");
}

bool Detectar(const TComBrd415& placa) {
    Decir(QStringLiteral("Configuración: %1").arg(Instalacion::ArchivoConfiguracion()));
    for (int n = 1; n <= 6; ++n)
        Decir(QStringLiteral("  COM%1 = %2 (%3)").arg(n).arg(RutaPuerto(n), EstadoDelPuerto(RutaPuerto(n))));
    Decir(
        QStringLiteral("Buscando la placa en COM1 a COM6, primero en modo UART y después en modo línea..."));
    if (!ConectarEntrenador()) {
        Quejarse(QStringLiteral("No se encontró la placa del entrenador en COM1 a COM6."));
        return false;
    }
    Decir(QStringLiteral("Placa encontrada en %1").arg(DondeEsta(placa)));
    return true;
}

int Ejecutar(TComBrd415& placa, const QStringList& argumentos) {
    const QString orden = argumentos.value(1);
    if (orden == QLatin1String("detectar")) {
        if (!Detectar(placa)) return kFallo;
        Decir(placa.ModoLinea() ? QStringLiteral("Versión: (el modo línea no la da)")
                                : QStringLiteral("Versión: ") + QString::fromLatin1(placa.VersionLeida()));
        return kExito;
    }
    if (orden == QLatin1String("codigo")) {
        if (!Detectar(placa)) return kFallo;
        const int codigo = LeerEquipoEntrenador();
        if (codigo == 0) {
            Quejarse(QStringLiteral("La placa no dio el código del entrenador."));
            return kFallo;
        }
        Decir(QString::number(codigo));
        return kExito;
    }
    if (orden == QLatin1String("activar")) {
        bool esNumero = false;
        const int rele = argumentos.value(2).toInt(&esNumero);
        if (!esNumero || rele < 1 || rele > 32) {
            Quejarse(QStringLiteral("activar necesita un relé de 1 a 32."));
            return kUso;
        }
        if (!Detectar(placa)) return kFallo;
        if (!placa.ActivarRele(rele)) {
            Quejarse(QStringLiteral("La placa no confirmó el relé %1.").arg(rele));
            return kFallo;
        }
        Decir(QStringLiteral("Relé %1 activado.").arg(rele));
        return kExito;
    }
    if (orden == QLatin1String("desactivar")) {
        if (!Detectar(placa)) return kFallo;
        if (!DesactivarAveria(false)) {
            Quejarse(QStringLiteral("La placa no confirmó la desactivación de los relés."));
            return kFallo;
        }
        Decir(QStringLiteral("Todos los relés desactivados."));
        return kExito;
    }
    return Uso();
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto salida =
            AtenderAyudaOVersion(argc, argv, "averias-entrenador", QString::fromUtf8(kTextoUso)))
        return *salida;
    QCoreApplication app(argc, argv);
    const QStringList argumentos = Instalacion::Iniciar(app.arguments());
    TComBrd415 placa;
    FijarEnlaceEntrenador({&placa, {}, {}});
    try {
        const int salida = Ejecutar(placa, argumentos);
        FijarEnlaceEntrenador({});
        return salida;
    } catch (const EComPort& e) {
        Quejarse(QStringLiteral("Error del puerto: %1").arg(QString::fromLocal8Bit(e.what())));
        FijarEnlaceEntrenador({});
        return kFallo;
    }
}
