#pragma once

#include <QWidget>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "core/alerts/pictures/IconPack.h"

namespace galewarden {

class ConfigStore;
class HttpClient;

// The lower part of the settings window's page "图标下载": the pictures in Pack with a preview,
// and the buttons that download, update and delete them. Downloads run off the interface
// thread; the page is disabled until they end.
class IconPackPage : public QWidget {
    Q_OBJECT

  public:
    IconPackPage(const ConfigStore& store, const HttpClient& http, QWidget* parent = nullptr);
    ~IconPackPage() override;

    void refreshIconList();

  private:
    struct Controls;

    void connectButtons();
    void showSelectedPicture();
    void downloadTypedName();
    void updateSelected();
    void deleteSelected();
    void updateAll();
    void updateAllFrom(std::size_t index);
    void deleteAll();
    void download(const std::string& name, std::function<void(DownloadResult)> done);
    void report(DownloadResult result, const std::string& name);

    std::unique_ptr<Controls> controls_;
};

}  // namespace galewarden
