#pragma once
// The main window's forms selector: one item per library form, in library order, and a last item
// that opens the form designer.

#include "forms/form_library.h"
#include "ui/list_controls.h"

namespace windows {

inline constexpr char kOpenDesignerItem[] = "打开表单设计器..";

// Fills the selector from the library. With `select`, item `index` becomes current by the clamping
// rule (so an index beyond the forms lands on the designer item, which raises nothing); without it
// no item is current.
void refillFormSelector(ui::ItemList& selector, const forms::FormLibrary& library, int index, bool select);

// Whether the selector's current item is the last one, the designer item.
bool isDesignerItemCurrent(const ui::ItemList& selector);

}  // namespace windows
