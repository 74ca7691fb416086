#pragma once

// Help: one page per topic number, written for this program and compiled in as
// resources (":/help/<topic>.html"), shown in a window of its own.

#include "shell/Platform.h"

#include <QPointer>
#include <QWidget>

class QTextBrowser;

namespace lumora {

inline constexpr int kHelpContents = 100; // the main window's topic, also "&Contents"

class TfmHelp final : public QWidget {
    Q_OBJECT

public:
    explicit TfmHelp(QWidget* parent = nullptr);

    void showTopic(int topic);
    QTextBrowser* browser() const { return m_browser; }
    int topic() const { return m_topic; }

private:
    QTextBrowser* m_browser;
    int m_topic = 0;
};

// The desktop help: the window is made on first use and reused.
class THelpPages final : public IHelp {
public:
    ~THelpPages() override;
    void showTopic(int topic) override;
    TfmHelp* window() const { return m_window; }

private:
    QPointer<TfmHelp> m_window;
};

// The resource path of a topic's page; empty when the program has no page for it.
QString HelpPagePath(int topic);

} // namespace lumora
