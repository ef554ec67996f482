#include <galewarden/Version.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>

#include "core/config/ConfigStore.h"
#include "core/config/ServiceHosts.h"
#include "settings/wizard/SetupWizard.h"
#include "settings/wizard/WizardPreview.h"
#include "support/PlacementPrinting.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "support/WindowControls.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

Q_DECLARE_METATYPE(galewarden::WizardOpening)

namespace galewarden {

namespace {

using test::control;
using test::gb;

// What the wizard asked of the program, and the answers it gets.
struct Recorder {
    int started = 0;
    int abandoned = 0;
    std::deque<DistrictSelection> districtAnswers;
    std::vector<DistrictSelection> districtsBefore;
    std::vector<QWidget*> owners;
    std::deque<IconPlacement> placementAnswers;
    std::vector<IconPlacement> placementsAsked;
    std::vector<bool> visibleWhilePicking;

    SettingsServices services() {
        SettingsServices services;
        services.startMonitoring = [this] { ++started; };
        services.abandonFirstRun = [this] { ++abandoned; };
        services.pickDistricts = [this](QWidget* owner, const DistrictSelection& chosenBefore) {
            owners.push_back(owner);
            districtsBefore.push_back(chosenBefore);
            DistrictSelection answer = districtAnswers.front();
            districtAnswers.pop_front();
            return answer;
        };
        services.pickPosition = [this](QWidget* owner, IconPlacement current) {
            owners.push_back(owner);
            visibleWhilePicking.push_back(owner->isVisible());
            placementsAsked.push_back(current);
            const IconPlacement answer = placementAnswers.front();
            placementAnswers.pop_front();
            return answer;
        };
        return services;
    }
};

struct Colour {
    int red, green, blue;
};

// Inside the emblem, left of and above the mark, in the 100 × 82 preview.
constexpr QPoint kLeftArm(33, 41);
constexpr QPoint kTopArm(53, 21);

bool near(const QColor& seen, Colour expected) {
    return std::abs(seen.red() - expected.red) <= 10 &&
           std::abs(seen.green() - expected.green) <= 10 &&
           std::abs(seen.blue() - expected.blue) <= 10;
}

}  // namespace

class SetupWizardTest : public QObject {
    Q_OBJECT

  private:
    static int page(QWidget& wizard) {
        return control<QStackedWidget>(wizard, "pages")->currentIndex();
    }
    static QString forwardText(QWidget& wizard) {
        return control<QPushButton>(wizard, "forwardButton")->text();
    }
    static QString counterText(QWidget& wizard) {
        return control<QLabel>(wizard, "pageCounter")->text();
    }
    // Every label's text on the page shown.
    static QString wizardTexts(QWidget& wizard) {
        QStringList texts;
        QWidget* shown = control<QStackedWidget>(wizard, "pages")->currentWidget();
        for (const QLabel* label : shown->findChildren<QLabel*>()) {
            texts << label->text();
        }
        return texts.join(QLatin1Char('\n'));
    }
    static void click(QWidget& wizard, const char* button) {
        QTest::mouseClick(control<QPushButton>(wizard, button), Qt::LeftButton);
    }
    static void type(QWidget& wizard, const char* edit, const QString& text) {
        auto* field = control<QLineEdit>(wizard, edit);
        field->selectAll();
        // Chinese comes through an input method, which commits whole strings.
        QInputMethodEvent typing;
        typing.setCommitString(text);
        QApplication::sendEvent(field, &typing);
    }
    static void show(QWidget& wizard) {
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    }
    static bool configExists(const test::TestHome& home) {
        return std::filesystem::exists(home.file("Galewarden.ini"));
    }

  private slots:
    void cleanup() { MessageBox::stopScripting(); }

    void aFreshWizardShowsTheWelcomePage() {
        const test::TestHome home;
        Recorder recorder;
        SetupWizard wizard(recorder.services(), WizardOpening::firstStart);
        show(wizard);
        QCOMPARE(wizard.windowTitle(), QStringLiteral("快速设置向导"));
        QVERIFY(wizard.parentWidget() == nullptr);
        QVERIFY(!wizard.isModal());
        QCOMPARE(page(wizard), 0);
        QCOMPARE(forwardText(wizard), QStringLiteral("&S.开始"));
        QVERIFY(!control<QPushButton>(wizard, "backButton")->isEnabled());
        QCOMPARE(control<QPushButton>(wizard, "backButton")->text(), QStringLiteral("&B.上一步"));
        QCOMPARE(control<QPushButton>(wizard, "abandonButton")->text(), QStringLiteral("&U.放弃"));
        QCOMPARE(counterText(wizard), QStringLiteral("1 / 6"));
        QCOMPARE(control<QLabel>(wizard, "versionLine")->text(),
                 QStringLiteral("当前版本号：") + QString::fromLatin1(kVersionText));
    }

    // A packaged copy: the update page cannot be ticked and the summary names the packages.
    void withUpdatesFromPackagesTheWizardChecksNothing() {
        const test::TestHome home;
        Recorder recorder;
        SettingsServices services = recorder.services();
        services.updatesFromPackages = true;
        SetupWizard wizard(services, WizardOpening::firstStart);
        show(wizard);
        QVERIFY(!control<QCheckBox>(wizard, "autoCheckBox")->isEnabled());
        QVERIFY(!control<QCheckBox>(wizard, "autoCheckBox")->isChecked());
        for (int page = 0; page < 5; ++page) {
            click(wizard, "forwardButton");
        }
        QVERIFY(control<QPlainTextEdit>(wizard, "summaryBox")
                    ->toPlainText()
                    .endsWith(QStringLiteral("√ 程序随系统的软件包更新。")));
        click(wizard, "forwardButton");
        QCOMPARE(ConfigStore().readText("CheckNew", "AutoCheck", ""), std::string("0"));
    }

    void theLinksLeadToTheWebSite() {
        const test::TestHome home;
        Recorder recorder;
        SetupWizard wizard(recorder.services(), WizardOpening::firstStart);
        const QString site = toQString(webHostBase());
        auto* siteLink = control<QLabel>(wizard, "siteLink");
        auto* updateLink = control<QLabel>(wizard, "updateLink");
        QVERIFY(siteLink->text().contains(QStringLiteral("官网：")));
        QVERIFY(siteLink->text().contains(QStringLiteral("href=\"%1\"").arg(site)));
        QVERIFY(updateLink->text().contains(QStringLiteral("获取更新：")));
        QVERIFY(updateLink->text().contains(
            QStringLiteral("href=\"%1/Download/#Galewarden\"").arg(site)));
        for (QLabel* link : {siteLink, updateLink}) {
            QVERIFY(link->openExternalLinks());
            QVERIFY(link->text().contains(QStringLiteral("#0044FF")));
        }
    }

    void aLinkUnderTheMouseTurnsTealAndUnderlined() {
        const test::TestHome home;
        SetupWizard wizard(SettingsServices{}, WizardOpening::firstStart);
        auto* link = control<QLabel>(wizard, "siteLink");
        const QString resting = link->text();
        QVERIFY(resting.contains(QStringLiteral("text-decoration:none")));
        emit link->linkHovered(toQString(webHostBase()));
        QVERIFY(link->text().contains(QStringLiteral("color:#007777; text-decoration:underline")));
        QVERIFY(!link->text().contains(QStringLiteral("#0044FF")));
        emit link->linkHovered(QString());
        QCOMPARE(link->text(), resting);
    }

    void theControlsShowTheConfiguration() {
        const test::TestHome home;
        home.write("Galewarden.ini", gb("[General]\r\nAutoRun=0\r\nWidth=150\r\nTop=x\r\n"
                                        "[Source]\r\nDistricts=\"杭州市\"\r\n"));
        Recorder recorder;
        SetupWizard wizard(recorder.services(), WizardOpening::fromSettings);
        QVERIFY(!control<QCheckBox>(wizard, "autoRunBox")->isChecked());
        // Only Windows asks for administrator rights.
        QCOMPARE(control<QCheckBox>(wizard, "autoRunBox")->text(), QStringLiteral("自动启动"));
        QVERIFY(control<QCheckBox>(wizard, "autoCheckBox")->isChecked());
        QCOMPARE(control<QLineEdit>(wizard, "districtEdit")->text(), QStringLiteral("杭州市"));
        QCOMPARE(control<QLineEdit>(wizard, "widthEdit")->text(), QStringLiteral("150"));
        QCOMPARE(control<QLineEdit>(wizard, "heightEdit")->text(), QStringLiteral("82"));
        QCOMPARE(control<QLineEdit>(wizard, "topEdit")->text(), QStringLiteral("x"));
        QCOMPARE(control<QLineEdit>(wizard, "rightEdit")->text(), QStringLiteral("80"));
    }

    void theClickTextStartsTheSetup() {
        const test::TestHome home;
        Recorder recorder;
        SetupWizard wizard(recorder.services(), WizardOpening::firstStart);
        show(wizard);
        auto* start = control<QLabel>(wizard, "startSetup");
        QCOMPARE(start->text().contains(QStringLiteral("单击此处开始设置")), true);
        QTest::mouseClick(start, Qt::LeftButton, {}, start->rect().center());
        QTRY_COMPARE(page(wizard), 1);
        QCOMPARE(counterText(wizard), QStringLiteral("2 / 6"));
        QCOMPARE(forwardText(wizard), QStringLiteral("&N.下一步"));
        QVERIFY(control<QPushButton>(wizard, "backButton")->isEnabled());
    }

    void allPagesToTheFinish_data() {
        QTest::addColumn<WizardOpening>("opening");
        QTest::newRow("first start") << WizardOpening::firstStart;
        QTest::newRow("from the settings window") << WizardOpening::fromSettings;
    }
    void allPagesToTheFinish() {
        QFETCH(WizardOpening, opening);
        const test::TestHome home;
        home.write("Galewarden.ini", "[General]\r\nInterval=30\r\n");
        Recorder recorder;
        SetupWizard wizard(recorder.services(), opening);
        show(wizard);

        click(wizard, "forwardButton");
        QCOMPARE(page(wizard), 1);
        QTest::mouseClick(control<QCheckBox>(wizard, "autoRunBox"), Qt::LeftButton);
        click(wizard, "forwardButton");
        QCOMPARE(page(wizard), 2);
        QCOMPARE(counterText(wizard), QStringLiteral("3 / 6"));
        QTest::mouseClick(control<QCheckBox>(wizard, "autoCheckBox"), Qt::LeftButton);
        click(wizard, "forwardButton");
        QCOMPARE(page(wizard), 3);
        type(wizard, "districtEdit", QStringLiteral("上海市,杭州市"));
        click(wizard, "forwardButton");
        QCOMPARE(page(wizard), 4);
        type(wizard, "widthEdit", QStringLiteral("120"));
        type(wizard, "topEdit", QStringLiteral("abc"));
        QCOMPARE(forwardText(wizard), QStringLiteral("&N.下一步"));
        click(wizard, "forwardButton");

        QCOMPARE(page(wizard), 5);
        QCOMPARE(counterText(wizard), QStringLiteral("6 / 6"));
        QCOMPARE(forwardText(wizard), QStringLiteral("&D.完成"));
        QVERIFY(control<QPushButton>(wizard, "backButton")->isEnabled());
        QCOMPARE(control<QLineEdit>(wizard, "districtEdit")->text(),
                 QStringLiteral("上海市 杭州市"));
        QCOMPARE(control<QPlainTextEdit>(wizard, "summaryBox")->toPlainText(),
                 QStringLiteral("稍后，程序将开始监测“上海市 杭州市”的气象预警。\n"
                                "× 计算机重新启动后需要手动打开才会再次监测。\n"
                                "× 可在设置界面手动检查最新版本。"));
        // The tray may be anywhere on a Linux desktop.
        QVERIFY(wizardTexts(wizard).contains(QStringLiteral("通知区域（系统托盘）中的程序图标")));
        QCOMPARE(recorder.started, 0);

        click(wizard, "forwardButton");
        QCOMPARE(recorder.started, 1);
        QCOMPARE(recorder.abandoned, 0);
        QVERIFY(!wizard.isVisible());
        QCOMPARE(test::utf8(home.read("Galewarden.ini")),
                 std::string("[General]\r\nInterval=30\r\nAutoRun=0\r\nWidth=120\r\n"
                             "Height=82\r\nTop=abc\r\nRight=80\r\n[CheckNew]\r\nAutoCheck=0\r\n"
                             "[Source]\r\nDistricts=\"上海市 杭州市\"\r\n"));
    }

    void backReturnsToThePreviousPage() {
        const test::TestHome home;
        Recorder recorder;
        SetupWizard wizard(recorder.services(), WizardOpening::firstStart);
        show(wizard);
        click(wizard, "forwardButton");
        click(wizard, "forwardButton");
        click(wizard, "backButton");
        QCOMPARE(page(wizard), 1);
        click(wizard, "backButton");
        QCOMPARE(page(wizard), 0);
        QCOMPARE(forwardText(wizard), QStringLiteral("&S.开始"));
        QVERIFY(!control<QPushButton>(wizard, "backButton")->isEnabled());
    }

    // Every way out but the finish writes nothing; at the first start "&U.放弃" and the close
    // box end the program.
    void leavingWithoutTheFinish_data() {
        QTest::addColumn<WizardOpening>("opening");
        QTest::addColumn<bool>("byCloseBox");
        QTest::addColumn<int>("abandoned");
        QTest::newRow("abandon at the first start") << WizardOpening::firstStart << false << 1;
        QTest::newRow("abandon from the settings") << WizardOpening::fromSettings << false << 0;
        QTest::newRow("close box at the first start") << WizardOpening::firstStart << true << 1;
        QTest::newRow("close box from the settings") << WizardOpening::fromSettings << true << 0;
    }
    void leavingWithoutTheFinish() {
        QFETCH(WizardOpening, opening);
        QFETCH(bool, byCloseBox);
        QFETCH(int, abandoned);
        const test::TestHome home;
        Recorder recorder;
        SetupWizard wizard(recorder.services(), opening);
        show(wizard);
        click(wizard, "forwardButton");
        QTest::mouseClick(control<QCheckBox>(wizard, "autoRunBox"), Qt::LeftButton);
        if (byCloseBox) {
            QVERIFY(wizard.close());
        } else {
            click(wizard, "abandonButton");
        }
        QCOMPARE(recorder.abandoned, abandoned);
        QCOMPARE(recorder.started, 0);
        QVERIFY(!wizard.isVisible());
        QVERIFY(!configExists(home));
    }

    void aCancelledDistrictPickerKeepsTheText() {
        const test::TestHome home;
        Recorder recorder;
        recorder.districtAnswers = {{}, {gb("上海市"), gb("中央气象台")}};
        SetupWizard wizard(recorder.services(), WizardOpening::firstStart);
        show(wizard);
        for (int i = 0; i < 3; ++i) {
            click(wizard, "forwardButton");
        }
        auto* edit = control<QLineEdit>(wizard, "districtEdit");
        click(wizard, "chooseDistrictsButton");
        QCOMPARE(edit->text(), QStringLiteral("北京市 中央气象台"));
        click(wizard, "chooseDistrictsButton");
        QCOMPARE(edit->text(), QStringLiteral("上海市 中央气象台"));
        QCOMPARE(recorder.owners, (std::vector<QWidget*>{&wizard, &wizard}));
        // The picker opens with the districts of the edit ticked.
        QCOMPARE(recorder.districtsBefore.back(),
                 (DistrictSelection{gb("北京市"), gb("中央气象台")}));
    }

    void moreThanTwoHundredDistrictsAreRefused() {
        const test::TestHome home;
        Recorder recorder;
        recorder.districtAnswers = {DistrictSelection(201, gb("上海市"))};
        MessageBox::scriptAnswers({MessageAnswer::ok});
        SetupWizard wizard(recorder.services(), WizardOpening::firstStart);
        show(wizard);
        for (int i = 0; i < 3; ++i) {
            click(wizard, "forwardButton");
        }
        click(wizard, "chooseDistrictsButton");
        QCOMPARE(control<QLineEdit>(wizard, "districtEdit")->text(),
                 QStringLiteral("北京市 中央气象台"));
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        const MessageRequest& asked = MessageBox::asked().front();
        QCOMPARE(asked.title, QStringLiteral("选择"));
        QCOMPARE(asked.text, QStringLiteral("最多只能设置 200 个。"));
        QVERIFY(asked.icon == MessageIcon::exclamation);
        QVERIFY(asked.buttons == MessageButtons::ok);
        QVERIFY(asked.owner == nullptr);
    }

    void thePositionPickerExchangesTheFourNumbers() {
        const test::TestHome home;
        Recorder recorder;
        recorder.placementAnswers = {{150, 123, 10, 20}, {-1, -1, -1, -1}, {0, 82, 60, 80}};
        SetupWizard wizard(recorder.services(), WizardOpening::firstStart);
        show(wizard);
        for (int i = 0; i < 4; ++i) {
            click(wizard, "forwardButton");
        }
        type(wizard, "widthEdit", QStringLiteral("120"));
        type(wizard, "heightEdit", QStringLiteral("abc"));
        type(wizard, "rightEdit", QStringLiteral("-7"));
        click(wizard, "choosePositionButton");
        QCOMPARE(recorder.placementsAsked.front(), (IconPlacement{120, 0, 60, -7}));
        QCOMPARE(recorder.visibleWhilePicking.front(), false);
        QVERIFY(wizard.isVisible());
        const char* edits[] = {"widthEdit", "heightEdit", "topEdit", "rightEdit"};
        const QStringList chosen{"150", "123", "10", "20"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(control<QLineEdit>(wizard, edits[i])->text(), chosen[i]);
        }
        click(wizard, "choosePositionButton");
        click(wizard, "choosePositionButton");
        QCOMPARE(recorder.placementsAsked.back(), (IconPlacement{150, 123, 10, 20}));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(control<QLineEdit>(wizard, edits[i])->text(), chosen[i]);
        }
        QCOMPARE(recorder.owners, (std::vector<QWidget*>(3, &wizard)));
    }

    // The program may leave services out; the wizard then does the rest of its work.
    void withoutServicesTheFinishStillWrites() {
        const test::TestHome home;
        SetupWizard wizard(SettingsServices{}, WizardOpening::firstStart);
        show(wizard);
        click(wizard, "forwardButton");
        click(wizard, "forwardButton");
        click(wizard, "forwardButton");
        click(wizard, "chooseDistrictsButton");
        click(wizard, "forwardButton");
        click(wizard, "choosePositionButton");
        QVERIFY(wizard.isVisible());
        click(wizard, "forwardButton");
        click(wizard, "forwardButton");
        QVERIFY(!wizard.isVisible());
        QCOMPARE(ConfigStore().read(keys::kDistricts), gb("北京市 中央气象台"));
    }

    // A new user gets the national warning map; the vendor's service stays one choice away.
    void theSourceChoiceDecidesWhatTheFinishWrites() {
        for (const bool keepDefault : {true, false}) {
            const test::TestHome home;
            SetupWizard wizard(SettingsServices{}, WizardOpening::firstStart);
            show(wizard);
            auto* choice = control<QComboBox>(wizard, "sourceChoice");
            QCOMPARE(choice->currentData().toString(), QStringLiteral("national-map"));
            QCOMPARE(choice->count(), 4);
            if (!keepDefault) {
                choice->setCurrentIndex(choice->findData(QStringLiteral("vendor")));
            }
            for (int i = 0; i < 6; ++i) {
                click(wizard, "forwardButton");
            }
            ConfigStore store;
            QCOMPARE(store.readText("Source", "UseKVX", "absent"),
                     std::string(keepDefault ? "0" : "absent"));
            QCOMPARE(store.readText("JSON", "Host", "absent"),
                     std::string(keepDefault ? "https://weather.cma.cn" : "absent"));
        }
    }

    void thePreviewShowsTheSixPicturesInOrder() {
        const test::TestHome home;
        SetupWizard wizard(SettingsServices{}, WizardOpening::firstStart);
        auto* preview = control<WizardPreview>(wizard, "preview");
        const Colour white{242, 242, 236}, blue{30, 108, 214}, yellow{247, 206, 24},
            orange{245, 134, 26}, red{220, 36, 36};
        const std::pair<Colour, Colour> expected[] = {{white, white},   {blue, blue},
                                                      {yellow, yellow}, {orange, orange},
                                                      {red, red},       {orange, yellow}};
        for (int step = 0; step < 7; ++step) {
            const int shown = preview->shownPicture();
            const QImage image = preview->pixmap().toImage();
            QCOMPARE(image.size(), QSize(100, 82));
            QVERIFY2(near(image.pixelColor(kLeftArm), expected[shown].first),
                     qPrintable(QString::number(shown)));
            QVERIFY2(near(image.pixelColor(kTopArm), expected[shown].second),
                     qPrintable(QString::number(shown)));
            preview->showNextPicture();
            QCOMPARE(preview->shownPicture(), (shown + 1) % 6);
        }
    }

    void thePreviewTimerStepsAndTheCycleOutlivesTheWizard() {
        const test::TestHome home;
        int last = 0;
        {
            SetupWizard wizard(SettingsServices{}, WizardOpening::firstStart);
            show(wizard);
            auto* timer = control<QTimer>(wizard, "previewTimer");
            QCOMPARE(timer->interval(), 2000);
            QVERIFY(timer->isActive());
            auto* preview = control<WizardPreview>(wizard, "preview");
            const int first = preview->shownPicture();
            QTRY_COMPARE(preview->shownPicture(), (first + 1) % 6);
            last = preview->shownPicture();
        }
        SetupWizard again(SettingsServices{}, WizardOpening::fromSettings);
        QCOMPARE(control<WizardPreview>(again, "preview")->shownPicture(), (last + 1) % 6);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredSetupWizardTest =
    galewarden::test::registerQtTest<galewarden::SetupWizardTest>("SetupWizardTest");
}  // namespace

#include "SetupWizardTest.moc"
