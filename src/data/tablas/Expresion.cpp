#include "Expresion.h"

#include "Valores.h"

namespace tablas {

struct Nodo {
    enum Clase { Campo, Constante, Comparacion, Y, O, No, EsNulo } clase;
    QString nombre;  // Campo
    int columna = -1;
    TFieldType tipo = ftUnknown;  // Campo: the column's; Constante: after binding
    QVariant valor;               // Constante
    QString operador;             // Comparacion
    bool negado = false;          // EsNulo: "is not null"
    std::unique_ptr<Nodo> a, b;
};

namespace {

struct Token {
    enum Tipo { Fin, Nombre, Numero, Cadena, Operador, AbreP, CierraP } tipo = Fin;
    QString texto;
};

class Analizador {
public:
    explicit Analizador(const QString& texto) : t_(texto) { Avanzar(); }

    std::unique_ptr<Nodo> Expresion() {
        auto n = Y();
        while (EsPalabra("or")) {
            Avanzar();
            n = Unir(Nodo::O, std::move(n), Y());
        }
        return n;
    }

    void EsperarFin() {
        if (actual_.tipo != Token::Fin) Error();
    }
    bool EsPalabra(const char* palabra) const {
        return actual_.tipo == Token::Nombre && actual_.texto.compare(palabra, Qt::CaseInsensitive) == 0;
    }
    const Token& actual() const { return actual_; }
    void Avanzar() { actual_ = Siguiente(); }
    void Esperar(Token::Tipo tipo) {
        if (actual_.tipo != tipo) Error();
        Avanzar();
    }
    [[noreturn]] void Error() const {
        throw EDatabaseError(QString("Invalid filter expression: '%1'").arg(t_));
    }

private:
    static std::unique_ptr<Nodo> Unir(Nodo::Clase clase, std::unique_ptr<Nodo> a, std::unique_ptr<Nodo> b) {
        auto n = std::make_unique<Nodo>();
        n->clase = clase;
        n->a = std::move(a);
        n->b = std::move(b);
        return n;
    }

    std::unique_ptr<Nodo> Y() {
        auto n = No();
        while (EsPalabra("and")) {
            Avanzar();
            n = Unir(Nodo::Y, std::move(n), No());
        }
        return n;
    }

    std::unique_ptr<Nodo> No() {
        if (EsPalabra("not")) {
            Avanzar();
            return Unir(Nodo::No, No(), nullptr);
        }
        return Comparacion();
    }

    std::unique_ptr<Nodo> Comparacion() {
        auto izquierda = Operando();
        if (actual_.tipo == Token::Operador) {
            const QString op = actual_.texto;
            Avanzar();
            auto n = Unir(Nodo::Comparacion, std::move(izquierda), Operando());
            n->operador = op;
            return n;
        }
        if (EsPalabra("is")) {
            Avanzar();
            bool negado = false;
            if (EsPalabra("not")) {
                negado = true;
                Avanzar();
            }
            if (!EsPalabra("null")) Error();
            Avanzar();
            auto n = Unir(Nodo::EsNulo, std::move(izquierda), nullptr);
            n->negado = negado;
            return n;
        }
        return izquierda;
    }

    std::unique_ptr<Nodo> Operando() {
        auto n = std::make_unique<Nodo>();
        switch (actual_.tipo) {
            case Token::AbreP: {
                Avanzar();
                auto dentro = Expresion();
                Esperar(Token::CierraP);
                return dentro;
            }
            case Token::Numero: {
                n->clase = Nodo::Constante;
                bool entero = false;
                const qlonglong v = actual_.texto.toLongLong(&entero);
                n->valor = entero && v >= INT32_MIN && v <= INT32_MAX ? QVariant(static_cast<int>(v))
                                                                      : QVariant(actual_.texto.toDouble());
                break;
            }
            case Token::Cadena:
                n->clase = Nodo::Constante;
                n->valor = QVariant(actual_.texto);
                break;
            case Token::Nombre:
                if (EsPalabra("true") || EsPalabra("false")) {
                    n->clase = Nodo::Constante;
                    n->valor = QVariant(EsPalabra("true"));
                } else if (EsPalabra("null")) {
                    n->clase = Nodo::Constante;
                } else if (EsPalabra("and") || EsPalabra("or") || EsPalabra("not") || EsPalabra("is")) {
                    Error();
                } else {
                    n->clase = Nodo::Campo;
                    n->nombre = actual_.texto;
                }
                break;
            default:
                Error();
        }
        Avanzar();
        return n;
    }

    Token Siguiente() {
        while (i_ < t_.size() && t_[i_].isSpace()) ++i_;
        Token k;
        if (i_ >= t_.size()) return k;
        const QChar c = t_[i_];
        if (c == '(' || c == ')') {
            k.tipo = c == '(' ? Token::AbreP : Token::CierraP;
            k.texto = c;
            ++i_;
        } else if (c == '\'' || c == '"') {
            k.tipo = Token::Cadena;
            ++i_;
            for (;;) {
                if (i_ >= t_.size()) Error();
                if (t_[i_] == c) {
                    if (i_ + 1 < t_.size() && t_[i_ + 1] == c) {
                        k.texto += c;
                        i_ += 2;
                        continue;
                    }
                    ++i_;
                    break;
                }
                k.texto += t_[i_++];
            }
        } else if (c == '[') {
            const qsizetype fin = t_.indexOf(']', i_);
            if (fin < 0) Error();
            k.tipo = Token::Nombre;
            k.texto = t_.mid(i_ + 1, fin - i_ - 1);
            i_ = fin + 1;
        } else if (c.isDigit() || (c == '-' && i_ + 1 < t_.size() && t_[i_ + 1].isDigit() && Operando_())) {
            k.tipo = Token::Numero;
            const qsizetype inicio = i_++;
            while (i_ < t_.size() && (t_[i_].isDigit() || t_[i_] == '.')) ++i_;
            k.texto = t_.mid(inicio, i_ - inicio);
        } else if (c.isLetter() || c == '_') {
            k.tipo = Token::Nombre;
            const qsizetype inicio = i_;
            while (i_ < t_.size() && (t_[i_].isLetterOrNumber() || t_[i_] == '_')) ++i_;
            k.texto = t_.mid(inicio, i_ - inicio);
        } else if (c == '=' || c == '<' || c == '>') {
            k.tipo = Token::Operador;
            k.texto = c;
            ++i_;
            if (i_ < t_.size() && (t_[i_] == '=' || (c == '<' && t_[i_] == '>'))) k.texto += t_[i_++];
        } else {
            Error();
        }
        previo_ = k.tipo;
        return k;
    }

    // A minus sign starts a number where an operand is expected.
    bool Operando_() const {
        return previo_ == Token::Operador || previo_ == Token::AbreP || previo_ == Token::Fin ||
               (previo_ == Token::Nombre && actual_.tipo == Token::Nombre &&
                (EsPalabra("and") || EsPalabra("or") || EsPalabra("not")));
    }

    QString t_;
    qsizetype i_ = 0;
    Token actual_;
    Token::Tipo previo_ = Token::Fin;
};

void VincularNodo(Nodo* n, const std::vector<TFieldDef>& columnas, const QString& texto) {
    if (!n) return;
    if (n->clase == Nodo::Campo) {
        for (size_t i = 0; i < columnas.size(); ++i)
            if (columnas[i].Name.compare(n->nombre, Qt::CaseInsensitive) == 0) {
                n->columna = static_cast<int>(i);
                n->tipo = columnas[i].DataType;
                return;
            }
        throw EDatabaseError(QString("Field '%1' not found in expression '%2'").arg(n->nombre, texto));
    }
    VincularNodo(n->a.get(), columnas, texto);
    VincularNodo(n->b.get(), columnas, texto);
    if (n->clase != Nodo::Comparacion) return;
    // A constant compared with a field takes the field's type ("= -1" on a boolean is true).
    Nodo* campo =
        n->a->clase == Nodo::Campo ? n->a.get() : (n->b->clase == Nodo::Campo ? n->b.get() : nullptr);
    Nodo* constante =
        n->a->clase == Nodo::Constante ? n->a.get() : (n->b->clase == Nodo::Constante ? n->b.get() : nullptr);
    if (campo && constante) {
        bool valido = true;
        const QVariant v = ConvertirSinError(constante->valor, campo->tipo, valido);
        if (!valido) throw EDatabaseError(QString("Type mismatch in expression '%1'").arg(texto));
        // An empty string constant stays comparable with a Null text field.
        if (!(EsTexto(campo->tipo) && !v.isValid())) constante->valor = v;
        constante->tipo = campo->tipo;
    }
}

TFieldType TipoNodo(const Nodo* n) {
    if (n->clase == Nodo::Campo) return n->tipo;
    if (n->clase == Nodo::Constante) {
        if (n->tipo != ftUnknown) return n->tipo;
        switch (n->valor.typeId()) {
            case QMetaType::Int:
                return ftInteger;
            case QMetaType::Double:
                return ftFloat;
            case QMetaType::Bool:
                return ftBoolean;
            default:
                return ftString;
        }
    }
    return ftBoolean;
}

QVariant Evaluar(const Nodo* n, const std::vector<QVariant>& fila);

bool Verdadero(const Nodo* n, const std::vector<QVariant>& fila) {
    const QVariant v = Evaluar(n, fila);
    return v.isValid() && v.toBool();
}

bool Comparar(const Nodo* n, const std::vector<QVariant>& fila) {
    QVariant x = Evaluar(n->a.get(), fila), y = Evaluar(n->b.get(), fila);
    const TFieldType tipo = n->a->clase == Nodo::Campo   ? n->a->tipo
                            : n->b->clase == Nodo::Campo ? n->b->tipo
                                                         : TipoNodo(n->a.get());
    if (EsTexto(tipo)) {
        // Empty text and Null are the same value for a text field.
        if (!x.isValid()) x = QString();
        if (!y.isValid()) y = QString();
    } else if (!x.isValid() || !y.isValid()) {
        return false;
    }
    const int c = tablas::Comparar(x, y, tipo);
    const QString& op = n->operador;
    if (op == "=") return c == 0;
    if (op == "<>") return c != 0;
    if (op == "<") return c < 0;
    if (op == ">") return c > 0;
    if (op == "<=") return c <= 0;
    return c >= 0;
}

QVariant Evaluar(const Nodo* n, const std::vector<QVariant>& fila) {
    switch (n->clase) {
        case Nodo::Campo:
            return fila[n->columna];
        case Nodo::Constante:
            return n->valor;
        case Nodo::Comparacion:
            return Comparar(n, fila);
        case Nodo::Y:
            return Verdadero(n->a.get(), fila) && Verdadero(n->b.get(), fila);
        case Nodo::O:
            return Verdadero(n->a.get(), fila) || Verdadero(n->b.get(), fila);
        case Nodo::No:
            return !Verdadero(n->a.get(), fila);
        case Nodo::EsNulo:
            return Evaluar(n->a.get(), fila).isValid() == n->negado;
    }
    return {};
}

}  // namespace

Expresion::~Expresion() = default;

std::shared_ptr<Expresion> Expresion::Filtro(const QString& texto) {
    std::shared_ptr<Expresion> e(new Expresion);
    e->texto_ = texto;
    Analizador a(texto);
    e->raiz_ = a.Expresion();
    a.EsperarFin();
    return e;
}

std::shared_ptr<Expresion> Expresion::Agregado(const QString& texto) {
    std::shared_ptr<Expresion> e(new Expresion);
    e->texto_ = texto;
    Analizador a(texto);
    static const std::pair<const char*, Funcion> funciones[] = {{"count", Funcion::Count},
                                                                {"max", Funcion::Max},
                                                                {"min", Funcion::Min},
                                                                {"sum", Funcion::Sum},
                                                                {"avg", Funcion::Avg}};
    for (const auto& [nombre, funcion] : funciones)
        if (a.EsPalabra(nombre)) e->funcion_ = funcion;
    if (e->funcion_ == Funcion::Ninguna)
        throw EDatabaseError(QString("Invalid aggregate expression: '%1'").arg(texto));
    a.Avanzar();
    try {
        a.Esperar(Token::AbreP);
        e->raiz_ = a.Expresion();
        a.Esperar(Token::CierraP);
        a.EsperarFin();
    } catch (const EDatabaseError&) {
        throw EDatabaseError(QString("Invalid aggregate expression: '%1'").arg(texto));
    }
    return e;
}

void Expresion::Vincular(const std::vector<TFieldDef>& columnas) {
    VincularNodo(raiz_.get(), columnas, texto_);
}

bool Expresion::Cumple(const std::vector<QVariant>& fila) const {
    return Verdadero(raiz_.get(), fila);
}

QVariant Expresion::Valor(const std::vector<QVariant>& fila) const {
    return Evaluar(raiz_.get(), fila);
}

TFieldType Expresion::TipoResultado() const {
    return TipoNodo(raiz_.get());
}

QVariant Agregar(const Expresion& e, const std::vector<const std::vector<QVariant>*>& filas) {
    if (filas.empty()) return {};
    const TFieldType tipo = e.TipoResultado();
    int cuenta = 0;
    QVariant extremo;
    double suma = 0;
    for (const auto* fila : filas) {
        const QVariant v = e.Valor(*fila);
        if (!v.isValid()) continue;
        ++cuenta;
        switch (e.funcion()) {
            case Expresion::Funcion::Max:
                if (!extremo.isValid() || tablas::Comparar(v, extremo, tipo) > 0) extremo = v;
                break;
            case Expresion::Funcion::Min:
                if (!extremo.isValid() || tablas::Comparar(v, extremo, tipo) < 0) extremo = v;
                break;
            case Expresion::Funcion::Sum:
            case Expresion::Funcion::Avg:
                suma += v.toDouble();
                break;
            default:
                break;
        }
    }
    switch (e.funcion()) {
        case Expresion::Funcion::Count:
            return cuenta;
        case Expresion::Funcion::Sum:
            if (cuenta == 0) return {};
            return tipo == ftInteger ? QVariant(static_cast<int>(suma)) : QVariant(suma);
        case Expresion::Funcion::Avg:
            return cuenta ? QVariant(suma / cuenta) : QVariant();
        default:
            return extremo;
    }
}

}  // namespace tablas
