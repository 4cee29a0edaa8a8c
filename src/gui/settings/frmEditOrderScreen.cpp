#include "settings/frmEditOrderScreen.h"

#include "app/EditorSupport.h"
#include "app/TextWidth.h"
#include "app/WindowsText.h"
#include "app/frmMain.h"
#include "settings/MockUps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace zr {

namespace {

const QSize ScreenSize(300, 380);

bool isYes(const QString& value) {
    return value.toLower() == "yes";
}
QString yesNo(bool ticked) {
    return ticked ? "yes" : "no";
}

QLabel* screenLabel(QWidget* screen, const QString& objectName, const QString& text, const QRect& at,
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, screen);
    label->setObjectName(objectName);
    label->setGeometry(at);
    label->setAlignment(alignment);
    label->setStyleSheet("color: white; background: transparent;");
    return label;
}

} // namespace

frmEditOrderScreen::frmEditOrderScreen(frmMain& main) : m_main(main) {
    setObjectName("frmEditOrderScreen");
    setWindowTitle("Edit Order Screen");
    const char* const boxes[] = {"Show Tax Prices", "Show Total Prices", "Show Line Item Prices",
                                 "Show Total Screen"};
    auto* form = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        chk[i] = new QCheckBox(boxes[i], this);
        chk[i]->setObjectName(QString("chk_%1").arg(i));
        form->addWidget(chk[i]);
        connect(chk[i], &QCheckBox::clicked, this,
                [this] { m_main.guard().run("Edit Order Screen", [this] { RefreshMockUp(); }); });
    }
    auto* delayLabel = new QLabel("Total Screen Delay", this);
    Delay = new QComboBox(this);
    Delay->setObjectName("Delay");
    Delay->setToolTip(
        "Determines the delay time between when the order is finished and the total screen is shown.");
    delayLabel->setBuddy(Delay);
    for (int second = 0; second <= 60; ++second)
        Delay->addItem(QString::number(second));
    connect(Delay, &QComboBox::activated, this, [this] { m_changed = true; });
    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(delayLabel);
    delayRow->addWidget(Delay);
    delayRow->addStretch();
    form->addLayout(delayRow);

    const char* const messages[] = {"Breakfast Message", "Lunch Message", "Dinner Message"};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(messages[i], this);
        txt[i] = new QLineEdit(this);
        txt[i]->setObjectName(QString("txt_%1").arg(i));
        txt[i]->setFont(messageFont());
        txt[i]->setMinimumWidth(290); // room for the widest message
        label->setBuddy(txt[i]);
        form->addSpacing(6);
        form->addWidget(label);
        form->addWidget(txt[i]);
        QLineEdit* field = txt[i];
        selectAllOnFocus(field, [this, field] { showMessage(field->text()); });
        // (The field's own text: a cut-back made while the edit is reported comes first.)
        connect(field, &QLineEdit::textChanged, this, [this, field] {
            showMessage(field->text());
            m_changed = true;
        });
        storableTextOnly(m_main, field, "Edit Order Screen");
        limitTyping(m_main, field, "Edit Order Screen",
                    "Message cannot exceed the width of the Order Screen.", widthLimit(MessageWidthTwips));
    }
    form->addStretch();

    // The mock-up: sample figures on a drawn order screen.
    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture1->setFixedSize(ScreenSize);
    QImage screen = orderScreenPicture(ScreenSize);
    {
        QPainter p(&screen);
        p.setPen(QColor(20, 20, 20));
        QFont font = messageFont();
        p.setFont(font);
        p.drawText(QRect(12, 312, 120, 30), Qt::AlignLeft | Qt::AlignVCenter, "TOTAL");
        p.setPen(QColor(220, 220, 220));
        p.drawText(QRect(12, 274, 120, 24), Qt::AlignLeft | Qt::AlignVCenter, "TAX");
    }
    Image1 = new QLabel(Picture1);
    Image1->setObjectName("Image1");
    Image1->setPixmap(QPixmap::fromImage(screen));
    Image1->setGeometry(QRect(QPoint(0, 0), ScreenSize));
    const char* const prices[] = {" 3.99", "2.15", "4.22"};
    for (int i = 0; i < 3; ++i) {
        const int y = 44 + 34 * i;
        screenLabel(Picture1, QString("Line_%1").arg(i), QString("%1     Item Description #%1").arg(i + 1),
                    QRect(12, y, 200, 26));
        Price[i] = screenLabel(Picture1, QString("Price_%1").arg(i), prices[i], QRect(220, y, 68, 26),
                               Qt::AlignRight | Qt::AlignVCenter);
    }
    ItemPic = new QLabel(Picture1);
    ItemPic->setObjectName("ItemPic");
    ItemPic->setGeometry(95, 160, 110, 90);
    ItemPic->setPixmap(QPixmap::fromImage(itemPicture(ItemPic->size())));
    Tax = screenLabel(Picture1, "Tax", "0.37", QRect(220, 274, 68, 24), Qt::AlignRight | Qt::AlignVCenter);
    Total =
        screenLabel(Picture1, "Total", "10.73", QRect(200, 312, 88, 30), Qt::AlignRight | Qt::AlignVCenter);
    Total->setStyleSheet("color: black; background: transparent;");
    Total->setFont(messageFont());
    Message =
        screenLabel(Picture1, "Message", "Order Screen Message.", QRect(0, 348, 10, 24), Qt::AlignCenter);
    Message->setFont(messageFont());
    showMessage(Message->text());

    QHBoxLayout* buttons = EditorButtons{
        "Edit Order Screen", "Do you want to save your changes?", [this] { return Changed(); },
        EditorButtons::storing([this] {
            Apply();
        })}.createButtons(m_main, this, cmd.data());

    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addWidget(Picture1, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    load();
}

void frmEditOrderScreen::load() {
    Profiles& profile = m_main.Profile();
    OrderScreen& order = profile.OrderScreen();
    TotalScreen& total = profile.TotalScreen();
    txt[0]->setText(shownText(order.BreakfastMessage()));
    txt[1]->setText(shownText(order.LunchMessage()));
    txt[2]->setText(shownText(order.DinnerMessage()));
    chk[0]->setChecked(isYes(order.ShowTax()));
    chk[1]->setChecked(isYes(order.ShowTotal()));
    chk[2]->setChecked(isYes(order.ShowUnitPrice()));
    chk[3]->setChecked(isYes(total.ShowTotalScreen()));
    Delay->setCurrentIndex(Delay->findText(QString::number(total.TotalScreenDelay())));
    RefreshMockUp();
    m_changed = false;
}

void frmEditOrderScreen::showMessage(const QString& text) {
    Message->setText(text);
    Message->adjustSize();
    Message->move((Picture1->width() - Message->width()) / 2, Message->y());
}

void frmEditOrderScreen::RefreshMockUp() {
    Tax->setVisible(chk[0]->isChecked());
    Total->setVisible(chk[1]->isChecked());
    for (QLabel* price : Price)
        price->setVisible(chk[2]->isChecked());
    m_changed = true;
}

void frmEditOrderScreen::Apply() {
    Profiles& profile = m_main.Profile();
    OrderScreen& order = profile.OrderScreen();
    TotalScreen& total = profile.TotalScreen();
    order.setBreakfastMessage(storedText(txt[0]->text()));
    order.setLunchMessage(storedText(txt[1]->text()));
    order.setDinnerMessage(storedText(txt[2]->text()));
    order.setShowTax(yesNo(chk[0]->isChecked()));
    order.setShowTotal(yesNo(chk[1]->isChecked()));
    order.setShowUnitPrice(yesNo(chk[2]->isChecked()));
    total.setShowTotalScreen(yesNo(chk[3]->isChecked()));
    // A stored delay outside the list shows no entry; it is kept as it is.
    if (Delay->currentIndex() >= 0)
        total.setTotalScreenDelay(static_cast<qint16>(Delay->currentText().toShort()));
    profile.SaveProfile();
    m_changed = false;
}

} // namespace zr
