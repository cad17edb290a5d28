#include "VisorAyuda.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>

#include "Idioma.h"
#include "PaginaAyuda.h"

namespace {

bool esPagina(const QString& archivo) {
    const QString sufijo = QFileInfo(archivo).suffix().toLower();
    return sufijo == QLatin1String("htm") || sufijo == QLatin1String("html");
}

}  // namespace

VisorAyuda::VisorAyuda(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);  // the help window decides what each link does
    setOpenExternalLinks(false);
}

QString VisorAyuda::Carpeta() const {
    return archivo_.isEmpty() ? QString() : QFileInfo(archivo_).absolutePath();
}

void VisorAyuda::MostrarArchivo(const QString& archivo, const QString& ancla) {
    QUrl url = QUrl::fromLocalFile(QFileInfo(archivo).absoluteFilePath());
    if (!ancla.isEmpty()) url.setFragment(ancla);
    if (archivo_ == url.toLocalFile() &&
        source().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment)) {
        if (ancla.isEmpty())
            reload();
        else
            scrollToAnchor(ancla);
        return;
    }
    setSource(url, QTextDocument::HtmlResource);
}

void VisorAyuda::doSetSource(const QUrl& url, QTextDocument::ResourceType tipo) {
    archivo_ = url.isLocalFile() ? url.toLocalFile() : QString();
    QTextBrowser::doSetSource(url, tipo);
}

void VisorAyuda::MostrarDireccion(const QString& direccion) {
    archivo_.clear();
    setHtml(PaginaNoEncontrada(direccion));
}

QVariant VisorAyuda::loadResource(int tipo, const QUrl& nombre) {
    QString archivo;
    if (nombre.isLocalFile())
        archivo = nombre.toLocalFile();
    else if (nombre.isRelative())
        archivo = ResolverReferencia(nombre.toString(QUrl::RemoveFragment), Carpeta());
    if (tipo == QTextDocument::HtmlResource || esPagina(archivo)) {
        QString texto;
        if (archivo.isEmpty() || !LeerTextoAyuda(archivo, texto))
            return PaginaNoEncontrada(archivo.isEmpty() ? nombre.toString() : archivo);
        return MarcarVentanasNuevas(ExpandirDirectivas(texto, QFileInfo(archivo).absolutePath()));
    }
    QFile f(archivo);
    if (archivo.isEmpty() || !f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void VisorAyuda::MarcarEnlacesA(const QString& archivo) {
    QList<QTextEdit::ExtraSelection> marcas;
    const QString buscado = QFileInfo(archivo).absoluteFilePath();
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            const QTextFragment trozo = f.fragment();
            const QString enlace = trozo.charFormat().anchorHref();
            if (enlace.isEmpty() || enlace.contains(QLatin1Char(':'))) continue;
            if (QFileInfo(ResolverReferencia(enlace, Carpeta())).absoluteFilePath() != buscado) continue;
            QTextEdit::ExtraSelection marca;
            marca.cursor = QTextCursor(document());
            marca.cursor.setPosition(trozo.position());
            marca.cursor.setPosition(trozo.position() + trozo.length(), QTextCursor::KeepAnchor);
            marca.format.setFontWeight(QFont::Bold);
            marca.format.setBackground(QColor(0xF6, 0xE1, 0xDC));
            marcas.append(marca);
        }
    }
    setExtraSelections(marcas);
}

QString VisorAyuda::PaginaNoEncontrada(const QString& archivo) {
    return QStringLiteral("<html><head><title>%1</title></head><body><h2>%1</h2><p>%2</p></body></html>")
        .arg(Texto(70015).toHtmlEscaped(), Texto(70016).arg(archivo).toHtmlEscaped());
}
