#include "ui/heading_label.h"

#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {
bool onlyDashes(const QString& token) {
    return !token.isEmpty() && token.count(QLatin1Char('-')) == token.size();
}

QString withoutDashes(const QString& token) {
    QString text = token;
    while (text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    while (text.endsWith(QLatin1Char('-')))
        text.chop(1);
    return text.trimmed();
}

// A name this much wider than its column is not moved onto the column's centre.
constexpr double SnapWidth = 1.2;
constexpr int RuleGap = 5;
} // namespace

HeadingLabel::HeadingLabel(const QString& text, int columns, QWidget* parent)
    : WidgetCaption<QWidget>(parent), text_(text), columns_(std::max(columns, 1)) {}

void HeadingLabel::SetCaption(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    update();
}

void HeadingLabel::SetColor(TColor background) {
    setPaletteColour(QPalette::Window, background);
    setAutoFillBackground(true);
}

std::vector<HeadingLabel::Group> HeadingLabel::GroupsOf(const QString& text) {
    // Words are separated by one blank, groups by two or more.
    static const QRegularExpression token(QStringLiteral("\\S+(?: \\S+)*"));
    std::vector<Group> groups;
    bool open = false; // a title whose closing dashes are still to come
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString word = match.captured();
        const int first = int(match.capturedStart());
        const int end = int(match.capturedEnd());
        const bool startsDashed = word.startsWith(QLatin1Char('-'));
        const bool endsDashed = word.endsWith(QLatin1Char('-'));
        if (open && (onlyDashes(word) || groups.back().text.isEmpty())) {
            // The title's text, or its closing dashes.
            Group& title = groups.back();
            title.end = end;
            if (!onlyDashes(word))
                title.text = withoutDashes(word);
            open = !endsDashed;
            continue;
        }
        if (startsDashed) {
            groups.push_back({withoutDashes(word), first, end, true});
            open = !endsDashed || onlyDashes(word);
        } else {
            groups.push_back({word, first, end, false});
            open = false;
        }
    }
    return groups;
}

void HeadingLabel::paintEvent(QPaintEvent*) {
    if (text_.trimmed().isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    const double perChar = double(width()) / double(text_.size());
    const double column = double(width()) / columns_;
    const int baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
    const std::vector<Group> groups = GroupsOf(text_);
    // As many names as columns: one name over each column, in order.
    const bool oneEach = std::count_if(groups.begin(), groups.end(),
                                       [](const Group& g) { return !g.title; }) == columns_;
    int nameIndex = 0;
    for (const Group& group : groups) {
        const int textWidth = metrics.horizontalAdvance(group.text);
        if (group.title) {
            const int left = int(group.first * perChar);
            const int right = int(group.end * perChar);
            const int middle = (left + right) / 2;
            const int y = height() / 2;
            const int textLeft = middle - textWidth / 2;
            if (group.text.isEmpty()) {
                painter.drawLine(left, y, right, y);
                continue;
            }
            painter.drawLine(left, y, textLeft - RuleGap, y);
            painter.drawLine(textLeft + textWidth + RuleGap, y, right, y);
            painter.drawText(textLeft, baseline, group.text);
            continue;
        }
        double centre = (group.first + group.end) / 2.0 * perChar;
        if (oneEach)
            centre = (nameIndex + 0.5) * column;
        else if (textWidth <= column * SnapWidth)
            centre = (std::floor(centre / column) + 0.5) * column;
        ++nameIndex;
        painter.drawText(int(centre) - textWidth / 2, baseline, group.text);
    }
}
