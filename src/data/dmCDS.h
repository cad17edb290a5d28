#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "Cadenas.h"
#include "ClientDataSet.h"
#include "dmCDSCampos.h"

namespace Esquema {
struct Tabla;
}

// The data module: owns every table of the program, its cursors, data sources and field
// components, and computes the calculated fields. Windows reach data only through it.
class TdmCDS : public QObject {
    Q_OBJECT
public:
    // Builds every table's structure (nothing is opened); becomes the program's dmCDS
    // when there is none yet.
    explicit TdmCDS(QObject* parent = nullptr);
    ~TdmCDS() override;

#define AVERIAS_DECLARAR_TABLA(tabla) TClientDataSet* tabla = nullptr;
    AVERIAS_TABLAS_DMCDS(AVERIAS_DECLARAR_TABLA)
#undef AVERIAS_DECLARAR_TABLA

#define AVERIAS_DECLARAR_FUENTE(fuente, tabla) TDataSource* fuente = nullptr;
    AVERIAS_FUENTES_DMCDS(AVERIAS_DECLARAR_FUENTE)
#undef AVERIAS_DECLARAR_FUENTE

#define AVERIAS_DECLARAR_CAMPO(tabla, miembro, campo) TField* miembro = nullptr;
    AVERIAS_CAMPOS_DMCDS(AVERIAS_DECLARAR_CAMPO)
#undef AVERIAS_DECLARAR_CAMPO

    // Every table component in declaration order.
    const std::vector<TClientDataSet*>& Tablas() const {
        return tablas_;
    }
    // The table component named so; nullptr when there is none.
    TClientDataSet* Tabla(const QString& nombre) const;

    // Every stored table and every copy created empty with its structure, and the clones
    // linked to them: a complete module without files.
    void CrearTablasVacias();
    // Creates one table empty with its structure (closing it first).
    void CrearTablaVacia(TClientDataSet* tabla);

    // The clones of the trainer tables (block, circuit and element choice lists, faults by
    // number, the element name sources), each taken from its table as it is now.
    void ClonarAveria();
    void ClonarBloque();
    void ClonarCircuito();
    void ClonarComponente();
    void ClonarElemento();
    void ClonarGrupo();
    void ClonarAlumno();

    // Field labels and boolean display values from the language file (texts 35000 to 35018).
    void AplicarTextosIdioma();

    // ------------------------------------------------ storage and identifiers (dmCDSAlmacen.cpp)

    // Loads the installation's tables, the first trainer's and the current group's, then
    // the identifier counters and the language texts. A table that cannot be opened is
    // reported through the message layer and ends the loading: false.
    bool AbrirTablas();
    void AbrirTablasEquipo(int codigoEquipo);
    // Reopens the current group's three tables from its folder.
    void AbrirTablasGrupo();
    // Loads the current group's members and subgroups unless they are already its own.
    void CargarTablasGrupo();
    void AbrirGrupoAlumno();
    void CerrarTablasGrupo();
    // Closes the three group tables and forgets their files (a group is being inserted,
    // or none is left).
    void DesligarTablasGrupo();
    // Creates the current group's three empty files in its folder.
    void CrearTablasGrupo();
    // The practice tables on a user's history: a student's code as FormatoCodigo gives it,
    // or "PROFESOR" for the templates.
    void AbrirHistorico(const QString& usuario);
    // Opens the user's history, creating it when it does not exist yet.
    void AbrirHistoricoSiExiste(const QString& usuario);
    // The same at a login: a damaged history is reported by its file name (the user is
    // asked to tell the teacher), left untouched and forgotten by the tables: false.
    bool AbrirHistoricoUsuario(const QString& usuario);
    void CrearHistorico(const QString& usuario);
    bool ExisteHistorico(const QString& usuario) const;
    // Merges the change log and writes the table to its file; false when it could not be
    // written (reported) or was not written by rule (no file name, group tables without a group).
    bool SalvarTabla(TClientDataSet* tabla);
    // Writes without merging and without checking the folder (practice lines).
    bool GuardarTabla(TClientDataSet* tabla);
    // Brings in what other PCs saved in the table's file since it was read, keeping this
    // program's unsaved edits (see docs/ARCHITECTURE.md); false when nothing came in or the
    // file stayed locked (reported).
    bool RefrescarTabla(TClientDataSet* tabla);
    // The next identifier of a table: the smallest one free in its file as it is now (seeds
    // and subgroups, whose codes are never given again: one more than the last given and
    // than the highest in the file); stored in the first field of the new row when asked.
    // Rows in memory are not looked at: a code that is taken when a row is written is
    // replaced by a free one then (`CampoCodigo`).
    int SiguienteCodigo(TClientDataSet* tabla, bool asignar);
    // `cuantos` identifiers at once, by the same rule, for rows added together and saved
    // once (a class list): the counter keeps the last one.
    std::vector<int> SiguientesCodigos(TClientDataSet* tabla, int cuantos);
    void DevolverCodigo(TClientDataSet* tabla);
    // One counter row per table component when the counters table is empty.
    void InicializarCodigos();
    // The folder of the current group (ends with "/"): its own "BDs\GRP NNN" when that
    // exists, else the stored folder when it lies inside this installation; the stored text
    // is corrected to the folder used. A group in neither place is reported by name (once)
    // and gets its own folder's path, which does not exist.
    QString CarpetaGrupoActual();
    bool HayCarpetaGrupoActual();

    // ------------------------------------------------ editing rules and class data (dmCDSReglas.cpp)

    static bool EnConsulta(const TClientDataSet* tabla) {
        return tabla->State() == dsBrowse;
    }
    static bool EnEdicion(const TClientDataSet* tabla) {
        return tabla->State() == dsEdit;
    }
    static bool EnInsercion(const TClientDataSet* tabla) {
        return tabla->State() == dsInsert;
    }
    // No field marked required is Null.
    static bool CamposRequeridosLlenos(const TClientDataSet* tabla);
    bool ValidarGrupo();
    bool GuardarCambios();
    bool CancelarCambios();
    void CerrarEdiciones();
    void CerrarTablas();
    bool LocalizarGrupo(int codigoGrupo);
    void BorrarAlumnosGrupo(int codigoGrupo);
    void BorrarGrupo(int codigoGrupo);
    void BorrarSemillasGrupo(int codigoGrupo);
    bool AlumnoEnGrupo(int codigoAlumno);
    void AnadirGrupoAlumno(const QString& codigoGrupo);
    void AnadirSubgrupoAlumno(const QString& codigoSubgrupo);
    void QuitarSubgrupoAlumno(const QString& codigoSubgrupo);
    void ActualizarNumAlumnos();
    int NumAlumnosSubgrupo() const;
    struct ResultadoPassword {
        bool aceptado = false;
        int tipo = 0;  // 1 student, 2 subgroup
    };
    // The login check; the window passes the typed password upper-cased.
    ResultadoPassword ComprobarPassword(int codigoGrupo, const QString& password);

    static void AplicarFiltro(TClientDataSet* tabla, const QString& filtro);
    static void QuitarFiltro(TClientDataSet* tabla);

    // Prefixes of the initial passwords, followed by the code in three digits. Upper case:
    // the login upper-cases what is typed.
    static inline const QString kPrefijoPasswordAlumno = QStringLiteral("AL");
    static inline const QString kPrefijoPasswordSubgrupo = QStringLiteral("SUB");
    // The password a new student gets with its code.
    static QString PasswordInicialAlumno(int codigo) {
        return kPrefijoPasswordAlumno + FormatoCodigo(codigo);
    }

    // ------------------------------------------------ students and subgroups (dmCDSAlumnado.cpp)
    // Each change reaches every class file it touches or none: when a table cannot be
    // written, the tables and their files are put back as they were, the user is told, and
    // the result is false.

    // Posts the student record and the membership row being inserted or edited (or finds
    // the membership of the student) and adds the group to the student's list. False
    // without a message when neither was being edited.
    bool GuardarAlumno(int codigoGrupo);
    // Removes the current member from the current group: his rows in the group's subgroups,
    // his membership, his record when no group is left, and his history files. The practice
    // tables go back to the templates first, so that nothing writes the history back.
    bool QuitarAlumnoGrupo();
    // Posts the subgroup row being inserted or edited; its name, subject, password and notes
    // reach the subgroup's other rows. False without a message when it was not being edited.
    bool GuardarSubgrupo();
    // Gives the current subgroup (the table filtered to its code) a row for the student,
    // with its code and password: the row being inserted, the subgroup's row without a
    // student, or a new one.
    bool AnadirAlumnoSubgrupo(int codigoAlumno);
    // Takes the student out of the current subgroup; its only student leaves it as one row
    // without a student, keeping its name and password.
    bool QuitarAlumnoSubgrupo(int codigoAlumno);
    // Deletes every row of the current subgroup (the table filtered to its code).
    bool EliminarSubgrupo();
    // The practice tables on the history that the history browser shows: the current member's
    // own practices in the current group (not those made in a subgroup), or the current
    // subgroup's practices as its first member's history holds them. A history not there yet
    // is created empty. False (reported) when it cannot be read or created.
    bool PrepararHistoricoAlumno();
    bool PrepararHistoricoSubgrupo();
    // "Apellido1 Apellido2, Nombre" of a student record; empty when there is none.
    QString NombreCompletoAlumno(int codigoAlumno);
    // The group's subgroup rows as last saved (the names a subgroup may not take).
    void RecargarSubgruposGuardados();

    // ------------------------------------------------ practice records, queries and table copying
    // (dmCDSPracticas.cpp)

    void FiltrarSemillas();
    // Shows only the activated trainers (none: an empty list) without reloading any trainer.
    void FiltrarEquiposActivos();
    void FiltrarAlumnosGrupo();
    void FiltrarAlumnosSubgrupo();
    // A new practice of the logged user, posted and saved; a Null subgroup for one student.
    // Its code, or -1 when it could not be recorded.
    int NuevaReparacion(int alumno, int grupo, bool tutorizada, const QString& nivelReparacion,
                        const QString& nivelSintomas, const QString& estado, double inicio, int equipo,
                        int averia, const QVariant& subgrupo);
    // A new step of a practice. Dates 0 and Null places are left empty; empty comments are
    // none. False when the line could not be stored.
    bool NuevaLineaReparacion(int reparacion, int numDiagnostico, const QString& comentarios,
                              const QString& accion, double fin, double inicio, const QVariant& componente,
                              const QVariant& circuito, const QVariant& bloque);
    // The current practice's time without its pauses: "0d 00:12:34".
    QString CalcularDuracion();
    // Writes the current practice into the history of every other member of the logged subgroup.
    void CopiarReparacionSubgrupo();
    void BorrarHistoricoAlumnoGrupo(int alumno, int grupo);
    // Deletes the student's two history files, once the practice tables are on the
    // templates. False (reported by file name) when one could not be deleted.
    bool BorrarFicherosHistorico(int alumno);
    bool ExisteHistoricoAlumno() const;
    QString DescripcionBloque(const QVariant& codigo);
    QString DescripcionCircuito(const QVariant& codigo);
    QString DescripcionComponente(const QVariant& codigo);
    QString ListaSintomas();
    QString ListaAlumnosSubgrupo();
    QString ListaSubgruposAlumno();
    QString TextoTutorizadaGrupo() const;
    QString TextoDisfuncionGrupo() const;
    QString TextoNSintomasGrupo() const;
    QString TextoNReparacionGrupo() const;
    static QString TextoEstadoReparacion(const QString& estado);
    QString TextoNReparacionAveria(int averia, bool tutorizada);
    QString TextoNSintomasAveria(int averia, bool tutorizada);
    QString TextoTutorizadaAveria(int averia, bool tutorizada);
    QString DuracionAveria(int averia, bool tutorizada);
    void NuevaSemilla(int numeroLote, int grupo, bool tutorizada, int codigoVirtual, int averia, int equipo);
    // The destination empty with the model's structure, named after the model in `carpeta`
    // (a practice table keeps its student code).
    void CrearTablaComo(TClientDataSet* modelo, TClientDataSet* destino, const QString& carpeta);
    void CopiarTabla(TClientDataSet* origen, TClientDataSet* destino, bool crear, const QString& carpeta,
                     const QString& filtro);
    void CopiarTablaDetalle(TClientDataSet* detalle, TClientDataSet* destino, const QString& carpeta,
                            const QString& filtroMaestro);
    int RecodificarAlumno(TClientDataSet* alumnosImportados, int codigo, const QString& nuevoGrupo,
                          const QString& carpeta);
    static void VaciarTabla(TClientDataSet* tabla);

    // ------------------------------------------------ the history windows (dmCDSHistorico.cpp)

    // Offers the trainers on which the practices under `filtroBase` were made (every
    // practice of the open history when it is empty), in file order and each once; the
    // first one becomes current with its tables. The practices keep the base filter.
    // False when there is none: the trainer list is then empty.
    bool FiltrarEquiposHistorico(const QString& filtroBase);
    // The practices under the base filter made on one trainer; the first one is current.
    void FiltrarReparacionesEquipo(const QString& filtroBase, int equipo);
    // The seeds of one trainer restricted to the faults, in their mode, of the practices in
    // view now made on it, so that the reports list only what was practised; `filtroPrevio`
    // is kept in force beside it. The current practice stays, its virtual code calculated
    // again from these seeds.
    void FiltrarSemillasHistorico(int equipo, const QString& filtroPrevio = QString());
    // Deletes the current practice and its lines and writes both files; false (reported)
    // when the files could not be written: the practice is then still there.
    bool BorrarAveriaHistorico();
    // Copies the open history's two files as saved to "Reparacion" + the chosen file's
    // name and "LineaReparacion" + that name in its folder. Reports success, or the copy
    // that failed, in which case no half pair is left behind.
    bool ExportarHistorico(const QString& archivoElegido);
    // Appends to the open history the practices of an exported pair (the chosen file is
    // the "Reparacion" one), as the own practices of `alumno` in `grupo` (no subgroup):
    // fields copied by name,
    // new practice and line codes. A file that is not a history pair is refused with a
    // message and the history is left as it was. The number of practices imported, or -1.
    int ImportarHistorico(const QString& archivoReparaciones, int alumno, int grupo);

    // ------------------------------------------------ the class tree (dmCDSSemillas.cpp)

    // Runs `porGrupo` on every group in the group table's order, with that group's members
    // and subgroups loaded (not its seeds); then the group that was current is current
    // again with its tables.
    void RecorrerGrupos(const std::function<void()>& porGrupo);

    // ------------------------------------------------ seeds (dmCDSSemillas.cpp)

    // The virtual code of a fault drawn `azar`: azar - 200 / code tutorised, azar - 250 / code
    // otherwise, cut toward zero. A fault numbered 0 keeps its draw as its virtual code.
    static int CodigoVirtual(int codigoAveria, int azar, bool tutorizada);
    // One seed per fault of a trainer for a group in one mode, all of one new batch; saved
    // once at the end. The group must be the current one; the trainer becomes the current one.
    void GenerarSemillas(int grupo, int equipo, bool tutorizada);
    // Both seed sets of every trainer, activated or not, for a new group (the current one).
    void GenerarSemillasGrupo(int grupo);

signals:
    // False while a row is being inserted into a table the group tree shows: the class
    // management tree must not react to its changes until this says true again.
    void ReaccionesArbol(bool activas);

public:
    // ------------------------------------------------ module state

    // Unsaved edits made through the class management editors.
    bool Modificado = false;
    // The main window in front: "Alumnos", "Averias" or empty.
    QString Modulo;

    // The trainer whose tables are loaded; -1 before any, or after a load that failed.
    int EquipoCargado() const {
        return equipoCargado_;
    }

private:
    int equipoCargado_ = -1;
    int grupoSinCarpetaAvisado_ = -1;

    void CorregirCarpetaGrupo(const QString& carpeta);
    void AvisarGrupoSinCarpeta(const QString& guardada, const QString& propia);

    void AsignarManejadoresAlmacen();
    void AsignarCodigos();
    std::vector<int> CodigosEnUso(TClientDataSet* tabla);
    // The counter of a table's identifiers says `codigo` was the last one given.
    void AnotarUltimoCodigo(TClientDataSet* tabla, int codigo);
    // Saves; a file another PC keeps locked is reported and leaves the change pending.
    bool Escribir(TClientDataSet* tabla);
    void AsignarReglas();
    // Handlers shared by the class tables: clear Modificado and save; give back the
    // identifier of a cancelled insert.
    TDataSetNotifyEvent GuardarTrasCambio();
    TDataSetNotifyEvent DevolverAlCancelar();
    void AsignarReglasGrupo();
    void AsignarReglasAlumno();
    void AsignarReglasGrupoAlumno();
    void AsignarReglasSubgrupo();
    void AsignarReglasSemilla();
    void AsignarReglasPracticas();
    // The text of a field of the first practice of a fault and tutoring (the practice
    // cursor moves onto it); empty when the current practice has the field Null or none is found.
    QString TextoReparacionAveria(TField* campo, int averia, bool tutorizada,
                                  QString (*texto)(const QVariant&));
    void CopiarAMiembro(int alumno);
    void PropagarSubgrupo();
    void QuitarGrupoDeAlumno();
    // Changes the subgroup list of the current subgroup row's member in the group.
    void CambiarSubgruposMiembro(const std::function<QString(const QStringList&)>& cambio);
    void AbrirEn(TClientDataSet* tabla, const QString& carpeta);
    // Runs the steps of one change to the class tables: all of it reaches the files, or
    // none of it (reported).
    bool CambiarClases(const std::vector<TClientDataSet*>& tablas, const std::function<void()>& pasos);
    // The subgroup table filtered to the current row's subgroup, on that subgroup.
    void MostrarSoloSubgrupo();
    // Opens a "BDs" practice template; a missing or damaged one is made again, empty, and
    // reported by its file name.
    void AbrirPlantilla(TClientDataSet* tabla);
    bool EsTablaGrupo(const TClientDataSet* tabla) const;
    bool EsTablaHistorico(const TClientDataSet* tabla) const;
    bool HayGrupos() const;
    void CrearArchivoVacio(TClientDataSet* tabla, const QString& archivo);
    // One batch of seeds in memory; false when the trainer is not in the trainer table.
    bool AnadirLoteSemillas(int grupo, int equipo, bool tutorizada);
    void GuardarLotesSemillas();

    void CrearComponentes();
    void DefinirEstructuras();
    void DefinirCampos(TClientDataSet* tabla, const Esquema::Tabla& esquema, bool soloGuardados = false);
    void DefinirOrdenYMaestro(TClientDataSet* tabla, const Esquema::Tabla& esquema);
    void DefinirAgregados(TClientDataSet* tabla, const Esquema::Tabla& esquema);
    void EnlazarCampos();
    TDataSource* Fuente(const QString& nombre) const;

    // Calculated fields (dmCDSCalculos.cpp).
    void AsignarCalculos();
    void CalcularComponente(TClientDataSet* componentes, TClientDataSet* elementos);
    void CalcularAlumno();
    void CalcularGrupoAlumno();
    void CalcularSubgrupo();
    void CalcularSemilla();
    void CalcularReparacion();
    void CalcularLineaReparacion();

    std::vector<std::unique_ptr<TClientDataSet>> propias_;
    std::vector<std::unique_ptr<TDataSource>> fuentes_;
    std::vector<TClientDataSet*> tablas_;
    bool reglasAsignadas_ = false;
};

// The program's one data module; null until start-up creates it.
extern TdmCDS* dmCDS;

// Appends a line to the installation's log "averias.log".
void AnotarEnInstalacion(const QString& linea);
