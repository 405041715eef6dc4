// The pictures of the main window's commands and tool buttons, by name: the
// desktop theme's icons by their standard names, and the program's own
// (named "halvoren-...") for its own commands. A tool button or menu item
// of an action shows the action's picture.
#include "forms/rys1.h"

namespace {

struct image_entry {
    const char* component;
    const char* image;
};

const image_entry images[] = {
    // The project and the program.
    {"a_ProjectNew", "document-new"},
    {"a_ProjectOpen", "document-open"},
    {"a_ProjectSave", "document-save"},
    {"a_Print", "document-print"},
    {"mi_PrinterSetup", "document-page-setup"},
    {"mi_SaveAs", "document-save-as"},
    {"a_ProjectData", "document-properties"},
    {"a_CopyData", "edit-copy"},
    {"a_PasteData", "edit-paste"},
    {"a_Configuration", "preferences-system"},
    {"a_Help", "help-contents"},
    {"a_Exit", "application-exit"},
    {"PJLinkedMenuSpeedButton2", "halvoren-title-block"},
    {"PJLinkedMenuSpeedButton3", "x-office-document"},
    {"a_Templates", "x-office-document"},
    // The node table.
    {"a_Undo", "edit-undo"},
    {"a_Redo", "edit-redo"},
    {"a_NodeInsert", "halvoren-node"},
    {"a_NodeAdd", "list-add"},
    {"a_NodeDelete", "list-remove"},
    {"a_NodeCut", "edit-cut"},
    {"a_NodeCopy", "edit-copy"},
    {"a_NodePaste", "edit-paste"},
    {"a_CellCut", "edit-cut"},
    {"a_CellCopy", "edit-copy"},
    {"a_CellPaste", "edit-paste"},
    {"sb_CopyToClipboard", "edit-copy"},
    {"a_SearchNodeProfil", "edit-find"},
    {"a_ObjectEdit", "halvoren-object"},
    {"a_Objects", "halvoren-object"},
    // The profiles.
    {"a_ProfileNew", "tab-new"},
    {"a_ProfileDelete", "edit-delete"},
    {"sb_LockTabShifting", "halvoren-lock"},
    // The drawing and its preview.
    {"a_DrawMake", "halvoren-draw"},
    {"a_Statistic", "x-office-spreadsheet"},
    {"a_DrawOpenCad", "x-office-drawing"},
    {"tb_PreviewOnOff", "window-new"},
    {"a_Zin", "zoom-in"},
    {"a_Zout", "zoom-out"},
    {"a_Zprevious", "go-previous"},
    {"a_Zreset", "zoom-fit-best"},
    {"tb_PreviewProfile", "halvoren-sheet-profile"},
    {"tb_PreviewCrossSection", "halvoren-sheet-cross-section"},
    {"tb_PreviewScheme", "halvoren-sheet-scheme"},
    {"tb_PreviewSump", "halvoren-sheet-sump"},
    {"tb_HideCrossing", "halvoren-crossing"},
    {"tb_HideProtectingPipes", "halvoren-casing-pipe"},
    {"tb_HideCrossSections", "halvoren-cross-section-mark"},
    {"tb_HideBoundaryDesc", "halvoren-plot-boundary"},
    {"tb_HidePageBorders", "halvoren-page-borders"},
    // The title block.
    {"a_it_TemplateNew", "document-new"},
    {"a_it_TemplateOpen", "document-open"},
    {"a_it_TemplateSave", "document-save"},
    {"a_it_WithoutInfoTable", "halvoren-title-block"},
    {"a_it_TextboxInsert", "list-add"},
    {"a_it_TextboxDelete", "list-remove"},
    {"a_it_Arrow_Left", "go-previous"},
    {"a_it_Arrow_Right", "go-next"},
    {"a_it_Arrow_Up", "go-up"},
    {"a_it_Arrow_Down", "go-down"},
};

}  // namespace

void TForm1::name_images() {
    for (const image_entry& e : images) {
        TComponent* c = FindComponent(e.component);
        if (auto* a = dynamic_cast<TAction*>(c)) a->SetImageName(e.image);
        else if (auto* b = dynamic_cast<TToolButton*>(c)) b->SetImageName(e.image);
        else if (auto* s = dynamic_cast<TSpeedButton*>(c)) s->SetImageName(e.image);
        else if (auto* m = dynamic_cast<TMenuItem*>(c)) m->SetImageName(e.image);
    }
}
