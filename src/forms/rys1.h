// The main window.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/comctrls.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "widgets/aligrid.h"
#include "widgets/comctrls95.h"
#include "widgets/zoom_panel.h"

class DXF_Object;
class selection_lists;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    TMainMenu* MainMenu1;
    TMenuItem* mi_ObjectInsert;  // "Wstaw &obiekt"; its items come from the object table
    TMenuItem* mi_All;           // "Wszystkie profile"
    TActionList* ActionList1;
    TAction* a_SewageTreatmentPlant;  // shows the treatment-plant page
    TAction* a_it_WithoutInfoTable;   // drawings without the title block
    TToolBar* ToolBar1;
    TToolButton* tb_bezmetryki;
    TToolButton* tb_HideCrossing;
    TToolButton* tb_HideProtectingPipes;
    TToolButton* tb_HideCrossSections;
    TToolButton* tb_HideBoundaryDesc;
    TToolButton* tb_HidePageBorders;
    TSpeedButton* sb_LockTabShifting;
    TStatusBar* StatusBar1;
    TTimer* t_Save;   // autosave
    TTimer* t_Hints;  // restores the status bar after a short note
    TOpenDialog* OD1;
    TSaveDialog* SD1;

    // The pages: treatment plant, data, preview.
    TPageControl* PageControl1;
    TTabSheet* ts_SewageTreatment;
    TTabSheet* ts_Data;
    TTabSheet* ts_DrawingPreview;
    TStringAlignGrid* sg1;  // the node table
    Zoom_panel* Zoombox;  // the drawing preview

    // The side panel: the current profile's drawing parameters, those of
    // the table in gb_DataPanel, those of the drawing in gb_PreviewPanel
    // (shown with the preview).
    TPanel* p_Side;
    TGroupBox* gb_DataPanel;
    TGroupBox* gb_PreviewPanel;
    TRadioGroup* rg_ManuallyValue;
    TRadioGroup* rg_ManuallyValueDistance;
    TRadioGroup* rg_PipeOrdinateMode;
    TCheckBox* cb_CalculateTerrainFromDepth;
    TCheckBox* cb_PipellTerrain;
    TCheckBox* cb_CompareLevel;
    TEdit* e_CompareLevel;
    TCheckBox* cb_CustomXScale;
    TEdit* e_ProfileXScale;
    TEdit* e_StartX;
    TEdit* e_StartY;
    TEdit* e_StartAngle;
    TRadioButton* rb_FlowDirectionLR;
    TRadioButton* rb_FlowDirectionRL;
    TComboBox* cb_NetworkType;
    TComboBox* cb_NodeDescription;
    TComboBox* cb_NodeWithSumpDescription;
    TComboBox* cb_SectionDescription;
    TEdit* e_CrossingDescription;
    TEdit* e_ProtectingPipeDescription;
    TCheckBox* cb_CrossingDescLikeInEditor;
    TCheckBox* cb_ProtectingPipeDescLikeInEditor;

    // The treatment-plant page.
    TPageControl* PageControl2;
    TTabSheet* ts_Drainage;
    TTabSheet* ts_SandFilter;
    TEdit* e_ElectrLength;
    TEdit* e_VentLength;
    TRadioButton* rb_VentWallInside;
    TRadioButton* rb_VentWallOutside;
    TCheckBox* cb_VentMast;
    TTrackBar* tb_DrainageTrenchAmount;
    TTrackBar* tb_DrainageTrenchLength;
    TSpinEdit* se_DrainageBedsAmount;
    TSpinEdit* se_DrainageMinLength;
    TEdit* e_DistanceBetweenPipes;
    TCheckBox* cb_IsEndBar;
    TCheckBox* cb_DrainageEndBar;
    TEdit* e_SandLayerHeight;
    TEdit* e_GravelLayerHeight;
    TCheckBox* cb_MarkDrainageLayersOnDrawing;
    TCheckBox* cb_DrainagePiezometer;
    TStringAlignGrid* sg_FirstSump;
    TStringAlignGrid* sg_LastSump;
    TTrackBar* tb_SandFilterWidth;
    TTrackBar* tb_SandFilterLength;
    TSpinEdit* se_SandFilterMinArea;
    TCheckBox* cb_SandFilterAutoCorrect;

    // The profiles: the tab strip under the node table (the selected tab is
    // the current profile), its popup menu and the "Profil" menu.
    TTab95Control* tab_profile;
    TPopupMenu* pm_tabs;
    TMenuItem* mi_Draw;             // "Uwzględnij": the profiles included in the drawing
    TMenuItem* mi_that1;
    TMenuItem* mi_only1;
    TMenuItem* mi_OnlyTheSameType;  // its caption names the current profile's network type
    TMenuItem* mi_AllWithout1;
    TMenuItem* mi_Profile;
    TMenuItem* mi_ImportCrossingsFromDxfFile;  // hidden until the crossing import exists
    TAction* a_ProfileNew;
    TAction* a_ProfileRename;
    TAction* a_ProfileDelete;
    TAction* a_ProfileDuplicate;
    TAction* a_ProfileChangeOrder;
    TAction* a_ProfileMarkAsMain;
    TAction* a_ProfileJoin;
    TAction* a_ProfileSplit;
    TAction* a_SearchNodeProfil;
    // The objects: the editor of the current node's object (F3, enabled by
    // the table when a node with an object is chosen) and the library.
    TAction* a_ObjectEdit;
    TAction* a_Objects;
    // The terrain-description editor of the current profile; its caption
    // also heads the terrain descriptions in the profile sheet's legend.
    TAction* a_TerrainDescription;
    TSpeedButton* sb_ObjectParameters;
    // The pick list shown under a cell of the node table.
    TListBox* lb_listy;
    // The position in mi_ObjectInsert of the group submenu whose items the
    // object pick list shows (the pick list remembers it when a group
    // entry is chosen).
    int object_category = 0;

    // The object text of the current node before the object menu changed it;
    // an object insertion the user cancels restores it.
    std::string previous_object;

    // The click of the object items of mi_ObjectInsert: puts the item's
    // object on the current node and inserts it.
    void mi_InspectionChamberClick(TObject* Sender);
    // The node of the current table row (its row less the two header rows).
    int current_node() const;

    // The node table: empties the data cells; shows the profile's nodes
    // (for now its row count: the nodes and the two header rows, at least 3).
    void czysc_dane();
    void odswiez_dane(uint16_t profile, bool flag);
    // A pending cell edit of the node table is finished.
    void finish_cell_edit();

    // --- the node table and the side panel (app/rys1_columns.cpp, rys1_edit.cpp,
    // undo.cpp, rys1_nodes.cpp, rys1_colours.cpp) -----------------------------
    TLabel* st_ProfileName;     // "%s [%d/%d]": the current profile
    TLabel* l_NodeNo;           // "%s [%d/%d]:": the current node
    TStringAlignGrid* sag_Panel;  // the kinds that stand in the side panel, one row each
    TAction* a_Exit;
    TAction* a_Undo;
    TAction* a_Redo;
    TMenuItem* mi_Edit;  // "&Edycja"
    TMenuItem* mi_Node;  // "Węzeł"
    TAction* a_NodeInsert;
    TAction* a_NodeAdd;
    TAction* a_NodeDelete;
    TAction* a_NodeCut;
    TAction* a_NodeCopy;
    TAction* a_NodePaste;
    TPopupMenu* pm_dane;
    TAction* a_CellCut;
    TAction* a_CellCopy;
    TAction* a_CellPaste;
    TMenuItem* sb_CopyToClipboard;
    TAction* a_AdjustColWidths;
    // An edit was cancelled; the end of edit that may follow is ignored.
    bool edit_cancelled = false;

    // Columns: rebuilds the table columns and the panel rows from the column
    // order (every kind to the panel with `all_to_panel`).
    void przypisz_kolumny(bool all_to_panel);
    // Writes the nodes of the profiles first..last into the table; with
    // `blank_last_row` the last row loses the cells of the pipe after it.
    void odswiez_dane(uint16_t first, uint16_t last, bool blank_last_row);
    // Fills the panel's value column for a node of the current profile.
    void odcinek_2_panel(int node);
    // The model's czy_sa_dane.
    bool czy_sa_dane(uint16_t profile, const std::string& what) const;
    void sg1ColumnMoved(TObject* Sender, int from, int to);
    void sg1ColWidthsChanged(TObject* Sender);
    void sg1FixedColClick(TObject* Sender, int col);
    void a_AdjustColWidthsExecuate(TObject* Sender);
    // The column position a panel row stands for.
    int panel_position(int panel_row) const;
    // The text written for a column position in a table row: the table's
    // cell, or for a position past the table's columns the text kept for it.
    const std::string& table_text(int position, int row) const;
    std::vector<std::vector<std::string>> hidden_cells;  // [row][position]: past the table's columns

    // The road of one edit.
    void sg1BeforeEdit(TObject* Sender, int col, int row);
    void sg1KeyPress(TObject* Sender, char& key);
    void sg1CancelEdit(TObject* Sender, int col, int row);
    void sg1AfterEdit(TObject* Sender, int col, int row);
    void zmien_wartosc_wezla(uint8_t column, double first, double second, int node, const std::string& name);
    // The renaming of a node by its name cell: its namesakes (asked), its
    // sump, and the data of a node that already bears the new name (asked).
    void rename_node(uint16_t profile, int node, const std::string& new_name);
    void zmien_wartosc_wezla_1par(uint8_t column, const std::string& object, const std::string& name,
                                  int node = -1);

    // Undo and redo of cell edits.
    void undo(uint8_t column, uint16_t profile, int node, const std::string& text, double first, double second);
    void a_UndoExecute(TObject* Sender);
    void a_RedoExecute(TObject* Sender);

    // Keys, node commands and the clipboards.
    void sg1KeyDown(TObject* Sender, Word& key, TShiftState shift);
    void sg1Click(TObject* Sender);
    void Wstaw1Click(TObject* Sender);
    void usun_wezel(uint16_t profile, int first, bool silent, int last);
    void kasowanie_pustych();
    void kopiuj_wezel(uint16_t profile, int row);
    void wklej_wezel();
    void cell_copy(TStringAlignGrid* grid);
    void a_NodeExecute(TObject* Sender);
    void a_NodeAddExecute(TObject* Sender);
    void a_NodeDeleteExecute(TObject* Sender);
    void a_NodeCutExecute(TObject* Sender);
    void a_NodeCopyExecute(TObject* Sender);
    void a_NodePasteExecute(TObject* Sender);
    void a_CellCutExecute(TObject* Sender);
    void a_CellCopyExecute(TObject* Sender);
    void a_CellPasteExecute(TObject* Sender);
    void sb_CopyToClipboardClick(TObject* Sender);

    // Start and stop: the window's place from the settings and the missing
    // objects folder at creation; the language, the columns, the tabs and
    // the blank node buffer at the first showing; the view (place, tool
    // buttons, column order and widths) kept at the close, and the autosave
    // file deleted.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    // "Za&kończ" (Alt+F4): closes the window, asking first about unsaved work.
    void a_ExitExecute(TObject* Sender);

    // Colouring and the current cell.
    void koloruj_kolumny();
    void koloruj_komorki(int first, int last);
    void koloruj_panel(int row);
    void sg1SelectCell(TObject* Sender, int col, int row, bool& can_select);
    void sg1DblClick(TObject* Sender);

    // The profile panel (app/rys1_panel.cpp): every change the user makes is
    // written into the current profile (the sheet origins into the project)
    // at once and marks the project modified. The choices of the entered
    // values, the pipe reference and the parallel pipe recalculate the
    // profile; the network type and the flow direction sum its flows again.
    void rg_ManuallyValueClick(TObject* Sender);
    void cb_CalculateTerrainFromDepthClick(TObject* Sender);
    void rg_PipeOrdinateModeClick(TObject* Sender);
    void cb_PipellTerrainClick(TObject* Sender);
    void cb_NetworkTypeChange(TObject* Sender);
    void rb_FlowDirectionLRClick(TObject* Sender);
    void cb_CompareLevelClick(TObject* Sender);
    void cb_CustomXScaleClick(TObject* Sender);
    // The five number edits: "-" and "" count as 0; a text that does not
    // convert raises the conversion error and stores nothing.
    void e_CompareLevelChange(TObject* Sender);
    // Leaving the level or the own scale offers them to the other profiles;
    // the own scale of a one-profile project becomes the general one.
    void e_CompareLevelExit(TObject* Sender);
    void e_ProfileXScaleExit(TObject* Sender);
    void e_CompareLevelKeyPress(TObject* Sender, char& key);
    void e_ProfileXScaleKeyPress(TObject* Sender, char& key);
    // Enter: from the level or the scale to the node table; in the preview's
    // group the sheet shown is drawn again.
    void e_CompareLevelKeyDown(TObject* Sender, Word& key, TShiftState shift);
    void e_StartAngleKeyDown(TObject* Sender, Word& key, TShiftState shift);
    // The last entry of a description list opens the settings at its list.
    void cb_NodeDescriptionChange(TObject* Sender);
    void cb_CrossingDescLikeInEditorClick(TObject* Sender);
    void cb_ProtectingPipeDescLikeInEditorClick(TObject* Sender);
    // The description lists take their value lists and the customise entry.
    void wypelnij_listy_opisow();
    // The sheet whose button is down is drawn again while the preview shows.
    void przerysuj_podglad();

    // The tab strip: rebuilds every tab and selects `index` (the last tab
    // when it is past the end), then runs the change handler; re-captions
    // the tabs in place.
    void tabs_odswiez(int index);
    void tabs_odswiez_nazwy();
    // Makes the selected tab's profile current and shows it.
    void tab_profileChange(TObject* Sender);
    // Loads the current profile's settings into the profile panel without
    // running the handlers that recalculate.
    void przypisz_wartosci_z_odcinka_do_kontrolek();
    // The side panel shows the profile's flow direction when it is current.
    void show_flow_direction(uint16_t profile);

    // The profile commands.
    void Dodajodcinek1Click(TObject* Sender);
    void mi_ChangeNameClick(TObject* Sender);
    void a_ProfileDeleteExecute(TObject* Sender);
    void a_ProfileDuplicateExecute(TObject* Sender);
    void a_ProfileChangeOrderExecute(TObject* Sender);
    void a_ProfileMarkAsMainExecute(TObject* Sender);
    void a_ProfileJoinExecute(TObject* Sender);
    void a_ProfileSplitExecute(TObject* Sender);
    void a_SearchNodeProfilExecute(TObject* Sender);
    void pm_tabsPopup(TObject* Sender);
    void mi_ProfileClick(TObject* Sender);
    // The inclusion of profiles in the drawing.
    void mi_rysujClick(TObject* Sender);
    void mi_only1Click(TObject* Sender);
    void mi_OnlyTheSameTypeClick(TObject* Sender);
    void mi_AllWithout1Click(TObject* Sender);
    void mi_AllClick(TObject* Sender);

    // Objects: the pick list's items (".." or a group text ending in
    // "...") or the insertion of the named object at the current node.
    void obiekty(const std::string& text);
    void a_ObjectEditExecute(TObject* Sender);
    void a_ObjectsExecute(TObject* Sender);

    // The tab-moving rule: the profile tabs move only while the button is up.
    void sb_LockTabShiftingClick(TObject* Sender);

    // The title block: the page "&Metryka" with its editing area, where the
    // boxes "tabs0" (the title list) and "tabs1", "tabs2", ... stand (they
    // are made at run time, owned by this window); its tool bar, its menu
    // and their actions.
    TTabSheet* ts_InfoTable;
    TScrollBox* ScrollBox1;  // the editing area
    TPaintBox* Shape1;       // its cross-hatched ground
    TToolBar* tb_InfoTable;
    TMenuItem* mi_InfoTable;  // "&Metryka"
    TAction* a_it_TemplateNew;
    TAction* a_it_TemplateOpen;
    TAction* a_it_TemplateSave;
    TAction* a_it_TitleList;
    TAction* a_it_TextboxInsert;
    TAction* a_it_TextboxDelete;
    // The arrows: their names end, after eleven characters, in the direction.
    TAction* a_it_Arrow_Left;
    TAction* a_it_Arrow_Right;
    TAction* a_it_Arrow_Up;
    TAction* a_it_Arrow_Down;
    // The arrows move or size the selected box, as one of these is chosen.
    TMenuItem* mi_Location;  // "Zmień &położenie"
    TMenuItem* mi_Size;      // "Zmień &rozmiar"
    TToolButton* tb_mprzesun;
    TToolButton* tb_mrozmiar;
    TToolButton* tb_m10;     // every arrow step times 10 while down
    TOpenDialog* OD_InfoTable;
    TSaveDialog* SD_InfoTable;
    // The name of the box that last received or lost the focus.
    std::string selected_title_box;

    // A text box "tabs" + n on the editing area: navy text, tabs kept as
    // text, no word wrap, the box handlers below; empty.
    TMemo* make_text_box(int n, int left, int top, int width, int height);
    // The title list "tabs0" on the editing area, flat, with the focus handler.
    TComboBox* make_title_list(int left, int top, int width);
    // What connect_handlers() gives every box: the focus (entering and
    // leaving), a change of its text, the mouse going down and moving.
    TNotifyEvent title_box_focus;
    TNotifyEvent title_box_change;
    TMouseEvent title_box_mouse_down;
    TMouseMoveEvent title_box_mouse_move;

    // Whether to keep the title block as a template first (IDYES, IDNO,
    // IDCANCEL); on Yes the template is saved.
    int czy_zapis_metryka();
    void a_it_TemplateNewExecute(TObject* Sender);
    void a_it_TemplateOpenExecute(TObject* Sender);
    void a_it_TemplateSaveExecute(TObject* Sender);
    void a_it_WithoutInfoTableExecute(TObject* Sender);
    void a_it_TitleListExecute(TObject* Sender);
    void a_it_TextboxInsertExecute(TObject* Sender);
    void a_it_TextboxDeleteExecute(TObject* Sender);
    void sb_r_Click(TObject* Sender);
    void mi_LocationClick(TObject* Sender);
    void mi_SizeClick(TObject* Sender);
    void tb_mprzesunClick(TObject* Sender);
    void tb_mrozmiarClick(TObject* Sender);
    // A box records its name as the selected one.
    void test(TObject* Sender);
    void Edit1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Edit1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void ts_InfoTableShow(TObject* Sender);
    // The main pages changed: the commands and tool bars of each page.
    void PageControl1Change(TObject* Sender);

    // Documents from templates: the command "Dokumenty skojarzone" (Ctrl+D)
    // in the menu "&Narzędzia" shows the template chooser.
    TAction* a_Templates;
    TMenuItem* mi_Tools;
    void a_TemplatesExecute(TObject* Sender);
    // The preview's sheet buttons (exactly one is down; the sump button's
    // tag is 100 + the index of the sump its sheet shows) and the chooser
    // of the current profile's cross-section for the cross-section sheet.
    TToolButton* tb_PreviewProfile;
    TToolButton* tb_PreviewCrossSection;
    TToolButton* tb_PreviewScheme;
    TToolButton* tb_PreviewSump;
    TComboBox* cb_CrossSections;

    // The project file: the file commands, their tool bar and the "&Plik"
    // menu, the three recent-files menus (their names after the first six
    // characters give the sections "pliki", "pliki_metryka" and
    // "pliki_skojarzone" of the user's "halvoren.ini"), the project data
    // commands, help and the settings.
    TMenuItem* mi_File;
    TMenuItem* mi_SaveAs;  // "Z&apisz jako..."
    TMenuItem* mi_Help;
    TAction* a_ProjectNew;
    TAction* a_ProjectOpen;
    TAction* a_ProjectSave;  // enabled exactly while the project is modified
    TAction* a_ProjectData;
    TAction* a_CopyData;
    TAction* a_PasteData;
    TAction* a_Help;
    TAction* a_Configuration;
    TToolBar* tb_plik1;
    TToolButton* sb_nowy_projekt;
    TToolButton* PJSB_otworz;               // its drop-down: the recent projects
    TToolButton* PJLinkedMenuSpeedButton2;  // the recent title-block templates
    TToolButton* PJLinkedMenuSpeedButton3;  // the recent document templates
    TToolButton* SpeedButton6;              // help
    TToolButton* SpeedButton8;              // settings
    TPopupMenu* pm_rec;
    TPopupMenu* pm_rec_metryka;
    TPopupMenu* pm_rec_skojarzone;

    // The save-changes question (IDYES, IDNO, IDCANCEL): asked when the
    // project is modified and holds something; the project's file then
    // goes to the top of the recent projects unless the answer is Cancel;
    // Yes saves, and a save that does not complete answers Cancel.
    int czy_zapis();
    // True when none of the profiles first to last holds a node, a
    // crossing, a casing pipe or a cross-section.
    bool czypuste(int first, int last) const;
    // Opens a project file (the legacy text included) in place of the
    // project; a file that cannot be read is refused with the reason and
    // the project stays. With `insert`, a legacy text's nodes go into the
    // current profile and nothing else changes.
    void otworz(const std::string& path, bool insert);
    // The remembered folder of a file dialog; with `write` it is stored.
    std::string dopisz_path(const std::string& path, const std::string& key, bool write);
    void sb_nowy_projektClick(TObject* Sender);
    void PJSB_otworzClick(TObject* Sender);
    void a_ProjectSaveExecute(TObject* Sender);
    void mi_SaveAsClick(TObject* Sender);
    void t_SaveTimer(TObject* Sender);
    // Fills a recent-files menu as it pops up (the menu is the sender).
    void PJLinkedMenuSpeedButton1Click(TObject* Sender);
    void plik1Click(TObject* Sender);
    void plim1Click(TObject* Sender);
    void plis1Click(TObject* Sender);
    void a_ProjectDataExecute(TObject* Sender);
    void a_CopyDataExecute(TObject* Sender);
    void a_PasteDataExecute(TObject* Sender);
    void SpeedButton6Click(TObject* Sender);
    void SpeedButton8Click(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    // Fonts and row heights for a table font size in points: the node table
    // and the side panel take the size, the other windows' grids and lists
    // follow their own fonts.
    void resajz(uint8_t font_size);

    // The program's short note: the text in the first panel of the status
    // bar on a yellow ground; t_Hints restores the bar four seconds after
    // the last note.
    void show_hint(std::string_view text);
    void t_HintsTimer(TObject* Sender);

    // The preview's drawing (its operations are in app/drawing_holder.cpp):
    // the drawing that every drawing file read for the preview merges into
    // (none until the first), its maximum and minimum extents (x, y, z), the
    // entity lists the preview and printing draw, an invisible list of the
    // drawing's layers and entity lists (each item carries its layer or
    // list), and whether the drawing file has been read. The drawing model
    // stands above the windows' classes, so the window holds its objects
    // through owners whose deleter that unit gives.
    template <class T>
    using drawing_owner = std::unique_ptr<T, void (*)(T*)>;
    drawing_owner<DXF_Object> preview_drawing{nullptr, nullptr};
    std::array<double, 3> preview_max_extents{};
    std::array<double, 3> preview_min_extents{};
    drawing_owner<selection_lists> selection{nullptr, nullptr};
    TListBox* Files_listbox;
    bool drawing_loaded = false;
    // Makes the empty selection (when the window's handlers are bound).
    void make_selection();
    // The selection becomes the selected entity lists of Files_listbox
    // (block lists never); any other selected item is deselected.
    void rebuild_selection();
    // Files_listbox names the preview drawing, its layers and entity lists
    // (a drawing without layers is released), all selected when asked.
    void refill_drawing_list(bool select_all);
    // Reads a drawing file and merges it into the preview drawing, growing
    // its extents; the first becomes the preview drawing.
    void load_drawing_file(const std::string& path);

    // --- the preview (forms/rys1_preview.cpp, app/rys1_preview.cpp) ----------
    // Its tool bar, shown with the preview page only: the sheet buttons, the
    // cross-section chooser, the hide buttons, the zoom buttons, the button
    // of the separate window and the coordinates under the pointer.
    TToolBar* tb_podglad1;
    TAction* a_Zin;        // "Powiększ", keypad +
    TAction* a_Zout;       // "Pomniejsz", keypad - while the preview shows
    TAction* a_Zprevious;  // "Widok poprzedni", Ctrl+Z on the preview page
    TAction* a_Zreset;     // "Widok oryginalny"
    TToolButton* tb_zoom_in;
    TToolButton* tb_zoom_out;
    TToolButton* tb_zoom_reset;
    TMemo* e_xy;  // " x: ..." CR " y: ...", read only
    // The pan reference point (pixels): the tab's middle until a key or a
    // drag moves it.
    TPoint zoombox_skok;
    // The sheet the side panel shows: 1 profile, 2 scheme, 3 cross-section
    // or sump; 0 before any sheet button.
    uint8_t preview_sheet_mode = 0;
    // The name of the sheet button pressed last.
    std::string last_preview_button;

    // Shows the preview: writes the drawing, reads it once, fits a viewport
    // that has no view, and with a sender (the page itself) refills the
    // cross-sections of the current profile.
    void ts_DrawingPreviewShow(TObject* Sender);
    void ts_DrawingPreviewExit(TObject* Sender);
    // Reads "rysunek.dxf" of the configuration folder into the emptied
    // preview drawing; false when another program holds it.
    bool wgraj_rysunek();
    // Adds the printer's page outlines to the preview drawing.
    void nanies_kontury();
    // The pan reference point back to the middle of the preview page.
    void zoombox_skok_reset();
    void ZoomboxPaint(TObject* Sender);
    void ZoomboxMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ZoomboxMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void ZoomboxMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseWheelDown(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    void FormMouseWheelUp(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    void tb_zoom_inClick(TObject* Sender);
    void tb_zoom_outClick(TObject* Sender);
    void tb_prevClick(TObject* Sender);
    void zoomresetbuttonClick(TObject* Sender);
    // Every key goes past here first: the arrow and page keys pan the
    // preview while it shows, the window is active and p_Side is hidden.
    void AppMessage(TMsg& Msg, bool& Handled);
    void tb_PreviewProfileClick(TObject* Sender);
    void cb_CrossSectionsChange(TObject* Sender);
    void tb_PreviewOnOffClick(TObject* Sender);
    // The preview page shows, or the separate window is active.
    bool preview_active() const;
    // The drawing unit's factor U = 10^k of the settings' unit (mm to km).
    int preview_unit_divisor() const;
    // The drawing rectangle that the part of the viewport being painted
    // shows: xmin, ymin, xmax, ymax.
    void zoombox_visible_world(double& xmin, double& ymin, double& xmax, double& ymax) const;

    // The drawing: the command that writes "rysunek.dxf" (also run by the
    // statistics command) and the command that opens it in a CAD program,
    // with their tool buttons; the button that shows the preview in a window
    // of its own; the progress bar laid over the status bar while a drawing
    // is written.
    TAction* a_DrawMake;
    TAction* a_Statistic;
    TAction* a_DrawOpenCad;
    TToolButton* SpeedButton9;   // statistics
    TToolButton* SpeedButton10;  // open in a CAD program
    TToolButton* tb_PreviewOnOff;
    TProgressBar* progres;
    // Checks the scales, collects the drawing warnings, recalculates the
    // project, lays out the profile sheet and writes the configuration
    // folder's "rysunek.dxf" for the chosen sheet; mode "in" (preview),
    // "print" or "out" (CAD).
    void draw_make(const std::string& mode);
    void a_DrawMakeExecute(TObject* Sender);
    void SpeedButton9Click(TObject* Sender);
    void SpeedButton10Click(TObject* Sender);

    // Printing (app/rys1_print.cpp): the print command with its menu item
    // and tool button, the printer set-up, the printer's page and the grid
    // of pages of the print settings dialog, the page outlines the preview
    // shows.
    TAction* a_Print;                  // "&Drukuj..." Ctrl+P
    TMenuItem* mi_PrinterSetup;        // "&Ustawienia drukarki..."
    TPrinterSetupDialog* psd;
    TToolButton* sb_print;
    void sb_printClick(TObject* Sender);
    void mi_PrinterSetupClick(TObject* Sender);
    // Reads the current printer's page and names the printer in the print
    // settings dialog (or that none is installed).
    void pobierz_param_strony();
    // The printer's unprintable strips and the dialog's margins, in
    // millimetres: left, right, top, bottom.
    void ofsety(double& left, double& right, double& top, double& bottom);
    void marginesy(double& left, double& right, double& top, double& bottom);
    // The printable width and height of the printer's page in millimetres,
    // less the larger of each side's margin and the printer's offset; the
    // dialog's margins then show those. Nothing without a printer.
    void wymiary_strony(double& width, double& height);
    // Rebuilds the dialog's page grid for the drawing; always true.
    bool odswiez_kartki();
    // 10 to the power of the drawing unit last used for a drawing.
    double jednostka_rysunku();
    // Prints a bitmap onto the printer's page, stretched into the page
    // rectangle, in bands of about 100 rows.
    void printBMP(TBitmap& bitmap, const std::string& title, const TRect& page);

    // Fills the insert-object menu from the object table and binds the
    // controls' events to their handlers (the application's notes go to
    // show_hint); the Program calls it once the window is made.
    void connect_handlers();
private:
    // Names the pictures of the commands and tool buttons (rys1_images.cpp).
    void name_images();
    void build_panels();
    void build_table_commands();
    void connect_table_handlers();
    void build_template_controls();
    void connect_template_handlers();
    void build_profile_commands();
    void build_file_commands();
    void build_info_table();
    void connect_profile_handlers();
    void connect_file_handlers();
    void connect_info_table_handlers();
    void build_drawing_commands();
    void connect_drawing_handlers();
    void connect_panel_handlers();
    void build_print_commands();
    void connect_print_handlers();
    void build_preview_actions();
    void build_preview_controls();
    void connect_preview_handlers();
    // Where the mouse went down in the box being dragged.
    TPoint drag_start_;
};

extern TForm1* Form1;
