#include <gtest/gtest.h>

#include "app/rys1.h"
#include "files/opcje.h"
#include "interchange/import.h"
#include "platform/files.h"
#include "platform/registry.h"
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
    EXPECT_EQ(prog->config_folder, IncludeTrailingPathDelimiter(home.path()));
    EXPECT_EQ(prog->documents_folder, IncludeTrailingPathDelimiter(home.path()));
    const std::string docs = home.file("docs");
    ForceDirectories(docs);
    services().registry().WriteString(halvoren_registry_key, "userdocs_dir", docs);
    services().registry().WriteString(halvoren_registry_key, "userconfig_dir", home.file("missing"));
    prog->read_folders();
    EXPECT_EQ(prog->documents_folder, docs + "/");
    EXPECT_EQ(prog->config_folder, IncludeTrailingPathDelimiter(home.path()));
}

TEST_F(ProgramStart, TearingDownRunsOnDestroyInReverseOrder) {
    std::vector<std::string> order;
    Form1->OnDestroy = [&](TObject*) { order.push_back("Form1"); };
    topcje->OnDestroy = [&](TObject*) { order.push_back("topcje"); };
    prog.reset();
    EXPECT_EQ(order, (std::vector<std::string>{"topcje", "Form1"}));
    EXPECT_EQ(Form1, nullptr);
    EXPECT_EQ(program(), nullptr);
}

}  // namespace
