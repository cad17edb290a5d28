#include "FuenteEjemplo.h"

namespace {

const QString kPre = "Precalentamiento", kBujias = "Alimentación de las bujías de incandescencia",
              kF5 = "Fusible de cinta F5 de 60 A de las bujías";
const QString kArr = "Arranque", kMando = "Circuito de mando del motor de arranque",
              kK1 = "Relé de arranque K1";
const QString kCarga = "Carga", kExc = "Circuito de excitación del alternador", kH2 = "Testigo de carga H2";
const QString kComb = "Alimentación de combustible", kParo = "Electroválvula de paro",
              kConector = "Conector de la electroválvula Y1";

QList<QStringList> Lineas(std::initializer_list<QStringList> l) {
    return QList<QStringList>(l);
}

}  // namespace

FuenteEjemplo::FuenteEjemplo(const QString& informe) {
    const QString nombre = informe.section('.', 0, 0);
    const bool subgrupo = nombre.contains("SUB");
    tipo_ = QString(nombre)
                .remove("Informe")
                .remove("ALPROFE")
                .remove("SUBPROFE")
                .remove("AL")
                .remove("SUB")
                .toInt();
    constantes_ = {{"GRUPO", "1º Electromecánica de vehículos (mañana)"},
                   {"PROPIETARIO", subgrupo ? "Equipo Azul" : "García López, Marta"},
                   {"EQUIPO", "Entrenador de motor diésel"},
                   {"AVERIA", "101"}};
    const QString listaSintomas =
        "El motor arranca con dificultad en frío y humea blanco.\nEl testigo de precalentamiento se enciende "
        "y se "
        "apaga enseguida.\nLas bujías no calientan: 0 V en la rampa de bujías.";
    fijas_ = {{"SUBGRUPOS", "Equipo Azul, Equipo Verde"},
              {"ALUMNOS", "García López, Marta; Ruiz Sanz, Pablo; Ortega Gil, Lucía"},
              {"DURACIONTOTAL", "0d 00:41:12"},
              {"REPARACION", "Hasta el elemento (bloque, circuito y elemento)"},
              {"SINTOMAS", "los del cliente"},
              {"TUTORIZADA", "Práctica libre"},
              {"LISTASINTOMAS", listaSintomas},
              {"ESTADO", "Reparada"},
              {"RESULTADO", "Sí"},
              {"NIVELSINTOMAS", "Síntomas del cliente"},
              {"BLOQUE", kPre},
              {"CIRCUITO", kBujias},
              {"ELEMENTO", kF5}};
    switch (tipo_) {
        case 1:
            columnas_ = {{"IDAVERIA", 0}, {"CVIRTUAL", 1},  {"FINICIO", 2},  {"HINICIO", 3},
                         {"FFIN", 4},     {"HFIN", 5},      {"DURACION", 6}, {"FINALIZADA", 7},
                         {"REPARADA", 8}, {"TUTORIZADA", 9}};
            fijas_.remove("TUTORIZADA");
            for (int i = 0; i < 34; ++i) {
                const bool bien = i % 3 != 1;
                principal_.lineas << QStringList{
                    QString::number(101 + i % 7),
                    QString::number(12 + (i * 7) % 40),
                    QString("%1/02/2026").arg(2 + i % 26, 2, 10, QChar('0')),
                    QString("%1:%2").arg(8 + i % 6, 2, 10, QChar('0')).arg((i * 13) % 60, 2, 10, QChar('0')),
                    i == 33 ? " " : QString("%1/02/2026").arg(2 + i % 26, 2, 10, QChar('0')),
                    i == 33 ? " "
                            : QString("%1:%2")
                                  .arg(9 + i % 6, 2, 10, QChar('0'))
                                  .arg((i * 7) % 60, 2, 10, QChar('0')),
                    i == 33 ? " "
                            : QString("0d 00:%1:%2")
                                  .arg(10 + i % 40, 2, 10, QChar('0'))
                                  .arg((i * 17) % 60, 2, 10, QChar('0')),
                    bien ? "Reparada" : "No reparada",
                    i == 33 ? " " : (bien ? "Sí" : "No"),
                    i % 4 == 0 ? "Sí" : "No"};
            }
            break;
        case 2:
            columnas_ = {{"BLOQUE", 0},      {"BLOQUEREP", 0},   {"CIRCUITO", 1},        {"CIRCUITOREP", 1},
                         {"ELEMENTO", 2},    {"ELEMENTOREP", 2}, {"CODAVERIA", 3},       {"CODVIRTUAL", 4},
                         {"COMENTARIOS", 3}, {"FINICIO", 4},     {"HINICIO", 5},         {"FFIN", 6},
                         {"HFIN", 7},        {"DURACION", 8},    {"TITULOREPARACION", 9}};
            fijas_.remove("BLOQUE");
            fijas_.remove("CIRCUITO");
            fijas_.remove("ELEMENTO");
            principal_.lineas = Lineas({{kPre, kBujias, kF5, "101", "27", " ", " ", " ", " ", " "},
                                        {kArr, kMando, kF5, "101", "27", " ", " ", " ", " ", " "}});
            segundo_.lineas = Lineas(
                {{kArr, kMando, kK1, "Pensaba que el relé no cerraba: medí 12 V en la bobina.", "09/02/2026",
                  "10:02", "09/02/2026", "10:09", "00:07:12", "Sus intentos de reparación"},
                 {kCarga, kExc, kH2, " ", "09/02/2026", "10:09", "09/02/2026", "10:21", "00:12:40",
                  "Sus intentos de reparación"},
                 {kPre, kBujias, kF5, "El fusible F5 está abierto; lo cambio y las bujías calientan.",
                  "09/02/2026", "10:21", "09/02/2026", "10:43", "00:21:20", "Sus intentos de reparación"}});
            break;
        case 3:
            columnas_ = {{"NUMDIAGNOSTICO", 0}, {"BLOQUEFIN", 1}, {"CIRCUITOFIN", 2}, {"ELEMENTOFIN", 3},
                         {"COMENTARIOS", 4},    {"FINICIO", 5},   {"HINICIO", 6},     {"FFIN", 7},
                         {"HFIN", 8},           {"DURACION", 9},  {"BLOQUEREP", 11},  {"CIRCUITOREP", 12},
                         {"ELEMENTOREP", 13}};
            for (const auto& [d, fin, pasos] :
                 {std::tuple{QString("1"), QStringList{kArr, kMando, kK1},
                             QList<QStringList>{{kCarga, kExc, kH2}, {kArr, kMando, kK1}}},
                  std::tuple{QString("2"), QStringList{kPre, kBujias, kF5},
                             QList<QStringList>{
                                 {kComb, kParo, kConector}, {kPre, kBujias, kF5}, {kPre, kBujias, kF5}}}}) {
                const QStringList prefijo =
                    QStringList{d} + fin +
                    QStringList{d == "1" ? "Medí 12 V en la bobina del relé." : "Cambio el fusible F5.",
                                "09/02/2026",
                                "10:02",
                                "09/02/2026",
                                "10:09",
                                "00:07:12",
                                QString::number(pasos.size())};
                for (const QStringList& paso : pasos) principal_.lineas << prefijo + paso;
                principal_.lineas << QStringList{" "};
            }
            segundo_.lineas = Lineas({{"0", kPre, kBujias, kF5}, {"0", kArr, kMando, kF5}});
            break;
        case 4: {
            columnas_ = {{"NOMBRE", 0},   {"IDAVERIA", 1}, {"CVIRTUAL", 2},  {"BLOQUE", 3},
                         {"CIRCUITO", 4}, {"ELEMENTO", 5}, {"FINICIO", 6},   {"HINICIO", 7},
                         {"FFIN", 8},     {"HFIN", 9},     {"DURACION", 10}, {"REPTUTORIZADA", 11},
                         {"REPARADA", 12}};
            const QStringList duenos = subgrupo ? QStringList{"Equipo Azul", "Equipo Verde", "Equipo Rojo"}
                                                : QStringList{"García López, Marta", "Ruiz Sanz, Pablo",
                                                              "Ortega Gil, Lucía", "Navarro Pérez, Hugo"};
            const QList<QStringList> faltas = {{"101", "27", kPre, kBujias, kF5},
                                               {"102", "14", kArr, kMando, kK1},
                                               {"103", "33", kCarga, kExc, kH2},
                                               {"104", "8", kComb, kParo, kConector}};
            for (int o = 0; o < duenos.size(); ++o)
                for (int r = 0; r < 4 + o % 3; ++r) {
                    const QStringList& f = faltas[(o + r) % faltas.size()];
                    const bool bien = (o + r) % 3 != 0;
                    principal_.lineas
                        << QStringList{r == 0 ? duenos[o] : " "} + f +
                               QStringList{QString("%1/02/2026").arg(3 + r * 2, 2, 10, QChar('0')),
                                           "10:05",
                                           QString("%1/02/2026").arg(3 + r * 2, 2, 10, QChar('0')),
                                           "10:47",
                                           QString("0d 00:%1:05").arg(12 + r * 9, 2, 10, QChar('0')),
                                           r % 2 ? "Sí" : "No",
                                           bien ? "Reparada" : (subgrupo ? "No reparada" : "No reparada")};
                    if (!subgrupo && f[0] == "101")
                        principal_.lineas << QStringList{" ", " ", " ", kArr, kMando, kF5, " ",
                                                         " ", " ", " ", " ",  " ",    " "};
                }
            break;
        }
        case 5:
            columnas_ = {{"BLOQUE", 0}, {"CIRCUITO", 1}, {"ELEMENTO", 2},      {"NOMBRE", subgrupo ? 0 : 1},
                         {"ALUMNO", 1}, {"FINICIO", 2},  {"HINICIO", 3},       {"FFIN", 4},
                         {"HFIN", 5},   {"DURACION", 6}, {"REPTUTORIZADA", 7}, {"REPARADA", 8}};
            fijas_.remove("BLOQUE");
            fijas_.remove("CIRCUITO");
            fijas_.remove("ELEMENTO");
            segundo_.lineas = Lineas({{kPre, kBujias, kF5}, {kArr, kMando, kF5}});
            for (const auto& [dueno, alumno, bien] :
                 {std::tuple{QString("Equipo Azul"), QString("García López, Marta"), true},
                  std::tuple{QString(" "), QString("Ruiz Sanz, Pablo"), true},
                  std::tuple{QString("Equipo Verde"), QString("Ortega Gil, Lucía"), false},
                  std::tuple{QString(" "), QString("Navarro Pérez, Hugo"), false},
                  std::tuple{QString("Equipo Rojo"), QString("Serrano Díaz, Irene"), true}}) {
                principal_.lineas << QStringList{subgrupo ? dueno : "7",
                                                 alumno,
                                                 "10/02/2026",
                                                 "09:15",
                                                 "10/02/2026",
                                                 "09:52",
                                                 "0d 00:37:40",
                                                 bien ? "No" : "Sí",
                                                 bien ? "Reparada" : "No reparada"};
            }
            break;
        case 9:
            columnas_ = {{"IDAVERIA", 0}, {"CODVIRTUAL", 1}, {"INTERRUPTOR", 2},
                         {"BLOQUE", 3},   {"CIRCUITO", 4},   {"ELEMENTO", 5}};
            fijas_ = {{"TUTORIZADA", "Práctica libre"},
                      {"NIVELSINTOMAS", "los del cliente"},
                      {"REPARACION", "hasta el elemento"}};
            principal_.lineas = Lineas({{"101", "27", "R3 R7", kPre, kBujias, kF5},
                                        {" ", " ", " ", kArr, kMando, kF5},
                                        {"102", "14", "R2", kArr, kMando, kK1},
                                        {"103", "33", "R11 R12 R14", kCarga, kExc, kH2},
                                        {"104", "8", "R5", kComb, kParo, kConector}});
            break;
        case 10:
            columnas_ = {{"CODALUMNO", 0},      {"SUBGRUPO", 0},       {"ALUMNOGRUPO", 1},
                         {"ALUMNOSUBGRUPO", 1}, {"PASSWORDALUMNO", 2}, {"PASSWORDSUBGRUPO", 2}};
            fijas_.clear();
            principal_.lineas = Lineas({{"1", "García López, Marta", "MARTA7"},
                                        {"2", "Navarro Pérez, Hugo", "HN2026"},
                                        {"3", "Ortega Gil, Lucía", "LUCIA"},
                                        {"4", "Ruiz Sanz, Pablo", "PR4X"},
                                        {"5", "Serrano Díaz, Irene", "IRENE5"}});
            segundo_.lineas = Lineas({{"Equipo Azul", "García López, Marta", "AZUL"},
                                      {"Equipo Azul", "Ruiz Sanz, Pablo", "AZUL"},
                                      {"Equipo Verde", "Ortega Gil, Lucía", "VERDE1"}});
            break;
    }
    // The end lines of the files: the complete history ends each group with one already.
    if (tipo_ != 3) principal_.lineas << QStringList{" "};
    segundo_.lineas << QStringList{" "};
}

bool FuenteEjemplo::LeerLinea(Archivo& a) {
    if (a.Fin()) return false;
    actual_ = a.lineas[a.posicion++];
    return true;
}

void FuenteEjemplo::Primero(int conjunto) {
    if (tipo_ == 10) fijas_["TIPO"] = conjunto == 1 ? "Cod. Alumno" : "Subgrupo";
    if (conjunto == 1) {
        principal_.posicion = 0;
        LeerLinea(principal_);
        guardada_ = actual_;
    } else if (conjunto == 3 || tipo_ == 2 || tipo_ == 10) {
        LeerLinea(segundo_);
    } else {
        if (claveGrupo_ == "%" && LeerLinea(principal_)) guardada_ = actual_;
        claveGrupo_ = actual_.value(0);
    }
}

void FuenteEjemplo::Siguiente(int conjunto) {
    if (conjunto == 1) {
        if (tipo_ != 3) LeerLinea(principal_);
    } else if (conjunto == 3 || tipo_ == 2 || tipo_ == 10) {
        LeerLinea(segundo_);
    } else {
        LeerLinea(principal_);
        if (actual_ == QStringList{" "}) {
            actual_ = guardada_;
            claveGrupo_ = "%";
        }
        guardada_ = actual_;
    }
}

// Every data file ends with its end line " ", so the end of a file comes after its last
// record has been read.
bool FuenteEjemplo::FinDatos(int conjunto, bool fin) {
    if (fin) return true;
    if (conjunto == 1) return principal_.Fin();
    if (conjunto == 3 || tipo_ == 2 || tipo_ == 10) return segundo_.Fin();
    return principal_.Fin() || actual_.value(0) != claveGrupo_;
}

void FuenteEjemplo::Variable(const QString& nombre, QString& valor) {
    const QString clave = nombre.toUpper();
    if (fijas_.contains(clave)) valor = fijas_.value(clave);
    const auto c = columnas_.constFind(clave);
    if (c != columnas_.constEnd()) valor = actual_.value(*c).trimmed();
}
