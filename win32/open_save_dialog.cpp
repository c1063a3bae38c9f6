#include "win32/open_save_dialog.h"

#include "core/os.h"
#include "io/io.h"
#include "win32/file_dialog.h"

#include <cstring>

namespace tovan {

namespace {

void Normalise(cStr& ext) {
    if (!ext.IsEmpty() && ext[0] == '.')
        ext.Assign(ext.GetText(), 1, ext.Length() - 1);
    for (int i = 0; i < ext.Length(); ++i)
        if (ext[i] >= 'A' && ext[i] <= 'Z')
            ext[i] = char(ext[i] - 'A' + 'a');
}

bool IsRegularFile(const cStr& path) {
    const uint32_t attributes = os::FileAttributes(path.GetText());
    return attributes != os::kAttrInvalid && !(attributes & os::kAttrDirectory);
}

}  // namespace

void OpenSaveDialog::Setup() {
    for (cStr& ext : m_Extensions)
        Normalise(ext);
    Normalise(m_DefaultExtension);
    for (int i = 1; i < m_Extensions.Count(); ++i) {
        if (m_Extensions[i] == m_DefaultExtension) {
            cStr first = m_Extensions[0];
            m_Extensions[0] = m_Extensions[i];
            m_Extensions[i] = first;
            break;
        }
    }
    m_Filter = BuildFilterText(m_Extensions, m_Open);
    m_FilterIndex = 1;
    m_FileBuffer.Free();
    m_FileBuffer.Resize(m_Results ? kMultipleBuffer : kSingleBuffer, '\0');
    m_Flags = kBaseFlags | (m_Results ? kMultiSelect : 0);
    if (!ShellDialogAvailable())
        m_Flags |= kEnableHook;
    m_Flags |= m_Open ? kFileMustExist : kOverwritePrompt;
}

void OpenSaveDialog::Run() {
    if (m_Extensions.IsEmpty())
        return;
    char saved[260] = {};
    const int savedLength = os::CurrentDirectory(saved, sizeof saved);
    m_Succeeded = false;
    if (m_Result)
        m_Result->Release();
    if (m_Results)
        m_Results->Free();
    if (m_FileBuffer.IsEmpty())
        m_FileBuffer.Resize(kSingleBuffer, '\0');
    std::memset(m_FileBuffer.Data(), 0, size_t(m_FileBuffer.Count()));
    const cStr& name = m_Open ? m_OpenName : m_SaveName;
    std::strncpy(m_FileBuffer.Data(), name.GetText(), size_t(m_FileBuffer.Count() - 1));

    if (ShowOpenSaveDialog(*this))
        TakeResults(m_FileBuffer.Data(), m_FileBuffer.Count());
    if (savedLength > 0 && savedLength < int(sizeof saved))
        os::SetCurrentDirectory(saved);
    if (!m_Succeeded)
        return;
    if (m_Result)
        FixExtension(*m_Result);
    if (m_Results)
        for (cStr& path : *m_Results)
            FixExtension(path);
}

void OpenSaveDialog::TakeResults(const char* buffer, int size) {
    cList<cStr> parts;
    for (int at = 0; at < size && buffer[at];) {
        int end = at;
        while (end < size && buffer[end])
            ++end;
        parts.PushBack(cStr(buffer + at, end - at));
        at = end + 1;
    }
    if (parts.IsEmpty())
        return;
    if (m_Result) {
        *m_Result = cIO::ResolvePath(parts[0].GetText());
        m_Succeeded = !m_Open || IsRegularFile(*m_Result);
    }
    if (m_Results) {
        if (parts.Count() == 1) {
            m_Results->PushBack(cIO::ResolvePath(parts[0].GetText()));
        } else {
            for (int i = 1; i < parts.Count(); ++i) {
                cStr path = parts[0];
                path.AppendPath(parts[i].GetText());
                m_Results->PushBack(cIO::ResolvePath(path.GetText()));
            }
        }
        if (m_Open)
            for (int i = m_Results->Count() - 1; i >= 0; --i)
                if (!IsRegularFile((*m_Results)[i]))
                    m_Results->RemoveAt(i);
        m_Succeeded = !m_Results->IsEmpty();
    }
}

void OpenSaveDialog::FixExtension(cStr& path) {
    const cStr ext = path.GetExtension();
    for (const cStr& entry : m_Extensions)
        if ((!ext.IsEmpty() && entry.Find(ext.GetText(), true) >= 0) || (entry.IsEmpty() && ext.IsEmpty()))
            return;
    if (m_Open) {
        m_Succeeded = false;
        return;
    }
    path += ".";
    if (m_FilterIndex >= 1 && m_FilterIndex <= m_Extensions.Count())
        path += m_Extensions[m_FilterIndex - 1];
    else if (!m_DefaultExtension.IsEmpty())
        path += m_DefaultExtension;
    else
        path += m_Extensions[0];
}

}  // namespace tovan
