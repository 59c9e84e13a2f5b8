#include "app/setup_page.h"

#include "app/up_down.h"
#include "controls/caption_label.h"
#include "edit/editor.h"
#include "ui/find_widgets.h"
#include "ui/panel_style.h"
#include "ui/view_widgets.h"
#include "views/services.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>

namespace {

constexpr int HintMs = 5000;
const QColor Navy(0, 0, 0x80);
const QColor Yellow(0xFF, 0xFF, 0);

// The lists in the order of their ports' settings keys; under each, the line that names its
// remembered device while that is missing.
struct DeviceListPlace {
    Editor::Port port;
    const char* list;
    const char* caption;
    const char* text;
    QPoint captionAt;
    QRect rect;
    const char* missing;
};
const DeviceListPlace Lists[] = {
    {Editor::Port::SynthIn,
     "lbMidiIn",
     "cbFromSynth",
     "From <- Synth",
     {24, 85},
     {19, 102, 162, 174},
     "lMidiInMissing"},
    {Editor::Port::SynthOut,
     "lbMidiOut",
     "cbToSynth",
     "To -> Synth",
     {212, 85},
     {207, 102, 162, 174},
     "lMidiOutMissing"},
    {Editor::Port::CtrlIn,
     "lbCtrlIn",
     "cbFromBCR",
     "From <- BCR",
     {460, 85},
     {455, 102, 162, 174},
     "lCtrlInMissing"},
    {Editor::Port::CtrlOut,
     "lbCtrlOut",
     "cbToBCR",
     "To -> BCR",
     {636, 85},
     {631, 102, 162, 174},
     "lCtrlOutMissing"},
    {Editor::Port::KbdIn,
     "lbKbdIn",
     "cbFromKbd",
     "From <- Keyboard",
     {124, 302},
     {119, 321, 162, 174},
     "lKbdInMissing"},
};
const QColor Orange(0xFF, 0xA5, 0x40);

// Shows the entries, changing only what differs: the item being clicked stays alive.
void showEntries(QListWidget& list, const QStringList& entries) {
    while (list.count() > entries.size())
        delete list.takeItem(list.count() - 1);
    for (int i = 0; i < entries.size(); ++i) {
        if (i == list.count())
            list.addItem(entries[i]);
        else if (list.item(i)->text() != entries[i])
            list.item(i)->setText(entries[i]);
    }
}

// The captions' face is narrower than the fall-back sans-serif at the same size; one pixel less
// keeps the captions within their places.
constexpr int CaptionPixels = 12;

CaptionLabel* yellowLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                          bool bold) {
    CaptionLabel* label = PanelStyle::Label(parent, QString::fromLatin1(name), text,
                                            {at, QSize(200, 17)}, Yellow, CaptionPixels, bold);
    label->adjustSize();
    return label;
}

} // namespace

MidiSetupPage::MidiSetupPage(QWidget* parent) : QWidget(parent) {
    CaptionLabel* title =
        yellowLabel(this, "lSetupTitle", QStringLiteral("MIDI devices"), {19, 20}, true);
    title->setFont(PanelStyle::Font(16, true));
    title->adjustSize();
    yellowLabel(this, "lSetupHint",
                QStringLiteral("Choose where the synth, the BCR2000 and a keyboard are connected. "
                               "Each choice is kept for the next start."),
                {19, 48}, false);
    for (std::size_t i = 0; i < std::size(Lists); ++i) {
        const DeviceListPlace& place = Lists[i];
        yellowLabel(this, place.caption, QString::fromLatin1(place.text), place.captionAt, true);
        auto* list = new QListWidget(this);
        list->setObjectName(QString::fromLatin1(place.list));
        list->setGeometry(place.rect);
        list->setFont(PanelStyle::Font(11));
        QPalette colours = list->palette();
        colours.setColor(QPalette::Text, Navy);
        list->setPalette(colours);
        lists_[i] = list;
        missing_[i] =
            PanelStyle::Label(this, QString::fromLatin1(place.missing), QString(),
                              {place.rect.left(), place.rect.bottom() + 3, place.rect.width(), 17},
                              Orange, CaptionPixels);
        missing_[i]->setToolTipDuration(HintMs);
        missing_[i]->hide();
    }
    auto* option = new CheckToggle(QStringLiteral("Env Time Reversed"), this);
    option->setObjectName(QStringLiteral("cbEnvRev"));
    option->setGeometry(12, 518, 147, 17);
    option->setFont(PanelStyle::Font(CaptionPixels));
    QPalette optionColours = option->palette();
    optionColours.setColor(QPalette::WindowText, Yellow);
    option->setPalette(optionColours);
    option->setToolTip(QStringLiteral(
        "Original Yamaha = CW quicker Attack time, select to make CW slower attack etc "));
    option->setToolTipDuration(HintMs);

    yellowLabel(this, "Label17", QStringLiteral("Use BCR mode S-4 Only"), {211, 518}, false);
    CaptionLabel* wheel = yellowLabel(this, "lMouseWheelSize",
                                      QStringLiteral("Mouse Wheel Size : "), {11, 554}, false);
    wheel->setToolTip(QStringLiteral("Your mousewheel may jump values. Use this to adjust."));
    wheel->setToolTipDuration(HintMs);
    wheel->resize(136, 17);
    wheelSize_ = new UpDown(this);
    wheelSize_->setObjectName(QStringLiteral("WheelSize"));
    wheelSize_->setGeometry(148, 546, 16, 33);
    wheelSize_->SetRange(0, 0xFFFF);

    auto* send = new CaptionButton(QStringLiteral("Send Sysex to  BCR"), this);
    send->setObjectName(QStringLiteral("bLoadBCR"));
    send->setGeometry(411, 503, 150, 39);
    send->setToolTip(QStringLiteral("Sysex file that set up the BCR for this editor"));
    send->setToolTipDuration(HintMs);
    send->hide();
    // The upload started here shows its way beside the button; the window paints on meanwhile.
    upload_ = new QProgressBar(this);
    upload_->setObjectName(QStringLiteral("pbUpload"));
    upload_->setGeometry(575, 512, 220, 14);
    upload_->setTextVisible(false);
    upload_->hide();
    uploadOutcome_ = new QLabel(this);
    uploadOutcome_->setObjectName(QStringLiteral("lUploadOutcome"));
    uploadOutcome_->setGeometry(575, 530, 380, 48);
    uploadOutcome_->setWordWrap(true);
    uploadOutcome_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    uploadOutcome_->setFont(PanelStyle::Font(CaptionPixels));
    QPalette outcomeColours = uploadOutcome_->palette();
    outcomeColours.setColor(QPalette::WindowText, Yellow);
    uploadOutcome_->setPalette(outcomeColours);
}

void MidiSetupPage::Connect(Editor& editor, const SettingsStore& settings) {
    settings_ = &settings;
    for (std::size_t i = 0; i < std::size(Lists); ++i)
        connect(lists_[i], &QListWidget::itemClicked, this,
                [this, &editor, i](QListWidgetItem* item) {
                    listClicked(editor, int(i), lists_[i]->row(item));
                });
    Refresh(editor);
    wheelSize_->SetPosition(editor.WheelDivider());
    wheelSize_->OnClick = [this, &editor] { editor.WheelSizeClick(wheelSize_->Position()); };
    connect(ChildNamed<CheckToggle>(*this, QStringLiteral("cbEnvRev")), &QCheckBox::clicked, this,
            [&editor] { editor.cbEnvRevClick(); });
    connect(ChildNamed<CaptionButton>(*this, QStringLiteral("bLoadBCR")), &QPushButton::clicked,
            this, [&editor] { editor.bLoadBCRClick(); });
    editor.SetUploadListeners(
        [this](int sent, int total) {
            upload_->setRange(0, total);
            upload_->setValue(sent);
            upload_->show();
            uploadOutcome_->setText(
                QStringLiteral("Sending to the BCR: %1 of %2").arg(sent).arg(total));
        },
        [this](const std::optional<QString>& failure) {
            uploadOutcome_->setText(failure.value_or(QStringLiteral("Sent to the BCR: done")));
        });
}

void MidiSetupPage::listClicked(Editor& editor, int list, int entry) {
    const Editor::Port port = Lists[list].port;
    const bool chosen = editor.ChooseDevice(port, entry);
    // A choice may have followed a change of the devices that waited for it.
    Refresh(editor);
    // The user kept the other port's device: the list shows its own port's device again, or
    // nothing when the port has none.
    if (!chosen && editor.DeviceIndex(port) < 0)
        lists_[list]->setCurrentRow(-1);
}

void MidiSetupPage::Refresh(const Editor& editor) {
    for (std::size_t i = 0; i < std::size(Lists); ++i) {
        const Editor::Port port = Lists[i].port;
        const QStringList& devices = editor.DeviceList(port);
        showEntries(*lists_[i], devices);
        const int index = editor.DeviceIndex(port);
        lists_[i]->setCurrentRow(index >= 0 ? index : lists_[i]->count() - 1);
        const QString remembered =
            settings_ ? EditorPorts::RememberedDevice(*settings_, port) : QString();
        const bool missing = index < 0 && !remembered.isEmpty() &&
                             !devices.contains(remembered, Qt::CaseInsensitive);
        missing_[i]->setVisible(missing);
        missing_[i]->setText(missing ? QStringLiteral("Missing: ") + remembered : QString());
        missing_[i]->setToolTip(
            missing ? QStringLiteral("\"%1\" is not there now; it is opened when it appears.")
                          .arg(remembered)
                    : QString());
    }
}

void MidiSetupPage::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Navy);
}
