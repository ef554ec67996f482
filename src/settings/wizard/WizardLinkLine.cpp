#include "settings/wizard/WizardLinkLine.h"

namespace galewarden {
namespace {

// The address without its scheme reads better in the narrow line.
QString shownAddress(QString url) {
    for (const QString& scheme : {QStringLiteral("https://"), QStringLiteral("http://")}) {
        if (url.startsWith(scheme)) {
            return url.mid(scheme.size());
        }
    }
    return url;
}

}  // namespace

WizardLinkLine::WizardLinkLine(const QString& caption, const QString& url, QWidget* parent)
    : QLabel(parent), caption_(caption), url_(url) {
    setTextFormat(Qt::RichText);
    setOpenExternalLinks(true);
    connect(this, &QLabel::linkHovered, this,
            [this](const QString& link) { showLink(!link.isEmpty()); });
    showLink(false);
}

void WizardLinkLine::showLink(bool hovered) {
    const QString linkStyle = hovered ? QStringLiteral("color:#007777; text-decoration:underline")
                                      : QStringLiteral("color:#0044FF; text-decoration:none");
    setText(QStringLiteral("<span style=\"font-family:Verdana,'Microsoft Yahei','WenQuanYi Micro "
                           "Hei'; font-size:10pt; color:#222277\">%1<a href=\"%2\" "
                           "style=\"%3\">%4</a></span>")
                .arg(caption_.toHtmlEscaped(), url_.toHtmlEscaped(), linkStyle,
                     shownAddress(url_).toHtmlEscaped()));
}

}  // namespace galewarden
