// Markup documents: reading and writing a 10 MiB theme-like document (also
// well-formed XML) against pugixml's and tinyxml2's DOM on the same bytes,
// in the same run; and Find over many siblings and long paths, which must
// grow linearly.
#include "ovcore/data/Buffer.h"
#include "ovcore/data/Document.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <cstdio>
#include <string>

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
        text += "\t<Font Name=\"Mono\" TexFile=\"Data/Fonts/courier_new.ovt\" MapFile=\"Data/Fonts/courier_new.fnt\" />\r\n";
        for (int style = 0; style < 16; ++style) {
            std::snprintf(line, sizeof line, "\t<Style Name=\"Style%d\">\r\n\t\t<AreaColors>\r\n", style);
            text += line;
            for (int corner = 0; corner < 4; ++corner) {
                std::snprintf(line, sizeof line, "\t\t\t<C%d Value=\"0.%d:0.5:0.25:1\" />\r\n", corner, style % 10);
                text += line;
            }
            text += "\t\t</AreaColors>\r\n\t\t<AreaTexture Name=\"tex1\" />\r\n\t\t<TextFont Name=\"Mono\" />\r\n"
                    "\t\t<TextColor Value=\"1:1:1:1\" />\r\n\t\t<TextHalign Mode=\"CENTER\" />\r\n\t</Style>\r\n";
        }
        text += "</Theme>\r\n";
        std::snprintf(line, sizeof line, "<Group Name=\"Group%d\">\r\n", theme);
        text += line;
        for (int control = 0; control < 16; ++control) {
            std::snprintf(line, sizeof line,
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

void BM_ParseOurs(benchmark::State& state) {
    const std::string& text = Document10MiB();
    for (auto _ : state) {
        OV_DOCUMENT document;
        if (!document.Parse(text.data(), text.size(), kBlanks, true)) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(document.Root()->firstChild);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseOurs)->Unit(benchmark::kMillisecond);

void BM_ParsePugixml(benchmark::State& state) {
    const std::string& text = Document10MiB();
    for (auto _ : state) {
        pugi::xml_document document;
        if (!document.load_buffer(text.data(), text.size())) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(document.first_child());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParsePugixml)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_FindLastSibling)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

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

BENCHMARK_MAIN();
