#include "Arranque.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <chrono>

#include "AccesoLoginDatos.h"
#include "Aplicacion.h"
#include "Ayuda.h"
#include "Azar.h"
#include "CapaMensajesVentanas.h"
#include "Configuracion.h"
#include "DMT_AVDatosPersonales.h"
#include "DMT_AVDetectarEquipo.h"
#include "DMT_EscogerCaratula.h"
#include "DMT_GestAverias.h"
#include "DMT_Password.h"
#include "FichaPersonalDatos.h"
#include "FormActivo.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "dmCDS.h"
#include "html_MainHelp.h"

namespace {

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

int EjecutarAverias(int argc, char** argv) {
    TAplicacion app(argc, argv);
    const QStringList argumentos = Instalacion::Iniciar(QCoreApplication::arguments());
    // A page named on the command line is where the first help window opens.
    if (argumentos.size() > 1) FijarPaginaDeLineaDeOrdenes(PaginaDeArgumentos(argumentos));
    SembrarAzar(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));

    if (!cargarIcono(app)) return 1;
    crearIdioma();
    static CapaMensajesVentanas ventanasDeMensaje;
    InstalarCapaMensajes(&ventanasDeMensaje);

    TdmCDS datos;         // the program's dmCDS
    datos.AbrirTablas();  // a missing file is reported and start-up goes on
    AccesoLogin acceso = AccesoLoginDatos(datos);
    // Until class management is there, the teacher practises at the workstation.
    acceso.abrirGestionAlumnado = [] { AbrirSinLogin(UsuarioProfesor); };
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
