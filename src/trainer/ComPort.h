#pragma once

#include "Descriptor.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QObject;
class TComPort;
class TComThread;
class EntregaSincronizada;
class OperacionPendiente;

// Errors of the serial port: the text followed by the decimal system error code.
class EComPort : public std::runtime_error {
public:
    EComPort(const char* texto, int codigo);
    explicit EComPort(const char* texto);
    int Codigo() const { return codigo_; }

private:
    int codigo_ = 0;
};

enum TBaudRate {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200
};
enum TPortType { COM1, COM2, COM3, COM4, COM5, COM6, COM7, COM8 };
enum TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum TDtrFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum TRtsFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
enum TSyncMethod { smSynchronize, smWindow, smNone };
enum TEvent { evRxChar, evTxEmpty, evRxFlag, evRing, evBreak, evCTS, evDSR, evError, evRLSD, evRx80Full };

int VelocidadBaudios(TBaudRate velocidad);

// Set of TEvent.
class TEvents {
public:
    constexpr TEvents() = default;
    constexpr TEvents(std::initializer_list<TEvent> eventos) {
        for (TEvent e : eventos) bits_ |= 1u << e;
    }
    static constexpr TEvents Todos() {
        return {evRxChar, evTxEmpty, evRxFlag, evRing, evBreak, evCTS, evDSR, evError, evRLSD, evRx80Full};
    }
    constexpr bool contiene(TEvent e) const { return bits_ & (1u << e); }
    constexpr bool vacio() const { return bits_ == 0; }
    bool operator==(const TEvents&) const = default;

private:
    unsigned bits_ = 0;
};

// System event mask bits, as the port reports them.
enum MascaraEvento : unsigned {
    EV_RXCHAR = 0x1,
    EV_RXFLAG = 0x2,
    EV_TXEMPTY = 0x4,
    EV_CTS = 0x8,
    EV_DSR = 0x10,
    EV_RLSD = 0x20,
    EV_BREAK = 0x40,
    EV_ERR = 0x80,
    EV_RING = 0x100,
    EV_RX80FULL = 0x400
};
unsigned MascaraDeEventos(TEvents eventos);

class TParity {
public:
    explicit TParity(TComPort& puerto) : puerto_(puerto) {}
    TParity(const TParity&) = delete;
    TParity& operator=(const TParity& otro);

    TParityBits Bits() const { return bits_; }
    bool Check() const { return check_; }
    bool Replace() const { return replace_; }
    char ReplaceChar() const { return replaceChar_; }
    void setBits(TParityBits v);
    void setCheck(bool v);
    void setReplace(bool v);
    void setReplaceChar(char v);

private:
    TComPort& puerto_;
    TParityBits bits_ = prNone;
    bool check_ = false;
    bool replace_ = false;
    char replaceChar_ = 0;
};

class TFlowControl {
public:
    explicit TFlowControl(TComPort& puerto) : puerto_(puerto) {}
    TFlowControl(const TFlowControl&) = delete;
    TFlowControl& operator=(const TFlowControl& otro);

    bool OutCtsFlow() const { return outCtsFlow_; }
    bool OutDsrFlow() const { return outDsrFlow_; }
    TDtrFlowControl ControlDtr() const { return controlDtr_; }
    TRtsFlowControl ControlRts() const { return controlRts_; }
    bool XonXoffOut() const { return xonXoffOut_; }
    bool XonXoffIn() const { return xonXoffIn_; }
    void setOutCtsFlow(bool v);
    void setOutDsrFlow(bool v);
    void setControlDtr(TDtrFlowControl v);
    void setControlRts(TRtsFlowControl v);
    void setXonXoffOut(bool v);
    void setXonXoffIn(bool v);

private:
    TComPort& puerto_;
    bool outCtsFlow_ = false;
    bool outDsrFlow_ = false;
    TDtrFlowControl controlDtr_ = dtrDisable;
    TRtsFlowControl controlRts_ = rtsDisable;
    bool xonXoffOut_ = false;
    bool xonXoffIn_ = false;
};

class TComTimeouts {
public:
    explicit TComTimeouts(TComPort& puerto) : puerto_(puerto) {}
    TComTimeouts(const TComTimeouts&) = delete;
    TComTimeouts& operator=(const TComTimeouts& otro);

    int ReadInterval() const { return readInterval_; }
    int ReadTotalMultiplier() const { return readTotalMultiplier_; }
    int ReadTotalConstant() const { return readTotalConstant_; }
    int WriteTotalMultiplier() const { return writeTotalMultiplier_; }
    int WriteTotalConstant() const { return writeTotalConstant_; }
    void setReadInterval(int v);
    void setReadTotalMultiplier(int v);
    void setReadTotalConstant(int v);
    void setWriteTotalMultiplier(int v);
    void setWriteTotalConstant(int v);

private:
    TComPort& puerto_;
    int readInterval_ = -1;
    int readTotalMultiplier_ = 0;
    int readTotalConstant_ = 0;
    int writeTotalMultiplier_ = 100;
    int writeTotalConstant_ = 1000;
};

// One serial port: settings, reads and writes with time-outs, and an event thread that
// reports line events. Every operation is called from one thread (the user-interface one).
class TComPort {
public:
    using Manejador = std::function<void(TComPort&)>;
    using ManejadorRx = std::function<void(TComPort&, int)>;

    TComPort();
    virtual ~TComPort();
    TComPort(const TComPort&) = delete;
    TComPort& operator=(const TComPort&) = delete;

    void Open();
    void Close();
    bool IsConnected() const { return conectado_; }
    // Bytes written; -1 when the write is still pending and `esperar` is false.
    int WriteText(const QByteArray& texto, bool esperar);
    // Sets `texto` to `cuenta` bytes and reads into it; only the returned number of bytes is
    // valid. -1 when pending and not waited for: `texto` must then live until WaitPendingIO.
    int ReadText(QByteArray& texto, int cuenta, bool esperar);
    int InputCount();
    int WaitPendingIO();
    void AbortPendingIO();

    TBaudRate BaudRate() const { return baudRate_; }
    TPortType Port() const { return port_; }
    TStopBits StopBits() const { return stopBits_; }
    TDataBits DataBits() const { return dataBits_; }
    bool DiscardNull() const { return discardNull_; }
    char EventChar() const { return eventChar_; }
    TEvents Events() const { return events_; }
    int WriteBufSize() const { return writeBufSize_; }
    int ReadBufSize() const { return readBufSize_; }
    TSyncMethod SyncMethod() const { return syncMethod_; }
    TParity& Parity() { return parity_; }
    TFlowControl& FlowControl() { return flowControl_; }
    TComTimeouts& Timeouts() { return timeouts_; }
    const TParity& Parity() const { return parity_; }
    const TFlowControl& FlowControl() const { return flowControl_; }
    const TComTimeouts& Timeouts() const { return timeouts_; }

    void setBaudRate(TBaudRate v);
    void setPort(TPortType v);
    void setStopBits(TStopBits v);
    void setDataBits(TDataBits v);
    void setDiscardNull(bool v);
    void setEventChar(char v);
    void setEvents(TEvents v);
    void setWriteBufSize(int v);
    void setReadBufSize(int v);
    void setSyncMethod(TSyncMethod v);

    ManejadorRx OnRxChar;
    Manejador OnTxEmpty, OnBreak, OnRing, OnCTS, OnDSR, OnRLSD, OnRxFlag, OnError, OnRx80Full;
    Manejador OnOpen, OnClose;

private:
    friend class TParity;
    friend class TFlowControl;
    friend class TComTimeouts;

    // Stores a setting and applies it at once when the port is open.
    template <typename T>
    void Ajustar(T& campo, T valor, void (TComPort::*aplicar)()) {
        campo = valor;
        if (conectado_) (this->*aplicar)();
    }
    void ApplyDCB();
    void ApplyBuffer();
    void ApplyTimeouts();
    void AplicarLineasDeControl();
    void CrearHilo();
    void Despachar(unsigned mascara);
    bool HayManejador(unsigned mascara) const;
    void DespacharEvento(unsigned bit);
    int PlazoEscritura(int bytes) const;
    int PlazoLectura(int bytes) const;
    bool LecturaInmediata() const;
    void Filtrar(QByteArray& datos, int& leidos) const;

    Descriptor handle_;
    bool conectado_ = false;
    bool hiloCreado_ = false;
    std::unique_ptr<TComThread> hilo_;
    std::shared_ptr<EntregaSincronizada> entrega_;
    std::unique_ptr<QObject> ventanaEventos_;
    std::vector<std::unique_ptr<OperacionPendiente>> pendientes_;

    TBaudRate baudRate_ = br9600;
    TPortType port_ = COM1;
    TParity parity_{*this};
    TStopBits stopBits_ = sbOneStopBit;
    TDataBits dataBits_ = dbEight;
    bool discardNull_ = false;
    char eventChar_ = 0;
    TEvents events_ = TEvents::Todos();
    int writeBufSize_ = 1024;
    int readBufSize_ = 1024;
    TFlowControl flowControl_{*this};
    TComTimeouts timeouts_{*this};
    TSyncMethod syncMethod_ = smSynchronize;
};
