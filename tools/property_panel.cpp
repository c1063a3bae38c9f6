#include "tools/property_panel.h"

#include "classes/class.h"
#include "classes/field_types.h"
#include "classes/registry.h"
#include "core/vec.h"
#include "tools/member_label.h"
#include "ui/bind_button.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/composite.h"
#include "ui/edit.h"
#include "ui/edit_slider.h"
#include "ui/file_pn.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/separator.h"
#include "ui/slider.h"
#include "ui/swatch.h"

namespace tovan {

namespace {

struct RowRequest {
    cWnd* parent;
    const char* caption;
    void* address;
    uintptr_t extra;
};

template <class T>
T* As(void* address) {
    return static_cast<T*>(address);
}

// The item texts of an enum value: one per value from 0 up to the largest
// label's, each the label of that value (empty when the enum has none).
cList<cStr> EnumItems(const cEnum* labels) {
    cList<cStr> items;
    if (!labels)
        return items;
    const cNameIndex& index = labels->m_Labels;
    int count = 0;
    for (int i = 0; i < index.Count(); ++i)
        if (index.At(i).index + 1 > count)
            count = index.At(i).index + 1;
    items.Resize(count);
    for (int i = 0; i < index.Count(); ++i)
        if (index.At(i).index >= 0)
            items[index.At(i).index] = index.At(i).name;
    return items;
}

cWnd* MakeFloatEdit(const RowRequest& r) { return new cEdit(r.parent, As<float>(r.address), r.caption, 0, 0); }
cWnd* MakeIntEdit(const RowRequest& r) { return new cEdit(r.parent, As<int32_t>(r.address), r.caption, 0, 0); }
cWnd* MakeTextEdit(const RowRequest& r) { return new cEdit(r.parent, As<cStr>(r.address), r.caption, 0, 0); }
cWnd* MakeCheckBox(const RowRequest& r) { return new cCheckBox(r.parent, As<bool>(r.address), r.caption, 0, 0); }
cWnd* MakeBindButton(const RowRequest& r) { return new cBindButton(r.parent, As<int32_t>(r.address), r.caption, 0, 0); }
// A slider without its range record has nothing to slide between.
cWnd* MakeIntSlider(const RowRequest& r) {
    cSliderRangeI* range = reinterpret_cast<cSliderRangeI*>(r.extra);
    if (!range)
        return nullptr;
    return new cSlider(r.parent, As<int32_t>(r.address), &range->minimum, &range->maximum, r.caption, 0, 0);
}
cWnd* MakeFloatSlider(const RowRequest& r) {
    cSliderRangeF* range = reinterpret_cast<cSliderRangeF*>(r.extra);
    if (!range)
        return nullptr;
    return new cSlider(r.parent, As<float>(r.address), &range->minimum, &range->maximum, r.caption, 0, 0);
}
cWnd* MakeIntRanged(const RowRequest& r) {
    int32_t* v = As<int32_t>(r.address);
    return new cSliderRanged(r.parent, v, v + 1, v + 2, r.caption);
}
cWnd* MakeFloatRanged(const RowRequest& r) {
    float* v = As<float>(r.address);
    return new cSliderRanged(r.parent, v, v + 1, v + 2, r.caption);
}
cWnd* MakeButton(const RowRequest& r) { return new cButton(r.parent, r.caption, 0, 0, true); }
cWnd* MakeSeparator(const RowRequest& r) { return new cSeparator(r.parent, r.caption); }
cWnd* MakeEnumCombo(const RowRequest& r) {
    const cList<cStr> items = EnumItems(reinterpret_cast<const cEnum*>(r.extra));
    return new cComboBox(r.parent, As<int32_t>(r.address), r.caption, items, 0, 0, true);
}
cWnd* MakeImageSwatch(const RowRequest& r) {
    return new cImageSwatch(r.parent, As<int32_t>(r.address), r.caption, 0, 0);
}
cWnd* MakeColorSwatch(const RowRequest& r) {
    return new cColorSwatch(r.parent, As<cColor>(r.address), r.caption, 0, 0);
}
cWnd* MakeTextLabel(const RowRequest& r) {
    return new cLabel(r.parent, As<cStr>(r.address), nullptr, nullptr, r.caption, 0, 0);
}
cWnd* MakeIntLabel(const RowRequest& r) {
    return new cLabel(r.parent, nullptr, As<int32_t>(r.address), nullptr, r.caption, 0, 0);
}
cWnd* MakeEnumLabel(const RowRequest& r) {
    return new cLabel(r.parent, nullptr, As<int32_t>(r.address), reinterpret_cast<const cEnum*>(r.extra), r.caption, 0,
                      0);
}

cWnd* MakeIntEditSlider(const RowRequest& r) {
    cSliderRangeI* range = reinterpret_cast<cSliderRangeI*>(r.extra);
    if (!range)
        return nullptr;
    return new cEditSlider(r.parent, As<int32_t>(r.address), &range->minimum, &range->maximum, r.caption);
}
cWnd* MakeFloatEditSlider(const RowRequest& r) {
    cSliderRangeF* range = reinterpret_cast<cSliderRangeF*>(r.extra);
    if (!range)
        return nullptr;
    return new cEditSlider(r.parent, As<float>(r.address), &range->minimum, &range->maximum, r.caption);
}
template <int N>
cWnd* MakeFloatVec(const RowRequest& r) {
    return new cEditVec(N, r.parent, As<float>(r.address), r.caption);
}
template <int N>
cWnd* MakeIntVec(const RowRequest& r) {
    return new cEditVec(N, r.parent, As<int32_t>(r.address), r.caption);
}

template <int Kind>
cWnd* MakeFileField(const RowRequest& r) {
    cFilePn* field = new cFilePn(r.parent, As<cStr>(r.address), r.caption);
    field->m_Kind = Kind;
    return field;
}

struct RowMaker {
    const char* className;
    cWnd* (*make)(const RowRequest&);
};

constexpr RowMaker kRowMakers[] = {
    {"_cFloat", MakeFloatEdit},
    {"_cInt", MakeIntEdit},
    {"_cStr", MakeTextEdit},
    {"_cBool", MakeCheckBox},
    {"_cBind", MakeBindButton},
    {"_cSliderI", MakeIntSlider},
    {"_cSliderF", MakeFloatSlider},
    {"_cEditSliderI", MakeIntEditSlider},
    {"_cEditSliderF", MakeFloatEditSlider},
    {"_cSliderRangedI", MakeIntRanged},
    {"_cSliderRangedF", MakeFloatRanged},
    {"_cFloat2", MakeFloatVec<2>},
    {"_cFloat3", MakeFloatVec<3>},
    {"_cFloat4", MakeFloatVec<4>},
    {"_cVec2i", MakeIntVec<2>},
    {"_cVec3i", MakeIntVec<3>},
    {"_cButton", MakeButton},
    {"_cSeparator", MakeSeparator},
    {"_cIndex", MakeEnumCombo},
    {"_cImageFile", MakeFileField<cFilePn::kImage>},
    {"_cModelFile", MakeFileField<cFilePn::kModel>},
    {"_cAnimFile", MakeFileField<cFilePn::kAnim>},
    {"_cCameraFile", MakeFileField<cFilePn::kCamera>},
    {"_cBspFile", MakeFileField<cFilePn::kBsp>},
    {"_cSoundFile", MakeFileField<cFilePn::kSound>},
    {"_cXmlFile", MakeFileField<cFilePn::kXml>},
    {"_cImageID", MakeImageSwatch},
    {"_cColor", MakeColorSwatch},
    {"_cLabel", MakeTextLabel},
    {"_cLabelInt", MakeIntLabel},
    {"_cLabelEnum", MakeEnumLabel},
};

bool StartsWith(const char* text, const char* prefix) {
    return text && CompareStrings(text, prefix, int(TextLength(prefix))) == 0;
}

cStr MemberCaption(cClass* fieldClass, const char* name) {
    cStr label = MakeMemberLabel(name);
    if (StartsWith(fieldClass->GetClassName(), "cClassPtr.")) {
        cClass* target = fieldClass->GetMemberClass(0);
        if (target && target->GetClassName()) {
            label += " - ";
            label += target->GetClassName();
        }
    }
    uint8_t keepLabel = 1;
    const cStr text = fieldClass->GetDisplayText(&keepLabel);
    if (text.IsEmpty())
        return label;
    if (!keepLabel)
        return text;
    label += text;
    return label;
}

ExplorerRow RowOf(WidgetHandle handle, cWnd* widget, cClass* fieldClass, cClass* owner, void* address, uintptr_t extra,
                  const char* name) {
    ExplorerRow row;
    row.m_Handle = handle;
    row.m_Widget = widget;
    row.m_Class = fieldClass;
    row.m_Owner = owner;
    row.m_Address = row.m_Address2 = address;
    row.m_Extra = extra;
    row.m_Name = name;
    return row;
}

void BuildValueRow(cClassExplorer::Stub* explorer, cWnd* parent, cClass* owner, cClass* fieldClass, void* address,
                   uintptr_t extra, const char* name, const cStr& caption) {
    const char* className = fieldClass->GetClassName();
    if (!className)
        return;
    for (const RowMaker& maker : kRowMakers) {
        if (CompareStrings(className, maker.className) != 0)
            continue;
        // Only the button and the separator have no value of their own.
        if (!address && maker.make != MakeButton && maker.make != MakeSeparator)
            return;
        cWnd* widget = maker.make({parent, caption.GetText(), address, extra});
        if (!widget)
            return;
        const WidgetHandle handle = parent->AddChild(widget);
        explorer->AddRow(RowOf(handle, widget, fieldClass, owner, address, extra, name));
        // A composite's controls notify on their own: each is a row of the member.
        if (dynamic_cast<cComposite*>(widget))
            for (cWidget* part : widget->m_Children)
                if (cWnd* control = dynamic_cast<cWnd*>(part))
                    explorer->AddRow(
                        RowOf(FindWidgetHandle(control), control, fieldClass, owner, address, extra, name));
        return;
    }
}

}  // namespace

void BuildPropertyPanel(cClassExplorer::Stub* explorer, cWnd* parent, cClass* owner, cClass* fieldClass, void* address,
                        uintptr_t extra, const char* name, bool expanded) {
    if (!explorer || !parent || !fieldClass)
        return;
    if (fieldClass->IsCompound()) {
        // From here on the member object stands for its class.
        if (address)
            fieldClass = static_cast<cClass*>(address);
        else
            address = fieldClass;
    }
    const cStr caption = MemberCaption(fieldClass, name);
    const int n = fieldClass->CountVisibleMembers(address, 7);
    if (n < 1) {
        BuildValueRow(explorer, parent, owner, fieldClass, address, extra, name, caption);
        return;
    }
    if (!fieldClass->IsCompound())
        return;

    cWnd* fillInto = parent;
    if (owner && StartsWith(owner->GetClassName(), "cClassPtr.")) {
        // Reached through a pointer: the members go straight into the parent,
        // and only while the pointer is open.
        const cPanel* parentPanel = dynamic_cast<const cPanel*>(parent);
        const bool forced = parentPanel && parentPanel->m_Fixed;
        if (explorer->UsesToolBarLayout() && !forced && !(owner->GetViewFlags() & 1))
            return;
    } else {
        cPanel* panel = new cPanel(parent, expanded ? MakeMemberLabel(name).GetText() : caption.GetText());
        const WidgetHandle handle = parent->AddChild(panel);
        explorer->AddRow(RowOf(handle, panel, fieldClass, owner, address, extra, name));
        if (expanded) {
            panel->m_Fixed = true;
            panel->m_Open = true;
        } else {
            panel->m_Open = (fieldClass->GetViewFlags() & 1) != 0;
            if (!panel->m_Open && explorer->UsesToolBarLayout())
                return;
        }
        fillInto = panel;
    }
    for (int i = 0; i < n; ++i) {
        if (fieldClass->IsVisibleMemberHidden(i, address, 7))
            continue;
        BuildPropertyPanel(
            explorer, fillInto, fieldClass, fieldClass->GetVisibleMemberClass(i, address, 7),
            fieldClass->GetVisibleMemberPtr(i, address, 7), fieldClass->GetVisibleMemberExtra(i, address, 7),
            fieldClass->GetVisibleMemberCaption(i, address, 7), fieldClass->IsVisibleMemberExpanded(i, address, 7));
    }
}

}  // namespace tovan
