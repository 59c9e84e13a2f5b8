#include "controls/control_styles.h"
#include "controls/envelope_graph.h"
#include "controls/picture_switch.h"
#include "controls/pictures.h"
#include "controls/wallpaper.h"
#include "gallery.h"

#include <array>

namespace {
constexpr std::array<int, 8> PanelValues{16, 32, 16, 24, 16, 16, 16, 0};

void setValues(Tmbadsr2& graph, const std::array<int, 8>& values) {
    for (int i = 0; i < int(values.size()); ++i)
        graph.SetValue(values[std::size_t(i)], i);
}

// The colours the operator panel gives a graph for its operator's state.
void saveGraph(Gallery& gallery, const QString& name, TColor line, TColor marker, TColor gradient) {
    Tmbadsr2 graph;
    styleOperatorGraph(graph);
    setValues(graph, PanelValues);
    graph.SetLineColor(line);
    graph.SetMarkerColor(marker);
    graph.SetGradientColor(gradient);
    gallery.save(graph, name);
}
} // namespace

void envelopeScenes(Gallery& gallery) {
    saveGraph(gallery, QStringLiteral("adsr-panel"), Colours::Teal, Colours::Aqua, Colours::Navy);
    saveGraph(gallery, QStringLiteral("adsr-panel-selected"), Colours::Teal, Colours::Yellow,
              Colours::Yellow);
    saveGraph(gallery, QStringLiteral("adsr-panel-off"), Colours::Grey, Colours::Grey,
              Colours::Silver);
    Tmbadsr2 defaults;
    gallery.save(defaults, QStringLiteral("adsr-defaults"));
}

void pictureScenes(Gallery& gallery) {
    const QImage algorithms = Pictures::AlgorithmStrip();
    const QImage waves = Pictures::WaveStrip();
    gallery.save(algorithms, QStringLiteral("algorithm-strip"));
    gallery.save(waves, QStringLiteral("wave-strip"));
    Tmbgrafsw algorithm;
    styleAlgorithmPicture(algorithm, algorithms);
    Tmbgrafsw wave;
    styleWavePicture(wave, waves);
    for (int state = 0; state < 8; ++state) {
        algorithm.SetState(state);
        wave.SetState(state);
        gallery.save(algorithm, QStringLiteral("picture-algorithm-%1").arg(state + 1));
        gallery.save(wave, QStringLiteral("picture-wave-%1").arg(state + 1));
    }
}

void wallpaperScenes(Gallery& gallery) {
    TWallpaper wallpaper;
    stylePatchWallpaper(wallpaper, Pictures::Wallpaper());
    gallery.save(wallpaper, QStringLiteral("wallpaper"));
}
