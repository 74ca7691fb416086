// What the windows share: the cue dialogs made once for the program, report dialogs that
// start from their defaults on every opening, the one printer that Printer Setup chooses,
// and a name for every control a screen reader can say.

#include "shell/ShellFixture.h"

#include "cues/InsertQ.h"
#include "print/Preview.h"
#include "shell/MainMenu.h"
#include "shell/PlatformQt.h"
#include "shell/Startup.h"
#include "shell/WindowRegistry.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextEdit>
#include <QtTest>

namespace lumora::test {

namespace {

template <class T> T* Child(QWidget* window, const char* name)
{
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qWarning("no %s in %s", name, qPrintable(window->objectName()));
    return child;
}

void TriggerIn(QWidget* window, const char* actionName)
{
    QAction* action = window->findChild<QAction*>(QString::fromLatin1(actionName));
    QVERIFY2(action, actionName);
    action->trigger();
}

// The widgets a user can act on, less the parts of Qt's own composite widgets (a table's
// corner button, a combo box's list, a tool bar's overflow button).
bool IsInteractive(const QWidget* w)
{
    if (w->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QHeaderView*>(w) ||
        w->window()->inherits("QComboBoxPrivateContainer"))
        return false;
    for (const QWidget* up = w->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(up) || qobject_cast<const QComboBox*>(up) ||
            qobject_cast<const QAbstractSpinBox*>(up))
            return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

QString AccessibleName(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

QString Describe(const QWidget* w)
{
    QString path = QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
    for (const QWidget* up = w->parentWidget(); up; up = up->parentWidget())
        if (up->isWindow()) {
            path += QStringLiteral(" in ") + up->objectName();
            break;
        }
    return path;
}

} // namespace

class TestSharedWindows : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        QCOMPARE(PendingModalHandlers(), 0);
        CancelModalHandlers();
    }

    // Insert Cue chosen as a Track cue in the cue editor comes up as Track in the
    // tracking editor: one dialog for the program.
    void insertCueKeepsItsTypeFromOneWindowToTheNext()
    {
        TShellHarness h(EditorWindows());
        h.state().show().cueList.InsertCue(10, kCuePreset);
        QObject* firstDialog = nullptr;
        OnNextModal([&](QWidget* editor) {
            OnNextModal([&](QWidget* insert) {
                firstDialog = insert;
                Child<QComboBox>(insert, "ComboBox1")->setCurrentText(QStringLiteral("Track"));
                qobject_cast<QDialog*>(insert)->reject();
            });
            TriggerIn(editor, "mnuInsert");
            qobject_cast<QDialog*>(editor)->reject();
        });
        h.trigger("mnuCueEditor");
        QVERIFY(qobject_cast<TfmInsertQ*>(firstDialog));

        QString typeInTrack;
        QObject* secondDialog = nullptr;
        OnNextModal([&](QWidget* track) {
            OnNextModal([&](QWidget* insert) {
                secondDialog = insert;
                typeInTrack = Child<QComboBox>(insert, "ComboBox1")->currentText();
                qobject_cast<QDialog*>(insert)->reject();
            });
            TriggerIn(track, "mnuInsert");
            qobject_cast<QDialog*>(track)->reject();
        });
        h.trigger("mnuTrack");
        QCOMPARE(secondDialog, firstDialog);
        QCOMPARE(typeInTrack, QStringLiteral("Track"));
        QVERIFY(h.messages.texts().isEmpty());
    }

    // Changed choices are gone when the report is opened again from the Print menu.
    void reportDialogsStartFromTheirDefaults_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("channels");
        QTest::newRow("track") << QStringLiteral("mnuPrintTrack") << true << QStringLiteral("25");
        QTest::newRow("cue levels") << QStringLiteral("mnuPrintCueLevels") << false << QString();
    }
    void reportDialogsStartFromTheirDefaults()
    {
        QFETCH(QString, command);
        QFETCH(bool, checked);
        QFETCH(QString, channels);
        TShellHarness h(EditorWindows());
        h.state().show().cueList.InsertCue(10, kCuePreset);
        const QByteArray item = command.toLatin1();
        for (int opening = 1; opening <= 2; ++opening) {
            bool seenChecked = !checked;
            QString seenChannels = QStringLiteral("?");
            OnNextModal([&](QWidget* dialog) {
                auto* box = Child<QCheckBox>(dialog, "cbChan");
                auto* entry = Child<QLineEdit>(dialog, "edtChan");
                seenChecked = box->isChecked();
                seenChannels = entry->text();
                box->setChecked(!checked);
                entry->setText(QStringLiteral("7"));
                qobject_cast<QDialog*>(dialog)->reject();
            });
            h.trigger(item.constData());
            QCOMPARE(seenChecked, checked);
            QCOMPARE(seenChannels, channels);
        }
    }

    // The printer chosen in Printer Setup is the one the preview prints through, and a
    // paper chosen there is kept while the report keeps its orientation.
    void printerSetupChoosesThePreviewsPrinter()
    {
        TQtShellDialogs dialogs;
        const QString pdf = QDir::temp().filePath(QStringLiteral("lumora-printer-setup-test.pdf"));
        QPrinter* seen = nullptr;
        OnNextModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            QVERIFY(dialog);
            seen = dialog->printer();
            // With no printer installed the dialog offers printing to a file.
            if (auto* file = w->findChild<QLineEdit*>(QStringLiteral("filename")); file && file->isEnabled())
                file->setText(pdf);
            dialog->accept();
        });
        dialogs.printerSetup(nullptr);
        QCOMPARE(seen, &ReportPrinter());
        QCOMPARE(&dialogs.printer(), &ReportPrinter());

        ReportPrinter().setPageSize(QPageSize(QPageSize::A4));
        TReportDocument document;
        document.pageLayout = QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF());
        TReportPreview preview(document, QStringLiteral("Test"));
        QCOMPARE(preview.printer(), &ReportPrinter());
        QCOMPARE(preview.printer()->pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(preview.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(preview.printer()->outputFileName(), pdf);
    }

    // Every button, entry, list and table of every window the program makes has a name.
    void everyControlHasAnAccessibleName()
    {
        TShellHarness h(EditorWindows());
        h.main->createWindows();
        QList<QWidget*> widgets = h.main->findChildren<QWidget*>();
        widgets.push_front(h.main.get());
        QStringList unnamed;
        for (QWidget* w : widgets)
            if (IsInteractive(w) && AccessibleName(w).isEmpty())
                unnamed << Describe(w);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("\n"))));
    }
};

} // namespace lumora::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    lumora::InitShellResources();
    lumora::test::TestSharedWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "SharedWindowsTest.moc"
