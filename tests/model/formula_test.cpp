#include "model/formula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/sysutils.h"

namespace {

using LD = long double;

const LD kPi = std::numbers::pi_v<LD>;
const LD kE = std::numbers::e_v<LD>;

struct ValueCase {
    const char* formula;
    std::vector<std::string> variables;
    std::vector<LD> values;
    LD expected;
};

// The callers pass 101 values; the listed ones come first.
std::vector<LD> caller_values(const std::vector<LD>& listed) {
    std::vector<LD> v(101, 0.0L);
    for (size_t i = 0; i < listed.size(); ++i) v[i] = listed[i];
    return v;
}

std::string error_of(const TCalcExpress& ce, const std::vector<LD>& values) {
    try {
        const LD v = ce.evaluate(values);
        return "no error, value " + std::to_string(static_cast<double>(v));
    } catch (const EMathError& e) {
        return e.Message();
    }
}

TCalcExpress& with(TCalcExpress& ce, const char* formula, const std::vector<std::string>& variables) {
    ce.SetVariables(variables);
    ce.SetFormula(formula);
    return ce;
}

}  // namespace

TEST(TCalcExpressTest, StartsAsComponentWithFormulaZero) {
    TComponent owner(nullptr);
    auto* ce = new TCalcExpress(&owner);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), ce);
    EXPECT_STREQ(ce->ClassName(), "TCalcExpress");
    EXPECT_EQ(ce->Formula(), "0");
    EXPECT_TRUE(ce->Variables().empty());
    ASSERT_TRUE(ce->Compiled());
    EXPECT_EQ(ce->evaluate(caller_values({})), 0.0L);
    // The owner frees it (ASan reports a leak otherwise).
}

TEST(TCalcExpressTest, EvaluatesGrammarFunctionsAndVariables) {
    decimal_separator = '.';
    const std::vector<std::string> ab = {"a", "b"};
    const std::vector<std::string> x = {"x"};
    const std::vector<ValueCase> cases = {
        // Precedence and associativity.
        {"2+3*4", {}, {}, 14},
        {"(2+3)*4", {}, {}, 20},
        {"10-4-3", {}, {}, 3},
        {"64/8/2", {}, {}, 4},
        {"2*3/4*2", {}, {}, 3},
        {"2^3^2", {}, {}, 64},
        {"2*3^2", {}, {}, 18},
        {"1+2*3^2-4/2", {}, {}, 17},
        {"  3 *  4 ", {}, {}, 12},
        {"((((7))))", {}, {}, 7},
        // Signs: a "-" before a digit at the start or after "(" is part of
        // the number; otherwise it negates the whole term.
        {"-2^2", {}, {}, 4},
        {"- 2^2", {}, {}, -4},
        {"-(2)^2", {}, {}, -4},
        {"(-2)^2", {}, {}, 4},
        {"-(a)^2", {"a"}, {3}, -9},
        {"-a ^2", {"a"}, {3}, -9},
        {"-(2+3)*2", {}, {}, -10},
        {"-a*b+1", ab, {2, 3}, -5},
        {"-+2", {}, {}, -2},
        {"+2", {}, {}, 2},
        {"(+3)", {}, {}, 3},
        {"(-3)*2", {}, {}, -6},
        {"1-2", {}, {}, -1},
        {"1 -2", {}, {}, -1},
        {"(1)-2", {}, {}, -1},
        {"5-(-2)", {}, {}, 7},
        // Exponent forms.
        {"2^(-1)", {}, {}, 0.5L},
        {"2^0.5", {}, {}, std::sqrt(2.0L)},
        {"4^(0.5)", {}, {}, 2},
        {"2^x", x, {10}, 1024},
        {"2^(x)", x, {3}, 8},
        {"(x)^2", x, {3}, 9},
        {"(1+1)^3", {}, {}, 8},
        {"cos(0)^2+sqrt(16)^(2)", {}, {}, 17},
        {"(-8)^3", {}, {}, -512},
        {"(-2)^(-2)", {}, {}, 0.25L},
        {"0^0", {}, {}, 1},
        {"0^2", {}, {}, 0},
        // A caret right after a name belongs to the name.
        {"x^2", {"x^2"}, {7}, 7},
        // Numbers.
        {"1e-3", {}, {}, 0.001L},
        {"1E3", {}, {}, 1000},
        {"2.5e+1", {}, {}, 25},
        {"-1.5e2*2", {}, {}, -300},
        {"0.125", {}, {}, 0.125L},
        // Extended range: the intermediate 1e600 is not an overflow.
        {"1e300*1e300/1e300", {}, {}, static_cast<LD>(1e300)},
        // Functions.
        {"cos(0)", {}, {}, 1},
        {"COS(0)", {}, {}, 1},
        {"sin(1)", {}, {}, std::sin(1.0L)},
        {"tg(1)", {}, {}, std::tan(1.0L)},
        {"ctg(1)", {}, {}, 1 / std::tan(1.0L)},
        {"abs(-2.5)", {}, {}, 2.5L},
        {"abs(2.5)", {}, {}, 2.5L},
        {"sgn(-3)", {}, {}, -1},
        {"sgn(0)", {}, {}, 0},
        {"sign(0.001)", {}, {}, 1},
        {"sqrt(16)", {}, {}, 4},
        {"ln(1)", {}, {}, 0},
        {"ln(10)", {}, {}, std::log(10.0L)},
        {"exp(1)", {}, {}, kE},
        {"arcsin(1)", {}, {}, kPi / 2},
        {"arccos(-1)", {}, {}, kPi},
        {"arctg(1)*4", {}, {}, kPi},
        {"arcctg(0)", {}, {}, kPi / 2},
        {"arcctg(-1)", {}, {}, 3 * kPi / 4},
        {"sh(1)", {}, {}, (kE - 1 / kE) / 2},
        {"ch(1)", {}, {}, (kE + 1 / kE) / 2},
        {"th(1)", {}, {}, std::tanh(1.0L)},
        {"cth(1)", {}, {}, 1 / std::tanh(1.0L)},
        {"sh(0)+ch(0)+th(0)", {}, {}, 1},
        {"heaviside(0)", {}, {}, 1},
        {"h(0)", {}, {}, 1},
        {"h(-0.5)", {}, {}, 0},
        {"heaviside(2)", {}, {}, 1},
        {"sqrt(abs(-16))+cos(-0)", {}, {}, 5},
        {"cos(sin(0)*2)-h(-(1))", {}, {}, 1},
        {"sqrt(-1+ 10)", {}, {}, 3},
        // Variables, looked up without regard to case.
        {"a*b+dl", {"a", "b", "dl"}, {2, 3, 10}, 16},
        {"b-a", ab, {2, 3}, 1},
        {"A/B", ab, {3, 4}, 0.75L},
        {"dlugosc*2", {"DLUGOSC"}, {1.5L}, 3},
        {"x_1+x2", {"x2", "x_1"}, {1, 100}, 101},
        {"ab", {"a", "ab"}, {1, 2}, 2},
        {"sin(x)^2+cos(x)^2", x, {0.7L}, 1},
    };
    TCalcExpress ce(nullptr);
    for (const auto& c : cases) {
        with(ce, c.formula, c.variables);
        ASSERT_TRUE(ce.Compiled()) << c.formula;
        const LD got = ce.evaluate(caller_values(c.values));
        const LD tolerance = 1e-17L * std::max<LD>(1, std::fabs(c.expected));
        EXPECT_LE(std::fabs(got - c.expected), tolerance)
            << c.formula << " gave " << static_cast<double>(got) << ", expected " << static_cast<double>(c.expected);
    }
}

TEST(TCalcExpressTest, FormulaIsStoredLowerCased) {
    TCalcExpress ce(nullptr);
    ce.SetFormula("SQRT(X)+Cos(0)");
    EXPECT_EQ(ce.Formula(), "sqrt(x)+cos(0)");
    EXPECT_FALSE(ce.Compiled());  // x is not listed
    ce.SetVariables({"X"});
    ASSERT_TRUE(ce.Compiled());
    EXPECT_EQ(ce.evaluate(caller_values({9})), 4.0L);
    // Only ASCII letters are lowered.
    ce.SetFormula("\x8C" "A");
    EXPECT_EQ(ce.Formula(), "\x8C" "a");
}

TEST(TCalcExpressTest, RejectsFormulasThatDoNotCompile) {
    decimal_separator = '.';
    struct Case {
        const char* formula;
        std::vector<std::string> variables;
    };
    const std::vector<Case> cases = {
        {"(1+2", {}},
        {"1+2)", {}},
        {"(1))+(2", {}},
        {"cos(0))", {}},
        {"sin(1", {}},
        {"1 2", {}},
        {"(1)(2)", {}},
        {"2(3)", {}},
        {"1e", {}},
        {"1e+", {}},
        {"2exp(1)", {}},
        {"1.", {}},
        {"1..2", {}},
        {".5", {}},
        {"2^-1", {}},
        {"2^(1+1)", {}},
        {"2^cos(0)", {}},
        {"2^(3", {}},
        {"2^", {}},
        {"foo+1", {}},
        {"x^2", {"x"}},
        {"a+b", {"a"}},
        {"2*-3", {}},
        {"1+-2", {}},
        {"+-2", {}},
        {"--2", {}},
        {"", {}},
        {"   ", {}},
        {"()", {}},
        {"cos 0", {}},
        {"cos", {}},
        {"1+", {}},
        {"*2", {}},
        {"1$", {}},
        {"1+$2", {}},
        {"1 % 2", {}},
    };
    TCalcExpress ce(nullptr);
    for (const auto& c : cases) {
        with(ce, "1", c.variables);
        ASSERT_TRUE(ce.Compiled());
        ce.SetFormula(c.formula);
        EXPECT_FALSE(ce.Compiled()) << '"' << c.formula << '"';
        EXPECT_EQ(ce.Formula(), c.formula);
        EXPECT_EQ(error_of(ce, caller_values({1, 2})), "Invalid formula") << c.formula;
    }
}

TEST(TCalcExpressTest, AssigningVariablesRecompiles) {
    TCalcExpress ce(nullptr);
    ce.SetFormula("a*2+b");
    EXPECT_FALSE(ce.Compiled());
    std::vector<std::string> names = {"b", "a"};
    ce.SetVariables(names);
    names.clear();  // the component keeps its own copy
    ASSERT_EQ(ce.Variables(), (std::vector<std::string>{"b", "a"}));
    ASSERT_TRUE(ce.Compiled());
    EXPECT_EQ(ce.evaluate(caller_values({1, 10})), 21.0L);
    ce.SetVariables({"a"});
    EXPECT_FALSE(ce.Compiled());
    ce.SetVariables({});
    ce.SetFormula("3");
    EXPECT_EQ(ce.evaluate(caller_values({})), 3.0L);
}

TEST(TCalcExpressTest, NumbersUseTheDecimalSeparator) {
    struct Case {
        char separator;
        const char* formula;
        bool compiles;
        LD expected;
    };
    const std::vector<Case> cases = {
        {',', "1.5", false, 0},
        {',', "1,5", true, 1.5L},
        {',', "-1,5e1+1", true, -14},
        {',', "sqrt(2,25)", true, 1.5L},
        {',', "1,", false, 0},
        {'.', "1,5", false, 0},
        {'.', "1.5", true, 1.5L},
        {'.', "(-0.25)*4", true, -1},
    };
    TCalcExpress ce(nullptr);
    for (const auto& c : cases) {
        decimal_separator = c.separator;
        ce.SetFormula(c.formula);
        EXPECT_EQ(ce.Compiled(), c.compiles) << c.formula << " with '" << c.separator << "'";
        if (ce.Compiled() && c.compiles) {
            EXPECT_EQ(ce.evaluate(caller_values({})), c.expected) << c.formula;
        }
    }
}

TEST(TCalcExpressTest, ArithmeticFailuresRaiseMathErrors) {
    decimal_separator = '.';
    const std::string zero = "Floating point division by zero";
    const std::string invalid = "Invalid floating point operation";
    const std::string overflow = "Floating point overflow";
    const LD nan = std::numeric_limits<LD>::quiet_NaN();
    const LD inf = std::numeric_limits<LD>::infinity();
    struct Case {
        const char* formula;
        std::vector<std::string> variables;
        std::vector<LD> values;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"1/0", {}, {}, zero},
        {"1/(2-2)", {}, {}, zero},
        {"0/0", {}, {}, zero},
        {"a/b", {"a", "b"}, {1, 0}, zero},
        {"ctg(0)", {}, {}, zero},
        {"cth(0)", {}, {}, zero},
        {"sqrt(-1)", {}, {}, invalid},
        {"ln(0)", {}, {}, invalid},
        {"ln(-2)", {}, {}, invalid},
        {"arcsin(2)", {}, {}, invalid},
        {"arccos(-1.5)", {}, {}, invalid},
        {"(-8)^(0.5)", {}, {}, invalid},
        {"(-8)^0.5", {}, {}, invalid},
        {"(a)^(b)", {"a", "b"}, {-8, 1.0L / 3}, invalid},
        {"0^(-1)", {}, {}, invalid},
        {"(a)^b", {"a", "b"}, {0, -2}, invalid},
        {"exp(100000)", {}, {}, overflow},
        {"sh(100000)", {}, {}, overflow},
        {"ch(-100000)", {}, {}, overflow},
        {"th(100000)", {}, {}, overflow},
        {"10^4000*10^4000", {}, {}, overflow},
        {"(1e300*1e300)^9", {}, {}, overflow},
        {"1e400", {}, {}, overflow},
        {"a+1", {"a"}, {nan}, invalid},
        {"a*0", {"a"}, {inf}, overflow},
        // A later failure still raises after an earlier step succeeded.
        {"1+2*sqrt(-4)", {}, {}, invalid},
        {"(1", {}, {}, "Invalid formula"},
    };
    TCalcExpress ce(nullptr);
    for (const auto& c : cases) {
        with(ce, c.formula, c.variables);
        EXPECT_EQ(error_of(ce, caller_values(c.values)), c.message) << c.formula;
    }
}

TEST(TCalcExpressTest, VariableBeyondTheValuesRaises) {
    TCalcExpress ce(nullptr);
    with(ce, "b+1", {"a", "b"});
    ASSERT_TRUE(ce.Compiled());
    EXPECT_EQ(error_of(ce, {5}), "Invalid floating point operation");
    EXPECT_EQ(ce.evaluate(std::vector<LD>{5, 6}), 7.0L);
}

TEST(TCalcExpressTest, NestingDeeperThanTheLimitDoesNotCompile) {
    // Parentheses and function calls one inside the other: up to the limit
    // they compile and evaluate, beyond it (and far beyond, where the machine
    // stack would run out) the formula does not compile.
    decimal_separator = '.';
    const auto nested = [](int levels, const std::string& open, const std::string& inner) {
        std::string f;
        for (int i = 0; i < levels; ++i) f += open;
        f += inner;
        f.append(static_cast<size_t>(levels), ')');
        return f;
    };
    const int limit = TCalcExpress::kMaxNesting;
    struct Case {
        std::string formula;
        bool compiles;
        LD expected;
    };
    const std::vector<Case> cases = {
        {nested(limit - 1, "(", "-2"), true, -2},
        {nested(limit - 1, "abs(", "-2"), true, 2},
        {nested(limit - 1, "(-", "2"), true, (limit - 1) % 2 ? -2 : 2},
        {nested(limit, "(", "-2"), false, 0},
        {nested(limit, "sgn(", "-2"), false, 0},
        {nested(7000, "(", "1"), false, 0},
        {nested(100000, "cos(", "1"), false, 0},
        {std::string(100000, '(') + "1", false, 0},
    };
    TCalcExpress ce(nullptr);
    for (const auto& c : cases) {
        ce.SetFormula(c.formula);
        EXPECT_EQ(ce.Compiled(), c.compiles) << c.formula.size() << " characters";
        EXPECT_EQ(error_of(ce, {}), c.compiles ? "no error, value " + std::to_string(static_cast<double>(c.expected))
                                               : "Invalid formula");
    }
}

TEST(TCalcExpressTest, LongChainsEvaluateAndAreFreed) {
    // A flat chain of tens of thousands of terms compiles, evaluates in the
    // order written and is freed without exhausting the machine stack.
    decimal_separator = '.';
    const auto chain = [](const std::string& first, const std::string& next, int count) {
        std::string f = first;
        for (int i = 1; i < count; ++i) f += next;
        return f;
    };
    struct Case {
        std::string formula;
        LD expected;
    };
    const int n = 60000;
    const std::vector<Case> cases = {
        {chain("1", "+1", n), n},
        {chain("a", "-a+a", n), 1.5L},
        {chain("(a)", "^1", n), 1.5L},  // "a^1" would be one name
        {chain("-a", "*1+a*a*2", n), -1.5L + (n - 1) * 4.5L},
    };
    for (const auto& c : cases) {
        auto ce = std::make_unique<TCalcExpress>(nullptr);
        with(*ce, c.formula.c_str(), {"a"});
        ASSERT_TRUE(ce->Compiled()) << c.formula.substr(0, 20);
        EXPECT_EQ(ce->evaluate(caller_values({1.5L})), c.expected) << c.formula.substr(0, 20);
        ce.reset();
    }
    // A failure deep in a long chain still raises.
    TCalcExpress ce(nullptr);
    ce.SetFormula(chain("1", "+1", n) + "/0");
    EXPECT_EQ(error_of(ce, {}), "Floating point division by zero");
}
