// The "Print Patches" and "Print Profiles" dialogs through their widgets: their starting
// choices, their refusals, the patch data file and the pages handed to the preview.

#include "PatchWindowsSupport.h"

#include "patch/printPatch.h"
#include "patch/printProfiles.h"
#include "print/Preview.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <fstream>
#include <sstream>

namespace lumora::test {

class TestPatchReportWindows final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TTempDir> m_dir;
    std::unique_ptr<TPosixReportFolder> m_folder;
    QList<TReportDocument> m_previewed;

    template <class T> static T* child(QWidget* w, const char* name)
    {
        auto* c = w->findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    std::string dataFile(const char* name) const
    {
        std::ifstream in(m_folder->folder() + "/" + name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Opens the dialog as the Print menu does, lets act work it, and closes it.
    template <class T> void openFromMenu(T& dialog, std::function<void(T*)> act)
    {
        WhenModal<T>([act](T* d) {
            act(d);
            d->reject();
        });
        dialog.exec();
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_dir = std::make_unique<TTempDir>();
        m_folder = std::make_unique<TPosixReportFolder>(m_dir->file("reports"));
        m_previewed.clear();
        SetReportPreviewHook([this](const TReportDocument& d, const QString&) { m_previewed.push_back(d); });
    }
    void cleanup()
    {
        SetReportPreviewHook(nullptr);
        QVERIFY(m_ui->allAnswered());
    }

    void patchPageTwoThroughTen()
    {
        m_state->show().patch(2).dimmer(4) = {0xFFFF, 60, 3, true, true};
        m_state->show().patch(2).dimmer(5).Nondim = true;
        TprintPatchesfrm dialog(*m_state, nullptr, m_folder.get());
        openFromMenu<TprintPatchesfrm>(dialog, [](TprintPatchesfrm* d) {
            QVERIFY(child<QCheckBox>(d, "cbPg1")->isChecked());
            QVERIFY(!child<QCheckBox>(d, "cbPg2")->isChecked());
            QVERIFY(!child<QLineEdit>(d, "edtRange")->isEnabled());
            QTest::mouseClick(child<QCheckBox>(d, "cbPg1"), Qt::LeftButton);
            QTest::mouseClick(child<QCheckBox>(d, "cbPg2"), Qt::LeftButton);
            QTest::mouseClick(child<QCheckBox>(d, "cbRange"), Qt::LeftButton);
            QVERIFY(child<QLineEdit>(d, "edtRange")->isEnabled());
            TypeInto(child<QLineEdit>(d, "edtRange"), QStringLiteral("10"));
            QTest::mouseClick(child<QPushButton>(d, "btnPrint"), Qt::LeftButton);
        });
        QCOMPARE(dataFile("rptpatch.tmp"), std::string("2,1,1,100,,0,\r\n2,2,2,100,,0,\r\n2,3,3,100,,0,\r\n"
                                                       "2,4,0,60,,3,P\r\n2,5,5,100,ND,0,\r\n2,6,6,100,,0,\r\n"
                                                       "2,7,7,100,,0,\r\n2,8,8,100,,0,\r\n2,9,9,100,,0,\r\n"
                                                       "2,10,10,100,,0,\r\n"));
        QCOMPARE(m_previewed.size(), 1);
        const TReportPage& page = m_previewed[0].pages[0];
        QVERIFY(page.hasText(QStringLiteral("Patches")));
        QVERIFY(page.hasText(QStringLiteral("Non-Dim")));
        QVERIFY(page.hasText(QStringLiteral("P")));
        QVERIFY(page.hasText(QStringLiteral("ND")));
    }

    void patchRefusals()
    {
        TprintPatchesfrm dialog(*m_state, nullptr, m_folder.get());
        openFromMenu<TprintPatchesfrm>(dialog, [this](TprintPatchesfrm* d) {
            QTest::mouseClick(child<QCheckBox>(d, "cbPg1"), Qt::LeftButton);
            QTest::mouseClick(child<QPushButton>(d, "btnPrint"), Qt::LeftButton);
            QCOMPARE(m_ui->messages().back(), std::string("Please check \"Page 1\", \"Page 2\", or both."));
            QTest::mouseClick(child<QCheckBox>(d, "cbPg1"), Qt::LeftButton);
            QTest::mouseClick(child<QCheckBox>(d, "cbRange"), Qt::LeftButton);
            TypeInto(child<QLineEdit>(d, "edtRange"), QStringLiteral("1025"));
            QTest::mouseClick(child<QPushButton>(d, "btnPrint"), Qt::LeftButton);
            QCOMPARE(m_ui->messages().back(), std::string("Please enter a valid dimmer # between 1 and 1024."));
        });
        QVERIFY(m_previewed.isEmpty());
        QVERIFY(dataFile("rptpatch.tmp").empty());
    }

    void profilesFromTheMenuAndFromTheEditor()
    {
        m_state->show().profile(3).name = "Same";
        m_state->show().profile(4).name = "Same";
        TrptProfiles dialog(*m_state);
        openFromMenu<TrptProfiles>(dialog, [this](TrptProfiles* d) {
            QVERIFY(child<QRadioButton>(d, "rbAll")->isChecked());
            QVERIFY(!child<QRadioButton>(d, "rbCurrent")->isEnabled());
            QTest::mouseClick(child<QRadioButton>(d, "rbRange"), Qt::LeftButton);
            TypeInto(child<QLineEdit>(d, "edtFrom"), QStringLiteral("0"));
            TypeInto(child<QLineEdit>(d, "edtTo"), QStringLiteral("4"));
            QTest::mouseClick(child<QPushButton>(d, "btnPrint"), Qt::LeftButton);
            QCOMPARE(m_ui->messages().back(), std::string("The From/To range number(s) are too small."));
            TypeInto(child<QLineEdit>(d, "edtFrom"), QStringLiteral("3"));
            QTest::mouseClick(child<QPushButton>(d, "btnPrint"), Qt::LeftButton);
        });
        QCOMPARE(m_previewed.size(), 1);
        QCOMPARE(m_previewed[0].pageCount(), 2); // a page each, though they share a name
        for (const TReportPage& page : m_previewed[0].pages) {
            QVERIFY(page.hasText(QStringLiteral("Same")));
            QVERIFY(page.hasText(QStringLiteral("DMX Out")));
            QVERIFY(page.hasText(QStringLiteral("255")));
        }

        WhenModal<TrptProfiles>([](TrptProfiles* d) {
            QVERIFY(child<QRadioButton>(d, "rbCurrent")->isEnabled());
            QVERIFY(child<QRadioButton>(d, "rbCurrent")->isChecked());
            QTest::mouseClick(child<QPushButton>(d, "btnPrint"), Qt::LeftButton);
            d->reject();
        });
        dialog.openForCurrent(9);
        QCOMPARE(m_previewed.size(), 2);
        QCOMPARE(m_previewed[1].pageCount(), 1);
        QVERIFY(m_previewed[1].pages[0].hasText(QStringLiteral("Profile 9")));
        openFromMenu<TrptProfiles>(dialog, [](TrptProfiles* d) {
            QVERIFY(child<QRadioButton>(d, "rbAll")->isChecked());
            QVERIFY(!child<QRadioButton>(d, "rbCurrent")->isEnabled());
            QVERIFY(child<QLineEdit>(d, "edtFrom")->text().isEmpty());
        });
    }
};

std::unique_ptr<QObject> MakePatchReportWindowsTest()
{
    return std::make_unique<TestPatchReportWindows>();
}

} // namespace lumora::test

#include "PatchReportWindowsTest.moc"
