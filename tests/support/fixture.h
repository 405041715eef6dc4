// A fresh program for one test: a new temporary HALVOREN_HOME, headless
// services and every window, torn down afterwards so that no test sees
// another's state.
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

    TempFolder home;
    std::unique_ptr<HeadlessServices> services_;
    std::unique_ptr<Program> prog;
    HeadlessServices& ui() { return *services_; }
};
