// Every test starts from the runtime's built-in settings, without a
// language file and with no cached ini file, whatever the test before it
// set; tests set the modes they depend on and never restore them by hand.
#include <gtest/gtest.h>

#include "model/drawing_palette.h"
#include "model/messages.h"
#include "platform/ini.h"
#include "platform/sysutils.h"

namespace {

class ResetRuntimeBeforeEachTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        reset_runtime_settings();
        language_file.clear();
        ini_cache_clear();
        reset_drawing_palette();
    }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetRuntimeBeforeEachTest);
    return true;
}();

}  // namespace
