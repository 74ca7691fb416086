#pragma once

// The buttons of the program's small dialogs: OK (or Apply) as the default and Cancel,
// centred in one line; Cancel closes the dialog. The dialog connects OK itself.

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace lumora {

struct TDialogButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* line;
};

TDialogButtons MakeDialogButtons(QDialog* dialog, const char* okName, const QString& okText);

} // namespace lumora
