#include <gtest/gtest.h>

#include <GL/glew.h>

#include <thread>

#include "formats/gl_draw_util.h"
#include "formats/tg_object.h"
#include "gpu/gl_test_util.h"
#include "mesh_fixture.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

GLint attrib(GLuint index, GLenum name) {
    GLint v = 0;
    glGetVertexAttribiv(index, name, &v);
    return v;
}

GLint bufferSize(GLenum target, GLuint buffer) {
    GLint size = 0;
    glBindBuffer(target, buffer);
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    glBindBuffer(target, 0);
    return size;
}

TEST(TGObjectGL, PartsHaveTheVertexArrayLayout) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const std::string path = dir.file("m.objb");
    ASSERT_TRUE(writeObjb(path, fixture::twoParts()));
    for (bool skipCache : {true, false}) {
        auto mesh = std::make_unique<TGObject>();
        ASSERT_TRUE(mesh->loadObjb(path, 1.0f, skipCache));
        for (int p = 0; p < 2; ++p) {
            const TGObjectPart& part = mesh->parts[p];
            ASSERT_NE(part.vertexArray, 0u);
            glBindVertexArray(part.vertexArray);
            const struct { GLuint index; GLuint buffer; } attributes[] = {
                {0, part.positionBuffer}, {2, part.normalBuffer}, {3, part.colourBuffer}};
            for (const auto& a : attributes) {
                EXPECT_EQ(attrib(a.index, GL_VERTEX_ATTRIB_ARRAY_ENABLED), 1) << a.index;
                EXPECT_EQ(attrib(a.index, GL_VERTEX_ATTRIB_ARRAY_SIZE), 3) << a.index;
                EXPECT_EQ(attrib(a.index, GL_VERTEX_ATTRIB_ARRAY_TYPE), GL_FLOAT) << a.index;
                EXPECT_EQ(GLuint(attrib(a.index, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING)), a.buffer) << a.index;
            }
            EXPECT_EQ(attrib(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED), 0);
            GLint element = 0;
            glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &element);
            EXPECT_EQ(GLuint(element), part.elementBuffer);
            glBindVertexArray(0);
            EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, part.positionBuffer), part.vertexCount * 12);
            EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, part.elementBuffer), part.indexCount * 4);
        }
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// draw(-1) draws every part (1 + 2 triangles), draw(p) one, draw of a missing part nothing.
TEST(TGObjectGL, DrawTable) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const std::string path = dir.file("m.objb");
    ASSERT_TRUE(writeObjb(path, fixture::twoParts()));
    auto mesh = std::make_unique<TGObject>();
    auto unloaded = std::make_unique<TGObject>();
    ASSERT_TRUE(mesh->loadObjb(path, 1.0f, true));
    struct Case {
        const char* name;
        const TGObject* mesh;
        int part;
        GLuint triangles;
    };
    const Case cases[] = {{"all", mesh.get(), -1, 3}, {"part 0", mesh.get(), 0, 1}, {"part 1", mesh.get(), 1, 2},
                          {"part 3 of 2", mesh.get(), 3, 0}, {"not loaded", unloaded.get(), -1, 0}};
    for (const Case& c : cases) EXPECT_EQ(gldraw::primitivesOf([&] { c.mesh->draw(c.part); }), c.triangles) << c.name;
}

// Colours reach the shaders on attribute 3: a triangle drawn with its colours, read back.
TEST(TGObjectGL, ColoursReachAttributeThree) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ObjbMesh one = fixture::twoParts();
    one.parts.resize(1);
    one.parts[0].positions = {-1, -1, 0, 3, -1, 0, -1, 3, 0};  // covers the whole view
    one.parts[0].colours = {0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f};
    const std::string path = dir.file("one.objb");
    ASSERT_TRUE(writeObjb(path, one));
    auto mesh = std::make_unique<TGObject>();
    ASSERT_TRUE(mesh->loadObjb(path, 1.0f, true));
    ShaderProgram program;
    gltest::buildProgram(program, dir, "colour",
                         "#version 330 compatibility\n"
                         "layout(location = 0) in vec3 position;\n"
                         "layout(location = 2) in vec3 normal;\n"
                         "layout(location = 3) in vec3 colour;\n"
                         "out vec3 c;\n"
                         "void main() { c = colour + normal * 0.0; gl_Position = vec4(position, 1.0); }\n",
                         "#version 330 compatibility\n"
                         "in vec3 c;\n"
                         "out vec4 fragment;\n"
                         "void main() { fragment = vec4(c, 1.0); }\n");
    gldraw::FloatTarget target(4, 4);
    program.use();
    mesh->draw(-1);
    program.unuse();
    std::vector<float> pixels = target.read();
    EXPECT_NEAR(pixels[0], 0.75f, 1e-5f);
    EXPECT_NEAR(pixels[1], 0.25f, 1e-5f);
    EXPECT_NEAR(pixels[2], 0.5f, 1e-5f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// With a context the parts live in their GL buffers and the CPU arrays are freed (the counts
// stay, so the mesh still draws); keepArrays keeps them for users of the triangles.
TEST(TGObjectGL, UploadFreesTheArraysUnlessAskedToKeepThem) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const std::string path = dir.file("m.objb");
    ASSERT_TRUE(writeObjb(path, fixture::twoParts()));
    struct Case {
        const char* name;
        bool skipCache;
        bool keepArrays;
    };
    const Case cases[] = {{"direct", true, false}, {"through the cache", false, false}, {"kept", true, true}};
    for (const Case& c : cases) {
        auto mesh = std::make_unique<TGObject>();
        mesh->keepArrays = c.keepArrays;
        ASSERT_TRUE(mesh->loadObjb(path, 1.0f, c.skipCache)) << c.name;
        ASSERT_EQ(mesh->partCount, 2) << c.name;
        EXPECT_EQ(mesh->parts[1].vertexCount, 4) << c.name;
        for (int p = 0; p < 2; ++p) {
            const TGObjectPart& part = mesh->parts[p];
            EXPECT_EQ(part.positions.empty(), !c.keepArrays) << c.name << " part " << p;
            EXPECT_EQ(part.indices.empty(), !c.keepArrays) << c.name << " part " << p;
            EXPECT_EQ(part.positions.capacity() == 0, !c.keepArrays) << c.name << " part " << p;
        }
        EXPECT_EQ(gldraw::primitivesOf([&] { mesh->draw(-1); }), 3u) << c.name;
    }
}

// A worker thread has no context: its load fills the CPU arrays and makes no GL object.
TEST(TGObjectGL, WorkerThreadLoadMakesNoGLObjects) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const std::string path = dir.file("m.objb");
    ASSERT_TRUE(writeObjb(path, fixture::twoParts()));
    auto mesh = std::make_unique<TGObject>();
    std::thread worker([&] { mesh->loadObjb(path, 1.0f, false); });
    worker.join();
    ASSERT_EQ(mesh->partCount, 2);
    EXPECT_EQ(mesh->parts[1].vertexCount, 4);
    EXPECT_EQ(mesh->parts[0].vertexArray, 0u);
    EXPECT_EQ(mesh->parts[1].elementBuffer, 0u);
    EXPECT_EQ(gldraw::primitivesOf([&] { mesh->draw(-1); }), 0u);
}

}  // namespace
