#include "settings/frmEditPreSellMessage.h"

#include "app/Dialogs.h"
#include "app/EditorSupport.h"
#include "app/TextWidth.h"
#include "draw/BoardDrawing.h"
#include "app/WindowsText.h"
#include "app/frmMain.h"

#include <QCheckBox>
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

const char* const Source = "Edit Pre Sell Message";
const char* const NewLine = "New Line.";

// Stored colours hold red in the low byte, then green, then blue (configColor reads them).
qint32 toStored(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

} // namespace

frmEditPreSellMessage::frmEditPreSellMessage(frmMain& main) : m_main(main) {
    setObjectName("frmEditPreSellMessage");
    setWindowTitle("Edit Pre Sell Message");
    MessageList = new QTreeWidget(this);
    MessageList->setObjectName("MessageList");
    MessageList->setHeaderLabels({"Message Lines"});
    MessageList->setRootIsDecorated(false);
    MessageList->setFont(messageFont());
    MessageList->setToolTip("This is the way your Pre Sell Message will appear on your OCB.");
    txt = new QLineEdit(this);
    txt->setObjectName("txt");
    txt->setFont(messageFont());
    chk = new QCheckBox("Drifting Text", this);
    chk->setObjectName("chk");
    auto* delayLabel = new QLabel("Delay to POP's", this);
    cmb = new QComboBox(this);
    cmb->setObjectName("cmb");
    delayLabel->setBuddy(cmb);
    for (int second = 0; second <= 10; ++second)
        cmb->addItem(QString::number(second));

    const std::pair<int, const char*> captions[] = {{3, "A&dd Line"},
                                                    {4, "&Remove Line"},
                                                    {5, "Change &Text Color"},
                                                    {6, "Change &Back Color"},
                                                    {7, "&Insert Line"}};
    for (const auto& [index, caption] : captions)
        cmd[index] = commandButton(this, index, caption);
    QHBoxLayout* buttons = EditorButtons{
        Source, "Do you want to save your changes?", [this] { return Changed(); },
        EditorButtons::storing([this] {
            Apply();
        })}.createButtons(m_main, this, cmd.data());

    const auto guarded = [this](void (frmEditPreSellMessage::*handler)()) {
        return [this, handler] { m_main.guard().run(Source, [&] { (this->*handler)(); }); };
    };
    connect(cmd[3], &QPushButton::clicked, this, guarded(&frmEditPreSellMessage::AddLine));
    connect(cmd[7], &QPushButton::clicked, this, guarded(&frmEditPreSellMessage::InsertLine));
    connect(cmd[4], &QPushButton::clicked, this, guarded(&frmEditPreSellMessage::RemoveLine));
    connect(cmd[5], &QPushButton::clicked, this,
            [this] { m_main.guard().run(Source, [this] { chooseColor(true); }); });
    connect(cmd[6], &QPushButton::clicked, this,
            [this] { m_main.guard().run(Source, [this] { chooseColor(false); }); });
    connect(MessageList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current) txt->setText(current->text(0));
    });
    storableTextOnly(m_main, txt, Source);
    limitTyping(m_main, txt, Source, "Cannot exceed 50 characters.",
                [](const QString& text) { return text.size() <= MaxLineLength; });
    // The list always shows what is typed.
    // (The field's own text: a cut-back made while the edit is reported comes first.)
    connect(txt, &QLineEdit::textChanged, this, [this] {
        if (QTreeWidgetItem* line = MessageList->currentItem()) line->setText(0, txt->text());
    });

    auto* lineButtons = new QHBoxLayout;
    for (int index : {3, 7, 4})
        lineButtons->addWidget(cmd[index]);
    lineButtons->addStretch();
    lineButtons->addWidget(cmd[5]);
    lineButtons->addWidget(cmd[6]);
    auto* options = new QHBoxLayout;
    options->addWidget(chk);
    options->addSpacing(24);
    options->addWidget(delayLabel);
    options->addWidget(cmb);
    options->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MessageList, 1);
    layout->addWidget(txt);
    layout->addLayout(lineButtons);
    layout->addLayout(options);
    layout->addLayout(buttons);
    resize(560, 520);
    load();
}

void frmEditPreSellMessage::load() {
    PreSellMessage& message = m_main.Profile().PreSellMessage();
    MessageList->clear();
    for (const QString& line : message.MessageList())
        new QTreeWidgetItem(MessageList, QStringList{shownText(line)});
    const int count = MessageList->topLevelItemCount();
    if (count > 0) MessageList->setCurrentItem(MessageList->topLevelItem(0));
    txt->setEnabled(count > 0);
    cmd[3]->setEnabled(count < MaxLines);
    cmd[7]->setEnabled(count > 0 && count < MaxLines);
    cmd[4]->setEnabled(count > 0);
    chk->setChecked(message.MessageDisplayType() == "smooth");
    setColors(configColor(message.ForeColor()), configColor(message.BackColor()));
    cmb->setCurrentIndex(cmb->findText(QString::number(message.MessageToPOPTime())));
}

void frmEditPreSellMessage::setColors(const QColor& fore, const QColor& back) {
    m_fore = fore;
    m_back = back;
    QPalette palette = MessageList->palette();
    palette.setColor(QPalette::Text, fore);
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::HighlightedText, back);
    palette.setColor(QPalette::Highlight, fore);
    MessageList->setPalette(palette);
}

void frmEditPreSellMessage::chooseColor(bool text) {
    const std::optional<QColor> chosen = m_main.dialogs().chooseColor(this, text ? m_fore : m_back);
    if (!chosen || !chosen->isValid()) return;
    if (text)
        setColors(*chosen, m_back);
    else
        setColors(m_fore, *chosen);
}

void frmEditPreSellMessage::placeNewLine(int row) {
    auto* line = new QTreeWidgetItem(QStringList{NewLine});
    MessageList->insertTopLevelItem(row, line);
    MessageList->setCurrentItem(line);
    txt->setText(NewLine);
    txt->setEnabled(true);
    txt->setFocus();
    txt->selectAll();
    const bool full = MessageList->topLevelItemCount() >= MaxLines;
    cmd[3]->setEnabled(!full);
    cmd[7]->setEnabled(!full);
    cmd[4]->setEnabled(true);
}

void frmEditPreSellMessage::AddLine() {
    if (MessageList->topLevelItemCount() >= MaxLines) return;
    placeNewLine(MessageList->topLevelItemCount());
}

void frmEditPreSellMessage::InsertLine() {
    if (MessageList->topLevelItemCount() >= MaxLines) return;
    const int selected = MessageList->indexOfTopLevelItem(MessageList->currentItem());
    placeNewLine(selected < 0 ? MessageList->topLevelItemCount() : selected + 1);
}

void frmEditPreSellMessage::RemoveLine() {
    QTreeWidgetItem* line = MessageList->currentItem();
    if (!line) return;
    delete line;
    if (QTreeWidgetItem* now =
            MessageList->currentItem() ? MessageList->currentItem() : MessageList->topLevelItem(0)) {
        MessageList->setCurrentItem(now);
        txt->setText(now->text(0));
        cmd[3]->setEnabled(true);
        cmd[7]->setEnabled(true);
        return;
    }
    txt->clear();
    txt->setEnabled(false);
    cmd[4]->setEnabled(false);
    cmd[7]->setEnabled(false);
}

QStringList frmEditPreSellMessage::lines() const {
    QStringList texts;
    for (int i = 0; i < MessageList->topLevelItemCount(); ++i)
        texts << storedText(MessageList->topLevelItem(i)->text(0));
    return texts;
}

bool frmEditPreSellMessage::Changed() {
    PreSellMessage& message = m_main.Profile().PreSellMessage();
    const bool delayShown = cmb->currentIndex() >= 0;
    return chk->isChecked() != (message.MessageDisplayType() == "smooth") ||
           (delayShown && cmb->currentText() != QString::number(message.MessageToPOPTime())) ||
           lines() != message.MessageList() || m_fore != configColor(message.ForeColor()) ||
           m_back != configColor(message.BackColor());
}

void frmEditPreSellMessage::Apply() {
    PreSellMessage& message = m_main.Profile().PreSellMessage();
    message.setMessageDisplayType(chk->isChecked() ? "smooth" : "random");
    // A stored delay outside the list shows no entry; it is kept as it is.
    if (cmb->currentIndex() >= 0)
        message.setMessageToPOPTime(static_cast<qint16>(cmb->currentText().toShort()));
    // A colour left as it was keeps its stored value, whatever else that value holds.
    if (m_back != configColor(message.BackColor())) message.setBackColor(toStored(m_back));
    if (m_fore != configColor(message.ForeColor())) message.setForeColor(toStored(m_fore));
    message.setMessageList(lines());
    m_main.Profile().SaveProfile();
}

} // namespace zr
