// One frame of the test host over 2,000 windows in 8 layers (event offer,
// hover pass, Update with its draw items to the recording style), plain and
// with both scroll bars; and the vertex generation of the 3-D primitives
// against a device that takes the draws and does nothing.
#include <benchmark/benchmark.h>

#include "core/render_device.h"
#include "bench/counting_style.h"
#include "core/view.h"
#include "tests/support/ui/frame_host.h"
#include "tests/support/ui/recording_style.h"
#include "ui/draw.h"
#include "ui/wnd.h"

namespace {

using namespace tovan;

constexpr int kWindows = 2000;
constexpr int kLayers = 8;

void AddWindows(bool scrollBars) {
    for (int i = 0; i < kWindows; ++i) {
        cWnd* w = new cWnd;
        w->m_VisibleFlag = w->m_EnabledFlag = true;
        w->m_Style = CurrentWidgetStyle;
        const float x = float(i % 40) * 48, y = float(i / 40) * 21;
        w->m_Rect = w->m_Client = {x, y, x + 120, y + 90};
        if (scrollBars) {
            w->m_VScroll = w->m_HScroll = true;
            w->m_WheelScrolls = true;
            w->m_Scroll = {0, -300, 400, 0};
        }
        w->Layout();
        AddWidget(w, i % kLayers);
    }
}

using bench::CountingStyle;
using bench::ItemCount;

template <class Style>
void RunFrames(benchmark::State& state, bool scrollBars) {
    Style style;
    style.m_ScrollBarThickness = 12;
    style.m_ArrowLength = 12;
    style.m_MinThumbLength = 16;
    style.m_ArrowStep = 10;
    style.m_RepeatDelay = 0.4f;
    style.m_RepeatInterval = 0.05f;
    {
        test::FrameHost host;
        AddWindows(scrollBars);
        float x = 0;
        size_t items = 0;
        for (auto _ : state) {
            x = x > 1900 ? 0 : x + 7;
            host.MoveCursor(x, 500);
            host.Advance(1.0f / 60);
            items = ItemCount(style);
            style.Clear();
        }
        state.counters["draw_items_per_frame"] = double(items);
        state.counters["windows"] = kWindows;
    }
}

void BM_FramePlainWindows(benchmark::State& state) { RunFrames<test::RecordingStyle>(state, false); }
void BM_FrameScrollBarWindows(benchmark::State& state) { RunFrames<test::RecordingStyle>(state, true); }
void BM_FrameScrollBarWindowsCounted(benchmark::State& state) { RunFrames<CountingStyle>(state, true); }

// Takes every draw and keeps nothing, so the figures are the primitives' own.
class NullDevice : public cRenderer {
public:
    NullDevice() : m_Previous(RenderDevice) {
        RenderDevice = this;
        ++RenderDeviceEpoch;
    }
    ~NullDevice() { RenderDevice = m_Previous; }
    int m_Vertices = 0;

    void SetScissor(const cRect*) override {}
    int LoadTexture(const char*) override { return -1; }
    void ReloadTextures() override {}
    void ReloadTexture(const char*) override {}
    int GetTextureWidth(int) override { return 0; }
    int GetTextureHeight(int) override { return 0; }
    int GetTextureDepth(int) override { return 1; }
    int GetTextureFormat(int) override { return 0; }
    int GetTextureMipCount(int) override { return 1; }
    int GetShader(const char*, int, const char*, int) override { return 1; }
    int GetUniform(int, const char*) override { return 1; }
    void BindShader(int) override {}
    void ReloadShaders() override {}
    int CreateVertexBuffer(const void*, int) override { return 1; }
    int CreateIndexBuffer(const void*, int, int) override { return 1; }
    void ReleaseVertexBuffer(int) override {}
    void ReleaseIndexBuffer(int) override {}
    void Draw(int, const void* vertices, int count) override {
        benchmark::DoNotOptimize(vertices);
        m_Vertices += count;
    }
    void DrawIndexed(int, const void* vertices, int count, const void*, int, int) override {
        benchmark::DoNotOptimize(vertices);
        m_Vertices += count;
    }
    void SetRenderFlag(bool) override {}
    int CreateSamplerState(int, int, int, int) override { return 1; }
    void SetTextureSampler(int, int) override {}
    int GetSampler(int, const char*) override { return 1; }
    void BindTexture(int, int) override {}
    void SetUniformColor(int, const cColor*) override {}
    void SetUniformVec2(int, const float*) override {}
    void SetUniformFloat(int, float) override {}
    void ApplyUiTransform() override {}
    int CreateBlendState(int, int, int, int) override { return 1; }
    void SetBlendState(int) override {}
    void SetRenderStateA(int) override {}
    void SetRenderStateB(int) override {}

private:
    cRenderer* m_Previous;
};

template <class Draw>
void RunShapes(benchmark::State& state, Draw draw) {
    NullDevice device;
    cView view;
    cView* previous = CurrentView;
    CurrentView = &view;
    float t = 0;
    for (auto _ : state) {
        t += 0.001f;
        draw(t);
    }
    CurrentView = previous;
    state.SetItemsProcessed(device.m_Vertices);  // items/s = vertices per second
}

void BM_Cone(benchmark::State& state) {
    RunShapes(state, [](float t) { DrawCone({t, 0, 0}, {0, 1, t}, 0.5f, 2, {1, 0, 0, 1}); });
}
void BM_Circle(benchmark::State& state) {
    RunShapes(state, [](float t) { DrawCircle({t, 0, 0}, {1, 0, 0, 1}, 2); });
}
void BM_Box(benchmark::State& state) {
    const cQuat turn = cQuat::FromAxisAngle({0, 1, 0}, 30);
    RunShapes(state, [&](float t) { DrawBox({t, 0, 0}, 1, &turn, {1, 0, 0, 1}); });
}

}  // namespace

BENCHMARK(BM_FramePlainWindows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameScrollBarWindows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameScrollBarWindowsCounted)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Cone);
BENCHMARK(BM_Circle);
BENCHMARK(BM_Box);
BENCHMARK_MAIN();
