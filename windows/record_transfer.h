#pragma once
// RecordTransfer: moves values between the entry panel's generated boxes and the current record of
// the current database, either way. Each box's tag names its field, kind and slot; the kind's
// stored-value rule converts the box's text. A link, FTP or QQ field's boxes are visited one after
// the other, first box first, and share one composite value joined by "||".

#include <vector>

#include "ui/simple_controls.h"

namespace windows {

enum class TransferDirection {
  PanelToRecord,
  RecordToPanel,
};

// The panel's generated controls, each list in the order the controls were made.
struct PanelBoxes {
  std::vector<ui::EditBox*> editBoxes;
  std::vector<ui::CheckBox*> checkBoxes;
};

// Every edit box gets the focus before it is read or written, so that a box showing its grey hint
// counts as empty and a box left empty shows its hint again. Written to the record: false when a
// field could not be written (recorddb::lastError says why); the other fields are written still.
bool transferRecord(TransferDirection direction, const PanelBoxes& boxes);

}  // namespace windows
