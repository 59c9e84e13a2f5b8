#include "ui/multipart_page.h"

#include "controls/caption_label.h"
#include "controls/control_styles.h"
#include "controls/knob.h"
#include "controls/pictures.h"
#include "controls/transparent_button.h"
#include "edit/editor.h"
#include "ui/find_widgets.h"
#include "ui/panel_style.h"

#include <QPainter>
#include <QPushButton>

namespace {

constexpr int KnobSide = 50;
constexpr int ButtonHeight = 22;
constexpr int GlobalLeft = 8;
constexpr int GlobalWidth = 100;
constexpr int PartsLeft = 116;
constexpr int PartWidth = 88;
constexpr int PartGap = 4;
constexpr int NamesLeft = PartsLeft + PartCount * PartWidth + 4;
constexpr int Top = 6;
constexpr int PanelHeight = 620;

int partLeft(int part) {
    return PartsLeft + (part - 1) * PartWidth;
}

// A line of the part columns: its name on the right, what each part has on it, and where.
struct Line {
    const char* name;
    const char* control; // with "k" a knob, with "tl" a value button; the part number follows
    int top;
};
constexpr Line Lines[] = {
    {"Patch Select", "kPatch", 48},   {"Patch Bank", "tlPatchBank", 108},
    {"Out Port", "tlOutPort", 136},   {"LFO Select", "tlLfoSelect", 164},
    {"Max Notes", "tlMaxNotes", 192}, {"Channel", "kRxChannel", 228},
    {"Top Note", "kTopNote", 294},    {"Lowest Note", "kLowNote", 360},
    {"Transpose", "kTranspose", 426}, {"Detune", "kDetune", 492},
    {"Volume", "kVolume", 558},
};

// The global column: a heading over a knob or a value button.
struct Global {
    const char* heading;
    const char* control;
};
constexpr Global Globals[] = {
    {"Master Tune", "kMasterTune"},    {"Main Rx Chan", "kGlobalRxChan"},
    {"Main Tx Chan", "kGlobalTxChan"}, {"Memory Lock", "tlMemLock"},
    {" FX Type ", "tlFxType"},         {" FX Time ", "kFxTime"},
    {" FX Balance ", "kFxBalance"},
};

bool isKnob(const char* control) {
    return control[0] == 'k';
}

// A knob's value label, named like the knob with "l" for "k"; shown while the knob is hovered.
void valueLabel(QWidget* parent, const QString& knobName, const QRect& knob, bool shown) {
    CaptionLabel* label = PanelStyle::Label(parent, QLatin1Char('l') + knobName.mid(1), QString(),
                                            {knob.left() - 17, knob.bottom() - 10, 84, 15},
                                            PanelStyle::Value, 11, true);
    label->setAlignment(Qt::AlignCenter);
    label->SetColor(TColor(0x10, 0x14, 0x24));
    label->setVisible(shown);
}

void knob(QWidget* parent, const QString& name, int left, int top, const QImage& face) {
    auto* control = new TKnob(parent);
    control->setObjectName(name);
    styleMultipartKnob(*control, face);
    control->move(left, top);
}

void button(QWidget* parent, const QString& name, const QRect& rect, const QImage& glyph) {
    auto* control = new TTransparentButton(parent);
    control->setObjectName(name);
    control->setGeometry(rect);
    styleValueButton(*control);
    control->setFont(PanelStyle::Font(13, true));
    control->SetGlyph(glyph);
}

} // namespace

MultipartPage::MultipartPage(QWidget* parent) : DecoratedPanel(parent) {
    setObjectName(QStringLiteral("tsMultiPanel"));
    stylePatchWallpaper(*this, Pictures::Wallpaper());
    buildGlobalColumn();
    buildParts();
    buildFooter();
}

void MultipartPage::buildGlobalColumn() {
    const QImage face = Pictures::MultipartKnob();
    const QImage glyph = Pictures::ValueButton();
    int top = Top + 22;
    for (const Global& g : Globals) {
        const QString name = QString::fromLatin1(g.control);
        CaptionLabel* heading = PanelStyle::Label(
            this, name + QStringLiteral("Heading"), QString::fromLatin1(g.heading),
            {GlobalLeft, top, GlobalWidth, 15}, PanelStyle::Caption, 11, true);
        heading->setAlignment(Qt::AlignCenter);
        top += 16;
        if (isKnob(g.control)) {
            const QRect place(GlobalLeft + (GlobalWidth - KnobSide) / 2, top, KnobSide, KnobSide);
            knob(this, name, place.left(), place.top(), face);
            valueLabel(this, name, place, false);
            top += KnobSide + 12;
        } else {
            button(this, name, {GlobalLeft + 10, top, GlobalWidth - 20, ButtonHeight}, glyph);
            top += ButtonHeight + 14;
        }
    }
}

void MultipartPage::buildParts() {
    const QImage face = Pictures::MultipartKnob();
    for (int part = 1; part <= PartCount; ++part) {
        const int left = partLeft(part);
        const QString number = QString::number(part);
        CaptionLabel* heading = PanelStyle::Label(
            this, QStringLiteral("lPart") + number, QStringLiteral("Part ") + number,
            {left, Top + 4, PartWidth - PartGap, 16}, PanelStyle::Title, 12, true);
        heading->setAlignment(Qt::AlignCenter);
        for (const Line& line : Lines) {
            const QString name = QString::fromLatin1(line.control) + number;
            if (isKnob(line.control)) {
                const QRect place(left + (PartWidth - PartGap - KnobSide) / 2, line.top, KnobSide,
                                  KnobSide);
                knob(this, name, place.left(), place.top(), face);
                if (name.startsWith(QStringLiteral("kPatch"))) {
                    // The voice's name stays shown above its knob.
                    CaptionLabel* voice =
                        PanelStyle::Label(this, QStringLiteral("lPatch") + number, QString(),
                                          {left, line.top - 18, PartWidth - PartGap, 16},
                                          PanelStyle::Value, 11, true);
                    voice->setAlignment(Qt::AlignCenter);
                } else {
                    valueLabel(this, name, place, false);
                }
            } else {
                button(this, name, {left + 4, line.top, PartWidth - PartGap - 8, ButtonHeight},
                       QImage());
            }
        }
    }
    // The hover labels lie over the knob below them: keep them on top.
    for (CaptionLabel* label : ChildrenOf<CaptionLabel>(*this))
        if (label->isHidden())
            label->raise();
    for (const Line& line : Lines) {
        const int middle = line.top + (isKnob(line.control) ? KnobSide : ButtonHeight) / 2;
        PanelStyle::Label(this, QString::fromLatin1(line.control) + QStringLiteral("Line"),
                          QString::fromLatin1(line.name), {NamesLeft, middle - 8, 120, 16},
                          PanelStyle::Caption, 12, true);
    }
}

void MultipartPage::buildFooter() {
    const int top = Top + PanelHeight + 10;
    struct Action {
        const char* name;
        const char* text;
        int left;
    };
    for (const Action& a :
         {Action{"bGetMulti", "Get Multi", PartsLeft}, Action{"bLoadMulti", "Load", PartsLeft + 96},
          Action{"bSaveMulti", "Save", PartsLeft + 172}}) {
        auto* action = new QPushButton(QString::fromLatin1(a.text), this);
        action->setObjectName(QString::fromLatin1(a.name));
        action->setGeometry(a.left, top, a.name[1] == 'G' ? 88 : 70, 26);
    }
    PanelStyle::Label(this, QStringLiteral("lCurrentMulti"), QStringLiteral("Current:"),
                      {PartsLeft + 260, top + 5, 260, 16}, PanelStyle::Caption, 12, true);
    // On screen the doubled ampersand of the caption is one.
    PanelStyle::Label(this, QStringLiteral("lMultiHint"),
                      QStringLiteral("For buttons - hold 'Ctrl' & left click to go backwards"),
                      {PartsLeft + 520, top + 5, 330, 16}, PanelStyle::Caption, 11);
}

void MultipartPage::Connect(Editor& editor) {
    for (TKnob* knob : ChildrenOf<TKnob>(*this)) {
        knob->OnMouseEnter = [&editor, knob] { editor.MKnobMouseEnter(knob); };
        knob->OnMouseLeave = [&editor, knob] { editor.MKnobMouseLeave(knob); };
        knob->OnMouseWheelUp = [&editor, knob](Qt::KeyboardModifiers modifiers) {
            editor.KnobMouseWheelUp(knob, modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
        };
        knob->OnMouseWheelDown = [&editor, knob](Qt::KeyboardModifiers modifiers) {
            editor.KnobMouseWheelDown(knob, modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
        };
    }
    for (TTransparentButton* button : ChildrenOf<TTransparentButton>(*this)) {
        button->OnClick = [&editor, button] { editor.tlmValClick(button); };
        button->OnMouseDown = [&editor, button](Qt::MouseButton which,
                                                Qt::KeyboardModifiers modifiers, QPoint) {
            editor.lValMouseDown(button,
                                 which == Qt::RightButton ? Editor::MouseButton::Right
                                                          : Editor::MouseButton::Left,
                                 modifiers & Qt::ControlModifier);
        };
        button->OnMouseEnter = [&editor, button] { editor.tlmValMouseEnter(button); };
    }
    connect(findChild<QPushButton*>(QStringLiteral("bGetMulti")), &QPushButton::clicked, this,
            [&editor] { editor.bGetPatchClick(); });
    connect(findChild<QPushButton*>(QStringLiteral("bLoadMulti")), &QPushButton::clicked, this,
            [&editor] { editor.bLoadMultiClick(); });
    connect(findChild<QPushButton*>(QStringLiteral("bSaveMulti")), &QPushButton::clicked, this,
            [&editor] { editor.bSaveMultiClick(); });
}

void MultipartPage::paintDecoration(QPainter& painter) {
    PanelStyle::PaintSection(painter, {GlobalLeft - 4, Top, GlobalWidth + 8, PanelHeight});
    for (int part = 1; part <= PartCount; ++part)
        PanelStyle::PaintSection(painter, {partLeft(part), Top, PartWidth - PartGap, PanelHeight});
}
