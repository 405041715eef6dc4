// A fresh program for one test: a new temporary HALVOREN_HOME, headless
// services and every window, torn down afterwards so that no test sees
// another's state. At its end the test fails when an answer it scripted
// was never asked for (a dialog the program should have shown and did
// not), unless the test says it means to leave answers over.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/program.h"
#include "platform/headless.h"
#include "support/toolkit_fixture.h"

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest();
    ~ProgramTest() override;
    // This test leaves scripted answers unused on purpose.
    void allow_unused_script() { check_script_ = false; }

    TempFolder home;
    std::unique_ptr<HeadlessServices> services_;
    std::unique_ptr<Program> prog;
    HeadlessServices& ui() { return *services_; }

private:
    bool check_script_ = true;
};
