// BSP trees: the native file read depth first, the planes of each triangle,
// the order triangles are listed in, trees far deeper than a thread's stack,
// and cIO::LoadBsp with its names and messages.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/io.h"
#include "io/model/bsp.h"
#include "tests/io/codec_files.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

namespace tovan {
namespace {

void PutF32(std::string& s, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    test::PutU32(s, bits);
}

std::string Header(int version = 0) {
    std::string s;
    test::PutU16(s, 0x6263);
    test::PutU8(s, unsigned(version));
    return s;
}

// One node record: corners (a, 0, 0), (0, a, 0), (0, 0, a) unless given.
void PutNode(std::string& s, int attribute, unsigned flags, float a = 1) {
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 3; ++i)
            PutF32(s, i == k ? a : 0);
    test::PutU32(s, uint32_t(attribute));
    test::PutU8(s, flags);
}

bool Decode(const std::string& bytes, cBsp& bsp) {
    cStream in;
    test::SetBytes(in, bytes);
    return DecodeBsp(in, bsp);
}

std::vector<int> Attributes(const cBsp& bsp) {
    std::vector<int> out;
    for (const cBspTriangle& t : bsp.m_Triangles)
        out.push_back(t.m_Attribute);
    return out;
}

void ExpectPlane(const cBspPlane& p, cVec3 normal, float d, const char* what) {
    EXPECT_NEAR(p.m_Normal.x, normal.x, 1e-6f) << what;
    EXPECT_NEAR(p.m_Normal.y, normal.y, 1e-6f) << what;
    EXPECT_NEAR(p.m_Normal.z, normal.z, 1e-6f) << what;
    EXPECT_NEAR(p.m_D, d, 1e-6f) << what;
}

TEST(Bsp, OneNodeGivesOneTriangleWithItsPlanes) {
    std::string file = Header();
    // Corners (0, 0, 1), (2, 0, 1), (0, 2, 1): a triangle facing +z at z = 1.
    for (float v : {0.f, 0.f, 1.f, 2.f, 0.f, 1.f, 0.f, 2.f, 1.f})
        PutF32(file, v);
    test::PutU32(file, 77);
    test::PutU8(file, 0xFC);  // bits other than 0 and 1 mean nothing
    cBsp bsp;
    ASSERT_TRUE(Decode(file, bsp));
    ASSERT_NE(bsp.m_Root, nullptr);
    EXPECT_EQ(bsp.m_Root->m_Left, nullptr);
    EXPECT_EQ(bsp.m_Root->m_Right, nullptr);
    cBsp::CollectTriangles(bsp.m_Root, bsp);
    ASSERT_EQ(bsp.m_Triangles.Count(), 1);
    const cBspTriangle& t = bsp.m_Triangles[0];
    EXPECT_EQ(t.m_Attribute, 77);
    EXPECT_EQ(t.m_Corners[1], (cVec3{2, 0, 1}));
    ExpectPlane(t.m_FacePlane, {0, 0, 1}, -1, "face");
    // Edge planes, not normalised: N x (c0 - c2), N x (c1 - c0), N x (c2 - c1),
    // each through its own corner; their normals point into the triangle.
    ExpectPlane(t.m_EdgePlanes[0], {2, 0, 0}, 0, "edge 0");
    ExpectPlane(t.m_EdgePlanes[1], {0, 2, 0}, 0, "edge 1");
    ExpectPlane(t.m_EdgePlanes[2], {-2, -2, 0}, 4, "edge 2");
}

TEST(Bsp, CommittedTreeReadsToItsValues) {
    cBsp bsp;
    ASSERT_TRUE(Decode(test::ReadDataFile("bsp/tree.cBsp"), bsp));
    cBsp::CollectTriangles(bsp.m_Root, bsp);
    EXPECT_EQ(Attributes(bsp), (std::vector<int>{1, 4, 2, 3}));
    ExpectPlane(bsp.m_Triangles[0].m_FacePlane, {0, 0, 1}, 0, "root");
    ExpectPlane(bsp.m_Triangles[1].m_FacePlane, {0, 0, 0}, 0, "degenerate right child");
    for (const cBspPlane& edge : bsp.m_Triangles[1].m_EdgePlanes)
        ExpectPlane(edge, {0, 0, 0}, 0, "degenerate edge");
    ExpectPlane(bsp.m_Triangles[2].m_FacePlane, {0, 0, 1}, -1, "left child");
    ExpectPlane(bsp.m_Triangles[3].m_FacePlane, {0, 0, -1}, -1, "its left child");
}

// The file holds a node, its left subtree, then its right subtree; the list
// comes out node, right subtree, left subtree.
TEST(Bsp, ChildrenAreReadLeftFirstAndListedRightFirst) {
    std::string file = Header();
    PutNode(file, 1, 3);
    PutNode(file, 2, 2);  // left child with a right child of its own
    PutNode(file, 3, 0);
    PutNode(file, 4, 1);  // right child with a left child
    PutNode(file, 5, 0);
    cBsp bsp;
    ASSERT_TRUE(Decode(file, bsp));
    EXPECT_EQ(bsp.m_Root->m_Left->m_Triangle.m_Attribute, 2);
    EXPECT_EQ(bsp.m_Root->m_Left->m_Right->m_Triangle.m_Attribute, 3);
    EXPECT_EQ(bsp.m_Root->m_Right->m_Triangle.m_Attribute, 4);
    EXPECT_EQ(bsp.m_Root->m_Right->m_Left->m_Triangle.m_Attribute, 5);
    cBsp::CollectTriangles(bsp.m_Root, bsp);
    EXPECT_EQ(Attributes(bsp), (std::vector<int>{1, 4, 5, 2, 3}));
    // Collecting appends; clearing keeps the list's storage but not its count.
    cBsp::CollectTriangles(bsp.m_Root->m_Right, bsp);
    EXPECT_EQ(Attributes(bsp), (std::vector<int>{1, 4, 5, 2, 3, 4, 5}));
    const int capacity = bsp.m_Triangles.Capacity();
    bsp.Clear();
    EXPECT_EQ(bsp.m_Root, nullptr);
    EXPECT_EQ(bsp.m_Triangles.Count(), 0);
    EXPECT_EQ(bsp.m_Triangles.Capacity(), capacity);
}

TEST(Bsp, RefusedFilesLeaveTheTreeEmpty) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string twoChildren = Header();
    PutNode(twoChildren, 1, 3);
    PutNode(twoChildren, 2, 0);
    std::string badMagic = twoChildren;
    badMagic[0] = 'x';
    const Case cases[] = {
        {"version 1", Header(1) + twoChildren.substr(3)},
        {"wrong magic", badMagic},
        {"the right child missing", twoChildren},
        {"a node cut short", twoChildren.substr(0, twoChildren.size() - 1)},
        {"no root", Header()},
        {"two bytes", Header().substr(0, 2)},
    };
    for (const Case& c : cases) {
        cBsp bsp;
        std::string old = Header();
        PutNode(old, 9, 0);
        ASSERT_TRUE(Decode(old, bsp));
        cBsp::CollectTriangles(bsp.m_Root, bsp);
        EXPECT_FALSE(Decode(c.bytes, bsp)) << c.what;
        EXPECT_EQ(bsp.m_Root, nullptr) << c.what;
        EXPECT_EQ(bsp.m_Triangles.Count(), 0) << c.what;
    }
}

// A chain of children hundreds of thousands deep, each way, loads, lists and
// clears on the heap's memory; a recursive walk would overflow the stack.
TEST(Bsp, ChainsFarDeeperThanTheStackLoadListAndClear) {
    const int depth = 300000;
    for (unsigned flags : {1u, 2u}) {
        std::string file = Header();
        file.reserve(size_t(depth) * 41 + 3);
        for (int i = 0; i < depth; ++i)
            PutNode(file, i, i + 1 < depth ? flags : 0);
        cBsp bsp;
        ASSERT_TRUE(Decode(file, bsp));
        cBsp::CollectTriangles(bsp.m_Root, bsp);
        ASSERT_EQ(bsp.m_Triangles.Count(), depth);
        EXPECT_EQ(bsp.m_Triangles[depth - 1].m_Attribute, depth - 1);
        // The same chain cut short fails and frees all it read.
        EXPECT_FALSE(Decode(file.substr(0, file.size() - 1), bsp));
        EXPECT_EQ(bsp.m_Root, nullptr);
        ASSERT_TRUE(Decode(file, bsp));
    }  // the destructor clears the last one
}

class BspLoadTest : public test::IoTest {
protected:
    void SetUp() override {
        IoTest::SetUp();
        log.Clear();
    }
    std::string Name(const std::string& file) const { return Relative() + "\\" + file; }
    void Write(const std::string& file, const std::string& bytes) const { WriteHost(InBase(Name(file)), bytes); }
    test::LogCapture log;
};

TEST_F(BspLoadTest, ANameWithoutExtensionReadsTheCbspFile) {
    std::string file = Header();
    PutNode(file, 5, 0);
    Write("level.cBsp", file);
    Write("level", "not a tree");
    cBsp bsp;
    ASSERT_TRUE(cIO::LoadBsp(Name("level").c_str(), bsp));
    EXPECT_EQ(bsp.m_Root->m_Triangle.m_Attribute, 5);
    EXPECT_EQ(log.Logs(), std::vector<std::string>{"Loaded BSP file \"" + Name("level.cBsp") + "\""});
    EXPECT_TRUE(log.Warnings().empty());

    // A name with an extension is kept as it is.
    log.Clear();
    EXPECT_FALSE(cIO::LoadBsp(Name("level.bin").c_str(), bsp));
    EXPECT_EQ(log.Warnings(), (std::vector<std::string>{"Can't load file \"" + InBase(Name("level.bin")) + "\"",
                                                        "Can't load BSP file \"" + Name("level.bin") + "\""}));
    EXPECT_NE(bsp.m_Root, nullptr) << "a file that cannot be read leaves the tree as it was";
}

TEST_F(BspLoadTest, ATreeThatDoesNotDecodeWarnsAndLeavesItEmpty) {
    std::string file = Header(1);
    PutNode(file, 5, 0);
    Write("v1.cBsp", file);
    std::string good = Header();
    PutNode(good, 5, 0);
    Write("good.cBsp", good);
    cBsp bsp;
    ASSERT_TRUE(cIO::LoadBsp(Name("good").c_str(), bsp));
    log.Clear();
    EXPECT_FALSE(cIO::LoadBsp(Name("v1.cBsp").c_str(), bsp));
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Can't decode BSP file \"" + Name("v1.cBsp") + "\""});
    EXPECT_EQ(bsp.m_Root, nullptr);
}

}  // namespace
}  // namespace tovan
