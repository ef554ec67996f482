#include <QTest>

#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "ui/MessageBox.h"
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
