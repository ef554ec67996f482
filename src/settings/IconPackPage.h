#pragma once

#include <QWidget>
#include <memory>

namespace galewarden {

class ConfigStore;
class HttpClient;

// The lower part of the settings window's page "图标下载": the pictures in Pack with a preview,
// and the buttons that download, update and delete them.
class IconPackPage : public QWidget {
    Q_OBJECT

  public:
    IconPackPage(const ConfigStore& store, const HttpClient& http, QWidget* parent = nullptr);
    ~IconPackPage() override;

    void refreshIconList();

  private:
    struct Controls;
    std::unique_ptr<Controls> controls_;
};

}  // namespace galewarden
