// The string grid and the tab control: the hosts on which the table
// component and the profile tab strip are built. Both paint themselves
// through the canvas the front end gives them.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

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
    // A cell's own background colour; clNone = the grid's colour.
    TColor CellColor(int col, int row) const;
    void SetCellColor(int col, int row, TColor c);
    void SetObject(int col, int row, intptr_t o);
    // The texts of a column or row (growing the grid as needed).
    std::vector<std::string> Cols(int col) const;
    std::vector<std::string> Rows(int row) const;
    void SetRow(int row, const std::vector<std::string>& texts);
    void SetCol(int col, const std::vector<std::string>& texts);

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

    // The in-place editor.
    bool EditorMode() const { return editor_mode_; }
    void SetEditorMode(bool on);
    // The editor's text while it shows.
    const std::string& EditorText() const { return editor_text_; }
    void SetEditorText(std::string_view t);
    // The editor applies its text to the cell (OnSetEditText) and hides.
    void HideEditor();
    void ShowEditor();

    // Geometry: the cell at a client point (-1 outside) and a cell's rectangle.
    void MouseToCell(int x, int y, int& col, int& row) const;
    TRect CellRect(int col, int row) const;

    // Valid while painting.
    TCanvas* Canvas() const { return canvas_; }
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

    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);

    // Mouse: a click on a scrollable cell makes it current (Shift extends
    // the range when goRangeSelect is on).
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint pos) override;

protected:
    // Arrows, Tab, Home, End, PgUp, PgDn move the current cell; F2 and Enter
    // open the editor when goEditing is on.
    void KeyDownDefault(Word& key, TShiftState shift) override;
    void KeyPressDefault(char& key) override;
    void scroll_into_view();
    // Whether the cell may take a value typed by the user.
    virtual bool CanEditShow() const;

public:
    // Tab moves between the cells with goTabs.
    bool wants_key(Word key) const override { return key == VK_TAB && (Options & goTabs); }

private:
    int col_count_ = 5, row_count_ = 5, fixed_cols_ = 1, fixed_rows_ = 1;
    int default_col_width_ = 64, default_row_height_ = 24;
    std::vector<int> col_widths_, row_heights_;
    std::vector<std::vector<std::string>> cells_;   // [row][col]
    std::vector<std::vector<intptr_t>> objects_;    // [row][col]
    std::vector<std::vector<TColor>> cell_colors_;  // [row][col]
    int col_ = 1, row_ = 1;
    int anchor_col_ = 1, anchor_row_ = 1;
    TGridRect selection_{1, 1, 1, 1};
    int top_row_ = 1, left_col_ = 1;
    bool editor_mode_ = false;
    std::string editor_text_;
    TCanvas* canvas_ = nullptr;
    bool selecting_ = false;
    void resize_storage();
    void update_selection();
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
    TRect TabRect(int i) const;
    // The first tab shown (tabs scroll when they do not fit).
    int FirstVisibleTab() const { return first_visible_; }
    void ScrollTabs(int delta);

    TCanvas* Canvas() const { return canvas_; }
    void PaintTo(TCanvas& canvas) override;

    // The user clicked tab i: OnChanging may refuse; then TabIndex and OnChange.
    void user_select(int i);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    std::vector<TTabItem> tabs_;
    int tab_index_ = -1;
    int first_visible_ = 0;
    TCanvas* canvas_ = nullptr;
    int tab_width(int i) const;
    int tab_height() const;
};

