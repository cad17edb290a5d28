#include "CarpetaTemporal.h"
#include "Idioma.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <map>
#include <vector>

namespace {

// Message numbers the program shows, joins into messages or uses as captions and display texts.
constexpr int kMensajes[] = {
    1,   2,   5,   6,   101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 117,
    119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 132, 133, 134, 138, 140, 141, 142, 143, 144, 145,
    146, 149, 150, 151, 152, 153, 155, 156, 157, 160, 161, 162, 163, 164, 165, 166, 171, 172, 173, 174,
    175, 176, 177, 178, 179, 180, 181, 182, 183, 184, 186, 187, 189, 190, 191, 192, 193, 194, 195, 196,
    197, 200, 202, 203, 204, 205, 206, 209, 210, 211, 212, 213, 214, 216, 217, 218, 219, 220, 221, 222,
    223, 224, 225, 226, 227, 228, 229, 230, 240, 241, 242, 243, 244, 245, 246};

// Caption blocks of the windows and the data module, with the numbers no control takes.
struct Bloque {
    int primero;
    int ultimo;
    std::vector<int> sinUso;
};

const Bloque kBloques[] = {
    {1000, 1001, {}},
    {7000, 7003, {7001}},
    {9000, 9022, {}},
    {12000, 12022, {}},
    {13000, 13008, {13006}},
    {14000, 14003, {}},
    {15000, 15014, {}},
    {16000, 16005, {}},
    {17000, 17018, {17013, 17016}},
    {18000, 18003, {}},
    {19000, 19017, {}},
    {20000, 20011, {}},
    {21000, 21010, {21009}},
    {22000, 22028, {}},
    {23000, 23008, {23002, 23003, 23004, 23005}},
    {24000, 24005, {}},
    {25000, 25019, {}},
    {26000, 26019, {26008, 26009, 26010, 26011, 26012, 26013, 26014, 26015, 26016, 26017}},
    {27000, 27021, {27002}},
    {28000, 28017, {}},
    {33000, 33005, {}},
    {35000, 35018, {}},
    {36000, 36000, {}},
    {37000, 37008, {}},
    {72000, 72035, {72013, 72014, 72015, 72016, 72017, 72018, 72019, 72027, 72028, 72029}},
};

// Texts written into the report data files or returned to the report layouts, where '#' ends a
// column and '$' and '&' stand for line feed and carriage return.
constexpr int kTextosDeInformes[] = {5, 6, 111, 112, 113, 140, 142, 165, 176, 177, 186, 187, 191};

// Display values of boolean fields, written true-text;false-text.
constexpr int kValoresLogicos[] = {35007, 35010, 35017, 35018};

struct Entrada {
    int numero;
    QString texto;
};

QString rutaInstalada() {
    return carpetaFuentes() + QStringLiteral("/installation/idioma.lng");
}

QByteArray leerInstalado() {
    QFile archivo(rutaInstalada());
    if (!archivo.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << rutaInstalada().toStdString();
        return {};
    }
    return archivo.readAll();
}

// The entries in file order; a line that is not a number, one separator and a text is a failure.
std::vector<Entrada> entradas(const QByteArray& bytes) {
    std::vector<Entrada> resultado;
    const QStringList lineas = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QString& linea = lineas[i];
        if (linea.isEmpty() && i == lineas.size() - 1) break;
        qsizetype fin = 0;
        while (fin < linea.size() && linea[fin].unicode() > 32) ++fin;
        bool esNumero = false;
        const int numero = linea.left(fin).toInt(&esNumero);
        if (!esNumero || fin + 1 >= linea.size()) {
            ADD_FAILURE() << "line " << i + 1 << " is not an entry with a text: " << linea.toStdString();
            continue;
        }
        resultado.push_back({numero, linea.mid(fin + 1)});
    }
    return resultado;
}

std::map<int, QString> porNumero(const std::vector<Entrada>& lista) {
    std::map<int, QString> mapa;
    for (const Entrada& e : lista) mapa.emplace(e.numero, e.texto);
    return mapa;
}

std::vector<int> numerosUsados() {
    std::vector<int> numeros(std::begin(kMensajes), std::end(kMensajes));
    for (const Bloque& b : kBloques) {
        for (int n = b.primero; n <= b.ultimo; ++n) {
            if (std::find(b.sinUso.begin(), b.sinUso.end(), n) == b.sinUso.end()) numeros.push_back(n);
        }
    }
    return numeros;
}

class IdiomaInstalado : public ::testing::Test {
protected:
    void SetUp() override {
        bytes_ = leerInstalado();
        lista_ = entradas(bytes_);
        textos_ = porNumero(lista_);
        ASSERT_FALSE(lista_.empty());
        idioma_.setIdiomaFile(rutaInstalada());
    }

    QByteArray bytes_;
    std::vector<Entrada> lista_;
    std::map<int, QString> textos_;
    TLanguage idioma_;
};

TEST_F(IdiomaInstalado, EsUtf8ConFinesDeLineaLfYNumerosEstrictamenteAscendentes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decodificado = utf8(bytes_);
    EXPECT_FALSE(utf8.hasError());
    EXPECT_FALSE(decodificado.isEmpty());
    EXPECT_FALSE(bytes_.startsWith("\xEF\xBB\xBF")) << "a byte order mark would spoil the first number";
    EXPECT_FALSE(bytes_.contains('\r'));
    EXPECT_TRUE(bytes_.endsWith('\n'));
    for (std::size_t i = 1; i < lista_.size(); ++i) {
        EXPECT_LT(lista_[i - 1].numero, lista_[i].numero) << "entry " << i + 1 << " of the file";
    }
    // Read as UTF-8, not as Windows-1252, by the language component itself.
    EXPECT_EQ(idioma_.TextoDesdeInicio(5), QString::fromUtf8("Sí"));
}

TEST_F(IdiomaInstalado, CadaTextoQueUsaElProgramaTieneSuEntrada) {
    for (int numero : numerosUsados()) {
        const auto encontrado = textos_.find(numero);
        ASSERT_NE(encontrado, textos_.end()) << "no entry for text " << numero;
        EXPECT_EQ(idioma_.TextoDesdeInicio(numero), encontrado->second) << "text " << numero;
    }
}

TEST_F(IdiomaInstalado, LaLecturaContinuadaDevuelveCadaEntradaComoEstaEscrita) {
    for (const Entrada& e : lista_) {
        EXPECT_EQ(idioma_.TextoContinuando(e.numero), e.texto) << "text " << e.numero;
    }
}

TEST_F(IdiomaInstalado, LasCarpetasDeCadaGrupoSeOrdenanAlumnosAccesoYSubgrupos) {
    // The class management tree sorts its three folders by text and then finds them by position.
    const QString alumnos = idioma_.TextoDesdeInicio(108);
    const QString acceso = idioma_.TextoDesdeInicio(124);
    const QString subgrupos = idioma_.TextoDesdeInicio(200);
    EXPECT_LT(alumnos, acceso);
    EXPECT_LT(acceso, subgrupos);
    EXPECT_LT(QString::localeAwareCompare(alumnos, acceso), 0);
    EXPECT_LT(QString::localeAwareCompare(acceso, subgrupos), 0);
}

TEST_F(IdiomaInstalado, LosTextosDeLosInformesNoLlevanCaracteresDeControlDeSusArchivos) {
    for (int numero : kTextosDeInformes) {
        const QString texto = idioma_.TextoDesdeInicio(numero);
        for (QChar reservado : {QLatin1Char('#'), QLatin1Char('$'), QLatin1Char('&')}) {
            EXPECT_FALSE(texto.contains(reservado)) << "text " << numero << ": " << texto.toStdString();
        }
        EXPECT_FALSE(texto.trimmed().isEmpty()) << "text " << numero;
    }
}

TEST_F(IdiomaInstalado, LosValoresDeLosCamposLogicosTienenVerdaderoYFalso) {
    for (int numero : kValoresLogicos) {
        const QStringList partes = idioma_.TextoDesdeInicio(numero).split(QLatin1Char(';'));
        ASSERT_EQ(partes.size(), 2) << "text " << numero;
        EXPECT_FALSE(partes[0].isEmpty()) << "text " << numero;
        EXPECT_FALSE(partes[1].isEmpty()) << "text " << numero;
    }
}

}  // namespace
