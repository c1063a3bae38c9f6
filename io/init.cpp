#include "core/log.h"
#include "core/os.h"
#include "io/base_folder.h"
#include "io/io.h"
#include "io/io_state.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace tovan {

namespace {
struct BuildFolder {
    const char* suffix;
    const char* replacement;
};

// Output folders of the project's own builds, tried in this order; the first
// whose text ends the module folder is swapped for its data folder.
constexpr BuildFolder kBuildFolders[] = {
    {".bin64", ""},
    {"orvane/OrvaneV4/build/Debug", "orvane-data-2020"},
    {"orvane/OrvaneV4/build/Release", "orvane-data-2020"},
    {"x64\\Debug (DX)", ""},
    {"x64\\Debug (GL)", ""},
    {"x64\\Release (DX)", ""},
    {"x64\\Release (GL)", ""},
    {"build/Debug", ""},
    {"build/Release", ""},
};

enum class Startup { NotStarted, Running, Done };

// Start-up may be raced by the log-flush thread, and it logs, which may come
// back here on the same thread: that caller returns at once, as with a plain flag.
struct StartupGate {
    std::mutex lock;
    std::condition_variable done;
    Startup state = Startup::NotStarted;
    uint32_t runner = 0;
    std::atomic<bool> finished{false};  // the fast way past the gate
};

StartupGate& Gate() {
    static StartupGate* gate = new StartupGate;
    return *gate;
}

bool AppendLogFile(const char* name, const char* text, int length) {
    return cIO::SaveFile(name, reinterpret_cast<const uint8_t*>(text), length, true, false);
}

// Whenever this layer is part of the program, the log file is written through it.
constexpr LogFileWriter kLogFileWriter = {&cIO::Init, &AppendLogFile};
[[maybe_unused]] const bool g_LogWritesThroughIo = (SetLogFileWriter(&kLogFileWriter), true);
}  // namespace

IoState& GetIoState() {
    // Never destroyed: the log-flush thread writes through the layer until the process ends.
    static IoState* state = new IoState;
    return *state;
}

cStr BaseFolderFromModulePath(const char* modulePath) {
    cStr folder;
    folder.SetText(modulePath);
    int cut = -1;
    for (int i = folder.Length() - 1; i >= 1 && cut < 0; --i)
        if (IsPathSeparator(folder.GetText()[i]))
            cut = i;
    folder.Assign(folder.GetText(), 0, cut < 0 ? 0 : cut);

    for (const BuildFolder& build : kBuildFolders) {
        int length = TextLength(build.suffix);
        int start = folder.Length() - length;
        if (start < 0 || CompareStringsNoCase(folder.GetText() + start, build.suffix, length) != 0)
            continue;
        Log("Program is running inside compiler output directory \"%s\"", build.suffix);
        folder.Assign(folder.GetText(), 0, start);
        folder.Append(build.replacement);
        break;
    }
    return folder;
}

void cIO::Init() {
    StartupGate& gate = Gate();
    if (gate.finished.load(std::memory_order_acquire))
        return;
    uint32_t self = os::CurrentThreadId();
    {
        std::unique_lock<std::mutex> guard(gate.lock);
        if (gate.state == Startup::Done)
            return;
        if (gate.state == Startup::Running) {
            if (gate.runner != self)
                gate.done.wait(guard, [&] { return gate.state == Startup::Done; });
            return;
        }
        gate.state = Startup::Running;
        gate.runner = self;
    }

    IoState& io = GetIoState();
    io.modulePath = TextFromOs(os::ModuleFileName);

    cStr folder = BaseFolderFromModulePath(io.modulePath.GetText());
    io.folderSource = new SourceFolder(folder.GetText(), "");
    io.sources.PushBack(io.folderSource);
    *io.folderSource->Root() = ResolvePath(folder.GetText());
    Log("Default file source is folder \"%s\"", io.folderSource->Root()->GetText());

    RegisterCodecs();

    {
        std::lock_guard<std::mutex> guard(gate.lock);
        gate.state = Startup::Done;
        gate.finished.store(true, std::memory_order_release);
    }
    gate.done.notify_all();
}

cStr* cIO::GetBaseFolder() {
    Init();
    IoState& io = GetIoState();
    static cStr none;  // only seen by start-up's own logging, before the source exists
    return io.sources.Count() > 0 ? (*io.sources.At(0))->Root() : &none;
}

cStr cIO::GetDocumentsFolder() { return TextFromOs(os::DocumentsFolder); }

void cIO::SetWriteFolder(const char* folder) {
    Init();
    GetIoState().folderSource->WriteRoot()->SetText(folder);
}

}  // namespace tovan
