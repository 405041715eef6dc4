// The document templates the program ships, each made into its document
// from a small project and read back for its values.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "files/wydruki.h"
#include "forms/skojarzone.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/sample_project.h"

namespace {

using lines = std::vector<std::string>;

class ShippedTemplates : public ProgramTest {
protected:
    ShippedTemplates() { make_sample_project(); }
    static std::string shipped(const std::string& name) { return folders().program_folder + "templates/" + name; }
    // Makes the document of a shipped template; its file's lines.
    static lines make(const std::string& name, const std::string& document) {
        const std::string path = folders().config_folder + document;
        DeleteFile(path);
        tskojarzone->wypelnij_wzorzec(shipped(name), false);
        return FileExists(path) ? read_lines(path) : lines{"<missing " + document + ">"};
    }
    // The text of the last rich text document, as its lines.
    static lines rich_text() {
        TStringList l;
        l.SetText(engine_of(*tskojarzone).re.plain_text());
        lines out;
        for (int i = 0; i < l.Count(); ++i) out.push_back(l[i]);
        return out;
    }
};

TEST_F(ShippedTemplates, TheChooserListsEachWithItsTitleAndType) {
    tskojarzone->template_list.clear();
    tskojarzone->ZnajdzPliki(folders().program_folder + "templates", "*.wzr");
    std::vector<std::string> listed;
    for (const head_info& h : tskojarzone->template_list)
        listed.push_back(ExtractFileName(h.path) + " " + h.doc_type + " " + h.title + " -> " + h.file_name);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (lines{
                          "dane_projektu.wzr rtf Dane projektu -> dane_projektu",
                          "lista_profili.wzr rtf Lista profili -> lista_profili",
                          "tabela_wezlow.wzr txt Tabela węzłów profili (tekst) -> tabela_wezlow"_cp,
                          "tabela_wezlow_html.wzr htm Tabela węzłów profili (HTML) -> tabela_wezlow"_cp,
                          "tabela_wezlow_rtf.wzr rtf Tabela węzłów profili (RTF) -> tabela_wezlow"_cp,
                      }));
}

TEST_F(ShippedTemplates, TheNodeTableAsTextHasARowForEveryNodeOfEveryProfile) {
    const std::string head = "Węzeł\tOdległość\tTeren istn.\tRzędna rury\tZagłębienie\tDługość\tSpadek\tŚrednica\tMateriał\tObiekt"_cp;
    const std::string units = "\tm\tm n.p.m.\tm n.p.m.\tm\tm\t%\tmm\t\t";
    EXPECT_EQ(make("tabela_wezlow.wzr", "tabela_wezlow.txt"),
              (lines{"Tabela węzłów profili"_cp, "",
                     "Profil: Kanał główny"_cp, head, units, "",
                     "S1\t0.00\t182.40\t180.00\t2.40\t40.00\t1.0\t200\tPVC-U\tstudzienka",
                     "S2\t40.00\t181.95\t179.60\t2.35\t45.50\t1.2\t200\tPVC-U\tstudzienka",
                     "S3\t85.50\t181.20\t179.05\t2.15\t34.50\t0.7\t200\tPVC-U\tstudzienka",
                     "S4\t120.00\t180.80\t178.80\t2.00\t0.00\t0.0\t200\tPVC-U\tstudzienka", "",
                     "Profil: Przykanalik Ł1"_cp, head, units, "",
                     "Ł1\t0.00\t182.10\t180.60\t1.50\t12.50\t2.0\t160\tPVC-U\t"_cp,
                     "S2\t12.50\t181.95\t180.35\t1.60\t0.00\t0.0\t160\tPVC-U\t", ""}));
}

TEST_F(ShippedTemplates, TheNodeTableAsHtmlHasATableForEveryProfile) {
    lines got = make("tabela_wezlow_html.wzr", "tabela_wezlow.htm");
    std::erase(got, std::string());
    ASSERT_GE(got.size(), 4u);
    EXPECT_EQ(got[3], "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">");
    const std::string head =
        std::string("<tr><th>Węzeł</th><th>Odległość [m]</th><th>Teren istn. [m n.p.m.]</th><th>Rzędna rury [m n.p.m.]</th>"_cp) +
        "<th>Zagłębienie [m]</th><th>Długość [m]</th><th>Spadek [%]</th><th>Średnica [mm]</th><th>Materiał</th>"_cp +
        "<th>Obiekt</th></tr>";
    const auto row = [](const std::vector<const char*>& cells) {
        std::string r = "<tr>";
        for (const char* c : cells) r += std::string("<td>") + c + "</td>";
        return r + "</tr>";
    };
    const lines body(got.begin() + 8, got.end());
    EXPECT_EQ(body, (lines{
                        "<h2>Profil: Kanał główny</h2>"_cp, "<table>", head,
                        row({"S1", "0.00", "182.40", "180.00", "2.40", "40.00", "1.0", "200", "PVC-U", "studzienka"}),
                        row({"S2", "40.00", "181.95", "179.60", "2.35", "45.50", "1.2", "200", "PVC-U", "studzienka"}),
                        row({"S3", "85.50", "181.20", "179.05", "2.15", "34.50", "0.7", "200", "PVC-U", "studzienka"}),
                        row({"S4", "120.00", "180.80", "178.80", "2.00", "0.00", "0.0", "200", "PVC-U", "studzienka"}),
                        "</table>",
                        "<h2>Profil: Przykanalik Ł1</h2>"_cp, "<table>", head,
                        row({"Ł1"_cp, "0.00", "182.10", "180.60", "1.50", "12.50", "2.0", "160", "PVC-U", ""}),
                        row({"S2", "12.50", "181.95", "180.35", "1.60", "0.00", "0.0", "160", "PVC-U", ""}),
                        "</table>", "</body>", "</html>"}));
}

TEST_F(ShippedTemplates, TheRichTextDocumentsHoldTheirValuesInBold) {
    struct doc_case {
        const char* template_name;
        const char* document;
        lines text;  // the document's text, blank lines left out
        std::vector<const char*> bold;
    };
    const std::string head = "Węzeł\tOdległość\tTeren istn.\tRzędna rury\tZagłębienie\tDługość\tSpadek\tŚrednica"_cp;
    const std::string units = "\tm       \tm n.p.m.\tm n.p.m.\tm       \tm\t%\tmm";
    const doc_case cases[] = {
        {"tabela_wezlow_rtf.wzr", "tabela_wezlow.rtf",
         {"Tabela węzłów profili"_cp, "Profil: Kanał główny"_cp, head, units,
          "S1\t0.00    \t182.40    \t180.00    \t2.40    \t40.00\t1.0\t200",
          "S2\t40.00    \t181.95    \t179.60    \t2.35    \t45.50\t1.2\t200",
          "S3\t85.50    \t181.20    \t179.05    \t2.15    \t34.50\t0.7\t200",
          "S4\t120.00    \t180.80    \t178.80    \t2.00    \t0.00\t0.0\t200",
          "Profil: Przykanalik Ł1"_cp, head, units,
          "Ł1\t0.00    \t182.10    \t180.60    \t1.50    \t12.50\t2.0\t160"_cp,
          "S2\t12.50    \t181.95    \t180.35    \t1.60    \t0.00\t0.0\t160"},
         {"Kanał główny"_cp, "S4", "120.00", "178.80", "34.50", "0.7", "Ł1"_cp, "160"}},
        {"lista_profili.wzr", "lista_profili.rtf",
         {"Lista profili",
          "Kanał główny – długość 120.00 m, węzeł początkowy S1, węzeł końcowy S4"_cp,
          "Przykanalik Ł1 – długość 12.50 m, węzeł początkowy Ł1, węzeł końcowy S2"_cp},
         {"Kanał główny"_cp, "120.00", "S1", "S4", "Przykanalik Ł1"_cp, "12.50", "Ł1"_cp, "S2"}},
        {"dane_projektu.wzr", "dane_projektu.rtf",
         {"Podstawowe parametry projektu", "Inwestor: Gmina Żółkiewka"_cp, "  Miejscowość/Ulica: ul. Lipowa 5"_cp,
          "  Kod pocztowy: 22-335", "  Poczta: Żółkiewka"_cp, "Obiekt: Kanalizacja sanitarna",
          "Inwestycja: Sieć kanalizacyjna we wsi Łąki"_cp, "  Miejscowość/Ulica: Łąki"_cp,
          "  Kod pocztowy: 22-336", "  Poczta: Żółkiewka"_cp, "  Gmina: Żółkiewka"_cp, "  Numer działki: 123/4"_cp,
          "Branża: sanitarna"_cp, "Numer zlecenia: Z-7/2024", "Data: maj 2024", "Własny 1: etap I"_cp,
          "Własny 2: "_cp, "Własny 3: "_cp, "Projektanci", "1. Nazwisko i imię: Jan Kowalski"_cp,
          "   Stanowisko: projektant", "   Numer uprawnień: LUB/0123/PWOS/05"_cp, "   Specjalność: instalacyjna"_cp,
          "2. Nazwisko i imię: Anna Nowak"_cp, "   Stanowisko: sprawdzający"_cp,
          "   Numer uprawnień: LUB/0456/POOS/08"_cp, "   Specjalność: instalacyjna"_cp,
          "Jednostka projektowa: Biuro Projektów Wod-Kan"_cp, "  Miejscowość/Ulica: ul. Długa 12"_cp,
          "  Kod pocztowy: 20-001", "  Poczta: Lublin", "  Telefon: 81 123 45 67", "  E-mail: biuro@example.pl"},
         {"Gmina Żółkiewka"_cp, "Z-7/2024", "Anna Nowak", "LUB/0456/POOS/08", "Biuro Projektów Wod-Kan"_cp,
          "biuro@example.pl"}},
    };
    for (const doc_case& c : cases) {
        const std::string document = folders().config_folder + c.document;
        DeleteFile(document);
        tskojarzone->wypelnij_wzorzec(shipped(c.template_name), false);
        lines text = rich_text();
        std::erase(text, std::string());
        EXPECT_EQ(text, c.text) << c.template_name;
        ASSERT_TRUE(FileExists(document)) << c.document;
        const std::string rtf = read_file(document);
        EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1250")) << c.document;
        for (const char* value : c.bold)
            EXPECT_NE(rtf.find("{\\b " + rtf_escape(value) + "}"), std::string::npos) << c.document << ": " << value;
    }
}

}  // namespace
