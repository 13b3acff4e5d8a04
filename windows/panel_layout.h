#pragma once
// PanelLayout's plan: where the entry panel puts a label, value boxes and a "▼" button for every
// field of a form (a PING field gets none), and where its two buttons go. The panel makes the
// controls from its hidden templates in the plan's order; the plan itself knows no window.
//
// Rows are 30 pixels apart from top 10. Labels are as wide as the longest field name plus two
// characters; value boxes follow the label, each box as wide as the field kind asks, cut at the
// right edge so that a key field's "▼" button still fits. Under "录入" and "修改" a line says what
// the boxes hold, beside "清空".

#include <vector>

#include "base/text_value.h"
#include "forms/field_kind.h"
#include "forms/form_definition.h"
#include "ui/geometry.h"

namespace windows {

enum class PanelTemplate { Label, EditBox, CheckBox, KeyButton };

struct PlannedControl {
  PanelTemplate from = PanelTemplate::Label;
  base::TextValue tag;
  base::TextValue caption;  // labels: the field name and "："
  ui::Rect bounds;
  bool keyField = false;    // labels of key fields are red
  forms::InputMode input = forms::InputMode::Any;  // edit boxes
};

// The sizes the plan works with: the panel's client width and its templates' sizes.
struct PanelMetrics {
  int clientWidth = 0;
  ui::Size label;
  ui::Size editBox;
  ui::Size checkBox;
  ui::Size keyButton;
  int addButtonHeight = 0;
  int modifyButtonHeight = 0;
  int clearButtonHeight = 0;
};

struct PanelPlan {
  std::vector<PlannedControl> controls;  // in the order they are made
  ui::Rect addButton;
  ui::Rect modifyButton;
  // Below them: what the boxes hold (a new record or which one), and the button that empties them.
  ui::Rect stateLabel;
  ui::Rect clearButton;
  int windowHeight = 0;  // the panel window's outer height
};

PanelPlan planPanel(const forms::FormDefinition& form, const PanelMetrics& metrics);

}  // namespace windows
