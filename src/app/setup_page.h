#pragma once

#include <QWidget>
#include <array>

class Editor;
class QListWidget;
class UpDown;

// The "Midi Setup" page: the five device lists (synth in and out, controller in and out,
// keyboard in), the envelope-time option, the mouse-wheel divider and the button that sends the
// controller its presets. Each list shows the device its port has.
class MidiSetupPage : public QWidget {
public:
    explicit MidiSetupPage(QWidget* parent = nullptr);

    // Fills the lists from the editor (after its start-up), shows each port's device and sends
    // the controls' events to the editor.
    void Connect(Editor& editor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void listClicked(Editor& editor, int list, int entry);
    // Selects each port's device, "None" for a port without one.
    void showDevices(const Editor& editor);

    std::array<QListWidget*, 5> lists_{};
    UpDown* wheelSize_ = nullptr;
};
