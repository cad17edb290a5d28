#include "DespachoInformes.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "DMT_UtilInformes.h"
#include "Idioma.h"
#include "TextosCampos.h"
#include "dmCDS.h"

namespace DespachoInformes {

std::optional<TipoInforme> TipoDeEleccion(Caja caja, int eleccion) {
    static const TipoInforme alumno[] = {TipoInforme::TodasAlumno, TipoInforme::SimpleAlumno,
                                         TipoInforme::CompletoAlumno, TipoInforme::GrupoAlumnos,
                                         TipoInforme::AveriaAlumnos};
    static const TipoInforme subgrupo[] = {TipoInforme::TodasSubgrupo, TipoInforme::SimpleSubgrupo,
                                           TipoInforme::CompletoSubgrupo, TipoInforme::GrupoSubgrupos,
                                           TipoInforme::AveriaSubgrupos};
    const bool puesto = caja == Caja::PuestoAlumno || caja == Caja::PuestoSubgrupo;
    if (eleccion < 1 || eleccion > (puesto ? 2 : 5)) return std::nullopt;
    const bool deSubgrupo = caja == Caja::Subgrupo || caja == Caja::PuestoSubgrupo;
    return (deSubgrupo ? subgrupo : alumno)[eleccion - 1];
}

std::optional<TipoInforme> TipoDeDiseno(const QString& nombre) {
    QString base = nombre;
    base.replace(QLatin1Char('\\'), QLatin1Char('/'));
    base = QFileInfo(base).fileName();
    if (base.endsWith(QLatin1String(".frf"), Qt::CaseInsensitive)) base.chop(4);
    static const QRegularExpression forma(
        QStringLiteral("^informe(?:(9|10)|([1-5])(AL|ALPROFE|SUB|SUBPROFE))$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = forma.match(base);
    if (!m.hasMatch()) return std::nullopt;
    if (m.captured(1) == QLatin1String("9")) return TipoInforme::Accesibilidad;
    if (m.captured(1) == QLatin1String("10")) return TipoInforme::Contrasenas;
    const int eleccion = m.captured(2).toInt();
    const QString sufijo = m.captured(3).toUpper();
    // The teacher's own layouts exist only for choices 1 and 2.
    if (sufijo.endsWith(QLatin1String("PROFE")) && eleccion > 2) return std::nullopt;
    return TipoDeEleccion(sufijo.startsWith(QLatin1String("SUB")) ? Caja::Subgrupo : Caja::Alumno, eleccion);
}

namespace {

using Calculo = VariablesInforme::Calculo;

constexpr int kTextoPausada = 142;
constexpr int kTextoReparada = 191;

Calculo Columna(int i) {
    return [i](const QStringList& linea) { return linea.value(i); };
}

// The description of the code in a column; empty for a blank column.
Calculo Descripcion(int i, TdmCDS* dm, QString (TdmCDS::*descripcion)(const QVariant&)) {
    return [=](const QStringList& linea) {
        bool esNumero = false;
        const int codigo = linea.value(i).trimmed().toInt(&esNumero);
        return esNumero ? (dm->*descripcion)(codigo) : QString();
    };
}

Calculo Texto_(std::function<QString()> texto) {
    return [texto = std::move(texto)](const QStringList&) { return texto(); };
}

// Builds one kind's list; the helpers name what each variable reads.
class Mapa {
public:
    explicit Mapa(const ContextoVariables& c) : c_(c) {}

    Mapa& Col(const char* nombre, int i) { return Poner(nombre, Columna(i)); }
    Mapa& Bloque(const char* nombre, int i) {
        return Poner(nombre, Descripcion(i, c_.dm, &TdmCDS::DescripcionBloque));
    }
    Mapa& Circuito(const char* nombre, int i) {
        return Poner(nombre, Descripcion(i, c_.dm, &TdmCDS::DescripcionCircuito));
    }
    Mapa& Elemento(const char* nombre, int i) {
        return Poner(nombre, Descripcion(i, c_.dm, &TdmCDS::DescripcionComponente));
    }
    Mapa& Calc(const char* nombre, std::function<QString()> texto) {
        return Poner(nombre, Texto_(std::move(texto)));
    }
    Mapa& Poner(const char* nombre, Calculo calculo) {
        v_.Anadir(QString::fromLatin1(nombre), std::move(calculo));
        return *this;
    }

    // The member's subgroups (student kinds) or the subgroup's members (subgroup kinds).
    Mapa& Companeros(bool deSubgrupo) {
        TdmCDS* dm = c_.dm;
        if (deSubgrupo) return Calc("Alumnos", [dm] { return dm->ListaAlumnosSubgrupo(); });
        return Calc("Subgrupos", [dm] { return dm->ListaSubgruposAlumno(); });
    }
    Mapa& ListaSintomas() {
        TdmCDS* dm = c_.dm;
        const int averia = c_.averia.idAveria;
        // The symptoms follow the fault record: it is put on the chosen fault.
        return Calc("ListaSintomas", [dm, averia] {
            if (averia >= 0) dm->cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), averia);
            return dm->ListaSintomas();
        });
    }
    // What the one-fault histories tell of the practice they show.
    Mapa& Practica(int textoNoReparada) {
        const PracticaInforme* practica = c_.practica;
        const auto texto = [practica](const std::function<QString(const PracticaInforme&)>& f) {
            return [practica, f] { return practica && practica->encontrada ? f(*practica) : QString(); };
        };
        Calc("DuracionTotal", texto([](const PracticaInforme& p) { return p.duracion.toString(); }));
        Calc("Reparacion",
             texto([](const PracticaInforme& p) { return TextosCampos::NReparacion(p.nReparacion); }));
        Calc("Sintomas",
             texto([](const PracticaInforme& p) { return TextosCampos::NSintomas(p.nSintomas); }));
        Calc("Tutorizada",
             texto([](const PracticaInforme& p) { return TextosCampos::Tutorizada(p.tutorizada); }));
        Calc("Estado", texto([textoNoReparada](const PracticaInforme& p) {
                 if (p.estado == QLatin1String("P")) return Texto(kTextoPausada);
                 return Texto(p.resp.toBool() ? kTextoReparada : textoNoReparada);
             }));
        Calc("Resultado", texto([](const PracticaInforme& p) {
                 if (p.estado == QLatin1String("P")) return Texto(kTextoPausada);
                 return p.correcta.isNull() ? QString() : Texto(p.correcta.toBool() ? 5 : 6);
             }));
        return ListaSintomas();
    }
    // The chosen fault's own block, circuit and element.
    Mapa& LugarAveria() {
        TdmCDS* dm = c_.dm;
        const int averia = c_.averia.idAveria;
        const auto codigo = [dm, averia](const char* campo) {
            return dm->cdsAveria->Lookup(QStringLiteral("cdsAvFIdAveria"), averia, QLatin1String(campo));
        };
        Calc("Bloque", [dm, codigo] { return dm->DescripcionBloque(codigo("cdsAvFPtrBloque")); });
        Calc("Circuito", [dm, codigo] { return dm->DescripcionCircuito(codigo("cdsAvFPtrCircuito")); });
        return Calc("Elemento",
                    [dm, codigo] { return dm->DescripcionComponente(codigo("cdsAvFPtrComponente")); });
    }

    VariablesInforme Lista() const { return v_; }

private:
    const ContextoVariables& c_;
    VariablesInforme v_;
};

}  // namespace

VariablesInforme VariablesDeTipo(TipoInforme tipo, const ContextoVariables& c) {
    Mapa m(c);
    TdmCDS* dm = c.dm;
    const bool deSubgrupo = EsDeSubgrupo(tipo);
    switch (tipo) {
        case TipoInforme::TodasAlumno:
        case TipoInforme::TodasSubgrupo:
            m.Col("IdAveria", 0).Col("CVirtual", 1).Col("FInicio", 2).Col("HInicio", 3).Col("FFin", 4);
            m.Col("HFin", 5).Col("Duracion", 6).Col("Finalizada", 7).Col("Reparada", 8).Col("Tutorizada", 9);
            m.Companeros(deSubgrupo);
            break;
        case TipoInforme::SimpleAlumno:
        case TipoInforme::SimpleSubgrupo:
            m.Bloque("Bloque", 0).Bloque("BloqueRep", 0).Circuito("Circuito", 1).Circuito("CircuitoRep", 1);
            m.Elemento("Elemento", 2).Elemento("ElementoRep", 2).Col("CodAveria", 3).Col("CodVirtual", 4);
            m.Col("Comentarios", 3).Col("FInicio", 4).Col("HInicio", 5).Col("FFin", 6).Col("HFin", 7);
            m.Col("Duracion", 8).Col("TituloReparacion", 9).Practica(176).Companeros(deSubgrupo);
            break;
        case TipoInforme::CompletoAlumno:
        case TipoInforme::CompletoSubgrupo:
            m.LugarAveria().Bloque("BloqueFin", 1).Circuito("CircuitoFin", 2).Elemento("ElementoFin", 3);
            m.Bloque("BloqueRep", 11).Circuito("CircuitoRep", 12).Elemento("ElementoRep", 13);
            m.Col("NumDiagnostico", 0)
                .Col("Comentarios", 4)
                .Col("FInicio", 5)
                .Col("HInicio", 6)
                .Col("FFin", 7);
            m.Col("HFin", 8).Col("Duracion", 9).Practica(177).Companeros(deSubgrupo);
            break;
        case TipoInforme::GrupoAlumnos:
        case TipoInforme::GrupoSubgrupos:
            m.Col("Nombre", 0)
                .Col("IdAveria", 1)
                .Col("CVirtual", 2)
                .Bloque("Bloque", 3)
                .Circuito("Circuito", 4);
            m.Elemento("Elemento", 5).Col("FInicio", 6).Col("HInicio", 7).Col("FFin", 8).Col("HFin", 9);
            m.Col("Duracion", 10).Col("RepTutorizada", 11).Col("Reparada", 12);
            break;
        case TipoInforme::AveriaAlumnos:
        case TipoInforme::AveriaSubgrupos:
            m.Bloque("Bloque", 0).Circuito("Circuito", 1).Elemento("Elemento", 2);
            if (deSubgrupo)
                m.Col("Nombre", 0).Col("Alumno", 1);
            else
                m.Col("Nombre", 1);
            m.Col("FInicio", 2).Col("HInicio", 3).Col("FFin", 4).Col("HFin", 5).Col("Duracion", 6);
            m.Col("RepTutorizada", 7).Col("Reparada", 8).ListaSintomas();
            break;
        case TipoInforme::Accesibilidad:
            m.Col("IdAveria", 0)
                .Col("CodVirtual", 1)
                .Col("Interruptor", 2)
                .Col("Bloque", 3)
                .Col("Circuito", 4);
            m.Col("Elemento", 5);
            m.Calc("Tutorizada", [dm] { return dm->TextoTutorizadaGrupo(); });
            m.Calc("NivelSintomas", [dm] { return dm->TextoNSintomasGrupo(); });
            m.Calc("Reparacion", [dm] { return dm->TextoNReparacionGrupo(); });
            break;
        case TipoInforme::Contrasenas: {
            m.Col("CodAlumno", 0).Col("Subgrupo", 0).Col("AlumnoGrupo", 1).Col("AlumnoSubgrupo", 1);
            m.Col("PasswordAlumno", 2).Col("PasswordSubgrupo", 2);
            const QString* tipoLista = c.tipo;
            m.Calc("Tipo", [tipoLista] { return tipoLista ? *tipoLista : QString(); });
            break;
        }
    }
    return m.Lista();
}

}  // namespace DespachoInformes
