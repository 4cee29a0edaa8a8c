#include "profiles/frmViewConf.h"

#include "app/AppPaths.h"
#include "app/Prompts.h"
#include "app/TextFile.h"
#include "app/WindowsText.h"
#include "app/frmMain.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zr {

namespace {

const char* const Captions[] = {"zr.conf", "items", "Exceptions.log", "FTP.log", "Event.log"};
const char* const Files[] = {"Config/zr.conf", "Items/items", "Log/Exceptions.log", "Log/Ftp.log", "Log/Event.log"};

} // namespace

frmViewConf::frmViewConf(frmMain& main) : m_main(main) {
    setObjectName("frmViewConf");
    setWindowTitle("View System Configuration Files for this Profile.");
    auto* group = new QButtonGroup(this);
    auto* options = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        opt[i] = new QRadioButton(Captions[i], this);
        opt[i]->setObjectName(QString("opt_%1").arg(i));
        group->addButton(opt[i], i);
        options->addWidget(opt[i]);
        connect(opt[i], &QRadioButton::clicked, this,
                [this] { m_main.guard().run("View Configuration", [this] { ShowChosenFile(); }); });
    }
    options->addStretch();
    lst = new QListWidget(this);
    lst->setObjectName("lst");
    lst->setUniformItemSizes(true);
    lst->setFont(QFont("Liberation Mono", 9));
    cmd[0] = new QPushButton("&Refresh", this);
    cmd[1] = new QPushButton("E&xit", this);
    cmd[0]->setObjectName("cmd_0");
    cmd[1]->setObjectName("cmd_1");
    connect(cmd[0], &QPushButton::clicked, this,
            [this] { m_main.guard().run("View Configuration", [this] { Refresh(); }); });
    connect(cmd[1], &QPushButton::clicked, this, [this] { parentWidget() ? parentWidget()->close() : close(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd[0]);
    buttons->addWidget(cmd[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(lst, 1);
    layout->addLayout(buttons);
}

QSize frmViewConf::sizeHint() const {
    // A hundred characters of the files, and thirty lines.
    QSize hint = QWidget::sizeHint();
    const QFontMetrics text(lst->font());
    const QSize list = lst->sizeHint();
    hint.rwidth() += std::max(0, 100 * text.horizontalAdvance('x') + 2 * lst->frameWidth() +
                                     lst->verticalScrollBar()->sizeHint().width() - list.width());
    hint.rheight() += std::max(0, 30 * text.lineSpacing() + 2 * lst->frameWidth() - list.height());
    return hint;
}

void frmViewConf::ShowChosenFile() {
    lst->clear();
    int chosen = -1;
    for (int i = 0; i < 5 && chosen < 0; ++i)
        if (opt[i]->isChecked()) chosen = i;
    const QString id = m_main.Profile().ID();
    std::optional<QStringList> lines;
    if (chosen >= 0 && !id.isEmpty()) {
        try {
            lines = TextFile::readLines(m_main.paths().profileFile(id, Files[chosen]), "View Configuration");
        } catch (const std::exception&) {
            lines.reset();
        }
    }
    if (!lines) {
        m_main.prompts().inform(QString(), "No file found.");
        return;
    }
    QStringList shown;
    shown.reserve(lines->size());
    for (const QString& line : *lines) shown << shownText(line);
    lst->addItems(shown);
}

void frmViewConf::Refresh() {
    const int row = lst->currentRow();
    const bool remembered = row >= 0 && lst->currentItem()->isSelected();
    ShowChosenFile();
    if (!remembered || lst->count() == 0) return;
    const int at = std::min(row, lst->count() - 1);
    lst->setCurrentRow(at);
    // The line and up to ten lines below it stay in view.
    lst->scrollToItem(lst->item(std::min(at + 10, lst->count() - 1)));
    lst->scrollToItem(lst->item(at));
}

} // namespace zr
