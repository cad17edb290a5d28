// Where each table is loaded from and written to, and how rows get their identifiers.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <utility>

#include "ArchivoTabla.h"
#include "Cadenas.h"
#include "CodigoLibre.h"
#include "ErroresTablas.h"
#include "Esquema.h"
#include "Mensajes.h"
#include "RutasDatos.h"
#include "dmCDS.h"

#include "Diario.h"
#include "Idioma.h"
#include "Instalacion.h"

namespace {

bool ExisteCarpeta(const QString& carpeta) {
    return !carpeta.isEmpty() && QFileInfo(carpeta).isDir();
}

QString ConBarra(QString carpeta) {
    carpeta.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!carpeta.endsWith(QLatin1Char('/'))) carpeta += QLatin1Char('/');
    return carpeta;
}

}  // namespace

void AnotarEnInstalacion(const QString& linea) {
    QFile archivo(Instalacion::Ruta(QStringLiteral("averias.log")));
    if (archivo.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        archivo.write((linea + QLatin1Char('\n')).toUtf8());
    else
        std::fprintf(stderr, "%s\n", linea.toLocal8Bit().constData());
}

void TdmCDS::AsignarCodigos() {
    // Several PCs may write one installation: a code another PC took meanwhile is replaced
    // when the row is written, and what was built from the old code follows it.
    const auto recodificar = [this](TField* campo, const QVariant& valor, int anterior, int nuevo) {
        const auto cambiar = [&](const QString& viejo, const QString& nuevoTexto) {
            return valor.toString() == viejo ? QVariant(nuevoTexto) : valor;
        };
        if (campo == cdsAFPassword)
            return cambiar(PasswordInicialAlumno(anterior), PasswordInicialAlumno(nuevo));
        if (campo == cdsSubFPassword)
            return cambiar(kPrefijoPasswordSubgrupo + FormatoCodigo(anterior),
                           kPrefijoPasswordSubgrupo + FormatoCodigo(nuevo));
        if (campo == cdsGrpFDirectorio &&
            RutasDatos::MismoArchivo(valor.toString(), RutasDatos::CarpetaGrupo(anterior)))
            return QVariant(RutasDatos::CarpetaGrupo(nuevo));
        return valor;
    };
    for (TClientDataSet* tabla :
         {cdsAlumno, cdsGrupo, cdsSubgrupo, cdsSemilla, cdsReparacion, cdsLineaReparacion}) {
        tabla->CampoCodigo = tabla->Fields().front()->FieldName();
        tabla->OnRecodificar = recodificar;
    }
    // Seed and subgroup identifiers are never given again: a subgroup's code names its
    // practices in its members' histories, which outlive it.
    cdsSemilla->CodigoSinReutilizar = true;
    cdsSubgrupo->CodigoSinReutilizar = true;
}

void TdmCDS::AsignarManejadoresAlmacen() {
    AsignarCodigos();
    for (TClientDataSet* tabla : {cdsGrupoAlumno, cdsSubgrupo, cdsSemilla}) {
        tabla->BeforeOpen = [this](TClientDataSet* ds) {
            if (cdsGrupo->State() != dsInsert && HayGrupos())
                ds->SetFileName(RutasDatos::Archivo(CarpetaGrupoActual(), ds->Name));
        };
    }
    cdsSubgrupo->AfterOpen = [this](TClientDataSet*) { RecargarSubgruposGuardados(); };
    cdsGrupo->AfterOpen = [this](TClientDataSet*) { ClonarGrupo(); };
    cdsCodigos->AfterPost = [this](TClientDataSet* ds) { SalvarTabla(ds); };

    // The "BDs" practice templates never keep a practice; every other stored table is
    // written before it closes.
    for (const Esquema::Tabla& esquema : Esquema::Tablas()) {
        TClientDataSet* tabla = Tabla(esquema.nombre);
        if (tabla == cdsElemento) continue;
        const bool conPlantilla =
            tabla == cdsReparacion || tabla == cdsLineaReparacion || tabla == cdsSemilla;
        tabla->BeforeClose = [this, conPlantilla](TClientDataSet* ds) {
            if (conPlantilla && RutasDatos::EsPlantilla(ds->FileName(), ds->Name)) {
                ds->CancelUpdates();
                ds->EmptyDataSet();
                return;
            }
            if (!ds->FileName().isEmpty() && ds->HayCambiosSinGuardar()) SalvarTabla(ds);
        };
    }
}

bool TdmCDS::AbrirTablas() {
    // A module on an installation's files keeps them by its editing rules; a module whose
    // tables were only created empty has none.
    AsignarReglas();
    try {
        cdsEquipo->AfterScroll = nullptr;
        AbrirEn(cdsEquipo, RutasDatos::CarpetaBDs());
        // From now on every move to another trainer reloads its catalogue.
        cdsEquipo->AfterScroll = [this](TClientDataSet* ds) {
            if (!ds->IsEmpty()) AbrirTablasEquipo(cdsEFCodEquipo->AsInteger());
        };
        AbrirEn(cdsCodigos, RutasDatos::CarpetaBDs());
        if (!cdsEquipo->IsEmpty()) AbrirTablasEquipo(cdsEFCodEquipo->AsInteger());
        AbrirPlantilla(cdsLineaReparacion);
        AbrirPlantilla(cdsReparacion);
        AbrirEn(cdsAlumno, RutasDatos::CarpetaBDs());
        ClonarAlumno();
        AbrirEn(cdsGrupo, RutasDatos::CarpetaBDs());
        cdsGrupo->SetReadOnly(cdsGrupo->IsEmpty());
        // A group without its folder has been reported; the rest of the installation opens.
        if (HayGrupos() && HayCarpetaGrupoActual()) {
            cdsGrupoAlumno->SetAggregatesActive(true);
            cdsSubgrupo->SetAggregatesActive(true);
            AbrirTablasGrupo();
        }
        InicializarCodigos();
        AplicarTextosIdioma();
        return true;
    } catch (const EDatabaseError& error) {
        MostrarMensaje(ErroresTablas::TextoError(error), BotonesAceptar, DibujoError);
        return false;
    }
}

namespace {

// "The template %1 was missing or damaged and has been created again, empty".
constexpr int kTextoPlantillaRehecha = 244;
// "Your practice history cannot be opened: the file %1 is damaged. Tell the teacher".
constexpr int kTextoHistoricoDanado = 245;

// A template file that could not be read goes, with a journal a broken save left beside it
// (SQLite would roll that journal into the new file).
void QuitarArchivoIlegible(const QString& archivo) {
    QFile::remove(archivo + QStringLiteral("-journal"));
    QFile::remove(archivo);
}

}  // namespace

void TdmCDS::AbrirPlantilla(TClientDataSet* tabla) {
    const QString archivo = RutasDatos::Archivo(RutasDatos::CarpetaBDs(), tabla->Name);
    try {
        AbrirEn(tabla, RutasDatos::CarpetaBDs());
        return;
    } catch (const EDatabaseError&) {
        // A template holds no class data: it is made again from the schema.
    }
    tabla->Close();
    QuitarArchivoIlegible(archivo);
    CrearArchivoVacio(tabla, archivo);
    MostrarMensaje(Texto(kTextoPlantillaRehecha).arg(QDir::toNativeSeparators(archivo)), BotonesAceptar,
                   DibujoAviso);
}

void TdmCDS::AbrirEn(TClientDataSet* tabla, const QString& carpeta) {
    tabla->Close();
    tabla->SetFileName(RutasDatos::Archivo(carpeta, tabla->Name));
    tabla->Open();
}

void TdmCDS::AbrirTablasEquipo(int codigoEquipo) {
    const QString carpeta = RutasDatos::CarpetaEquipo(codigoEquipo);
    equipoCargado_ = -1;  // until every table of the trainer is in
    AbrirEn(cdsSintomas, carpeta);
    AbrirEn(cdsAveria, carpeta);
    ClonarAveria();
    AbrirEn(cdsBloque, carpeta);
    ClonarBloque();
    AbrirEn(cdsCircuito, carpeta);
    ClonarCircuito();
    cdsCircuitoLoc->Close();
    cdsCircuitoLoc->LoadFromFile(cdsCircuito->FileName());
    AbrirEn(cdsComponente, carpeta);
    ClonarComponente();
    for (TClientDataSet* copia : {cdsComponenteLoc, cdsComponenteTodos}) {
        copia->Close();
        copia->LoadFromFile(cdsComponente->FileName());
    }
    AbrirEn(cdsElemento, carpeta);
    ClonarElemento();
    equipoCargado_ = codigoEquipo;
}

bool TdmCDS::HayGrupos() const {
    return cdsGrupo->Active() && !cdsGrupo->IsEmpty();
}

QString TdmCDS::CarpetaGrupoActual() {
    const QString guardada = cdsGrpFDirectorio->AsString();
    // A copied or moved installation keeps its groups under its own "BDs": the folder
    // stored by another installation must never be written into from this one.
    const QString propia = ConBarra(RutasDatos::CarpetaGrupo(cdsGrpFCodGrupo->AsInteger()));
    QString carpeta;
    if (ExisteCarpeta(propia))
        carpeta = propia;
    else if (ExisteCarpeta(ConBarra(guardada)) && RutasDatos::DentroDeInstalacion(ConBarra(guardada)))
        carpeta = ConBarra(guardada);
    if (carpeta.isEmpty()) {
        AvisarGrupoSinCarpeta(guardada, propia);
        return propia;
    }
    grupoSinCarpetaAvisado_ = -1;
    if (ConBarra(guardada) != carpeta) CorregirCarpetaGrupo(carpeta);
    return carpeta;
}

bool TdmCDS::HayCarpetaGrupoActual() {
    return ExisteCarpeta(CarpetaGrupoActual());
}

void TdmCDS::CorregirCarpetaGrupo(const QString& carpeta) {
    if (cdsGrupo->State() != dsBrowse) return;
    const bool soloLectura = cdsGrupo->ReadOnly();
    cdsGrupo->SetReadOnly(false);
    if (cdsGrupo->Edit()) {
        cdsGrpFDirectorio->SetAsString(carpeta);
        cdsGrupo->Post();
    }
    cdsGrupo->SetReadOnly(soloLectura);
}

namespace {

// "The folder of the group %1 is not there (looked for in %2)".
constexpr int kTextoGrupoSinCarpeta = 240;

}  // namespace

void TdmCDS::AvisarGrupoSinCarpeta(const QString& guardada, const QString& propia) {
    // The three group tables ask in turn: one message for the group.
    const int grupo = cdsGrpFCodGrupo->AsInteger();
    if (grupoSinCarpetaAvisado_ == grupo || cdsGrupo->State() != dsBrowse) return;
    grupoSinCarpetaAvisado_ = grupo;
    QString donde = QDir::toNativeSeparators(propia);
    if (!guardada.isEmpty() && ConBarra(guardada) != propia)
        donde += QStringLiteral(", ") + QDir::toNativeSeparators(ConBarra(guardada));
    MostrarMensaje(Texto(kTextoGrupoSinCarpeta).arg(cdsGrpFNombre->AsString(), donde), BotonesAceptar,
                   DibujoAviso);
}

void TdmCDS::AbrirTablasGrupo() {
    for (TClientDataSet* tabla : {cdsGrupoAlumno, cdsSubgrupo, cdsSemilla}) {
        tabla->Close();
        tabla->Open();
    }
}

void TdmCDS::AbrirGrupoAlumno() {
    cdsGrupoAlumno->Close();
    cdsGrupoAlumno->SetFileName(RutasDatos::Archivo(CarpetaGrupoActual(), cdsGrupoAlumno->Name));
    cdsGrupoAlumno->SetAggregatesActive(true);
    cdsGrupoAlumno->Open();
}

void TdmCDS::CargarTablasGrupo() {
    const QString carpeta = CarpetaGrupoActual();
    const QString miembros = RutasDatos::Archivo(carpeta, cdsGrupoAlumno->Name);
    if (cdsGrupoAlumno->FileName() == miembros) return;
    for (TClientDataSet* tabla : {cdsGrupoAlumno, cdsSubgrupo}) {
        tabla->Close();
        tabla->SetFileName(RutasDatos::Archivo(carpeta, tabla->Name));
        tabla->SetAggregatesActive(true);
        tabla->LoadFromFile();
    }
}

void TdmCDS::CerrarTablasGrupo() {
    for (TClientDataSet* tabla : {cdsGrupoAlumno, cdsSubgrupo, cdsSemilla}) tabla->Close();
}

void TdmCDS::DesligarTablasGrupo() {
    for (TClientDataSet* tabla : {cdsSemilla, cdsGrupoAlumno, cdsSubgrupo}) {
        tabla->Close();
        tabla->SetFileName(QString());
    }
}

void TdmCDS::CrearArchivoVacio(TClientDataSet* tabla, const QString& archivo) {
    tabla->Close();
    tabla->SetFileName(QString());
    tabla->CreateDataSet();
    tabla->SetFileName(archivo);
    tabla->SaveToFile();
}

void TdmCDS::CrearTablasGrupo() {
    const QString carpeta = CarpetaGrupoActual();
    for (TClientDataSet* tabla : {cdsSemilla, cdsGrupoAlumno, cdsSubgrupo})
        CrearArchivoVacio(tabla, RutasDatos::Archivo(carpeta, tabla->Name));
}

void TdmCDS::AbrirHistorico(const QString& usuario) {
    if (usuario == RutasDatos::kProfesor) {
        AbrirPlantilla(cdsReparacion);
        AbrirPlantilla(cdsLineaReparacion);
        return;
    }
    cdsReparacion->Close();
    cdsReparacion->SetFileName(RutasDatos::ArchivoReparacion(usuario));
    cdsReparacion->Open();
    cdsLineaReparacion->Close();
    cdsLineaReparacion->SetFileName(RutasDatos::ArchivoLineaReparacion(usuario));
    cdsLineaReparacion->Open();
}

bool TdmCDS::ExisteHistorico(const QString& usuario) const {
    return QFileInfo::exists(RutasDatos::ArchivoReparacion(usuario));
}

void TdmCDS::AbrirHistoricoSiExiste(const QString& usuario) {
    if (ExisteHistorico(usuario))
        AbrirHistorico(usuario);
    else
        CrearHistorico(usuario);
}

bool TdmCDS::AbrirHistoricoUsuario(const QString& usuario) {
    if (usuario == RutasDatos::kProfesor) {
        AbrirHistorico(usuario);  // the templates are made again when they cannot be read
        return true;
    }
    if (!ExisteHistorico(usuario)) {
        CrearHistorico(usuario);
        return true;
    }
    try {
        AbrirHistorico(usuario);
        return true;
    } catch (const EDatabaseError& error) {
        // Nothing may write into the damaged history: the tables forget it.
        for (TClientDataSet* tabla : {cdsReparacion, cdsLineaReparacion}) {
            tabla->Close();
            tabla->SetFileName(QString());
        }
        QString archivo = ErroresTablas::ArchivoDelError(error);
        if (archivo.isEmpty()) archivo = RutasDatos::ArchivoReparacion(usuario);
        MostrarMensaje(Texto(kTextoHistoricoDanado).arg(QDir::toNativeSeparators(archivo)), BotonesAceptar,
                       DibujoError);
        return false;
    }
}

void TdmCDS::CrearHistorico(const QString& usuario) {
    // A practice must never go unsaved because the history folder is missing.
    QDir().mkpath(RutasDatos::CarpetaDe(RutasDatos::ArchivoReparacion(usuario)));
    CrearArchivoVacio(cdsReparacion, RutasDatos::ArchivoReparacion(usuario));
    CrearArchivoVacio(cdsLineaReparacion, RutasDatos::ArchivoLineaReparacion(usuario));
}

bool TdmCDS::EsTablaGrupo(const TClientDataSet* tabla) const {
    return tabla == cdsGrupoAlumno || tabla == cdsSubgrupo || tabla == cdsSemilla;
}

bool TdmCDS::EsTablaHistorico(const TClientDataSet* tabla) const {
    return tabla == cdsReparacion || tabla == cdsLineaReparacion || tabla == cdsReparacionInfor ||
           tabla == cdsLineaRepInfor;
}

namespace {

// "The table cannot be saved: its folder is gone" (table, folder).
constexpr int kTextoCarpetaPerdida = 231;

}  // namespace

bool TdmCDS::SalvarTabla(TClientDataSet* tabla) {
    // A group being inserted has no files yet.
    if (tabla->FileName().isEmpty()) return false;
    if (EsTablaGrupo(tabla) && !HayGrupos()) return false;
    const QString carpeta = RutasDatos::CarpetaDe(tabla->FileName());
    if (!ExisteCarpeta(carpeta)) {
        if (!EsTablaHistorico(tabla) || !QDir().mkpath(carpeta)) {
            MostrarMensaje(Texto(kTextoCarpetaPerdida).arg(tabla->Name, QDir::toNativeSeparators(carpeta)),
                           BotonesAceptar, 2);
            return false;
        }
    }
    tabla->MergeChangeLog();
    return Escribir(tabla);
}

bool TdmCDS::GuardarTabla(TClientDataSet* tabla) {
    if (tabla->FileName().isEmpty()) return false;
    if (EsTablaGrupo(tabla) && !HayGrupos()) return false;
    return Escribir(tabla);
}

bool TdmCDS::Escribir(TClientDataSet* tabla) {
    try {
        tabla->SaveToFile();
        return true;
    } catch (const EArchivoOcupado& e) {
        // Nothing was written; the change stays in memory and goes with the next save.
        MostrarMensaje(ErroresTablas::TextoError(e), BotonesAceptar, DibujoError);
        return false;
    }
}

bool TdmCDS::RefrescarTabla(TClientDataSet* tabla) {
    if (!tabla->Active() || tabla->FileName().isEmpty()) return false;
    try {
        if (!tabla->Refrescar()) return false;
        // The first group may have come from another PC.
        if (tabla == cdsGrupo) cdsGrupo->SetReadOnly(cdsGrupo->IsEmpty());
        return true;
    } catch (const EArchivoOcupado& e) {
        MostrarMensaje(ErroresTablas::TextoError(e), BotonesAceptar, DibujoError);
        return false;
    }
}

int TdmCDS::SiguienteCodigo(TClientDataSet* tabla, bool asignar) {
    const int codigo = SiguientesCodigos(tabla, 1).front();
    if (asignar) tabla->Fields().front()->SetAsInteger(codigo);
    return codigo;
}

std::vector<int> TdmCDS::SiguientesCodigos(TClientDataSet* tabla, int cuantos) {
    // Other PCs may have given codes since these tables were read.
    RefrescarTabla(cdsCodigos);
    const std::vector<int> usados = CodigosEnUso(tabla);
    std::vector<int> codigos;
    if (tabla->CodigoSinReutilizar) {
        int siguiente = 1;
        if (cdsCodigos->Locate(QStringLiteral("cdsCodFTabla"), tabla->Name))
            siguiente = cdsCodFUltimo->AsInteger() + 1;
        for (int usado : usados) siguiente = std::max(siguiente, usado + 1);
        for (int i = 0; i < cuantos; ++i) codigos.push_back(siguiente + i);
    } else {
        codigos = CodigosLibres(usados, cuantos);
    }
    if (!codigos.empty()) AnotarUltimoCodigo(tabla, codigos.back());
    return codigos;
}

void TdmCDS::AnotarUltimoCodigo(TClientDataSet* tabla, int codigo) {
    if (!cdsCodigos->Locate(QStringLiteral("cdsCodFTabla"), tabla->Name)) {
        // A table added after the counters were created gets its counter now.
        cdsCodigos->Append();
        cdsCodFTabla->SetAsString(tabla->Name);
    } else {
        cdsCodigos->Edit();
    }
    cdsCodFUltimo->SetAsInteger(codigo);
    cdsCodigos->Post();
}

std::vector<int> TdmCDS::CodigosEnUso(TClientDataSet* tabla) {
    // The file as it is now: another PC may have written rows since this one read it.
    const QString archivo = tabla->FileName();
    if (tabla == cdsSemilla && (archivo.isEmpty() || !QFileInfo::exists(archivo))) return {};
    if (archivo.isEmpty())
        throw EDatabaseError(QStringLiteral("%1: no table file to take identifiers from").arg(tabla->Name));
    const QVector<int> codigos = tablas::LeerCodigos(archivo, tabla->Fields().front()->FieldName());
    return {codigos.begin(), codigos.end()};
}

void TdmCDS::DevolverCodigo(TClientDataSet* tabla) {
    if (!cdsCodigos->Locate(QStringLiteral("cdsCodFTabla"), tabla->Name)) return;
    cdsCodigos->Edit();
    cdsCodFUltimo->SetAsInteger(cdsCodFUltimo->AsInteger() - 1);
    cdsCodigos->Post();
}

void TdmCDS::InicializarCodigos() {
    if (!cdsCodigos->IsEmpty()) return;
    const TDataSetNotifyEvent guardar = std::exchange(cdsCodigos->AfterPost, nullptr);
    for (const TClientDataSet* tabla : Tablas()) {
        cdsCodigos->Append();
        cdsCodFTabla->SetAsString(tabla->Name);
        cdsCodFUltimo->SetAsInteger(0);
        cdsCodigos->Post();
    }
    cdsCodigos->AfterPost = guardar;
    SalvarTabla(cdsCodigos);
}
