#include <gtest/gtest.h>

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
#include "platform/registry.h"
#include "platform/paths.h"
#include "support/fixture.h"

namespace {

using ProgramStart = ProgramTest;

TEST_F(ProgramStart, CreatesEveryWindowInOrderWithItsReference) {
    TApplication& app = prog->application();
    const char* expected[] = {
        "TForm1", "Ttopcje", "Ttraport", "Ttcopy", "Ttustawienia_wydruku", "Ttwstaw_tab", "Ttkolizje",
        "Ttoslonowe", "Ttkolory", "Ttdane", "Ttskojarzone", "Ttprzekroje", "TtPreview", "TtKosztorys",
        "TtKosztorysPoz", "TtKosztorysProp", "TtAdd", "Ttcols", "TtMaterials", "TtWarnings", "TtMaterialProp",
        "TtTerrainDesc", "TtObjectProp", "TtObjects", "TtKosztorysOptions", "TtSumps", "TtSearch", "TtGeo",
        "Ttarmatura", "TtPipeSystem", "TtPipesParams", "TtNewValue", "TtKosztorysAlias", "TtBoundaryDesc",
        "TtOrdinates", "TtDXFImport", "TtMedia", "TtImport",
    };
    ASSERT_EQ(app.ComponentCount(), static_cast<int>(std::size(expected)));
    for (int i = 0; i < app.ComponentCount(); ++i) EXPECT_STREQ(app.Components(i)->ClassName(), expected[i]);
    EXPECT_EQ(app.MainForm(), Form1);
    EXPECT_EQ(app.Components(1), topcje);
    EXPECT_EQ(app.Components(37), tImport);
}

TEST_F(ProgramStart, FoldersComeFromTheRegistryOrFallBackToTheHome) {
    EXPECT_EQ(folders().config_folder, IncludeTrailingPathDelimiter(home.path()));
    EXPECT_EQ(folders().documents_folder, IncludeTrailingPathDelimiter(home.path()));
    const std::string docs = home.file("docs");
    ForceDirectories(docs);
    services().registry().WriteString(halvoren_registry_key, "userdocs_dir", docs);
    services().registry().WriteString(halvoren_registry_key, "userconfig_dir", home.file("missing"));
    prog->read_folders();
    EXPECT_EQ(folders().documents_folder, docs + "/");
    EXPECT_EQ(folders().config_folder, IncludeTrailingPathDelimiter(home.path()));
}

TEST_F(ProgramStart, TearingDownRunsOnDestroyInReverseOrder) {
    std::vector<std::string> order;
    Form1->OnDestroy = [&](TObject*) { order.push_back("Form1"); };
    topcje->OnDestroy = [&](TObject*) { order.push_back("topcje"); };
    auto references = [] {
        return std::vector<const TForm*>{
            Form1, topcje, traport, tcopy, tustawienia_wydruku, twstaw_tab, tkolizje, toslonowe, tkolory, tdane,
            tskojarzone, tprzekroje, tPreview, tKosztorys, tKosztorysPoz, tKosztorysProp, tAdd, tcols, tMaterials,
            tWarnings, tMaterialProp, tTerrainDesc, tObjectProp, tObjects, tKosztorysOptions, tSumps, tSearch, tGeo,
            tarmatura, tPipeSystem, tPipesParams, tNewValue, tKosztorysAlias, tBoundaryDesc, tOrdinates, tDXFImport,
            tMedia, tImport};
    };
    const auto running = references();
    ASSERT_EQ(static_cast<int>(running.size()), prog->application().ComponentCount());
    for (std::size_t i = 0; i < running.size(); ++i)
        EXPECT_EQ(running[i], prog->application().Components(static_cast<int>(i))) << i;

    euro_rounding = false;
    language_file = "english.lng";
    prog.reset();
    EXPECT_EQ(order, (std::vector<std::string>{"topcje", "Form1"}));
    EXPECT_TRUE(euro_rounding);  // the runtime's settings and the language start afresh
    EXPECT_TRUE(language_file.empty());
    for (const TForm* f : references()) EXPECT_EQ(f, nullptr);
    EXPECT_EQ(program(), nullptr);
    EXPECT_THROW(model(), ScriptError);
    EXPECT_THROW(settings(), ScriptError);
    EXPECT_THROW(cost_data(), ScriptError);
    EXPECT_TRUE(folders().config_folder.empty());
}

}  // namespace
