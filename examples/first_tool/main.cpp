// first_tool: a batch tool on tovan. It saves a reflected job as XML and reads
// it back, turns a TGA it wrote into a BMP, reads an OBJ model, and prints the
// warnings it meets. Its files go to "first_tool_files" in the base folder: the
// program's folder on Windows, natively C:\app under the starting folder.
#include "classes/class_list.h"
#include "classes/field_types.h"
#include "classes/member.h"
#include "classes/vector_fields.h"
#include "core/log.h"
#include "core/memory.h"
#include "io/image/image.h"
#include "io/io.h"
#include "io/model/model.h"

#include <cstdio>

using namespace tovan;

class cLayer : public cClass {  // a list item: registered before any load or save
    TOVAN_CLASS(cLayer)
public:
    cStr m_Name;
    void RegisterMembers() override {
        if (BeginMembers())
            TOVAN_MEMBER(_cStr, m_Name, "Name");
    }
};

class cJob : public cClass {
    TOVAN_CLASS(cJob)
public:
    int m_Passes = 1;
    float m_Scale = 1.0f;
    cStr m_Title;
    cColor m_Tint;
    cClassList<cLayer> m_Layers;
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Passes, "Passes");
        TOVAN_MEMBER(_cFloat, m_Scale, "Scale");
        TOVAN_MEMBER(_cStr, m_Title, "Title");
        TOVAN_MEMBER(_cColor, m_Tint, "Tint");
        TOVAN_MEMBER(cClassList<cLayer>, m_Layers, "Layers");
    }
};

// Without an observer, every Warning opens the modal log window on Windows.
struct cConsoleLog : LogObserver {
    void OnMessage(bool warning, const char* text) override {
        if (warning)
            std::printf("warning: %s\n", text);
    }
    int OnLogWindow(LogWindowMode) override { return kLogIgnore; }
} g_Console;

int main() {
    GetGlobalLocks();  // first, on the main thread, before anything can start a thread
    SetLogObserver(&g_Console);
    cIO::Init();          // the base folder, its file source and the codecs
    cLayer().Register();  // a list creates its items by class name
    bool ok = cIO::CreateFolders(cIO::ResolvePath("first_tool_files").GetText());

    cJob job, back;
    job.m_Passes = 3, job.m_Scale = 0.25f, job.m_Title = "Night run", job.m_Tint = {1, 0.5f, 0.25f, 1};
    for (const char* name : {"base", "glow"})  // null without the Register above
        if (cLayer* layer = job.m_Layers.At(job.m_Layers.AddNewItem("cLayer", nullptr)))
            layer->m_Name = name;
    ok &= job.SaveToFile("first_tool_files/job.xml") && back.Load("first_tool_files/job.xml");
    std::printf("job: %d passes, scale %g, \"%s\", tint %g %g %g %g, layers", back.m_Passes, back.m_Scale,
                back.m_Title.GetText(), back.m_Tint.r, back.m_Tint.g, back.m_Tint.b, back.m_Tint.a);
    for (int i = 0; i < back.m_Layers.Count(); ++i)
        std::printf(" %s", back.m_Layers.At(i)->m_Name.GetText());

    cImage image, bmp;  // made here, saved as TGA, read back, saved as BMP, read back
    ok &= image.Allocate(ImageFormat::Rgb8, 5, 3, 1, 1) && cIO::SaveImage("first_tool_files/image.tga", image);
    ok &= cIO::LoadImage("first_tool_files/image.tga", image) && cIO::SaveImage("first_tool_files/image.bmp", image);
    ok &= cIO::LoadImage("first_tool_files/image.bmp", bmp);
    std::printf("\nimage: %d x %d %s\n", bmp.m_Width, bmp.m_Height, ImageFormatName(bmp.m_Format));

    const char obj[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nusemtl stone\nf 1 2 3 4\nusemtl wood\nf 2 4 3\n";
    cModel model;
    ok &= cIO::SaveFile("first_tool_files/two.obj", (const uint8_t*)obj, sizeof obj - 1, false, true);
    ok &= cIO::LoadModel("first_tool_files/two.obj", model);
    std::printf("model: %d meshes, %d triangles\n", model.m_Meshes.Count(), cModel::CountTriangles(model));

    ok &= !cIO::LoadModel("first_tool_files/missing.obj", model);  // a warning, on the console
    std::printf("%s\n", ok ? "first_tool: done" : "first_tool: FAILED");
    return ok ? 0 : 1;
}
