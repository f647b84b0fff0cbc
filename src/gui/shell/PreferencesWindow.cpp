#include "gui/shell/PreferencesWindow.h"

#include "core/kernel/Kernel.h"
#include "core/kernel/KestError.h"
#include "core/update/ResultsUpdate.h"
#include "gui/components/KestMessage.h"
#include "gui/shell/ErrorReport.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int DefaultPosition = 200;
constexpr auto DefaultCost = "2.5";
constexpr QSize previewSize(420, 24);
// The preview follows the news line at the rate a person sees, whatever its speed.
constexpr int previewInterval = 40;

double parseCost(const QString& text)
{
    bool ok = false;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || value < 0)
        throw TKestError(QString("'%1' is not a valid floating point value").arg(text));
    return value;
}

QString checkedServer(const QString& text)
{
    // The update's own rule, so that no address is stored that the update then refuses.
    if (!ResultsUpdate::serverProblem(text).isEmpty())
        throw TKestError(QString("'%1' is not a results server address: give one such as %2")
                             .arg(text, ResultsUpdate::DefaultServer));
    return text.trimmed();
}

QLabel* endLabel(const QString& text, Qt::Alignment alignment)
{
    auto* label = new QLabel(text);
    label->setAlignment(alignment);
    return label;
}
} // namespace

PreferencesWindow::PreferencesWindow(QWidget* parent)
    : TKestDialog({.objectName = "TfrmConfig",
                   .caption = "Drawsage",
                   .title = "Preferences",
                   .description = "This feature lets you configure Drawsage",
                   .centreOnScreen = true},
                  parent)
    , m_aliasEditor(m_settings)
{
    m_pages = new QTabWidget;
    m_pages->setObjectName("PageControl1");
    m_pages->addTab(buildGeneralPage(), "General");
    m_pages->addTab(buildAliasPage(), "Aliases");
    contentLayout()->addWidget(m_pages);

    auto* ok = addButton("Button1", "&OK");
    auto* cancelButton = addButton("Button2", "&Cancel");
    m_apply = addButton("Button3", "&Apply");
    m_apply->setEnabled(false);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        ErrorReport::guard([this] {
            if (m_apply->isEnabled())
                apply();
            hide();
        });
    });
    connect(cancelButton, &QPushButton::clicked, this, [this] { close(); });
    connect(m_apply, &QPushButton::clicked, this,
            [this] { ErrorReport::guard([this] { apply(); }); });

    m_previewTimer.setInterval(previewInterval);
    connect(&m_previewTimer, &QTimer::timeout, this, &PreferencesWindow::refreshPreview);

    m_drivers->addItems(m_aliasEditor.DriverNames());
    if (m_drivers->count() == 0) {
        // Without a database driver no table opens: nothing can go on.
        TKestMessage::critical(this, "Drawsage",
                               QApplication::applicationName() +
                                   " encountered a critical error while initialising the "
                                   "database drivers.");
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    }
    resetAliasPage();
}

QWidget* PreferencesWindow::buildGeneralPage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet1");
    auto* layout = new QVBoxLayout(page);

    auto* marquee = new QGroupBox(" Marquee ");
    auto* marqueeLayout = new QGridLayout(marquee);
    m_speed = new QSlider(Qt::Horizontal);
    m_speed->setObjectName("TrackBar1");
    m_speed->setRange(1, 400);
    m_speed->setValue(DefaultPosition);
    m_speed->setTickPosition(QSlider::TicksBelow);
    m_speed->setTickInterval(DefaultPosition);
    m_speed->setPageStep(20);
    m_speed->setToolTip("How fast the news line scrolls");
    connect(m_speed, &QSlider::valueChanged, this, &PreferencesWindow::sliderMoved);
    marqueeLayout->addWidget(m_speed, 0, 0, 1, 3);
    marqueeLayout->addWidget(endLabel("Slowest", Qt::AlignLeft), 1, 0);
    marqueeLayout->addWidget(endLabel("Medium", Qt::AlignHCenter), 1, 1);
    marqueeLayout->addWidget(endLabel("Fastest", Qt::AlignRight), 1, 2);
    m_preview = new QLabel;
    m_preview->setObjectName("Image1");
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setFixedSize(previewSize + QSize(2, 2));
    m_preview->setToolTip("The news line of the main window as it scrolls now");
    marqueeLayout->addWidget(m_preview, 2, 0, 1, 3, Qt::AlignHCenter);
    layout->addWidget(marquee);

    auto* lottery = new QGroupBox(" Lottery  ");
    auto* lotteryLayout = new QFormLayout(lottery);
    m_cost = new QLineEdit("2.50");
    m_cost->setObjectName("Edit1");
    m_cost->setToolTip("The price of one combination (line) in rand");
    connect(m_cost, &QLineEdit::textEdited, this, &PreferencesWindow::changed);
    lotteryLayout->addRow("Cost per Unit", m_cost);
    layout->addWidget(lottery);

    auto* server = new QGroupBox(" Update ");
    auto* serverLayout = new QFormLayout(server);
    m_server = new QLineEdit;
    m_server->setObjectName("EditServer");
    m_server->setPlaceholderText(ResultsUpdate::DefaultServer);
    m_server->setToolTip("The address (scheme, host and port) the update downloads the results "
                         "files from");
    connect(m_server, &QLineEdit::textEdited, this, &PreferencesWindow::changed);
    serverLayout->addRow("Results server", m_server);
    layout->addWidget(server);

    auto* defaults = new QPushButton("Page Defaults");
    defaults->setObjectName("Button4");
    connect(defaults, &QPushButton::clicked, this, &PreferencesWindow::pageDefaults);
    layout->addWidget(defaults, 0, Qt::AlignLeft);
    layout->addStretch();
    return page;
}

QWidget* PreferencesWindow::buildAliasPage()
{
    auto* page = new QWidget;
    page->setObjectName("TabSheet2");
    auto* layout = new QHBoxLayout(page);

    auto* left = new QVBoxLayout;
    auto* buttons = new QHBoxLayout;
    const auto button = [&](QPushButton*& member, const QString& name, const QString& text) {
        member = new QPushButton(text);
        member->setObjectName(name);
        buttons->addWidget(member);
    };
    button(m_newAlias, "ButtonNew", "&New");
    button(m_editAlias, "ButtonEdit", "&Edit");
    button(m_deleteAlias, "ButtonDelete", "De&lete");
    left->addLayout(buttons);
    m_aliases = new QListWidget;
    m_aliases->setObjectName("ListBoxAliases");
    left->addWidget(m_aliases);
    layout->addLayout(left);

    auto* form = new QFormLayout;
    m_aliasName = new QLineEdit;
    m_aliasName->setObjectName("EditName");
    m_drivers = new QComboBox;
    m_drivers->setObjectName("ComboBoxDrivers");
    m_params = new QPlainTextEdit;
    m_params->setObjectName("MemoParams");
    m_params->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_params->setTabChangesFocus(true);
    const auto addRow = [form](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    addRow("&Database Name (Alias)", m_aliasName);
    addRow("D&river", m_drivers);
    addRow("&Parameters", m_params);
    layout->addLayout(form, 1);

    connect(m_aliases, &QListWidget::itemClicked, this, &PreferencesWindow::showSelectedAlias);
    connect(m_aliases, &QListWidget::currentRowChanged, this,
            &PreferencesWindow::showSelectedAlias);
    connect(m_newAlias, &QPushButton::clicked, this, &PreferencesWindow::newAlias);
    connect(m_editAlias, &QPushButton::clicked, this, &PreferencesWindow::editAlias);
    connect(m_deleteAlias, &QPushButton::clicked, this,
            [this] { ErrorReport::guard([this] { deleteAlias(); }); });
    connect(m_drivers, &QComboBox::activated, this, &PreferencesWindow::chooseDriver);
    connect(m_aliasName, &QLineEdit::textEdited, this, &PreferencesWindow::changed);
    connect(m_params, &QPlainTextEdit::textChanged, this, [this] {
        if (m_mode != AliasMode::None)
            changed();
    });
    return page;
}

TKernel* PreferencesWindow::kernel() const
{
    return TKernel::instance();
}

void PreferencesWindow::showEvent(QShowEvent* event)
{
    TKestDialog::showEvent(event);
    m_pages->setCurrentIndex(0);
    ErrorReport::guard([this] {
        TKernel* k = kernel();
        if (!k)
            return;
        // A stored speed the slider cannot show leaves the slider where the timer is.
        int interval = k->ScrollTimer.interval();
        if (k->Settings.contains("Marquee"))
            interval = k->ReadSettingInteger("Marquee");
        // Showing the stored speed does not change the running one (a value beyond the
        // slider's ends would otherwise be clamped into the timer).
        const QSignalBlocker blocker(m_speed);
        m_speed->setValue(401 - interval);
        if (k->Settings.contains("CostUnit"))
            m_cost->setText(QLocale().toString(k->ReadSettingFloat("CostUnit"), 'f', 2));
        m_server->setText(ResultsUpdate::server(k->Settings));
    });
    m_apply->setEnabled(false);
    refreshPreview();
    m_previewTimer.start();
}

void PreferencesWindow::hideEvent(QHideEvent* event)
{
    m_previewTimer.stop();
    TKestDialog::hideEvent(event);
}

void PreferencesWindow::closeEvent(QCloseEvent* event)
{
    // Closing by the title bar is "&Cancel".
    cancel();
    TKestDialog::closeEvent(event);
}

void PreferencesWindow::cancel()
{
    resetAliasPage();
}

void PreferencesWindow::changed()
{
    m_apply->setEnabled(true);
}

void PreferencesWindow::sliderMoved(int position)
{
    if (TKernel* k = kernel())
        k->ScrollTimer.setInterval(intervalForPosition(position));
    changed();
}

void PreferencesWindow::pageDefaults()
{
    m_speed->setValue(DefaultPosition);
    m_cost->setText(DefaultCost);
    m_server->setText(ResultsUpdate::DefaultServer);
    changed();
}

void PreferencesWindow::refreshPreview()
{
    QWidget* owner = parentWidget();
    QWidget* line = owner ? owner->findChild<QWidget*>("Panel3") : nullptr;
    QPixmap picture(previewSize);
    picture.fill(palette().color(QPalette::Window));
    if (line && line->isVisible()) {
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, line->grab(QRect(QPoint(0, 0), previewSize)));
    }
    m_preview->setPixmap(picture);
}

void PreferencesWindow::apply()
{
    TKernel* k = kernel();
    if (!k)
        return;
    k->WriteSettingInteger("Marquee", k->ScrollTimer.interval());
    k->WriteSettingFloat("CostUnit", parseCost(m_cost->text()));
    const QString server =
        checkedServer(m_server->text().isEmpty() ? ResultsUpdate::DefaultServer : m_server->text());
    if (!k->Settings.write(ResultsUpdate::ServerSetting, server))
        k->ShowNotice(TKernel::SettingsFailure);
    applyAlias();
    m_apply->setEnabled(false);
}

void PreferencesWindow::applyAlias()
{
    if (m_mode == AliasMode::None)
        return;
    const QString name = m_aliasName->text().trimmed();
    const QStringList params = m_params->toPlainText().split('\n', Qt::SkipEmptyParts);
    if (m_mode == AliasMode::New) {
        if (name.isEmpty())
            throw TKestError("Give the new alias a name");
        if (m_aliasEditor.IsAlias(name))
            throw TKestError(QString("The alias \"%1\" already exists").arg(name));
        if (!m_aliasEditor.AddAlias(name, m_drivers->currentText(), params))
            throw TKestError(QString("Unable to add the alias \"%1\"").arg(name));
    } else if (!m_aliasEditor.ModifyAlias(name, params)) {
        throw TKestError(QString("Unable to change the alias \"%1\"").arg(name));
    }
    resetAliasPage();
    const QList<QListWidgetItem*> found = m_aliases->findItems(name, Qt::MatchFixedString);
    if (!found.isEmpty()) {
        m_aliases->setCurrentItem(found.front());
        showSelectedAlias();
    }
}

void PreferencesWindow::resetAliasPage()
{
    m_mode = AliasMode::None;
    for (QWidget* control :
         {static_cast<QWidget*>(m_aliases), static_cast<QWidget*>(m_newAlias),
          static_cast<QWidget*>(m_editAlias), static_cast<QWidget*>(m_deleteAlias)})
        control->setEnabled(true);
    for (QWidget* field : {static_cast<QWidget*>(m_aliasName), static_cast<QWidget*>(m_drivers),
                           static_cast<QWidget*>(m_params)})
        field->setEnabled(false);
    const QSignalBlocker blocker(m_aliases);
    m_aliases->clear();
    m_aliases->addItems(m_aliasEditor.AliasNames());
    if (m_aliases->count() > 0)
        m_aliases->setCurrentRow(0);
    showSelectedAlias();
}

void PreferencesWindow::showSelectedAlias()
{
    if (m_mode != AliasMode::None)
        return;
    QListWidgetItem* item = m_aliases->currentItem();
    const bool selected = item && item->isSelected();
    m_editAlias->setEnabled(selected);
    m_deleteAlias->setEnabled(selected);
    const QSignalBlocker blocker(m_params);
    if (!selected) {
        m_drivers->setCurrentIndex(-1);
        m_aliasName->clear();
        m_params->clear();
        return;
    }
    const QString name = item->text();
    m_aliasName->setText(name);
    m_params->setPlainText(m_aliasEditor.AliasParams(name).join('\n'));
    m_drivers->setCurrentIndex(m_drivers->findText(m_aliasEditor.AliasDriver(name)));
}

void PreferencesWindow::newAlias()
{
    m_aliases->clearSelection();
    for (QWidget* control :
         {static_cast<QWidget*>(m_aliases), static_cast<QWidget*>(m_newAlias),
          static_cast<QWidget*>(m_editAlias), static_cast<QWidget*>(m_deleteAlias)})
        control->setEnabled(false);
    m_mode = AliasMode::New;
    m_aliasName->clear();
    m_drivers->setCurrentIndex(m_drivers->count() > 0 ? 0 : -1);
    chooseDriver(m_drivers->currentIndex());
    for (QWidget* field : {static_cast<QWidget*>(m_aliasName), static_cast<QWidget*>(m_drivers),
                           static_cast<QWidget*>(m_params)})
        field->setEnabled(true);
    m_aliasName->setFocus();
    changed();
}

void PreferencesWindow::editAlias()
{
    m_aliases->clearSelection();
    for (QWidget* control :
         {static_cast<QWidget*>(m_aliases), static_cast<QWidget*>(m_newAlias),
          static_cast<QWidget*>(m_editAlias), static_cast<QWidget*>(m_deleteAlias),
          static_cast<QWidget*>(m_aliasName), static_cast<QWidget*>(m_drivers)})
        control->setEnabled(false);
    m_mode = AliasMode::Edit;
    m_params->setEnabled(true);
    m_params->setFocus();
    changed();
}

void PreferencesWindow::deleteAlias()
{
    QListWidgetItem* item = m_aliases->currentItem();
    if (!item)
        return;
    if (!m_aliasEditor.DeleteAlias(item->text()))
        throw TKestError(QString("Unable to delete the alias \"%1\"").arg(item->text()));
    resetAliasPage();
}

void PreferencesWindow::chooseDriver(int index)
{
    if (m_mode != AliasMode::New || index < 0)
        return;
    m_params->setPlainText(m_aliasEditor.DriverParams(m_drivers->itemText(index)).join('\n'));
}
