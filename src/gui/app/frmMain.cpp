#include "app/frmMain.h"

#include "app/AppError.h"
#include "app/Clock.h"
#include "app/Dialogs.h"
#include "app/FrontEndSettings.h"
#include "app/Prompts.h"
#include "app/Routines.h"
#include "app/ToolIcons.h"
#include "app/frmAbout.h"
#include "model/ProfileStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace zr {

namespace {

// Windows that open on their own instead of as children.
bool isStandalone(const QString& name) {
    return name == "frmEditProfiles" || name == "frmOCBComm" || name == "frmFleet";
}

// The image tools carry the platform's executable suffix.
QString toolFilter(const QString& tool) {
#ifdef Q_OS_WIN
    return tool + ".exe (" + tool + ".exe)";
#else
    return tool + " (" + tool + " " + tool + ".exe)";
#endif
}

} // namespace

frmMain::frmMain(const AppPaths& paths, Clock& clock, Prompts& prompts, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_paths(paths), m_clock(clock), m_prompts(prompts), m_dialogs(dialogs),
      m_guard(
          paths, clock, prompts, [this] { return m_profile ? m_profile->ID() : QString(); },
          [this] { endProgram(); }),
      m_profile(std::make_unique<Profiles>(paths, clock, prompts)) {
    setObjectName("frmMain");
    setWindowTitle("ZR_FrontEnd");
    resize(1024, 720);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName("MDIArea");
    m_mdi->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(m_mdi);
    createMenus();
    createToolBar();
    createStatusBar();
    updateAvailability();
}

frmMain::~frmMain() {
    // Children unregister themselves as they go: let them go while the registry still exists.
    m_closing = true;
    delete m_mdi;
    // Windows of their own (the profile editor, the communications window)
    // give the menus back as they close; they too must go while the menus exist.
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isWindow()) delete w;
}

void frmMain::endProgram() {
    if (m_endProgram) {
        m_endProgram();
        return;
    }
    // At once, without saving anything and without the close handling.
    std::exit(0);
}

QAction* frmMain::addEntry(QMenu* menu, const QString& objectName, const QString& caption,
                           const QString& window) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    if (!window.isEmpty()) {
        m_windowOf.insert(action, window);
        connect(action, &QAction::triggered, this, [this, window] { openWindow(window); });
    }
    return action;
}

void frmMain::createMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu("&File");
    file->setObjectName("mnuFile");
    connect(addEntry(file, "mnuFileExit", "E&xit", {}), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = bar->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    addEntry(edit, "mnuEditGeneral", "&General Settings", "frmGeneral");
    addEntry(edit, "mnuEditMenuItems", "Menu &Items", "frmEditMenuItems");
    addEntry(edit, "mnuEditOrderScreen", "&Order Screen", "frmEditOrderScreen");
    addEntry(edit, "mnuEditPOPs", "POPs S&lideShow", "frmEditPOPs");
    addEntry(edit, "mnuEditPOS", "&POS", "frmPOS");
    addEntry(edit, "mnuEditPreSellMessage", "Pre Sell &Message", "frmEditPreSellMessage");
    addEntry(edit, "mnuScheduling", "&Scheduling", "frmEditScheduling");
    addEntry(edit, "mnuEditSuggestiveSales", "S&uggestive Sales", "frmEditSuggestiveSales");
    edit->addSeparator();
    addEntry(edit, "mnuEditDefaultImages", "&Default Images", "frmEditDefaultImages");

    m_mnuProfiles = bar->addMenu("&Profiles");
    m_mnuProfiles->setObjectName("mnuProfiles");
    addEntry(m_mnuProfiles, "mnuEditProfiles_0", "&Edit Profiles", "frmEditProfiles");

    QMenu* images = bar->addMenu("&Images");
    images->setObjectName("mnuImages");
    connect(addEntry(images, "mnuUpdateItems", "Update &Item Images", {}), &QAction::triggered, this,
            [this] { m_guard.run("Update Item Images", [this] { UpdateItemImages(); }); });
    connect(addEntry(images, "mnuUpdatePOPs", "Update &POP Images", {}), &QAction::triggered, this,
            [this] { m_guard.run("Update POP Images", [this] { UpdatePOPImages(); }); });

    m_mnuTools = bar->addMenu("&Tools");
    m_mnuTools->setObjectName("mnuTools");
    m_mnuToolbar = addEntry(m_mnuTools, "mnuToolbar", "&Toolbar", {});
    m_mnuToolbar->setCheckable(true);
    m_mnuToolbar->setChecked(true);
    connect(m_mnuToolbar, &QAction::toggled, this, [this](bool on) { m_toolBar->setVisible(on); });
    addEntry(m_mnuTools, "mnuToolsUpdate", "&Update OCB's", "frmOCBComm");
    addEntry(m_mnuTools, "mnuToolsFleet", "Fleet…", "frmFleet");

    QMenu* reports = bar->addMenu("&Reports");
    reports->setObjectName("mnuReportS");
    addEntry(reports, "mnuReportPopTrack", "POP Tracking Report", "frmTrackPop");
    addEntry(reports, "mnuReportSuggSellSumm", "Suggestive Sell Summary", "frmTrackSuggestiveSell");
    addEntry(reports, "mnuEditStatistics", "Pad S&tatistics", "frmStats");
    addEntry(reports, "mnuASCIIPad", "ASCII Pad Data", "frmASCIIPad");
    reports->addSeparator();
    addEntry(reports, "mnuReportFleetSpeed", "Fleet Speed of Service", "frmFleetSpeed");

    QMenu* view = bar->addMenu("&View");
    view->setObjectName("mnuView");
    addEntry(view, "mnuViewLocalConf", "&System Config Files", "frmViewConf");
    addEntry(view, "mnuViewBoardPreview", "Board Preview", "frmBoardPreview");

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("mnuHelp");
    connect(addEntry(help, "mnuAbout", "&About", {}), &QAction::triggered, this,
            [this] { frmAbout(this).exec(); });
}

void frmMain::addButton(const QString& key, const QString& tooltip, const QString& window) {
    QAction* action = m_toolBar->addAction(toolIcon(key), key);
    action->setObjectName("ToolBar_" + QString(key).remove(' '));
    action->setToolTip(tooltip);
    action->setData(key);
    m_buttons.insert(key, action);
    if (!window.isEmpty()) {
        m_windowOf.insert(action, window);
        connect(action, &QAction::triggered, this, [this, window] { openWindow(window); });
    }
}

void frmMain::createToolBar() {
    m_toolBar = addToolBar("ToolBar");
    m_toolBar->setObjectName("ToolBar");
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setMovable(false);
    addButton("Profiles", "Click here to view and select a new profile.", "frmEditProfiles");
    m_profilesDropDown = new QMenu(this);
    m_profilesDropDown->setObjectName("ProfilesDropDown");
    m_profilesButton = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(m_buttons.value("Profiles")));
    m_profilesButton->setMenu(m_profilesDropDown);
    m_profilesButton->setPopupMode(QToolButton::MenuButtonPopup);
    addButton("Menu", "Click here to edit the Menu Items.", "frmEditMenuItems");
    addButton("OrderScreen", "Click here to Edit the Order Screen Settings.",
              "frmEditOrderScreen");
    addButton("POPs", "Click here to Edit the POP Slideshow.", "frmEditPOPs");
    addButton("PreSell Message", "Click here to edit your PreSell Message.",
              "frmEditPreSellMessage");
    addButton("Scheduling", "Click here to edit your Day Part Definitions.",
              "frmEditScheduling");
    addButton("Suggestive Sales", "Edit Suggestive Sales Settings.",
              "frmEditSuggestiveSales");
    addButton("Preview", "Click here to see the board at any moment of the week.", "frmBoardPreview");
    addButton("UpdateItems", "Click to update Product Shots", {});
    addButton("UpdatePOPs", "Click to update Full Screen Ads", {});
    addButton("Connect", "Click here to Communicate with the OCB.", "frmOCBComm");
    addButton("Help", QString(), {});
    m_buttons.value("Help")->setToolTip(QString());
    connect(m_buttons.value("UpdateItems"), &QAction::triggered, this,
            [this] { m_guard.run("Update Item Images", [this] { UpdateItemImages(); }); });
    connect(m_buttons.value("UpdatePOPs"), &QAction::triggered, this,
            [this] { m_guard.run("Update POP Images", [this] { UpdatePOPImages(); }); });
    connect(m_buttons.value("Help"), &QAction::triggered, this, [this] { frmAbout(this).exec(); });
}

void frmMain::createStatusBar() {
    statusBar()->setObjectName("sbStatusBar");
    m_status = new QLabel("Status", this);
    m_status->setObjectName("Status");
    m_date = new QLabel(this);
    m_date->setObjectName("Date");
    m_time = new QLabel(this);
    m_time->setObjectName("Time");
    statusBar()->addWidget(m_status, 1);
    statusBar()->addPermanentWidget(m_date);
    statusBar()->addPermanentWidget(m_time);
    auto tick = [this] {
        const QDateTime now = m_clock.now();
        m_date->setText(QLocale().toString(now.date(), QLocale::ShortFormat));
        m_time->setText(QLocale().toString(now.time(), QLocale::ShortFormat));
    };
    tick();
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, tick);
    timer->start(1000);
}

void frmMain::addWindow(const QString& name, WindowFactory factory) {
    m_factories.insert(name, std::move(factory));
    updateAvailability();
}

// The one place that decides what the main window offers. Child windows
// keep the profile from being switched and the board from being reached; the
// profile editor and the communications window each keep every window off
// that would work on a profile under them; a running command also keeps the
// profile from being switched.
bool frmMain::isAvailable(const QString& window) const {
    if (!m_factories.contains(window)) return false;
    const bool child = !m_children.isEmpty();
    const bool profileEditor = held(Hold::ProfileEditor);
    const bool comm = held(Hold::Communications) || held(Hold::Command) || held(Hold::Fleet);
    if (window == "frmEditProfiles") return !child && !profileEditor && !comm;
    // One board is never reached from both the communications window and the fleet window.
    if (window == "frmOCBComm") return !child && !profileEditor && !held(Hold::Fleet);
    if (window == "frmFleet") return !child && !profileEditor && !held(Hold::Communications);
    return !profileEditor && !comm;
}

void frmMain::updateAvailability() {
    const bool child = !m_children.isEmpty();
    const bool profileEditor = held(Hold::ProfileEditor);
    const bool comm = held(Hold::Communications) || held(Hold::Command) || held(Hold::Fleet);
    const bool running = held(Hold::Command);
    // Windows that work on the current profile, and the image tools, which open one.
    const bool windows = !profileEditor && !comm;
    const bool switching = !child && !profileEditor && !running;
    // The communications window and the profile editor take the whole toolbar.
    const bool toolbar = !profileEditor && !comm;

    const QList<QAction*> buttons = m_buttons.values();
    for (auto it = m_windowOf.cbegin(); it != m_windowOf.cend(); ++it)
        it.key()->setEnabled(isAvailable(it.value()) && (toolbar || !buttons.contains(it.key())));
    for (const char* name : {"mnuUpdateItems", "mnuUpdatePOPs"})
        if (auto* entry = findChild<QAction*>(name)) entry->setEnabled(windows);
    m_buttons.value("UpdateItems")->setEnabled(windows && toolbar);
    m_buttons.value("UpdatePOPs")->setEnabled(windows && toolbar);
    m_buttons.value("Help")->setEnabled(toolbar);
    m_toolBar->setEnabled(toolbar);
    for (QAction* entry : m_profileEntries) entry->setEnabled(switching);
    m_profilesDropDown->setEnabled(switching && toolbar);
    // The drop-down of names follows switching, whether or not the button itself opens anything.
    if (m_profilesButton) m_profilesButton->setEnabled(switching && toolbar);

    // Whole menus: the entries above decide what each one offers.
    const std::pair<const char*, bool> menus[] = {
        {"mnuEdit", windows},     {"mnuView", windows},     {"mnuReportS", windows},
        {"mnuImages", windows},   {"mnuProfiles", switching}, {"mnuTools", !child && !profileEditor},
    };
    for (const auto& [name, enabled] : menus)
        if (auto* menu = findChild<QMenu*>(name)) menu->menuAction()->setEnabled(enabled);
}

void frmMain::setHeld(Hold what, bool on) {
    int& count = m_held[static_cast<size_t>(what)];
    count = std::max(0, count + (on ? 1 : -1));
    if (!m_closing) updateAvailability();
}

void frmMain::SetTheCaption() {
    setWindowTitle(m_profile->ID() + QString(9, ' ') + m_profile->IPAddress());
}

void frmMain::SaveProfileList() {
    ProfileStore::SaveProfileList(m_paths, m_profile->ID());
}

void frmMain::LoadProfiles() {
    for (QAction* entry : m_profileEntries) {
        m_mnuProfiles->removeAction(entry);
        entry->deleteLater();
    }
    m_profileEntries.clear();
    m_profilesDropDown->clear();
    int i = 1;
    for (const QString& name : ProfileStore::profileNames(m_paths)) {
        QAction* drop = m_profilesDropDown->addAction(name);
        connect(drop, &QAction::triggered, this,
                [this, name] { m_guard.run("Select Profile", [&] { SelectProfile(name); }); });
        QAction* entry = m_mnuProfiles->addAction(name);
        entry->setObjectName(QString("mnuEditProfiles_%1").arg(i++));
        connect(entry, &QAction::triggered, this,
                [this, name] { m_guard.run("Select Profile", [&] { SelectProfile(name); }); });
        m_profileEntries.append(entry);
    }
    updateAvailability();
}

bool frmMain::FirstRun() {
    return FrontEndSettings::FirstRun(m_paths);
}

void frmMain::SelectProfile(const QString& name) {
    if (!m_profile->ID().isEmpty()) m_profile->SaveProfile();
    m_profile->setID(name);
    SetTheCaption();
}

void frmMain::ReloadProfile(const QString& changed) {
    const QString current = m_profile->ID();
    if (current.isEmpty() || (!changed.isEmpty() && changed.compare(current, Qt::CaseInsensitive) != 0)) return;
    m_profile->setID(current);
    SetTheCaption();
}

bool frmMain::LoadMain() {
    bool ok = true;
    m_guard.run("Main Form Activation", [&] {
        LoadProfiles();
        const std::optional<QString> current = ProfileStore::currentProfile(m_paths);
        if (current) {
            try {
                m_profile->setID(*current);
            } catch (const AppError& e) {
                throw AppError("Main Form Activation", e.number(), e.description());
            }
            SetTheCaption();
            return;
        }
        // The very first start: there is no profile yet.
        while (!(m_createFirstProfile && m_createFirstProfile(*this))) {
            if (m_prompts.ask("Error:", "Error creating new Profile.", Buttons::RetryCancel) !=
                Button::Retry) {
                ok = false;
                endProgram();
                return;
            }
        }
    });
    return ok;
}

void frmMain::openWindow(const QString& name) {
    m_guard.run("Open " + name, [&] {
        if (!isAvailable(name)) return;
        if (isStandalone(name)) {
            for (QWidget* open : findChildren<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
                if (!open->isVisible()) continue;
                open->raise();
                open->activateWindow();
                return;
            }
            QWidget* window = m_factories.value(name)(*this);
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->move(geometry().center() - window->rect().center());
            window->show();
            return;
        }
        if (m_children.contains(name) && m_children.value(name)) {
            m_mdi->setActiveSubWindow(m_children.value(name));
            return;
        }
        RegisterChildForm(m_factories.value(name)(*this));
    });
}

void frmMain::RegisterChildForm(QWidget* window) {
    const QString name = window->objectName();
    if (m_children.contains(name) && m_children.value(name)) {
        window->deleteLater(); // already open: no second copy
        return;
    }
    QMdiSubWindow* sub = m_mdi->addSubWindow(window);
    sub->setObjectName(name + "_sub");
    sub->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_children.insert(name, sub);
    connect(sub, &QObject::destroyed, this, [this, name] { deregister(name); });
    connect(window, &QObject::destroyed, sub, [sub] { sub->close(); });
    updateAvailability();
    window->show();
    sub->show();
}

void frmMain::DeRegisterChildForm(QWidget* window) {
    deregister(window->objectName());
}

void frmMain::deregister(const QString& name) {
    m_children.remove(name);
    if (!m_closing) updateAvailability();
}

void frmMain::runImageTool(const QString& tool, const QString& folder, const QString& message,
                           const QString& title, const QString& window) {
    // The dialog opens where the tool is: beside the program when it is installed.
    const QString toolFolder = QFileInfo(m_paths.programFile(tool)).absolutePath();
    const QString chosen = m_dialogs.openFile(this, QString(), toolFolder, toolFilter(tool));
    if (chosen.isEmpty()) return;
    RunAndWait(chosen, {"/auto", folder}, m_clock);
    if (m_prompts.ask(title, message + "\nWould you like to view them now?", Buttons::YesNo) == Button::Yes)
        openWindow(window);
    ClearImageAttributes(m_paths);
}

void frmMain::UpdateItemImages() {
    runImageTool("Items", m_paths.itemImages(), "Updating of Item Images's finished Successfully!",
                 "NOTICE:", "frmEditMenuItems");
}

void frmMain::UpdatePOPImages() {
    runImageTool("POPs", m_paths.popImages(), "Updating of Pop's finished Successfully!",
                 "Attention:", "frmEditPOPs");
}

void frmMain::closeEvent(QCloseEvent* event) {
    m_closing = true;
    m_mdi->closeAllSubWindows();
    if (!m_mdi->subWindowList().isEmpty()) {
        // A child kept itself open (its user chose Cancel).
        m_closing = false;
        event->ignore();
        return;
    }
    m_guard.run("Main Form Unload", [this] {
        if (m_profile->ID().isEmpty()) return;
        SaveProfileList();
        m_profile->SaveProfile();
    });
    event->accept();
}

} // namespace zr
