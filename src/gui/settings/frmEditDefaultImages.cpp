#include "settings/frmEditDefaultImages.h"

#include "app/AppPaths.h"
#include "app/EditorSupport.h"
#include "app/FrontEndSettings.h"
#include "app/frmMain.h"
#include "settings/MockUps.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zr {

namespace {

const char* const Source = "Edit Default Images";

// Picture files are found without regard to case, so a stored name names the
// file in any letter case.
bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

frmEditDefaultImages::frmEditDefaultImages(frmMain& main) : m_main(main) {
    setObjectName("frmEditDefaultImages");
    setWindowTitle("Edit Default Images");
    const char* const captions[] = {"Default Item Image", "Default POP Image", "GreatChoice.jpg",
                                    "Default.jpg"};
    for (int i = 0; i < 4; ++i) {
        lbl[i] = new QLabel(captions[i], this);
        lbl[i]->setObjectName(QString("lbl_%1").arg(i));
    }
    auto* grid = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
        lst[i] = new QListWidget(this);
        lst[i]->setObjectName(QString("lst_%1").arg(i));
        lbl[i]->setBuddy(lst[i]);
        Img[i] = new QLabel(this);
        Img[i]->setObjectName(QString("Img_%1").arg(i));
        Img[i]->setFixedSize(176, 132);
        Img[i]->setAlignment(Qt::AlignCenter);
        Img[i]->setFrameShape(QFrame::StyledPanel);
        lbl[i + 2]->setAlignment(Qt::AlignCenter);
        grid->addWidget(lbl[i], 0, i);
        grid->addWidget(lst[i], 1, i);
        grid->addWidget(Img[i], 2, i, Qt::AlignHCenter);
        grid->addWidget(lbl[i + 2], 3, i);
        connect(lst[i], &QListWidget::currentRowChanged, this,
                [this, i] { m_main.guard().run(Source, [&] { showChoice(i); }); });
    }

    QHBoxLayout* buttons = EditorButtons{
        Source, "Do you want to save your changes?", [this] { return Changed(); },
        EditorButtons::storing([this] {
            Apply();
        })}.createButtons(m_main, this, cmd.data());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    const AppPaths& paths = m_main.paths();
    fill(0, paths.itemImages(), m_main.Profile().DefaultItem());
    fill(1, paths.popImages(), m_main.Profile().DefaultPOP());
}

void frmEditDefaultImages::fill(int list, const QString& folder, const QString& stored) {
    FileManager& catalogue = m_catalogues[list];
    catalogue = pictureCatalogue(folder, keepWindowsDrawn);
    lst[list]->clear();
    // No default POP image is a choice of its own.
    if (list == 1) lst[list]->addItem(QString());
    for (const file& picture : catalogue.Files())
        lst[list]->addItem(picture.ID);
    lst[list]->setCurrentRow(-1);
    for (int row = 0; row < lst[list]->count(); ++row) {
        if (sameName(lst[list]->item(row)->text(), stored)) {
            lst[list]->setCurrentRow(row);
            break;
        }
    }
}

void frmEditDefaultImages::showChoice(int list) {
    const QListWidgetItem* item = lst[list]->currentItem();
    if (!item) return;
    if (refusePictureName(m_main, item->text())) {
        const QSignalBlocker quiet(lst[list]);
        lst[list]->setCurrentRow(m_shownRow[list]);
        return;
    }
    m_shownRow[list] = lst[list]->currentRow();
    lbl[list + 2]->setText(item->text());
    showPicture(Img[list],
                item->text().isEmpty() ? QString() : m_catalogues[list].Directory() + item->text());
}

QString frmEditDefaultImages::chosen(int list) const {
    const QListWidgetItem* item = lst[list]->currentItem();
    return item ? item->text() : QString();
}

bool frmEditDefaultImages::Changed() {
    return !sameName(chosen(0), m_main.Profile().DefaultItem()) ||
           !sameName(chosen(1), m_main.Profile().DefaultPOP());
}

void frmEditDefaultImages::Apply() {
    m_main.Profile().setDefaultItem(chosen(0));
    m_main.Profile().setDefaultPOP(chosen(1));
    m_main.Profile().SaveProfile();
    // zr.conf has no place for them: the next start reads them from zr.ini.
    FrontEndSettings::SaveDefaultImages(m_main.paths(), {chosen(0), chosen(1)});
}

} // namespace zr
