#pragma once

#include "gui/components/KestDialog.h"

class QTabWidget;

// The about box: the product, its version and maker on the "About" page, the licence
// agreement and the way to the maker's web site on the "License" page.
class AboutBox : public TKestDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

    // The program's version as the build sets it.
    static QString version();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildAboutPage();
    QWidget* buildLicensePage();

    QTabWidget* m_pages = nullptr;
};
