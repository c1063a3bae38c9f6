#include "classes/xml.h"

#include <gtest/gtest.h>

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

TEST(XmlBuffer, ToBufferReplacesTheStream) {
    XmlNode root;
    ASSERT_GT(root.Parse("<A><B>x</B></A>"), 0);
    cStream stream = StreamOf("old bytes");
    root.ToBuffer(stream);
    const std::string text(reinterpret_cast<const char*>(stream.Data()), size_t(stream.Count()));
    EXPECT_EQ(text, "<A>\n <B>x</B>\n</A>\n");
    EXPECT_EQ(stream.m_Position, stream.Count());
}

}  // namespace
}  // namespace tovan
