#include "classes/xml.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "core/stream.h"

namespace tovan {
namespace {

std::string Written(const XmlNode& node, int depth = 0) {
    cStr out;
    node.Write(out, depth);
    return out.GetText();
}

cStream StreamOf(const std::string& bytes) {
    cStream stream;
    stream.WriteBlock(bytes.data(), int(bytes.size()));
    stream.m_Position = 0;
    return stream;
}

// Names and texts of a subtree, one line per element, indented by level.
std::string Shape(const XmlNode& node, int level = 0) {
    std::string text = std::string(size_t(level), '.') + node.Name().GetText() + "=" + node.Text().GetText() + "\n";
    for (int i = 0; i < node.ChildCount(); ++i)
        text += Shape(*node.Child(i), level + 1);
    return text;
}

std::string Nested(int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += "<a>";
    for (int i = 0; i < levels; ++i)
        text += "</a>";
    return text;
}

TEST(XmlReader, ElementsAndTrimmedText) {
    XmlNode root;
    const char* text = "<A><B>1</B><C> x y </C></A>";
    ASSERT_EQ(root.Parse(text), int(std::strlen(text)));
    EXPECT_STREQ(root.Name().GetText(), "A");
    ASSERT_EQ(root.ChildCount(), 2);
    EXPECT_STREQ(root.Child(0)->Name().GetText(), "B");
    EXPECT_STREQ(root.Child(0)->Text().GetText(), "1");
    EXPECT_STREQ(root.Child(1)->Name().GetText(), "C");
    EXPECT_STREQ(root.Child(1)->Text().GetText(), "x y");
    EXPECT_TRUE(root.Text().IsEmpty());
}

TEST(XmlReader, CountsJunkBeforeTheRootAndIgnoresWhatFollows) {
    XmlNode root;
    EXPECT_EQ(root.Parse("junk\n<R>v</R> trailing <x"), 13);
    EXPECT_STREQ(root.Name().GetText(), "R");
    EXPECT_STREQ(root.Text().GetText(), "v");
}

TEST(XmlReader, LastNonBlankTextRunWins) {
    XmlNode root;
    ASSERT_GT(root.Parse("<A> first <B/></B/> \r\n\t last\t</A>"), 0);
    EXPECT_STREQ(root.Text().GetText(), "last");
    XmlNode kept;
    ASSERT_GT(kept.Parse("<A> first <B></B>  \n </A>"), 0);
    EXPECT_STREQ(kept.Text().GetText(), "first");
}

TEST(XmlReader, NamesAreTheWholeStartTag) {
    XmlNode root;
    ASSERT_GT(root.Parse("<item key=\"1\">v</item key=\"1\">"), 0);
    EXPECT_STREQ(root.Name().GetText(), "item key=\"1\"");
    XmlNode empty;
    ASSERT_EQ(empty.Parse("<>x</>"), 6);
    EXPECT_TRUE(empty.Name().IsEmpty());
    EXPECT_STREQ(empty.Text().GetText(), "x");
}

TEST(XmlReader, EndTagNeedsOnlyTheNameAsPrefix) {
    XmlNode root;
    EXPECT_EQ(root.Parse("<A>1</Abc>"), 10);
    XmlNode wrong;
    EXPECT_EQ(wrong.Parse("<Abc>1</A>"), -1);
}

TEST(XmlReader, Unescapes) {
    XmlNode root;
    ASSERT_GT(root.Parse("<A>a&ltb&gt;c &amp; &lt;</A>"), 0);
    EXPECT_STREQ(root.Text().GetText(), "a<b>;c &amp; <;");
}

TEST(XmlReader, MalformedInput) {
    const char* bad[] = {
        "no element", "</A>",   "<A", "<A>text", "<A><B>1</B>", "<A>x<B/>", "<?xml version=\"1.0\"?><A></A>",
        "<A>1</B>",   "<A></A",
    };
    for (const char* text : bad) {
        XmlNode node;
        EXPECT_EQ(node.Parse(text), -1) << text;
    }
}

TEST(XmlReader, EmptyInputKeepsTheNode) {
    XmlNode node;
    node.SetName("keep");
    node.SetText("a&ltb");
    EXPECT_EQ(node.Parse(""), 0);
    EXPECT_EQ(node.Parse(nullptr), 0);
    EXPECT_STREQ(node.Name().GetText(), "keep");
    EXPECT_STREQ(node.Text().GetText(), "a<b");
}

TEST(XmlReader, DepthIsCapped) {
    XmlNode deepest;
    EXPECT_GT(deepest.Parse(Nested(XmlNode::kMaxDepth).c_str()), 0);
    XmlNode tooDeep;
    EXPECT_EQ(tooDeep.Parse(Nested(XmlNode::kMaxDepth + 1).c_str()), -1);
    // A hostile depth fails at the cap without touching the stack.
    XmlNode hostile;
    std::string opens;
    for (int i = 0; i < 200000; ++i)
        opens += "<a>";
    EXPECT_EQ(hostile.Parse(opens.c_str()), -1);
}

// Texts that put the escapes and the tag characters at every position of an
// eight-byte word, on both sides of a run's end.
TEST(XmlReader, EscapesAndTagsAtEveryOffset) {
    for (int offset = 0; offset < 20; ++offset) {
        const std::string pad(size_t(offset), 'p');
        const struct {
            std::string raw, read;
        } cases[] = {
            {pad + "&lt" + pad, pad + "<" + pad},
            {pad + "&gt", pad + ">"},
            {"&l" + pad + "x&gtt", "&l" + pad + "x>t"},
            {pad + "&amp;", pad + "&amp;"},
        };
        for (const auto& c : cases) {
            const std::string name = "N" + pad;
            const std::string text = "<" + name + ">  " + c.raw + "\t</" + name + ">";
            XmlNode node;
            ASSERT_EQ(node.Parse(text.c_str()), int(text.size())) << text;
            EXPECT_EQ(node.Name().GetText(), name);
            EXPECT_EQ(node.Text().GetText(), c.read) << text;
            EXPECT_EQ(Written(node), "<" + name + ">" + c.raw + "</" + name + ">\n");
        }
    }
}

// A node parsed into again keeps what it had: the children are added after its
// old ones and an old text is unescaped when no new one replaces it.
TEST(XmlReader, ParseIntoAFilledNodeAppends) {
    XmlNode root;
    ASSERT_GT(root.Parse("<A><B>1</B></A>"), 0);
    root.SetText("x&lty");
    ASSERT_GT(root.Parse("<C><D>2</D>  </C>"), 0);
    EXPECT_EQ(Shape(root), "C=x<y\n.B=1\n.D=2\n");
    ASSERT_GT(root.Parse("<E>new</E>"), 0);
    EXPECT_EQ(Shape(root), "E=new\n.B=1\n.D=2\n");
}

// A cleared root parses again into the memory it kept; nodes added to a parsed
// tree grow its exact-size child lists.
TEST(XmlTree, ReusedRootAndEditedParsedTree) {
    XmlNode root;
    std::string big = "<R>";
    for (int i = 0; i < 3000; ++i)
        big += "<I>" + std::to_string(i) + "</I>";
    big += "</R>";
    ASSERT_GT(root.Parse(big.c_str()), 0);
    ASSERT_EQ(root.ChildCount(), 3000);
    EXPECT_STREQ(root.Child(2999)->Text().GetText(), "2999");
    root.Clear();
    EXPECT_EQ(root.ChildCount(), 0);
    ASSERT_GT(root.Parse("<A><B>long old text</B></A>"), 0);
    XmlNode* b = root.Child(0);
    b->SetText("short");
    b->SetName("Bee");
    root.AddChild("C")->SetText("c");
    root.AddChild(XmlNode::Create("D"));
    b->AddChild("E");
    b->SetText(nullptr);
    EXPECT_EQ(Written(root), "<A>\n <Bee>\n  <E></E>\n </Bee>\n <C>c</C>\n <D></D>\n</A>\n");
    root.RemoveChild(2);  // the created node goes with the tree
    root.RemoveChild(0);
    EXPECT_EQ(Written(root), "<A>\n <C>c</C>\n</A>\n");
}

TEST(XmlTree, TextViewsCompare) {
    XmlNode node;
    node.SetName("abc");
    node.SetText("ab");
    EXPECT_TRUE(node.Name() == "abc");
    EXPECT_FALSE(node.Name() == "ab");
    EXPECT_FALSE(node.Name() == "abcd");
    EXPECT_FALSE(node.Name() == node.Text());
    EXPECT_TRUE(XmlText() == nullptr);
    EXPECT_TRUE(node.Text() != "");
    const cStr copy = node.Name();
    EXPECT_STREQ(copy.GetText(), "abc");
}

// Random trees, with both tag characters and escapes inside the texts, read back
// as written.
TEST(XmlTree, RandomTreesRoundTrip) {
    std::mt19937 random(14);
    // No "&lt" or "&gt" of its own: the dialect writes '&' as it is.
    auto text = [&](const char* chars, int maxLength) {
        std::string t;
        const int length = int(random() % unsigned(maxLength + 1));
        for (int i = 0; i < length; ++i)
            t += chars[random() % std::strlen(chars)];
        return t;
    };
    for (int round = 0; round < 40; ++round) {
        XmlNode root;
        root.SetName("root");
        XmlNode* open[8] = {&root};
        int depth = 1;
        for (int i = 0; i < 60; ++i) {
            XmlNode* child = open[random() % unsigned(depth)]->AddChild(("n" + text("ab_ <", 5)).c_str());
            const std::string t = "x" + text("ab<>& \tt;", 30) + "y";  // blanks at the ends would be trimmed
            child->SetText(t.c_str());
            if (depth < 8)
                open[depth++] = child;
        }
        const std::string written = Written(root);
        XmlNode back;
        ASSERT_EQ(back.Parse(written.c_str()), int(written.size()) - 1);
        EXPECT_EQ(Shape(back), Shape(root));
        EXPECT_EQ(Written(back), written);
    }
}

TEST(XmlWriter, LeafAndNestedLayout) {
    XmlNode root;
    root.SetName("A");
    XmlNode* b = XmlNode::Create("B");
    b->SetText("1");
    root.AddChild(b);
    XmlNode* c = XmlNode::Create("C");
    root.AddChild(c);
    XmlNode* d = XmlNode::Create("D");
    d->SetText("x");
    c->AddChild(d);
    EXPECT_EQ(Written(root), "<A>\n <B>1</B>\n <C>\n  <D>x</D>\n </C>\n</A>\n");
    EXPECT_EQ(Written(*b, 3), "   <B>1</B>\n");
}

TEST(XmlWriter, TextBeforeChildrenOnItsOwnLine) {
    XmlNode root;
    root.SetName("A");
    root.SetText("head");
    XmlNode* b = XmlNode::Create("B");
    root.AddChild(b);
    const std::string text = Written(root);
    EXPECT_EQ(text, "<A>\n head\n <B></B>\n</A>\n");
    XmlNode back;
    ASSERT_GT(back.Parse(text.c_str()), 0);
    EXPECT_STREQ(back.Text().GetText(), "head");
    ASSERT_EQ(back.ChildCount(), 1);
}

TEST(XmlWriter, EscapesOnlyAngleBrackets) {
    XmlNode node;
    node.SetName("T");
    node.SetText("a<b>c & d");
    const std::string text = Written(node);
    EXPECT_EQ(text, "<T>a&ltb&gtc & d</T>\n");
    XmlNode back;
    ASSERT_GT(back.Parse(text.c_str()), 0);
    EXPECT_STREQ(back.Text().GetText(), "a<b>c & d");
}

TEST(XmlWriter, LimitedWriteStopsAtTheBudget) {
    XmlNode root;
    root.SetName("R");
    for (int i = 0; i < 100; ++i) {
        XmlNode* child = XmlNode::Create("Item");
        child->SetText("0123456789");
        root.AddChild(child);
    }
    const std::string full = Written(root);
    cStr limited;
    root.WriteLimited(limited, 0, 501);
    EXPECT_EQ(std::string(limited.GetText()), full.substr(0, 501));
}

// Names and texts too long to ask room for at once, and cuts inside them.
TEST(XmlWriter, LongNamesAndTextsAndCutsInsideThem) {
    const std::string name(70000, 'n');
    std::string text(200000, 't');
    for (size_t i = 0; i < text.size(); i += 997)
        text[i] = i % 2 ? '<' : '>';
    std::string escaped;
    for (char c : text)
        escaped += c == '<' ? "&lt" : c == '>' ? "&gt" : std::string(1, c);
    XmlNode root;
    root.SetName("R");
    XmlNode* child = root.AddChild(name.c_str());
    child->SetText(text.c_str());
    child->AddChild("c");
    const std::string expected =
        "  <R>\n   <" + name + ">\n    " + escaped + "\n    <c></c>\n   </" + name + ">\n  </R>\n";
    EXPECT_EQ(Written(root, 2), expected);
    for (int limit : {0, 1, 70003, 120000, int(expected.size()) - 1, int(expected.size()) + 5}) {
        cStr cut("head");
        root.WriteLimited(cut, 2, limit);
        EXPECT_EQ(std::string(cut.GetText()), "head" + expected.substr(0, size_t(limit))) << limit;
    }
    XmlNode back;
    ASSERT_GT(back.Parse(expected.c_str()), 0);
    EXPECT_EQ(Written(back, 2), expected);
}

TEST(XmlWriter, NegativeDepthIndentsFromZero) {
    XmlNode root;
    ASSERT_GT(root.Parse("<A>t<B><C>c</C></B></A>"), 0);
    EXPECT_EQ(Written(root, -1), "<A>\nt\n<B>\n <C>c</C>\n</B>\n</A>\n");
}

TEST(XmlWriter, DepthIsCapped) {
    XmlNode root;
    root.SetName("a");
    XmlNode* node = &root;
    for (int i = 0; i < XmlNode::kMaxDepth + 50; ++i) {
        XmlNode* child = XmlNode::Create("a");
        node->AddChild(child);
        node = child;
    }
    const std::string text = Written(root);
    XmlNode back;
    EXPECT_GT(back.Parse(text.c_str()), 0);  // written at most as deep as the reader allows
    root.Clear();                            // and freed without recursion
    EXPECT_EQ(root.ChildCount(), 0);
}

TEST(XmlTree, ClearAndRemoveChild) {
    XmlNode root;
    ASSERT_GT(root.Parse("<A><B>1</B><C>2</C><D>3</D></A>"), 0);
    root.SetListFlag(true);
    root.RemoveChild(1);
    root.RemoveChild(7);
    ASSERT_EQ(root.ChildCount(), 2);
    EXPECT_STREQ(root.Child(1)->Name().GetText(), "D");
    root.Clear();
    EXPECT_EQ(root.ChildCount(), 0);
    EXPECT_TRUE(root.Name().IsEmpty());
    EXPECT_FALSE(root.ListFlag());
}

TEST(XmlBuffer, ParseFromThePosition) {
    cStream stream = StreamOf("skip<A>1</A>");
    stream.m_Position = 4;
    XmlNode root;
    EXPECT_TRUE(root.ParseBuffer(stream));
    EXPECT_EQ(stream.m_Position, stream.Count());
    EXPECT_STREQ(root.Text().GetText(), "1");
}

TEST(XmlBuffer, Failures) {
    cStream empty;
    XmlNode untouched;
    untouched.SetName("keep");
    EXPECT_FALSE(untouched.ParseBuffer(empty));
    EXPECT_STREQ(untouched.Name().GetText(), "keep");

    cStream nul = StreamOf(std::string("\0<A>1</A>", 9));
    XmlNode node;
    EXPECT_FALSE(node.ParseBuffer(nul));

    cStream cut = StreamOf(std::string("<A>1\0</A>", 9));
    EXPECT_FALSE(node.ParseBuffer(cut));
}

TEST(XmlBuffer, TextEndsAtAZeroByte) {
    cStream stream = StreamOf(std::string("<A>1</A>\0<B>", 12));
    XmlNode root;
    EXPECT_TRUE(root.ParseBuffer(stream));
    EXPECT_EQ(stream.m_Position, 12);
    EXPECT_EQ(Shape(root), "A=1\n");
}

TEST(XmlBuffer, ToBufferReplacesTheStream) {
    XmlNode root;
    ASSERT_GT(root.Parse("<A><B>x</B></A>"), 0);
    cStream stream = StreamOf("old bytes");
    EXPECT_TRUE(root.ToBuffer(stream));
    const std::string text(reinterpret_cast<const char*>(stream.Data()), size_t(stream.Count()));
    EXPECT_EQ(text, "<A>\n <B>x</B>\n</A>\n");
    EXPECT_EQ(stream.m_Position, stream.Count());
}

}  // namespace
}  // namespace tovan
