// Markup documents: reading a 10 MiB theme-like document (also well-formed
// XML) and 6 MiB of the MIME type database against pugixml's DOM on the same
// bytes, both in every iteration; tinyxml2's read and both writers on the
// theme-like text; and Find over many siblings and long paths, which must
// grow linearly.
#include "ovcore/data/Buffer.h"
#include "ovcore/data/Document.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <string>
#include <vector>

using namespace OvCore;

namespace {

constexpr const char* kBlanks = " \t\n\r";

// Themes of textures, fonts and styles with per-corner children, and
// layout groups of controls with text, until the text reaches the size.
std::string ThemeLikeDocument(size_t size) {
    std::string text;
    text.reserve(size + 4096);
    char line[256];
    for (int theme = 0; text.size() < size; ++theme) {
        std::snprintf(line, sizeof line, "<Theme Name=\"Theme%d\">\r\n", theme);
        text += line;
        for (int i = 0; i < 8; ++i) {
            std::snprintf(line, sizeof line,
                          "\t<Texture Name=\"tex%d\" File=\"Data/Textures/t%d.ovt\" MinFilter=\"LINEAR\" "
                          "MagFilter=\"LINEAR\" WrapS=\"CLAMP\" WrapT=\"REPEAT\" />\r\n",
                          i, i);
            text += line;
        }
        text +=
            "\t<Font Name=\"Mono\" TexFile=\"Data/Fonts/courier_new.ovt\" MapFile=\"Data/Fonts/courier_new.fnt\" "
            "/>\r\n";
        for (int style = 0; style < 16; ++style) {
            std::snprintf(line, sizeof line, "\t<Style Name=\"Style%d\">\r\n\t\t<AreaColors>\r\n", style);
            text += line;
            for (int corner = 0; corner < 4; ++corner) {
                std::snprintf(line, sizeof line, "\t\t\t<C%d Value=\"0.%d:0.5:0.25:1\" />\r\n", corner, style % 10);
                text += line;
            }
            text +=
                "\t\t</AreaColors>\r\n\t\t<AreaTexture Name=\"tex1\" />\r\n\t\t<TextFont Name=\"Mono\" />\r\n"
                "\t\t<TextColor Value=\"1:1:1:1\" />\r\n\t\t<TextHalign Mode=\"CENTER\" />\r\n\t</Style>\r\n";
        }
        text += "</Theme>\r\n";
        std::snprintf(line, sizeof line, "<Group Name=\"Group%d\">\r\n", theme);
        text += line;
        for (int control = 0; control < 16; ++control) {
            std::snprintf(
                line, sizeof line,
                "\t<Control Name=\"c%d\">\r\n\t\t<Position Value=\"%d:%d\" />\r\n\t\t<Size Value=\"120:24\" />\r\n"
                "\t\t<Style Name=\"Style%d\" />\r\n\t\t<Data>Control number %d of the group</Data>\r\n\t</Control>\r\n",
                control, control * 8, control * 30, control, control);
            text += line;
        }
        text += "</Group>\r\n";
    }
    return text;
}

const std::string& Document10MiB() {
    static const std::string text = ThemeLikeDocument(10u << 20);
    return text;
}

// Pieces of the MIME type database that Debian ships, read as this format
// reads it: the declarations and comments before and between the elements
// left out and every character entity replaced by "_"; the rest (a text
// node for each of the many translated comments, "\n" line ends) stays as
// it is. Repeated until it reaches the size; empty when the file is missing.
std::string MimeDatabaseDocument(size_t size) {
    std::string source;
    if (FILE* file = std::fopen("/usr/share/mime/packages/freedesktop.org.xml", "rb")) {
        char chunk[65536];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) source.append(chunk, n);
        std::fclose(file);
    }
    const size_t root = source.find("<mime-info");
    if (root == std::string::npos) return {};
    std::string body;
    body.reserve(source.size());
    for (size_t i = root; i < source.size();) {
        if (source.compare(i, 4, "<!--") == 0) {
            const size_t close = source.find("-->", i);
            i = close == std::string::npos ? source.size() : close + 3;
        } else if (source[i] == '&') {
            const size_t semicolon = source.find(';', i);
            body += '_';
            i = semicolon == std::string::npos ? source.size() : semicolon + 1;
        } else {
            body += source[i++];
        }
    }
    std::string text;
    text.reserve(size + body.size());
    while (text.size() < size) text += body;
    return text;
}

const std::string& MimeDatabase() {
    static const std::string text = MimeDatabaseDocument(6u << 20);
    return text;
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Elements and text nodes below the top, in document order.
size_t CountNodes(const OV_NODE* top) {
    size_t count = 0;
    const OV_NODE* node = top->firstChild;
    while (node) {
        ++count;
        if (node->firstChild) {
            node = node->firstChild;
            continue;
        }
        while (node && !node->next) node = node->parent == top ? nullptr : node->parent;
        if (node) node = node->next;
    }
    return count;
}

size_t CountNodes(const pugi::xml_node& top) {
    size_t count = 0;
    for (pugi::xml_node child = top.first_child(); child; child = child.next_sibling()) count += 1 + CountNodes(child);
    return count;
}

// Thread CPU time of one side's round: the text read into a new document,
// and that document destroyed.
struct Round {
    double parse = 0;
    double lifetime = 0;  // parse and destruction
};

// The measured parts, kept out of line so that an instruction profile can
// name them.
[[gnu::noinline]] bool ParseOurs(const std::string& text, Round& round) {
    const double start = ThreadCpuSeconds();
    bool read;
    {
        OV_DOCUMENT document;
        read = document.Parse(text.data(), text.size(), kBlanks, true);
        benchmark::DoNotOptimize(document.Root()->firstChild);
        round.parse = ThreadCpuSeconds() - start;
    }
    round.lifetime = ThreadCpuSeconds() - start;
    return read;
}

[[gnu::noinline]] bool ParsePugixml(const std::string& text, Round& round) {
    const double start = ThreadCpuSeconds();
    bool read;
    {
        pugi::xml_document document;
        read = document.load_buffer(text.data(), text.size());
        benchmark::DoNotOptimize(document.first_child());
        round.parse = ThreadCpuSeconds() - start;
    }
    round.lifetime = ThreadCpuSeconds() - start;
    return read;
}

// Each iteration reads the same text with both, taking turns at going
// first, so that load on the machine weighs on both alike; the time shown
// is their sum (thread CPU time, documents destroyed included), the
// counters each side's median parse speed and the medians of the per-round
// ratios pugixml time / our time (1.0 = as fast as pugixml), for the parse
// alone and with the destruction of the document. Both must see the same
// number of nodes. Argument: 0 the theme-like text, 1 the MIME database.
void BM_Parse(benchmark::State& state) {
    const bool mime = state.range(0) == 1;
    const std::string& text = mime ? MimeDatabase() : Document10MiB();
    if (text.empty()) {
        state.SkipWithError("no MIME database to read");
        return;
    }
    {
        OV_DOCUMENT ours;
        pugi::xml_document peer;
        ours.Parse(text.data(), text.size(), kBlanks, true);
        peer.load_buffer(text.data(), text.size());
        if (CountNodes(ours.Root()) != CountNodes(peer)) {
            state.SkipWithError("the two read different trees");
            return;
        }
    }
    std::vector<double> oursParse, peerParse, parseRatios, lifetimeRatios;
    for (auto _ : state) {
        const bool oursFirst = oursParse.size() % 2 == 0;
        Round ours, peer;
        for (int turn = 0; turn < 2; ++turn) {
            const bool read = (turn == 0) == oursFirst ? ParseOurs(text, ours) : ParsePugixml(text, peer);
            if (!read) state.SkipWithError("parse failed");
        }
        oursParse.push_back(ours.parse);
        peerParse.push_back(peer.parse);
        parseRatios.push_back(peer.parse / ours.parse);
        lifetimeRatios.push_back(peer.lifetime / ours.lifetime);
        state.SetIterationTime(ours.lifetime + peer.lifetime);
    }
    const double megabytes = static_cast<double>(text.size()) / 1e6;
    state.counters["ours_MBps"] = megabytes / Median(oursParse);
    state.counters["pugixml_MBps"] = megabytes / Median(peerParse);
    state.counters["pugixml_over_ours"] = Median(parseRatios);
    state.counters["with_destroy"] = Median(lifetimeRatios);
    std::printf(
        "ratio markup parse %s (%.1f MB): ours %.0f MB/s, pugixml %.0f MB/s, pugixml time / ours = %.3f "
        "(with the document destroyed: %.3f)\n",
        mime ? "MIME database" : "theme-like", megabytes, megabytes / Median(oursParse), megabytes / Median(peerParse),
        Median(parseRatios), Median(lifetimeRatios));
}
BENCHMARK(BM_Parse)->ArgName("mime")->Arg(0)->Arg(1)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_ParseTinyxml2(benchmark::State& state) {
    const std::string& text = Document10MiB();
    for (auto _ : state) {
        tinyxml2::XMLDocument document;
        if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(document.FirstChild());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseTinyxml2)->Unit(benchmark::kMillisecond);

void BM_SaveOurs(benchmark::State& state) {
    const std::string& text = Document10MiB();
    OV_DOCUMENT document;
    document.Parse(text.data(), text.size(), kBlanks, true);
    size_t written = 0;
    for (auto _ : state) {
        OV_BUFFER out;
        if (!document.Save(out)) state.SkipWithError("save failed");
        written = out.capacity;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * written));
}
BENCHMARK(BM_SaveOurs)->Unit(benchmark::kMillisecond);

// pugixml's writer into one string whose storage is kept between rounds.
struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

void BM_SavePugixml(benchmark::State& state) {
    const std::string& text = Document10MiB();
    pugi::xml_document document;
    document.load_buffer(text.data(), text.size());
    StringWriter writer;
    for (auto _ : state) {
        writer.text.clear();
        document.save(writer, "\t", pugi::format_indent | pugi::format_no_declaration);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * writer.text.size()));
}
BENCHMARK(BM_SavePugixml)->Unit(benchmark::kMillisecond);

// The last of n siblings, found by its index.
void BM_FindLastSibling(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    std::string text = "<R>";
    for (int i = 0; i < count; ++i) text += "<C/>";
    text += "</R>";
    OV_DOCUMENT document;
    document.Parse(text.data(), text.size(), kBlanks, true);
    const std::string path = "R/C#id:" + std::to_string(count - 1);
    for (auto _ : state) {
        OV_NODE_HANDLE found = document.Find(path.c_str(), FIND_ONLY, nullptr);
        if (!found.IsValid() || found->next) state.SkipWithError("not the last sibling");
        benchmark::DoNotOptimize(found);
    }
    state.SetComplexityN(count);
}
BENCHMARK(BM_FindLastSibling)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

// A path of n segments down a chain of n nested elements.
void BM_FindDeepPath(benchmark::State& state) {
    const auto depth = static_cast<int>(state.range(0));
    std::string text, path;
    for (int i = 0; i < depth; ++i) text += "<a>";
    for (int i = 0; i < depth; ++i) text += "</a>";
    for (int i = 0; i < depth; ++i) path += i ? "/a" : "a";
    OV_DOCUMENT document;
    document.Parse(text.data(), text.size(), kBlanks, true);
    for (auto _ : state) {
        OV_NODE_HANDLE found = document.Find(path.c_str(), FIND_ONLY, nullptr);
        if (!found.IsValid() || found->firstChild) state.SkipWithError("not the deepest element");
        benchmark::DoNotOptimize(found);
    }
    state.SetComplexityN(depth);
}
BENCHMARK(BM_FindDeepPath)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

}  // namespace

// The C library keeps freed memory for reuse as it does in a program that
// has opened the engine's window (the engine raises the same two
// thresholds before its first GL context). With the library's defaults it
// hands the tens of megabytes of each round back to the kernel and takes
// them again, and the timings show mostly the kernel providing fresh pages,
// in an order that depends on which side freed last.
int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
