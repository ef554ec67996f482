#include "settings/update_views/IconPackPage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "settings/update_model/IconPackList.h"
#include "settings/update_views/UpdateWorker.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

constexpr QSize kPreviewSize{100, 82};

QPushButton* addButton(QVBoxLayout& column, const char* objectName, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(objectName));
    column.addWidget(button);
    return button;
}

}  // namespace

struct IconPackPage::Controls {
    Controls(IconPackPage& page, const ConfigStore& configuration, const HttpClient& client)
        : store(configuration), http(client), worker(page) {}

    const ConfigStore& store;
    const HttpClient& http;
    IconPackList list;
    UpdateWorker worker;
    QListWidget* names = nullptr;
    QLabel* preview = nullptr;
    QPushButton* download = nullptr;
    QPushButton* update = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* refresh = nullptr;
    QPushButton* updateAll = nullptr;
    QPushButton* removeAll = nullptr;
};

IconPackPage::IconPackPage(const ConfigStore& store, const HttpClient& http, QWidget* parent)
    : QWidget(parent), controls_(std::make_unique<Controls>(*this, store, http)) {
    Controls& c = *controls_;
    auto* group = new QGroupBox(QStringLiteral("已下载列表"), this);
    c.names = new QListWidget(group);
    c.names->setObjectName(QStringLiteral("iconList"));
    c.names->setSelectionMode(QAbstractItemView::SingleSelection);
    c.preview = new QLabel(group);
    c.preview->setObjectName(QStringLiteral("iconPreview"));
    c.preview->setFixedSize(kPreviewSize);
    c.preview->setScaledContents(true);

    auto* buttons = new QVBoxLayout;
    c.download = addButton(*buttons, "downloadButton", QStringLiteral("&S.下载"));
    c.update = addButton(*buttons, "updateButton", QStringLiteral("&U.更新"));
    c.remove = addButton(*buttons, "deleteButton", QStringLiteral("&D.删除"));
    c.refresh = addButton(*buttons, "refreshButton", QStringLiteral("&R.刷新"));
    c.updateAll = addButton(*buttons, "updateAllButton", QStringLiteral("&A.全部更新"));
    c.removeAll = addButton(*buttons, "deleteAllButton", QStringLiteral("&C.全部删除"));
    buttons->addStretch();

    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(c.preview);
    previewColumn->addStretch();
    auto* row = new QHBoxLayout(group);
    row->addWidget(c.names, 1);
    row->addLayout(previewColumn);
    row->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(group);

    connectButtons();
    refreshIconList();
}

IconPackPage::~IconPackPage() = default;

void IconPackPage::connectButtons() {
    Controls& c = *controls_;
    connect(c.names, &QListWidget::currentRowChanged, this, [this](int row) {
        controls_->list.select(row);
        showSelectedPicture();
    });
    connect(c.download, &QPushButton::clicked, this, &IconPackPage::downloadTypedName);
    connect(c.update, &QPushButton::clicked, this, &IconPackPage::updateSelected);
    connect(c.remove, &QPushButton::clicked, this, &IconPackPage::deleteSelected);
    connect(c.refresh, &QPushButton::clicked, this, &IconPackPage::refreshIconList);
    connect(c.updateAll, &QPushButton::clicked, this, &IconPackPage::updateAll);
    connect(c.removeAll, &QPushButton::clicked, this, &IconPackPage::deleteAll);
}

void IconPackPage::refreshIconList() {
    Controls& c = *controls_;
    c.list.refresh();
    const QSignalBlocker quiet(c.names);
    c.names->clear();
    for (const std::string& name : c.list.names()) {
        c.names->addItem(toQString(name));
    }
    c.names->setCurrentRow(-1);
    showSelectedPicture();
}

void IconPackPage::showSelectedPicture() {
    const std::optional<std::string> name = controls_->list.selectedName();
    QPixmap picture;
    if (name) {
        picture.load(toQString(IconPack::storedPath(*name)));
    }
    controls_->preview->setPixmap(picture);
}

void IconPackPage::downloadTypedName() {
    const IconPackMessage prompt = downloadPrompt();
    const std::optional<QString> typed =
        MessageBox::askText({shownText(prompt.title), shownText(prompt.text), {}, window()});
    if (!typed) {
        return;
    }
    const std::string name = fromQString(*typed);
    if (!isDownloadRequest(name)) {
        return;
    }
    download(name, [this, name](DownloadResult result) {
        report(result, name);
        refreshIconList();
    });
}

void IconPackPage::updateSelected() {
    const std::optional<std::string> name = controls_->list.selectedName();
    if (!name) {
        return;
    }
    download(*name, [this, name = *name](DownloadResult result) {
        report(result, name);
        showSelectedPicture();
    });
}

void IconPackPage::deleteSelected() {
    const std::optional<std::string> name = controls_->list.selectedName();
    if (!name) {
        return;
    }
    const IconPackMessage question = deleteQuestion(*name);
    if (MessageBox::ask({shownText(question.title), shownText(question.text), MessageIcon::question,
                         MessageButtons::yesNo, MessageAnswer::no, window()}) !=
        MessageAnswer::yes) {
        return;
    }
    (void)IconPack::remove(*name);  // a file in use stays and is listed again
    refreshIconList();
    controls_->names->setFocus();
}

void IconPackPage::updateAll() {
    updateAllFrom(0);
}

// One entry after the other, each selected while its picture is fetched; failures are skipped.
void IconPackPage::updateAllFrom(std::size_t index) {
    const std::vector<std::string>& names = controls_->list.names();
    if (index >= names.size()) {
        return;
    }
    controls_->names->setCurrentRow(static_cast<int>(index));
    download(names[index], [this, index](DownloadResult) {
        showSelectedPicture();
        updateAllFrom(index + 1);
    });
}

void IconPackPage::deleteAll() {
    if (controls_->list.empty()) {
        return;
    }
    const IconPackMessage question = deleteAllQuestion();
    if (MessageBox::ask({shownText(question.title), shownText(question.text), MessageIcon::question,
                         MessageButtons::yesNo, MessageAnswer::no, window()}) !=
        MessageAnswer::yes) {
        return;
    }
    (void)IconPack::removeAll();
    refreshIconList();
}

// The page stays disabled from the start of a download until `done` has run.
void IconPackPage::download(const std::string& name, std::function<void(DownloadResult)> done) {
    Controls& c = *controls_;
    // A copy: a download still running when the page goes keeps its own configuration.
    const ConfigStore store = c.store;
    const HttpClient* http = &c.http;
    const bool started = c.worker.start(
        [store, http, name](std::stop_token stop) {
            return IconPack(store, *http).download(name, stop);
        },
        [this, done = std::move(done)](DownloadResult result) {
            setEnabled(true);
            done(result);
        });
    if (started) {
        setEnabled(false);
    }
}

void IconPackPage::report(DownloadResult result, const std::string& name) {
    const std::optional<IconPackMessage> message = downloadReport(result, name);
    if (message) {
        MessageBox::ask({shownText(message->title), shownText(message->text),
                         MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok,
                         window()});
    }
}

}  // namespace galewarden
