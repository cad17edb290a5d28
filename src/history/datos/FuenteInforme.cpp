#include "FuenteInforme.h"

#include "DespachoInformes.h"
#include "LineaInforme.h"

namespace {

// The group key after a group's end line: the next group starts with the next line read.
const QString kGrupoTerminado = QStringLiteral("%");

}  // namespace

FuenteInforme::FuenteInforme(TdmCDS& dm, PeticionInforme peticion)
    : dm_(dm), peticion_(peticion), escritores_(dm) {}

bool FuenteInforme::EsLista() const {
    return peticion_.tipo == TipoInforme::Accesibilidad || peticion_.tipo == TipoInforme::Contrasenas;
}

void FuenteInforme::EmpezarDocumento() {
    variables_ = DespachoInformes::VariablesDeTipo(
        peticion_.tipo, {&dm_, peticion_.averia, &escritores_.Practica(), &tipoLista_});
    escritores_.Escribir(peticion_);
    principal_.Abrir(ArchivosInforme::Principal());
    // The fault access list has no second file.
    if (peticion_.tipo != TipoInforme::Accesibilidad) segundo_.Abrir(ArchivosInforme::Secundario());
    lineaActual_.clear();
    abierto_ = true;
}

void FuenteInforme::TerminarDocumento() {
    principal_.Cerrar();
    segundo_.Cerrar();
    variables_ = VariablesInforme();
    lineaActual_.clear();
    abierto_ = false;
}

void FuenteInforme::Limpiar() {
    lineaActual_.clear();
    lineaGuardada_.clear();
    claveGrupo_.clear();
}

bool FuenteInforme::Leer(EntradaInforme& archivo) {
    QString linea;
    const bool leida = archivo.Leer(linea);
    lineaActual_ = LineaInforme::Partir(linea);
    return leida;
}

void FuenteInforme::Primero(int conjunto) {
    if (EsLista()) {
        // Each list reads its own file from the start; "Tipo" tells which one is printing.
        EntradaInforme& archivo = conjunto == 1 ? principal_ : segundo_;
        tipoLista_ = conjunto == 1 ? QStringLiteral("Cod. Alumno") : QStringLiteral("Subgrupo");
        archivo.AlPrincipio();
        Leer(archivo);
        return;
    }
    switch (conjunto) {
        case 1:
            principal_.AlPrincipio();
            Leer(principal_);
            lineaGuardada_ = lineaActual_;
            return;
        case 2:
            if (EleccionDeTipo(peticion_.tipo) == 2) {
                Leer(segundo_);
                return;
            }
            if (claveGrupo_ == kGrupoTerminado) {
                Leer(principal_);
                lineaGuardada_ = lineaActual_;
            }
            claveGrupo_ = lineaActual_.value(0);
            return;
        default:
            Leer(segundo_);
            return;
    }
}

void FuenteInforme::Siguiente(int conjunto) {
    if (EsLista()) {
        Leer(conjunto == 1 ? principal_ : segundo_);
        return;
    }
    switch (conjunto) {
        case 1:
            // The complete history's groups are walked by the second dataset alone.
            if (EleccionDeTipo(peticion_.tipo) != 3) Leer(principal_);
            return;
        case 2: {
            if (EleccionDeTipo(peticion_.tipo) == 2) {
                Leer(segundo_);
                return;
            }
            QString linea;
            principal_.Leer(linea);
            if (linea == LineaInforme::kLineaFin) {
                // The group ended: the line in view stays the group's last one.
                lineaActual_ = lineaGuardada_;
                claveGrupo_ = kGrupoTerminado;
            } else {
                lineaActual_ = LineaInforme::Partir(linea);
            }
            lineaGuardada_ = lineaActual_;
            return;
        }
        default:
            Leer(segundo_);
            return;
    }
}

bool FuenteInforme::FinDeDatos(int conjunto, bool finMotor) const {
    if (finMotor) return true;
    if (EsLista()) return (conjunto == 1 ? principal_ : segundo_).Fin();
    switch (conjunto) {
        case 1:
            return principal_.Fin();
        case 2:
            if (EleccionDeTipo(peticion_.tipo) == 2) return segundo_.Fin();
            return principal_.Fin() || lineaActual_.value(0) != claveGrupo_;
        default:
            return segundo_.Fin();
    }
}

bool FuenteInforme::Valor(const QString& nombre, QString& valor) const {
    // Asked by name first: a value may itself read "#".
    if (!variables_.Contiene(nombre)) return false;
    valor = variables_.ValorDeVariable(nombre, lineaActual_);
    return true;
}
