#include "ui/Unit1_form.h"

using namespace components;

namespace {

FormDescription Designed() {
    return {
        .name = "Form1",
        .caption = "Trasolin",
        .clientWidth = 268,
        .clientHeight = 86,
        .border = bsToolWindow,
        .style = fsStayOnTop,
        .position = poMainFormCenter,
        .color = clBtnFace,
        .font = {.name = "MS Sans Serif", .height = -11, .color = clWindowText},
        .scaled = false,
        .onCreate = "FormCreate",
        .components = {
            {.kind = Kind::CheckBox, .name = "CheckBox1", .bounds = {8, 0, 65, 25},
             .caption = "Płasko", .tabOrder = 6, .checked = true},
            // sized to its caption; 111 x 27 as designed
            {.kind = Kind::Label, .name = "Label1", .bounds = {144, 0, 111, 27},
             .caption = "brelquin", .font = Font{.name = "Renfrew", .height = -21, .color = clNavy}},
            {.kind = Kind::Button, .name = "Otworz_bt", .bounds = {8, 32, 75, 25},
             .caption = "&Otwórz", .tabOrder = 0, .onClick = "Otworz_btClick"},
            {.kind = Kind::Button, .name = "konwertuj_bt", .bounds = {96, 32, 75, 25},
             .caption = "&Konwertuj", .tabOrder = 1, .enabled = false, .onClick = "konwertuj_btClick"},
            {.kind = Kind::Button, .name = "Zamknij_bt", .bounds = {184, 32, 75, 25},
             .caption = "&Zamknij", .tabOrder = 5, .onClick = "Zamknij_btClick"},
            // along the bottom edge across the whole width; the last panel takes the rest
            {.kind = Kind::StatusBar, .name = "StatusBar1", .bounds = {0, 67, 268, 19},
             .panelWidths = {150, 50}},
            // FormCreate moves it into StatusBar1, where these bounds lay it over panel 1
            {.kind = Kind::ProgressBar, .name = "ProgressBar1", .bounds = {154, 4, 110, 14},
             .tabOrder = 4},
            // hidden, used only as string lists
            {.kind = Kind::ListBox, .name = "ListBox1", .bounds = {264, 8, 17, 25},
             .tabOrder = 2, .visible = false},
            {.kind = Kind::ListBox, .name = "ListBox2", .bounds = {280, 8, 17, 25},
             .tabOrder = 3, .visible = false},
        }};
}

} // namespace

const FormDescription& Form1Description() {
    static const FormDescription description = Designed();
    return description;
}
