#include "edit/editor.h"
#include "views/views.h"

namespace {
struct OperatorColours {
    TColor select;
    TColor panel;
    TColor labelBackground;
    TColor labelText;
    TColor graphLine;
    TColor graphMarker;
    TColor graphGradient;
};

constexpr OperatorColours SelectedColours{Colours::Yellow, Colours::Yellow, Colours::Yellow,
                                          Colours::Black,  Colours::Teal,   Colours::Yellow,
                                          Colours::Yellow};
constexpr OperatorColours OnColours{Colours::White, Colours::Green, Colours::Black, Colours::Silver,
                                    Colours::Teal,  Colours::Aqua,  Colours::Navy};
constexpr OperatorColours OffColours{Colours::Silver, Colours::Grey, Colours::Black,
                                     Colours::Silver, Colours::Grey, Colours::Grey,
                                     Colours::Silver};
} // namespace

void Editor::ShowOperatorState(int op) {
    const bool on = Map.OpSwitch(op).Val == 1;
    const OperatorColours& c = !on ? OffColours : op == SelectedOp ? SelectedColours : OnColours;
    if (CaptionView* select = Controls.lOpSelect[op])
        select->SetColor(c.select);
    if (CaptionView* panel = Controls.pOp[op])
        panel->SetColor(c.panel);
    TOp& record = Map.Op(op);
    if (record.NameLabel) {
        record.NameLabel->SetColor(c.labelBackground);
        record.NameLabel->SetFontColor(c.labelText);
    }
    if (record.EnvGraph) {
        record.EnvGraph->SetLineColor(c.graphLine);
        record.EnvGraph->SetMarkerColor(c.graphMarker);
        record.EnvGraph->SetGradientColor(c.graphGradient);
    }
}
