#include "gui/shell/Application.h"

#include "core/kernel/Kernel.h"
#include "gui/components/KestPopup.h"
#include "gui/components/ProgressWindow.h"
#include "gui/generator/FavouritesWindow.h"
#include "gui/generator/GeneratorWindow.h"
#include "gui/generator/TemplateEditor.h"
#include "gui/records/AddDrawWindow.h"
#include "gui/records/DrawDetailsWindow.h"
#include "gui/records/FilterEditor.h"
#include "gui/records/GameSelectionWindow.h"
#include "gui/shell/AboutBox.h"
#include "gui/shell/ErrorReport.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/MagnifierWindow.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/PreferencesWindow.h"
#include "gui/stats/FairnessWindow.h"
#include "gui/stats/FrequencyHistoryWindow.h"
#include "gui/stats/PairsWindow.h"
#include "gui/tickets/TicketChecker.h"
#include "gui/tickets/TicketViewer.h"
#include "gui/update/UpdateErrorList.h"
#include "gui/update/UpdateWizard.h"

namespace {
template <class Window> void create(MainWindow* main, QStringList& order)
{
    auto* window = new Window(main);
    window->hide();
    order << window->objectName();
}
} // namespace

Application::Application()
{
    m_main = std::make_unique<MainWindow>();
    m_order << m_main->objectName();
    m_kernel = std::make_unique<TKernel>();
    m_order << "TKernel";

    m_popup = std::make_unique<TKestPopup>();
    QObject::connect(m_kernel.get(), &TKernel::noticeRequested, m_popup.get(),
                     &TKestPopup::showNotice);
    QObject::connect(m_kernel.get(), &TKernel::errorOccurred, m_main.get(), &ErrorReport::show);

    MainWindow* main = m_main.get();
    create<ProgressWindow>(main, m_order);
    create<AboutBox>(main, m_order);
    create<FilterEditor>(main, m_order);
    create<DrawDetailsWindow>(main, m_order);
    create<AddDrawWindow>(main, m_order);
    create<GeneratorWindow>(main, m_order);
    create<UpdateWizard>(main, m_order);
    create<UpdateErrorList>(main, m_order);
    create<FavouritesWindow>(main, m_order);
    create<FrequencyHistoryWindow>(main, m_order);
    create<GameSelectionWindow>(main, m_order);
    create<TemplateEditor>(main, m_order);
    create<TicketChecker>(main, m_order);
    create<TicketViewer>(main, m_order);
    create<PreferencesWindow>(main, m_order);
    create<MagnifierWindow>(main, m_order);
    create<PairsWindow>(main, m_order);
    QObject::connect(main->findChild<PairsWindow*>(), &PairsWindow::drawFilterChanged, main,
                     &MainWindow::ShowStatistics);
    create<FairnessWindow>(main, m_order);
    create<HelpWindow>(main, m_order);
}

Application::~Application()
{
    m_popup.reset();
    m_main.reset();
    m_kernel.reset();
}
