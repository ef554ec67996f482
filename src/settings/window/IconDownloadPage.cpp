#include "settings/window/IconDownloadPage.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "settings/model/SettingsModel.h"
#include "settings/services/SettingsServices.h"
#include "settings/window/PageLayout.h"
#include "settings/window/SettingsControls.h"

namespace galewarden {

IconDownloadPage::IconDownloadPage(PageContext context, QWidget* parent)
    : QWidget(parent), context_(context) {
    QVBoxLayout* page = pageLayout(this);
    auto* top = new QHBoxLayout;
    top->addSpacing(kSelectorRoom + kRowIndent);
    auto_ = boundCheck(this, "signAuto", QStringLiteral("自动下载"), context_.model.signAuto);
    top->addWidget(auto_);
    top->addStretch();
    page->addSpacing(2);
    page->addLayout(top);
    page->addSpacing(2);
    auto* row = new QHBoxLayout;
    url_ = boundEdit(this, "signUrl", context_.model.signUrl);
    row->addWidget(captionFor(url_, QStringLiteral("&U.图标获取地址：")));
    row->addWidget(url_, 1);
    page->addLayout(row);
    if (context_.services.makeIconPackPage) {
        if (QWidget* pack = context_.services.makeIconPackPage(this)) {
            page->addWidget(pack, 1);
            return;
        }
    }
    page->addStretch();
}

void IconDownloadPage::showValues() {
    showField(auto_, context_.model.signAuto);
    showField(url_, context_.model.signUrl);
}

}  // namespace galewarden
