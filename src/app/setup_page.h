#pragma once

#include <QWidget>
#include <array>

class CaptionLabel;
class Editor;
class QListWidget;
class SettingsStore;
class UpDown;

// The "Midi Setup" page: the five device lists (synth in and out, controller in and out,
// keyboard in), the envelope-time option, the mouse-wheel divider and the button that sends the
// controller its presets. Each list shows the device its port has; under a port without one, a
// line names the device the settings remember for it while that is missing.
class QLabel;
class QProgressBar;

class MidiSetupPage : public QWidget {
public:
    explicit MidiSetupPage(QWidget* parent = nullptr);

    // Fills the lists from the editor (after its start-up), shows each port's device and sends
    // the controls' events to the editor. The settings say which devices are remembered.
    void Connect(Editor& editor, const SettingsStore& settings);
    // Shows the editor's lists and each port's device again, "None" for a port without one.
    void Refresh(const Editor& editor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void listClicked(Editor& editor, int list, int entry);

    const SettingsStore* settings_ = nullptr;
    std::array<QListWidget*, 5> lists_{};
    std::array<CaptionLabel*, 5> missing_{};
    UpDown* wheelSize_ = nullptr;
    QProgressBar* upload_ = nullptr;
    QLabel* uploadOutcome_ = nullptr;
};
