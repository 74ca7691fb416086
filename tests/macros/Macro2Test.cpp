// The macro editor, "Add Special Macro" and the macro report dialog through their
// widgets: the list with its marks, the keyboard, the key list, Delete Key Hit, Clear
// Macro, the specials, navigation and closing. With LUMORA_SCREENSHOT_DIR set, the
// editor is also saved there as a PNG.

#include "macros/Macro2.h"
#include "macros/printMacros4.h"

#include "macros/KeyNames.h"
#include "macros/macroSp.h"
#include "print/Preview.h"
#include "print/ReportChoice.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"
#include "widgets/Grid.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace lumora::test {

namespace {

template <class T> void WhenModal(std::function<void(T*)> answer)
{
    QTimer::singleShot(0, qApp, [answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(dialog, "the expected dialog did not open");
        if (dialog)
            answer(dialog);
    });
}

void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace

class TestMacro2 final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TfmMacro2> m_window;
    int m_printed = 0;

    TMacro& macro(int n) { return m_state->show().macro(n); }
    void set(int n, std::initializer_list<std::uint8_t> bytes)
    {
        ResetMacro(macro(n));
        int p = 0;
        for (const std::uint8_t b : bytes) {
            macro(n).Keys[p++] = b;
            macro(n).KeyCount += b != 0 ? 1 : 0;
        }
    }
    template <class T> T* child(const QString& name) const
    {
        auto* c = m_window->findChild<T*>(name);
        if (!c)
            qFatal("no child %s", qPrintable(name));
        return c;
    }
    // active: keys are typed (a window under a bare X server is shown, never activated).
    void open(bool active = true)
    {
        m_window->show();
        if (active)
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        else
            QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void press(std::uint8_t code)
    {
        QTest::mouseClick(child<QPushButton>(QStringLiteral("btnKey%1").arg(code)), Qt::LeftButton);
    }
    void button(const char* name)
    {
        QTest::mouseClick(child<QAbstractButton>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QString keyRow(int r) const { return m_window->grid().gridModel().index(r - 1, 0).data().toString(); }
    QString listRow(int n) const
    {
        auto* list = m_window->findChild<QListView*>(QStringLiteral("lbxMacNum"));
        return list->model()->index(n - 1, 0).data().toString();
    }
    int listCurrent() const
    {
        return m_window->findChild<QListView*>(QStringLiteral("lbxMacNum"))->currentIndex().row() + 1;
    }
    void clickListRow(int n)
    {
        auto* list = child<QListView>(QStringLiteral("lbxMacNum"));
        const QModelIndex i = list->model()->index(n - 1, 0);
        list->scrollTo(i);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(i).center());
    }
    void clickKeyRow(int r)
    {
        TGrid& g = m_window->grid();
        QTest::mouseClick(g.cellViewport(0), Qt::LeftButton, {}, g.cellRect(r - 1, 0).center());
    }
    void special(const char* kind, const QString& a, const QString& b = {})
    {
        WhenModal<TfmMacroSp>([kind, a, b](TfmMacroSp* d) {
            QTest::mouseClick(d->findChild<QRadioButton*>(QString::fromLatin1(kind)), Qt::LeftButton);
            const bool sub = QByteArray(kind) == "rbSub";
            const bool action = QByteArray(kind) == "rbAction";
            TypeInto(d->findChild<QLineEdit*>(sub      ? QStringLiteral("edtSubX")
                                              : action ? QStringLiteral("edtAction")
                                                       : QStringLiteral("edtPosition")),
                     a);
            if (sub)
                TypeInto(d->findChild<QLineEdit*>(QStringLiteral("edtSubY")), b);
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        });
        button("btnSpecial");
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_window = std::make_unique<TfmMacro2>(*m_state);
        m_printed = 0;
        m_window->setPrint([this](int n) { m_printed = n; });
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not used");
        m_window.reset();
    }

    void opensOnMacroOneWithTheListMarked()
    {
        set(1, {19, 254, 3, 7});
        set(2500, {1});
        open();
        auto* list = child<QListView>(QStringLiteral("lbxMacNum"));
        QAbstractItemModelTester tester(list->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(list->model()->rowCount(), kMacros);
        QCOMPARE(listRow(1), QStringLiteral("1 <-"));
        QCOMPARE(listRow(2), QStringLiteral("2"));
        QCOMPARE(listRow(2500), QStringLiteral("2500 <-"));
        QCOMPARE(listCurrent(), 1);
        QCOMPARE(keyRow(1), QStringLiteral("RECORD"));
        QCOMPARE(keyRow(2), QStringLiteral("Load Sub Handle 3 With 7"));
        QCOMPARE(keyRow(3), QString());
        QCOMPARE(m_window->keyList().byteCount(), 4);
        QTRY_VERIFY(list->hasFocus());
        child<QAction>(QStringLiteral("mnuPrint"))->trigger();
        QCOMPARE(m_printed, 1);
        int topic = 0;
        m_window->setHelp([&topic](int t) { topic = t; });
        m_window->findChild<QAction*>(QStringLiteral("mnuHelp"))->trigger();
        QCOMPARE(topic, 200);
    }

    void theKeyboardHoldsEveryKeyInItsGroup()
    {
        for (const TConsoleKey& key : kConsoleKeys) {
            auto* b = child<QPushButton>(QStringLiteral("btnKey%1").arg(key.code));
            QCOMPARE(b->text(), QString::fromLatin1(key.caption.data(), key.caption.size()));
            QCOMPARE(b->property("keyCode").toInt(), int(key.code));
            auto* box = qobject_cast<QGroupBox*>(b->parentWidget());
            QVERIFY(box);
            QCOMPARE(box->title(), QString::fromLatin1(key.group.data(), key.group.size()));
            if (!key.hint.empty())
                QCOMPARE(b->toolTip(), QString::fromLatin1(key.hint.data(), key.hint.size()));
            QVERIFY(!b->accessibleName().isEmpty());
        }
        QCOMPARE(m_window->findChildren<QGroupBox*>().size(), 7);
    }

    void aKeyGoesInFrontOfTheFirstKeystroke()
    {
        set(1, {19, 20});
        open();
        press(70);
        QCOMPARE(keyRow(1), QStringLiteral("ENTER"));
        QCOMPARE(keyRow(2), QStringLiteral("RECORD"));
        QCOMPARE(keyRow(3), QStringLiteral("CUE"));
        m_ui->answerYes();
        button("btnClose");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(int(macro(1).Keys[0]), 70);
        QCOMPARE(int(macro(1).Keys[1]), 19);
        QCOMPARE(int(macro(1).KeyCount), 3);
        QCOMPARE(int(m_state->globals.showChanged), 1);
    }

    void twentyKeysAndNoMore()
    {
        open();
        for (int i = 0; i < 20; ++i)
            press(69);
        QCOMPARE(keyRow(20), QStringLiteral("1"));
        QCOMPARE(m_window->keyList().currentRow(), 20);
        press(1);
        QCOMPARE(m_ui->messages().back(), std::string(kMsgKeystrokeCountExceeded));
        QCOMPARE(m_window->keyList().entryCount(), 20);
        m_ui->answerNo();
        button("btnClose");
    }

    void eighteenBytesRefuseASubHandleButTakeAnAction()
    {
        open();
        for (int i = 0; i < 18; ++i)
            press(1);
        special("rbSub", QStringLiteral("3"), QStringLiteral("7"));
        QCOMPARE(m_ui->messages().back(), std::string(kMsgKeystrokeExceeded));
        QCOMPARE(m_window->keyList().byteCount(), 18);
        special("rbAction", QStringLiteral("42"));
        QCOMPARE(keyRow(19), QStringLiteral("Run Action 42"));
        QCOMPARE(m_window->keyList().byteCount(), 20);
        m_ui->answerYes();
        button("btnClose");
        QCOMPARE(int(macro(1).Keys[18]), 253);
        QCOMPARE(int(macro(1).Keys[19]), 42);
    }

    void aBadSpecialValueKeepsTheDialogOpen()
    {
        open();
        WhenModal<TfmMacroSp>([this](TfmMacroSp* d) {
            QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("rbSub"))->isChecked());
            QVERIFY(!d->findChild<QLineEdit*>(QStringLiteral("edtAction"))->isEnabled());
            TypeInto(d->findChild<QLineEdit*>(QStringLiteral("edtSubX")), QStringLiteral("256"));
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
            QVERIFY(d->isVisible());
            QCOMPARE(m_ui->messages().back(), std::string(kMsgSpecialValue));
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
        });
        button("btnSpecial");
        QCOMPARE(m_window->keyList().entryCount(), 0);
        QVERIFY(!m_window->keyList().modified());
    }

    void deleteOnRowOneAndThenChoosingAnotherMacroAsks()
    {
        set(1, {19});
        open();
        clickKeyRow(1);
        button("spbDeleteKey");
        QCOMPARE(keyRow(1), QString());
        QCOMPARE(m_window->keyList().currentRow(), 1);
        button("spbDeleteKey"); // nothing left: nothing happens
        m_ui->answerYes();
        clickListRow(2);
        QCOMPARE(m_ui->messages(), std::vector<std::string>{kMsgKeepMacroChanges});
        QCOMPARE(int(macro(1).KeyCount), 0);
        QCOMPARE(listRow(1), QStringLiteral("1"));
        QCOMPARE(listCurrent(), 2);
    }

    void clearMacroAndCancelOnClose()
    {
        set(1, {19, 20});
        open();
        m_ui->answerYes();
        button("spbClearMacro");
        QCOMPARE(keyRow(1), QString());
        m_ui->answer(IUserInterface::Answer::Cancel);
        button("btnClose");
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_window->keyList().entryCount(), 0);
        m_ui->answerNo();
        button("btnClose");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(int(macro(1).KeyCount), 2);
    }

    void navigationSkipsEmptyMacros()
    {
        set(5, {1});
        set(40, {2});
        open();
        button("NextButton");
        QCOMPARE(listCurrent(), 5);
        QCOMPARE(keyRow(1), QStringLiteral("AB GO"));
        button("NextButton");
        QCOMPARE(listCurrent(), 40);
        button("NextButton"); // the last one in use: nothing
        QCOMPARE(listCurrent(), 40);
        button("PrevButton");
        QCOMPARE(listCurrent(), 5);
        button("PrevButton");
        QCOMPARE(listCurrent(), 1);
        button("LastButton");
        QCOMPARE(listCurrent(), 40);
        button("FirstButton");
        QCOMPARE(listCurrent(), 1);
        set(5, {});
        set(40, {});
        button("LastButton"); // none in use
        QCOMPARE(listCurrent(), 1);
    }

    void cancelKeepsTheMacroOnShow()
    {
        open();
        press(19);
        m_ui->answer(IUserInterface::Answer::Cancel);
        clickListRow(3);
        QCOMPARE(listCurrent(), 1);
        QCOMPARE(keyRow(1), QStringLiteral("RECORD"));
        m_ui->answerNo();
        button("btnClose");
    }

    void reportDialogChecksTheRange()
    {
        TTempDir temp;
        TPosixReportFolder folder(temp.path().string());
        TprintMacros4 report(*m_state, nullptr, &folder);
        WhenModal<TprintMacros4>([this](TprintMacros4* d) {
            QVERIFY(!d->findChild<QRadioButton*>(QStringLiteral("rbCurrent"))->isEnabled());
            QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("rbAll"))->isChecked());
            d->findChild<QRadioButton*>(QStringLiteral("rbRange"))->setChecked(true);
            TypeInto(d->findChild<QLineEdit*>(QStringLiteral("edtFrom")), QStringLiteral("10"));
            TypeInto(d->findChild<QLineEdit*>(QStringLiteral("edtTo")), QStringLiteral("5"));
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnPrint")), Qt::LeftButton);
            QCOMPARE(m_ui->messages().back(), FromToOrderMessage("macro"));
            QVERIFY(d->isVisible());
            d->reject();
        });
        report.exec();
        WhenModal<TprintMacros4>([](TprintMacros4* d) {
            QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("rbCurrent"))->isChecked());
            QVERIFY(d->findChild<QLineEdit*>(QStringLiteral("edtFrom"))->text().isEmpty());
            d->reject();
        });
        report.openForCurrent(12);

        set(12, {19});
        set(13, {20});
        int previews = 0;
        SetReportPreviewHook([&previews](const TReportDocument&, const QString& title) {
            ++previews;
            QCOMPARE(title, QStringLiteral("Macros"));
        });
        WhenModal<TprintMacros4>([](TprintMacros4* d) {
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnPrint")), Qt::LeftButton);
            d->reject();
        });
        report.openForCurrent(12);
        SetReportPreviewHook(nullptr);
        QCOMPARE(previews, 1);
        const std::string text = ReadReportFile(temp.file("rptmacro.tmp")).value_or("");
        QCOMPARE(text.substr(0, 15), std::string("12,1,RECORD\r\n12"));
        QVERIFY(text.find("\n13,") == std::string::npos); // macro 13 is not printed
    }

    void screenshot()
    {
        const QByteArray dir = qgetenv("LUMORA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("LUMORA_SCREENSHOT_DIR not set");
        set(1, {37, 99, 70, 252, 4, 254, 2, 9});
        set(3, {1});
        open(false);
        QVERIFY(m_window->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/macro.png")));
        m_window->hide();
    }
};

} // namespace lumora::test

QTEST_MAIN(lumora::test::TestMacro2)
#include "Macro2Test.moc"
