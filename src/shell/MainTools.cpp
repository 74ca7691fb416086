// The main window's Tools > Check Show... and File > Compare With... commands.

#include "shell/MainMenu.h"

#include "shell/ShowCheckWindow.h"
#include "shell/ShowCompareWindow.h"
#include "show/LumoraError.h"
#include "show/ShowFile.h"
#include "show/ShowSource.h"

#include <QFile>
#include <QFileInfo>

namespace lumora {

void TfmMain::checkShow()
{
    TfmCheckShow window(
        *m_state, [this](TScreen which) { viewScreen(which); }, this);
    window.exec();
}

void TfmMain::compareWith()
{
    const auto chosen = m_services.dialogs->openShowOrImage(this, QString::fromLatin1(kCompareCaption), m_showsFolder);
    if (!chosen)
        return;
    std::optional<TShowSource> other, mine;
    {
        TBusyCursor busy(*m_ui);
        other = ReadShowSource(*m_ui, QFile::encodeName(*chosen).toStdString());
        try {
            mine = CompiledShow(*m_state);
        } catch (const ELumoraError& e) {
            throw ELumoraError(kMsgErrorCompiling, e.what());
        }
    }
    const TDiffSide from = other->side(), to = mine->side();
    TfmCompare window(this);
    window.showDiff(QFileInfo(*chosen).fileName(), ComparedSections(from, to, {1, 1, 1, 1, 1, 1, 1}),
                    DiffShows(from, to));
    window.exec();
}

} // namespace lumora
