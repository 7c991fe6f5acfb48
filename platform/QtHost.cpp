// Qt implementations of the platform seams.
#include "platform/QtHost.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QSoundEffect>
#include <QTime>
#include <QUrl>

#include <bit>
#include <cstring>

namespace kalido {

MsgAnswer QtDialogs::MsgBox(const std::string& text, MsgButtons buttons, const std::string& title)
{
    // Message texts break lines with LF CR; a label wants a plain line feed.
    QString body = QString::fromStdString(text);
    body.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    // Centred over the window the player is using, like any dialog of the game.
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), body, QMessageBox::NoButton,
                    QApplication::activeWindow());
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Ok;
    }
}

QtMediaControl::QtMediaControl() = default;
QtMediaControl::~QtMediaControl() = default;

void QtMediaControl::SendString(const std::string& command)
{
    static const std::string play = "play ";
    if (command.rfind(play, 0) == 0) {
        const std::string path = command.substr(play.size());
        if (!QFileInfo::exists(QString::fromStdString(path)))
            return; // a missing wave file is silent
        auto& effect = sounds_[path];
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            effect->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
        }
        effect->play();
    } else if (command == "close all") {
        sounds_.clear();
    }
}

double SystemChance::Timer() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void SystemChance::Randomize(double seed)
{
    const auto bits = std::bit_cast<std::uint64_t>(seed);
    generator_.seed(static_cast<std::uint32_t>(bits ^ (bits >> 32)));
}

double SystemChance::Rnd()
{
    return static_cast<double>(generator_()) / 4294967296.0; // 32 random bits, never 1
}

namespace {

float twipsPerPixel(qreal dpi) { return dpi > 0 ? static_cast<float>(1440.0 / dpi) : 15.0f; }

} // namespace

float QtScreenMetrics::TwipsPerPixelX() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchX() : 96.0);
}

float QtScreenMetrics::TwipsPerPixelY() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchY() : 96.0);
}

std::string QtProcess::CurrentDirectory() const { return QDir::toNativeSeparators(QDir::currentPath()).toStdString(); }

void QtProcess::End() { QCoreApplication::exit(0); }

} // namespace kalido
