// The settings dialog "Konfiguracja". Its controls are the live store of the
// program's options: the calculation, drawing, printing and cost code read
// them when they need a value; the settings file maps them to ini keys.
#pragma once

#include <array>
#include <iterator>
#include <string>

#include "platform/comctrls.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "widgets/aligrid.h"

// The items of the precision chooser of the settings tables' column of
// decimals.
inline constexpr const char* precision_items[] = {"0", "0.0", "0.00", "0.000", "0.0000", "0.00000", "0.5", "0.05", "0.005"};
// The text of a precision index; empty outside the list.
inline std::string precision_text(int index) {
    return index >= 0 && index < static_cast<int>(std::size(precision_items)) ? precision_items[index] : std::string();
}

class Ttopcje : public TForm {
public:
    explicit Ttopcje(TComponent* owner);

    TTreeView* tv_Config;
    TPageControl* PageControl1;
    TButton* b_OK;
    TButton* b_Cancel;
    TGroupBox* gb_Preferences;
    TButton* b_Default;
    TButton* b_PreferencesOpen;
    TButton* b_Save;
    TButton* b_PreferencesSaveAs;
    TColorDialog* cd;
    TPopupMenu* pm_Layers;
    TPopupMenu* pm_Titles;
    TPopupMenu* pm_Rules;
    TActionList* al_config;

    // Pages, in page-index order.
    TTabSheet* ts_Scale;
    TTabSheet* ts_Table;
    TTabSheet* ts_Lines;
    TTabSheet* ts_Fonts;
    TTabSheet* ts_Other;
    TTabSheet* ts_DataTableColumns;
    TTabSheet* ts_CrossSection;
    TTabSheet* ts_Layers;
    TTabSheet* ts_AutoFill;
    TTabSheet* ts_Company;
    TTabSheet* ts_Auto_list;
    TTabSheet* ts_AutoSave;
    TTabSheet* ts_DrawingParams;
    TTabSheet* ts_DrawingParams2;
    TTabSheet* ts_DataTable;
    TTabSheet* ts_Warnings;
    TTabSheet* ts_Personnel;

    // "Rysunek"
    TComboBox* cb_jedn;
    TStringAlignGrid* sag_DrawingProperties;
    TGroupBox* gb_dopasuj;
    TCheckBox* cb_Fit2Page;
    TEdit* e_skala_krot;
    TEdit* e_TrimSections;
    TCheckBox* cb_MarkFlowDirect;
    TCheckBox* cb_MarkFlowDirectOnEverySectionOnScheme;
    TCheckBox* cb_ProfilesNamesOnScheme;
    TPanel* p_BackgroundColor;
    TSpinEdit* se_SymbolSize;
    TSpeedButton* sb_DefaultInfotableChoose;
    TLabel* l_DefaultInfotableChoose;
    TLabel* l_FileSettings;
    TSpeedButton* sb_ClearSettingsFile;

    // "Tabela"
    TStringAlignGrid* sag_TableContent;
    TComboBox* cb_Distance;
    TEdit* e_GradientPrefix;
    TComboBox* cb_GradientModeDrawing;
    TCheckBox* l_Distance;
    TGroupBox* gb_PutIntoTable;
    TCheckBox* cb_AutoLine;
    TCheckBox* cb_AutoAngle;
    TCheckBox* cb_AutoTerrainDesc;
    TCheckBox* cb_AutoProjGroundLevel;

    // "Linie"
    TStringAlignGrid* sag_Lines;
    TCheckBox* cb_1PipeLine;
    TEdit* e_DrawAxisFrom;
    TRadioGroup* rg_PipeLineColor;

    // "Czcionki"
    TComboBox* cb_fonts;
    TLabel* lab_kat;
    TSpeedButton* sb_Folder;
    TStringAlignGrid* sag_Fonts;
    TCheckBox* cb_DescriptionOnLeft;
    TCheckBox* cb_CrossingsColorByMediumType;
    TStringAlignGrid* sag_CrossingsFonts;
    TCheckBox* cb_TextHeightInTableLikeForType;
    TCheckBox* cb_TextColorInTableLikeForType;

    // "Inne"
    TComboBox* cb_Language;
    TEdit* e_FileNamePattern;
    TComboBox* cb_dokl;
    TEdit* e_AutoBackdrop;
    TCheckBox* cb_DropUp;
    TCheckBox* cb_ShowSewageTreatTab;
    TCheckBox* cb_SplitPipes;
    TCheckBox* cb_PrintPreviewMovingByMiddleButton;
    TGroupBox* gb_CrossingEditor;
    TCheckBox* cb_CrossingDepthLikeConst;
    TRadioGroup* rg_CrossingEditorCalculateDepthToProjGroundLevel;
    TCheckBox* cb_RoundingModeE;

    // "Kolumny"
    TStringAlignGrid* sag_DataTable;
    TComboBox* cb_GradientMode;
    TComboBox* cb_FlowUnitV;
    TComboBox* cb_FlowUnitT;

    // "Przekrój"
    TEdit* e_obsypka;
    TEdit* e_podsypka;
    TEdit* e_PipeDescription;
    TEdit* e_SumpWallThickness;
    TEdit* e_SumpHollow;
    TEdit* e_SlopeWidthAddition;
    TCheckBox* cb_Slope;
    TEdit* e_Slope;

    // "Warstwy" and the in-cell choosers of the tables
    TStringAlignGrid* sag_Layers;
    TComboBox* cb_warstwy;
    TComboBox* cb_LineType;
    TComboBox* cb_LineName;
    TComboBox* cb_Precision;

    // "Autouzupełnianie"
    TCheckBox* cb_Node;
    TGroupBox* gb_Node;
    TRadioGroup* rg_NodePrefix;
    TEdit* e_wez;
    TCheckBox* cb_NodeIncrementation;
    TCheckBox* cb_WholeProjectNodeIncrementation;
    TCheckBox* cb_Material;
    TCheckBox* cb_AutoFillMaterialLikePrevious;
    TCheckBox* cb_Diameter;
    TRadioGroup* rg_AutoDiameter;
    TEdit* e_AutoDiameter;
    TCheckBox* cb_Drop;
    TRadioGroup* rg_AutoDrop;
    TEdit* Edit1;
    TCheckBox* cb_TrenchWidth;
    TRadioGroup* rg_AutoTrenchWidth;
    TEdit* e_szer;
    TEdit* e_AutoAdd2Diameter;
    TCheckBox* cb_AutoTrenchSlope;
    TEdit* e_AutoTrenchSlope;
    TCheckBox* cb_TerrainProj;
    TComboBox* cb_AutoTerrainProjLikeTerrainExist;
    TCheckBox* cb_CrossingEditorAutoDescription;

    // "Użytkownik", "Kadra"
    TStringAlignGrid* sag_Company;
    TStringAlignGrid* sag_Workers;

    // "Listy danych"
    TComboBox* cb_listy;
    TMemo* mm;

    // "Bezpieczeństwo"
    TCheckBox* cb_AutoBackup;
    TSpinEdit* se_AutoSave;
    TGroupBox* gb_Directories;
    TLabel* l_DocsDirValue;
    TSpeedButton* sb_DocsExplore;
    TSpeedButton* sb_ChangeDocsDirectory;
    TLabel* l_ConfigDirValue;
    TSpeedButton* sb_ConfigExplore;
    TSpeedButton* sb_ChangeConfigDirectory;

    // "Parametry"
    TCheckBox* cb_CrossingOrdinate;
    TCheckBox* cb_ChamberBottomOrdinate;
    TCheckBox* cb_TankBottomOrdinate;
    TCheckBox* cb_CrossingDistance;
    TCheckBox* cb_CrossingPipeOrdinate;
    TComboBox* cb_ProtectingTubesDescPlace;
    TCheckBox* cb_MarkInlets;
    TCheckBox* cb_SludgeManholeDetailsInTable;
    TCheckBox* cb_ManholeInletsSchemeNextToManhole;
    TCheckBox* cb_MarkInletsFromDeactivatedProfiles;
    TCheckBox* cb_PipeOrdinateWhereExtraTerrainOrdinate;
    TCheckBox* cb_PipeDepthWhereExtraTerrainOrdinate;
    TCheckBox* cb_ProtTubesOrdinate;
    TCheckBox* cb_ProtTubesDistance;
    TCheckBox* cb_ProtTubesEndOrdinate;
    TCheckBox* cb_ProtTubesEndDistance;
    TCheckBox* cb_DynamicCrossingOrdinate;
    TCheckBox* cb_DimensionBetweenCrossingAndPipe;

    // "Parametry 2"
    TEdit* e_TableTitleColumnWidth;
    TEdit* e_odstep;
    TCheckBox* cb_VerticalRuler;
    TCheckBox* cb_MarkScaleBelowProfile;
    TCheckBox* cb_RearrangeCommentsWithoutMoveNodes;
    TCheckBox* cb_InGeoCrossDescriptionsInMiddle;
    TCheckBox* cb_NodeLabelsInCircle;
    TCheckBox* cb_NodeLabelsInTwoLines;
    TCheckBox* cb_VerticalLinesToTerrainLine;
    TCheckBox* cb_ProfilesNames;
    TCheckBox* cb_TitleColumnBeforeEveryProfile;
    TCheckBox* cb_GeoCrossAboveTerrainLine;
    TCheckBox* cb_ppt;
    TCheckBox* cb_DontMarkTheSameAOD;
    TEdit* e_AODDistanceFrom;
    TComboBox* cb_AODDependency;

    // "Tabela "Dane""
    TSpinEdit* se_wys;
    TCheckBox* cb_DepthAlways2BottomPipe;
    TCheckBox* cb_InterpolationGroundExists;
    TCheckBox* cb_InterpolationGroundProj;
    TCheckBox* cb_InterpolationLine1;
    TCheckBox* cb_InterpolationLine2;
    TCheckBox* cb_InterpolationPipeBottom;
    TCheckBox* cb_ExtrapolationGroundExists;
    TCheckBox* cb_ExtrapolationGroundProj;
    TCheckBox* cb_AlwaysShowBottomPipe;
    TCheckBox* cb_CalculateDepthToProjGroundLevel;
    TCheckBox* cb_AutoCalculatedCellColor;
    TPanel* p_AutoColor;
    TCheckBox* cb_ActiveRowColor;
    TPanel* p_ActiveRowColor;
    TCheckBox* cb_CalculateInvertsAccordToMainSection;
    TCheckBox* cb_DontCalculateNodeWithManholeObject;
    TCheckBox* cb_CalculateTerrainAccordToMainSection;
    TCheckBox* cb_WhereTrenchCalculateDepthToGroundLevel;
    TCheckBox* CalcLengthAngleFromCoords;
    TEdit* e_CalcColumnFormula;
    TCheckBox* cb_InterpolationEmpty;
    TCheckBox* cb_InterpolationMark;

    // "Ostrzeżenia"
    TPageControl* pc_Rules;
    TTabSheet* ts_OwnRules;
    TStringAlignGrid* sag_Rules;

    // The tables' actions, run by their keys and popup menus.
    TAction* a_LineAdd;
    TAction* a_LineDelete;
    TAction* a_AddTitle;
    TAction* a_InsertTitle;
    TAction* a_DeleteTitle;
    TAction* a_AddRule;
    TAction* a_InsertRule;
    TAction* a_DeleteRule;

    // Chooses the language of `cb_Language` (with no sender: the user's
    // stored choice, else the system's language) and applies it: the
    // column texts, the language-dependent settings, every window's texts
    // and the main window's caption.
    void cb_LanguageChange(TObject* Sender);
    // Each opening fills the controls from the process-wide values.
    void FormShow(TObject* Sender);
    // OK: the confirmation (the values copied in, the slope sign, the
    // rounding mode).
    void b_OKClick(TObject* Sender);
    // Binds the controls' events to the handlers above and to the dialog's
    // small handlers; the Program calls it once the window is made.
    void connect_handlers();

    // --- settings files, user folders and fonts ---------------------------
    // "&Zapisz": the values copied in, the settings written to the project's
    // settings file (or the user's "halvoren.ini"), then OK.
    void b_SaveClick(TObject* Sender);
    // "Przywróć pierwotną": every setting takes its default.
    void b_DefaultClick(TObject* Sender);
    // "&Otwórz...": reads a chosen settings file and, when asked, ties it to
    // the project.
    void b_PreferencesOpenClick(TObject* Sender);
    // "Zapisz jako...": writes the settings to a chosen file.
    void b_PreferencesSaveAsClick(TObject* Sender);
    // "X": unties the project's settings file and reads the user's.
    void sb_ClearSettingsFileClick(TObject* Sender);
    // Chooses the title-block template that new projects load.
    void sb_DefaultInfotableChooseClick(TObject* Sender);
    // The user folders: shown in the file manager, or changed (the
    // registry value and the running program's folder at once).
    void sb_DocsExploreClick(TObject* Sender);
    void sb_ConfigExploreClick(TObject* Sender);
    void sb_ChangeDocsDirectoryClick(TObject* Sender);
    void sb_ChangeConfigDirectoryClick(TObject* Sender);
    // Chooses the CAD fonts folder and refills the font list.
    void sb_FolderClick(TObject* Sender);
    // The program registered to open drawing files (its path with
    // full_path, else its folder); "" when none is registered.
    std::string path_to_dxfopener(bool full_path) const;
    // The font file that the drawing's text style names for a face: a
    // ".shx" face as it is, else the file of the first installed font (by
    // name) whose name holds the face; "txt" when none does.
    std::string font_plik(const std::string& face) const;
    // Refills cb_fonts: the scalable screen faces, then the files of the
    // CAD fonts folder (lab_kat) on top.
    void laduj_czcionki();
    // Puts the files of a folder (names with a ".", lower-cased, sorted) at
    // the top of cb_fonts and selects "arial".
    void ZnajdzPliki(const std::string& folder, const std::string& mask);
    void cb_fontsDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    // Binds the handlers above.
    void connect_file_handlers();
    // Opens the dialog modally from outside at the tree node of an absolute
    // index (its page shown through the tree's change handling) and, with a
    // list index, at that value list of cb_listy (its change handler run).
    TModalResult open_at(int node, int list = -1);

private:
    void build_drawing_pages();
    void build_other_pages();
    void build_fill_and_table_pages();
};

extern Ttopcje* topcje;
