#include "ui/operator_panel.h"

#include "controls/control_styles.h"
#include "controls/envelope_graph.h"
#include "controls/level_bar.h"
#include "controls/picture_switch.h"
#include "controls/pictures.h"
#include "edit/editor.h"
#include "ui/panel_style.h"
#include "ui/patch_layout.h"
#include "ui/view_widgets.h"

#include <QPainter>
#include <QPushButton>

namespace {
constexpr int Margin = 4;
constexpr int HeaderHeight = 42;
constexpr int WaveWidth = 87;
constexpr int RowHeight = 80;
constexpr int OperatorHeight = 2 * RowHeight;
constexpr int BarWidth = 10;
// The name label's left edge within its panel while the operator is on; the engine moves it.
constexpr int LabelLeft = 31;

QString numbered(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QString::number(n);
}
} // namespace

OperatorPanel::OperatorPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel2"));
    resize(PatchLayout::PanelWidth, HeaderHeight + OperatorCount * OperatorHeight + Margin);
    const int inner = width() - 2 * Margin;

    CaptionLabel* current =
        PanelStyle::Label(this, QStringLiteral("lCurrentPatch"), QStringLiteral("Current:"),
                          {Margin, 2, inner, 16}, PanelStyle::Caption, 11, true);
    current->setToolTip(QStringLiteral("Where the voice came from"));
    auto* load = new QPushButton(QStringLiteral("Load"), this);
    load->setObjectName(QStringLiteral("bLoadPatch"));
    load->setGeometry(Margin, 19, inner / 2 - 2, 21);
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("bSavePatch"));
    save->setGeometry(Margin + inner / 2 + 2, 19, inner / 2 - 2, 21);

    for (int op = 1; op <= OperatorCount; ++op) {
        const int top = HeaderHeight + (op - 1) * OperatorHeight;
        auto* wave = new Tmbgrafsw(this);
        wave->setObjectName(numbered("gWave", op));
        styleWavePicture(*wave, Pictures::WaveStrip());
        wave->move(Margin, top);

        auto* panel = new ColourPanel(this);
        panel->setObjectName(numbered("pOp", op));
        panel->setGeometry(Margin + WaveWidth, top, inner - WaveWidth, RowHeight);
        auto* bar = new LevelBar(panel);
        bar->setObjectName(numbered("pbOp", op));
        bar->setGeometry(0, 0, BarWidth, RowHeight);
        auto* name = new FittedLabel(panel);
        name->setObjectName(numbered("lOp", op));
        name->setFont(PanelStyle::Font(11, true));
        name->move(LabelLeft, RowHeight / 2 - 8);
        name->SetCaption(numbered("Op", op));

        auto* graph = new Tmbadsr2(this);
        graph->setObjectName(numbered("gAdsr", op));
        styleOperatorGraph(*graph);
        graph->setGeometry(Margin, top + RowHeight, inner, RowHeight);
    }
}

void OperatorPanel::Connect(Editor& editor) {
    connect(findChild<QPushButton*>(QStringLiteral("bLoadPatch")), &QPushButton::clicked, this,
            [&editor] { editor.bLoadPatchClick(); });
    connect(findChild<QPushButton*>(QStringLiteral("bSavePatch")), &QPushButton::clicked, this,
            [&editor] { editor.bSavePatchClick(); });
}

void OperatorPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PanelStyle::PaintSection(painter, rect());
}
