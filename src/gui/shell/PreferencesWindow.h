#pragma once

#include "core/kernel/KestAlias.h"
#include "core/kernel/KestSettings.h"
#include "gui/components/KestDialog.h"

#include <QTimer>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSlider;
class QTabWidget;
class TKernel;

// The preferences: the news line's speed with a live preview, the cost of one line, the
// results server, and the named database locations (aliases). Nothing is stored until
// "&Apply" or "&OK"; the speed takes effect while the slider moves.
class PreferencesWindow : public TKestDialog {
    Q_OBJECT

public:
    enum class AliasMode { None = 0, New = 1, Edit = 2 };

    explicit PreferencesWindow(QWidget* parent = nullptr);

    // Stores the settings and the alias being edited. Throws TKestError when a value cannot
    // be taken; what was stored before the failing value stays stored.
    void apply();
    AliasMode aliasMode() const { return m_mode; }

    // The marquee interval in milliseconds for a slider position, and back.
    static int intervalForPosition(int position) { return 401 - position; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildGeneralPage();
    QWidget* buildAliasPage();
    TKernel* kernel() const;
    void sliderMoved(int position);
    void pageDefaults();
    void resetAliasPage();
    void showSelectedAlias();
    void newAlias();
    void editAlias();
    void deleteAlias();
    void chooseDriver(int index);
    void applyAlias();
    void refreshPreview();
    void changed();
    void cancel();

    TKestSettings m_settings;
    TKestAlias m_aliasEditor; // AliasEditor
    AliasMode m_mode = AliasMode::None;
    QTabWidget* m_pages = nullptr;
    QSlider* m_speed = nullptr;           // TrackBar1
    QLabel* m_preview = nullptr;          // Image1
    QLineEdit* m_cost = nullptr;          // Edit1
    QLineEdit* m_server = nullptr;        // EditServer
    QListWidget* m_aliases = nullptr;     // ListBoxAliases
    QPushButton* m_newAlias = nullptr;    // ButtonNew
    QPushButton* m_editAlias = nullptr;   // ButtonEdit
    QPushButton* m_deleteAlias = nullptr; // ButtonDelete
    QLineEdit* m_aliasName = nullptr;     // EditName
    QComboBox* m_drivers = nullptr;       // ComboBoxDrivers
    QPlainTextEdit* m_params = nullptr;   // MemoParams
    QPushButton* m_apply = nullptr;       // Button3
    QTimer m_previewTimer;
};
