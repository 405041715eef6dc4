// The formula evaluator on any text: compiled with a few variables under
// either decimal separator and evaluated; arithmetic failures raise
// EMathError by design.
#include <vector>

#include "fuzz_support.h"
#include "model/formula.h"
#include "platform/exceptions.h"
#include "platform/sysutils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text = input_text(data, size);
    // The first byte chooses the decimal separator.
    decimal_separator = !text.empty() && (text.front() & 1) ? ',' : '.';
    if (!text.empty()) text.remove_prefix(1);
    TCalcExpress ce(nullptr);
    ce.SetVariables({"a", "x_1", "\xb3\xb9"});
    ce.SetFormula(text);
    for (const std::vector<long double>& values :
         {std::vector<long double>{1.5L, -2, 0}, std::vector<long double>{0, 1e300L, -1e-300L}, {}}) {
        try {
            ce.evaluate(values);
        } catch (const EMathError&) {
        }
    }
    reset_runtime_settings();
    return 0;
}
