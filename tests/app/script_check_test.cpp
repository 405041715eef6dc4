#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/fixture.h"

namespace {

// A program test of its own, run inside the checks below.
struct ScriptedProgram : ProgramTest {
    void TestBody() override {}
    void leave_an_answer() { ui().answer(IDYES); }
    void leave_a_responder() { ui().on_modal("Ttopcje", [](TForm&) {}); }
    void mean_it() { allow_unused_script(); }
};

TEST(ProgramTestScript, AnAnswerTheProgramNeverAskedForFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedProgram t;
            t.leave_an_answer();
            t.leave_a_responder();
        },
        "scripted but never used: 1 question answer, 1 modal responder (Ttopcje)");
}

TEST(ProgramTestScript, ATestThatMeansToLeaveAnswersOverSaysSo) {
    ScriptedProgram t;
    t.leave_an_answer();
    t.mean_it();
}

}  // namespace
