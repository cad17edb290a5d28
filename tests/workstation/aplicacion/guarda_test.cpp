#include <gtest/gtest.h>

#include <QDir>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "Aplicacion.h"
#include "CarpetaTemporal.h"
#include "ClientDataSet.h"
#include "Idioma.h"
#include "MensajesGrabados.h"

namespace {

// A window whose handler fails the way a damaged table fails under it.
class VentanaQueFalla : public QWidget {
public:
    static inline const QEvent::Type kFallar = static_cast<QEvent::Type>(QEvent::User + 1);
    int eventosAtendidos = 0;
    QString archivo;

protected:
    bool event(QEvent* evento) override {
        if (evento->type() == kFallar) throw EArchivoTabla(archivo, "damaged");
        if (evento->type() == QEvent::User) ++eventosAtendidos;
        return QWidget::event(evento);
    }
};

class GuardaTest : public ::testing::Test {
protected:
    void SetUp() override {
        idioma_ = std::make_unique<IdiomaTemporal>(carpeta_.escribir(
            "idioma.lng", "241 No está %1.\n243 Fallo en %1.\n246 Error inesperado (%1).\n"));
    }
    CarpetaTemporal carpeta_;
    std::unique_ptr<IdiomaTemporal> idioma_;
    MensajesGrabados mensajes_;
};

TEST_F(GuardaTest, UnaExcepcionDeUnManejadorSeMuestraYElProgramaSigue) {
    VentanaQueFalla ventana;
    ventana.archivo = carpeta_.escribir("BDs/cdsAlumno.cds", "dañado");
    QEvent fallar(VentanaQueFalla::kFallar);
    EXPECT_FALSE(QCoreApplication::sendEvent(&ventana, &fallar));
    ASSERT_EQ(mensajes_.mensajes().size(), 1u);
    EXPECT_EQ(mensajes_.textos().front(), "Fallo en " + QDir::toNativeSeparators(ventana.archivo) + ".");
    EXPECT_EQ(mensajes_.mensajes().front().imagen, DibujoError);

    // Posted events and timers go through the same guard, and the loop goes on after them.
    QCoreApplication::postEvent(&ventana, new QEvent(VentanaQueFalla::kFallar));
    QCoreApplication::postEvent(&ventana, new QEvent(QEvent::User));
    QTimer::singleShot(0, [] { throw std::runtime_error("boom"); });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(ventana.eventosAtendidos, 1);
    ASSERT_EQ(mensajes_.mensajes().size(), 3u);
    EXPECT_EQ(mensajes_.textos().back(), "Error inesperado (boom).");
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TAplicacion app(argc, argv);
    return RUN_ALL_TESTS();
}
