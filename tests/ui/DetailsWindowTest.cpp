#include <QBuffer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "core/alerts/RefreshState.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "support/WindowControls.h"
#include "ui/DetailPictureRule.h"
#include "ui/DetailsWindow.h"
#include "ui/IconDisplay.h"
#include "ui/MessageBox.h"

using Entries = std::array<int, galewarden::kDetailPictureCount>;
Q_DECLARE_METATYPE(Entries)

namespace galewarden {
namespace {

using test::control;
using test::gb;

QColor colourOfEntry(int entry) {
    return QColor::fromHsv((entry * 67) % 360, 255, 230);
}

std::string png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// Entry k (1-based) is a picture filled with its own colour.
SharedDisplay displayOf(int count) {
    auto snapshot = std::make_shared<DisplaySnapshot>();
    for (int entry = 1; entry <= count; ++entry) {
        QImage image(600, 492, QImage::Format_RGB32);
        image.fill(colourOfEntry(entry));
        snapshot->entries.push_back({png(image), gb("暴雨蓝"), gb("某地")});
    }
    return snapshot;
}

// The entry a picture shows, by its colour; 0 when it is empty.
int entryShownBy(const QLabel* picture, int count) {
    const QPixmap pixmap = picture->pixmap();
    if (pixmap.isNull()) {
        return 0;
    }
    const QColor centre = pixmap.toImage().pixelColor(pixmap.rect().center());
    for (int entry = 1; entry <= count; ++entry) {
        if (centre.rgb() == colourOfEntry(entry).rgb()) {
            return entry;
        }
    }
    return -1;
}

QImage imageOf(const QLabel* picture) {
    return picture->pixmap().toImage();
}

}  // namespace

class DetailsWindowTest : public QObject {
    Q_OBJECT

  private:
    std::array<QLabel*, kDetailPictureCount> pictures(DetailsWindow& window) {
        return {control<QLabel>(window, "picture1"), control<QLabel>(window, "picture2"),
                control<QLabel>(window, "picture3")};
    }

    void moveOverPicture3(DetailsWindow& window) {
        QLabel* picture3 = control<QLabel>(window, "picture3");
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), picture3->mapToGlobal(QPointF(20, 20)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(picture3, &move);
    }

    void clickStatusLine(DetailsWindow& window) {
        QTest::mouseClick(control<QLabel>(window, "statusLine"), Qt::LeftButton);
    }

    IconDisplay state_;

    // The snapshot as a result hands it over, `current` steps into its rotation.
    void show(SharedDisplay display, int current) {
        state_ = IconDisplay();
        state_.takeResult(std::move(display), 2, true, false);
        for (int step = 0; step < current; ++step) {
            state_.advance();
        }
    }

  private slots:
    void init() {
        state_ = IconDisplay();
        MessageBox::scriptAnswers({});
    }

    void cleanup() { MessageBox::stopScripting(); }

    // What the layout promises: the three pictures stacked down the left in their order, at
    // the proportions of a signal picture; the text to their right up to the edge; the status
    // line below both across the whole width; nothing cut off and nothing overlapping.
    void theLayoutKeepsItsPromises() {
        DetailsWindow window(state_);
        QCOMPARE(window.size(), QSize(450, 400));
        QCOMPARE(window.windowTitle(), QStringLiteral("预警信息"));
        const QRect client = window.rect();
        const auto shown = pictures(window);
        const QRect text = control<QPlainTextEdit>(window, "detailsText")->geometry();
        const QRect status = control<QLabel>(window, "statusLine")->geometry();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const QRect picture = shown[i]->geometry();
            QVERIFY(client.contains(picture));
            QCOMPARE(picture.left(), 0);
            QVERIFY(picture.right() < text.left());
            QVERIFY(qAbs(picture.width() * 492 - picture.height() * 600) <= 600);
            if (i > 0) {
                QCOMPARE(picture.top(), shown[i - 1]->geometry().bottom() + 1);
            }
        }
        QVERIFY(client.contains(text));
        QCOMPARE(text.right(), client.right());
        QVERIFY(client.contains(status));
        QCOMPARE(status.width(), client.width());
        QVERIFY(status.top() > text.bottom());
        QVERIFY(status.top() > shown.back()->geometry().bottom());
        QCOMPARE(status.bottom(), client.bottom());
    }

    void switchButtonSitsInsidePicture3AndStartsHidden() {
        DetailsWindow window(state_);
        window.show();
        auto* button = control<QPushButton>(window, "switchButton");
        auto* picture3 = control<QLabel>(window, "picture3");
        QCOMPARE(button->parentWidget(), picture3);
        const QRect shown = button->geometry().intersected(picture3->rect());
        QVERIFY(shown.width() * shown.height() * 10 >= button->width() * button->height() * 9);
        QVERIFY(shown.center().x() > picture3->width() * 2 / 3);  // in its lower right corner
        QVERIFY(shown.center().y() > picture3->height() * 2 / 3);
        QCOMPARE(button->text(), QStringLiteral("切换"));
        QVERIFY(!button->isVisible());
    }

    void startsWithoutWarnings() {
        DetailsWindow window(state_);
        QCOMPARE(control<QPlainTextEdit>(window, "detailsText")->toPlainText(),
                 QStringLiteral("未获取到预警信息。"));
        QVERIFY(control<QPlainTextEdit>(window, "detailsText")->isReadOnly());
        for (QLabel* picture : pictures(window)) {
            QVERIFY(picture->pixmap().isNull());
        }
    }

    void pictureRule_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<Entries>("expected");
        QTest::newRow("none") << 0 << 0 << Entries{0, 0, 0};
        QTest::newRow("two: third empty") << 2 << 2 << Entries{1, 2, 0};
        QTest::newRow("three in order") << 3 << 3 << Entries{1, 2, 3};
        QTest::newRow("five from the fourth") << 5 << 4 << Entries{4, 5, 1};
        QTest::newRow("five from the last") << 5 << 5 << Entries{5, 1, 2};
        QTest::newRow("four from the first") << 4 << 1 << Entries{1, 2, 3};
        QTest::newRow("cycle not started") << 5 << 0 << Entries{5, 1, 2};
        QTest::newRow("index past the end") << 5 << 7 << Entries{2, 3, 4};
        QTest::newRow("negative index") << 4 << -6 << Entries{2, 3, 4};
        QTest::newRow("largest index") << 4 << std::numeric_limits<int>::max() << Entries{3, 4, 1};
    }

    void pictureRule() {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(Entries, expected);
        QCOMPARE(detailPictureEntries(count, current), expected);
    }

    void picturesShowTheirEntries_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<Entries>("expected");
        QTest::newRow("two warnings") << 2 << 1 << Entries{1, 2, 0};
        QTest::newRow("five from the fourth") << 5 << 4 << Entries{4, 5, 1};
        QTest::newRow("none") << 0 << 0 << Entries{0, 0, 0};
    }

    void picturesShowTheirEntries() {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(Entries, expected);
        DetailsWindow window(state_);
        window.show();
        show(displayOf(5), 1);  // a previous display: every picture filled
        window.showDetailPictures();
        show(displayOf(count), current);
        window.showDetailPictures();
        const auto shown = pictures(window);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            QCOMPARE(entryShownBy(shown[i], count), expected[i]);
        }
        window.clearDetailPictures();
        for (QLabel* picture : shown) {
            QVERIFY(picture->pixmap().isNull());
        }
    }

    // The program starts with the window hidden: its pictures wait for the show.
    void hiddenWindowShowsThePicturesOfItsShow() {
        show(displayOf(5), 1);
        DetailsWindow window(state_);
        window.showDetailPictures();
        QVERIFY(pictures(window)[0]->pixmap().isNull());
        show(displayOf(5), 4);
        window.show();
        const auto shown = pictures(window);
        const Entries expected{4, 5, 1};
        for (std::size_t i = 0; i < shown.size(); ++i) {
            QCOMPARE(entryShownBy(shown[i], 5), expected[i]);
        }
    }

    void unusablePicturesFallBackToTheBuiltInOnes() {
        auto snapshot = std::make_shared<DisplaySnapshot>();
        snapshot->entries = {{"", gb("暴雨红"), ""},
                             {"\x89PNG\r\n\x1a\nbroken", gb("大风红"), ""},
                             {"", gb("大风蓝"), ""}};
        show(snapshot, 0);
        DetailsWindow window(state_);
        window.show();
        window.showDetailPictures();
        const auto shown = pictures(window);
        // In points as laid out, in the screen's own pixels as drawn: sharp when scaled.
        QCOMPARE(shown[0]->pixmap().deviceIndependentSize().toSize(), QSize(150, 123));
        QCOMPARE(shown[0]->pixmap().devicePixelRatio(), window.devicePixelRatioF());
        QCOMPARE(imageOf(shown[0]), imageOf(shown[1]));  // both the red one
        QVERIFY(imageOf(shown[0]) != imageOf(shown[2]));
    }

    void switchButtonOffersItselfOnlyForMoreThanThree_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("offered");
        QTest::newRow("three") << 3 << false;
        QTest::newRow("four") << 4 << true;
    }

    void switchButtonOffersItselfOnlyForMoreThanThree() {
        QFETCH(int, count);
        QFETCH(bool, offered);
        show(displayOf(count), 0);
        DetailsWindow window(state_);
        window.show();
        auto* timer = control<QTimer>(window, "switchButtonTimer");
        QCOMPARE(timer->interval(), 3000);
        moveOverPicture3(window);
        QCOMPARE(control<QPushButton>(window, "switchButton")->isVisible(), offered);
        QVERIFY(timer->isActive());
    }

    void switchButtonHidesWhenItsTimerFires() {
        show(displayOf(5), 0);
        DetailsWindow window(state_);
        window.show();
        auto* button = control<QPushButton>(window, "switchButton");
        control<QTimer>(window, "switchButtonTimer")->setInterval(1);
        moveOverPicture3(window);
        QVERIFY(button->isVisible());
        QTRY_VERIFY(!button->isVisible());
    }

    void switchButtonClickAsksForTheNextPictures() {
        show(displayOf(5), 0);
        DetailsWindow window(state_);
        window.show();
        QSignalSpy switched(&window, &DetailsWindow::switchRequested);
        moveOverPicture3(window);
        auto* button = control<QPushButton>(window, "switchButton");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(switched.count(), 1);
        QVERIFY(!button->isVisible());
    }

    void detailsTextReportsWhetherItChanged() {
        DetailsWindow window(state_);
        auto* box = control<QPlainTextEdit>(window, "detailsText");
        QVERIFY(!window.setDetailsText(gb("未获取到预警信息。")));
        QVERIFY(window.setDetailsText(gb("暴雨蓝色预警\r\n某地发布")));
        QCOMPARE(box->toPlainText(), QStringLiteral("暴雨蓝色预警\n某地发布"));
        QVERIFY(!window.setDetailsText(gb("暴雨蓝色预警\r\n某地发布")));
        QVERIFY(window.setDetailsText(gb("暴雨蓝色预警\r\n某地发布 08:00")));
        QVERIFY(window.setDetailsText(gb("未获取到预警信息。")));
        QCOMPARE(box->toPlainText(), QStringLiteral("未获取到预警信息。"));
    }

    void hugeDetailsTextIsCutAtAWholeCharacter() {
        DetailsWindow window(state_);
        auto* box = control<QPlainTextEdit>(window, "detailsText");
        // The limit falls between the two halves of a surrogate pair.
        std::string text = "a";
        for (int i = 0; i < DetailsWindow::kShownTextLimit / 2 + 10; ++i) {
            text += gb("😀");
        }
        QVERIFY(window.setDetailsText(text));
        const QString shown = box->toPlainText();
        QCOMPARE(shown.size(), DetailsWindow::kShownTextLimit - 1);
        QVERIFY(shown.endsWith(QStringLiteral("😀")));
        QVERIFY(!window.setDetailsText(text));  // compared whole, not as cut
        QVERIFY(window.setDetailsText(text + "b"));
    }

    void statusLineShowsTextInItsColour_data() {
        QTest::addColumn<bool>("error");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("progress") << false << QColor(Qt::black);
        QTest::newRow("failure") << true << QColor(Qt::red);
    }

    void statusLineShowsTextInItsColour() {
        QFETCH(bool, error);
        QFETCH(QColor, colour);
        DetailsWindow window(state_);
        auto* status = control<QLabel>(window, "statusLine");
        window.setStatus({gb("共有2种类型的2个预警正生效中。\r\n蓝色预警1个，黄色预警1个，"
                             "橙色预警0个，红色预警0个。"),
                          error});
        QCOMPARE(status->text(),
                 QStringLiteral("共有2种类型的2个预警正生效中。\n蓝色预警1个，黄色预警1个，"
                                "橙色预警0个，红色预警0个。"));
        QVERIFY(status->toolTip().isEmpty());
        QCOMPARE(status->palette().color(QPalette::WindowText), colour);
    }

    void longStatusIsShortenedToTwoLines() {
        DetailsWindow window(state_);
        auto* status = control<QLabel>(window, "statusLine");
        std::string text = "<b>" + gb("下载失败：");
        for (int i = 0; i < 20000; ++i) {
            text += gb("服务器无响应");
        }
        window.setStatus({text, true});
        const QStringList lines = status->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.first().startsWith(QStringLiteral("<b>下载失败：")));
        QVERIFY(lines.last().endsWith(QChar(0x2026)));
        const QFontMetrics metrics(status->font());
        for (const QString& line : lines) {
            QVERIFY(metrics.horizontalAdvance(line) <= status->width());
        }
        QVERIFY(status->toolTip().contains(QStringLiteral("&lt;b&gt;下载失败：")));
    }

    void statusClickShowsTheUnexpectedData() {
        DetailsWindow window(state_, [] { return gb("<html>维护中</html>"); });
        window.show();
        clickStatusLine(window);
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        const MessageRequest& shown = MessageBox::asked().front();
        QCOMPARE(shown.title, QStringLiteral("获取预警数据时发生错误"));
        QCOMPARE(shown.text,
                 QStringLiteral("服务器返回了未预期的数据：\r\n\r\n<html>维护中</html>"));
        QCOMPARE(shown.icon, MessageIcon::exclamation);
        QCOMPARE(shown.buttons, MessageButtons::ok);
        QVERIFY(shown.owner == nullptr);
    }

    void statusClickWithoutDataDoesNothing() {
        DetailsWindow withoutSource(state_);
        DetailsWindow withNothingStored(state_, [] { return std::string(); });
        for (DetailsWindow* window : {&withoutSource, &withNothingStored}) {
            window->show();
            clickStatusLine(*window);
        }
        QVERIFY(MessageBox::asked().empty());
    }

    void closeBoxOnlyHides() {
        auto* window = new DetailsWindow(state_);
        window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<DetailsWindow> alive(window);
        window->showDetailsWindow();
        QVERIFY(!window->close());
        QVERIFY(!window->isVisible());
        QCoreApplication::processEvents();
        QVERIFY(!alive.isNull());
        window->closeForGood();
        QTRY_VERIFY(alive.isNull());
    }

    void showingRestoresAndActivates() {
        DetailsWindow window(state_);
        window.showMinimized();
        window.showDetailsWindow();
        QVERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
        QTRY_VERIFY(window.isActiveWindow());
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredDetailsWindowTest =
    galewarden::test::registerQtTest<galewarden::DetailsWindowTest>("DetailsWindowTest");
}  // namespace

#include "DetailsWindowTest.moc"
