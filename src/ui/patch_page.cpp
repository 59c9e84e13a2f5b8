#include "ui/patch_page.h"

#include "controls/caption_label.h"
#include "controls/control_styles.h"
#include "controls/knob.h"
#include "controls/picture_switch.h"
#include "controls/pictures.h"
#include "controls/transparent_button.h"
#include "edit/editor.h"
#include "model/parameter_map.h"
#include "ui/find_widgets.h"
#include "ui/heading_label.h"
#include "ui/operator_panel.h"
#include "ui/panel_style.h"
#include "ui/patch_layout.h"
#include "ui/view_widgets.h"

#include <QDesktopServices>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>

using namespace PatchLayout;

namespace {

const QString DonationAddress = QStringLiteral("https://marrowlink.org/donate");
constexpr int HintMs = 5000;

// A heading over columns first .. first + count - 1 of a row: line 0 holds the section titles,
// line 1 the names over the controls.
struct HeadingPlace {
    int row; // index into PatchLayout::Rows
    int line;
    int first;
    int count;
    const char* text;
    const char* name; // the object name, for the two the modulation groups rewrite
};

constexpr HeadingPlace Headings[] = {
    {0, 0, 0, 4, "", "lMod2"},
    {0, 1, 0, 4, "", "lMod1"},
    {0, 0, 4, 2, "                  Portamento ", nullptr},
    {0, 1, 4, 2, "  PB Range    Speed", nullptr},
    {0, 0, 6, 2, "     -------- LFO -----------   ", nullptr},
    {0, 1, 6, 2, "   Speed           Delay    ", nullptr},
    {1, 0, 0, 6,
     "      -------------   Amp Mod Enable    --------------                        Portamento",
     nullptr},
    {1, 1, 0, 6,
     "      Op1             Op2              Op3             Op4             Mono           Type",
     nullptr},
    {1, 0, 6, 2, "     -------- LFO -----------  ", nullptr},
    {1, 1, 6, 2, "       Wave        Key Sync   ", nullptr},
    {2, 0, 0, 4, "      ------------------   Fix/Ratio    --------------------       ", nullptr},
    {2, 1, 0, 4, "      Op1            Op2              Op3             Op4       ", nullptr},
    {2, 0, 4, 1, "   --- FX ---     ", nullptr},
    {2, 1, 4, 1, "      Type       ", nullptr},
    {2, 0, 6, 2, "     --- CC LFO Sens. ---", nullptr},
    {2, 1, 6, 2, "     Pitch            Amp", nullptr},
    {3, 1, 0, 3, "  Algorithm    Transpose     Feedback  ", nullptr},
    {3, 0, 3, 3, "   ------------------ FX --------------------     ", nullptr},
    {3, 1, 3, 3, "   Reverb        Balance        Time       ", nullptr},
    {3, 0, 6, 2, "      ----- LFO Mod  ------- ", nullptr},
    {3, 1, 6, 2, "      Pitch          Amp       ", nullptr},
    {4, 0, 0, 4, "    ----------------------- Frequency ------------------------", nullptr},
    {4, 1, 0, 4, "   FixRange     Coarse           Fine           Detune      ", nullptr},
    {4, 1, 4, 1, "  Velocity      ", nullptr},
    {4, 1, 5, 1, "  Envel Sens ", nullptr},
    {4, 1, 6, 1, "     Wave     ", nullptr},
    {4, 1, 7, 1, "    Output     ", nullptr},
    {5, 0, 0, 8,
     "   ------------------------------   Envelope   ------------------------------            "
     "                   --- Kbd Scale ------- ",
     nullptr},
    {5, 1, 0, 8,
     "     Attack      Decay1      Decay Level     Decay 2        Release         Shift         "
     "   Level             Rate     ",
     nullptr},
};

// The framed sections of each row, by columns.
struct Section {
    int row;
    int first;
    int count;
};
constexpr Section Sections[] = {
    {0, 0, 4}, {0, 4, 2}, {0, 6, 2}, {1, 0, 4}, {1, 4, 2}, {1, 6, 2},
    {2, 0, 4}, {2, 4, 1}, {2, 5, 1}, {2, 6, 2}, {3, 0, 3}, {3, 3, 3},
    {3, 6, 2}, {4, 0, 4}, {4, 4, 4}, {5, 0, 6}, {5, 6, 2},
};

// Which knobs have which hint.
struct Hint {
    const char* control;
    const char* text;
};
constexpr Hint Hints[] = {
    {"Knob5", "Portament is not available on the TQ5"},
    {"lVal13", "Portamento is used on TX81z"},
    {"Knob27", "The Reverb is really slowing down the release time see TX81z manual"},
    {"lVal1", "VCF Envelope polarity"},
};

QString numbered(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QString::number(n);
}

int rowBottom(const RowPlace& place) {
    return place.controlTop + (place.knobs ? KnobSide + ValueLabelHeight : ButtonHeight);
}

TTransparentButton* valueButton(QWidget* parent, const QString& name, const QRect& rect) {
    auto* button = new TTransparentButton(parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    styleValueButton(*button);
    return button;
}

} // namespace

PatchPage::PatchPage(QWidget* parent) : DecoratedPanel(parent) {
    setObjectName(QStringLiteral("Wallpaper1"));
    stylePatchWallpaper(*this, Pictures::Wallpaper());
    buildGrid();
    buildRandomiser();
    buildSideColumn();
    auto* panel = new OperatorPanel(this);
    panel->move(PanelLeft, 0);
    for (const Hint& hint : Hints)
        if (auto* control = findChild<QWidget*>(QString::fromLatin1(hint.control))) {
            control->setToolTip(QString::fromLatin1(hint.text));
            control->setToolTipDuration(HintMs);
        }
}

void PatchPage::buildGrid() {
    for (const RowPlace& place : Places) {
        for (int column = 0; column < Columns; ++column) {
            const int row = place.firstRow + column;
            const int left = ColumnLeft(column);
            if (!place.knobs) {
                valueButton(this, numbered("lVal", row),
                            {left + (ColumnWidth - ButtonWidth) / 2, place.controlTop, ButtonWidth,
                             ButtonHeight});
                continue;
            }
            auto* knob = new TKnob(this);
            knob->setObjectName(numbered("Knob", row));
            stylePatchKnob(*knob);
            knob->move(left + (ColumnWidth - KnobSide) / 2, place.controlTop);
            CaptionLabel* label = PanelStyle::Label(
                this, numbered("lVal", row), QString(),
                {left, place.controlTop + KnobSide, ColumnWidth, ValueLabelHeight},
                PanelStyle::Value, 12, true);
            label->setAlignment(Qt::AlignCenter);
            // Only the modulation rows' labels stay shown; the others show while hovered.
            label->setVisible(row <= Rows::LastModulationRow);
        }
    }
    for (const HeadingPlace& h : Headings) {
        const RowPlace& place = PatchLayout::Places[h.row];
        auto* heading = new HeadingLabel(QString::fromLatin1(h.text), h.count, this);
        if (h.name)
            heading->setObjectName(QString::fromLatin1(h.name));
        heading->setGeometry(ColumnLeft(h.first), place.headingTop + h.line * HeadingHeight,
                             h.count * ColumnWidth, HeadingHeight);
        heading->setFont(PanelStyle::Font(11, h.line == 0));
        QPalette colours = heading->palette();
        colours.setColor(QPalette::WindowText,
                         h.line == 0 ? PanelStyle::Title : PanelStyle::Caption);
        heading->setPalette(colours);
    }
    auto* group = valueButton(this, QStringLiteral("lModGroup"), ModGroupButton);
    group->setFont(PanelStyle::Font(13, true));
}

void PatchPage::buildRandomiser() {
    const QRect& area = RandomiserArea;
    CaptionLabel* title =
        PanelStyle::Label(this, QStringLiteral("lRandom"), QStringLiteral("  Randomise"),
                          {area.left() + 4, area.top() + 2, 0, 18}, QColor(Qt::black), 12, true);
    title->SetColor(Colours::White);
    title->resize(title->sizeHint().width() + 6, 18);
    CaptionLabel* patch =
        PanelStyle::Label(this, QStringLiteral("Label1"), QStringLiteral("     Patch"),
                          {title->geometry().right() + 1, area.top() + 2, 0, 18});
    patch->resize(patch->sizeHint().width() + 6, 18);
    auto* spread = new QScrollBar(Qt::Horizontal, this);
    spread->setObjectName(QStringLiteral("sbRand"));
    spread->setRange(1, 100);
    spread->setPageStep(10);
    spread->setGeometry(patch->geometry().right() + 4, area.top() + 3, 200, 16);
    const int afterBar = spread->geometry().right();
    PanelStyle::Label(this, QStringLiteral("lRandPercent"), QStringLiteral("5"),
                      {afterBar + 4, area.top() + 2, 28, 18}, PanelStyle::Value, 12, true)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PanelStyle::Label(this, QStringLiteral("lPercent"), QStringLiteral("%"),
                      {afterBar + 34, area.top() + 2, 14, 18}, PanelStyle::Value, 12, true);
    PanelStyle::Label(this, QStringLiteral("lRandomHint"),
                      QStringLiteral("Lower % = closer to current sound"),
                      {afterBar + 60, area.top() + 2, area.right() - afterBar - 60, 18});
}

void PatchPage::buildSideColumn() {
    auto* getPatch = new QPushButton(QStringLiteral("Get Patch"), this);
    getPatch->setObjectName(QStringLiteral("bGetPatch"));
    getPatch->setGeometry(SideLeft, 6, SideWidth, 26);
    auto* name = new NameEdit(this);
    name->setObjectName(QStringLiteral("eName"));
    name->setGeometry(SideLeft, 38, SideWidth, 22);

    const int half = SideWidth / 2;
    const char* switchHeadings[] = {"   Op 1 - On - Op 2    ", "   Op 3 - On - Op 4    "};
    for (int pair = 0; pair < 2; ++pair) {
        const int top = 72 + pair * 44;
        auto* heading = new HeadingLabel(QString::fromLatin1(switchHeadings[pair]), 2, this);
        heading->setGeometry(SideLeft, top, SideWidth, HeadingHeight);
        heading->setFont(PanelStyle::Font(11));
        QPalette colours = heading->palette();
        colours.setColor(QPalette::WindowText, PanelStyle::Caption);
        heading->setPalette(colours);
        for (int i = 0; i < 2; ++i) {
            const int op = pair * 2 + i;
            valueButton(this, numbered("lVal", Rows::FirstOpSwitchCC + op),
                        {SideLeft + i * half + 2, top + 16, half - 4, ButtonHeight});
        }
    }

    auto* donate = new TTransparentButton(this);
    donate->setObjectName(QStringLiteral("sbDonate"));
    donate->SetGlyph(Pictures::DonateButton());
    donate->setGeometry(SideLeft, 170, SideWidth, 30);
    donate->setToolTip(QStringLiteral("If you would like to help pay for the development of this "
                                      "program, that would be great"));
    donate->setToolTipDuration(HintMs);

    auto* algorithm = new Tmbgrafsw(this);
    algorithm->setObjectName(QStringLiteral("gAlgorithm"));
    styleAlgorithmPicture(*algorithm, Pictures::AlgorithmStrip());
    algorithm->setGeometry(Algorithm);

    // Operator select, near the bottom: a button and the label that shows the selection.
    for (int op = 0; op < OperatorCount; ++op) {
        const int top = PatchLayout::Places[4].controlTop + op * 28;
        valueButton(this, numbered("lVal", Rows::FirstOpSelectCC + op),
                    {SideLeft, top, half - 4, ButtonHeight});
        CaptionLabel* label = PanelStyle::Label(
            this, QStringLiteral("lOp%1Select").arg(op + 1), QStringLiteral("Op %1").arg(op + 1),
            {SideLeft + half + 2, top + 2, half - 4, ButtonHeight - 4}, QColor(Qt::black), 12,
            true);
        label->setAlignment(Qt::AlignCenter);
        label->SetColor(Colours::White);
    }
    PanelStyle::Label(this, QStringLiteral("lCtrlMsg"), QStringLiteral("CC : "),
                      {SideLeft, PatchLayout::Places[5].controlTop + 50, SideWidth, 18},
                      PanelStyle::Caption, 11);
}

void PatchPage::Connect(Editor& editor) {
    for (TKnob* knob : ChildrenOf<TKnob>(*this)) {
        knob->OnMouseEnter = [&editor, knob] { editor.KnobMouseEnter(knob); };
        knob->OnMouseLeave = [&editor, knob] { editor.KnobMouseLeave(knob); };
        knob->OnMouseWheelUp = [&editor, knob](Qt::KeyboardModifiers modifiers) {
            editor.KnobMouseWheelUp(knob, modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
        };
        knob->OnMouseWheelDown = [&editor, knob](Qt::KeyboardModifiers modifiers) {
            editor.KnobMouseWheelDown(knob, modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
        };
    }
    auto press = [&editor](TTransparentButton* button) {
        button->OnMouseDown = [&editor, button](Qt::MouseButton which,
                                                Qt::KeyboardModifiers modifiers, QPoint) {
            const Editor::MouseButton pressed =
                which == Qt::RightButton    ? Editor::MouseButton::Right
                : which == Qt::MiddleButton ? Editor::MouseButton::Middle
                                            : Editor::MouseButton::Left;
            editor.lValMouseDown(button, pressed, modifiers & Qt::ControlModifier);
        };
    };
    for (int row = Rows::FirstButtonRow; row <= Rows::LastButtonRow; ++row) {
        auto* button = ChildNamed<TTransparentButton>(*this, numbered("lVal", row));
        press(button);
        if (row == Rows::RandomiseButton)
            button->OnClick = [&editor] { editor.lRandomClick(); };
        else
            button->OnClick = [&editor, button] { editor.lValClick(button); };
    }
    for (int op = 0; op < OperatorCount; ++op) {
        auto* onOff =
            ChildNamed<TTransparentButton>(*this, numbered("lVal", Rows::FirstOpSwitchCC + op));
        onOff->OnClick = [&editor, onOff] { editor.lValClick(onOff); };
        auto* select =
            ChildNamed<TTransparentButton>(*this, numbered("lVal", Rows::FirstOpSelectCC + op));
        select->OnClick = [&editor, select] { editor.lOpClick(select); };
    }
    ChildNamed<TTransparentButton>(*this, QStringLiteral("lModGroup"))->OnClick = [&editor] {
        editor.lModGroupClick();
    };
    connect(findChild<QScrollBar*>(QStringLiteral("sbRand")), &QScrollBar::valueChanged, this,
            [&editor](int position) { editor.sbRandChange(position); });
    findChild<QScrollBar*>(QStringLiteral("sbRand"))->setValue(editor.RandomPercent());
    ChildNamed<TTransparentButton>(*this, QStringLiteral("sbDonate"))->OnClick = [] {
        QDesktopServices::openUrl(QUrl(DonationAddress));
    };
    connect(findChild<QPushButton*>(QStringLiteral("bGetPatch")), &QPushButton::clicked, this,
            [&editor] { editor.bGetPatchClick(); });
    ChildrenOf<OperatorPanel>(*this).front()->Connect(editor);
}

void PatchPage::paintDecoration(QPainter& painter) {
    for (const Section& section : Sections) {
        const RowPlace& place = PatchLayout::Places[section.row];
        PanelStyle::PaintSection(painter, QRect(ColumnLeft(section.first) + 2, place.headingTop - 2,
                                                section.count * ColumnWidth - 4,
                                                rowBottom(place) - place.headingTop + 4));
    }
    for (const TKnob* knob : ChildrenOf<TKnob>(*this, Qt::FindDirectChildrenOnly))
        PanelStyle::PaintKnobBody(painter, knob->geometry());
}
