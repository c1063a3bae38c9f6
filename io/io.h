// cIO: the static file layer. It starts itself on first use, turns names into
// full paths against its data folder, reads and writes whole files through its
// file sources, and does the small file-system and desktop chores of the tools.
#pragma once
#include "core/list.h"
#include "core/str.h"
#include "core/stream.h"

#include <cstdint>

namespace tovan {

class cIO {
public:
    cIO() = delete;

    // An image file format: decode, encode, identify (io/codecs/image_codec.h).
    class ImageCodec;
    // Model, animation and camera-set formats (io/codecs/model_codecs.h).
    class ModelCodec;
    class AnimCodec;
    class CameraCodec;

    // A place that relative names are read from and saved to.
    class Source {
    public:
        virtual ~Source();
        virtual bool Load(const char* name, cStream& out) = 0;
        virtual bool Save(const char* name, const uint8_t* data, int32_t length, bool append) = 0;
        virtual cStr* Root() = 0;
    };

    // Start-up: base folder from the module path, the default folder source, the
    // codecs. Runs exactly once; a caller racing another thread's start-up waits
    // for it. Must not be called while holding a log lock.
    static void Init();

    // --- names and paths
    static cStr ResolvePath(const char* name);
    static bool IsUrl(const char* name);
    static bool IsAbsolute(const char* path);
    static cStr* GetBaseFolder();
    static cStr GetDocumentsFolder();
    static bool RedirectToWriteFolder(cStr& path);
    // The first source saves to this folder instead of its root when it is set
    // (empty by default); set it before other threads use the layer.
    static void SetWriteFolder(const char* folder);

    // --- whole files
    static bool ReadFile(const char* name, cStream& out);
    static bool ReadDiskFile(const char* path, cStream& out);
    // Without append the file is written whole beside the target and then moved
    // over it, so a failed write leaves the old file as it was; appends grow the
    // file in place.
    static bool WriteFile(const char* path, const uint8_t* data, int32_t length, bool append);
    static bool SaveFile(const char* name, const uint8_t* data, int32_t length, bool append, bool report);
    // Absolute names straight from disk, other names from the first source that has them.
    static bool ReadFromSources(const char* name, cStream& out);

    // --- folders
    static bool CreateFolders(const char* path);
    static void ListFolder(const char* folder, const char* prefix, cList<cStr>& out, bool folders);
    static void ListFiles(const char* folder, cList<cStr>& out);
    static void ListFolders(const char* folder, cList<cStr>& out);
    static void ListFilesRecursive(const char* folder, cList<cStr>& out);
    static void ListFilesByExtension(const char* folder, cList<cStr>& out, const char* extensions);
    // Refuses, with a warning, the data folder, the documents folder, a drive or
    // share root and any folder holding one of them, however the name spells it.
    static bool RemoveFolder(const char* folder);
    static bool DeleteFile(const char* name);

    // --- processes and the desktop
    static bool RunAndWait(const char* file, const char* parameters);
    static bool CopyToClipboard(const char* text);
    static cStr GetEnv(const char* name);
    [[noreturn]] static void RestartThisApplication();

private:
    static void RegisterCodecs();  // start-up's last step; the codec registries fill it in
};

// A source backed by a folder, with an optional second folder that takes the writes.
class SourceFolder : public cIO::Source {
public:
    SourceFolder(const char* root, const char* writeRoot);
    bool Load(const char* name, cStream& out) override;
    bool Save(const char* name, const uint8_t* data, int32_t length, bool append) override;
    cStr* Root() override { return &m_Root; }
    cStr* WriteRoot() { return &m_WriteRoot; }

private:
    cStr m_Root;
    cStr m_WriteRoot;
};

}  // namespace tovan
