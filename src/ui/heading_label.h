#pragma once

#include "controls/widget_caption.h"

#include <QString>
#include <QWidget>
#include <vector>

// A heading over a row of knobs or buttons. Its text is written for a fixed-width layout: names
// spaced out to stand over their controls, and section titles between runs of dashes
// ("-------- LFO -----------"). The label keeps the text as it is (that is its caption) and draws
// it for the grid below: each name centred over the column it stands over, each dashed title as a
// rule across the columns it spans with the title in the middle.
class HeadingLabel : public WidgetCaption<QWidget> {
public:
    // columns: how many grid columns of equal width the label spans.
    HeadingLabel(const QString& text, int columns, QWidget* parent = nullptr);

    void SetCaption(const QString& text) override;
    QString Caption() const override { return text_; }
    // Fills the label's background with the colour.
    void SetColor(TColor background) override;

    // A name or a title and the characters of the text it covers.
    struct Group {
        QString text;
        int first; // first character (for a title, its first dash)
        int end;   // one past the last character
        bool title;
    };
    static std::vector<Group> GroupsOf(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    int columns_;
};
