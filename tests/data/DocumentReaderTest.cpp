#include "ovcore/data/Document.h"

#include <gtest/gtest.h>

#include <string>

using namespace OvCore;

namespace {

constexpr const char* kReaderBlanks = " \t\n\r";

// name[attr=value,...](children) for an element, 'text' for a text node.
std::string Tree(const OV_NODE* node) {
    std::string out;
    for (const OV_NODE* child = node->firstChild; child; child = child->next) {
        if (!out.empty()) out += ' ';
        if (!child->IsElement()) {
            out += "'" + std::string(child->text.Get()) + "'";
            continue;
        }
        out += child->name.Get();
        std::string attributes;
        for (const OV_ATTRIBUTE* a = child->firstAttribute; a; a = a->next)
            attributes += (attributes.empty() ? "" : ",") + std::string(a->name.Get()) + "=" + a->value.Get();
        if (!attributes.empty()) out += "[" + attributes + "]";
        if (child->firstChild) out += "(" + Tree(child) + ")";
    }
    return out;
}

std::string ReadTree(const std::string& text) {
    OV_DOCUMENT document;
    EXPECT_TRUE(document.Parse(text.data(), text.size(), kReaderBlanks, true)) << text;
    return Tree(document.Root());
}

}  // namespace

// Line breaks are taken out of the text before it is cut, wherever they
// fall: inside names, between pieces, inside quotes, before a closing "/".
TEST(DocumentRead, LineBreaksInsideTokensJoinTheirNeighbours) {
    EXPECT_EQ(ReadTree("<na\r\nme x=1/>"), "name[x=1]");
    EXPECT_EQ(ReadTree("<a x=1\r\ny=2/>"), "a[x=1y=2]");
    EXPECT_EQ(ReadTree("<a\r\n/><b/>"), "a b");
    EXPECT_EQ(ReadTree("<r><a><\r\n/a><b/></r>"), "r(a b)");
    EXPECT_EQ(ReadTree("<a v=\"one\r\n\r\ntwo\" w=\"3\"/>"), "a[v=onetwo,w=3]");
    EXPECT_EQ(ReadTree("<a v=\"1\"\r\n w=2>"), "a[v=1,w=2]");
    EXPECT_EQ(ReadTree("<a v\n=\"x\"\n/>"), "a[v=x]");
    EXPECT_EQ(ReadTree("<a\n\n>t\ne\rx\r\nt<\n/\na\n>tail"), "a('text') 'tail'");
    // Ending inside quotes at the end of the text.
    EXPECT_EQ(ReadTree("<a v=\"x\r\ny"), "a[v=\"xy]");
    // A quoted value only loses its quotes when nothing follows them.
    EXPECT_EQ(ReadTree("<a v=\"x\"y w=\"1\"/>"), "a[v=\"x\"y,w=1]");
    EXPECT_EQ(ReadTree("<a v=\"x\"/>"), "a[v=x]");
}

// Runs of every length around the sixteen bytes the scans take at once,
// ending in each kind of stop, and the text ending at its first zero byte.
TEST(DocumentRead, RunsOfEveryLengthEndWhereTheirStopIs) {
    for (size_t n = 1; n <= 40; ++n) {
        const std::string run(n, 'v');
        EXPECT_EQ(ReadTree("<e a=\"" + run + "\" b=\"" + run + "=" + run + "\"/>"),
                  "e[a=" + run + ",b=" + run + "=" + run + "]")
            << n;
        EXPECT_EQ(ReadTree("<t>" + run + "\r\n" + run + "</t>" + run), "t('" + run + run + "') '" + run + "'") << n;
        EXPECT_EQ(ReadTree("<t>" + run + "<u/>" + run + ">" + run), "t('" + run + "' u '" + run + "' '" + run + "')")
            << n;
        EXPECT_EQ(ReadTree("<" + run + "/>"), run) << n;
        EXPECT_EQ(ReadTree("<t>" + run + std::string(1, '\0') + "<u/>"), "t('" + run + "')") << n;
        EXPECT_EQ(ReadTree("<t v=\"" + run + std::string(1, '\0') + "\"/>"), "t[v=\"" + run + "]") << n;
    }
    // A length past the zero byte reads nothing after it.
    OV_DOCUMENT document;
    const char text[] = "<a/>";
    EXPECT_TRUE(document.Parse(text, ~size_t{0}, kReaderBlanks, true));
    EXPECT_EQ(Tree(document.Root()), "a");
}

// Clearing frees the strings that own their text (renamed, added, made by
// the reader) whether or not nodes were removed before; a leak or a double
// free shows under the sanitizers. The document reads again afterwards.
TEST(DocumentRead, ClearFreesOwnedStringsWithAndWithoutRemovals) {
    for (bool remove : {false, true}) {
        OV_DOCUMENT document;
        const std::string text = "<a x=1 y=\"2\"><b/><c z=3/>text</a><\"q/><e v=\"w/>";
        ASSERT_TRUE(document.Parse(text.data(), text.size(), kReaderBlanks, true));
        OV_NODE* a = document.Root()->firstChild;
        a->name = "renamed";
        a->firstAttribute->value = "owned value";
        document.AddAttribute(a->firstChild, "added", "attribute");
        document.AddChild(a, "added", "text");
        document.AddChild(a, "", "text node");
        if (remove) {
            EXPECT_TRUE(document.RemoveChild(a->firstChild));
            EXPECT_TRUE(document.RemoveAttribute(a, a->lastAttribute));
        }
        EXPECT_EQ(Tree(document.Root()),
                  remove ? "renamed[x=owned value](c[z=3] 'text' added 'text node') \"q / e[v=\"w /]"
                         : "renamed[x=owned value,y=2](b[added=attribute] c[z=3] 'text' added 'text node') \"q / "
                           "e[v=\"w /]");
        document.Clear();
        EXPECT_EQ(document.Root()->firstChild, nullptr);
        EXPECT_EQ(document.Root()->firstAttribute, nullptr);
        ASSERT_TRUE(document.Parse(text.data(), text.size(), kReaderBlanks, true));
        EXPECT_EQ(Tree(document.Root()), "a[x=1,y=2](b c[z=3] 'text') \"q / e[v=\"w /]");
    }
}
