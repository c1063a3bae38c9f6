#include "tools/unused_resources.h"

#include "core/log.h"
#include "core/stream.h"
#include "core/str.h"
#include "io/io.h"
#include "io/model/material_table.h"
#include "io/model/model.h"
#include "tools/settings.h"

namespace tovan {

namespace {
const char kRule[] = "------------------------------------------------------------";
static_assert(sizeof kRule == 61, "the listings open with a rule of 60 characters");

bool SameText(const cStr& a, const cStr& b) { return CompareStringsNoCase(a.GetText(), b.GetText(), -1) == 0; }
bool SamePath(const cStr& a, const char* b) { return ComparePaths(a.GetText(), b, -1) == 0; }

bool ContainsText(const cList<cStr>& list, const cStr& text) {
    for (const cStr& entry : list)
        if (SameText(entry, text))
            return true;
    return false;
}

// Each material of the table as "level-2 name/level-3 name", with its place.
template <class Visit>
void ForEachMaterial(Visit visit) {
    cMaterialTable* table = MaterialTable;
    if (!table)
        return;
    for (int entry = 0; entry < table->CountEntries(); ++entry)
        for (int group = 0; group < table->CountGroups(entry); ++group)
            for (int material = 0; material < table->CountMaterials(entry, group); ++material)
                visit(entry, group, material);
}

cStr FullMaterialName(int entry, int group, int material) {
    cStr name(MaterialTable->GetGroupName(entry, group));
    name += "/";
    name += MaterialTable->GetMaterialName(entry, group, material);
    return name;
}

void AddToListing(cStr& text, int& count, const cStr& name) {
    text += "\r\n";
    text += name;
    ++count;
}

// The report of the material and texture listings, then the log window.
void ReportReservedAndUnused(const char* kind, int reserved, const cStr& reservedText, int unused,
                             const cStr& unusedText) {
    cStr report(kRule);
    report.AppendFormat("\r\nReserved %s (%d):%s", kind, reserved, reservedText.GetText());
    report.AppendFormat("\r\n\r\nUnused %s (%d):%s", kind, unused, unusedText.GetText());
    Log("%s", report.GetText());
    LogWindow(LogWindowMode::Log);
}
}  // namespace

bool ResourceNameInLine(const char* line, const char* extension, cStr& name) {
    const cStr text(line);
    const int at = text.Find(extension, true);
    if (at < 0 || !*extension)
        return false;
    int begin = at;
    while (begin > 0 && text[begin - 1] != '>')
        --begin;
    int end = at;
    while (end < text.Length() && text[end] != '<')
        ++end;
    name.Assign(text.GetText(), begin, end - begin);
    return true;
}

void ListUnusedOfKind(const char* folder, const char* label, const char* extension) {
    cList<cStr> candidates;
    cIO::ListFilesByExtension(folder, candidates, extension);
    cList<cStr> scenes;
    cIO::ListFilesByExtension("Xmls/Scene", scenes, "Xml");
    for (const cStr& scene : scenes) {
        cStream file;
        if (!cIO::ReadFromSources(scene.GetText(), file)) {
            Warning("Can't load file \"%s\"", scene.GetText());
            continue;
        }
        cStr line, name;
        while (file.ReadLine(line)) {
            if (!ResourceNameInLine(line.GetText(), extension, name))
                continue;
            for (int i = 0; i < candidates.Count(); ++i)
                if (SamePath(*candidates.At(i), name.GetText())) {
                    candidates.RemoveAt(i);
                    break;
                }
        }
    }
    cStr report(kRule);
    report.AppendFormat("\r\nUnused %s (%d):", label, candidates.Count());
    for (const cStr& candidate : candidates) {
        report += "\r\n";
        report += candidate;
    }
    Log("%s", report.GetText());
    LogWindow(LogWindowMode::Log);
}

void ListUnusedMaterials() {
    cList<cStr> models;
    cIO::ListFilesByExtension("Models", models, "cModel");
    cList<cStr> used;
    for (const cStr& file : models) {
        cModel model;
        if (!cIO::LoadModel(file.GetText(), model))
            continue;
        for (const cModelMesh& mesh : model.m_Meshes) {
            if (mesh.m_Material.IsEmpty())
                continue;
            cStr name = mesh.m_Material;
            name.Replace("_", "/");
            name.Replace("\\", "/");
            if (!ContainsText(used, name))
                used.PushBack(name);
        }
    }
    cList<cStr> reservedNames;
    reservedNames.PushBack(cStr("Import/Uv"));

    cStr reservedText, unusedText;
    int reserved = 0, unused = 0;
    ForEachMaterial([&](int entry, int group, int material) {
        const cStr name = FullMaterialName(entry, group, material);
        if (ContainsText(used, name))
            return;
        if (ContainsText(reservedNames, name))
            AddToListing(reservedText, reserved, name);
        else
            AddToListing(unusedText, unused, name);
    });
    ReportReservedAndUnused("materials", reserved, reservedText, unused, unusedText);
}

void ListUnusedTextures() {
    cList<cStr> used;
    ForEachMaterial(
        [&](int entry, int group, int material) { MaterialTable->ListTextures(entry, group, material, used); });
    cList<cStr> candidates;
    cIO::ListFilesRecursive("Textures", candidates);

    static const char* const kReservedFolders[] = {"Textures/Particles/", "Textures/Uv/", "Textures/Water/"};
    static const char* const kReservedFiles[] = {"Textures/WindowsStandard/ToolBar.bmp", "Textures/White_d.dds"};
    cStr reservedText, unusedText;
    int reserved = 0, unused = 0;
    for (const cStr& candidate : candidates) {
        bool isUsed = false;
        for (const cStr& texture : used)
            isUsed = isUsed || SamePath(candidate, texture.GetText());
        if (isUsed)
            continue;
        bool isReserved = false;
        for (const char* file : kReservedFiles)
            isReserved = isReserved || SamePath(candidate, file);
        const cStr folder = candidate.GetFolder();
        for (const char* reservedFolder : kReservedFolders)
            isReserved = isReserved || SamePath(folder, reservedFolder);
        if (isReserved)
            AddToListing(reservedText, reserved, candidate);
        else
            AddToListing(unusedText, unused, candidate);
    }
    ReportReservedAndUnused("textures", reserved, reservedText, unused, unusedText);
}

void cSettings::ListUnused() {
    struct Kind {
        const char* folder;
        const char* label;
        const char* extension;
    };
    // Animations, cameras and BSP files live beside the models.
    static const Kind kKinds[] = {
        {"Models", "Models", "cModel"}, {"Models", "Anims", "cAnim"}, {"Models", "Cameras", "cCamera"},
        {"Models", "BSP", "cBSP"},      {"Sounds", "Sounds", "caf"},
    };
    const int first = int(SettingsResources::Models);
    if (m_Resources == int(SettingsResources::Materials))
        ListUnusedMaterials();
    else if (m_Resources == int(SettingsResources::Textures))
        ListUnusedTextures();
    else if (m_Resources >= first && m_Resources < first + int(sizeof kKinds / sizeof kKinds[0]))
        ListUnusedOfKind(kKinds[m_Resources - first].folder, kKinds[m_Resources - first].label,
                         kKinds[m_Resources - first].extension);
}

}  // namespace tovan
