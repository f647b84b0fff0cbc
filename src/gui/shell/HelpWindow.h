#pragma once

#include <QWidget>

class QListWidget;
class QTextBrowser;
class QUrl;

// The help: the program's HTML pages with their contents on the left and back and forward
// through the pages seen. The pages come from the installation's help folder when there is
// one, else from those built into the program.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr auto StartPage = "index.html";

    explicit HelpWindow(QWidget* parent = nullptr);

    // <program folder>/../share/drawsage/help when it holds the pages, else the built-in pages.
    static QString defaultFolder();
    // Shows a page of the folder; false, with nothing shown, when the page does not exist.
    bool showPage(const QString& folder, const QString& page = StartPage);

private:
    void followContents(int row);
    // Selects the contents entry of the page shown.
    void markContents(const QUrl& source);

    QListWidget* m_contents = nullptr; // lstContents
    QTextBrowser* m_browser = nullptr; // HelpBrowser
};
