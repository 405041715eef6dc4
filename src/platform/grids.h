// The string grid and the tab control: the hosts on which the table
// component and the profile tab strip are built. Both paint themselves
// through the canvas the front end gives them.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/stdctrls.h"

class TImageList;

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0, goFixedHorzLine = 1u << 1, goVertLine = 1u << 2, goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4, goDrawFocusSelected = 1u << 5, goRowSizing = 1u << 6, goColSizing = 1u << 7,
    goRowMoving = 1u << 8, goColMoving = 1u << 9, goEditing = 1u << 10, goTabs = 1u << 11,
    goRowSelect = 1u << 12, goAlwaysShowEditor = 1u << 13, goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

enum TGridDrawFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;  // columns Left..Right, rows Top..Bottom
    bool operator==(const TGridRect&) const = default;
};

// Where a hint shows: the top-left corner of the hint window and the area
// the mouse may move in before the hint is asked for again (client
// coordinates of the control).
struct THintInfo {
    TPoint HintPos;
    TRect CursorRect;
};

// How the in-place editor shows; the front end's line edit follows it.
struct TEditorLook {
    TAlignment Alignment = TAlignment::taLeftJustify;
    TFont Font;
    TColor Color = clWindow;
    // Enter and the arrow keys stay in the editor.
    bool Multiline = false;
};

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class TStringGrid : public TWinControl, public TPaintable {
public:
    explicit TStringGrid(TComponent* owner);
    const char* ClassName() const override { return "TStringGrid"; }

    int ColCount() const { return col_count_; }
    int RowCount() const { return row_count_; }
    // Cells keep their texts when the grid grows back.
    void SetColCount(int n);
    void SetRowCount(int n);
    int FixedCols() const { return fixed_cols_; }
    int FixedRows() const { return fixed_rows_; }
    void SetFixedCols(int n);
    void SetFixedRows(int n);

    const std::string& Cells(int col, int row) const;
    void SetCell(int col, int row, std::string_view text);
    intptr_t Objects(int col, int row) const;
    void SetObject(int col, int row, intptr_t o);
    // The texts of a column or row (growing the grid as needed).
    std::vector<std::string> Cols(int col) const;
    std::vector<std::string> Rows(int row) const;
    void SetRow(int row, const std::vector<std::string>& texts);
    void SetCol(int col, const std::vector<std::string>& texts);

    // An empty row (column) of texts and objects before `row` (`col`, which
    // may be RowCount or ColCount: at the end); the later ones move down
    // (right) and so does the current cell. Heights and widths stay with
    // their positions. Delete removes one, the later ones moving up (left);
    // a grid keeps at least one row and column.
    void InsertRow(int row);
    void DeleteRow(int row);
    void InsertColumn(int col);
    void DeleteColumn(int col);

    int DefaultColWidth() const { return default_col_width_; }
    int DefaultRowHeight() const { return default_row_height_; }
    void SetDefaultColWidth(int w);
    void SetDefaultRowHeight(int h);
    int ColWidths(int col) const;
    int RowHeights(int row) const;
    void SetColWidth(int col, int w);
    void SetRowHeight(int row, int h);
    int GridLineWidth = 1;
    TGridOptions Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    bool DefaultDrawing = true;
    TColor FixedColor = clBtnFace;

    // The current cell. Setting it from code runs OnSelectCell, which may
    // refuse, as a click would.
    int Col() const { return col_; }
    int Row() const { return row_; }
    void SetCol(int c) { FocusCell(c, row_, true); }
    void SetRow(int r) { FocusCell(col_, r, true); }
    // Moves the current cell (and, with `move_anchor`, the whole selection).
    // Leaving a cell that is being edited ends its edit first
    // (LeavingCell); false when the move was refused. A move that changes
    // the current cell ends in Click (OnClick), by keys or from code alike;
    // a mouse press moves the cell and its release clicks.
    bool FocusCell(int col, int row, bool move_anchor);
    TGridRect Selection() const { return selection_; }
    void SetSelection(const TGridRect& r);

    // The first scrollable row and column shown.
    int TopRow() const { return top_row_; }
    int LeftCol() const { return left_col_; }
    void SetTopRow(int r);
    void SetLeftCol(int c);
    int VisibleRowCount() const;
    int VisibleColCount() const;
    // The largest TopRow (LeftCol) that still shows the last row (column)
    // whole: the end of the scroll bar's range.
    int MaxTopRow() const;
    int MaxLeftCol() const;

    // Scroll bars: which ones the grid may show; a bar shows when it is
    // allowed and the cells do not fit. The bars take their width from the
    // cells' area.
    TScrollStyle ScrollBars = TScrollStyle::ssBoth;
    static constexpr int ScrollBarSize = 16;
    bool ScrollBarShown(bool vertical) const;
    int CellAreaWidth() const;
    int CellAreaHeight() const;
    // Whether dragging a scroll bar's thumb scrolls the cells at once.
    virtual bool TracksThumb() const { return (Options & goThumbTracking) != 0; }

    // The in-place editor.
    bool EditorMode() const { return editor_mode_; }
    void SetEditorMode(bool on);
    // The editor's text while it shows; setting it writes the cell
    // (OnSetEditText) and puts the caret at its end.
    const std::string& EditorText() const { return editor_text_; }
    void SetEditorText(std::string_view t);
    // Whether the text was changed (typed, pasted, cut, deleted or set with
    // SetEditorText) since the editor last opened; Esc's restoring of the
    // text it opened with is no change. Kept after the editor closes.
    bool EditorModified() const { return editor_modified_; }
    // The text the editor opened with.
    const std::string& EditorStartText() const { return editor_start_text_; }
    // The editor's selection (the caret at SelStart when SelLength is 0).
    int EditorSelStart() const { return editor_sel_start_; }
    int EditorSelLength() const { return editor_sel_length_; }
    void SetEditorSelection(int start, int length);
    // Replaces the editor's selection, as typing or a paste does.
    void EditorReplaceSelection(std::string_view text);
    const TEditorLook& EditorLook() const { return editor_look_; }
    // The editor closes (its text is already in the cell).
    void HideEditor();
    // Opens the editor on the current cell when CanEditShow allows, with its
    // whole text selected.
    void ShowEditor();

    // Geometry: the cell at a client point (-1 outside) and a cell's rectangle.
    void MouseToCell(int x, int y, int& col, int& row) const;
    // The same for each axis alone: the column under x and the row under y,
    // each -1 when the point lies outside the columns (rows).
    void MouseCoord(int x, int y, int& col, int& row) const;
    TRect CellRect(int col, int row) const;

    // The hint for the mouse resting at a client point: false when none
    // shows. The grid's own Hint, unless a derived grid has hints per cell.
    virtual bool HintAt(int x, int y, std::string& text, THintInfo& info);
    // Hides the hint that shows now (the front end hears Prop::Hint).
    void CancelHint() { changed(Prop::Hint); }

    // Valid while painting.
    TCanvas* Canvas() const { return canvas_; }
    // The cells that show, each cell's grid lines (or the grid's colour
    // where Options leave a line out) first.
    void PaintTo(TCanvas& canvas) override;

    // Changes between these (they nest) reach the observers once, at the
    // last EndUpdate: filling every cell of a table is one notification.
    void BeginUpdate() { hold_changes(); }
    void EndUpdate() { release_changes(); }

    // Paints one cell the default way (background, text with a margin of 2).
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TNotifyEvent OnTopLeftChanged;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;

    // A column (row) moves to another index, the others between shifting
    // by one; the current cell stays on its column (row).
    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);
    // The index that `index` has after an item moved from `from` to `to`.
    static int MovedIndex(int index, int from, int to);

    // Mouse: a press on a scrollable cell makes it current (Shift extends
    // the range when goRangeSelect is on) and its release runs Click; a
    // press on the cell whose editor is open is the editor's, and a press on
    // a fixed cell clicks nothing.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint pos) override;

    // A character: with goEditing, Backspace and printable characters open
    // the editor first (which takes them); while the editor is open they go
    // to it (EditorKeyPress); otherwise OnKeyPress and KeyPressDefault.
    void KeyPress(char& key) override;

protected:
    // Without the editor: arrows, Tab, Home, End, PgUp, PgDn move the
    // current cell; F2 opens the editor with the caret at the end. With the
    // editor open: Up, Down, PgUp, PgDn (and Tab with goTabs) move the
    // cell; Left, Right, Home, End, Delete and the clipboard keys work on
    // the editor's text.
    void KeyDownDefault(Word& key, TShiftState shift) override;
    // Without the editor: Enter opens it (goEditing).
    void KeyPressDefault(char& key) override;
    // A character typed into the open editor: OnKeyPress sees it first;
    // Enter closes the editor, Esc puts the text it opened with back and
    // closes it, other characters replace the selection.
    virtual void EditorKeyPress(char& key);
    // The current cell is about to change while the cell may be edited:
    // false keeps the cell. The editor closes here.
    virtual bool LeavingCell();
    // Column widths (row heights) changed.
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}
    // A row (column) moves from one index to another; called before the
    // texts move.
    virtual void MovingRow(int /*from*/, int /*to*/) {}
    virtual void MovingColumn(int /*from*/, int /*to*/) {}
    void scroll_into_view();
    // Moves the current cell and the selection's anchor there, with no
    // event: for operations that move the cell's contents with it.
    void MoveCurrent(int col, int row);
    // FocusCell without the Click: the mouse's part of a click.
    bool move_current(int col, int row, bool move_anchor);
    // Whether the editor may open on the current cell.
    virtual bool CanEditShow();
    // The editor has opened with its text selected.
    virtual void EditorShown() {}
    void SetEditorLook(const TEditorLook& look) { editor_look_ = look; }

public:
    // Tab moves between the cells with goTabs; Enter and Esc belong to the
    // open editor.
    bool wants_key(Word key) const override {
        return (key == VK_TAB && (Options & goTabs)) || (editor_mode_ && (key == VK_RETURN || key == VK_ESCAPE));
    }

private:
    int col_count_ = 5, row_count_ = 5, fixed_cols_ = 1, fixed_rows_ = 1;
    int default_col_width_ = 64, default_row_height_ = 24;
    std::vector<int> col_widths_, row_heights_;
    std::vector<std::vector<std::string>> cells_;   // [row][col]
    std::vector<std::vector<intptr_t>> objects_;    // [row][col]
    int col_ = 1, row_ = 1;
    int anchor_col_ = 1, anchor_row_ = 1;
    TGridRect selection_{1, 1, 1, 1};
    int top_row_ = 1, left_col_ = 1;
    bool editor_mode_ = false;
    std::string editor_text_;
    std::string editor_start_text_;
    int editor_sel_start_ = 0;
    int editor_sel_length_ = 0;
    TEditorLook editor_look_;
    bool editor_modified_ = false;
    TCanvas* canvas_ = nullptr;
    bool selecting_ = false;
    // A left press landed on a cell: its release is a click.
    bool click_pending_ = false;
    void resize_storage();
    void update_selection();
    void editor_key_down(Word& key, TShiftState shift);
    void write_editor_text(std::string text, int caret);
    int content_width() const;
    int content_height() const;
};

struct TTabItem {
    std::string Text;
    int ImageIndex = -1;
    intptr_t Data = 0;
};

using TDrawTabEvent = std::function<void(TObject* Control, int TabIndex, const TRect& Rect, bool Active)>;

class TTabControl : public TWinControl, public TPaintable {
public:
    explicit TTabControl(TComponent* owner);
    const char* ClassName() const override { return "TTabControl"; }

    int TabCount() const { return static_cast<int>(tabs_.size()); }
    const TTabItem& Tab(int i) const { return tabs_.at(static_cast<std::size_t>(i)); }
    void AddTab(std::string_view text, intptr_t data = 0, int image = -1);
    void InsertTab(int i, std::string_view text, intptr_t data = 0, int image = -1);
    void DeleteTab(int i);
    void MoveTab(int from, int to);
    void SetTabText(int i, std::string_view text);
    void SetTabData(int i, intptr_t data);
    void SetTabImage(int i, int image);
    void ClearTabs();
    int TabIndex() const { return tab_index_; }
    // From code: runs nothing.
    void SetTabIndex(int i);
    bool OwnerDraw = false;
    bool MultiLine = false;
    int TabHeight = 0;  // 0: from the font
    int TabWidth = 0;   // 0: from the text
    component_ref<TImageList> Images{this};
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;

    // The tab under a client point, -1 when none.
    int IndexOfTabAt(int x, int y) const;
    // The rectangle of a tab that shows (empty otherwise): along the top.
    virtual TRect TabRect(int i) const;
    // The first tab shown (tabs scroll when they do not fit).
    int FirstVisibleTab() const { return first_visible_; }
    void ScrollTabs(int delta);

    TCanvas* Canvas() const { return canvas_; }
    void PaintTo(TCanvas& canvas) override;

    // The user clicked tab i: OnChanging may refuse; then TabIndex and OnChange.
    void user_select(int i);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    // A tab's length along the strip and the strip's thickness.
    virtual int tab_width(int i) const;
    int tab_height() const;
    void set_canvas(TCanvas* canvas) { canvas_ = canvas; }

private:
    std::vector<TTabItem> tabs_;
    int tab_index_ = -1;
    int first_visible_ = 0;
    TCanvas* canvas_ = nullptr;
};

