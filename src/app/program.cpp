#include "app/program.h"

#include <cstdlib>

#include "app/cols.h"
#include "app/new_value.h"
#include "app/rys1.h"
#include "app/search.h"
#include "app/warnings.h"
#include "app/wstaw_tab.h"
#include "costing/dodaj_mat.h"
#include "costing/kosztorys.h"
#include "costing/kosztorys_alias.h"
#include "costing/kosztorys_options.h"
#include "costing/kosztorys_poz.h"
#include "costing/kosztprop.h"
#include "costing/material_prop.h"
#include "costing/materials.h"
#include "costing/raport.h"
#include "drawing/preview.h"
#include "drawing/ustawienia_wydruku.h"
#include "editors/armatura.h"
#include "editors/ed_obiekt.h"
#include "editors/geo1.h"
#include "editors/granica_dzialki.h"
#include "editors/kolizje.h"
#include "editors/kopiuj.h"
#include "editors/nazwa_terenu.h"
#include "editors/objects.h"
#include "editors/oslonowe.h"
#include "editors/pipes_params.h"
#include "editors/przekroje.h"
#include "editors/rzedne.h"
#include "editors/studzienki.h"
#include "editors/typoszereg.h"
#include "files/dane.h"
#include "files/kolory.h"
#include "files/media.h"
#include "files/opcje.h"
#include "files/skojarzone.h"
#include "interchange/dxf_import.h"
#include "interchange/import.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"

namespace {
Program* g_program = nullptr;

std::string with_separator(const std::string& folder) { return IncludeTrailingPathDelimiter(folder); }
}  // namespace

Program* program() { return g_program; }

Program::Program(Services& services, std::vector<std::string> arguments) : services_(services) {
    set_services(&services_);
    set_model(&state_);
    set_settings(&settings_);
    set_cost_data(&cost_data_);
    app_ = std::make_unique<TApplication>();
    set_application(app_.get());
    g_program = this;
    app_->arguments = std::move(arguments);
    app_->Title = "Halvoren";

    std::string exe_folder = app_->ExeFolder();
    if (exe_folder.empty() || !DirectoryExists(path_join(exe_folder, "lang"))) exe_folder = HALVOREN_RESOURCE_DIR;
    program_folder = with_separator(exe_folder);
    read_folders();
    create_windows();
}

Program::~Program() {
    // Windows go in the reverse order of their creation, each running its
    // OnDestroy first.
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) app_->run_guarded([f = *it] { f->DoDestroy(); });
    app_.reset();
    Form1 = nullptr;
    topcje = nullptr;
    traport = nullptr;
    tcopy = nullptr;
    tustawienia_wydruku = nullptr;
    twstaw_tab = nullptr;
    tkolizje = nullptr;
    toslonowe = nullptr;
    tkolory = nullptr;
    tdane = nullptr;
    tskojarzone = nullptr;
    tprzekroje = nullptr;
    tPreview = nullptr;
    tKosztorys = nullptr;
    tKosztorysPoz = nullptr;
    tKosztorysProp = nullptr;
    tAdd = nullptr;
    tcols = nullptr;
    tMaterials = nullptr;
    tWarnings = nullptr;
    tMaterialProp = nullptr;
    tTerrainDesc = nullptr;
    tObjectProp = nullptr;
    tObjects = nullptr;
    tKosztorysOptions = nullptr;
    tSumps = nullptr;
    tSearch = nullptr;
    tGeo = nullptr;
    tarmatura = nullptr;
    tPipeSystem = nullptr;
    tPipesParams = nullptr;
    tNewValue = nullptr;
    tKosztorysAlias = nullptr;
    tBoundaryDesc = nullptr;
    tOrdinates = nullptr;
    tDXFImport = nullptr;
    tMedia = nullptr;
    tImport = nullptr;
    set_application(nullptr);
    set_view(nullptr);
    set_model(nullptr);
    set_settings(nullptr);
    set_cost_data(nullptr);
    if (g_program == this) g_program = nullptr;
    set_services(nullptr);
}

void Program::read_folders() {
    Registry& reg = services_.registry();
    auto folder = [&reg](const char* name, const std::string& fallback) {
        const std::string stored = reg.ReadString(halvoren_registry_key, name, "");
        if (!stored.empty() && DirectoryExists(stored)) return with_separator(stored);
        ForceDirectories(fallback);
        return with_separator(fallback);
    };
    config_folder = folder("userconfig_dir", default_config_folder());
    documents_folder = folder("userdocs_dir", default_documents_folder());
}

void Program::create_windows() {
    auto make = [this](auto* form, auto*& reference) {
        reference = form;
        forms_.push_back(form);
        if (!app_->MainForm()) app_->set_main_form(form);
        form->DoCreate();
    };
    make(new TForm1(app_.get()), Form1);
    make(new Ttopcje(app_.get()), topcje);
    make(new Ttraport(app_.get()), traport);
    make(new Ttcopy(app_.get()), tcopy);
    make(new Ttustawienia_wydruku(app_.get()), tustawienia_wydruku);
    make(new Ttwstaw_tab(app_.get()), twstaw_tab);
    make(new Ttkolizje(app_.get()), tkolizje);
    make(new Ttoslonowe(app_.get()), toslonowe);
    make(new Ttkolory(app_.get()), tkolory);
    make(new Ttdane(app_.get()), tdane);
    make(new Ttskojarzone(app_.get()), tskojarzone);
    make(new Ttprzekroje(app_.get()), tprzekroje);
    make(new TtPreview(app_.get()), tPreview);
    make(new TtKosztorys(app_.get()), tKosztorys);
    make(new TtKosztorysPoz(app_.get()), tKosztorysPoz);
    make(new TtKosztorysProp(app_.get()), tKosztorysProp);
    make(new TtAdd(app_.get()), tAdd);
    make(new Ttcols(app_.get()), tcols);
    make(new TtMaterials(app_.get()), tMaterials);
    make(new TtWarnings(app_.get()), tWarnings);
    make(new TtMaterialProp(app_.get()), tMaterialProp);
    make(new TtTerrainDesc(app_.get()), tTerrainDesc);
    make(new TtObjectProp(app_.get()), tObjectProp);
    make(new TtObjects(app_.get()), tObjects);
    make(new TtKosztorysOptions(app_.get()), tKosztorysOptions);
    make(new TtSumps(app_.get()), tSumps);
    make(new TtSearch(app_.get()), tSearch);
    make(new TtGeo(app_.get()), tGeo);
    make(new Ttarmatura(app_.get()), tarmatura);
    make(new TtPipeSystem(app_.get()), tPipeSystem);
    make(new TtPipesParams(app_.get()), tPipesParams);
    make(new TtNewValue(app_.get()), tNewValue);
    make(new TtKosztorysAlias(app_.get()), tKosztorysAlias);
    make(new TtBoundaryDesc(app_.get()), tBoundaryDesc);
    make(new TtOrdinates(app_.get()), tOrdinates);
    make(new TtDXFImport(app_.get()), tDXFImport);
    make(new TtMedia(app_.get()), tMedia);
    make(new TtImport(app_.get()), tImport);
}

void Program::show_main_window() {
    if (TForm* f = app_->MainForm()) f->Show();
}
