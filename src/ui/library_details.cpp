#include "ui/library_details.h"

#include "library/library_browser.h"
#include "views/prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace {
QStringList tagsOf(const QString& text) {
    QStringList tags;
    for (const QString& tag : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!tag.trimmed().isEmpty())
            tags << tag.trimmed();
    return tags;
}

QString whereFrom(const CatalogueEntry& copy) {
    if (copy.source.isEmpty())
        return QStringLiteral("stored from the editor");
    return QStringLiteral("%1, voice %2").arg(QFileInfo(copy.source).fileName()).arg(copy.position);
}
} // namespace

LibraryDetails::LibraryDetails(QWidget* parent) : QWidget(parent) {
    name_ = new QLineEdit;
    name_->setMaxLength(10);
    category_ = new QComboBox;
    category_->setEditable(true);
    category_->setToolTip(QStringLiteral("Your category wins over the one the name suggests; "
                                         "leave it empty to go back to the name's"));
    tags_ = new QLineEdit;
    tags_->setPlaceholderText(QStringLiteral("comma, separated"));
    favourite_ = new QCheckBox(QStringLiteral("Favourite"));
    comment_ = new QPlainTextEdit;
    comment_->setFixedHeight(90);
    commentPause_ = new QTimer(this);
    commentPause_->setSingleShot(true);
    commentPause_->setInterval(600);
    copies_ = new QLabel;
    copies_->setWordWrap(true);
    copies_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    copies_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Name"), name_);
    form->addRow(QStringLiteral("Category"), category_);
    form->addRow(QStringLiteral("Tags"), tags_);
    form->addRow(QString(), favourite_);
    form->addRow(QStringLiteral("Comment"), comment_);
    form->addRow(QStringLiteral("Copies"), copies_);
    Show(nullptr);
}

void LibraryDetails::Connect(LibraryBrowser& browser, Prompter& prompts) {
    browser_ = &browser;
    prompts_ = &prompts;
    connect(name_, &QLineEdit::editingFinished, this, [this] {
        if (id_ && name_->isModified()) {
            name_->setModified(false);
            report(browser_->Rename(*id_, name_->text()));
        }
    });
    connect(category_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (id_ && category_->lineEdit()->isModified()) {
            category_->lineEdit()->setModified(false);
            report(browser_->SetCategory(*id_, category_->currentText().trimmed()));
        }
    });
    connect(category_, &QComboBox::activated, this, [this] {
        if (id_)
            report(browser_->SetCategory(*id_, category_->currentText()));
    });
    connect(tags_, &QLineEdit::editingFinished, this, [this] {
        if (id_ && tags_->isModified()) {
            tags_->setModified(false);
            report(browser_->SetTags(*id_, tagsOf(tags_->text())));
        }
    });
    connect(favourite_, &QCheckBox::toggled, this, [this](bool on) {
        if (id_)
            report(browser_->SetFavourite(*id_, on));
    });
    connect(comment_, &QPlainTextEdit::textChanged, commentPause_, qOverload<>(&QTimer::start));
    connect(commentPause_, &QTimer::timeout, this, &LibraryDetails::storeComment);
}

void LibraryDetails::storeComment() {
    if (id_)
        report(browser_->SetComment(*id_, comment_->toPlainText()));
}

void LibraryDetails::Show(const CatalogueEntry* entry) {
    // A comment still being typed belongs to the voice it was typed for.
    if (commentPause_->isActive()) {
        commentPause_->stop();
        storeComment();
    }
    const QSignalBlocker blockCategory(category_);
    const QSignalBlocker blockFavourite(favourite_);
    const QSignalBlocker blockComment(comment_);
    id_.reset();
    if (entry && browser_) {
        if (category_->count() == 0 || category_->findText(entry->category) < 0) {
            category_->clear();
            category_->addItems(browser_->Model().CategoriesInUse());
        }
        name_->setText(entry->name);
        category_->setCurrentText(entry->category);
        tags_->setText(entry->tags.join(QStringLiteral(", ")));
        favourite_->setChecked(entry->favourite);
        comment_->setPlainText(entry->comment);
        const auto copies = browser_->Copies(entry->fingerprint);
        QStringList where;
        if (copies)
            for (const CatalogueEntry& copy : *copies)
                where << whereFrom(copy);
        copies_->setText(where.size() <= 1
                             ? QStringLiteral("This sound is here once: %1.").arg(whereFrom(*entry))
                             : QStringLiteral("%1 copies of this sound:\n%2")
                                   .arg(where.size())
                                   .arg(where.join(QLatin1Char('\n'))));
        id_ = entry->id;
    } else {
        name_->clear();
        category_->setCurrentText(QString());
        tags_->clear();
        favourite_->setChecked(false);
        comment_->clear();
        copies_->clear();
    }
    for (QWidget* field :
         std::initializer_list<QWidget*>{name_, category_, tags_, favourite_, comment_})
        field->setEnabled(id_.has_value());
}

void LibraryDetails::report(const Failure& failure) {
    if (failure)
        prompts_->Error(failure->text);
}
