#include "Arranque.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <chrono>

#include "AccesoLoginDatos.h"
#include "Aplicacion.h"
#include "Ayuda.h"
#include "Azar.h"
#include "CapaMensajesVentanas.h"
#include "Configuracion.h"
#include "DMT_AVDatosPersonales.h"
#include "DMT_AVDetectarEquipo.h"
#include "DMT_AVGestHistorico.h"
#include "DMT_EscogerCaratula.h"
#include "DMT_GestAlumnado.h"
#include "DMT_GestAverias.h"
#include "DMT_ImportarLista.h"
#include "DMT_ModifPassword.h"
#include "DMT_Password.h"
#include "DMT_VentanaAlumnos.h"
#include "DMT_VentanaHistorico.h"
#include "EnlacesGestion.h"
#include "FichaPersonalDatos.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "Intercambio.h"
#include "LineaOrdenes.h"
#include "Pantalla.h"
#include "dmCDS.h"
#include "html_MainHelp.h"

namespace {

const char kUso[] =
    "Uso: averias [--instalacion CARPETA] [PÁGINA]\n"
    "Averías: prácticas de diagnóstico de averías sobre un entrenador eléctrico.\n"
    "\n"
    "  --instalacion CARPETA  carpeta de la instalación (configuración averias.ini, idioma.lng,\n"
    "                         imágenes, BDs, Historic, Informes, Help); sin ella, la carpeta del\n"
    "                         programa, con la configuración en su nombre con .ini\n"
    "  PÁGINA                 página de ayuda que abre la ventana de ayuda\n"
    "  --help                 muestra esta ayuda y termina\n"
    "  --version              muestra la versión y termina\n";

constexpr int kTextoSinEscritura = 990;

bool cargarIcono(QApplication& app) {
    QImageReader lector(RutaIcono());
    const QImage imagen = lector.read();
    if (imagen.isNull()) {
        QMessageBox::critical(nullptr, QStringLiteral("Averías"),
                              QStringLiteral("No se puede cargar el icono de la aplicación:\n%1\n%2")
                                  .arg(RutaIcono(), lector.errorString()));
        return false;
    }
    app.setWindowIcon(QIcon(QPixmap::fromImage(imagen)));
    return true;
}

void crearIdioma() {
    auto idioma = std::make_unique<TLanguage>();
    try {
        idioma->setIdiomaFile(Instalacion::Ruta(QStringLiteral("idioma.lng")));
    } catch (const ErrorIdioma&) {
        // Without a language file the program still runs; every text reads "nada".
    }
    FijarIdiomaApp(std::move(idioma));
}

// Opens a main window with the login hidden, and brings the login back after.
void AbrirSinLogin(int tipoUsuario) {
    // A login refused by the workstation (a damaged history) leaves the login in front.
    if (MostrarGestAverias(tipoUsuario, OcultarLogin)) MostrarLogin();
}

}  // namespace

bool InstalarTraduccionQt() {
    static QTranslator traductor;
    if (!traductor.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&traductor);
}

int EjecutarAverias(int argc, char** argv) {
    if (const auto salida = AtenderAyudaOVersion(argc, argv, "averias", QString::fromUtf8(kUso)))
        return *salida;
    const std::unique_ptr<TAplicacion> aplicacion = CrearAplicacion<TAplicacion>(argc, argv);
    if (!aplicacion) return kSalidaSinPantalla;
    TAplicacion& app = *aplicacion;
    const QStringList argumentos = Instalacion::Iniciar(QCoreApplication::arguments());
    // A page named on the command line is where the first help window opens.
    if (argumentos.size() > 1) FijarPaginaDeLineaDeOrdenes(PaginaDeArgumentos(argumentos));
    SembrarAzar(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));

    if (!cargarIcono(app)) return 1;
    crearIdioma();
    InstalarTraduccionQt();
    static CapaMensajesVentanas ventanasDeMensaje;
    InstalarCapaMensajes(&ventanasDeMensaje);

    // A folder this user cannot write would fail only at the first save, losing that work.
    if (const QString carpeta = Instalacion::CarpetaSinEscritura(); !carpeta.isEmpty()) {
        MostrarMensaje(Texto(kTextoSinEscritura).arg(carpeta), BotonesAceptar, 2);
        return 1;
    }

    // A group import that a stopped program left half in place is finished before any
    // table is read.
    RecuperarIntercambio();
    TdmCDS datos;         // the program's dmCDS
    datos.AbrirTablas();  // a missing file is reported and start-up goes on
    AccesoLogin acceso = AccesoLoginDatos(datos);
    acceso.abrirGestionAlumnado = [] {
        OcultarLogin();
        MostrarGestAlumnado();
        MostrarLogin();
    };
    TFDMT_GestAlumnado::CambiarPassword = [] { CambiarPasswordProfesor(); };
    TFDMT_GestAlumnado::VerHistorico = MostrarVentanaHistorico;
    TFDMT_VentanaAlumnos::ImportarLista = [](TFDMT_VentanaAlumnos* pagina) { ImportarListaEnPagina(pagina); };
    TFDMT_GestAverias::MostrarHistorico = MostrarHistoricoPuesto;
    EnlazarGestionHistoria(datos);
    acceso.abrirPuesto = [](int tipo) { AbrirSinLogin(tipo); };
    TFDMT_Password login(acceso);
    TFDMT_EscogerCaratula modelos;  // kept hidden for the life of the program
    TFDMT_AVDetectarEquipo::ElegirModelo = ElegirCaratula;
    TFDMT_GestAverias::MostrarDatosPersonales = [&datos](int tipo) {
        FichaPersonalDatos ficha(datos, tipo);
        TFDMT_AVDatosPersonales(tipo, ficha, QApplication::activeWindow()).exec();
    };
    FijarAbridorAyuda(MostrarAyuda);
    FijarFormActivo(&login);
    login.showMaximized();
    return app.exec();
}
