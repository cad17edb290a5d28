#include "ComPort.h"

#include "ComThread.h"
#include "DispositivoSerie.h"
#include "EntradaSalida.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <QCoreApplication>
#include <QObject>
#include <cerrno>
#include <string>

bool FijarVelocidadEspecial(int fd, int baudios);

EComPort::EComPort(const char* texto, int codigo)
    : std::runtime_error(std::string(texto) + std::to_string(codigo)), codigo_(codigo) {}

EComPort::EComPort(const char* texto) : std::runtime_error(texto) {}

int VelocidadBaudios(TBaudRate velocidad) {
    static constexpr int kBaudios[] = {110,   300,   600,   1200,  2400,  4800,  9600,
                                       14400, 19200, 38400, 56000, 57600, 115200};
    return kBaudios[velocidad];
}

unsigned MascaraDeEventos(TEvents eventos) {
    static constexpr std::pair<TEvent, unsigned> kBits[] = {
        {evRxChar, EV_RXCHAR}, {evRxFlag, EV_RXFLAG},    {evTxEmpty, EV_TXEMPTY}, {evCTS, EV_CTS},
        {evDSR, EV_DSR},       {evRLSD, EV_RLSD},        {evBreak, EV_BREAK},     {evError, EV_ERR},
        {evRing, EV_RING},     {evRx80Full, EV_RX80FULL}};
    unsigned mascara = 0;
    for (const auto& [evento, bit] : kBits)
        if (eventos.contiene(evento)) mascara |= bit;
    return mascara;
}

// --- Sub-objects: each setting is applied at once while the port is open.

TParity& TParity::operator=(const TParity& otro) {
    bits_ = otro.bits_;
    check_ = otro.check_;
    replace_ = otro.replace_;
    replaceChar_ = otro.replaceChar_;
    if (puerto_.IsConnected()) puerto_.ApplyDCB();
    return *this;
}
void TParity::setBits(TParityBits v) {
    puerto_.Ajustar(bits_, v, &TComPort::ApplyDCB);
}
void TParity::setCheck(bool v) {
    puerto_.Ajustar(check_, v, &TComPort::ApplyDCB);
}
void TParity::setReplace(bool v) {
    puerto_.Ajustar(replace_, v, &TComPort::ApplyDCB);
}
void TParity::setReplaceChar(char v) {
    puerto_.Ajustar(replaceChar_, v, &TComPort::ApplyDCB);
}

TFlowControl& TFlowControl::operator=(const TFlowControl& otro) {
    outCtsFlow_ = otro.outCtsFlow_;
    outDsrFlow_ = otro.outDsrFlow_;
    controlDtr_ = otro.controlDtr_;
    controlRts_ = otro.controlRts_;
    xonXoffOut_ = otro.xonXoffOut_;
    xonXoffIn_ = otro.xonXoffIn_;
    if (puerto_.IsConnected()) puerto_.ApplyDCB();
    return *this;
}
void TFlowControl::setOutCtsFlow(bool v) {
    puerto_.Ajustar(outCtsFlow_, v, &TComPort::ApplyDCB);
}
void TFlowControl::setOutDsrFlow(bool v) {
    puerto_.Ajustar(outDsrFlow_, v, &TComPort::ApplyDCB);
}
void TFlowControl::setControlDtr(TDtrFlowControl v) {
    puerto_.Ajustar(controlDtr_, v, &TComPort::ApplyDCB);
}
void TFlowControl::setControlRts(TRtsFlowControl v) {
    puerto_.Ajustar(controlRts_, v, &TComPort::ApplyDCB);
}
void TFlowControl::setXonXoffOut(bool v) {
    puerto_.Ajustar(xonXoffOut_, v, &TComPort::ApplyDCB);
}
void TFlowControl::setXonXoffIn(bool v) {
    puerto_.Ajustar(xonXoffIn_, v, &TComPort::ApplyDCB);
}

TComTimeouts& TComTimeouts::operator=(const TComTimeouts& otro) {
    readInterval_ = otro.readInterval_;
    readTotalMultiplier_ = otro.readTotalMultiplier_;
    readTotalConstant_ = otro.readTotalConstant_;
    writeTotalMultiplier_ = otro.writeTotalMultiplier_;
    writeTotalConstant_ = otro.writeTotalConstant_;
    if (puerto_.IsConnected()) puerto_.ApplyTimeouts();
    return *this;
}
void TComTimeouts::setReadInterval(int v) {
    puerto_.Ajustar(readInterval_, v, &TComPort::ApplyTimeouts);
}
void TComTimeouts::setReadTotalMultiplier(int v) {
    puerto_.Ajustar(readTotalMultiplier_, v, &TComPort::ApplyTimeouts);
}
void TComTimeouts::setReadTotalConstant(int v) {
    puerto_.Ajustar(readTotalConstant_, v, &TComPort::ApplyTimeouts);
}
void TComTimeouts::setWriteTotalMultiplier(int v) {
    puerto_.Ajustar(writeTotalMultiplier_, v, &TComPort::ApplyTimeouts);
}
void TComTimeouts::setWriteTotalConstant(int v) {
    puerto_.Ajustar(writeTotalConstant_, v, &TComPort::ApplyTimeouts);
}

// --- The port.

TComPort::TComPort() = default;

TComPort::~TComPort() {
    try {
        Close();
    } catch (const EComPort&) {
        // A destructor has nobody to report to; the handle is closed all the same.
    }
}

void TComPort::setBaudRate(TBaudRate v) {
    Ajustar(baudRate_, v, &TComPort::ApplyDCB);
}
void TComPort::setStopBits(TStopBits v) {
    Ajustar(stopBits_, v, &TComPort::ApplyDCB);
}
void TComPort::setDataBits(TDataBits v) {
    Ajustar(dataBits_, v, &TComPort::ApplyDCB);
}
void TComPort::setDiscardNull(bool v) {
    Ajustar(discardNull_, v, &TComPort::ApplyDCB);
}
void TComPort::setEventChar(char v) {
    Ajustar(eventChar_, v, &TComPort::ApplyDCB);
}
void TComPort::setWriteBufSize(int v) {
    Ajustar(writeBufSize_, v, &TComPort::ApplyBuffer);
}
void TComPort::setReadBufSize(int v) {
    Ajustar(readBufSize_, v, &TComPort::ApplyBuffer);
}

void TComPort::setPort(TPortType v) {
    port_ = v;
    if (conectado_) {
        Close();
        Open();
    }
}

void TComPort::setEvents(TEvents v) {
    events_ = v;
    if (!conectado_) return;
    // The old thread may be waiting for a delivery to this very thread: let it go first.
    entrega_->Cancelar();
    hilo_.reset();
    entrega_ = std::make_shared<EntregaSincronizada>();
    hiloCreado_ = false;
    if (!events_.vacio()) CrearHilo();
}

void TComPort::setSyncMethod(TSyncMethod v) {
    if (conectado_) throw EComPort("Cannot set SyncMethod while connected");
    syncMethod_ = v;
}

void TComPort::Open() {
    Close();
    int error = 0;
    Descriptor d = AbrirPuertoExclusivo(RutaPuerto(port_ + 1), error);
    if (!d.valido()) throw EComPort("Unable to open com port: ", error);
    handle_ = std::move(d);
    conectado_ = true;
    try {
        ApplyBuffer();
        ApplyDCB();
        ApplyTimeouts();
    } catch (const EComPort&) {
        handle_.cerrar();
        conectado_ = false;
        throw;
    }
    // A port opens with empty queues: nothing left over from an earlier user is read.
    ::tcflush(handle_.fd(), TCIOFLUSH);
    entrega_ = std::make_shared<EntregaSincronizada>();
    if (syncMethod_ == smWindow && QCoreApplication::instance())
        ventanaEventos_ = std::make_unique<QObject>();
    if (!events_.vacio()) CrearHilo();
    if (OnOpen) OnOpen(*this);
}

void TComPort::Close() {
    if (!conectado_) return;
    try {
        AbortPendingIO();
    } catch (const EComPort&) {
        // The records are freed below all the same.
    }
    pendientes_.clear();
    if (entrega_) entrega_->Cancelar();
    hilo_.reset();
    hiloCreado_ = false;
    handle_.cerrar();
    conectado_ = false;
    ventanaEventos_.reset();
    if (OnClose) OnClose(*this);
}

void TComPort::ApplyBuffer() {
    // The kernel sizes its own queues; only nonsense is refused, as the system would.
    if (readBufSize_ <= 0 || writeBufSize_ <= 0) throw EComPort("Unable to set com state: ", EINVAL);
}

void TComPort::ApplyTimeouts() {
    // Time-outs govern our own reads and writes; nothing to tell the device.
}

void TComPort::ApplyDCB() {
    static constexpr speed_t kVelocidades[] = {B110, B300,   B600,   B1200, B2400,  B4800,  B9600,
                                               B0,   B19200, B38400, B0,    B57600, B115200};
    static constexpr tcflag_t kTamanos[] = {CS5, CS6, CS7, CS8};
    const int fd = handle_.fd();
    termios t{};
    if (::tcgetattr(fd, &t) != 0) throw EComPort("Unable to set com state: ", errno);
    // Transparent transfer: no line editing, no translation, no end-of-file character.
    t.c_iflag &=
        ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK | IGNPAR);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | HUPCL);
    t.c_cflag |= kTamanos[dataBits_] | CLOCAL | CREAD;
    switch (parity_.Bits()) {
        case prNone:
            break;
        case prOdd:
            t.c_cflag |= PARENB | PARODD;
            break;
        case prEven:
            t.c_cflag |= PARENB;
            break;
        case prMark:
            t.c_cflag |= PARENB | CMSPAR | PARODD;
            break;
        case prSpace:
            t.c_cflag |= PARENB | CMSPAR;
            break;
    }
    if (parity_.Check()) t.c_iflag |= INPCK;
    if (stopBits_ != sbOneStopBit) t.c_cflag |= CSTOPB;
    if (flowControl_.OutCtsFlow() || flowControl_.ControlRts() == rtsHandshake) t.c_cflag |= CRTSCTS;
    if (flowControl_.XonXoffOut()) t.c_iflag |= IXON;
    if (flowControl_.XonXoffIn()) t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = 17;
    t.c_cc[VSTOP] = 19;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    // Speeds without a constant are set afterwards; the C library only takes constants.
    const speed_t velocidad = kVelocidades[baudRate_];
    ::cfsetispeed(&t, velocidad != B0 ? velocidad : B38400);
    ::cfsetospeed(&t, velocidad != B0 ? velocidad : B38400);
    if (::tcsetattr(fd, TCSANOW, &t) != 0) throw EComPort("Unable to set com state: ", errno);
    if (velocidad == B0 && !FijarVelocidadEspecial(fd, VelocidadBaudios(baudRate_)))
        throw EComPort("Unable to set com state: ", errno);
    AplicarLineasDeControl();
}

void TComPort::AplicarLineasDeControl() {
    const int fd = handle_.fd();
    const bool dtr = flowControl_.ControlDtr() != dtrDisable;
    const bool rts = flowControl_.ControlRts() != rtsDisable;
    for (const auto& [linea, activa] : {std::pair{TIOCM_DTR, dtr}, std::pair{TIOCM_RTS, rts}}) {
        // A pseudo-terminal has no modem lines: that is no error of the settings.
        if (!FijarLineaModem(fd, linea, activa) && errno != ENOTTY && errno != EINVAL)
            throw EComPort("Unable to set com state: ", errno);
    }
}

void TComPort::CrearHilo() {
    hilo_ = std::make_unique<TComThread>(handle_.fd(), MascaraDeEventos(events_), readBufSize_,
                                         [this](unsigned mascara) { Despachar(mascara); });
    hiloCreado_ = true;
}

namespace {

// Handlers run for the bits present in this order.
constexpr unsigned kOrdenEventos[] = {EV_RXCHAR, EV_TXEMPTY, EV_BREAK, EV_RING, EV_CTS,
                                      EV_DSR,    EV_RXFLAG,  EV_RLSD,  EV_ERR,  EV_RX80FULL};

}  // namespace

bool TComPort::HayManejador(unsigned mascara) const {
    const std::pair<unsigned, bool> kAsignados[] = {
        {EV_RXCHAR, bool(OnRxChar)},    {EV_TXEMPTY, bool(OnTxEmpty)}, {EV_BREAK, bool(OnBreak)},
        {EV_RING, bool(OnRing)},        {EV_CTS, bool(OnCTS)},         {EV_DSR, bool(OnDSR)},
        {EV_RXFLAG, bool(OnRxFlag)},    {EV_RLSD, bool(OnRLSD)},       {EV_ERR, bool(OnError)},
        {EV_RX80FULL, bool(OnRx80Full)}};
    for (const auto& [bit, asignado] : kAsignados)
        if ((mascara & bit) && asignado) return true;
    return false;
}

void TComPort::Despachar(unsigned mascara) {
    // With no handler for these events there is nothing to deliver: the user-interface
    // thread is not woken for nothing.
    if (!HayManejador(mascara)) return;
    switch (syncMethod_) {
        case smNone:
            for (unsigned bit : kOrdenEventos)
                if (mascara & bit) DespacharEvento(bit);
            break;
        case smSynchronize:
            entrega_->Ejecutar([this, mascara] {
                for (unsigned bit : kOrdenEventos)
                    if (mascara & bit) DespacharEvento(bit);
            });
            break;
        case smWindow:
            // Deleting the window at Close drops what it has not handled yet.
            if (!ventanaEventos_) break;
            for (unsigned bit : kOrdenEventos)
                if (mascara & bit)
                    QMetaObject::invokeMethod(
                        ventanaEventos_.get(), [this, bit] { DespacharEvento(bit); }, Qt::QueuedConnection);
            break;
    }
}

void TComPort::DespacharEvento(unsigned bit) {
    if (!conectado_) return;
    auto llamar = [this](const Manejador& m) {
        if (m) m(*this);
    };
    switch (bit) {
        case EV_RXCHAR:
            if (OnRxChar) OnRxChar(*this, InputCount());
            break;
        case EV_TXEMPTY:
            llamar(OnTxEmpty);
            break;
        case EV_BREAK:
            llamar(OnBreak);
            break;
        case EV_RING:
            llamar(OnRing);
            break;
        case EV_CTS:
            llamar(OnCTS);
            break;
        case EV_DSR:
            llamar(OnDSR);
            break;
        case EV_RXFLAG:
            llamar(OnRxFlag);
            break;
        case EV_RLSD:
            llamar(OnRLSD);
            break;
        case EV_ERR:
            llamar(OnError);
            break;
        case EV_RX80FULL:
            llamar(OnRx80Full);
            break;
        default:
            break;
    }
}

int TComPort::PlazoEscritura(int bytes) const {
    return timeouts_.WriteTotalMultiplier() * bytes + timeouts_.WriteTotalConstant();
}

int TComPort::PlazoLectura(int bytes) const {
    return timeouts_.ReadTotalMultiplier() * bytes + timeouts_.ReadTotalConstant();
}

bool TComPort::LecturaInmediata() const {
    return timeouts_.ReadInterval() == -1 && timeouts_.ReadTotalMultiplier() == 0 &&
           timeouts_.ReadTotalConstant() == 0;
}

void TComPort::Filtrar(QByteArray& datos, int& leidos) const {
    if (!discardNull_) return;
    int destino = 0;
    for (int i = 0; i < leidos; ++i)
        if (datos[i] != '\0') datos[destino++] = datos[i];
    leidos = destino;
}

int TComPort::WriteText(const QByteArray& texto, bool esperar) {
    if (!conectado_) throw EComPort("Operation failed: ", EBADF);
    const int fd = handle_.fd();
    const ResultadoES inmediato = EscribirDisponible(fd, texto.constData(), int(texto.size()));
    if (inmediato.error) throw EComPort("Operation failed: ", inmediato.error);
    if (inmediato.bytes == texto.size()) return inmediato.bytes;
    const QByteArray resto = texto.mid(inmediato.bytes);
    const int plazo = PlazoEscritura(int(texto.size()));
    auto trabajo = [fd, resto, plazo, hechos = inmediato.bytes](int cancelar) {
        ResultadoES r = EscribirConPlazo(fd, resto.constData(), int(resto.size()), plazo, cancelar);
        r.bytes += hechos;
        return r;
    };
    if (esperar) {
        const ResultadoES r = trabajo(-1);
        if (r.error) throw EComPort("Operation failed: ", r.error);
        return r.bytes;
    }
    pendientes_.push_back(std::make_unique<OperacionPendiente>(trabajo));
    return -1;
}

int TComPort::ReadText(QByteArray& texto, int cuenta, bool esperar) {
    if (cuenta < 0) cuenta = 0;
    texto.fill('\0', cuenta);
    if (!conectado_) throw EComPort("Operation aborted: ", EBADF);
    const int fd = handle_.fd();
    ResultadoES inmediato = LeerDisponible(fd, texto.data(), cuenta);
    if (inmediato.error) throw EComPort("Operation aborted: ", inmediato.error);
    if (LecturaInmediata() || inmediato.bytes == cuenta) {
        Filtrar(texto, inmediato.bytes);
        return inmediato.bytes;
    }
    const int plazo = PlazoLectura(cuenta);
    const int intervalo = std::max(timeouts_.ReadInterval(), 0);
    auto buffer = std::make_shared<QByteArray>(texto);
    auto trabajo = [fd, buffer, cuenta, plazo, intervalo, hechos = inmediato.bytes](int cancelar) {
        ResultadoES r =
            LeerConPlazo(fd, buffer->data() + hechos, cuenta - hechos, plazo, intervalo, cancelar);
        r.bytes += hechos;
        return r;
    };
    if (esperar) {
        ResultadoES r = trabajo(-1);
        if (r.error) throw EComPort("Operation aborted: ", r.error);
        texto = *buffer;
        Filtrar(texto, r.bytes);
        return r.bytes;
    }
    // Like an overlapped read, the bytes land in the caller's text when it is waited for.
    pendientes_.push_back(
        std::make_unique<OperacionPendiente>(trabajo, [this, buffer, &texto](const ResultadoES& r) {
            if (r.error) return;
            texto = *buffer;
            int leidos = r.bytes;
            Filtrar(texto, leidos);
        }));
    return -1;
}

int TComPort::InputCount() {
    int cuenta = 0;
    if (!conectado_) throw EComPort("Unable to read com status: ", EBADF);
    if (::ioctl(handle_.fd(), FIONREAD, &cuenta) != 0) throw EComPort("Unable to read com status: ", errno);
    return cuenta;
}

int TComPort::WaitPendingIO() {
    if (pendientes_.empty()) return -2;
    std::unique_ptr<OperacionPendiente> operacion = std::move(pendientes_.back());
    pendientes_.pop_back();
    const ResultadoES r = operacion->Esperar();
    if (r.error) throw EComPort("Operation failed: ", r.error);
    return r.bytes;
}

void TComPort::AbortPendingIO() {
    if (pendientes_.empty()) return;
    if (::tcflush(handle_.fd(), TCIOFLUSH) != 0) throw EComPort("Cannot abort operation: ", errno);
    for (auto& operacion : pendientes_) operacion->Abortar();
    pendientes_.clear();
}
