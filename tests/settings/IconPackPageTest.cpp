#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "AlertService.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "settings/update_views/IconPackPage.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "support/WindowControls.h"
#include "ui/MessageBox.h"

namespace galewarden {
namespace {

using test::q;

std::string servedPicture(const char* utf8Name) {
    std::ifstream in(std::filesystem::path(GALEWARDEN_ALERT_SERVICE_DATA) / "pictures" /
                         (std::string(utf8Name) + ".png"),
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// The page offscreen on a fresh program directory, downloading from the stand-in service.
class IconPackPageTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<alertservice::AlertService> service_;
    std::unique_ptr<ConfigStore> store_;
    std::unique_ptr<HttpClient> http_;
    std::unique_ptr<IconPackPage> page_;
    const std::string blue_ = servedPicture("暴雨蓝");
    const std::string orange_ = servedPicture("台风橙");

    IconPackPage& page() {
        if (!page_) {
            page_ = std::make_unique<IconPackPage>(*store_, *http_);
            page_->show();
            page_->activateWindow();
        }
        return *page_;
    }
    QListWidget& list() { return *page().findChild<QListWidget*>(QStringLiteral("iconList")); }
    QLabel& preview() { return *page().findChild<QLabel*>(QStringLiteral("iconPreview")); }
    void click(const char* button) {
        QPushButton* found = page().findChild<QPushButton*>(QString::fromLatin1(button));
        QVERIFY(found != nullptr);
        QVERIFY(found->isEnabled());
        found->click();
    }
    // The list's entries in order of their names.
    QStringList listed() {
        QStringList names;
        for (int row = 0; row < list().count(); ++row) {
            names << list().item(row)->text();
        }
        names.sort();
        return names;
    }
    void select(const QString& name) {
        const auto items = list().findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        list().setCurrentItem(items.front());
    }
    int pictureRequests() const {
        const auto lines = service_->requests();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const auto& line) {
            return line.starts_with("GET /Pack/");
        }));
    }
    // Every file in Pack, by name.
    QStringList packFiles() const {
        QStringList names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(home_->file("Pack"), error)) {
            names << QString::fromStdString(entry.path().filename().string());
        }
        names.sort();
        return names;
    }
    void waitForDownloads() { QTRY_VERIFY_WITH_TIMEOUT(page().isEnabled(), 20000); }

  private slots:
    void init() {
        home_ = std::make_unique<test::TestHome>();
        service_ = std::make_unique<alertservice::AlertService>(
            alertservice::ServiceSettings{GALEWARDEN_ALERT_SERVICE_DATA, {}, false});
        const int port = service_->start(0);
        store_ = std::make_unique<ConfigStore>();
        store_->writeQuoted("Sign", "URL", "http://127.0.0.1:" + std::to_string(port) + "/Pack");
        http_ = std::make_unique<HttpClient>();
        MessageBox::scriptAnswers({});
    }

    void cleanup() {
        page_.reset();
        service_.reset();
        http_.reset();
        store_.reset();
        MessageBox::stopScripting();
        home_.reset();
    }

    void listsPngFilesByNameWhateverTheCaseOfTheExtension() {
        home_->write("Pack/暴雨蓝.png", blue_);
        home_->write("Pack/x.PNG", orange_);
        home_->write("Pack/notes.txt", "not a picture");
        std::filesystem::create_directories(home_->file("Pack/folder.png"));
        QCOMPARE(listed(), (QStringList{q("x"), q("暴雨蓝")}));
        QVERIFY(preview().pixmap().isNull());

        select(q("x"));
        QCOMPARE(preview().size(), QSize(100, 82));
        QVERIFY(!preview().pixmap().isNull());
        QCOMPARE(preview().pixmap().size(),
                 QImage::fromData(QByteArray::fromStdString(orange_)).size());
    }

    void emptyOrMissingPackListsNothingAndDeletesNothing_data() {
        QTest::addColumn<bool>("folderExists");
        QTest::newRow("missing") << false;
        QTest::newRow("empty") << true;
    }

    void emptyOrMissingPackListsNothingAndDeletesNothing() {
        QFETCH(bool, folderExists);
        if (folderExists) {
            std::filesystem::create_directories(home_->file("Pack"));
        }
        QCOMPARE(list().count(), 0);
        click("deleteAllButton");
        click("updateAllButton");
        click("updateButton");
        click("deleteButton");
        QVERIFY(MessageBox::asked().empty());
        QCOMPARE(pictureRequests(), 0);
    }

    void downloadFetchesTheTypedNameAndRefillsTheList() {
        MessageBox::scriptTexts({q("台风橙")});
        click("downloadButton");
        QVERIFY(!page().isEnabled());
        waitForDownloads();
        QCOMPARE(MessageBox::askedTexts().size(), std::size_t{1});
        QCOMPARE(MessageBox::askedTexts()[0].title, q("手动下载预警图标"));
        QCOMPARE(MessageBox::askedTexts()[0].prompt,
                 q("请输入需要手动下载的预警图标，格式为预警类型+预警级别。\n如：“台风蓝”"));
        QVERIFY(MessageBox::asked().empty());
        QCOMPARE(home_->read("Pack/台风橙.png"), orange_);
        QCOMPARE(listed(), QStringList{q("台风橙")});
    }

    void downloadOfANameTheServerLacksReportsIt() {
        MessageBox::scriptTexts({q("台风紫")});
        click("downloadButton");
        waitForDownloads();
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        const MessageRequest& shown = MessageBox::asked()[0];
        QCOMPARE(shown.title, q("下载失败"));
        QCOMPARE(shown.text, q("未能下载“台风紫”。"));
        QCOMPARE(shown.icon, MessageIcon::exclamation);
        QCOMPARE(shown.buttons, MessageButtons::ok);
        QCOMPARE(shown.owner, page().window());
        QCOMPARE(list().count(), 0);
    }

    void downloadOfANameThatCannotBeStoredReportsIt() {
        MessageBox::scriptTexts({q("台风橙 ")});
        click("downloadButton");
        waitForDownloads();
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        QCOMPARE(MessageBox::asked()[0].title, q("保存失败"));
        QCOMPARE(MessageBox::asked()[0].text, q("保存“台风橙 .png”时出现问题。"));
    }

    void downloadDoesNothingForNoTextOrOneByte_data() {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("text");
        QTest::newRow("cancelled") << true << QString();
        QTest::newRow("empty") << false << QString();
        QTest::newRow("one ASCII character") << false << q("a");
    }

    void downloadDoesNothingForNoTextOrOneByte() {
        QFETCH(bool, cancelled);
        QFETCH(QString, text);
        const std::optional<QString> typed =
            cancelled ? std::nullopt : std::optional<QString>(text);
        home_->write("Pack/暴雨蓝.png", blue_);
        list();
        home_->write("Pack/大风黄.png", blue_);  // would appear if the list were refilled
        MessageBox::scriptTexts({typed});
        click("downloadButton");
        QVERIFY(page().isEnabled());
        QCOMPARE(pictureRequests(), 0);
        QCOMPARE(listed(), QStringList{q("暴雨蓝")});
    }

    void updateFetchesTheSelectedPictureAgainWithoutRefilling() {
        home_->write("Pack/台风橙.png", blue_);
        select(q("台风橙"));
        home_->write("Pack/大风黄.png", blue_);
        click("updateButton");
        QVERIFY(!page().isEnabled());
        waitForDownloads();
        QCOMPARE(home_->read("Pack/台风橙.png"), orange_);
        QCOMPARE(listed(), QStringList{q("台风橙")});
        QVERIFY(MessageBox::asked().empty());
        QCOMPARE(pictureRequests(), 1);
    }

    void updateReportsAFailingServiceAndKeepsThePicture() {
        home_->write("Pack/台风橙.png", blue_);
        select(q("台风橙"));
        QVERIFY(service_->selectScenario("html-error"));
        click("updateButton");
        waitForDownloads();
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        QCOMPARE(MessageBox::asked()[0].title, q("下载失败"));
        QCOMPARE(home_->read("Pack/台风橙.png"), blue_);
    }

    void deleteAsksAndRemovesTheSelectedPicture() {
        home_->write("Pack/暴雨蓝.png", blue_);
        home_->write("Pack/台风橙.png", orange_);
        select(q("暴雨蓝"));
        page().findChild<QPushButton*>(QStringLiteral("deleteButton"))->setFocus();
        MessageBox::scriptAnswers({MessageAnswer::no});
        click("deleteButton");
        QVERIFY(std::filesystem::exists(home_->file("Pack/暴雨蓝.png")));

        MessageBox::scriptAnswers({MessageAnswer::yes});
        click("deleteButton");
        QCOMPARE(MessageBox::asked().size(), std::size_t{2});
        const MessageRequest& question = MessageBox::asked()[1];
        QCOMPARE(question.title, q("删除"));
        QCOMPARE(question.text, q("确定删除“暴雨蓝.png”？"));
        QCOMPARE(question.icon, MessageIcon::question);
        QCOMPARE(question.buttons, MessageButtons::yesNo);
        QCOMPARE(question.defaultAnswer, MessageAnswer::no);
        QCOMPARE(question.owner, page().window());
        QCOMPARE(packFiles(), QStringList{q("台风橙.png")});
        QCOMPARE(listed(), QStringList{q("台风橙")});
        QCOMPARE(list().currentRow(), -1);
        QTRY_VERIFY(list().hasFocus());
    }

    void deleteRemovesAFileWithAnUpperCaseExtension() {
        home_->write("Pack/x.PNG", orange_);
        select(q("x"));
        MessageBox::scriptAnswers({MessageAnswer::yes});
        click("deleteButton");
        QCOMPARE(packFiles(), QStringList{});
        QCOMPARE(list().count(), 0);
    }

    void deleteAllAsksAndRemovesEveryPngFoundAnew() {
        home_->write("Pack/暴雨蓝.png", blue_);
        home_->write("Pack/x.PNG", orange_);
        home_->write("Pack/notes.txt", "kept");
        list();
        home_->write("Pack/a..b.png",
                     blue_);  // neither listed nor a usable name: deleted all the same
        home_->write("Pack/later.png", blue_);  // added after the list was filled
        MessageBox::scriptAnswers({MessageAnswer::no});
        click("deleteAllButton");
        QCOMPARE(packFiles().size(), 5);

        MessageBox::scriptAnswers({MessageAnswer::yes});
        click("deleteAllButton");
        QCOMPARE(MessageBox::asked().size(), std::size_t{2});
        QCOMPARE(MessageBox::asked()[1].title, q("删除"));
        QCOMPARE(MessageBox::asked()[1].text, q("确定删除全部预警图标？"));
        QCOMPARE(MessageBox::asked()[1].defaultAnswer, MessageAnswer::no);
        QCOMPARE(packFiles(), QStringList{q("notes.txt")});
        QCOMPARE(list().count(), 0);
    }

    void updateAllFetchesEveryEntrySilently() {
        home_->write("Pack/暴雨蓝.png", orange_);
        home_->write("Pack/台风橙.png", blue_);
        home_->write("Pack/台风紫.png", blue_);  // the server has none: skipped without a word
        list();
        click("updateAllButton");
        QVERIFY(!page().isEnabled());
        waitForDownloads();
        QCOMPARE(pictureRequests(), 3);
        QVERIFY(MessageBox::asked().empty());
        QCOMPARE(home_->read("Pack/暴雨蓝.png"), blue_);
        QCOMPARE(home_->read("Pack/台风橙.png"), orange_);
        QCOMPARE(home_->read("Pack/台风紫.png"), blue_);
        QCOMPARE(list().currentRow(), list().count() - 1);
    }

    void refreshShowsFilesAddedMeanwhile() {
        list();
        home_->write("Pack/大风黄.png", blue_);
        QCOMPARE(list().count(), 0);
        click("refreshButton");
        QCOMPARE(listed(), QStringList{q("大风黄")});
    }

    void goingAwayDuringADownloadDoesNotWait() {
        QVERIFY(service_->selectScenario("stall"));
        home_->write("Pack/台风橙.png", blue_);
        select(q("台风橙"));
        click("updateButton");
        QTRY_COMPARE(pictureRequests(), 1);
        page_.reset();
        QCOMPARE(home_->read("Pack/台风橙.png"), blue_);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredIconPackPageTest =
    galewarden::test::registerQtTest<galewarden::IconPackPageTest>("IconPackPageTest");
}  // namespace

#include "IconPackPageTest.moc"
