// The toolkit's two hot paths: repainting a whole table-sized form, and dispatching posted messages.
#include "graphics/PictureResources.h"
#include "gui/Canvas.h"
#include "gui/Form.h"
#include "platform/headless/HeadlessPlatform.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace morvane {
namespace {

constexpr int kFormWidth = 1024;
constexpr int kFormHeight = 734;

class TPicturePanel : public TGraphicControl {
public:
    TPicturePanel(TComponent* owner, const TPngImage* picture, bool opaque)
        : TGraphicControl(owner), picture_(picture), opaque_(opaque) {}
    bool Opaque() const override { return opaque_; }

protected:
    void Paint(TCanvas& canvas) override { canvas.Draw(0, 0, *picture_); }

private:
    const TPngImage* picture_;
    bool opaque_;
};

// A form as the table has it: the felt over the whole window and 40 pictured controls (chips and cards).
struct TableLikeForm {
    THeadlessPlatform platform;
    TApplication app{platform};
    std::unique_ptr<TPngImage> felt = LoadPictureByName("MAINBIGIMAGE");
    std::unique_ptr<TPngImage> chip = LoadPictureByName("1000COMM");
    std::unique_ptr<TPngImage> card = LoadPictureByName("HK0");
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);

    TableLikeForm() {
        form->SetBounds(0, 0, kFormWidth, kFormHeight);
        Add(*felt, 0, 0, true); // the felt has no transparent pixel
        for (int i = 0; i < 40; ++i) {
            const TPngImage& picture = i % 2 ? *chip : *card;
            Add(picture, 20 + (i % 10) * 95, 60 + (i / 10) * 150, false);
        }
        form->Show();
        platform.RunUntilIdle();
    }
    void Add(const TPngImage& picture, int x, int y, bool opaque) {
        auto* panel = form->Own(std::make_unique<TPicturePanel>(form.get(), &picture, opaque));
        panel->SetParent(form.get());
        panel->SetBounds(x, y, picture.Width(), picture.Height());
    }
};

void BM_FullRepaint(benchmark::State& state) {
    TableLikeForm table;
    for (auto _ : state) {
        table.form->Invalidate();
        table.form->PaintPending();
        benchmark::DoNotOptimize(table.form->Framebuffer().Row32(0));
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_MemcpyFramebuffer(benchmark::State& state) {
    TBitmap from(kFormWidth, kFormHeight), to(kFormWidth, kFormHeight);
    const std::size_t bytes = from.Stride() * std::size_t(kFormHeight);
    for (auto _ : state) {
        std::memcpy(to.ScanLine(0), from.ScanLine(0), bytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyFramebuffer)->Unit(benchmark::kMicrosecond);

void BM_PostedMessages(benchmark::State& state) {
    THeadlessPlatform platform;
    TApplication app(platform);
    TForm form(nullptr);
    constexpr int kMessages = 100000;
    for (auto _ : state) {
        for (int i = 0; i < kMessages; ++i)
            form.PostMessage(WM_USER + 1, i);
        platform.RunUntilIdle();
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
}
BENCHMARK(BM_PostedMessages)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morvane
