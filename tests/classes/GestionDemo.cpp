#include "GestionDemo.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "Azar.h"
#include "PaginaGestion.h"

void GestionDemo::SetUp() {
    // Written in place: the demo's group keeps the folder it was written in.
    QProcess p;
    p.start(carpetaProgramas() + "/averias-datos", {"demo", carpeta.ruta() + "/demo"});
    p.waitForFinished(60000);
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    instalacion = std::make_unique<InstalacionTemporal>(carpeta.ruta() + "/demo");
    idioma = std::make_unique<IdiomaTemporal>(Instalacion::Ruta("idioma.lng"));
    SembrarAzar(20261210);
    datos = std::make_unique<TdmCDS>();
    ASSERT_TRUE(datos->AbrirTablas());
}

void GestionDemo::TearDown() {
    if (ventana) {
        ventana->close();
        ventana.reset();
    }
}

TFDMT_GestAlumnado* GestionDemo::abrir() {
    ventana = std::make_unique<TFDMT_GestAlumnado>();
    ventana->resize(1280, 800);
    ventana->show();
    return ventana.get();
}

QTreeWidgetItem* GestionDemo::nodoGrupo(const QString& nombre) const {
    QTreeWidget* arbol = ventana->TreeViewGrupos();
    for (int i = 0; i < arbol->topLevelItemCount(); ++i)
        if (arbol->topLevelItem(i)->text(0) == nombre) return arbol->topLevelItem(i);
    return nullptr;
}

void GestionDemo::escribir(const char* control, const QString& texto) const {
    auto* edicion = ventana->PaginaActual->findChild<QLineEdit*>(control);
    ASSERT_NE(edicion, nullptr) << control;
    edicion->setText(texto);
    emit edicion->textEdited(texto);
}

void GestionDemo::pulsar(const char* boton) const {
    QPushButton* b = ventana->findChild<QPushButton*>(boton, Qt::FindDirectChildrenOnly);
    if (!b) b = ventana->findChild<QPushButton*>(QString::fromLatin1(boton));
    if (ventana->PaginaActual)
        if (auto* dePagina = ventana->PaginaActual->findChild<QPushButton*>(boton)) b = dePagina;
    ASSERT_NE(b, nullptr) << boton;
    ASSERT_TRUE(b->isEnabled()) << boton;
    b->click();
}

int GestionDemo::crearGrupo(const QString& nombre) {
    pulsar("BitBtnNewGrupo");
    const int codigo = datos->cdsGrpFCodGrupo->AsInteger();
    escribir("DBEditNombre", nombre);
    pulsar("BitBtnAceptar");
    return TdmCDS::EnConsulta(datos->cdsGrupo) || TdmCDS::EnEdicion(datos->cdsGrupo) ? codigo : -1;
}

std::unique_ptr<TClientDataSet> GestionDemo::leer(const QString& archivo) {
    auto t = std::make_unique<TClientDataSet>();
    t->LoadFromFile(archivo);
    return t;
}

QString GestionDemo::carpetaGrupo(int codigo) const {
    return carpeta.ruta() + QStringLiteral("/demo/BDs/GRP %1").arg(codigo, 3, 10, QLatin1Char('0'));
}

int GestionDemo::semillas(int grupo, int equipo, bool tutorizada) const {
    auto tabla = leer(carpetaGrupo(grupo) + "/cdsSemilla.cds");
    int n = 0;
    for (tabla->First(); !tabla->Eof(); tabla->Next())
        n += tabla->FieldByName("cdsSemFPtrGrupo")->AsInteger() == grupo &&
             tabla->FieldByName("cdsSemFPtrEquipo")->AsInteger() == equipo &&
             tabla->FieldByName("cdsSemFTutorizada")->AsBoolean() == tutorizada;
    return n;
}

int GestionDemo::averias(int equipo) const {
    return leer(carpeta.ruta() +
                QStringLiteral("/demo/BDs/EQ%1/cdsAveria.cds").arg(equipo, 3, 10, QLatin1Char('0')))
        ->RecordCount();
}

void GestionDemo::enDialogo(const char* nombre, std::function<void(QWidget*)> accion) {
    auto* espera = new QTimer;
    espera->setInterval(20);
    QObject::connect(espera, &QTimer::timeout, [espera, nombre, accion] {
        QWidget* dialogo = QApplication::activeModalWidget();
        if (!dialogo || !dialogo->isVisible() || dialogo->objectName() != QLatin1String(nombre)) return;
        espera->stop();
        espera->deleteLater();
        accion(dialogo);
    });
    espera->start();
}
