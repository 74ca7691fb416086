#pragma once

// The QV type editor: one QV type at a time, its name and its 39 attributes on the grid;
// widths, masterings and sources change through pop-up menus and double-clicks; File >
// Import and Save exchange a type with a type file (.qvt). The rules live in
// TQVTypeSheet; this window shows its texts and hands it what the user does.

#include "quorvel/QVTypeSheet.h"
#include "quorvel/QVWindow.h"

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace lumora {

class IShellDialogs;
class IShowsFolder;
class TGrid;

class TfmQVType final : public TQvWindow {
    Q_OBJECT

public:
    // dialogs and folder: the file dialogs and the shows folder they start in (either may
    // be nullptr: Import and Save then do nothing).
    TfmQVType(TEditorState& state, IShellDialogs* dialogs, const IShowsFolder* folder, QWidget* parent = nullptr);
    ~TfmQVType() override;

    // ---- Wiring from the main window: File > Print opens the type report for a type
    void setPrint(std::function<void(int type)> print) { m_print = std::move(print); }

    // ---- Commands
    void importType();
    void saveType();
    void print();
    void move(int delta);

    const TQVTypeSheet& sheet() const { return m_sheet; }
    TGrid& grid() const { return *m_grid; }
    // The pop-up menus of the Width, Mastering and Source columns.
    QMenu* columnMenu(TQvTypeColumn column) const;

protected:
    bool queryClose() override;
    void showEvent(QShowEvent* event) override;

private:
    class TCells;

    void buildWidgets();
    void buildMenus();
    void loadWindow();
    void popUpMenu();
    QString folder() const;

    TEditorState& m_state;
    TQVTypeSheet m_sheet;
    std::unique_ptr<TCells> m_cells;
    IShellDialogs* m_dialogs;
    const IShowsFolder* m_folder;
    std::function<void(int)> m_print;

    TGrid* m_grid = nullptr;
    QLabel* m_numLabel2 = nullptr;
    QLabel* m_numLabel = nullptr;
    QLineEdit* m_edtTypeName = nullptr;
    QToolButton* m_leftButton = nullptr;
    QToolButton* m_rightButton = nullptr;
    QPushButton* m_btnClose = nullptr;
    QMenu* m_mnuWidth = nullptr;
    QMenu* m_mnuMastering = nullptr;
    QMenu* m_mnuSource = nullptr;
};

} // namespace lumora
