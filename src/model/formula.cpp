#include "model/formula.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "platform/exceptions.h"
#include "platform/sysutils.h"

namespace {

const char* const kInvalidFormula = "Invalid formula";
const char* const kDivisionByZero = "Floating point division by zero";
const char* const kInvalidOperation = "Invalid floating point operation";
const char* const kOverflow = "Floating point overflow";
const long double kHuge = std::numeric_limits<long double>::infinity();

struct FunctionWord {
    const char* word;
    TCalcToken kind;
};

const FunctionWord kFunctions[] = {
    {"cos", TCalcToken::Cos},       {"sin", TCalcToken::Sin},
    {"tg", TCalcToken::Tg},         {"ctg", TCalcToken::Ctg},
    {"abs", TCalcToken::Abs},       {"sgn", TCalcToken::Sgn},
    {"sign", TCalcToken::Sgn},      {"sqrt", TCalcToken::Sqrt},
    {"ln", TCalcToken::Ln},         {"exp", TCalcToken::Exp},
    {"arcsin", TCalcToken::ArcSin}, {"arccos", TCalcToken::ArcCos},
    {"arctg", TCalcToken::ArcTg},   {"arcctg", TCalcToken::ArcCtg},
    {"sh", TCalcToken::Sh},         {"ch", TCalcToken::Ch},
    {"th", TCalcToken::Th},         {"cth", TCalcToken::Cth},
    {"heaviside", TCalcToken::Heaviside}, {"h", TCalcToken::Heaviside},
};

bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

bool is_name_start(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == 0xBF;
}

// Letters, and with them [ \ ] ^ _ ` { | } ~ DEL, some Windows-1250 letters
// and digits: "x^2" is one name.
bool is_name_char(unsigned char c) {
    return is_digit(c) || (c >= 0x41 && c <= 0x9F) || c == 0xBF;
}

bool is_function(TCalcToken t) {
    const auto k = static_cast<int32_t>(t);
    return k >= static_cast<int32_t>(TCalcToken::Cos) && k <= static_cast<int32_t>(TCalcToken::Heaviside);
}

// Every intermediate result passes here: NaN is an undefined operation,
// an infinity an overflow.
long double checked(long double x) {
    if (std::isnan(x)) throw EMathError(kInvalidOperation);
    if (std::isinf(x)) throw EMathError(kOverflow);
    return x;
}

long double quotient(long double a, long double b) {
    if (b == 0) throw EMathError(kDivisionByZero);
    return checked(a / b);
}

long double power(long double base, long double exponent) {
    if (exponent == 0) return 1;
    if (base == 0 && exponent < 0) throw EMathError(kInvalidOperation);
    if (base < 0 && std::trunc(exponent) != exponent) throw EMathError(kInvalidOperation);
    return checked(std::pow(base, exponent));
}

// A function or the negation applied to its operand.
long double apply(TCalcToken kind, long double x) {
    switch (kind) {
        case TCalcToken::Negate:
            return -x;
        case TCalcToken::Cos:
            return checked(std::cos(x));
        case TCalcToken::Sin:
            return checked(std::sin(x));
        case TCalcToken::Tg:
            return checked(std::tan(x));
        case TCalcToken::Ctg:
            return quotient(1, checked(std::tan(x)));
        case TCalcToken::Abs:
            return std::fabs(x);
        case TCalcToken::Sgn:
            return x > 0 ? 1 : (x < 0 ? -1 : 0);
        case TCalcToken::Sqrt:
            return checked(std::sqrt(x));
        case TCalcToken::Ln:
            if (x <= 0) throw EMathError(kInvalidOperation);
            return checked(std::log(x));
        case TCalcToken::Exp:
            return checked(std::exp(x));
        case TCalcToken::ArcSin:
            return checked(std::asin(x));
        case TCalcToken::ArcCos:
            return checked(std::acos(x));
        case TCalcToken::ArcTg:
            return checked(std::atan(x));
        case TCalcToken::ArcCtg:
            return checked(std::numbers::pi_v<long double> / 2 - std::atan(x));
        case TCalcToken::Sh:
        case TCalcToken::Ch:
        case TCalcToken::Th:
        case TCalcToken::Cth: {
            const long double ep = checked(std::exp(x));
            const long double em = checked(std::exp(-x));
            const long double sum = checked(ep + em);
            const long double difference = checked(ep - em);
            switch (kind) {
                case TCalcToken::Sh: return checked(difference / 2);
                case TCalcToken::Ch: return checked(sum / 2);
                case TCalcToken::Th: return quotient(difference, sum);
                default: return quotient(sum, difference);
            }
        }
        case TCalcToken::Heaviside:
            return x >= 0 ? 1 : 0;
        default:
            // Token kinds that never make a step.
            throw EMathError(kInvalidFormula);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Compiler: scanner and recursive descent over the lower-cased formula,
// writing the steps in postfix order.

struct TCalcExpress::Compiler {
    // Raised inside the compiler only; "Wrong number." for a malformed
    // number, empty for a syntax error.
    struct Error {
        const char* message;
    };

    Compiler(const std::string& formula, const std::vector<std::string>& names)
        : s(formula), variables(names) {}

    const std::string& s;
    const std::vector<std::string>& variables;
    size_t pos = 0;
    TCalcToken token = TCalcToken::End;
    TCalcToken previous = TCalcToken::End;
    std::string text;
    int index = -1;  // of the current variable token
    int depth = 0;

    [[noreturn]] static void fail(const char* message = "") { throw Error{message}; }

    bool digit_at(size_t i) const { return i < s.size() && is_digit(static_cast<unsigned char>(s[i])); }

    void skip_digits() {
        while (digit_at(pos)) ++pos;
    }

    // Digits, then the decimal separator and digits, then "e", a sign and
    // digits. `start` is where the token began (at its "-" for a negative
    // number).
    void scan_number(size_t start) {
        skip_digits();
        if (pos < s.size() && s[pos] == decimal_separator) {
            ++pos;
            if (!digit_at(pos)) fail("Wrong number.");
            skip_digits();
        }
        if (pos < s.size() && s[pos] == 'e') {
            ++pos;
            if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
            if (!digit_at(pos)) fail("Wrong number.");
            skip_digits();
        }
        text = s.substr(start, pos - start);
    }

    TCalcToken scan_name() {
        const size_t start = pos;
        ++pos;
        while (pos < s.size() && is_name_char(static_cast<unsigned char>(s[pos]))) ++pos;
        text = s.substr(start, pos - start);
        for (const auto& f : kFunctions) {
            if (text == f.word) return f.kind;
        }
        index = -1;
        for (size_t i = 0; i < variables.size(); ++i) {
            if (AnsiSameText(variables[i], text)) {
                index = static_cast<int>(i);
                break;
            }
        }
        // A name with no value cannot be evaluated.
        if (index < 0) fail();
        return TCalcToken::Variable;
    }

    void next() {
        while (pos < s.size() && s[pos] == ' ') ++pos;
        TCalcToken kind = token;
        text.clear();
        if (pos >= s.size()) {
            kind = TCalcToken::End;
        } else {
            const auto c = static_cast<unsigned char>(s[pos]);
            switch (c) {
                case '(': kind = TCalcToken::LeftParen; ++pos; break;
                case ')': kind = TCalcToken::RightParen; ++pos; break;
                case '+': kind = TCalcToken::Plus; ++pos; break;
                case '*': kind = TCalcToken::Times; ++pos; break;
                case '/': kind = TCalcToken::Divide; ++pos; break;
                case '^': kind = TCalcToken::Power; ++pos; break;
                case '-':
                    if (digit_at(pos + 1) && (token == TCalcToken::End || token == TCalcToken::LeftParen)) {
                        const size_t start = pos;
                        ++pos;
                        scan_number(start);
                        kind = TCalcToken::Number;
                    } else {
                        kind = TCalcToken::Minus;
                        ++pos;
                    }
                    break;
                default:
                    if (is_digit(c)) {
                        scan_number(pos);
                        kind = TCalcToken::Number;
                    } else if (is_name_start(c)) {
                        kind = scan_name();
                    } else {
                        ++pos;  // kind unchanged, empty text
                    }
                    break;
            }
        }
        previous = token;
        token = kind;
    }

    // The compiled steps, and the number of values an evaluation holds after
    // the last step (`held`) and at most (`most`).
    std::vector<Step> code;
    size_t held = 0;
    size_t most = 0;
    int nesting = 0;  // expressions being compiled, one inside the other

    void emit(TCalcToken kind) {
        Step step;
        step.kind = kind;
        if (kind == TCalcToken::Plus || kind == TCalcToken::Minus || kind == TCalcToken::Times ||
            kind == TCalcToken::Divide || kind == TCalcToken::Power) {
            --held;  // two values make one
        }
        code.push_back(step);
    }

    // The current number or variable token as an operand.
    void leaf() {
        Step step;
        step.kind = token;
        if (token == TCalcToken::Variable) {
            step.index = index;
        } else {
            if (text.empty()) fail();
            double v = 0;
            // The scanner only lets well-formed numbers through, so a failed
            // conversion is a value beyond the double range: it raises the
            // overflow when evaluated.
            step.value = TryStrToFloat(text, v) ? static_cast<long double>(v)
                                                : (text[0] == '-' ? -kHuge : kHuge);
        }
        code.push_back(step);
        most = std::max(most, ++held);
    }

    void expression() {
        // Each level of parentheses or function call takes a few frames of
        // the machine stack here; a formula nested deeper does not compile.
        if (++nesting > kMaxNesting) fail("Formula too complex.");
        term();
        while (token != TCalcToken::End && token != TCalcToken::RightParen) {
            if (token != TCalcToken::Plus && token != TCalcToken::Minus) fail();
            const TCalcToken op = token;
            term();
            emit(op);
        }
        if (token == TCalcToken::RightParen) --depth;
        --nesting;
    }

    void term() {
        next();
        bool negate = false;
        if (previous == TCalcToken::End || previous == TCalcToken::LeftParen) {
            if (token == TCalcToken::Minus) {
                negate = true;
                next();
            }
            if (token == TCalcToken::Plus) next();
        }
        factor();
        while (token == TCalcToken::Times || token == TCalcToken::Divide) {
            const TCalcToken op = token;
            next();
            factor();
            emit(op);
        }
        if (negate) emit(TCalcToken::Negate);
    }

    void factor() {
        if (token == TCalcToken::LeftParen) {
            ++depth;
            expression();
        } else if (token == TCalcToken::Number || token == TCalcToken::Variable) {
            leaf();
        } else if (is_function(token)) {
            const TCalcToken fn = token;
            next();
            if (token != TCalcToken::LeftParen) fail();
            ++depth;
            expression();
            emit(fn);
        } else {
            fail();
        }
        next();
        while (token == TCalcToken::Power) {
            next();
            const bool parenthesised = token == TCalcToken::LeftParen;
            if (parenthesised) next();
            if (token != TCalcToken::Number && token != TCalcToken::Variable) fail();
            leaf();
            if (parenthesised) {
                next();
                if (token != TCalcToken::RightParen) fail();
            }
            emit(TCalcToken::Power);
            next();
        }
    }
};

// ---------------------------------------------------------------------------

TCalcExpress::TCalcExpress(TComponent* owner) : TComponent(owner) { SetFormula("0"); }

TCalcExpress::~TCalcExpress() = default;

void TCalcExpress::SetFormula(std::string_view text) {
    formula_ = LowerCase(text);
    compile();
}

void TCalcExpress::SetVariables(const std::vector<std::string>& names) {
    variables_ = names;
    compile();
}

void TCalcExpress::compile() {
    code_.clear();
    stack_size_ = 0;
    Compiler c(formula_, variables_);
    try {
        c.expression();
    } catch (const Compiler::Error&) {
        return;
    }
    if (c.depth != 0) return;
    code_ = std::move(c.code);
    stack_size_ = c.most;
}

long double TCalcExpress::evaluate(std::span<const long double> values) const {
    if (code_.empty()) throw EMathError(kInvalidFormula);
    std::vector<long double> stack;
    stack.reserve(stack_size_);
    // The operand of a function, or the right operand of a binary operator,
    // taken off the stack; the left operand stays on top to be replaced.
    const auto pop = [&stack]() {
        const long double x = stack.back();
        stack.pop_back();
        return x;
    };
    for (const Step& step : code_) {
        switch (step.kind) {
            case TCalcToken::Number:
                stack.push_back(checked(step.value));
                continue;
            case TCalcToken::Variable:
                if (step.index < 0 || static_cast<size_t>(step.index) >= values.size()) {
                    throw EMathError(kInvalidOperation);
                }
                stack.push_back(checked(values[static_cast<size_t>(step.index)]));
                continue;
            case TCalcToken::Plus:
            case TCalcToken::Minus:
            case TCalcToken::Times:
            case TCalcToken::Divide:
            case TCalcToken::Power: {
                const long double b = pop();
                long double& a = stack.back();
                switch (step.kind) {
                    case TCalcToken::Plus: a = checked(a + b); break;
                    case TCalcToken::Minus: a = checked(a - b); break;
                    case TCalcToken::Times: a = checked(a * b); break;
                    case TCalcToken::Divide: a = quotient(a, b); break;
                    default: a = power(a, b); break;
                }
                continue;
            }
            default:
                stack.back() = apply(step.kind, stack.back());
                continue;
        }
    }
    return stack.back();
}
