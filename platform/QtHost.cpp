// Qt implementations of the platform seams.
#include "platform/QtHost.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLibrary>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QTextBrowser>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <map>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace kalido {

MsgAnswer QtDialogs::MsgBox(const std::string& text, MsgStyle style, const std::string& title)
{
    // Message texts break lines with LF CR; a label wants a plain line feed.
    QString body = QString::fromStdString(text);
    body.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    static const std::map<MsgIcon, QMessageBox::Icon> icons = {{MsgIcon::None, QMessageBox::NoIcon},
                                                               {MsgIcon::Critical, QMessageBox::Critical},
                                                               {MsgIcon::Question, QMessageBox::Question},
                                                               {MsgIcon::Exclamation, QMessageBox::Warning},
                                                               {MsgIcon::Information, QMessageBox::Information}};
    static const std::map<MsgButtons, std::vector<QMessageBox::StandardButton>> buttons = {
        {MsgButtons::Ok, {QMessageBox::Ok}},
        {MsgButtons::OkCancel, {QMessageBox::Ok, QMessageBox::Cancel}},
        {MsgButtons::YesNo, {QMessageBox::Yes, QMessageBox::No}}};
    QMessageBox box(icons.at(style.Icon), QString::fromStdString(title), body, QMessageBox::NoButton, parent());
    const auto& offered = buttons.at(style.Buttons);
    for (const auto button : offered)
        box.addButton(button);
    box.setDefaultButton(
        offered[std::min<std::size_t>(static_cast<std::size_t>(style.DefaultButton), offered.size() - 1)]);
    // Wide enough for its title, however short the text: a message box sizes itself to its text.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(MessageMinimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
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

QWidget* QtDialogs::parent() const
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return owner_ && owner_->isVisible() ? owner_ : nullptr;
}

namespace {

// A name with a wildcard, such as the dialog's own "*.kal", is a pattern and names no file: Enter
// on it leaves the dialog open.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override
    {
        const QStringList files = selectedFiles();
        if (files.isEmpty() || QFileInfo(files.first()).fileName().contains(QRegularExpression(QStringLiteral("[*?]"))))
            return;
        QFileDialog::accept();
    }
};

} // namespace

std::string QtDialogs::ShowFileDialog(FileDialogMode mode, const std::string& filter, const std::string& initialName)
{
    FileDialog dialog(parent(), QString(), QString::fromStdString(initialName),
                      QStringLiteral("Kalido shapes (%1)").arg(QString::fromStdString(filter)));
    if (mode == FileDialogMode::Open) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite); // the game asks itself
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return initialName;
    return QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
}

QtHelpViewer::QtHelpViewer() = default;
QtHelpViewer::~QtHelpViewer() = default;

void QtHelpViewer::ShowContents(const std::string& helpFile)
{
    if (!window_) {
        auto* browser = new QTextBrowser;
        browser->setOpenExternalLinks(true);
        browser->resize(640, 720);
        // It opens beside the game; the board keeps the keys.
        browser->setAttribute(Qt::WA_ShowWithoutActivating);
        window_.reset(browser);
    }
    auto* browser = static_cast<QTextBrowser*>(window_.get());
    const QString path = QString::fromStdString(helpFile);
    browser->setWindowTitle(QStringLiteral("Kalido Help"));
    if (QFileInfo(path).isReadable()) {
        browser->setSource(QUrl::fromLocalFile(path));
        browser->home();
    } else {
        browser->setHtml(QStringLiteral("<h2>No help here</h2><p>The help file <b>%1</b> cannot be found or "
                                        "read.</p>")
                             .arg(path.toHtmlEscaped()));
    }
    browser->document()->setDocumentMargin(HelpMargin); // the text keeps clear of the window's edges
    // A help window that the player minimised or closed comes back, restored, in front.
    browser->setWindowState(browser->windowState() & ~Qt::WindowMinimized);
    browser->show();
    browser->raise();
}

QtMediaControl::QtMediaControl() = default;

QtMediaControl::~QtMediaControl() = default; // the module is never unloaded, so the player can end here

SoundBackend* QtMediaControl::backend()
{
    if (tried_)
        return backend_.get();
    tried_ = true;
    // Beside the program in a build tree; where the package installs it otherwise, found from the
    // program's own place first so that a package moved to another prefix still finds it.
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList places = {dir, dir + QStringLiteral("/../" KALIDO_RELATIVE_LIBDIR "/kalido"),
                                QStringLiteral(KALIDO_LIBDIR "/kalido")};
    for (const QString& place : places) {
        QLibrary module(place + QLatin1Char('/') + QLatin1String(SoundModuleName));
        if (!module.load())
            continue;
        if (auto create = reinterpret_cast<CreateSoundBackend>(module.resolve(SoundModuleEntry))) {
            backend_.reset(create());
            return backend_.get();
        }
        module.unload();
    }
    return nullptr;
}

void QtMediaControl::SendString(const std::string& command)
{
    static const std::string play = "play ";
    if (command.rfind(play, 0) == 0) {
        const std::string path = command.substr(play.size());
        if (!QFileInfo::exists(QString::fromStdString(path)))
            return; // a missing wave file is silent
        SoundBackend* sound = backend();
        if (!sound)
            return;
        sound->Play(path);
        const int length = WaveMilliseconds(path);
        if (playing_.remainingTime() < length)
            playing_.setRemainingTime(length);
    } else if (command == "close all") {
        if (backend_)
            backend_->CloseAll();
        playing_ = QDeadlineTimer();
    }
}

int QtMediaControl::RemainingMilliseconds() const { return std::max(0, static_cast<int>(playing_.remainingTime())); }

bool QtMediaControl::Settled() const { return !backend_ || backend_->Settled(); }

bool QtMediaControl::Audible() const { return backend_ && backend_->HasOutput(); }

int WaveMilliseconds(const std::string& path)
{
    // RIFF, then chunks of a four-letter name and a little-endian length: "fmt " holds the bytes
    // per second at offset 8, "data" the samples.
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return 0;
    auto le32 = [](const QByteArray& bytes, int at) {
        std::uint32_t v = 0;
        for (int b = 3; b >= 0; --b)
            v = (v << 8) | static_cast<unsigned char>(bytes[at + b]);
        return v;
    };
    std::uint32_t bytesPerSecond = 0;
    while (true) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8)
            return 0;
        const std::uint32_t size = le32(chunk, 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray fmt = file.read(size);
            if (fmt.size() < 12)
                return 0;
            bytesPerSecond = le32(fmt, 8);
        } else if (chunk.startsWith("data")) {
            return bytesPerSecond == 0 ? 0 : static_cast<int>(std::uint64_t{size} * 1000 / bytesPerSecond);
        } else if (!file.skip(size + (size & 1))) {
            return 0;
        }
    }
}

namespace {

std::string failed(const QFileDevice& file) { return file.errorString().toStdString(); }

std::string failedErrno() { return std::strerror(errno); }

} // namespace

std::string QtFileWriter::Replace(const std::string& path, const std::string& content)
{
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    // A file that grants no one writing is kept, also from a user who could write it anyway.
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (info.exists() && (!info.isWritable() || !(info.permissions() & anyWrite)))
        return "The file is read-only.";
    // The new content goes into a file of its own that takes the old one's place in one rename,
    // and only once every step has been seen to succeed; until then the old file is untouched,
    // and a file not committed is discarded. Unbuffered, each write reaches the system at once, so
    // a full disk or a size limit fails the write here instead of a flush inside commit().
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file);
    const auto size = static_cast<qint64>(content.size());
    for (qint64 done = 0; done < size;) {
        const qint64 written = file.write(content.data() + done, size - done);
        if (written <= 0)
            return failed(file);
        done += written;
    }
    if (file.error() != QFileDevice::NoError || !file.flush())
        return failed(file);
    // On disk before it is renamed, so that a crash leaves the old file or the whole new one.
    if (::fsync(file.handle()) != 0)
        return failedErrno();
    if (!file.commit())
        return failed(file);
    // The rename on disk too. A failure here is not reported: both the old and the new file are
    // whole, and the new one is in place for this run.
    const QString folder = QFileInfo(info.exists() ? info.canonicalFilePath() : info.absoluteFilePath()).absolutePath();
    if (const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    // What the name holds now must be all that was given.
    const QFileInfo written(name);
    if (written.size() != size)
        return "The file written holds " + std::to_string(written.size()) + " bytes, not " + std::to_string(size) + ".";
    return {};
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

void QtProcess::End()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    // A sound is loaded and its output started before it is heard: allow a little for that. With
    // no device there is nothing to hear and nothing to wait for.
    const int left = media_.RemainingMilliseconds();
    const int linger = left == 0 || !media_.Audible() ? 0 : std::min(left + FarewellStartUp, LongestFarewell);
    QTimer::singleShot(linger, qApp, [] { QCoreApplication::exit(0); });
}

} // namespace kalido
