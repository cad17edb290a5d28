#pragma once

// Language texts of the group exchange.
constexpr int kTextoCarpetaTrabajo = 145;    // the working folder cannot be created (+ " " + path)
constexpr int kTextoCargado = 166;           // the group has been imported
constexpr int kTextoNoSeBorraCarpeta = 178;  // + folder
constexpr int kTextoNoSeCopia = 179;         // + file
constexpr int kTextoNoSeCreaCarpeta = 180;   // + folder
constexpr int kTextoExportado = 210;         // the group has been exported
constexpr int kTextoElGrupo = 211;           // "El grupo", + ", " + name + ", " + 212
constexpr int kTextoYaExiste = 212;          // replace it?
constexpr int kTextoNoSeBorraArchivo = 221;  // + file
constexpr int kTextoFaltanArchivos = 226;    // the folder is not an exchange folder
constexpr int kTextoTituloCarpeta = 7000;    // title of the folder dialog
// Failures the exchange reports instead of finishing.
constexpr int kTextoExportacionFallida = 39000;  // the exchange folder is not complete
constexpr int kTextoNombreNoValido = 39001;      // + group name: cannot name a folder
constexpr int kTextoTablaDanada = 39002;         // + file: damaged or of another structure
constexpr int kTextoSinGrupo = 39003;            // + file: does not hold exactly one group
constexpr int kTextoImportacionFallida = 39004;  // nothing has changed
constexpr int kTextoNoEsCarpeta = 39005;         // + path: exists and is not a folder
constexpr int kTextoGrupoExistente = 39006;      // + name: a group of that name exists, not replaced
