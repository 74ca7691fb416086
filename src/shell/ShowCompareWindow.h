#pragma once

// File > Compare With...: what differs between a show file or diskette image and the
// show in the editor, grouped by kind of show data.

#include "show/ShowDiff.h"

#include <QAbstractItemModel>
#include <QDialog>

class QLabel;
class QPushButton;
class QTreeView;

namespace lumora {

inline constexpr const char* kCompareWithMenu = "Compare With...";
inline constexpr const char* kCompareCaption = "Compare With";

// ---- The differences as a tree: kinds, the objects of each, their change lines

class TDiffTreeModel final : public QAbstractItemModel {
    Q_OBJECT

public:
    explicit TDiffTreeModel(QObject* parent = nullptr) : QAbstractItemModel(parent) {}

    void setDiff(TShowDiff diff);
    const TShowDiff& diff() const { return m_diff; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    TShowDiff m_diff;
};

// ---- The window

class TfmCompare final : public QDialog {
    Q_OBJECT

public:
    explicit TfmCompare(QWidget* parent = nullptr);

    // What was compared ("tour.img", with the sections compared) and the result.
    void showDiff(const QString& otherName, const TPresenceFlags& compared, TShowDiff diff);

    TDiffTreeModel& diffModel() { return *m_model; }
    QTreeView* tree() const { return m_tree; }
    QLabel* heading() const { return m_heading; }

private:
    TDiffTreeModel* m_model;
    QLabel* m_heading;
    QLabel* m_result;
    QTreeView* m_tree;
    QPushButton* m_btnClose;
};

} // namespace lumora
