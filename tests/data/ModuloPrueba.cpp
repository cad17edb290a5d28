#include "ModuloPrueba.h"

void AnadirFila(TClientDataSet* tabla, std::initializer_list<std::pair<const char*, QVariant>> valores) {
    tabla->Append();
    for (const auto& [campo, valor] : valores) tabla->FieldByName(QLatin1String(campo))->SetValue(valor);
    tabla->Post();
}

QVariant Valor(TClientDataSet* tabla, const char* campo) {
    return tabla->FieldByName(QLatin1String(campo))->Value();
}
