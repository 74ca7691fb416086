// The Show Options dialog: its boxes, "&All", OK and Cancel.

#include "show/DskOpt.h"
#include "support/RecordingUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace lumora;

namespace {

QCheckBox* Box(TfmDskOpt& d, const char* name)
{
    return d.findChild<QCheckBox*>(QString::fromLatin1(name));
}
QPushButton* Button(TfmDskOpt& d, const char* name)
{
    return d.findChild<QPushButton*>(QString::fromLatin1(name));
}

const char* const kSectionBoxes[] = {"chkCues",    "chkSubMasters", "chkPatches", "chkProfiles",
                                     "chkEffects", "chkMacros",     "chkQuorvel"};

// Shows the dialog modally as the commands do, and lets act click in it.
int Run(TfmDskOpt& dialog, std::function<void()> act)
{
    QTimer::singleShot(0, &dialog, std::move(act));
    return dialog.exec();
}

} // namespace

class TestDskOpt final : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheDescribedBoxes();
    void allChecksAndLocksTheSections();
    void okSetsEachPresenceFlagFromItsBox_data();
    void okSetsEachPresenceFlagFromItsBox();
    void cancelLeavesTheFlagsAndTheBoxesKeepTheirState();
};

void TestDskOpt::startsWithTheDescribedBoxes()
{
    test::TRecordingUi ui;
    TEditorState state(ui);
    TfmDskOpt dialog(state);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Lumora Show Options"));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    const std::pair<const char*, const char*> texts[] = {
        {"chkCues", "&Cues"},       {"chkSubMasters", "&SubMasters"},
        {"chkPatches", "&Patches"}, {"chkProfiles", "Pr&ofiles"},
        {"chkEffects", "&Effects"}, {"chkMacros", "&Macros"},
        {"chkQuorvel", "Quorvel"},  {"chkAll", "&All"},
    };
    for (const auto& [name, text] : texts) {
        QCheckBox* box = Box(dialog, name);
        QVERIFY2(box, name);
        QCOMPARE(box->text(), QString::fromLatin1(text));
        QVERIFY(!box->isChecked());
        QVERIFY(box->isEnabled());
    }
    QVERIFY(Box(dialog, "chkAll")->font().bold());
    QCOMPARE(Box(dialog, "chkAll")->palette().color(QPalette::WindowText), QColor(128, 0, 128));
    // left column top to bottom, then the right one
    dialog.show();
    QVERIFY(Box(dialog, "chkCues")->x() < Box(dialog, "chkEffects")->x());
    QVERIFY(Box(dialog, "chkCues")->y() < Box(dialog, "chkProfiles")->y());
    QCOMPARE(Box(dialog, "chkProfiles")->y(), Box(dialog, "chkAll")->y());
}

void TestDskOpt::allChecksAndLocksTheSections()
{
    test::TRecordingUi ui;
    TEditorState state(ui);
    TfmDskOpt dialog(state);
    dialog.show();
    QTest::mouseClick(Box(dialog, "chkMacros"), Qt::LeftButton);
    QTest::mouseClick(Box(dialog, "chkAll"), Qt::LeftButton);
    for (const char* name : kSectionBoxes) {
        QVERIFY2(Box(dialog, name)->isChecked(), name);
        QVERIFY2(!Box(dialog, name)->isEnabled(), name);
    }
    QTest::mouseClick(Box(dialog, "chkAll"), Qt::LeftButton);
    for (const char* name : kSectionBoxes) {
        QVERIFY2(!Box(dialog, name)->isChecked(), name); // Macros too: All clears every box
        QVERIFY2(Box(dialog, name)->isEnabled(), name);
    }
}

void TestDskOpt::okSetsEachPresenceFlagFromItsBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("section");
    QTest::newRow("Patches") << "chkPatches" << int(TSection::Patch);
    QTest::newRow("Profiles") << "chkProfiles" << int(TSection::Profile);
    QTest::newRow("Macros") << "chkMacros" << int(TSection::Macro);
    QTest::newRow("Effects") << "chkEffects" << int(TSection::Effects);
    QTest::newRow("SubMasters") << "chkSubMasters" << int(TSection::Submaster);
    QTest::newRow("Cues") << "chkCues" << int(TSection::Cue);
    QTest::newRow("Quorvel") << "chkQuorvel" << int(TSection::Quorvel);
}

void TestDskOpt::okSetsEachPresenceFlagFromItsBox()
{
    QFETCH(QString, box);
    QFETCH(int, section);
    test::TRecordingUi ui;
    TEditorState state(ui);
    state.setAllPresent();
    TfmDskOpt dialog(state);
    const int result = Run(dialog, [&] {
        QTest::mouseClick(Box(dialog, qPrintable(box)), Qt::LeftButton);
        QTest::mouseClick(Button(dialog, "btnOK"), Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    TPresenceFlags expected{};
    expected[static_cast<std::size_t>(section)] = 1;
    QCOMPARE(state.globals.presence, expected);
}

void TestDskOpt::cancelLeavesTheFlagsAndTheBoxesKeepTheirState()
{
    test::TRecordingUi ui;
    TEditorState state(ui);
    state.globals.presence = {1, 0, 1, 0, 1, 0, 1};
    TfmDskOpt dialog(state);
    int result = Run(dialog, [&] {
        QTest::mouseClick(Box(dialog, "chkAll"), Qt::LeftButton);
        QTest::mouseClick(Button(dialog, "btnCancel"), Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(state.globals.presence, (TPresenceFlags{1, 0, 1, 0, 1, 0, 1}));

    // next time the boxes are as they were left: All checked, sections locked
    bool allChecked = false, cuesLocked = false;
    result = Run(dialog, [&] {
        allChecked = Box(dialog, "chkAll")->isChecked();
        cuesLocked = !Box(dialog, "chkCues")->isEnabled();
        QTest::mouseClick(Button(dialog, "btnOK"), Qt::LeftButton);
    });
    QVERIFY(allChecked);
    QVERIFY(cuesLocked);
    QCOMPARE(state.globals.presence, (TPresenceFlags{1, 1, 1, 1, 1, 1, 1}));
}

QTEST_MAIN(TestDskOpt)
#include "DskOptTest.moc"
