#include "Intercambio.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "Cadenas.h"
#include "CodigoLibre.h"
#include "ErroresTablas.h"
#include "EstructuraTabla.h"
#include "Idioma.h"
#include "Instalacion.h"
#include "Mensajes.h"
#include "NombreCarpeta.h"
#include "PuestaEnSitio.h"
#include "RutasDatos.h"
#include "SistemaArchivos.h"
#include "TextosIntercambio.h"
#include "UtilExportar.h"
#include "dmCDS.h"

using tablas::ClaseEntrada;

const QStringList kArchivosIntercambio = {
    QStringLiteral("cdsGrupo.cds"), QStringLiteral("cdsAlumno.cds"), QStringLiteral("cdsGrupoAlumno.cds"),
    QStringLiteral("cdsSubgrupo.cds"), QStringLiteral("cdsSemilla.cds")};

namespace {

const QString kGrupo = QStringLiteral("cdsGrupo");
const QString kAlumno = QStringLiteral("cdsAlumno");
const QString kCodigos = QStringLiteral("cdsCodigos");
const QString kMiembros = QStringLiteral("cdsGrupoAlumno");
const QString kSubgrupos = QStringLiteral("cdsSubgrupo");
const QString kSemillas = QStringLiteral("cdsSemilla");

QString Archivo(const QString& carpeta, const QString& tabla) {
    return ConBarra(carpeta) + tabla + QStringLiteral(".cds");
}

QString SinBarra(const QString& carpeta) {
    QString r = ConBarra(carpeta);
    r.chop(1);
    return r;
}

[[noreturn]] void Fallar(int texto, const QString& detalle = {}) {
    throw ErrorIntercambio(Texto(texto) + detalle);
}

TField* Campo(const TClientDataSet& tabla, const char* nombre) {
    return tabla.FieldByName(QLatin1String(nombre));
}

bool EsGuardado(const TField* campo) {
    return campo->FieldKind() == fkData || campo->FieldKind() == fkInternalCalc;
}

// Every stored field of the destination's new row that the source has by name.
void CopiarCampos(const TClientDataSet& origen, TClientDataSet& destino) {
    for (TField* campo : destino.Fields())
        if (EsGuardado(campo))
            if (const TField* fuente = origen.FindField(campo->FieldName())) campo->SetValue(fuente->Value());
}

void Guardar(TClientDataSet& tabla, const QString& archivo) {
    tabla.MergeChangeLog();
    tabla.SaveToFile(archivo);
}

// ------------------------------------------------ the working folder

QString CarpetaTrabajo() {
    return ConBarra(Instalacion::Ruta(QStringLiteral("DMTTemp")));
}

// The installation tables an import replaces, read again from their files.
void RecargarTablasInstalacion(TdmCDS& dm) {
    for (TClientDataSet* tabla : {dm.cdsCodigos, dm.cdsAlumno, dm.cdsGrupo}) {
        tabla->Close();
        tabla->Open();
    }
    dm.ClonarAlumno();
    dm.cdsGrupo->SetReadOnly(dm.cdsGrupo->IsEmpty());
}

}  // namespace

bool RecuperarIntercambio() {
    const QString carpeta = CarpetaTrabajo();
    return tablas::Clase(SinBarra(carpeta)) == ClaseEntrada::Carpeta && PuestaEnSitio::Recuperar(carpeta);
}

namespace {

// Finishes an import that a stopped program left half in place, then empties the working
// folder or creates it (text 145 when it cannot be created: the exchange goes on and
// fails where it needs the folder).
QString PrepararCarpetaTrabajo(TdmCDS& dm) {
    const QString carpeta = CarpetaTrabajo();
    const QString nombre = SinBarra(carpeta);
    switch (tablas::Clase(nombre)) {
        case ClaseEntrada::Carpeta:
            if (RecuperarIntercambio()) RecargarTablasInstalacion(dm);
            VaciarCarpeta(carpeta);
            return carpeta;
        case ClaseEntrada::Ninguna:
            break;
        default:
            tablas::BorrarNombre(nombre);  // a link or a file in its place: never followed
            break;
    }
    if (tablas::CrearCarpeta(nombre) != 0)
        MostrarMensaje(Texto(kTextoCarpetaTrabajo) + QLatin1Char(' ') + QDir::toNativeSeparators(nombre));
    return carpeta;
}

// Empties and removes the working folder however the exchange ends.
class CarpetaTrabajoTemporal {
public:
    explicit CarpetaTrabajoTemporal(TdmCDS& dm) : ruta_(PrepararCarpetaTrabajo(dm)) {}
    ~CarpetaTrabajoTemporal() {
        VaciarCarpeta(ruta_);
        tablas::BorrarCarpetaVacia(SinBarra(ruta_));
    }
    CarpetaTrabajoTemporal(const CarpetaTrabajoTemporal&) = delete;
    CarpetaTrabajoTemporal& operator=(const CarpetaTrabajoTemporal&) = delete;
    const QString& ruta() const { return ruta_; }
    // A new folder inside the working folder.
    QString Sub(const QString& nombre) const {
        const QString sub = ruta_ + nombre;
        if (tablas::CrearCarpeta(sub) != 0) Fallar(kTextoNoSeCreaCarpeta, QDir::toNativeSeparators(sub));
        return ConBarra(sub);
    }

private:
    QString ruta_;
};

// Closes the group's three tables (writing what they hold) so that their files can be
// copied or moved, and opens again those that were open unless told otherwise.
class TablasGrupoCerradas {
public:
    explicit TablasGrupoCerradas(TdmCDS& dm) : dm_(dm) {
        for (TClientDataSet* tabla : Tablas()) abiertas_.push_back(tabla->Active());
        dm_.CerrarTablasGrupo();
    }
    ~TablasGrupoCerradas() {
        try {
            Reabrir();
        } catch (const std::exception&) {
            // The folder is gone with a failed export's group: the tables stay closed.
        }
    }
    TablasGrupoCerradas(const TablasGrupoCerradas&) = delete;
    TablasGrupoCerradas& operator=(const TablasGrupoCerradas&) = delete;
    void Reabrir() {
        auto tablas = Tablas();
        for (std::size_t i = 0; i < tablas.size(); ++i)
            if (abiertas_[i]) {
                abiertas_[i] = false;
                tablas[i]->Open();
            }
    }
    void Olvidar() { std::fill(abiertas_.begin(), abiertas_.end(), false); }

private:
    std::vector<TClientDataSet*> Tablas() const {
        return {dm_.cdsGrupoAlumno, dm_.cdsSubgrupo, dm_.cdsSemilla};
    }
    TdmCDS& dm_;
    std::vector<bool> abiertas_;
};

// Writes every pending change of the tables an import reads from disk.
void GuardarPendientes(TdmCDS& dm) {
    for (TClientDataSet* tabla : {dm.cdsCodigos, dm.cdsAlumno, dm.cdsGrupo}) {
        if (tabla->State() != dsBrowse) tabla->Cancel();
        if (tabla->HayCambiosSinGuardar() && !dm.SalvarTabla(tabla)) Fallar(kTextoImportacionFallida);
    }
}

// ------------------------------------------------ reading an exchange folder

std::unique_ptr<TClientDataSet> LeerTabla(const QString& carpeta, const QString& nombre) {
    const QString archivo = Archivo(carpeta, nombre);
    const QString visible = QDir::toNativeSeparators(archivo);
    auto tabla = std::make_unique<TClientDataSet>(nombre);
    try {
        tabla->LoadFromFile(archivo);
    } catch (const EDatabaseError&) {
        Fallar(kTextoTablaDanada, visible);
    }
    // Every column of this installation's table, of the same type.
    TClientDataSet modelo;
    CrearTablaGuardada(modelo, nombre);
    for (const TField* campo : modelo.Fields()) {
        const TField* leido = tabla->FindField(campo->FieldName());
        if (!leido || leido->DataType() != campo->DataType()) Fallar(kTextoTablaDanada, visible);
    }
    tabla->SetReadOnly(false);
    return tabla;
}

}  // namespace

bool EsCarpetaIntercambio(const QString& carpeta) {
    return std::all_of(kArchivosIntercambio.begin(), kArchivosIntercambio.end(), [&](const QString& archivo) {
        return tablas::Clase(ConBarra(carpeta) + archivo) == ClaseEntrada::Archivo;
    });
}

CarpetaIntercambio LeerCarpetaIntercambio(const QString& carpeta) {
    if (!EsCarpetaIntercambio(carpeta)) Fallar(kTextoFaltanArchivos);
    CarpetaIntercambio datos;
    datos.grupo = LeerTabla(carpeta, kGrupo);
    datos.alumnos = LeerTabla(carpeta, kAlumno);
    datos.miembros = LeerTabla(carpeta, kMiembros);
    datos.subgrupos = LeerTabla(carpeta, kSubgrupos);
    datos.semillas = LeerTabla(carpeta, kSemillas);
    datos.grupo->First();
    if (datos.grupo->RecordCount() != 1 || Campo(*datos.grupo, "cdsGrpFNombre")->AsString().isEmpty())
        Fallar(kTextoSinGrupo, QDir::toNativeSeparators(Archivo(carpeta, kGrupo)));
    QStringList nombres;
    tablas::ListarCarpeta(carpeta, nombres);
    for (const QString& nombre : nombres)
        if (nombre.endsWith(QLatin1String(".cds"), Qt::CaseInsensitive) &&
            !kArchivosIntercambio.contains(nombre, Qt::CaseInsensitive) &&
            tablas::Clase(ConBarra(carpeta) + nombre) == ClaseEntrada::Archivo)
            datos.otras.append(nombre);
    return datos;
}

// ------------------------------------------------ export

namespace {

// The students of the group's memberships, one per membership row in membership order,
// as the data module holds them. A member without a student record fails the export.
void EscribirAlumnosGrupo(TdmCDS& dm, const QString& carpeta) {
    TClientDataSet miembros, alumnos, buscador;
    miembros.LoadFromFile(Archivo(carpeta, kMiembros));
    dm.CrearTablaComo(dm.cdsAlumno, &alumnos, carpeta);
    buscador.CloneCursor(dm.cdsAlumno, true);
    TField* codigo = Campo(miembros, "cdsGrpAlFPtrAlumno");
    for (miembros.First(); !miembros.Eof(); miembros.Next()) {
        if (!buscador.Locate(QStringLiteral("cdsAFCodAlumno"), codigo->Value()))
            Fallar(kTextoExportacionFallida);
        alumnos.Append();
        CopiarCampos(buscador, alumnos);
        alumnos.Post();
    }
    Guardar(alumnos, Archivo(carpeta, kAlumno));
}

// The exchange folder under the destination: created, or emptied of its own table files
// only. Never a link, never anything but a folder.
QString PrepararCarpetaIntercambio(const QString& destino, const QString& nombre) {
    const QString carpeta = ConBarra(destino) + nombre;
    switch (tablas::Clase(carpeta)) {
        case ClaseEntrada::Ninguna:
            if (tablas::CrearCarpeta(carpeta) != 0)
                Fallar(kTextoNoSeCreaCarpeta, QDir::toNativeSeparators(carpeta));
            break;
        case ClaseEntrada::Carpeta:
            for (const QString& archivo : kArchivosIntercambio)
                if (tablas::BorrarArchivoTabla(ConBarra(carpeta) + archivo) != 0)
                    Fallar(kTextoNoSeBorraArchivo, QDir::toNativeSeparators(ConBarra(carpeta) + archivo));
            break;
        default:
            Fallar(kTextoNoEsCarpeta, QDir::toNativeSeparators(carpeta));
    }
    return ConBarra(carpeta);
}

}  // namespace

ResultadoIntercambio ExportarGrupo(TdmCDS& dm, const QString& destino, const FuncionAvance& avance) {
    ResultadoIntercambio r;
    const auto avisar = [&](Avance::Etapa etapa) {
        if (avance) avance({etapa, 0, 0});
    };
    try {
        if (!dm.cdsGrupo->Active() || dm.cdsGrupo->IsEmpty()) Fallar(kTextoExportacionFallida);
        r.nombre = dm.cdsGrpFNombre->AsString();
        r.codigoGrupo = dm.cdsGrpFCodGrupo->AsInteger();
        const QString nombreCarpeta = NombreCarpetaIntercambio(r.nombre);
        if (nombreCarpeta.isEmpty()) Fallar(kTextoNombreNoValido, r.nombre);
        if (!QFileInfo(destino).isDir()) Fallar(kTextoNoEsCarpeta, QDir::toNativeSeparators(destino));

        avisar(Avance::Leyendo);
        CarpetaTrabajoTemporal trabajo(dm);
        // Finishing an import left half way reloads the tables: back to the group.
        if (dm.cdsGrpFCodGrupo->AsInteger() != r.codigoGrupo && !dm.LocalizarGrupo(r.codigoGrupo))
            Fallar(kTextoExportacionFallida);
        const QString carpetaGrupo = dm.CarpetaGrupoActual();
        {
            TablasGrupoCerradas cerradas(dm);
            const QString copia = trabajo.Sub(nombreCarpeta);
            if (!CopiarCarpeta(carpetaGrupo, copia, QStringLiteral("*.cds"), false))
                Fallar(kTextoExportacionFallida);
            cerradas.Reabrir();
            // The group record beside the copy: it goes into the exchange folder last, so
            // that a folder whose writing stopped half way is never taken for an exchange.
            dm.CopiarTabla(dm.cdsGrupo, dm.cdsAux, true, trabajo.ruta(),
                           QStringLiteral("cdsGrpFCodGrupo =") + QString::number(r.codigoGrupo));
            TClientDataSet grupo;
            grupo.LoadFromFile(Archivo(trabajo.ruta(), kGrupo));
            if (grupo.RecordCount() != 1) Fallar(kTextoExportacionFallida);
            EscribirAlumnosGrupo(dm, copia);
            TClientDataSet alumnos;
            alumnos.LoadFromFile(Archivo(copia, kAlumno));
            r.alumnos = alumnos.RecordCount();

            avisar(Avance::PoniendoEnSitio);
            r.carpeta = PrepararCarpetaIntercambio(destino, nombreCarpeta);
            if (!CopiarCarpeta(copia, r.carpeta, QStringLiteral("*.*"))) Fallar(kTextoExportacionFallida);
            if (tablas::CopiarArchivo(Archivo(trabajo.ruta(), kGrupo), Archivo(r.carpeta, kGrupo)) != 0) {
                MostrarMensaje(Texto(kTextoNoSeCopia) + kArchivosIntercambio.first());
                Fallar(kTextoExportacionFallida);
            }
        }
        r.correcto = true;
        r.mensaje = Texto(kTextoExportado);
    } catch (const ErrorIntercambio& e) {
        r.mensaje = e.Texto();
    } catch (const std::exception& e) {
        r.mensaje = Texto(kTextoExportacionFallida) + QLatin1Char(' ') + ErroresTablas::TextoError(e);
    }
    dm.cdsAux->Close();
    dm.cdsAux->SetFileName(QString());
    return r;
}

// ------------------------------------------------ import

namespace {

// The rows of the installation's tables that an import rewrites, copied into the
// working folder and changed there.
struct TablasInstalacion {
    TClientDataSet grupos{kGrupo}, alumnos{kAlumno}, codigos{kCodigos};
    QString carpeta;

    explicit TablasInstalacion(const QString& trabajo) : carpeta(trabajo) {
        for (TClientDataSet* tabla : {&grupos, &alumnos, &codigos}) {
            const QString propio = RutasDatos::Archivo(RutasDatos::CarpetaBDs(), tabla->Name);
            const QString copia = Archivo(carpeta, tabla->Name);
            if (tablas::CopiarArchivo(propio, copia) != 0)
                Fallar(kTextoNoSeCopia, QDir::toNativeSeparators(propio));
            tabla->LoadFromFile(copia);
            tabla->SetReadOnly(false);
        }
    }
    void Guardar() {
        for (TClientDataSet* tabla : {&grupos, &alumnos, &codigos})
            ::Guardar(*tabla, Archivo(carpeta, tabla->Name));
    }

    // The identifier counter of a table takes `valor` (only a higher one with `soloSubir`).
    void Contador(const QString& tabla, int valor, bool soloSubir) {
        TField* ultimo = Campo(codigos, "cdsCodFUltimo");
        if (codigos.Locate(QStringLiteral("cdsCodFTabla"), tabla)) {
            if (soloSubir && ultimo->AsInteger() >= valor) return;
            codigos.Edit();
        } else {
            codigos.Append();
            Campo(codigos, "cdsCodFTabla")->SetAsString(tabla);
        }
        ultimo->SetAsInteger(valor);
        codigos.Post();
    }
};

std::vector<int> Codigos(TClientDataSet& tabla, const char* campo) {
    std::vector<int> codigos;
    TField* f = Campo(tabla, campo);
    for (tabla.First(); !tabla.Eof(); tabla.Next())
        if (!f->IsNull()) codigos.push_back(f->AsInteger());
    return codigos;
}

// The folder a group's tables live in: the stored one when it is a folder of this
// installation's "BDs", else the one its code names there.
QString CarpetaPropiaGrupo(const QString& guardada, int codigo) {
    const QString bds = RutasDatos::CarpetaBDs();
    const QString enBds = SinBarra(RutasDatos::CarpetaGrupo(codigo));
    if (guardada.isEmpty()) return enBds;
    const QString carpeta = SinBarra(Instalacion::ResolverRuta(QStringLiteral("/"), guardada));
    if (tablas::Clase(carpeta) == ClaseEntrada::Carpeta &&
        RutasDatos::MismoArchivo(RutasDatos::CarpetaDe(carpeta), bds))
        return carpeta;
    return enBds;
}

// The group of the imported name, to be replaced: its row, members and histories go
// from the copies, its folder and history files are moved into the working folder.
struct GrupoReemplazado {
    int codigo = -1;
    QString carpeta;
};

GrupoReemplazado QuitarGrupo(TablasInstalacion& t, PuestaEnSitio& plan, const QString& retiro) {
    GrupoReemplazado quitado;
    quitado.codigo = Campo(t.grupos, "cdsGrpFCodGrupo")->AsInteger();
    quitado.carpeta = CarpetaPropiaGrupo(Campo(t.grupos, "cdsGrpFDirectorio")->AsString(), quitado.codigo);
    t.grupos.Delete();
    if (tablas::Clase(quitado.carpeta) != ClaseEntrada::Carpeta) {
        quitado.carpeta.clear();
        return quitado;
    }
    const QString miembros = Archivo(quitado.carpeta, kMiembros);
    if (tablas::Clase(miembros) == ClaseEntrada::Archivo) {
        TClientDataSet tabla;
        try {
            tabla.LoadFromFile(miembros);
        } catch (const EDatabaseError&) {
            Fallar(kTextoTablaDanada, QDir::toNativeSeparators(miembros));
        }
        // As when a group is deleted: its members go as students, with their histories.
        for (int alumno : Codigos(tabla, "cdsGrpAlFPtrAlumno")) {
            while (t.alumnos.Locate(QStringLiteral("cdsAFCodAlumno"), alumno)) t.alumnos.Delete();
            const QString usuario = FormatoCodigo(alumno);
            for (const QString& archivo :
                 {RutasDatos::ArchivoReparacion(usuario), RutasDatos::ArchivoLineaReparacion(usuario)})
                if (tablas::Clase(archivo) != ClaseEntrada::Ninguna)
                    plan.Mover(archivo, retiro + QFileInfo(archivo).fileName());
        }
    }
    plan.Mover(quitado.carpeta, retiro + QStringLiteral("grupo"));
    return quitado;
}

// A code for the imported group: its own when neither a row nor a folder has it, else
// the smallest such code.
int CodigoGrupo(TClientDataSet& grupos, int propio, const QString& carpetaQuitada) {
    const std::vector<int> usados = Codigos(grupos, "cdsGrpFCodGrupo");
    const auto libre = [&](int codigo) {
        if (codigo <= 0 || std::find(usados.begin(), usados.end(), codigo) != usados.end()) return false;
        const QString carpeta = SinBarra(RutasDatos::CarpetaGrupo(codigo));
        return tablas::Clase(carpeta) == ClaseEntrada::Ninguna ||
               (!carpetaQuitada.isEmpty() && RutasDatos::MismoArchivo(carpeta, carpetaQuitada));
    };
    if (libre(propio)) return propio;
    int codigo = MenorCodigoLibre(usados);
    while (!libre(codigo)) ++codigo;
    return codigo;
}

// The rows of the new group's three tables, with this installation's structure.
struct TablasNuevoGrupo {
    TClientDataSet miembros, subgrupos, semillas;
    TablasNuevoGrupo() {
        CrearTablaGuardada(miembros, kMiembros);
        CrearTablaGuardada(subgrupos, kSubgrupos);
        CrearTablaGuardada(semillas, kSemillas);
    }
    void Guardar(const QString& carpeta) {
        for (TClientDataSet* tabla : {&miembros, &subgrupos, &semillas})
            ::Guardar(*tabla, Archivo(carpeta, tabla->Name));
    }
};

void AnadirCopia(TClientDataSet& destino, const TClientDataSet& origen,
                 std::initializer_list<std::pair<const char*, QVariant>> cambios) {
    destino.Append();
    CopiarCampos(origen, destino);
    for (const auto& [campo, valor] : cambios) Campo(destino, campo)->SetValue(valor);
    destino.Post();
}

// The codes of a table as new ones are given: the smallest one free, as SiguienteCodigo
// gives it. Given codes only grow the set, so the search goes on from the last one.
class CodigosLibres {
public:
    explicit CodigosLibres(const std::vector<int>& usados) : usados_(usados.begin(), usados.end()) {}
    bool Libre(int codigo) const { return codigo > 0 && !usados_.count(codigo); }
    int Siguiente() {
        while (usados_.count(menor_)) ++menor_;
        return menor_;
    }
    void Usar(int codigo) { usados_.insert(codigo); }

private:
    std::set<int> usados_;
    int menor_ = 1;
};

struct AlumnosImportados {
    std::map<int, int> codigos;  // imported code -> local code
    int ultimo = -1;             // local code of the last one
};

// The imported students under codes free here (their own when free), each with its
// membership with all its fields.
AlumnosImportados PrepararAlumnos(CarpetaIntercambio& datos, TablasInstalacion& t, TablasNuevoGrupo& n,
                                  int grupo, const std::function<void(int, int)>& avisar) {
    TClientDataSet& importados = *datos.alumnos;
    TClientDataSet& miembros = *datos.miembros;
    const TClientDataSet sinMiembro;
    CodigosLibres codigos(Codigos(t.alumnos, "cdsAFCodAlumno"));
    AlumnosImportados hechosAqui;
    std::map<int, int>& nuevos = hechosAqui.codigos;
    const int total = importados.RecordCount();
    int hechos = 0;
    for (importados.First(); !importados.Eof(); importados.Next()) {
        avisar(hechos++, total);
        const int propio = Campo(importados, "cdsAFCodAlumno")->AsInteger();
        if (nuevos.count(propio)) continue;  // one student, two rows
        int codigo = propio;
        if (!codigos.Libre(codigo)) {
            codigo = codigos.Siguiente();
            t.Contador(kAlumno, codigo, false);
        }
        codigos.Usar(codigo);
        nuevos[propio] = hechosAqui.ultimo = codigo;
        AnadirCopia(t.alumnos, importados,
                    {{"cdsAFCodAlumno", codigo}, {"cdsAFGrupos", QString::number(grupo) + u'#'}});
        const bool conFicha = miembros.Locate(QStringLiteral("cdsGrpAlFPtrAlumno"), propio);
        AnadirCopia(n.miembros, conFicha ? miembros : sinMiembro,
                    {{"cdsGrpAlFPtrGrupo", grupo}, {"cdsGrpAlFPtrAlumno", codigo}});
    }
    return hechosAqui;
}

// The subgroup rows of the imported students under their new codes, and those without a
// student; the seeds under the new group, with the seed counter above every imported one.
void PrepararSubgruposYSemillas(CarpetaIntercambio& datos, const std::map<int, int>& nuevos,
                                TablasInstalacion& t, TablasNuevoGrupo& n, int grupo) {
    TClientDataSet& subgrupos = *datos.subgrupos;
    TField* miembro = Campo(subgrupos, "cdsSubFPtrAlumno");
    for (subgrupos.First(); !subgrupos.Eof(); subgrupos.Next()) {
        if (miembro->IsNull()) {
            AnadirCopia(n.subgrupos, subgrupos, {{"cdsSubFPtrGrupo", grupo}});
        } else if (const auto it = nuevos.find(miembro->AsInteger()); it != nuevos.end()) {
            AnadirCopia(n.subgrupos, subgrupos,
                        {{"cdsSubFPtrGrupo", grupo}, {"cdsSubFPtrAlumno", it->second}});
        }
    }
    TClientDataSet& semillas = *datos.semillas;
    int mayor = 0;
    for (semillas.First(); !semillas.Eof(); semillas.Next()) {
        AnadirCopia(n.semillas, semillas, {{"cdsSemFPtrGrupo", grupo}});
        mayor = std::max(mayor, Campo(semillas, "cdsSemFIdSemilla")->AsInteger());
    }
    t.Contador(kSemillas, mayor, true);
}

// The installation's three tables are swapped for the prepared ones (the old ones kept
// until the end) and the new group folder goes into "BDs".
void PlanificarInstalacion(PuestaEnSitio& plan, const TablasInstalacion& t, const QString& respaldo,
                           const QString& nueva, const QString& carpetaGrupo) {
    for (const QString& tabla : {kGrupo, kAlumno, kCodigos}) {
        const QString propio = RutasDatos::Archivo(RutasDatos::CarpetaBDs(), tabla);
        plan.Mover(propio, Archivo(respaldo, tabla));
        plan.Mover(Archivo(t.carpeta, tabla), propio);
    }
    plan.Mover(SinBarra(nueva), SinBarra(carpetaGrupo));
}

// The data module on the installation's new files, on the imported group and student.
void MostrarGrupoImportado(TdmCDS& dm, int grupo, int alumno) {
    RecargarTablasInstalacion(dm);
    const QString modulo = std::exchange(dm.Modulo, QString());
    dm.LocalizarGrupo(grupo);
    dm.Modulo = modulo;
    dm.AbrirTablasGrupo();
    dm.FiltrarSemillas();
    dm.cdsAlumno->Locate(QStringLiteral("cdsAFCodAlumno"), alumno);
}

}  // namespace

ResultadoIntercambio ImportarGrupo(TdmCDS& dm, const QString& origen, Reemplazo reemplazo,
                                   const FuncionAvance& avance) {
    ResultadoIntercambio r;
    if (!EsCarpetaIntercambio(origen)) {
        r.mensaje = Texto(kTextoFaltanArchivos);
        return r;
    }
    const auto avisar = [&](Avance::Etapa etapa, int hechos = 0, int total = 0) {
        if (avance) avance({etapa, hechos, total});
    };
    bool enSitio = false;
    try {
        CarpetaTrabajoTemporal trabajo(dm);
        // The exchange, copied and read: nothing of the installation has changed yet.
        const QString copia = trabajo.Sub(QStringLiteral("origen"));
        if (!CopiarCarpeta(origen, copia, QStringLiteral("*.cds"), false)) Fallar(kTextoImportacionFallida);
        CarpetaIntercambio datos = LeerCarpetaIntercambio(copia);
        avisar(Avance::Leyendo);
        TClientDataSet& grupo = *datos.grupo;
        r.nombre = Campo(grupo, "cdsGrpFNombre")->AsString();

        GuardarPendientes(dm);
        TablasGrupoCerradas cerradas(dm);
        TablasInstalacion t(trabajo.Sub(QStringLiteral("instalar")));
        const QString retiro = trabajo.Sub(QStringLiteral("retirado"));
        PuestaEnSitio plan(trabajo.ruta());

        GrupoReemplazado quitado;
        if (t.grupos.Locate(QStringLiteral("cdsGrpFNombre"), r.nombre)) {
            const bool si = reemplazo == Reemplazo::Si ||
                            (reemplazo == Reemplazo::Preguntar &&
                             MostrarMensaje(Texto(kTextoElGrupo) + QStringLiteral(", ") + r.nombre +
                                                QStringLiteral(", ") + Texto(kTextoYaExiste),
                                            BotonesSiNo, DibujoPregunta) == mrYes);
            if (!si) {
                r.cancelado = true;
                r.mensaje = Texto(kTextoGrupoExistente) + r.nombre;
                dm.Modificado = false;
                return r;
            }
            quitado = QuitarGrupo(t, plan, retiro);
            r.grupoReemplazado = quitado.codigo;
        }

        // The group under a code free here, in a folder of its own.
        r.codigoGrupo = CodigoGrupo(t.grupos, Campo(grupo, "cdsGrpFCodGrupo")->AsInteger(), quitado.carpeta);
        if (r.codigoGrupo != Campo(grupo, "cdsGrpFCodGrupo")->AsInteger())
            t.Contador(kGrupo, r.codigoGrupo, false);
        const QString carpetaGrupo = RutasDatos::CarpetaGrupo(r.codigoGrupo);
        const QString nueva = trabajo.Sub(QStringLiteral("grupo"));
        TablasNuevoGrupo n;

        // Students under codes free here; their memberships and subgroup rows follow.
        const AlumnosImportados alumnos =
            PrepararAlumnos(datos, t, n, r.codigoGrupo,
                            [&](int hechos, int total) { avisar(Avance::Alumnos, hechos, total); });
        r.alumnos = static_cast<int>(alumnos.codigos.size());
        PrepararSubgruposYSemillas(datos, alumnos.codigos, t, n, r.codigoGrupo);
        AnadirCopia(t.grupos, grupo,
                    {{"cdsGrpFCodGrupo", r.codigoGrupo},
                     {"cdsGrpFDirectorio", carpetaGrupo},
                     {"cdsGrpFNumAlumnos", r.alumnos}});
        n.Guardar(nueva);
        for (const QString& otra : datos.otras)
            if (tablas::CopiarArchivo(copia + otra, nueva + otra) != 0) Fallar(kTextoNoSeCopia, otra);
        t.Guardar();

        // Everything is ready: into place in one step.
        avisar(Avance::PoniendoEnSitio);
        PlanificarInstalacion(plan, t, trabajo.Sub(QStringLiteral("respaldo")), nueva, carpetaGrupo);
        QString fallo;
        if (const int err = plan.Ejecutar(
                fallo, [&](int hecho, int pasos) { avisar(Avance::PoniendoEnSitio, hecho, pasos); }))
            Fallar(kTextoImportacionFallida,
                   QStringLiteral(" %1: %2").arg(QDir::toNativeSeparators(fallo),
                                                 QString::fromLocal8Bit(std::strerror(err))));
        enSitio = true;
        cerradas.Olvidar();
        MostrarGrupoImportado(dm, r.codigoGrupo, alumnos.ultimo);
        r.correcto = true;
        r.mensaje = Texto(kTextoCargado);
    } catch (const ErrorIntercambio& e) {
        r.mensaje = e.Texto();
    } catch (const std::exception& e) {
        r.mensaje = Texto(kTextoImportacionFallida) + QLatin1Char(' ') + ErroresTablas::TextoError(e);
    }
    if (!r.correcto && enSitio) {  // in place: only showing it failed
        r.correcto = true;
        r.mensaje = Texto(kTextoCargado);
    }
    dm.Modificado = false;
    return r;
}
