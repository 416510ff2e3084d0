// The texture viewer's answer to a change of zoom or channels for a 256 x 256 DXT5 texture
// with 9 mipmap levels: the change and the repaint of the view, within one frame (16 ms).
#include "TestImages.h"
#include "app/ui/TextureView.h"
#include "app/windows/frmTexture.h"

#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>

namespace {

// The viewer in an application of its own (offscreen unless a platform is chosen).
frmTexture &viewer()
{
    static int argc = 1;
    static char name[] = "cleatwork_bench";
    static char *argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    static frmTexture window;
    static const bool shown = [] {
        window.setTexture(
            TestData::ddsOf(TestData::DdsFormat::Dxt5, TestData::pattern(256, 256, true), 9),
            QStringLiteral("unnamed_5756.bin"), 0, QStringLiteral("ab12"));
        window.show();
        QCoreApplication::processEvents();
        return true;
    }();
    (void)shown;
    return window;
}

// Steps `combo` through its items, repainting the view after each change.
void changeAndRepaint(benchmark::State &state, const char *combo)
{
    frmTexture &window = viewer();
    auto *box = window.findChild<QComboBox *>(QLatin1String(combo));
    auto *view = window.findChild<TextureView *>(QStringLiteral("picTexture"));
    int item = 0;
    for (auto _ : state) {
        item = (item + 1) % box->count();
        box->setCurrentIndex(item);
        view->viewport()->repaint();
    }
}

void BM_ViewerZoomChange(benchmark::State &state)
{
    changeAndRepaint(state, "cmbZoom");
}

void BM_ViewerChannelChange(benchmark::State &state)
{
    changeAndRepaint(state, "cmbChannel");
}

} // namespace

BENCHMARK(BM_ViewerZoomChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerChannelChange)->Unit(benchmark::kMillisecond);
