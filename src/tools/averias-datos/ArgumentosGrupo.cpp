#include "ArgumentosGrupo.h"

#include <QFileInfo>

#include "ClientDataSet.h"
#include "Instalacion.h"
#include "Ordenes.h"

std::optional<QString> LeerArgumentosGrupo(const QStringList& argumentos, ArgumentosGrupo& a) {
    QStringList posicionales;
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString& argumento = argumentos[i];
        if (!argumento.startsWith(QLatin1String("--"))) {
            posicionales << argumento;
            continue;
        }
        if (i + 1 >= argumentos.size()) return QStringLiteral("falta el valor de %1").arg(argumento);
        a.opciones.emplace_back(argumento, argumentos[++i]);
    }
    if (posicionales.size() != 2) return QStringLiteral("se esperan INSTALACION y GRUPO");
    a.instalacion = posicionales[0];
    bool numero = false;
    a.grupo = posicionales[1].toInt(&numero);
    if (!numero) return QStringLiteral("el grupo \"%1\" no es un número").arg(posicionales[1]);
    return std::nullopt;
}

std::optional<QString> LeerEquipo(const QString& valor, std::optional<int>& equipo) {
    bool numero = false;
    equipo = valor.toInt(&numero);
    if (!numero) return QStringLiteral("el equipo \"%1\" no es un número").arg(valor);
    return std::nullopt;
}

int ConHistorialGrupo(const ArgumentosGrupo& a, QTextStream& errores,
                      const std::function<void(const HistorialGrupo&)>& escribir) {
    if (!QFileInfo(a.instalacion).isDir()) {
        errores << "averias-datos: no existe la carpeta " << a.instalacion << '\n';
        return kSalidaArchivo;
    }
    const InstalacionTemporal instalacion(a.instalacion);
    try {
        const HistorialGrupo historial = LeerHistorialGrupo(a.grupo);
        for (const QString& aviso : historial.avisos) errores << "averias-datos: " << aviso << '\n';
        escribir(historial);
    } catch (const EDatabaseError& e) {
        errores << "averias-datos: " << e.Message() << '\n';
        return kSalidaArchivo;
    }
    return kSalidaBien;
}
