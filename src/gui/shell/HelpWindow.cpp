#include "gui/shell/HelpWindow.h"

#include "core/kernel/Installation.h"
#include "gui/components/KestDialog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// The contents, in reading order.
const std::pair<const char*, const char*> Contents[] = {
    {"Getting started", "index.html"},
    {"The main window", "main-window.html"},
    {"Draws and games", "draws.html"},
    {"Analysing frequencies", "statistics.html"},
    {"Generating combinations", "generator.html"},
    {"Tickets", "tickets.html"},
    {"Filter scripts", "filters.html"},
    {"Updating the draws", "update.html"},
    {"Preferences", "preferences.html"},
    {"drawsage-cli", "cli.html"},
};
constexpr QSize initialSize(900, 640);

} // namespace

static QString builtInFolder()
{
    // The pages live in a static library: registering them from here keeps them linked in.
    static const bool registered = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    Q_UNUSED(registered);
    return ":/help";
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("TfrmHelp");
    setWindowTitle("Drawsage Help");
    setWindowIcon(programIcon());

    m_browser = new QTextBrowser;
    m_browser->setObjectName("HelpBrowser");
    m_browser->setOpenExternalLinks(true);
    m_contents = new QListWidget;
    m_contents->setObjectName("lstContents");
    for (const auto& [title, page] : Contents) {
        auto* item = new QListWidgetItem(title, m_contents);
        item->setData(Qt::UserRole, QString(page));
    }
    m_contents->setMaximumWidth(m_contents->sizeHintForColumn(0) + 40);

    auto* bar = new QToolBar;
    bar->setObjectName("tbHelp");
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto addAction = [&](const QString& name, const QString& text,
                               QStyle::StandardPixmap icon, const QKeySequence& keys) {
        QAction* action = bar->addAction(style()->standardIcon(icon), text);
        action->setObjectName(name);
        action->setShortcut(keys);
        action->setToolTip(QString("%1 (%2)").arg(text, keys.toString(QKeySequence::NativeText)));
        return action;
    };
    QAction* back = addAction("actBack", "Back", QStyle::SP_ArrowBack, QKeySequence::Back);
    QAction* forward =
        addAction("actForward", "Forward", QStyle::SP_ArrowForward, QKeySequence::Forward);
    QAction* home =
        addAction("actHome", "Contents", QStyle::SP_DirHomeIcon, QKeySequence("Alt+Home"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, m_browser, &QTextBrowser::home);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::markContents);
    connect(m_contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { followContents(m_contents->row(item)); });
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { followContents(m_contents->row(item)); });

    auto* splitter = new QSplitter;
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(splitter, 1);
    resize(initialSize);
}

QString HelpWindow::defaultFolder()
{
    const QString data = Installation::installedDataFolder();
    const QString installed = data.isEmpty() ? QString() : data + "/help";
    if (!installed.isEmpty() && QFileInfo::exists(QDir(installed).filePath(StartPage)))
        return installed;
    return builtInFolder();
}

bool HelpWindow::showPage(const QString& folder, const QString& page)
{
    const QString file = QDir(folder).filePath(page);
    if (!QFileInfo(file).isFile())
        return false;
    const QUrl url = file.startsWith(":/") ? QUrl("qrc" + file) : QUrl::fromLocalFile(file);
    m_browser->setSearchPaths({folder});
    m_browser->setSource(url);
    markContents(url);
    show();
    raise();
    activateWindow();
    return true;
}

void HelpWindow::followContents(int row)
{
    const QString page = m_contents->item(row)->data(Qt::UserRole).toString();
    m_browser->setSource(m_browser->source().resolved(QUrl(page)));
}

void HelpWindow::markContents(const QUrl& source)
{
    const QString page = source.fileName();
    const QSignalBlocker blocker(m_contents);
    for (int row = 0; row < m_contents->count(); ++row)
        if (m_contents->item(row)->data(Qt::UserRole).toString() == page)
            m_contents->setCurrentRow(row);
}
