// cIO: the static file layer. It starts itself on first use, turns names into
// full paths against its data folder, reads and writes whole files through its
// file sources, and does the small file-system and desktop chores of the tools.
#pragma once
#include "core/list.h"
#include "core/str.h"
#include "core/stream.h"

#include <cstdint>

namespace tovan {

class cImage;
class cModel;
class cAnim;
class cCamera;
class cBsp;

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
    // over it, so a failed write leaves the old file as it was; a link is followed
    // to its file, which is replaced while the link stays. Appends grow the file
    // in place.
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

    // --- codecs. The registries own what they take; a name already taken
    // (ASCII case ignored) is refused silently and the caller keeps the codec.
    static bool AddImageCodec(const char* name, ImageCodec* codec);
    static bool AddAnimCodec(const char* name, AnimCodec* codec);
    static bool AddModelCodec(const char* name, ModelCodec* codec);
    static bool AddCameraCodec(CameraCodec* codec);  // as "cCamera"
    static ImageCodec* FindImageCodec(const char* name);
    // Whether the image codec the extension names recognises the first four
    // bytes of its file. When it does not and another codec does, that
    // codec's name becomes the extension and the answer is false.
    static bool DetectImageCodec(uint32_t first4, cStr& extension);

    // --- media by name: each warns "Can't load ..." or "Can't decode ..."
    // naming the file relative to the base folder, or logs "Loaded ...".
    // Images go by extension confirmed by content; the rest by extension.
    static bool LoadImage(const char* name, cImage& image);
    // False without a message when the name has no extension or no codec of it.
    static bool SaveImage(const char* name, const cImage& image);
    static bool LoadAnim(const char* name, cAnim& anim);
    static bool LoadModel(const char* name, cModel& model);
    static bool LoadCamera(const char* name, cCamera& camera);
    // A name without an extension is read as name.cBsp.
    static bool LoadBsp(const char* name, cBsp& bsp);

    // --- reload caches (io/reload_cache.h): every cached file read again into
    // its cached object, with a summary line.
    static void ReloadAnims();
    static void ReloadModels();
    static void ReloadCameras();
    static bool ReloadAnim(int32_t index);
    static bool ReloadModel(int32_t index);
    static bool ReloadCamera(int32_t index);
    static int32_t GetAnimCacheCount();
    static int32_t GetCameraCacheCount();

    // --- file pickers (io/file_pickers.h): a modal dialog of the kind, starting
    // at the kind's last file or folder. True when the user chose a file: load
    // pickers answer it relative to the base folder, save pickers as a full
    // path. On cancel the result is left as it was.
    static bool PickImageToLoad(cStr& result);
    static bool PickImageToSave(cStr& result);
    static bool PickSoundToLoad(cStr& result);  // no sound previews: never confirmed
    static bool PickXmlToLoad(cStr& result);
    static bool PickXmlToSave(cStr& result);
    static bool PickAnimToLoad(cStr& result);
    static bool PickModelToLoad(cStr& result);
    static bool PickCameraToLoad(cStr& result);
    static bool PickBspToLoad(cStr& result);
    // Remembers a folder (resolved) for a kind, such as "GenFont".
    static void SetKindFolder(const char* kind, const char* folder);
    // Where generated fonts go: the "GenFont" folder when one was remembered,
    // else the base folder (its write twin when there is one).
    static cStr GetGenFontFolder();

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
