// TStringAlignGrid: the table component of every table of the program. A
// string grid whose cells, columns, rows, fixed columns and fixed rows carry
// their own alignment, word wrap, editability, font, background and
// selection colours, and whose cells carry hints; it edits cells in place
// and reports each edit to its owner, walks to the next editable cell after
// Enter, inserts, removes, exchanges and sorts rows with their properties,
// and writes itself as text, as an HTML table and to the clipboard.
//
// The implementation is split by subject: aligrid_properties.cpp (the
// property records and their look-up), aligrid_paint.cpp (painting and
// hints), aligrid_edit.cpp (editing and the walk), aligrid_rows.cpp (rows,
// columns, sorting, text, HTML, clipboard and sizing).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grids.h"

// Alignment of a cell's text; alDefault inherits.
enum TMyAlign : unsigned char { alRight = 0, alLeft = 1, alCenter = 2, alDefault = 3 };
// Word wrap of a cell's text; ww_default inherits.
enum T_Wordwrap : unsigned char { ww_none = 0, ww_wordwrap = 1, ww_ellipsis = 2, ww_default = 3 };
// The direction of the walk to the next cell: the first move, then the
// move when the first passes the edge ("rightdown": right, then down).
enum T_nextcell : unsigned char {
    nc_rightdown = 0, nc_downright = 1, nc_leftdown = 2, nc_downleft = 3,
    nc_leftup = 4, nc_upleft = 5, nc_rightup = 6, nc_upright = 7,
};
// What follows the last cell of the walk: a new row or column, nothing,
// the walk's first cell, or the window's next control.
enum T_lastcell : unsigned char { lc_newcolrow = 0, lc_stop = 1, lc_first = 2, lc_exit = 3 };

// The fonts and brushes of the property records. The grid repaints when it
// hands one out to be changed.
using TMyFont = TFont;
using TMyBrush = TBrush;

class TStringAlignGrid;

// The properties of one cell, column, row, fixed column or fixed row. Fonts
// and brushes are the record's own copies; a value of 3 (alignment, word
// wrap) or 0 (editable) inherits.
class TCellProperties {
public:
    explicit TCellProperties(TStringAlignGrid* owner) : owner_(owner) {}
    TCellProperties(const TCellProperties&) = delete;
    TCellProperties& operator=(const TCellProperties&) = delete;

    TStringAlignGrid* owner() const { return owner_; }

    TMyAlign Alignment = alDefault;
    T_Wordwrap Wordwrap = ww_default;
    // 0 inherits, 1 read-only, 2 editable.
    unsigned char Editable = 0;

    // Own background, background when selected, font, and font when
    // selected (of which only the colour counts); nullptr inherits.
    const TMyBrush* brush() const { return brush_.get(); }
    const TMyBrush* selected_brush() const { return selected_brush_.get(); }
    const TMyFont* font() const { return font_.get(); }
    const TMyFont* selected_font() const { return selected_font_.get(); }
    // Copies the values into the record's own object (made when missing);
    // nullptr drops it.
    void set_brush(const TBrush* b);
    void set_selected_brush(const TBrush* b);
    void set_font(const TFont* f);
    void set_selected_font(const TFont* f);
    // The record's own objects, to be changed in place (nullptr when none).
    TMyBrush* own_brush() { return brush_.get(); }
    TMyFont* own_font() { return font_.get(); }

    // Takes every value of the source; without a source the record inherits
    // everything.
    void assign(const TCellProperties* source);
    // Inherits everything and has no font or brush.
    bool is_empty() const;
    std::unique_ptr<TCellProperties> clone() const;

private:
    TStringAlignGrid* owner_;
    std::unique_ptr<TMyBrush> brush_;
    std::unique_ptr<TMyBrush> selected_brush_;
    std::unique_ptr<TMyFont> font_;
    std::unique_ptr<TMyFont> selected_font_;
};

// The state of the in-place editor: its alignment, whether it takes several
// lines, the cell it edits ((-1, -1) when none), whether that cell's
// before-edit step ran, and the cell's text when the edit began.
struct TNewInplaceEdit {
    TMyAlign Alignment = alLeft;
    bool Multiline = false;
    int BoundCol = -1;
    int BoundRow = -1;
    bool BeforeEditReported = false;
    std::string StartingText;
};

// Bytes built in memory and written out in one piece.
class TMemoryStream {
public:
    const std::string& bytes() const { return data_; }
    void write(std::string_view bytes) { data_.append(bytes); }
    void clear() { data_.clear(); }
    // Creates or replaces the file; raises EInOutError.
    void save_to_file(std::string_view path) const;

private:
    std::string data_;
};

// Appends the text's bytes to the stream, with no terminator.
void write_stream_text(TMemoryStream& stream, std::string_view text);
// A Windows-1250 text as ISO-8859-2 bytes; a character that ISO-8859-2
// lacks ("‰", "„") becomes an HTML numeric character reference ("&#8240;").
std::string cp1250_to_iso8859_2(std::string_view text);
// The stream's bytes as the clipboard's plain text.
void stream_to_clipboard(const TMemoryStream& stream);
// The clipboard's plain text into the stream; false (nothing written) when
// the clipboard holds text that Windows-1250 cannot hold.
bool clipboard_to_stream(TMemoryStream& stream);

enum class TGridClipboardRequest { Copy, Cut, Paste };

using TCellEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TCellEventBool = std::function<void(TObject* Sender, int ACol, int ARow, bool& Result)>;
using TShowHintCellProc =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TColEvent = std::function<void(TObject* Sender, int ACol)>;
using TRowEvent = std::function<void(TObject* Sender, int ARow)>;
// Compares two cells of a column (rows a and b) or of a row (columns a and
// b): 2 when the first is less, 1 when equal, 0 when greater.
using TCompareFunction = std::function<int(TObject* Sender, int Index, int A, int B)>;
using TClipboardRequestEvent = std::function<void(TObject* Sender, TGridClipboardRequest Request)>;

class TStringAlignGrid : public TStringGrid {
public:
    explicit TStringAlignGrid(TComponent* owner);
    ~TStringAlignGrid() override;
    const char* ClassName() const override { return "TStringAlignGrid"; }

    // Empty stores, the fixed-cell font and the grid-wide defaults; the
    // constructor runs it.
    virtual void init_properties();

    // --- grid-wide properties ------------------------------------------------
    // Alignment and word wrap of cells that no record decides (the default
    // value here reads as alLeft and ww_none).
    TMyAlign Alignment() const { return alignment_; }
    void SetAlignment(TMyAlign a);
    T_Wordwrap Wordwrap() const { return wordwrap_; }
    void SetWordwrap(T_Wordwrap w);
    bool Editable = true;
    void SetFixedColor(TColor c);
    TColor SelectedCellColor() const { return selected_cell_colour_; }
    void SetSelectedCellColor(TColor c);
    TColor SelectedFontColor() const { return selected_font_colour_; }
    void SetSelectedFontColor(TColor c);
    bool ShowCellHints = true;
    bool DrawSelection() const { return draw_selection_; }
    void SetDrawSelection(bool on);
    bool SelectEditText = true;
    bool EditMultiline = false;
    bool AutoEditNextCell = false;
    T_nextcell NextCellEdit = nc_rightdown;
    T_nextcell NextCellTab = nc_rightdown;
    T_lastcell AfterLastCellEdit = lc_newcolrow;
    T_lastcell AfterLastCellTab = lc_first;
    bool AutoAdjustLastCol() const { return auto_adjust_last_col_; }
    void SetAutoAdjustLastCol(bool on);
    // GridLineWidth with the last column fitted again.
    void SetGridLineWidth(int w);
    // Dragging a scroll bar's thumb scrolls the cells at once.
    bool RedrawWhileScroll = false;
    bool TracksThumb() const override { return TStringGrid::TracksThumb() || RedrawWhileScroll; }
    // Enter reaches the grid even while no cell is edited (the window's
    // default button does not take it).
    bool WantReturns = false;
    bool wants_key(Word key) const override { return TStringGrid::wants_key(key) || (WantReturns && key == VK_RETURN); }
    // The HTML table's border width (0: none) and caption (empty: none).
    int HTMLBorder = 0;
    std::string HTMLCaption;

    TCellEvent OnBeforeEdit;
    TCellEvent OnCancelEdit;
    TCellEventBool OnValidateEdit;
    TCellEvent OnAfterEdit;
    TShowHintCellProc OnShowHintCell;
    TColEvent OnFixedColClick;
    TRowEvent OnFixedRowClick;
    TNotifyEvent OnColWidthsChanged;
    TNotifyEvent OnRowHeightsChanged;
    TCompareFunction OnCompareCol;
    TCompareFunction OnCompareRow;
    // When set, the owner handles the clipboard keys (Shift+Insert,
    // Ctrl+Insert, Shift+Delete) instead of the grid.
    TClipboardRequestEvent OnClipboardRequest;

    // --- property records and their look-up (aligrid_properties.cpp) ---------
    TMyAlign cell_alignment(int col, int row) const;
    void set_cell_alignment(int col, int row, TMyAlign a);
    void set_col_alignment(int col, TMyAlign a);
    void set_row_alignment(int row, TMyAlign a);
    void set_fixed_col_alignment(int col, TMyAlign a);
    void set_fixed_row_alignment(int row, TMyAlign a);
    void reset_cell_alignment(int col, int row);
    void reset_cell_alignments();
    T_Wordwrap cell_wordwrap(int col, int row) const;
    void reset_cell_wordwrap(int col, int row);
    void reset_cell_wordwraps();
    bool cell_editable(int col, int row) const;
    void set_cell_editable(int col, int row, bool editable);
    void set_col_editable(int col, bool editable);
    void set_row_editable(int row, bool editable);
    void reset_cell_editable(int col, int row);
    void reset_cells_editable();

    TMyFont& cell_font(int col, int row);
    TMyFont& col_font(int col);
    TMyFont& row_font(int row);
    TMyFont& fixed_col_font(int col);
    TMyFont& fixed_row_font(int row);
    void reset_cell_font(int col, int row);
    void reset_row_font(int row);
    void reset_cell_fonts();
    const TFont& effective_font(int col, int row) const;
    // The font of fixed cells that no record gives a font.
    TFont& fixed_font() { return fixed_font_; }

    TMyBrush& cell_brush(int col, int row);
    TMyBrush& col_brush(int col);
    TMyBrush& row_brush(int row);
    TMyBrush& fixed_col_brush(int col);
    TMyBrush& fixed_row_brush(int row);
    TBrush effective_brush(int col, int row) const;
    TColor cell_colour(int col, int row) const;
    void set_cell_colour(int col, int row, TColor c);
    void set_col_colour(int col, TColor c);
    void set_row_colour(int row, TColor c);
    TColor col_colour(int col) const;
    void reset_cell_colour(int col, int row);
    void reset_col_colour(int col);
    void reset_row_colour(int row);
    void reset_cell_colours();
    void reset_col_colours();
    void reset_row_colours();
    void reset_all_cell_colours() { reset_cell_colours(); }
    void reset_all_row_colours() { reset_row_colours(); }
    TColor selected_cell_colour(int col, int row) const;
    TColor selected_font_colour(int col, int row) const;
    void set_cell_selected_colour(int col, int row, TColor c);
    void set_col_selected_colour(int col, TColor c);
    void set_row_selected_colour(int row, TColor c);

    std::string cell_hint(int col, int row) const;
    void set_cell_hint(int col, int row, std::string_view text);

    // Alignment, word wrap, editability, font and background of every cell
    // record back to inherit; the records of columns and rows and the
    // selection colours stay.
    void reset_all_properties();

    // The record itself (made on first use), for what a window's definition
    // sets beyond the operations above (word wrap, selected font colours);
    // the grid repaints.
    TCellProperties& cell_properties(int col, int row);
    TCellProperties& col_properties(int col);
    TCellProperties& row_properties(int row);
    TCellProperties& fixed_col_properties(int col);
    TCellProperties& fixed_row_properties(int row);

    // --- painting and hints (aligrid_paint.cpp) --------------------------------
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    // Font and background of the cell, with the selection colours; with
    // DefaultDrawing, the fill and the rectangle widened where a grid line
    // is left out.
    virtual void paint_cell_background(int col, int row, TGridDrawState state, TRect& rect);
    // With DefaultDrawing: the text, 2 pixels in from each side, by the
    // cell's alignment and word wrap.
    virtual void paint_cell_text(int col, int row, TGridDrawState state, TRect& rect);
    bool HintAt(int x, int y, std::string& text, THintInfo& info) override;
    // The cell whose hint shows, (-1, -1) when none.
    int hint_col() const { return hint_col_; }
    int hint_row() const { return hint_row_; }

    // --- editing (aligrid_edit.cpp) ------------------------------------------
    // A fresh editor state that edits no cell.
    void create_editor();
    const TNewInplaceEdit& editor() const { return editor_; }
    // From the before-edit step until the edit ends (and again after a
    // validation that failed).
    bool editing() const { return editing_; }
    // Gives the editor the current cell's alignment, font, colour and the
    // multiline setting, and binds it to the cell.
    void setup_editor();
    // Ends a running edit: cancelled as with Esc, or otherwise validated and
    // reported as when the user leaves the cell. While OnBeforeEdit runs the
    // edit has not begun and nothing is typed yet: ending it is left alone
    // (the editor opens and takes the key that started it), cancelling it
    // keeps the editor closed.
    void end_edit(bool cancel);
    // While OnValidateEdit and OnAfterEdit report the end of an edit; the
    // editor's EditorModified then tells whether the user changed its text.
    bool reporting_edit_end() const { return reporting_end_; }
    // The next cell to edit from (col, row), (-1, -1) when none.
    void next_edit_cell(int& col, int& row);
    // One step of the walk; at the end, `at_end` decides.
    void step_cell(T_nextcell direction, T_lastcell at_end, int& col, int& row);

    void KeyDown(Word& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoEnter() override;
    void DoExit() override;
    void SetBounds(int left, int top, int width, int height) override;

    // --- rows, columns, sorting, output, clipboard, sizing (aligrid_rows.cpp) --
    void insert_row(int row);
    void insert_col(int col);
    void remove_row(int row);
    void exchange_rows(int a, int b);
    void exchange_cols(int a, int b);
    void sort_by_column(int col, bool ascending);
    // The area's lines: each cell followed by the separator, each line by
    // CR LF. A right column (bottom row) before the left one or below 0
    // means the last column (row).
    TMemoryStream& write_text(TMemoryStream& stream, char separator, TGridRect area);
    TMemoryStream write_text(char separator, TGridRect area);
    // Fills the area from text lines, growing the table where the text
    // needs; a right column (bottom row) before the left one means no limit.
    void read_text(const TMemoryStream& stream, char separator, TGridRect area);
    void save_to_text_file(std::string_view path);
    void copy_area_to_clipboard(char separator, TGridRect area);
    void copy_to_clipboard();
    // Like read_text from the clipboard; read-only cells keep their texts.
    void paste_from_clipboard(char separator, TGridRect area);
    // The clipboard requests: the selection copied, cut (read-only cells
    // keep their texts) or pasted into (the selection's size limits it).
    void clipboard_copy();
    void clipboard_cut();
    void clipboard_paste();
    TMemoryStream& save_to_html(TMemoryStream& stream);
    TMemoryStream save_to_html();
    void auto_size_col(int col);
    void auto_size_cols();

protected:
    bool CanEditShow() override;
    void EditorShown() override;
    void EditorKeyPress(char& key) override;
    void KeyPressDefault(char& key) override;
    bool LeavingCell() override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void MovingRow(int from, int to) override;
    void MovingColumn(int from, int to) override;

private:
    using Store = std::vector<std::unique_ptr<TCellProperties>>;
    Store col_props_, row_props_, fixed_col_props_, fixed_row_props_;
    std::vector<Store> cell_props_;                                 // [col][row]
    std::vector<std::vector<std::optional<std::string>>> cell_hints_;  // [col][row]
    std::unique_ptr<TCellProperties> scratch_;  // takes what is written at a negative index
    TFont fixed_font_;
    TMyAlign alignment_ = alLeft;
    T_Wordwrap wordwrap_ = ww_none;
    TColor selected_cell_colour_ = clActiveCaption;
    TColor selected_font_colour_ = clWhite;
    bool draw_selection_ = true;
    bool auto_adjust_last_col_ = false;
    int hint_col_ = -1, hint_row_ = -1;

    TNewInplaceEdit editor_;
    bool editing_ = false;
    // OnBeforeEdit is running.
    bool opening_ = false;
    bool reporting_end_ = false;
    // The grid lost the focus while its editor was open.
    bool left_during_edit_ = false;
    int saved_sel_start_ = 0, saved_sel_length_ = 0;

    // Look-up helpers.
    static const TCellProperties* at(const Store& s, int i);
    TCellProperties& make(Store& s, int i);
    const TCellProperties* cell_record(int col, int row) const;
    bool fixed_cell(int col, int row) const { return col < FixedCols() || row < FixedRows(); }
    // The records on a cell's path: the cell's, then the column's (fixed
    // column's) and the row's (fixed row's).
    void path(int col, int row, const TCellProperties* (&out)[3]) const;

    // Editing helpers.
    void before_edit(int col, int row);
    void cancel_edit();
    // Validates and reports the end of the edit of (col, row); false when the
    // validation failed and the edit goes on.
    bool finish_edit(int col, int row);
    void end_with_enter(int col, int row);
    void clipboard_request(TGridClipboardRequest request);
    void tab_walk(bool backwards);

    // Rows and columns.
    void read_text_into(const std::string& text, char separator, TGridRect area, bool skip_read_only);
    void swap_row_records(int a, int b);
    void swap_col_records(int a, int b);
    void fit_last_col();
};
