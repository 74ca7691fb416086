#include "cues/CueDialogs.h"

#include "cues/CopyRnge.h"
#include "cues/InputLev2.h"
#include "cues/InsertQ.h"

namespace lumora {

TCueDialogs::TCueDialogs(IUserInterface& ui, QWidget* parent)
    : m_insertQ(new TfmInsertQ(ui, parent)), m_copyRange(new TfmCopyRange(ui, parent)),
      m_inputLevel(new TfmInputLevel2(ui, parent))
{
}

TCueDialogs::~TCueDialogs()
{
    // Dialogs whose parent is already gone were deleted with it.
    delete m_insertQ.data();
    delete m_copyRange.data();
    delete m_inputLevel.data();
}

} // namespace lumora
