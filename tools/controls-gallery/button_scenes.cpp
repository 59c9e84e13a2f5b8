#include "controls/control_styles.h"
#include "controls/pictures.h"
#include "controls/transparent_button.h"
#include "gallery.h"
#include "gallery_events.h"

#include <array>

namespace {
// A grey stage, so that a transparent button's frames and caption show.
struct ButtonStage {
    ButtonStage() {
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, QColor(60, 60, 70));
        parent.setPalette(palette);
        parent.setAutoFillBackground(true);
        parent.resize(140, 40);
        button.setGeometry(10, 10, 60, 20);
        styleValueButton(button);
        button.SetCaption(QStringLiteral("Sine"));
    }
    QWidget parent;
    TTransparentButton button{&parent};
};

enum class ButtonState { Idle, Hovered, Pressed, Disabled };

void saveButton(Gallery& gallery, const QString& name, ButtonState state,
                const QImage& glyph = {}) {
    ButtonStage stage;
    if (!glyph.isNull()) {
        stage.button.resize(glyph.width() + 10, 24);
        stage.button.SetGlyph(glyph);
    }
    const QPoint middle(stage.button.width() / 2, stage.button.height() / 2);
    if (state == ButtonState::Hovered || state == ButtonState::Pressed)
        sendEnter(stage.button, middle);
    if (state == ButtonState::Pressed)
        sendLeftPress(stage.button, middle);
    if (state == ButtonState::Disabled)
        stage.button.setEnabled(false);
    gallery.save(stage.parent, name);
}

void styleSheet(Gallery& gallery) {
    const std::array<std::pair<TFrameStyle, const char*>, 7> styles{{
        {fsRegular, "regular"},
        {fsIndent, "indent"},
        {fsExplorer, "explorer"},
        {fsNone, "none"},
        {fsLight, "light"},
        {fsDark, "dark"},
        {fsMono, "mono"},
    }};
    for (const auto& [style, name] : styles) {
        for (bool down : {false, true}) {
            ButtonStage stage;
            stage.button.SetFrameStyle(style);
            stage.button.SetTransparent(false);
            stage.button.SetStayDown(down);
            gallery.save(stage.parent, QStringLiteral("button-%1-%2")
                                           .arg(QLatin1String(name), down ? QStringLiteral("down")
                                                                          : QStringLiteral("up")));
        }
    }
}
} // namespace

void buttonScenes(Gallery& gallery) {
    saveButton(gallery, QStringLiteral("button-explorer-idle"), ButtonState::Idle);
    saveButton(gallery, QStringLiteral("button-explorer-hover"), ButtonState::Hovered);
    saveButton(gallery, QStringLiteral("button-explorer-pressed"), ButtonState::Pressed);
    saveButton(gallery, QStringLiteral("button-explorer-disabled"), ButtonState::Disabled);
    const QImage plate = Pictures::ValueButton();
    saveButton(gallery, QStringLiteral("button-picture-idle-grey"), ButtonState::Idle, plate);
    saveButton(gallery, QStringLiteral("button-picture-hover"), ButtonState::Hovered, plate);
    saveButton(gallery, QStringLiteral("button-picture-disabled"), ButtonState::Disabled, plate);
    styleSheet(gallery);
}
