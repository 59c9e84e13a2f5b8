#include "ui/compare_window.h"

#include "edit/editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

CompareWindow::CompareWindow(Editor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor), differences_(new QListWidget(this)),
      summary_(new QLabel(this)), morph_(new QSlider(Qt::Horizontal, this)),
      morphValue_(new QLabel(this)) {
    setObjectName(QStringLiteral("fCompare"));
    setWindowTitle(QStringLiteral("Compare A and B"));
    setModal(false);
    resize(440, 460);

    differences_->setObjectName(QStringLiteral("lbDifferences"));
    differences_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    differences_->setToolTip(QStringLiteral("Each parameter in which A and B differ: A's value, "
                                            "then B's"));
    auto* take = new QPushButton(QStringLiteral("Take from A"), this);
    take->setObjectName(QStringLiteral("bTakeFromA"));
    take->setToolTip(QStringLiteral("The selected parameters get A's values"));
    connect(take, &QPushButton::clicked, this, [this] { takeSelected(); });
    auto* takeAll = new QPushButton(QStringLiteral("Take all from A"), this);
    takeAll->setObjectName(QStringLiteral("bTakeAllFromA"));
    connect(takeAll, &QPushButton::clicked, this, [this] { editor_.Compare().TakeAllFromA(); });

    auto* operators = new QHBoxLayout;
    operators->addWidget(new QLabel(QStringLiteral("Take from A:"), this));
    for (int op = 0; op < OperatorCount; ++op) {
        auto* button = new QPushButton(QStringLiteral("Op %1").arg(op + 1), this);
        button->setObjectName(QStringLiteral("bTakeOp%1").arg(op + 1));
        button->setToolTip(QStringLiteral("Every value of operator %1 from A").arg(op + 1));
        connect(button, &QPushButton::clicked, this,
                [this, op] { editor_.Compare().TakeOperatorFromA(op); });
        operators->addWidget(button);
    }

    morph_->setObjectName(QStringLiteral("sbMorph"));
    morph_->setRange(0, 100);
    morph_->setValue(100);
    morph_->setToolTip(QStringLiteral("From A (left) to B (right): ranges move, choices such as "
                                      "the algorithm and the waves change half way"));
    connect(morph_, &QSlider::valueChanged, this, [this](int percent) {
        morphValue_->setText(QStringLiteral("%1 %").arg(percent));
        if (morph_->isSliderDown() || morph_->hasFocus())
            editor_.Morph().Move(percent);
    });
    connect(morph_, &QSlider::sliderReleased, this, [this] { editor_.Morph().Release(); });
    auto* setA = new QPushButton(QStringLiteral("Set A"), this);
    setA->setObjectName(QStringLiteral("bSetA"));
    setA->setToolTip(QStringLiteral("The voice as it is now becomes A"));
    connect(setA, &QPushButton::clicked, this, [this] { editor_.Compare().SetA(); });

    auto* morph = new QHBoxLayout;
    morph->addWidget(new QLabel(QStringLiteral("Morph  A"), this));
    morph->addWidget(morph_, 1);
    morph->addWidget(new QLabel(QStringLiteral("B"), this));
    morph->addWidget(morphValue_);
    morphValue_->setMinimumWidth(44);
    morphValue_->setText(QStringLiteral("100 %"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(take);
    buttons->addWidget(takeAll);
    buttons->addStretch(1);
    buttons->addWidget(setA);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(differences_, 1);
    layout->addLayout(buttons);
    layout->addLayout(operators);
    layout->addLayout(morph);
    Refresh();
}

void CompareWindow::Refresh() {
    const QStringList texts = editor_.Compare().DifferenceTexts();
    if (differences_->count() != texts.size() ||
        std::any_of(texts.begin(), texts.end(), [&, i = 0](const QString& t) mutable {
            return differences_->item(i++)->text() != t;
        })) {
        differences_->clear();
        differences_->addItems(texts);
    }
    const QString shown =
        editor_.Compare().ShowingA() ? QStringLiteral("A is shown") : QStringLiteral("B is shown");
    summary_->setText(texts.isEmpty() ? shown + QStringLiteral(": A and B are the same voice")
                      : texts.size() == 1
                          ? shown + QStringLiteral(": 1 difference, A -> B")
                          : shown + QStringLiteral(": %1 differences, A -> B").arg(texts.size()));
}

void CompareWindow::takeSelected() {
    const std::vector<VoiceParam> params = editor_.Compare().Differences();
    std::vector<VoiceParam> chosen;
    bool name = false;
    for (const QListWidgetItem* item : differences_->selectedItems()) {
        const int row = differences_->row(item);
        if (row < int(params.size()))
            chosen.push_back(params[std::size_t(row)]);
        else
            name = true; // the name is listed last
    }
    editor_.Compare().TakeFromA(chosen, name);
}
