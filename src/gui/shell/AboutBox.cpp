#include "gui/shell/AboutBox.h"

#include "gui/shell/WebAddresses.h"

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int logoSize = 96;
constexpr QSize licenseSize(600, 260);

QString licenceText()
{
    programIcon(); // registers the resources
    QFile file(":/ui/LICENSE");
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QLabel* logo(int size)
{
    auto* picture = new QLabel;
    picture->setObjectName("Image1");
    picture->setPixmap(programIcon().pixmap(size, size));
    picture->setAlignment(Qt::AlignCenter);
    return picture;
}
} // namespace

AboutBox::AboutBox(QWidget* parent)
    : TKestDialog({.objectName = "TfrmAbout", .caption = "Drawsage", .centreOnScreen = true},
                  parent)
{
    m_pages = new QTabWidget;
    m_pages->setObjectName("PageControl1");
    m_pages->addTab(buildAboutPage(), "About");
    m_pages->addTab(buildLicensePage(), "License");
    contentLayout()->addWidget(m_pages);

    auto* ok = addButton("Button1", "&OK");
    ok->setToolTip("Click here to close this dialog.");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

QString AboutBox::version()
{
    return DRAWSAGE_VERSION;
}

QWidget* AboutBox::buildAboutPage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet1");
    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    layout->addWidget(logo(logoSize));

    auto* name = new QLabel("Drawsage");
    name->setObjectName("lblProduct");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);

    const QStringList lines{
        "Version " + version(),
        "Lottery analysis for the South African National Lotto and Lotto Plus",
        QString::fromUtf8("Copyright \u00a9 2026 Kestrix. Released under the MIT License."),
        QString("Built with Qt %1, running on Qt %2").arg(QT_VERSION_STR, qVersion()),
        QString("<a href=\"%1\">%1</a>").arg(WebAddresses::WebSite)};
    const QStringList names{"lblVersion", "lblDescription", "lblCopyright", "lblQt", "lblWebSite"};
    for (int i = 0; i < lines.size(); ++i) {
        auto* line = new QLabel(lines[i]);
        line->setObjectName(names[i]);
        line->setAlignment(Qt::AlignCenter);
        line->setTextInteractionFlags(Qt::TextBrowserInteraction);
        line->setOpenExternalLinks(true);
        layout->addWidget(line);
    }
    layout->addStretch();
    return page;
}

QWidget* AboutBox::buildLicensePage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet2");
    auto* layout = new QVBoxLayout(page);
    auto* picture = logo(logoSize / 2);
    picture->setObjectName("Image2");
    layout->addWidget(picture);

    auto* text = new QPlainTextEdit(licenceText());
    text->setObjectName("Memo2");
    text->setReadOnly(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setMinimumSize(licenseSize);
    layout->addWidget(text, 1);

    auto* visit = new QPushButton("Visit Kestrix Website");
    visit->setObjectName("Button2");
    connect(visit, &QPushButton::clicked, this,
            [] { QDesktopServices::openUrl(QUrl(WebAddresses::WebSite)); });
    layout->addWidget(visit, 0, Qt::AlignLeft);
    return page;
}

void AboutBox::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    m_pages->setCurrentIndex(0);
}
