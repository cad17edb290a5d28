// Two programs writing one table file at once: nothing either of them saved is lost.
#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStringList>

#include "CarpetaTemporal.h"
#include "ClientDataSet.h"

namespace {

// What the two writers say they did, in the order of the file versions their saves made.
struct Suceso {
    QChar clase;  // I, U, D
    QString escritor, token, campo, valor;
    int codigo = 0;
    qint64 version = 0, anterior = 0;
};

std::vector<Suceso> LeerRegistro(const QString& ruta, const QString& escritor) {
    std::vector<Suceso> sucesos;
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return sucesos;
    for (const QByteArray& linea : f.readAll().split('\n')) {
        const QStringList p = QString::fromUtf8(linea).split(' ', Qt::SkipEmptyParts);
        if (p.isEmpty()) continue;
        Suceso s{p[0][0], escritor, p[1]};
        if (s.clase == 'I') {
            s.codigo = p[2].toInt();
            s.version = p[3].toLongLong();
        } else if (s.clase == 'U') {
            s.campo = p[2];
            s.valor = p[3];
            s.version = p[4].toLongLong();
            s.anterior = p[5].toLongLong();
        } else {
            s.version = p[2].toLongLong();
        }
        sucesos.push_back(s);
    }
    return sucesos;
}

struct FilaEsperada {
    int codigo = 0;
    QMap<QString, QString> campos;
};

TEST(Concurrencia, DosProgramasALaVezDejanLaUnionDeLoQueHizoCadaUno) {
    constexpr int kOperaciones = 500;  // each: 1,000 between them
    CarpetaTemporal dir;
    const QString ruta = dir.archivo("cdsPrueba.cds");
    std::map<QString, FilaEsperada> esperadas;
    {
        TClientDataSet t("cdsPrueba");
        TField* codigo = t.AddField("cdsPFCodigo", ftInteger);
        TField* origen = t.AddField("cdsPFOrigen", ftString, 20);
        TField* nombre = t.AddField("cdsPFNombre", ftString, 20);
        TField* grupo = t.AddField("cdsPFPtrGrupo", ftInteger);
        t.CreateDataSet();
        for (int i = 0; i < 20; ++i) {
            t.Append();
            codigo->SetAsInteger(i + 1);
            origen->SetAsString(QString("S%1").arg(i));
            nombre->SetAsString(QString("S%1n").arg(i));
            grupo->SetAsInteger(0);
            t.Post();
            esperadas[QString("S%1").arg(i)] = {
                i + 1, {{"cdsPFNombre", QString("S%1n").arg(i)}, {"cdsPFPtrGrupo", "0"}}};
        }
        t.SaveToFile(ruta);
    }
    const QString diario = dir.archivo("averias.log");
    std::vector<std::unique_ptr<QProcess>> escritores;
    for (const QString nombre : {"A", "B"}) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(carpetaProgramas() + "/escritor-tabla",
                 {ruta, nombre, nombre == "A" ? "11" : "22", QString::number(kOperaciones),
                  dir.archivo("registro" + nombre), diario});
        escritores.push_back(std::move(p));
    }
    for (auto& p : escritores) {
        ASSERT_TRUE(p->waitForFinished(300000));
        ASSERT_EQ(p->exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(p->exitCode(), 0);
    }

    std::vector<Suceso> sucesos = LeerRegistro(dir.archivo("registroA"), "A");
    for (const Suceso& s : LeerRegistro(dir.archivo("registroB"), "B")) sucesos.push_back(s);
    ASSERT_EQ(sucesos.size(), 2u * kOperaciones);
    std::sort(sucesos.begin(), sucesos.end(),
              [](const Suceso& a, const Suceso& b) { return a.version < b.version; });
    for (size_t i = 1; i < sucesos.size(); ++i)
        ASSERT_LT(sucesos[i - 1].version, sucesos[i].version) << "two saves made one version";

    // Replayed in the order of the saves: the later save of a field wins, a deletion stays.
    std::map<std::pair<QString, QString>, std::vector<const Suceso*>> cambios;  // (token, field)
    for (const Suceso& s : sucesos) {
        if (s.clase == 'I') {
            esperadas[s.token] = {s.codigo, {{"cdsPFNombre", s.token + "n"}, {"cdsPFPtrGrupo", "0"}}};
        } else if (s.clase == 'U') {
            cambios[{s.token, s.campo}].push_back(&s);
            auto it = esperadas.find(s.token);
            if (it != esperadas.end()) it->second.campos[s.campo] = s.valor;
        } else {
            esperadas.erase(s.token);
        }
    }

    TClientDataSet final_("cdsPrueba");
    final_.LoadFromFile(ruta);
    std::map<QString, FilaEsperada> halladas;
    std::set<int> codigos;
    for (final_.First(); !final_.Eof(); final_.Next()) {
        const int codigo = final_.FieldByName("cdsPFCodigo")->AsInteger();
        EXPECT_TRUE(codigos.insert(codigo).second) << "code " << codigo << " repeated";
        halladas[final_.FieldByName("cdsPFOrigen")->AsString()] = {
            codigo,
            {{"cdsPFNombre", final_.FieldByName("cdsPFNombre")->AsString()},
             {"cdsPFPtrGrupo", final_.FieldByName("cdsPFPtrGrupo")->AsString()}}};
    }
    ASSERT_EQ(halladas.size(), esperadas.size());
    for (const auto& [token, fila] : esperadas) {
        auto it = halladas.find(token);
        ASSERT_NE(it, halladas.end()) << token.toStdString() << " is missing";
        EXPECT_EQ(it->second.codigo, fila.codigo) << token.toStdString();
        EXPECT_EQ(it->second.campos, fila.campos) << token.toStdString();
    }

    // A save that changed a field the other writer had changed since the first one last
    // saved overwrote that value: the log names both.
    QFile f(diario);
    const QString registro = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    int conflictos = 0;
    for (const auto& [clave, lista] : cambios) {
        for (const Suceso* s : lista) {
            const Suceso* pisado = nullptr;
            for (const Suceso* otro : lista)
                if (otro->escritor != s->escritor && otro->version > s->anterior &&
                    otro->version < s->version)
                    pisado = otro;
            if (!pisado) continue;
            ++conflictos;
            EXPECT_TRUE(registro.contains("\"" + s->valor + "\"") &&
                        registro.contains("\"" + pisado->valor + "\""))
                << "conflict on " << s->token.toStdString() << " " << s->campo.toStdString() << " not logged";
        }
    }
    RecordProperty("conflictos", conflictos);
}

}  // namespace
