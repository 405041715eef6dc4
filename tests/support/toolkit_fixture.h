// A headless toolkit for one test: services answering from a script, an
// application, and a temporary folder that is removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/forms.h"
#include "platform/headless.h"

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    // A path inside the folder.
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

class ToolkitTest : public ::testing::Test {
protected:
    ToolkitTest();
    ~ToolkitTest() override;

    TempFolder temp;
    std::unique_ptr<HeadlessServices> services_;
    std::unique_ptr<TApplication> app;
    HeadlessServices& ui() { return *services_; }
    // A form owned by the application, shown as the active form.
    TForm* make_form(const std::string& name = "TestForm");
};
