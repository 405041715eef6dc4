#include "app/program.h"

#include <cstdlib>

#include "app/main_view.h"
#include "files/language.h"
#include "forms/armatura.h"
#include "forms/cols.h"
#include "forms/dane.h"
#include "forms/dodaj_mat.h"
#include "forms/dxf_import.h"
#include "forms/ed_obiekt.h"
#include "forms/geo1.h"
#include "forms/granica_dzialki.h"
#include "forms/import.h"
#include "forms/kolizje.h"
#include "forms/kolory.h"
#include "forms/kopiuj.h"
#include "forms/kosztorys.h"
#include "forms/kosztorys_alias.h"
#include "forms/kosztorys_options.h"
#include "forms/kosztorys_poz.h"
#include "forms/kosztprop.h"
#include "forms/material_prop.h"
#include "forms/materials.h"
#include "forms/media.h"
#include "forms/nazwa_terenu.h"
#include "forms/new_value.h"
#include "forms/objects.h"
#include "forms/opcje.h"
#include "forms/oslonowe.h"
#include "forms/pipes_params.h"
#include "forms/preview.h"
#include "forms/przekroje.h"
#include "forms/raport.h"
#include "forms/rys1.h"
#include "forms/rzedne.h"
#include "forms/search.h"
#include "forms/skojarzone.h"
#include "forms/studzienki.h"
#include "forms/typoszereg.h"
#include "forms/ustawienia_wydruku.h"
#include "forms/warnings.h"
#include "forms/wstaw_tab.h"
#include "model/messages.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/registry.h"

namespace {
Program* g_program = nullptr;

// One window of the program: how it is made (with its handlers bound) and
// how its process-wide reference is emptied.
struct window_entry {
    TForm* (*create)(TComponent* owner);
    void (*forget)();
};

template <class F>
concept has_handlers = requires(F& f) { f.connect_handlers(); };

// The entry of the window class F whose process-wide reference is `Ref`.
template <class F, F** Ref>
constexpr window_entry window() {
    return {[](TComponent* owner) -> TForm* {
                *Ref = new F(owner);
                if constexpr (has_handlers<F>) (*Ref)->connect_handlers();
                return *Ref;
            },
            [] { *Ref = nullptr; }};
}

// Every window, in the order the program creates them.
const std::vector<window_entry>& windows() {
    static const std::vector<window_entry> list = {
        window<TForm1, &Form1>(),
        window<Ttopcje, &topcje>(),
        window<Ttraport, &traport>(),
        window<Ttcopy, &tcopy>(),
        window<Ttustawienia_wydruku, &tustawienia_wydruku>(),
        window<Ttwstaw_tab, &twstaw_tab>(),
        window<Ttkolizje, &tkolizje>(),
        window<Ttoslonowe, &toslonowe>(),
        window<Ttkolory, &tkolory>(),
        window<Ttdane, &tdane>(),
        window<Ttskojarzone, &tskojarzone>(),
        window<Ttprzekroje, &tprzekroje>(),
        window<TtPreview, &tPreview>(),
        window<TtKosztorys, &tKosztorys>(),
        window<TtKosztorysPoz, &tKosztorysPoz>(),
        window<TtKosztorysProp, &tKosztorysProp>(),
        window<TtAdd, &tAdd>(),
        window<Ttcols, &tcols>(),
        window<TtMaterials, &tMaterials>(),
        window<TtWarnings, &tWarnings>(),
        window<TtMaterialProp, &tMaterialProp>(),
        window<TtTerrainDesc, &tTerrainDesc>(),
        window<TtObjectProp, &tObjectProp>(),
        window<TtObjects, &tObjects>(),
        window<TtKosztorysOptions, &tKosztorysOptions>(),
        window<TtSumps, &tSumps>(),
        window<TtSearch, &tSearch>(),
        window<TtGeo, &tGeo>(),
        window<Ttarmatura, &tarmatura>(),
        window<TtPipeSystem, &tPipeSystem>(),
        window<TtPipesParams, &tPipesParams>(),
        window<TtNewValue, &tNewValue>(),
        window<TtKosztorysAlias, &tKosztorysAlias>(),
        window<TtBoundaryDesc, &tBoundaryDesc>(),
        window<TtOrdinates, &tOrdinates>(),
        window<TtDXFImport, &tDXFImport>(),
        window<TtMedia, &tMedia>(),
        window<TtImport, &tImport>(),
    };
    return list;
}

std::string with_separator(const std::string& folder) { return IncludeTrailingPathDelimiter(folder); }
}  // namespace

Program* program() { return g_program; }

Program::Program(Services& services, std::vector<std::string> arguments) : services_(services) {
    // Nothing of an earlier run survives: the runtime's settings, the
    // language and the cached ini files start afresh.
    reset_runtime_settings();
    init_locale_settings();
    language_file.clear();
    help_file.clear();
    program_title = "Halvoren";
    ini_cache_clear();
    set_services(&services_);
    set_model(&state_);
    set_settings(&settings_);
    set_cost_data(&cost_data_);
    set_drawing(&drawing_);
    app_ = std::make_unique<TApplication>();
    set_application(app_.get());
    g_program = this;
    app_->arguments = std::move(arguments);
    app_->Title = "Halvoren";

    // The program's own folders (languages, help, the shipped templates and
    // objects, icons) stand beside it: beside the file it was started as,
    // else beside its installed file, else in the source tree it was built
    // from.
    std::string exe_folder = app_->ExeFolder();
    if (exe_folder.empty() || !DirectoryExists(path_join(exe_folder, "lang"))) exe_folder = running_program_folder();
    if (exe_folder.empty() || !DirectoryExists(path_join(exe_folder, "lang"))) exe_folder = HALVOREN_RESOURCE_DIR;
    folders().program_folder = with_separator(exe_folder);
    read_folders();
    // What saves killed in an earlier run left behind.
    remove_stale_temp_files(folders().config_folder);
    // What the start says before the main window applies the language is
    // said in that language already.
    language_file = language_file_of(start_language());
    create_windows();
}

Program::~Program() {
    // Windows go in the reverse order of their creation, each running its
    // OnDestroy first; their references are emptied once all are gone.
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) app_->run_guarded([f = *it] { f->DoDestroy(); });
    set_view(nullptr);
    main_view_.reset();
    app_.reset();
    for (auto it = windows().rbegin(); it != windows().rend(); ++it) it->forget();
    set_application(nullptr);
    set_model(nullptr);
    set_settings(nullptr);
    set_cost_data(nullptr);
    set_drawing(nullptr);
    folders() = {};
    language_file.clear();
    help_file.clear();
    program_title = "Halvoren";
    ini_cache_clear();
    reset_runtime_settings();
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
    folders().config_folder = folder("userconfig_dir", default_config_folder());
    folders().documents_folder = folder("userdocs_dir", default_documents_folder());
    // The display name until the language gives its own.
    if (reg.KeyExists(halvoren_registry_key)) program_title = reg.ReadString(halvoren_registry_key, "name", "");
}

void Program::create_windows() {
    for (const window_entry& w : windows()) {
        TForm* form = w.create(app_.get());
        forms_.push_back(form);
        if (!app_->MainForm()) app_->set_main_form(form);
        form->DoCreate();
    }
    main_view_ = std::make_unique<main_window_view>(*Form1);
    set_view(main_view_.get());
}

void Program::show_main_window() {
    // Its first showing applies the language and sets the window up.
    if (TForm* f = app_->MainForm()) app_->run_guarded([f] { f->Show(); });
}
