// The table component's operations on its shape and its contents as a
// whole: rows and columns inserted, removed, exchanged and sorted with their
// properties and hints; the table as text, as an HTML table and on the
// clipboard; column widths fitted to their texts.
#include "widgets/aligrid.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/services.h"
#include "platform/sysutils.h"

// --- streams, code pages and the clipboard ---------------------------------------

void TMemoryStream::save_to_file(std::string_view path) const { write_file(path, data_); }

void write_stream_text(TMemoryStream& stream, std::string_view text) { stream.write(text); }

namespace {

// The characters of ISO-8859-2 from 0xA0 on.
constexpr char16_t iso8859_2_high[96] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164,
    0x0179, 0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102,
    0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170,
    0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// "&", "<", ">" and the double quote as HTML references.
std::string html_escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c; break;
        }
    }
    return out;
}

// A colour as RRGGBB, system colours resolved.
std::string html_colour(TColor c) {
    static const char digits[] = "0123456789ABCDEF";
    const TColor rgb = ColorToRGB(c);
    std::string out;
    for (const int shift : {0, 8, 16}) {
        const unsigned v = (rgb >> shift) & 0xFF;
        out += digits[v >> 4];
        out += digits[v & 0xF];
    }
    return out;
}

}  // namespace

std::string cp1250_to_iso8859_2(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        const char32_t u = cp1250_to_unicode(b);
        if (u < 0xA0) {
            out += static_cast<char>(u);
            continue;
        }
        const auto* hit = std::find(std::begin(iso8859_2_high), std::end(iso8859_2_high), static_cast<char16_t>(u));
        if (u <= 0xFFFF && hit != std::end(iso8859_2_high)) out += static_cast<char>(0xA0 + (hit - std::begin(iso8859_2_high)));
        else out += "&#" + IntToStr(static_cast<int64_t>(u)) + ";";
    }
    return out;
}

void stream_to_clipboard(const TMemoryStream& stream) { services().set_clipboard_text(stream.bytes()); }

bool clipboard_to_stream(TMemoryStream& stream) {
    const std::optional<std::string> text = services().clipboard_text();
    if (!text) return false;
    stream.write(*text);
    return true;
}

// --- the grid's shape ----------------------------------------------------------------

namespace {

// An empty entry at the index, where the store reaches it.
template <class T>
void open_entry(std::vector<T>& v, int i) {
    if (i >= 0 && i < static_cast<int>(v.size())) v.insert(v.begin() + i, T{});
}

template <class T>
void close_entry(std::vector<T>& v, int i) {
    if (i >= 0 && i < static_cast<int>(v.size())) v.erase(v.begin() + i);
}

template <class T>
void swap_entries(std::vector<T>& v, int a, int b) {
    const int n = std::max(a, b) + 1;
    if (static_cast<int>(v.size()) < n) {
        if (static_cast<int>(v.size()) <= std::min(a, b)) return;  // neither has an entry
        v.resize(static_cast<std::size_t>(n));
    }
    std::swap(v[static_cast<std::size_t>(a)], v[static_cast<std::size_t>(b)]);
}

}  // namespace

void TStringAlignGrid::insert_row(int row) {
    row = std::max(row, FixedRows());
    const bool reopen = EditorMode() && editor_.BoundRow >= row;
    if (reopen) HideEditor();
    open_entry(row_props_, row);
    for (auto& column : cell_props_) open_entry(column, row);
    for (auto& column : cell_hints_) open_entry(column, row);
    InsertRow(row);
    if (editor_.BoundRow >= row) ++editor_.BoundRow;
    if (reopen) ShowEditor();
    Invalidate();
}

void TStringAlignGrid::insert_col(int col) {
    col = std::max(col, FixedCols());
    const bool reopen = EditorMode() && editor_.BoundCol >= col;
    if (reopen) HideEditor();
    open_entry(col_props_, col);
    open_entry(cell_props_, col);
    open_entry(cell_hints_, col);
    InsertColumn(col);
    if (editor_.BoundCol >= col) ++editor_.BoundCol;
    if (reopen) ShowEditor();
    Invalidate();
}

void TStringAlignGrid::remove_row(int row) {
    // A table keeps one data row.
    if (row < FixedRows() || row >= RowCount() || FixedRows() + 1 == RowCount()) return;
    bool reopen = false;
    if (editing_ && editor_.BoundRow == row) {
        // The row goes with its edit: the edit is cancelled while the row
        // is still there.
        cancel_edit();
    } else if (EditorMode() && editor_.BoundRow > row) {
        HideEditor();
        reopen = true;
    }
    close_entry(row_props_, row);
    for (auto& column : cell_props_) close_entry(column, row);
    for (auto& column : cell_hints_) close_entry(column, row);
    DeleteRow(row);
    if (editor_.BoundRow > row) --editor_.BoundRow;
    if (reopen) ShowEditor();
    Invalidate();
}

void TStringAlignGrid::swap_row_records(int a, int b) {
    swap_entries(row_props_, a, b);
    for (auto& column : cell_props_) swap_entries(column, a, b);
    for (auto& column : cell_hints_) swap_entries(column, a, b);
}

void TStringAlignGrid::swap_col_records(int a, int b) {
    swap_entries(col_props_, a, b);
    swap_entries(cell_props_, a, b);
    swap_entries(cell_hints_, a, b);
}

void TStringAlignGrid::exchange_rows(int a, int b) {
    if (a == b || a < 0 || b < 0 || a >= RowCount() || b >= RowCount()) return;
    const bool reopen = EditorMode() && (editor_.BoundRow == a || editor_.BoundRow == b);
    if (reopen) HideEditor();
    swap_row_records(a, b);
    for (int c = 0; c < ColCount(); ++c) {
        const std::string text = Cells(c, a);
        const intptr_t object = Objects(c, a);
        SetCell(c, a, Cells(c, b));
        SetObject(c, a, Objects(c, b));
        SetCell(c, b, text);
        SetObject(c, b, object);
    }
    if (Row() == a) MoveCurrent(Col(), b);
    else if (Row() == b) MoveCurrent(Col(), a);
    if (editor_.BoundRow == a) editor_.BoundRow = b;
    else if (editor_.BoundRow == b) editor_.BoundRow = a;
    if (reopen) ShowEditor();
    Invalidate();
}

void TStringAlignGrid::exchange_cols(int a, int b) {
    if (a == b || a < 0 || b < 0 || a >= ColCount() || b >= ColCount()) return;
    const bool reopen = EditorMode() && (editor_.BoundCol == a || editor_.BoundCol == b);
    if (reopen) HideEditor();
    swap_col_records(a, b);
    for (int r = 0; r < RowCount(); ++r) {
        const std::string text = Cells(a, r);
        const intptr_t object = Objects(a, r);
        SetCell(a, r, Cells(b, r));
        SetObject(a, r, Objects(b, r));
        SetCell(b, r, text);
        SetObject(b, r, object);
    }
    const int wa = ColWidths(a);
    SetColWidth(a, ColWidths(b));
    SetColWidth(b, wa);
    if (Col() == a) MoveCurrent(b, Row());
    else if (Col() == b) MoveCurrent(a, Row());
    if (editor_.BoundCol == a) editor_.BoundCol = b;
    else if (editor_.BoundCol == b) editor_.BoundCol = a;
    if (reopen) ShowEditor();
    Invalidate();
}

// --- sorting -----------------------------------------------------------------------

void TStringAlignGrid::sort_by_column(int col, bool ascending) {
    const TCompareFunction compare = OnCompareCol;
    if (!compare) return;
    const int wanted = ascending ? 2 : 0;
    auto before = [&](int x, int y) { return compare(this, col, x, y) == wanted; };
    // Quicksort with the last row of each range as the pivot; the smaller
    // part is sorted by recursion and the larger one by the loop, so the
    // depth stays logarithmic whatever the order of the rows.
    auto partition = [&](int lo, int hi) {
        int i = lo, j = hi - 1;
        for (;;) {
            while (before(i, hi)) ++i;
            while (before(hi, j)) {
                if (j == lo) break;
                --j;
            }
            if (j <= i) break;
            exchange_rows(i, j);
            ++i;
            --j;
        }
        exchange_rows(i, hi);
        return i;
    };
    std::function<void(int, int)> sort = [&](int lo, int hi) {
        while (hi - lo > 0) {
            const int p = partition(lo, hi);
            if (p - lo < hi - p) {
                sort(lo, p - 1);
                lo = p + 1;
            } else {
                sort(p + 1, hi);
                hi = p - 1;
            }
        }
    };
    BeginUpdate();
    try {
        sort(FixedRows(), RowCount() - 1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// --- text --------------------------------------------------------------------------

TMemoryStream& TStringAlignGrid::write_text(TMemoryStream& stream, char separator, TGridRect area) {
    if (area.Right < area.Left || area.Right < 0) area.Right = ColCount() - 1;
    if (area.Left < 0) area.Left = 0;
    if (area.Bottom < area.Top || area.Bottom < 0) area.Bottom = RowCount() - 1;
    if (area.Top < 0) area.Top = 0;
    std::string out;
    for (int r = area.Top; r <= area.Bottom; ++r) {
        for (int c = area.Left; c <= area.Right; ++c) {
            out += Cells(c, r);
            out += separator;
        }
        out += "\r\n";
    }
    write_stream_text(stream, out);
    return stream;
}

TMemoryStream TStringAlignGrid::write_text(char separator, TGridRect area) {
    TMemoryStream stream;
    write_text(stream, separator, area);
    return stream;
}

void TStringAlignGrid::read_text_into(const std::string& bytes, char separator, TGridRect area, bool skip_read_only) {
    const int left = std::max(area.Left, 0), top = std::max(area.Top, 0);
    const bool open_right = area.Right < left, open_bottom = area.Bottom < top;
    // Lines end at CR LF, CR or LF; the text ends at a zero byte.
    const std::string_view text = std::string_view(bytes).substr(0, bytes.find('\0'));
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));

    BeginUpdate();
    try {
        int row = top;
        for (const std::string& l : lines) {
            if (!open_bottom && row > area.Bottom) break;
            if (row >= RowCount()) SetRowCount(row + 1);
            std::string rest = l + separator;
            int col = left;
            // A trailing separator adds no column; an empty line no cell.
            while ((open_right || col <= area.Right) && rest.size() > 1) {
                if (col >= ColCount()) SetColCount(col + 1);
                const std::size_t at = rest.find(separator);
                if (!skip_read_only || cell_editable(col, row)) SetCell(col, row, rest.substr(0, at));
                rest.erase(0, at + 1);
                ++col;
            }
            ++row;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringAlignGrid::read_text(const TMemoryStream& stream, char separator, TGridRect area) {
    read_text_into(stream.bytes(), separator, area, false);
}

void TStringAlignGrid::save_to_text_file(std::string_view path) {
    write_text('\t', TGridRect{0, 0, -1, -1}).save_to_file(path);
}

// --- the clipboard -----------------------------------------------------------------

void TStringAlignGrid::copy_area_to_clipboard(char separator, TGridRect area) {
    stream_to_clipboard(write_text(separator, area));
}

void TStringAlignGrid::copy_to_clipboard() { copy_area_to_clipboard('\t', TGridRect{0, 0, -1, -1}); }

void TStringAlignGrid::paste_from_clipboard(char separator, TGridRect area) {
    TMemoryStream stream;
    if (!clipboard_to_stream(stream)) {
        refuse_unrepresentable_text();
        return;
    }
    read_text_into(stream.bytes(), separator, area, true);
}

void TStringAlignGrid::clipboard_copy() { copy_area_to_clipboard('\t', Selection()); }

void TStringAlignGrid::clipboard_cut() {
    const TGridRect s = Selection();
    copy_area_to_clipboard('\t', s);
    BeginUpdate();
    for (int r = s.Top; r <= s.Bottom; ++r)
        for (int c = s.Left; c <= s.Right; ++c)
            if (cell_editable(c, r)) SetCell(c, r, "");
    EndUpdate();
}

void TStringAlignGrid::clipboard_paste() { paste_from_clipboard('\t', Selection()); }

// --- HTML --------------------------------------------------------------------------

TMemoryStream& TStringAlignGrid::save_to_html(TMemoryStream& stream) {
    auto text = [](std::string_view t) { return cp1250_to_iso8859_2(html_escaped(t)); };
    std::string out = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">\r\n";
    out += "<table width=\"100%\" border=1 style=\"border: solid 1 #000000; border-collapse: collapse\" bgcolor=#";
    out += html_colour(color_);
    if (HTMLBorder > 0) out += " border=" + IntToStr(HTMLBorder);
    if (!HTMLCaption.empty()) out += " caption=\"" + text(HTMLCaption) + "\"";
    out += ">\r\n";
    for (int r = 0; r < RowCount(); ++r) {
        out += " <tr>\r\n";
        for (int c = 0; c < ColCount(); ++c) {
            const bool fixed = fixed_cell(c, r);
            out += fixed ? "  <th" : "  <td";
            switch (cell_alignment(c, r)) {
                case alRight: out += " align=right"; break;
                case alCenter: out += " align=center"; break;
                default: out += " align=left"; break;
            }
            // Below the fixed rows only the last fixed column keeps its colour.
            const TColor background = r >= FixedRows() && c != FixedCols() - 1 ? clWhite : cell_colour(c, r);
            if (background != color_) out += " bgcolor=#" + html_colour(background);
            const std::string& cell = Cells(c, r);
            if (!cell.empty()) {
                const TFont& font = effective_font(c, r);
                out += " style=\"color:#" + html_colour(font.Color) + "; font-size:" + IntToStr(font.Size() + 2) + "pt;\">\r\n";
                if (font.Style & fsBold) out += "<b>";
                if (font.Style & fsItalic) out += "<i>";
                if (font.Style & fsStrikeOut) out += "<strike>";
                if (font.Style & fsUnderline) out += "<u>";
                out += text(cell);
                if (font.Style & fsUnderline) out += "</u>";
                if (font.Style & fsStrikeOut) out += "</strike>";
                if (font.Style & fsItalic) out += "</i>";
                if (font.Style & fsBold) out += "</b>";
            } else {
                out += ">";
            }
            out += fixed ? "  </th>" : "  </td>";
        }
        out += " </tr>\r\n";
    }
    out += "</table>\r\n";
    write_stream_text(stream, out);
    return stream;
}

TMemoryStream TStringAlignGrid::save_to_html() {
    TMemoryStream stream;
    save_to_html(stream);
    return stream;
}

// --- widths ------------------------------------------------------------------------

void TStringAlignGrid::auto_size_col(int col) {
    if (col < 0 || col >= ColCount()) return;
    int width = 0;
    for (int r = 0; r < RowCount(); ++r) {
        const std::string& t = Cells(col, r);
        if (t.empty()) continue;
        // As the formatted-text drawing lays it out: no wrapping, no prefix.
        TRect rc{0, 0, 0, 0};
        int height = 0;
        layout_draw_text(effective_font(col, r), t, rc, DT_CALCRECT | DT_NOPREFIX, height);
        width = std::max(width, rc.Width() + 4);
    }
    SetColWidth(col, width);
}

void TStringAlignGrid::auto_size_cols() {
    for (int c = ColCount() - 1; c >= 0; --c) auto_size_col(c);
}

void TStringAlignGrid::fit_last_col() {
    const int last = ColCount() - 1;
    int sum = 0;
    for (int c = 0; c < last; ++c) sum += ColWidths(c);
    const int allowance = (Options & (goVertLine | goFixedVertLine)) ? ColCount() * GridLineWidth : 0;
    const int client = ClientWidth() - (ScrollBarShown(true) ? ScrollBarSize : 0);
    if (sum < client) SetColWidth(last, std::max(0, client - sum - allowance));
}

void TStringAlignGrid::SetAutoAdjustLastCol(bool on) {
    auto_adjust_last_col_ = on;
    if (on) fit_last_col();
}

void TStringAlignGrid::SetGridLineWidth(int w) {
    GridLineWidth = w;
    Invalidate();
    if (auto_adjust_last_col_) fit_last_col();
}

void TStringAlignGrid::SetBounds(int left, int top, int width, int height) {
    TStringGrid::SetBounds(left, top, width, height);
    if (auto_adjust_last_col_) fit_last_col();
}

void TStringAlignGrid::ColWidthsChanged() { fire(this, OnColWidthsChanged, this); }

void TStringAlignGrid::RowHeightsChanged() { fire(this, OnRowHeightsChanged, this); }
