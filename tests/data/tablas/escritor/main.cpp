// escritor-tabla FILE NAME SEED OPERATIONS RECORD LOG
//
// One of several programs writing the same table file at once, for the concurrency tests:
// makes OPERATIONS random inserts, field changes and deletions, saving after each, and
// writes to RECORD what each save did, with the file version it produced:
//   I token code version            a row inserted (token never changes)
//   U token field value version previous   a field changed; previous = version before the save
//   D token version                 a row deleted
// What the engine logs goes to LOG; the longest save is printed at the end. A missing FILE
// is first written with 20 rows (S0 to S19). Values are unique to NAME, so that the test can tell
// whose they are.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

#include "ArchivoTabla.h"
#include "ClientDataSet.h"
#include "Diario.h"

namespace {

struct Tabla {
    Tabla() : cds("cdsPrueba") {
        Codigo = cds.AddField("cdsPFCodigo", ftInteger);
        Origen = cds.AddField("cdsPFOrigen", ftString, 20);
        Nombre = cds.AddField("cdsPFNombre", ftString, 20);
        Grupo = cds.AddField("cdsPFPtrGrupo", ftInteger);
        cds.CampoCodigo = "cdsPFCodigo";
    }
    TClientDataSet cds;
    TField *Codigo, *Origen, *Nombre, *Grupo;
};

// Saves, waiting out another program's lock as long as it takes; keeps the longest wait.
qint64 esperaMaxima = 0;
int ocupados = 0;
void Guardar(TClientDataSet& cds) {
    QElapsedTimer reloj;
    reloj.start();
    for (;;) {
        try {
            cds.SaveToFile();
            esperaMaxima = std::max(esperaMaxima, reloj.elapsed());
            return;
        } catch (const EArchivoOcupado&) {
            ++ocupados;
        }
    }
}

int CodigoLibre(Tabla& t) {
    QVector<int> usados = tablas::LeerCodigos(t.cds.FileName(), "cdsPFCodigo");
    for (int i = 1; i <= t.cds.RecordCount(); ++i) usados.push_back(t.cds.ValueAt(i, t.Codigo).toInt());
    int codigo = 1;
    while (usados.contains(codigo)) ++codigo;
    return codigo;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7) {
        std::fprintf(stderr, "usage: escritor-tabla FILE NAME SEED OPERATIONS RECORD LOG\n");
        return 2;
    }
    const QString nombre = args[2];
    QRandomGenerator azar(args[3].toUInt());
    const int operaciones = args[4].toInt();
    const QString diario = args[6];
    tablas::FijarDiario([&diario](const QString& linea) {
        QFile f(diario);
        if (f.open(QIODevice::WriteOnly | QIODevice::Append)) f.write((linea + '\n').toUtf8());
    });
    QFile registro(args[5]);
    if (!registro.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 2;
    QTextStream salida(&registro);
    try {
        Tabla t;
        if (!QFile::exists(args[1])) {
            // A first run with 0 operations writes a file to start from.
            t.cds.CreateDataSet();
            for (int i = 0; i < 20; ++i) {
                t.cds.Append();
                t.Codigo->SetAsInteger(i + 1);
                t.Origen->SetAsString(QString("S%1").arg(i));
                t.Nombre->SetAsString(QString("S%1n").arg(i));
                t.Grupo->SetAsInteger(0);
                t.cds.Post();
            }
            t.cds.SaveToFile(args[1]);
            t.cds.Close();
        }
        t.cds.SetFileName(args[1]);
        t.cds.Open();
        for (int i = 0; i < operaciones; ++i) {
            const int clase = t.cds.IsEmpty() ? 0 : azar.bounded(10);
            const qint64 antes = t.cds.VersionArchivo();
            if (clase < 4) {
                const QString token = QString("%1%2").arg(nombre).arg(i);
                t.cds.Append();
                t.Codigo->SetAsInteger(CodigoLibre(t));
                t.Origen->SetAsString(token);
                t.Nombre->SetAsString(token + "n");
                t.Grupo->SetAsInteger(0);
                t.cds.Post();
                Guardar(t.cds);
                if (!t.cds.Locate("cdsPFOrigen", token)) return 3;
                salida << "I " << token << ' ' << t.Codigo->AsInteger() << ' ' << t.cds.VersionArchivo()
                       << '\n';
                continue;
            }
            // Changes go mostly to the first two rows, so that both writers often meet there;
            // deletions to the others, so that those two rows stay.
            const int filas = t.cds.RecordCount();
            const bool cambio = clase < 9 || filas <= 2;
            t.cds.SetRecNo(cambio ? 1 + azar.bounded(azar.bounded(4) ? std::min(filas, 2) : filas)
                                  : 3 + azar.bounded(filas - 2));
            const QString token = t.Origen->AsString();
            if (cambio) {
                const bool texto = clase % 2 == 0;
                const QString valor =
                    QString("%1%2").arg(texto ? nombre : QString::number(nombre == "A" ? 1 : 2)).arg(i);
                t.cds.Edit();
                (texto ? t.Nombre : t.Grupo)->SetAsString(valor);
                t.cds.Post();
                Guardar(t.cds);
                salida << "U " << token << ' ' << (texto ? t.Nombre : t.Grupo)->FieldName() << ' ' << valor
                       << ' ' << t.cds.VersionArchivo() << ' ' << antes << '\n';
            } else {
                t.cds.Delete();
                Guardar(t.cds);
                salida << "D " << token << ' ' << t.cds.VersionArchivo() << '\n';
            }
        }
    } catch (const EDatabaseError& e) {
        std::fprintf(stderr, "%s\n", e.Message().toLocal8Bit().constData());
        return 1;
    }
    std::printf("%s: longest save %lld ms, %d saves found the file busy past 5 s\n", qPrintable(nombre),
                esperaMaxima, ocupados);
    return 0;
}
