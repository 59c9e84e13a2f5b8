#include "app/preview_switch.h"

#include "preview/preview_output.h"
#include "ui/panel_style.h"
#include "views/services.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {
const QString Section = QStringLiteral("Preview");
const QString Key = QStringLiteral("On");
} // namespace

PreviewSwitch::PreviewSwitch(PreviewOutput& preview, SettingsStore& settings, QWidget* parent)
    : QWidget(parent), preview_(preview), settings_(settings),
      toggle_(new QPushButton(QStringLiteral("Preview"), this)),
      play_(new QPushButton(QStringLiteral("Play"), this)) {
    toggle_->setObjectName(QStringLiteral("bPreview"));
    play_->setObjectName(QStringLiteral("bPlay"));
    toggle_->setCheckable(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (QPushButton* button : {toggle_, play_}) {
        button->setFont(PanelStyle::Font(11));
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
    }
    play_->setToolTip(QStringLiteral("Middle C at velocity 100 for one second"));
    // clicked, not toggled: only the user's choice is remembered.
    connect(toggle_, &QPushButton::clicked, this, [this](bool on) {
        settings_.SetValue(Section, Key, on);
        turn(on);
    });
    connect(play_, &QPushButton::clicked, this, [this] { preview_.PlayTestNote(); });
    show({});
}

void PreviewSwitch::Restore(bool onByDefault) {
    turn(settings_.Value(Section, Key, onByDefault).toBool());
}

void PreviewSwitch::Audition() {
    if (!preview_.Running())
        turn(true);
    preview_.PlayTestNote();
}

void PreviewSwitch::turn(bool on) {
    if (!on) {
        preview_.Stop();
        show({});
        return;
    }
    show(preview_.Start().value_or(QString()));
}

void PreviewSwitch::show(const QString& problem) {
    const bool running = preview_.Running();
    toggle_->setChecked(running);
    play_->setEnabled(running);
    toggle_->setToolTip(
        !problem.isEmpty() ? problem
        : running ? QStringLiteral("The preview plays the voice on JACK (\"Marrowlink preview\"): "
                                   "an approximation of the synth's sound")
                  : QStringLiteral("Play the voice without the synth, on JACK"));
}
