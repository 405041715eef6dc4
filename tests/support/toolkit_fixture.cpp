#include "support/toolkit_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/ini.h"

TempFolder::TempFolder() {
    std::random_device rd;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto p = base / ("halvoren-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(p)) {
            path_ = p.string();
            break;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    ini_cache_clear();
}

ToolkitTest::ToolkitTest() {
    services_ = std::make_unique<HeadlessServices>(temp.path());
    set_services(services_.get());
    app = std::make_unique<TApplication>();
    set_application(app.get());
}

ToolkitTest::~ToolkitTest() {
    app.reset();
    set_application(nullptr);
    set_services(nullptr);
}

TForm* ToolkitTest::make_form(const std::string& name) {
    auto* f = new TForm(app.get());
    f->SetName(name);
    if (!app->MainForm()) app->set_main_form(f);
    f->DoCreate();
    f->Show();
    return f;
}
