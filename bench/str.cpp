// cStr against std::string, and the framework's float parser against strtof.
#include "core/str.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const kWords[] = {"alpha", "beta", "gamma", "delta", "a somewhat longer piece of text", "x"};
constexpr int kPieces = 64;

void BM_StrAppend(benchmark::State& state) {
    tovan::cStr s;  // reused: Clear keeps the buffer
    for (auto _ : state) {
        s.Clear();
        for (int i = 0; i < kPieces; ++i)
            s.Append(kWords[i % 6]);
        benchmark::DoNotOptimize(s.GetText());
    }
}

void BM_StdAppend(benchmark::State& state) {
    std::string s;
    for (auto _ : state) {
        s.clear();
        for (int i = 0; i < kPieces; ++i)
            s.append(kWords[i % 6]);
        benchmark::DoNotOptimize(s.data());
    }
}

void BM_StrAppendChar(benchmark::State& state) {
    tovan::cStr s;
    for (auto _ : state) {
        s.Clear();
        for (int i = 0; i < 1024; ++i)
            s.AppendChar(char('a' + (i & 15)));
        benchmark::DoNotOptimize(s.GetText());
    }
}

void BM_StdAppendChar(benchmark::State& state) {
    std::string s;
    for (auto _ : state) {
        s.clear();
        for (int i = 0; i < 1024; ++i)
            s.push_back(char('a' + (i & 15)));
        benchmark::DoNotOptimize(s.data());
    }
}

void BM_StrFormat(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        tovan::cStr s = tovan::cStr::Format("Loaded %s file \"%s\" (%d) %.3f", "image", kWords[i % 6], i, i * 0.25);
        benchmark::DoNotOptimize(s.GetText());
        ++i;
    }
}

void BM_StrAppendFormat(benchmark::State& state) {
    tovan::cStr s;
    int i = 0;
    for (auto _ : state) {
        s.Clear();
        s.AppendFormat("Loaded %s file \"%s\" (%d) %.3f", "image", kWords[i % 6], i, i * 0.25);
        benchmark::DoNotOptimize(s.GetText());
        ++i;
    }
}

void BM_StdSnprintf(benchmark::State& state) {
    std::string s;
    char buffer[256];
    int i = 0;
    for (auto _ : state) {
        int n = std::snprintf(buffer, sizeof buffer, "Loaded %s file \"%s\" (%d) %.3f", "image", kWords[i % 6], i,
                              i * 0.25);
        s.assign(buffer, size_t(n));
        benchmark::DoNotOptimize(s.data());
        ++i;
    }
}

void BM_StrFloatsToString(benchmark::State& state) {
    float values[16];
    for (int i = 0; i < 16; ++i)
        values[i] = float(i) * 1.37f - 5.0f;
    for (auto _ : state) {
        tovan::cStr s = tovan::FloatsToString(values, 16);
        benchmark::DoNotOptimize(s.GetText());
    }
}

void BM_StdFloatsSnprintf(benchmark::State& state) {
    float values[16];
    for (int i = 0; i < 16; ++i)
        values[i] = float(i) * 1.37f - 5.0f;
    for (auto _ : state) {
        std::string s;
        char buffer[64];
        for (int i = 0; i < 16; ++i) {
            if (i > 0)
                s.push_back(' ');
            s.append(buffer, size_t(std::snprintf(buffer, sizeof buffer, "%.3f", double(values[i]))));
        }
        benchmark::DoNotOptimize(s.data());
    }
}

// Paths of one folder: equal up to the last few characters, as sorted names are.
const char* const kA = "C:\\Data\\Textures\\Environment\\sky_day_01.dds";
const char* const kB = "C:\\Data\\Textures\\Environment\\sky_day_02.dds";

void BM_StrEqual(benchmark::State& state) {
    tovan::cStr a(kA), b(kB), c(kA);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a == b);
        benchmark::DoNotOptimize(a == c);
    }
}

void BM_StdEqual(benchmark::State& state) {
    std::string a(kA), b(kB), c(kA);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a == b);
        benchmark::DoNotOptimize(a == c);
    }
}

void BM_StrCompare(benchmark::State& state) {
    tovan::cStr a(kA), b(kB), c(kA);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tovan::CompareStrings(a, b));
        benchmark::DoNotOptimize(tovan::CompareStrings(a, c));
    }
}

void BM_StrCompareTexts(benchmark::State& state) {
    tovan::cStr a(kA), b(kB), c(kA);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tovan::CompareStrings(a.GetText(), b.GetText()));
        benchmark::DoNotOptimize(tovan::CompareStrings(a.GetText(), c.GetText()));
    }
}

void BM_Strcmp(benchmark::State& state) {
    std::string a(kA), b(kB), c(kA);
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::strcmp(a.c_str(), b.c_str()));
        benchmark::DoNotOptimize(std::strcmp(a.c_str(), c.c_str()));
    }
}

void BM_StdCompare(benchmark::State& state) {
    std::string a(kA), b(kB), c(kA);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.compare(b));
        benchmark::DoNotOptimize(a.compare(c));
    }
}

const char* const kNumbers[] = {"0.125", "-3.5", "1024", "0.001", "123.456", "1e-3", "65504", "-0.75"};

void BM_ParseFloat(benchmark::State& state) {
    float sum = 0;
    for (auto _ : state) {
        for (const char* text : kNumbers) {
            float v;
            tovan::ParseFloat(text, v);
            sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 8);
}

// As the class engine saves them: three decimals, large values with every digit.
const char* const kSavedNumbers[] = {
    "16884.113", "-0.333", "98765432.000", "1.500", "-4096.250", "0.001", "340282346638528859811704183484516925440.000",
    "123456.789"};

void BM_ParseSavedFloat(benchmark::State& state) {
    float sum = 0;
    for (auto _ : state) {
        for (const char* text : kSavedNumbers) {
            float v;
            tovan::ParseFloat(text, v);
            sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 8);
}

void BM_Strtof(benchmark::State& state) {
    float sum = 0;
    for (auto _ : state) {
        for (const char* text : kNumbers)
            sum += std::strtof(text, nullptr);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 8);
}

}  // namespace

BENCHMARK(BM_StrAppend);
BENCHMARK(BM_StdAppend);
BENCHMARK(BM_StrAppendChar);
BENCHMARK(BM_StdAppendChar);
BENCHMARK(BM_StrFormat);
BENCHMARK(BM_StrAppendFormat);
BENCHMARK(BM_StdSnprintf);
BENCHMARK(BM_StrFloatsToString);
BENCHMARK(BM_StdFloatsSnprintf);
BENCHMARK(BM_StrEqual);
BENCHMARK(BM_StdEqual);
BENCHMARK(BM_StrCompare);
BENCHMARK(BM_StdCompare);
BENCHMARK(BM_StrCompareTexts);
BENCHMARK(BM_Strcmp);
BENCHMARK(BM_ParseFloat);
BENCHMARK(BM_ParseSavedFloat);
BENCHMARK(BM_Strtof);

BENCHMARK_MAIN();
