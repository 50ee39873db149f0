#include "ovcore/engine/OrvoCore.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char kHeader[] =
    "!EXTERNAL: Probe\n"
    "!KEYWORDS: OFF ON RED GREEN COLOR\n"
    "!DEFINITIONS: 3d\n"
    "MARK\tKEYWORD VARIABLE\n"
    "COLOR\tKEYWORD\tVARIABLE\n"
    "NOTE\n"
    "!END\n";

// Every call a handler received: the command and its argument stream.
struct Call {
    std::string command;
    std::vector<uintptr_t> arguments;
};
std::vector<Call> calls;

void RecordMark(const uintptr_t* stream) { calls.push_back({"MARK", {stream[0], stream[1]}}); }
void RecordColor(const uintptr_t* stream) { calls.push_back({"COLOR", {stream[0], stream[1]}}); }

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        OvLumetUnlinkDefinitions();
        ASSERT_EQ(OvLumetLinkDefinition("Probe", kHeader, sizeof(kHeader) - 1), 1) << OvLumetLastLog();
        list = OvLumetBuildDefinitionList();
        ASSERT_NE(list, nullptr);
        OvLumetUnlinkDefinitions();
        OvLumetClearDefinitionsProc();
        OvLumetAddDefinitionProc("Probe", "MARK", RecordMark);
        OvLumetAddDefinitionProc("Probe", "COLOR", RecordColor);
    }
    void TearDown() override {
        OvLumetFree(&script);
        OvLumetFreeDefinitionList(list);
        OvLumetSetLimits(5'000'000, 16u << 20);
        OvLumetSetTimeLimit(5000);
    }

    bool Compile(const std::string& text) {
        OvLumetFree(&script);
        return OvLumetCompile(&script, text.data(), static_cast<uint32_t>(text.size()), list) == 1;
    }
    bool Run(const std::string& text) {
        if (!Compile(text)) return false;
        return OvLumetExecute(&script, cells, 3, list) == 1;
    }
    std::string Log() const { return OvLumetLastLog(); }

    OvLumetDefinitionList* list = nullptr;
    OvLumetBuffer script{0, nullptr, nullptr};
    uintptr_t cells[3] = {11, 22, 33};
};

TEST_F(ScriptTest, CommandsPassKeywordNumbersAndCellAddressesInOrder) {
    ASSERT_TRUE(Run("local a, b, c = ...\nMARK(ON, c)\nCOLOR(RED, a)\nMARK(COLOR, b)\nNOTE()")) << Log();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].command, "MARK");
    EXPECT_EQ(calls[0].arguments, (std::vector<uintptr_t>{1, reinterpret_cast<uintptr_t>(&cells[2])}));
    EXPECT_EQ(calls[1].arguments, (std::vector<uintptr_t>{2, reinterpret_cast<uintptr_t>(&cells[0])}));
    // COLOR is a command and also the keyword number 4.
    EXPECT_EQ(calls[2].arguments, (std::vector<uintptr_t>{4, reinterpret_cast<uintptr_t>(&cells[1])}));
    EXPECT_EQ(Log(), "");
}

TEST_F(ScriptTest, KeywordsAreIntegersAndScriptsComputeWithThem) {
    ASSERT_TRUE(
        Run("local a = ...\nassert(OFF == 0 and GREEN == 3 and math.type(ON) == 'integer')\n"
            "for k = OFF, GREEN do MARK(k, a) end"))
        << Log();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[3].arguments[0], 3u);
}

TEST_F(ScriptTest, EachRunStartsWithFreshGlobalsAndTheCellsOfThatRun) {
    ASSERT_TRUE(Compile("local a = ...\nassert(counter == nil)\ncounter = 1\nMARK = nil\nCOLOR(RED, a)"));
    ASSERT_EQ(OvLumetExecute(&script, cells, 1, list), 1) << Log();
    uintptr_t other[1] = {44};
    ASSERT_EQ(OvLumetExecute(&script, other, 1, list), 1) << Log();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].arguments[1], reinterpret_cast<uintptr_t>(&other[0]));
    // What one run keeps in a global is gone in the next.
    ASSERT_TRUE(Compile("local a = ...\nif kept then COLOR(RED, kept) end\nkept = a"));
    ASSERT_EQ(OvLumetExecute(&script, cells, 1, list), 1);
    ASSERT_EQ(OvLumetExecute(&script, cells, 1, list), 1);
    EXPECT_EQ(calls.size(), 2u);
    // Handlers registered anew are the ones called.
    OvLumetAddDefinitionProc("Probe", "COLOR", RecordMark);
    ASSERT_TRUE(Compile("local a = ...\nCOLOR(RED, a)"));
    ASSERT_EQ(OvLumetExecute(&script, cells, 1, list), 1);
    EXPECT_EQ(calls.back().command, "MARK");
}

TEST_F(ScriptTest, WrongArgumentsStopTheScriptWithItsLine) {
    const char* cases[][2] = {
        {"local a = ...\n\nMARK(ON)", "script:3: MARK takes 2 arguments, not 1"},
        {"local a = ...\nMARK(5, a)", "script:2: bad argument #1 to 'MARK' (keyword expected)"},
        {"local a = ...\nMARK(-1, a)", "script:2: bad argument #1 to 'MARK' (keyword expected)"},
        {"local a = ...\nMARK('1', a)", "script:2: bad argument #1 to 'MARK' (keyword expected)"},
        {"MARK(ON, 7)", "script:1: bad argument #2 to 'MARK' (variable expected)"},
        {"MARK(ON, NOTE)", "script:1: bad argument #2 to 'MARK' (variable expected)"},
        {"local a, b, c, d = ...\nMARK(ON, d)", "script:2: bad argument #2 to 'MARK' (variable expected)"},
        {"MARK(NOTE, nil)", "script:1: bad argument #1 to 'MARK' (keyword expected)"},
    };
    for (const auto& [source, message] : cases) {
        EXPECT_FALSE(Run(source)) << source;
        EXPECT_EQ(Log(), message) << source;
    }
    EXPECT_TRUE(calls.empty());
}

TEST_F(ScriptTest, ErrorsAndSyntaxFailuresGiveTheLine) {
    EXPECT_FALSE(Run("local x = 1\n\nerror('boom')"));
    EXPECT_EQ(Log(), "script:3: boom");
    EXPECT_STREQ(OvLastError(), "script: cannot run script: compiled script: script:3: boom");
    EXPECT_FALSE(Run("local t\nlocal y = t.field"));
    EXPECT_EQ(Log(), "script:2: attempt to index a nil value (local 't')");
    // A syntax error fails the compile and leaves the buffer empty.
    EXPECT_FALSE(Compile("MARK(ON,\n\n)"));
    EXPECT_EQ(Log(), "script:3: unexpected symbol near ')'");
    EXPECT_STREQ(OvLastError(), "script: cannot compile script: text: script:3: unexpected symbol near ')'");
    EXPECT_EQ(OvLumetCompileFile(&script, "/nonexistent/a.lua", list), 0);
    EXPECT_STREQ(OvLastError(),
                 "script: cannot compile script: /nonexistent/a.lua: Cannot read script file /nonexistent/a.lua");
    EXPECT_EQ(script.data, nullptr);
    EXPECT_EQ(script.capacity, 0u);
}

TEST_F(ScriptTest, ForbiddenLibrariesAndFunctionsAreAbsent) {
    for (const char* name :
         {"io", "os", "package", "debug", "load", "loadfile", "dofile", "require", "collectgarbage", "print",
          "coroutine", "string.find", "string.gsub", "string.match", "string.gmatch", "string.dump"}) {
        const std::string source = std::string("assert(") + name + " == nil, '" + name + "')";
        EXPECT_TRUE(Run(source)) << name << ": " << Log();
    }
    EXPECT_TRUE(
        Run("assert(string.rep('ab', 2) == 'abab' and table.concat({1, 2}) == '12' and "
            "math.floor(2.5) == 2 and utf8.char(65) == 'A' and ('x'):upper() == 'X')"))
        << Log();
}

TEST_F(ScriptTest, EndlessLoopsStopAtTheInstructionBudgetEvenUnderPcall) {
    OvLumetSetLimits(100'000, 0);
    EXPECT_FALSE(Run("local n = 0\nwhile true do n = n + 1 end"));
    EXPECT_EQ(Log(), "script:2: instruction budget exhausted");
    EXPECT_FALSE(Run("while true do pcall(function() while true do end end) end"));
    EXPECT_NE(Log().find("instruction budget exhausted"), std::string::npos) << Log();
    EXPECT_FALSE(Run("xpcall(function() while true do end end, function() while true do end end)"));
    EXPECT_NE(Log().find("instruction budget exhausted"), std::string::npos) << Log();
    // A script within the budget runs whole.
    EXPECT_TRUE(Run("local n = 0\nfor i = 1, 1000 do n = n + i end\nassert(n == 500500)")) << Log();
}

TEST_F(ScriptTest, MemoryBombsStopAtTheByteBudget) {
    OvLumetSetLimits(0, 1u << 20);
    const std::string message = "script: memory budget of 1048576 bytes exhausted";
    EXPECT_FALSE(Run("local t = {}\nfor i = 1, 1e9 do t[i] = i end"));
    EXPECT_EQ(Log(), message);
    EXPECT_FALSE(Run("local s = 'x'\nwhile true do s = s .. s end"));
    EXPECT_EQ(Log(), message);
    EXPECT_FALSE(Run("local s = string.rep('x', 1 << 24)"));
    EXPECT_EQ(Log(), message);
    EXPECT_FALSE(Run("local t = {}\nwhile true do pcall(function() t[#t + 1] = {} end) end"));
    EXPECT_EQ(Log(), message);
}

TEST_F(ScriptTest, CompiledFilesRoundTripAndRunLikeTheSource) {
    OvTest::TempFolder folder;
    ASSERT_TRUE(folder.IsValid());
    const std::string source = folder.Path("source.lua");
    const std::string fromFile = folder.Path("from-file.ovs");
    const std::string fromText = folder.Path("from-text.ovs");
    const std::string text = "local a = ...\nMARK(GREEN, a)\n";
    std::ofstream(source) << text;
    ASSERT_EQ(OvLumetCompileFileToFile(source.c_str(), fromFile.c_str(), list), 1) << Log();
    ASSERT_EQ(OvLumetCompileToFile(text.data(), static_cast<uint32_t>(text.size()), fromText.c_str(), list), 1);
    ASSERT_EQ(OvLumetCompileFile(&script, source.c_str(), list), 1);
    std::ifstream in(fromFile, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::ifstream inText(fromText, std::ios::binary);
    std::vector<uint8_t> textBytes{std::istreambuf_iterator<char>(inText), {}};
    EXPECT_EQ(bytes, textBytes);
    ASSERT_EQ(bytes, std::vector<uint8_t>(script.data, script.data + script.capacity));
    OvLumetBuffer loaded{static_cast<uint32_t>(bytes.size()), bytes.data(), bytes.data()};
    ASSERT_EQ(OvLumetExecute(&loaded, cells, 1, list), 1) << Log();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].arguments, (std::vector<uintptr_t>{3, reinterpret_cast<uintptr_t>(&cells[0])}));
    EXPECT_EQ(OvLumetCompileFile(&script, folder.Path("missing.lua").c_str(), list), 0);
    EXPECT_EQ(OvLumetCompileFileToFile(source.c_str(), "/nonexistent-dir/x.ovs", list), 0);
}

TEST_F(ScriptTest, DamagedOrForeignCompiledBytesAreRefusedBeforeAnythingRuns) {
    ASSERT_TRUE(Compile("local a = ...\nMARK(ON, a)"));
    const std::vector<uint8_t> good(script.data, script.data + script.capacity);
    auto refused = [&](std::vector<uint8_t> bytes) {
        OvLumetBuffer damaged{static_cast<uint32_t>(bytes.size()), bytes.data(), bytes.data()};
        return OvLumetExecute(&damaged, cells, 1, list) == 0;
    };
    for (size_t i = 0; i < good.size(); ++i) {
        std::vector<uint8_t> flipped = good;
        flipped[i] ^= 0x20;
        EXPECT_TRUE(refused(flipped)) << "byte " << i;
    }
    EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.end() - 1)));
    std::vector<uint8_t> padded = good;
    padded.push_back(0);
    EXPECT_TRUE(refused(padded));
    EXPECT_EQ(Log(), "Compiled script cut short or padded");
    // Lua's own bytecode signature, and plain source text.
    EXPECT_TRUE(refused({0x1B, 'L', 'u', 'a', 0x54, 0x00, 0x19, 0x93, '\r', '\n', 0x1A, '\n'}));
    EXPECT_EQ(Log(), "Not a compiled script");
    const std::string plain = "MARK(ON, ...)";
    EXPECT_TRUE(refused(std::vector<uint8_t>(plain.begin(), plain.end())));
    EXPECT_EQ(OvLumetExecute(nullptr, cells, 1, list), 0);
    EXPECT_TRUE(calls.empty());
    OvLumetBuffer intact{static_cast<uint32_t>(good.size()), const_cast<uint8_t*>(good.data()), nullptr};
    EXPECT_EQ(OvLumetExecute(&intact, cells, 1, list), 1);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(ScriptTest, MalformedDefinitionHeadersAreRefused) {
    const char* headers[] = {
        "!KEYWORDS: A\n!DEFINITIONS: 0\n!END\n",
        "!EXTERNAL: Other\n!KEYWORDS: A\n!DEFINITIONS: 0\n!END\n",
        "!EXTERNAL: Probe\n!KEYWORDS: A A\n!DEFINITIONS: 0\n!END\n",
        "!EXTERNAL: Probe\n!KEYWORDS: A 1B\n!DEFINITIONS: 0\n!END\n",
        "!EXTERNAL: Probe\n!KEYWORDS: A\n!DEFINITIONS: x\n!END\n",
        "!EXTERNAL: Probe\n!KEYWORDS: A\n!DEFINITIONS: 2\nRUN KEYWORD\n!END\n",
        "!EXTERNAL: Probe\n!KEYWORDS: A\n!DEFINITIONS: 1\nRUN NUMBER\n!END\n",
        "!EXTERNAL: Probe\n!KEYWORDS: A\n!DEFINITIONS: 2\nRUN\nRUN\n!END\n",
        "!EXTERNAL: Probe\n!KEYWORDS: A\n!DEFINITIONS: 1\nRUN\n",
        "!EXTERNAL: Probe\n!KEYWORDS: A\n!DEFINITIONS: 99999999\n!END\n",
    };
    for (const char* header : headers) {
        EXPECT_EQ(OvLumetLinkDefinition("Probe", header, static_cast<uint32_t>(std::strlen(header))), 0) << header;
        EXPECT_NE(Log(), "") << header;
    }
    EXPECT_EQ(OvLumetLinkDefinition("Probe", nullptr, 0), 0);
    // Nothing was linked: the list built now is empty.
    OvLumetDefinitionList* empty = OvLumetBuildDefinitionList();
    OvLumetBuffer compiled{0, nullptr, nullptr};
    ASSERT_EQ(OvLumetCompile(&compiled, "assert(MARK == nil and ON == nil)", 33, empty), 1);
    EXPECT_EQ(OvLumetExecute(&compiled, nullptr, 0, empty), 1) << Log();
    OvLumetFree(&compiled);
    OvLumetFreeDefinitionList(empty);
}

TEST_F(ScriptTest, WorkInsideLibraryCallsCountsAgainstTheBudget) {
    OvLumetSetLimits(100'000, 0);
    const char* sources[] = {
        "table.move({}, 1, 1 << 40, 2)",
        "local t = setmetatable({}, {__len = function() return 1 << 40 end})\ntable.insert(t, 1, 0)",
        "local t = setmetatable({}, {__len = function() return 1 << 40 end})\ntable.remove(t, 1)",
        "local t = {}\nfor i = 1, 1000 do t[i] = i end\nfor i = 1, 100 do table.sort(t) end",
        "local t = {}\nfor i = 1, 1000 do t[i] = 'x' end\nfor i = 1, 1000 do table.concat(t) end",
        "local s = string.rep('x', 1 << 16)\nfor i = 1, 1000 do utf8.len(s) end",
        "for i = 1, 1000 do local s = ('x'):rep(1 << 16) end",
        "local ok = pcall(table.move, {}, 1, 1 << 40, 2)\nwhile true do end",
    };
    for (const char* source : sources) {
        EXPECT_FALSE(Run(source)) << source;
        EXPECT_NE(Log().find("instruction budget exhausted"), std::string::npos) << source << ": " << Log();
    }
    // Within the budget the charged functions work as ever.
    EXPECT_TRUE(
        Run("local t = {3, 1, 2}\ntable.sort(t)\ntable.insert(t, 1, 0)\nassert(table.remove(t, 1) == 0)\n"
            "assert(table.concat(table.move(t, 1, 3, 2, {}), ',', 2, 4) == '1,2,3')\n"
            "assert(select('#', table.unpack(t)) == 3 and utf8.len('h\u00e9') == 2)"))
        << Log();
}

TEST_F(ScriptTest, TheTimeLimitHoldsWhereInstructionsDoNotCount) {
    OvLumetSetLimits(uint64_t{1} << 50, 0);
    OvLumetSetTimeLimit(50);
    EXPECT_FALSE(Run("while true do end"));
    EXPECT_EQ(Log(), "script:1: time limit exhausted");
    // Large allocations inside one library call each, a few instructions
    // a loop: the allocator stops them.
    EXPECT_FALSE(Run("for i = 1, 1e9 do local s = string.rep('x', 4e6) end"));
    EXPECT_NE(Log().find("time limit exhausted"), std::string::npos) << Log();
    EXPECT_FALSE(Run("while true do pcall(function() while true do end end) end"));
    EXPECT_NE(Log().find("time limit exhausted"), std::string::npos) << Log();
    EXPECT_TRUE(Run("local n = 0\nfor i = 1, 1000 do n = n + i end")) << Log();
}

TEST_F(ScriptTest, FinalizersAreRefused) {
    EXPECT_FALSE(Run("setmetatable({}, {__gc = function() while true do end end})"));
    EXPECT_EQ(Log(), "script:1: finalizers (__gc) are not allowed");
    EXPECT_FALSE(Run("setmetatable({}, {__gc = true})"));
    // A field added later marks nothing for finalizing; other metatables work.
    EXPECT_TRUE(
        Run("local mt = {}\nlocal t = setmetatable({}, mt)\nmt.__gc = function() while true do end end\n"
            "assert(getmetatable(setmetatable({}, {__index = {x = 1}})) ~= nil)"))
        << Log();
}

TEST_F(ScriptTest, EveryRunStartsFromTheSameGlobals) {
    ASSERT_TRUE(
        Compile("local a = ...\n"
                "assert(kept == nil and _G.kept == nil and string.kept == nil, 'kept')\n"
                "assert(string.rep and table.insert and math.pi > 3.14 and utf8.char, 'library')\n"
                "assert(getmetatable('') == false and getmetatable(_G) == false, 'metatable')\n"
                "assert(not pcall(setmetatable, _G, {}), 'protected')\n"
                "assert(('x'):rep(2) == 'xx' and _G == _ENV, 'methods')\n"
                "_G.kept = string.rep('x', 100000)\nstring.kept = 1\nstring.rep = nil\n"
                "table.insert = nil\nmath.pi = 3\nutf8.char = nil\nCOLOR(RED, a)"));
    for (int run = 0; run < 3; ++run) ASSERT_EQ(OvLumetExecute(&script, cells, 1, list), 1) << run << ": " << Log();
    EXPECT_EQ(calls.size(), 3u);
    // What the runs left is garbage: many more runs than the bytes budget
    // would hold all fit in it.
    OvLumetSetLimits(0, 1u << 20);
    ASSERT_TRUE(Compile("_G.store = string.rep('y', 200000)"));
    for (int run = 0; run < 20; ++run) ASSERT_EQ(OvLumetExecute(&script, cells, 1, list), 1) << run << ": " << Log();
}

TEST_F(ScriptTest, AKeywordReachesOnlyTheHandlersOfItsOwnExtension) {
    const char other[] =
        "!EXTERNAL: Other\n"
        "!KEYWORDS: UP DOWN\n"
        "!DEFINITIONS: 1\n"
        "MOVE\tKEYWORD\n"
        "!END\n";
    OvLumetUnlinkDefinitions();
    ASSERT_EQ(OvLumetLinkDefinition("Probe", kHeader, sizeof(kHeader) - 1), 1) << Log();
    ASSERT_EQ(OvLumetLinkDefinition("Other", other, sizeof(other) - 1), 1) << Log();
    OvLumetDefinitionList* both = OvLumetBuildDefinitionList();
    OvLumetAddDefinitionProc("Other", "MOVE", [](const uintptr_t* stream) { calls.push_back({"MOVE", {stream[0]}}); });
    auto run = [&](const std::string& text) {
        OvLumetFree(&script);
        return OvLumetCompile(&script, text.data(), static_cast<uint32_t>(text.size()), both) == 1 &&
               OvLumetExecute(&script, cells, 1, both) == 1;
    };
    // COLOR is keyword 4 of Probe, and a command: Other has two keywords.
    EXPECT_FALSE(run("MOVE(COLOR)"));
    EXPECT_EQ(Log(), "script:1: bad argument #1 to 'MOVE' (keyword expected)");
    EXPECT_FALSE(run("MOVE(RED)"));
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(run("local a = ...\nMOVE(DOWN)\nMARK(COLOR, a)")) << Log();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].arguments[0], 1u);
    EXPECT_EQ(calls[1].arguments[0], 4u);
    OvLumetFree(&script);
    OvLumetFreeDefinitionList(both);
}

// A host function, reached through a handler, that runs a script itself
// and frees the list the outer script runs with.
OvLumetDefinitionList* nestedList = nullptr;
OvLumetBuffer* nestedScript = nullptr;
void RunNested(const uintptr_t* stream) {
    calls.push_back({"NESTED", {stream[0]}});
    if (calls.size() > 3) return;
    uintptr_t inner[1] = {0};
    OvLumetExecute(nestedScript, inner, 1, nestedList);
}

TEST_F(ScriptTest, HandlersMayRunScriptsAndFreeTheRunningList) {
    OvLumetAddDefinitionProc("Probe", "MARK", RunNested);
    ASSERT_TRUE(Compile("local a = ...\nMARK(ON, a)\nMARK(OFF, a)"));
    nestedList = list;
    nestedScript = &script;
    ASSERT_EQ(OvLumetExecute(&script, cells, 1, list), 1) << Log();
    // Runs nest four deep; each finishes its second command on the way out.
    EXPECT_EQ(calls.size(), 8u);
    // Freed while running: released only when the outermost run ends.
    OvLumetAddDefinitionProc("Probe", "MARK", [](const uintptr_t*) {
        OvLumetFreeDefinitionList(nestedList);
        nestedList = nullptr;
    });
    EXPECT_EQ(OvLumetExecute(&script, cells, 1, list), 1) << Log();
    list = nullptr;
}

}  // namespace
