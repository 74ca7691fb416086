#pragma once

// Tools > Check Show...: the findings of the show check in a sortable table; a
// double-click opens the editing window of the object a finding is about.

#include "shell/WindowRegistry.h"
#include "show/ShowCheck.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace lumora {

inline constexpr const char* kCheckShowMenu = "Check Show...";
inline constexpr const char* kCheckShowCaption = "Check Show";

// The editing window of the object a finding is about.
std::optional<TScreen> ScreenOfFinding(TCheckObject object);

// ---- The findings as a table: kind (with the severity as its icon), object, finding

class TCheckFindingsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { ColKind, ColObject, ColFinding, ColumnCount };
    // Sorting: errors before warnings, objects in the show's order, texts as they read.
    static constexpr int SortRole = Qt::UserRole;

    explicit TCheckFindingsModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setFindings(std::vector<TCheckFinding> findings);
    const std::vector<TCheckFinding>& findings() const { return m_findings; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<TCheckFinding> m_findings;
};

// ---- The window

class TfmCheckShow final : public QDialog {
    Q_OBJECT

public:
    // openScreen opens an editing window (the main window's viewScreen, which leaves
    // screens that do not exist alone); the show is checked again when it returns.
    TfmCheckShow(TEditorState& state, std::function<void(TScreen)> openScreen, QWidget* parent = nullptr);

    // Checks the show and fills the table.
    void refresh();

    TCheckFindingsModel& findingsModel() { return *m_model; }
    QTableView* table() const { return m_table; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void openFinding(const QModelIndex& index);

    TEditorState& m_state;
    std::function<void(TScreen)> m_openScreen;
    TCheckFindingsModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QLabel* m_summary;
    QTableView* m_table;
    QPushButton* m_btnCheckAgain;
    QPushButton* m_btnClose;
};

} // namespace lumora
