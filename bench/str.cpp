// cStr and the text functions against std::string and the C library, one
// templated body per job run on both sides (bench/peer.h gives the ratio).
#include "bench/peer.h"
#include "core/str.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using tovan::cStr;

constexpr int kRounds = 15;

// --- the two sides: the same operations under one name --------------------
void Clear(cStr& s) { s.Clear(); }  // keeps the buffer, as clear() does
void Clear(std::string& s) { s.clear(); }
void Add(cStr& s, const char* text) { s.Append(text); }
void Add(std::string& s, const char* text) { s.append(text); }
void AddChar(cStr& s, char c) { s.AppendChar(c); }
void AddChar(std::string& s, char c) { s.push_back(c); }
const char* Text(const cStr& s) { return s.GetText(); }
const char* Text(const std::string& s) { return s.c_str(); }
int Compare(const cStr& a, const cStr& b) { return tovan::CompareStrings(a, b); }
int Compare(const std::string& a, const std::string& b) { return a.compare(b); }
int CompareTexts(const cStr& a, const cStr& b) { return tovan::CompareStrings(a.GetText(), b.GetText()); }
int CompareTexts(const std::string& a, const std::string& b) { return std::strcmp(a.c_str(), b.c_str()); }
// Plain texts, the side chosen by the string type.
int CompareRaw(const cStr*, const char* a, const char* b) { return tovan::CompareStrings(a, b); }
int CompareRaw(const std::string*, const char* a, const char* b) { return std::strcmp(a, b); }

void AddFormatted(cStr& s, const char* word, int i) {
    s.AppendFormat("Loaded %s file \"%s\" (%d) %.3f", "image", word, i, i * 0.25);
}
void AddFormatted(std::string& s, const char* word, int i) {
    char buffer[256];
    const int n = std::snprintf(buffer, sizeof buffer, "Loaded %s file \"%s\" (%d) %.3f", "image", word, i, i * 0.25);
    s.append(buffer, size_t(n));
}

void FloatsText(cStr& s, const float* values, int count) { s = tovan::FloatsToString(values, count); }
void FloatsText(std::string& s, const float* values, int count) {
    char buffer[64];
    s.clear();
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            s.push_back(' ');
        s.append(buffer, size_t(std::snprintf(buffer, sizeof buffer, "%.3f", double(values[i]))));
    }
}

float ParseNumber(const cStr& text) {
    float v = 0;
    tovan::ParseFloat(text.GetText(), v);
    return v;
}
float ParseNumber(const std::string& text) { return std::strtof(text.c_str(), nullptr); }

// --- jobs: inputs made once, Run() repeated; S is cStr or std::string -------
const char* const kWords[] = {"alpha", "beta", "gamma", "delta", "a somewhat longer piece of text", "x"};

template <class S>
struct AppendJob {
    S s;
    void Run() {
        for (int r = 0; r < 5000; ++r) {
            Clear(s);
            for (int i = 0; i < 64; ++i)
                Add(s, kWords[i % 6]);
            benchmark::DoNotOptimize(Text(s));
        }
    }
};

template <class S>
struct AppendCharJob {
    S s;
    void Run() {
        for (int r = 0; r < 1000; ++r) {
            Clear(s);
            for (int i = 0; i < 1024; ++i)
                AddChar(s, char('a' + (i & 15)));
            benchmark::DoNotOptimize(Text(s));
        }
    }
};

template <class S>
struct FormatJob {
    S s;
    void Run() {
        for (int i = 0; i < 5000; ++i) {
            Clear(s);
            AddFormatted(s, kWords[i % 6], i);
            benchmark::DoNotOptimize(Text(s));
        }
    }
};

template <class S>
struct FloatsJob {
    S s;
    float values[16];
    FloatsJob() {
        for (int i = 0; i < 16; ++i)
            values[i] = float(i) * 1.37f - 5.0f;
    }
    void Run() {
        for (int r = 0; r < 1000; ++r) {
            FloatsText(s, values, 16);
            benchmark::DoNotOptimize(Text(s));
        }
    }
};

// Pairs of 32-byte names with shared prefixes of every length (0 to 32, the
// last meaning equal), as sorted names of one folder are.
std::vector<std::string> PairTexts(bool second) {
    std::mt19937 random(32);
    const char letters[] = "abcdefghijklmnopqrstuvwxyz_/0123456789";
    std::vector<std::string> out;
    for (int i = 0; i < 1024; ++i) {
        std::string a(32, ' ');
        for (char& c : a)
            c = letters[random() % (sizeof letters - 1)];
        const size_t shared = random() % 33;
        std::string b = a;
        if (shared < 32)
            b[shared] = b[shared] == 'a' ? 'b' : 'a';
        out.push_back(second ? b : a);
    }
    return out;
}

template <class S>
std::vector<S> Convert(const std::vector<std::string>& texts) {
    std::vector<S> out;
    for (const std::string& t : texts)
        out.emplace_back(t.c_str());
    return out;
}

template <class S>
struct CompareJob {
    std::vector<S> a = Convert<S>(PairTexts(false)), b = Convert<S>(PairTexts(true));
    void Run() {
        int sum = 0;
        for (int r = 0; r < 2000; ++r)
            for (size_t i = 0; i < a.size(); ++i)
                sum += Compare(a[i], b[i]) < 0;
        benchmark::DoNotOptimize(sum);
    }
};

template <class S>
struct CompareTextsJob : CompareJob<S> {
    void Run() {
        int sum = 0;
        for (int r = 0; r < 2000; ++r)
            for (size_t i = 0; i < this->a.size(); ++i)
                sum += CompareTexts(this->a[i], this->b[i]) < 0;
        benchmark::DoNotOptimize(sum);
    }
};

template <class S>
struct EqualJob : CompareJob<S> {
    void Run() {
        int sum = 0;
        for (int r = 0; r < 2000; ++r)
            for (size_t i = 0; i < this->a.size(); ++i)
                sum += this->a[i] == this->b[i];
        benchmark::DoNotOptimize(sum);
    }
};

// The same pairs starting anywhere in their 16-byte blocks, as names inside
// paths and longer buffers do.
template <class S>
struct CompareShiftedTextsJob {
    std::vector<char> buffer;
    std::vector<const char*> a, b;
    CompareShiftedTextsJob() {
        const std::vector<std::string> first = PairTexts(false), second = PairTexts(true);
        buffer.resize(first.size() * 128);
        for (size_t i = 0; i < first.size(); ++i) {
            char* x = &buffer[i * 128 + i % 16];
            char* y = &buffer[i * 128 + 64 + i * 7 % 16];
            std::memcpy(x, first[i].c_str(), first[i].size() + 1);
            std::memcpy(y, second[i].c_str(), second[i].size() + 1);
            a.push_back(x);
            b.push_back(y);
        }
    }
    void Run() {
        int sum = 0;
        for (int r = 0; r < 2000; ++r)
            for (size_t i = 0; i < a.size(); ++i)
                sum += CompareRaw(static_cast<const S*>(nullptr), a[i], b[i]) < 0;
        benchmark::DoNotOptimize(sum);
    }
};

const char* const kPlainNumbers[] = {"0.125", "-3.5", "1024", "0.001", "123.456", "1e-3", "65504", "-0.75"};
// As the class engine saves them: three decimals, large values with every digit.
const char* const kSavedNumbers[] = {
    "16884.113", "-0.333", "98765432.000", "1.500", "-4096.250", "0.001", "340282346638528859811704183484516925440.000",
    "123456.789"};

template <class S, const char* const (&kTexts)[8] = kPlainNumbers>
struct ParseFloatJob {
    std::vector<S> numbers;
    ParseFloatJob() {
        for (const char* n : kTexts)
            numbers.emplace_back(n);
    }
    void Run() {
        float sum = 0;
        for (int r = 0; r < 10000; ++r)
            for (const S& n : numbers)
                sum += ParseNumber(n);
        benchmark::DoNotOptimize(sum);
    }
};

template <class S>
struct ParseSavedFloatJob : ParseFloatJob<S, kSavedNumbers> {};

// Ours is cStr with the framework's functions; the peer std::string with the
// standard library's and the C library's.
template <template <class> class Job>
void BM_Peer(benchmark::State& state) {
    Job<cStr> ours;
    Job<std::string> peer;
    tovan::bench::RunPeerBenchmark(
        state, kRounds, 0, [&] { ours.Run(); }, [&] { peer.Run(); });
}

}  // namespace

BENCHMARK_TEMPLATE(BM_Peer, AppendJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, AppendCharJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, FormatJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, FloatsJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, EqualJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, CompareJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, CompareTextsJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, CompareShiftedTextsJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, ParseFloatJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, ParseSavedFloatJob)->UseManualTime()->Iterations(1);

BENCHMARK_MAIN();
