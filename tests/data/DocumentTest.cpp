#include "ovcore/data/Document.h"
#include "ovcore/platform/Diagnostics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace OvCore;

namespace {

constexpr const char* kBlanks = " \t\n\r";

// A compact picture of a subtree: name[attr=value,...](children) for an
// element, 'text' for a text node.
std::string Dump(const OV_NODE* node) {
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
        if (child->firstChild) out += "(" + Dump(child) + ")";
    }
    return out;
}

std::string Read(const std::string& text, const char* ignorable = kBlanks, bool trim = true) {
    OV_DOCUMENT document;
    EXPECT_TRUE(document.Parse(text.data(), text.size(), ignorable, trim)) << text;
    return Dump(document.Root());
}

std::string Saved(const OV_DOCUMENT& document) {
    OV_BUFFER out;
    EXPECT_TRUE(document.Save(out));
    EXPECT_EQ(out.Position(), out.capacity);
    return std::string(reinterpret_cast<const char*>(out.data), out.capacity);
}

}  // namespace

TEST(DocumentParse, TagsAttributesTextAndWhitespace) {
    EXPECT_EQ(Read("<a x=\"1 2\" y=3/>"), "a[x=1 2,y=3]");
    EXPECT_EQ(Read("<a>\r\n\t<b/>\r\n</a>"), "a(b)");
    EXPECT_EQ(Read("<a>  hello world  </a>"), "a('hello world')");
    EXPECT_EQ(Read("<a>  hello world  </a>", kBlanks, false), "a('  hello world  ')");
    EXPECT_EQ(Read("<a>line one\r\nline two</a>"), "a('line oneline two')");
    EXPECT_EQ(Read("<a/><a /><a\t/>"), "a a a");
    // Duplicates kept in order, no "=" gives an empty value, quotes only go in pairs.
    EXPECT_EQ(Read("<e k=1 k=2 flag v=\"\" w=\" q=\"a\"b\">"), "e[k=1,k=2,flag=,v=,w= q=\"a\"b]");
    EXPECT_EQ(Read("<e w=\">"), "e[w=\"]");
    EXPECT_EQ(Read("<e a=x=y \"n m\"=1 / b=2>"), "e[a=x=y,\"n m\"=1,b=2]");
    // A slash inside open quotes joins the last piece.
    EXPECT_EQ(Read("<e v=\"x/>"), "e[v=\"x /]");
    EXPECT_EQ(Read("<\"e/>"), "\"e /");
    EXPECT_EQ(Read("< />"), "/");
    // "<" and ">" always cut, also inside quotes.
    EXPECT_EQ(Read("<a v=\"1>2\">"), "a[v=\"1]('2\"')");
}

TEST(DocumentParse, StructureNeverFails) {
    EXPECT_EQ(Read("lead<a>x</a>tail"), "'lead' a('x') 'tail'");
    EXPECT_EQ(Read("</x></y><a><b></zzz><c/></a></a></a><d>"), "a(b c) d");
    EXPECT_EQ(Read("<?xml version=\"1.0\"?><r/>"), "?xml[version=\"1.0\"?](r)");
    EXPECT_EQ(Read("<><   ><\t>"), "");
    EXPECT_EQ(Read("< a  b=1 >x"), "a[b=1]('x')");
    EXPECT_EQ(Read("a>b<c"), "'a' 'b' c");
    EXPECT_EQ(Read("<a>  <b/>  </a>", nullptr, true), "a('  ' b '  ')");
    EXPECT_EQ(Read(std::string("<a>x\0<b/>", 9)), "a('x')");

    OV_DOCUMENT document;
    EXPECT_FALSE(document.Parse(nullptr, 5, kBlanks, true));
    EXPECT_FALSE(document.Parse("<a/>", 0, kBlanks, true));
    EXPECT_FALSE(document.Parse("\r\n\n\r", 4, kBlanks, true));
    EXPECT_TRUE(document.Parse("  ", 2, kBlanks, true));
    EXPECT_EQ(Dump(document.Root()), "");
    // A second text is appended after the first, whose texts stay valid.
    EXPECT_TRUE(document.Parse("<a x=1>", 7, kBlanks, true));
    EXPECT_TRUE(document.Parse("<b/>", 4, kBlanks, true));
    EXPECT_EQ(Dump(document.Root()), "a[x=1] b");
    document.Clear();
    EXPECT_EQ(document.Root()->firstChild, nullptr);
}

TEST(DocumentSave, ExactFormAndRoundTrip) {
    OV_DOCUMENT document;
    OV_NODE* theme = document.AddChild(document.Root(), "Theme");
    document.AddAttribute(theme, "Name", "Default");
    OV_NODE* texture = document.AddChild(theme, "Texture");
    document.AddAttribute(texture, "MinFilter", "LINEAR");
    document.AddAttribute(texture, "WrapS", "CLAMP");
    EXPECT_EQ(Saved(document),
              "<Theme Name=\"Default\">\r\n\t<Texture MinFilter=\"LINEAR\" WrapS=\"CLAMP\" />\r\n</Theme>\r\n");

    // Text nodes on lines of their own; nameless attributes and empty text
    // nodes write nothing.
    OV_NODE* data = document.AddChild(texture, "Data");
    document.AddChild(data, "", "two words");
    document.AddChild(data, "", "");
    document.AddAttribute(data, "", "lost");
    document.AddChild(document.Root(), "", "tail");
    const std::string saved = Saved(document);
    EXPECT_EQ(saved,
              "<Theme Name=\"Default\">\r\n\t<Texture MinFilter=\"LINEAR\" WrapS=\"CLAMP\">\r\n"
              "\t\t<Data>\r\n\t\t\ttwo words\r\n\t\t</Data>\r\n\t</Texture>\r\n</Theme>\r\ntail\r\n");

    OV_DOCUMENT reread;
    ASSERT_TRUE(reread.Parse(saved.data(), saved.size(), kBlanks, true));
    EXPECT_EQ(Dump(reread.Root()),
              "Theme[Name=Default](Texture[MinFilter=LINEAR,WrapS=CLAMP](Data('two words'))) 'tail'");
    EXPECT_EQ(Saved(reread), saved);

    // What does not survive: line breaks in text, double quotes in values.
    OV_DOCUMENT lossy;
    OV_NODE* e = lossy.AddChild(lossy.Root(), "e");
    lossy.AddAttribute(e, "v", "a\"b c");
    lossy.AddChild(e, "", "one\r\ntwo");
    const std::string lossyText = Saved(lossy);
    OV_DOCUMENT lost;
    ASSERT_TRUE(lost.Parse(lossyText.data(), lossyText.size(), kBlanks, true));
    EXPECT_EQ(Dump(lost.Root()), "e[v=\"a\"b,c\"=]('onetwo')");

    OV_DOCUMENT empty;
    OV_BUFFER untouched;
    ASSERT_TRUE(untouched.Allocate(3));
    EXPECT_FALSE(empty.Save(untouched));
    EXPECT_EQ(untouched.capacity, 3u);
}

TEST(DocumentFind, PathLanguageInItsThreeModes) {
    OV_DOCUMENT document;
    const char* text =
        "<Theme Name=A><Texture Name=t1/><Font/><Texture Name=t2/><Texture Name=t3/></Theme><Theme Name=B/>";
    ASSERT_TRUE(document.Parse(text, std::strlen(text), kBlanks, true));
    auto nameOf = [&](const char* path, int mode = FIND_ONLY) -> std::string {
        OV_NODE* node = document.Find(path, mode, nullptr).Node();
        if (!node) return "-";
        const char* value = node->AttributeValue("Name");
        return value ? value : node->name.Get();
    };
    EXPECT_EQ(nameOf("Theme/Texture"), "t1");
    EXPECT_EQ(nameOf("Theme/Texture#next"), "t2");
    EXPECT_EQ(nameOf("Theme/Texture#next#next#prev"), "t2");
    EXPECT_EQ(nameOf("Theme/Texture#prev#prev"), "t1");
    EXPECT_EQ(nameOf("Theme/Texture#last"), "t3");
    EXPECT_EQ(nameOf("Theme/Texture#last#next"), "t2");
    EXPECT_EQ(nameOf("Theme#next"), "B");
    EXPECT_EQ(nameOf("Theme/Texture#id:2"), "t3");
    EXPECT_EQ(nameOf("Theme/Texture#id:0x1"), "t2");
    EXPECT_EQ(nameOf("Theme/Texture#id:02"), "t3");
    EXPECT_EQ(nameOf("Theme/Texture#id:0"), "t1");
    EXPECT_EQ(nameOf("Theme/Texture#id:1#next"), "t3");
    EXPECT_EQ(nameOf("Theme/Texture#id:3"), "-");
    EXPECT_EQ(nameOf("Theme/Texture#unknown"), "t1");
    // Numbers that would wrap or do not read match nothing.
    for (const char* bad :
         {"#id:4294967297", "#id:-1", "#id:", "#id:1x", "#id:09", "#id:0x", "#id:99999999999999999999"})
        EXPECT_EQ(nameOf((std::string("Theme/Texture") + bad).c_str()), "-") << bad;
    EXPECT_EQ(nameOf("Theme/Texture#id:4294967295"), "-");
    EXPECT_EQ(nameOf("Theme/Font/."), "Font");
    EXPECT_EQ(nameOf("Theme/Font/.#next"), "t2");
    EXPECT_EQ(nameOf("Theme/Font/.#last"), "Font");
    EXPECT_EQ(nameOf("Theme/Font/.#last#next"), "t1");
    EXPECT_EQ(nameOf("Theme/Font/.."), "A");
    EXPECT_EQ(nameOf("../Theme#next"), "B");
    EXPECT_EQ(nameOf("."), "");
    EXPECT_EQ(document.Find(".", FIND_ONLY, nullptr).Node(), document.Root());
    EXPECT_EQ(nameOf("Theme/Missing"), "-");
    EXPECT_EQ(nameOf("Theme/Texture#new"), "-");
    EXPECT_FALSE(document.Find(nullptr, FIND_CREATE, nullptr).IsValid());

    // Mode 0 makes what is missing, also after an unreadable id and with #new.
    EXPECT_EQ(nameOf("Theme#next/Texture", FIND_CREATE), "Texture");
    EXPECT_EQ(nameOf("Theme/Texture#id:-1", FIND_CREATE), "Texture");
    EXPECT_EQ(nameOf("Theme/Texture#new", FIND_CREATE), "Texture");
    EXPECT_EQ(nameOf("X/Y#next/Z", FIND_CREATE), "Z");
    EXPECT_EQ(Dump(document.Root()),
              "Theme[Name=A](Texture[Name=t1] Font Texture[Name=t2] Texture[Name=t3] Texture Texture) "
              "Theme[Name=B](Texture) X(Y(Z))");

    // Mode 1 removes what the last segment names, with its subtree.
    EXPECT_FALSE(document.Find("Theme/Texture#next", FIND_REMOVE, nullptr).IsValid());
    EXPECT_FALSE(document.Find("X", FIND_REMOVE, nullptr).IsValid());
    EXPECT_FALSE(document.Find("Nothing", FIND_REMOVE, nullptr).IsValid());
    EXPECT_FALSE(document.Find(".", FIND_REMOVE, nullptr).IsValid());
    EXPECT_EQ(Dump(document.Root()),
              "Theme[Name=A](Texture[Name=t1] Font Texture[Name=t3] Texture Texture) Theme[Name=B](Texture)");

    // Relative to a start node.
    OV_NODE* font = document.Find("Theme/Font", FIND_ONLY, nullptr).Node();
    EXPECT_EQ(document.Find(".#next", FIND_ONLY, font)->AttributeValue("Name"), std::string("t3"));
    EXPECT_EQ(document.Find("Sub", FIND_CREATE, font)->parent, font);
}

TEST(DocumentAttributes, GetAttributeCreatesEmptyAndHandlesIterateBothWays) {
    OV_DOCUMENT document;
    const char* text = "<n A=1 B=2 A=3><c1/>t<c3/></n>";
    ASSERT_TRUE(document.Parse(text, std::strlen(text), kBlanks, true));
    OV_NODE* n = document.Find("n", FIND_ONLY, nullptr).Node();
    ASSERT_NE(n, nullptr);

    OV_ATTRIBUTE_HANDLE mode = document.GetAttribute(".", "Mode", FIND_ONLY, n);
    ASSERT_TRUE(mode.IsValid());
    EXPECT_STREQ(mode->value.Get(), "");
    EXPECT_EQ(n->lastAttribute, mode.Attribute());
    EXPECT_STREQ(document.GetAttribute(".", "A", FIND_ONLY, n)->value.Get(), "1");
    EXPECT_FALSE(document.GetAttribute("missing", "A", FIND_ONLY, n).IsValid());
    EXPECT_FALSE(document.GetAttribute(".", nullptr, FIND_ONLY, n).IsValid());
    EXPECT_STREQ(document.GetAttribute("made", "K", FIND_CREATE, n)->name.Get(), "K");

    std::string forward, backward;
    for (OV_ATTRIBUTE_HANDLE a = document.FirstAttribute(n); a.IsValid(); a.Next()) forward += a->name.Get();
    for (OV_ATTRIBUTE_HANDLE a = document.LastAttribute(n); a.IsValid(); a.Prev()) backward += a->name.Get();
    EXPECT_EQ(forward, "ABAMode");
    EXPECT_EQ(backward, "ModeABA");
    EXPECT_TRUE(document.RemoveAttribute(n, n->firstAttribute->next));
    EXPECT_FALSE(document.RemoveAttribute(document.Root(), n->firstAttribute));
    forward.clear();
    for (OV_ATTRIBUTE_HANDLE a = document.FirstAttribute(n); a.IsValid(); a.Next()) forward += a->name.Get();
    EXPECT_EQ(forward, "AAMode");

    std::string children;
    for (OV_NODE_HANDLE c = document.LastChild(n); c.IsValid(); c.Prev())
        children += c->IsElement() ? c->name.Get() : c->text.Get();
    EXPECT_EQ(children, "madec3tc1");
    OV_NODE_HANDLE end = document.LastChild(n);
    end.Next();
    EXPECT_FALSE(end.IsValid());
    end.Prev();
    EXPECT_FALSE(end.IsValid());
    EXPECT_TRUE(document.RemoveChild(n->firstChild));
    EXPECT_FALSE(document.RemoveChild(document.Root()));
    EXPECT_FALSE(document.RemoveChild(nullptr));
    EXPECT_EQ(Dump(n), "'t' c3 made[K=]");
    // Renaming gives the string its own text; the document still frees it.
    n->name = "renamed";
    EXPECT_EQ(Dump(document.Root()), "renamed[A=1,A=3,Mode=]('t' c3 made[K=])");
}

// A million nested elements: every walk is a loop, so nothing here may
// exhaust the stack. Save refuses the tree for its depth, saying so.
TEST(DocumentDepth, AMillionNestedElementsReadSearchSaveAndDestroy) {
    constexpr size_t kDepth = 1000000;
    std::string text;
    text.reserve(kDepth * 7);
    for (size_t i = 0; i < kDepth; ++i) text += "<a>";
    for (size_t i = 0; i < kDepth; ++i) text += "</a>";
    std::string path;
    path.reserve(kDepth * 2);
    for (size_t i = 0; i < kDepth; ++i) path += i ? "/a" : "a";

    auto document = std::make_unique<OV_DOCUMENT>();
    ASSERT_TRUE(document->Parse(text.data(), text.size(), kBlanks, true));
    OV_NODE* deepest = document->Find(path.c_str(), FIND_ONLY, nullptr).Node();
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->firstChild, nullptr);
    EXPECT_FALSE(document->Find((path + "/a").c_str(), FIND_ONLY, nullptr).IsValid());
    OV_BUFFER out;
    EXPECT_FALSE(document->Save(out));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_STREQ(PlatformLastFailure(), "data: cannot save document: nested 1000000 levels deep: the limit is 100000");

    // A shallower chain saves: 2000 levels, each line indented by its depth
    // down to 64 tabs.
    OV_NODE* top = document->Find(path.substr(0, 2 * (kDepth - 2000) - 1).c_str(), FIND_ONLY, nullptr).Node();
    ASSERT_NE(top, nullptr);
    OV_DOCUMENT copy;
    OV_NODE* parent = copy.Root();
    for (OV_NODE* node = top->firstChild; node; node = node->firstChild) parent = copy.AddChild(parent, "a");
    const std::string saved = Saved(copy);
    EXPECT_EQ(saved.size(), 1999u * 11u + 7u + 2u * (64u * 65u / 2u + 64u * 1934u) + 64u);
    EXPECT_TRUE(document->Find(path.substr(0, 1999).c_str(), FIND_REMOVE, nullptr).IsValid() == false);
    document.reset();
}

// Saved text grows linearly with the tree: lines stop getting tabs at a
// fixed depth, and a tree past the depth limit is refused, not built.
TEST(DocumentDepth, IndentationStopsAtItsDepthAndTheLimitIsExact) {
    OV_DOCUMENT chain;
    OV_NODE* parent = chain.Root();
    for (int i = 0; i < 70; ++i) parent = chain.AddChild(parent, "a");
    const std::string saved = Saved(chain);
    std::vector<size_t> tabs;
    for (size_t at = 0; at < saved.size(); at = saved.find("\r\n", at) + 2) tabs.push_back(saved.find('<', at) - at);
    ASSERT_EQ(tabs.size(), 139u);
    for (size_t line : {0u, 1u, 63u, 64u, 65u, 69u, 70u, 75u, 138u}) {
        const size_t depth = line < 70 ? line : 138 - line;
        EXPECT_EQ(tabs[line], std::min<size_t>(depth, 64)) << line;
    }
    EXPECT_EQ(saved.substr(saved.find("<a />") - 65, 66), "\n" + std::string(64, '\t') + "<");

    OV_DOCUMENT deep;
    parent = deep.Root();
    for (size_t i = 0; i < OV_DOCUMENT::kSaveDepthLimit; ++i) parent = deep.AddChild(parent, "a");
    OV_BUFFER out;
    ASSERT_TRUE(deep.Save(out));
    EXPECT_LT(out.capacity, OV_DOCUMENT::kSaveDepthLimit * (11 + 2 * 64));
    deep.AddChild(parent, "a");
    OV_BUFFER refused;
    EXPECT_FALSE(deep.Save(refused));
    EXPECT_TRUE(refused.IsEmpty());
    EXPECT_STREQ(PlatformLastFailure(), "data: cannot save document: nested 100001 levels deep: the limit is 100000");
}

// Line breaks are taken out of the text before it is cut, wherever they
// fall: inside names, between pieces, inside quotes, before a closing "/".
TEST(DocumentRead, LineBreaksInsideTokensJoinTheirNeighbours) {
    EXPECT_EQ(Read("<na\r\nme x=1/>"), "name[x=1]");
    EXPECT_EQ(Read("<a x=1\r\ny=2/>"), "a[x=1y=2]");
    EXPECT_EQ(Read("<a\r\n/><b/>"), "a b");
    EXPECT_EQ(Read("<r><a><\r\n/a><b/></r>"), "r(a b)");
    EXPECT_EQ(Read("<a v=\"one\r\n\r\ntwo\" w=\"3\"/>"), "a[v=onetwo,w=3]");
    EXPECT_EQ(Read("<a v=\"1\"\r\n w=2>"), "a[v=1,w=2]");
    EXPECT_EQ(Read("<a v\n=\"x\"\n/>"), "a[v=x]");
    EXPECT_EQ(Read("<a\n\n>t\ne\rx\r\nt<\n/\na\n>tail"), "a('text') 'tail'");
    // Ending inside quotes at the end of the text.
    EXPECT_EQ(Read("<a v=\"x\r\ny"), "a[v=\"xy]");
    // A quoted value only loses its quotes when nothing follows them.
    EXPECT_EQ(Read("<a v=\"x\"y w=\"1\"/>"), "a[v=\"x\"y,w=1]");
    EXPECT_EQ(Read("<a v=\"x\"/>"), "a[v=x]");
}

// Runs of every length around the sixteen bytes the scans take at once,
// ending in each kind of stop, and the text ending at its first zero byte.
TEST(DocumentRead, RunsOfEveryLengthEndWhereTheirStopIs) {
    for (size_t n = 1; n <= 40; ++n) {
        const std::string run(n, 'v');
        EXPECT_EQ(Read("<e a=\"" + run + "\" b=\"" + run + "=" + run + "\"/>"),
                  "e[a=" + run + ",b=" + run + "=" + run + "]")
            << n;
        EXPECT_EQ(Read("<t>" + run + "\r\n" + run + "</t>" + run), "t('" + run + run + "') '" + run + "'") << n;
        EXPECT_EQ(Read("<t>" + run + "<u/>" + run + ">" + run), "t('" + run + "' u '" + run + "' '" + run + "')") << n;
        EXPECT_EQ(Read("<" + run + "/>"), run) << n;
        EXPECT_EQ(Read("<t>" + run + std::string(1, '\0') + "<u/>"), "t('" + run + "')") << n;
        EXPECT_EQ(Read("<t v=\"" + run + std::string(1, '\0') + "\"/>"), "t[v=\"" + run + "]") << n;
    }
    // A length past the zero byte reads nothing after it.
    OV_DOCUMENT document;
    const char text[] = "<a/>";
    EXPECT_TRUE(document.Parse(text, ~size_t{0}, kBlanks, true));
    EXPECT_EQ(Dump(document.Root()), "a");
}

// Clearing frees the strings that own their text (renamed, added, made by
// the reader) whether or not nodes were removed before; a leak or a double
// free shows under the sanitizers. The document reads again afterwards.
TEST(DocumentRead, ClearFreesOwnedStringsWithAndWithoutRemovals) {
    for (bool remove : {false, true}) {
        OV_DOCUMENT document;
        const std::string text = "<a x=1 y=\"2\"><b/><c z=3/>text</a><\"q/><e v=\"w/>";
        ASSERT_TRUE(document.Parse(text.data(), text.size(), kBlanks, true));
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
        EXPECT_EQ(Dump(document.Root()),
                  remove ? "renamed[x=owned value](c[z=3] 'text' added 'text node') \"q / e[v=\"w /]"
                         : "renamed[x=owned value,y=2](b[added=attribute] c[z=3] 'text' added 'text node') \"q / "
                           "e[v=\"w /]");
        document.Clear();
        EXPECT_EQ(document.Root()->firstChild, nullptr);
        EXPECT_EQ(document.Root()->firstAttribute, nullptr);
        ASSERT_TRUE(document.Parse(text.data(), text.size(), kBlanks, true));
        EXPECT_EQ(Dump(document.Root()), "a[x=1,y=2](b c[z=3] 'text') \"q / e[v=\"w /]");
    }
}
