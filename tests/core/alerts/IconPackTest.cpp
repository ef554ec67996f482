#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include <galewarden/Version.h>

#include "core/alerts/pictures/BuiltinPictures.h"
#include "core/alerts/pictures/IconPack.h"
#include "core/alerts/pictures/PngImage.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "support/LoopbackServer.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

std::string pictureOf(std::uint32_t colour) {
    return encodePng(std::vector<std::uint32_t>(8 * 8, colour), 8, 8);
}

// The picture folder on loopback: counts requests, remembers the last one, and can hold its
// answers back until the test releases them.
class PictureServer {
  public:
    PictureServer() {
        loopback_.server().Get(
            "/Pack/.*", [this](const httplib::Request& request, httplib::Response& response) {
                answer(request, response);
            });
        loopback_.start();
    }
    ~PictureServer() {
        release();
        loopback_.stop();
    }

    std::string base() const { return loopback_.url("/Pack"); }

    void setAnswer(std::string body, int status = 200, std::string type = "image/png") {
        const std::lock_guard lock(mutex_);
        body_ = std::move(body);
        status_ = status;
        type_ = std::move(type);
    }
    void hold() {
        const std::lock_guard lock(mutex_);
        holding_ = true;
    }
    void release() {
        const std::lock_guard lock(mutex_);
        holding_ = false;
        changed_.notify_all();
    }
    void waitForRequests(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return requests_ >= count; });
    }
    int requests() const {
        const std::lock_guard lock(mutex_);
        return requests_;
    }
    httplib::Request lastRequest() const {
        const std::lock_guard lock(mutex_);
        return last_;
    }

  private:
    void answer(const httplib::Request& request, httplib::Response& response) {
        std::unique_lock lock(mutex_);
        ++requests_;
        last_ = request;
        changed_.notify_all();
        changed_.wait(lock, [this] { return !holding_; });
        response.status = status_;
        response.set_content(body_, type_.c_str());
    }

    test::LoopbackServer loopback_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string body_ = pictureOf(0xFF2060C0);
    int status_ = 200;
    std::string type_ = "image/png";
    bool holding_ = false;
    int requests_ = 0;
    httplib::Request last_;
};

class IconPackTest : public ::testing::Test {
  protected:
    IconPackTest() { store.write(keys::kSignUrl, server.base()); }

    std::filesystem::path packFile(std::string_view utf8Name) const {
        return home.file("Pack/" + std::string(utf8Name) + ".png");
    }
    // Every file under the program directory except the configuration.
    std::vector<std::filesystem::path> strayFiles() const {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(home.path())) {
            if (!entry.is_directory() && entry.path().filename() != "Galewarden.ini") {
                found.push_back(entry.path());
            }
        }
        return found;
    }

    test::TestHome home;
    PictureServer server;
    ConfigStore store;
    HttpClient http;
    IconPack pack{store, http};
    const std::string served = pictureOf(0xFF2060C0);
};

TEST_F(IconPackTest, NameWithoutColourGivesUnknownPictureWithoutFilesOrRequests) {
    for (const char* name : {"龙卷风", "大风无", "", "x"}) {
        EXPECT_EQ(pack.pictureFor(gb(name)), builtinPicture(0)) << name;
    }
    EXPECT_EQ(server.requests(), 0);
    EXPECT_FALSE(std::filesystem::exists(home.file("Pack")));
}

TEST_F(IconPackTest, MissingOrEmptyFileIsDownloadedAndThenReadAnewEachTime) {
    home.write("Pack/暴雨蓝.png", "");
    for (const char* name : {"暴雨蓝", "大风黄"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(pack.pictureFor(gb(name)), served);
        EXPECT_EQ(home.read("Pack/" + std::string(name) + ".png"), served);
    }
    EXPECT_EQ(server.requests(), 2);

    const std::string replaced = pictureOf(0xFFFFFFFF);
    home.write("Pack/暴雨蓝.png", replaced);
    EXPECT_EQ(pack.pictureFor(gb("暴雨蓝")), replaced);
    EXPECT_EQ(server.requests(), 2);
}

TEST_F(IconPackTest, WithAutoOffTheColourPictureIsShownAndNothingFetched) {
    store.write(keys::kSignAuto, "0");
    EXPECT_EQ(pack.pictureFor(gb("暴雨蓝")), builtinPicture(2));
    home.write("Pack/暴雨蓝.png", "");
    EXPECT_EQ(pack.pictureFor(gb("暴雨蓝")), builtinPicture(2));
    EXPECT_EQ(pack.pictureFor(gb("高温红")), builtinPicture(5));
    EXPECT_EQ(server.requests(), 0);
}

TEST_F(IconPackTest, AnswerThatIsNoPictureLeavesPackUnchanged) {
    const std::string old = pictureOf(0xFF808080);
    home.write("Pack/台风红.png", old);
    const std::vector<std::pair<std::string, int>> answers{
        {"<html><body><h1>404 Not Found</h1></body></html>", 404},
        {"", 200},
        {served.substr(0, served.size() / 2), 200}};
    for (const auto& [body, status] : answers) {
        server.setAnswer(body, status, "text/html");
        EXPECT_EQ(pack.download(gb("台风红")), DownloadResult::NotAPicture);
        EXPECT_EQ(pack.pictureFor(gb("暴雨橙")), builtinPicture(4));
    }
    EXPECT_EQ(server.requests(), 6);
    EXPECT_EQ(home.read("Pack/台风红.png"), old);
    EXPECT_FALSE(std::filesystem::exists(packFile("暴雨橙")));
}

TEST_F(IconPackTest, DownloadUrlCarriesDigestNameAndVersion) {
    EXPECT_EQ(pack.downloadUrl(gb("台风蓝")), server.base() +
                                                  "/27ea603d3a60385af46b603f729283ad.png"
                                                  "?n=%E5%8F%B0%E9%A3%8E%E8%93%9D&v=" +
                                                  kVersionText);
}

TEST_F(IconPackTest, DownloadSavesThePictureUnderItsName) {
    EXPECT_EQ(pack.download(gb("台风蓝")), DownloadResult::Saved);
    EXPECT_EQ(home.read("Pack/台风蓝.png"), served);
    const httplib::Request request = server.lastRequest();
    EXPECT_EQ(request.path, "/Pack/27ea603d3a60385af46b603f729283ad.png");
    EXPECT_EQ(request.get_param_value("n"), "台风蓝");
    EXPECT_EQ(request.get_param_value("v"), kVersionText);
}

TEST_F(IconPackTest, PictureThatCannotBeStoredIsASaveFailure) {
    std::filesystem::create_directories(packFile("台风蓝"));
    EXPECT_EQ(pack.download(gb("台风蓝")), DownloadResult::SaveFailed);
    EXPECT_EQ(pack.pictureFor(gb("台风蓝")), builtinPicture(2));
}

TEST_F(IconPackTest, NamesThatAreNoPlainFileNameNeverBecomePaths) {
    EXPECT_EQ(IconPack::picturePath(gb("暴雨蓝")), home.text() + "/Pack/" + gb("暴雨蓝") + ".png");
    EXPECT_NE(IconPack::picturePath(gb("a.b 蓝")), "");

    std::vector<std::string> names;
    for (const char* name : {"../逃逸蓝", "a/b蓝", "a\\b蓝", "..蓝", "a..b蓝", "a\x01蓝", "a\x7F蓝",
                             "a\t蓝", "a<蓝", "a>蓝", "a:蓝", "a\"蓝", "a|蓝", "a?蓝", "a*蓝"}) {
        names.push_back(gb(name));
    }
    names.push_back(std::string("\xFF\xFF") + gb("蓝"));  // not GB18030
    names.push_back(std::string("a\0", 2) + gb("蓝"));
    for (const std::string& name : names) {
        SCOPED_TRACE(test::utf8(name));
        EXPECT_EQ(IconPack::picturePath(name), "");
        EXPECT_EQ(pack.pictureFor(name), builtinPicture(2));
        EXPECT_EQ(pack.download(name), DownloadResult::SaveFailed);
    }
    for (const char* name : {"大风.", "大风 ", ""}) {
        EXPECT_EQ(pack.download(gb(name)), DownloadResult::SaveFailed) << name;
    }
    EXPECT_EQ(server.requests(), 0);
    EXPECT_EQ(strayFiles(), std::vector<std::filesystem::path>{});
    EXPECT_FALSE(std::filesystem::exists(home.path().parent_path() / "逃逸蓝.png"));
}

TEST_F(IconPackTest, TemporaryFileIsRemovedAfterUse) {
    const std::filesystem::path temporary = home.file("tmp");
    std::filesystem::create_directories(temporary);
    const std::string previous = std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "";
    ::setenv("TMPDIR", temporary.c_str(), 1);

    EXPECT_EQ(pack.download(gb("台风蓝")), DownloadResult::Saved);
    server.setAnswer("<html>500</html>", 500, "text/html");
    EXPECT_EQ(pack.download(gb("台风黄")), DownloadResult::NotAPicture);

    if (previous.empty()) {
        ::unsetenv("TMPDIR");
    } else {
        ::setenv("TMPDIR", previous.c_str(), 1);
    }
    EXPECT_EQ(server.requests(), 2);
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
}

TEST_F(IconPackTest, StoppedDownloadSavesNothing) {
    std::stop_source stopped;
    stopped.request_stop();
    EXPECT_EQ(pack.download(gb("台风蓝"), stopped.get_token()), DownloadResult::NotAPicture);
    EXPECT_EQ(pack.pictureFor(gb("台风蓝"), stopped.get_token()), builtinPicture(2));
    EXPECT_EQ(server.requests(), 0);

    // Stopped while the server is still answering.
    server.hold();
    std::stop_source source;
    auto result = std::async(std::launch::async,
                             [&] { return pack.download(gb("台风蓝"), source.get_token()); });
    server.waitForRequests(1);
    source.request_stop();
    server.release();
    EXPECT_EQ(result.get(), DownloadResult::NotAPicture);
    EXPECT_FALSE(std::filesystem::exists(packFile("台风蓝")));
}

// The files of the folder Pack, by name, sorted.
std::vector<std::string> packContents(const test::TestHome& home) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(home.file("Pack"), error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

class StoredPictures : public ::testing::Test {
  protected:
    StoredPictures() {
        for (const char* name : {"暴雨蓝.png", "x.PNG", "y.Png", "a..b.png", ".png", "notes.txt",
                                 "png", "z.png.bak"}) {
            home.write("Pack/" + std::string(name), "bytes");
        }
        std::filesystem::create_directories(home.file("Pack/folder.png"));
    }

    test::TestHome home;
};

TEST_F(StoredPictures, ListsPngFilesWhateverTheCaseWithoutRefusedNames) {
    EXPECT_EQ(sorted(IconPack::storedNames()), sorted({gb("暴雨蓝"), "x", "y"}));
}

TEST_F(StoredPictures, StoredPathFindsTheFileOfAListedName) {
    EXPECT_EQ(IconPack::storedPath(gb("暴雨蓝")), home.text() + "/Pack/" + gb("暴雨蓝") + ".png");
    EXPECT_EQ(IconPack::storedPath("x"), home.text() + "/Pack/x.PNG");
    for (const char* name : {"missing", "folder", "a..b", "", "../Pack/x", "notes"}) {
        EXPECT_EQ(IconPack::storedPath(name), "") << name;
    }
}

TEST_F(StoredPictures, RemoveDeletesOneListedPicture) {
    EXPECT_TRUE(IconPack::remove(gb("暴雨蓝")));
    EXPECT_TRUE(IconPack::remove("x"));
    EXPECT_FALSE(IconPack::remove("x"));
    for (const char* name : {"a..b", "", "missing", "folder", "notes"}) {
        EXPECT_FALSE(IconPack::remove(name)) << name;
    }
    EXPECT_EQ(packContents(home),
              (std::vector<std::string>{".png", "a..b.png", "folder.png", "notes.txt", "png",
                                        "y.Png", "z.png.bak"}));
}

TEST_F(StoredPictures, RemoveAllDeletesEveryPngFileWhateverItsName) {
    EXPECT_EQ(IconPack::removeAll(), 5);
    EXPECT_EQ(packContents(home),
              (std::vector<std::string>{"folder.png", "notes.txt", "png", "z.png.bak"}));
    EXPECT_EQ(IconPack::storedNames(), std::vector<std::string>{});
    EXPECT_EQ(IconPack::removeAll(), 0);
}

TEST(StoredPicturesWithoutPack, EmptyOrMissingFolderHoldsNothing) {
    test::TestHome home;
    EXPECT_EQ(IconPack::storedNames(), std::vector<std::string>{});
    EXPECT_EQ(IconPack::removeAll(), 0);
    std::filesystem::create_directories(home.file("Pack"));
    EXPECT_EQ(IconPack::storedNames(), std::vector<std::string>{});
    EXPECT_EQ(IconPack::removeAll(), 0);
}

// A name that could leave Pack never reaches a file outside it.
TEST(StoredPicturesWithoutPack, RefusedNamesTouchNothingOutsidePack) {
    test::TestHome home;
    home.write("outside.png", "kept");
    home.write("Pack/inside.png", "kept");
    EXPECT_FALSE(IconPack::remove("../outside"));
    EXPECT_EQ(IconPack::storedPath("../outside"), "");
    EXPECT_EQ(home.read("outside.png"), "kept");
    EXPECT_EQ(IconPack::removeAll(), 1);
    EXPECT_EQ(home.read("outside.png"), "kept");
}

}  // namespace
}  // namespace galewarden
