#pragma once

// The effect editor: one of the 50 effects as a sheet of 100 steps by 512 channels,
// with its name, type and time beside it and the list of effects to choose from. The
// rules live in TEffectSheet; this window draws the sheet and hands it what the user
// does, redrawing only the cells a change touched.
//
// The main window makes it once, hidden, and opens it with exec() (View > Effect, the
// toolbar button and the large button). Every opening starts at effect 1 from the show.

#include "effects/EffectSheet.h"
#include "show/EditorState.h"
#include "widgets/EditWindow.h"

#include <QColor>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lumora {

class TCueDialogs;
class TGrid;
class TfmInputLevel2;

inline const QColor kEffectStepColour{32, 192, 192};
inline const QColor kEffectLevelColour{192, 208, 224};
inline const QColor kEffectSelectedColour{80, 112, 160};

class TfmEffect final : public TEditWindow {
    Q_OBJECT

public:
    TfmEffect(TEditorState& state, TCueDialogs& dialogs, QWidget* parent = nullptr);
    ~TfmEffect() override;

    // ---- Wiring from the main window
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }
    // File > Print: the effect report for the effect on show.
    void setPrint(std::function<void(int effect)> print) { m_print = std::move(print); }

    // ---- Commands
    void clearEffect();
    void print();
    // The show's effects were reset: back to effect 1.
    void effectsReset();

    const TEffectSheet& sheet() const { return m_sheet; }
    TGrid& grid() const { return *m_grid; }

protected:
    bool queryClose() override;
    int closeResult() const override { return QDialog::Accepted; }
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TCells;
    class TLevelPainter;

    void buildWidgets();
    void openEffect();
    void showEntries();
    void showList();
    void beep();
    std::optional<std::string> askName();
    TEffectSheet::TAskName asker();

    void effectChosen(int row);
    void timeLeft();
    void levelEdited(int row, int column, const QString& text);
    void gridClicked(int row, int column, Qt::KeyboardModifiers modifiers);
    void gridRightReleased();
    void redrawRectangle(int firstStep, int lastStep, int firstChannel, int lastChannel);

    TEditorState& m_state;
    TEffectSheet m_sheet;
    std::unique_ptr<TCells> m_cells;
    std::function<void()> m_beep;
    std::function<void(int)> m_print;
    bool m_checkingTime = false; // the time error box is up

    TGrid* m_grid = nullptr;
    QLabel* m_effectLabel = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QComboBox* m_typeCombo = nullptr;
    QLineEdit* m_timeEdit = nullptr;
    QListWidget* m_listBox = nullptr;
    QPushButton* m_btnClose = nullptr;
    TfmInputLevel2& m_inputLevel;
};

} // namespace lumora
