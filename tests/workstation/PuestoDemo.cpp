#include "PuestoDemo.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include "ControlesDatos.h"
#include "DMT_AVReparar.h"
#include "DMT_Brd415.h"

void PuestoDemo::SetUp() {
    QProcess p;
    p.start(carpetaProgramas() + "/averias-datos", {"demo", carpeta.ruta() + "/demo"});
    p.waitForFinished(60000);
    ASSERT_EQ(p.exitCode(), 0);
    QFile ini(carpeta.ruta() + "/demo/averias.ini");
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("\r\n[Puertos]\r\nCOM1=" + tablero->Ruta().toUtf8() + "\r\n");
    for (int i = 2; i <= 6; ++i) ini.write("COM" + QByteArray::number(i) + "=/nonexistent/tty\r\n");
    ini.close();
    instalacion = std::make_unique<InstalacionTemporal>(carpeta.ruta() + "/demo");
    idioma = std::make_unique<IdiomaTemporal>(Instalacion::Ruta("idioma.lng"));
    datos = std::make_unique<TdmCDS>();
    ASSERT_TRUE(datos->AbrirTablas());
    entrar("AL001");
}

void PuestoDemo::TearDown() {
    CerrarEntrenador();
}

void PuestoDemo::entrar(const char* password) {
    const TdmCDS::ResultadoPassword resultado = datos->ComprobarPassword(1, password);
    ASSERT_TRUE(resultado.aceptado) << password;
    tipoUsuario = resultado.tipo;
}

std::unique_ptr<TFDMT_GestAverias> PuestoDemo::abrirPuesto() {
    auto ventana = std::make_unique<TFDMT_GestAverias>(tipoUsuario);
    ventana->show();
    ventana->findChild<QTimer*>("Timer1")->stop();
    EXPECT_TRUE(ConectarEntrenador());
    EXPECT_TRUE(datos->cdsEquipo->Locate("cdsEFCodEquipo", 1));
    ventana->DatosPractica.CodEquipo = 1;
    return ventana;
}

std::unique_ptr<TClientDataSet> PuestoDemo::historico(const QString& tabla, const QString& usuario) const {
    auto t = std::make_unique<TClientDataSet>();
    t->LoadFromFile(Instalacion::Ruta("Historic\\" + tabla + usuario + ".cds"));
    return t;
}

QStringList PuestoDemo::acciones(const QString& usuario) const {
    QStringList lista;
    auto lineas = historico("cdsLineaReparacion", usuario);
    for (lineas->First(); !lineas->Eof(); lineas->Next())
        lista.append(lineas->FieldByName("cdsLRepFAccion")->AsString());
    return lista;
}

QStringList PuestoDemo::accionesDeLaUltima(const QString& usuario) const {
    auto reparaciones = historico("cdsReparacion", usuario);
    reparaciones->SetIndexFieldNames("cdsRepFInicio");
    reparaciones->Last();
    const int ultima = reparaciones->FieldByName("cdsRepFCodReparacion")->AsInteger();
    QStringList lista;
    auto lineas = historico("cdsLineaReparacion", usuario);
    for (lineas->First(); !lineas->Eof(); lineas->Next())
        if (lineas->FieldByName("cdsLRepFPtrReparacion")->AsInteger() == ultima)
            lista.append(lineas->FieldByName("cdsLRepFAccion")->AsString());
    return lista;
}

void PuestoDemo::pulsarEnDialogo(const char* boton) {
    QTimer::singleShot(0, [boton] {
        QWidget* dialogo = QApplication::activeModalWidget();
        ASSERT_NE(dialogo, nullptr);
        dialogo->findChild<QPushButton*>(boton)->click();
    });
}

void PuestoDemo::provocarEnDialogo(int idAveria) {
    QTimer::singleShot(0, [idAveria] {
        QWidget* dialogo = QApplication::activeModalWidget();
        ASSERT_NE(dialogo, nullptr);
        dialogo->findChild<TDBLookupComboBox*>("DBLookupComboBoxAverias")->SetKeyValue(idAveria);
        dialogo->findChild<QPushButton*>("BitBtnProvocar")->click();
    });
}

void PuestoDemo::pulsarCuandoSeVea(const char* boton) {
    auto* espera = new QTimer;
    espera->setInterval(50);
    QObject::connect(espera, &QTimer::timeout, [espera, boton] {
        QWidget* dialogo = QApplication::activeModalWidget();
        auto* b = dialogo ? dialogo->findChild<QPushButton*>(boton) : nullptr;
        if (!b || !b->isVisible()) return;
        espera->deleteLater();
        espera->stop();
        b->click();
    });
    espera->start();
}

void PuestoDemo::elegir(const char* lista, const QString& texto) {
    auto* l = PanelDiagnostico()->findChild<QListWidget*>(lista);
    const QList<QListWidgetItem*> items = l->findItems(texto, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << texto.toStdString();
    l->scrollToItem(items.front());
    const QPointF punto = l->visualItemRect(items.front()).center();
    QWidget* vista = l->viewport();
    for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent evento(tipo, punto, vista->mapToGlobal(punto), Qt::LeftButton,
                           tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vista, &evento);
    }
}

void PuestoDemo::pulsar(const char* boton) {
    PanelDiagnostico()->findChild<QPushButton*>(boton)->click();
}
