// Layout of the About box, in twips converted to the screen's pixels.
#include "app/AboutForm.h"

#include "app/PanelLayout.h"
#include "platform/Host.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kalido {

AboutForm::AboutForm(const ScreenMetrics& screen, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Kalido"));
    setFixedSize(screen.PixelsX(5160), screen.PixelsY(1464));
    QFont font = this->font();
    font.setPointSizeF(7.8);
    font.setBold(true);
    setFont(font);

    auto* text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    text->setPlainText(QStringLiteral("\n\nKalido, by the Kalido contributors\nContact: see the game's README"));
    text->setFrameShape(QFrame::NoFrame);
    text->setBackgroundRole(QPalette::Button);
    text->viewport()->setBackgroundRole(QPalette::Button);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setTextInteractionFlags(Qt::NoTextInteraction);
    text->setFocusPolicy(Qt::NoFocus);
    text->setGeometry(Pixels(screen, {30, 30, 4500, 1050}));
    // A press anywhere on the credit text closes the box, whatever the button.
    aboutText_ = text->viewport();
    aboutText_->installEventFilter(this);

    auto* picture = new QLabel(this);
    picture->setGeometry(Pixels(screen, {4635, 30, 510, 480}));
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/kalido.svg")).pixmap(picture->size(), devicePixelRatioF()));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(Pixels(screen, {4605, 600, 510, 375}));
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* version = new QLabel(QStringLiteral("Version 1.0"), this);
    version->setGeometry(Pixels(screen, {0, 1125, 5145, 300}));
    version->setAlignment(Qt::AlignCenter);
    version->setAutoFillBackground(true);
    QPalette colours = version->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    version->setPalette(colours);
}

AboutForm::~AboutForm() { aboutText_->removeEventFilter(this); }

bool AboutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == aboutText_ && event->type() == QEvent::MouseButtonPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kalido
