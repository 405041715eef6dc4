// The main window's drawing commands: the command that writes the drawing
// file, the statistics and open-in-CAD commands with their tool buttons,
// and the progress bar laid over the status bar while a drawing is written.
#include <algorithm>

#include "forms/rys1.h"
#include "platform/builder.h"
#include "platform/cp1250.h"

void TForm1::build_drawing_commands() {
    auto action = [this](const char* name, std::string_view caption, std::string_view hint) {
        auto* a = new TAction(this);
        a->SetName(name);
        a->SetCaption(caption);
        a->SetHint(hint);
        a->Category = "Rysunek";
        a->SetActionList(ActionList1);
        return a;
    };
    a_DrawMake = action("a_DrawMake", "&Utwórz"_cp, "Utwórz plik z profilem"_cp);
    a_DrawMake->SetVisible(false);
    a_Statistic = action("a_Statistic", "&Statystyki", "Statystyki|Statystyka utworzonego profilu");
    a_DrawOpenCad = action("a_DrawOpenCad", "&Otwórz rysunek w aplikacji CAD"_cp, "Edycja utworzonego pliku w aplikacji CAD");

    int x = 0;
    for (const TControl* c : ToolBar1->children()) x = std::max(x, c->Left() + c->Width());
    auto button = [this, &x](const char* name, std::string_view hint) {
        TToolButton* b = add_tool_button(this, ToolBar1, name, hint);
        b->SetLeft(x);
        x += b->Width();
        return b;
    };
    SpeedButton9 = button("SpeedButton9", "");
    SpeedButton9->Style = TToolButtonStyle::tbsButton;
    SpeedButton9->SetAction(a_Statistic);
    SpeedButton10 = button("SpeedButton10", "");
    SpeedButton10->Style = TToolButtonStyle::tbsButton;
    SpeedButton10->SetAction(a_DrawOpenCad);

    progres = new TProgressBar(this);
    progres->SetName("progres");
    progres->SetVisible(false);
    progres->SetParent(this);
}
