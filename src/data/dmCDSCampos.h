#pragma once

// The component lists of the data module, each written once: the class declares a member
// for every entry and the construction binds it by name. X(table, member, field name):
// data fields are members under their own name; calculated and lookup fields, whose names
// repeat across tables, are members named table + field.
#define AVERIAS_CAMPOS_DMCDS(X)                                             \
    X(cdsEquipo, cdsEFCodEquipo, cdsEFCodEquipo)                            \
    X(cdsEquipo, cdsEFDescripcion, cdsEFDescripcion)                        \
    X(cdsEquipo, cdsEFCodigo, cdsEFCodigo)                                  \
    X(cdsEquipo, cdsEFActivado, cdsEFActivado)                              \
    X(cdsBloque, cdsBloFCodBloque, cdsBloFCodBloque)                        \
    X(cdsBloque, cdsBloFPtrEquipo, cdsBloFPtrEquipo)                        \
    X(cdsBloque, cdsBloFDescripcion, cdsBloFDescripcion)                    \
    X(cdsCircuito, cdsCFCodCircuito, cdsCFCodCircuito)                      \
    X(cdsCircuito, cdsCFPtrEquipo, cdsCFPtrEquipo)                          \
    X(cdsCircuito, cdsCFPtrBloque, cdsCFPtrBloque)                          \
    X(cdsCircuito, cdsCFDescripcion, cdsCFDescripcion)                      \
    X(cdsElemento, cdsElemFCodElemento, cdsElemFCodElemento)                \
    X(cdsElemento, cdsElemFDescripcion, cdsElemFDescripcion)                \
    X(cdsElemento, cdsElemFPtrEquipo, cdsElemFPtrEquipo)                    \
    X(cdsComponente, cdsComFIdComponente, cdsComFIdComponente)              \
    X(cdsComponente, cdsComFCodComponente, cdsComFCodComponente)            \
    X(cdsComponente, cdsComFPtrEquipo, cdsComFPtrEquipo)                    \
    X(cdsComponente, cdsComFPtrBloque, cdsComFPtrBloque)                    \
    X(cdsComponente, cdsComFPtrCircuito, cdsComFPtrCircuito)                \
    X(cdsComponente, cdsComFDescripcion, cdsComFDescripcion)                \
    X(cdsAveria, cdsAvFIdAveria, cdsAvFIdAveria)                            \
    X(cdsAveria, cdsAvFCodAveria, cdsAvFCodAveria)                          \
    X(cdsAveria, cdsAvFPtrEquipo, cdsAvFPtrEquipo)                          \
    X(cdsAveria, cdsAvFDescripcion, cdsAvFDescripcion)                      \
    X(cdsAveria, cdsAvFReles, cdsAvFReles)                                  \
    X(cdsAveria, cdsAvFPtrBloque, cdsAvFPtrBloque)                          \
    X(cdsAveria, cdsAvFPtrCircuito, cdsAvFPtrCircuito)                      \
    X(cdsAveria, cdsAvFPtrComponente, cdsAvFPtrComponente)                  \
    X(cdsSintomas, cdsSinFPtrIdAveria, cdsSinFPtrIdAveria)                  \
    X(cdsSintomas, cdsSinFNivel, cdsSinFNivel)                              \
    X(cdsSintomas, cdsSinFDescripcion, cdsSinFDescripcion)                  \
    X(cdsGrupo, cdsGrpFCodGrupo, cdsGrpFCodGrupo)                           \
    X(cdsGrupo, cdsGrpFNombre, cdsGrpFNombre)                               \
    X(cdsGrupo, cdsGrpFDescripcion, cdsGrpFDescripcion)                     \
    X(cdsGrupo, cdsGrpFDirectorio, cdsGrpFDirectorio)                       \
    X(cdsGrupo, cdsGrpFAsignatura, cdsGrpFAsignatura)                       \
    X(cdsGrupo, cdsGrpFProfesor, cdsGrpFProfesor)                           \
    X(cdsGrupo, cdsGrpFNumAlumnos, cdsGrpFNumAlumnos)                       \
    X(cdsGrupo, cdsGrpFNSintomas, cdsGrpFNSintomas)                         \
    X(cdsGrupo, cdsGrpFNReparacion, cdsGrpFNReparacion)                     \
    X(cdsGrupo, cdsGrpFTutorizada, cdsGrpFTutorizada)                       \
    X(cdsGrupo, cdsGrpFDisfuncion, cdsGrpFDisfuncion)                       \
    X(cdsAlumno, cdsAFCodAlumno, cdsAFCodAlumno)                            \
    X(cdsAlumno, cdsAFNombre, cdsAFNombre)                                  \
    X(cdsAlumno, cdsAFApellido1, cdsAFApellido1)                            \
    X(cdsAlumno, cdsAFApellido2, cdsAFApellido2)                            \
    X(cdsAlumno, cdsAFUsername, cdsAFUsername)                              \
    X(cdsAlumno, cdsAFPassword, cdsAFPassword)                              \
    X(cdsAlumno, cdsAFGrupos, cdsAFGrupos)                                  \
    X(cdsAlumno, cdsAlumnoCalcNAlumno, CalcNAlumno)                         \
    X(cdsGrupoAlumno, cdsGrpAlFPtrGrupo, cdsGrpAlFPtrGrupo)                 \
    X(cdsGrupoAlumno, cdsGrpAlFPtrAlumno, cdsGrpAlFPtrAlumno)               \
    X(cdsGrupoAlumno, cdsGrpAlFAsignatura, cdsGrpAlFAsignatura)             \
    X(cdsGrupoAlumno, cdsGrpAlFObservaciones, cdsGrpAlFObservaciones)       \
    X(cdsGrupoAlumno, cdsGrpAlFSubgrupos, cdsGrpAlFSubgrupos)               \
    X(cdsGrupoAlumno, cdsGrupoAlumnoLookUpGrupo, LookUpGrupo)               \
    X(cdsGrupoAlumno, cdsGrupoAlumnoCalcPassword, CalcPassword)             \
    X(cdsGrupoAlumno, cdsGrupoAlumnoCalcNGrupo, CalcNGrupo)                 \
    X(cdsGrupoAlumno, cdsGrupoAlumnoCalcNAlumno, CalcNAlumno)               \
    X(cdsGrupoAlumno, cdsGrupoAlumnoCalcApellido1, CalcApellido1)           \
    X(cdsGrupoAlumno, cdsGrupoAlumnoCalcApellido2, CalcApellido2)           \
    X(cdsGrupoAlumno, cdsGrupoAlumnoCalcNCompleto, CalcNCompleto)           \
    X(cdsSubgrupo, cdsSubFCodSubgrupo, cdsSubFCodSubgrupo)                  \
    X(cdsSubgrupo, cdsSubFNombre, cdsSubFNombre)                            \
    X(cdsSubgrupo, cdsSubFPtrGrupo, cdsSubFPtrGrupo)                        \
    X(cdsSubgrupo, cdsSubFPtrAlumno, cdsSubFPtrAlumno)                      \
    X(cdsSubgrupo, cdsSubFAsignatura, cdsSubFAsignatura)                    \
    X(cdsSubgrupo, cdsSubFPassword, cdsSubFPassword)                        \
    X(cdsSubgrupo, cdsSubFObservacion, cdsSubFObservacion)                  \
    X(cdsSubgrupo, cdsSubgrupoCalcNGrupo, CalcNGrupo)                       \
    X(cdsSubgrupo, cdsSubgrupoCalcNAlumno, CalcNAlumno)                     \
    X(cdsSemilla, cdsSemFIdSemilla, cdsSemFIdSemilla)                       \
    X(cdsSemilla, cdsSemFCodSemilla, cdsSemFCodSemilla)                     \
    X(cdsSemilla, cdsSemFPtrGrupo, cdsSemFPtrGrupo)                         \
    X(cdsSemilla, cdsSemFPtrEquipo, cdsSemFPtrEquipo)                       \
    X(cdsSemilla, cdsSemFPtrIdAveria, cdsSemFPtrIdAveria)                   \
    X(cdsSemilla, cdsSemFCodVirtual, cdsSemFCodVirtual)                     \
    X(cdsSemilla, cdsSemFTutorizada, cdsSemFTutorizada)                     \
    X(cdsSemilla, cdsSemillaCalcRandomOrden, CalcRandomOrden)               \
    X(cdsSemilla, cdsSemillaPtrAvReal, PtrAvReal)                           \
    X(cdsSemilla, cdsSemillaCalcDescripcion, CalcDescripcion)               \
    X(cdsReparacion, cdsRepFCodReparacion, cdsRepFCodReparacion)            \
    X(cdsReparacion, cdsRepFPtrAlumno, cdsRepFPtrAlumno)                    \
    X(cdsReparacion, cdsRepFPtrGrupo, cdsRepFPtrGrupo)                      \
    X(cdsReparacion, cdsRepFPtrIdAveria, cdsRepFPtrIdAveria)                \
    X(cdsReparacion, cdsReparacionCalcCVirtual, CalcCVirtual)               \
    X(cdsReparacion, cdsReparacionCalcAvReal, CalcAvReal)                   \
    X(cdsReparacion, cdsReparacionCalcAvDescrip, CalcAvDescrip)             \
    X(cdsReparacion, cdsRepFInicio, cdsRepFInicio)                          \
    X(cdsReparacion, cdsRepFFin, cdsRepFFin)                                \
    X(cdsReparacion, cdsRepFDuracion, cdsRepFDuracion)                      \
    X(cdsReparacion, cdsRepFResp, cdsRepFResp)                              \
    X(cdsReparacion, cdsRepFCorrecta, cdsRepFCorrecta)                      \
    X(cdsReparacion, cdsRepFEstado, cdsRepFEstado)                          \
    X(cdsReparacion, cdsRepFPtrSubgrupo, cdsRepFPtrSubgrupo)                \
    X(cdsReparacion, cdsRepFObservacion, cdsRepFObservacion)                \
    X(cdsReparacion, cdsRepFPtrEquipo, cdsRepFPtrEquipo)                    \
    X(cdsReparacion, cdsRepFTutorizada, cdsRepFTutorizada)                  \
    X(cdsReparacion, cdsRepFNSintomas, cdsRepFNSintomas)                    \
    X(cdsReparacion, cdsRepFNReparacion, cdsRepFNReparacion)                \
    X(cdsLineaReparacion, cdsLRepFCodLinea, cdsLRepFCodLinea)               \
    X(cdsLineaReparacion, cdsLRepFPtrReparacion, cdsLRepFPtrReparacion)     \
    X(cdsLineaReparacion, cdsLRepFAccion, cdsLRepFAccion)                   \
    X(cdsLineaReparacion, cdsLRepFInicio, cdsLRepFInicio)                   \
    X(cdsLineaReparacion, cdsLRepFFin, cdsLRepFFin)                         \
    X(cdsLineaReparacion, cdsLRepFBloque, cdsLRepFBloque)                   \
    X(cdsLineaReparacion, cdsLRepFCircuito, cdsLRepFCircuito)               \
    X(cdsLineaReparacion, cdsLRepFComponente, cdsLRepFComponente)           \
    X(cdsLineaReparacion, cdsLineaReparacionCalcBloque, CalcBloque)         \
    X(cdsLineaReparacion, cdsLineaReparacionCalcCircuito, CalcCircuito)     \
    X(cdsLineaReparacion, cdsLineaReparacionCalcComponente, CalcComponente) \
    X(cdsLineaReparacion, cdsLRepFComentarios, cdsLRepFComentarios)         \
    X(cdsLineaReparacion, cdsLRepFNumDiagnostico, cdsLRepFNumDiagnostico)   \
    X(cdsCodigos, cdsCodFTabla, cdsCodFTabla)                               \
    X(cdsCodigos, cdsCodFUltimo, cdsCodFUltimo)

// Every table component in declaration order; the stored tables come first, in the order
// of their structures (Esquema::Tablas()).
#define AVERIAS_TABLAS_DMCDS(X)                                                                             \
    X(cdsEquipo)                                                                                            \
    X(cdsBloque)                                                                                            \
    X(cdsCircuito) X(cdsElemento) X(cdsComponente) X(cdsAveria) X(cdsSintomas) X(cdsGrupo) X(cdsAlumno)     \
        X(cdsGrupoAlumno) X(cdsSubgrupo) X(cdsSemilla) X(cdsReparacion) X(cdsLineaReparacion) X(cdsCodigos) \
            X(cdsGrupoLUp) X(cdsAlumnoLUp) X(cdsSubgrupoLUp) X(cdsAveriaLUp) X(cdsBloqueLUp)                \
                X(cdsCircuitoLUp) X(cdsComponenteLUp) X(cdsCircuitoLoc) X(cdsComponenteLoc)                 \
                    X(cdsComponenteTodos) X(cdsElementoLUp) X(cdsElementoLoc) X(cdsElementoTodos)           \
                        X(cdsReparacionInfor) X(cdsLineaRepInfor) X(cdsAux) X(CdsAux2) X(CdsAux3) X(cdsCopy)

// The data sources: X(source, table).
#define AVERIAS_FUENTES_DMCDS(X)                                                                             \
    X(dsEquipo, cdsEquipo)                                                                                   \
    X(dsBloque, cdsBloque)                                                                                   \
    X(dsCircuito, cdsCircuito) X(dsComponente, cdsComponente) X(dsAveria, cdsAveria)                         \
        X(dsSintomas, cdsSintomas) X(dsGrupo, cdsGrupo) X(dsAlumno, cdsAlumno)                               \
            X(dsGrupoAlumno, cdsGrupoAlumno) X(dsSubgrupo, cdsSubgrupo) X(dsSemilla, cdsSemilla)             \
                X(dsReparacion, cdsReparacion) X(dsLineaReparacion, cdsLineaReparacion)                      \
                    X(dsGrupoLUp, cdsGrupoLUp) X(dsAlumnoLUp, cdsAlumnoLUp) X(dsSubgrupoLUp, cdsSubgrupoLUp) \
                        X(dsAveriaLUp, cdsAveriaLUp) X(dsBloqueLUp, cdsBloqueLUp)                            \
                            X(dsCircuitoLUp, cdsCircuitoLUp) X(dsComponenteLUp, cdsComponenteLUp)            \
                                X(dsCircuitoLoc, cdsCircuitoLoc) X(dsComponenteLoc, cdsComponenteLoc)        \
                                    X(dsComponenteTodos, cdsComponenteTodos)                                 \
                                        X(dsReparacionInfor, cdsReparacionInfor)                             \
                                            X(dsLineaRepInfor, cdsLineaRepInfor)
