// TCalcExpress: an arithmetic formula compiled once and evaluated for given
// variable values.
//
// The formula is stored lower-cased and compiled when it is assigned; a text
// that does not compile (a syntax error, or parentheses and function calls
// nested more than kMaxNesting deep) leaves nothing to evaluate, and
// evaluating it raises EMathError("Invalid formula"). Evaluation is in long
// double; arithmetic failures raise EMathError with the old runtime's messages ("Floating point
// division by zero", "Invalid floating point operation", "Floating point
// overflow").
//
// Grammar, loosest binding first:
//   expression = term { ("+" | "-") term }
//   term       = ["-"] ["+"] factor { ("*" | "/") factor }     (sign only at
//                the start or after "("; "-" negates the whole term)
//   factor     = (number | variable | function "(" expression ")" |
//                 "(" expression ")") { "^" power-operand }
//   power-operand = number | variable | "(" (number | variable) ")"
// "^" is left-associative. A "-" directly followed by a digit at the start or
// after "(" belongs to the number (-2^2 is 4). Names run over digits and the
// characters 0x41..0x7F, 0x80..0x9F and 0xBF, so "x^2" is one name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/component.h"

// Kinds of the scanner's tokens and of the compiled steps.
enum class TCalcToken : int32_t {
    End = 0,
    LeftParen = 1,
    RightParen = 2,
    Plus = 3,
    Minus = 4,
    Times = 5,
    Divide = 6,
    Number = 7,
    Variable = 8,
    Negate = 9,  // compiled steps only
    Cos = 10,
    Sin = 11,
    Tg = 12,
    Ctg = 13,
    Abs = 14,
    Sgn = 15,  // "sgn" and "sign"
    Sqrt = 16,
    Ln = 17,
    Exp = 18,
    ArcSin = 19,
    ArcCos = 20,
    ArcTg = 21,
    ArcCtg = 22,
    Sh = 23,
    Ch = 24,
    Th = 25,
    Cth = 26,
    Heaviside = 27,  // "heaviside" and "h"
    Power = 31,
};

class TCalcExpress : public TComponent {
public:
    // The deepest nesting of parentheses and function calls that compiles.
    static constexpr int kMaxNesting = 256;

    // Formula "0", no variables.
    explicit TCalcExpress(TComponent* owner);
    ~TCalcExpress() override;

    const char* ClassName() const override { return "TCalcExpress"; }

    // The formula, lower-cased (ASCII letters).
    const std::string& Formula() const { return formula_; }
    // Stores the text lower-cased and compiles it; never raises. A text that
    // does not compile leaves nothing to evaluate.
    void SetFormula(std::string_view text);

    const std::vector<std::string>& Variables() const { return variables_; }
    // Copies the names and compiles the formula again. A name in the formula
    // is looked up here without regard to Windows-1250 case; a name that is
    // neither listed nor a function word makes the formula not compile.
    void SetVariables(const std::vector<std::string>& names);

    // True when the formula compiled.
    bool Compiled() const { return !code_.empty(); }

    // The formula's value; values[i] is the value of Variables()[i]. Raises
    // EMathError("Invalid formula") when the formula did not compile, and
    // EMathError for a division by zero, an undefined operation (NaN) or an overflow
    // (an infinite result) in any step.
    long double evaluate(std::span<const long double> values) const;

private:
    // The compiled formula in postfix order: operands before their operator,
    // the left operand before the right. Evaluation runs the steps one after
    // another, in the order of a walk of the expression tree, with no
    // recursion however long the formula.
    struct Step {
        TCalcToken kind = TCalcToken::End;
        long double value = 0;  // the number's value
        int index = -1;         // the variable's index in Variables()
    };

    struct Compiler;
    void compile();

    std::string formula_;
    std::vector<std::string> variables_;
    std::vector<Step> code_;  // empty when the formula did not compile
    size_t stack_size_ = 0;   // the most values evaluation holds at once
};
