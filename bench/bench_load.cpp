// Load speed: the bare XML reader walk over a board's bytes against the whole load (tokens,
// model, placed elements, groups) over the same bytes, for every shared board and for
// generated boards; the counter "ratio" is load time over walk time. Grouping alone on 50 000
// elements has its own benchmark.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "board/board_file.h"
#include "board/load_board.h"
#include "board/parse_board.h"
#include "board/tokenise.h"
#include "board/xml_reader.h"
#include "model/grouping.h"
#include "support/synthetic_board.h"

namespace tindral {
namespace {

// The reader refuses any DOCTYPE, so the walk gets the bytes without Eagle's line, as the
// tokeniser hands them over.
std::string without_doctype(std::string bytes) {
    const std::string line = "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">";
    const size_t at = bytes.find(line);
    if (at != std::string::npos) bytes.erase(at, line.size() + 1);
    return bytes;
}

// Every node and every attribute read as the tokeniser reads them; nothing kept. Returns the
// number of nodes and attributes seen, or -1 when the reader failed.
long walk(const std::string& bytes) {
    XmlReaderSetup setup = open_platform_xml_reader(bytes);
    if (!setup.reader) return -1;
    XmlReader& r = *setup.reader;
    std::wstring prefix, name, value;
    long seen = 0;
    XmlNode node = XmlNode::none;
    for (;;) {
        const XmlResult hr = r.read(node);
        if (hr != xml_ok) return xml_failed(hr) ? -1 : seen;
        ++seen;
        switch (node) {
            case XmlNode::element:
                r.get_prefix(prefix);
                r.get_local_name(name);
                benchmark::DoNotOptimize(r.is_empty_element());
                for (XmlResult a = r.move_to_first_attribute(); a == xml_ok; a = r.move_to_next_attribute()) {
                    r.get_prefix(prefix);
                    r.get_local_name(name);
                    r.get_value(value);
                    ++seen;
                }
                break;
            case XmlNode::end_element:
                r.get_prefix(prefix);
                r.get_local_name(name);
                break;
            default:
                r.get_value(value);
                break;
        }
        benchmark::DoNotOptimize(value.data());
    }
}

LoadOptions bench_options() {
    LoadOptions o;
    o.open_reader = &open_platform_xml_reader;
    return o;
}

// Bytes to a grouped model, as a board load does it (without the file read and the window).
size_t load(const std::string& bytes) {
    AnswerYes asker;
    const LoadResult r = load_board(bytes, bench_options(), asker);
    return r.status.code == LoadCode::ok ? r.board.elements.size() : 0;
}

double median_walk_ms(const std::string& file_bytes) {
    const std::string bytes = without_doctype(file_bytes);
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(walk(bytes));
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void bench_walk(benchmark::State& state, const std::string* file_bytes) {
    const std::string bytes = without_doctype(*file_bytes);
    long seen = 0;
    for (auto _ : state) benchmark::DoNotOptimize(seen = walk(bytes));
    if (seen < 0) state.SkipWithError("the reader failed");
    state.counters["nodes"] = static_cast<double>(seen);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void bench_load(benchmark::State& state, const std::string* bytes) {
    const double walk_ms = median_walk_ms(*bytes);
    size_t elements = 0;
    const auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) benchmark::DoNotOptimize(elements = load(*bytes));
    const double load_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() /
                           static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    if (elements == 0) state.SkipWithError("the board did not load");
    state.counters["elements"] = static_cast<double>(elements);
    state.counters["walk_ms"] = walk_ms;
    state.counters["ratio"] = load_ms / walk_ms;
}

// The phases of one load, to see where the time goes.
void bench_tokenise(benchmark::State& state, const std::string* bytes) {
    for (auto _ : state) {
        TokenList tokens;
        benchmark::DoNotOptimize(tokenise_bytes(*bytes, &open_platform_xml_reader, tokens).ok());
    }
}

void bench_parse(benchmark::State& state, const std::string* bytes) {
    TokenList tokens;
    tokenise_bytes(*bytes, &open_platform_xml_reader, tokens);
    const LoadOptions options = bench_options();
    AnswerYes asker;
    for (auto _ : state) {
        BoardModel b;
        benchmark::DoNotOptimize(parse_board(tokens, b, options, asker).result);
    }
}

void bench_group(benchmark::State& state, const std::string* bytes) {
    AnswerYes asker;
    LoadResult loaded = load_board(*bytes, bench_options(), asker);
    if (loaded.status.code != LoadCode::ok) {
        state.SkipWithError("the board did not load");
        return;
    }
    BoardModel& b = loaded.board;
    for (auto _ : state) group_components(b);
    state.counters["elements"] = static_cast<double>(b.elements.size());
}

// Boards stay in memory for the whole run; the benchmarks get pointers into this map.
std::map<std::string, std::string>& boards() {
    static std::map<std::string, std::string> m;
    return m;
}

const std::string kLargest = "adafruit-metro-rp2350-e9";

const bool registered = [] {
    std::vector<std::pair<std::string, std::string>> order;
    std::vector<std::filesystem::path> files;
    // Without the real boards beside the checkout only the generated ones are measured.
    std::error_code ec;
    const char* dir_override = std::getenv("TINDRAL_BOARDS_DIR");
    const std::filesystem::path dir = dir_override && *dir_override
                                          ? std::filesystem::path(dir_override)
                                          : std::filesystem::path(TINDRAL_BOARDS_DIR);
    for (std::filesystem::directory_iterator it(dir, ec), end;
         !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".brd") files.push_back(it->path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
        std::string bytes;
        if (read_whole_file(f.wstring(), bytes).status != FileReadStatus::ok) continue;
        boards()[f.stem().string()] = std::move(bytes);
        order.emplace_back(f.stem().string(), "");
    }
    for (int n : {1000, 10000, 50000}) {
        const std::string name = "generated-" + std::to_string(n);
        boards()[name] = test::synthetic_board(n);
        order.emplace_back(name, "");
    }
    for (const auto& [name, unused] : order) {
        const std::string* bytes = &boards()[name];
        benchmark::RegisterBenchmark(("BM_Walk/" + name).c_str(), bench_walk, bytes)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Load/" + name).c_str(), bench_load, bytes)->Unit(benchmark::kMillisecond);
        if (name == kLargest || name == "generated-50000") {
            benchmark::RegisterBenchmark(("BM_Tokenise/" + name).c_str(), bench_tokenise, bytes)->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("BM_Parse/" + name).c_str(), bench_parse, bytes)->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("BM_Group/" + name).c_str(), bench_group, bytes)->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
}  // namespace tindral
