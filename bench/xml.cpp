// The class-engine XML reader and writer on a generated document of 100,000
// elements shaped like saved objects (nested members, lists of items, values).
#include <benchmark/benchmark.h>

#include <string>

#include "classes/xml.h"
#include "core/stream.h"

namespace {

constexpr int kItems = 12500;  // 8 elements each

std::string MakeDocument() {
    std::string text = "<cScene>\n <Items>\n";
    for (int i = 0; i < kItems; ++i) {
        text += "  <cSpline_Node>\n";
        text += "   <Name>node " + std::to_string(i) + " &lt;a&gt;</Name>\n";
        text += "   <Position>" + std::to_string(i % 977) + ".250 -12.500 " + std::to_string(i) + ".000</Position>\n";
        text += "   <Visible>true</Visible>\n";
        text += "   <Color>1.000 0.500 0.250 1.000</Color>\n";
        text += "   <Transform>\n";
        text += "    <Scale>1.000 1.000 1.000</Scale>\n";
        text += "    <Rotation>0.000 90.000 0.000</Rotation>\n";
        text += "   </Transform>\n";
        text += "  </cSpline_Node>\n";
    }
    text += " </Items>\n</cScene>\n";
    return text;
}

int CountElements(const tovan::XmlNode& node) {
    int count = 1;
    for (int i = 0; i < node.ChildCount(); ++i)
        count += CountElements(*node.Child(i));
    return count;
}

const std::string& Document() {
    static const std::string text = MakeDocument();
    return text;
}

void BM_XmlParse(benchmark::State& state) {
    const std::string& text = Document();
    tovan::cStream stream;
    stream.WriteBlock(text.data(), int(text.size()));
    tovan::XmlNode root;
    for (auto _ : state) {
        root.Clear();
        stream.m_Position = 0;
        if (!root.ParseBuffer(stream))
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(root.ChildCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["elements"] = CountElements(root);
}

void BM_XmlWrite(benchmark::State& state) {
    tovan::XmlNode root;
    root.Parse(Document().c_str());
    tovan::cStr output;
    for (auto _ : state) {
        output.Clear();
        root.Write(output, 0);
        benchmark::DoNotOptimize(output.GetText());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(output.Length()));
}

void BM_XmlToBuffer(benchmark::State& state) {
    tovan::XmlNode root;
    root.Parse(Document().c_str());
    tovan::cStream stream;
    for (auto _ : state) {
        root.ToBuffer(stream);
        benchmark::DoNotOptimize(stream.Data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(stream.Count()));
}

}  // namespace

BENCHMARK(BM_XmlParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlToBuffer)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
