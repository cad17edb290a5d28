#include "DMT_Informes.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Ayuda.h"
#include "Cadenas.h"
#include "ControlesDatos.h"
#include "DespachoInformes.h"
#include "EjecucionInforme.h"
#include "EstadoCursor.h"
#include "FormActivo.h"
#include "GuardaInforme.h"
#include "Idioma.h"
#include "ImpresionInforme.h"
#include "Instalacion.h"
#include "Mensajes.h"
#include "VistaPreviaInforme.h"
#include "dmCDS.h"

namespace {

constexpr int kTextoImprimirIncompleto = 119;
constexpr int kTextoVerIncompleto = 120;
constexpr int kTextoSinHistorico = 127;
constexpr int kTextoTituloGrupo = 162;
constexpr int kTextoAveriaPuesto = 196;
constexpr int kLibroProfesor = 1;
constexpr int kLibroPuesto = 2;

QString Campo(TClientDataSet* tabla, const char* campo) {
    if (!tabla->Active()) return {};
    TField* f = tabla->FindField(QLatin1String(campo));
    return f ? f->AsString() : QString();
}

QString RutaDiseno(int eleccion, const char* sufijo) {
    return QStringLiteral("Informes\\Informe") + QString::number(eleccion) + QLatin1String(sufijo);
}

// A panel of one selection: its caption and its list.
QWidget* PanelSeleccion(const char* nombre, const char* nombreEtiqueta, const char* nombreLista,
                        QLabel*& etiqueta, TDBLookupComboBox*& lista, QWidget* padre) {
    auto* panel = new QWidget(padre);
    panel->setObjectName(QLatin1String(nombre));
    auto* capa = new QHBoxLayout(panel);
    capa->setContentsMargins(0, 0, 0, 0);
    etiqueta = new QLabel(panel);
    etiqueta->setObjectName(QLatin1String(nombreEtiqueta));
    lista = new TDBLookupComboBox(panel);
    lista->setObjectName(QLatin1String(nombreLista));
    lista->setMinimumWidth(260);
    capa->addWidget(etiqueta);
    capa->addWidget(lista, 1);
    return panel;
}

QGroupBox* CajaOpciones(const char* nombre, const char* prefijo, int opciones, QList<QRadioButton*>& botones,
                        QWidget* padre) {
    auto* caja = new QGroupBox(padre);
    caja->setObjectName(QLatin1String(nombre));
    auto* capa = new QVBoxLayout(caja);
    auto* grupo = new QButtonGroup(caja);
    for (int i = 0; i < opciones; ++i) {
        auto* boton = new QRadioButton(caja);
        boton->setObjectName(QLatin1String(prefijo) + QString::number(i + 1));
        boton->setProperty("Tag", i);
        grupo->addButton(boton, i);
        capa->addWidget(boton);
        botones.push_back(boton);
    }
    return caja;
}

}  // namespace

TFInformes::TFInformes(TdmCDS& dm, ContextoInformes contexto, QWidget* padre)
    : QDialog(padre), dm_(dm), contexto_(contexto) {
    setObjectName(QStringLiteral("TFInformes"));
    setWindowTitle(QStringLiteral("Informes"));
    CrearControles();
    AyudaConF1(this, contexto_.origen == ContextoInformes::Origen::Puesto ? kLibroPuesto : kLibroProfesor);
}

TFInformes::~TFInformes() = default;

void TFInformes::CrearControles() {
    auto* capa = new QVBoxLayout(this);
    auto* cabecera = new QHBoxLayout;
    labelInformes_ = new QLabel(QStringLiteral("Informes"), this);
    labelInformes_->setObjectName(QStringLiteral("LabelInformes"));
    QFont grande = labelInformes_->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    labelInformes_->setFont(grande);
    linea_ = new QFrame(this);
    linea_->setObjectName(QStringLiteral("ShapeTitulo"));
    linea_->setFrameShape(QFrame::HLine);
    linea_->setFrameShadow(QFrame::Sunken);
    cabecera->addWidget(labelInformes_);
    cabecera->addSpacing(25);
    cabecera->addWidget(linea_, 1);
    capa->addLayout(cabecera);

    panelInfProfesor_ = new QWidget(this);
    panelInfProfesor_->setObjectName(QStringLiteral("PanelInfProfesor"));
    auto* capaProfesor = new QVBoxLayout(panelInfProfesor_);
    capaProfesor->setContentsMargins(0, 0, 0, 0);
    groupBoxAlumno_ = CajaOpciones("GroupBoxAlumno", "RadioButtonAl", 5, radioAl_, panelInfProfesor_);
    groupBoxSubgrupo_ = CajaOpciones("GroupBoxSubgrupo", "RadioButtonSub", 5, radioSub_, panelInfProfesor_);
    capaProfesor->addWidget(groupBoxAlumno_);
    capaProfesor->addWidget(groupBoxSubgrupo_);
    capa->addWidget(panelInfProfesor_);
    for (QRadioButton* b : radioAl_)
        connect(b, &QRadioButton::clicked, this, &TFInformes::ElegirInformeAlumno);
    for (QRadioButton* b : radioSub_)
        connect(b, &QRadioButton::clicked, this, &TFInformes::ElegirInformeSubgrupo);

    panelAlumno_ = new QWidget(this);
    panelAlumno_->setObjectName(QStringLiteral("PanelAlumno"));
    auto* capaAlumno = new QVBoxLayout(panelAlumno_);
    capaAlumno->setContentsMargins(0, 0, 0, 0);
    radioGroupAlumnos_ =
        CajaOpciones("RadioGroupAlumnos", "RadioGroupAlumnosItem", 2, radioPuesto_, panelAlumno_);
    capaAlumno->addWidget(radioGroupAlumnos_);
    capa->addWidget(panelAlumno_);
    for (QRadioButton* b : radioPuesto_) connect(b, &QRadioButton::clicked, this, &TFInformes::ElegirPuesto);
    radioPuesto_.front()->setChecked(true);

    panelSelecAv_ = PanelSeleccion("PanelSelecAv", "LabelAveria", "DBLookupComboBoxAveria", labelAveria_,
                                   averia_Box_, this);
    panelSeleccGrp_ =
        PanelSeleccion("PanelSeleccGrp", "LabelGrupo", "DBLookupComboBoxGrupo", labelGrupo_, grupoBox_, this);
    panelSeleccAl_ = PanelSeleccion("PanelSeleccAl", "LabelAlumno", "DBLookupComboBoxAlumno", labelAlumno_,
                                    alumnoBox_, this);
    panelSeleccSub_ = PanelSeleccion("PanelSeleccSub", "LabelSubgrupo", "DBLookupComboBoxSubgrupo",
                                     labelSubgrupo_, subgrupoBox_, this);
    for (QWidget* p : {panelSelecAv_, panelSeleccGrp_, panelSeleccAl_, panelSeleccSub_}) capa->addWidget(p);
    connect(averia_Box_, &TDBLookupComboBox::Elegido, this, &TFInformes::ElegirAveria);
    connect(alumnoBox_, &TDBLookupComboBox::Elegido, this, &TFInformes::ElegirAlumno);
    capa->addStretch(1);

    auto* botones = new QHBoxLayout;
    const auto boton = [&](QPushButton*& b, const char* nombre) {
        b = new QPushButton(this);
        b->setObjectName(QLatin1String(nombre));
        b->setAutoDefault(false);
        botones->addWidget(b);
    };
    boton(preview_, "BitBtnPreview");
    boton(imprimir_, "BitBtnImprimir");
    boton(confImprimir_, "BitBtnConfImprimir");
    botones->addStretch(1);
    boton(ayuda_, "BitBtnAyuda");
    boton(salir_, "BitBtnSalir");
    capa->addLayout(botones);
    connect(preview_, &QPushButton::clicked, this, [this] { Previsualizar(); });
    connect(imprimir_, &QPushButton::clicked, this, [this] { Imprimir(); });
    connect(confImprimir_, &QPushButton::clicked, this, [this] { ImprimirConfigurado(); });
    connect(ayuda_, &QPushButton::clicked, this, [this] {
        AbrirAyuda(contexto_.origen == ContextoInformes::Origen::Puesto ? kLibroPuesto : kLibroProfesor);
    });
    connect(salir_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFInformes::PonerTextos() {
    setWindowTitle(Texto(9000));
    labelInformes_->setText(Texto(9001));
    labelAveria_->setText(Texto(9002));
    labelGrupo_->setText(Texto(9003));
    labelAlumno_->setText(Texto(9004));
    labelSubgrupo_->setText(Texto(9005));
    preview_->setText(Texto(9006));
    imprimir_->setText(Texto(9007));
    salir_->setText(Texto(9008));
    ayuda_->setText(Texto(9009));
    confImprimir_->setText(Texto(9010));
    for (int i = 0; i < 5; ++i) {
        radioAl_[i]->setText(Texto(9011 + i));
        radioSub_[i]->setText(Texto(9016 + i));
    }
    radioPuesto_[0]->setText(Texto(9021));
    radioPuesto_[1]->setText(Texto(9022));
}

void TFInformes::showEvent(QShowEvent* evento) {
    if (!mostrada_) {
        mostrada_ = true;
        FijarFormActivo(this);
        PonerTextos();
        // The repairs, their lines and the seed filter as the caller left them, put back at close.
        guarda_ = std::make_unique<GuardaInforme>(dm_);
        Disponer();
    }
    QDialog::showEvent(evento);
}

void TFInformes::done(int resultado) {
    guarda_.reset();
    filtroSemillas_.reset();
    QDialog::done(resultado);
}

bool TFInformes::EsPuestoUsuario() const {
    return contexto_.origen == ContextoInformes::Origen::Puesto &&
           (contexto_.tipoUsuario == 1 || contexto_.tipoUsuario == 2);
}

bool TFInformes::EsDeSubgrupo() const {
    if (contexto_.origen == ContextoInformes::Origen::Puesto) return contexto_.tipoUsuario == 2;
    return contexto_.historicoSubgrupo;
}

void TFInformes::Disponer() {
    groupBoxAlumno_->hide();
    groupBoxSubgrupo_->hide();
    const QString tituloGrupo = Texto(kTextoTituloGrupo) + QLatin1Char(' ');
    const QString tituloSubgrupo = tituloGrupo + Campo(dm_.cdsSubgrupo, "CalcNGrupo") + QStringLiteral(", ") +
                                   Campo(dm_.cdsSubgrupo, "cdsSubFNombre");
    grupoBox_->SetListSource(dm_.dsGrupo, QStringLiteral("cdsGrpFCodGrupo"),
                             QStringLiteral("cdsGrpFDescripcion"));
    alumnoBox_->SetListSource(dm_.dsGrupoAlumno, QStringLiteral("cdsGrpAlFPtrAlumno"),
                              QStringLiteral("CalcNCompleto"));
    subgrupoBox_->SetListSource(dm_.dsSubgrupo, QStringLiteral("cdsSubFCodSubgrupo"),
                                QStringLiteral("cdsSubFNombre"));

    if (contexto_.origen == ContextoInformes::Origen::Puesto) {
        const bool profesor = !EsPuestoUsuario();
        averia_Box_->SetListSource(
            dm_.dsSemilla, QStringLiteral("cdsSemFIdSemilla"),
            profesor ? QStringLiteral("PtrAvReal;cdsSemFTutorizada") : QStringLiteral("cdsSemFCodVirtual"));
        if (profesor) {
            panelAlumno_->hide();
            groupBoxAlumno_->show();
            archivoInforme_ = RutaDiseno(1, "AL.frf");
        } else {
            panelInfProfesor_->hide();
            if (EsDeSubgrupo()) {
                labelInformes_->setText(tituloSubgrupo);
            } else {
                labelInformes_->setText(tituloGrupo + Campo(dm_.cdsGrupoAlumno, "CalcNGrupo") +
                                        QStringLiteral(", ") + Campo(dm_.cdsGrupoAlumno, "CalcNAlumno"));
            }
            labelAveria_->setText(Texto(kTextoAveriaPuesto));
            archivoInforme_ = RutaDiseno(1, EsDeSubgrupo() ? "SUB.frf" : "AL.frf");
        }
    } else {
        panelAlumno_->hide();
        averia_Box_->SetListSource(dm_.dsReparacion, QStringLiteral("cdsRepFCodReparacion"),
                                   QStringLiteral("CalcAvReal;cdsRepFTutorizada"));
        if (EsDeSubgrupo()) {
            labelInformes_->setText(tituloSubgrupo);
            groupBoxSubgrupo_->show();
        } else {
            labelInformes_->setText(tituloGrupo + Campo(dm_.cdsGrupoAlumno, "CalcNGrupo") +
                                    QStringLiteral(", ") + Campo(dm_.cdsGrupoAlumno, "CalcNCompleto"));
            groupBoxAlumno_->show();
        }
    }
    ElegirListaAverias();
    // Checking the first choice sets the teacher's layout of the history browser.
    if (contexto_.origen == ContextoInformes::Origen::Historico) {
        (EsDeSubgrupo() ? radioSub_ : radioAl_).front()->click();
    } else {
        PanelesSeleccion();
    }
}

int TFInformes::InformeElegido(QGroupBox* caja) const {
    const QList<QRadioButton*>& botones = caja == groupBoxSubgrupo_ ? radioSub_
                                          : caja == groupBoxAlumno_ ? radioAl_
                                                                    : radioPuesto_;
    for (int i = 0; i < botones.size(); ++i)
        if (botones[i]->isChecked()) return i;
    return 5;
}

void TFInformes::ElegirInformeAlumno() {
    const int elegido = InformeElegido(groupBoxAlumno_);
    archivoInforme_ = RutaDiseno(elegido + 1, elegido <= 1 ? "ALPROFE.frf" : "AL.frf");
    PanelesSeleccion();
}

void TFInformes::ElegirInformeSubgrupo() {
    const int elegido = InformeElegido(groupBoxSubgrupo_);
    archivoInforme_ = RutaDiseno(elegido + 1, elegido <= 1 ? "SUBPROFE.frf" : "SUB.frf");
    PanelesSeleccion();
    ElegirListaAverias(elegido == 3 || elegido == 4);
}

void TFInformes::ElegirPuesto() {
    const int item = InformeElegido(radioGroupAlumnos_);
    archivoInforme_ = RutaDiseno(item + 1, EsDeSubgrupo() ? "SUB.frf" : "AL.frf");
    PanelesSeleccion();
}

void TFInformes::PanelesSeleccion() {
    for (QWidget* p : {panelSelecAv_, panelSeleccGrp_, panelSeleccAl_, panelSeleccSub_}) p->hide();
    if (contexto_.origen == ContextoInformes::Origen::Historico) {
        QGroupBox* caja = EsDeSubgrupo() ? groupBoxSubgrupo_ : groupBoxAlumno_;
        const int elegido = InformeElegido(caja);
        panelSelecAv_->setVisible(elegido == 1 || elegido == 2 || elegido == 4);
    } else if (!panelInfProfesor_->isHidden()) {
        // Per choice (1 to 5): fault, group, student, subgroup.
        struct Paneles {
            bool averia, grupo, alumno, subgrupo;
        };
        static const Paneles alumno[] = {{false, false, true, false},
                                         {true, false, true, false},
                                         {true, false, true, false},
                                         {false, true, false, false},
                                         {true, true, false, false}};
        static const Paneles subgrupo[] = {{false, true, false, true},
                                           {true, true, false, true},
                                           {true, true, false, true},
                                           {false, true, false, false},
                                           {true, true, false, false}};
        const bool deSubgrupo = !groupBoxSubgrupo_->isHidden();
        const int elegido = InformeElegido(deSubgrupo ? groupBoxSubgrupo_ : groupBoxAlumno_);
        if (elegido < 5) {
            const Paneles& p = (deSubgrupo ? subgrupo : alumno)[elegido];
            panelSelecAv_->setVisible(p.averia);
            panelSeleccGrp_->setVisible(p.grupo);
            panelSeleccAl_->setVisible(p.alumno);
            panelSeleccSub_->setVisible(p.subgrupo);
        }
    } else {
        panelSelecAv_->setVisible(InformeElegido(radioGroupAlumnos_) == 1);
    }
    // The layout stacks the shown panels at the top; the window keeps to what it shows.
    adjustSize();
}

bool TFInformes::SeleccionCompleta() const {
    const std::pair<QWidget*, TDBLookupComboBox*> paneles[] = {{panelSelecAv_, averia_Box_},
                                                               {panelSeleccGrp_, grupoBox_},
                                                               {panelSeleccAl_, alumnoBox_},
                                                               {panelSeleccSub_, subgrupoBox_}};
    for (const auto& [panel, lista] : paneles)
        if (!panel->isHidden() && !lista->KeyValue().isValid()) return false;
    return true;
}

void TFInformes::TerminoLista(QString& lista) {
    const QString cierre = dm_.cdsRepFTutorizada->AsBoolean()
                               ? QStringLiteral(" and cdsSemFTutorizada = True)")
                               : QStringLiteral(" and cdsSemFTutorizada = False)");
    lista += (lista.isEmpty() ? QStringLiteral("((cdsSemFPtrIdAveria = ")
                              : QStringLiteral(" or (cdsSemFPtrIdAveria = ")) +
             dm_.cdsRepFPtrIdAveria->AsString() + cierre;
}

void TFInformes::ElegirListaAverias(bool todosSubgrupos) {
    if (!dm_.cdsSemilla->Active()) return;
    // An empty list gives back the seed filter the caller had, not the list of an earlier choice.
    if (!filtroSemillas_) filtroSemillas_ = {dm_.cdsSemilla->Filter(), dm_.cdsSemilla->Filtered()};
    dm_.cdsSemilla->SetFiltered(false);
    QString lista;
    const auto sumarReparaciones = [&](const QString& alumno, const QString& grupo, const QString& subgrupo) {
        if (!dm_.cdsReparacion->Active()) return;
        EstadoCursor reparaciones(dm_.cdsReparacion, true);
        dm_.cdsReparacion->SetFilter(QStringLiteral("cdsRepFPtrAlumno =") + alumno + QStringLiteral(" and ") +
                                     QStringLiteral("cdsRepFPtrGrupo =") + grupo + QStringLiteral(" and ") +
                                     QStringLiteral("cdsRepFPtrSubgrupo =") + subgrupo +
                                     QStringLiteral(" and ") + QStringLiteral("cdsRepFPtrEquipo =") +
                                     QString::number(contexto_.equipo));
        dm_.cdsReparacion->SetFiltered(true);
        // A paused practice is no finished history of its fault yet.
        for (dm_.cdsReparacion->First(); !dm_.cdsReparacion->Eof(); dm_.cdsReparacion->Next())
            if (dm_.cdsRepFEstado->AsString() != QLatin1String("P")) TerminoLista(lista);
    };
    if (todosSubgrupos) {
        // Every subgroup's practices are in the history of its members: the history open
        // now and the subgroup row come back afterwards.
        GuardaInforme guarda(dm_);
        TClientDataSet* sub = dm_.cdsSubgrupo;
        const QString indice = sub->IndexFieldNames();
        sub->SetFiltered(false);
        sub->SetIndexFieldNames(QStringLiteral("cdsSubFPtrGrupo;cdsSubFCodSubgrupo;cdsSubFPtrAlumno"));
        QString anterior;
        for (sub->First(); !sub->Eof(); sub->Next()) {
            const QString codigo = Campo(sub, "cdsSubFCodSubgrupo");
            if (codigo == anterior) continue;
            anterior = codigo;
            const QVariant alumno = sub->FieldByName(QStringLiteral("cdsSubFPtrAlumno"))->Value();
            if (alumno.isNull()) continue;
            const QString usuario = FormatoCodigo(alumno.toInt());
            if (!dm_.ExisteHistorico(usuario)) continue;
            dm_.AbrirHistorico(usuario);
            sumarReparaciones(alumno.toString(), Campo(sub, "cdsSubFPtrGrupo"), codigo);
        }
        sub->SetIndexFieldNames(indice);
    } else if (EsDeSubgrupo()) {
        sumarReparaciones(Campo(dm_.cdsSubgrupo, "cdsSubFPtrAlumno"),
                          Campo(dm_.cdsSubgrupo, "cdsSubFPtrGrupo"),
                          Campo(dm_.cdsSubgrupo, "cdsSubFCodSubgrupo"));
    } else {
        sumarReparaciones(Campo(dm_.cdsGrupoAlumno, "cdsGrpAlFPtrAlumno"),
                          Campo(dm_.cdsGrupoAlumno, "cdsGrpAlFPtrGrupo"), QStringLiteral(" -1"));
    }
    if (!lista.isEmpty()) {
        lista += QLatin1Char(')');
        dm_.cdsSemilla->SetFilter(lista);
        dm_.cdsSemilla->SetFiltered(true);
    } else {
        dm_.cdsSemilla->SetFilter(filtroSemillas_->first);
        dm_.cdsSemilla->SetFiltered(filtroSemillas_->second);
    }
}

void TFInformes::ElegirAveria() {
    if (!averia_Box_->KeyValue().isValid()) return;
    QVariant id;
    if (contexto_.origen == ContextoInformes::Origen::Puesto) {
        id = dm_.cdsSemilla->FieldByName(QStringLiteral("cdsSemFPtrIdAveria"))->Value();
        averia_.tutorizada = dm_.cdsSemilla->FieldByName(QStringLiteral("cdsSemFTutorizada"))->AsBoolean();
    } else {
        id = dm_.cdsRepFPtrIdAveria->Value();
        averia_.tutorizada = dm_.cdsRepFTutorizada->AsBoolean();
    }
    averia_.idAveria = id.isNull() ? -1 : id.toInt();
    // The fault record follows the chosen fault: its element is the one the reports name.
    if (dm_.cdsAveria->Active()) dm_.cdsAveria->Locate(QStringLiteral("cdsAvFIdAveria"), id);
}

void TFInformes::ElegirAlumno() {
    const QVariant alumno = alumnoBox_->KeyValue();
    if (!alumno.isValid()) return;
    const QString usuario = FormatoCodigo(alumno.toInt());
    if (dm_.ExisteHistorico(usuario)) {
        dm_.AbrirHistorico(usuario);
        // The fault list follows the student whose history is open now.
        ElegirListaAverias();
        return;
    }
    alumnoBox_->SetKeyValue(-99);
    MostrarMensaje(Texto(kTextoSinHistorico));
}

std::optional<PeticionInforme> TFInformes::Peticion() const {
    std::optional<TipoInforme> tipo;
    if (!panelInfProfesor_->isHidden()) {
        const bool deSubgrupo = !groupBoxSubgrupo_->isHidden();
        const int elegido = InformeElegido(deSubgrupo ? groupBoxSubgrupo_ : groupBoxAlumno_);
        tipo = DespachoInformes::TipoDeEleccion(
            deSubgrupo ? DespachoInformes::Caja::Subgrupo : DespachoInformes::Caja::Alumno, elegido + 1);
    } else {
        tipo = DespachoInformes::TipoDeEleccion(
            EsDeSubgrupo() ? DespachoInformes::Caja::PuestoSubgrupo : DespachoInformes::Caja::PuestoAlumno,
            InformeElegido(radioGroupAlumnos_) + 1);
    }
    if (!tipo) return std::nullopt;
    PeticionInforme peticion;
    peticion.tipo = *tipo;
    peticion.equipo = contexto_.equipo;
    peticion.tipoUsuario = contexto_.origen == ContextoInformes::Origen::Puesto ? contexto_.tipoUsuario : 3;
    peticion.averia = averia_;
    return peticion;
}

bool TFInformes::Preparar() {
    const std::optional<PeticionInforme> peticion = Peticion();
    return peticion && EjecutarInforme(dm_, *peticion, Instalacion::Ruta(archivoInforme_), informe_);
}

bool TFInformes::Previsualizar() {
    if (!SeleccionCompleta() || !Peticion()) {
        MostrarMensaje(Texto(kTextoVerIncompleto));
        return false;
    }
    if (!Preparar()) return false;
    const int libro = contexto_.origen == ContextoInformes::Origen::Puesto ? kLibroPuesto : kLibroProfesor;
    if (VerPrevia)
        VerPrevia(informe_.Paginado(), libro, this);
    else
        MostrarVistaPrevia(informe_.Paginado(), libro, this);
    return true;
}

bool TFInformes::Imprimir() {
    if (!SeleccionCompleta() || !Peticion()) {
        MostrarMensaje(Texto(kTextoImprimirIncompleto));
        return false;
    }
    if (!Preparar()) return false;
    const QString rango = QStringLiteral("1-") + QString::number(informe_.Paginas());
    return ImprimirPaginas ? ImprimirPaginas(informe_.Paginado(), rango)
                           : impresion::ImprimirRango(informe_.Paginado(), rango, 1);
}

bool TFInformes::ImprimirConfigurado() {
    if (!SeleccionCompleta() || !Peticion()) {
        MostrarMensaje(Texto(kTextoImprimirIncompleto));
        return false;
    }
    if (!Preparar() || informe_.Paginas() == 0) return false;
    if (ImprimirDialogo) return ImprimirDialogo(informe_.Paginado(), this);
    // Without a printer there is nothing to choose: nothing is printed, as the user sees.
    if (QPrinterInfo::availablePrinters().isEmpty()) return false;
    return impresion::ImprimirConDialogo(informe_.Paginado(), this);
}

void MostrarInformes(TdmCDS& dm, const ContextoInformes& contexto, QWidget* padre) {
    QWidget* anterior = FormActivo();
    TFInformes ventana(dm, contexto, padre);
    ventana.exec();
    FijarFormActivo(anterior);
}
