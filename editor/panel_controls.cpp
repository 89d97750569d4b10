// The value panels' rows of the window table, made from the value-row table.
#include "editor/record_editor.h"

#include "editor/editor_texts.h"
#include "model/text.h"

#include <algorithm>
#include <span>

namespace z7 {

namespace {

// The place of a numeric edit in its panel's keyboard order; -1 for none.
int tabOrderOf(int row)
{
    for (std::span<const int> order :
         {std::span<const int>(Panel1TabOrder), std::span<const int>(Panel2TabOrder)}) {
        if (const auto at = std::ranges::find(order, row); at != order.end())
            return int(at - order.begin());
    }
    return -1;
}

} // namespace

void RecordEditor::AddControls(ControlTable &table)
{
    for (const PanelHead &h : PanelHeads) {
        // A head that only some layouts show starts hidden; fillPanels shows it.
        table.controls.push_back({h.name, ControlKind::Label, PanelName(h.panel), h.rect, h.caption,
                                  h.caption, h.layouts == PanelLayouts(h.panel), true, Centred,
                                  nullptr});
    }
    for (int i = 0; i < rows::Count; ++i) {
        const ValueRowDef &d = ValueRows[std::size_t(i)];
        const char16_t *panel = PanelName(d.panel);
        // Screen readers name every control of the row after its caption.
        table.controls.push_back({d.labelName, ControlKind::Label, panel, d.label, d.caption,
                                  d.caption, true, true, LeftAligned, nullptr});
        if (d.toggle) {
            table.controls.push_back({d.editName, ControlKind::Toggle, panel, d.edit,
                                      editor_texts::No, d.caption, true, true, PlainLook, nullptr,
                                      -1, nullptr, 0, 100, 1, d.tip});
        } else {
            // Only the cost may be typed with a sign; the others take digits only.
            const unsigned look = i == rows::Baukosten ? Highlighted : DigitsOnly;
            table.controls.push_back({d.editName, ControlKind::Edit, panel, d.edit,
                                      editor_texts::HiddenValue, d.caption, true, true, look,
                                      nullptr, tabOrderOf(i), nullptr, 0, 100, 1, d.tip});
            table.controls.push_back({d.updName, ControlKind::UpDown, panel, d.upd, nullptr,
                                      table.keep(Format(editor_texts::Stepper, {d.caption})), true,
                                      true, PlainLook, nullptr, -1, d.editName, d.minimum,
                                      d.maximum, d.step});
        }
        table.controls.push_back({d.btnName, ControlKind::Button, panel, d.btn,
                                  d.toggle ? editor_texts::No : editor_texts::HiddenValue,
                                  table.keep(Format(editor_texts::ShippedValue, {d.caption})), true,
                                  true, PlainLook, nullptr, -1, nullptr, 0, 100, 1, d.tip});
        table.controls.push_back({d.pngName, ControlKind::Picture, panel, d.png, nullptr,
                                  table.keep(Format(editor_texts::ChangedMarker, {d.caption})),
                                  false, true, PlainLook, u"marker"});
    }
}

} // namespace z7
