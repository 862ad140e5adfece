#include "platform/ui/form_description.h"

#include <cassert>
#include <cstdlib>

namespace components {
namespace {

Control& CreateControl(Form& form, const ComponentDescription& description) {
    switch (description.kind) {
    case Kind::Button: return form.Create<Button>(description.name);
    case Kind::CheckBox: return form.Create<CheckBox>(description.name);
    case Kind::Label: return form.Create<Label>(description.name);
    case Kind::ListBox: return form.Create<ListBox>(description.name);
    case Kind::ProgressBar: return form.Create<ProgressBar>(description.name);
    case Kind::StatusBar: return form.Create<StatusBar>(description.name);
    case Kind::Form:
    case Kind::OpenDialog: break;
    }
    assert(!"a form description holds controls only: forms and dialogs are made by code");
    std::abort();
}

NotifyEvent Bind(const HandlerLookup& handlers, const std::string& name) {
    if (name.empty()) return {};
    NotifyEvent handler = handlers(name);
    assert(handler && "the form has no method of the stored handler name");
    return handler;
}

// As the window first shows, the focus goes to the first control of the Tab cycle.
Control* FirstInTabOrder(const Form& form) {
    Control* first = nullptr;
    for (const auto& component : form.Components()) {
        auto* control = dynamic_cast<Control*>(component.get());
        if (!control || control->TabOrder() < 0 || !control->Visible() || !control->Enabled())
            continue;
        if (!first || control->TabOrder() < first->TabOrder()) first = control;
    }
    return first;
}

} // namespace

void LoadForm(Form& form, const FormDescription& description, const HandlerLookup& handlers) {
    assert(form.Components().empty() && form.Name() == description.name);
    form.SetCaption(description.caption);
    form.ClientWidth = description.clientWidth;
    form.ClientHeight = description.clientHeight;
    form.Border = description.border;
    form.Style = description.style;
    form.Position = description.position;
    form.BackColor = description.color;
    form.SetFont(description.font);
    form.Scaled = description.scaled;
    form.OnCreate = Bind(handlers, description.onCreate);

    for (const ComponentDescription& item : description.components) {
        Control& control = CreateControl(form, item);
        Control* parent = &form;
        if (!item.parent.empty()) parent = &FindComponent<Control>(form, item.parent);
        control.SetParent(parent);
        control.SetBounds(item.bounds);
        control.SetCaption(item.caption);
        control.SetTabOrder(item.tabOrder);
        control.SetFont(item.font.value_or(description.font));
        control.SetVisible(item.visible);
        control.SetEnabled(item.enabled);
        if (auto* checkBox = dynamic_cast<CheckBox*>(&control)) checkBox->SetChecked(item.checked);
        if (auto* button = dynamic_cast<Button*>(&control))
            button->OnClick = Bind(handlers, item.onClick);
        if (auto* statusBar = dynamic_cast<StatusBar*>(&control))
            for (int width : item.panelWidths) statusBar->AddPanel(width);
    }
    form.SetActiveControl(FirstInTabOrder(form));
}

} // namespace components
