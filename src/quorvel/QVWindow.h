#pragma once

// What the four Quorvel windows (type, device, action, position) share: the "QV Setup"
// menu that hands over to a sibling window by closing with its navigation code, a
// Close that ends the chain with the ordinary OK result, and the texts of show data
// as Qt strings.

#include "widgets/EditWindow.h"

#include <string>

class QMenu;

namespace lumora {

// Names are single bytes in the show, as on the console.
QString QvToQt(const std::string& text);
std::string QvFromQt(const QString& text);

class TQvWindow : public TEditWindow {
    Q_OBJECT

public:
    // ---- Handing over: asks about unkept changes, then closes with the code (3..6)
    void navigate(int code);

protected:
    TQvWindow(QWidget* parent, const char* objectName, const char* caption, int helpTopic, bool maximizable);

    // The "QV Setup" menu after File; own is the code of this window (its item is
    // checked and does nothing). Returns the menu, for items of the window's own above
    // the four.
    QMenu* addQvSetupMenu(int own, QMenu* menu = nullptr);
    QMenu* makeQvSetupMenu();

    int closeResult() const override { return QDialog::Accepted; }
};

} // namespace lumora
