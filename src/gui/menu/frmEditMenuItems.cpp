#include "menu/frmEditMenuItems.h"

#include "app/AppPaths.h"
#include "app/Dialogs.h"
#include "app/EditorSupport.h"
#include "app/Prompts.h"
#include "app/Routines.h"
#include "app/WindowsText.h"
#include "app/frmMain.h"
#include "menu/MenuItemsModel.h"
#include "menu/frmMenuCheck.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <limits>

namespace zr {

namespace {

const QString DoubleQuoteRefused = "A descriptor cannot hold a double quote (\").";
const QSize PreviewSize(176, 132);

QComboBox* dropDown(QWidget* parent, const char* name, const QString& tooltip, const QStringList& entries) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setToolTip(tooltip);
    box->addItems(entries);
    box->setMinimumContentsLength(18);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

QLabel* previewBox(QWidget* parent, const char* name) {
    auto* box = new QLabel(parent);
    box->setObjectName(name);
    box->setFixedSize(PreviewSize);
    box->setAlignment(Qt::AlignCenter);
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Sunken);
    return box;
}

} // namespace

frmEditMenuItems::frmEditMenuItems(frmMain& main) : m_main(main) {
    setObjectName("frmEditMenuItems");
    setWindowTitle("Edit Menu Items");
    buildWindow();

    // The two catalogues fill the picture lists; the POP list starts with "no POP".
    m_itemImages = pictureCatalogue(m_main.paths().itemImages(), keepWindowsDrawn);
    m_popImages = pictureCatalogue(m_main.paths().popImages(), keepWindowsDrawn);
    QStringList names;
    for (const file& f : m_itemImages.Files())
        names << f.ID;
    ItemPicList->addItems(names);
    names = {QString()};
    for (const file& f : m_popImages.Files())
        names << f.ID;
    POPList->addItems(names);

    LoadItemsFile();
    m_changed = false;
}

void frmEditMenuItems::buildWindow() {
    m_model = new MenuItemsModel(this);
    MenuList = new QTreeView(this);
    MenuList->setObjectName("MenuList");
    MenuList->setModel(m_model);
    MenuList->setRootIsDecorated(false);
    MenuList->setUniformRowHeights(true);
    MenuList->setItemsExpandable(false);
    MenuList->setAllColumnsShowFocus(true);
    MenuList->setSelectionMode(QAbstractItemView::SingleSelection);
    MenuList->setSelectionBehavior(QAbstractItemView::SelectRows);
    MenuList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MenuList->header()->setStretchLastSection(false);
    MenuList->header()->setSectionsMovable(false);
    const int widths[] = {150, 190, 130, 70, 70, 130, 70};
    for (int c = 0; c < MenuItemsModel::ColumnCount; ++c)
        MenuList->setColumnWidth(c, widths[c]);
    QPalette palette = MenuList->palette();
    palette.setColor(QPalette::Base, QColor(192, 192, 192));
    palette.setColor(QPalette::AlternateBase, QColor(192, 192, 192));
    MenuList->setPalette(palette);
    MenuList->installEventFilter(this);
    connect(MenuList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { m_main.guard().run("Display Selected Item", [this] { showSelected(); }); });

    lblShort = new QLabel(this);
    lblShort->setObjectName("lblShort");
    lblShort->setFrameShape(QFrame::Panel);
    lblShort->setFrameShadow(QFrame::Sunken);
    lblShort->setTextInteractionFlags(Qt::TextSelectableByMouse);
    txt = new QLineEdit(this);
    txt->setObjectName("txt");
    txt->setMaxLength(std::numeric_limits<int>::max()); // a long line is shown whole, never cut
    txt->setToolTip("This is the descriptor the system will display when the item is ordered.");
    storableTextOnly(m_main, txt, "Edit Menu Item");
    ItemPicList =
        dropDown(this, "ItemPicList", "This is the image that will be shown when the Item is ordered", {});
    FamilyList =
        dropDown(this, "FamilyList",
                 "This is the Item Family -- it is used in deciding what to decide what family of item to "
                 "suggestively sell on the Order Screen",
                 FamilyNames);
    ShowItem =
        dropDown(this, "ShowItem",
                 "Turn this option off if you don't want to show the item on the Order Screen when it is "
                 "ordered.",
                 {"TRUE", "FALSE"});
    POPList = dropDown(
        this, "POPList",
        "Associating a POP with an item will tell you if an item was ordered when the associated POP "
        "was shown prior to the order.",
        {});
    TrackList =
        dropDown(this, "TrackList", "Determines whether or not the item is tracked.  ", {"TRUE", "FALSE"});
    ItemPic = previewBox(this, "ItemPic");
    POPPic = previewBox(this, "POPPic");

    connect(txt, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_main.guard().run("Edit Menu Item", [&] { longDescriptorTyped(text); });
    });
    const std::pair<QComboBox*, MenuItemsModel::Column> lists[] = {{ItemPicList, MenuItemsModel::Image},
                                                                   {FamilyList, MenuItemsModel::Family},
                                                                   {ShowItem, MenuItemsModel::Show},
                                                                   {POPList, MenuItemsModel::Pop},
                                                                   {TrackList, MenuItemsModel::Track}};
    for (auto [box, column] : lists) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, box, column] {
            m_main.guard().run("Edit Menu Item", [&] { edited(column, box->currentText()); });
        });
    }

    const char* const captions[] = {"&Apply", "E&xit", "&Cancel", "A&dd Item"};
    const char* const tips[] = {"Click here to Save your changes.", "Click here to Exit the Menu Editor.",
                                "Click here to cancel.", ""};
    for (int i = 0; i < 4; ++i) {
        cmd[i] = new QPushButton(captions[i], this);
        cmd[i]->setObjectName(QString("cmd_%1").arg(i));
        if (*tips[i]) cmd[i]->setToolTip(tips[i]);
    }
    connect(cmd[0], &QPushButton::clicked, this,
            [this] { m_main.guard().run("Apply Menu Items", [this] { apply(); }); });
    connect(cmd[1], &QPushButton::clicked, this,
            [this] { m_main.guard().run("Exit Menu Items", [this] { exitAsking(); }); });
    connect(cmd[2], &QPushButton::clicked, this, [this] { closeWindow(); });
    connect(cmd[3], &QPushButton::clicked, this,
            [this] { m_main.guard().run("Add Item", [this] { addItem(); }); });

    auto* fields = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {
        {"Short Descriptor:", lblShort}, {"&Long Descriptor:", txt}, {"&Image:", ItemPicList},
        {"&Family:", FamilyList},        {"&Show Item:", ShowItem},  {"Associated &POP:", POPList},
        {"&Track Item:", TrackList}};
    int row = 0;
    for (auto [caption, control] : rows) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        fields->addWidget(label, row, 0);
        fields->addWidget(control, row++, 1);
    }
    fields->setColumnStretch(1, 1);
    auto* previews = new QGridLayout;
    previews->addWidget(new QLabel("Item Image", this), 0, 0, Qt::AlignHCenter);
    previews->addWidget(new QLabel("Associated POP", this), 0, 1, Qt::AlignHCenter);
    previews->addWidget(ItemPic, 1, 0);
    previews->addWidget(POPPic, 1, 1);
    previews->setRowStretch(2, 1);
    auto* editing = new QHBoxLayout;
    editing->addLayout(fields, 1);
    editing->addLayout(previews);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd[3]);
    buttons->addStretch();
    buttons->addWidget(cmd[0]);
    buttons->addWidget(cmd[1]);
    buttons->addWidget(cmd[2]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MenuList, 1);
    layout->addLayout(editing);
    layout->addLayout(buttons);
    QWidget* const order[] = {MenuList,  txt,    ItemPicList, FamilyList, ShowItem, POPList,
                              TrackList, cmd[3], cmd[0],      cmd[1],     cmd[2]};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

int frmEditMenuItems::selectedRow() const {
    const QModelIndex current = MenuList->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void frmEditMenuItems::LoadItemsFile() {
    m_model->setItems({});
    Profiles& profile = m_main.Profile();
    const ItemsLoadResult result = loadItemsFile(m_main.paths().itemsFile(profile.ID()), m_itemImages,
                                                 m_popImages, profile.DefaultItem());
    m_model->setItems(result.rows);
    bool checkFile = false;
    switch (result.outcome) {
    case ItemsLoadOutcome::Loaded:
        setEditsEnabled(true);
        break;
    case ItemsLoadOutcome::EmptyFile:
        setEditsEnabled(false);
        break;
    case ItemsLoadOutcome::NoItems:
        m_main.prompts().inform(QString(), result.message());
        setEditsEnabled(false);
        break;
    case ItemsLoadOutcome::BadRecord:
        checkFile = m_main.prompts().ask(QString(), result.message(), Buttons::YesNo) == Button::Yes;
        // Either way the rows before the bad record are shown with the edit fields off, as the question
        // warned: saving them drops the rest of the file. Add Item turns the fields on again.
        setEditsEnabled(false);
        break;
    case ItemsLoadOutcome::EndInsideRecord:
        checkFile = m_main.prompts().ask(QString(), result.message(), Buttons::YesNo) == Button::Yes;
        break;
    }
    selectRow(m_model->rowCount() > 0 ? 0 : -1);
    m_changed = false;
    if (checkFile) openMenuCheck();
}

void frmEditMenuItems::setEditsEnabled(bool enabled) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{txt, ItemPicList, FamilyList, ShowItem, POPList, TrackList})
        control->setEnabled(enabled);
}

void frmEditMenuItems::selectRow(int row) {
    if (row < 0 || row >= m_model->rowCount()) {
        MenuList->setCurrentIndex({});
        showSelected();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    MenuList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
    MenuList->scrollTo(index);
    showSelected();
}

void frmEditMenuItems::showSelected() {
    const int row = selectedRow();
    m_showing = true;
    const auto done = qScopeGuard([this] { m_showing = false; });
    if (row < 0) {
        lblShort->clear();
        txt->clear();
        for (QComboBox* box : {ItemPicList, FamilyList, ShowItem, POPList, TrackList})
            box->setCurrentIndex(-1);
        ItemPic->clear();
        POPPic->clear();
        return;
    }
    const MenuItem& item = m_model->item(row);
    lblShort->setText(shownText(item.ShortDescriptor));
    txt->setText(shownText(item.LongDescriptor));
    // A value that is not an entry of its list leaves the list blank; the others are still shown.
    const auto setList = [](QComboBox* box, const QString& value) {
        box->setCurrentIndex(box->findText(value, Qt::MatchFixedString | Qt::MatchCaseSensitive));
        if (box->currentIndex() < 0) box->setCurrentIndex(box->findText(value, Qt::MatchFixedString));
    };
    setList(ItemPicList, item.Image);
    setList(FamilyList, item.Family);
    setList(ShowItem, item.ShowItem);
    setList(POPList, item.AssociatedPOP);
    setList(TrackList, item.TrackItem);
    showPicture(ItemPic, m_main.paths().itemImages(),
                ItemPicList->currentIndex() < 0 ? QString() : item.Image);
    showPicture(POPPic, m_main.paths().popImages(),
                POPList->currentIndex() < 0 ? QString() : item.AssociatedPOP);
}

void frmEditMenuItems::showPicture(QLabel* box, const QString& folder, const QString& name) {
    box->clear();
    if (name.isEmpty()) return;
    const QPixmap picture(AppPaths::resolveIn(folder, name));
    if (picture.isNull()) return;
    box->setPixmap(picture.scaled(box->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void frmEditMenuItems::edited(int column, const QString& value) {
    const int row = selectedRow();
    if (m_showing || row < 0) return;
    const auto which = static_cast<MenuItemsModel::Column>(column);
    if (MenuItemsModel::field(m_model->item(row), which) != value) m_changed = true;
    m_model->setField(row, which, value);
    if (which == MenuItemsModel::Image) showPicture(ItemPic, m_main.paths().itemImages(), value);
    if (which == MenuItemsModel::Pop) showPicture(POPPic, m_main.paths().popImages(), value);
}

// The file has no escape for a double quote, so one typed into a descriptor
// is taken out again at once: saved, it would split the line differently on the next load.
void frmEditMenuItems::longDescriptorTyped(const QString& text) {
    if (m_showing) return;
    if (text.contains('"')) {
        const int cursor =
            txt->cursorPosition() - static_cast<int>(text.left(txt->cursorPosition()).count('"'));
        txt->setText(QString(text).remove('"'));
        txt->setCursorPosition(cursor);
        m_main.prompts().inform("Attention:", DoubleQuoteRefused);
        return;
    }
    edited(MenuItemsModel::Long, storedText(text));
}

void frmEditMenuItems::addItem() {
    const std::optional<QString> answer =
        m_main.dialogs().inputText(this, windowTitle(), "Enter Short Descriptor", {});
    if (!answer) return;
    if (const QString refused = unstorableTextMessage(*answer); !refused.isEmpty()) {
        m_main.prompts().inform("Attention:", refused);
        return;
    }
    // Blanks around the name are not kept by the file: "Fries " would come back as a second "Fries".
    const QString name = storedText(TrimBlanks(*answer));
    if (name.isEmpty()) return;
    if (name.contains('"')) {
        m_main.prompts().inform("Attention:", DoubleQuoteRefused);
        return;
    }
    if (m_model->find(name) >= 0) {
        m_main.prompts().inform(QString(), "Cannot have more than one item with the same name.");
        return;
    }
    const QString defaultItem = m_main.Profile().DefaultItem();
    const int row = m_model->addItem(MenuItem{name, name, defaultItem, "(none)", "TRUE", QString(), "FALSE"});
    m_changed = true;
    setEditsEnabled(true);
    selectRow(row);
}

bool frmEditMenuItems::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MenuList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        m_main.guard().run("Delete Item", [this] { deleteSelected(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmEditMenuItems::deleteSelected() {
    if (selectedRow() < 0) return;
    if (m_main.prompts().ask("ATTENTION:", "Are you sure you want to delete the selected record?",
                             Buttons::YesNo) != Button::Yes)
        return;
    const int row = selectedRow();
    if (row < 0) return;
    m_model->removeItem(row);
    m_changed = true;
    if (m_model->rowCount() == 0) setEditsEnabled(false);
    selectRow(m_model->rowCount() == 0 ? -1 : std::max(row - 1, 0));
}

void frmEditMenuItems::apply() {
    if (!m_changed) return;
    if (saveItemsFile(m_main.paths().itemsFile(m_main.Profile().ID()), m_model->items())) m_changed = false;
}

void frmEditMenuItems::exitAsking() {
    if (m_changed) {
        switch (
            m_main.prompts().ask("Attention:", "Do you want to save your changes?", Buttons::YesNoCancel)) {
        case Button::Yes:
            apply();
            break;
        case Button::No:
            break;
        default:
            return;
        }
    }
    closeWindow();
}

void frmEditMenuItems::closeEvent(QCloseEvent* event) {
    m_closed = true;
    QWidget::closeEvent(event);
}

void frmEditMenuItems::closeWindow() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void frmEditMenuItems::setWindowEnabled(bool enabled) {
    setEnabled(enabled);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) frame->setEnabled(enabled);
}

void frmEditMenuItems::openMenuCheck() {
    setWindowEnabled(false);
    const auto open = [this] {
        const bool opened = m_main.guard().run("Menu Check", [this] {
            setWindowEnabled(false); // now also the frame, which a window being opened did not have yet
            m_main.RegisterChildForm(new frmMenuCheck(m_main, this));
        });
        if (!opened) setWindowEnabled(true);
    };
    // A check window that is closing goes first: there is only ever one.
    if (QMdiSubWindow* closing = m_main.ChildWindows().value("frmMenuCheck")) {
        connect(closing, &QObject::destroyed, this, [this, open] { QTimer::singleShot(0, this, open); });
        return;
    }
    QTimer::singleShot(0, this, open);
}

} // namespace zr
