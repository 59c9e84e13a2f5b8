#pragma once

#include "controls/envelope_geometry.h"
#include "controls/gradient_fill.h"
#include "views/views.h"

#include <QImage>
#include <QWidget>
#include <functional>

// The envelope graph of an operator: four rates and four levels drawn as a line or a filled
// shape through six points over a plain or banded background, with a square marker on each
// point and dotted guide lines. Dragging a marker with the left button changes the rate and
// level behind it and raises OnChange. Drawn off-screen and copied in one step.
class Tmbadsr2 : public QWidget, public GraphView {
public:
    explicit Tmbadsr2(QWidget* parent = nullptr);

    // Values are stored as given, not limited to 0..Max; an index outside 0..7 is ignored.
    void SetValue(int value, int index) override;
    int GetValue(int index) const override;

    // Below 1 the shape cannot be drawn or edited; only the background is painted.
    int Max() const { return max_; }
    void SetMax(int max);
    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor colour) override;
    TColor MarkerColor() const { return markerColor_; }
    void SetMarkerColor(TColor colour) override;
    int MarkerSize() const { return markerSize_; }
    void SetMarkerSize(int size);
    bool FillEnabled() const { return fillEnabled_; }
    void SetFillEnabled(bool fill);
    bool ShowVLines() const { return showVLines_; }
    void SetShowVLines(bool show);
    // Raise OnChange at every step of a drag, not only at the release.
    bool AlwayDetect() const { return alwayDetect_; }
    void SetAlwayDetect(bool always) { alwayDetect_ = always; }
    bool GradientEnabled() const { return gradientEnabled_; }
    void SetGradientEnabled(bool enabled);
    TColor GradientColor() const { return gradientColor_; }
    void SetGradientColor(TColor colour) override;
    tGradientType2 GradientType() const { return gradientType_; }
    void SetGradientType(tGradientType2 type);
    // 0 (one band per pixel) or 2..256; other counts are ignored.
    int GradientNbOfColors() const { return gradientNbOfColors_; }
    void SetGradientNbOfColors(int count);
    // The background, and the far end of the gradient.
    TColor Color() const { return color_; }
    void SetColor(TColor colour);

    // P0..P5 for the current values and size.
    EnvelopePoints Points() const;

    std::function<void()> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    template <class T> void setVisual(T& field, const T& value);
    template <class T> void setGradient(T& field, const T& value);
    void Affiche();
    bool editable() const;
    void dragTo(QPoint point);

    EnvelopeValues values_;
    int max_ = 99;
    TColor lineColor_ = Colours::Teal;
    TColor markerColor_ = Colours::Aqua;
    int markerSize_ = 3;
    bool fillEnabled_ = false;
    bool showVLines_ = true;
    bool alwayDetect_ = true;
    bool gradientEnabled_ = false;
    TColor gradientColor_ = Colours::Navy;
    tGradientType2 gradientType_ = gr2VertCenterToBorder;
    int gradientNbOfColors_ = 64;
    TColor color_ = Colours::Black;

    QImage drawBitmap_;
    QImage gradientBitmap_;
    bool gradientReady_ = false;
    bool dragging_ = false;
    int selectedMarker_ = -1;
};
