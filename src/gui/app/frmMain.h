#pragma once

#include "app/AppPaths.h"
#include "app/ErrorGuard.h"
#include "model/Profiles.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;

namespace zr {

class Clock;
class Dialogs;
class Prompts;

/// The main window: an MDI frame that owns the current profile, opens every
/// other window, and keeps the registry of open child windows. While any
/// child is open, the profile cannot be switched and the OCB cannot be reached.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    /// Creates a window of the given name (for example "frmEditPOPs").
    using WindowFactory = std::function<QWidget*(frmMain&)>;
    /// Creates the first profile; true when one was made.
    using FirstProfileFactory = std::function<bool(frmMain&)>;

    frmMain(const AppPaths& paths, Clock& clock, Prompts& prompts, Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    /// Windows that can be opened: their menu entries and toolbar buttons are enabled.
    void addWindow(const QString& name, WindowFactory factory);
    void setFirstProfileFactory(FirstProfileFactory factory) { m_createFirstProfile = std::move(factory); }
    /// What ends the program at once (a No to the missing-line question, a
    /// Cancel of the first profile). Tests replace it.
    void setEndProgram(std::function<void()> end) { m_endProgram = std::move(end); }

    /// The load handler: lists the profiles and makes the remembered one
    /// current, or has the first profile created. False when the program must end.
    bool LoadMain();

    /// What makes parts of the main window unavailable while it lasts, besides
    /// open child windows. Holds are counted, so they may nest.
    /// Fleet: the fleet window is open, which holds what the communications
    /// window holds, and keeps that window closed.
    enum class Hold { ProfileEditor, Communications, Command, Fleet };
    void setHeld(Hold what, bool held);
    /// Whether the named window may be opened now.
    bool isAvailable(const QString& window) const;

    /// The profile editor's hold on the main window (false while it is open).
    void EnableChildEditors(bool enabled) { setHeld(Hold::ProfileEditor, !enabled); }
    void SetTheCaption();
    void SaveProfileList();
    Profiles& Profile() { return *m_profile; }
    void LoadProfiles();
    /// Registers and shows a child window; a second copy of an open window is not made.
    void RegisterChildForm(QWidget* window);
    void DeRegisterChildForm(QWidget* window);
    bool FirstRun();
    void SelectProfile(const QString& name);
    /// Reads the current profile again from disk when its files were written
    /// behind it (a restore, a copy of settings, a retrieve), so that what is
    /// held in memory is never saved over them. changed names the profile
    /// written; an empty name reloads whatever is current.
    void ReloadProfile(const QString& changed = QString());
    /// Opens a window by name: as a child, or (profile editor, communications) on its own.
    void openWindow(const QString& name);

    /// Ends the program at once, saving nothing.
    void endProgram();

    void UpdateItemImages();
    void UpdatePOPImages();

    const QHash<QString, QPointer<QMdiSubWindow>>& ChildWindows() const { return m_children; }
    const AppPaths& paths() const { return m_paths; }
    Clock& clock() { return m_clock; }
    Prompts& prompts() { return m_prompts; }
    Dialogs& dialogs() { return m_dialogs; }
    const ErrorGuard& guard() const { return m_guard; }
    QMdiArea* mdiArea() const { return m_mdi; }
    QToolBar* toolBar() const { return m_toolBar; }
    QAction* toolButton(const QString& key) const { return m_buttons.value(key); }
    QMenu* profilesMenu() const { return m_mnuProfiles; }
    QToolButton* profilesButton() const { return m_profilesButton; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addEntry(QMenu* menu, const QString& objectName, const QString& caption, const QString& window);
    void addButton(const QString& key, const QString& tooltip, const QString& window);
    bool held(Hold what) const { return m_held[static_cast<size_t>(what)] > 0; }
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void updateAvailability();
    void runImageTool(const QString& tool, const QString& folder, const QString& message, const QString& title,
                      const QString& window);
    void deregister(const QString& name);

    const AppPaths& m_paths;
    Clock& m_clock;
    Prompts& m_prompts;
    Dialogs& m_dialogs;
    ErrorGuard m_guard;
    std::unique_ptr<Profiles> m_profile;
    QHash<QString, WindowFactory> m_factories;
    QHash<QString, QPointer<QMdiSubWindow>> m_children;
    QHash<QAction*, QString> m_windowOf;  // menu entries and buttons that open a window
    QHash<QString, QAction*> m_buttons;
    FirstProfileFactory m_createFirstProfile;
    std::function<void()> m_endProgram;
    std::array<int, 4> m_held{};
    bool m_closing = false;

    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolButton* m_profilesButton = nullptr;
    QMenu* m_profilesDropDown = nullptr;
    QMenu* m_mnuProfiles = nullptr;
    QMenu* m_mnuTools = nullptr;
    QAction* m_mnuToolbar = nullptr;
    QList<QAction*> m_profileEntries;  // mnuEditProfiles 1..n
    QLabel* m_status = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_time = nullptr;
};

} // namespace zr
