// Every way a reflected object dies runs its release hooks exactly once per life,
// while the whole object (derived part included) still exists.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "classes/class.h"
#include "classes/class_list.h"
#include "classes/field_types.h"
#include "classes/member.h"
#include "classes/registry.h"

namespace tovan::test {
namespace {

// What the hooks did: one letter per hook run, in order, and the resources taken
// in SetDefaults and not yet given back (as settings hold widgets).
struct HookTrace {
    std::string runs;
    int held = 0;
};
HookTrace g_Trace;

void Take(int& handle) {
    if (handle < 0) {
        handle = 1;
        ++g_Trace.held;
    }
}

void GiveBack(int& handle, char letter) {
    g_Trace.runs += letter;
    if (handle >= 0) {
        handle = -1;
        --g_Trace.held;
    }
}

class cHookedPart : public cClass {
    TOVAN_CLASS(cHookedPart)
public:
    int m_Value = 0;
    int m_Handle = -1;

    void SetDefaults() override { Take(m_Handle); }
    void ReleaseHooks() override { GiveBack(m_Handle, 'p'); }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Value, "Value");
    }
};

class cHookedItem : public cClass {
    TOVAN_CLASS(cHookedItem)
public:
    int m_Value = 0;
    int m_Handle = -1;

    void SetDefaults() override { Take(m_Handle); }
    void ReleaseHooks() override { GiveBack(m_Handle, 'i'); }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Value, "Value");
    }
};

// Its hook reads its own string: run from a base destructor it would never be
// reached, run after the derived part died it would read freed memory.
class cHookedDerivedItem : public cHookedItem {
    TOVAN_CLASS(cHookedDerivedItem)
public:
    cStr m_Note;
    int m_OwnHandle = -1;

    void SetDefaults() override {
        cHookedItem::SetDefaults();
        Take(m_OwnHandle);
        m_Note = "kept";
    }
    void ReleaseHooks() override {
        GiveBack(m_OwnHandle, m_Note == "kept" ? 'd' : 'X');
        cHookedItem::ReleaseHooks();
    }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        InheritMembers(this, SharedPrototype<cHookedItem>());
        TOVAN_MEMBER(_cStr, m_Note, "Note");
    }
};

class cHookedOwner : public cClass {
    TOVAN_CLASS(cHookedOwner)
public:
    int m_Count = 0;
    cHookedPart m_Part;
    cClassList<cHookedItem> m_Items;
    int m_Handle = -1;

    void SetDefaults() override { Take(m_Handle); }
    void ReleaseHooks() override { GiveBack(m_Handle, 'o'); }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Count, "Count");
        TOVAN_MEMBER(cHookedPart, m_Part, "Part");
        TOVAN_MEMBER(cClassList<cHookedItem>, m_Items, "Items");
    }
};

void RegisterHookedClasses() {
    static const bool registered = [] {
        cHookedPart().Register();
        cHookedItem().Register();
        cHookedDerivedItem().Register();
        cHookedOwner().Register();
        return true;
    }();
    (void)registered;
}

// An initialised owner with a plain and a derived item: its death runs the hooks
// "opidi" (the owner first, then its members in order).
std::unique_ptr<cHookedOwner> OwnerWithItems() {
    std::unique_ptr<cHookedOwner> owner(
        static_cast<cHookedOwner*>(FindClassPrototype("cHookedOwner")->CreateInstance()));
    owner->m_Items.AddNewItem("cHookedItem", &owner->m_Items);
    owner->m_Items.AddNewItem("cHookedDerivedItem", &owner->m_Items);
    return owner;
}

// Building objects runs no hook; the trace starts once the objects exist.
void StartTrace() { g_Trace.runs.clear(); }

struct WayOfDying {
    const char* name;
    std::function<void()> run;
    const char* hooks;  // every hook run from StartTrace on, in order
};

const WayOfDying kWays[] = {
    {"deleted through a cClass pointer",
     [] {
         cClass* object = OwnerWithItems().release();
         StartTrace();
         delete object;
     },
     "opidi"},
    {"deleted through its own class",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         owner.reset();
     },
     "opidi"},
    {"a derived item deleted through its base class",
     [] {
         cHookedItem* item = static_cast<cHookedItem*>(FindClassPrototype("cHookedDerivedItem")->CreateInstance());
         StartTrace();
         delete item;
     },
     "di"},
    {"initialised on the stack, then out of scope",
     [] {
         cHookedOwner owner;
         owner.Init(static_cast<cClass*>(&owner));
         owner.m_Items.AddNewItem("cHookedDerivedItem", &owner.m_Items);
         StartTrace();
     },
     "opdi"},
    {"only constructed, then out of scope",
     [] {
         cHookedOwner owner;
         StartTrace();
     },
     "op"},
    {"a list removes one item",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         owner->m_Items.RemoveItems(1, 1);
         EXPECT_EQ(g_Trace.runs, "di");
     },
     "diopi"},
    {"a list emptied by Init",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         owner->m_Items.Init(&owner->m_Items);
         EXPECT_EQ(owner->m_Items.Count(), 0);
     },
     "idiop"},
    {"a list deleted on its own",
     [] {
         auto* list = new cClassList<cHookedItem>;
         list->AddNewItem("cHookedDerivedItem", list);
         list->AddNewItem("cHookedItem", list);
         cClass* object = list;
         StartTrace();
         delete object;
     },
     "dii"},
    {"a list read again from XML",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         ASSERT_TRUE(owner->LoadFromText("<cHookedOwner><Items><cHookedItem></cHookedItem></Items></cHookedOwner>"));
         EXPECT_EQ(g_Trace.runs, "idi");
         EXPECT_EQ(owner->m_Items.Count(), 1);
     },
     "idiopi"},
    {"a list copied over another",
     [] {
         auto from = OwnerWithItems();
         auto to = OwnerWithItems();
         to->m_Items.RemoveItems(0, 1);
         StartTrace();
         ASSERT_TRUE(from->Copy(static_cast<cClass*>(from.get()), 0, to.get(), static_cast<cClass*>(to.get()), 0));
         EXPECT_EQ(g_Trace.runs, "di");
         to.reset();
     },
     "diopidiopidi"},
    {"an owning pointer replaced",
     [] {
         struct Holder {
             std::unique_ptr<cClass> m_Object;
         } holder;
         holder.m_Object = OwnerWithItems();
         auto next = OwnerWithItems();
         StartTrace();
         holder.m_Object = std::move(next);
         EXPECT_EQ(g_Trace.runs, "opidi");
     },
     "opidiopidi"},
    {"released, then deleted",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         owner->Release(static_cast<cClass*>(owner.get()));
     },
     "opidi"},
    {"released twice",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         owner->Release(static_cast<cClass*>(owner.get()));
         owner->Release(static_cast<cClass*>(owner.get()));
     },
     "opidi"},
    {"released, initialised again, then deleted",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         owner->Release(static_cast<cClass*>(owner.get()));
         owner->Init(static_cast<cClass*>(owner.get()));
         EXPECT_EQ(owner->m_Items.Count(), 0);
     },
     "opidiop"},
    {"an item released on its own, then removed",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         cClass* item = owner->m_Items.At(0);
         item->Release(item);
         owner->m_Items.RemoveItems(0, 1);
     },
     "iopdi"},
    {"a member released through its field type, then its owner deleted",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         cClass* fieldType = nullptr;
         void* address = nullptr;
         uintptr_t extra = 0;
         ASSERT_TRUE(owner->FindMember("Part", &fieldType, &address, &extra, static_cast<cClass*>(owner.get())));
         fieldType->Release(address);
     },
     "poidi"},
    {"the temporary copy of SaveToText",
     [] {
         auto owner = OwnerWithItems();
         StartTrace();
         cStr text;
         ASSERT_TRUE(owner->SaveToText(text));
         // Reset to its defaults (released and initialised again), then deleted.
         EXPECT_EQ(g_Trace.runs, "opidiopidi");
     },
     "opidiopidiopidi"},
};

TEST(ReleaseOnDestruction, EveryWayOfDyingReleasesOncePerLife) {
    RegisterHookedClasses();  // prototypes and field types hold their resources for the run
    for (const WayOfDying& way : kWays) {
        SCOPED_TRACE(way.name);
        g_Trace = {};
        way.run();
        EXPECT_EQ(g_Trace.runs, way.hooks);
        EXPECT_EQ(g_Trace.held, 0) << "resources taken and never given back";
    }
}

}  // namespace
}  // namespace tovan::test
