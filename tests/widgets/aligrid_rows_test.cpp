// The table component's rows and columns with their properties, sorting,
// text and HTML output, the clipboard and the fitted widths.
#include <gtest/gtest.h>

#include <pthread.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/cp1250.h"
#include "support/toolkit_fixture.h"
#include "widgets/aligrid.h"

namespace {

class AlignGridRows : public ToolkitTest {
protected:
    TForm* form = make_form();
    TStringAlignGrid* grid = make(3, 4, 1, 1);

    TStringAlignGrid* make(int cols, int rows, int fixed_cols, int fixed_rows) {
        auto* g = new TStringAlignGrid(form);
        g->SetParent(form);
        g->SetColCount(cols);
        g->SetRowCount(rows);
        g->SetFixedCols(fixed_cols);
        g->SetFixedRows(fixed_rows);
        return g;
    }
    static std::vector<std::string> column(const TStringAlignGrid* g, int col) {
        std::vector<std::string> out;
        for (int r = g->FixedRows(); r < g->RowCount(); ++r) out.push_back(g->Cells(col, r));
        return out;
    }
};

TEST_F(AlignGridRows, RowsComeAndGoWithTheirPropertiesAndHints) {
    TStringAlignGrid* g = make(3, 5, 1, 2);
    for (int r = 0; r < 5; ++r) g->SetCell(1, r, "r" + std::to_string(r));
    g->set_cell_colour(1, 2, clRed);
    g->set_row_alignment(3, alRight);
    g->set_cell_hint(2, 4, "hint of row 4");
    g->FocusCell(1, 3, true);
    g->insert_row(0);  // inside the fixed rows: before the first data row
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->Cells(1, 2), "");
    EXPECT_EQ(g->Cells(1, 3), "r2");
    EXPECT_EQ(g->cell_colour(1, 3), clRed);
    EXPECT_EQ(g->cell_alignment(1, 4), alRight);
    EXPECT_EQ(g->cell_hint(2, 5), "hint of row 4");
    EXPECT_EQ(g->Row(), 4) << "the current row moves with its data";

    g->remove_row(3);  // the row that held r2
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Cells(1, 3), "r3");
    EXPECT_EQ(g->cell_colour(1, 3), g->Color()) << "the removed row's colour went with it";
    EXPECT_EQ(g->cell_alignment(1, 3), alRight);
    EXPECT_EQ(g->cell_hint(2, 4), "hint of row 4");
    EXPECT_EQ(g->Row(), 3);
    g->remove_row(1);  // fixed: nothing
    EXPECT_EQ(g->RowCount(), 5);

    TStringAlignGrid* one = make(2, 2, 0, 1);
    one->SetCell(0, 1, "only");
    one->remove_row(1);
    EXPECT_EQ(one->RowCount(), 2) << "a table keeps one data row";
    EXPECT_EQ(one->Cells(0, 1), "only");

    g->insert_col(0);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->Cells(2, 3), "r3");
    EXPECT_EQ(g->cell_hint(3, 4), "hint of row 4");
}

TEST_F(AlignGridRows, ExchangedRowsAndColumnsTakeEverythingAlong) {
    TStringAlignGrid* g = make(4, 4, 1, 1);
    g->SetCell(1, 1, "a");
    g->SetCell(1, 3, "c");
    g->SetObject(1, 1, 11);
    g->set_row_colour(1, clYellow);
    g->set_cell_hint(2, 3, "h3");
    g->FocusCell(2, 1, true);
    g->exchange_rows(1, 3);
    EXPECT_EQ(g->Cells(1, 1), "c");
    EXPECT_EQ(g->Cells(1, 3), "a");
    EXPECT_EQ(g->Objects(1, 3), 11);
    EXPECT_EQ(g->cell_colour(2, 3), clYellow);
    EXPECT_EQ(g->cell_hint(2, 1), "h3");
    EXPECT_EQ(g->Row(), 3);

    g->SetColWidth(1, 30);
    g->set_col_colour(3, clAqua);
    g->exchange_cols(1, 3);
    EXPECT_EQ(g->ColWidths(3), 30);
    EXPECT_EQ(g->Cells(3, 3), "a");
    EXPECT_EQ(g->col_colour(1), clAqua);
    EXPECT_EQ(g->Col(), 2);
}

TEST_F(AlignGridRows, SortingComparesBytesAndMovesWholeRows) {
    struct Case {
        std::vector<std::string> texts;
        bool ascending;
        std::vector<std::string> want;
    } cases[] = {
        {{"b", "B", "a"}, true, {"B", "a", "b"}},
        {{"b", "B", "a"}, false, {"b", "a", "B"}},
        {{"9", "10", "100", "1"}, true, {"1", "10", "100", "9"}},
        {{"\xA5", "Z", "\x9C"}, true, {"Z", "\x9C", "\xA5"}},  // unsigned bytes
        {{"x", "x", "x", "x", "x"}, true, {"x", "x", "x", "x", "x"}},
    };
    for (const Case& c : cases) {
        TStringAlignGrid* g = make(3, static_cast<int>(c.texts.size()) + 1, 1, 1);
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            g->SetCell(1, static_cast<int>(i) + 1, c.texts[i]);
            g->SetCell(2, static_cast<int>(i) + 1, c.texts[i] + "!");
            g->set_cell_hint(2, static_cast<int>(i) + 1, c.texts[i]);
        }
        g->sort_by_column(1, c.ascending);
        EXPECT_EQ(column(g, 1), c.want);
        for (int r = 1; r < g->RowCount(); ++r) {
            EXPECT_EQ(g->Cells(2, r), g->Cells(1, r) + "!");
            EXPECT_EQ(g->cell_hint(2, r), g->Cells(1, r));
        }
    }
    TStringAlignGrid* g = make(2, 4, 1, 1);
    for (int r = 1; r < 4; ++r) g->SetCell(1, r, std::to_string(10 - r));
    g->OnCompareCol = nullptr;
    g->sort_by_column(1, true);
    EXPECT_EQ(column(g, 1), (std::vector<std::string>{"9", "8", "7"})) << "no comparison, no sort";
    g->OnCompareCol = [g](TObject*, int col, int a, int b) {
        const int x = std::stoi(g->Cells(col, a)), y = std::stoi(g->Cells(col, b));
        return x < y ? 2 : x == y ? 1 : 0;
    };
    g->sort_by_column(1, true);
    EXPECT_EQ(column(g, 1), (std::vector<std::string>{"7", "8", "9"}));
}

// The sort on a small stack: a table already in order is the quicksort's
// deepest case, and the sort may not go one level deeper per row.
void* sort_rows(void* arg) {
    static_cast<TStringAlignGrid*>(arg)->sort_by_column(1, true);
    return nullptr;
}

TEST_F(AlignGridRows, ATableAlreadyInOrderSortsOnASmallStack) {
    constexpr int rows = 3000;
    TStringAlignGrid* g = make(2, rows + 1, 1, 1);
    for (int r = 1; r <= rows; ++r) g->SetCell(1, r, std::to_string(100000 + r));
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, sort_rows, g), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    EXPECT_EQ(g->Cells(1, 1), "100001");
    EXPECT_EQ(g->Cells(1, rows), std::to_string(100000 + rows));
}

TEST_F(AlignGridRows, TextLinesEndEveryCellWithTheSeparator) {
    TStringAlignGrid* g = make(2, 2, 0, 0);
    g->SetCell(0, 0, "a");
    g->SetCell(1, 0, "b");
    g->SetCell(0, 1, "c");
    g->SetCell(1, 1, "d");
    const TMemoryStream text = g->write_text('\t', TGridRect{0, 0, -1, -1});
    EXPECT_EQ(text.bytes(), "a\tb\t\r\nc\td\t\r\n");
    EXPECT_EQ(g->write_text(';', TGridRect{1, 1, 1, 1}).bytes(), "d;\r\n") << "an explicit area";

    TStringAlignGrid* copy = make(2, 2, 0, 0);
    copy->read_text(text, '\t', TGridRect{0, 0, -1, -1});
    EXPECT_EQ(copy->ColCount(), 2) << "a trailing separator adds no column";
    EXPECT_EQ(copy->Rows(1), (std::vector<std::string>{"c", "d"}));

    struct Case {
        const char* text;
        TGridRect area;
        int cols, rows;
        std::vector<std::string> row0, row1;
    } cases[] = {
        {"x\ty\tz", {0, 0, -1, -1}, 3, 2, {"x", "y", "z"}, {"c", "d", ""}},
        {"x\ty\tz\r\n\r\nw", {0, 0, -1, -1}, 3, 3, {"x", "y", "z"}, {"c", "d", ""}},
        {"x\ty\tz\nu\tv", {0, 0, 0, 0}, 2, 2, {"x", "b"}, {"c", "d"}},
        {"x\n\ny", {1, 0, 1, -1}, 2, 3, {"a", "x"}, {"c", "d"}},
        {"x\t\ty", {0, 1, -1, -1}, 3, 2, {"a", "b", ""}, {"x", "", "y"}},
    };
    for (const Case& c : cases) {
        TStringAlignGrid* t = make(2, 2, 0, 0);
        t->SetRow(0, {"a", "b"});
        t->SetRow(1, {"c", "d"});
        TMemoryStream in;
        in.write(c.text);
        t->read_text(in, '\t', c.area);
        EXPECT_EQ(t->ColCount(), c.cols) << c.text;
        EXPECT_EQ(t->RowCount(), c.rows) << c.text;
        EXPECT_EQ(t->Rows(0), c.row0) << c.text;
        EXPECT_EQ(t->Rows(1), c.row1) << c.text;
    }
    const TGridRect all{0, 0, -1, -1};
    TStringAlignGrid* last = make(1, 1, 0, 0);
    TMemoryStream three;
    three.write("x\n\ny");
    last->read_text(three, '\t', all);
    EXPECT_EQ(last->Cols(0), (std::vector<std::string>{"x", "", "y"})) << "an empty line uses up a row";

    g->save_to_text_file(temp.file("tabela.csv"));
    EXPECT_EQ(read_file(temp.file("tabela.csv")), "a\tb\t\r\nc\td\t\r\n");
}

TEST_F(AlignGridRows, TheClipboardCarriesTheSelectionAndLeavesReadOnlyCells) {
    TStringAlignGrid* g = make(3, 3, 0, 0);
    g->SetRow(0, {"Rzędna"_cp, "a", "b"});
    g->SetRow(1, {"c", "d", "e"});
    g->copy_to_clipboard();
    EXPECT_EQ(ui().clipboard, std::string("Rzędna\ta\tb\t\r\nc\td\te\t\r\n\t\t\t\r\n"_cp));

    g->SetSelection(TGridRect{1, 0, 2, 1});
    g->set_cell_editable(2, 0, false);
    g->clipboard_cut();
    EXPECT_EQ(ui().clipboard, std::string("a\tb\t\r\nd\te\t\r\n"));
    EXPECT_EQ(g->Rows(0), (std::vector<std::string>{"Rzędna"_cp, "", "b"})) << "the read-only cell stays";
    EXPECT_EQ(g->Rows(1), (std::vector<std::string>{"c", "", ""}));

    ui().clipboard = std::string("1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n");
    g->clipboard_paste();  // the selection limits it
    EXPECT_EQ(g->Rows(0), (std::vector<std::string>{"Rzędna"_cp, "1", "b"}));
    EXPECT_EQ(g->Rows(1), (std::vector<std::string>{"c", "4", "5"}));
    EXPECT_EQ(g->RowCount(), 3);
    g->paste_from_clipboard('\t', TGridRect{1, 1, 0, 0});  // open right and bottom: the table grows
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Rows(3), (std::vector<std::string>{"", "7", "8", "9"}));

    ui().clipboard = std::nullopt;  // text Windows-1250 cannot hold
    g->paste_from_clipboard('\t', TGridRect{0, 0, -1, -1});
    EXPECT_EQ(ui().beeps, 1);
    EXPECT_EQ(g->Cells(0, 0), "Rzędna"_cp);
}

TEST_F(AlignGridRows, HtmlIsWrittenByteForByte) {
    TStringAlignGrid* g = make(3, 3, 1, 1);
    g->SetColor(clCream);
    g->SetRow(0, {"", "Nazwa", "Opis"});
    g->SetRow(1, {"1", "Żółć"_cp, "PE & PVC <110"});
    g->SetRow(2, {"", "", "‰ „x” ± Źó \"q\""_cp});
    g->set_cell_alignment(1, 1, alCenter);
    g->set_col_alignment(2, alRight);
    g->cell_font(1, 1).Color = clRed;
    g->cell_font(2, 1).Style = fsBold;
    TFont& all = g->cell_font(2, 2);
    all.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    all.SetSize(12);
    const std::string head = " style=\"color:#000000; font-size:10pt;\">\r\n";
    const std::string want =
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">\r\n"
        "<table width=\"100%\" border=1 style=\"border: solid 1 #000000; border-collapse: collapse\" bgcolor=#FFFBF0>\r\n"
        " <tr>\r\n"
        "  <th align=left bgcolor=#F0F0F0>  </th>"
        "  <th align=left bgcolor=#F0F0F0" + head + "Nazwa  </th>"
        "  <th align=left bgcolor=#F0F0F0" + head + "Opis  </th>"
        " </tr>\r\n"
        " <tr>\r\n"
        "  <th align=left bgcolor=#F0F0F0" + head + "1  </th>"
        "  <td align=center bgcolor=#FFFFFF style=\"color:#FF0000; font-size:10pt;\">\r\n\xAF\xF3\xB3\xE6  </td>"
        "  <td align=right bgcolor=#FFFFFF" + head + "<b>PE &amp; PVC &lt;110</b>  </td>"
        " </tr>\r\n"
        " <tr>\r\n"
        "  <th align=left bgcolor=#F0F0F0>  </th>"
        "  <td align=left bgcolor=#FFFFFF>  </td>"
        "  <td align=right bgcolor=#FFFFFF style=\"color:#000000; font-size:14pt;\">\r\n"
        "<b><i><strike><u>&#8240; &#8222;x&#8221; &#177; \xAC\xF3 &quot;q&quot;</u></strike></i></b>  </td>"
        " </tr>\r\n"
        "</table>\r\n";
    EXPECT_EQ(g->save_to_html().bytes(), want);

    // Only the last fixed column keeps its colours below the header; with
    // no fixed column every data cell is white.
    TStringAlignGrid* h = make(3, 2, 0, 1);
    h->set_col_colour(0, clRed);
    h->HTMLBorder = 2;
    h->HTMLCaption = "Tabela <1>";
    const std::string html = h->save_to_html().bytes();
    EXPECT_NE(html.find("bgcolor=#FFFFFF border=2 caption=\"Tabela &lt;1&gt;\">\r\n"), std::string::npos) << html;
    EXPECT_EQ(html.find("bgcolor=#FF0000"), std::string::npos);
    g->fixed_col_brush(0).Color = clLime;
    g->SetColor(clWhite);
    const std::string kept = g->save_to_html().bytes();
    EXPECT_NE(kept.find("  <th align=left bgcolor=#00FF00>  </th>  <td align=left>  </td>"), std::string::npos)
        << "column 0 keeps its colour; white is the grid's colour and is not written";
}

TEST_F(AlignGridRows, CodePageConversionForHtml) {
    // The letters ISO-8859-2 moved, the ones it shares, and the ones it lacks.
    EXPECT_EQ(cp1250_to_iso8859_2("ĄŚŹąśź"_cp), "\xA1\xA6\xAC\xB1\xB6\xBC");
    EXPECT_EQ(cp1250_to_iso8859_2("ŁłŻżĆćĘęŃńÓó°"_cp), "\xA3\xB3\xAF\xBF\xC6\xE6\xCA\xEA\xD1\xF1\xD3\xF3\xB0");
    EXPECT_EQ(cp1250_to_iso8859_2("©±«»–"_cp), "&#169;&#177;&#171;&#187;&#8211;");
    EXPECT_EQ(cp1250_to_iso8859_2("a&b"), "a&b");
}

TEST_F(AlignGridRows, ColumnsFitTheirWidestText) {
    TStringAlignGrid* g = make(3, 3, 0, 1);
    g->SetRow(0, {"Długość"_cp, "", "a"});
    g->SetRow(1, {"1", "", "x\r\nszeroki wiersz"});
    TFont big = g->Font();
    big.SetSize(14);
    g->fixed_font() = big;
    g->auto_size_cols();
    EXPECT_EQ(g->ColWidths(0), text_width(big, "Długość"_cp) + 4) << "the header in the fixed-cell font";
    EXPECT_EQ(g->ColWidths(1), 0) << "a column of empty cells";
    EXPECT_EQ(g->ColWidths(2), text_width(g->Font(), "szeroki wiersz") + 4) << "the widest line";
    g->auto_size_col(7);  // beyond the columns: nothing
    EXPECT_EQ(g->ColCount(), 3);

    g->SetBounds(0, 0, 300, 100);
    g->SetColWidth(0, 50);
    g->SetColWidth(1, 60);
    g->SetAutoAdjustLastCol(true);
    EXPECT_EQ(g->ColWidths(2), 300 - 110 - 3) << "the last column fills the rest, less the lines";
    g->SetGridLineWidth(2);
    EXPECT_EQ(g->ColWidths(2), 300 - 110 - 6);
    g->SetBounds(0, 0, 400, 100);
    EXPECT_EQ(g->ColWidths(2), 400 - 110 - 6);
}

}  // namespace
