#include "ui/compare_buttons.h"

#include "edit/editor.h"
#include "ui/compare_window.h"
#include "ui/panel_style.h"

#include <QGridLayout>
#include <QPushButton>

CompareButtons::CompareButtons(Editor& editor, QWidget* page)
    : QWidget(page), editor_(editor), toggle_(new QPushButton(QStringLiteral("A/B"), this)),
      window_(new CompareWindow(editor, page->window())) {
    toggle_->setObjectName(QStringLiteral("bCompare"));
    toggle_->setCheckable(true);
    toggle_->setToolTip(QStringLiteral("Compare: the voice as it came in (A) or as edited (B); "
                                       "an edit made while A is shown goes to B"));
    auto* setA = new QPushButton(QStringLiteral("Set A"), this);
    setA->setObjectName(QStringLiteral("bSetACompare"));
    setA->setToolTip(QStringLiteral("The voice as it is now becomes A"));
    auto* differences = new QPushButton(QStringLiteral("Differences..."), this);
    differences->setObjectName(QStringLiteral("bDifferences"));
    differences->setToolTip(QStringLiteral("What differs between A and B, taking values from A, "
                                           "and the morph from A to B"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(toggle_, 0, 0);
    layout->addWidget(setA, 0, 1);
    layout->addWidget(differences, 1, 0, 1, 2);
    for (QPushButton* button : {toggle_, setA, differences}) {
        button->setFont(PanelStyle::Font(11));
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(toggle_, &QPushButton::clicked, this, [this] {
        editor_.Compare().Toggle();
        Refresh();
    });
    connect(setA, &QPushButton::clicked, this, [this] { editor_.Compare().SetA(); });
    connect(differences, &QPushButton::clicked, this, [this] {
        window_->Refresh();
        window_->show();
        window_->raise();
    });
}

void CompareButtons::Refresh() {
    toggle_->setChecked(editor_.Compare().ShowingA());
    if (window_->isVisible())
        window_->Refresh();
}
