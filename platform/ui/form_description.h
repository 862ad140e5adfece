#pragma once

// A form's stored description: its own settings and every component it holds,
// as data. LoadForm builds the components from it and binds the stored handler
// names to the form's methods, the way a designed form is read at start-up.

#include "platform/ui/components.h"

#include <cassert>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace components {

struct ComponentDescription {
    Kind kind = Kind::Button;
    std::string name{};
    std::string parent{};  // empty: the form itself
    Rect bounds{};         // from the parent's client area
    std::string caption{};
    int tabOrder = -1;
    std::optional<Font> font{}; // none: the form's font
    bool visible = true;
    bool enabled = true;
    bool checked = false;           // check box
    std::string onClick{};          // button: handler name
    std::vector<int> panelWidths{}; // status bar
};

struct FormDescription {
    std::string name{};
    std::string caption{};
    int clientWidth = 0, clientHeight = 0;
    BorderStyle border = bsSizeable;
    FormStyle style = fsNormal;
    Placement position = poDesigned;
    Color color = clBtnFace;
    Font font{};
    bool scaled = true;
    std::string onCreate{}; // handler name
    // In creation order: a parent comes before the components it holds.
    std::vector<ComponentDescription> components{};
};

// Gives the method a stored handler name stands for, or an empty event when the
// form has none of that name.
using HandlerLookup = std::function<NotifyEvent(const std::string& name)>;

// Sets the form's own settings and creates its components from `description`.
// The form must hold no components yet; the description must be sound (parents
// known, handler names known to `handlers`): a fault there is a programming error.
void LoadForm(Form& form, const FormDescription& description, const HandlerLookup& handlers);

// The component of that name and kind; asserts that the form has it.
template <class T>
T& FindComponent(const Form& form, const std::string& name) {
    auto* component = dynamic_cast<T*>(form.Find(name));
    assert(component && "the form description has no such component");
    return *component;
}

} // namespace components
