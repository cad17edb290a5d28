#include "ApoyoEntrenador.h"
#include "ComPort.h"
#include "DispositivoSerie.h"
#include "PlacaUartSimulada.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>
#include <QThread>
#include <atomic>
#include <cerrno>
#include <chrono>

namespace {

using Reloj = std::chrono::steady_clock;

// A port on COM1 whose other end the test holds.
class ComPortTest : public ::testing::Test {
protected:
    Pseudoterminal pty;
    PuertosDePrueba puertos{{{1, pty.Ruta()}}};
    TComPort puerto;

    void EscribirDesdeLaPlaca(const QByteArray& datos) {
        ASSERT_EQ(::write(pty.Maestro(), datos.constData(), size_t(datos.size())), datos.size());
    }

    QByteArray LeerEnLaPlaca(int cuenta) {
        QByteArray datos;
        const auto fin = Reloj::now() + std::chrono::seconds(5);
        while (datos.size() < cuenta && Reloj::now() < fin) {
            pollfd p{pty.Maestro(), POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0) continue;
            char b[64];
            const ssize_t n = ::read(pty.Maestro(), b, sizeof b);
            if (n > 0) datos.append(b, n);
        }
        return datos;
    }
};

std::string MensajeDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const EComPort& e) {
        return e.what();
    }
    return {};
}

TEST_F(ComPortTest, CreationValuesAreThoseOfTheComponent) {
    EXPECT_EQ(puerto.BaudRate(), br9600);
    EXPECT_EQ(puerto.Port(), COM1);
    EXPECT_EQ(puerto.Parity().Bits(), prNone);
    EXPECT_EQ(puerto.StopBits(), sbOneStopBit);
    EXPECT_EQ(puerto.DataBits(), dbEight);
    EXPECT_EQ(puerto.Events(), TEvents::Todos());
    EXPECT_EQ(puerto.ReadBufSize(), 1024);
    EXPECT_EQ(puerto.WriteBufSize(), 1024);
    EXPECT_EQ(puerto.FlowControl().ControlDtr(), dtrDisable);
    EXPECT_EQ(puerto.FlowControl().ControlRts(), rtsDisable);
    EXPECT_EQ(puerto.Timeouts().ReadInterval(), -1);
    EXPECT_EQ(puerto.Timeouts().WriteTotalMultiplier(), 100);
    EXPECT_EQ(puerto.Timeouts().WriteTotalConstant(), 1000);
    EXPECT_EQ(puerto.SyncMethod(), smSynchronize);
    EXPECT_EQ(MascaraDeEventos(TEvents::Todos()), 0x5FFu);
}

TEST_F(ComPortTest, WritesReachTheOtherEndAndRepliesAreRead) {
    puerto.Open();
    ASSERT_TRUE(puerto.IsConnected());
    EXPECT_EQ(puerto.WriteText("V#", true), 2);
    EXPECT_EQ(LeerEnLaPlaca(2), QByteArray("V#"));
    EscribirDesdeLaPlaca("V1.2&");
    ASSERT_TRUE(EsperarHasta([&] { return puerto.InputCount() == 5; }));
    QByteArray texto;
    EXPECT_EQ(puerto.ReadText(texto, 20, true), 5);
    EXPECT_EQ(texto.size(), 20);
    EXPECT_EQ(texto.left(5), QByteArray("V1.2&"));
}

TEST_F(ComPortTest, ReadWithNothingReceivedReturnsZeroAtOnce) {
    puerto.Open();
    QByteArray texto;
    const auto inicio = Reloj::now();
    EXPECT_EQ(puerto.ReadText(texto, 20, true), 0);
    EXPECT_LT(Reloj::now() - inicio, std::chrono::seconds(1));
}

TEST_F(ComPortTest, PortHeldByAnotherIsRefusedAsBusy) {
    puerto.Open();
    TComPort otro;
    EXPECT_EQ(MensajeDe([&] { otro.Open(); }), "Unable to open com port: " + std::to_string(EBUSY));
    EXPECT_FALSE(otro.IsConnected());
    puerto.Close();
    EXPECT_NO_THROW(otro.Open());
}

TEST_F(ComPortTest, MissingDeviceFailsWithItsSystemCodeAndStaysClosed) {
    puerto.setPort(COM2);
    EXPECT_EQ(MensajeDe([&] { puerto.Open(); }), "Unable to open com port: " + std::to_string(ENOENT));
    EXPECT_FALSE(puerto.IsConnected());
}

TEST_F(ComPortTest, ChangingPortWhileOpenMovesTheConnection) {
    Pseudoterminal otraPlaca;
    puertos.Mapear({{1, pty.Ruta()}, {2, otraPlaca.Ruta()}});
    puerto.Open();
    puerto.setPort(COM2);
    EXPECT_TRUE(puerto.IsConnected());
    // COM1 is free again, and what is written now goes to COM2's device.
    TComPort otro;
    EXPECT_NO_THROW(otro.Open());
    puerto.WriteText("D#", true);
    pollfd p{otraPlaca.Maestro(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    char b[4];
    EXPECT_EQ(::read(otraPlaca.Maestro(), b, sizeof b), 2);
}

TEST_F(ComPortTest, PortNamesAreReadFromTheConfigurationAtEveryOpen) {
    Pseudoterminal otraPlaca;
    puerto.Open();
    puerto.Close();
    puertos.Mapear({{1, otraPlaca.Ruta()}});
    puerto.Open();
    puerto.WriteText("L#", true);
    pollfd p{otraPlaca.Maestro(), POLLIN, 0};
    EXPECT_EQ(::poll(&p, 1, 5000), 1);
}

TEST(RutaPuertoTest, UnmappedPortsAreTheFirstSerialDevices) {
    CarpetaTemporal carpeta;
    InstalacionTemporal instalacion(carpeta.ruta());
    carpeta.escribir("averias.ini", "[Puertos]\ncom2=/dev/ttyUSB0\n");
    EXPECT_EQ(RutaPuerto(1), "/dev/ttyS0");
    EXPECT_EQ(RutaPuerto(2), "/dev/ttyUSB0");
    EXPECT_EQ(RutaPuerto(8), "/dev/ttyS7");
}

TEST_F(ComPortTest, SyncMethodCanOnlyChangeWhileClosed) {
    puerto.setSyncMethod(smNone);
    EXPECT_EQ(puerto.SyncMethod(), smNone);
    puerto.Open();
    EXPECT_EQ(MensajeDe([&] { puerto.setSyncMethod(smWindow); }), "Cannot set SyncMethod while connected");
    EXPECT_EQ(puerto.SyncMethod(), smNone);
}

TEST_F(ComPortTest, CloseOnClosedPortDoesNothing) {
    int cierres = 0;
    puerto.OnClose = [&](TComPort&) { ++cierres; };
    puerto.Close();
    EXPECT_EQ(cierres, 0);
    puerto.Open();
    puerto.Close();
    puerto.Close();
    EXPECT_EQ(cierres, 1);
}

TEST_F(ComPortTest, SettingsChangedWhileOpenAreAppliedAtOnce) {
    puerto.Open();
    EXPECT_NO_THROW(puerto.setBaudRate(br19200));
    EXPECT_NO_THROW(puerto.setBaudRate(br14400));  // a speed without a standard constant
    EXPECT_NO_THROW(puerto.Parity().setBits(prEven));
    EXPECT_EQ(MensajeDe([&] { puerto.setReadBufSize(0); }),
              "Unable to set com state: " + std::to_string(EINVAL));
}

TEST_F(ComPortTest, PendingReadCompletesWhenWaitedFor) {
    puerto.Timeouts().setReadTotalConstant(5000);
    puerto.Open();
    QByteArray texto;
    EXPECT_EQ(puerto.ReadText(texto, 3, false), -1);
    EscribirDesdeLaPlaca("abc");
    EXPECT_EQ(puerto.WaitPendingIO(), 3);
    EXPECT_EQ(texto, QByteArray("abc"));
    EXPECT_EQ(puerto.WaitPendingIO(), -2);
}

TEST_F(ComPortTest, PendingReadStartedBeforeTheBytesArriveWaitsForThem) {
    puerto.Timeouts().setReadTotalConstant(5000);
    puerto.Open();
    QByteArray texto;
    EXPECT_EQ(puerto.ReadText(texto, 3, false), -1);
    QThread::msleep(100);  // the background read has found nothing and waits
    EscribirDesdeLaPlaca("abc");
    EXPECT_EQ(puerto.WaitPendingIO(), 3);
    EXPECT_EQ(texto, QByteArray("abc"));
}

TEST_F(ComPortTest, ReadOnAHungUpLineFailsInsteadOfWaiting) {
    puerto.Timeouts().setReadTotalConstant(60000);
    puerto.Open();
    pty.CerrarMaestro();
    QByteArray texto;
    const auto inicio = Reloj::now();
    EXPECT_THROW(puerto.ReadText(texto, 3, true), EComPort);
    EXPECT_LT(Reloj::now() - inicio, std::chrono::seconds(30));
}

TEST_F(ComPortTest, AbortingEndsPendingOperationsAtOnce) {
    puerto.Timeouts().setReadTotalConstant(60000);
    puerto.Open();
    QByteArray texto;
    ASSERT_EQ(puerto.ReadText(texto, 3, false), -1);
    const auto inicio = Reloj::now();
    puerto.AbortPendingIO();
    EXPECT_LT(Reloj::now() - inicio, std::chrono::seconds(10));
    EXPECT_EQ(puerto.WaitPendingIO(), -2);
}

TEST_F(ComPortTest, WriteStopsAtItsTimeOutWhenTheOtherEndDoesNotRead) {
    puerto.Timeouts().setWriteTotalMultiplier(0);
    puerto.Timeouts().setWriteTotalConstant(300);
    puerto.Open();
    const QByteArray mucho(1 << 20, 'x');  // far more than the terminal queues hold
    const int escritos = puerto.WriteText(mucho, true);
    EXPECT_GT(escritos, 0);
    EXPECT_LT(escritos, mucho.size());
}

TEST_F(ComPortTest, PendingWriteGivesItsBytesWhenWaitedFor) {
    puerto.Timeouts().setWriteTotalMultiplier(0);
    puerto.Timeouts().setWriteTotalConstant(300);
    puerto.Open();
    const QByteArray mucho(1 << 20, 'x');
    EXPECT_EQ(puerto.WriteText(mucho, false), -1);
    const int escritos = puerto.WaitPendingIO();
    EXPECT_GT(escritos, 0);
    EXPECT_LT(escritos, mucho.size());
}

TEST_F(ComPortTest, SynchronisedHandlerRunsOnTheUserInterfaceThreadWithTheInputCount) {
    std::atomic<int> recibidos{0};
    QThread* hiloDelManejador = nullptr;
    puerto.OnRxChar = [&](TComPort&, int cuenta) {
        hiloDelManejador = QThread::currentThread();
        recibidos = cuenta;
    };
    puerto.Open();
    EscribirDesdeLaPlaca("xyz");
    ASSERT_TRUE(EsperarHasta([&] { return recibidos.load() > 0; }));
    EXPECT_EQ(hiloDelManejador, QCoreApplication::instance()->thread());
    EXPECT_EQ(recibidos.load(), 3);
}

TEST_F(ComPortTest, WindowDeliveryIsQueuedToTheUserInterfaceThread) {
    puerto.setSyncMethod(smWindow);
    std::atomic<bool> llamado{false};
    QThread* hiloDelManejador = nullptr;
    puerto.OnRxChar = [&](TComPort&, int) {
        hiloDelManejador = QThread::currentThread();
        llamado = true;
    };
    puerto.Open();
    EscribirDesdeLaPlaca("x");
    ASSERT_TRUE(EsperarHasta([&] { return llamado.load(); }));
    EXPECT_EQ(hiloDelManejador, QCoreApplication::instance()->thread());
}

TEST_F(ComPortTest, WithoutSynchronisationHandlersRunOnTheEventThread) {
    puerto.setSyncMethod(smNone);
    std::atomic<QThread*> hiloDelManejador{nullptr};
    puerto.OnRxChar = [&](TComPort&, int) { hiloDelManejador = QThread::currentThread(); };
    puerto.Open();
    EscribirDesdeLaPlaca("x");
    ASSERT_TRUE(EsperarHasta([&] { return hiloDelManejador.load() != nullptr; }));
    EXPECT_NE(hiloDelManejador.load(), QCoreApplication::instance()->thread());
}

TEST_F(ComPortTest, ClosingWhileAnEventWaitsForTheUserInterfaceThreadDoesNotHang) {
    std::atomic<int> llamadas{0};
    puerto.OnRxChar = [&](TComPort&, int) { ++llamadas; };
    puerto.Open();
    EscribirDesdeLaPlaca("x");
    QThread::msleep(200);  // the event thread is now waiting for a delivery nobody runs
    puerto.Close();
    QCoreApplication::processEvents();
    EXPECT_EQ(llamadas.load(), 0);
}

TEST_F(ComPortTest, ChangingEventsWhileADeliveryWaitsDoesNotHangAndKeepsDelivering) {
    std::atomic<int> llamadas{0};
    puerto.OnRxChar = [&](TComPort&, int) { ++llamadas; };
    puerto.Open();
    EscribirDesdeLaPlaca("x");
    QThread::msleep(200);
    puerto.setEvents({evRxChar});
    EscribirDesdeLaPlaca("y");
    EXPECT_TRUE(EsperarHasta([&] { return llamadas.load() > 0; }));
}

}  // namespace
