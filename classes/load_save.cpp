// Compound objects as XML: one element per object, one child element per member
// (named by the member), field types turning values into text and back.
#include <cstdarg>

#include "classes/class.h"
#include "classes/engine_internal.h"
#include "classes/registry.h"
#include "classes/xml.h"
#include "core/log.h"
#include "core/stream.h"
#include "io/io.h"

namespace tovan {

namespace {

bool g_ResettingDefaults = false;

// Object nesting is bounded like the tree's: deeper objects are neither written nor read.
int g_ObjectDepth = 0;
class DepthGuard {
public:
    DepthGuard() { ++g_ObjectDepth; }
    ~DepthGuard() { --g_ObjectDepth; }
    bool TooDeep() const { return g_ObjectDepth > XmlNode::kMaxDepth; }
};

constexpr int kSourceQuoteLimit = 500;

bool IsListClass(const char* name) { return StartsWith(name, "cClassList."); }

// Counts the elements seen so far of each name that several members share.
class SharedNames {
public:
    int Next(XmlText name) {
        for (Seen& seen : m_Seen)
            if (seen.name == name)
                return seen.count++;
        m_Seen.PushBack({name, 1});
        return 0;
    }

private:
    struct Seen {
        XmlText name;
        int count;
    };
    cList<Seen> m_Seen;
};

bool IsDefaultLeaf(const XmlNode* mine, const XmlNode* fresh) {
    return mine->ChildCount() == 0 && fresh->ChildCount() == 0 && mine->Name() == fresh->Name() &&
           mine->Text() == fresh->Text();
}

// Elements of a name that several members share are read back by position among
// themselves, so they are left out all together or not at all.
bool SharedNameRemovable(const XmlNode* written, const XmlNode* defaults, int i) {
    const XmlText name = written->Child(i)->Name();
    for (int k = 0; k < written->ChildCount(); ++k) {
        if (k == i || written->Child(k)->Name() != name)
            continue;
        if (k >= defaults->ChildCount() || !IsDefaultLeaf(written->Child(k), defaults->Child(k)))
            return false;
    }
    return true;
}

// Removes leaf elements equal to the defaults tree's at the same position (from both
// trees); elements inside a list element stay. Answers whether it removed any.
bool RemoveDefaultNodes(XmlNode* written, XmlNode* defaults, int level) {
    if (level >= XmlNode::kMaxDepth)
        return false;
    bool removed = false;
    for (int i = 0; i < written->ChildCount() && i < defaults->ChildCount(); ++i) {
        XmlNode* mine = written->Child(i);
        if (mine->ChildCount() > 0) {
            removed |= RemoveDefaultNodes(mine, defaults->Child(i), level + 1);
            continue;
        }
        if (written->ListFlag() || !IsDefaultLeaf(mine, defaults->Child(i)) ||
            !SharedNameRemovable(written, defaults, i))
            continue;
        written->RemoveChild(i);
        defaults->RemoveChild(i);
        --i;
        removed = true;
    }
    return removed;
}

}  // namespace

bool IsResettingDefaults() { return g_ResettingDefaults; }

void ClassEngineWarning(cReadContext* context, const XmlNode* node, const char* format, ...) {
    if (!context || !context->report)
        return;
    va_list args;
    va_start(args, format);
    const cStr message = cStr::FormatV(format, args);
    va_end(args);
    cStr source;
    if (node) {
        node->WriteLimited(source, 0, kSourceQuoteLimit + 1);
        if (source.Length() > kSourceQuoteLimit) {
            source.SetLength(kSourceQuoteLimit);
            source.Append("...");
        }
    }
    context->error.Append(message);
    Warning("Class engine warning!\r\n\r\n%sXML source: %s\r\n", message.GetText(), source.GetText());
}

void cClass::ToXml(XmlNode* node, const void* value, uintptr_t extra) {
    DepthGuard depth;
    if (!IsCompound() || !value || !node || depth.TooDeep())
        return;
    cClass* object = static_cast<cClass*>(const_cast<void*>(value));
    object->RegisterMembers();
    const int count = object->GetAmountOfMembers();
    for (int k = 0; k < count; ++k) {
        const cMemberDesc* member = object->DescribedMember(k);
        if (member && member->m_NotSaved)
            continue;
        XmlNode* child = node->AddChild(object->GetMemberName(k));
        void* address = object->GetMemberPtr(k, object);
        uintptr_t memberExtra = object->GetMemberExtra(k);
        if (!memberExtra)
            memberExtra = extra;
        if (address) {
            if (cClass* fieldType = object->GetMemberClass(k)) {
                if (IsListClass(fieldType->GetClassName()))
                    child->SetListFlag(true);
                fieldType->ToXml(child, address, memberExtra);
            }
        } else {
            child->SetText("NULL");
        }
    }
    if (node->Name().IsEmpty())
        node->SetName(object->GetClassName());
}

bool cClass::FromXml(XmlNode* node, void* value, cReadContext* context, uintptr_t extra) {
    DepthGuard depth;
    if (!IsCompound() || !value || !node || depth.TooDeep())
        return true;
    cClass* object = static_cast<cClass*>(value);
    const char* className = object->GetClassName();
    if (IsListClass(className) || StartsWith(className, "cClassPtr.")) {
        object->Release(object);
        object->Init(object);
    }
    object->RegisterMembers();
    const cClassDesc* desc = object->GetClassDescriptor();

    SharedNames shared;
    for (int c = 0; c < node->ChildCount(); ++c) {
        XmlNode* child = node->Child(c);
        const char* name = child->Name().GetText();
        int index = object->AddNewItem(name, object);  // a list creates the item the element names
        if (index < 0) {
            bool isShared = false;
            index = object->LocateMember(name, 0, &isShared);
            if (isShared)  // the n-th element of a shared name goes to the n-th member of it
                index = object->LocateMember(name, shared.Next(child->Name()), nullptr);
        }
        if (index < 0) {
            ClassEngineWarning(context, node, "Unknown identifier %s of class %s.\n", name, TextOrEmpty(className));
            continue;
        }
        cClass* fieldType = object->GetMemberClass(index);
        void* address = object->GetMemberPtr(index, object);
        if (!fieldType || !HoldsValue(address, object))
            continue;
        uintptr_t memberExtra = object->GetMemberExtra(index);
        if (!memberExtra)
            memberExtra = extra;
        if (fieldType->IsCompound())
            static_cast<cClass*>(address)->SetOwner(object);
        fieldType->FromXml(child, address, context, memberExtra);
        if (!desc) {
            ClassEngineLog("class not registered: \"%s\"", TextOrEmpty(className));
            continue;
        }
        if (const cMemberDesc* member = object->DescribedMember(index)) {
            if (member->m_SetValue)
                member->m_SetValue(object, *static_cast<uint32_t*>(address));
            else if (member->m_SetPointer)
                member->m_SetPointer(object, address);
        }
    }
    return true;
}

bool cClass::LoadFromBuffer(cStream& stream) {
    if (!IsCompound())
        return false;
    XmlNode tree;
    if (!tree.ParseBuffer(stream))
        return false;
    cReadContext context;
    context.report = 1;
    FromXml(&tree, this, &context, 0);
    return true;
}

bool cClass::Load(const char* path) {
    Log("Loading Xml file \"%s\"...", TextOrEmpty(path));
    cStream stream;
    if (!path || !ReadXmlSource(path, stream)) {
        Warning("Can't load file \"%s\"", TextOrEmpty(path));
        return false;
    }
    return LoadFromBuffer(stream);
}

bool cClass::LoadFromFile(const char* path) {
    if (!IsCompound())
        return false;
    XmlNode tree;
    if (!tree.LoadFile(path))
        return false;
    cReadContext quiet;
    FromXml(&tree, this, &quiet, 0);
    return true;
}

bool cClass::LoadFromText(const char* text) {
    cStream stream;
    stream.WriteBlock(text, TextLength(text));
    stream.m_Position = 0;
    return LoadFromBuffer(stream);
}

bool cClass::ToXmlBuffer(cStream& stream) {
    stream.Clear();
    if (!IsCompound())
        return false;
    XmlNode tree;
    ToXml(&tree, this, 0);
    tree.SetListFlag(IsListClass(GetClassName()));  // a list saved whole keeps its items too
    if (SaveOnlyChanges()) {
        // Defaults are what a fresh object of the same shape holds: the copy reads
        // the written tree (so lists keep their lengths), then is reset.
        if (cClass* copy = CreateInstance()) {
            cReadContext context;
            context.report = 1;
            if (copy->FromXml(&tree, copy, &context, 0)) {
                g_ResettingDefaults = true;
                copy->Release(copy);
                copy->Init(copy);
                g_ResettingDefaults = false;
                XmlNode defaults;
                copy->ToXml(&defaults, copy, 0);
                while (RemoveDefaultNodes(&tree, &defaults, 0)) {
                }
            }
            delete copy;
        }
    }
    return tree.ToBuffer(stream);
}

bool cClass::SaveToFile(const char* path) {
    cStream stream;
    if (!ToXmlBuffer(stream))
        return false;
    return cIO::SaveFile(path, stream.Data(), stream.Count(), false, true);
}

bool cClass::SaveToText(cStr& text) {
    cStream stream;
    const bool saved = ToXmlBuffer(stream);
    text.Assign(reinterpret_cast<const char*>(stream.Data()), 0, saved ? stream.Count() : 0);
    return saved;
}

}  // namespace tovan
