// Reading every paragraph of a long document by name through Dispatch, walking a long data
// source record by record, and opening and closing a document full of bookmarks must take time
// in proportion to their length. Each benchmark runs at 1,000 and 10,000 (the bookmarks also at
// 100,000); the ratio of the two first times is printed at the end and should be near 10.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "automation/dispatch.h"
#include "automation/text.h"
#include "automation/vb.h"
#include "sim/runtime/sim_world.h"

namespace {

using namespace k72645;

std::map<std::string, std::map<std::int64_t, double>> timings;  // name -> size -> ns/iter

std::string documentWithParagraphs(std::int64_t count) {
    std::string story = "{\"k72645\": \"document\", \"story\": [";
    for (std::int64_t i = 0; i < count; ++i)
        story += (i ? ",\"" : "\"") + std::string("Paragraphe { PAGE } numero ") +
                 std::to_string(i) + "\"";
    return story + "]}";
}

std::string documentWithBookmarks(std::int64_t count) {
    std::string story = "{\"k72645\": \"document\", \"story\": [";
    for (std::int64_t i = 0; i < count; ++i) {
        const std::string name = "b" + std::to_string(i);
        story += (i ? ",\"" : "\"") + std::string("[") + name + ">Paragraphe <" + name + "]\"";
    }
    return story + "]}";
}

std::string databaseWithRecords(std::int64_t count) {
    std::string records;
    for (std::int64_t i = 0; i < count; ++i)
        records +=
            (i ? ",[\"" : "[\"") + std::to_string(i) + "\", \"NOM" + std::to_string(i) + "\"]";
    return "{\"k72645\": \"database\", \"table\": \"Clients\", \"fields\": [\"Id\", \"Nom\"], "
           "\"records\": [" +
           records + "]}";
}

void record(const std::string& name, benchmark::State& state, double seconds) {
    timings[name][state.range(0)] = seconds * 1e9;
}

void ReadEveryParagraphText(benchmark::State& state) {
    auto world = sim::SimWorld::create();
    const std::u16string path = world->userFolder() + u"/Documents/Long.doc";
    world->files()->writeFile(path, documentWithParagraphs(state.range(0)));
    auto app = world->startWord();
    auto document = toObject(call(toObject(get(app, u"Documents")), u"Open", {path}));
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto paragraphs = toObject(get(document, u"Paragraphs"));
        const std::int32_t count = vb::cLng(get(paragraphs, u"Count"));
        std::size_t characters = 0;
        for (std::int32_t k = 1; k <= count; ++k) {
            auto paragraph = toObject(call(paragraphs, u"Item", {k}));
            characters += get(toObject(get(paragraph, u"Range")), u"Text").string().size();
        }
        benchmark::DoNotOptimize(characters);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    record("paragraphs", state, total / static_cast<double>(state.iterations()));
}

void WalkEveryRecord(benchmark::State& state) {
    auto world = sim::SimWorld::create();
    const std::u16string folder = world->userFolder() + u"/Documents/";
    world->files()->writeFile(folder + u"Clients.mdb", databaseWithRecords(state.range(0)));
    auto app = world->startWord();
    auto document = toObject(call(toObject(get(app, u"Documents")), u"Add"));
    auto merge = toObject(get(document, u"MailMerge"));
    call(merge, u"OpenDataSource", {folder + u"Clients.mdb"});
    auto source = toObject(get(merge, u"DataSource"));
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        put(source, u"ActiveRecord", std::int32_t{-6});
        const std::int32_t count = vb::cLng(get(source, u"RecordCount"));
        for (std::int32_t k = 1; k < count; ++k)
            put(source, u"ActiveRecord", std::int32_t{-8});
        benchmark::DoNotOptimize(vb::cLng(get(source, u"ActiveRecord")));
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    record("records", state, total / static_cast<double>(state.iterations()));
}

void OpenAndCloseWithBookmarks(benchmark::State& state) {
    auto world = sim::SimWorld::create();
    const std::u16string path = world->userFolder() + u"/Documents/Marks.doc";
    world->files()->writeFile(path, documentWithBookmarks(state.range(0)));
    auto app = world->startWord();
    auto documents = toObject(get(app, u"Documents"));
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto document = toObject(call(documents, u"Open", {path}));
        benchmark::DoNotOptimize(vb::cLng(get(toObject(get(document, u"Bookmarks")), u"Count")));
        call(document, u"Close", {false});
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    record("bookmarks", state, total / static_cast<double>(state.iterations()));
}

BENCHMARK(ReadEveryParagraphText)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(WalkEveryRecord)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenAndCloseWithBookmarks)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [name, bySize] : timings) {
        auto small = bySize.find(1000);
        auto large = bySize.find(10000);
        if (small != bySize.end() && large != bySize.end() && small->second > 0) {
            std::printf("%s: time at 10000 / time at 1000 = %.1f (linear is 10)\n", name.c_str(),
                        large->second / small->second);
        }
    }
    return 0;
}
