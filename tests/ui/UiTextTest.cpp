#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "ui/FileFilters.h"
#include "ui/MessageBox.h"
#include "ui/MessageText.h"
#include "ui/QtTranslation.h"
#include "ui/UiText.h"

namespace galewarden {

class UiTextTest : public QObject {
    Q_OBJECT

  private slots:
    void programTextBecomesQtTextAndBack() {
        const std::string gb = test::gb("暴雨蓝色预警 😀");
        QCOMPARE(toQString(gb), QStringLiteral("暴雨蓝色预警 😀"));
        QCOMPARE(fromQString(toQString(gb)), gb);
    }

    void fittingCutsAtWholeCharacters() {
        const QString text = QStringLiteral("a暴😀b");  // 1 + 3 + 4 + 1 bytes
        QCOMPARE(fittedTo(text, 100), text);
        QCOMPARE(fittedTo(text, 9), text);
        QCOMPARE(fittedTo(text, 8), QStringLiteral("a暴😀"));
        QCOMPARE(fittedTo(text, 7), QStringLiteral("a暴"));
        QCOMPARE(fittedTo(text, 3), QStringLiteral("a"));
        QCOMPARE(fittedTo(text, 0), QString());
    }

    void messagesAreCutAndBrokenToFitAScreen_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<qsizetype>("shownChars");  // of the text, without breaks and "…"
        QTest::newRow("short") << QStringLiteral("服务器返回了未预期的数据") << false
                               << qsizetype{12};
        QTest::newRow("many characters")
            << QString(2000, QLatin1Char('x')) << true << kShownMessageChars;
        QTest::newRow("many lines")
            << QStringLiteral("a\n").repeated(100) << true << 2 * kShownMessageLines - 1;
        QTest::newRow("a pair at the cut")
            << QString(kShownMessageChars - 1, QLatin1Char(' ')) + QStringLiteral("😀") << true
            << kShownMessageChars - 1;
    }
    void messagesAreCutAndBrokenToFitAScreen() {
        QFETCH(QString, text);
        QFETCH(bool, cut);
        QFETCH(qsizetype, shownChars);
        const ShownMessage shown = shownMessage(text);
        QCOMPARE(shown.cut, cut);
        QString unbroken = shown.text;
        unbroken.remove(QChar(0x200B));
        QCOMPARE(unbroken, text.left(shownChars) + (cut ? QStringLiteral("…") : QString()));
        for (const QString& run :
             shown.text.split(QRegularExpression(QStringLiteral("[\\s\\x{200B}]")))) {
            QVERIFY(run.size() <= kLongestUnbrokenRun + 1);
        }
    }

    // A web page's worth of text without a space still gives a box that fits on the screen.
    void aLongUnbrokenAnswerFitsOnTheScreen() {
        const QString answer = QStringLiteral("<html><body>") + QString(3000, QLatin1Char('x'));
        QMessageBox box(QMessageBox::Warning, QStringLiteral("获取预警数据时发生错误"),
                        shownMessage(answer).text);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QRect screen = box.screen()->availableGeometry();
        QVERIFY2(box.frameGeometry().width() <= screen.width(),
                 qPrintable(QString::number(box.frameGeometry().width())));
        QVERIFY(box.frameGeometry().height() <= screen.height());
    }

    void fileFiltersKeepTheirLabels_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("qtFilters");
        QTest::newRow("two") << QStringLiteral("JSON 文件（*.json）|*.json|所有文件（*.*）|*.*|")
                             << QStringList{QStringLiteral("JSON 文件（*.json） (*.json)"),
                                            QStringLiteral("所有文件（*.*） (*)")};
        QTest::newRow("several patterns") << QStringLiteral("图片|*.png;*.gif|")
                                          << QStringList{QStringLiteral("图片 (*.png *.gif)")};
        QTest::newRow("no end mark") << QStringLiteral("配置文件（*.ini）|*.ini")
                                     << QStringList{QStringLiteral("配置文件（*.ini） (*.ini)")};
        QTest::newRow("a label alone") << QStringLiteral("配置文件|") << QStringList{};
        QTest::newRow("empty") << QString() << QStringList{};
    }
    void fileFiltersKeepTheirLabels() {
        QFETCH(QString, filter);
        QFETCH(QStringList, qtFilters);
        QCOMPARE(qtNameFilters(filter), qtFilters);
    }

    // What the user reads in the dialog's list of filters: the program's label alone.
    void theFileDialogShowsTheLabels() {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(
            qtNameFilters(QStringLiteral("JSON 文件（*.json）|*.json|所有文件（*.*）|*.*|")));
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types != nullptr);
        QCOMPARE(types->itemText(0), QStringLiteral("JSON 文件（*.json）"));
        QCOMPARE(types->itemText(1), QStringLiteral("所有文件（*.*）"));
    }

    void qtsOwnTextsAreChinese() {
        QVERIFY2(useChineseQtTexts(), "qt6-translations-l10n is missing");
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("x"),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
    }

    void scriptedMessageBoxesAnswerAndRecord() {
        MessageBox::scriptAnswers({MessageAnswer::yes});
        QCOMPARE(MessageBox::ask({"重置所有配置", "是否继续？", MessageIcon::exclamation,
                                  MessageButtons::yesNo, MessageAnswer::no}),
                 MessageAnswer::yes);
        QCOMPARE(MessageBox::ask({"", "x", MessageIcon::none, MessageButtons::okCancel}),
                 MessageAnswer::cancel);  // no answer left: the way out
        QCOMPARE(MessageBox::asked().size(), std::size_t{2});
        QCOMPARE(MessageBox::asked()[0].title, QStringLiteral("重置所有配置"));
        MessageBox::stopScripting();
        QVERIFY(MessageBox::asked().empty());
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredUiTextTest =
    galewarden::test::registerQtTest<galewarden::UiTextTest>("UiTextTest");
}  // namespace

#include "UiTextTest.moc"
