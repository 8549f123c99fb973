#pragma once

#include <QString>

class QDialog;
class QLayout;

namespace vardane {

// The "Save" and "Close" buttons at the foot of a settings dialog: "Save"
// accepts it, "Close" rejects it (as Esc and the close box do). Neither is a
// default button, so Enter in a text box commits that box only.
QLayout* save_close_buttons(QDialog* dialog, const QString& saveName, const QString& closeName);

} // namespace vardane
