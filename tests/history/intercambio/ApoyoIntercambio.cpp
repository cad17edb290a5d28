#include "ApoyoIntercambio.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>

#include "EjecucionPrograma.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "MensajesGrabados.h"
#include "dmCDS.h"

Salida EjecutarDatos(const QStringList& argumentos, bool otroUsuario) {
    const EjecucionPrograma e = EjecutarPrograma("averias-datos", argumentos, otroUsuario);
    return {e.estado, QString::fromUtf8(e.salida) + e.errores};
}

Instantanea TomarInstantanea(const QString& carpeta, const QStringList& fuera) {
    Instantanea foto;
    QDirIterator it(carpeta, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        const QString relativa = QDir(carpeta).relativeFilePath(ruta);
        if (fuera.contains(relativa.section('/', 0, 0))) continue;
        if (it.fileInfo().isSymLink()) {
            foto[relativa] = "-> " + it.fileInfo().symLinkTarget().toUtf8();
        } else if (it.fileInfo().isDir()) {
            foto[relativa] = "<carpeta>";
        } else {
            QFile f(ruta);
            f.open(QIODevice::ReadOnly);
            foto[relativa] = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
        }
    }
    return foto;
}

std::unique_ptr<TClientDataSet> LeerTabla(const QString& archivo) {
    auto tabla = std::make_unique<TClientDataSet>();
    tabla->LoadFromFile(archivo);
    return tabla;
}

void CambiarTabla(const QString& archivo, const std::function<void(TClientDataSet&)>& cambio) {
    TClientDataSet tabla;
    tabla.LoadFromFile(archivo);
    cambio(tabla);
    tabla.MergeChangeLog();
    tabla.SaveToFile(archivo);
}

QStringList Columna(const QString& archivo, const char* campo) {
    auto tabla = LeerTabla(archivo);
    QStringList valores;
    for (tabla->First(); !tabla->Eof(); tabla->Next()) valores << tabla->FieldByName(campo)->AsString();
    return valores;
}

void AbrirYCerrar(const QString& instalacion) {
    InstalacionTemporal enInstalacion(instalacion);
    IdiomaTemporal idioma(instalacion + "/idioma.lng");
    MensajesGrabados mensajes;
    TdmCDS dm;
    ASSERT_TRUE(dm.AbrirTablas()) << mensajes.textos().join('\n').toStdString();
}

namespace {

void CopiarArbol(const QString& origen, const QString& destino) {
    QDir().mkpath(destino);
    QDirIterator it(origen, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString ruta = it.next();
        const QString copia = destino + "/" + it.fileName();
        if (it.fileInfo().isDir())
            CopiarArbol(ruta, copia);
        else
            QFile::copy(ruta, copia);
    }
}

}  // namespace

void Intercambio::SetUpTestSuite() {
    demo_ = new CarpetaTemporal;
    const Salida s = EjecutarDatos({"demo", demo_->archivo("demo")});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
}

void Intercambio::TearDownTestSuite() {
    delete demo_;
    demo_ = nullptr;
}

void Intercambio::SetUp() {
    ASSERT_TRUE(demo_);
    for (const char* copia : {"a", "b"}) {
        const QString instalacion = carpeta.archivo(copia);
        CopiarArbol(demo_->archivo("demo"), instalacion);
        // Each copy keeps its group in its own folder.
        CambiarTabla(instalacion + "/BDs/cdsGrupo.cds", [&](TClientDataSet& t) {
            t.First();
            t.Edit();
            t.FieldByName("cdsGrpFDirectorio")->SetAsString(instalacion + "/BDs/GRP 001/");
            t.Post();
        });
        AbrirYCerrar(instalacion);
    }
    QDir().mkpath(D());
}

void Intercambio::Exportar() {
    const Salida s = EjecutarDatos({"exportar-grupo", A(), kGrupoDemo, D()});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
}

void Intercambio::CambiarNombreGrupo(const QString& instalacion, const QString& nombre) {
    CambiarTabla(instalacion + "/BDs/cdsGrupo.cds", [&](TClientDataSet& t) {
        t.First();
        t.Edit();
        t.FieldByName("cdsGrpFNombre")->SetAsString(nombre);
        t.Post();
    });
}
