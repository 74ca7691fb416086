#include "shell/Notes.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>

namespace lumora {

QString NotesToText(const std::string& notes)
{
    // The notes block holds single-byte characters; Latin-1 gives every byte a character,
    // so text from any show file comes back unchanged.
    QString text = QString::fromLatin1(notes.data(), static_cast<qsizetype>(notes.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string TextToNotes(const QString& text)
{
    QString crlf = text;
    crlf.replace(QChar(QChar::ParagraphSeparator), QChar(u'\n'));
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    const QByteArray bytes = crlf.toLatin1(); // characters outside Latin-1 become '?'
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

qsizetype NotesLength(const QString& text)
{
    return text.size() + text.count(QChar(u'\n'));
}

TfmNotes::TfmNotes(TEditorState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("fmNotes"));
    setWindowTitle(tr("Notes"));
    resize(405, 285);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setAccessibleName(tr("Show notes"));
    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo, 1);
    layout->addWidget(m_btnClose, 0, Qt::AlignHCenter);

    connect(m_memo, &QPlainTextEdit::textChanged, this, &TfmNotes::memoChanged);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmNotes::accept);
}

void TfmNotes::showEvent(QShowEvent* event)
{
    m_loading = true;
    m_memo->setPlainText(NotesToText(m_state.globals.notes));
    m_memo->document()->setModified(false);
    m_memo->moveCursor(QTextCursor::End);
    m_loading = false;
    m_changed = false;
    QDialog::showEvent(event);
}

void TfmNotes::memoChanged()
{
    if (m_loading)
        return;
    // The notes block has room for 1,024 bytes and a line break takes two of them: what
    // goes past the limit is taken back off before the cursor, where it was typed or pasted.
    qsizetype excess = NotesLength(m_memo->toPlainText()) - static_cast<qsizetype>(kMaxNotesLength);
    if (excess > 0) {
        m_loading = true;
        QTextCursor cursor = m_memo->textCursor();
        const auto takeBack = [&] {
            while (excess > 0 && cursor.position() > 0) {
                cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
                excess -= cursor.selectedText().startsWith(QChar(QChar::ParagraphSeparator)) ? 2 : 1;
                cursor.removeSelectedText();
            }
        };
        takeBack();
        if (excess > 0) { // nothing left before the cursor: cut the end instead
            cursor.movePosition(QTextCursor::End);
            takeBack();
        }
        m_memo->setTextCursor(cursor);
        m_loading = false;
    }
    if (m_memo->document()->isModified())
        m_changed = true;
}

void TfmNotes::done(int result)
{
    if (m_changed) {
        switch (m_state.ui().askYesNoCancel(kMsgKeepChanges, IUserInterface::Icon::Confirmation)) {
        case IUserInterface::Answer::Yes:
            m_state.globals.notes = TextToNotes(m_memo->toPlainText());
            m_state.globals.showChanged = 1;
            break;
        case IUserInterface::Answer::No: break;
        case IUserInterface::Answer::Cancel: return;
        }
        m_changed = false;
    }
    QDialog::done(result);
}

} // namespace lumora
