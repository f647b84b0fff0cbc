#include "uApp.h"

#include "components/KestMessage.h"
#include "components/KestPopup.h"
#include "generator/uFavourite.h"
#include "generator/uGenerator.h"
#include "generator/uTemplate.h"
#include "kernel/uKernel.h"
#include "kernel/uProcess.h"
#include "records/uAdd.h"
#include "records/uInfo.h"
#include "records/uOpen.h"
#include "records/uSearch.h"
#include "shell/uAbout.h"
#include "shell/uConfig.h"
#include "shell/uMain.h"
#include "shell/uZoom.h"
#include "stats/uOverall.h"
#include "tickets/uCheck.h"
#include "tickets/uView.h"
#include "update/uError.h"
#include "update/uUpdate.h"

namespace {
template <class Window> void create(TfrmMain* main, QStringList& order)
{
    auto* window = new Window(main);
    window->hide();
    order << window->objectName();
}
} // namespace

TDrawsageApp::TDrawsageApp()
{
    m_main = std::make_unique<TfrmMain>();
    m_order << m_main->objectName();
    m_kernel = std::make_unique<TKernel>();
    m_order << "TKernel";

    m_popup = std::make_unique<TKestPopup>();
    QObject::connect(m_kernel.get(), &TKernel::noticeRequested, m_popup.get(),
                     &TKestPopup::showNotice);
    QObject::connect(m_kernel.get(), &TKernel::errorOccurred, m_main.get(),
                     [main = m_main.get()](const QString& message) {
                         TKestMessage::critical(main, "Drawsage", message);
                     });

    TfrmMain* main = m_main.get();
    create<TfrmProcess>(main, m_order);
    create<TfrmAbout>(main, m_order);
    create<TfrmSearch>(main, m_order);
    create<TfrmInfo>(main, m_order);
    create<TfrmAdd>(main, m_order);
    create<TfrmGenerator>(main, m_order);
    create<TfrmUpdate>(main, m_order);
    create<TfrmError>(main, m_order);
    create<TfrmFavourite>(main, m_order);
    create<TfrmOverall>(main, m_order);
    create<TfrmOpen>(main, m_order);
    create<TfrmTemplate>(main, m_order);
    create<TfrmCheck>(main, m_order);
    create<TfrmView>(main, m_order);
    create<TfrmConfig>(main, m_order);
    create<TfrmZoom>(main, m_order);
}

TDrawsageApp::~TDrawsageApp()
{
    m_popup.reset();
    m_main.reset();
    m_kernel.reset();
}
