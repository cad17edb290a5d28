#include "IdiomaPrueba.h"

IdiomaPrueba::IdiomaPrueba(const std::map<int, QString>& textos) {
    QByteArray contenido;
    for (const auto& [numero, texto] : textos)
        contenido += QByteArray::number(numero) + ' ' + texto.toUtf8() + "\r\n";
    idioma_ = std::make_unique<IdiomaTemporal>(carpeta_.escribir("idioma.lng", contenido));
}

std::map<int, QString> TextosDelModulo() {
    std::map<int, QString> textos;
    for (int numero : {5, 6, 111, 112, 113, 140, 155, 156, 163, 165, 174, 184, 189, 195})
        textos[numero] = QStringLiteral("T%1").arg(numero);
    for (int numero = 35000; numero <= 35018; ++numero) textos[numero] = QStringLiteral("T%1").arg(numero);
    for (int numero : {35007, 35010, 35017, 35018})
        textos[numero] = QStringLiteral("Cierto%1;Falso%1").arg(numero);
    textos[221] = QStringLiteral("T221 ");
    textos[231] = QStringLiteral("Sin carpeta: %1 en %2");
    textos[280] = QStringLiteral("T280");
    textos[240] = QStringLiteral("T240 %1 (%2)");
    for (int numero = 241; numero <= 246; ++numero)
        textos[numero] = QStringLiteral("T%1 %2").arg(numero).arg("%1");
    return textos;
}
