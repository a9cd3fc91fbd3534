// SPDX-License-Identifier: MIT
#include "Controls.h"

namespace web {

void ControlSet::add(std::span<const ControlDesign> designs)
{
    val frame = client_;
    for (const ControlDesign& design : designs) {
        val control = make(design, frame);
        if (design.kind == ControlDesign::Frame)
            frame = control;
        controls_.emplace_back(design.name, std::move(control));
    }
}

const val& ControlSet::operator[](std::string_view name) const
{
    for (const auto& [controlName, control] : controls_) {
        if (controlName == name)
            return control;
    }
    static const val none;
    return none;
}

val ControlSet::make(const ControlDesign& design, const val& frame) const
{
    static constexpr const char* Tags[] = {"button", "input", "div", "fieldset", "label"};
    val control = makeElement(Tags[design.kind], design.kind == ControlDesign::Option ? frame : client_, window_,
                              design.name);
    place(control, design.rect);
    setFont(control, design.font);
    setStyle(control, "color", cssColor(design.color));
    if (design.flags & ControlDesign::Centred)
        setStyle(control, "textAlign", "center");
    if (design.accessibleName != nullptr)
        setAttribute(control, "aria-label", design.accessibleName);
    switch (design.kind) {
    case ControlDesign::Button:
        control.set("type", val("button"));
        setText(control, design.text);
        break;
    case ControlDesign::TextBox:
        control.set("type", val("text"));
        control.set("value", std::string(design.text));
        control.set("maxLength", 65535);
        addClass(control, "textbox");
        break;
    case ControlDesign::Label:
        addClass(control, "label");
        setText(control, design.text);
        break;
    case ControlDesign::Frame:
        setText(makeElement("legend", control, "", nullptr), design.text);
        break;
    case ControlDesign::Option: {
        addClass(control, "option");
        val button = makeElement("input", control, "", nullptr);
        button.set("type", val("radio"));
        button.set("name", frame["id"]);
        button.set("checked", (design.flags & ControlDesign::Selected) != 0);
        control.call<void>("appendChild", document().call<val>("createTextNode", std::string(design.text)));
        break;
    }
    }
    setShown(control, (design.flags & ControlDesign::Hidden) == 0);
    return control;
}

} // namespace web
