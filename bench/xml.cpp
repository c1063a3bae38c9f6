// The class-engine XML reader and writer side by side with pugixml and tinyxml2,
// on one generated document of about 20 MB and 534,000 elements shaped like
// saved objects (nested members, a long list of items, values, escapes).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <pugixml.hpp>
#include <string>
#include <tinyxml2.h>

#include "bench/peer.h"
#include "classes/xml.h"
#include "core/stream.h"

namespace {

constexpr int kItems = 66750;  // 8 elements each
constexpr int kRounds = 9;

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

const std::string& Document() {
    static const std::string text = MakeDocument();
    return text;
}

const tovan::cStream& DocumentStream() {
    static const tovan::cStream stream = [] {
        tovan::cStream s;
        s.WriteBlock(Document().data(), int(Document().size()));
        s.m_Position = 0;
        return s;
    }();
    return stream;
}

int CountElements(const tovan::XmlNode& node) {
    int count = 1;
    for (int i = 0; i < node.ChildCount(); ++i)
        count += CountElements(*node.Child(i));
    return count;
}

int CountElements(const pugi::xml_node& node) {
    int count = node.type() == pugi::node_element ? 1 : 0;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        count += CountElements(child);
    return count;
}

// Parse runs build the tree and free it; every side keeps its document object, so
// memory it holds on to is reused from run to run.
struct OurParse {
    tovan::cStream stream = DocumentStream();
    tovan::XmlNode root;
    bool ok = true;
    void operator()() {
        stream.m_Position = 0;
        ok &= root.ParseBuffer(stream);
        root.Clear();
    }
};

void BM_XmlParse_vs_pugixml(benchmark::State& state) {
    OurParse ours;
    pugi::xml_document doc;
    bool peerOk = true;
    const std::string& text = Document();
    tovan::bench::RunPeerBenchmark(state, kRounds, double(text.size()), ours, [&] {
        peerOk &= bool(doc.load_buffer(text.data(), text.size()));
        doc.reset();
    });
    if (!ours.ok || !peerOk)
        state.SkipWithError("parse failed");
}

void BM_XmlParse_vs_tinyxml2(benchmark::State& state) {
    OurParse ours;
    tinyxml2::XMLDocument doc;
    bool peerOk = true;
    const std::string& text = Document();
    tovan::bench::RunPeerBenchmark(state, kRounds, double(text.size()), ours, [&] {
        peerOk &= doc.Parse(text.data(), text.size()) == tinyxml2::XML_SUCCESS;
        doc.Clear();
    });
    if (!ours.ok || !peerOk)
        state.SkipWithError("parse failed");
}

// Write runs serialise a parsed tree into text held in memory that is reused.
struct OurWrite {
    tovan::XmlNode root;
    tovan::cStream out;
    OurWrite() {
        tovan::cStream in = DocumentStream();
        root.ParseBuffer(in);
    }
    void operator()() { root.ToBuffer(out); }
};

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

void BM_XmlWrite_vs_pugixml(benchmark::State& state) {
    OurWrite ours;
    pugi::xml_document doc;
    doc.load_buffer(Document().data(), Document().size());
    if (CountElements(ours.root) != CountElements(doc)) {
        state.SkipWithError("the trees differ");
        return;
    }
    StringWriter writer;
    tovan::bench::RunPeerBenchmark(state, kRounds, double(Document().size()), ours, [&] {
        writer.text.clear();
        doc.save(writer, " ", pugi::format_indent | pugi::format_no_declaration);
    });
    state.counters["bytes"] = ours.out.Count();
    state.counters["peer_bytes"] = double(writer.text.size());
}

void BM_XmlWrite_vs_tinyxml2(benchmark::State& state) {
    OurWrite ours;
    tinyxml2::XMLDocument doc;
    doc.Parse(Document().data(), Document().size());
    tinyxml2::XMLPrinter printer;
    tovan::bench::RunPeerBenchmark(state, kRounds, double(Document().size()), ours, [&] {
        printer.ClearBuffer();
        doc.Print(&printer);
    });
    state.counters["bytes"] = ours.out.Count();
    state.counters["peer_bytes"] = printer.CStrSize() - 1;
}

}  // namespace

BENCHMARK(BM_XmlParse_vs_pugixml)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_XmlParse_vs_tinyxml2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_XmlWrite_vs_pugixml)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_XmlWrite_vs_tinyxml2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// A page fault costs about 10 us on the build machines: glibc keeps what is freed
// (no trimming, no mapping of big blocks), so no side pays for fresh pages per run.
int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
