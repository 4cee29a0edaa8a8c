#include "dayparts/frmEditSuggestiveSales.h"

#include "app/AppPaths.h"
#include "app/EditorSupport.h"
#include "app/Logs.h"
#include "app/Prompts.h"
#include "app/WindowsText.h"
#include "app/frmMain.h"
#include "dayparts/DayPartTree.h"
#include "draw/ScreenDrawing.h"
#include "model/FileManager.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zr {

namespace {

const QString Source = "Edit Suggestive Sales";
// The closed day part has no suggestions.
const QStringList PartNames = DayPartNames.mid(0, 3);
const QStringList PartKeys = DayPartKeys.mid(0, 3);
const QStringList FamilyNames{"Entree", "Side", "Drink", "Dessert", "Special"};
const QStringList FamilyCodes{"10", "20", "30", "40", "50"};
// The widest message the order screen shows, in twips.
constexpr int MaxMessageTwips = 2730;
constexpr QSize ScreenSize(240, 300);
constexpr QSize PictureSize(128, 84);

} // namespace

QList<SuggestEntry> suggestionsByFamily(const QList<SuggestEntry>& list, QStringList* defaulted) {
    QList<SuggestEntry> out;
    for (const QString& code : FamilyCodes) {
        const auto found = std::find_if(list.cbegin(), list.cend(), [&](const SuggestEntry& e) {
            bool number = false;
            return e.Family.trimmed().toInt(&number) == code.toInt() && number;
        });
        if (found != list.cend()) {
            out.append(SuggestEntry{code, found->Picture, found->Message});
        } else {
            out.append(SuggestEntry{code, DefaultSuggestPicture, DefaultSuggestMessage});
            if (defaulted) defaulted->append(code);
        }
    }
    return out;
}

frmEditSuggestiveSales::frmEditSuggestiveSales(frmMain& main)
    : m_main(main), m_folder(main.paths().itemImages()) {
    setObjectName("frmEditSuggestiveSales");
    setWindowTitle("Edit Suggestive Sales");

    for (int part = 0; part < PartNames.size(); ++part) {
        const TimeOfDay* day = profileDay(part);
        m_work.append(TimeOfDay{PartNames[part],
                                QTime(0, 0),
                                {},
                                suggestionsByFamily(day ? day->Suggest : QList<SuggestEntry>{})});
    }

    SuggTree = new QTreeWidget(this);
    SuggTree->setObjectName("SuggTree");
    SuggTree->setHeaderHidden(true);
    for (const QString& part : PartNames) {
        auto* node = new QTreeWidgetItem(SuggTree, {part});
        node->setData(0, Qt::UserRole, part);
        for (const QString& family : FamilyNames)
            new QTreeWidgetItem(node, {family});
    }
    SuggTree->expandAll();

    ImageList = new QComboBox(this);
    ImageList->setObjectName("ImageList");
    ImageList->addItems(pictureNames(m_folder, keepWindowsDrawn));

    txt = new QLineEdit(this);
    txt->setObjectName("txt");
    txt->setToolTip("Enter the New Suggestive Sale Message Here.");
    storableTextOnly(main, txt, Source);
    TextLabel = new QLabel("Suggestive Sale Text", this);
    TextLabel->setObjectName("TextLabel");
    TextLabel->setBuddy(txt);
    ImageLabel = new QLabel("Select an Image", this);
    ImageLabel->setObjectName("ImageLabel");
    ImageLabel->setBuddy(ImageList);

    // The mock-up of the order screen.
    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture1->setFixedSize(ScreenSize);
    Screen = new QLabel(Picture1);
    Screen->setObjectName("Screen");
    Screen->setPixmap(QPixmap::fromImage(orderScreenMockUp(ScreenSize)));
    Screen->setGeometry(QRect(QPoint(0, 0), ScreenSize));
    SuggPic = new QLabel(Picture1);
    SuggPic->setObjectName("SuggPic");
    SuggPic->setAlignment(Qt::AlignCenter);
    SuggPic->setGeometry(QRect(QPoint((ScreenSize.width() - PictureSize.width()) / 2, 134), PictureSize));
    SuggPic->setPixmap(QPixmap::fromImage(placeholderPicture(PictureSize, "Suggestion")));
    Total = new QLabel("$10.73", Picture1);
    Total->setObjectName("Total");
    Total->setFont(screenFont(37)); // 27.75 pt
    Total->setStyleSheet("color: white");
    Total->adjustSize();
    Total->move(ScreenSize.width() - Total->width() - 10, ScreenSize.height() - 26 - Total->height() / 2);
    Message = new QLabel("Suggestive Sales Message", Picture1);
    Message->setObjectName("Message");
    Message->setFont(screenFont(13)); // 9.75 pt
    Message->setStyleSheet("color: #ffe080");
    Message->setMargin(0);
    Message->adjustSize();
    Message->move((ScreenSize.width() - Message->width()) / 2, 224);

    for (int i = 0; i < 3; ++i) {
        cmd[i] = new QPushButton(QStringList{"&Apply", "E&xit", "&Cancel"}[i], this);
        cmd[i]->setObjectName(QString("cmd_%1").arg(i));
    }

    auto* edit = new QVBoxLayout;
    edit->addWidget(ImageLabel);
    edit->addWidget(ImageList);
    edit->addWidget(TextLabel);
    edit->addWidget(txt);
    edit->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : cmd)
        buttons->addWidget(b);
    edit->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(SuggTree, 1);
    layout->addWidget(Picture1, 0, Qt::AlignTop);
    layout->addLayout(edit, 1);
    resize(sizeHint());
    txt->setEnabled(false);
    ImageList->setEnabled(false);

    const ErrorGuard& guard = m_main.guard();
    connect(SuggTree, &QTreeWidget::currentItemChanged, this,
            [this, &guard](QTreeWidgetItem* node) { guard.run(Source, [&] { showNode(node); }); });
    connect(ImageList, &QComboBox::activated, this,
            [this, &guard](int index) { guard.run(Source, [&] { imageChosen(index); }); });
    connect(txt, &QLineEdit::textChanged, this,
            [this, &guard] { guard.run(Source, [this] { messageEdited(); }); });
    connect(cmd[0], &QPushButton::clicked, this, [this, &guard] { guard.run(Source, [this] { Apply(); }); });
    connect(cmd[1], &QPushButton::clicked, this, [this, &guard] {
        guard.run(Source, [this] {
            exitEditor(this, m_main.prompts(), "Do you want to save your changes?", Changed(),
                       [this] { Apply(); });
        });
    });
    connect(cmd[2], &QPushButton::clicked, this, [this] { closeEditor(this); });

    const QString overwrite = "Are you sure you want to overwrite the current settings of ";
    copier = new DragCopyTree(SuggTree, guard, m_main.prompts(), Source,
                              {"Cannot copy a daypart to a family part!",
                               "Cannot copy a family part to a daypart!", overwrite, overwrite},
                              [this](QTreeWidgetItem* source, QTreeWidgetItem* target) {
                                  const SuggestEntry* from = workingEntry(source);
                                  SuggestEntry* to = workingEntry(target);
                                  // The target keeps its own family code.
                                  if (from && to && from != to)
                                      *to = SuggestEntry{to->Family, from->Picture, from->Message};
                              });
}

const TimeOfDay* frmEditSuggestiveSales::profileDay(int part) const {
    const TimeOfWeek* week = m_main.Profile().Week("Week");
    return week ? week->Day(PartKeys.value(part)) : nullptr;
}

SuggestEntry* frmEditSuggestiveSales::workingEntry(const QTreeWidgetItem* node) {
    if (!node || !node->parent()) return nullptr;
    const qsizetype part = PartNames.indexOf(node->parent()->text(0));
    const qsizetype family = FamilyNames.indexOf(node->text(0));
    if (part < 0 || family < 0) return nullptr;
    return &m_work[part].Suggest[family];
}

bool frmEditSuggestiveSales::showPicture(const QString& name) {
    const QImage picture = loadPicture(AppPaths::resolveIn(m_folder, name));
    if (picture.isNull()) return false;
    SuggPic->setPixmap(QPixmap::fromImage(picture.scaled(PictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    return true;
}

void frmEditSuggestiveSales::showNode(QTreeWidgetItem* node) {
    const SuggestEntry* entry = workingEntry(node);
    txt->setEnabled(entry != nullptr);
    ImageList->setEnabled(entry != nullptr);
    if (!entry) {
        if (node) txt->clear();
        return;
    }
    const int found = ImageList->findText(entry->Picture, Qt::MatchFixedString);
    if (found >= 0) ImageList->setCurrentIndex(found);
    showPicture(entry->Picture);
    txt->setText(shownText(entry->Message));
}

void frmEditSuggestiveSales::imageChosen(int index) {
    const QString name = ImageList->itemText(index);
    SuggestEntry* entry = workingEntry(SuggTree->currentItem());
    if (refusePictureName(m_main, name)) {
        // Back to the suggestion's own picture, or to no choice when it is not listed.
        ImageList->setCurrentIndex(entry ? ImageList->findText(entry->Picture, Qt::MatchFixedString) : -1);
        return;
    }
    showPicture(name);
    if (entry) entry->Picture = name;
}

void frmEditSuggestiveSales::messageEdited() {
    // Cut back one character per message until the text fits the order screen.
    QString text = txt->text();
    while (!text.isEmpty() && textWidthTwips(text) > MaxMessageTwips) {
        m_main.prompts().inform(QString(), "Message cannot exceed width of the Order Screen.");
        text.chop(1);
    }
    if (text != txt->text()) {
        const QSignalBlocker quiet(txt);
        txt->setText(text);
    }
    Message->setText(text);
    Message->adjustSize();
    Message->move((Picture1->width() - Message->width()) / 2, Message->y());
    if (SuggestEntry* entry = workingEntry(SuggTree->currentItem())) entry->Message = storedText(text);
}

bool frmEditSuggestiveSales::Changed() const {
    // A list not in the editor's shape (five, in family order) counts as changed.
    for (int part = 0; part < m_work.size(); ++part)
        if (const TimeOfDay* day = profileDay(part); day && day->Suggest != m_work[part].Suggest) return true;
    return false;
}

void frmEditSuggestiveSales::Apply() {
    if (!Changed()) return;
    const ProfileLogs logs(m_main.paths(), m_main.clock());
    for (int part = 0; part < m_work.size(); ++part) {
        TimeOfWeek* week = m_main.Profile().Week("Week");
        TimeOfDay* day = week ? week->Day(PartKeys[part]) : nullptr;
        if (!day) continue;
        QStringList defaulted;
        if (suggestionsByFamily(day->Suggest, &defaulted) != day->Suggest) {
            QString note =
                "sugg_" + PartKeys[part] + " suggestions written as one per family in family order";
            if (!defaulted.isEmpty()) note += ", default suggestion given to family " + defaulted.join(", ");
            logs.LogEvent(m_main.Profile().ID(), note);
        }
        day->Suggest = m_work[part].Suggest;
    }
    m_main.Profile().SaveProfile();
}

} // namespace zr
